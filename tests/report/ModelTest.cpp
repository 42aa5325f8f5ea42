// The report model: a new report's defaults, field and parameter texts, variable names, the
// display units, palette, character sets, device fonts and rasters, and the parameters a
// statement's report gets from the installation.
#include <gtest/gtest.h>

#include "report/data/HostParameters.h"
#include "report/model/Report.h"

namespace axo::report {
namespace {

TEST(ModelTest, ANewReportHasItsDefaults) {
    TSestavaTyp r;
    EXPECT_EQ(5u, r.sections.size());
    EXPECT_TRUE(r.groups.empty());
    EXPECT_TRUE(r.functions.empty());
    EXPECT_EQ(1, r.printCopies);
    EXPECT_EQ(1, r.startPage);
    EXPECT_EQ(9999, r.endPage);
    EXPECT_EQ(0, r.maxRecords);
    EXPECT_EQ(5, r.versionMajor);
    EXPECT_EQ(0, r.versionMinor);
    EXPECT_EQ(4, r.versionRelease);
    EXPECT_EQ("Tisková úloha ZORVI", ToUtf8(r.popis));
    EXPECT_EQ("SestDLL.ini", ToUtf8(r.iniFileName));
    EXPECT_FALSE(r.allowNullValues);

    r.SetFieldNames({"SA"_t, "POPIS"_t});
    r.fieldCaptions = {"Analytika"_t};
    r.parametry = {"Firma"_t};
    r.AddGroup("#SA"_t);
    const std::pair<Text, const char*> texts[] = {
        {r.GetFieldName(1), "POPIS"},
        {r.GetFieldName(7), "7"},
        {r.GetFieldCaption(0), "Analytika"},
        {r.GetFieldCaption(1), ""},
        {r.fieldValues[1], "Položka 2"},
        {r.GetParameterTitle(0), "1: Firma"},
        {r.GetParameterTitle(5), "5"},
        {r.VariableName(0), "Datum tisku"},
        {r.VariableName(1), "Čas tisku"},
        {r.VariableName(2), "Pořadové číslo řádku"},
        {r.VariableName(3), "Číslo strany"},
        {r.VariableName(4), "Celkový počet stran"},
        {r.VariableName(5), "Číslo řádku ve skupině 1"},
        {r.VariableName(6), "Číslo skupiny 1"},
        {r.groups[0].Name(), "Skupina 1"},
        {SectionName(GroupHeaderSection(0)), "Začátek skupiny 1"},
        {SectionCode(GroupFooterSection(2)), "U2"},
        {ElementKindName(14), "Neznámý"},
        {PaletteName(0), "černá"},
        {PaletteName(15), "bílá"},
        {CharsetName(4), "středoevropský"},
    };
    for (const auto& [actual, expected] : texts)
        EXPECT_EQ(expected, ToUtf8(actual));
    EXPECT_EQ(1, r.IndexOfField("POPIS"_t));
    EXPECT_EQ(-1, r.IndexOfField("popis"_t));  // field names match exactly
}

TEST(ModelTest, UnitsColoursCharsetsAndFonts) {
    const int display[] = {100, 254, 60, 72, 144};
    for (int unit = 0; unit < kDisplayUnitCount; ++unit) {
        EXPECT_EQ(display[unit], UnitsToDisplay(100, unit)) << unit;
        EXPECT_EQ(100, DisplayToUnits(display[unit], unit)) << unit;
    }
    EXPECT_EQ("[ 2.54; 5.08] cm", ToUtf8(PositionText(100, 200, 1)));
    EXPECT_EQ("[ 1.00; 0.50] inch", ToUtf8(PositionText(100, 50, 0)));

    const std::pair<long long, Colour> colours[] = {
        {0, 0x000000}, {9, 0x0000FF}, {15, 0xFFFFFF}, {16, 16}, {-16777201, -16777201}};
    for (const auto& [field, colour] : colours)
        EXPECT_EQ(colour, ColourFromField(field)) << field;
    EXPECT_EQ(9, ColourToField(0x0000FF));
    EXPECT_EQ(0x123456, ColourToField(0x123456));

    EXPECT_EQ(238, CharsetOfIndex(4));
    EXPECT_EQ(1, CharsetOfIndex(8));
    EXPECT_EQ(4, IndexOfCharset(238));
    EXPECT_EQ(7, IndexOfCharset(77));
    const auto ce = StripNationalSuffix("Arial CE"_t);
    ASSERT_TRUE(ce);
    EXPECT_EQ("Arial", ToUtf8(ce->name));
    EXPECT_EQ(238, ce->charset);
    EXPECT_EQ(204, StripNationalSuffix("Times New Roman CYR"_t)->charset);
    EXPECT_FALSE(StripNationalSuffix("Arial"_t));

    struct Device {
        const char* name;
        int size;
        double cell;
    } devices[] = {
        {"Roman 10cpi", 11, 10}, {"Roman 12cpi", 10, 100.0 / 12}, {"Roman 17cpi", 8, 100.0 / 17}};
    for (const Device& d : devices) {
        const auto font = DeviceFontOf(FromUtf8(d.name));
        ASSERT_TRUE(font) << d.name;
        EXPECT_EQ("Courier New", ToUtf8(font->screenFace));
        EXPECT_EQ(d.size, font->screenSize) << d.name;
        EXPECT_EQ(238, font->charset);
        EXPECT_NEAR(d.cell, font->cellWidth, 1e-9) << d.name;
        EXPECT_NEAR(16.667, font->lineHeight, 1e-9);
    }
    EXPECT_FALSE(DeviceFontOf("Arial"_t));
    EXPECT_EQ(72, FontSizeFromField(-100));
    EXPECT_EQ(10, FontSizeFromField(10));

    TRaster raster;
    raster.type = 1;
    const struct {
        int pitch, spacing, stepX, stepY;
    } rasters[] = {{0, 0, 10, 16}, {1, 1, 8, 25}, {2, 2, 6, 33}};
    for (const auto& c : rasters) {
        raster.pitch = c.pitch;
        raster.lineSpacing = c.spacing;
        EXPECT_EQ(c.stepX, raster.StepX());
        EXPECT_EQ(c.stepY, raster.StepY());
    }
    raster.type = 2;
    raster.x = 0;
    EXPECT_EQ(8, raster.StepX());
    EXPECT_EQ(0, raster.CellWidth());

    TSiReportElement e;
    e.textOptions = kAlignRight | kTextJustified;
    EXPECT_EQ(kAlignJustified, e.Alignment());
    e.kind = kLine;
    e.lineWidth = 2;
    e.lineStyle = 2;
    EXPECT_EQ(0, e.EffectiveLineStyle());
    e.fillStyle = 9;
    EXPECT_EQ(6, e.ResolutionFactor());
}

TEST(ModelTest, TheFifteenParametersOfAStatement) {
    startup::tVetaAXO_DATA data;
    startup::tVetaAXO_USER user;
    data.NazevFirmy = "  Základní škola  "_t;
    data.AdresaFirmy = "Školní 1"_t;
    data.IcoFirmy = "12345678"_t;
    data.DIC = "CZ12345678"_t;
    data.TelefonFirmy = "123"_t;
    data.FaxFirmy = "456"_t;
    data.OBCH_REJ1 = "OR 1"_t;
    data.OBCH_REJ2 = "OR 2"_t;
    data.LIKVIDACE_ODPADU = "odpad"_t;
    data.Rezerva_Str = "rezerva"_t;
    data.Text_Preview = "náhled"_t;
    user.Vystavil = "Jana Nováková"_t;
    user.Mobil = "777"_t;
    user.Mail = "ucetni@skola.cz"_t;
    const std::vector<Text> p = HostParameters(data, user, "Kč "_t);
    const char* expected[] = {"Základní škola",
                              "Školní 1",
                              "Kč",
                              "Jana Nováková",
                              "12345678",
                              "CZ12345678",
                              "123",
                              "456",
                              "OR 1",
                              "OR 2",
                              "odpad",
                              "rezerva",
                              "777",
                              "ucetni@skola.cz",
                              "náhled"};
    ASSERT_EQ(static_cast<std::size_t>(kHostParameterCount), p.size());
    for (std::size_t i = 0; i < p.size(); ++i)
        EXPECT_EQ(expected[i], ToUtf8(p[i])) << "&" << i + 1;
}

}  // namespace
}  // namespace axo::report

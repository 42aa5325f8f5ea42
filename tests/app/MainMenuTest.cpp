// The command table of the main window: menus, items, captions, handlers and the routine each
// command calls in a fiscal year.
#include <gtest/gtest.h>

#include "app/MainMenu.h"
#include "app/Routines.h"
#include "pap/StatementTitles.h"

namespace axo::app {
namespace {

TEST(MainMenu, TopLevelEntriesInOrder) {
    struct Row {
        const char* name;
        const char* caption;
        std::size_t items;
    };
    const Row rows[] = {{"itemVykazy", " Výkazy ", 17},
                        {"itemXML", "Exporty", 2},
                        {"itemKontroly", " Kontrolní chody ", 5},
                        {"itemCiselniky", " Číselníky ", 4},
                        {"Konec", "  Konec  ", 0}};
    const auto& table = MainMenuTable();
    ASSERT_EQ(std::size(rows), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(rows[i].name, table[i].name);
        EXPECT_EQ(FromUtf8(rows[i].caption), table[i].caption);
        EXPECT_EQ(rows[i].items, table[i].items.size());
    }
    ASSERT_TRUE(table.back().command.has_value());
    EXPECT_EQ("KonecClick", table.back().command->handler);
}

TEST(MainMenu, StatementItemsCarryTheirNumeralsAtDesignTime) {
    const char* const captions[] = {"I.",    "II.",   "III.", "IV.",  "V.",   "VI.",
                                    "VII.",  "VIII.", "IX.",  "X.",   "XI.",  "XII.",
                                    "XIII.", "XIV.",  "XV. ", "XVI.", "XVII."};
    const auto& items = MainMenuTable().front().items;
    for (int n = 1; n <= 17; ++n) {
        const MenuItem& item = items[static_cast<std::size_t>(n - 1)];
        const std::string number = (n < 10 ? "0" : "") + std::to_string(n);
        EXPECT_EQ("itemVykaz" + number, item.name);
        EXPECT_EQ("itemVykaz" + number + "Click", item.handler);
        EXPECT_EQ(FromUtf8(captions[n - 1]), item.caption);
        EXPECT_EQ(StatementCommand(n), item.command);
        EXPECT_EQ(n, StatementNumberOf(item.command));
    }
}

TEST(MainMenu, OtherItemsAndTheSeparator) {
    struct Row {
        CommandId command;
        const char* name;
        const char* caption;
        bool separator;
    };
    const Row rows[] = {
        {CommandId::XML01_09, "itemXML01_09",
         "Dávkové generování výkazu PAP_Souhrn (sehrání výkazů I až IX) do XML", false},
        {CommandId::Sehr01_09, "Sehr01_09",
         "Sehrání výkazů I až IX do XML (výkaz PAP_Souhrn), nebylo-li dávkové generování", false},
        {CommandId::Vypis, "itemVypis", "Kontrolní výpis z účtu", false},
        {CommandId::Rozklad, "itemRozklad", "Kontrolní rozklad pro výkazy IV až XI", false},
        {CommandId::KontrolaUR, "itemKontrolaUR", "Kontrola účetních záznamů", false},
        {CommandId::KontrolniVazby, "itemKontrolniVazby", "Kontrolní vazby mezi částmi PAP", false},
        {CommandId::PAP_do_RozV, "itemPAP_do_RozV", "Doplnění údajů pro PAP do účtového rozvrhu",
         true},
        {CommandId::Ciselniky_UctRozvrh, "itemCiselniky_UctRozvrh", "Účtový rozvrh", false},
        {CommandId::Ciselniky_KodyTr, "itemCiselniky_KodyTr", "Číselník kódů transakce", false},
        {CommandId::Ciselniky_PAP, "itemCiselniky_PAP",
         "Číselník pomocného analytického přehledu pro výkazy", false},
        {CommandId::Ciselniky_ExtAdresy, "itemCiselniky_ExtAdresy", "Číselník externích adres",
         true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const MenuItem& item = ItemOf(r.command);
        EXPECT_EQ(r.name, item.name);
        EXPECT_EQ(std::string(r.name) + "Click", item.handler);
        EXPECT_EQ(FromUtf8(r.caption), item.caption);
        EXPECT_EQ(r.separator, item.separatorBefore);
        EXPECT_EQ(0, StatementNumberOf(r.command));
    }
}

TEST(MainMenu, StatementCaptionsRightAlignTheNumeralInFiveCharacters) {
    struct Row {
        int n;
        const char* start;
    };
    const Row rows[] = {{1, "    I. Počáteční a koncové stavy"},
                        {4, "   IV. DNM a DHM - typy změn"},
                        {8, " VIII. Ostatní aktiva"},
                        {16, "  XVI. Počáteční a koncové stavy na vybraných podrozvahových"},
                        {17, " XVII. Vysvětlení významných částek"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.n);
        EXPECT_TRUE(pap::StatementCaption(r.n).StartsWith(FromUtf8(r.start)))
            << pap::StatementCaption(r.n);
    }
}

TEST(MainMenu, StripAmpersandsRemovesEveryOne) {
    EXPECT_EQ("Konec"_t, StripAmpersands("&Kon&ec"_t));
    EXPECT_EQ("   IV. DNM"_t, StripAmpersands("   IV. DNM"_t));
    EXPECT_EQ(Text(), StripAmpersands("&&"_t));
}

TEST(Routines, EachCommandCallsItsRoutineByFiscalYear) {
    struct Row {
        CommandId command;
        int year;
        Routine routine;
        int number;
        bool caption;
        bool pushes;
    };
    const Row rows[] = {
        {CommandId::Vykaz01, 2024, Routine::SestavVykazI, 0, true, true},
        {CommandId::Vykaz02, 2024, Routine::SestavVykazII_III, 2, true, true},
        {CommandId::Vykaz03, 2024, Routine::SestavVykazII_III, 3, true, true},
        {CommandId::Vykaz04, 2024, Routine::SestavVykazIV_IX, 4, true, true},
        {CommandId::Vykaz09, 2022, Routine::SestavVykazIV_IX, 9, true, true},
        {CommandId::Vykaz10, 2013, Routine::SestavVykazX_2013, 0, true, true},
        {CommandId::Vykaz10, 2014, Routine::SestavVykazX, 0, true, true},
        {CommandId::Vykaz11, 2013, Routine::SestavVykazXI_2013, 0, true, true},
        {CommandId::Vykaz11, 2014, Routine::SestavVykazXI, 0, true, true},
        {CommandId::Vykaz12, 2013, Routine::SestavVykazXII_XIII, 12, true, true},
        {CommandId::Vykaz13, 2024, Routine::SestavVykazXII_XIII, 13, true, true},
        {CommandId::Vykaz14, 2024, Routine::XmlCast, 14, false, true},
        {CommandId::Vykaz15, 2024, Routine::SestavVykazXV, 0, true, true},
        {CommandId::Vykaz16, 2024, Routine::SestavVykazXVI, 0, true, true},
        {CommandId::Vykaz17, 2024, Routine::XmlCast, 17, false, true},
        {CommandId::XML01_09, 2024, Routine::XmlSouhrnDavka, 0, false, true},
        {CommandId::Sehr01_09, 2013, Routine::XmlSehrani_2013, 0, false, false},
        {CommandId::Sehr01_09, 2014, Routine::XmlSehrani, 0, false, false},
        {CommandId::Vypis, 2024, Routine::KontrolniVypis, 0, false, true},
        {CommandId::Rozklad, 2024, Routine::KontrolniRozklad, 0, false, true},
        {CommandId::KontrolaUR, 2024, Routine::KontrolaUcetnichZaznamu, 0, false, true},
        {CommandId::KontrolniVazby, 2024, Routine::KontrolniVazby, 0, false, true},
        {CommandId::PAP_do_RozV, 2024, Routine::DoplneniRozvrhu, 0, false, true},
        {CommandId::Ciselniky_UctRozvrh, 2024, Routine::UctovyRozvrh, 0, false, true},
        {CommandId::Ciselniky_KodyTr, 2024, Routine::KodyTransakce, 0, false, true},
        {CommandId::Ciselniky_PAP, 2024, Routine::CiselnikPAP, 0, false, true},
        {CommandId::Ciselniky_ExtAdresy, 2024, Routine::ExterniAdresy, 0, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(ItemOf(r.command).name + " " + std::to_string(r.year));
        const RoutineCall call = RoutineFor(r.command, r.year);
        EXPECT_STREQ(RoutineName(r.routine), RoutineName(call.routine));
        EXPECT_EQ(r.number, call.number);
        EXPECT_EQ(r.caption, call.takesCaption);
        EXPECT_EQ(r.pushes, call.pushesProcess);
    }
}

}  // namespace
}  // namespace axo::app

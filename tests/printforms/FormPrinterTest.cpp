// Printing forms end to end into shown printouts: page breaks with footers and headers, page
// ends, endless paper, the fill before the report footer (blank, and skipped when the body
// has no printable line), records kept together, notes and special rows, conditions that
// drop or blank their acronyms, the command stream and the system acronyms.
#include <gtest/gtest.h>

#include "FormsTestSupport.h"
#include "printforms/FormTypes.h"
#include "util/Retezce.h"

namespace axo::printforms {
namespace {

using testing::FixedRecords;
using testing::WriteFile;
using Lines = std::vector<std::string>;

class FormPrinterTest : public testing::FormsTest {
  protected:
    /// Prints `form` with the records (none: the body once) on pages of `length` lines.
    Lines Print(const std::string& form, FixedRecords* records, int length) {
        listing_.defaultNarrowLength = static_cast<std::uint8_t>(length);
        const std::size_t before = ui_.Transcript().size();
        auto printout = FormPrintout::Create(print_);
        EXPECT_TRUE(printout);
        if (!printout)
            return {};
        printout->PrintForm(ParseTextForm(FromUtf8(form)), records);
        printout->Finish();
        return Shown(before);
    }
};

/// A form with a page header and footer, a body line and a report footer.
const std::string kPaged =
    ".HLAVASTRANY\nH$STR\n.KONEC\n"
    ".RADEK\nR$N\n.KONEC\n"
    ".PATASTRANY\nF$STR$KONECSTRANY\n.KONEC\n"
    ".PATASESTAVY\nEND\n.KONEC\n";

TEST_F(FormPrinterTest, Pagination) {
    struct Case {
        const char* name;
        std::string form;
        int records;
        int length;
        bool keepTogether;
        Lines expected;
    } cases[] = {
        {"page footer and header when the page is full",
         kPaged,
         4,
         5,
         false,
         {"H1", "R1", "R2", "R3", "F1", "<FF>", "H2", "R4", "END"}},
        {"endless paper",
         ".SPEC\nNEKONECNY_PAPIR\n.KONEC\n" + kPaged,
         4,
         5,
         false,
         {"H1", "R1", "R2", "R3", "R4", "END"}},
        {"no page length is endless paper",
         kPaged,
         4,
         0,
         false,
         {"H1", "R1", "R2", "R3", "R4", "END"}},
        {"the fill repeats a blank body line",
         ".HLAVASTRANY\nH$STR\n.KONEC\n.RADEK\nR$N|\n@$N\n.KONEC\n"
         ".PATASTRANY\nF$STR$KONECSTRANY\n.KONEC\n.PATASESTAVY\nE1\nE2\nE3\n.KONEC\n",
         5,
         8,
         false,
         {"H1", "R1 |", "R2 |", "R3 |", "R4 |", "R5 |", "R  |", "F1", "<FF>", "H2", "E1", "E2",
          "E3"}},
        {"no fill without a printable body line",
         ".HLAVASTRANY\nH$STR\n.KONEC\n.RADEK\n@$N\n.KONEC\n"
         ".PATASTRANY\nF$STR$KONECSTRANY\n.KONEC\n.PATASESTAVY\nE1\nE2\nE3\nE4\n.KONEC\n",
         3,
         4,
         false,
         {"H1", "F1", "<FF>", "H2", "E1", "E2", "E3", "E4"}},
        {"no fill on endless paper",
         ".SPEC\nNEKONECNY_PAPIR\n.KONEC\n.RADEK\nR$N\n.KONEC\n"
         ".PATASESTAVY\nE1\nE2\nE3\n.KONEC\n",
         2,
         3,
         false,
         {"R1", "R2", "E1", "E2", "E3"}},
        {"a page end in the body, on endless paper too",
         ".SPEC\nNEKONECNY_PAPIR\n.KONEC\n.HLAVASTRANY\nH$STR\n.KONEC\n"
         ".RADEK\nR$N$KONECSTRANY\n.KONEC\n.PATASESTAVY\nEND\n.KONEC\n",
         2,
         0,
         false,
         {"H1", "R1", "<FF>", "H2", "R2", "<FF>", "H3", "END"}},
        {"a report header replaces the first page header; its page end brings none",
         ".HLAVASESTAVY\nCOVER $STR$KONECSTRANY\n.KONEC\n.HLAVASTRANY\nH$STR\n.KONEC\n"
         ".RADEK\nR$N\n.KONEC\n",
         2,
         0,
         false,
         {"COVER 1", "<FF>", "R1", "R2"}},
        {"a page end in the page header does not print it again",
         ".HLAVASTRANY\nH$STR$KONECSTRANY\n.KONEC\n.RADEK\nR$N\n.KONEC\n",
         2,
         0,
         false,
         {"H1", "<FF>", "R1", "R2"}},
        {"a record kept together starts a new page",
         ".HLAVASTRANY\nH$STR\n.KONEC\n.RADEK\nA$N\nB$N\nC$N\n.KONEC\n"
         ".PATASTRANY\nF$STR$KONECSTRANY\n.KONEC\n",
         2,
         7,
         true,
         {"H1", "A1", "B1", "C1", "F1", "<FF>", "H2", "A2", "B2", "C2"}},
        {"a record not kept together is split",
         ".HLAVASTRANY\nH$STR\n.KONEC\n.RADEK\nA$N\nB$N\nC$N\n.KONEC\n"
         ".PATASTRANY\nF$STR$KONECSTRANY\n.KONEC\n",
         2,
         7,
         false,
         {"H1", "A1", "B1", "C1", "A2", "B2", "F1", "<FF>", "H2", "C2"}},
    };
    for (const Case& c : cases) {
        FixedRecords records(FixedRecords::Numbered(c.records));
        records.keepTogether = c.keepTogether;
        EXPECT_EQ(c.expected, Print(c.form, &records, c.length)) << c.name;
    }
}

TEST_F(FormPrinterTest, SubstitutionAndConditions) {
    const std::string form =
        ".FORMAT\nJEDNOU=~D~4~Z~Z\nSIROKA=~T~A~D~12\n.KONEC\n"
        ".EXTERNI\nJEDNOU = X\n.KONEC\n"
        ".PODMINKY\nA=(A!\"\")\nB=(A!\"\") AND (B!\"\")\n.KONEC\n"
        ".RADEK\n"
        "x $A y\n"      // a failed condition leaves blanks on a shared line
        "$A $B\n"       // a line of nothing but failed conditions is not printed
        "[$JEDNOU]\n"   // printed once, then cleared
        "[$NEZNAMA]\n"  // an unknown acronym prints "#"
        "[$SIROKA] $ (dollar)\n"
        "\n"
        ".KONEC\n";
    FixedRecords records({{{{"A", ""}, {"B", "b"}, {"SIROKA", "široký text"}}, {}, {}},
                          {{{"A", "1"}, {"B", "2"}}, {}, {}}});
    const Lines expected = {
        "x    y", "[   X]", "[########]", "[široký text ] $ (dollar)", "", "x 1  y",
        "1  2",   "[    ]", "[########]", "[široký text ] $ (dollar)", "",
    };
    EXPECT_EQ(expected, Print(form, &records, 0));
}

TEST_F(FormPrinterTest, NotesAndSpecialRows) {
    const std::string form =
        ".RADEK\nR$N\n.KONEC\n.POZNRADEK\n  pozn. $RADEKPOZNAMKY\n.KONEC\n"
        ".SPCRADEK\n.SPCHLAVA\n  polozky:\n.KONEC\n  - $S\n.SPCPATA\n  konec\n.KONEC\n.KONEC\n";
    FixedRecords records(
        {{{{"N", "1"}}, {"první", "druhá"}, {{{"S", "a"}}, {{"S", "b"}}}}, {{{"N", "2"}}, {}, {}}});
    const Lines expected = {
        "R1", "  pozn. první", "  pozn. druhá", "  polozky:", "  - a", "  - b", "  konec", "R2"};
    EXPECT_EQ(expected, Print(form, &records, 0));
}

TEST_F(FormPrinterTest, CommandStream) {
    WriteFile(work_ / "opis.txt", "první řádek\r\ndruhý\r\n"_t.Bytes());
    print_.textFile = work_ / "opis.txt";
    print_.findForm = [](int type, const Text& name) -> std::optional<StoredForm> {
        if (type != kTypeExAdresy || NationalUpperCase(name) != "KARTA"_t)
            return std::nullopt;
        StoredForm f;
        f.type = type;
        f.name = "KARTA"_t;
        f.content = ".RADEK\nNázev: $NAZEV data $DATA\n.KONEC\n"_t;
        return f;
    };
    // The data of the form's type: one record whose acronym DATA is the command's value.
    print_.dataSources = [](const StoredForm&, const Text& data) {
        return std::make_unique<FixedRecords>(
            std::vector<FixedRecords::Record>{{{{"DATA", ToUtf8(data)}}, {}, {}}});
    };
    const std::vector<Text> commands = {
        "AKRONYM [NAZEV] Luna"_t,
        "EXADRESY [karta] %"_t,  // "%": the printout's default value
        "PRIKAZ [NOVASTRANA]"_t,  "EXADRESY [KARTA] 2"_t,        "PRIKAZ [NULUJAKRONYM]"_t,
        "EXADRESY [KARTA] 3"_t,   "PRIKAZ [OPISTEXTSOUBOR] %"_t,
        "EXADRESY [JINA] 4"_t,  // not found: a message, nothing printed
        "NEZNAMY [X] 5"_t,      // not a command
        "bez závorek"_t,
    };
    ASSERT_TRUE(PrintCommandStream(print_, commands, ""_t));
    const Lines expected = {
        "Název:  Luna  data", "<FF>", "Název:  Luna  data 2", "Název: ###### data 3", "<FF>",
        "první řádek",        "druhý"};
    EXPECT_EQ(expected, Shown());
    EXPECT_EQ(Lines{"Nebyl nalezen formulář :JINA"}, Messages());
}

TEST_F(FormPrinterTest, SystemAcronyms) {
    print_.system.today = "15. 6.2024"_t;
    print_.system.time = "09:30:05"_t;
    print_.system.yearCode = "2024"_t;
    print_.system.firmName = "Škola Luna"_t;
    print_.system.vatRates[0] = 21;
    print_.system.vatRates[1] = 12;
    print_.system.currencySign = "Kč"_t;
    print_.system.unitPriceDecimals = 2;
    const std::string form =
        ".FORMAT\nDNES=~T~A~D~10\nCAS=~T~A~D~8\nSETUPNAZEV=~Z~T\n.KONEC\n"
        ".RADEK\n$DNES $CAS $UR $STRANA $SETUPNAZEV\n$P0 $P1 $P2 $P3 $P4 $P5 $NM $SETUPTVARMJ\n"
        ".KONEC\n";
    // UR does not fit its marker: a number that would change prints "*".
    const Lines expected = {"15. 6.2024 09:30:05 *** 1       Škola Luna",
                            "NED 0%  12% 21% PDP 0%  Kč  2"};
    EXPECT_EQ(expected, Print(form, nullptr, 0));
}

}  // namespace
}  // namespace axo::printforms

// Moving addresses between lists: export with new classifications, import with the skipped
// addresses reported, the refusal of a list copied onto itself, a killed overwriting import
// that leaves the old list, and the all-or-nothing import of partners from a CSV file with the
// CSV list's protected cells.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "AddressTestSupport.h"
#include "codelists/ExAdCsv.h"
#include "codelists/ExAdTransfer.h"

namespace axo::codelists::testing {
namespace {

class TransferTest : public AddressTest {
  protected:
    TransferReport Copy(const fs::path& from, const fs::path& to,
                        const std::vector<std::string>& codes, TransferOptions options = {}) {
        std::vector<Text> chosen;
        for (const std::string& c : codes)
            chosen.push_back(FromUtf8(c));
        return CopyAddresses(data_, *ui_, from, to, "2024"_t, chosen, options);
    }
};

TEST_F(TransferTest, ExportWithNewClassificationsNumbersInTheOrderChosen) {
    Fill({Address("A1", "Alfa"), Address("B2", "Beta"), Address("C3", "Gama")}, ListDir(),
         {"", "poznámka", ""});
    fs::create_directories(OtherDir());
    TransferOptions o;
    o.renumber = true;
    const TransferReport r = Copy(ListDir(), OtherDir(), {"C3", "A1", "B2"}, o);
    ASSERT_TRUE(r.done) << ToUtf8(r.failure);
    EXPECT_EQ(3, r.copied);
    EXPECT_EQ("\t\rHOTOVO!", ToUtf8(TransferReportText(r)));
    // By name: Alfa, Beta, Gama; their new numbers follow the order of choosing; notes travel.
    EXPECT_EQ((std::vector<std::string>{"0000000002", "0000000003*", "0000000001"}),
              Codes(OtherDir(), 2));
    // A second export numbers on from there.
    const TransferReport again = Copy(ListDir(), OtherDir(), {"A1"}, o);
    EXPECT_EQ(1, again.copied);
    EXPECT_EQ((std::vector<std::string>{"0000000001", "0000000002", "0000000003*", "0000000004"}),
              Codes(OtherDir()));
    // The source is not touched.
    EXPECT_EQ((std::vector<std::string>{"A1", "B2*", "C3"}), Codes(ListDir()));
}

TEST_F(TransferTest, SkippedAddressesAreCountedAndListed) {
    Fill({Address("1", "Místní"), Address("2", "Místní 2")});
    Fill({Address("1", "Cizí"), Address("3", "Cizí 3"), Address("2", "Cizí 2")}, OtherDir());
    const TransferReport r = Copy(OtherDir(), ListDir(), {"1", "3", "2", "9"});
    ASSERT_TRUE(r.done);
    EXPECT_EQ(1, r.copied);
    EXPECT_EQ(
        "\t\rHOTOVO!\r\rPřeneseno adres: 1\rPřeskočeno pro shodné zatřídění: 2 (1, 2)\r"
        "Nenalezeno ve zdroji: 1 (9)",
        ToUtf8(TransferReportText(r)));
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), Codes(ListDir()));

    // No classification left for a renumbered address.
    Fill({Address("9999999999", "Plno")}, OtherDir() / "plny");
    TransferOptions o;
    o.renumber = true;
    const TransferReport full = Copy(ListDir(), OtherDir() / "plny", {"1", "2"}, o);
    EXPECT_EQ(0, full.copied);
    EXPECT_EQ((std::vector<Text>{"1"_t, "2"_t}), full.noNumber);
    EXPECT_EQ("Přeskočeno, nezbylo volné zatřídění: 2 (1, 2)", ToUtf8(TransferSkippedText(full)));
}

TEST_F(TransferTest, OverwritingReplacesTheListAndNeverCopiesItOntoItself) {
    Fill({Address("1", "Stará 1"), Address("2", "Stará 2")});
    Fill({Address("7", "Nová 7"), Address("8", "Nová 8")}, OtherDir());
    TransferOptions o;
    o.recreate = true;
    const TransferReport replaced = Copy(OtherDir(), ListDir(), {"8"}, o);
    ASSERT_TRUE(replaced.done);
    EXPECT_EQ((std::vector<std::string>{"8"}), Codes(ListDir()));

    // The same table as source and target, also through another spelling of its path.
    for (const fs::path& same : {ListDir(), ListDir() / ".." / "ciselniky"}) {
        const TransferReport r = Copy(same, ListDir(), {}, o);
        EXPECT_FALSE(r.done);
        EXPECT_EQ("Zdrojový a cílový číselník externích adres je tentýž soubor (" +
                      ListDir().string() + ").",
                  ToUtf8(r.failure));
    }
    EXPECT_EQ((std::vector<std::string>{"8"}), Codes(ListDir()));
    // A source without a list.
    fs::create_directories(work_ / "prazdny");
    const TransferReport none = Copy(work_ / "prazdny", ListDir(), {}, o);
    EXPECT_FALSE(none.done);
    EXPECT_EQ((std::vector<std::string>{"8"}), Codes(ListDir()));
}

TEST_F(TransferTest, AKilledOverwritingImportLeavesTheOldList) {
    std::vector<tVetaExtAdresa> old, incoming;
    for (int i = 1; i <= 5; ++i)
        old.push_back(Address(std::to_string(i), "Stará " + std::to_string(i)));
    for (int i = 1; i <= 40; ++i)
        incoming.push_back(Address(std::to_string(100 + i), "Nová " + std::to_string(i)));
    Fill(old);
    Fill(incoming, OtherDir());
    const pid_t child = fork();
    ASSERT_NE(-1, child);
    if (child == 0) {
        TransferOptions o;
        o.recreate = true;
        o.afterAddress = [](int copied) {
            if (copied == 20)
                ::kill(::getpid(), SIGKILL);
        };
        Copy(OtherDir(), ListDir(), {}, o);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(child, ::waitpid(child, &status, 0));
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3", "4", "5"}), Codes(ListDir()));
    // The next import finds the list free and replaces it whole.
    TransferOptions o;
    o.recreate = true;
    const TransferReport r = Copy(OtherDir(), ListDir(), {}, o);
    ASSERT_TRUE(r.done) << ToUtf8(r.failure);
    EXPECT_EQ(40u, Codes(ListDir()).size());
}

TEST_F(TransferTest, PartnersFromCsvAllOrNothing) {
    Fill({Address("0041", "Místní")});
    struct Case {
        const char* what;
        std::string csv;
        bool done;
        std::vector<std::string> messages;  ///< what the error message says, part by part
    };
    const Case cases[] = {
        {"bad lines",
         "nazev;ico;dic;ucet\n"
         "Alfa s.r.o.;25596641;CZ25596641;19-2000145399/0800\n"
         ";25596641;;\n"
         "Beta;12345678;;\n"
         "Gama;;25596641;12x/0100\n",
         false,
         {"Soubor " + (work_ / "partneri.csv").string() + " nelze načíst:",
          "řádek 3: chybí hodnota ve sloupci nazev",
          "řádek 4: IČO 12345678 není platné (osm číslic s kontrolní "
          "číslicí)",
          "řádek 5: číslo účtu 12x/0100 nemá tvar předčíslí-číslo/kód banky",
          "řádek 5: DIČ musí začínat kódem státu (např. CZ) a pokračovat kmenovou částí.",
          "Číselník externích adres nebyl změněn."}},
        {"a required column missing", "ico\n25596641\n", false, {}},
        {"good",
         "Nazev;ICO;Ulice;Mesto;PSC;Stat;Ucet\n"
         "\"Alfa; obchodní společnost s ručením omezeným a dlouhým jménem\";25596641;Dlouhá 1;"
         "Zlín;760 01;CZ;19-2000145399/0800\n"
         "Beta;;;;;Slovensko;\n",
         true,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui::testing::WriteBytes(work_ / "partneri.csv", c.csv);
        const std::size_t before = ui_->Transcript().size();
        if (!c.done)
            ui_->QueueOk();
        const PartnerImportResult r = ImportPartnersCsv(book_, work_ / "partneri.csv");
        EXPECT_EQ(c.done, r.done);
        if (!c.messages.empty()) {
            std::string shown;
            for (std::size_t i = before; i < ui_->Transcript().size(); ++i)
                if (ui_->Transcript()[i].kind.rfind("message", 0) == 0)
                    shown += ui::testing::MessageText(ui_->Transcript()[i]);
            std::string expected;
            for (const std::string& part : c.messages)
                expected += (expected.empty() ? "" : " ") + part;
            EXPECT_EQ(expected, shown);
        }
        if (!c.done) {
            EXPECT_EQ((std::vector<std::string>{"0041"}), Codes(ListDir()));
        }
    }
    EXPECT_EQ((std::vector<std::string>{"0041", "0042", "0043"}), Codes(ListDir()));
    tExtAdresy file(data_, ListDir(), "2024"_t);
    ASSERT_TRUE(file.InitFile(1, storage::_NoWait));
    tVetaExtAdresa r{};
    ASSERT_TRUE(FindAddressByClassification("0042"_t, file, r));
    EXPECT_EQ("Alfa; obchodní společnost s", ToUtf8(r.NAZ_FIRM1));
    EXPECT_EQ("ručením omezeným a dlouhým", ToUtf8(r.NAZ_FIRM2));
    EXPECT_EQ("jménem", ToUtf8(r.NAZ_FIRM3));
    EXPECT_EQ("19-2000145399", ToUtf8(r.BS));
    EXPECT_EQ(800, r.ZVL_DISP);
    EXPECT_EQ("CZ", ToUtf8(r.STAT_ZKRATKA));
    ASSERT_TRUE(FindAddressByClassification("0043"_t, file, r));
    EXPECT_EQ("Slovensko", ToUtf8(r.Stat));
    file.CloseFile();
}

TEST_F(TransferTest, CsvCellsThatLookLikeFormulasAreNeutralised) {
    tVetaExtAdresa r = Address("1", "=HYPERLINK(\"http://x\")", "+420 Brno", "");
    r.ADR_FIRM = "-1+1"_t;
    r.DIC_FIRM = "@SUM"_t;
    const std::string line = AddressCsvLine(r, "=2+2\r\nřádek"_t);
    EXPECT_EQ(
        "1;\"'=HYPERLINK(\"\"http://x\"\")\";;;'@SUM;'-1+1;'+420 Brno;;;;0;;0;0;0;;;"
        "\"'=2+2\r\nřádek\"",
        line);
    EXPECT_EQ(std::string("MATCH_CODE;NAZ_FIRM1;NAZ_FIRM2;ICO;DIC_FIRM;ADR_FIRM;MESTO_FIRM;"
                          "PSC_FIRM;Stat;BS;ZVL_DISP;IBAN;POVAHA;PLATNOST;TYP;TELEF;EMail_ADRESA1;"
                          "NOTES"),
              AddressCsvHeader());
}

}  // namespace
}  // namespace axo::codelists::testing

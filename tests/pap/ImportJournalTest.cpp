// The CSV import of booked document lines: lines and headers as written, refused files and
// repeated lines that change nothing, the replacement of documents, unbalanced documents listed
// or refused, and writes that fail half-way leaving the tables as they were.
#include "pap/ImportJournal.h"

#include "ImportTestSupport.h"

namespace axo::pap::test {
namespace {

const char* const kGood =
    "\xEF\xBB\xBF"
    "Doklad;RADEK;su;ae;md;dal;partner;kod;poznamka;priznak\r\n"
    "202400PS  00001;1;311;100;1500,50;;12345679;;Počáteční stav;0\r\n"
    "202400PS  00001;2;401;0;;1500.5;;;;0\r\n"
    "202403FA01 0012;1;501;100;-200;;;;\"Oprava; storno\";3\r\n"
    "202403FA01 0012;2;321;0;;-200;DE;751;;3\r\n"
    "202412 U01 0001;1;501;100;10;0;;;;\r\n"
    "202412 U01 0001;2;241;0;;10;;851;;\r\n";

class ImportJournalTest : public ImportTest {
  protected:
    JournalImportOptions Options(bool replace = false) {
        JournalImportOptions o;
        o.replace = replace;
        o.firstPeriod = 202401;
        o.lastPeriod = 202412;
        return o;
    }
    JournalImportResult Run(const std::string& csv, const JournalImportOptions& o) {
        ui_.ClearTranscript();
        ui_.QueueOk();
        return ImportJournal(where_, ctx_, ui_, WriteFile("doklady.csv", csv), o);
    }
    std::vector<tVetaUDPO> Lines() { return As<tVetaUDPO>(Dump<tFileUDPO>()); }
    std::vector<tVetaUDHL> Headers() { return As<tVetaUDHL>(Dump<tFileUDHL>()); }
    template <class Record>
    static std::vector<Record> As(const std::vector<std::string>& bytes) {
        std::vector<Record> records(bytes.size());
        for (std::size_t i = 0; i < bytes.size(); ++i)
            std::memcpy(&records[i], bytes[i].data(), sizeof(Record));
        return records;
    }
    bool NoStagingLeft() const {
        for (const auto& e : std::filesystem::directory_iterator(where_.dataDirectory))
            if (e.path().filename().string().starts_with("!IMP_"))
                return false;
        return true;
    }
};

TEST_F(ImportJournalTest, WritesLinesAndOneHeaderPerDocument) {
    const JournalImportResult r = Run(kGood, Options());
    ASSERT_TRUE(r.done) << ui_.TranscriptText();
    EXPECT_EQ(3, r.documents);
    EXPECT_EQ(6, r.lines);
    EXPECT_EQ(std::vector<std::string>{"message 1: HOTOVO!"}, Shown());

    const std::vector<tVetaUDPO> lines = Lines();  // in document order: state, identification
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ("202400PS  00001"_t, lines[0].IDENTIFIKACE.Get());
    EXPECT_EQ(311, lines[0].SU);
    EXPECT_EQ(100, lines[0].AE);
    EXPECT_EQ(1500.5, lines[0].MA_DATI);
    EXPECT_EQ("12345679"_t, lines[0].PARTNER.Get());
    EXPECT_EQ("Počáteční stav"_t, lines[0].POZNAMKA.Get());
    EXPECT_EQ(1500.5, lines[1].DAL);
    EXPECT_EQ("202412 U01 0001"_t, lines[2].IDENTIFIKACE.Get());
    EXPECT_EQ("851"_t, lines[3].KOD.Get());
    EXPECT_EQ(3, lines[4].PRIZNAK);
    EXPECT_EQ(-200, lines[4].MA_DATI);
    EXPECT_EQ("Oprava; storno"_t, lines[4].POZNAMKA.Get());
    EXPECT_EQ("DE"_t, lines[5].PARTNER.Get());

    const std::vector<tVetaUDHL> headers = Headers();
    ASSERT_EQ(3u, headers.size());
    EXPECT_EQ("202400PS  00001"_t, headers[0].IDENTIFIKACE.Get());
    EXPECT_EQ(2, headers[0].POCET_RADKU);
    EXPECT_EQ(1500.5, headers[0].CELKEM_MD);
    EXPECT_EQ(1500.5, headers[0].CELKEM_DAL);
    EXPECT_EQ(3, headers[2].PRIZNAK);
    EXPECT_EQ(" 5. 3.2024"_t, headers[0].OKAMZIK_DATE.Get()) << "the moment of the import";
    EXPECT_EQ("10:00:00:00"_t, headers[0].OKAMZIK_TIME.Get());
    EXPECT_TRUE(NoStagingLeft());
}

TEST_F(ImportJournalTest, BadFilesChangeNothing) {
    ASSERT_TRUE(Run(kGood, Options()).done);
    const auto lines = Dump<tFileUDPO>();
    const auto headers = Dump<tFileUDHL>();
    const std::string head = "doklad;radek;su;ae;md;dal\n";
    struct Case {
        const char* label;
        std::string csv;
        const char* reason;
    } cases[] = {
        {"wrong column", "doklad;radek;su;ae;md;castka\n", "neznámý sloupec \"castka\""},
        {"no lines", head, "soubor neobsahuje žádný řádek dokladu"},
        {"missing column", "doklad;radek;su;ae;md\n", "chybí sloupec \"dal\""},
        {"bad amount", head + "202405ID01 0001;1;501;100;12,3x;\n",
         "řádek 2: neplatná částka \"12,3x\" ve sloupci md"},
        {"thousands", head + "202405ID01 0001;1;501;100;;1.234,50\n",
         "neplatná částka \"1.234,50\" ve sloupci dal"},
        {"three decimals", head + "202405ID01 0001;1;501;100;1,234;\n",
         "neplatná částka \"1,234\""},
        {"account format", head + "202405ID01 0001;1;5011;100;1;\n",
         "řádek 2: hodnota \"5011\" ve sloupci su není celé číslo 0-999"},
        {"analytic format", head + "202405ID01 0001;1;501;1a;1;\n",
         "hodnota \"1a\" ve sloupci ae není celé číslo 0-999"},
        {"empty account", head + "202405ID01 0001;1;;100;1;\n", "chybí hodnota ve sloupci su"},
        {"unmappable", "doklad;radek;su;ae;md;dal;poznamka\n202405ID01 0001;1;501;100;1;;Zboží ✓\n",
         "řádek 2: znak U+2713 nelze zapsat v kódování Windows-1250"},
        {"line twice in the file",
         head + "202405ID01 0001;1;501;100;1;\n202405id01 0001;1;321;0;;1\n",
         "řádek 3: doklad \"202405id01 0001\" řádek 1 je už na řádku souboru 2"},
        {"line exists", head + "202405ID01 0001;1;501;100;1;\n202403FA01 0012;2;321;0;;1\n",
         "řádek 3: doklad \"202403FA01 0012\" řádek 2 už v účetnictví je"},
        {"other year", head + "202305ID01 0001;1;501;100;1;\n",
         "doklad \"202305ID01 0001\" nepatří do účetního období"},
        {"opening of another year", head + "202500PS  00001;1;501;100;1;\n",
         "nepatří do účetního období"},
        {"month 13", head + "202413ID01 0001;1;501;100;1;\n", "má měsíc 13"},
        {"short identification", head + "202405;1;501;100;1;\n", "nemá tvar"},
        {"long identification", head + "202405ID01 000011;1;501;100;1;\n",
         "ve sloupci doklad je delší než 15 znaků"},
        {"line number", head + "202405ID01 0001;100000;501;100;1;\n",
         "hodnota \"100000\" ve sloupci radek není celé číslo 1-99999"},
        {"state differs",
         "doklad;radek;su;ae;md;dal;priznak\n202405ID01 0001;1;501;100;1;;0\n"
         "202405ID01 0001;2;321;0;;1;3\n",
         "řádek 3: doklad \"202405ID01 0001\" má na jiném řádku příznak 0, zde 3"},
        {"long partner",
         "doklad;radek;su;ae;md;dal;partner\n202405ID01 0001;1;501;100;1;;12345678901\n",
         "ve sloupci partner je delší než 10 znaků"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Run(c.csv, Options()).done) << c.label;
        const std::vector<std::string> shown = Shown();
        ASSERT_EQ(1u, shown.size()) << c.label;
        EXPECT_NE(std::string::npos, shown[0].find(c.reason)) << c.label << "\n" << shown[0];
        EXPECT_NE(std::string::npos, shown[0].find("Účetní doklady nebyly změněny.")) << c.label;
        EXPECT_EQ(lines, Dump<tFileUDPO>()) << c.label;
        EXPECT_EQ(headers, Dump<tFileUDHL>()) << c.label;
    }
    EXPECT_TRUE(NoStagingLeft());
}

TEST_F(ImportJournalTest, ReplaceSwapsWholeDocumentsAndNewLinesJoinTheirHeader) {
    ASSERT_TRUE(Run(kGood, Options()).done);
    // The document FA01 0012 had lines 1 and 2 with state 3; it comes back with one line.
    const JournalImportResult r = Run(
        "doklad;radek;su;ae;md;dal;priznak\n202403FA01 0012;1;501;100;50;50;0\n", Options(true));
    ASSERT_TRUE(r.done);
    EXPECT_EQ(1, r.replacedDocuments);
    std::vector<tVetaUDPO> lines = Lines();
    ASSERT_EQ(5u, lines.size());
    EXPECT_EQ("202403FA01 0012"_t, lines[2].IDENTIFIKACE.Get());
    EXPECT_EQ(0, lines[2].PRIZNAK);
    EXPECT_EQ(50, lines[2].MA_DATI);
    std::vector<tVetaUDHL> headers = Headers();
    ASSERT_EQ(3u, headers.size());
    EXPECT_EQ(0, headers[1].PRIZNAK);
    EXPECT_EQ(1, headers[1].POCET_RADKU);

    // Without replace, a new line of an existing document adds to its header.
    ASSERT_TRUE(Run("doklad;radek;su;ae;md;dal\n202400PS  00001;3;021;0;5;5\n", Options()).done);
    headers = Headers();
    ASSERT_EQ(3u, headers.size());
    EXPECT_EQ(3, headers[0].POCET_RADKU);
    EXPECT_EQ(1505.5, headers[0].CELKEM_MD);
    EXPECT_EQ(1505.5, headers[0].CELKEM_DAL);
    EXPECT_EQ(6u, Lines().size());
}

TEST_F(ImportJournalTest, UnbalancedDocumentsAreListedOrRefusedWhenStrict) {
    ASSERT_TRUE(Run(kGood, Options()).done);
    const auto lines = Dump<tFileUDPO>();
    const std::string csv =
        "doklad;radek;su;ae;md;dal\n"
        "202405ID01 0001;1;501;100;100;\n202405ID01 0001;2;321;0;;90\n"  // 10 apart
        "202405ID01 0002;1;501;100;50;\n202405ID01 0002;2;321;0;;50\n"   // balanced
        "202400PS  00001;3;021;0;0,01;\n"                                // tips a kept one
        "202412 U01 0001;3;501;100;5;\n202412 U01 0001;4;241;0;;5\n";    // keeps one balanced

    // Strict: the file is refused, naming each unbalanced document at its first line.
    JournalImportOptions strict = Options();
    strict.strict = true;
    EXPECT_FALSE(Run(csv, strict).done);
    const std::vector<std::string> shown = Shown();
    ASSERT_EQ(1u, shown.size());
    EXPECT_NE(std::string::npos,
              shown[0].find("řádek 2: doklad \"202405ID01 0001\" není vyvážený: MD 100,00, DAL "
                            "90,00 řádek 6: doklad \"202400PS  00001\" není vyvážený"))
        << shown[0];
    EXPECT_EQ(lines, Dump<tFileUDPO>());

    // Otherwise the documents are imported and counted (the command line's test reads the
    // protocol that lists them).
    ui_.ClearTranscript();
    ui_.QueueOk();
    ui_.QueueOk();
    const JournalImportResult r =
        ImportJournal(where_, ctx_, ui_, WriteFile("doklady.csv", csv), Options());
    ASSERT_TRUE(r.done);
    ASSERT_EQ(2u, r.unbalanced.size());
    EXPECT_EQ("202405ID01 0001"_t, r.unbalanced[0].identification);
    EXPECT_EQ(2, r.unbalanced[0].lines);
    EXPECT_EQ(3, r.unbalanced[1].lines) << "the kept lines count";
    EXPECT_EQ(1500.51, r.unbalanced[1].md);
    EXPECT_EQ(1500.5, r.unbalanced[1].dal);
    EXPECT_EQ(7u + 6u, Lines().size());
    EXPECT_EQ("message 1: Nevyvážených dokladů (strana MÁ DÁTI se liší od strany DAL): 2.",
              Shown().front());
}

TEST_F(ImportJournalTest, FailingWriteLeavesTheTablesAsTheyWere) {
    ASSERT_TRUE(Run(kGood, Options()).done);
    const auto lines = Dump<tFileUDPO>();
    const auto headers = Dump<tFileUDHL>();
    const std::string csv =
        "doklad;radek;su;ae;md;dal\n"
        "202405ID01 0001;1;501;100;1;\n202405ID01 0001;2;321;0;;1\n"
        "202406ID01 0002;1;501;100;2;\n202406ID01 0002;2;321;0;;2\n";
    // 3 old headers, 2 new ones, 6 old lines, 4 new ones: a failure at every write.
    for (int failAt = 1; failAt <= 15; ++failAt) {
        JournalImportOptions o = Options(failAt % 2 == 0);
        o.afterStagedWrite = [failAt](int writes) {
            if (writes == failAt)
                throw ui::ProgramEnded{1};
        };
        ui_.ClearTranscript();
        EXPECT_THROW(ImportJournal(where_, ctx_, ui_, WriteFile("d.csv", csv), o), ui::ProgramEnded)
            << failAt;
        EXPECT_EQ(lines, Dump<tFileUDPO>()) << failAt;
        EXPECT_EQ(headers, Dump<tFileUDHL>()) << failAt;
        EXPECT_TRUE(NoStagingLeft()) << failAt;
    }
    // The next import finds the tables free and whole.
    EXPECT_TRUE(Run(csv, Options()).done);
    EXPECT_EQ(10u, Lines().size());
}

TEST_F(ImportJournalTest, TablesInUseChangeNothing) {
    ASSERT_TRUE(Run(kGood, Options()).done);
    const auto lines = Dump<tFileUDPO>();
    tFileUDPO other(ctx_, where_);
    ASSERT_TRUE(other.InitFile(1, storage::_NoWait));
    const std::string csv = "doklad;radek;su;ae;md;dal\n202405ID01 0001;1;501;100;1;\n";

    JournalImportOptions o = Options();
    o.askRetry = false;
    EXPECT_FALSE(Run(csv, o).done);
    EXPECT_EQ(std::vector<std::string>{"message 2: Soubory účetních dokladů nelze otevřít pro "
                                       "exkluzivní přístup."},
              Shown());

    ui_.ClearTranscript();
    ui_.QueueButton(1);  // try again: still held
    ui_.QueueButton(2);  // give up
    EXPECT_FALSE(ImportJournal(where_, ctx_, ui_, WriteFile("d.csv", csv), Options()).done);
    EXPECT_EQ(2u, Shown().size());
    other.CloseFile();
    EXPECT_EQ(lines, Dump<tFileUDPO>());
}

}  // namespace
}  // namespace axo::pap::test

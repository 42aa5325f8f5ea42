// The conventions of the export (formatting, envelope, header), the parameter dialog with its
// fields, checks, messages and vault, and the export procedure's refusals and questions.
#include <gtest/gtest.h>

#include "PartRows.h"

namespace axo::xml::test {
namespace {

std::string Answer(const std::string& steps) {
    return steps + " key:F2";
}

TEST(XmlFormatTest, Amounts) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0.00"},
        {-12.5, "-12.50"},
        {1234.567, "1234.57"},
        {1000.5, "1000.50"},
        {-0.004, "0.00"},
        {1e9, "1000000000.00"},
        {-1234567.891, "-1234567.89"},
        {0.005, "0.01"},
        {-0.005, "-0.01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, XmlAmount(c.value)) << c.value;
}

TEST(XmlFormatTest, TextsDatesAndIndents) {
    EXPECT_EQ("\xC5\xA0kola &amp; spol", XmlText("Škola & spol"_t));
    EXPECT_EQ("&quot;A&quot; &lt;b&gt; it's", XmlText("\"A\" <b> it's"_t));
    EXPECT_EQ(std::string(125, 'x'), XmlText(Text(130, 'x')));
    EXPECT_EQ("2024-03-05", StatementDateIso(" 5. 3.2024"_t));
    EXPECT_EQ("2023-12-31", StatementDateIso("31.12.2023"_t));
    EXPECT_EQ("2024-02-29", LastDayIso(2, 2024));
    EXPECT_EQ("2023-02-28", LastDayIso(2, 2023));
    EXPECT_EQ("\t" + std::string(26, ' ') + "\t", Indent("1t 26s 1t"));
    EXPECT_EQ("\t\t\t\t\t\t     ", Indent("6t 5s"));
}

class EnvelopeTest : public XmlTest {
  protected:
    std::string Envelope(const XmlExportParams& p, const TransferIds& ids) {
        XmlLines f;
        WriteEnvelopeHead(f, "031", p, ids, "2024-03-05T09:07:06Z");
        WriteBodyOpening(f, *FindPart(10));
        WriteStatementHeader(f, p, {"2024-03-05", "2023-12-31"});
        f.Line("\t\t\t\t</VykazPAPDetailP10>");
        WriteEnvelopeTail(f);
        WriteBytes(out_ / "envelope.xml", f.Bytes());
        return f.Bytes();
    }
};

TEST(EnvelopePhoneTest, OnlyWhatTheEnvelopeSchemaAccepts) {
    struct Case {
        const char* typed;
        const char* expected;
    } cases[] = {
        {"777 123 456", "777123456"},
        {"+420 777 123 456", "00420777123456"},
        {"(02) 123-456", "02123456"},
        {"TE 777 123 456", "TE777123456"},
        {"   ", ""},
        {"12", ""},
        {"1 2", ""},
        {"+1", "001"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FromUtf8(c.expected), EnvelopePhone(FromUtf8(c.typed))) << c.typed;
}

TEST_F(EnvelopeTest, OptionalLinesAndTheTelephone) {
    XmlExportParams p = Params();
    std::string bytes = Envelope(p, {"ab12"_t, {}});
    EXPECT_EQ(std::string::npos, bytes.find("ReferenceTransactionId"));
    EXPECT_NE(std::string::npos,
              bytes.find("\t\t\t\t<iissp:PhoneNumber>777123456</iissp:PhoneNumber>\r\n"));
    EXPECT_NE(std::string::npos,
              bytes.find("\t\t\t\t\t\t     <stm:OsobaKontaktniTelefon>777 123 456</"
                         "stm:OsobaKontaktniTelefon>\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("\t\t\t\t\t\t<stm:Kapitola>333</stm:Kapitola>\r\n"));
    EXPECT_EQ(0, Xmllint(out_ / "envelope.xml", true));

    p.telephone = "   "_t;
    p.budgetChapter = Text();
    bytes = Envelope(p, {"ab12"_t, "cd34"_t});
    EXPECT_NE(std::string::npos,
              bytes.find("\t\t<iissp:TransactionId>ab12</iissp:TransactionId>\r\n"
                         "\t\t<iissp:ReferenceTransactionId>cd34</iissp:ReferenceTransactionId>\r\n"
                         "\t\t<msg:DateTimeCreated>"));
    EXPECT_EQ(std::string::npos, bytes.find("PhoneNumber"));
    EXPECT_EQ(std::string::npos, bytes.find("Kapitola"));
    EXPECT_NE(std::string::npos, bytes.find("<stm:OsobaKontaktniTelefon>   </"));
    EXPECT_EQ(0, Xmllint(out_ / "envelope.xml", true));
}

TEST_F(EnvelopeTest, TheBuiltInCheckRefusesWhatTheSchemaRefuses) {
    // Each case breaks one value; xmllint with the published schema is the referee.
    const struct {
        const char* field;
        const char* value;
        const char* expected;  ///< part of the message; empty when the envelope is valid
    } cases[] = {
        {"", "", ""},
        {"ico", "1234567", "řádek 12, prvek iissp:IC: hodnota má 7 znaků, schéma žádá nejméně 8"},
        {"ico", "abcdefgh", "prvek iissp:IC: hodnota „abcdefgh“ nemá tvar, který schéma"},
        {"zo", "1234567890123456", "prvek iissp:PersonId: hodnota má 16 znaků, schéma dovoluje"},
        {"email", "not-an-email", "prvek iissp:Email: hodnota „not-an-email“ nemá tvar"},
        {"transaction", "", "prvek iissp:TransactionId: hodnota má 0 znaků"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + "=" + c.value);
        XmlExportParams p = Params();
        TransferIds ids{"ab12"_t, {}};
        const Text value = FromUtf8(c.value);
        const std::string field = c.field;
        if (field == "ico")
            p.ico = value;
        else if (field == "zo")
            p.zoNumber = value;
        else if (field == "email")
            p.email = value;
        else if (field == "transaction")
            ids.transactionId = value;
        const std::string bytes = Envelope(p, ids);
        const std::optional<XmlProblem> problem = CheckXml(bytes, XmlKind::Message);
        EXPECT_EQ(*c.expected == 0, Xmllint(out_ / "envelope.xml", true) == 0);
        if (!*c.expected) {
            EXPECT_FALSE(problem) << problem->detail;
            continue;
        }
        ASSERT_TRUE(problem);
        EXPECT_TRUE(problem->schema);
        const std::string text = ToUtf8(DescribeXmlProblem("X.xml"_t, *problem));
        EXPECT_EQ(0u, text.find("Obálka zprávy v souboru X.xml neodpovídá schématu ústředního "
                                "systému.\r"))
            << text;
        EXPECT_NE(std::string::npos, text.find(c.expected)) << text;
    }
}

TEST(XmlCheckTest, DocumentsThatAreNoXmlOrNameOtherFiles) {
    const struct {
        const char* bytes;
        XmlKind kind;
        const char* expected;  ///< part of the message; empty when the document passes
    } cases[] = {
        {"<?axo-pap obdobi=\"1-12\" rok=\"2024\"?>\r\n<Cast4>\r\n</Cast4>\r\n", XmlKind::Fragment,
         ""},
        {"<Cast4>\r\n<Sloupec533>\r\n</Sloupec433>\r\n</Cast4>\r\n", XmlKind::Fragment,
         "řádek 3: Opening and ending tag mismatch: Sloupec533"},
        {"", XmlKind::Fragment, "soubor je prázdný"},
        {"<Cast4>", XmlKind::Fragment, "řádek 1"},
        // Nothing a document names is read: no external DTD, no external entity.
        {"<!DOCTYPE Cast4 SYSTEM \"/etc/passwd\"><Cast4/>", XmlKind::Fragment,
         "deklarace typu dokumentu (DOCTYPE) není dovolena"},
        {"<!DOCTYPE Cast4 [<!ENTITY e SYSTEM \"/etc/hostname\">]><Cast4>&e;</Cast4>",
         XmlKind::Fragment, "deklarace typu dokumentu (DOCTYPE) není dovolena"},
        // A well-formed document that is no message.
        {"<Cast4/>", XmlKind::Message,
         "neodpovídá schématu ústředního systému.\rřádek 1, prvek "
         "Cast4: No matching global declaration"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::optional<XmlProblem> problem = CheckXml(c.bytes, c.kind);
        if (!*c.expected) {
            EXPECT_FALSE(problem);
            continue;
        }
        ASSERT_TRUE(problem);
        const std::string text = ToUtf8(DescribeXmlProblem("PAP_Cast4.xml"_t, *problem));
        EXPECT_NE(std::string::npos, text.find(c.expected)) << text;
    }
}

TEST_F(EnvelopeTest, NoInputBreaksTheXml) {
    XmlExportParams p = Params();
    p.unitName = "<Škola> & \"spol\" 'a' ]]>"_t;
    p.responsiblePerson = "Ja</iissp:PersonName>"_t;
    p.email = "a&b@c.cz"_t;
    Envelope(p, {"ab12"_t, {}});
    EXPECT_EQ(0, Xmllint(out_ / "envelope.xml", false));
}

// ---- The dialog ------------------------------------------------------------------------------

class ExportDialogTest : public XmlTest {
  protected:
    /// Runs the dialog of `type` with the answers; the block and identifiers handed back.
    bool Edit(std::string_view type, std::initializer_list<std::string> answers) {
        for (const std::string& a : answers)
            ui_->QueueDialog(a);
        return EditExportParams(ctx_, type, params_, ids_);
    }
    /// The captions of the fields the last dialog showed.
    std::vector<std::string> Fields() const {
        std::vector<std::string> captions;
        for (const ui::TranscriptEntry& e : ui_->Transcript()) {
            if (e.kind != "dialog")
                continue;
            captions.clear();
            for (const std::string& line : e.lines)
                if (line.find('[') != std::string::npos && line.rfind("[x]", 0) != 0 &&
                    line.rfind("[ ]", 0) != 0)
                    captions.push_back(line.substr(0, line.find('[')));
        }
        return captions;
    }

    XmlExportParams params_{};
    TransferIds ids_;
};

TEST_F(ExportDialogTest, FieldsOfEachRecordType) {
    const std::vector<std::string> organisation = {
        "IČO :                    ", "Název účetní jednotky :  ", "Zodpovědná osoba :       ",
        "E-mail :                 ", "Telefon :                ", "Identifikační číslo ZO : ",
        "Kapitola st. rozpočtu:   ", "Identifikátor přenosu :  ", "Referenční id. přenosu : "};
    const auto with = [&](std::vector<std::string> head, std::vector<std::string> tail = {}) {
        head.insert(head.end(), organisation.begin(), organisation.end());
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const std::string date = "Výkaz sestaven ke dni : ";
    const struct {
        int year;
        const char* type;
        std::vector<std::string> fields;
    } cases[] = {
        {2023, "030", {""}},
        {2023, "031", with({""})},
        {2023, "035", with({date, ""})},
        {2023, "038", with({date, ""})},
        {2023, "888", with({date, ""})},
        {2013, "888", with({date, ""})},
        {2013, "034", with({""})},
        {2023, "999",
         with({"Zpracovat do období     ", ""}, {"I.          ", "II. a III.  ", "IV. až IX.  "})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + std::to_string(c.year));
        ctx_.fiscalYear = c.year;
        EXPECT_FALSE(Edit(c.type, {"key:Esc"}));
        EXPECT_EQ(c.fields, Fields());
    }
}

TEST_F(ExportDialogTest, ChecksStopAtTheFirstFaultAndPointAtItsField) {
    // The second answer types into the field the check pointed at.
    const struct {
        const char* answer;
        const char* message;
        const char* fix;
        const char* fixed;
    } cases[] = {
        {"ico=", "Položka <IČO> není vyplněná!", "type:87654321", "87654321"},
        {"ico=123456789", "Položka <IČO> může mít maximálně 8 znaků!", "type:87654321", "87654321"},
        {"nazev= ico=", "Položka <IČO> není vyplněná!", "type:87654321 nazev=Škola", "87654321"},
        {"nazev=", "Položka <Název účetní jednotky> není vyplněná!", "type:Škola", "Škola"},
        {"osoba=", "Položka <Zodpovědná osoba> není vyplněná!", "type:Jan", "Jan"},
        // What the envelope schema refuses is refused here, where it can be mended.
        {"ico=1234567", "Položka <IČO> musí obsahovat právě 8 číslic!", "type:87654321",
         "87654321"},
        {"ico=abcdefgh", "Položka <IČO> musí obsahovat právě 8 číslic!", "type:87654321",
         "87654321"},
        {"ico=\"1234 567\"", "Položka <IČO> musí obsahovat právě 8 číslic!", "type:87654321",
         "87654321"},
        {"email=", "Položka <Email> není vyplněná!", "type:a@b.cz", "a@b.cz"},
        {"email=not-an-email",
         "Položka <Email> nemá tvar e-mailové adresy jméno@doména (písmena bez diakritiky, "
         "číslice a znaky . _ -)!",
         "type:a@b.cz", "a@b.cz"},
        {"email=jana.nováková@skola.cz",
         "Položka <Email> nemá tvar e-mailové adresy jméno@doména (písmena bez diakritiky, "
         "číslice a znaky . _ -)!",
         "type:a@b.cz", "a@b.cz"},
        {"email=@skola.cz",
         "Položka <Email> nemá tvar e-mailové adresy jméno@doména (písmena bez diakritiky, "
         "číslice a znaky . _ -)!",
         "type:a@b.cz", "a@b.cz"},
        {"zo=", "Položka <Identifikační číslo ZO> není vyplněná!", "type:77", "77"},
        {"zo=1234567890123456", "Položka <Identifikační číslo ZO> může mít nejvýše 15 číslic!",
         "type:77", "77"},
        {"transakce=", "Položka <Identifikátor přenosu> není vyplněná!", "type:ab", "ab"},
    };
    StoreParams(Params());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        ui_->ClearTranscript();
        ui_->QueueDialog(Answer(std::string("transakce=ff ") + c.answer));
        ui_->QueueOk();
        ui_->QueueDialog(Answer(c.fix));
        EXPECT_TRUE(EditExportParams(ctx_, "031", params_, ids_));
        EXPECT_EQ(std::vector<std::string>{c.message}, Messages());
        const std::vector<Text> values = {
            params_.ico,   params_.unitName, params_.responsiblePerson,
            params_.email, params_.zoNumber, ids_.transactionId};
        EXPECT_NE(values.end(), std::find(values.begin(), values.end(), FromUtf8(c.fixed)));
    }
    EXPECT_TRUE(Edit("031", {Answer("transakce=ff ico=12345678")}));
    EXPECT_EQ("12345678"_t, params_.ico.Get());
}

TEST_F(ExportDialogTest, DefaultsOfANewBlockAndWhatTheVaultKeeps) {
    ui_->QueueDialog(Answer("osoba=Jan email=jan@skola.cz zo=42 transakce=AB12"));
    ui_->QueueButton(1);  // create the missing directory
    ASSERT_TRUE(EditExportParams(ctx_, "888", params_, ids_));
    const Text target = FromUtf8((dir_ / "data" / "Vykazy_XML" / "").string());
    EXPECT_EQ(target, params_.targetDirectory.Get());
    EXPECT_TRUE(fs::is_directory(dir_ / "data" / "Vykazy_XML"));
    EXPECT_EQ("87654321"_t, params_.ico.Get());
    EXPECT_EQ("Firma z instalace"_t, params_.unitName.Get());
    EXPECT_EQ("601222333"_t, params_.telephone.Get());
    EXPECT_EQ("15. 1.2024"_t, params_.statementDate.Get());
    EXPECT_EQ("AB12"_t, ids_.transactionId);
    EXPECT_EQ(" Zadaná cesta neexistuje ", ui_->Transcript()[1].lines.at(0));
    // The rest comes back from the vault; each message is offered a new identifier of 32
    // hexadecimal characters, accepted as it stands.
    EXPECT_TRUE(StoredParams().responsiblePerson == params_.responsiblePerson);
    std::vector<std::string> offered;
    for (int i = 0; i < 2; ++i) {
        ui_->QueueDialog(Answer(""));
        ASSERT_TRUE(EditExportParams(ctx_, "888", params_, ids_));
        offered.push_back(ToUtf8(ids_.transactionId));
        EXPECT_EQ(32u, offered.back().size());
        EXPECT_EQ(std::string::npos, offered.back().find_first_not_of("0123456789abcdef"));
    }
    EXPECT_NE(offered[0], offered[1]);
}

TEST_F(ExportDialogTest, ARelativeDirectoryIsStoredAsTypedAndHandedBackAbsolute) {
    StoreParams(Params());
    ui_->QueueDialog(Answer("adresar=vystup transakce=1"));
    ui_->QueueButton(2);  // a new entry instead of creating it
    ui_->QueueDialog("key:Esc");
    EXPECT_FALSE(EditExportParams(ctx_, "031", params_, ids_));
    EXPECT_FALSE(fs::exists(dir_ / "vystup"));

    ui_->QueueDialog(Answer("adresar=vystup transakce=1"));
    ui_->QueueButton(1);
    ASSERT_TRUE(EditExportParams(ctx_, "031", params_, ids_));
    EXPECT_TRUE(fs::is_directory(dir_ / "vystup"));
    EXPECT_EQ(FromUtf8((dir_ / "vystup" / "").string()), params_.targetDirectory.Get());
    EXPECT_EQ("vystup"_t, StoredParams().targetDirectory.Get());
}

TEST_F(ExportDialogTest, TheDirectoryPickerFillsTheField) {
    StoreParams(Params());
    fs::create_directories(dir_ / "vybrany");
    ui_->QueueDialog("click:vyberAdresar");
    ui_->QueueValue((dir_ / "vybrany").string());
    ui_->QueueDialog("key:F2");
    ASSERT_TRUE(EditExportParams(ctx_, "030", params_, ids_));
    EXPECT_EQ(FromUtf8((dir_ / "vybrany" / "").string()), params_.targetDirectory.Get());
}

TEST_F(ExportDialogTest, ADriveThatIsNotReady) {
    StoreParams(Params());
    driveReady_ = false;
    ui_->QueueDialog(Answer("transakce=1"));
    ui_->QueueButton(2);
    EXPECT_FALSE(EditExportParams(ctx_, "031", params_, ids_));
    EXPECT_EQ(" Mechanika nepřipravena ", ui_->Transcript().back().lines.at(0));

    ui_->QueueDialog(Answer("transakce=1"));
    ui_->QueueButton(1);  // again: back to the dialog
    driveReady_ = true;
    ui_->QueueDialog("key:F2");
    EXPECT_TRUE(EditExportParams(ctx_, "031", params_, ids_));
}

TEST_F(ExportDialogTest, TheBatchDialogSetsTheDateAndChecksThePrintForms) {
    XmlExportParams stored = Params();
    stored.formI = "vykaz1.pts"_t;
    stored.formII_III = "vykaz2.pts"_t;
    stored.formIV_IX = "vykaz4.pts"_t;
    StoreParams(stored);
    // The default month closes the quarter of the program date (January: March).
    ASSERT_TRUE(Edit("999", {Answer("tisk=0 transakce=1")}));
    EXPECT_EQ("31.03.2023"_t, params_.statementDate.Get());
    EXPECT_TRUE(params_.formI.Get().empty() && params_.formIV_IX.Get().empty());

    StoreParams(stored);
    fs::create_directories(dir_ / "sablony");
    WriteBytes(dir_ / "sablony" / "vykaz1.pts", "");
    WriteBytes(dir_ / "sablony" / "vykaz4.pts", "");
    ui_->ClearTranscript();
    ui_->QueueDialog(Answer("mesic=2 transakce=1"));
    ui_->QueueOk();
    ui_->QueueDialog(Answer("type:vykaz4.pts"));
    ASSERT_TRUE(EditExportParams(ctx_, "999", params_, ids_));
    const std::string missing = (dir_ / "sablony" / "vykaz2.pts").string();
    EXPECT_EQ(std::vector<std::string>{"Soubor <" + missing + "> neexistuje!"}, Messages());
    EXPECT_EQ("28.02.2023"_t, params_.statementDate.Get());
    EXPECT_EQ("vykaz4.pts"_t, params_.formII_III.Get());
}

TEST_F(ExportDialogTest, TheBatchShowsStatementsForPrintingOnlyWhenAFormCanBeFound) {
    // No form stored, no template directory: unticked, and the dialog is accepted as it stands.
    StoreParams(Params());
    ASSERT_TRUE(Edit("999", {Answer("")}));
    EXPECT_TRUE(params_.formI.Get().empty() && params_.formIV_IX.Get().empty());
    // Ticked by the user without a template directory: the directory is named as one.
    ui_->ClearTranscript();
    ui_->QueueDialog(Answer("tisk=1"));
    ui_->QueueOk();
    ui_->QueueDialog(Answer("tisk=0"));
    ASSERT_TRUE(EditExportParams(ctx_, "999", params_, ids_));
    const std::string directory = (dir_ / "sablony").string() + "/";
    EXPECT_EQ(std::vector<std::string>{"Adresář <" + directory + "> neexistuje!"}, Messages());
    // The catalogue's default forms fill the empty fields, and the box starts ticked.
    fs::create_directories(dir_ / "sablony");
    WriteBytes(dir_ / "sablony" / "pap.pts", "");
    std::vector<unsigned> masks;
    ctx_.defaultForm = [&masks](unsigned mask) -> std::optional<Text> {
        masks.push_back(mask);
        return mask == 24 ? std::optional<Text>() : std::optional<Text>("pap.pts"_t);
    };
    ui_->ClearTranscript();
    ui_->QueueDialog(Answer(""));
    ui_->QueueOk();
    ui_->QueueDialog(Answer("formIV_IX=pap.pts"));
    ASSERT_TRUE(EditExportParams(ctx_, "999", params_, ids_));
    EXPECT_EQ((std::vector<unsigned>{2, 4, 24}), masks);
    EXPECT_EQ(std::vector<std::string>{"Položka <Tiskový formulář pro výkazy IV. až IX.> není "
                                       "vyplněná!"},
              Messages());
    EXPECT_EQ("pap.pts"_t, params_.formI.Get());
    EXPECT_EQ("pap.pts"_t, params_.formII_III.Get());
    EXPECT_EQ("pap.pts"_t, params_.formIV_IX.Get());
}

// ---- The export procedure ------------------------------------------------------------------

class ExportTest : public XmlTest {};

TEST_F(ExportTest, AnEmptyResultFileWritesNothing) {
    auto file = ResultFile(1, {});
    ui_->QueueOk();
    EXPECT_FALSE(ExportStatementXml(ctx_, file.get(), false, {}, 0));
    EXPECT_EQ(std::vector<std::string>{"Soubor s výkazem je prázdný. Soubor nebude vytvořen!"},
              Messages());
    EXPECT_TRUE(Entries(out_).empty());
    file->DeleteFile();
}

TEST_F(ExportTest, AFragmentAsksOnlyForTheDirectoryAndHasNoDeclaration) {
    const auto written = Export(5, PartRows(5, 2023));
    ASSERT_TRUE(written);
    const ui::TranscriptEntry& dialog = ui_->Transcript().front();
    ASSERT_EQ("dialog", dialog.kind);
    for (const std::string& line : dialog.lines)
        EXPECT_EQ(std::string::npos, line.find("IČO")) << line;
    // The first line keeps the period for the summary; the part's element follows.
    const std::string bytes = ReadBytes(*written);
    EXPECT_EQ(0u, bytes.find("<?axo-pap obdobi=\"1-12\" rok=\"2023\"?>\r\n\t" +
                             std::string(26, ' ') + "\t<Cast5>\r\n"));
    EXPECT_EQ("Soubor PAP_Cast5.xml s výkazem byl uložen do adresáře " + out_.string() + "/.",
              Messages().back());
}

TEST_F(ExportTest, LeavingTheDialogWritesNothing) {
    StoreParams(Params());
    auto file = ResultFile(10, PartRows(10, 2023));
    ui_->QueueDialog("key:Esc");
    ui_->QueueOk();
    EXPECT_FALSE(ExportStatementXml(ctx_, file.get(), false, {}, 0));
    EXPECT_EQ(std::vector<std::string>{"Nebyly zadány parametry pro sestavení souboru pro CSÚIS. "
                                       "Soubor nebude vytvořen!"},
              Messages());
    EXPECT_TRUE(Entries(out_).empty());
    file->DeleteFile();
}

TEST_F(ExportTest, ASecondExportAsksBeforeReplacingTheFile) {
    ASSERT_TRUE(Export(11, PartRows(11, 2023)));
    const fs::path target = out_ / "PAP_CastXI.xml";
    WriteBytes(target, "older");
    auto file = ResultFile(11, PartRows(11, 2023));
    ui_->QueueDialog(Answer("transakce=1"));
    ui_->QueueButton(2);
    EXPECT_FALSE(ExportStatementXml(ctx_, file.get(), false, {}, 0));
    EXPECT_EQ(" Na zadané cestě již soubor PAP_CastXI.xml existuje.", Messages().back());
    EXPECT_EQ("older", ReadBytes(target));

    ui_->QueueDialog(Answer("transakce=1"));
    ui_->QueueButton(1);
    ui_->QueueOk();
    EXPECT_TRUE(ExportStatementXml(ctx_, file.get(), false, {}, 0));
    EXPECT_NE("older", ReadBytes(target));

    file->DeleteFile();

    // In batch (fragments only) the block is given and the file replaced without a word.
    const fs::path fragment = out_ / "PAP_Cast1.xml";
    WriteBytes(fragment, "older");
    ui_->ClearTranscript();
    file = ResultFile(1, PartRows(1, 2023));
    EXPECT_TRUE(ExportStatementXml(ctx_, file.get(), true, Params(), 0));
    EXPECT_TRUE(ui_->Transcript().empty());
    EXPECT_NE("older", ReadBytes(fragment));
    EXPECT_EQ((std::vector<std::string>{"PAP_Cast1.xml", "PAP_CastXI.xml"}), Entries(out_));
    file->DeleteFile();
}

TEST_F(ExportTest, RefusedParts) {
    const struct {
        int year;
        int cislo;
        int given;
        const char* message;
    } cases[] = {
        {2022, 0, 17, "Výkaz č. XVII se od roku 2022 nepodává (byl zrušen)"},
        {2021, 14, 0,
         "Neznámý typ výkazu <XIV. Přehled majetkových účastí a jejich změn>. Soubor nebude "
         "vytvořen!"},
        {2023, 0, 0, "Neznámý typ výkazu <>. Soubor nebude vytvořen!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ctx_.fiscalYear = c.year;
        ui_->ClearTranscript();
        ui_->QueueOk();
        // A result of part XIV can only be made under another part's file kind.
        auto file = c.cislo ? ResultFile(1, {Zorvi(c.cislo, 1, "1", c.year)}) : nullptr;
        EXPECT_FALSE(ExportStatementXml(ctx_, file.get(), false, {}, c.given));
        EXPECT_EQ(std::vector<std::string>{c.message}, Messages());
        if (file)
            file->DeleteFile();
    }
    EXPECT_TRUE(Entries(out_).empty());
}

}  // namespace
}  // namespace axo::xml::test

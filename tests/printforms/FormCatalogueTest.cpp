// The print form catalogue and picker: form types and template kinds, template file names, the
// template catalogue's order (never the directory's), the forms file's choice between names
// that differ only in case, the entries collected by kind and mask, the one-entry shortcut,
// the list window, the picker entries in the document vault and printing with a chosen or a
// default form.
#include <gtest/gtest.h>

#include "FormsTestSupport.h"
#include "printforms/FormCatalogue.h"
#include "printforms/FormPicker.h"
#include "printforms/FormTypes.h"

namespace axo::printforms {
namespace {

using testing::WriteFile;
namespace fs = std::filesystem;

TEST(FormTypesTest, TypesKindsAndTemplateNames) {
    struct Type {
        const char* text;
        int number;
    } types[] = {
        {"POKLADNA", 0},      {" pap_vykazy ", 58}, {"UCROZVRH", 31}, {"EXADRESY", 36},
        {"POKLUCPLATEB", 59}, {"31", 31},           {"6", 65535},     {"60", 65535},
        {"", 65535},          {"NEZNAMY", 65535},
    };
    for (const Type& t : types)
        EXPECT_EQ(t.number, ParseFormType(FromUtf8(t.text))) << t.text;
    EXPECT_EQ(""_t, FormTypeName(6));
    EXPECT_EQ("PAP_VYKAZY"_t, FormTypeName(58));

    struct Kind {
        int type;
        const char* word;
        int kind;
    } kinds[] = {
        {58, "XI", 64},
        {58, " iv-ix ", 24},
        {58, "IV-IX-KOMPLET", 24},
        {58, "", 1},
        {58, "NECO", 0},
        {3, "predkontacesz", 8192},
        {16, "PREDKONTACE", 4096},
        {4, "XI", 0},
        {0, "PRIJEM", 2},
        {37, "FU", 4},
        {51, "ODESLANI", 4},
    };
    for (const Kind& k : kinds)
        EXPECT_EQ(k.kind, TemplateKind(k.type, FromUtf8(k.word))) << k.type << " " << k.word;

    struct Name {
        const char* file;
        const char* type;
        const char* variant;
    } names[] = {
        {"PAP_VYKAZY IV-IX Výkaz IV až IX.pts", "PAP_VYKAZY", "IV-IX"},
        {"PAP_VYKAZY.pts", "PAP_VYKAZY", ""},
        {"PAP_VYKAZY XI.pts", "PAP_VYKAZY", "XI"},
        {"FAKTURA", "FAKTURA", ""},
    };
    for (const Name& n : names) {
        const TemplateFileName words = SplitTemplateFileName(FromUtf8(n.file));
        EXPECT_EQ(FromUtf8(n.type), words.typeWord) << n.file;
        EXPECT_EQ(FromUtf8(n.variant), words.variantWord) << n.file;
    }
}

class FormCatalogueTest : public testing::FormsTest {
  protected:
    FormCatalogueTest() {
        fs::create_directories(Forms());
        fs::create_directories(Templates() / "ADRESAR.pts");
        for (const char* name :
             {"PAP_VYKAZY XI Výkaz XI.pts", "PAP_VYKAZY I SQL.PTS", "pap_vykazy.PTS",
              "PAP_VYKAZY.pts", "NEZNAMY X.pts", "EXADRESY.pts", "poznamky.txt"})
            WriteFile(Templates() / name, "");
        listWindow_.listing = &listing_;
        env_.catalogue = &catalogue_;
        env_.listWindow = &listWindow_;
        env_.print = print_;
        env_.storeEntry = [this](int item, const std::vector<std::uint8_t>& block) {
            stored_.emplace_back(item, block);
        };
        env_.clearEntries = [this] { stored_.clear(); };
    }

    fs::path Forms() const { return work_ / "ciselniky"; }
    fs::path Templates() const { return work_ / "sablony"; }

    /// Adds a form as it stands, without the replacing of StoreForm.
    void AddRaw(int type, const char* name, std::uint16_t kind,
                const char* body = ".RADEK\nx\n.KONEC\n") {
        tFileFormular file(data_, Forms(), "2024"_t);
        ASSERT_TRUE(file.InitFile(2, storage::_NoWait));
        tVetaFormular r;
        r.Typ = FormTypeName(type);
        r.Druh = kind;
        r.Nazev = FromUtf8(name);
        r.Popis1 = "popis"_t;
        file.SetContent(FromUtf8(body));
        std::int32_t n = 0;
        ASSERT_TRUE(file.AddRec(n, &r));
        file.CloseFile();
    }

    static std::vector<std::string> Names(const std::vector<CatalogueEntry>& entries) {
        std::vector<std::string> names;
        for (const CatalogueEntry& e : entries)
            names.push_back(ToUtf8(e.IsTemplate() ? e.fileName : e.name));
        return names;
    }

    FormCatalogue catalogue_{data_, Forms(), "2024"_t, Templates()};
    ui::ListWindowEnvironment listWindow_;
    FormPickerEnvironment env_;
    std::vector<std::pair<int, std::vector<std::uint8_t>>> stored_;
};

TEST_F(FormCatalogueTest, TemplatesInTheirOwnOrderBuiltOnce) {
    std::vector<std::string> names;
    std::vector<int> types;
    for (const TemplateEntry& t : catalogue_.Templates().Entries()) {
        names.push_back(ToUtf8(t.fileName));
        types.push_back(t.type);
    }
    // "pap_vykazy.PTS" gives the key of "PAP_VYKAZY.pts", which comes first in byte order.
    EXPECT_EQ((std::vector<std::string>{"EXADRESY.pts", "PAP_VYKAZY.pts",
                                        "PAP_VYKAZY XI Výkaz XI.pts", "NEZNAMY X.pts"}),
              names);
    EXPECT_EQ((std::vector<int>{36, 58, 58, 65535}), types);
    WriteFile(Templates() / "EXADRESY KARTA.pts", "");
    EXPECT_EQ(4u, catalogue_.Templates().Entries().size());  // later files are not seen
}

TEST_F(FormCatalogueTest, EntriesByKindAndMask) {
    AddRaw(58, "TEXTOVY", 0);
    AddRaw(58, "JEN XI", 64);
    AddRaw(31, "ROZVRH", 0);
    ASSERT_TRUE(catalogue_.Open());
    struct Case {
        int type;
        int mask;
        std::vector<std::string> names;
    } cases[] = {
        {58, 64, {"JEN XI", "TEXTOVY", "PAP_VYKAZY.pts", "PAP_VYKAZY XI Výkaz XI.pts"}},
        {58, 32, {"TEXTOVY", "PAP_VYKAZY.pts"}},
        {58, 0, {"TEXTOVY", "PAP_VYKAZY.pts"}},  // kind 0 and no variant word fit mask 0
        {31, 0, {"ROZVRH"}},
        {36, 0, {"EXADRESY.pts"}},
        {65535, 0xFFFF, {}},  // an unknown type word is never offered
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.names, Names(catalogue_.Collect(c.type, static_cast<std::uint16_t>(c.mask))))
            << c.type << "/" << c.mask;
    catalogue_.offerTemplates = false;
    EXPECT_EQ((std::vector<std::string>{"JEN XI", "TEXTOVY"}), Names(catalogue_.Collect(58, 64)));
}

TEST_F(FormCatalogueTest, NamesDifferingInCaseDecideByOrderNotByStorage) {
    for (bool upperFirst : {true, false}) {
        fs::remove_all(Forms());
        fs::create_directories(Forms());
        AddRaw(36, upperFirst ? "KARTA" : "Karta", 0,
               upperFirst ? ".RADEK\nvelka\n.KONEC\n" : ".RADEK\nmala\n.KONEC\n");
        AddRaw(36, upperFirst ? "Karta" : "KARTA", 0,
               upperFirst ? ".RADEK\nmala\n.KONEC\n" : ".RADEK\nvelka\n.KONEC\n");
        tFileFormular file(data_, Forms(), "2024"_t);
        ASSERT_TRUE(file.InitFile(1, storage::_NoWait));
        const auto form = FindForm(file, 36, "karta"_t);
        ASSERT_TRUE(form);
        EXPECT_EQ("KARTA"_t, form->name);
        EXPECT_EQ(".RADEK\nvelka\n.KONEC\n"_t, form->content);
        // Storing replaces that form and leaves the others.
        StoredForm replacement = *form;
        replacement.content = ".RADEK\nnova\n.KONEC\n"_t;
        ASSERT_TRUE(StoreForm(file, replacement));
        EXPECT_EQ(2u, FormsOfType(file, 36).size());
        EXPECT_EQ(replacement.content, FindForm(file, 36, "KARTA"_t)->content);
        file.CloseFile();
    }
}

TEST_F(FormCatalogueTest, PickerTakesOneEntryAndAsksForMore) {
    AddRaw(31, "ROZVRH", 0);
    const std::size_t before = ui_.Transcript().size();
    FormChoice one = SelectForm(env_, "Formulář pro opis"_t, kTypeUcRozvrh, 0);
    EXPECT_EQ(FormChoice::Kind::TextForm, one.kind);
    EXPECT_EQ("ROZVRH"_t, one.name);
    EXPECT_EQ(before, ui_.Transcript().size());  // nothing shown
    ASSERT_EQ(1u, stored_.size());
    EXPECT_EQ(1, stored_[0].first);
    EXPECT_EQ(kCatalogueEntryBlock, stored_[0].second.size());
    EXPECT_EQ(31, stored_[0].second[0]);
    EXPECT_EQ(6, stored_[0].second[4]);  // the length byte of the name

    AddRaw(58, "TEXTOVY", 0);
    ui_.QueueList("line=2 key:Enter");
    FormChoice chosen = SelectForm(env_, " Vyberte formulář pro opis výkazu PAP"_t, 58, 64);
    EXPECT_EQ(FormChoice::Kind::Template, chosen.kind);
    EXPECT_EQ("PAP_VYKAZY.pts"_t, chosen.name);
    EXPECT_EQ(3u, stored_.size());
    const ui::TranscriptEntry& list = ui_.Transcript().back();
    EXPECT_EQ("list", list.kind);
    EXPECT_EQ(" Vyberte formulář pro opis výkazu PAP", list.title);
    EXPECT_EQ((std::vector<std::string>{
                  "header:  Formulář             název, popř. popis",
                  "   PAP_VYKAZY           TEXTOVY popis ",
                  ">  formulář Windows     PAP_VYKAZY.pts",
                  "   formulář Windows     PAP_VYKAZY XI Výkaz XI.pts",
              }),
              list.lines);

    ui_.QueueList("key:Esc");
    EXPECT_FALSE(SelectForm(env_, "Formulář"_t, 58, 64).Chosen());
    ui_.QueueList("key:Esc");  // no entry: an empty window that can only be closed
    EXPECT_FALSE(SelectForm(env_, "Formulář"_t, 12, 2).Chosen());
    EXPECT_EQ("list", ui_.Transcript().back().kind);
}

TEST_F(FormCatalogueTest, WithoutTheFormsFileNothingIsChosen) {
    EXPECT_FALSE(SelectForm(env_, "Formulář"_t, 36, 0).Chosen());
    EXPECT_EQ(
        std::vector<std::string>{"Nelze otevřít soubor formulářů. Funkce tisku nebude provedena"},
        Messages());
}

TEST_F(FormCatalogueTest, PrintingWithAChosenOrDefaultForm) {
    AddRaw(36, "KARTA", 0, ".RADEK\nKarta $DATA\n.KONEC\n");
    AddRaw(36, "SEZNAM", 0, ".RADEK\nSeznam $DATA\n.KONEC\n");
    env_.print.dataSources = [](const StoredForm&, const Text& data) {
        return std::make_unique<testing::FixedRecords>(
            std::vector<testing::FixedRecords::Record>{{{{"DATA", ToUtf8(data)}}, {}, {}}});
    };
    // The default form exists: printed without a window.
    FormChoice printed = PrintWithForm(env_, "seznam"_t, 36, 0, "A1"_t, "Formulář"_t);
    EXPECT_EQ(FormChoice::Kind::TextForm, printed.kind);
    EXPECT_EQ(std::vector<std::string>{"Seznam A1"}, Shown());
    // It does not: the picker asks, and the chosen form is printed with the data.
    const std::size_t before = ui_.Transcript().size();
    ui_.QueueList("line=1 key:Enter");
    printed = PrintWithForm(env_, "JINY"_t, 36, 0, "B2"_t, "Formulář"_t);
    EXPECT_EQ("KARTA"_t, printed.name);
    EXPECT_EQ(std::vector<std::string>{"Karta B2"}, Shown(before));
    // A chosen template is handed back, not printed.
    ui_.QueueList("line=3 key:Enter");
    const std::size_t beforeTemplate = ui_.Transcript().size();
    printed = SelectAndPrint(env_, "Formulář"_t, 36, 0, "C3"_t);
    EXPECT_EQ(FormChoice::Kind::Template, printed.kind);
    EXPECT_EQ("EXADRESY.pts"_t, printed.name);
    EXPECT_TRUE(Shown(beforeTemplate).empty());
}

}  // namespace
}  // namespace axo::printforms

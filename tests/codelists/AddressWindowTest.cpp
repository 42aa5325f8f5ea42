// The list window, the pickers and the editor as a user drives them: choosing, adding from a
// template, an unknown order, editing over the pages with a clash reported, and the filter keys.
#include "AddressTestSupport.h"
#include "codelists/OknoEA.h"
#include "ui/DialogInsert.h"

namespace axo::codelists::testing {
namespace {

class WindowTest : public AddressTest {
  protected:
    void SetUp() override {
        tVetaExtAdresa gama = Address("3", "Gama", "Zlín", "25596641");
        gama.PLATNOST = 1;
        Fill({Address("1", "Alfa", "Brno", "12345679"), Address("2", "Beta", "Praha"), gama},
             ListDir(), {"", "", "poznámka"});
    }
    /// The names on the last browse page shown, in their order.
    std::vector<std::string> ShownNames() const {
        std::vector<std::string> names;
        for (auto e = ui_->Transcript().rbegin(); e != ui_->Transcript().rend(); ++e) {
            if (e->kind != "browse")
                continue;
            for (const std::string& line : e->lines)
                for (const char* name : {"Alfa", "Beta", "Gama"})
                    if (line.rfind("header:", 0) != 0 && line.find(name) != std::string::npos)
                        names.push_back(name);
            break;
        }
        return names;
    }
    tVetaExtAdresa Stored(const std::string& code, Text* notes = nullptr) {
        tExtAdresy file(data_, ListDir(), "2024"_t);
        EXPECT_TRUE(file.InitFile(1, storage::_NoWait));
        tVetaExtAdresa r{};
        EXPECT_TRUE(FindAddressByClassification(FromUtf8(code), file, r));
        if (notes)
            *notes = file.Notes();
        file.CloseFile();
        return r;
    }
};

TEST_F(WindowTest, PickersReturnTheFieldOfTheirOrder) {
    struct Case {
        int order;
        const char* steps;
        const char* text;  ///< the picker's result
        const char* code;  ///< the record chosen
    };
    const Case cases[] = {
        {2, "row=2 key:Enter", "Beta", "2"},      // by name: Alfa, Beta, Gama
        {3, "key:Ctrl+End key:Enter", "3", "3"},  // by classification
        {5, "row=1 key:Enter", "", "2"},          // by IČO: the empty one first
        {1, "row=3 key:Enter", "Zlín", "3"},      // by town
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        ui_->QueueBrowse(c.steps);
        Text text;
        tVetaExtAdresa record{};
        ASSERT_TRUE(PickAddressField(book_, text, c.order, &record));
        EXPECT_EQ(std::string(c.text), ToUtf8(text));
        EXPECT_EQ(std::string(c.code), ToUtf8(record.MATCH_CODE));
    }
    // Left with <Esc>: nothing chosen, the text as it was.
    ui_->QueueBrowse("key:Esc");
    Text text = "Beta"_t;
    EXPECT_FALSE(PickAddressByName(book_, text));
    EXPECT_EQ("Beta"_t, text);
    // An order the list does not have.
    ui_->QueueOk();
    EXPECT_FALSE(PickAddressField(book_, text, 10));
    EXPECT_EQ("Třídící údaj číslo 10 je v číselníku externích adres nereálné, prosím opravte!",
              ui::testing::MessageText(ui_->Transcript().back()));
}

TEST_F(WindowTest, APartnerFieldPicksTheIcoFromTheList) {
    // A partner mask as the control statement's dialog has it: <F7> opens the list by IČO.
    Text partner = "2559"_t;
    auto d = ui::CreateDialog(*ui_, {}, 0, 0, 40, {}, "Partner"_t, 3);
    ui::InsertPrvek(*d, 3, 1, {}, "Partner I "_t, 10, partner, "/?"_t);
    d->NameCurrent("partner1");
    ASSERT_TRUE(ui::Pripoj(*d, AddressPicker(book_)));
    ui::InsertOkZpet(*d, 0, 3, {}, {}, 3);
    ui_->QueueDialog("key:F7 key:F2");
    ui_->QueueBrowse("key:Enter");
    ASSERT_TRUE(ui::RunDialog(*d));
    EXPECT_EQ("25596641??", ToUtf8(partner));  // a mask is filled with "?"
}

TEST_F(WindowTest, AddingInAPickerStartsFromItsTemplate) {
    tVetaExtAdresa templ = Address("", "Šablona s.r.o.", "Jihlava", "25596641");
    templ.RizeniEditace = kTemplateMark;
    ui_->QueueBrowse("key:Insert");
    ui_->QueueDialog("key:F2");
    ui_->QueueBrowse("key:Enter");
    Text text;
    ASSERT_TRUE(PickAddressByName(book_, text, &templ));
    EXPECT_EQ("Šablona s.r.o.", ToUtf8(text));
    EXPECT_EQ("4", ToUtf8(templ.MATCH_CODE));
    const tVetaExtAdresa stored = Stored("4");
    EXPECT_EQ("Jihlava", ToUtf8(stored.MESTO_FIRM));
    EXPECT_EQ(0, stored.RizeniEditace);
    EXPECT_EQ("5. 3.2024", ToUtf8(stored.POSL_ZMENA));
}

TEST_F(WindowTest, EditingOverThePagesWithAClashReported) {
    // <Ctrl Enter> edits Alfa: a taken classification first, then the bank and notes pages.
    ui_->QueueBrowse("row=1 key:Ctrl+Enter");
    ui_->QueueDialog("zatrideni=2 key:F2");
    ui_->QueueOk();
    ui_->QueueDialog(
        "zatrideni=11 iban=CZ6508000000192000145399 kodBanky=800 "
        "notes=\"nový blok\" dic=CZ12345679 key:F2");
    ui_->QueueBrowse("key:Esc");
    ShowAddressList(book_);
    bool clash = false;
    for (const ui::TranscriptEntry& e : ui_->Transcript())
        clash = clash || ui::testing::MessageText(e) ==
                             "Pokoušíte se zadat již existující zatřídění externí adresy. "
                             "Opravte prosím.";
    EXPECT_TRUE(clash);
    Text notes;
    const tVetaExtAdresa alfa = Stored("11", &notes);
    EXPECT_EQ("CZ6508000000192000145399", ToUtf8(alfa.IBAN));
    EXPECT_EQ(800, alfa.ZVL_DISP);
    EXPECT_EQ("CZ12345679", ToUtf8(alfa.DIC_FIRM));
    EXPECT_EQ("nový blok", ToUtf8(notes));
    EXPECT_EQ("Alfa", ToUtf8(alfa.NAZ_FIRM1));
    EXPECT_EQ((std::vector<std::string>{"11*", "2", "3*"}), Codes(ListDir()));
}

TEST_F(WindowTest, FilterKeysNarrowTheList) {
    struct Case {
        const char* keys;
        int answers;  ///< decisions answered by the button after the key
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"key:Alt+P", 0, {"Gama"}},                  // notes only
        {"key:Alt+L", 2, {"Alfa", "Beta"}},          // valid addresses only
        {"key:Alt+L", 3, {"Gama"}},                  // invalid only
        {"key:Alt+T", 1, {"Alfa", "Beta", "Gama"}},  // ordinary addresses: all of them
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        ui_->QueueBrowse(c.keys);
        if (c.answers)
            ui_->QueueButton(c.answers);
        ui_->QueueOk();
        ui_->QueueBrowse("key:Esc");
        ShowAddressList(book_);
        EXPECT_EQ(c.rows, ShownNames());
    }
    // Master addresses only: none qualifies, and the message says so.
    ui_->QueueBrowse("key:Alt+T");
    ui_->QueueButton(2);
    ui_->QueueOk();
    ui_->QueueBrowse("key:Esc");
    ShowAddressList(book_);
    bool said = false;
    for (const ui::TranscriptEntry& e : ui_->Transcript())
        said = said || ui::testing::MessageText(e) ==
                           "Filtr byl nastaven. Vámi zadaným parametrům  nevyhověla žádná data.";
    EXPECT_TRUE(said);
}

}  // namespace
}  // namespace axo::codelists::testing

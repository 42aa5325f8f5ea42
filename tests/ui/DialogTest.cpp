// The dialog model: geometry, inserting elements, the standard buttons, focus order and keys,
// closing with checks, write-back only on confirmation, and showing again when refused.
#include "ui/Dialog.h"

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "ui/DialogInsert.h"

namespace axo::ui {
namespace {

using testing::LastLines;
using testing::Lenient;
using testing::TestEnvironment;

/// A period dialog: months from and to (2 digits, 1-12), an XML check box, the standard pair.
struct PeriodDialog {
    std::uint16_t from = 1;
    std::uint16_t to = 3;
    std::uint8_t xml = 0;
    std::unique_ptr<TDialogAXO> dialog;
    TPrvek* fromField = nullptr;
    TPrvek* toField = nullptr;
    TCheckBoxAXO* xmlBox = nullptr;

    explicit PeriodDialog(UiServices& ui) {
        dialog = CreateDialog(ui, TestEnvironment(), 0, 0, 60, {}, "  Výkaz IV  "_t, 6);
        fromField =
            InsertPrvek(*dialog, 3, 2, {}, "Zpracovat za období  "_t, 2, from, {}, TPrvek::kWord);
        dialog->NameCurrent("mesicOd");
        Pripoj(*dialog, ValueRange::Numbers(1, 12));
        toField = InsertPrvek(*dialog, 27, 2, {}, "až  "_t, 2, to, {}, TPrvek::kWord);
        dialog->NameCurrent("mesicDo");
        Pripoj(*dialog, ValueRange::Numbers(1, 12));
        InsertLabel(*dialog, 34, 2, {}, "/2023"_t);
        xmlBox = InsertCheckBox(*dialog, {}, "Generovat soubor XML pro přenos do CSÚIS?"_t, xml, 0,
                                4, 3);
        dialog->NameCurrent("xml");
        InsertOkZpet(*dialog, 0, 6, {}, {}, 6);
    }
};

TEST(DialogTest, GeometryFollowsTheCharacterGrid) {
    ScriptedUi ui;
    struct Case {
        int column, row, width, rows;
        Rect frame;
        int columns, gridRows;
    } cases[] = {
        {2, 3, 50, 8, {16, 63, 400, 210}, 50, 8},
        {0, 1, 100, 30, {0, 21, 640, 480}, 80, 20},  // clamped to 640 × 480
        {1, 0, 0, 0, {8, 0, 640, 372}, 80, 15},      // 0: 640 wide, 372 high
    };
    for (const Case& c : cases) {
        TDialogAXO d(ui, TestEnvironment(), c.column, c.row, c.width, {}, "  T "_t, c.rows);
        EXPECT_EQ(c.frame, d.Frame()) << c.width;
        EXPECT_EQ(c.columns, d.Columns());
        EXPECT_EQ(c.gridRows, d.Rows());
        EXPECT_EQ(" T"_t, d.Caption());
    }
    // Neither column nor row: centred on the main window.
    TDialogAXO centred(ui, TestEnvironment(), 0, 0, 50, {}, {}, 8);
    EXPECT_EQ(PlaceCentred(400, 210, ui.CurrentDesktop()), centred.Frame());
}

TEST(DialogTest, InsertOkZpetHasItsDefaultsAndPositions) {
    ScriptedUi ui;
    auto d = CreateDialog(ui, TestEnvironment(), 0, 0, 66, {}, "T"_t, 8);
    ASSERT_TRUE(InsertOkZpet(*d, 0, 7, {}, {}, 7));
    auto* ok = static_cast<TButtonAXO*>(d->Find("ok"));
    auto* zpet = static_cast<TButtonAXO*>(d->Find("zpet"));
    ASSERT_TRUE(ok && zpet);
    EXPECT_EQ("  O.K.  "_t, ok->Shown().shown);
    EXPECT_EQ("potvrzení zadaných údajů <F2>"_t, ok->Hint());
    EXPECT_EQ(kCloseConfirm, ok->CloseCode());
    EXPECT_EQ("  Zpět  "_t, zpet->Shown().shown);
    EXPECT_EQ("odchod <Esc>"_t, zpet->Hint());
    EXPECT_EQ(kCloseLeave, zpet->CloseCode());
    EXPECT_EQ(13, ok->Column());    // (66 - 11 - 2 - 11 - 2) / 3
    EXPECT_EQ(38, zpet->Column());  // 66 - 13 - 11 - 4
    EXPECT_EQ(7, zpet->Row());
    EXPECT_EQ(90, ok->Frame().width);

    // Given hints get their key appended unless they name it; one button alone is centred.
    auto single = CreateDialog(ui, TestEnvironment(), 0, 0, 66, {}, "T"_t, 8);
    InsertOkZpet(*single, 0, 0, {}, {}, 0, 0, "vstoupit do modulu"_t, "&Vstup"_t);
    auto* only = static_cast<TButtonAXO*>(single->Find("ok"));
    EXPECT_EQ(27, only->Column());  // (66 - 11) / 2
    EXPECT_EQ(8, only->Row());      // the last row when none is given
    EXPECT_EQ("vstoupit do modulu <F2>"_t, only->Hint());
    EXPECT_EQ("Vstup"_t, only->Shown().shown);
    EXPECT_EQ(nullptr, single->Find("zpet"));
    auto hinted = CreateDialog(ui, TestEnvironment(), 0, 0, 66, {}, "T"_t, 8);
    InsertOkZpet(*hinted, 0, 7, "zpět"_t, {}, 7, 0, "uložit <F2>"_t);
    EXPECT_EQ("uložit <F2>"_t, hinted->Find("ok")->Hint());
    EXPECT_EQ("zpět <Esc>"_t, hinted->Find("zpet")->Hint());
}

TEST(DialogTest, InsertsPlaceLabelsAndFieldsOnTheGrid) {
    ScriptedUi ui(Lenient());
    auto d = CreateDialog(ui, TestEnvironment(), 0, 0, 60, {}, "T"_t, 8);
    Text date;
    TPrvek* field = InsertPrvek(*d, 3, 2, "hint"_t, "&Datum "_t, 10, date, {}, TPrvek::kDate);
    ASSERT_TRUE(field);
    EXPECT_EQ(9, field->Column());  // 3 + 7 - 1: "&" takes no place
    EXPECT_EQ((Rect{64, 21, 88, 21}), field->Frame());
    EXPECT_EQ("Datum "_t, field->Caption());
    ASSERT_EQ(2u, d->Elements().size());
    auto* label = static_cast<TLabelAXO*>(d->Elements()[0].get());
    EXPECT_EQ(field, label->Target());
    EXPECT_EQ(0, label->Shown().accelerator);

    std::uint16_t word = 0;
    EXPECT_EQ(nullptr, InsertPrvek(*d, 3, 3, {}, "x"_t, 4, word, {}, TPrvek::kDouble));
    EXPECT_EQ(nullptr, InsertPrvek(*d, 0, 3, {}, {}, 4, word, {}, TPrvek::kWord));
    EXPECT_EQ(2u, d->Elements().size());  // a failed insert leaves nothing behind
    EXPECT_EQ(field, d->Current());

    std::uint8_t flag = 1;
    EXPECT_EQ(nullptr, InsertCheckBox(*d, {}, "x"_t, flag, 0, 0, 1));
    EXPECT_EQ(std::vector<std::string>{"\"InsertCheckBox\" ERROR"}, LastLines(ui));
    TCheckBoxAXO* box = InsertCheckBox(*d, {}, "Tisk"_t, flag, 0, 4, 1);
    EXPECT_EQ(" Tisk "_t, box->Caption());
    EXPECT_TRUE(box->Checked());

    TPanelAXO* panel = InsertPanel(*d, 1, 6, "BOLD_Výsledek"_t, 2, 30);
    EXPECT_TRUE(panel->Bold());
    EXPECT_EQ("Výsledek"_t, panel->Hint());
    TButtonAXO* kept = InsertButton(*d, 1, 7, {}, "&Editovat"_t, 1, true, 4);
    EXPECT_EQ("Editovat"_t, kept->Shown().shown);
    EXPECT_EQ(0, kept->Shown().accelerator);
    EXPECT_EQ(-1, InsertButton(*d, 12, 7, {}, "&Tisk"_t)->Shown().accelerator);

    // Sums only on doubles: the message, and nothing attached.
    EXPECT_FALSE(Pripoj(*d, SumsHook{[](double) {}}));
    EXPECT_EQ(std::vector<std::string>{"Na údaji, který není typu DOUBLE nelze definovat součty."},
              LastLines(ui));
}

TEST(DialogTest, ItemListsPutABlankInFront) {
    TItemList items;
    for (const char* t : {"abc", " abc", " 12", "  12", ""})
        items.Add(FromUtf8(t));
    EXPECT_EQ((std::vector<Text>{" abc"_t, " abc"_t, "  12"_t, "  12"_t, " "_t}), items.Items());

    ScriptedUi ui;
    auto d = CreateDialog(ui, TestEnvironment(), 0, 0, 60, {}, "T"_t, 8);
    std::uint16_t index = 7;  // names no item
    TComboBoxAXO* list =
        InsertLabelledComboBox(*d, 2, 2, {}, "Hospodářský rok  "_t, index, items, 20);
    EXPECT_EQ(19, list->Column());
    EXPECT_EQ(-1, list->Index());
    list->WriteBack();
    EXPECT_EQ(7, index);  // no choice: the variable stays
    list->Choose(3);
    list->WriteBack();
    EXPECT_EQ(3, index);
    EXPECT_TRUE(list->ChooseByLetter('a'));
    EXPECT_EQ(0, list->Index());
    EXPECT_TRUE(list->ChooseByLetter('A'));
    EXPECT_EQ(1, list->Index());  // the next one beginning with it
    std::uint8_t small = 0;
    EXPECT_EQ(1, ChoiceVariable(small).Size());
    ChoiceVariable(small).Set(300);
    EXPECT_EQ(255, small);
}

TEST(DialogTest, KeysMoveTheFocusInInsertOrder) {
    ScriptedUi ui(Lenient());
    PeriodDialog p(ui);
    TDialogAXO& d = *p.dialog;
    EXPECT_EQ(d.Find("zpet"), d.Focused());  // each insert took the focus
    d.FinishLayout();
    EXPECT_EQ(p.fromField, d.Focused());  // the first field after the layout
    EXPECT_EQ(2, p.fromField->SelLength());
    d.KeyDown({Key::Enter});
    EXPECT_EQ(p.toField, d.Focused());
    d.KeyDown({Key::Down});
    EXPECT_EQ(p.xmlBox, d.Focused());  // labels take no focus
    d.KeyDown({Key::Up});
    EXPECT_EQ(p.toField, d.Focused());
    // <Left> moves inside the text; at its first character it goes back a field.
    p.toField->KeyDown({Key::End});
    d.KeyDown({Key::Left});
    EXPECT_EQ(p.toField, d.Focused());
    d.KeyDown({Key::Home});
    d.KeyDown({Key::Left});
    EXPECT_EQ(p.fromField, d.Focused());
    d.KeyDown({Key::Tab, true});  // Shift+Tab wraps round to the last element
    EXPECT_EQ(d.Find("zpet"), d.Focused());
    d.TypeChar(' ');  // <Space> presses the focused button
    EXPECT_TRUE(d.IsClosed());
    EXPECT_EQ(kCloseLeave, d.CloseCode());
}

TEST(DialogTest, AFailingCheckKeepsTheFocusAndTheDialogOpen) {
    ScriptedUi ui(Lenient());
    PeriodDialog p(ui);
    TDialogAXO& d = *p.dialog;
    d.FinishLayout();
    d.TypeText("13"_t);
    EXPECT_FALSE(d.KeyDown({Key::Enter}));
    EXPECT_EQ(p.fromField, d.Focused());
    EXPECT_FALSE(d.KeyDown({Key::F2}));
    EXPECT_FALSE(d.IsClosed());
    p.fromField->SelectAll();
    d.TypeText("2"_t);
    EXPECT_TRUE(d.KeyDown({Key::F2}));
    EXPECT_TRUE(d.IsClosed());
    EXPECT_EQ(kCloseConfirm, d.CloseCode());
    EXPECT_EQ(" 2"_t, p.fromField->EditText());
    // <Esc> leaves without any check.
    PeriodDialog q(ui);
    q.dialog->FinishLayout();
    q.dialog->TypeText("99"_t);
    EXPECT_TRUE(q.dialog->KeyDown({Key::Esc}));
    EXPECT_EQ(kCloseLeave, q.dialog->CloseCode());
}

TEST(DialogTest, TheOnlyFieldIsCheckedWhenEnterComesBackToIt) {
    ScriptedUi ui(Lenient());
    Text date;
    auto d = CreateDialog(ui, TestEnvironment(), 0, 0, 40, {}, "T"_t, 2);
    TPrvek* field = InsertPrvek(*d, 1, 1, {}, {}, 10, date, {}, TPrvek::kDate);
    d->FinishLayout();
    d->TypeText("5.3"_t);
    EXPECT_TRUE(d->KeyDown({Key::Enter}));
    EXPECT_EQ(field, d->Focused());
    EXPECT_EQ(" 5. 3.2023"_t, field->EditText());
}

TEST(DialogTest, ConfirmingChecksFieldsTheUserNeverLeft) {
    ScriptedUi ui(Lenient());
    std::uint16_t count = 0;
    std::uint16_t other = 5;
    auto d = CreateDialog(ui, TestEnvironment(), 0, 0, 40, {}, "T"_t, 4);
    InsertPrvek(*d, 1, 1, {}, "Počet "_t, 4, other, {}, TPrvek::kWord);
    TPrvek* positive = InsertPrvek(*d, 1, 2, {}, "Kusů "_t, 4, count, "/0"_t, TPrvek::kWord);
    InsertOkZpet(*d, 0, 4);
    d->FinishLayout();
    EXPECT_FALSE(d->KeyDown({Key::F2}));
    EXPECT_EQ(positive, d->Focused());
    EXPECT_EQ(std::vector<std::string>{"Hodnota údaje nesmí být menší nebo rovna NULE."},
              LastLines(ui));
}

TEST(DialogTest, ValuesAreWrittenBackOnlyOnCloseCodeOne) {
    struct Case {
        const char* answer;
        bool result;
        int closeCode;
        std::uint16_t from;
        std::uint8_t xml;
    } cases[] = {
        {"mesicOd=2 mesicDo=5 xml=1 key:F2", true, 1, 2, 1},
        {"mesicOd=2 mesicDo=5 xml=1 key:Esc", false, 2, 1, 0},
        {"mesicOd=2 mesicDo=5 xml=1 click:zpet", false, 2, 1, 0},
        {"mesicOd=2 click:edit", false, 4, 1, 0},
        {"mesicOd=2 key:Enter key:Enter key:Space key:Enter key:Enter", true, 1, 2, 1},
    };
    for (const Case& c : cases) {
        ScriptedUi ui;
        ui.QueueDialog(c.answer);
        PeriodDialog p(ui);
        InsertButton(*p.dialog, 2, 5, "marže bude nabídnuta k editaci"_t, "Editovat"_t, 1, false,
                     4);
        p.dialog->NameCurrent("edit");
        EXPECT_EQ(c.result, RunDialog(*p.dialog)) << c.answer;
        EXPECT_EQ(c.closeCode, p.dialog->CloseCode()) << c.answer;
        EXPECT_EQ(c.from, p.from) << c.answer;
        EXPECT_EQ(c.xml, p.xml) << c.answer;
    }
}

TEST(DialogTest, AFieldNobodyCouldEditKeepsItsVariable) {
    ScriptedUi ui;
    ui.QueueDialog("key:F2");
    auto d = CreateDialog(ui, TestEnvironment(), 0, 0, 40, {}, "T"_t, 4);
    double locked = 5.678;
    double open = 5.678;
    InsertPrvek(*d, 1, 1, {}, {}, 10, locked, {}, TPrvek::kDouble, 2)->SetEnabled(false);
    InsertPrvek(*d, 1, 2, {}, {}, 10, open, {}, TPrvek::kDouble, 2);
    InsertOkZpet(*d, 0, 4);
    EXPECT_TRUE(RunDialog(*d));
    EXPECT_EQ(5.678, locked);
    EXPECT_EQ(5.68, open);  // what the field showed
}

TEST(DialogTest, ARefusedCloseShowsTheDialogAgain) {
    ScriptedUi ui;
    ui.LoadScript(
        "dialog mesicOd=6 mesicDo=3 key:F2\n"
        "ok\n"
        "dialog mesicDo=9 key:F2\n");
    PeriodDialog p(ui);
    p.dialog->SetMayClose([&](TDialogAXO& d, int code) {
        if (code != kCloseConfirm || p.fromField->Number() <= p.toField->Number())
            return true;
        d.Ui().ShowError("Počáteční měsíc je větší než koncový."_t);
        d.PutFocus(p.toField);
        return false;
    });
    EXPECT_TRUE(RunDialog(*p.dialog));
    EXPECT_EQ(2, p.dialog->ShowCount());
    EXPECT_EQ(6, p.from);
    EXPECT_EQ(9, p.to);
    ASSERT_EQ(3u, ui.Transcript().size());
    EXPECT_EQ("dialog", ui.Transcript()[0].kind);
    EXPECT_EQ("message 2", ui.Transcript()[1].kind);
    EXPECT_EQ("dialog", ui.Transcript()[2].kind);
    EXPECT_EQ(0u, ui.PendingAnswers());
}

TEST(DialogTest, LabelsAndAcceleratorsFocusTheirField) {
    ScriptedUi ui(Lenient());
    auto d = CreateDialog(ui, TestEnvironment(), 0, 0, 40, {}, "T"_t, 4);
    Text a, b;
    TPrvek* first = InsertPrvek(*d, 1, 1, {}, "&Jméno "_t, 10, a);
    TPrvek* second = InsertPrvek(*d, 1, 2, {}, "&Město "_t, 10, b);
    d->FinishLayout();
    EXPECT_EQ(first, d->Focused());
    d->KeyDown({Key::Character, false, false, true, 'm'});
    EXPECT_EQ(second, d->Focused());
    d->Click(*d->Elements()[0]);  // the label "Jméno"
    EXPECT_EQ(first, d->Focused());
    EXPECT_EQ(second, d->Find("#2"));
    EXPECT_EQ(nullptr, d->Find("#3"));
}

TEST(DialogTest, F7OffersTheCalendarThePickerAndTheDiskHelp) {
    ScriptedUi ui;
    ui.LoadScript(
        "value 15.3.2023\n"
        "value /home/ucetni/data\n"
        "ok\n");
    auto d = CreateDialog(ui, TestEnvironment(), 0, 0, 60, {}, "T"_t, 6);
    Text date, dir, code;
    std::uint16_t number = 0;
    TPrvek* dateField = InsertPrvek(*d, 1, 1, {}, {}, 10, date, "/Z"_t, TPrvek::kDate);
    TPrvek* dirField = InsertPrvek(*d, 1, 2, {}, {}, 40, dir);
    dirField->SetDirectoryHelp();
    TPrvek* codeField = InsertPrvek(*d, 1, 3, {}, {}, 10, code);
    Pripoj(*d, Ciselnik{[](Text& v) {
        v = "UCET"_t;
        return PickResult::ChosenNext;
    }});
    TPrvek* numberField = InsertPrvek(*d, 1, 4, {}, {}, 4, number, {}, TPrvek::kWord);
    numberField->SetDirectoryHelp();
    d->FinishLayout();

    d->KeyDown({Key::F7});
    EXPECT_EQ("15.03.2023"_t, dateField->EditText());
    EXPECT_EQ("calendar", ui.Transcript()[0].kind);
    EXPECT_EQ((std::vector<std::string>{"aktuální systémové datum počítače <Home>",
                                        "první den hospodářského roku  1. 1.2023 <Ctrl Home>",
                                        "poslední den hospodářského roku 31.12.2023 <Ctrl End>"}),
              ui.Transcript()[0].lines);
    d->DoubleClick(*dirField);
    EXPECT_EQ("/home/ucetni/data/"_t, dirField->EditText());
    EXPECT_EQ(" Vyberte adresář (knihovnu)", ui.Transcript()[1].title);
    d->SetFocus(codeField);
    d->KeyDown({Key::F7});
    EXPECT_EQ("UCET"_t, codeField->EditText());
    EXPECT_EQ(numberField, d->Focused());  // the picker asked to move on
    d->KeyDown({Key::F7});
    EXPECT_EQ(
        std::vector<std::string>{"Nápověda obsahu disku je přípustná pouze na řetězcovém údaji."},
        LastLines(ui));
}

TEST(DialogTest, F11CarriesTheCalculatorsResultBack) {
    testing::CzechNumbers czech;
    ScriptedUi ui;
    ui.LoadScript(
        "value 2,5*4\n"
        "value 1+1\n"
        "value 7\n");
    auto d = CreateDialog(ui, TestEnvironment(), 0, 0, 60, {}, "T"_t, 6);
    double amount = 1.5;
    Text note = "x="_t;
    std::uint8_t flag = 0;
    TPrvek* amountField = InsertPrvek(*d, 1, 1, {}, {}, 10, amount, {}, TPrvek::kDouble, 2);
    TPrvek* noteField = InsertPrvek(*d, 1, 2, {}, {}, 10, note);
    InsertCheckBox(*d, {}, "x"_t, flag, 0, 3, 1);
    d->FinishLayout();
    d->KeyDown({Key::F11});
    EXPECT_EQ(std::vector<std::string>{"1,5"}, ui.Transcript()[0].lines);  // the field's value
    EXPECT_EQ("     10,00"_t, amountField->EditText());
    d->SetFocus(noteField);
    d->KeyDown({Key::F11});
    EXPECT_EQ("x=2"_t, noteField->EditText());  // appended to a text
    d->FocusNext();
    d->KeyDown({Key::F11});  // on a check box: shown, nothing carried back
    EXPECT_EQ("result 7", ui.Transcript()[2].answer);
    EXPECT_EQ(0, flag);
}

}  // namespace
}  // namespace axo::ui

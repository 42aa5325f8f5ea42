// The page control of dialog forms: only the current page's elements are shown and take the
// focus; the page turns on <Ctrl Page Down>/<Ctrl Page Up>, on its tab, and when a field on a
// hidden page must take the focus (a failing check on confirmation included); the change hook
// hears every value change.
#include "ui/DialogPages.h"

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "ui/DialogInsert.h"

namespace axo::ui {
namespace {

using testing::Lenient;
using testing::TestEnvironment;

struct PagedDialog {
    std::uint16_t month = 1;
    std::uint16_t day = 1;
    std::uint8_t flag = 0;
    int changes = 0;
    std::unique_ptr<TDialogAXO> dialog;
    TPageControlAXO* pages = nullptr;
    TPrvek* monthField = nullptr;
    TPrvek* dayField = nullptr;
    TCheckBoxAXO* box = nullptr;

    explicit PagedDialog(UiServices& ui) {
        dialog = CreateDialog(ui, TestEnvironment(), 0, 0, 60, {}, "Stránky"_t, 10);
        pages = InsertPageControl(*dialog, 1, 1, 7, 60);
        BeginPage(*dialog, *pages, " Jedna "_t);
        monthField = InsertPrvek(*dialog, 3, 3, {}, "Měsíc "_t, 2, month, {}, TPrvek::kWord);
        Pripoj(*dialog, ValueRange::Numbers(1, 12));
        BeginPage(*dialog, *pages, " Dvě "_t);
        dayField = InsertPrvek(*dialog, 3, 3, {}, "Den "_t, 2, day, {}, TPrvek::kWord);
        Pripoj(*dialog, ValueRange::Numbers(1, 31));
        box = InsertCheckBox(*dialog, {}, "Příznak"_t, flag, 0, 4, 3);
        EndPages(*dialog);
        InsertOkZpet(*dialog, 0, 9, {}, {}, 9);
        dialog->SetChangeHandler([this](TDialogAXO&, DialogElement&) { ++changes; });
        dialog->FinishLayout();
    }
};

TEST(DialogPagesTest, OnlyTheCurrentPageIsShownAndFocused) {
    ScriptedUi ui(Lenient());
    PagedDialog p(ui);
    TDialogAXO& d = *p.dialog;
    EXPECT_EQ(0, p.pages->Current());
    EXPECT_TRUE(p.monthField->Visible());
    EXPECT_FALSE(p.dayField->Visible());
    EXPECT_EQ(p.monthField, d.Focused());
    EXPECT_EQ("[ Jedna ] | Dvě"_t, *p.pages->TranscriptLine());
    // <Tab> passes over the hidden page to the buttons.
    d.KeyDown({Key::Tab});
    EXPECT_NE(p.dayField, d.Focused());
    EXPECT_EQ(0, p.pages->Current());

    struct Step {
        KeyEvent key;
        int page;
        DialogElement* focused;
    } steps[] = {
        {{Key::PageDown, false, true}, 1, p.dayField},
        {{Key::PageDown, false, true}, 0, p.monthField},  // round to the first page
        {{Key::PageUp, false, true}, 1, p.dayField},
        {{Key::Tab, true, true}, 0, p.monthField},  // <Ctrl Shift Tab>
        {{Key::Tab, false, true}, 1, p.dayField},   // <Ctrl Tab>
    };
    for (const Step& s : steps) {
        EXPECT_TRUE(d.KeyDown(s.key));
        EXPECT_EQ(s.page, p.pages->Current());
        EXPECT_EQ(s.focused, d.Focused());
        EXPECT_EQ(s.page == 1, p.dayField->Visible());
        EXPECT_EQ(s.page == 0, p.monthField->Visible());
    }
    // The tab of a page, and a field of a hidden page taking the focus.
    EXPECT_TRUE(d.ChoosePage(*p.pages, 0));
    EXPECT_EQ(p.monthField, d.Focused());
    EXPECT_TRUE(d.SetFocus(p.box));
    EXPECT_EQ(1, p.pages->Current());
}

TEST(DialogPagesTest, AFailingFieldOnAHiddenPageComesToTheFront) {
    ScriptedUi ui(Lenient());
    PagedDialog p(ui);
    TDialogAXO& d = *p.dialog;
    // A day out of range left on page 2; page 1 shown when confirming.
    ASSERT_TRUE(d.ChoosePage(*p.pages, 1));
    p.dayField->SetEditText("40"_t);
    // Leaving the field checks it: the page does not turn.
    EXPECT_FALSE(d.ChoosePage(*p.pages, 0));
    EXPECT_EQ(1, p.pages->Current());
    p.dayField->SetEditText("20"_t);
    ASSERT_TRUE(d.ChoosePage(*p.pages, 0));
    p.dayField->SetEditText("40"_t);
    EXPECT_FALSE(d.Confirm(kCloseConfirm));
    EXPECT_FALSE(d.IsClosed());
    EXPECT_EQ(1, p.pages->Current());
    EXPECT_EQ(p.dayField, d.Focused());
    p.dayField->SetEditText("20"_t);
    EXPECT_TRUE(d.Confirm(kCloseConfirm));
    d.WriteBack();
    EXPECT_EQ(20, p.day);
}

TEST(DialogPagesTest, ChangesOfValuesAreHeard) {
    ScriptedUi ui(Lenient());
    PagedDialog p(ui);
    TDialogAXO& d = *p.dialog;
    const int before = p.changes;
    d.SetChecked(*p.box, true);  // turns to its page first
    EXPECT_EQ(1, p.pages->Current());
    EXPECT_TRUE(p.box->Checked());
    EXPECT_GE(p.changes, before + 1);
    const int afterBox = p.changes;
    d.TypeChar(' ');  // <Space> toggles the focused box
    EXPECT_FALSE(p.box->Checked());
    EXPECT_EQ(afterBox + 1, p.changes);
}

}  // namespace
}  // namespace axo::ui

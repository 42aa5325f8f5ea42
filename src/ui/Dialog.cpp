// The dialog model: focus, keys, closing, write-back and the modal run.
#include "ui/Dialog.h"

#include <algorithm>

#include "ui/DialogPages.h"
#include "ui/PrvekHelp.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

constexpr int kMaxColumns = 80;
constexpr int kMaxWidthPx = 640;
constexpr int kDefaultHeightPx = 372;
constexpr int kMaxHeightPx = 480;
constexpr int kFramePx = 42;

TPrvek* AsEdit(DialogElement* element) {
    return element && element->Kind() == ElementKind::Edit ? static_cast<TPrvek*>(element)
                                                           : nullptr;
}

bool IsYes(const Text& value) {
    const Text v = NationalUpperCase(Trim(value));
    return v == "1"_t || v == "X"_t || v == "A"_t || v == "ANO"_t;
}

bool IsNo(const Text& value) {
    const Text v = NationalUpperCase(Trim(value));
    return v.empty() || v == "0"_t || v == "N"_t || v == "NE"_t;
}

}  // namespace

TDialogAXO::TDialogAXO(UiServices& ui, const DialogEnvironment& env, int column, int row,
                       int widthColumns, const Text& hint, const Text& title, int rows)
    : ui_(ui), env_(env), caption_(" "_t + Trim(title)), hint_(hint) {
    columns_ = widthColumns <= 0 ? kMaxColumns : std::min(widthColumns, kMaxColumns);
    const int width = std::min(columns_ * kDialogColumnPx, kMaxWidthPx);
    const int height =
        rows <= 0 ? kDefaultHeightPx : std::min(rows * kDialogRowPx + kFramePx, kMaxHeightPx);
    rows_ = (height - kFramePx) / kDialogRowPx;
    if (column > 0 || row > 0)
        frame_ = {column * kDialogColumnPx, row * kDialogRowPx, width, height};
    else
        frame_ = PlaceCentred(width, height, ui_.CurrentDesktop());
    colours_ = ui_.Colours().dialog;
}

TDialogAXO::~TDialogAXO() = default;

void TDialogAXO::CentreOnDesktop() {
    Desktop desktop = ui_.CurrentDesktop();
    desktop.centreOnDesktop = true;
    frame_ = PlaceCentred(frame_.width, frame_.height, desktop);
}

void TDialogAXO::NameCurrent(std::string name) {
    if (current_)
        current_->SetName(std::move(name));
}

DialogElement* TDialogAXO::Find(std::string_view name) const {
    if (name.size() > 1 && name[0] == '#') {
        int wanted = 0;
        for (char ch : name.substr(1)) {
            if (ch < '0' || ch > '9' || wanted > 10000)
                return nullptr;
            wanted = wanted * 10 + (ch - '0');
        }
        for (const auto& e : elements_) {
            if (e->CanFocus() && --wanted == 0)
                return e.get();
        }
        return nullptr;
    }
    for (const auto& e : elements_) {
        if (e->Name() == name)
            return e.get();
    }
    return nullptr;
}

TButtonAXO* TDialogAXO::ConfirmButton() const {
    for (const auto& e : elements_) {
        if (e->Kind() == ElementKind::Button &&
            static_cast<TButtonAXO*>(e.get())->CloseCode() == kCloseConfirm)
            return static_cast<TButtonAXO*>(e.get());
    }
    return nullptr;
}

// ---- Focus ----------------------------------------------------------------------------------

bool TDialogAXO::LeaveFocused() {
    TPrvek* edit = AsEdit(focused_);
    if (!edit || !edit->Enabled())
        return true;
    if (!edit->Leave(ui_, env_))
        return false;
    Changed(*edit);
    return true;
}

void TDialogAXO::EnterElement(DialogElement* element) {
    focused_ = element;
    if (TPrvek* edit = AsEdit(element))
        edit->Enter(env_);
}

bool TDialogAXO::SetFocus(DialogElement* target) {
    if (!target || closed_ || (!target->CanFocus() && !HiddenPageOf(target)))
        return false;
    if (target == focused_)
        return true;
    if (!LeaveFocused())
        return false;
    RevealPageOf(target);
    EnterElement(target);
    return true;
}

void TDialogAXO::PutFocus(DialogElement* target) {
    if (!target)
        return;
    RevealPageOf(target);
    if (target->CanFocus())
        EnterElement(target);
}

// ---- Pages ----------------------------------------------------------------------------------

void TDialogAXO::AttachToPage(DialogElement& element) {
    if (pageTarget_ && &element != pageTarget_)
        pageTarget_->AddMember(element, pageIndex_);
}

TPageControlAXO* TDialogAXO::HiddenPageOf(const DialogElement* element) const {
    if (!element || !element->Focusable() || !element->Enabled())
        return nullptr;
    for (const auto& e : elements_) {
        if (e->Kind() != ElementKind::Pages || !e->Visible())
            continue;
        auto* pages = static_cast<TPageControlAXO*>(e.get());
        const int page = pages->PageOf(element);
        if (page >= 0 && page != pages->Current())
            return pages;
    }
    return nullptr;
}

void TDialogAXO::RevealPageOf(DialogElement* element) {
    if (TPageControlAXO* pages = HiddenPageOf(element)) {
        pages->ShowPage(pages->PageOf(element));
        Changed(*pages);
    }
}

bool TDialogAXO::ChoosePage(TPageControlAXO& pages, int index) {
    if (closed_ || index < 0 || index >= static_cast<int>(pages.Pages().size()))
        return false;
    if (index == pages.Current())
        return true;
    if (!LeaveFocused())
        return false;
    pages.ShowPage(index);
    Changed(pages);
    for (DialogElement* e : pages.Members(index)) {
        if (e->CanFocus()) {
            EnterElement(e);
            return true;
        }
    }
    // A page without fields: the focus goes to the first element that can take it.
    focused_ = nullptr;
    for (const auto& e : elements_) {
        if (e->CanFocus()) {
            EnterElement(e.get());
            break;
        }
    }
    return true;
}

bool TDialogAXO::TurnPage(int direction) {
    TPageControlAXO* pages = nullptr;
    for (const auto& e : elements_) {
        if (e->Kind() != ElementKind::Pages || !e->Visible())
            continue;
        pages = static_cast<TPageControlAXO*>(e.get());
        // The control of the focused element first, when there are several.
        if (pages->PageOf(focused_) >= 0)
            break;
    }
    const int count = pages ? static_cast<int>(pages->Pages().size()) : 0;
    if (count < 2)
        return false;
    return ChoosePage(*pages, ((pages->Current() + direction) % count + count) % count);
}

void TDialogAXO::Changed(DialogElement& element) {
    if (changeHandler_)
        changeHandler_(*this, element);
}

bool TDialogAXO::MoveFocus(int direction) {
    const int count = static_cast<int>(elements_.size());
    if (count == 0)
        return false;
    int from = -1;
    for (int i = 0; i < count; ++i) {
        if (elements_[std::size_t(i)].get() == focused_)
            from = i;
    }
    if (from < 0)
        from = direction > 0 ? count - 1 : 0;
    for (int step = 1; step <= count; ++step) {
        DialogElement* e =
            elements_[std::size_t(((from + direction * step) % count + count) % count)].get();
        if (!e->CanFocus())
            continue;
        // Round to the field itself (the only one): it is still left and checked.
        if (e == focused_ && !LeaveFocused())
            return false;
        if (e == focused_) {
            EnterElement(e);
            return true;
        }
        return SetFocus(e);
    }
    return false;
}

bool TDialogAXO::FocusNext() {
    return MoveFocus(+1);
}

bool TDialogAXO::FocusPrevious() {
    return MoveFocus(-1);
}

void TDialogAXO::FinishLayout() {
    if (laidOut_)
        return;
    laidOut_ = true;
    focused_ = nullptr;
    for (const auto& e : elements_) {
        if (e->CanFocus()) {
            EnterElement(e.get());
            return;
        }
    }
}

// ---- Keys and clicks ------------------------------------------------------------------------

bool TDialogAXO::OnKey(const KeyEvent& key) {
    return keyHandler_ && keyHandler_(*this, key);
}

bool TDialogAXO::KeyDown(const KeyEvent& key) {
    if (closed_)
        return false;
    if (OnKey(key))
        return true;
    TPrvek* edit = AsEdit(focused_);
    if (key.key == Key::Character && key.alt)
        return Accelerator(key.ch);
    if (key.key == Key::Tab && !key.ctrl && !key.alt)
        return key.shift ? FocusPrevious() : FocusNext();
    if (key.ctrl && !key.alt &&
        (key.key == Key::Tab || key.key == Key::PageDown || key.key == Key::PageUp))
        return TurnPage(key.key == Key::PageUp || (key.key == Key::Tab && key.shift) ? -1 : +1);
    if (!key.Plain())
        return edit && edit->KeyDown(key);
    switch (key.key) {
        case Key::Enter:
            if (focused_ && focused_->Kind() == ElementKind::Button)
                return Press(*static_cast<TButtonAXO*>(focused_));
            return FocusNext();
        case Key::Down:
            return FocusNext();
        case Key::Up:
            return FocusPrevious();
        case Key::Left:
            if (edit && (edit->Cursor() > 0 || edit->SelLength() > 0))
                return edit->KeyDown(key);
            return edit && FocusPrevious();
        case Key::Esc:
            Close(kCloseLeave);
            return true;
        case Key::F2:
            if (TButtonAXO* confirm = ConfirmButton(); confirm && confirm->Enabled())
                return Press(*confirm);
            return false;
        case Key::F7:
            if (edit)
                Help(*edit);
            return edit != nullptr;
        case Key::F11:
            RunCalculatorHelp(edit, ui_);
            return true;
        case Key::Space:
            return TypeChar(' ');
        default:
            return edit && edit->KeyDown(key);
    }
}

bool TDialogAXO::TypeChar(char ch) {
    if (closed_ || !focused_)
        return false;
    switch (focused_->Kind()) {
        case ElementKind::Edit:
            return static_cast<TPrvek*>(focused_)->TypeChar(ch);
        case ElementKind::CheckBox:
            if (ch != ' ')
                return false;
            static_cast<TCheckBoxAXO*>(focused_)->Toggle();
            Changed(*focused_);
            return true;
        case ElementKind::Button:
            return ch == ' ' && Press(*static_cast<TButtonAXO*>(focused_));
        case ElementKind::ComboBox:
            if (!static_cast<TComboBoxAXO*>(focused_)->ChooseByLetter(ch))
                return false;
            Changed(*focused_);
            return true;
        default:
            return false;
    }
}

void TDialogAXO::TypeText(const Text& text) {
    for (char ch : text)
        TypeChar(ch);
}

bool TDialogAXO::Accelerator(char letter) {
    const Text wanted = NationalUpperCase(Text(1, letter));
    for (const auto& e : elements_) {
        if (!e->Visible() || !e->Enabled())
            continue;
        if (e->Kind() == ElementKind::CheckBox) {
            // A check box's accelerator clicks it: focus and toggle.
            const ui::Caption c = ParseCaption(static_cast<TCheckBoxAXO*>(e.get())->Caption());
            if (c.accelerator >= 0 && e->CanFocus() &&
                NationalUpperCase(c.shown.substr(std::size_t(c.accelerator), 1)) == wanted) {
                Click(*e);
                return true;
            }
            continue;
        }
        if (e->Kind() == ElementKind::ComboBox) {
            // A radio button's accelerator chooses its item.
            auto* group = static_cast<TComboBoxAXO*>(e.get());
            const int item = group->IsRadioGroup() ? group->ItemOfAccelerator(letter) : -1;
            if (item >= 0 && SetFocus(group)) {
                group->Choose(item);
                Changed(*group);
                return true;
            }
            continue;
        }
        const ui::Caption* caption = nullptr;
        if (e->Kind() == ElementKind::Label)
            caption = &static_cast<TLabelAXO*>(e.get())->Shown();
        else if (e->Kind() == ElementKind::Button)
            caption = &static_cast<TButtonAXO*>(e.get())->Shown();
        if (!caption || caption->accelerator < 0 ||
            NationalUpperCase(caption->shown.substr(std::size_t(caption->accelerator), 1)) !=
                wanted)
            continue;
        if (e->Kind() == ElementKind::Button)
            return Press(*static_cast<TButtonAXO*>(e.get()));
        return SetFocus(static_cast<TLabelAXO*>(e.get())->Target());
    }
    return false;
}

void TDialogAXO::Click(DialogElement& element) {
    if (closed_ || !element.Visible() || !element.Enabled())
        return;
    switch (element.Kind()) {
        case ElementKind::Label:
            SetFocus(static_cast<TLabelAXO&>(element).Target());
            break;
        case ElementKind::CheckBox:
            if (SetFocus(&element)) {
                static_cast<TCheckBoxAXO&>(element).Toggle();
                Changed(element);
            }
            break;
        case ElementKind::Button:
            Press(static_cast<TButtonAXO&>(element));
            break;
        default:
            SetFocus(&element);
            break;
    }
}

void TDialogAXO::DoubleClick(DialogElement& element) {
    if (TPrvek* edit = AsEdit(&element); edit && SetFocus(edit))
        Help(*edit);
}

void TDialogAXO::Help(TPrvek& field) {
    if (RunFieldHelp(field, ui_, env_) == HelpOutcome::MoveNext)
        FocusNext();
}

void TDialogAXO::ChooseItem(TComboBoxAXO& list, int index) {
    if (SetFocus(&list)) {
        list.Choose(index);
        Changed(list);
    }
}

void TDialogAXO::SetChecked(TCheckBoxAXO& box, bool checked) {
    if (SetFocus(&box)) {
        box.SetChecked(checked);
        Changed(box);
    }
}

bool TDialogAXO::Press(TButtonAXO& button) {
    if (closed_ || !button.Enabled() || !button.Visible())
        return false;
    // Any button but the leave button takes the focus out of the field first.
    if (button.CloseCode() != kCloseLeave && !LeaveFocused())
        return false;
    if (button.Action())
        button.Action()(*this);
    if (closed_ || button.CloseCode() == 0)
        return true;
    if (button.CloseCode() == kCloseLeave) {
        Close(kCloseLeave);
        return true;
    }
    return Confirm(button.CloseCode());
}

bool TDialogAXO::FillField(DialogElement& element, const Text& value) {
    if (!SetFocus(&element))
        return false;
    switch (element.Kind()) {
        case ElementKind::Edit: {
            auto& edit = static_cast<TPrvek&>(element);
            const Text before = edit.EditText();
            edit.SelectAll();
            edit.KeyDown({Key::Delete});
            bool all = true;
            for (char ch : value)
                all = edit.TypeChar(ch) && all;
            // A value the field would change is not taken at all: the field keeps what it had.
            if (!all)
                edit.SetEditText(before);
            return all;
        }
        case ElementKind::CheckBox:
            if (!IsYes(value) && !IsNo(value))
                return false;
            static_cast<TCheckBoxAXO&>(element).SetChecked(IsYes(value));
            Changed(element);
            return true;
        case ElementKind::ComboBox: {
            auto& list = static_cast<TComboBoxAXO&>(element);
            if (!value.empty() && value[0] == '#') {
                const int index = static_cast<int>(TryTextToInt(value.substr(1)).value_or(-1));
                list.Choose(index);
                Changed(list);
                return list.Index() == index;
            }
            const Text wanted = NationalUpperCase(Trim(value));
            for (std::size_t i = 0; i < list.Items().size(); ++i) {
                if (NationalUpperCase(Trim(list.Items()[i])).StartsWith(wanted)) {
                    list.Choose(static_cast<int>(i));
                    Changed(list);
                    return true;
                }
            }
            return false;
        }
        case ElementKind::Memo:
            static_cast<TMemoAXO&>(element).SetContent(value);
            return true;
        default:
            return false;
    }
}

// ---- Closing --------------------------------------------------------------------------------

void TDialogAXO::Close(int code) {
    closed_ = true;
    closeCode_ = code;
}

bool TDialogAXO::Confirm(int code) {
    if (closed_)
        return false;
    if (!LeaveFocused())
        return false;
    // Fields the user never left (or that changed since) are checked too, so that no value
    // is written back without its check.
    for (const auto& e : elements_) {
        TPrvek* edit = AsEdit(e.get());
        // Fields of pages not shown are checked too; a failing one brings its page up.
        if (!edit || edit == focused_ || !(edit->CanFocus() || HiddenPageOf(edit)) ||
            !edit->NeedsCheck())
            continue;
        if (!edit->Leave(ui_, env_)) {
            RevealPageOf(edit);
            focused_ = edit;
            edit->SelectAll();
            return false;
        }
        Changed(*edit);
    }
    Close(code);
    return true;
}

void TDialogAXO::WriteBack() {
    for (const auto& e : elements_)
        e->WriteBack();
}

bool TDialogAXO::MayClose(int closeCode) {
    return !mayClose_ || mayClose_(*this, closeCode);
}

std::vector<Text> TDialogAXO::TranscriptLines() const {
    std::vector<Text> lines;
    for (const auto& e : elements_) {
        if (!e->Visible() || e->Group())
            continue;
        if (std::optional<Text> line = e->TranscriptLine())
            lines.push_back(*line);
    }
    return lines;
}

std::vector<Text> TDialogAXO::ButtonCaptions() const {
    std::vector<Text> captions;
    for (const auto& e : elements_) {
        if (e->Visible() && e->Kind() == ElementKind::Button)
            captions.push_back(static_cast<TButtonAXO*>(e.get())->Shown().shown);
    }
    return captions;
}

// ---- Running --------------------------------------------------------------------------------

bool RunDialog(TDialogAXO& dialog) {
    dialog.FinishLayout();
    dialog.ResetShowCount();
    for (;;) {
        dialog.Reopen();
        const int code = dialog.Ui().RunDialogWindow(dialog);
        dialog.Close(code);
        if (dialog.MayClose(code))
            break;
    }
    if (dialog.CloseCode() != kCloseConfirm)
        return false;
    dialog.WriteBack();
    return true;
}

void FreeDialog(std::unique_ptr<TDialogAXO>& dialog) {
    if (!dialog)
        return;
    UiServices& ui = dialog->Ui();
    dialog.reset();
    ui.ProcessEvents();
}

}  // namespace axo::ui

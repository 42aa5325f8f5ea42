// Reading and applying dialog answers.
#include "ui/DialogScript.h"

#include <array>
#include <utility>

#include "ui/Dialog.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

constexpr std::array<std::pair<std::string_view, Key>, 28> kKeyNames = {{
    {"Enter", Key::Enter},
    {"Esc", Key::Esc},
    {"Tab", Key::Tab},
    {"Up", Key::Up},
    {"Down", Key::Down},
    {"Left", Key::Left},
    {"Right", Key::Right},
    {"Home", Key::Home},
    {"End", Key::End},
    {"PageUp", Key::PageUp},
    {"PageDown", Key::PageDown},
    {"Backspace", Key::Backspace},
    {"Delete", Key::Delete},
    {"Space", Key::Space},
    {"F1", Key::F1},
    {"F2", Key::F2},
    {"F3", Key::F3},
    {"F4", Key::F4},
    {"F5", Key::F5},
    {"F6", Key::F6},
    {"F7", Key::F7},
    {"F8", Key::F8},
    {"F9", Key::F9},
    {"F10", Key::F10},
    {"F11", Key::F11},
    {"F12", Key::F12},
    {"Escape", Key::Esc},
    {"Insert", Key::Insert},
}};

/// Splits at blanks; double quotes group blanks into a word and are removed.
std::vector<std::string> Words(std::string_view answer) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool any = false;
    for (char ch : answer) {
        if (ch == '"') {
            quoted = !quoted;
            any = true;
        } else if ((ch == ' ' || ch == '\t') && !quoted) {
            if (any)
                words.push_back(std::move(word));
            word.clear();
            any = false;
        } else {
            word.push_back(ch);
            any = true;
        }
    }
    if (quoted)
        throw DialogScriptError("unclosed quote in the dialog answer");
    if (any)
        words.push_back(std::move(word));
    return words;
}

DialogElement& Named(TDialogAXO& dialog, const std::string& name) {
    DialogElement* e = dialog.Find(name);
    if (!e)
        throw DialogScriptError("the dialog \"" + ToUtf8(dialog.Caption()) +
                                "\" has no element \"" + name + "\"");
    return *e;
}

/// The caption the user knows an element by; its name when it has none.
Text ElementCaption(const DialogElement& e) {
    Text caption;
    if (e.Kind() == ElementKind::Edit)
        caption = static_cast<const TPrvek&>(e).Caption();
    else if (e.Kind() == ElementKind::CheckBox)
        caption = static_cast<const TCheckBoxAXO&>(e).Caption();
    else if (e.Kind() == ElementKind::ComboBox)
        caption = static_cast<const TComboBoxAXO&>(e).Caption();
    caption = Trim(caption);
    return caption.empty() ? FromUtf8(e.Name()) : caption;
}

bool ApplyStep(TDialogAXO& dialog, const DialogStep& step, Text* refusal) {
    switch (step.kind) {
        case DialogStep::Kind::Fill: {
            DialogElement& e = Named(dialog, step.name);
            // The element left may refuse its own value; its check has said why.
            if (!dialog.SetFocus(&e))
                return false;
            const Text value = FromUtf8(step.value);
            if (dialog.FillField(e, value))
                return true;
            if (refusal)
                *refusal = "Hodnotu <"_t + value + "> nelze zadat do položky <"_t +
                           ElementCaption(e) + ">."_t;
            return false;
        }
        case DialogStep::Kind::Key:
            return dialog.KeyDown(step.key);
        case DialogStep::Kind::Click: {
            DialogElement& e = Named(dialog, step.name);
            if (e.Kind() == ElementKind::Button)
                return dialog.Press(static_cast<TButtonAXO&>(e));
            if (e.Kind() == ElementKind::Label)
                return dialog.SetFocus(static_cast<TLabelAXO&>(e).Target());
            dialog.Click(e);
            return dialog.Focused() == &e;
        }
        case DialogStep::Kind::Type: {
            bool all = true;
            for (char ch : FromUtf8(step.value))
                all = dialog.TypeChar(ch) && all;
            return all;
        }
    }
    return false;
}

}  // namespace

KeyEvent ParseKeyName(std::string_view name) {
    KeyEvent key;
    for (;;) {
        if (name.starts_with("Ctrl+")) {
            key.ctrl = true;
            name.remove_prefix(5);
        } else if (name.starts_with("Shift+")) {
            key.shift = true;
            name.remove_prefix(6);
        } else if (name.starts_with("Alt+")) {
            key.alt = true;
            name.remove_prefix(4);
        } else {
            break;
        }
    }
    for (const auto& [keyName, value] : kKeyNames) {
        if (name == keyName) {
            key.key = value;
            return key;
        }
    }
    if (name.size() == 1 && (key.alt || key.ctrl)) {
        key.key = Key::Character;
        key.ch = name[0];
        return key;
    }
    throw DialogScriptError("unknown key \"" + std::string(name) + "\"");
}

std::vector<DialogStep> ParseDialogSteps(std::string_view answer) {
    std::vector<DialogStep> steps;
    for (const std::string& word : Words(answer)) {
        DialogStep step;
        if (word.starts_with("key:")) {
            step.kind = DialogStep::Kind::Key;
            step.key = ParseKeyName(std::string_view(word).substr(4));
        } else if (word.starts_with("click:")) {
            step.kind = DialogStep::Kind::Click;
            step.name = word.substr(6);
        } else if (word.starts_with("type:")) {
            step.kind = DialogStep::Kind::Type;
            step.value = word.substr(5);
        } else {
            const std::size_t eq = word.find('=');
            if (eq == std::string::npos || eq == 0)
                throw DialogScriptError("dialog answer step \"" + word +
                                        "\" is neither NAME=VALUE nor key:, click: or type:");
            step.name = word.substr(0, eq);
            step.value = word.substr(eq + 1);
        }
        steps.push_back(std::move(step));
    }
    return steps;
}

bool ApplyDialogSteps(TDialogAXO& dialog, const std::vector<DialogStep>& steps, Text* refusal) {
    for (const DialogStep& step : steps) {
        if (dialog.IsClosed())
            return true;
        if (!ApplyStep(dialog, step, refusal))
            return false;
    }
    return true;
}

}  // namespace axo::ui

// Scripted browse windows: reading and applying steps, the page in the transcript.
#include "ui/browse/BrowseScript.h"

#include <charconv>

#include "ui/browse/Browser.h"
#include "ui/browse/Selector.h"

namespace axo::ui {

namespace {

/// The window's button of a component name; none when it has no such button.
std::optional<BrowseButton> ButtonNamed(TBrowser& window, const std::string& name) {
    for (const BrowseButtonView& b : window.ToolBar())
        if (b.name == name)
            return b.id;
    for (const BrowseButtonView& b : window.ButtonRow())
        if (b.name == name)
            return b.id;
    return std::nullopt;
}

bool KnownButtonName(const std::string& name) {
    static const char* const kNames[] = {
        "ButtonSipkaDolu",     "ButtonSipkaNahoru", "ButtonSipkaVpravo",
        "ButtonSipkaVlevo",    "ButtonPageDown",    "ButtonPageUp",
        "ButtonEnd",           "ButtonHome",        "ButtonCtrlEnd",
        "ButtonCtrlHome",      "ButtonSort",        "ButtonIndex",
        "ButtonFind",          "ButtonPrint",       "ButtonShift",
        "ButtonRefresh",       "ButtonPrintScreen", "BitBtn_Print",
        "ButtonEnter",         "ButtonVyberVse",    "ButtonZrusVyber",
        "ButtonInvertujVyber", "ButtonVyber",       "ButtonPridani",
        "ButtonOprava",        "ButtonZruseni",     "ButtonView",
        "ButtonStorno",        "ButtonKopie",       "ButtonOK",
        "ButtonExit",          "ButtonImport"};
    for (const char* known : kNames)
        if (name == known)
            return true;
    return false;
}

int Number(const std::string& text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0)
        throw DialogScriptError("a number is expected, not \"" + text + "\"");
    return value;
}

/// A number that may be negative (a window moved off the screen).
int SignedNumber(const std::string& text) {
    return !text.empty() && text[0] == '-' ? -Number(text.substr(1)) : Number(text);
}

void CheckFill(const DialogStep& step) {
    if (step.name == "row" || step.name == "dblclick" || step.name == "tick" ||
        step.name == "order") {
        Number(step.value);
    } else if (step.name == "wheel") {
        if (step.value != "down" && step.value != "up")
            throw DialogScriptError("wheel=down or wheel=up, not wheel=" + step.value);
    } else if (step.name == "size" || step.name == "move") {
        const char separator = step.name == "size" ? 'x' : ',';
        const std::size_t at = step.value.find(separator);
        if (at == std::string::npos)
            throw DialogScriptError("size=WIDTHxHEIGHT or move=X,Y, not " + step.name + "=" +
                                    step.value);
        SignedNumber(step.value.substr(0, at));
        SignedNumber(step.value.substr(at + 1));
    } else {
        throw DialogScriptError("a browse window takes no step \"" + step.name + "=\"");
    }
}

void ApplyFill(TBrowser& window, const DialogStep& step) {
    if (step.name == "row") {
        window.ClickRow(Number(step.value));
    } else if (step.name == "dblclick") {
        window.DoubleClickRow(Number(step.value));
    } else if (step.name == "tick") {
        if (auto* selector = dynamic_cast<TSelector*>(&window))
            selector->RightClickRow(Number(step.value));
    } else if (step.name == "order") {
        window.ChooseOrder(Number(step.value) - 1);
    } else if (step.name == "wheel") {
        window.Wheel(step.value == "down");
    } else if (step.name == "size" || step.name == "move") {
        const bool size = step.name == "size";
        const std::size_t at = step.value.find(size ? 'x' : ',');
        const int a = SignedNumber(step.value.substr(0, at));
        const int b = SignedNumber(step.value.substr(at + 1));
        Rect frame = window.Frame();
        if (size) {
            frame.width = a;
            frame.height = b;
        } else {
            frame.x = a;
            frame.y = b;
        }
        window.SetFrame(frame);
    }
}

}  // namespace

std::vector<DialogStep> ParseBrowseSteps(std::string_view answer) {
    std::vector<DialogStep> steps = ParseDialogSteps(answer);
    for (const DialogStep& step : steps) {
        if (step.kind == DialogStep::Kind::Click && !KnownButtonName(step.name))
            throw DialogScriptError("a browse window has no button \"" + step.name + "\"");
        if (step.kind == DialogStep::Kind::Fill)
            CheckFill(step);
    }
    return steps;
}

void ApplyBrowseSteps(TBrowser& window, const std::vector<DialogStep>& steps) {
    for (const DialogStep& step : steps) {
        if (window.IsClosed())
            return;
        switch (step.kind) {
            case DialogStep::Kind::Key:
                if (!window.SearchBoxOpen() || !window.DirectSearchKey(step.key))
                    window.KeyDown(step.key);
                break;
            case DialogStep::Kind::Click:
                if (const auto button = ButtonNamed(window, step.name))
                    window.Press(*button);
                else
                    throw DialogScriptError("the window \"" + ToUtf8(window.Caption()) +
                                            "\" has no button \"" + step.name + "\"");
                break;
            case DialogStep::Kind::Type:
                if (!window.SearchBoxOpen())
                    window.OpenDirectSearch();
                window.SetDirectSearchText(window.SearchBoxText() + FromUtf8(step.value));
                break;
            case DialogStep::Kind::Fill:
                ApplyFill(window, step);
                break;
        }
    }
}

TranscriptEntry BrowseEntry(TBrowser& window) {
    TranscriptEntry e{"browse", ToUtf8(window.Caption()), {}, {}, {}};
    if (window.HeaderVisible())
        e.lines.push_back("header: " + ToUtf8(window.ShownHeader()));
    for (int row = 1; row <= window.RowsFilled() && row <= window.PageSize(); ++row)
        e.lines.push_back((row == window.CurrentRow() ? "> " : "  ") +
                          ToUtf8(window.ShownRow(row)));
    if (!window.OrderLabel().empty())
        e.lines.push_back("order: " + ToUtf8(window.OrderLabel()));
    if (window.SearchBoxOpen())
        e.lines.push_back("search: " + ToUtf8(window.SearchBoxText()));
    for (const BrowseButtonView& b : window.ButtonRow())
        e.buttons.push_back(ToUtf8(b.caption));
    return e;
}

TranscriptEntry RunScriptedBrowser(TBrowser& window, bool strict,
                                   const std::function<std::optional<std::string>()>& nextSteps) {
    bool answered = false;
    while (!window.IsClosed()) {
        const std::optional<std::string> steps = nextSteps();
        if (!steps)
            break;
        answered = true;
        try {
            ApplyBrowseSteps(window, ParseBrowseSteps(*steps));
        } catch (const DialogScriptError& e) {
            throw ScriptError(e.what());
        }
    }
    if (!window.IsClosed()) {
        if (strict)
            throw ScriptError(std::string(answered ? "the script leaves the browse window open:\n"
                                                   : "the script has no answer to:\n") +
                              BrowseEntry(window).ToString());
        window.KeyDown({Key::Esc});
        if (!window.IsClosed())
            window.Close(kCloseLeave);
    }
    TranscriptEntry e = BrowseEntry(window);
    e.answer = "close " + std::to_string(window.Result());
    if (window.Result() == TBrowser::kResultChosen && window.RowsFilled() > 0)
        e.answer += ": " + ToUtf8(window.ShownRow(window.CurrentRow()));
    return e;
}

std::string BrowseStepOfWord(std::string_view word) {
    if (word.find(':') != std::string_view::npos || word.find('=') != std::string_view::npos)
        return std::string(word);
    if (word == "Shift")
        return "click:ButtonShift";
    std::string name;
    for (;;) {
        bool prefixed = false;
        for (const std::string_view modifier : {"Ctrl", "Shift", "Alt"}) {
            if (word.starts_with(modifier) && word.size() > modifier.size()) {
                name += std::string(modifier) + "+";
                word.remove_prefix(modifier.size());
                if (word.starts_with("+"))
                    word.remove_prefix(1);
                prefixed = true;
            }
        }
        if (!prefixed)
            break;
    }
    return "key:" + name + std::string(word);
}

}  // namespace axo::ui

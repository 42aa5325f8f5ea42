// Window models of the message services.
#include "ui/Screen.h"

#include <algorithm>

namespace axo::ui {

namespace {

constexpr int kMaxMessageLines = 20;
constexpr int kMaxLineLength = 76;
constexpr int kMaxMessageHeightPx = 372;
constexpr int kMaxCaptionLength = 60;
constexpr std::size_t kMaxButtons = 10;

constexpr Rgb kTeal{0, 128, 128};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kCrimson{172, 2, 45};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kDarkBlue{0, 0, 159};
constexpr Rgb kCyan{0, 255, 255};
constexpr Rgb kMagenta{176, 0, 166};
constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kSystemButtonFace{212, 208, 200, true};
constexpr Rgb kSystemWindowText{0, 0, 0, true};
constexpr Rgb kSystemHighlight{0, 120, 215, true};
constexpr Rgb kSystemHighlightText{255, 255, 255, true};

/// Turns CR LF and lone line feeds into the line-break mark.
Text NormaliseBreaks(const Text& text) {
    Text out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        out.push_back(c == '\n' ? kLineBreakMark : c);
    }
    return out;
}

bool IsLineEnd(char c) {
    return c == kLineBreakMark || c == kCentreMark;
}

/// Collects lines while the wrapping walks the text.
class LineCollector {
  public:
    explicit LineCollector(int usableLength) : usable_(std::max(usableLength, 1)) {}

    bool Full() const { return lines_.size() >= kMaxMessageLines; }

    void AddWord(const Text& word) {
        if (!hasWord_) {
            current_ = word;
            hasWord_ = true;
        } else if (current_.size() + 1 + word.size() <= static_cast<std::size_t>(usable_)) {
            current_ += ' ';
            current_ += word;
        } else {
            Flush(false);
            if (Full())
                return;
            current_ = word;
            hasWord_ = true;
        }
    }

    void AddUnwrapped(const Text& line) {
        current_ = line;
        hasWord_ = true;
    }

    /// Ends the current line (also an empty one).
    void Flush(bool centred) {
        if (Full())
            return;
        lines_.push_back({current_.substr(0, kMaxLineLength), centred});
        current_.clear();
        hasWord_ = false;
    }

    void Finish() {
        if (hasWord_)
            Flush(false);
    }

    std::vector<MessageLine> Take() { return std::move(lines_); }

  private:
    int usable_;
    std::vector<MessageLine> lines_;
    Text current_;
    bool hasWord_ = false;
};

Rect PlaceMessage(int width, int height, int columns, int rows, const Desktop& desktop,
                  Placement placement) {
    if (!placement.row && columns < 80)
        return PlaceCentred(width, height, desktop);
    const Rect& main = desktop.mainWindow;
    const int row = columns >= 80 ? 23 - rows + 1 : *placement.row;
    return {main.x + (main.width - width) / 2, main.y + row * kCellHeightPx, width, height};
}

Text TitleOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Info:
            return " INFORMACE"_t;
        case MessageKind::Error:
            return " CHYBA"_t;
        case MessageKind::Decision:
            return " ROZHODNUTÍ"_t;
        case MessageKind::Call:
            return " VÝZVA"_t;
        default:
            return {};
    }
}

Icon IconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Info:
            return Icon::Information;
        case MessageKind::Error:
        case MessageKind::Call:
            return Icon::Warning;
        case MessageKind::Decision:
            return Icon::Question;
        case MessageKind::Notice:
            return Icon::SystemLogo;
        case MessageKind::App:
            return Icon::Application;
        default:
            return Icon::None;
    }
}

bool HasOkButton(MessageKind kind) {
    return kind != MessageKind::Wait && kind != MessageKind::Notice && kind != MessageKind::App;
}

/// Splits a text at its line ends without wrapping (the decision window shows lines as given).
std::vector<MessageLine> SplitLines(const Text& text) {
    std::vector<MessageLine> lines;
    Text current;
    for (char c : text) {
        if (IsLineEnd(c)) {
            lines.push_back({current, c == kCentreMark});
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    lines.push_back({current, false});
    return lines;
}

}  // namespace

ColourScheme ColourScheme::Make(bool systemColours) {
    if (systemColours) {
        const ColourPair face{kSystemButtonFace, kSystemWindowText};
        return {face, face, face, face, {kSystemHighlight, kSystemHighlightText}, face};
    }
    return {{kTeal, kYellow},   {kCrimson, kWhite}, {kDarkBlue, kCyan},
            {kMagenta, kWhite}, {kMagenta, kCyan},  {kSilver, kGrey}};
}

std::vector<MessageLine> WrapMessage(const Text& text, const Text& appended, int usableLength) {
    // The end of the text ends a word: the appended text never runs into its last word.
    Text joined = text;
    if (!text.empty() && !appended.empty() && text.back() != ' ' && appended.front() != ' ' &&
        !IsLineEnd(NormaliseBreaks(text).back()) && !IsLineEnd(NormaliseBreaks(appended).front()))
        joined += ' ';
    const Text all = NormaliseBreaks(joined + appended);
    LineCollector out(usableLength);
    std::size_t i = 0;
    bool lineStart = true;
    while (i < all.size() && !out.Full()) {
        if (lineStart && all[i] == kNoWrapMark) {
            std::size_t end = i + 1;
            while (end < all.size() && !IsLineEnd(all[end]))
                ++end;
            out.AddUnwrapped(all.substr(i + 1, end - i - 1));
            i = end;
        } else {
            std::size_t end = i;
            while (end < all.size() && all[end] != ' ' && !IsLineEnd(all[end]))
                ++end;
            out.AddWord(all.substr(i, end - i));
            i = end;
        }
        lineStart = false;
        if (i >= all.size())
            break;
        const char delimiter = all[i++];
        if (IsLineEnd(delimiter)) {
            out.Flush(delimiter == kCentreMark);
            lineStart = true;
        }
    }
    out.Finish();
    return out.Take();
}

MessageWindow BuildMessage(MessageKind kind, const Text& text, const Text& appended, int columns,
                           const Desktop& desktop, const ColourScheme& scheme,
                           Placement placement) {
    MessageWindow w;
    w.kind = kind;
    w.title = TitleOf(kind);
    w.icon = IconOf(kind);
    w.okButton = HasOkButton(kind);
    w.okCaption = "&O.K."_t;
    w.colours = kind == MessageKind::Error ? scheme.error : scheme.information;
    if (columns <= 0) {
        const int length = static_cast<int>(text.size() + appended.size());
        columns = length > 64 ? 70 : length + 6;
    }
    w.columns = std::clamp(columns, 37, 80);
    w.lines = WrapMessage(text, appended, w.columns - 6);
    w.rows = static_cast<int>(w.lines.size()) + 3;
    const int width = w.columns * kCellWidthPx;
    const int height = std::min(w.rows * kCellHeightPx, kMaxMessageHeightPx);
    w.frame = PlaceMessage(width, height, w.columns, w.rows, desktop, placement);
    return w;
}

Caption ParseCaption(const Text& caption) {
    Caption c;
    int tildes = 0;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char ch = caption[i];
        if (ch == '~') {
            if (tildes++ == 0)
                c.accelerator = static_cast<int>(c.shown.size());
            continue;
        }
        if (ch == '&' && c.accelerator < 0 && i + 1 < caption.size() && caption[i + 1] != '&') {
            c.accelerator = static_cast<int>(c.shown.size());
            continue;
        }
        if (ch == '&' && i + 1 < caption.size() && caption[i + 1] == '&')
            ++i;  // "&&" shows "&"
        c.shown.push_back(ch);
    }
    if (c.accelerator >= static_cast<int>(c.shown.size()))
        c.accelerator = -1;
    return c;
}

DecisionWindow BuildDecision(const Text& text, const std::vector<Text>& captions, int defaultButton,
                             const Text& title, const Desktop& desktop,
                             const ColourScheme& scheme) {
    DecisionWindow w;
    w.title = title;
    w.colours = scheme.information;
    w.defaultButton = defaultButton;

    Text body = NormaliseBreaks(text);
    while (!body.empty() && IsLineEnd(body.front()))
        body.erase(0, 1);
    while (!body.empty() && IsLineEnd(body.back()))
        body.pop_back();
    w.lines = SplitLines(body);

    const std::size_t count = std::min(captions.size(), kMaxButtons);
    int captionColumns = 0;
    for (std::size_t i = 0; i < count; ++i) {
        DecisionButton b;
        b.caption = ParseCaption(captions[i].substr(0, kMaxCaptionLength));
        captionColumns += static_cast<int>(b.caption.shown.size()) + 2;
        w.buttons.push_back(b);
    }
    int longestLine = 0;
    for (const MessageLine& l : w.lines)
        longestLine = std::max(longestLine, int(l.text.size()));

    w.rows = std::max(static_cast<int>(w.lines.size()) - 1 + 5, 6);
    w.columns = std::clamp(std::max(captionColumns, longestLine + 4), 20, 80);
    const int width = w.columns * kCellWidthPx;
    const int height = w.rows * kCellHeightPx;

    if (!w.buttons.empty()) {
        const int buttonWidth = width / static_cast<int>(w.buttons.size()) - 8;
        const int y = (w.rows - 3) * kCellHeightPx;
        for (std::size_t i = 0; i < w.buttons.size(); ++i)
            w.buttons[i].frame = {5 + static_cast<int>(i) * (buttonWidth + 4), y, buttonWidth, 23};
    }

    const Rect& screen = desktop.screen;
    if (width > screen.width - 30 || height > screen.height - 30) {
        w.scrolls = true;
        Desktop onDesktop = desktop;
        onDesktop.centreOnDesktop = true;
        w.frame = PlaceCentred(std::min(width, screen.width - 30),
                               std::min(height, screen.height - 30), onDesktop);
    } else {
        w.frame = PlaceCentred(width, height, desktop);
    }
    return w;
}

PromptWindow BuildPrompt(const Text& prompt, const Text& title, bool password, bool centred,
                         int fieldWidth, int maxLength, const Desktop& desktop,
                         const ColourScheme& scheme) {
    PromptWindow w;
    w.title = title;
    w.prompt = prompt;
    w.password = password;
    w.centred = centred;
    w.fieldWidth = fieldWidth;
    w.maxLength = maxLength;
    w.colours = scheme.information;
    w.confirmCaption = "potvrzení"_t;
    w.leaveCaption = "odchod"_t;
    const int promptLength = static_cast<int>(prompt.size());
    int columns = fieldWidth > 40 ? fieldWidth + 4 : 44;
    if (promptLength > fieldWidth && promptLength > 40)
        columns += promptLength - 40;
    columns = std::max(columns, static_cast<int>(title.size()) + 10);
    w.columns = std::min(columns, 80);
    w.frame = PlaceCentred(w.columns * kCellWidthPx, w.rows * kCellHeightPx, desktop);
    return w;
}

Rect PlaceCentred(int width, int height, const Desktop& desktop) {
    const Rect& main = desktop.mainWindow;
    const bool onDesktop = desktop.centreOnDesktop || width > main.width || height > main.height;
    const Rect& around = onDesktop ? desktop.screen : main;
    return {around.x + (around.width - width) / 2, around.y + (around.height - height) / 2, width,
            height};
}

}  // namespace axo::ui

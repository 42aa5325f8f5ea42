// Window models of the message services: message windows of the eight kinds, the decision
// window, the one-value prompt and the colour scheme. Everything is reckoned on the family's
// 80 x 25 character grid (8 x 19 pixels a cell); a front end only draws what these models hold.
#pragma once

#include <optional>
#include <vector>

#include "util/Text.h"

namespace axo::ui {

/// Marks inside message texts. A carriage return (or a line feed) breaks the line; the
/// centring mark ends a line and centres it; the no-wrap mark at the start of a line lets that
/// line pass unwrapped.
inline constexpr char kLineBreakMark = '\r';
inline constexpr char kCentreMark = '\x0E';
inline constexpr char kNoWrapMark = '\x0F';

inline constexpr int kCellWidthPx = 8;
inline constexpr int kCellHeightPx = 19;

/// Close codes of modal windows: confirm (O.K.) and leave (<Esc>).
inline constexpr int kCloseConfirm = 1;
inline constexpr int kCloseLeave = 2;

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

/// What the front end tells the models about the screen.
struct Desktop {
    Rect screen{0, 0, 1280, 1024};
    Rect mainWindow{0, 0, 640, 475};
    bool centreOnDesktop = false;
};

struct Rgb {
    unsigned char r = 0, g = 0, b = 0;
    bool system = false;  ///< stands for a desktop colour rather than the RGB value
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// A window colour with its text colour.
struct ColourPair {
    Rgb window;
    Rgb text;
    friend bool operator==(const ColourPair&, const ColourPair&) = default;
};

/// The colour table chosen once at start: the desktop's own colours, or the classic palette.
struct ColourScheme {
    ColourPair information;  ///< information, decision and prompt windows
    ColourPair error;
    ColourPair dialog;
    ColourPair list;
    ColourPair highlight;
    ColourPair neutral;
    /// The table for the desktop's colours (true) or the classic palette (false).
    static ColourScheme Make(bool systemColours);
};

enum class Icon { None, Information, Warning, Question, SystemLogo, Application };

/// The kinds of message window: 0 plain, 1 information, 2 error, 3 decision, 4 modeless wait,
/// 5 modeless notice, 6 call to action, 7 application.
enum class MessageKind {
    Plain = 0,
    Info = 1,
    Error = 2,
    Decision = 3,
    Wait = 4,
    Notice = 5,
    Call = 6,
    App = 7
};

struct MessageLine {
    Text text;
    bool centred = false;
    friend bool operator==(const MessageLine&, const MessageLine&) = default;
};

struct MessageWindow {
    MessageKind kind = MessageKind::Info;
    Text title;
    Icon icon = Icon::None;
    bool okButton = true;
    Text okCaption;
    std::vector<MessageLine> lines;
    int columns = 0;
    int rows = 0;
    Rect frame;  ///< pixels
    ColourPair colours;
};

/// Where a message goes: centred (desktop or main window), or at a given row of the grid.
struct Placement {
    std::optional<int> row;
};

/// Builds a message window of `kind` for `text` followed by `appended`. `columns` 0 sizes the
/// window by the text. Lines beyond twenty are dropped.
MessageWindow BuildMessage(MessageKind kind, const Text& text, const Text& appended, int columns,
                           const Desktop& desktop, const ColourScheme& scheme,
                           Placement placement = {});

/// Splits a message into the lines its window shows: marks handled, words wrapped to
/// `usableLength`, at most twenty lines of at most 76 characters.
std::vector<MessageLine> WrapMessage(const Text& text, const Text& appended, int usableLength);

/// A button caption with its accelerator: "~I~gnorovat" and "&Ignorovat" both give the shown
/// text "Ignorovat" with the accelerator at 0; -1 when there is none.
struct Caption {
    Text shown;
    int accelerator = -1;
    friend bool operator==(const Caption&, const Caption&) = default;
};
Caption ParseCaption(const Text& caption);

struct DecisionButton {
    Caption caption;
    Rect frame;  ///< pixels, inside the window
};

struct DecisionWindow {
    Text title;
    std::vector<MessageLine> lines;
    std::vector<DecisionButton> buttons;
    int defaultButton = 1;  ///< 1-based
    int columns = 0;
    int rows = 0;
    Rect frame;
    bool scrolls = false;  ///< larger than the screen: shrunk, scrolled, centred on the desktop
    ColourPair colours;
};

/// Builds the decision window: at most ten buttons, captions cut to 60 characters.
DecisionWindow BuildDecision(const Text& text, const std::vector<Text>& captions, int defaultButton,
                             const Text& title, const Desktop& desktop, const ColourScheme& scheme);

struct PromptWindow {
    Text title;
    Text prompt;
    bool password = false;
    bool centred = false;
    int fieldWidth = 0;
    int maxLength = 0;
    int columns = 0;
    int rows = 6;
    Rect frame;
    Text confirmCaption;
    Text leaveCaption;
    ColourPair colours;
};

PromptWindow BuildPrompt(const Text& prompt, const Text& title, bool password, bool centred,
                         int fieldWidth, int maxLength, const Desktop& desktop,
                         const ColourScheme& scheme);

/// Places a window of the given pixel size: centred on the main window, or on the desktop when
/// the preference says so or the window does not fit the main window.
Rect PlaceCentred(int width, int height, const Desktop& desktop);

}  // namespace axo::ui

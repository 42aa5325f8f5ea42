// The list window: filling, geometry and its stored settings, running, keys and clicks.
#include "ui/ListWindow.h"

#include <algorithm>

#include "util/Retezce.h"

namespace axo::ui {

namespace {

std::int32_t GetInt(const ListWindowGeometry::Block& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return static_cast<std::int32_t>(v);
}

void PutInt(ListWindowGeometry::Block& b, std::size_t at, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i, v >>= 8)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v & 0xFF);
}

bool Inside(const Rect& r, const Rect& screen) {
    return r.x >= screen.x && r.y >= screen.y && r.x + r.width <= screen.x + screen.width &&
           r.y + r.height <= screen.y + screen.height;
}

/// The line cut into pieces at the first blank after every 75 characters.
Text HintOf(const Text& line) {
    Text hint;
    std::size_t pieceStart = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ' ' && i - pieceStart >= 75) {
            hint += line.substr(pieceStart, i - pieceStart) + Text(1, kLineBreakMark);
            pieceStart = i + 1;
        }
    }
    return hint + line.substr(pieceStart);
}

}  // namespace

ListWindowGeometry ListWindowGeometry::FromBlock(const Block& b) {
    return {b[0] != 0, {GetInt(b, 1), GetInt(b, 5), GetInt(b, 9), GetInt(b, 13)}};
}

ListWindowGeometry::Block ListWindowGeometry::ToBlock() const {
    Block b{};
    b[0] = maximised ? 1 : 0;
    PutInt(b, 1, frame.x);
    PutInt(b, 5, frame.y);
    PutInt(b, 9, frame.width);
    PutInt(b, 13, frame.height);
    return b;
}

TRolMem::TRolMem(UiServices& ui, const ListWindowEnvironment& env)
    : ui_(ui), env_(env), caption_("ROLOVÁNÍ MEMORY"_t), colours_(ui.Colours().list) {}

TRolMem::~TRolMem() = default;

Text TRolMem::Line(int) {
    return {};
}

int TRolMem::MapKey(const KeyEvent&) {
    return 0;
}

bool TRolMem::Prepare(int widthChars, int rows, int windowNumber, const Text& header,
                      const Text& caption) {
    windowNumber_ = windowNumber;
    if (!MayOpen()) {
        AfterFill();
        ResetCursor();
        return false;
    }
    if (!Trim(caption).empty())
        caption_ = " "_t + Trim(caption);
    colours_ = ui_.Colours().list;
    header_ = header.substr(0, 255);
    PlaceWindow(widthChars, rows);
    if (windowNumber_ != 0)
        ApplyStoredSettings();
    SetFrame(frame_);
    Fill();
    AfterFill();
    searchText.clear();
    ignoreCase = true;
    wholeWords = false;
    searchDirection = kFromTop;
    ResetCursor();
    return true;
}

void TRolMem::PlaceWindow(int widthChars, int rows) {
    const int chars = widthChars == 79 ? 80 : widthChars;
    const int width = chars > 0 ? std::min(640, chars * 8) : 640;
    const int height = rows > 0 ? std::min(480, (rows + 1) * 21 + kToolPanelPx) : 372;
    frame_ = PlaceCentred(width, height, ui_.CurrentDesktop());
    maximised_ = false;
}

void TRolMem::ApplyStoredSettings() {
    ListWindowGeometry::Block block{};
    if (!env_.loadSettings ||
        !env_.loadSettings(SettingsGroup(), windowNumber_, block.data(), block.size()))
        return;
    const ListWindowGeometry stored = ListWindowGeometry::FromBlock(block);
    const Desktop desktop = ui_.CurrentDesktop();
    if (stored.maximised) {
        maximised_ = true;
        frame_ = desktop.mainWindow;
        return;
    }
    const Rect& f = stored.frame;
    if (f.x > 0 && f.y > 0 && f.width > 0 && f.height > 0 && f.width <= desktop.screen.width &&
        f.height <= desktop.screen.height)
        frame_ = f;
}

void TRolMem::StoreSettings() {
    if (windowNumber_ == 0)
        return;
    if (maximised_ || Inside(frame_, ui_.CurrentDesktop().screen)) {
        const ListWindowGeometry::Block block = ListWindowGeometry{maximised_, frame_}.ToBlock();
        if (env_.saveSettings)
            env_.saveSettings(SettingsGroup(), windowNumber_, block.data(), block.size());
    } else if (env_.deleteSettings) {
        env_.deleteSettings(SettingsGroup(), windowNumber_);
    }
}

void TRolMem::Fill() {
    lines_.clear();
    current_ = -1;
    for (int n = 1;; ++n) {
        const Text line = Line(n);
        if (line.empty())
            break;
        if (n > kMaxLines) {
            ui_.ShowErrorLine("Seznam má více než 254 řádků, zobrazeno je prvních 254."_t);
            break;
        }
        lines_.push_back(line.substr(0, 255));
    }
}

void TRolMem::SetFrame(const Rect& frame) {
    frame_ = frame;
    const int listHeight =
        frame_.height - kToolPanelPx - kButtonPanelPx - (HeaderVisible() ? kHeaderPx : 0);
    visibleRows_ = std::max(0, listHeight / kItemHeightPx);
}

void TRolMem::SetMaximised(bool maximised) {
    maximised_ = maximised;
}

int TRolMem::RunModal() {
    if (lines_.empty() && !emptyListMessage.empty()) {
        ui_.ShowInfo(emptyListMessage);
        return kResultEmpty;
    }
    SetCurrent(InitialLine());
    if (LineCount() == 1)
        current_ = 0;
    if (startAtEnd)
        SetCurrent(LineCount() - 1);
    closed_ = false;
    result_ = kResultLeave;
    ui_.RunListWindow(*this);
    if (!closed_)
        Close(kResultLeave);
    StoreSettings();
    return result_;
}

void TRolMem::SetCurrent(int index) {
    current_ = lines_.empty() ? -1 : std::clamp(index, 0, LineCount() - 1);
}

Text TRolMem::CurrentLine() const {
    return current_ >= 0 ? lines_[static_cast<std::size_t>(current_)] : Text();
}

void TRolMem::Close(int result) {
    closed_ = true;
    result_ = result;
}

void TRolMem::Pick() {
    // With nothing to pick the window stays open; the caller would get no line.
    if (current_ >= 0)
        Close(kResultPicked);
}

void TRolMem::MoveBy(int delta) {
    if (!lines_.empty())
        SetCurrent((current_ < 0 ? 0 : current_) + delta);
}

bool TRolMem::KeyDown(const KeyEvent& key) {
    const int page = std::max(1, visibleRows_ - 1);
    switch (key.key) {
        case Key::Enter:
            Pick();
            return true;
        case Key::Esc:
        case Key::F2:
            Close(kResultLeave);
            return true;
        case Key::Up:
            MoveBy(-1);
            return true;
        case Key::Down:
            MoveBy(1);
            return true;
        case Key::PageUp:
            key.ctrl ? SetCurrent(0) : MoveBy(-page);
            return true;
        case Key::PageDown:
            key.ctrl ? SetCurrent(LineCount() - 1) : MoveBy(page);
            return true;
        case Key::Home:
            SetCurrent(0);
            return true;
        case Key::End:
            SetCurrent(LineCount() - 1);
            return true;
        case Key::F4:
            PrintList();
            return true;
        case Key::F7:
            if (key.ctrl)
                Search(true);
            else if (RunSearchDialog())
                Search(false);
            return true;
        default:
            break;
    }
    if (!key.ctrl && !key.alt)
        return false;
    const int code = MapKey(key);
    if (code != 0 && code == specialKey)
        SpecialKey();
    return code != 0;
}

void TRolMem::Press(ListButton button) {
    switch (button) {
        case ListButton::SipkaDolu:
            KeyDown({Key::Down});
            break;
        case ListButton::SipkaNahoru:
            KeyDown({Key::Up});
            break;
        case ListButton::PageDown:
            KeyDown({Key::PageDown});
            break;
        case ListButton::PageUp:
            KeyDown({Key::PageUp});
            break;
        case ListButton::CtrlEnd:
            KeyDown({Key::End, false, true});
            break;
        case ListButton::CtrlHome:
            KeyDown({Key::Home, false, true});
            break;
        case ListButton::Print:
            KeyDown({Key::F4});
            break;
        case ListButton::Info:
            ShowWholeLine();
            break;
        case ListButton::F7:
            KeyDown({Key::F7});
            break;
        case ListButton::Vyber:
            Pick();
            break;
        case ListButton::Exit:
            Close(kResultLeave);
            break;
    }
}

void TRolMem::ClickLine(int index) {
    if (index < 0 || index >= LineCount())
        return;
    current_ = index;
    hint_ = HintOf(lines_[static_cast<std::size_t>(index)]);
}

void TRolMem::DoubleClickLine(int index) {
    if (index < 0 || index >= LineCount())
        return;
    current_ = index;
    Pick();
}

void TRolMem::ShowWholeLine() {
    if (current_ >= 0)
        ui_.ShowMessage(MessageKind::Plain, CurrentLine());
}

}  // namespace axo::ui

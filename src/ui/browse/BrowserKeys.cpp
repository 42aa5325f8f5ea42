// The browser's keys: every key and button becomes one command code, which the window performs
// on its page: moves, the horizontal offset, the record actions of the descendant, a change of
// order, the searches, printing, the direct search and the refresh.
#include <algorithm>

#include "ui/browse/Browser.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::ui {

using namespace browse_code;

namespace {

/// The virtual-key number of a key without Ctrl and Alt that the table of codes does not name.
int VirtualKey(Key key) {
    switch (key) {
        case Key::Tab:
            return 9;
        case Key::Backspace:
            return 8;
        case Key::Space:
            return 32;
        default:
            break;
    }
    if (key >= Key::F1 && key <= Key::F12)
        return 112 + (static_cast<int>(key) - static_cast<int>(Key::F1));
    return 0;
}

}  // namespace

void TBrowser::ZpracujRadek(int, Text& key, std::int32_t& n, int) {
    key.clear();
    n = 0;
    notHandled_ = true;
}

void TBrowser::PridejVetu(Text& key, int, std::int32_t& n) {
    key.clear();
    n = 0;
    notHandled_ = true;
}

void TBrowser::ZrusVetu(int) {
    notHandled_ = true;
}

int TBrowser::TranslateKey(const KeyEvent& key) {
    if (!key.ctrl && !key.alt) {
        switch (key.key) {
            case Key::Enter:
                return kEnter;
            case Key::Esc:
                return kEsc;
            case Key::F2:
                // The selector confirms with <F2>; the browser leaves.
                return IsSelector() ? VirtualKey(Key::F2) : kEsc;
            case Key::PageUp:
                return kPageUp;
            case Key::PageDown:
                return kPageDown;
            case Key::End:
                return kEnd;
            case Key::Home:
                return kHome;
            case Key::Left:
                return kLeft;
            case Key::Up:
                return kUp;
            case Key::Right:
                return kRight;
            case Key::Down:
                return kDown;
            case Key::Insert:
                return kInsert;
            case Key::Delete:
                return kDelete;
            case Key::F4:
                return kF4;
            case Key::F7:
                return kF7;
            default:
                return VirtualKey(key.key);
        }
    }
    if (key.ctrl && !key.alt) {
        switch (key.key) {
            case Key::Enter:
                return kCtrlEnter;
            case Key::End:
                return kCtrlEnd;
            case Key::Home:
                return kCtrlHome;
            case Key::PageUp:
                return kCtrlPageUp;
            case Key::PageDown:
                return kCtrlPageDown;
            case Key::Left:
                return kCtrlLeft;
            case Key::Right:
                return kCtrlRight;
            case Key::F7:
                return kCtrlF7;
            case Key::Character: {
                const char letter =
                    static_cast<char>(std::toupper(static_cast<unsigned char>(key.ch)));
                if (letter == 'F')
                    return kCtrlF;
                if (letter == 'L')
                    return kCtrlL;
                break;
            }
            default:
                if (key.key >= Key::F1 && key.key <= Key::F6)
                    return kCtrlF1 + (static_cast<int>(key.key) - static_cast<int>(Key::F1));
                break;
        }
    }
    if (key.alt && !key.ctrl && key.key == Key::F7 && ButtonShown(BrowseButton::Kopie))
        return kAltF7;
    return PrelozKlavesu(key);
}

bool TBrowser::BuffersFit() {
    if (static_cast<int>(BufferOfHash.size()) - 1 >= pageSize_)
        return true;
    ui_.ShowErrorLine("Problém v rozsahu bufferu objectu!\r\r"_t + caption_);
    Close(kResultLeave);
    return false;
}

bool TBrowser::KeyDown(const KeyEvent& key) {
    if (closed_)
        return false;
    if (key.key == Key::None) {
        if (!key.shift || key.ctrl || key.alt)
            return false;
        if (ButtonEnabled(BrowseButton::Shift))
            OpenDirectSearch();
        return true;
    }
    if (!BuffersFit())
        return true;
    const int code = TranslateKey(key);
    if (code == 0)
        return false;
    Proved(code);
    return true;
}

bool TBrowser::TypeChar(char ch) {
    if (closed_ || !BuffersFit())
        return false;
    const auto code = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(ch)));
    if (code == 0)
        return false;
    Proved(code);
    return true;
}

void TBrowser::Proved(int code) {
    CloseDirectSearch();
    // An empty page knows only <Esc>: every other key adds a record.
    if (rowsFilled_ == 0 && code != kEsc)
        code = kInsert;
    commandCode_ = code;
    if (suppressedCode != 0 && code == suppressedCode) {
        PotlacKlavesu();
        return;
    }
    switch (code) {
        case kEnter:
        case kCtrlEnter:
        case kInsert:
        case kAltF7:
        case kDelete:
            RecordAction(code);
            break;
        case kEsc:
            Close(kResultLeave);
            break;
        case kUp:
            MoveUp();
            break;
        case kDown:
            MoveDown();
            break;
        case kPageUp:
            PageUp();
            break;
        case kPageDown:
            PageDown();
            break;
        case kCtrlPageUp:
            currentRow_ = 1;
            break;
        case kCtrlPageDown:
            currentRow_ = std::max(1, std::min(rowsFilled_, pageSize_));
            break;
        case kCtrlHome:
            NactiPrvniStranu();
            currentRow_ = 1;
            break;
        case kCtrlEnd:
            ReadPageEndingAtLast();
            currentRow_ = std::max(1, std::min(rowsFilled_, pageSize_));
            break;
        case kHome:
        case kLeft:
        case kRight:
        case kEnd:
        case kCtrlRight:
        case kCtrlLeft:
            Horizontal(code);
            break;
        case kF4:
            if (ButtonShown(BrowseButton::Print) && ButtonEnabled(BrowseButton::Print))
                Opis();
            break;
        case kF7:
        case kCtrlF:
            HledejText(false);
            break;
        case kCtrlF7:
        case kCtrlL:
            HledejText(true);
            break;
        case kOrder7:
        case kOrder8:
        case kOrder9:
            ChangeOrder(6 + (code - kOrder7) / 256, code);
            break;
        default:
            if (code >= kCtrlF1 && code < kCtrlF1 + 6)
                ChangeOrder(code - kCtrlF1, code);
            else
                JinaKlavesa(code);
            break;
    }
}

void TBrowser::Press(BrowseButton button) {
    if (closed_ || !ButtonEnabled(button))
        return;
    auto key = [this](int code) {
        if (BuffersFit())
            Proved(code);
    };
    switch (button) {
        case BrowseButton::SipkaDolu:
            return key(kDown);
        case BrowseButton::SipkaNahoru:
            return key(kUp);
        case BrowseButton::SipkaVpravo:
            return key(kRight);
        case BrowseButton::SipkaVlevo:
            return key(kLeft);
        case BrowseButton::PageDown:
            return key(kPageDown);
        case BrowseButton::PageUp:
            return key(kPageUp);
        case BrowseButton::End:
            return key(kEnd);
        case BrowseButton::Home:
            return key(kHome);
        case BrowseButton::CtrlEnd:
            return key(kCtrlEnd);
        case BrowseButton::CtrlHome:
            return key(kCtrlHome);
        case BrowseButton::Sort: {
            // With a menu the front end offers it; otherwise the next order of the list.
            if (SortMenuOffered())
                return;
            const auto at = std::find(orderList.begin(), orderList.end(), currentKey_);
            std::size_t next =
                at == orderList.end() ? 0 : static_cast<std::size_t>(at - orderList.begin()) + 1;
            if (next >= orderList.size() || orderList[next] == 0 ||
                static_cast<int>(next) + 1 > table->KeyCount())
                next = 0;
            if (next < 6)
                key(kCtrlF1 + static_cast<int>(next));
            return;
        }
        case BrowseButton::Find:
            return key(kF7);
        case BrowseButton::Print:
            return key(kF4);
        case BrowseButton::Shift:
            return OpenDirectSearch();
        case BrowseButton::Refresh:
            return Obnov();
        case BrowseButton::PrintScreen:
            return OpisObrazovky();
        case BrowseButton::Vyber:
            return key(kEnter);
        case BrowseButton::Pridani:
            return key(kInsert);
        case BrowseButton::Oprava:
        case BrowseButton::View:
        case BrowseButton::Storno:
            return key(kCtrlEnter);
        case BrowseButton::Zruseni:
            return key(kDelete);
        case BrowseButton::Kopie:
            return key(kAltF7);
        case BrowseButton::Exit:
            return Close(kResultLeave);
        default:
            return;
    }
}

void TBrowser::ClickRow(int row) {
    if (!closed_ && row >= 1 && row <= rowsFilled_)
        currentRow_ = row;
}

void TBrowser::DoubleClickRow(int row) {
    if (closed_ || row < 1 || row > rowsFilled_)
        return;
    currentRow_ = row;
    if (BuffersFit())
        Proved(kEnter);
}

void TBrowser::Wheel(bool down) {
    if (!closed_ && BuffersFit())
        Proved(down ? kPageDown : kPageUp);
}

// ---- Record actions -----------------------------------------------------------------------

void TBrowser::RecordAction(int code) {
    if (accessMode == 2 &&
        !(code == kEnter && ButtonShown(BrowseButton::Vyber) && ButtonEnabled(BrowseButton::Vyber)))
        return;
    const int row = currentRow_;
    const Text rowKey = RowKey(row);
    const std::int32_t rowRecord = RowRecord(row);
    PovolOvladani(false);
    notHandled_ = false;
    Text key;
    std::int32_t n = 0;
    if (code == kEnter || code == kCtrlEnter) {
        ZpracujRadek(row, key, n, 255);
        if (!notHandled_ && key.empty()) {
            PovolOvladani(true);
            Close(kResultChosen);
            return;
        }
    } else if (code == kInsert || code == kAltF7) {
        PridejVetu(key, 255, n);
    } else {
        key = KlicRadku(row);
        n = rowRecord;
        ZrusVetu(row);
    }
    if (!notHandled_ && !closed_) {
        // Without a key the page is read again from the row's record.
        if (key.empty()) {
            key = rowKey;
            n = rowRecord;
        }
        Reposition(key, n, false);
    }
    PovolOvladani(true);
}

// ---- Orders -----------------------------------------------------------------------------

bool TBrowser::SortMenuOffered() const {
    int orders = 0;
    for (std::size_t i = 0; i < orderList.size() && orderList[i] != 0; ++i)
        if (table && orderList[i] <= table->KeyCount())
            ++orders;
    return orders >= 2;
}

std::vector<SortMenuItem> TBrowser::SortMenu() {
    std::vector<SortMenuItem> items;
    const int current = currentKey_;
    for (std::size_t i = 0; i < orderList.size() && orderList[i] != 0; ++i) {
        // An order the table does not have could not be chosen.
        if (!table || orderList[i] > table->KeyCount())
            continue;
        currentKey_ = orderList[i];
        Text caption = NazevTrideni();
        if (i < 6)
            caption += " [Ctrl F"_t + IntToText(static_cast<long long>(i) + 1) + "]"_t;
        items.push_back({static_cast<int>(i), orderList[i], caption, orderList[i] == current});
    }
    currentKey_ = current;
    return items;
}

void TBrowser::ChooseOrder(int position) {
    if (closed_ || position < 0 || position >= 9 || !BuffersFit())
        return;
    if (position < 6)
        Proved(kCtrlF1 + position);
    else
        Proved(kOrder7 + (position - 6) * 256);
}

void TBrowser::ChangeOrder(int index, int) {
    if (index < 0 || index >= static_cast<int>(orderList.size()))
        return;
    for (int i = 0; i < index; ++i)
        if (orderList[static_cast<std::size_t>(i)] == 0)
            return;
    const int k = orderList[static_cast<std::size_t>(index)];
    if (k < 1 || k > table->KeyCount() || k == currentKey_)
        return;
    const std::int32_t n = CurrentRecordOfRow();
    const Text key = KlicZaznamu(currentRow_, k);
    currentKey_ = k;
    orderLabel_ = NazevTrideni();
    Reposition(key, n, true);
}

// ---- The horizontal offset ------------------------------------------------------------------

Text TBrowser::ScrollText() {
    if (rowsFilled_ < 1)
        return {};
    return RowMark(currentRow_) + TextRadku(currentRow_) + "   "_t;
}

void TBrowser::Horizontal(int code) {
    const int length = static_cast<int>(ScrollText().size());
    const int shown = visibleWidth_ - 2;
    const int end = length > shown ? length - shown : 1;
    switch (code) {
        case kHome:
            offset_ = 1;
            break;
        case kLeft:
            offset_ = std::max(1, offset_ - 1);
            break;
        case kRight:
            if (offset_ + shown < length)
                ++offset_;
            break;
        case kEnd:
            offset_ = end;
            break;
        case kCtrlRight:
            offset_ = offset_ + 20 + shown < length ? offset_ + 20 : end;
            break;
        case kCtrlLeft:
            offset_ = offset_ < 21 ? 1 : offset_ - 20;
            break;
        default:
            break;
    }
}

// ---- Direct search and refresh -------------------------------------------------------------

void TBrowser::OpenDirectSearch() {
    if (closed_)
        return;
    searchBoxOpen_ = true;
    searchBoxText_.clear();
}

void TBrowser::CloseDirectSearch() {
    searchBoxOpen_ = false;
    searchBoxText_.clear();
}

void TBrowser::SetDirectSearchText(const Text& text) {
    if (!searchBoxOpen_)
        OpenDirectSearch();
    searchBoxText_ = text.substr(0, 255);
    if (rowsFilled_ <= 1 || searchBoxText_.empty())
        return;
    PositionByKey(KeyForm((RestrictionActive() ? directSearchPrefix : Text()) + searchBoxText_));
}

bool TBrowser::DirectSearchKey(const KeyEvent& key) {
    if (!searchBoxOpen_ || !key.Plain())
        return false;
    switch (key.key) {
        case Key::Esc:
            CloseDirectSearch();
            return true;
        case Key::Backspace:
            if (!searchBoxText_.empty())
                SetDirectSearchText(searchBoxText_.substr(0, searchBoxText_.size() - 1));
            return true;
        case Key::Up:
        case Key::Down:
        case Key::Enter:
            CloseDirectSearch();
            return KeyDown(key);
        default:
            return false;
    }
}

void TBrowser::Obnov() {
    if (closed_ || !table)
        return;
    const bool any = rowsFilled_ > 0;
    Reposition(any ? RowKey(currentRow_) : Text(), any ? CurrentRecordOfRow() : 0, true);
}

}  // namespace axo::ui

// The browser's window: preparing it (size, buttons of the mode string, stored geometry),
// running it, the rows that fit its height, the tool bar and the button row.
#include "ui/browse/Browser.h"

#include <algorithm>

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 372;
constexpr int kMaxHeight = 480;
constexpr int kMaxButtonWidth = 90;
constexpr int kExitWidth = 90;

struct ButtonText {
    BrowseButton id;
    const char* name;
    const char* caption;
    const char* hint;
};

const ButtonText kRowButtons[] = {
    {BrowseButton::Pridani, "ButtonPridani", "Přidání", "vložení další položky <Insert>"},
    {BrowseButton::Oprava, "ButtonOprava", "Oprava",
     "oprava vybraného údaje, dokladu, popř. položky číselníku <Enter>"},
    {BrowseButton::Zruseni, "ButtonZruseni", "Zrušení",
     "zrušení vybraného údaje, dokladu, popř. položky číselníku <Delete>"},
    {BrowseButton::Vyber, "ButtonVyber", "O.K.",
     "výběr údaje, dokladu, popř. položky číselníku pro další zpracování <Enter>"},
    {BrowseButton::View, "ButtonView", "Prohlížení", "prohlížení vybraného dokladu <Enter>"},
    {BrowseButton::Storno, "ButtonStorno", "STORNO", "STORNO vybraného dokladu <Enter>"},
    {BrowseButton::Kopie, "ButtonKopie", "Kopie", "kopie vybrané položky <AltF7>"},
    {BrowseButton::OK, "ButtonOK", "O.K.", "potvrzení výběru <F2>"},
    {BrowseButton::Exit, "ButtonExit", "Zpět", "ukončení práce <Esc>"},
};

const ButtonText& RowButtonText(BrowseButton id) {
    for (const ButtonText& b : kRowButtons)
        if (b.id == id)
            return b;
    return kRowButtons[std::size(kRowButtons) - 1];
}

/// The action buttons a mode string asks for, left to right.
std::vector<BrowseButton> ActionButtonsOf(const Text& mode) {
    using B = BrowseButton;
    if (mode.empty())
        return {};
    switch (mode[0]) {
        case 'A':
            return {B::Pridani, B::Oprava, B::Zruseni, B::Kopie};
        case 'B':
        case 'V':
            return {B::Vyber};
        case 'C':
        case 'I':
            return {B::Vyber, B::Pridani, B::Oprava, B::Zruseni, B::Kopie};
        case 'L':
        case 'Z': {
            static const std::pair<const char*, B> kKeywords[] = {
                {"VYBER", B::Vyber},   {"INS", B::Pridani}, {"ENTER", B::Oprava}, {"VIEW", B::View},
                {"STORNO", B::Storno}, {"DEL", B::Zruseni}, {"KOPIE", B::Kopie}};
            std::vector<B> buttons;
            for (const auto& [keyword, button] : kKeywords)
                if (mode.find(Text::FromBytes(keyword)) != Text::npos)
                    buttons.push_back(button);
            return buttons;
        }
        default:
            return {};
    }
}

/// The button width a mode string gives after "MAXSIRKABUTTON" and one separator; 0 for none.
int MaxButtonWidth(const Text& mode) {
    const Text keyword = "MAXSIRKABUTTON"_t;
    const std::size_t at = mode.find(keyword);
    if (at == Text::npos)
        return 0;
    return static_cast<int>(
        TryTextToInt(Trim(mode.substr(at + keyword.size() + 1, 3))).value_or(0));
}

bool Inside(const Rect& r, const Rect& screen) {
    return r.x >= screen.x && r.y >= screen.y && r.x + r.width <= screen.x + screen.width &&
           r.y + r.height <= screen.y + screen.height;
}

}  // namespace

TBrowser::TBrowser(UiServices& ui, const BrowserEnvironment& env)
    : ui_(ui), env_(env), colours_(ui.Colours().list) {}

TBrowser::~TBrowser() = default;

void TBrowser::NastavStranku() {
    pageSize_ = 12;
}

bool TBrowser::OtevriData() {
    return false;
}

bool TBrowser::SetLength_BufferOfRecord_BufferOfHash() {
    ui_.ShowErrorLine("Chybí definice metody SetLength_BufferOfRecord_BufferOfHash!\r\r"_t +
                      caption_);
    return false;
}

void TBrowser::NastavPristup() {
    if (accessMode != 2)
        return;
    for (BrowseButtonView& b : buttonRow_)
        if (b.id == BrowseButton::Pridani || b.id == BrowseButton::Oprava ||
            b.id == BrowseButton::Zruseni || b.id == BrowseButton::Kopie)
            b.enabled = false;
}

Text TBrowser::TitulekOpisu() {
    return Trim(caption_);
}

void TBrowser::SetCapacityFromScreen() {
    capacity_ = std::max(pageSize_, (ui_.CurrentDesktop().screen.height - 140) / kRowPx);
}

bool TBrowser::Priprav(int widthChars, int rows, const Text& title, const Text& header,
                       const Text& mode, int windowNumber) {
    searchDirection = kFromTop;
    ignoreCase = true;
    wholeWords = false;
    fillAtStart = true;
    currentKey_ = 1;
    orderList = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    offset_ = 1;
    currentRow_ = 1;
    rowsFilled_ = 0;
    firstRead_ = true;
    windowNumber_ = windowNumber;
    mode_ = mode;
    NastavStranku();
    SetCapacityFromScreen();
    SetCaption(title);
    if (!OtevriData()) {
        ZavriData();
        return false;
    }
    if (!SetLength_BufferOfRecord_BufferOfHash()) {
        ZavriData();
        return false;
    }
    rowKeys_.assign(static_cast<std::size_t>(capacity_) + 1, Text());
    SetHeader(header);
    colours_ = ui_.Colours().list;
    const int chars = widthChars == 79 ? 80 : widthChars;
    int width = chars > 0 ? std::min(kDefaultWidth, chars * 8) : kDefaultWidth;
    if (widthChars == 70 && !mode.empty() && (mode[0] == 'C' || mode[0] == 'I'))
        width = 550;
    const int height =
        rows > 0 ? std::min(kMaxHeight, (rows + 1) * 21 + kToolBarPx) : kDefaultHeight;
    PlaceWindow(width, height);
    const std::vector<BrowseButton> actions = ActionButtonsOf(mode);
    const int maxWidth = MaxButtonWidth(mode);
    int buttonWidth = maxWidth != 0
                          ? maxWidth
                          : std::min(kMaxButtonWidth, width / std::max<int>(1, actions.size()) - 3);
    LayoutButtonRow(actions, actions.empty() ? kExitWidth : buttonWidth);
    if (windowNumber_ != 0)
        ApplyStoredGeometry();
    prepared_ = true;
    return true;
}

void TBrowser::PlaceWindow(int width, int height) {
    frame_ = PlaceCentred(width, height, ui_.CurrentDesktop());
    minWidth_ = width;
    minHeight_ = height;
    visibleWidth_ = width / 8;
    maximised_ = false;
}

void TBrowser::LayoutButtonRow(const std::vector<BrowseButton>& actions, int exitWidth) {
    buttonRow_.clear();
    std::vector<BrowseButtonView> placed;
    int x = frame_.width - exitWidth - 2;
    const ButtonText& exit = RowButtonText(BrowseButton::Exit);
    placed.push_back({BrowseButton::Exit,
                      exit.name,
                      FromUtf8(exit.caption),
                      FromUtf8(exit.hint),
                      {x, 0, exitWidth, kButtonRowPx},
                      true});
    for (auto it = actions.rbegin(); it != actions.rend(); ++it) {
        const ButtonText& t = RowButtonText(*it);
        BrowseButtonView b{*it, t.name, FromUtf8(t.caption), FromUtf8(t.hint), {}, true};
        if (x - exitWidth < 1) {
            // A button that would start left of the row ends at its left edge; no more follow.
            b.frame = {1, 0, std::max(0, x - 1), kButtonRowPx};
            placed.push_back(b);
            break;
        }
        x -= exitWidth;
        b.frame = {x, 0, exitWidth, kButtonRowPx};
        placed.push_back(b);
    }
    buttonRow_.assign(placed.rbegin(), placed.rend());
    const bool vyber = ButtonShown(BrowseButton::Vyber);
    for (BrowseButtonView& b : buttonRow_)
        if (b.id == BrowseButton::Oprava && vyber)
            b.hint = "oprava vybraného údaje, dokladu, popř. položky číselníku <Ctrl Enter>"_t;
    ButtonRowLaidOut();
}

void TBrowser::ApplyStoredGeometry() {
    ListWindowGeometry::Block block{};
    if (!env_.loadSettings ||
        !env_.loadSettings(GeometryGroup(), windowNumber_, block.data(), block.size()))
        return;
    const ListWindowGeometry stored = ListWindowGeometry::FromBlock(block);
    const Desktop desktop = ui_.CurrentDesktop();
    if (stored.maximised) {
        frame_.x = desktop.mainWindow.x;
        frame_.y = desktop.mainWindow.y + 25;
        maximised_ = true;
        return;
    }
    const int rows = RowsThatFit(stored.frame.height);
    if (rows <= 0 || stored.frame.width <= 0) {
        if (env_.deleteSettings)
            env_.deleteSettings(GeometryGroup(), windowNumber_);
        return;
    }
    frame_ = stored.frame;
    SetPageSize(rows);
}

void TBrowser::StoreGeometry() {
    if (windowNumber_ == 0)
        return;
    if (!maximised_ && !Inside(frame_, ui_.CurrentDesktop().screen)) {
        if (env_.deleteSettings)
            env_.deleteSettings(GeometryGroup(), windowNumber_);
        return;
    }
    const ListWindowGeometry::Block block = ListWindowGeometry{maximised_, frame_}.ToBlock();
    if (env_.saveSettings)
        env_.saveSettings(GeometryGroup(), windowNumber_, block.data(), block.size());
}

int TBrowser::RowsThatFit(int height) const {
    // The list stands below the tool bar (and the header) and ends above the order label.
    const int listTop = kToolBarPx + (HeaderVisible() ? 6 + kHeaderPx : 2);
    const int lowerEdge = height - kButtonRowPx - kOrderLabelPx;
    int rows = std::min((height - 121) / kRowPx, capacity_);
    while (rows > 0 && listTop + rows * kRowPx + 6 > lowerEdge)
        --rows;
    return std::max(rows, 0);
}

void TBrowser::SetPageSize(int rows) {
    pageSize_ = std::clamp(rows, 1, capacity_);
}

void TBrowser::SetFrame(const Rect& frame) {
    const Rect screen = ui_.CurrentDesktop().screen;
    Rect f = frame;
    f.width = std::clamp(f.width, minWidth_, std::max(minWidth_, screen.width));
    f.height = std::clamp(f.height, minHeight_, std::max(minHeight_, screen.height));
    const bool widthChanged = f.width != frame_.width;
    frame_ = f;
    if (widthChanged) {
        std::vector<BrowseButton> actions;
        int width = kExitWidth;
        for (const BrowseButtonView& b : buttonRow_) {
            if (b.id != BrowseButton::Exit)
                actions.push_back(b.id);
            else
                width = b.frame.width;
        }
        std::vector<BrowseButtonView> before = buttonRow_;
        LayoutButtonRow(actions, width);
        for (BrowseButtonView& b : buttonRow_)
            for (const BrowseButtonView& old : before)
                if (old.id == b.id)
                    b.enabled = old.enabled;
    }
    const int rows = RowsThatFit(f.height);
    if (rows <= 0 || rows == pageSize_)
        return;
    SetPageSize(rows);
    if (prepared_ && !firstRead_)
        Obnov();
}

void TBrowser::SetMaximised(bool maximised) {
    maximised_ = maximised;
}

bool TBrowser::Zahaj() {
    closed_ = false;
    result_ = kResultLeave;
    NastavPristup();
    if (!LzeSpustit()) {
        rowsFilled_ = 0;
        result_ = 0;
        return false;
    }
    std::unique_ptr<ModelessWindow> notice;
    if (!noticeText.empty()) {
        MessageWindow w = BuildMessage(MessageKind::Notice, noticeText, {}, 0, ui_.CurrentDesktop(),
                                       ui_.Colours());
        w.title = " ČEKEJTE"_t;
        notice = ui_.OpenModeless(w);
    }
    orderLabel_ = NazevTrideni();
    if (!restrictionPrefix.empty())
        prefixMode_ = !filterEndMode;
    if (fillAtStart)
        NactiPrvniStranu();
    if (rowsFilled_ > 0) {
        UrciKrajniVety();
        if (!startText.empty()) {
            const Text key = KeyForm(startText);
            startText.clear();
            PositionByKey(key);
        }
        if (!startKey.empty()) {
            const Text key = startKey;
            startKey.clear();
            PositionByKey(key);
        }
    } else if (!OpenEmpty()) {
        result_ = 0;
        return false;
    }
    if (startAtEnd)
        Proved(browse_code::kCtrlEnd);
    CloseDirectSearch();
    return true;
}

bool TBrowser::OpenEmpty() {
    if (emptyRangeMessage.empty())
        return true;
    ui_.ShowInfo(emptyRangeMessage);
    return false;
}

int TBrowser::Spust() {
    if (!prepared_)
        return 0;
    if (!Zahaj())
        return result_;
    ui_.RunBrowseWindow(*this);
    if (!closed_)
        Close(kResultLeave);
    StoreGeometry();
    return result_;
}

void TBrowser::Ukonci() {
    ZavriData();
    ui_.ProcessEvents();
}

void TBrowser::Close(int result) {
    closed_ = true;
    result_ = result;
}

bool TBrowser::PotvrdZruseni() {
    return ui_.YesNo("Opravdu chcete tuto větu zrušit?"_t, " ~A~no "_t, " <Esc> ~z~pět "_t, 1);
}

void TBrowser::PovolOvladani(bool enabled) {
    if (!enabled && controlsEnabled_) {
        savedButtons_ = buttonRow_;
        for (BrowseButtonView& b : buttonRow_)
            b.enabled = false;
    } else if (enabled && !controlsEnabled_) {
        buttonRow_ = savedButtons_;
    }
    controlsEnabled_ = enabled;
}

// ---- Buttons ------------------------------------------------------------------------------

std::vector<BrowseButtonView> TBrowser::ToolBarButtons() const {
    struct Tool {
        BrowseButton id;
        const char* name;
        const char* hint;
    };
    static const Tool kTools[] = {
        {BrowseButton::SipkaDolu, "ButtonSipkaDolu", "posun o jednu pozici dolů"},
        {BrowseButton::SipkaNahoru, "ButtonSipkaNahoru", "posun o jednu pozici nahoru"},
        {BrowseButton::SipkaVpravo, "ButtonSipkaVpravo", "posun o jednu pozici vpravo"},
        {BrowseButton::SipkaVlevo, "ButtonSipkaVlevo", "posun o jednu pozici vlevo"},
        {BrowseButton::PageDown, "ButtonPageDown", "posun o stranu dolů <Page Down>"},
        {BrowseButton::PageUp, "ButtonPageUp", "posun o stranu nahoru <Page Up>"},
        {BrowseButton::End, "ButtonEnd", "zobrazení pravé strany údajů <End>"},
        {BrowseButton::Home, "ButtonHome", "zobrazení levé strany údajů <Home>"},
        {BrowseButton::CtrlEnd, "ButtonCtrlEnd", "posun na poslední pozici <Ctrl End>"},
        {BrowseButton::CtrlHome, "ButtonCtrlHome", "posun na první pozici <Ctrl Home>"},
        {BrowseButton::Sort, "ButtonSort", "změna třídění údajů <Ctrl Fn>"},
        {BrowseButton::Find, "ButtonFind",
         "vyhledání zadaného údaje <F7> nebo <Ctrl F>\rvyhledání dalšího výskytu <Ctrl F7> nebo "
         "<Ctrl L>"},
        {BrowseButton::Print, "ButtonPrint",
         "opis vybraného údaje, dokladu (popř. opis číselníku) <F4>"},
        {BrowseButton::Shift, "ButtonShift",
         "nastavení režimu přímého vyhledávání údajů dle aktuálního třídění <Shift>"},
        {BrowseButton::Refresh, "ButtonRefresh", "refresh - aktualizace zobrazených údajů"},
        {BrowseButton::PrintScreen, "ButtonPrintScreen", "opis obrazovky"},
    };
    std::vector<BrowseButtonView> tools;
    for (const Tool& t : kTools)
        tools.push_back({t.id, t.name, {}, FromUtf8(t.hint), {}, true});
    return tools;
}

std::vector<BrowseButtonView> TBrowser::ToolBar() {
    std::vector<BrowseButtonView> tools = ToolBarButtons();
    // The row text reaches beyond the window, or the offset is above 1.
    const auto length = static_cast<int>(ScrollText().size());
    const bool beyond = offset_ + visibleWidth_ - 2 < length;
    for (BrowseButtonView& b : tools) {
        switch (b.id) {
            case BrowseButton::SipkaVpravo:
            case BrowseButton::End:
                b.enabled = beyond;
                break;
            case BrowseButton::SipkaVlevo:
            case BrowseButton::Home:
                b.enabled = offset_ > 1;
                break;
            case BrowseButton::Sort:
                b.enabled = table && table->KeyCount() >= 2;
                break;
            default:
                break;
        }
        b.enabled = b.enabled && controlsEnabled_;
    }
    return tools;
}

bool TBrowser::ButtonShown(BrowseButton id) const {
    for (const BrowseButtonView& b : buttonRow_)
        if (b.id == id)
            return true;
    for (const BrowseButtonView& b : ToolBarButtons())
        if (b.id == id)
            return true;
    return false;
}

bool TBrowser::ButtonEnabled(BrowseButton id) {
    for (const BrowseButtonView& b : buttonRow_)
        if (b.id == id)
            return b.enabled && controlsEnabled_;
    for (const BrowseButtonView& b : ToolBar())
        if (b.id == id)
            return b.enabled;
    return false;
}

}  // namespace axo::ui

// The selector: its window, its selection file, its keys, ticking a row, ticking or unticking
// everything and inverting the ticks by record identity.
#include "ui/browse/Selector.h"

#include <algorithm>

#include "storage/WorkFiles.h"
#include "ui/ProgressPanel.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::ui {

using namespace browse_code;

namespace {

constexpr int kF2 = 113;
constexpr int kF3 = 114;
constexpr int kF5 = 116;

Text NumberKey(std::int32_t n) {
    return IntToTextZeros(n, 10);
}

}  // namespace

// ---- The selection file -------------------------------------------------------------------

tSouborSelekce::tSouborSelekce(const storage::DataContext& ctx, std::filesystem::path stem)
    : tSoubor(ctx), stem_(std::move(stem)) {}

void tSouborSelekce::Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                              int& recordLength) {
    fileName = storage::TextFromPath(stem_.filename());
    title = "Pomocný soubor pro selekci vět souboru"_t;
    keys[1] = {10, false, false};
    keys[2] = {10, false, false};
    keys[3] = {100, true, false};
    keyCount = 3;
    recordLength = sizeof(tVetaSelekce);
    const Text directory = storage::TextFromPath(stem_.parent_path());
    SetDirectories(directory, directory);
    AddField("Status"_t, "LONGINT"_t);
    AddField("Poradi"_t, "LONGINT"_t);
    AddField("Hash"_t, "LONGINT"_t);
    AddField("KlicSel"_t, "ISAMKEYSTR"_t);
}

Text tSouborSelekce::MakeKey(int k, const void* buffer) {
    const auto& r = *static_cast<const tVetaSelekce*>(buffer);
    switch (k) {
        case 1:
            return NumberKey(r.Poradi);
        case 2:
            return NumberKey(r.Hash);
        case 3:
            return LeftJustify(r.KlicSel.Get(), 100);
        default:
            return tSoubor::MakeKey(k, buffer);
    }
}

// ---- The window ---------------------------------------------------------------------------

TSelector::TSelector(UiServices& ui, const BrowserEnvironment& env) : TBrowser(ui, env) {}

TSelector::~TSelector() {
    DropSelectionFile();
}

bool TSelector::Priprav(const Text& title, const Text& header, const Text&, int selectionKey,
                        int windowNumber) {
    if (!TBrowser::Priprav(0, 0, title, header, {}, windowNumber))
        return false;
    selectionKey_ = selectionKey;
    LayoutButtonRow({BrowseButton::OK}, 90);
    for (BrowseButtonView& b : buttonRow_)
        if (b.id == BrowseButton::Exit)
            b.hint = "odchod bez provedení výběru <Esc>"_t;
    selection_ = NewSelectionFile();
    counter_ = 0;
    return true;
}

std::unique_ptr<tSouborSelekce> TSelector::NewSelectionFile() {
    if (!table)
        return nullptr;
    const storage::DataContext& ctx = table->Context();
    const std::filesystem::path stem =
        storage::RandomNotExistName(ctx, ctx.WorkDirectoryOrCurrent(), "SE"_t);
    auto file = std::make_unique<tSouborSelekce>(ctx, stem);
    // Mode 3: made anew even over a file a killed run left behind.
    if (file->InitFile(3, storage::_NoWait) && file->Opened())
        return file;
    file.reset();
    storage::DeleteTableFiles(stem);
    return nullptr;
}

void TSelector::DropSelectionFile() {
    if (!selection_)
        return;
    const std::filesystem::path stem = selection_->Stem();
    if (selection_->Opened())
        selection_->DeleteFile();
    selection_.reset();
    storage::DeleteTableFiles(stem);
}

std::unique_ptr<tSouborSelekce> TSelector::TakeSelectionFile() {
    return std::move(selection_);
}

void TSelector::Ukonci() {
    DropSelectionFile();
    TBrowser::Ukonci();
}

bool TSelector::OpenEmpty() {
    ZavriData();
    if (!emptyRangeMessage.empty())
        Ui().ShowInfo(emptyRangeMessage + kCentreMark);
    return false;
}

std::vector<BrowseButtonView> TSelector::ToolBarButtons() const {
    std::vector<BrowseButtonView> tools;
    for (BrowseButtonView b : TBrowser::ToolBarButtons()) {
        switch (b.id) {
            case BrowseButton::Sort:
                b.name = "ButtonIndex";
                b.hint = "změna třídění <Ctrl Fn>"_t;
                break;
            case BrowseButton::Find:
                b.hint =
                    "vyhledání zadaného řetězce (od počátku souboru) <F7>\rvyhledání dalšího "
                    "výskytu <Ctrl F7>"_t;
                break;
            case BrowseButton::CtrlEnd:
                b.hint = "posun na poslední položku seznamu <Ctrl End>"_t;
                break;
            case BrowseButton::CtrlHome:
                b.hint = "posun na první položku seznamu  <Ctrl Home>"_t;
                break;
            case BrowseButton::Print:
                continue;
            case BrowseButton::PrintScreen:
                b.name = "BitBtn_Print";
                b.hint = "opis zobrazených údajů"_t;
                break;
            default:
                break;
        }
        tools.push_back(b);
    }
    const BrowseButtonView more[] = {
        {BrowseButton::Enter,
         "ButtonEnter",
         {},
         "výběr/zrušení výběru <Enter> nebo kliknutí pravým tlačítkem myši"_t,
         {},
         true},
        {BrowseButton::VyberVse,
         "ButtonVyberVse",
         {},
         "výběr všech položek seznamu <F3>"_t,
         {},
         true},
        {BrowseButton::ZrusVyber, "ButtonZrusVyber", {}, "úplné zrušení výběru <F4>"_t, {}, true},
        {BrowseButton::InvertujVyber,
         "ButtonInvertujVyber",
         {},
         "invertování výběru <F5>"_t,
         {},
         true},
    };
    tools.insert(tools.end(), std::begin(more), std::end(more));
    return tools;
}

// ---- Keys ---------------------------------------------------------------------------------

void TSelector::Proved(int code) {
    if (PredKlavesou(code))
        return;
    switch (code) {
        case kEnter:
            CloseDirectSearch();
            if (RowsFilled() > 0) {
                Toggle(CurrentRow());
                TBrowser::Proved(kDown);
            }
            return;
        case kF2:
            CloseDirectSearch();
            Confirm();
            return;
        case kF3:
            CloseDirectSearch();
            TickAll();
            return;
        case kF4:
            CloseDirectSearch();
            UntickAll();
            return;
        case kF5:
            CloseDirectSearch();
            Invert();
            return;
        case kCtrlEnter:
            CloseDirectSearch();
            JinaKlavesa(code);
            return;
        default:
            TBrowser::Proved(code);
    }
}

void TSelector::Press(BrowseButton button) {
    if (IsClosed() || !ButtonEnabled(button))
        return;
    switch (button) {
        case BrowseButton::Enter:
            return Proved(kEnter);
        case BrowseButton::VyberVse:
            return Proved(kF3);
        case BrowseButton::ZrusVyber:
            return Proved(kF4);
        case BrowseButton::InvertujVyber:
            return Proved(kF5);
        case BrowseButton::OK:
            return Proved(kF2);
        default:
            TBrowser::Press(button);
    }
}

void TSelector::RightClickRow(int row) {
    if (IsClosed() || row < 1 || row > RowsFilled())
        return;
    SetCurrentRow(row);
    Toggle(row);
}

void TSelector::Confirm() {
    if (TickCount() == 0 && RowsFilled() > 0)
        Toggle(CurrentRow());
    Close(kResultChosen);
}

// ---- Ticks --------------------------------------------------------------------------------

bool TSelector::SelectionMissing() {
    if (selection_ && selection_->Opened())
        return false;
    Ui().ShowError("Pracovní soubor selekce není k dispozici!"_t);
    return true;
}

int TSelector::TickCount() const {
    return selection_ && selection_->Opened() ? selection_->BtUsedRecs() : 0;
}

bool TSelector::IsTicked(std::int32_t n) const {
    std::int32_t found = 0;
    return selection_ && selection_->Opened() && selection_->BtFindKey(2, found, NumberKey(n));
}

Text TSelector::RowMark(int row) {
    if (!selection_ || !selection_->Opened())
        return "?"_t;
    return IsTicked(RowRecord(row)) ? "x"_t : " "_t;
}

void TSelector::AddTick(tSouborSelekce& file, std::int32_t n, const Text& key) {
    tVetaSelekce tick;
    tick.Poradi = ++counter_;
    tick.Hash = n;
    tick.KlicSel = key.substr(0, 255);
    std::int32_t added = 0;
    file.AddRec(added, &tick);
}

void TSelector::Toggle(int row) {
    const std::int32_t n = RowRecord(row);
    if (n == 0 || SelectionMissing())
        return;
    std::int32_t found = 0;
    if (selection_->BtFindKey(2, found, NumberKey(n)))
        selection_->DeleteRec(found);
    else
        AddTick(*selection_, n, KlicZaznamu(row, selectionKey_));
    PoZmene(n);
}

void TSelector::EmptySelection() {
    ProgressPanel progress(Ui(), false, selection_->BtUsedRecs(), {}, {});
    std::vector<std::int32_t> ticks;
    std::int32_t n = 0;
    Text key;
    selection_->BtClearKey(1);
    while (selection_->BtNextKey(1, n, key))
        ticks.push_back(n);
    int done = 0;
    for (std::int32_t tick : ticks) {
        selection_->DeleteRec(tick);
        if (++done % 64 == 0)
            progress.StepTo(done);
    }
    counter_ = 0;
}

void TSelector::Rewrite(const Text& waitText, bool tickAll) {
    if (SelectionMissing())
        return;
    auto wait = Ui().ShowWait(waitText + kCentreMark);
    selection_->BtLockFileBlock(storage::_Wait);
    EmptySelection();
    for (bool more = tickAll && PrvniVeta(); more; more = Walk(true)) {
        Uloz(0);
        AddTick(*selection_, currentRecord, KlicZaznamu(0, selectionKey_));
    }
    selection_->Unlock();
    Obnov();
    PoZmene(kAllToggled);
}

void TSelector::TickAll() {
    Rewrite("Čekejte, probíhá zaselektování všech vět."_t, true);
}

void TSelector::UntickAll() {
    Rewrite("Čekejte, probíhá odselektování všech vět."_t, false);
}

void TSelector::Invert() {
    if (SelectionMissing())
        return;
    if (TickCount() == 0) {
        TickAll();
        return;
    }
    auto wait = Ui().ShowWait("Čekejte, probíhá inverze výběru."_t + kCentreMark);
    std::unique_ptr<tSouborSelekce> inverted = NewSelectionFile();
    if (!inverted) {
        Close(kResultLeave);
        return;
    }
    // A record is ticked when it was not: by its number, never by its key, which other records
    // may share.
    counter_ = 0;
    inverted->BtLockFileBlock(storage::_Wait);
    for (bool more = PrvniVeta(); more; more = Walk(true)) {
        if (IsTicked(currentRecord))
            continue;
        Uloz(0);
        AddTick(*inverted, currentRecord, KlicZaznamu(0, selectionKey_));
    }
    inverted->Unlock();
    DropSelectionFile();
    selection_ = std::move(inverted);
    Obnov();
    PoZmene(kAllToggled);
}

}  // namespace axo::ui

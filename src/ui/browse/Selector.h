// The selector `TSelector`: a browser for choosing a set of records. The user ticks rows; each
// tick is a record of a temporary selection file in the work directory, which the caller reads
// after confirmation (by order of ticking or by the selection key) or takes over.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "ui/browse/Browser.h"

namespace axo::ui {

#pragma pack(push, 1)
/// A tick of the selection file (268 bytes).
struct tVetaSelekce {
    std::int32_t Status = 0;
    std::int32_t Poradi = 0;  ///< order of ticking: 1, 2, 3, ...
    std::int32_t Hash = 0;    ///< the ticked record's number in the browsed table
    StrN<255> KlicSel;        ///< its key in the selection key
};
#pragma pack(pop)
static_assert(sizeof(tVetaSelekce) == 268);

/// The selection file "Pomocný soubor pro selekci vět souboru": key 1 the order of ticking, key
/// 2 the record number (both 10 digits, unique), key 3 the selection key (100 characters).
class tSouborSelekce : public storage::tSoubor {
  public:
    tSouborSelekce(const storage::DataContext& ctx, std::filesystem::path stem);
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    Text MakeKey(int k, const void* buffer) override;
    /// The file's name without extension (its files are deleted with it).
    const std::filesystem::path& Stem() const { return stem_; }

  private:
    std::filesystem::path stem_;
};

class TSelector : public TBrowser {
  public:
    TSelector(UiServices& ui, const BrowserEnvironment& env);
    /// Deletes a selection file still held.
    ~TSelector() override;

    /// A 640 x 372 window without action buttons ("O.K." and "Zpět" only), and a new empty
    /// selection file (prefix "SE") in the work directory. `mode` is not used; `selectionKey`
    /// is the key of the ticked records kept in the file. False as TBrowser::Priprav.
    virtual bool Priprav(const Text& title, const Text& header, const Text& mode, int selectionKey,
                         int windowNumber);
    /// Closes the data and deletes the selection file unless the caller took it over.
    void Ukonci() override;
    bool IsSelector() const override { return true; }
    void Press(BrowseButton button) override;

    /// The selection file (none when it could not be made or was taken over).
    tSouborSelekce* SelectionFile() const { return selection_.get(); }
    /// Takes the selection file over: the selector no longer deletes it; the caller deletes it
    /// (DeleteFile) when done.
    std::unique_ptr<tSouborSelekce> TakeSelectionFile();
    /// Ticks in the file.
    int TickCount() const;
    bool IsTicked(std::int32_t n) const;

    /// Ticks or unticks a row's record.
    void Toggle(int row);
    /// A right-button click: the row becomes current and is toggled.
    void RightClickRow(int row);
    /// Ticks every record of the range, removes every tick, inverts the ticks.
    void TickAll();
    void UntickAll();
    void Invert();

  protected:
    /// A descendant's keys, before the selector's (true: taken); it sees every command code.
    virtual bool PredKlavesou(int) { return false; }
    /// After each toggle: the record number, or browse_code::kAllToggled after ticking or
    /// unticking everything or inverting.
    virtual void PoZmene(std::int32_t) {}
    void Proved(int code) override;
    Text RowMark(int row) override;
    bool OpenEmpty() override;
    int GeometryGroup() const override { return 100 + Environment().moduleNumber; }
    std::vector<BrowseButtonView> ToolBarButtons() const override;

  private:
    int selectionKey_ = 1;
    std::int32_t counter_ = 0;
    std::unique_ptr<tSouborSelekce> selection_;

    std::unique_ptr<tSouborSelekce> NewSelectionFile();
    void DropSelectionFile();
    /// Adds a tick of the record at the current position (read into the scratch row).
    void AddTick(tSouborSelekce& file, std::int32_t n, const Text& key);
    void EmptySelection();
    /// Empties the selection file under the wait message and, with `tickAll`, ticks every
    /// record of the range.
    void Rewrite(const Text& waitText, bool tickAll);
    bool SelectionMissing();
    void Confirm();
};

}  // namespace axo::ui

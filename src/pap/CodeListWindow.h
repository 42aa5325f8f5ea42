// What the windows of the three code lists share: the environment they get from the running
// program, and the window itself as a record browser over one list - the maintenance window
// (add, change, copy, delete) or the picker other dialogs open (<Enter> chooses, <Ctrl Enter>
// edits). Every write goes through one path: the record editor, then the list's checks, then the
// write under the table's write lock; a key another record has, or a lock another user holds,
// sends the user back into the editor with what was typed. Supervisors get the text import of
// the list in the tool bar; the window lets the list go while the import holds it exclusively.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "pap/PapFiles.h"
#include "storage/DataContext.h"
#include "ui/Dialog.h"
#include "ui/DialogElement.h"
#include "ui/browse/RecordBrowser.h"
#include "util/Cisla.h"

namespace axo::pap {

/// What the code-list windows need from the running program.
struct CodeListEnvironment {
    /// UI services, clock, directories.
    const storage::DataContext* data = nullptr;
    /// The fiscal year's code lists (and its kind of accounting unit).
    PapLocation location;
    /// The fiscal year (its calendar year): the nature rules of the chart depend on it.
    int fiscalYear = 0;
    /// The user's access level: 2 and above import the lists from text files, 3 also sets the
    /// duty of two partners of a transaction code.
    int accessLevel = 1;
    /// The installation's currency sign ("Kč").
    Text homeCurrency;
    /// The foreign name of an account: 1 English, 2 German, else a foreign name.
    int foreignLanguage = 0;
    /// Where the default import files "UPAP.txt" and "UKod.txt" lie.
    std::filesystem::path programDirectory;
    /// The listing, dialogs and parameter vault of the browse windows (its listing must outlive
    /// the windows).
    ui::BrowserEnvironment browser;
    /// Prints a list through a print form the user picks: title, form type, kind mask and the
    /// data text naming the list's order. False when nothing was printed (the plain listing of
    /// the window is then made). Empty: the plain listing.
    std::function<bool(const Text& title, int formType, std::uint16_t mask, const Text& data)>
        printForm;

    ui::UiServices& Ui() const { return *data->ui; }
    const ui::DialogEnvironment& Dialogs() const { return browser.dialog; }
};

/// What a write of a record came to.
enum class StoreOutcome {
    Saved,
    KeyUsed,  ///< another record has one of its unique keys; nothing written
    Locked,   ///< the table's write lock is held by another user; nothing written
};

/// Writes `record` under the table's write lock, taken in one attempt: appended when `original`
/// is null (`n` gets its number), else rewriting record `n`, whose stored version `original`
/// is. `usedKey` gets the first unique key another record has (checked under the lock, so no
/// other station can take it meanwhile); `beforeWrite` runs just before the write.
StoreOutcome StoreRecord(storage::tSoubor& file, const void* original, const void* record,
                         std::int32_t& n, int& usedKey,
                         const std::function<void()>& beforeWrite = {});

/// The message of a write lock another user holds: the editor opens again with what was typed.
Text LockRefusedText();

/// Runs a record editor whose elements are bound to the record: on confirmation the values are
/// written into the record and `check` runs (it may set values that depend on others); its
/// refusal is shown and the editor stays open with what was typed. True when saved.
bool RunRecordEditor(ui::TDialogAXO& dialog, const std::function<Text()>& check);

/// Asks for the file of a text import: a dialog titled `title` with the path (80 characters)
/// and a "..." button choosing a file. False when left; `file` then stays.
bool AskImportFile(ui::UiServices& ui, const ui::DialogEnvironment& env, const Text& title,
                   std::filesystem::path& file);

template <class Record, class File>
class TCodeListWindow : public ui::TRecordBrowser<Record> {
  public:
    /// The window of the list; with `picker` <Enter> chooses the row (and closes the window).
    TCodeListWindow(const CodeListEnvironment& env, bool picker)
        : ui::TRecordBrowser<Record>(env.Ui(), env.browser), env_(env), picker_(picker) {}

    bool OtevriData() override {
        file_ = std::make_unique<File>(*env_.data, env_.location);
        // A list that is not there yet is created, so that its first codes can be added.
        if (!file_->InitFile(2, OpenWait())) {
            OpenFailed(*file_);
            file_.reset();
            return false;
        }
        this->table = file_.get();
        return true;
    }
    void ZavriData() override {
        if (file_ && file_->Opened())
            file_->CloseFile();
        this->table = nullptr;
    }
    Text TextRadku(int row) override { return Line(this->Zaznam(row), row); }

    /// The record a picker's <Enter> chose; none otherwise.
    const std::optional<Record>& Chosen() const { return chosen_; }
    File& Table() { return *file_; }
    const CodeListEnvironment& Env() const { return env_; }

    // ---- The paths of the command line: the window's checks and writes without dialogs ----

    /// The record whose key `k` is `key`, and its number; false when there is none.
    bool Najdi(int k, const Text& key, Record& record, std::int32_t& n) {
        if (!file_ || !file_->BtFindKey(k, n, key))
            return false;
        return file_->GetRec(n, &record);
    }
    /// Adds `record` (n == 0) or changes record `n` as the editor's save does: the list's checks
    /// (Zkontroluj), then the write under the locks. False after the message when refused.
    bool UlozBezDialogu(Record& record, std::int32_t n) {
        if (n == 0)
            return Check(record, nullptr) && Write(record, nullptr, n) == StoreOutcome::Saved;
        Record original = record;
        // The stored version under the record lock: the change is made to it.
        file_->GetRec(n, &original);
        std::int32_t locked = n;
        Record stored = original;
        if (!file_->LockForEdit(locked, &stored))
            return false;
        const bool saved =
            Check(record, &stored) && Write(record, &stored, locked) == StoreOutcome::Saved;
        file_->UnlockAllRecs();
        return saved;
    }
    /// Deletes record `n` under its record lock; false after the message when it is locked.
    bool ZrusBezDialogu(std::int32_t n) {
        Record stored;
        file_->GetRec(n, &stored);
        if (!file_->LockForEdit(n, &stored))
            return false;
        file_->DeleteRec(n);
        file_->UnlockAllRecs();
        return true;
    }
    /// Every line of the list in its current order, as the listing prints them.
    std::vector<Text> VsechnyRadky() {
        std::vector<Text> lines;
        std::int32_t n = 0;
        Text key;
        file_->BtClearKey(this->CurrentKey());
        while (file_->BtNextKey(this->CurrentKey(), n, key))
            if (const Text line = this->RadekOpisu(n); !line.empty())
                lines.push_back(line);
        return lines;
    }

  protected:
    // ---- What each list supplies ---------------------------------------------------------

    /// The list line of a record shown in `row`.
    virtual Text Line(const Record& record, int row) = 0;
    /// A new, empty record (<Insert>).
    virtual Record NovyZaznam() { return Record{}; }
    /// The record a copy (<Alt F7>) starts from: the row's.
    virtual Record KopieZaznamu(int row) { return this->Zaznam(row); }
    /// Runs the editor on `record` (new when `original` is null; else the stored record `n`);
    /// true when saved, `record` then holds the values typed, checked by Zkontroluj.
    virtual bool Edituj(Record& record, const Record* original, std::int32_t n) = 0;
    /// The checks of the editor's save (values that depend on each other are set here): the
    /// message refusing the record, empty when it is accepted.
    virtual Text Zkontroluj(Record& record, const Record* original) = 0;
    /// The message of unique key `k` used by another record.
    virtual Text KlicPouzit(int k) = 0;
    /// Just before the record is written (the chart gives its note to the table).
    virtual void PredZapisem(const Record&) {}
    /// The print form of the list: title, form type and kind mask (data: the order number).
    virtual Text TitulFormulare() const = 0;
    virtual int TypFormulare() const = 0;
    virtual std::uint16_t MaskaFormulare() const = 0;
    virtual Text DataFormulare() { return IntToText(this->CurrentKey()); }
    /// The text import of the list (supervisors): none in the base.
    virtual void Importuj() {}
    virtual bool MaImport() const { return false; }
    /// How opening the list waits for another user who holds it.
    virtual int OpenWait() const { return storage::_WaitQuestion; }
    /// The list could not be opened (the layer has said why when it could).
    virtual void OpenFailed(File&) {}

    /// Checks a record as the editor's save does; false after the message.
    bool Check(Record& record, const Record* original) {
        const Text refusal = Zkontroluj(record, original);
        if (refusal.empty())
            return true;
        this->Ui().ShowError(refusal);
        return false;
    }

    /// Writes the record; a used key or a lock another user holds is told to the user.
    StoreOutcome Write(const Record& record, const Record* original, std::int32_t& n) {
        int usedKey = 0;
        const StoreOutcome outcome = StoreRecord(*file_, original, &record, n, usedKey,
                                                 [this, &record] { PredZapisem(record); });
        if (outcome == StoreOutcome::KeyUsed)
            this->Ui().ShowError(KlicPouzit(usedKey));
        else if (outcome == StoreOutcome::Locked)
            this->Ui().ShowError(LockRefusedText());
        return outcome;
    }

    /// The editor until the record is written or the editor left: a refused write opens it
    /// again with what was typed. True when written; `key` is then its key in the current order.
    bool EditujAUloz(Record& record, const Record* original, std::int32_t& n, Text& key) {
        for (;;) {
            if (!Edituj(record, original, original ? n : 0))
                return false;
            if (Write(record, original, n) == StoreOutcome::Saved) {
                key = file_->MakeKey(this->CurrentKey(), &record);
                return true;
            }
        }
    }

    // ---- The browser's hooks -------------------------------------------------------------

    void ZpracujRadek(int row, Text& key, std::int32_t& n, int) override {
        if (picker_ && this->CommandCode() == ui::browse_code::kEnter) {
            chosen_ = this->Zaznam(row);
            key.clear();
            n = 0;
            return;
        }
        Record record;
        if (!this->ZamkniZaznam(row, record, n)) {
            this->SetNotHandled();
            return;
        }
        const Record original = record;
        if (!EditujAUloz(record, &original, n, key))
            key = file_->MakeKey(this->CurrentKey(), &original);
        file_->UnlockAllRecs();
    }
    void PridejVetu(Text& key, int, std::int32_t& n) override {
        Record record = NovyZaznam();
        if (this->CommandCode() == ui::browse_code::kAltF7 && this->RowsFilled() > 0)
            record = KopieZaznamu(this->CurrentRow());
        n = 0;
        if (!EditujAUloz(record, nullptr, n, key)) {
            // Nothing added: the page stays where it was.
            key = this->RowsFilled() > 0 ? this->KlicRadku(this->CurrentRow()) : Text();
            n = this->RowsFilled() > 0 ? this->RowRecord(this->CurrentRow()) : 0;
        }
    }
    void ZrusVetu(int row) override { this->SmazZaznam(row); }
    void Opis() override {
        if (env_.printForm &&
            env_.printForm(TitulFormulare(), TypFormulare(), MaskaFormulare(), DataFormulare()))
            return;
        ui::TRecordBrowser<Record>::Opis();
    }

    std::vector<ui::BrowseButtonView> ToolBarButtons() const override {
        std::vector<ui::BrowseButtonView> tools = ui::TRecordBrowser<Record>::ToolBarButtons();
        if (MaImport() && env_.accessLevel >= 2) {
            ui::BrowseButtonView import;
            import.id = ui::BrowseButton::Import;
            import.name = "ButtonImport";
            import.hint = "vygenerování číselníku z textového souboru"_t;
            import.right = true;
            tools.push_back(import);
        }
        return tools;
    }
    void Press(ui::BrowseButton button) override {
        if (button != ui::BrowseButton::Import) {
            ui::TRecordBrowser<Record>::Press(button);
            return;
        }
        if (this->IsClosed() || !this->ButtonEnabled(button))
            return;
        this->PovolOvladani(false);
        // The import takes the list exclusively: the window lets it go meanwhile.
        ZavriData();
        Importuj();
        if (!OtevriData()) {
            this->Close(ui::TBrowser::kResultLeave);
            return;
        }
        this->PovolOvladani(true);
        this->Obnov();
    }

  private:
    const CodeListEnvironment& env_;
    bool picker_;
    std::unique_ptr<File> file_;
    std::optional<Record> chosen_;
};

/// The process name shown while a maintenance window is open; the previous one comes back when
/// this is destroyed.
class ProcessName {
  public:
    ProcessName(ui::UiServices& ui, const Text& name) : ui_(ui) { ui_.PushProcess(name); }
    ~ProcessName() { ui_.PopProcess(); }
    ProcessName(const ProcessName&) = delete;
    ProcessName& operator=(const ProcessName&) = delete;

  private:
    ui::UiServices& ui_;
};

}  // namespace axo::pap

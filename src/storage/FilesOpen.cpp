// tSoubor: describing, creating, opening with waits and retries, closing and deleting.
#include <algorithm>

#include "storage/Errors.h"
#include "storage/Files.h"
#include "storage/Rebuild.h"
#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::storage {

namespace fs = std::filesystem;

namespace {

const Text kCrLf = "\r\n"_t;
constexpr int kOpenAttempts = 11;

/// Gives the owner write access, as clearing the read-only attribute did; errors are ignored.
void ClearReadOnly(const fs::path& file) {
    std::error_code ec;
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, ec);
}

/// Takes every access of others away from a file (one made before confidential tables were
/// kept so); errors are ignored: only the owner may do it.
void KeepFromOthers(const fs::path& file) {
    std::error_code ec;
    const fs::perms perms = fs::status(file, ec).permissions();
    if (!ec && (perms & fs::perms::others_all) != fs::perms::none)
        fs::permissions(file, fs::perms::others_all, fs::perm_options::remove, ec);
}

}  // namespace

bool tSoubor::BtOpenFileBlock(int mode, int wait) {
    ResetStatus();
    lockedRecords_.clear();
    DropTable();
    opened_ = false;
    itemWarningShown_ = false;
    if (mode >= 4 && mode <= 6 && wait == _Wait)
        wait = _WaitQuestion;
    mode_ = mode;
    RunDescribe();
    ResolvePaths();
    if (mode == 0)
        return true;
    std::unique_ptr<TableReservation> reservation;
    if (mode == 3 || mode == 6) {
        // A new table: neither the old one nor data an interrupted rebuild moved aside stay.
        // Nobody may have the old one open meanwhile: its writes would go to deleted files.
        reservation = ReserveAll(wait);
        if (!reservation)
            return errorCode_ == kErrOpenedElsewhere ? false : Fatal("OpenFile"_t);
        try {
            for (const fs::path& table : {dataPath_, RebuildCopyPath(*this)})
                engine_->Drop(table);
        } catch (const EngineError& e) {
            // A server may refuse (a table of another owner): the old table stays, and the
            // caller hears that the new one could not be made.
            SetEngineFailure(e);
            return false;
        }
    }
    // A table whose data an interrupted rebuild moved aside is restored before anything else,
    // so that it is never taken for missing and created empty.
    if (!reservation && !engine_->Exists(dataPath_) && engine_->Exists(RebuildCopyPath(*this)))
        RebuildIndexes(*this, true);
    if (engine_->Exists(dataPath_)) {
        ClearReadOnly(dataPath_);
        if (Confidential())
            for (const fs::path& file : engine_->TableFiles(dataPath_))
                KeepFromOthers(file);
    } else {
        if (mode == 1 || mode == 4) {
            SetStatus(0, {});
            return false;
        }
        CreateWithRetries();
    }
    // Openers kept out meanwhile find the new table.
    reservation.reset();
    const bool exclusive = mode >= 4 && mode <= 6;
    if (OpenWithWaits(exclusive, wait)) {
        opened_ = true;
        return CheckColumnCount();
    }
    if (errorCode_ == (exclusive ? kErrOpenedElsewhere : kErrOpenedExclusively))
        return false;
    return Fatal("OpenFile"_t);
}

void tSoubor::RunDescribe() {
    fields_.clear();
    layout_.clear();
    keys_ = KeyTable{};
    keyCount_ = 0;
    recordLength_ = 0;
    fieldCount_ = 0;
    Text fileName;
    Text title;
    Describe(fileName, title, keys_, keyCount_, recordLength_);
    fileName_ = fileName.substr(0, 50);
    title_ = title.substr(0, kMaxShortText);
}

void tSoubor::ResolvePaths() {
    fs::path directory;
    if (directoryOverride_ == Text::FromBytes(kProgramPathToken))
        directory = ctx_.programDirectory;
    else if (!directoryOverride_.empty())
        directory = FromCurrentDirectory(directoryOverride_);
    else if (!defaultDirectory_.empty())
        directory = FromCurrentDirectory(defaultDirectory_);
    else
        directory = ctx_.currentDirectory;
    dataPath_ = directory / PathFromText(fileName_ + ".DB"_t);
}

bool tSoubor::CheckDescription() {
    StructureCheck check = CheckStructure(fields_, keyCount_, keys_, recordLength_,
                                          itemWarningShown_ ? nullptr : ctx_.ui);
    itemWarningShown_ = true;
    fieldCount_ = check.fieldCount;
    if (!check.ok) {
        SetStatus(check.errorCode, check.errorText);
        return false;
    }
    layout_ = std::move(check.layout);
    cursor_.Configure(keys_, keyCount_, layout_, recordLength_);
    return true;
}

bool tSoubor::BtCreateFileBlock() {
    ResetStatus();
    if (!CheckDescription())
        return false;
    try {
        TableDef def = DefineColumns(fields_, layout_, keyCount_, keys_);
        def.confidential = Confidential();
        engine_->Create(dataPath_, def);
        return true;
    } catch (const EngineError& e) {
        const Text message = FromUtf8(e.what());
        switch (e.GetStage()) {
            case EngineError::Stage::CreateTable:
                SetStatus(kErrCreateTable, message + kCrLf + kCrLf +
                                               "Požadovaný počet položek: "_t +
                                               IntToText(fieldCount_));
                break;
            case EngineError::Stage::CreateIndexes:
                SetStatus(kErrCreateIndexes, message);
                break;
            case EngineError::Stage::CloseCreated:
                SetStatus(kErrCloseCreated, message);
                break;
            default:
                SetEngineFailure(e);
        }
        return false;
    }
}

void tSoubor::CreateWithRetries() {
    for (int attempt = 1;; ++attempt) {
        if (BtCreateFileBlock())
            return;
        if (attempt >= kOpenAttempts || !IsTransientOpenFailure(errorText_, true))
            break;
        AnnounceRetry("Došlo k problému při zakládání souboru"_t);
    }
    ShowDataWarning(ctx_, "UPOZORNĚNÍ :"_t,
                    "Nelze založit datový soubor ("_t + DataFileName() + ")."_t + kCrLf + kCrLf +
                        "Číslo chyby : "_t + IntToText(errorCode_) + kCrLf +
                        "Procedura   : BtCreateFileBlock"_t + kCrLf + kCrLf + errorText_);
}

bool tSoubor::OpenWithWaits(bool exclusive, int wait) {
    const int refused = exclusive ? kErrOpenedElsewhere : kErrOpenedExclusively;
    int repetitions = 0;
    for (;;) {
        if (EngineOpenAttempt(exclusive))
            return true;
        if (errorCode_ == refused) {
            if (wait == _NoWait)
                return false;
            if (!WaitForAccess("Čekám na přístup do souboru při jeho otevření (BtOpenFileBlock)."_t,
                               wait == _WaitQuestion))
                return false;
            continue;
        }
        if (repetitions >= kOpenAttempts - 1 || !IsTransientOpenFailure(errorText_, false))
            return false;
        ++repetitions;
        AnnounceRetry("Došlo k problému při otevírání souboru"_t);
    }
}

bool tSoubor::EngineOpenAttempt(bool exclusive) {
    ResetStatus();
    try {
        if (!IndexesPresent()) {
            if (!RebuildsItself()) {
                // The rebuild is the administration's: its command is named with the advice.
                SetStatus(kErrIndexMissing,
                          kCrLf + "\t"_t + "K datovému souboru nejsou všechny indexové soubory."_t +
                              kCrLf + "\t"_t + "Proveďte rekonstrukci indexů."_t + kCrLf + "\t"_t +
                              "(správce: axo-pap-cli admin rebuild "_t + fileName_ + ")"_t);
                return false;
            }
            RebuildIndexes(*this, true);
            ResetStatus();
        }
        if (!CheckDescription())
            return false;
        table_ = engine_->Open(dataPath_, exclusive);
    } catch (const EngineError& e) {
        SetEngineFailure(e);
        if (EngineTextContains(errorText_, engine_text::kTableBusy) ||
            EngineTextContains(errorText_, engine_text::kFileLocked)) {
            if (exclusive)
                SetStatus(kErrOpenedElsewhere,
                          "Soubor je otevřen jiným uživatelem."_t + kCrLf + errorText_);
            else
                SetStatus(kErrOpenedExclusively,
                          "Soubor je exkluzívně otevřen jiným uživatelem."_t + kCrLf + errorText_);
        }
        return false;
    }
    for (int k = 1; k <= kMaxKeys; ++k)
        keys_[k].restart = false;
    cursor_.Reset();
    return true;
}

bool tSoubor::IndexesPresent() {
    const std::vector<Text> names = engine_->IndexNames(dataPath_);
    for (int k = 0; k <= keyCount_; ++k)
        if (std::find(names.begin(), names.end(), KeyIndexName(k)) == names.end())
            return false;
    return true;
}

bool tSoubor::RebuildsItself() const {
    const Text name = NationalUpperCase(TextFromPath(dataPath_.filename()));
    for (const char* special :
         {"AXO.DB", "AXO-DATA.DB", "AXO-USER.DB", "AXO_TASK.DB", "KOMUHRFA.DB"})
        if (name == Text::FromBytes(special))
            return true;
    return !name.empty() && (name.front() == '~' || name.front() == '&');
}

bool tSoubor::CheckColumnCount() {
    int columns = 0;
    try {
        columns = table_->ColumnCount();
    } catch (const EngineError& e) {
        SetEngineFailure(e);
        return Fatal("INIT OpenFile"_t);
    }
    if (columns == keyCount_ + fieldCount_ + 2)
        return true;
    SetStatus(kErrFieldCount, "Nesoulad struktur."_t + kCrLf + kCrLf +
                                  "Očekávaný počet položek: "_t + IntToText(keyCount_) + "+"_t +
                                  IntToText(fieldCount_) + kCrLf + "Skutečný počet položek: "_t +
                                  IntToText(columns - 2));
    return Fatal("INIT OpenFile"_t);
}

void tSoubor::CloseFile() {
    ResetStatus();
    if (opened_) {
        UnlockAllRecs();
        try {
            if (table_)
                table_->Flush();
        } catch (const EngineError& e) {
            SetEngineFailure(e);
            DropTable();
            opened_ = false;
            Fatal("DONE CloseFile"_t);
            return;
        }
        DropTable();
        opened_ = false;
        readLocked_ = writeLocked_ = false;
    }
    fields_.clear();
}

void tSoubor::DeleteFile() {
    ResetStatus();
    if (mode_ != 0 && opened_) {
        // Closing a table of this engine cannot fail: everything written is committed.
        DropTable();
        opened_ = false;
        readLocked_ = writeLocked_ = false;
    }
    fields_.clear();
    lockedRecords_.clear();
    if (dataPath_.empty())
        return;
    // The files of a table another user has open stay, as they would where an open file
    // cannot be deleted: the other user's writes must not go to deleted files.
    const std::unique_ptr<TableReservation> reservation = ReserveAll(_NoWait);
    if (!reservation)
        return;
    try {
        engine_->Drop(dataPath_);
    } catch (const EngineError& e) {
        SetEngineFailure(e);
        return;
    }
    fs::path stem = dataPath_;
    stem.replace_extension();
    DeleteTableFiles(stem);
    reservation->TableDeleted();
}

std::unique_ptr<TableReservation> tSoubor::ReserveAll(int wait) {
    for (;;) {
        try {
            return engine_->Reserve(dataPath_);
        } catch (const EngineError& e) {
            SetEngineFailure(e);
            if (!EngineTextContains(errorText_, engine_text::kFileLocked) &&
                !EngineTextContains(errorText_, engine_text::kTableBusy))
                return nullptr;
            SetStatus(kErrOpenedElsewhere,
                      "Soubor je otevřen jiným uživatelem."_t + kCrLf + errorText_);
        }
        if (wait == _NoWait ||
            !WaitForAccess("Čekám na přístup do souboru při jeho otevření (BtOpenFileBlock)."_t,
                           wait == _WaitQuestion))
            return nullptr;
    }
}

void tSoubor::Abandon() noexcept {
    ended_ = true;
    DropTable();
    opened_ = false;
    readLocked_ = writeLocked_ = false;
}

void tSoubor::DropTable() noexcept {
    if (table_ && ended_)
        table_->Abandon();
    table_.reset();
    cursor_.Reset();
}

}  // namespace axo::storage

// tSoubor: table locks, record locks, key clashes and locking a record for editing.
#include "storage/Errors.h"
#include "storage/Files.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::storage {

namespace {

const Text kCrLf = "\r\n"_t;

bool HeldByOther(const Text& text) {
    return EngineTextContains(text, "Table is busy") || EngineTextContains(text, "File is locked");
}

}  // namespace

bool tSoubor::BtLockFileBlock(int wait) {
    return LockTableWithWaits(TableLock::Write, wait);
}

bool tSoubor::BtReadLockFileBlock(int wait) {
    return LockTableWithWaits(TableLock::Read, wait);
}

bool tSoubor::LockTableWithWaits(TableLock lock, int wait) {
    const bool write = lock == TableLock::Write;
    const Text label = write ? "LOCK"_t : "READLOCK"_t;
    for (;;) {
        ResetStatus();
        if (write ? writeLocked_ : readLocked_)
            return true;
        if (TableMissing(label))
            return false;
        try {
            table_->LockTable(lock);
            (write ? writeLocked_ : readLocked_) = true;
            return true;
        } catch (const EngineError& e) {
            SetEngineFailure(e);
            if (!HeldByOther(errorText_))
                return Fatal(label);
        }
        Text prefix = "Soubor je zamčen jiným uživatelem."_t;
        if (!write && EngineTextContains(errorText_, "Table is busy"))
            prefix = "Soubor je zamčen otevřen jiným uživatelem."_t;
        SetStatus(kErrTableLocked, prefix + kCrLf + errorText_);
        if (wait == _NoWait)
            return false;
        const Text operation =
            write ? "Čekám na zamčení souboru pro čtení a zápis (BtLockFileBlock)."_t
                  : "Čekám na zamčení souboru pro čtení (BtReadLockFileBlock)."_t;
        if (!WaitForAccess(operation, wait == _WaitQuestion))
            return false;
    }
}

bool tSoubor::Unlock() {
    FlushFile();
    if (!ok_)
        return false;
    try {
        if (writeLocked_) {
            table_->UnlockTable(TableLock::Write);
            writeLocked_ = false;
        }
        if (readLocked_) {
            table_->UnlockTable(TableLock::Read);
            readLocked_ = false;
        }
        return true;
    } catch (const EngineError& e) {
        SetEngineFailure(e);
        return Fatal("UNLOCK"_t);
    }
}

bool tSoubor::BtLockRec(int wait, std::int32_t n) {
    const Text number = IntToText(n);
    if (wait == _WaitQuestion) {
        if (ctx_.ui)
            ctx_.ui->ShowError("Nepřípustná metoda zamčení věty"_t,
                               "\rtSoubor.LockRec: _WaitQuestione"_t);
        wait = _NoWait;
    }
    for (;;) {
        ResetStatus();
        if (TableMissing("LOCKrec"_t, number))
            return false;
        try {
            if (!PositionOn(n))
                return Fatal("LOCKrec"_t, number);
            const LockFlagChange change = table_->SetLockFlag(n, true);
            cursor_.Invalidate();
            if (change == LockFlagChange::Missing) {
                SetStatus(0, {});
                return Fatal("LOCKrec"_t, number);
            }
            if (change == LockFlagChange::Changed) {
                lockedRecords_.push_back(n);
                return true;
            }
            SetStatus(kErrRecordLocked, "Záznam je zamčen jiným uživatelem"_t);
        } catch (const EngineError& e) {
            SetEngineFailure(e);
            cursor_.Invalidate();
            if (!HeldByOther(errorText_))
                return Fatal("LOCKrec"_t, number);
            SetStatus(kErrRecordLocked,
                      "Soubor je zamčen jiným uživatelem."_t + kCrLf + errorText_);
        }
        if (wait != _Wait)
            return false;
        WaitForAccess("Čekám na zamčení věty č."_t + number + " pro čtení a zápis (BtLockRec)."_t,
                      false);
    }
}

bool tSoubor::UnlockAllRecs() {
    ResetStatus();
    if (lockedRecords_.empty())
        return true;
    if (TableMissing("UNLOCKallRecs"_t))
        return false;
    const bool lockedHere = !writeLocked_;
    if (lockedHere && !BtLockFileBlock(_Wait))
        return false;
    bool failed = false;
    Text failure;
    for (std::int32_t n : lockedRecords_) {
        try {
            table_->SetLockFlag(n, false);
        } catch (const EngineError& e) {
            // The others are still released; the failure is reported when all are done.
            Unlock();
            failed = true;
            failure = FromUtf8(e.what());
        }
    }
    cursor_.Invalidate();
    lockedRecords_.clear();
    if (lockedHere && writeLocked_)
        Unlock();
    if (!failed)
        return ok_;
    SetStatus(kErrEngine, failure);
    return Fatal("UNLOCKallRecs"_t);
}

int tSoubor::FindUsedKey(bool insert, const void* oldBuffer, const void* newBuffer) {
    for (int k = 1; k <= keyCount_; ++k) {
        if (keys_[k].duplicates)
            continue;
        const Text key = MakeKey(k, newBuffer);
        if (!insert && MakeKey(k, oldBuffer) == key)
            continue;
        if (BtFindKey(k, currentRecord, key))
            return k;
    }
    return 0;
}

bool tSoubor::IdentifyRecord(std::int32_t& n, const void* buffer, Text& key) {
    if (const int k = FirstUniqueKey(); k > 0) {
        key = MakeKey(k, buffer);
        if (BtFindKey(k, n, key))
            return true;
        Unlock();
        ShowDataWarning(ctx_, "UPOZORNĚNÍ :"_t,
                        " Hledaný klíč nebyl nalezen. ["_t + key + "]"_t + kCrLf +
                            " Věta byla patrně zrušena jinou stanicí."_t + kCrLf +
                            " Akce nebude provedena."_t + kCrLf + kCrLf + " Jedná se o soubor "_t +
                            DataFileName() + "."_t);
        return false;
    }
    // Only keys with duplicates: walk the records of key 1 until the record number given.
    keyBuffer = MakeKey(1, buffer);
    key = keyBuffer;
    const Text wanted = PaddedKey(1, keyBuffer);
    BtClearKey(1);
    std::int32_t m = 0;
    Text found = keyBuffer;
    for (bool more = BtSearchKey(1, m, found); more && PaddedKey(1, found) == wanted;
         more = BtNextKey(1, m, found)) {
        if (m == n)
            return true;
    }
    Unlock();
    ShowDataWarning(ctx_, "UPOZORNĚNÍ :"_t,
                    " Věta byla změněna jinou stanicí."_t + kCrLf + " Akce nebude provedena."_t +
                        kCrLf + kCrLf + " Jedná se o soubor "_t + DataFileName() + "."_t);
    return false;
}

bool tSoubor::LockForEdit(std::int32_t& n, void* buffer) {
    if (keyCount_ == 0)
        return false;
    if (!BtLockFileBlock(_WaitQuestion))
        return false;
    std::int32_t found = n;
    Text key;
    if (!IdentifyRecord(found, buffer, key))
        return false;
    if (BtLockRec(_NoWait, found)) {
        Unlock();
        n = found;
        return GetRec(found, buffer);
    }
    Unlock();
    ExplainRecordLock(ctx_, key, fileName_, DataFileName(), title_);
    return false;
}

}  // namespace axo::storage

// tSoubor: key order, key searches and the record operations.
#include "storage/Errors.h"
#include "storage/Files.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::storage {

namespace {

const Text kCrLf = "\r\n"_t;
/// Reads and writes are repeated this often in all on "Not exact read/write.".
constexpr int kReadWriteAttempts = 11;

bool NotExact(const Text& text) {
    return EngineTextContains(text, engine_text::kNotExact);
}

}  // namespace

bool tSoubor::TableMissing(const Text& label, const Text& recordNumber, const Text& index) {
    if (table_)
        return false;
    SetStatus(kErrEngine, "Table is not open."_t);
    Fatal(label, recordNumber, {}, index);
    return true;
}

std::int32_t tSoubor::BtUsedRecs() {
    ResetStatus();
    if (TableMissing("USEDRECS"_t))
        return 0;
    try {
        return static_cast<std::int32_t>(table_->RecordCount());
    } catch (const EngineError& e) {
        SetEngineFailure(e);
        Fatal("USEDRECS"_t);
        return 0;
    }
}

void tSoubor::BtClearKey(int k) {
    ResetStatus();
    if (k < 0 || k > kMaxKeys) {
        SetStatus(kErrEngine, "Index does not exist."_t);
        Fatal("CLEARKEY"_t, {}, {}, IntToText(k));
        return;
    }
    // The walk itself starts at the first record with the next BtNextKey.
    keys_[k].restart = true;
}

bool tSoubor::BtNextKey(int k, std::int32_t& n, Text& key) {
    return StepKey(k, n, key, true);
}

bool tSoubor::BtPrevKey(int k, std::int32_t& n, Text& key) {
    return StepKey(k, n, key, false);
}

bool tSoubor::StepKey(int k, std::int32_t& n, Text& key, bool forward) {
    const Text label = forward ? "NEXTKEY"_t : "PREVKEY"_t;
    ResetStatus();
    if (TableMissing(label, {}, IntToText(k)))
        return false;
    try {
        if (!ValidOrder(k))
            throw EngineError("Index does not exist.");
        const bool restart = keys_[k].restart;
        keys_[k].restart = false;
        const bool found =
            forward ? cursor_.Next(*table_, k, restart) : cursor_.Prev(*table_, k, restart);
        if (!found) {
            keys_[k].restart = true;
            if (forward)
                SetStatus(kErrNoNextRecord, "Není další záznam dle klíče."_t);
            else
                SetStatus(kErrNoPrevRecord, {});
            return false;
        }
        n = cursor_.CurrentRecord();
        key = cursor_.CurrentKey(k);
        return true;
    } catch (const EngineError& e) {
        SetEngineFailure(e);
        return Fatal(label, {}, {}, IntToText(k));
    }
}

bool tSoubor::BtFindKey(int k, std::int32_t& n, const Text& key) {
    ResetStatus();
    if (TableMissing("FINDKEY"_t, {}, IntToText(k)))
        return false;
    try {
        if (!ValidOrder(k))
            throw EngineError("Index does not exist.");
        keys_[k].restart = false;
        const bool found = k == 0
                               ? cursor_.Locate(*table_, static_cast<std::int32_t>(TextToInt(key)))
                               : cursor_.Seek(*table_, k, key, true);
        if (!found) {
            SetStatus(kErrKeyNotFound, {});
            return false;
        }
        n = cursor_.CurrentRecord();
        return true;
    } catch (const EngineError& e) {
        SetEngineFailure(e);
        if (errorText_.View() == engine_text::kRecordNotFound)
            errorText_ = (errorText_ + kCrLf + kCrLf +
                          "Nesoulad mezi obsahem datového a indexového souboru."_t + kCrLf +
                          "Problém by měla vyřešit rekonstrukce indexových souborů."_t + kCrLf +
                          "viz. modul Správce souborů AXO"_t + kCrLf)
                             .substr(0, kMaxShortText);
        return Fatal("FINDKEY"_t, {}, key, IntToText(k));
    }
}

bool tSoubor::BtSearchKey(int k, std::int32_t& n, Text& key) {
    ResetStatus();
    if (TableMissing("SEARCHKEY"_t, {}, IntToText(k)))
        return false;
    try {
        if (!ValidOrder(k))
            throw EngineError("Index does not exist.");
        keys_[k].restart = false;
        if (!cursor_.Seek(*table_, k, key, false)) {
            keys_[k].restart = true;
            SetStatus(kErrNoKeyGreaterOrEqual, {});
            return false;
        }
        n = cursor_.CurrentRecord();
        key = cursor_.CurrentKey(k);
        return true;
    } catch (const EngineError& e) {
        SetEngineFailure(e);
        return Fatal("SEARCHKEY"_t, {}, key, IntToText(k));
    }
}

bool tSoubor::PositionOn(std::int32_t n) {
    if (cursor_.HasCurrent() && cursor_.CurrentRecord() == n && cursor_.HasImage())
        return true;
    keys_[0].restart = false;
    if (cursor_.Locate(*table_, n))
        return true;
    SetStatus(0, {});
    return false;
}

bool tSoubor::GetRec(std::int32_t n, void* buffer) {
    const Text number = IntToText(n);
    for (int attempt = 1;; ++attempt) {
        ResetStatus();
        if (TableMissing("GETREC"_t, number))
            return false;
        try {
            if (!PositionOn(n))
                return Fatal("GETREC"_t, number);
            cursor_.CopyImage(buffer);
            return true;
        } catch (const EngineError& e) {
            SetEngineFailure(e);
            cursor_.Invalidate();
            if (attempt < kReadWriteAttempts && NotExact(errorText_))
                continue;
            return Fatal("GETREC"_t, number);
        }
    }
}

bool tSoubor::BtScanFields(const std::vector<Text>& fieldNames, void* buffer,
                           const std::function<bool(std::int32_t)>& visit) {
    ResetStatus();
    if (TableMissing("SCANFIELDS"_t))
        return false;
    // Column 0 is the record number; the fields follow in the order they are named.
    std::vector<int> columns{0};
    std::vector<const FieldLayout*> layouts;
    for (const Text& name : fieldNames) {
        std::size_t i = 0;
        while (i < fields_.size() && fields_[i].name != name)
            ++i;
        if (i >= fields_.size() || i >= layout_.size())
            return Fatal("SCANFIELDS"_t, {}, name);
        columns.push_back(FirstDataColumn(keyCount_) + static_cast<int>(i));
        layouts.push_back(&layout_[i]);
    }
    struct Stopped {};
    auto* record = static_cast<std::byte*>(buffer);
    try {
        table_->ScanColumns(columns, [&](const RowReader& row) {
            for (std::size_t f = 0; f < layouts.size(); ++f)
                ReadField(row, static_cast<int>(f) + 1, *layouts[f], record);
            if (!visit(static_cast<std::int32_t>(row.Integer(0))))
                throw Stopped{};
        });
    } catch (const Stopped&) {
    } catch (const EngineError& e) {
        SetEngineFailure(e);
        return Fatal("SCANFIELDS"_t);
    }
    return true;
}

std::vector<Text> tSoubor::BuildKeys(const void* buffer) {
    std::vector<Text> keys(static_cast<std::size_t>(keyCount_) + 1);
    for (int k = 1; k <= keyCount_; ++k) {
        keys[k] = MakeKey(k, buffer);
        if (keys[k].size() > keys_[k].length)
            keys[k].resize(keys_[k].length);
    }
    return keys;
}

RowFiller tSoubor::FillFrom(const void* buffer, const std::vector<Text>& keys) {
    return [this, buffer, &keys](RowWriter& row) {
        for (int k = 1; k <= keyCount_; ++k)
            row.SetText(k, keys[k].View());
        WriteRecord(layout_, static_cast<const std::byte*>(buffer), FirstDataColumn(keyCount_), row,
                    [this, buffer](std::size_t field) { return MemoText(field, buffer); });
    };
}

bool tSoubor::PutRec(std::int32_t& n, const void* buffer) {
    const Text number = IntToText(n);
    for (int attempt = 1;; ++attempt) {
        ResetStatus();
        if (TableMissing("PUTREC"_t, number))
            return false;
        try {
            const std::vector<Text> keys = BuildKeys(buffer);
            if (!PositionOn(n) || !table_->Update(n, FillFrom(buffer, keys))) {
                SetStatus(0, {});
                cursor_.Invalidate();
                return Fatal("PUTREC"_t, number);
            }
            cursor_.SetWritten(n, keys);
            return true;
        } catch (const EngineError& e) {
            SetEngineFailure(e);
            cursor_.Invalidate();
            if (attempt < kReadWriteAttempts && NotExact(errorText_))
                continue;
            return Fatal("PUTREC"_t, number);
        }
    }
}

bool tSoubor::AddRec(std::int32_t& n, const void* buffer) {
    for (int attempt = 1;; ++attempt) {
        ResetStatus();
        if (TableMissing("ADDREC"_t))
            return false;
        keys_[0].restart = false;
        try {
            const std::vector<Text> keys = BuildKeys(buffer);
            n = table_->Insert(0, FillFrom(buffer, keys));
            cursor_.SetWritten(n, keys);
            return true;
        } catch (const EngineError& e) {
            cursor_.Invalidate();
            n = 0;
            const Text engineText = FromUtf8(e.what());
            SetStatus(kErrEngine, AddRecErrorText(n, buffer, engineText));
            if (attempt < kReadWriteAttempts && NotExact(engineText))
                continue;
            Text detail = errorText_ + kCrLf + kCrLf;
            for (int k = 1; k <= keyCount_; ++k)
                detail += "\""_t + MakeKey(k, buffer) + "\""_t + kCrLf;
            errorText_ = detail.substr(0, kMaxShortText);
            return Fatal("ADDREC"_t, IntToText(n));
        }
    }
}

Text tSoubor::AddRecErrorText(std::int32_t& n, const void* buffer, const Text& engineText) {
    // The number the record would have had: the highest record number + 1.
    try {
        std::int32_t last = 0;
        table_->Scan(0, ScanDirection::Backward, nullptr, 1, [&last](const RowReader& row) {
            last = static_cast<std::int32_t>(row.Integer(0));
        });
        n = last + 1;
    } catch (const EngineError&) {
        n = 0;
    }
    Text text = engineText + kCrLf + kCrLf + "Hash: "_t + IntToText(n) + kCrLf;
    for (int k = 1; k <= keyCount_; ++k)
        text += "Index "_t + IntToText(k) + ": "_t + MakeKey(k, buffer) + kCrLf;
    return text;
}

bool tSoubor::DeleteRec(std::int32_t n) {
    const Text number = IntToText(n);
    ResetStatus();
    if (TableMissing("DELETEREC"_t, number))
        return false;
    try {
        const bool found = PositionOn(n) && table_->Delete(n);
        // The position stays where the record was, so that BtNextKey goes on with the one
        // after it.
        cursor_.Invalidate();
        if (!found) {
            SetStatus(0, {});
            return Fatal("DELETEREC"_t, number);
        }
        return true;
    } catch (const EngineError& e) {
        SetEngineFailure(e);
        cursor_.Invalidate();
        return Fatal("DELETEREC"_t, number);
    }
}

void tSoubor::FlushFile() {
    ResetStatus();
    if (TableMissing("FLUSHFILE"_t))
        return;
    try {
        table_->Flush();
    } catch (const EngineError& e) {
        SetEngineFailure(e);
        Fatal("FLUSHFILE"_t);
    }
}

Text tSoubor::ReadMemo(const Text& columnName) {
    ResetStatus();
    if (!table_ || !cursor_.HasCurrent())
        return {};
    try {
        return table_->ReadText(cursor_.CurrentRecord(), columnName);
    } catch (const EngineError& e) {
        SetEngineFailure(e);
        Fatal("GETREC"_t, IntToText(cursor_.CurrentRecord()));
        return {};
    }
}

}  // namespace axo::storage

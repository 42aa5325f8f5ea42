// A browser whose rows are records of one type: the record buffer beside BufferOfHash, reading a
// row from the table, moving a row, the keys of a row's record, and locking or deleting the
// row's record found by its unique key. Descendants open the table and give the row texts.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/browse/Browser.h"
#include "util/Retezce.h"

namespace axo::ui {

template <class Record, class Base = TBrowser>
class TRecordBrowser : public Base {
  public:
    using Base::Base;

    /// The record shown in row `row` (0: the scratch row).
    const Record& Zaznam(int row) const { return records_.at(static_cast<std::size_t>(row)); }

  protected:
    bool SetLength_BufferOfRecord_BufferOfHash() override {
        const auto rows = static_cast<std::size_t>(this->Capacity()) + 1;
        records_.assign(rows, Record{});
        this->BufferOfHash.assign(rows, 0);
        if (records_.size() != rows || this->BufferOfHash.size() != rows) {
            this->Ui().ShowErrorLine("Problém při inicializaci bufferu údajů.\r\r"_t +
                                     Trim(this->Caption()));
            return false;
        }
        return true;
    }
    void UlozVetuDoRadku(int row) override {
        const auto i = static_cast<std::size_t>(row);
        this->table->GetRec(this->currentRecord, &records_[i]);
        this->BufferOfHash[i] = this->currentRecord;
    }
    void PresunRadek(int from, int to) override {
        records_[static_cast<std::size_t>(to)] = records_[static_cast<std::size_t>(from)];
        this->BufferOfHash[static_cast<std::size_t>(to)] =
            this->BufferOfHash[static_cast<std::size_t>(from)];
    }
    Text KlicZaznamu(int row, int k) override {
        return this->table->MakeKey(k, &records_[static_cast<std::size_t>(row)]);
    }

    /// The row's record, found by its unique key under its record lock and read as stored,
    /// into `record`; `n` its number. False when it is gone or locked (the user was told and
    /// the page read again).
    bool ZamkniZaznam(int row, Record& record, std::int32_t& n) {
        record = Zaznam(row);
        return this->ZamkniVetuRadku(row, n, &record);
    }

    /// Deletes the row's record after "Opravdu chcete tuto větu zrušit?", found by its unique
    /// key under its record lock (never by the number the page holds, which another station's
    /// deletion and a new record may have given to another record). False, the action then not
    /// handled, when the user declines or the record is gone or locked.
    bool SmazZaznam(int row) {
        Record record;
        std::int32_t n = 0;
        if (!this->PotvrdZruseni() || !ZamkniZaznam(row, record, n)) {
            this->SetNotHandled();
            return false;
        }
        this->table->DeleteRec(n);
        this->table->UnlockAllRecs();
        return true;
    }

  private:
    std::vector<Record> records_;
};

}  // namespace axo::ui

// The browser's page: the range of records it walks, the first and last record of the range,
// reading a page forwards or backwards from a record, building a page around a record, and the
// moves by a row and by a page. Every step is a key operation of the table; nothing but the
// page's rows is kept.
#include <algorithm>
#include <cstring>

#include "ui/browse/Browser.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

/// Two keys of one order are the same key (blanks at the end do not count).
bool SameKey(const Text& a, const Text& b, std::size_t length) {
    return TrimRight(a.substr(0, length)) == TrimRight(b.substr(0, length));
}

/// The prefix with its last character raised by one (the first key above every key that begins
/// with the prefix); empty when no such key exists.
Text Raised(Text prefix) {
    while (!prefix.empty()) {
        if (prefix.Code(prefix.size() - 1) < 0xFF) {
            prefix.back() = static_cast<char>(prefix.Code(prefix.size() - 1) + 1);
            return prefix;
        }
        prefix.pop_back();
    }
    return prefix;
}

}  // namespace

// ---- The range --------------------------------------------------------------------------

bool TBrowser::RestrictionActive() const {
    return restrictionKey == currentKey_ && !restrictionPrefix.empty();
}

bool TBrowser::InRange(const Text& key) const {
    return !RestrictionActive() || !prefixMode_ || key.StartsWith(restrictionPrefix);
}

bool TBrowser::Accepted() {
    return VetaVyhovuje();
}

bool TBrowser::Walk(bool forward) {
    const bool filterEnd = RestrictionActive() && !prefixMode_;
    for (;;) {
        std::int32_t n = 0;
        Text key;
        const bool stepped =
            forward ? table->BtNextKey(currentKey_, n, key) : table->BtPrevKey(currentKey_, n, key);
        if (!stepped)
            return false;
        currentRecord = n;
        keyBuffer = key;
        if (!InRange(key))
            return false;
        if (Accepted())
            return true;
        // In filter-end mode the first record the filter rejects ends the range.
        if (filterEnd)
            return false;
    }
}

bool TBrowser::Krok(bool forward) {
    // The range begins at its first record, also in filter-end mode where keys below the
    // prefix may still be accepted.
    if (!forward && RestrictionActive() && !prefixMode_ && IsFirst(currentRecord))
        return false;
    const std::int32_t n = currentRecord;
    const Text key = keyBuffer;
    if (Walk(forward))
        return true;
    // The table stands at the start of its order (or past the range) now: back to the record
    // the step began at, so that the next step goes on from there.
    currentRecord = n;
    keyBuffer = key;
    PositionOn(n, key);
    return false;
}

bool TBrowser::PrvniVeta() {
    if (RestrictionActive()) {
        keyBuffer = restrictionPrefix;
        std::int32_t n = 0;
        if (!table->BtSearchKey(currentKey_, n, keyBuffer))
            return false;
        currentRecord = n;
        if (!InRange(keyBuffer))
            return false;
        if (Accepted())
            return true;
        return prefixMode_ && Walk(true);
    }
    table->BtClearKey(currentKey_);
    return Walk(true);
}

bool TBrowser::PosledniVeta() {
    if (!RestrictionActive()) {
        table->BtClearKey(currentKey_);
        return Walk(false);
    }
    const std::size_t keyLength = table->Keys()[currentKey_].length;
    if (!prefixMode_ && restrictionPrefix.size() >= keyLength) {
        // The prefix is the whole key: the range runs from its first record while the filter
        // accepts.
        if (!PrvniVeta())
            return false;
        while (Walk(true)) {
        }
        // The walk ended past the range: back to its last record.
        std::int32_t n = 0;
        Text key;
        table->BtPrevKey(currentKey_, n, key);
        currentRecord = n;
        keyBuffer = key;
        return true;
    }
    Text raised = Raised(restrictionPrefix);
    std::int32_t n = 0;
    if (raised.empty() || !table->BtSearchKey(currentKey_, n, raised))
        table->BtClearKey(currentKey_);
    // Back from the first key above the prefix to the last accepted record that begins with it.
    // Keys that sort above the prefix only by the collation (Č after C) are passed over.
    for (;;) {
        Text key;
        if (!table->BtPrevKey(currentKey_, n, key))
            return false;
        currentRecord = n;
        keyBuffer = key;
        if (prefixMode_ && !key.StartsWith(restrictionPrefix)) {
            if (!first_.valid)
                return false;
            continue;
        }
        if (Accepted())
            return true;
        if (IsFirst(n))
            return false;
    }
}

void TBrowser::UrciKrajniVety() {
    first_ = {};
    last_ = {};
    if (!PrvniVeta())
        return;
    first_ = {true, currentRecord, keyBuffer};
    if (PosledniVeta())
        last_ = {true, currentRecord, keyBuffer};
}

int TBrowser::SpocitejVety() {
    if (!PrvniVeta())
        return 0;
    int count = 1;
    while (count <= pageSize_ && Walk(true))
        ++count;
    return count;
}

// ---- Positions and rows ---------------------------------------------------------------------

bool TBrowser::PositionOn(std::int32_t n, const Text& key) {
    std::int32_t found = 0;
    if (key.empty() || !table->BtFindKey(currentKey_, found, key))
        return false;
    if (found != n && table->Keys()[currentKey_].duplicates) {
        // Among records sharing the key, the one with the number, when it still has the key.
        if (n <= 0 || !table->BtFindKey(0, found, IntToText(n)))
            return false;
        scratch_.assign(static_cast<std::size_t>(std::max(table->RecordLength(), 1)), std::byte{0});
        table->tSoubor::GetRec(n, scratch_.data());
        if (!SameKey(table->MakeKey(currentKey_, scratch_.data()), key,
                     table->Keys()[currentKey_].length))
            return false;
    }
    currentRecord = found;
    keyBuffer = key;
    return true;
}

Text TBrowser::KeyForm(const Text& typed) {
    // The layer's key conversion takes a text as stored: a length byte, then the characters.
    const Text text = typed.substr(0, 255);
    std::array<char, 256> buffer{};
    buffer[0] = static_cast<char>(text.size());
    std::memcpy(buffer.data() + 1, text.data(), text.size());
    return table->MakeKey(-1, buffer.data());
}

void TBrowser::PositionByKey(const Text& key) {
    keyBuffer = key;
    std::int32_t n = 0;
    if (!table->BtSearchKey(currentKey_, n, keyBuffer))
        return;
    currentRecord = n;
    if (!InRange(keyBuffer))
        return;
    if (!Accepted() && !Krok(true))
        return;
    BuildAround();
}

std::int32_t TBrowser::RowRecord(int row) const {
    if (row < 0 || row > rowsFilled_ || static_cast<std::size_t>(row) >= BufferOfHash.size())
        return 0;
    return BufferOfHash[static_cast<std::size_t>(row)];
}

const Text& TBrowser::RowKey(int row) const {
    static const Text kNone;
    if (row < 0 || static_cast<std::size_t>(row) >= rowKeys_.size())
        return kNone;
    return rowKeys_[static_cast<std::size_t>(row)];
}

void TBrowser::Uloz(int row) {
    UlozVetuDoRadku(row);
    if (static_cast<std::size_t>(row) < BufferOfHash.size())
        BufferOfHash[static_cast<std::size_t>(row)] = currentRecord;
    if (static_cast<std::size_t>(row) < rowKeys_.size())
        rowKeys_[static_cast<std::size_t>(row)] = keyBuffer;
}

void TBrowser::ShiftRows(bool down) {
    auto move = [this](int from, int to) {
        PresunRadek(from, to);
        BufferOfHash[static_cast<std::size_t>(to)] = BufferOfHash[static_cast<std::size_t>(from)];
        rowKeys_[static_cast<std::size_t>(to)] = rowKeys_[static_cast<std::size_t>(from)];
    };
    if (down) {
        for (int row = pageSize_; row >= 2; --row)
            move(row - 1, row);
    } else {
        for (int row = 1; row < pageSize_; ++row)
            move(row + 1, row);
    }
}

Text TBrowser::ShownRow(int row) {
    if (row < 1 || row > rowsFilled_)
        return {};
    return (RowMark(row) + TextRadku(row)).substr(static_cast<std::size_t>(offset_ - 1));
}

Text TBrowser::ShownHeader() const {
    return header_.substr(static_cast<std::size_t>(offset_ - 1));
}

// ---- Reading pages ----------------------------------------------------------------------

void TBrowser::NactiPrvniStranu() {
    currentRow_ = 1;
    // An empty range stays empty until the rows are counted again.
    if (rowsFilled_ < 1 && !firstRead_)
        return;
    firstRead_ = false;
    rowsFilled_ = 0;
    if (!PrvniVeta())
        return;
    first_ = {true, currentRecord, keyBuffer};
    Uloz(1);
    rowsFilled_ = FillForward(1);
}

int TBrowser::FillForward(int fromRow) {
    int row = fromRow;
    while (row < pageSize_ && Krok(true))
        Uloz(++row);
    return row;
}

void TBrowser::NactiStranu(bool forward) {
    if (forward)
        ReadPageFrom();
    else
        ReadPageEndingAt();
}

void TBrowser::ReadPageFrom() {
    const std::int32_t top = currentRecord;
    Uloz(1);
    rowsFilled_ = FillForward(1);
    // Too few records follow: the page ends with the last record instead.
    if (rowsFilled_ < pageSize_ && !IsFirst(top))
        ReadPageEndingAtLast();
}

void TBrowser::ReadPageEndingAt() {
    Uloz(pageSize_);
    int row = pageSize_;
    while (row > 1 && Krok(false))
        Uloz(--row);
    if (row > 1) {
        // Fewer records than a page: the first page.
        rowsFilled_ = 1;
        NactiPrvniStranu();
        return;
    }
    rowsFilled_ = pageSize_;
}

void TBrowser::ReadPageEndingAtLast() {
    if (!PosledniVeta()) {
        rowsFilled_ = 0;
        return;
    }
    last_ = {true, currentRecord, keyBuffer};
    ReadPageEndingAt();
}

void TBrowser::BuildAround() {
    const std::int32_t n = currentRecord;
    const Text key = keyBuffer;
    // The records before it, counted up to a page; those of the rows above the middle row are
    // stored on the way.
    const int middle = MiddleRow();
    Uloz(middle);
    int before = 0;
    while (before < pageSize_ && Krok(false)) {
        ++before;
        if (middle - before >= 1)
            Uloz(middle - before);
    }
    if (before < pageSize_ || !PositionOn(n, key)) {
        // Among the first page-size records of the range (or fewer than a page): the first page.
        rowsFilled_ = std::max(rowsFilled_, 1);
        NactiPrvniStranu();
        for (int row = 1; row <= rowsFilled_; ++row)
            if (RowRecord(row) == n)
                currentRow_ = row;
        return;
    }
    currentRow_ = middle;
    if (FillForward(middle) < pageSize_) {
        // Too few records follow: the page ends with the last record.
        ReadPageEndingAtLast();
        for (int row = 1; row <= rowsFilled_; ++row)
            if (RowRecord(row) == n)
                currentRow_ = row;
        return;
    }
    rowsFilled_ = pageSize_;
}

void TBrowser::Reposition(const Text& key, std::int32_t n, bool orFirst) {
    UrciKrajniVety();
    rowsFilled_ = SpocitejVety();
    currentRow_ = 1;
    if (rowsFilled_ == 0)
        return;
    if (key.empty()) {
        NactiPrvniStranu();
        return;
    }
    if (PositionOn(n, key) && InRange(keyBuffer) && Accepted()) {
        BuildAround();
        return;
    }
    // Gone or rejected: the next accepted record by the key without its blanks.
    keyBuffer = TrimRight(key);
    std::int32_t found = 0;
    if (table->BtSearchKey(currentKey_, found, keyBuffer)) {
        currentRecord = found;
        if (InRange(keyBuffer) && (Accepted() || Krok(true))) {
            BuildAround();
            return;
        }
    }
    if (orFirst ? PrvniVeta() : PosledniVeta())
        BuildAround();
    else
        NactiPrvniStranu();
}

// ---- Moves --------------------------------------------------------------------------------

bool TBrowser::PositionOnBorder(bool top) {
    if (PositionOnRow(top ? 1 : pageSize_))
        return true;
    // Another station deleted the record: the page from the start (end) of the range.
    UrciKrajniVety();
    if (top) {
        NactiPrvniStranu();
    } else {
        ReadPageEndingAtLast();
        currentRow_ = std::max(rowsFilled_, 1);
    }
    ui_.ShowError(top ? "Nebyla nalezena předcházející věta souboru!"_t
                      : "Nebyla nalezena následující věta souboru!"_t);
    return false;
}

int TBrowser::StepBy(int count, bool forward) {
    int moved = 0;
    while (moved < count && Krok(forward))
        ++moved;
    return moved;
}

void TBrowser::MoveUp() {
    if (currentRow_ > 1) {
        --currentRow_;
        return;
    }
    if (rowsFilled_ < pageSize_ || IsFirst(RowRecord(1)) || !PositionOnBorder(true))
        return;
    if (!Krok(false)) {
        first_ = {true, RowRecord(1), RowKey(1)};
        return;
    }
    ShiftRows(true);
    Uloz(1);
}

void TBrowser::MoveDown() {
    if (currentRow_ < rowsFilled_) {
        ++currentRow_;
        return;
    }
    if (rowsFilled_ < pageSize_ || IsLast(RowRecord(pageSize_)) || !PositionOnBorder(false))
        return;
    if (!Krok(true)) {
        last_ = {true, RowRecord(pageSize_), RowKey(pageSize_)};
        return;
    }
    ShiftRows(false);
    Uloz(pageSize_);
}

void TBrowser::PageUp() {
    // The cursor moves a page less one row up: the page scrolls back by the rows below it.
    const int back = rowsFilled_ < pageSize_ ? 0 : pageSize_ - currentRow_;
    currentRow_ = 1;
    if (back > 0 && !IsFirst(RowRecord(1)) && PositionOnBorder(true) && StepBy(back, false) > 0)
        ReadPageFrom();
}

void TBrowser::PageDown() {
    // The cursor moves a page less one row down: the page scrolls on by the rows above it.
    const int on = rowsFilled_ < pageSize_ ? 0 : currentRow_ - 1;
    currentRow_ = std::max(rowsFilled_, 1);
    if (on > 0 && !IsLast(RowRecord(pageSize_)) && PositionOnBorder(false) && StepBy(on, true) > 0)
        ReadPageEndingAt();
    currentRow_ = std::max(std::min(rowsFilled_, pageSize_), 1);
}

bool TBrowser::ZamkniVetuRadku(int row, std::int32_t& n, void* record) {
    n = RowRecord(row);
    if (!table || n == 0)
        return false;
    if (table->LockForEdit(n, record))
        return true;
    // The layer has said why (the record is gone, or another user holds it).
    Obnov();
    return false;
}

}  // namespace axo::ui

// What a listing uses while it collects its lines: the progress panel with STOP and the sort
// file, a temporary keyed table read back in key order.
#include "ui/TextListing.h"

#include <algorithm>

#include "storage/WorkFiles.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

/// The sort file: the fields of a record structure and one key computed from the record.
class SortTable : public storage::tSoubor {
  public:
    SortTable(const storage::DataContext& ctx, Text directory, Text fileName, int recordSize,
              storage::FieldList fields, SortKeyFunction key, int keyLength, bool duplicates)
        : tSoubor(ctx),
          directory_(std::move(directory)),
          fileName_(std::move(fileName)),
          recordSize_(recordSize),
          fields_(std::move(fields)),
          key_(std::move(key)),
          keyLength_(keyLength),
          duplicates_(duplicates) {}

    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override {
        fileName = fileName_;
        title = "Třídicí soubor sestavy"_t;
        keyCount = 1;
        keys[1] = {static_cast<std::uint8_t>(keyLength_), duplicates_, false};
        recordLength = recordSize_;
        SetDirectories(directory_, directory_);
        for (const storage::FieldDef& f : fields_)
            AddField(f.name, f.typeName);
    }

    Text MakeKey(int k, const void* buffer) override {
        if (k != 1)
            return tSoubor::MakeKey(k, buffer);
        return LeftJustify(key_(buffer), static_cast<std::size_t>(keyLength_));
    }

  private:
    Text directory_;
    Text fileName_;
    int recordSize_;
    storage::FieldList fields_;
    SortKeyFunction key_;
    int keyLength_;
    bool duplicates_;
};

}  // namespace

void TextListing::StartProgress(int maximum, int step) {
    progress_.reset();
    if (maximum <= 0)
        return;
    progress_ = std::make_unique<ProgressPanel>(Ui(), true, maximum, progressCaption, printoutName);
    progressStep_ = std::max(step, 1);
    progressCount_ = 0;
    stopped = false;
}

bool TextListing::ProgressStep() {
    if (!progress_)
        return false;
    ++progressCount_;
    // The panel is redrawn (and asked for STOP) only every step-th time, as long passes ask.
    if (progressCount_ % progressStep_ != 0 && !progress_->Aborted())
        return true;
    if (!progress_->StepTo(progressCount_)) {
        stopped = true;
        return false;
    }
    return true;
}

void TextListing::EndProgress() {
    progress_.reset();
}

bool TextListing::CreateSortFile(const Text& name, int recordSize, const storage::FieldList& fields,
                                 SortKeyFunction key, int keyLength, SortIndexOption option) {
    FreeSortFile();
    const storage::DataContext& ctx = *env_.data;
    std::filesystem::path path =
        name.empty() ? storage::RandomNotExistName(ctx, ctx.WorkDirectoryOrCurrent(), "WK"_t)
                     : ctx.WorkDirectoryOrCurrent() / storage::PathFromText(name);
    sortStem_ = path;
    auto table = std::make_unique<SortTable>(ctx, storage::TextFromPath(path.parent_path()),
                                             storage::TextFromPath(path.filename()), recordSize,
                                             fields, std::move(key), std::clamp(keyLength, 1, 255),
                                             option == SortIndexOption::Duplicates);
    // Mode 3: the table is made anew even when a file of that name was left behind.
    const bool opened = table->InitFile(3, storage::_NoWait) && table->Opened();
    sortFile_ = std::move(table);
    if (!opened)
        FreeSortFile();
    return opened;
}

bool TextListing::AddSortRecord(const void* record) {
    std::int32_t n = 0;
    return sortFile_ && sortFile_->AddRec(n, record);
}

void TextListing::RewindSort() {
    if (sortFile_)
        sortFile_->BtClearKey(1);
}

bool TextListing::NextSortRecord(void* record) {
    std::int32_t n = 0;
    Text key;
    return sortFile_ && sortFile_->BtNextKey(1, n, key) && sortFile_->GetRec(n, record);
}

void TextListing::FreeSortFile() {
    if (sortFile_) {
        if (sortFile_->Opened())
            sortFile_->DeleteFile();
        sortFile_.reset();
    }
    if (!sortStem_.empty())
        storage::DeleteTableFiles(sortStem_);
    sortStem_.clear();
}

}  // namespace axo::ui

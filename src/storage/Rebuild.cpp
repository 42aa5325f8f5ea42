// The index rebuild of a table.
#include "storage/Rebuild.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>

#include "storage/Errors.h"
#include "storage/WorkFiles.h"
#include "ui/ProgressPanel.h"
#include "util/Cisla.h"

namespace axo::storage {

namespace fs = std::filesystem;

namespace {

/// Repetitions of the copy after a transient engine failure.
constexpr int kRepetitions = 10;
/// Rows read from the moved data per query.
constexpr int kCopyBatch = 512;

fs::path SiblingTable(const fs::path& dataFile, const char* prefix, const Text& fileName) {
    return dataFile.parent_path() / PathFromText(Text::FromBytes(prefix) + fileName + ".DB"_t);
}

/// Makes a rename in the directory durable.
void SyncDirectory(const fs::path& directory) {
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

/// Gives the rebuilt table the owner, group and permissions of the table it replaces, so that a
/// rebuild by another user (the administrator) leaves a shared table usable by all who used
/// it. What the rebuilding user may not change stays as created.
void KeepOwnership(const fs::path& from, const fs::path& to, bool confidential) {
    struct stat old {};
    if (::stat(from.c_str(), &old) != 0)
        return;
    (void)::chown(to.c_str(), old.st_uid, old.st_gid);
    (void)::chown(to.c_str(), static_cast<uid_t>(-1), old.st_gid);
    (void)::chmod(to.c_str(), old.st_mode & (confidential ? 07770 : 07777));
}

void DeleteTable(Engine& engine, const fs::path& dataFile) {
    if (!engine.KeepsFiles()) {
        engine.Drop(dataFile);
        return;
    }
    fs::path stem = dataFile;
    stem.replace_extension();
    DeleteTableFiles(stem);
}

bool TableExists(Engine& engine, const fs::path& dataFile) {
    return engine.KeepsFiles() ? FileExists(dataFile) : engine.Exists(dataFile);
}

/// Gives a table another name; false when it cannot (the new name is taken).
bool MoveTable(Engine& engine, const fs::path& from, const fs::path& to) {
    return engine.KeepsFiles() ? RenameFileSafe(from, to) : engine.Rename(from, to);
}

/// What the copy needs to know of the file kind.
struct CopyPlan {
    tSoubor& file;
    const std::vector<FieldLayout>& layout;
    TableDef def;
    Text caption;
    bool showProgress;
};

/// Advances the rebuild's own progress panel and the one registered for the run.
class RebuildProgress {
  public:
    RebuildProgress(const DataContext& ctx, const CopyPlan& plan, std::int64_t count) {
        if (!ctx.ui || !plan.showProgress)
            return;
        const int maximum = static_cast<int>(count);
        own_ = std::make_unique<ui::ProgressPanel>(*ctx.ui, false, maximum, plan.caption, Text());
        run_ = ctx.ui->RunProgress();
        if (run_ && run_ != own_.get())
            run_->Restart(maximum);
    }
    void Step() {
        if (own_)
            own_->Step();
        if (run_ && run_ != own_.get())
            run_->Step();
    }

  private:
    std::unique_ptr<ui::ProgressPanel> own_;
    ui::ProgressPanel* run_ = nullptr;
};

/// Creates `target` anew and fills it from `source` in record-number order, renumbered from 1,
/// with the lock flags cleared and the keys built anew. All rows are committed at once.
void CopyTable(Engine& engine, const CopyPlan& plan, const fs::path& source,
               const fs::path& target) {
    DeleteTable(engine, target);
    engine.Create(target, plan.def);
    std::unique_ptr<EngineTable> to = engine.Open(target, true);
    std::unique_ptr<EngineTable> from = engine.Open(source, true);
    RebuildProgress progress(plan.file.Context(), plan, from->RecordCount());

    const int keyCount = plan.file.KeyCount();
    const int firstData = FirstDataColumn(keyCount);
    std::vector<std::byte> record(kRebuildRecordLimit);
    std::vector<Text> memo(plan.layout.size());
    std::int32_t next = 0;
    OrderPosition last;
    to->BeginWrites();
    for (bool more = true; more;) {
        const int rows =
            from->Scan(0, ScanDirection::Forward, next == 0 ? nullptr : &last, kCopyBatch,
                       [&](const RowReader& row) {
                           last.recordNumber = static_cast<std::int32_t>(row.Integer(0));
                           ReadRecord(row, firstData, plan.layout, record.data());
                           for (std::size_t i = 0; i < plan.layout.size(); ++i)
                               if (plan.layout[i].type == FieldType::AnsiString)
                                   memo[i] = row.GetText(firstData + static_cast<int>(i));
                           to->Insert(++next, [&](RowWriter& out) {
                               for (int k = 1; k <= keyCount; ++k)
                                   out.SetText(k, plan.file.MakeKey(k, record.data())
                                                      .substr(0, plan.file.Keys()[k].length)
                                                      .View());
                               WriteRecord(plan.layout, record.data(), firstData, out,
                                           [&memo](std::size_t i) { return memo[i]; });
                           });
                           progress.Step();
                       });
        more = rows == kCopyBatch;
    }
    to->CommitWrites();
}

/// Waits until no other user has the table open and keeps it so; nullopt when the user gave up.
std::optional<std::unique_ptr<TableReservation>> ReserveTable(const DataContext& ctx,
                                                              Engine& engine, const fs::path& d,
                                                              const Text& fileLine) {
    for (;;) {
        try {
            return engine.Reserve(d);
        } catch (const EngineError&) {
            if (!ctx.ui)
                return std::nullopt;
            ui::WaitWindow window{
                "Čekání na přístup - MOŽNO přerušit klávesou <Esc>"_t,
                "Čekám na přístup do souboru při jeho otevření (BtOpenFileBlock)."_t,
                "Jedná se o soubor ["_t + fileLine + "]."_t, true, kWaitWindowMs};
            if (ctx.ui->RunWait(window) == ui::WaitOutcome::Escaped)
                return std::nullopt;
        }
    }
}

}  // namespace

fs::path RebuildCopyPath(const tSoubor& file) {
    return SiblingTable(file.DataFilePath(), "!RE_", file.FileName());
}

bool RebuildIndexes(tSoubor& file, bool showProgress) {
    const DataContext& ctx = file.ctx_;
    const Text d = file.DataFileName();
    file.ResetStatus();
    if (file.recordLength_ > kRebuildRecordLimit) {
        if (ctx.ui)
            ctx.ui->ShowError(
                "Při rekonstrukci indexů souboru "_t + d,
                "došlo k přetečení pole pro čtení záznamu (příliš velká délka věty)"_t);
        file.SetStatus(0, {});
        return false;
    }
    const fs::path dataFile = file.DataFilePath();
    const fs::path moved = RebuildCopyPath(file);
    const fs::path building = SiblingTable(dataFile, "!RN_", file.FileName());
    Engine& engine = file.GetEngine();
    if (!TableExists(engine, dataFile) && !TableExists(engine, moved))
        return true;
    const Text label = "Rekonstrukce indexů"_t;
    if (!file.CheckDescription())
        return file.Fatal(label);

    auto reservation = ReserveTable(ctx, engine, dataFile, d);
    if (!reservation) {
        file.SetStatus(kErrOpenedElsewhere, {});
        return false;
    }
    CopyPlan plan{file, file.layout_,
                  DefineColumns(file.fields_, file.layout_, file.keyCount_, file.keys_),
                  "Rekonstrukce indexů "_t + d, showProgress};
    plan.def.confidential = file.Confidential();
    try {
        if (TableExists(engine, dataFile)) {
            // With the data file in place a copy left beside it is from a rebuild that finished
            // all but deleting it: the data file is the newer one.
            DeleteTable(engine, moved);
            engine.Settle(dataFile);
            if (!MoveTable(engine, dataFile, moved))
                throw EngineError(std::string(engine_text::kCannotAccessDirectory) +
                                  " (the table cannot be moved aside)");
        }
    } catch (const EngineError& e) {
        file.SetEngineFailure(e);
        return file.Fatal(label);
    }
    for (int repetition = 0;; ++repetition) {
        try {
            CopyTable(engine, plan, moved, building);
            break;
        } catch (const EngineError& e) {
            file.SetEngineFailure(e);
            if (repetition >= kRepetitions || !IsTransientOpenFailure(file.ErrorText(), true))
                return file.Fatal(label);
            file.AnnounceRetry("Došlo k problému při zakládání souboru"_t);
        }
    }
    KeepOwnership(moved, building, plan.def.confidential);
    // The new table takes the data file's name in one step; only then do the moved data go.
    bool renamed = false;
    try {
        renamed = engine.KeepsFiles() ? std::rename(building.c_str(), dataFile.c_str()) == 0
                                      : engine.Rename(building, dataFile);
    } catch (const EngineError&) {
    }
    if (!renamed) {
        file.SetStatus(kErrEngine, Text::FromBytes(engine_text::kCannotAccessDirectory));
        return file.Fatal(label);
    }
    SyncDirectory(dataFile.parent_path());
    DeleteTable(engine, building);
    DeleteTable(engine, moved);
    file.ResetStatus();
    return true;
}

}  // namespace axo::storage

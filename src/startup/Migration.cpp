// Moving an installation's tables between the engines.
#include "startup/Migration.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "startup/EngineChoice.h"
#include "storage/PgEngine.h"
#include "storage/SqliteEngine.h"
#include "storage/WorkFiles.h"
#include "ui/ProgressPanel.h"
#include "ui/Screen.h"
#include "util/AtomicFile.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::startup {

namespace fs = std::filesystem;
using namespace axo::storage;

namespace {

constexpr int kBatch = 2000;

/// The table files of an installation: every ".DB" below its home but what rebuilds and
/// imports leave aside ("!..." files and directories) and the work directory.
std::vector<fs::path> TableFilesBelow(const fs::path& home) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(home, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (it->is_directory(ec)) {
            if (name.front() == '!' || (it.depth() == 0 && name == "temp"))
                it.disable_recursion_pending();
            continue;
        }
        if (it->path().extension() == ".DB" && name.front() != '!' && it->is_regular_file(ec))
            files.push_back(it->path());
    }
    return files;
}

/// AXO.CFG with the engine keys of the target (none for SQLite) instead of the old ones.
bool RewriteConfig(const fs::path& home, const MigrationRequest& request) {
    const fs::path file = home / "AXO.CFG";
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    AtomicFile out;
    if (!out.Create(file))
        return false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        const std::string line = bytes.substr(start, end - start);
        const Text key = NationalUpperCase(Trim(Text::FromBytes(line.substr(0, line.find('=')))));
        if (key != Text::FromBytes(kEngineKey) && key != Text::FromBytes(kConnectionKey))
            out.Write(line);
        start = end;
    }
    if (!bytes.empty() && bytes.back() != '\n')
        out.Write("\r\n");
    if (request.toPostgresql) {
        out.Line(std::string(kEngineKey) + "=" + kPostgresqlName);
        out.Line(std::string(kConnectionKey) + "=" + request.connection);
    }
    return out.Commit();
}

}  // namespace

long long CopyTable(EngineTable& from, Engine& target, const fs::path& file, const TableDef& def,
                    ui::ProgressPanel* progress, long long& done) {
    target.Create(file, def);
    std::unique_ptr<EngineTable> to = target.Open(file, true);
    to->BeginWrites();
    OrderPosition last;
    bool first = true;
    long long copied = 0;
    for (bool more = true; more;) {
        const int rows = from.Scan(
            0, ScanDirection::Forward, first ? nullptr : &last, kBatch, [&](const RowReader& row) {
                last.recordNumber = static_cast<std::int32_t>(row.Integer(0));
                to->Insert(last.recordNumber, [&](RowWriter& out) {
                    for (std::size_t c = 1; c < def.columns.size(); ++c) {
                        const int i = static_cast<int>(c);
                        if (row.IsNull(i)) {
                            out.SetNull(i);
                            continue;
                        }
                        switch (def.columns[c].kind) {
                            case ColumnKind::LockFlag:
                            case ColumnKind::RecordNumber:
                                break;  // the number is the insert's; lock flags start clear
                            case ColumnKind::SmallInt:
                            case ColumnKind::Integer:
                            case ColumnKind::Boolean:
                                out.SetInteger(i, row.Integer(i));
                                break;
                            case ColumnKind::Float:
                                out.SetReal(i, row.Real(i));
                                break;
                            case ColumnKind::Key:
                            case ColumnKind::String:
                            case ColumnKind::Memo:
                                out.SetText(i, row.GetText(i).View());
                                break;
                        }
                    }
                });
                ++copied;
                if (progress && ++done % 1000 == 0)
                    progress->StepTo(static_cast<int>(done / 1000));
            });
        first = false;
        more = rows == kBatch;
    }
    to->CommitWrites();
    if (to->RecordCount() != from.RecordCount())
        throw EngineError("the copy of " + file.string() + " has " +
                          std::to_string(to->RecordCount()) + " records instead of " +
                          std::to_string(from.RecordCount()));
    return copied;
}

bool MigrateInstallation(const MigrationRequest& request, ui::UiServices& ui, const Clock&,
                         MigrationResult& result) {
    result = {};
    const fs::path home = fs::absolute(request.home).lexically_normal();
    Text problem;
    const std::shared_ptr<Engine> current =
        ConfiguredEngine(ConfigFile::Read(home / "AXO.CFG"), home, problem);
    if (!problem.empty()) {
        ui.ShowErrorLine(problem);
        return false;
    }
    if (static_cast<bool>(current) == request.toPostgresql) {
        ui.ShowErrorLine(request.toPostgresql
                             ? "Tabulky instalace již jsou na databázovém serveru."_t
                             : "Tabulky instalace již jsou v souborech SQLite."_t);
        return false;
    }
    if (const Text refusal = CheckConnection(request.connection); !refusal.empty()) {
        ui.ShowErrorLine(refusal);
        return false;
    }
    const PgOptions server{request.connection, home};
    const std::shared_ptr<Engine> source = current ? current : MakeSqliteEngine();
    const std::shared_ptr<Engine> target =
        request.toPostgresql ? MakePgEngine(server) : MakeSqliteEngine();
    std::vector<fs::path> files;
    std::vector<fs::path> made;
    try {
        files = request.toPostgresql ? TableFilesBelow(home) : PgTables(server);
        for (const fs::path& file : files)
            if (target->Exists(file)) {
                ui.ShowErrorLine("Cílová tabulka "_t + TextFromPath(file) +
                                 " již existuje: přesun by ji přepsal."_t);
                return false;
            }
        // The program installation held exclusively keeps every program out meanwhile.
        std::unique_ptr<EngineTable> program = source->Open(home / "AXO.DB", true);
        long long total = 0;
        for (const fs::path& file : files) {
            if (file == home / "AXO.DB")
                total += program->RecordCount();
            else
                total += source->Open(file, true)->RecordCount();
        }
        ui::ProgressPanel progress(ui, false, static_cast<int>(total / 1000) + 1,
                                   "Přesun tabulek instalace"_t, TextFromPath(home));
        long long done = 0;
        for (const fs::path& file : files) {
            const TableDef def =
                request.toPostgresql ? SqliteDefinition(file) : PgDefinition(server, file);
            std::unique_ptr<EngineTable> own;
            if (file != home / "AXO.DB")
                own = source->Open(file, true);
            EngineTable& from = own ? *own : *program;
            made.push_back(file);
            result.records += CopyTable(from, *target, file, def, &progress, done);
            ++result.tables;
        }
    } catch (const EngineError& e) {
        for (const fs::path& file : made) {
            try {
                target->Drop(file);
            } catch (...) {
            }
        }
        ui.ShowErrorLine("Přesun tabulek se nezdařil, instalace zůstává, jak byla:"_t +
                         Text(1, ui::kLineBreakMark) + FromUtf8(e.what()));
        result = {};
        return false;
    }
    if (!RewriteConfig(home, request)) {
        for (const fs::path& file : made)
            target->Drop(file);
        ui.ShowErrorLine("Konfigurační soubor AXO.CFG nelze přepsat; přesun je vrácen."_t);
        result = {};
        return false;
    }
    result.done = true;
    return true;
}

}  // namespace axo::startup

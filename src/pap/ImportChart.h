// Importing a chart of accounts from a CSV file (see ImportCsv.h): columns "su", "ae", "nazev",
// "povaha" (the nature letter), "cinnost" (kind of activity), "stat_anal", and optionally "mena"
// and "saldo" (0 or 1). New accounts are added, listed accounts that exist are changed, the
// others stay. All or nothing: a bad row changes nothing.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "pap/ImportCsv.h"
#include "pap/PapFiles.h"
#include "storage/DataContext.h"
#include "ui/UiServices.h"

namespace axo::pap {

/// One account of an import.
struct ChartAccount {
    int line = 0;  ///< the file line, for messages
    Word su = 0;
    Word ae = 0;
    Text name;
    char nature = 'A';
    Byte activity = 0;
    Text statAnal;
    std::optional<Text> currency;  ///< unset: an existing account keeps its own
    std::optional<bool> openItem;  ///< unset: an existing account keeps its own
};

struct ChartImportResult {
    bool done = false;
    int added = 0;
    int changed = 0;
};

/// The accounts of a CSV file, checked: number ranges, text lengths, the nature letters, the
/// activity 0-2, no account twice. Problems go to `errors` with their lines.
std::vector<ChartAccount> ReadChartCsv(const std::filesystem::path& file,
                                       std::vector<ImportError>& errors);

/// Writes the accounts into the chart of `where`, which is opened exclusively (created when
/// missing) and replaced as a whole by a staged copy. An account's analytics, name, nature,
/// activity and (when given) currency and open-item flag are set; when its analytics changes,
/// its PAP duties and statement flags are cleared, to be filled from the code list again. False,
/// after "Účtový rozvrh nelze EXCLUSIVNĚ otevřít!", when the chart is in use. `afterStagedWrite`
/// is called after every write into the staged chart (tests make a write fail there).
bool WriteChartAccounts(const PapLocation& where, const storage::DataContext& ctx,
                        ui::UiServices& ui, const std::vector<ChartAccount>& accounts,
                        ChartImportResult& result,
                        const std::function<void(int)>& afterStagedWrite = {});

/// Reads, checks and writes a chart file; a file with errors shows them all in one message and
/// changes nothing. Shows "HOTOVO!" at the end.
ChartImportResult ImportChart(const PapLocation& where, const storage::DataContext& ctx,
                              ui::UiServices& ui, const std::filesystem::path& file);

}  // namespace axo::pap

// Importing booked document lines: writing the documents into staged copies of the document
// tables and putting them in place.
#include <map>
#include <memory>
#include <set>

#include "pap/CodeListImport.h"
#include "pap/ImportJournal.h"
#include "pap/TableSwap.h"
#include "ui/ProgressPanel.h"
#include "util/Cisla.h"
#include "util/Clock.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

/// Opens the header and the line table exclusively (created when missing); with `askRetry` the
/// user may try again while another user holds them.
bool OpenExclusive(ui::UiServices& ui, tFileUDHL& headers, tFileUDPO& lines, bool askRetry) {
    for (;;) {
        if (headers.InitFile(5, storage::_NoWait)) {
            if (lines.InitFile(5, storage::_NoWait))
                return true;
            headers.CloseFile();
        }
        const Text question = "Soubory účetních dokladů nelze otevřít pro exkluzivní přístup."_t;
        if (!askRetry) {
            ui.ShowError(question);
            return false;
        }
        if (!ui.YesNo(question, "~P~okusit se o nové otevření"_t, "<~Esc~>zpět"_t, 1))
            return false;
    }
}

/// The sums of a document's lines.
struct Totals {
    double md = 0;
    double dal = 0;
    int lines = 0;

    void Add(const tVetaUDPO& u) {
        md = Round(md + u.MA_DATI, 2);
        dal = Round(dal + u.DAL, 2);
        ++lines;
    }
};

/// What the import does to the documents already in the tables.
struct ExistingDocuments {
    std::map<Text, const JournalDocument*> imported;  ///< by document key
    std::set<Text> replaced;                          ///< keys of documents found in the tables
    /// Without replace: the lines the tables keep of imported documents of the same state.
    std::map<Text, Totals> kept;
};

/// Lines already in the table that the import would repeat (without replace), as errors; the
/// totals of the lines it keeps of the imported documents.
void CheckExisting(tFileUDPO& lines, ExistingDocuments& docs, bool replace,
                   std::vector<ImportError>& errors) {
    std::map<Text, int> importedLines;  // document key + line number -> file line
    for (const auto& [key, doc] : docs.imported)
        for (const JournalLine& l : doc->lines)
            importedLines.emplace(key + KeyNumber(l.record.RADEK, 5), l.line);
    tVetaUDPO u;
    for (std::int32_t n : RecordNumbers(lines)) {
        lines.GetRec(n, &u);
        const Text key = DocumentKey(u.IDENTIFIKACE);
        const auto doc = docs.imported.find(key);
        if (doc == docs.imported.end())
            continue;
        docs.replaced.insert(key);
        if (!replace && doc->second->header.PRIZNAK == u.PRIZNAK)
            docs.kept[key].Add(u);
        const auto it = importedLines.find(key + KeyNumber(u.RADEK, 5));
        if (!replace && it != importedLines.end())
            errors.push_back({it->second, "doklad \""_t + TrimRight(u.IDENTIFIKACE) +
                                              "\" řádek "_t + IntToText(u.RADEK) +
                                              " už v účetnictví je"_t});
    }
}

/// The imported documents whose debit and credit sides differ after the import.
std::vector<UnbalancedDocument> Unbalanced(const std::vector<JournalDocument>& documents,
                                           const ExistingDocuments& docs) {
    std::vector<UnbalancedDocument> unbalanced;
    for (const JournalDocument& d : documents) {
        const auto kept = docs.kept.find(DocumentKey(d.header.IDENTIFIKACE));
        Totals t = kept == docs.kept.end() ? Totals() : kept->second;
        for (const JournalLine& l : d.lines)
            t.Add(l.record);
        if (Round(t.md - t.dal, 2) != 0)
            unbalanced.push_back(
                {TrimRight(d.header.IDENTIFIKACE), d.lines.front().line, t.lines, t.md, t.dal});
    }
    return unbalanced;
}

/// Writes into the staged tables, counting the writes for the test hook.
class StagedWriter {
  public:
    StagedWriter(tFileUDHL& headers, tFileUDPO& lines, const JournalImportOptions& o,
                 ui::ProgressPanel& progress)
        : headers_(headers), lines_(lines), options_(o), progress_(progress) {}

    void Header(const tVetaUDHL& h) { Add(headers_, &h); }
    void Line(const tVetaUDPO& u) { Add(lines_, &u); }

  private:
    void Add(storage::tSoubor& table, const void* record) {
        std::int32_t n = 0;
        table.AddRec(n, record);
        ++writes_;
        if (options_.afterStagedWrite)
            options_.afterStagedWrite(writes_);
        progress_.Step();
    }

    tFileUDHL& headers_;
    tFileUDPO& lines_;
    const JournalImportOptions& options_;
    ui::ProgressPanel& progress_;
    int writes_ = 0;
};

void AddTotals(tVetaUDHL& header, const JournalDocument& doc) {
    header.POCET_RADKU += static_cast<LongInt>(doc.lines.size());
    for (const JournalLine& l : doc.lines) {
        header.CELKEM_MD = Round(header.CELKEM_MD + l.record.MA_DATI, 2);
        header.CELKEM_DAL = Round(header.CELKEM_DAL + l.record.DAL, 2);
    }
}

/// The headers: the kept ones copied (an imported document's lines added to its own header of
/// the same state), then the new ones.
void StageHeaders(tFileUDHL& from, StagedWriter& to, const ExistingDocuments& docs,
                  const std::vector<JournalDocument>& documents, bool replace, const Clock& clock) {
    std::set<const JournalDocument*> merged;
    tVetaUDHL h;
    for (std::int32_t n : RecordNumbers(from)) {
        from.GetRec(n, &h);
        const auto it = docs.imported.find(DocumentKey(h.IDENTIFIKACE));
        if (it != docs.imported.end()) {
            if (replace)
                continue;
            if (it->second->header.PRIZNAK == h.PRIZNAK && merged.insert(it->second).second)
                AddTotals(h, *it->second);
        }
        to.Header(h);
    }
    for (const JournalDocument& d : documents) {
        if (merged.count(&d))
            continue;
        tVetaUDHL header = d.header;
        header.POCET_RADKU = 0;
        header.CELKEM_MD = header.CELKEM_DAL = 0;
        AddTotals(header, d);
        // The moment of booking, as the bookkeeping stamps its documents.
        if (header.OKAMZIK_DATE.Get().empty()) {
            header.OKAMZIK_DATE = TodayText(clock);
            header.OKAMZIK_TIME = TimeText(4, clock);
        }
        to.Header(header);
    }
}

void StageLines(tFileUDPO& from, StagedWriter& to, const ExistingDocuments& docs,
                const std::vector<JournalDocument>& documents, bool replace) {
    tVetaUDPO u;
    for (std::int32_t n : RecordNumbers(from)) {
        from.GetRec(n, &u);
        if (replace && docs.imported.count(DocumentKey(u.IDENTIFIKACE)))
            continue;
        to.Line(u);
    }
    for (const JournalDocument& d : documents)
        for (const JournalLine& l : d.lines)
            to.Line(l.record);
}

/// Builds the staged tables and puts them in place; false when the swap failed.
bool StageAndSwap(const PapLocation& where, const storage::DataContext& ctx, ui::UiServices& ui,
                  tFileUDHL& headers, tFileUDPO& lines, const ExistingDocuments& docs,
                  const std::vector<JournalDocument>& documents, const JournalImportOptions& o) {
    std::unique_ptr<TableSwap> swap = MakeTableSwap(ui, where.dataDirectory, lines.FileName(), ctx);
    if (!swap)
        return false;
    PapLocation staging = where;
    staging.dataDirectory = swap->Directory();
    tFileUDHL stagedHeaders(swap->Context(), staging);
    tFileUDPO stagedLines(swap->Context(), staging);
    stagedHeaders.InitFile(6, storage::_NoWait);
    stagedLines.InitFile(6, storage::_NoWait);
    stagedHeaders.BtLockFileBlock(storage::_NoWait);
    stagedLines.BtLockFileBlock(storage::_NoWait);
    {
        std::size_t count = 0;
        for (const JournalDocument& d : documents)
            count += d.lines.size() + 1;
        ui::ProgressPanel progress(
            ui, false, headers.BtUsedRecs() + lines.BtUsedRecs() + static_cast<int>(count),
            "import účetních dokladů"_t, lines.FileName());
        StagedWriter writer(stagedHeaders, stagedLines, o, progress);
        StageHeaders(headers, writer, docs, documents, o.replace,
                     ctx.clock ? *ctx.clock : SystemClock());
        StageLines(lines, writer, docs, documents, o.replace);
    }
    stagedHeaders.Unlock();
    stagedLines.Unlock();
    stagedHeaders.CloseFile();
    stagedLines.CloseFile();
    // Headers first: a run cut off between the two renames leaves at worst headers whose lines
    // are missing, which no statement reads, and the import can simply be repeated.
    return swap->Commit({{stagedHeaders.DataFilePath(), headers.DataFilePath()},
                         {stagedLines.DataFilePath(), lines.DataFilePath()}});
}

}  // namespace

bool WriteJournal(const PapLocation& where, const storage::DataContext& ctx, ui::UiServices& ui,
                  std::vector<JournalDocument> documents, const JournalImportOptions& options,
                  JournalImportResult& result, std::vector<ImportError>& errors) {
    tFileUDHL headers(ctx, where);
    tFileUDPO lines(ctx, where);
    if (!OpenExclusive(ui, headers, lines, options.askRetry))
        return false;
    ExistingDocuments docs;
    for (const JournalDocument& d : documents)
        docs.imported.emplace(DocumentKey(d.header.IDENTIFIKACE), &d);
    CheckExisting(lines, docs, options.replace, errors);
    std::vector<UnbalancedDocument> unbalanced = Unbalanced(documents, docs);
    if (options.strict)
        for (const UnbalancedDocument& u : unbalanced)
            errors.push_back({u.line, "doklad \""_t + u.identification + "\" není vyvážený: MD "_t +
                                          Trim(AmountText(u.md, 0, 2)) + ", DAL "_t +
                                          Trim(AmountText(u.dal, 0, 2))});
    bool swapped = false;
    if (errors.empty())
        swapped = StageAndSwap(where, ctx, ui, headers, lines, docs, documents, options);
    lines.CloseFile();
    headers.CloseFile();
    if (!errors.empty())
        return false;
    if (!swapped) {
        ui.ShowError("Soubory účetních dokladů nelze nahradit importovanými daty."_t,
                     "\rÚčetní doklady nebyly změněny."_t);
        return false;
    }
    result.documents = static_cast<int>(documents.size());
    for (const JournalDocument& d : documents)
        result.lines += static_cast<int>(d.lines.size());
    result.replacedDocuments = options.replace ? static_cast<int>(docs.replaced.size()) : 0;
    result.unbalanced = std::move(unbalanced);
    return true;
}

}  // namespace axo::pap

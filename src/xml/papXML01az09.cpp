// The summary of parts I-IX and the batch run. The fragments are read and checked first (each
// well-formed, all of one period); the summary is checked whole and written through a temporary
// file, and the fragments are consumed only after it is in place, so that a failure never costs
// the user the fragments of a batch run.
#include "xml/papXML01az09.h"

#include <algorithm>
#include <functional>

#include "pap/KontrolniVazby.h"
#include "pap/StatementTitles.h"
#include "pap/Statements.h"
#include "storage/WorkFiles.h"
#include "util/AtomicFile.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Lines.h"
#include "util/Retezce.h"
#include "xml/papXMLBatchProtocols.h"

namespace axo::xml {

namespace {

namespace fs = std::filesystem;

fs::path FragmentPath(const fs::path& directory, int part) {
    return directory / std::string(FindPart(part)->fileName);
}

void ShowCombineFailure(ui::UiServices& ui) {
    ui.ShowErrorLine("Chyba při sehrávání výkazů!"_t + ui::kLineBreakMark + ui::kLineBreakMark +
                     "Vygenerujte výkazy znovu a pokuste se o jejich opětovné sehrání."_t);
}

/// A fragment read for the summary: its file name, the period of its first line and the lines
/// that go into the summary.
struct Fragment {
    Text name;
    std::optional<FragmentPeriod> period;
    std::vector<std::string> lines;
};

/// Reads and checks a fragment; none after showing why it cannot be used.
std::optional<Fragment> ReadFragment(ui::UiServices& ui, const fs::path& file) {
    Fragment fragment{FromUtf8(file.filename().string()), {}, {}};
    std::string bytes;
    const ReadResult read = ReadWholeFile(file, bytes);
    if (read.error != 0 && !read.opened) {
        ui.ShowErrorLine("Chyba číslo "_t + IntToText(read.error) +
                         " při otevírání vstupního souboru <"_t + fragment.name + ">."_t +
                         ui::kLineBreakMark + "Funkce končí!"_t);
        ShowCombineFailure(ui);
        return std::nullopt;
    }
    if (read.error != 0) {
        ui.ShowErrorLine("Chyba při čtení vstupního souboru."_t + ui::kLineBreakMark +
                         "Funkce končí!"_t);
        ShowCombineFailure(ui);
        return std::nullopt;
    }
    if (const std::optional<XmlProblem> problem = CheckXml(bytes, XmlKind::Fragment)) {
        ui.ShowErrorLine(DescribeXmlProblem(fragment.name, *problem) + ui::kLineBreakMark +
                         "Souhrn nebude vytvořen!"_t);
        ShowCombineFailure(ui);
        return std::nullopt;
    }
    fragment.lines = SplitLines(bytes);
    if (!fragment.lines.empty())
        fragment.period = ParseFragmentPeriod(fragment.lines.front());
    if (fragment.period)
        fragment.lines.erase(fragment.lines.begin());
    return fragment;
}

/// Whether the fragments were all compiled for one period of the fiscal year; false after
/// naming each fragment with its period.
bool OnePeriod(ui::UiServices& ui, const std::vector<Fragment>& fragments, int fiscalYear) {
    const std::optional<FragmentPeriod>& first = fragments.front().period;
    const bool same = std::all_of(fragments.begin(), fragments.end(), [&](const Fragment& f) {
        return f.period && f.period == first && f.period->year == fiscalYear;
    });
    if (same)
        return true;
    Text message = "Výkazy pro souhrn nejsou sestaveny za jedno období účetního roku "_t +
                   IntToTextZeros(fiscalYear, 4) + ":"_t;
    for (const Fragment& f : fragments)
        message += ui::kLineBreakMark + f.name + " - "_t +
                   (f.period ? PeriodText(*f.period) : "období neuvedeno"_t);
    ui.ShowErrorLine(message + ui::kLineBreakMark + "Souhrn nebude vytvořen!"_t);
    ShowCombineFailure(ui);
    return false;
}

/// The summary's lines up to the comment: envelope, body opening and header.
void WriteSummaryHead(const XmlExportContext& ctx, XmlLines& out, const TransferIds& ids,
                      const XmlExportParams& p) {
    const PartFile& summary = *FindPart(0);
    WriteEnvelopeHead(out, summary.recordType, p, ids, IsoStampUtc(*ctx.data->clock).Bytes());
    WriteBodyOpening(out, summary);
    WriteStatementHeader(out, p,
                         {IsoDate(*ctx.data->clock).Bytes(), StatementDateIso(p.statementDate)});
    out.Line(std::string(5, '\t') + "<Komentar>" + XmlText("Komentář k PAPu"_t) + "</Komentar>");
}

/// Parts I to `count` in batch mode with the block of the batch run, accumulated in one pass
/// over the document lines; `count` when none fails, else the number of the first that does
/// not compile to its end.
class BatchParts {
  public:
    BatchParts(pap::StatementContext& statements, int count, const XmlExportParams& params)
        : set_(statements) {
        for (int cislo = 1; cislo <= count; ++cislo)
            if (!set_.Pridej(cislo,
                             {Trim(pap::StatementCaption(cislo)), {}, nullptr, &params, true}))
                break;
        accumulated_ = static_cast<int>(set_.Pocet()) == count && set_.Kumuluj();
    }
    /// Outputs part `cislo` (in order from 1); false when it did not compile to its end.
    bool Compile(int cislo) {
        Text result;
        return accumulated_ && set_.Dokonci(static_cast<std::size_t>(cislo - 1), result);
    }

  private:
    pap::SadaVykazu set_;
    bool accumulated_ = false;
};

/// Keeps the statements' XML hook on this export for the batch run and gives the old one back.
class BatchHook {
  public:
    BatchHook(pap::StatementContext& statements, const XmlExportContext& ctx,
              std::function<void(const fs::path&)> written)
        : statements_(statements), saved_(statements.exportXml) {
        ConnectXmlExport(statements, ctx, std::move(written));
    }
    ~BatchHook() { statements_.exportXml = saved_; }
    BatchHook(const BatchHook&) = delete;
    BatchHook& operator=(const BatchHook&) = delete;

  private:
    pap::StatementContext& statements_;
    decltype(pap::StatementContext::exportXml) saved_;
};

/// The process name of the batch run in the status bar while it runs.
class ProcessName {
  public:
    ProcessName(ui::UiServices& ui, const Text& name) : ui_(ui) { ui_.PushProcess(name); }
    ~ProcessName() { ui_.PopProcess(); }
    ProcessName(const ProcessName&) = delete;
    ProcessName& operator=(const ProcessName&) = delete;

  private:
    ui::UiServices& ui_;
};

}  // namespace

int SummaryPartCount(int fiscalYear) {
    return fiscalYear > 2021 ? 8 : 9;
}

std::optional<fs::path> BuildSummaryXml(const XmlExportContext& ctx, const TransferIds& givenIds,
                                        const XmlExportParams& givenParams, bool batch) {
    ui::UiServices& ui = ctx.Ui();
    XmlExportParams params = givenParams;
    TransferIds ids = givenIds;
    if (!batch && !EditExportParams(ctx, kRecordSummary, params, ids)) {
        ui.ShowInfo(
            "Nebyly zadány parametry pro sestavení souboru pro CSÚIS. Soubor nebude vytvořen!"_t);
        return std::nullopt;
    }
    const fs::path directory = storage::PathFromText(params.targetDirectory);
    const int count = SummaryPartCount(ctx.fiscalYear);
    for (int i = 1; i <= count; ++i) {
        std::error_code ec;
        if (!fs::exists(FragmentPath(directory, i), ec)) {
            ui.ShowErrorLine("Na zadané cestě neexistuje výkaz "_t + "PAP_Cast"_t + IntToText(i) +
                             ".xml"_t + ". Soubor nebude vytvořen!"_t);
            return std::nullopt;
        }
    }
    std::vector<Fragment> fragments;
    for (int i = 1; i <= count; ++i) {
        std::optional<Fragment> fragment = ReadFragment(ui, FragmentPath(directory, i));
        if (!fragment)
            return std::nullopt;
        fragments.push_back(std::move(*fragment));
    }
    if (!OnePeriod(ui, fragments, ctx.fiscalYear))
        return std::nullopt;
    const fs::path target = directory / std::string(FindPart(0)->fileName);
    if (!AskOverwrite(ui, target))
        return std::nullopt;
    XmlLines out;
    WriteSummaryHead(ctx, out, ids, params);
    for (const Fragment& fragment : fragments)
        for (const std::string& line : fragment.lines)
            out.Line(line);
    out.Line(std::string(4, '\t') + "</VykazPAPSouhrn>");
    WriteEnvelopeTail(out);
    if (!SaveXml(ui, target, out, XmlKind::Message))
        return std::nullopt;
    for (int i = 1; i <= count; ++i)
        storage::DeleteFileQuiet(FragmentPath(directory, i));
    ShowSaved(ui, target, params.targetDirectory);
    return target;
}

std::optional<fs::path> BatchSummaryXml(const XmlExportContext& ctx,
                                        pap::StatementContext& statements) {
    ProcessName process(ctx.Ui(), "Zpracování výkazů I až IX do XML"_t);
    XmlExportParams params{};
    TransferIds ids;
    if (!EditExportParams(ctx, kRecordBatch, params, ids))
        return std::nullopt;
    // The amounts the fragments do not carry are listed once, after the summary.
    std::vector<UntransmittedAmount> untransmitted;
    XmlExportContext batchCtx = ctx;
    batchCtx.untransmitted = &untransmitted;
    // The statements' error protocols are counted and offered at the end.
    BatchProtocols protocols(statements);
    std::vector<fs::path> written;
    BatchHook hook(statements, batchCtx,
                   [&written](const fs::path& path) { written.push_back(path); });
    BatchParts parts(statements, SummaryPartCount(ctx.fiscalYear), params);
    for (int i = 1; i <= SummaryPartCount(ctx.fiscalYear); ++i) {
        const std::size_t before = written.size();
        // A part that fails must not let the summary take an older fragment in its place.
        if (!parts.Compile(i) || written.size() == before) {
            for (const fs::path& path : written)
                storage::DeleteFileQuiet(path);
            ctx.Ui().ShowErrorLine("Výkaz "_t + Trim(RomanNumeral(i)) +
                                   ". nebyl sestaven a uložen do XML."_t + ui::kLineBreakMark +
                                   "Zpracování výkazů I až IX končí, souhrn nebude vytvořen a "
                                   "soubory výkazů z tohoto zpracování byly odstraněny."_t);
            return std::nullopt;
        }
    }
    std::optional<fs::path> summary = BuildSummaryXml(ctx, ids, params, true);
    if (summary) {
        const Text date = params.statementDate;
        const FragmentPeriod period{1, static_cast<int>(TextToInt(Trim(date.substr(3, 2)))),
                                    static_cast<int>(TextToInt(Trim(date.substr(6, 4))))};
        ShowUntransmitted(ctx, untransmitted, period, "Zpracování výkazů I až IX do XML"_t);
        protocols.Report(ctx);
    }
    // What the central system would find between the parts, before the files go out.
    if (summary)
        pap::KontrolaVazeb(
            statements, 1,
            static_cast<int>(TextToInt(Trim(params.statementDate.Get().substr(3, 2)))));
    return summary;
}

}  // namespace axo::xml

// The export of one part: which part and record type, the parameters, the overwrite question,
// the file written whole through a temporary file, and the messages on the way.
#include <cerrno>

#include "util/AtomicFile.h"

#include "pap/StatementTitles.h"
#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"
#include "xml/papXML.h"
#include "xml/papXML01az09.h"
#include "xml/papXML_2013.h"
#include "xml/papXML_2014.h"

namespace axo::xml {

namespace {

namespace fs = std::filesystem;

/// The part of an export: given (14, 17) or named by the first record; none when this
/// methodology does not know it.
const PartFile* KnownPart(int number, bool fromResult, bool od2014) {
    const bool known = (number >= 1 && number <= 13 && fromResult) ||
                       (od2014 && (number == 15 || number == 16) && fromResult) ||
                       (od2014 && (number == 14 || number == 17) && !fromResult);
    return known ? FindPart(number) : nullptr;
}

/// What the part's refusal message calls it: the result's caption, else the part's own.
Text PartName(const Rows& rows, int number) {
    if (!rows.empty())
        return rows.front().NazevVykazu.Get();
    return Trim(pap::StatementCaption(number));
}

/// The part file to write, after the refusals that stop an export.
const PartFile* ChoosePart(const XmlExportContext& ctx, const Rows& rows, int given) {
    const bool fromResult = given != 14 && given != 17;
    const int number = fromResult ? (rows.empty() ? 0 : rows.front().CisloVykazu) : given;
    if (number == 17 && ctx.fiscalYear > 2021) {
        ctx.Ui().ShowInfo("Výkaz č. XVII se od roku 2022 nepodává (byl zrušen)"_t);
        return nullptr;
    }
    const PartFile* part = KnownPart(number, fromResult, ctx.fiscalYear > 2013);
    if (!part)
        ctx.Ui().ShowInfo("Neznámý typ výkazu <"_t + PartName(rows, number) +
                          ">. Soubor nebude vytvořen!"_t);
    return part;
}

/// The statement date of the header: the period's end for parts compiled from 2014 on, the
/// block's date otherwise.
std::string HeaderDate(const XmlExportContext& ctx, const Rows& rows, const XmlExportParams& p) {
    if (ctx.fiscalYear > 2013 && !rows.empty())
        return LastDayIso(rows.front().DoMesic, ctx.fiscalYear);
    return StatementDateIso(p.statementDate);
}

void WriteBody(const XmlExportContext& ctx, XmlLines& file, const PartFile& part, const Rows& rows,
               const std::vector<CsvRow>& csv, const XmlExportParams& p, const HeaderDates& dates) {
    if (ctx.fiscalYear <= 2013)
        WriteBody2013(file, part, rows, p, dates);
    else if (part.part == 14)
        WriteBodyXIV(file, p, dates, csv);
    else if (part.part == 17)
        WriteBodyXVII(file, p, dates, csv);
    else
        WriteBody2014(file, part, rows, p, dates);
}

}  // namespace

bool AskOverwrite(ui::UiServices& ui, const fs::path& target) {
    std::error_code ec;
    if (!fs::exists(target, ec))
        return true;
    return ui.YesNo(
        " Na zadané cestě již soubor "_t + FromUtf8(target.filename().string()) + " existuje."_t,
        "        ~P~řepsat       "_t, " <Esc>u~k~ončení funkce "_t, 1);
}

void ShowCreateError(ui::UiServices& ui, int error) {
    ui.ShowErrorLine("Chyba číslo "_t + IntToText(error) + " při zakládání výstupního souboru."_t +
                     ui::kLineBreakMark + "Funkce končí."_t);
}

void ShowWriteError(ui::UiServices& ui, int error) {
    ui.ShowErrorLine("Chyba číslo "_t + IntToText(error) + " při zápisu výstupního souboru."_t +
                     ui::kLineBreakMark + "Funkce končí."_t);
}

void ShowSaved(ui::UiServices& ui, const fs::path& target, const Text& directory) {
    ui.ShowInfo("Soubor "_t + FromUtf8(target.filename().string()) + " s výkazem"_t +
                " byl uložen do adresáře "_t + directory + "."_t + ui::kCentreMark);
}

bool SaveXml(ui::UiServices& ui, const fs::path& target, const XmlLines& lines, XmlKind kind) {
    if (const std::optional<XmlProblem> problem = CheckXml(lines.Bytes(), kind)) {
        ui.ShowErrorLine(DescribeXmlProblem(FromUtf8(target.filename().string()), *problem) +
                         ui::kLineBreakMark +
                         "Soubor nebyl uložen, dosavadní soubory zůstávají beze změny."_t);
        return false;
    }
    AtomicFile file;
    if (!file.Create(target)) {
        ShowCreateError(ui, file.Error());
        return false;
    }
    file.Write(lines.Bytes());
    if (!file.Commit()) {
        ShowWriteError(ui, file.Error());
        return false;
    }
    return true;
}

std::optional<fs::path> ExportStatementXml(const XmlExportContext& ctx, pap::tFileZorvi* result,
                                           bool batch, const XmlExportParams& batchParams,
                                           int given) {
    ui::UiServices& ui = ctx.Ui();
    Rows rows;
    if (result) {
        rows = ReadRowsByKey(*result);
        if (rows.empty()) {
            ui.ShowInfo("Soubor s výkazem je prázdný. Soubor nebude vytvořen!"_t);
            return std::nullopt;
        }
    }
    const PartFile* part = ChoosePart(ctx, rows, result ? 0 : given);
    if (!part)
        return std::nullopt;
    XmlExportParams params = batchParams;
    TransferIds ids;
    if (!batch && !EditExportParams(ctx, part->recordType, params, ids)) {
        ui.ShowInfo(
            "Nebyly zadány parametry pro sestavení souboru pro CSÚIS. Soubor nebude vytvořen!"_t);
        return std::nullopt;
    }
    const fs::path target = storage::PathFromText(params.targetDirectory) / part->fileName;
    if (!batch && !AskOverwrite(ui, target))
        return std::nullopt;
    std::vector<CsvRow> csv;
    if (part->part == 14 || part->part == 17) {
        auto read = ReadPartCsv(ui, target.parent_path() / CsvFileName(part->part), part->part);
        if (!read)
            return std::nullopt;
        csv = std::move(*read);
    }
    XmlLines file;
    const bool fragment = part->recordType == kRecordFragment;
    const FragmentPeriod period =
        rows.empty() ? FragmentPeriod{}
                     : FragmentPeriod{rows.front().OdMesic, rows.front().DoMesic, rows.front().Rok};
    if (fragment) {
        file.Line(FragmentPeriodLine(period));
        if (ctx.fiscalYear > 2013)
            WriteFragment2014(file, part->part, rows);
        else
            WriteFragment2013(file, part->part, rows);
    } else {
        WriteEnvelopeHead(file, part->recordType, params, ids,
                          IsoStampUtc(*ctx.data->clock).Bytes());
        const HeaderDates dates{IsoDate(*ctx.data->clock).Bytes(), HeaderDate(ctx, rows, params)};
        WriteBody(ctx, file, *part, rows, csv, params, dates);
        WriteEnvelopeTail(file);
    }
    if (!SaveXml(ui, target, file, fragment ? XmlKind::Fragment : XmlKind::Message))
        return std::nullopt;
    if (!batch)
        ShowSaved(ui, target, params.targetDirectory);
    if (fragment && part->part >= 4) {
        std::vector<UntransmittedAmount> amounts =
            UntransmittedAmounts(part->part, ctx.fiscalYear > 2013, rows);
        if (ctx.untransmitted)
            ctx.untransmitted->insert(ctx.untransmitted->end(), amounts.begin(), amounts.end());
        else
            ShowUntransmitted(ctx, amounts, period, rows.front().NazevVykazu);
    }
    return target;
}

}  // namespace axo::xml

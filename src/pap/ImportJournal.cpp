// Importing booked document lines from a CSV file: reading and checking the rows.
#include "pap/ImportJournal.h"

#include <map>

#include "storage/WorkFiles.h"
#include "ui/TextListing.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

const std::vector<std::string> kRequired = {"doklad", "radek", "su", "ae", "md", "dal"};
const std::vector<std::string> kOptional = {"partner", "partner2", "kod",       "poznamka",
                                            "vs",      "zakazka",  "stredisko", "platba_predem",
                                            "priznak"};

/// Whether the identification's year and month belong to the fiscal year.
bool InFiscalYear(int year, int month, const JournalImportOptions& o) {
    if (o.firstPeriod == 0 || o.lastPeriod == 0)
        return true;
    if (month == 0)
        return year == o.firstPeriod / 100;
    const int period = year * 100 + month;
    return period >= o.firstPeriod && period <= o.lastPeriod;
}

/// The identification padded to 15 characters; errors for a wrong form or period.
Text ReadIdentification(CsvFieldReader& r, const CsvTable& table, const CsvRow& row,
                        const JournalImportOptions& o) {
    const Text id = r.Str("doklad", 15, true);
    const Text given = table.Value(row, "doklad");
    if (given.empty() || given.size() > 15)
        return id;
    if (given.size() < 7 || !AllDigits(given.substr(0, 6)) || Trim(given.substr(6)).empty()) {
        r.Error("doklad \""_t + given +
                "\" nemá tvar rok (4), měsíc (2), druh (4) a číslo (5) dokladu"_t);
        return id;
    }
    const int year = static_cast<int>(TextToInt(given.substr(0, 4)));
    const int month = static_cast<int>(TextToInt(given.substr(4, 2)));
    if (month > 12)
        r.Error("doklad \""_t + given + "\" má měsíc "_t + given.substr(4, 2));
    else if (!InFiscalYear(year, month, o))
        r.Error("doklad \""_t + given + "\" nepatří do účetního období"_t);
    return LeftJustify(given, 15);
}

JournalLine ReadLine(const CsvTable& table, const CsvRow& row, const JournalImportOptions& o,
                     std::vector<ImportError>& errors) {
    CsvFieldReader r(table, row, errors);
    JournalLine l;
    l.line = row.line;
    tVetaUDPO& u = l.record;
    u.IDENTIFIKACE = ReadIdentification(r, table, row, o);
    u.PRIZNAK = static_cast<Byte>(r.Number("priznak", 0, 9, false));
    u.RADEK = static_cast<LongInt>(r.Number("radek", 1, 99999, true));
    u.SU = static_cast<Word>(r.Number("su", 0, 999, true));
    u.AE = static_cast<Word>(r.Number("ae", 0, 999, false));
    u.MA_DATI = r.Amount("md");
    u.DAL = r.Amount("dal");
    u.PARTNER = r.Str("partner", 10);
    u.PARTNER2 = r.Str("partner2", 10);
    u.KOD = r.Str("kod", 3);
    u.POZNAMKA = r.Str("poznamka", 30);
    u.VS1 = r.Str("vs", 15);
    u.ZAKAZKA = r.Str("zakazka", 10);
    u.STREDISKO = static_cast<LongInt>(r.Number("stredisko", 0, 99999, false));
    u.PLATBA_PREDEM = r.Str("platba_predem", 15);
    return l;
}

/// Puts the line into its document, refusing a line number used twice and a state that differs
/// from the document's.
void AddToDocument(JournalLine line, std::vector<JournalDocument>& documents,
                   std::map<Text, std::size_t>& byKey, std::map<Text, int>& lineOf,
                   std::vector<ImportError>& errors) {
    const tVetaUDPO& u = line.record;
    const Text key = DocumentKey(u.IDENTIFIKACE);
    const auto [it, fresh] = byKey.emplace(key, documents.size());
    if (fresh) {
        documents.emplace_back();
        documents.back().header.IDENTIFIKACE = u.IDENTIFIKACE;
        documents.back().header.PRIZNAK = u.PRIZNAK;
    }
    JournalDocument& d = documents[it->second];
    const Text shown = "doklad \""_t + TrimRight(u.IDENTIFIKACE) + "\""_t;
    if (d.header.PRIZNAK != u.PRIZNAK)
        errors.push_back({line.line, shown + " má na jiném řádku příznak "_t +
                                         IntToText(d.header.PRIZNAK) + ", zde "_t +
                                         IntToText(u.PRIZNAK)});
    const auto [at, first] = lineOf.emplace(key + KeyNumber(u.RADEK, 5), line.line);
    if (!first)
        errors.push_back({line.line, shown + " řádek "_t + IntToText(u.RADEK) +
                                         " je už na řádku souboru "_t + IntToText(at->second)});
    d.lines.push_back(std::move(line));
}

}  // namespace

Text DocumentKey(const Text& identification) {
    return KeyText(identification, 15);
}

std::vector<JournalDocument> ReadJournalCsv(const std::filesystem::path& file,
                                            const JournalImportOptions& options,
                                            std::vector<ImportError>& errors) {
    const CsvTable table = CsvTable::Read(file, kRequired, kOptional, errors);
    std::vector<JournalDocument> documents;
    std::map<Text, std::size_t> byKey;
    std::map<Text, int> lineOf;
    for (const CsvRow& row : table.Rows())
        AddToDocument(ReadLine(table, row, options, errors), documents, byKey, lineOf, errors);
    if (documents.empty() && errors.empty())
        errors.push_back({0, "soubor neobsahuje žádný řádek dokladu"_t});
    return documents;
}

JournalImportResult ImportJournal(const PapLocation& where, const storage::DataContext& ctx,
                                  ui::UiServices& ui, const std::filesystem::path& file,
                                  const JournalImportOptions& options) {
    JournalImportResult result;
    std::vector<ImportError> errors;
    std::vector<JournalDocument> documents = ReadJournalCsv(file, options, errors);
    const bool written = errors.empty() && WriteJournal(where, ctx, ui, std::move(documents),
                                                        options, result, errors);
    if (!errors.empty())
        ui.ShowError(ImportErrorText(storage::TextFromPath(file), errors),
                     "\rÚčetní doklady nebyly změněny."_t);
    if (!written)
        return result;
    result.done = true;
    if (!result.unbalanced.empty()) {
        ui.ShowInfo("Nevyvážených dokladů (strana MÁ DÁTI se liší od strany DAL): "_t +
                    IntToText(static_cast<long long>(result.unbalanced.size())) +
                    (options.listing ? ". Jsou uvedeny v protokolu."_t : "."_t));
        if (options.listing)
            ShowUnbalancedProtocol(*options.listing, storage::TextFromPath(file),
                                   result.unbalanced);
    }
    ui.ShowInfo("HOTOVO!"_t);
    return result;
}

void ShowUnbalancedProtocol(const ui::ListingEnvironment& env, const Text& fileName,
                            const std::vector<UnbalancedDocument>& documents) {
    auto listing = ui::CreateListing<ui::TextListing>(env);
    if (!listing)
        return;
    listing->Init();
    listing->printoutName = "nevyvážené doklady"_t;
    listing->titles[0] = "nevyvážené doklady importu"_t;
    listing->titles[1] = fileName;
    const struct {
        std::uint8_t width;
        const char* caption;
    } columns[] = {{16, "Identifikace"}, {7, "Ř.soub."}, {6, "Řádků"},
                   {14, "MD"},           {14, "DAL"},    {14, "Rozdíl"}};
    std::vector<Text> captions;
    listing->columnWidths.fill(0);
    for (std::size_t i = 0; i < std::size(columns); ++i) {
        listing->columnWidths[i] = columns[i].width;
        captions.push_back(JustifyWithChar(FromUtf8(columns[i].caption), columns[i].width, ' ',
                                           Alignment::kCentre));
    }
    listing->BuildFrameLines();
    listing->framedHeader[0] = listing->FramedLine(captions);
    listing->PageHeading();
    for (const UnbalancedDocument& d : documents)
        listing->WriteLineWithRoom(
            listing->FramedLine({d.identification, IntToText(d.line, 7), IntToText(d.lines, 6),
                                 AmountText(d.md, 14, 2), AmountText(d.dal, 14, 2),
                                 AmountText(Round(d.md - d.dal, 2), 14, 2)}),
            2);
    listing->WriteLine(listing->bottomLine);
    listing->CloseListingFile();
    listing->HandOver(listing->FileName());
}

}  // namespace axo::pap

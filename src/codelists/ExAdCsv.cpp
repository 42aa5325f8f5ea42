// The CSV list of addresses and the import of partners.
#include "codelists/ExAdCsv.h"

#include "codelists/ExAdFields.h"
#include "codelists/ExAdTransfer.h"
#include "control/CheckRecordPap.h"
#include "pap/ImportCsv.h"
#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Csv.h"
#include "util/Retezce.h"

namespace axo::codelists {

namespace {

const std::vector<const char*> kCsvColumns = {
    "MATCH_CODE", "NAZ_FIRM1", "NAZ_FIRM2", "ICO",   "DIC_FIRM",      "ADR_FIRM",
    "MESTO_FIRM", "PSC_FIRM",  "Stat",      "BS",    "ZVL_DISP",      "IBAN",
    "POVAHA",     "PLATNOST",  "TYP",       "TELEF", "EMail_ADRESA1",
};

/// A name split at blanks into lines of at most 30 characters; false when it needs more than
/// four lines.
bool SplitName(const Text& name, std::array<Text, 4>& lines) {
    std::size_t line = 0;
    for (std::size_t i = 0; i < name.size();) {
        while (i < name.size() && name[i] == ' ')
            ++i;
        std::size_t end = i;
        while (end < name.size() && name[end] != ' ')
            ++end;
        Text word = name.substr(i, end - i);
        i = end;
        while (!word.empty()) {
            if (line >= lines.size())
                return false;
            Text& current = lines[line];
            const std::size_t room =
                current.empty() ? 30 : 30 - std::min<std::size_t>(30, current.size() + 1);
            if (word.size() <= room) {
                current += (current.empty() ? Text() : " "_t) + word;
                word.clear();
            } else if (current.empty()) {
                current = word.substr(0, 30);
                word = word.substr(30);
                ++line;
            } else {
                ++line;
            }
        }
    }
    return true;
}

/// An account "prefix-number/bank code"; false when it does not fit.
bool SplitAccount(const Text& account, Text& number, Word& bank) {
    const std::size_t slash = account.rfind('/');
    number = Trim(slash == Text::npos ? account : account.substr(0, slash));
    const Text code = slash == Text::npos ? Text() : Trim(account.substr(slash + 1));
    if (number.size() > 18)
        return false;
    for (char ch : number)
        if ((ch < '0' || ch > '9') && ch != '-')
            return false;
    if (code.empty()) {
        bank = 0;
        return true;
    }
    if (code.size() > 4 || !pap::AllDigits(code))
        return false;
    bank = static_cast<Word>(TextToInt(code));
    return true;
}

/// The address of one CSV row; its faults go to `errors`.
tVetaExtAdresa PartnerOf(const pap::CsvTable& table, const pap::CsvRow& row,
                         std::vector<pap::ImportError>& errors) {
    pap::CsvFieldReader read(table, row, errors);
    tVetaExtAdresa r{};
    const Text name = read.Str("nazev", 120, true);
    std::array<Text, 4> lines;
    if (!SplitName(name, lines))
        read.Error("název se nevejde do čtyř řádků po 30 znacích"_t);
    r.NAZ_FIRM1 = lines[0];
    r.NAZ_FIRM2 = lines[1];
    r.NAZ_FIRM3 = lines[2];
    r.NAZ_FIRM4 = lines[3];
    const Text ico = read.Str("ico", 10);
    if (!ico.empty() && (!pap::AllDigits(ico) || !control::IcoCheckDigitValid(ico)))
        read.Error("IČO "_t + ico + " není platné (osm číslic s kontrolní číslicí)"_t);
    r.ICO = ico;
    const Text dic = UpperCase(read.Str("dic", 15));
    r.DIC_FIRM = dic;
    r.ADR_FIRM = read.Str("ulice", 30);
    r.MESTO_FIRM = read.Str("mesto", 25);
    r.PSC_FIRM = read.Str("psc", 10);
    const Text state = read.Str("stat", 30);
    if (state.size() == 2)
        r.STAT_ZKRATKA = UpperCase(state);
    else
        r.Stat = state;
    const Text account = read.Str("ucet", 24);
    Text number;
    Word bank = 0;
    if (!SplitAccount(account, number, bank))
        read.Error("číslo účtu "_t + account + " nemá tvar předčíslí-číslo/kód banky"_t);
    r.BS = number;
    r.ZVL_DISP = bank;
    r.MATCH_CODE = "1"_t;  // a stand-in for the checks; the classification comes when stored
    if (const std::optional<AddressFault> fault = CheckAddress(r))
        read.Error(fault->message);
    r.MATCH_CODE = Text();
    return r;
}

}  // namespace

const std::vector<const char*>& AddressCsvColumns() {
    return kCsvColumns;
}

std::string AddressCsvHeader() {
    std::string line;
    for (const char* c : kCsvColumns)
        line += (line.empty() ? "" : ";") + std::string(c);
    return line + ";NOTES";
}

std::string AddressCsvLine(const tVetaExtAdresa& r, const Text& notes) {
    std::string line;
    bool first = true;
    for (const char* c : kCsvColumns) {
        const AddressField* f = FindAddressField(FromUtf8(c));
        const Text value = f ? AddressFieldText(r, *f) : Text();
        line += (first ? "" : ";");
        first = false;
        line += f && f->layout.type == storage::FieldType::String ? CsvTextCell(ToUtf8(value))
                                                                  : ToUtf8(value);
    }
    // Line breaks of the notes stay inside the quoted cell.
    return line + ";" + CsvTextCell(ToUtf8(notes));
}

PartnerImportResult ImportPartnersCsv(const AddressBook& book, const std::filesystem::path& file) {
    ui::UiServices& ui = book.Ui();
    std::vector<pap::ImportError> errors;
    const pap::CsvTable table = pap::CsvTable::Read(
        file, {"nazev"}, {"ico", "dic", "ulice", "mesto", "psc", "stat", "ucet"}, errors);
    std::vector<tVetaExtAdresa> partners;
    if (errors.empty())
        for (const pap::CsvRow& row : table.Rows())
            partners.push_back(PartnerOf(table, row, errors));
    if (errors.empty() && partners.empty())
        errors.push_back({0, "soubor neobsahuje žádného partnera"_t});
    if (!errors.empty()) {
        ui.ShowError(pap::ImportErrorText(storage::TextFromPath(file), errors),
                     "\rČíselník externích adres nebyl změněn."_t);
        return {};
    }
    PartnerImportResult result;
    auto fill = [&](tExtAdresy& staged, ui::ProgressPanel& progress) {
        ClassificationCounter counter(staged);
        for (tVetaExtAdresa& r : partners) {
            progress.Step();
            const std::optional<Text> next = counter.Next();
            if (!next) {
                ui.ShowError("Pro další adresy už nezbývá volné zatřídění."_t);
                return false;
            }
            r.MATCH_CODE = *next;
            r.POSL_ZMENA = Trim(book.programDate);
            staged.SetNotes(Text());
            std::int32_t added = 0;
            staged.AddRec(added, &r);
            ++result.added;
        }
        return true;
    };
    Text failure;
    if (!RebuildAddressList(*book.ctx, ui, book.directory, book.yearCode, true,
                            static_cast<int>(partners.size()), fill, failure)) {
        ui.ShowError(failure);
        return {};
    }
    result.done = true;
    return result;
}

}  // namespace axo::codelists

// Parts XIV and XVII, which have no statement in the program: their rows come from the CSV
// files the user prepares in the target directory. The input is read and checked whole before
// anything is written, so a wrong value never leaves a file behind.
#include "util/AtomicFile.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Lines.h"
#include "util/Retezce.h"
#include "xml/papXML_2014.h"

namespace axo::xml {

namespace {

const std::string kRowIndent = Indent("40s");
const std::string kItemIndent = Indent("48s");
const std::string kPartnerIndent = Indent("58s");
const std::string kPartnerNameIndent = Indent("1t 50s");

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

/// The most digits an amount of the central system's financial type has before and after
/// its decimal point.
constexpr std::size_t kIntegerDigits = 11;
constexpr std::size_t kDecimals = 2;

/// What is wrong with an amount as typed ("," already "."): empty when it is a decimal number
/// (sign, digits, point, digits) within the digits the parts' amounts allow.
Text AmountFault(const std::string& s) {
    std::size_t i = !s.empty() && (s[0] == '+' || s[0] == '-') ? 1 : 0;
    const std::size_t integerStart = i;
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    const std::size_t integerEnd = i;
    std::size_t decimals = 0;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && IsDigit(s[i]); ++i)
            ++decimals;
    if (i != s.size() || (integerEnd == integerStart && decimals == 0))
        return "není číslo."_t;
    if (decimals > kDecimals)
        return "má více než 2 desetinná místa."_t;
    // Leading zeros do not count.
    const std::size_t lead = s.find_first_not_of('0', integerStart);
    if (lead < integerEnd && integerEnd - lead > kIntegerDigits)
        return "má více než 11 číslic před desetinnou čárkou."_t;
    return {};
}

/// The fields of a line that must be amounts and dates, by part.
std::vector<std::size_t> AmountFields(int part) {
    if (part == 14)
        return {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15};
    return {5};
}

/// Checks the amounts and the date of a row; false after naming the line and the field.
bool CheckRow(ui::UiServices& ui, const Text& fileName, int part, const CsvRow& row) {
    const auto refuse = [&](std::size_t k, const Text& what) {
        ui.ShowErrorLine("Soubor "_t + fileName + ", řádek "_t + IntToText(row.lineNumber) +
                         ": položka "_t + IntToText(static_cast<long long>(k)) + " <"_t +
                         Trim(row.Field(k)) + "> "_t + what + ui::kLineBreakMark +
                         "Soubor nebude vytvořen!"_t);
        return false;
    };
    for (std::size_t k : AmountFields(part)) {
        const std::string value = ReplaceChar(Trim(row.Field(k)), ',', '.').Bytes();
        if (const Text fault = AmountFault(value); !value.empty() && !fault.empty())
            return refuse(k, fault);
    }
    if (part == 14 && !CsvDateIso(row.Field(14)))
        return refuse(14, "není datum."_t);
    return true;
}

void ReadError(ui::UiServices& ui) {
    ui.ShowErrorLine("Chyba při čtení vstupního souboru."_t + ui::kLineBreakMark +
                     "Funkce končí!"_t);
    ui.ShowErrorLine("Chyba při čtení výkazu!"_t + ui::kLineBreakMark + ui::kLineBreakMark +
                     "Vytvořte výkaz znovu a pokuste se o jeho opětovné načtení."_t);
}

/// The partner of an XVII row: the special codes 111-444 stand for eight-digit numbers.
Text PartnerIco(const Text& field) {
    if (field == "111"_t || field == "222"_t || field == "333"_t || field == "444"_t)
        return "00000"_t + field;
    return field;
}

}  // namespace

std::string CsvFileName(int part) {
    return part == 14 ? "PAP_CastXIV.csv" : "PAP_CastXVII.csv";
}

std::vector<Text> SplitCsvLine(const Text& line) {
    std::vector<Text> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t semicolon = line.find(';', start);
        if (semicolon == Text::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(Trim(line.substr(start, semicolon - start)));
        start = semicolon + 1;
    }
}

std::optional<std::string> CsvAmount(const Text& field) {
    const std::string value = ReplaceChar(Trim(field), ',', '.').Bytes();
    if (value.empty())
        return "0.00";
    if (!AmountFault(value).empty())
        return std::nullopt;
    return value;
}

std::optional<std::string> CsvDateIso(const Text& field) {
    Text d = Trim(field);
    if (d.empty())
        return std::string();
    if (d.size() == 8)
        d = "0"_t + d.substr(0, 2) + "0"_t + d.substr(2);
    else if (d.size() == 9 && d.find('.') == 1)
        d = "0"_t + d;
    else if (d.size() == 9 && d.find('.') == 2)
        d = d.substr(0, 3) + "0"_t + d.substr(3);
    if (d.size() != 10 || d[2] != '.' || d[5] != '.')
        return std::nullopt;
    for (std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!IsDigit(d[i]))
            return std::nullopt;
    if (CheckDate(d) != kDateValid)
        return std::nullopt;
    return d.substr(6, 4).Bytes() + "-" + d.substr(3, 2).Bytes() + "-" + d.substr(0, 2).Bytes();
}

std::optional<std::vector<CsvRow>> ReadPartCsv(ui::UiServices& ui,
                                               const std::filesystem::path& file, int part) {
    const Text name = FromUtf8(file.filename().string());
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        ui.ShowErrorLine(" Na zadané cestě neexistuje soubor "_t + name +
                         " Funkci nelze provést!"_t);
        return std::nullopt;
    }
    std::string bytes;
    const ReadResult read = ReadWholeFile(file, bytes);
    if (read.error != 0 && !read.opened) {
        ui.ShowErrorLine("Chyba číslo "_t + IntToText(read.error) +
                         " při otevírání vstupního souboru <"_t + name + ">."_t +
                         ui::kLineBreakMark + "Funkce končí!"_t);
        return std::nullopt;
    }
    if (read.error != 0) {
        ReadError(ui);
        return std::nullopt;
    }
    std::vector<CsvRow> rows;
    int number = 0;
    for (const Text& line : SplitLines(TextFromFileBytes(std::move(bytes)))) {
        CsvRow row{++number, SplitCsvLine(line)};
        // Headings and notes stand on lines not marked "X"; a row needs its second field.
        if (UpperCase(row.Field(1)) != "X"_t || row.Field(2).empty())
            continue;
        if (!CheckRow(ui, name, part, row))
            return std::nullopt;
        rows.push_back(std::move(row));
    }
    return rows;
}

void WriteBodyXIV(XmlLines& f, const XmlExportParams& p, const HeaderDates& dates,
                  const std::vector<CsvRow>& rows) {
    static const char* const kAmounts[] = {"KapitalZakladniPodil",
                                           "KapitalZakladniPodilPoZmene",
                                           "KapitalVlastniCelkem",
                                           "KapitalZakladni",
                                           "FondyKapitalove",
                                           "FondyRezervniNedelitelneOstatniZeZisku",
                                           "VysledekHospodareniLetaMinula",
                                           "VysledekHospodareniObdobiBezne",
                                           "CenaPodiluPorizovaci",
                                           "CenaPodiluProdejni"};
    WriteBodyOpening(f, *FindPart(14));
    WriteStatementHeader(f, p, dates);
    for (const CsvRow& r : rows) {
        f.Line(kRowIndent + "<Radek>");
        f.Line(kItemIndent + "<Partner>");
        const Text partner = r.Field(2);
        f.Line(Element(kPartnerIndent, partner.size() > 2 ? "stm:PartnerIC" : "stm:PartnerNazev",
                       XmlText(partner)));
        f.Line(kItemIndent + "</Partner>");
        for (std::size_t k = 4; k <= 13; ++k)
            f.Line(Element(kItemIndent, kAmounts[k - 4], *CsvAmount(r.Field(k))));
        if (const std::string date = *CsvDateIso(r.Field(14)); !date.empty())
            f.Line(Element(kItemIndent, "DatumZmenyMajetkoveUcasti", date));
        f.Line(Element(kItemIndent, "VlivPoZmene", *CsvAmount(r.Field(15))));
        const Text vliv = Trim(r.Field(16));
        if (!vliv.empty() && vliv[0] >= '1' && vliv[0] <= '5')
            f.Line(Element(kItemIndent, "Vliv", std::string(1, vliv[0])));
        f.Line(kRowIndent + "</Radek>");
    }
    f.Line(std::string(4, '\t') + "</VykazPAPDetailP14>");
}

void WriteBodyXVII(XmlLines& f, const XmlExportParams& p, const HeaderDates& dates,
                   const std::vector<CsvRow>& rows) {
    WriteBodyOpening(f, *FindPart(17));
    WriteStatementHeader(f, p, dates);
    for (const CsvRow& r : rows) {
        f.Line(kRowIndent + "<Radek>");
        f.Line(Element(kItemIndent, "PolozkaCislo", XmlText(r.Field(2))));
        f.Line(Element(kItemIndent, "OrganizaceNazev", XmlText(r.Field(3))));
        f.Line(kItemIndent + "<Partner>");
        const Text partner = r.Field(4);
        if (partner.size() <= 2) {
            f.Line(Element(kPartnerIndent, "stm:PartnerZeme", XmlText(partner)));
            f.Line(
                Element(kPartnerNameIndent, "stm:PartnerNazev", XmlText(r.Field(3).substr(0, 30))));
        } else {
            f.Line(Element(kPartnerIndent, "stm:PartnerIC", XmlText(PartnerIco(partner))));
        }
        f.Line(kItemIndent + "</Partner>");
        f.Line(Element(kItemIndent, "CastkaVysvetlovana", *CsvAmount(r.Field(5))));
        f.Line(Element(kItemIndent, "Vysvetleni", XmlText(r.Field(6))));
        f.Line(kRowIndent + "</Radek>");
    }
    f.Line(std::string(4, '\t') + "</VykazPAPDetailP17>");
}

}  // namespace axo::xml

// The compiled statement as text lines, as a text printout and as CSV.
#include "pap/papVysledek.h"

#include <cstring>
#include <functional>
#include <ostream>

#include "pap/papVykaz.h"
#include "ui/TextListing.h"
#include "util/Cisla.h"
#include "util/Csv.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

struct Column {
    Text caption;
    std::size_t width;
    bool right;
    std::function<Text(const tVeta_Zorvi&)> value;
};

template <std::size_t N>
Column TextColumn(const char* caption, std::size_t width, StrN<N> tVeta_Zorvi::*field) {
    return {FromUtf8(caption), width, false,
            [field](const tVeta_Zorvi& v) { return Trim((v.*field).Get()); }};
}

Column RadekColumn() {
    return {"Řádek"_t, 5, true, [](const tVeta_Zorvi& v) { return IntToText(v.RADEK); }};
}

/// The columns that tell the rows apart, by statement.
std::vector<Column> IdentityColumns(StatementKind k) {
    using V = tVeta_Zorvi;
    const Column sa = TextColumn("St.anal.", 10, &V::SA);
    const Column p1 = TextColumn("Partner 1", 10, &V::P1);
    const Column p2 = TextColumn("Partner 2", 10, &V::P2);
    const Column nazev = TextColumn("Název partnera", 30, &V::Partner_Nazev);
    switch (k.cislo) {
        case 1:
        case 2:
        case 3:
        case 15:
            return {RadekColumn(), sa, {"Popis"_t, 40, false, [](const V& v) {
                                            return Trim(v.POPIS.Get()).substr(0, 40);
                                        }}};
        case 10:
            if (k.od2014)
                return {sa, p1, p2, TextColumn("Zakázka", 15, &V::StZakazka), nazev};
            return {sa, p1};
        case 11:
            return k.od2014 ? std::vector<Column>{sa, p1, nazev} : std::vector<Column>{sa, p1};
        case 12:
            return {TextColumn("St.anal.", 10, &V::FSA), TextColumn("Kód", 5, &V::FKT),
                    TextColumn("Partner 1", 10, &V::FP1)};
        case 13:
            return {TextColumn("St.anal.", 10, &V::FSA), TextColumn("Kód", 5, &V::FKT),
                    TextColumn("Partner 1", 10, &V::FP1), p2};
        case 16:
            return {sa, p1, nazev};
        default:
            return {RadekColumn(), sa};
    }
}

Text Znacka(Byte krizek) {
    return krizek == kKrizekSkrtnut ? "x"_t : krizek == kKrizekNepovolen ? "!"_t : " "_t;
}

Column AmountColumn(const Text& caption, const tSloupec& (*cell)(const tVeta_Zorvi&, int),
                    int index, bool marks) {
    // With marks the caption stands over the amount, not over the mark after it.
    return {marks ? caption + " "_t : caption, marks ? 16u : 15u, true,
            [cell, index, marks](const tVeta_Zorvi& v) {
                const tSloupec& s = cell(v, index);
                return AmountText(s.SLOUPEC, 15, 2) + (marks ? Znacka(s.KRIZEK) : Text());
            }};
}

const tSloupec& Regular(const tVeta_Zorvi& v, int i) {
    return v.Sloupec[i];
}
const tSloupec& Special(const tVeta_Zorvi& v, int i) {
    return i < 2 ? v.SloupecMD[i] : v.SloupecDAL[i - 2];
}

/// The label of a column in the first row that has one.
Text Label(const std::vector<tVeta_Zorvi>& rows, const tSloupec& (*cell)(const tVeta_Zorvi&, int),
           int index) {
    for (const tVeta_Zorvi& v : rows)
        if (!Trim(cell(v, index).TRANSAKCE).empty())
            return Trim(cell(v, index).TRANSAKCE);
    return {};
}

/// The amount columns: fixed by statement, or for IV-IX every labelled column, captioned
/// with its transaction code, a special column only when its code has no regular column.
std::vector<Column> AmountColumns(const std::vector<tVeta_Zorvi>& rows, StatementKind k) {
    std::vector<Column> columns;
    auto numbered = [&](int count) {
        for (int i = 1; i <= count; ++i)
            columns.push_back(AmountColumn("Sloupec "_t + IntToText(i), Regular, i, false));
    };
    switch (k.cislo) {
        case 1:
        case 10:
        case 15:
        case 16:
            numbered(4);
            return columns;
        case 2:
        case 3:
            numbered(2);
            return columns;
        case 11:
            numbered(k.od2014 ? 3 : 2);
            return columns;
        case 12:
        case 13:
            numbered(1);
            return columns;
        default:
            break;
    }
    std::vector<Text> labels;
    for (int i = 1; i < kSloupcu; ++i)
        if (const Text label = Label(rows, Regular, i); !label.empty()) {
            columns.push_back(AmountColumn(label, Regular, i, true));
            labels.push_back(label);
        }
    for (int i = 0; i < 4; ++i)
        if (const Text label = Label(rows, Special, i);
            !label.empty() && std::find(labels.begin(), labels.end(), label) == labels.end())
            columns.push_back(AmountColumn(label, Special, i, true));
    return columns;
}

Text Cell(const Column& c, const Text& value) {
    return c.right ? RightJustifyTrimmed(value, c.width) : LeftJustify(value, c.width);
}

/// One block of lines: the identity columns and a run of amount columns.
void AppendBlock(std::vector<Text>& out, const std::vector<tVeta_Zorvi>& rows,
                 const std::vector<const Column*>& columns) {
    Text caption;
    for (const Column* c : columns)
        caption += (caption.empty() ? Text() : " "_t) + Cell(*c, c->caption);
    out.push_back(TrimRight(caption));
    for (const tVeta_Zorvi& v : rows) {
        Text line;
        for (const Column* c : columns)
            line += (line.empty() ? Text() : " "_t) + Cell(*c, c->value(v));
        out.push_back(TrimRight(line));
    }
}

}  // namespace

Text ResultFieldText(const tVeta_Zorvi& veta, const ResultField& field) {
    const auto* p = reinterpret_cast<const unsigned char*>(&veta) + field.layout.offset;
    auto load = [p](auto value) {
        std::memcpy(&value, p, sizeof value);
        return value;
    };
    using storage::FieldType;
    switch (field.layout.type) {
        case FieldType::Byte:
        case FieldType::Boolean:
            return IntToText(*p);
        case FieldType::Integer:
            return IntToText(load(std::int16_t{}));
        case FieldType::Word:
            return IntToText(load(std::uint16_t{}));
        case FieldType::LongInt:
            return IntToText(load(std::int32_t{}));
        case FieldType::Single:
            return RealToText(load(float{}), 0, 2);
        case FieldType::Real:
        case FieldType::Double:
            return RealToText(load(double{}), 0, 2);
        case FieldType::String: {
            const std::size_t length = std::min<std::size_t>(*p, field.layout.length);
            return Trim(
                Text::FromBytes(std::string_view(reinterpret_cast<const char*>(p + 1), length)));
        }
        case FieldType::AnsiString:
            break;
    }
    return {};
}

std::vector<tVeta_Zorvi> ReadResultRows(tFileZorvi& file) {
    std::vector<tVeta_Zorvi> rows;
    std::int32_t n = 0;
    Text key;
    file.BtClearKey(0);
    while (file.BtNextKey(0, n, key)) {
        rows.emplace_back();
        file.GetRec(n, &rows.back());
    }
    return rows;
}

std::vector<Text> ResultLines(const std::vector<tVeta_Zorvi>& rows, StatementKind kind,
                              std::size_t maxWidth) {
    const std::vector<Column> identity = IdentityColumns(kind);
    const std::vector<Column> amounts = AmountColumns(rows, kind);
    std::size_t identityWidth = 0;
    for (const Column& c : identity)
        identityWidth += c.width + 1;
    std::vector<Text> out;
    std::size_t next = 0;
    do {
        std::vector<const Column*> block;
        for (const Column& c : identity)
            block.push_back(&c);
        std::size_t width = identityWidth;
        // At least one amount column per block, however narrow the limit.
        while (next < amounts.size()) {
            const bool first = block.size() == identity.size();
            if (!first && maxWidth != 0 && width + amounts[next].width > maxWidth)
                break;
            width += amounts[next].width + 1;
            block.push_back(&amounts[next++]);
        }
        if (!out.empty())
            out.push_back({});
        AppendBlock(out, rows, block);
    } while (next < amounts.size());
    return out;
}

void UkazVysledek(const ui::ListingEnvironment& env, const ReportHandOver& handOver) {
    std::unique_ptr<tFileZorvi> file = OpenResultFile(*env.data, handOver);
    if (!file)
        return;
    const std::vector<tVeta_Zorvi> rows = ReadResultRows(*file);
    file->CloseFile();
    auto listing = ui::CreateListing(env);
    if (!listing)
        return;
    listing->Init();
    const std::vector<Text> lines = ResultLines(rows, handOver.kind, 250);
    std::size_t width = 0;
    for (const Text& line : lines)
        width = std::max(width, line.size());
    listing->lineWidth = static_cast<std::uint16_t>(std::min<std::size_t>(width, 255));
    listing->printoutName = handOver.caption;
    listing->titles[0] = handOver.caption;
    if (!rows.empty())
        listing->titles[1] = "za období "_t + IntToText(rows.front().OdMesic) + " - "_t +
                             IntToText(rows.front().DoMesic) + "/"_t +
                             IntToTextZeros(rows.front().Rok, 4) + ", k datu "_t +
                             rows.front().KDatu.Get();
    listing->PageHeading();
    for (const Text& line : lines)
        listing->WriteLineWithRoom(line, 1);
    listing->CloseListingFile();
    listing->HandOver(listing->FileName());
}

bool WriteResultCsv(tFileZorvi& file, std::ostream& out) {
    const std::vector<ResultField>& fields = ResultFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        out << (i ? ";" : "") << ToUtf8(fields[i].name);
    out << "\n";
    std::int32_t n = 0;
    Text key;
    tVeta_Zorvi veta;
    file.BtClearKey(0);
    while (file.BtNextKey(0, n, key)) {
        file.GetRec(n, &veta);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string value = ToUtf8(ResultFieldText(veta, fields[i]));
            out << (i ? ";" : "")
                << (fields[i].layout.type == storage::FieldType::String ? CsvTextCell(value)
                                                                        : value);
        }
        out << "\n";
    }
    return static_cast<bool>(out);
}

}  // namespace axo::pap

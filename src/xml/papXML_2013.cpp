// The part files from the result rows, methodology up to 2013.
#include "xml/papXML_2013.h"

#include <algorithm>

#include "util/Retezce.h"

namespace axo::xml {

namespace {

using namespace layout;
const std::string kContainer = Indent("3t 13s 2t");
const std::string kPartnerIc = Indent("1t 40s 1t");

/// A column container of parts I-III: its element, the column it reads and its indents.
struct Container {
    const char* name;
    int column;
    const char* openIndent;
    const char* closeIndent;
};

const Container kContainersI[] = {
    {"Sloupec01", 1, "4t 9s 1t", "3t 13s 2t"},
    {"Sloupec02", 2, "4t 8s 1t", "3t 16s 1t"},
    {"Sloupec03", 3, "3t 17s 1t", "4t 8s 1t"},
    {"Sloupec04", 4, "3t 24s", "3t 16s 1t"},
};
const Container kContainersII[] = {
    {"Sloupec05", 1, "4t 9s 1t", "3t 13s 2t"},
    {"Sloupec06", 2, "4t 8s 1t", "3t 16s 1t"},
};

/// A transaction code as part of an element name: only the characters a name may hold.
std::string NamePart(const Text& code) {
    std::string out;
    for (char ch : code.Bytes())
        if ((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') ||
            ch == '_' || ch == '-' || ch == '.')
            out += ch;
    return out;
}

void WriteRow(XmlLines& f, const pap::tVeta_Zorvi& r, double amount) {
    f.Line(kFragmentRow + "<Radek>");
    f.Line(Element(kFragmentField, "PolozkaCislo", XmlText(Trim(r.SA))));
    f.Line(Element(kFragmentField, "Castka", XmlAmount(amount)));
    f.Line(kFragmentRow + "</Radek>");
}

void WriteContainersI(XmlLines& f, int part, const Rows& rows) {
    const auto write = [&](const Container& c) {
        f.Line(Indent(c.openIndent) + "<" + c.name + ">");
        for (const pap::tVeta_Zorvi& r : rows)
            WriteRow(f, r, r.Sloupec[c.column].SLOUPEC);
        f.Line(Indent(c.closeIndent) + "</" + c.name + ">");
    };
    if (part == 1) {
        for (const Container& c : kContainersI)
            write(c);
    } else {
        for (const Container& c : kContainersII)
            write(c);
    }
}

/// A container of parts IV-IX is named after its column's code in the first record and closed
/// with the code in the last one. A column without a code in any record has no container.
void WriteContainersIV(XmlLines& f, int part, const Rows& rows) {
    for (const ChangeColumn& change : ChangeColumns(part, false)) {
        const ColumnRef column = change.column;
        if (std::none_of(rows.begin(), rows.end(), [column](const pap::tVeta_Zorvi& r) {
                return !Trim(Cell(r, column).TRANSAKCE).empty();
            }))
            continue;
        const Text first = rows.empty() ? Text() : Cell(rows.front(), column).TRANSAKCE.Get();
        const Text last = rows.empty() ? Text() : Cell(rows.back(), column).TRANSAKCE.Get();
        f.Line(kContainer + "<Sloupec" + NamePart(first) + ">");
        for (const pap::tVeta_Zorvi& r : rows)
            if (CellWritten(Cell(r, column)))
                WriteRow(f, r, Cell(r, column).SLOUPEC);
        f.Line(kContainer + "</Sloupec" + NamePart(last) + ">");
    }
}

void WrapIco(XmlLines& f, const std::string& wrapper, const Text& partner) {
    f.Line(kField + "<" + wrapper + ">");
    f.Line(Element(kPartnerIc, "PartnerIC", XmlText(partner.substr(0, 8))));
    f.Line(kField + "</" + wrapper + ">");
}

void WriteRowXtoXIII(XmlLines& f, int part, const pap::tVeta_Zorvi& r) {
    f.Line(kRow + "<Radek>");
    f.Line(Element(kField, "PolozkaCislo", XmlText(r.SA)));
    if (part == 12 || part == 13)
        f.Line(Element(kField, "ZmenaTyp", XmlText(r.Sloupec[1].TRANSAKCE)));
    if (part == 13) {
        WrapIco(f, "PartnerAktivaPasiva", r.P1);
        WrapIco(f, "PartnerTransakce", r.P2);
    } else {
        WrapIco(f, "Partner", r.P1);
    }
    if (part == 10) {
        for (int c = 1; c <= 4; ++c)
            f.Line(
                Element(kField, "Sloupec0" + std::to_string(c), XmlAmount(r.Sloupec[c].SLOUPEC)));
    } else if (part == 11) {
        f.Line(Element(kField, "Sloupec05", XmlAmount(r.Sloupec[1].SLOUPEC)));
        f.Line(Element(kField, "Sloupec06", XmlAmount(r.Sloupec[2].SLOUPEC)));
    } else {
        f.Line(Element(kField, "Sloupec07", XmlAmount(r.Sloupec[1].SLOUPEC)));
    }
    f.Line(kRow + "</Radek>");
}

}  // namespace

void WriteFragment2013(XmlLines& f, int part, const Rows& rows) {
    const std::string cast = "Cast" + std::to_string(part);
    f.Line(kCast + "<" + cast + ">");
    if (part <= 3)
        WriteContainersI(f, part, rows);
    else
        WriteContainersIV(f, part, rows);
    f.Line(kCast + "</" + cast + ">");
}

void WriteBody2013(XmlLines& f, const PartFile& part, const Rows& rows, const XmlExportParams& p,
                   const HeaderDates& dates) {
    WriteBodyOpening(f, part);
    WriteStatementHeader(f, p, dates, false);
    if (!rows.empty() && !rows.front().SA.Get().empty())
        for (const pap::tVeta_Zorvi& r : rows)
            WriteRowXtoXIII(f, part.part, r);
    f.Line(std::string(4, '\t') + "</" + std::string(part.root) + ">");
}

}  // namespace axo::xml

// The part files from the result rows, methodology from 2014: fragments I-IX and the bodies of
// parts X-XIII, XV and XVI.
#include "xml/papXML_2014.h"

#include "util/Retezce.h"

namespace axo::xml {

namespace {

using namespace layout;
const std::string kRowOpenXV = Indent("1t 24s 1t");
const std::string kWrapper = Indent("1t 40s");
const std::string kPartnerLine = Indent("1t 48s");

std::string Sloupec(int n) {
    return n < 10 ? "Sloupec0" + std::to_string(n) : "Sloupec" + std::to_string(n);
}

void WriteFragmentRowsI(XmlLines& f, int part, const Rows& rows) {
    for (const pap::tVeta_Zorvi& r : rows) {
        f.Line(kFragmentRow + "<Radek>");
        f.Line(Element(kFragmentField, "PolozkaCislo", XmlText(Trim(r.SA))));
        if (part == 1) {
            for (int c = 1; c <= 4; ++c)
                f.Line(Element(kFragmentField, Sloupec(c), XmlAmount(r.Sloupec[c].SLOUPEC)));
        } else {
            f.Line(Element(kFragmentField, "Sloupec05", XmlAmount(r.Sloupec[1].SLOUPEC)));
            f.Line(Element(kFragmentField, "Sloupec06", XmlAmount(r.Sloupec[2].SLOUPEC)));
        }
        f.Line(kFragmentRow + "</Radek>");
    }
}

void WritePass(XmlLines& f, const ChangeColumn& pass, const Rows& rows) {
    const std::size_t count = pass.firstOnly ? std::min<std::size_t>(rows.size(), 1) : rows.size();
    for (std::size_t i = 0; i < count; ++i) {
        const pap::tSloupec& cell = Cell(rows[i], pass.column);
        if (!CellWritten(cell))
            continue;
        f.Line(kFragmentRow + "<Radek>");
        f.Line(Element(kFragmentField, "PolozkaCislo", XmlText(Trim(rows[i].SA))));
        f.Line(Element(kFragmentField, "ZmenaTyp", XmlText(cell.TRANSAKCE)));
        f.Line(Element(kFragmentField, "Castka", XmlAmount(cell.SLOUPEC)));
        f.Line(kFragmentRow + "</Radek>");
    }
}

/// The partner of a row: a country code (at most 2 characters, empty included) with the
/// partner's name, or an identification number of at most 8 characters.
void WritePartner(XmlLines& f, const Text& partner, const Text& name) {
    if (partner.size() <= 2) {
        f.Line(Element(kPartnerLine, "stm:PartnerZeme", XmlText(partner)));
        f.Line(Element(kPartnerLine, "stm:PartnerNazev", XmlText(name)));
    } else {
        f.Line(Element(kPartnerLine, "stm:PartnerIC", XmlText(partner.substr(0, 8))));
    }
}

void WrapPartner(XmlLines& f, const std::string& indent, const std::string& wrapper,
                 const Text& partner, const Text& name) {
    f.Line(indent + "<" + wrapper + ">");
    WritePartner(f, partner, name);
    f.Line(indent + "</" + wrapper + ">");
}

/// The public contract lines of part X; one number may give several.
void WritePublicContract(XmlLines& f, const Text& number) {
    if (number.empty())
        return;
    const auto at = [&number](std::size_t i) { return i < number.size() ? number[i] : '\0'; };
    if (at(0) == 'P' && at(3) == 'V')
        f.Line(Element(kField, "stm:VerejnaZakazkaCisloEvidencniProfil", XmlText(number)));
    if (at(0) == 'N' && at(6) == 'V')
        f.Line(Element(kField, "stm:VerejnaZakazkaCisloEvidencniNEN", XmlText(number)));
    if (number.size() <= 6)
        f.Line(Element(kField, "stm:VerejnaZakazkaCisloEvidencniVestnik", XmlText(number)));
}

void WriteRowXtoXIII(XmlLines& f, int part, const pap::tVeta_Zorvi& r) {
    const Text name = r.Partner_Nazev;
    f.Line(kRow + "<Radek>");
    f.Line(Element(kField, "PolozkaCislo", XmlText(r.SA)));
    if (part == 12 || part == 13)
        f.Line(Element(kField, "ZmenaTyp", XmlText(r.Sloupec[1].TRANSAKCE)));
    // X breaks rows down by the partner of the assets or liabilities, or else by the partner
    // of the transaction, without which two rows of one account could not be told apart.
    if (part == 10 && !r.P1.Get().empty())
        WrapPartner(f, kWrapper, "PartnerAktivaPasiva", r.P1, name);
    else if (part == 10 && !TrimRight(r.P2).empty())
        WrapPartner(f, kWrapper, "PartnerTransakce", r.P2, name);
    if (part == 11 || part == 12)
        WrapPartner(f, kField, "Partner", r.P1, name);
    if (part == 13) {
        WrapPartner(f, kField, "PartnerAktivaPasiva", r.P1, name);
        WrapPartner(f, kField, "PartnerTransakce", r.P2, name);
    }
    if (part == 10) {
        WritePublicContract(f, r.StZakazka);
        for (int c = 1; c <= 4; ++c)
            f.Line(Element(kField, Sloupec(c), XmlAmount(r.Sloupec[c].SLOUPEC)));
    } else if (part == 11) {
        f.Line(Element(kField, "Sloupec05", XmlAmount(r.Sloupec[1].SLOUPEC)));
        f.Line(Element(kField, "Sloupec06", XmlAmount(r.Sloupec[2].SLOUPEC)));
        // The average margin typed for rows whose code asks for one.
        if (r.X_BezObratu)
            f.Line(Element(kField, "Sloupec07", XmlAmount(r.Sloupec[3].SLOUPEC)));
    } else {
        f.Line(Element(kField, "Sloupec07", XmlAmount(r.Sloupec[1].SLOUPEC)));
    }
    f.Line(kRow + "</Radek>");
}

void WriteRowXVandXVI(XmlLines& f, int part, const pap::tVeta_Zorvi& r) {
    f.Line(kRowOpenXV + "<Radek>");
    f.Line(Element(kWrapper, "PolozkaCislo", XmlText(r.SA)));
    if (part == 16) {
        f.Line(kWrapper + "<PartnerUcetPodrozvahovy>");
        WritePartner(f, r.P1, r.Partner_Nazev);
        f.Line(kField + "</PartnerUcetPodrozvahovy>");
    }
    f.Line(Element(kField, "Sloupec01", XmlAmount(r.Sloupec[1].SLOUPEC)));
    f.Line(Element(kField, "Sloupec04", XmlAmount(r.Sloupec[4].SLOUPEC)));
    f.Line(kRow + "</Radek>");
}

}  // namespace

const pap::tSloupec& Cell(const pap::tVeta_Zorvi& row, ColumnRef column) {
    switch (column.side) {
        case ColumnRef::Side::Debit:
            return row.SloupecMD[column.number];
        case ColumnRef::Side::Credit:
            return row.SloupecDAL[column.number];
        default:
            return row.Sloupec[column.number];
    }
}

void WriteFragment2014(XmlLines& f, int part, const Rows& rows) {
    const std::string cast = "Cast" + std::to_string(part);
    f.Line(kCast + "<" + cast + ">");
    if (part <= 3) {
        WriteFragmentRowsI(f, part, rows);
    } else {
        for (const ChangeColumn& pass : ChangeColumns(part, true))
            WritePass(f, pass, rows);
    }
    f.Line(kCast + "</" + cast + ">");
}

void WriteBody2014(XmlLines& f, const PartFile& part, const Rows& rows, const XmlExportParams& p,
                   const HeaderDates& dates) {
    WriteBodyOpening(f, part);
    WriteStatementHeader(f, p, dates);
    // A first row without analytics stands for a statement without rows.
    if (!rows.empty() && !rows.front().SA.Get().empty()) {
        for (const pap::tVeta_Zorvi& r : rows) {
            if (part.part == 15 || part.part == 16)
                WriteRowXVandXVI(f, part.part, r);
            else
                WriteRowXtoXIII(f, part.part, r);
        }
    }
    f.Line(std::string(4, '\t') + "</" + std::string(part.root) + ">");
}

}  // namespace axo::xml

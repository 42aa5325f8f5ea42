// Parts IV-IX in the XML: which columns of the result each methodology carries and in what
// order, and the amounts of the printout that do not reach the central system, with the
// protocol that lists them.
#include "pap/papProtokol.h"
#include "util/Cisla.h"
#include "util/Retezce.h"
#include "xml/papXML_2014.h"

namespace axo::xml {

namespace {

/// The columns from 2014: side columns only in VIII and IX, column 14 of IV from the first
/// record only and after column 15.
std::vector<ChangeColumn> Columns2014(int part) {
    std::vector<ChangeColumn> cols;
    const auto range = [&cols](int from, int to) {
        for (int n = from; n <= to; ++n)
            cols.push_back({Numbered(n)});
    };
    switch (part) {
        case 4:
            range(1, 13);
            range(15, 15);
            cols.push_back({Numbered(14), true});
            range(16, 21);
            break;
        case 5:
            range(1, 10);
            break;
        case 6:
            range(1, 14);
            break;
        case 7:
            range(1, 12);
            break;
        case 8:
            range(1, 6);
            cols.push_back({Debit(0)});
            range(7, 15);
            cols.push_back({Credit(0)});
            range(16, 16);
            break;
        case 9:
            range(1, 4);
            cols.push_back({Debit(0)});
            range(5, 9);
            cols.push_back({Credit(0)});
            range(10, 10);
            break;
    }
    return cols;
}

/// The column containers up to 2013: the side columns stand between the numbered ones.
std::vector<ChangeColumn> Columns2013(int part) {
    std::vector<ChangeColumn> cols;
    const auto range = [&cols](int from, int to) {
        for (int n = from; n <= to; ++n)
            cols.push_back({Numbered(n)});
    };
    const auto add = [&cols](std::initializer_list<ColumnRef> refs) {
        for (ColumnRef r : refs)
            cols.push_back({r});
    };
    switch (part) {
        case 4:
            range(1, 11);
            add({Debit(0)});
            range(12, 17);
            add({Numbered(19), Numbered(18), Numbered(20), Credit(0)});
            range(21, 21);
            break;
        case 5:
            range(1, 5);
            add({Debit(0), Debit(1)});
            range(6, 12);
            add({Credit(0), Credit(1)});
            range(13, 13);
            break;
        case 6:
            range(1, 7);
            add({Debit(0)});
            range(8, 18);
            add({Credit(0)});
            range(19, 19);
            break;
        case 7:
            range(1, 6);
            add({Debit(0)});
            range(7, 13);
            add({Credit(0)});
            range(14, 14);
            break;
        case 8:
            range(1, 7);
            add({Debit(0), Debit(1)});
            range(8, 18);
            add({Credit(0), Credit(1)});
            range(19, 19);
            break;
        case 9:
            range(1, 4);
            add({Debit(0)});
            range(5, 9);
            add({Credit(0)});
            range(10, 10);
            break;
    }
    return cols;
}

bool Same(ColumnRef a, ColumnRef b) {
    return a.side == b.side && a.number == b.number;
}

/// Every amount column of a result row that statements IV-IX fill.
std::vector<ColumnRef> AllColumns() {
    std::vector<ColumnRef> all;
    for (int n = 1; n < pap::kSloupcu; ++n)
        all.push_back(Numbered(n));
    for (int k = 0; k < 2; ++k) {
        all.push_back(Debit(k));
        all.push_back(Credit(k));
    }
    return all;
}

/// Why a non-zero cell of row `index` is not carried; empty when it is.
Text Reason(const pap::tSloupec& cell, const ChangeColumn* layout, std::size_t index) {
    if (Trim(cell.TRANSAKCE).empty())
        return "chybí kód transakce"_t;
    if (!layout)
        return "XML části tento sloupec nemá"_t;
    if (layout->firstOnly && index != 0)
        return "do XML jen z prvního řádku"_t;
    if (!CellWritten(cell))
        return "kód není pro řádek povolen"_t;
    return {};
}

}  // namespace

bool CellWritten(const pap::tSloupec& cell) {
    return cell.KRIZEK <= 1 && !Trim(cell.TRANSAKCE).empty();
}

std::vector<ChangeColumn> ChangeColumns(int part, bool od2014) {
    return od2014 ? Columns2014(part) : Columns2013(part);
}

std::vector<UntransmittedAmount> UntransmittedAmounts(int part, bool od2014, const Rows& rows) {
    const std::vector<ChangeColumn> layout = ChangeColumns(part, od2014);
    std::vector<UntransmittedAmount> amounts;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (const ColumnRef column : AllColumns()) {
            const pap::tSloupec& cell = Cell(rows[i], column);
            if (EqualAtDecimals(cell.SLOUPEC, 0, 2))
                continue;
            const auto carried =
                std::find_if(layout.begin(), layout.end(),
                             [&](const ChangeColumn& c) { return Same(c.column, column); });
            const Text reason = Reason(cell, carried == layout.end() ? nullptr : &*carried, i);
            if (!reason.empty())
                amounts.push_back(
                    {part, Trim(rows[i].SA), Trim(cell.TRANSAKCE), cell.SLOUPEC, reason});
        }
    }
    return amounts;
}

void ShowUntransmitted(const XmlExportContext& ctx, const std::vector<UntransmittedAmount>& amounts,
                       const FragmentPeriod& period, const Text& processName) {
    if (amounts.empty())
        return;
    ui::ListingEnvironment env = ctx.listing;
    if (!env.data)
        env.data = ctx.data;
    std::unique_ptr<pap::tChybovyProtokol> protocol = pap::tChybovyProtokol::Zaloz(
        env, pap::tChybovyProtokol::Titulek(period.from, period.to, period.year), processName);
    if (!protocol)
        return;
    for (const UntransmittedAmount& a : amounts)
        protocol->ZapisNeprenesenou(Trim(RomanNumeral(a.part)), a.analytics, a.code, a.amount,
                                    a.reason);
    protocol->Ukaz();
}

}  // namespace axo::xml

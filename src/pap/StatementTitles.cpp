// The statement titles.
#include "pap/StatementTitles.h"

#include "util/Cisla.h"

namespace axo::pap {

Text StatementTitle(int n) {
    static const Text kTitles[kStatementCount] = {
        "Počáteční a koncové stavy a obraty na vybraných rozvahových účtech"_t,
        "Vybrané náklady od počátku roku za hlavní a hospodářskou činnost"_t,
        "Vybrané výnosy od počátku roku za hlavní a hospodářskou činnost"_t,
        "DNM a DHM - typy změn na straně MD a DAL vybraných rozvahových účtů"_t,
        "Zásoby - typy změn na straně MD a DAL vybraných rozvahových účtů"_t,
        "Pohledávky - typy změn na straně MD a DAL vybraných rozvahových účtů"_t,
        "Závazky - typy změn na straně MD a DAL vybraných rozvahových účtů"_t,
        "Ostatní aktiva - typy změn na straně MD a DAL vybraných rozvahových účtů"_t,
        "Jmění účetní jednotky - typy změn na straně MD a DAL vybraných rozvahových účtů"_t,
        "Počáteční a koncové stavy a obraty na vybraných rozvahových účtech v členění podle "
        "jednotlivých partnerů aktiva / pasiva nebo partnerů transakce"_t,
        "Vybrané náklady a výnosy od počátku roku za hlavní a hospodářskou činnost v členění "
        "podle jednotlivých partnerů transakce"_t,
        "Typy změn na straně MD a DAL vybraných rozvahových účtů v členění podle jednotlivých "
        "partnerů transakce"_t,
        "Typy změn na straně MD a DAL vybraných rozvahových účtů v členění podle jednotlivých "
        "partnerů aktiva / pasiva a partnerů transakce"_t,
        "Přehled majetkových účastí a jejich změn"_t,
        "Přehled podrozvahových účtů"_t,
        "Počáteční a koncové stavy na vybraných podrozvahových účtech v členění podle "
        "jednotlivých partnerů podrozvahového účtu"_t,
        "Vysvětlení významných částek"_t,
    };
    return n >= 1 && n <= kStatementCount ? kTitles[n - 1] : Text();
}

Text StatementCaption(int n) {
    if (n < 1 || n > kStatementCount)
        return {};
    return RomanNumeral(n) + ". "_t + StatementTitle(n);
}

}  // namespace axo::pap

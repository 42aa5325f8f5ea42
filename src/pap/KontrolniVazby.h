// The checks between the parts of PAP before the files go out: the states and turnovers of
// part I, its turnovers against the breakdown by transaction type in IV-IX and by partner in X,
// parts II and III against XI, XV against XVI, and every sum row against its rows. What does
// not agree is listed in a protocol, as the central system would refuse or return it.
#pragma once

#include <map>
#include <vector>

#include "pap/StatementContext.h"
#include "pap/papVykazFiles.h"

namespace axo::pap {

/// The compiled rows of the parts the checks compare, by statement number.
using VysledkyCasti = std::map<int, std::vector<tVeta_Zorvi>>;

/// One difference: the part and row it is found on, the rule, the amount there and the amount
/// the other side gives.
struct RozdilVazby {
    int cast = 0;
    int radek = 0;
    Text analytika;
    Text vazba;  ///< the rule, e.g. "MD v IV." or "součet sl.2"
    double castka = 0;
    double mabyt = 0;
};

/// Compiles the compared parts (I-XI without XII and XIII, XV, XVI; IX up to 2021) for months
/// `od`-`doMesic` of the fiscal year in one pass over the document lines, without dialogs,
/// printouts or protocols. False when the pass was aborted or a table cannot be opened.
bool SestavCastiProKontrolu(StatementContext& ctx, int od, int doMesic, VysledkyCasti& vysledky);

/// The differences between the parts, in part and row order; empty when everything agrees.
std::vector<RozdilVazby> KontrolniVazby(const VysledkyCasti& vysledky);

/// The protocol lines (without frame) of the differences: part, row, analytics, rule, the two
/// amounts and their difference.
std::vector<Text> RadkyVazeb(const std::vector<RozdilVazby>& rozdily);

/// Compiles, checks and shows the result: the protocol "kontrolní vazby" of the differences,
/// or a message that the parts agree. The number of differences, or -1 when not compiled.
int KontrolaVazeb(StatementContext& ctx, int od, int doMesic);

}  // namespace axo::pap

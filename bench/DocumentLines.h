// The document lines the storage benchmarks walk: the program's own file kind (the UDPO layout,
// 331 bytes, 3 keys) and a deterministic line for each number.
#pragma once

#include <cstdlib>

#include "pap/PapFiles.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::storage {

using pap::tVetaUDPO;

/// The document line table: the program's own file kind, named "UDPO" + `suffix`.
class tUDPO : public pap::tFileUDPO {
  public:
    tUDPO(const DataContext& ctx, const Text& suffix)
        : pap::tFileUDPO(ctx, {ctx.currentDirectory, ctx.currentDirectory, suffix, 3}) {}
};

/// A deterministic document line number i.
inline tVetaUDPO Line(std::int32_t i) {
    tVetaUDPO r{};
    r.IDENTIFIKACE = "2024"_t + IntToTextZeros(1 + i % 12, 2) + "FP "_t + IntToTextZeros(i / 8, 6);
    r.RADEK = 1 + i % 8;
    r.MENA = "CZK"_t;
    r.KURZ = 1;
    r.SU = static_cast<std::uint16_t>(100 + (i * 7919LL) % 900);
    r.AE = static_cast<std::uint16_t>(i % 50);
    r.STREDISKO = i % 17;
    r.ZAKAZKA = "Z"_t + IntToTextZeros(i % 101, 4);
    r.MA_DATI = (i % 1000) * 1.25;
    r.DAL = (i % 333) * 0.5;
    r.VS1 = IntToTextZeros((i * 31LL) % 1000003, 10);
    r.POZNAMKA = "Úhrada faktury č. "_t + IntToText(i);
    r.PARTNER = "25596641"_t;
    r.KOD = "0"_t + IntToTextZeros(i % 70, 2);
    if (i % 3 == 0)
        r.SALDO_PAR.Year = 2024;
    return r;
}

/// The layer's walk of the document lines named "UDPO" + `suffix`: BtNextKey + GetRec in the
/// order of key 2. Returns a checksum so the walk cannot be optimised away.
inline long long LayerWalk(const DataContext& ctx, const Text& suffix, std::int32_t& records) {
    tUDPO file(ctx, suffix);
    if (!file.InitFile(1, _NoWait))
        std::exit(1);
    long long sum = 0;
    records = 0;
    std::int32_t n = 0;
    Text key;
    tVetaUDPO r;
    file.BtClearKey(2);
    while (file.BtNextKey(2, n, key)) {
        file.GetRec(n, &r);
        sum += r.RADEK + r.SU + key.size();
        ++records;
    }
    return sum;
}

}  // namespace axo::storage

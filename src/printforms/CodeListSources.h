// The records the code lists of this program feed their print forms with: the chart of
// accounts with its PAP attributes (type "UCROZVRH"), the PAP codes for statements and the
// transaction codes (type "OSTATNI", kinds 1 and 2). Each source walks its table in the order
// the data text names ("1", "2", "3"; the first order when empty) and sets one acronym per
// field:
//
//   chart:    SE, AE (three digits), UCET ("501.100"), NAZ_UCT, CIZI_NAZEV_UCTU, AKT_PAS, POVAHA,
//             MENA, SALDO ("x"), STAT_ANAL, KOD ("X"), PARTNER ("P-T", "P-AP", "P"),
//             PARTNER2 ("X"), VYKAZY (statement numbers), CINNOST, IDENTIFIKACE,
//             POZNAMKYZAHLAVI; note lines
//   PAP codes: STAT_ANAL, POPIS, SKUPINA ("  I", " II", "III", " XV"), RADEK, PARTNER ("T",
//             "AP"), PARTNER2, KONSOLIDACE, KOD ("x"), VYKAZY, KODY_MD, KODY_DAL,
//             KODY_TRANSAKCI ("MD 01 02  D 51", empty without codes)
//   transaction codes: KOD, NAZEV, PARTNER ("Partner"), DVA_PARTNERI ("2PT")
#pragma once

#include <memory>

#include "pap/PapFiles.h"
#include "printforms/FormPrinter.h"

namespace axo::printforms {

/// The data of the code-list form types of `where`: "UCROZVRH" the chart; "OSTATNI" the
/// transaction codes for a form of kind 2 (and not 1) or the data text "KODY" (followed by the
/// order), the PAP codes otherwise. Other types have no data. A list that cannot be opened gives
/// no record, after a message.
DataSourceProvider CodeListSources(const storage::DataContext& ctx, const pap::PapLocation& where);

/// The data text that selects the transaction codes of type "OSTATNI".
inline constexpr const char* kTransactionCodesData = "KODY";

}  // namespace axo::printforms

// The answers of the VAT payer register: the result records of a status query or of the
// complete list of unreliable payers, read from the SOAP answer with an XML parser (elements
// and attributes matched by their local names, whatever namespace prefixes the answer uses).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "util/Text.h"

namespace axo::lookups {

/// Reliability of a payer as the register states it.
enum class Reliability { Unknown = 0, Reliable = 1, Unreliable = 2, NotFound = 3 };

/// The register's word for a reliability: "NE", "ANO", "NENALEZEN" (empty for Unknown).
Text ReliabilityWord(Reliability reliability);

/// One result record: one for each published account of each payer, one for a payer without
/// accounts. Dates are date texts (" 5. 3.2024"); empty when the answer has none.
struct VatPayerRecord {
    Text statusText;       ///< the answer's status text
    int statusCode = 0;    ///< 1 to 4 for the answer codes "0" to "3"; 0 for any other
    Text answerDate;       ///< odpovedGenerovana
    Text taxOffice;        ///< cisloFu, 3 characters
    Text unreliableSince;  ///< datumZverejneniNespolehlivosti
    Reliability reliability = Reliability::Unknown;
    Text dic;  ///< without the country prefix
    bool hasAccount = false;
    Text accountDate;  ///< datumZverejneni
    Text prefix;       ///< predcisli (10)
    Text number;       ///< cislo (up to 50)
    Text bankCode;     ///< kodBanky (10)
    Text nonStandard;  ///< the non-standard account's number (42), used instead of the above

    friend bool operator==(const VatPayerRecord&, const VatPayerRecord&) = default;
};

/// A parsed answer, or why it could not be read.
struct VatAnswer {
    std::vector<VatPayerRecord> records;
    Text statusText;
    int statusCode = 0;
    Text answerDate;
    /// Empty when the answer was read; else what was wrong ("the answer is incomplete", the
    /// register's SOAP fault text, ...).
    Text problem;
};

/// Reads the answer whose body element is `response` (local name,
/// "StatusNespolehlivyPlatceResponse" or "SeznamNespolehlivyPlatceResponse"). No network
/// access, no DTD, no entity expansion; a document with a DTD is refused.
VatAnswer ParseVatAnswer(std::string_view xml, std::string_view response);

/// The SOAP request of a status query for the DIČs (each "CZ" + digits; sent without "CZ").
std::string StatusRequest(const std::vector<Text>& dics);
/// The SOAP request of the complete list of unreliable payers.
std::string ListRequest();

/// "yyyy-mm-dd" (anything may follow) as a date text; empty when it is no such date.
Text DateFromIso(std::string_view iso);

/// An account as the result shows it: prefix + "-" + number + separator + bank code (without
/// the prefix part when there is no prefix), or the non-standard text.
Text AccountText(const VatPayerRecord& record, const Text& separator);

}  // namespace axo::lookups

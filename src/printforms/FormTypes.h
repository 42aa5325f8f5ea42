// Print form types and kinds: the numbers and names of the family's form types, the kind bits a
// report template takes from the variant word of its file name, and the reading of such a file
// name ("PAP_VYKAZY IV-IX Výkaz IV až IX.pts": type word, variant word, free text).
#pragma once

#include <cstdint>

#include "util/Text.h"

namespace axo::printforms {

/// The type number of a name no task asks for.
inline constexpr int kUnknownFormType = 65535;
/// The type a picker entry of a report template carries.
inline constexpr int kTemplateEntryType = 255;

// The form types this program prints with.
inline constexpr int kTypeOstatni = 4;     ///< "OSTATNI": the PAP code lists
inline constexpr int kTypeUcRozvrh = 31;   ///< "UCROZVRH": the chart of accounts
inline constexpr int kTypeExAdresy = 36;   ///< "EXADRESY": external addresses
inline constexpr int kTypePapVykazy = 58;  ///< "PAP_VYKAZY": the PAP statements

// Kinds of the "OSTATNI" forms of the PAP code lists.
inline constexpr std::uint16_t kKindPapCodes = 1;          ///< PAP codes for statements
inline constexpr std::uint16_t kKindTransactionCodes = 2;  ///< transaction codes

/// The number of a type name, compared trimmed and upper-cased (at most 20 characters);
/// kUnknownFormType when the name is none of the family's.
int FormTypeNumber(const Text& name);
/// The name of a type number; empty for a number without a type (6, above 59).
Text FormTypeName(int number);
/// A type given as its number or its name; kUnknownFormType when it is neither.
int ParseFormType(const Text& text);

/// The kind a report template of type `type` takes from its variant word (trimmed and
/// upper-cased, at most 20 characters): 1 without a variant word, the "PREDKONTACE" bits for
/// every type, the bits of the type's table otherwise, 0 for any other word.
std::uint16_t TemplateKind(int type, const Text& variantWord);

/// The words of a report template's file name.
struct TemplateFileName {
    Text typeWord;     ///< up to the first blank or full stop
    Text variantWord;  ///< up to the next blank or full stop; empty when none
};
/// Splits a file name: the type word ends at the first blank or full stop; after a blank the
/// variant word ends at the next blank or full stop.
TemplateFileName SplitTemplateFileName(const Text& fileName);

/// Whether a kind is meant for a mask: a text form of kind 0 fits every mask, any other kind
/// needs a bit in common with it.
inline bool TextFormFits(std::uint16_t kind, std::uint16_t mask) {
    return kind == 0 || (kind & mask) != 0;
}

}  // namespace axo::printforms

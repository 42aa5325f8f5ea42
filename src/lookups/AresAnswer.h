// The business register ARES: the address of its record of one organisation, the answer read
// with a JSON parser into the fields of an external address.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "util/Text.h"

namespace axo::lookups {

/// The fields an external address takes from the register, cut to the address's sizes.
struct AresAddress {
    Text ico;
    Text dic;                   ///< 15
    std::array<Text, 4> names;  ///< the name in lines of 30
    Text stateCode;             ///< 2
    Text stateName;             ///< 30
    Text town;                  ///< 25
    Text street;                ///< 30: street, house number, "/" orientation number and letter
    Text postcode;              ///< "110 00"

    friend bool operator==(const AresAddress&, const AresAddress&) = default;
};

enum class AresResult {
    Found,
    NotFound,   ///< the register has no record of the IČO
    Unreadable  ///< the answer is no JSON object of the register or is for another IČO
};

struct AresAnswer {
    AresResult result = AresResult::Unreadable;
    AresAddress address;
    Text problem;  ///< what was wrong with an unreadable answer
};

/// The address of the economic subject `ico` at the register at `baseUrl` (scheme and host).
std::string AresSubjectUrl(const std::string& baseUrl, const Text& ico);

/// Reads the register's answer to the query for `ico`. A record must have the key "ico" with
/// the IČO asked for; the other keys are looked for at the top, then in "sidlo", then anywhere.
AresAnswer ParseAresAnswer(std::string_view json, const Text& ico);

/// Whether an answer with an HTTP error status is the register saying it has no such record
/// (its error object with the code "NENALEZENO").
bool AresNotFoundAnswer(std::string_view json);

/// A name split at blanks into up to four lines of `width` characters; a word longer than a
/// line is cut, what does not fit the four lines is dropped.
std::array<Text, 4> SplitName(const Text& name, std::size_t width = 30);

/// A postcode of five digits as three digits, a blank and two digits; any other as it is.
Text PostcodeText(const Text& postcode);

}  // namespace axo::lookups

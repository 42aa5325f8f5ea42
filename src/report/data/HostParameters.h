// The fifteen parameters the program hands to every report of a statement (&1 ... &15 in the
// templates): the organisation's texts from the data installation record, the currency sign,
// and the logged-in user's texts.
#pragma once

#include <vector>

#include "startup/InstallationRecords.h"
#include "util/Text.h"

namespace axo::report {

inline constexpr int kHostParameterCount = 15;

/// The parameters in their fixed order, each trimmed: 1 the organisation's name, 2 its address,
/// 3 the currency sign, 4 the issuer name of the user, 5 IČO, 6 DIČ, 7 telephone, 8 fax, 9 and
/// 10 the two lines of the commercial register, 11 the waste disposal text, 12 the reserved text
/// after it, 13 the user's mobile, 14 the user's e-mail, 15 the preview text.
std::vector<Text> HostParameters(const startup::tVetaAXO_DATA& data,
                                 const startup::tVetaAXO_USER& user, const Text& currencySign);

}  // namespace axo::report

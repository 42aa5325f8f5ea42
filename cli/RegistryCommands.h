// The registry lookup commands of axo-pap-cli: the VAT payer check of DIČs or of the whole
// external address list, an organisation's address from ARES, and the list of unreliable
// payers.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// registry vat DIČ... | registry vat --addresses | registry ares IČO |
/// registry unreliable [--addresses] [--details]
int RunRegistry(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli

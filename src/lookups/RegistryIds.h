// The identifiers the registry lookups send: the tax number (DIČ) of a VAT payer and the
// identification number (IČO) of an organisation, checked strictly before they go into a
// request or a URL.
#pragma once

#include "util/Text.h"

namespace axo::lookups {

/// Whether `dic` is "CZ" followed by 8 to 10 digits and nothing else.
bool DicValid(const Text& dic);

/// The message for a DIČ the VAT payer check refuses, empty when it is fit to send: empty,
/// not beginning with "CZ", nothing after "CZ", or other than 8 to 10 digits after it.
Text DicProblem(const Text& dic);

/// Whether `ico` is 8 digits whose last is the modulo-11 check digit of the first seven. The
/// special values of the record check ("111" ...) stand for no organisation and are not valid
/// here.
bool IcoValidForLookup(const Text& ico);

}  // namespace axo::lookups

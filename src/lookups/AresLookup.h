// The business register ARES: the name and address of an organisation by its IČO, and the VAT
// payer register's public search page opened in the browser.
#pragma once

#include <optional>

#include "lookups/AresAnswer.h"
#include "lookups/LookupContext.h"

namespace axo::lookups {

/// How a lookup of one IČO ended, without any message.
struct AresOutcome {
    AresResult result = AresResult::Unreadable;
    AresAddress address;
    Text problem;  ///< Unreadable: the cause (network, status, answer)
};

/// Asks ARES for the IČO (which must be fit for a lookup) without showing anything.
AresOutcome LookUpAres(LookupContext& ctx, const Text& ico);

/// Fills an address from ARES by the IČO: refused (with its message) when forbidden by the
/// configuration, when the IČO is empty or fails the check digit; "no record" when the register
/// has none; a network or answer failure is reported as such. The address on success.
std::optional<AresAddress> FillFromAres(LookupContext& ctx, const Text& ico);

/// The address of the VAT payer register's public search page.
std::string VatRegisterPageUrl(const RegistrySettings& settings);

/// Opens the register's search page with the browser of the output settings (else
/// "xdg-open"); forbidden by the configuration, or a browser that cannot start, is reported.
/// True when the browser was started.
bool OpenVatRegisterPage(LookupContext& ctx);

}  // namespace axo::lookups

// Where the registers are and how long and how much the program waits for them: read from the
// installation's configuration file, with the public registers as defaults.
//
//   AXO_REGISTR_DPH_URL     the VAT payer register's SOAP service
//   AXO_REGISTR_DPH_WEB     the VAT payer register's public web pages (scheme and host)
//   AXO_ARES_URL            the business register ARES (scheme and host)
//   AXO_REGISTRY_CA         a file of trusted certificates (PEM) instead of the system's store
//   AXO_REGISTRY_SPOJENI_MS time to connect, in milliseconds (10000)
//   AXO_REGISTRY_DOTAZ_MS   time for one query, in milliseconds (30000)
//   AXO_REGISTRY_MAX_KB     the largest answer to one query (8192 KB); the complete list of
//                           unreliable payers may be 32 times as large and is limited by a low
//                           speed (less than 1 KB/s for 60 s) rather than by a time
#pragma once

#include <filesystem>
#include <string>

#include "lookups/HttpTransport.h"
#include "startup/AxoCfg.h"
#include "util/Text.h"

namespace axo::lookups {

inline constexpr const char* kDefaultVatServiceUrl =
    "https://adisrws.mfcr.cz/dpr/axis2/services/rozhraniCRPDPH.rozhraniCRPDPHSOAP";
inline constexpr const char* kDefaultVatWebUrl = "https://adisreg.mfcr.cz";
inline constexpr const char* kDefaultAresUrl = "https://ares.gov.cz";

struct RegistrySettings {
    std::string vatServiceUrl = kDefaultVatServiceUrl;
    std::string vatWebUrl = kDefaultVatWebUrl;
    std::string aresUrl = kDefaultAresUrl;
    std::filesystem::path caFile;  ///< empty: the system's store
    HttpLimits query;              ///< one status query or ARES lookup
    HttpLimits list;               ///< the complete list of unreliable payers
};

/// The settings of a configuration file; a relative CA file is taken from `home`. A value that
/// is not usable (an address that is not http:// or https://, a limit that is no positive
/// number) is reported in `problem` ("AXO_ARES_URL=ftp://x: ...") and its default kept.
RegistrySettings ReadRegistrySettings(const startup::ConfigFile& config,
                                      const std::filesystem::path& home, Text* problem = nullptr);

}  // namespace axo::lookups

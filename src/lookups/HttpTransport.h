// The transport of the registry lookups: one HTTP exchange (a GET, or a POST of a SOAP request)
// with limits on time and size, behind an interface so that tests can see what is sent, and the
// libcurl implementation the program uses. Certificate and host verification are always on.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "util/Text.h"

namespace axo::lookups {

/// Why an exchange gave no usable answer.
enum class TransportFailure {
    None,          ///< an answer with a 2xx status came whole
    NoConnection,  ///< the host could not be reached (name, refused, reset)
    TimedOut,      ///< a time limit ran out
    Certificate,   ///< the server's certificate or the secure channel could not be verified
    HttpStatus,    ///< the server answered with a status other than 2xx
    TooLarge,      ///< the answer exceeded the size cap
    Other,         ///< anything else the transport reports
};

/// What is sent: a GET when `body` is empty, else a POST of `body`.
struct HttpRequest {
    std::string url;
    std::string body;
    std::string contentType;  ///< of the body
    std::string soapAction;   ///< the SOAPAction header; empty: none
};

/// Limits of one exchange; 0 turns a limit off.
struct HttpLimits {
    long connectMs = 10000;          ///< to establish the connection
    long totalMs = 30000;            ///< the whole exchange
    long lowSpeedBytes = 0;          ///< the exchange fails when slower than this many bytes a
    long lowSpeedSeconds = 0;        ///< second for this many seconds
    std::size_t maxBytes = 8 << 20;  ///< the largest answer taken
};

struct HttpResponse {
    TransportFailure failure = TransportFailure::None;
    long status = 0;     ///< the HTTP status when one came
    std::string body;    ///< the answer (also with a status failure, for the register's text)
    std::string detail;  ///< the transport's own words on a failure
    bool Ok() const { return failure == TransportFailure::None; }
};

class HttpTransport {
  public:
    virtual ~HttpTransport() = default;
    /// Carries out one exchange within the limits. Never throws; every failure is in the
    /// response.
    virtual HttpResponse Send(const HttpRequest& request, const HttpLimits& limits) = 0;
};

/// The transport through libcurl: only http and https, no redirects, certificates and host
/// names verified against the system's store, or against `caFile` when given. Proxies of the
/// environment are honoured except for the loopback addresses.
std::unique_ptr<HttpTransport> MakeCurlTransport(const std::filesystem::path& caFile);

/// The host of a URL ("ares.gov.cz", "127.0.0.1:8080"); the URL itself when it has none.
std::string UrlHost(const std::string& url);

/// The cause of a failed exchange with `url` for a message: what happened and with which host.
Text FailureCause(const HttpResponse& response, const std::string& url);

/// Percent-encodes everything but letters, digits and "-._~" for a URL path segment or query.
std::string UrlEncode(const std::string& text);

}  // namespace axo::lookups

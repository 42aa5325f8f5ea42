// The libcurl transport and the texts of its failures.
#include "lookups/HttpTransport.h"

#include <curl/curl.h>

#include <cstdlib>
#include <mutex>

#include "util/Cisla.h"

namespace axo::lookups {

namespace {

struct Download {
    std::string body;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
    auto* download = static_cast<Download*>(user);
    const std::size_t bytes = size * count;
    if (download->maxBytes > 0 && download->body.size() + bytes > download->maxBytes) {
        download->tooLarge = true;
        return 0;  // libcurl ends the transfer with a write error
    }
    download->body.append(data, bytes);
    return bytes;
}

TransportFailure FailureOf(CURLcode code) {
    switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_CONNECT:
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_GOT_NOTHING:
        case CURLE_PARTIAL_FILE:
            return TransportFailure::NoConnection;
        case CURLE_OPERATION_TIMEDOUT:
            return TransportFailure::TimedOut;
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
            return TransportFailure::Certificate;
        case CURLE_FILESIZE_EXCEEDED:
            return TransportFailure::TooLarge;
        default:
            return TransportFailure::Other;
    }
}

/// The proxy exceptions: the environment's, and always the loopback addresses, so that a
/// register on this machine is never reached through a proxy.
std::string NoProxyList() {
    std::string list = "localhost,127.0.0.1,::1";
    for (const char* name : {"no_proxy", "NO_PROXY"})
        if (const char* value = std::getenv(name); value && *value)
            return list + "," + value;
    return list;
}

class CurlTransport : public HttpTransport {
  public:
    explicit CurlTransport(std::filesystem::path caFile) : caFile_(std::move(caFile)) {
        static std::once_flag once;
        std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    }

    HttpResponse Send(const HttpRequest& request, const HttpLimits& limits) override {
        HttpResponse response;
        CURL* curl = curl_easy_init();
        if (!curl) {
            response.failure = TransportFailure::Other;
            response.detail = "libcurl";
            return response;
        }
        Download download;
        download.maxBytes = limits.maxBytes;
        char error[CURL_ERROR_SIZE] = {};
        curl_slist* headers = nullptr;
        const std::string noProxy = NoProxyList();
        curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_NOPROXY, noProxy.c_str());
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
        if (!caFile_.empty())
            curl_easy_setopt(curl, CURLOPT_CAINFO, caFile_.c_str());
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectMs);
        curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalMs);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, limits.lowSpeedBytes);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.lowSpeedSeconds);
        if (limits.maxBytes > 0)
            curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                             static_cast<curl_off_t>(limits.maxBytes));
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &download);
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
        curl_easy_setopt(curl, CURLOPT_USERAGENT, "AXO_PAP");
        curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
        if (!request.body.empty()) {
            curl_easy_setopt(curl, CURLOPT_POST, 1L);
            curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.data());
            curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                             static_cast<curl_off_t>(request.body.size()));
            headers = curl_slist_append(headers, ("Content-Type: " + request.contentType).c_str());
            if (!request.soapAction.empty())
                headers = curl_slist_append(headers,
                                            ("SOAPAction: \"" + request.soapAction + "\"").c_str());
            curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
        }
        const CURLcode code = curl_easy_perform(curl);
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response.status);
        curl_slist_free_all(headers);
        curl_easy_cleanup(curl);
        response.body = std::move(download.body);
        if (download.tooLarge) {
            response.failure = TransportFailure::TooLarge;
        } else if (code != CURLE_OK) {
            response.failure = FailureOf(code);
            response.detail = *error ? error : curl_easy_strerror(code);
        } else if (response.status < 200 || response.status > 299) {
            response.failure = TransportFailure::HttpStatus;
        }
        return response;
    }

  private:
    std::filesystem::path caFile_;
};

}  // namespace

std::unique_ptr<HttpTransport> MakeCurlTransport(const std::filesystem::path& caFile) {
    return std::make_unique<CurlTransport>(caFile);
}

std::string UrlHost(const std::string& url) {
    const std::size_t scheme = url.find("://");
    if (scheme == std::string::npos)
        return url;
    const std::size_t begin = scheme + 3;
    const std::size_t end = url.find_first_of("/?#", begin);
    std::string host =
        url.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
    if (const std::size_t at = host.rfind('@'); at != std::string::npos)
        host.erase(0, at + 1);
    return host;
}

Text FailureCause(const HttpResponse& response, const std::string& url) {
    const Text host = FromUtf8(UrlHost(url));
    const Text detail =
        response.detail.empty() ? Text() : " ("_t + FromUtf8(response.detail) + ")"_t;
    switch (response.failure) {
        case TransportFailure::None:
            return {};
        case TransportFailure::NoConnection:
            return "Nelze se spojit se serverem "_t + host + detail + "."_t;
        case TransportFailure::TimedOut:
            return "Server "_t + host + " neodpověděl v časovém limitu."_t;
        case TransportFailure::Certificate:
            return "Certifikát serveru "_t + host + " nelze ověřit"_t + detail + "."_t;
        case TransportFailure::HttpStatus:
            return "Server "_t + host + " odpověděl chybou HTTP "_t + IntToText(response.status) +
                   "."_t;
        case TransportFailure::TooLarge:
            return "Odpověď serveru "_t + host + " přesáhla povolenou velikost."_t;
        case TransportFailure::Other:
            break;
    }
    return "Chyba spojení se serverem "_t + host + detail + "."_t;
}

std::string UrlEncode(const std::string& text) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += hex[u >> 4];
            out += hex[u & 15];
        }
    }
    return out;
}

}  // namespace axo::lookups

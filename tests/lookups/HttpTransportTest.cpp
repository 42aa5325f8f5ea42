// The libcurl transport against servers on 127.0.0.1: statuses, a slow answer cut by the time
// limit, a refused port, an answer over the size cap, and TLS with a certificate made for the
// test, refused unless its CA file is configured.
#include "lookups/HttpTransport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "lookups/RegistryServer.h"
#include "support/ScratchDir.h"

namespace axo::lookups {
namespace {

using test::RegistryServer;
using test::Reply;

HttpLimits Quick() {
    HttpLimits limits;
    limits.connectMs = 2000;
    limits.totalMs = 400;
    return limits;
}

TEST(HttpTransport, AnswersOfTheLoopbackServer) {
    RegistryServer server([](const test::Received& r) {
        if (r.path == "/ok")
            return Reply{200, "<a>ok</a>"};
        if (r.path == "/missing")
            return Reply{404, "{\"kod\":\"NENALEZENO\"}", "application/json"};
        if (r.path == "/broken")
            return Reply{500, "fault"};
        if (r.path == "/slow")
            return Reply{200, {}, "text/xml", true};
        return Reply{200, {}, "text/xml", false, std::size_t{100} << 20};  // /huge: 100 MB
    });
    const struct {
        const char* path;
        TransportFailure failure;
        long status;
        const char* body;
    } cases[] = {
        {"/ok", TransportFailure::None, 200, "<a>ok</a>"},
        // The register's own text of an error stays with the failure.
        {"/missing", TransportFailure::HttpStatus, 404, "{\"kod\":\"NENALEZENO\"}"},
        {"/broken", TransportFailure::HttpStatus, 500, "fault"},
        {"/slow", TransportFailure::TimedOut, 200, ""},
        {"/huge", TransportFailure::TooLarge, 200, ""},
    };
    const auto transport = MakeCurlTransport({});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const auto began = std::chrono::steady_clock::now();
        const HttpResponse r = transport->Send({server.Url() + c.path, {}, {}, {}}, Quick());
        EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(5));
        EXPECT_EQ(c.failure, r.failure) << r.detail;
        EXPECT_EQ(c.status, r.status);
        if (c.failure != TransportFailure::TooLarge) {
            EXPECT_EQ(c.body, r.body);
        }
        EXPECT_LE(r.body.size(), Quick().maxBytes);
    }
}

TEST(HttpTransport, PostCarriesBodyAndSoapAction) {
    RegistryServer server([](const test::Received&) { return Reply{200, "<a/>"}; });
    const auto transport = MakeCurlTransport({});
    const HttpResponse r = transport->Send(
        {server.Url() + "/soap", "<x>&amp;</x>", "text/xml; charset=UTF-8", "getStatus"}, Quick());
    ASSERT_TRUE(r.Ok()) << r.detail;
    const std::vector<test::Received> got = server.Requests();
    ASSERT_EQ(1u, got.size());
    EXPECT_EQ("POST", got[0].method);
    EXPECT_EQ("<x>&amp;</x>", got[0].body);
    EXPECT_NE(std::string::npos, got[0].headers.find("SOAPAction: \"getStatus\""));
}

TEST(HttpTransport, FailuresNamedForTheUser) {
    const auto transport = MakeCurlTransport({});
    const std::string url = "http://127.0.0.1:" + std::to_string(test::ClosedPort()) + "/x";
    const HttpResponse refused = transport->Send({url, {}, {}, {}}, Quick());
    EXPECT_EQ(TransportFailure::NoConnection, refused.failure);
    EXPECT_EQ(0, ToUtf8(FailureCause(refused, url)).find("Nelze se spojit se serverem 127.0.0.1:"));

    const struct {
        TransportFailure failure;
        long status;
        const char* text;
    } cases[] = {
        {TransportFailure::TimedOut, 0, "Server h:1 neodpověděl v časovém limitu."},
        {TransportFailure::HttpStatus, 503, "Server h:1 odpověděl chybou HTTP 503."},
        {TransportFailure::TooLarge, 200, "Odpověď serveru h:1 přesáhla povolenou velikost."},
        {TransportFailure::Certificate, 0, "Certifikát serveru h:1 nelze ověřit."},
    };
    for (const auto& c : cases) {
        HttpResponse r;
        r.failure = c.failure;
        r.status = c.status;
        EXPECT_EQ(c.text, ToUtf8(FailureCause(r, "https://user@h:1/path?q")));
    }
}

TEST(HttpTransport, TlsTrustsOnlyTheConfiguredCertificate) {
    axo::test::ScratchDir dir("axo-tls");
    std::filesystem::create_directories(dir / "root");
    std::ofstream(dir / "root" / "page.txt") << "secure";
    test::TlsServer server(dir.Path(), dir / "root");
    ASSERT_TRUE(server.Running());
    const std::string url = server.Url() + "/page.txt";

    const HttpResponse untrusted = MakeCurlTransport({})->Send({url, {}, {}, {}}, Quick());
    EXPECT_EQ(TransportFailure::Certificate, untrusted.failure) << untrusted.detail;

    HttpLimits limits = Quick();
    limits.totalMs = 5000;
    const HttpResponse trusted =
        MakeCurlTransport(server.CaFile())->Send({url, {}, {}, {}}, limits);
    EXPECT_EQ(TransportFailure::None, trusted.failure) << trusted.detail;
    EXPECT_NE(std::string::npos, trusted.body.find("secure"));

    // The certificate is for 127.0.0.1: the host name must match it too.
    const std::string byName = "https://localhost:" + url.substr(url.rfind(':') + 1);
    const HttpResponse otherName =
        MakeCurlTransport(server.CaFile())->Send({byName, {}, {}, {}}, limits);
    EXPECT_EQ(TransportFailure::Certificate, otherName.failure) << otherName.detail;
}

TEST(HttpTransport, UrlPartsEncoded) {
    EXPECT_EQ("..%2F..%2F.1", UrlEncode("../../.1"));
    EXPECT_EQ("12345679", UrlEncode("12345679"));
    EXPECT_EQ("a%20b%26c%3Fd", UrlEncode("a b&c?d"));
}

}  // namespace
}  // namespace axo::lookups

// The VAT payer register's answers read as XML: namespace prefixes, attribute order, entities,
// missing attributes, non-standard accounts, status codes, and answers that must be refused.
#include "lookups/VatPayerAnswer.h"

#include <gtest/gtest.h>

#include <string>

namespace axo::lookups {
namespace {

constexpr const char* kStatus = "StatusNespolehlivyPlatceResponse";

std::string Envelope(const std::string& body, const std::string& prefix = "soapenv") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><" + prefix + ":Envelope xmlns:" + prefix +
           "=\"http://schemas.xmlsoap.org/soap/envelope/\"><" + prefix + ":Body>" + body + "</" +
           prefix + ":Body></" + prefix + ":Envelope>";
}

/// One record as a line: DIČ, reliability, office, since, account date, account text.
std::string Row(const VatPayerRecord& r) {
    return ToUtf8(r.dic) + "|" + ToUtf8(ReliabilityWord(r.reliability)) + "|" +
           ToUtf8(r.taxOffice) + "|" + ToUtf8(r.unreliableSince) + "|" + ToUtf8(r.accountDate) +
           "|" + (r.hasAccount ? ToUtf8(AccountText(r, "/"_t)) : "-");
}

TEST(VatPayerAnswer, RecordsOfAnswers) {
    const struct {
        const char* name;
        std::string xml;
        int statusCode;
        const char* statusText;
        const char* date;
        std::vector<std::string> rows;
    } cases[] = {
        {"prefixed elements, two accounts, one non-standard",
         Envelope(
             "<ns2:StatusNespolehlivyPlatceResponse "
             "xmlns:ns2=\"http://adis.mfcr.cz/rozhraniCRPDPH/\">"
             "<ns2:status statusCode=\"0\" statusText=\"OK\" odpovedGenerovana=\"2024-03-05\"/>"
             "<ns2:statusPlatceDPH dic=\"12345679\" nespolehlivyPlatce=\"NE\" cisloFu=\"461\">"
             "<ns2:zverejneneUcty>"
             "<ns2:ucet datumZverejneni=\"2013-04-01\"><ns2:standardniUcet predcisli=\"19\" "
             "cislo=\"2000145399\" kodBanky=\"0800\"/></ns2:ucet>"
             "<ns2:ucet datumZverejneni=\"2020-12-31\"><ns2:nestandardniUcet "
             "cislo=\"CZ6508000000192000145399\"/></ns2:ucet>"
             "</ns2:zverejneneUcty></ns2:statusPlatceDPH>"
             "</ns2:StatusNespolehlivyPlatceResponse>"),
         1,
         "OK",
         " 5. 3.2024",
         {"12345679|NE|461|| 1. 4.2013|19-2000145399/0800",
          "12345679|NE|461||31.12.2020|CZ6508000000192000145399"}},
        {"default namespace, attributes in another order, an unreliable payer without accounts",
         Envelope("<StatusNespolehlivyPlatceResponse xmlns=\"http://adis.mfcr.cz/rozhraniCRPDPH/\">"
                  "<status odpovedGenerovana=\"2024-03-05\" statusText=\"OK\" statusCode=\"0\"/>"
                  "<statusPlatceDPH cisloFu=\"013\" datumZverejneniNespolehlivosti=\"2019-02-28\" "
                  "nespolehlivyPlatce=\"ANO\" dic=\"699004742\"/>"
                  "</StatusNespolehlivyPlatceResponse>",
                  "S"),
         1,
         "OK",
         " 5. 3.2024",
         {"699004742|ANO|013|28. 2.2019||-"}},
        {"entities and character references in values; an account without a prefix",
         Envelope("<StatusNespolehlivyPlatceResponse><status statusCode=\"1\" "
                  "statusText=\"Chyba &quot;vstupu&quot; &amp; &#x10D;&#237;slo\"/>"
                  "<statusPlatceDPH dic=\"12345679\" nespolehlivyPlatce=\"NE\"><zverejneneUcty>"
                  "<ucet datumZverejneni=\"2013-04-01\"><standardniUcet cislo=\"123\" "
                  "kodBanky=\"0100\"/></ucet></zverejneneUcty></statusPlatceDPH>"
                  "</StatusNespolehlivyPlatceResponse>"),
         2,
         "Chyba \"vstupu\" & číslo",
         "",
         {"12345679|NE||| 1. 4.2013|123/0100"}},
        {"missing attributes and a payer the register does not know",
         Envelope("<StatusNespolehlivyPlatceResponse><status/>"
                  "<statusPlatceDPH dic=\"87654321\" nespolehlivyPlatce=\"NENALEZEN\"/>"
                  "<statusPlatceDPH/></StatusNespolehlivyPlatceResponse>"),
         0,
         "",
         "",
         {"87654321|NENALEZEN||||-", "|||||-"}},
        {"status codes 3 and beyond, a date that is no date",
         Envelope("<StatusNespolehlivyPlatceResponse><status statusCode=\"3\" "
                  "odpovedGenerovana=\"2024-02-30\"/></StatusNespolehlivyPlatceResponse>"),
         4,
         "",
         "",
         {}},
        {"an unknown status code",
         Envelope("<StatusNespolehlivyPlatceResponse><status statusCode=\"17\"/>"
                  "</StatusNespolehlivyPlatceResponse>"),
         0,
         "",
         "",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const VatAnswer answer = ParseVatAnswer(c.xml, kStatus);
        EXPECT_EQ("", ToUtf8(answer.problem));
        EXPECT_EQ(c.statusCode, answer.statusCode);
        EXPECT_EQ(c.statusText, ToUtf8(answer.statusText));
        EXPECT_EQ(c.date, ToUtf8(answer.answerDate));
        std::vector<std::string> rows;
        for (const VatPayerRecord& r : answer.records) {
            rows.push_back(Row(r));
            EXPECT_EQ(answer.statusCode, r.statusCode);
        }
        EXPECT_EQ(c.rows, rows);
    }
}

TEST(VatPayerAnswer, RefusedAnswers) {
    const std::string whole = Envelope(
        "<StatusNespolehlivyPlatceResponse><status statusCode=\"0\"/>"
        "<statusPlatceDPH dic=\"12345679\" nespolehlivyPlatce=\"NE\"/>"
        "</StatusNespolehlivyPlatceResponse>");
    const struct {
        const char* name;
        std::string xml;
        const char* problem;
    } cases[] = {
        {"truncated", whole.substr(0, whole.size() - 40),
         "Odpověď registru není úplná nebo ji nelze přečíst jako XML."},
        {"empty", "", "Odpověď registru není úplná nebo ji nelze přečíst jako XML."},
        {"not XML", "<html><body>Service Unavailable",
         "Odpověď registru není úplná nebo ji nelze přečíst jako XML."},
        {"entity declarations",
         "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;\">]>"
         "<StatusNespolehlivyPlatceResponse><status "
         "statusText=\"&b;\"/></StatusNespolehlivyPlatceResponse>",
         "Odpověď registru obsahuje nepřípustnou definici typu dokumentu."},
        {"a SOAP fault",
         Envelope("<soapenv:Fault><faultcode>soapenv:Server</faultcode><faultstring>Překročen "
                  "limit &lt;100&gt; DIČ</faultstring></soapenv:Fault>"),
         "Registr ohlásil chybu: Překročen limit <100> DIČ"},
        {"the answer of another query",
         Envelope("<SeznamNespolehlivyPlatceResponse><status statusCode=\"0\"/>"
                  "</SeznamNespolehlivyPlatceResponse>"),
         "Odpověď registru neobsahuje očekávané údaje."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const VatAnswer answer = ParseVatAnswer(c.xml, kStatus);
        EXPECT_EQ(c.problem, ToUtf8(answer.problem));
        EXPECT_TRUE(answer.records.empty());
    }
}

TEST(VatPayerAnswer, RequestsSendDigitsEscaped) {
    const std::string status = StatusRequest({"CZ12345679"_t, "CZ699004742"_t, "<&>"_t});
    EXPECT_NE(std::string::npos,
              status.find("<roz:StatusNespolehlivyPlatceRequest><roz:dic>12345679"
                          "</roz:dic><roz:dic>699004742</roz:dic><roz:dic>"
                          "&lt;&amp;&gt;</roz:dic></roz:StatusNespolehlivyPlatceRequest>"));
    // What is sent is well-formed: the parser of the answers reads it back.
    EXPECT_EQ("Odpověď registru neobsahuje očekávané údaje.",
              ToUtf8(ParseVatAnswer(status, kStatus).problem));
    EXPECT_NE(std::string::npos, ListRequest().find("<roz:SeznamNespolehlivyPlatceRequest/>"));
}

}  // namespace
}  // namespace axo::lookups

// What may be sent to the registers, the settings that say where they are, and the tax office
// names.
#include <gtest/gtest.h>

#include "lookups/RegistryIds.h"
#include "lookups/RegistrySettings.h"
#include "lookups/TaxOffices.h"

namespace axo::lookups {
namespace {

TEST(RegistryIds, DicAndIcoChecks) {
    const struct {
        const char* dic;
        const char* problem;  // "" fit to send
    } dics[] = {
        {"CZ12345679", ""},
        {"CZ699004742", ""},
        {"CZ6990047421", ""},
        {"",
         "K vyhledání údajů o případné NESPOLEHLIVOSTI PLÁTCE je nutné znát DIČ.\r\rZadejte, "
         "prosím."},
        {"SK2020123456", "Zadané DIČ musí začínat \"CZ\"!"},
        {"CZ", "Nezadán kmenový kód DIČ!"},
        {"CZ1234567", "Zadané DIČ CZ1234567 nemá za \"CZ\" 8 až 10 číslic."},
        {"CZ12345678901", "Zadané DIČ CZ12345678901 nemá za \"CZ\" 8 až 10 číslic."},
        {"CZ../../.1", "Zadané DIČ CZ../../.1 nemá za \"CZ\" 8 až 10 číslic."},
        {"CZ1234 5679", "Zadané DIČ CZ1234 5679 nemá za \"CZ\" 8 až 10 číslic."},
    };
    for (const auto& c : dics) {
        EXPECT_EQ(c.problem, ToUtf8(DicProblem(FromUtf8(c.dic)))) << c.dic;
        EXPECT_EQ(*c.problem == 0, DicValid(FromUtf8(c.dic))) << c.dic;
    }
    const struct {
        const char* ico;
        bool valid;
    } icos[] = {
        {"12345679", true},  {"00006947", true},   {"25596641", true},
        {"12345678", false},  // check digit
        {"../../.1", false},  // passes a check that reads other characters as 0
        {"1234567", false},  {"012345679", false}, {"", false},
        {"00000111", false}, {"111", false},       {"1234567a", false},
    };
    for (const auto& c : icos)
        EXPECT_EQ(c.valid, IcoValidForLookup(FromUtf8(c.ico))) << c.ico;
}

TEST(RegistryIds, SettingsFromTheConfiguration) {
    const RegistrySettings defaults = ReadRegistrySettings({}, "/home/axo");
    EXPECT_EQ(kDefaultVatServiceUrl, defaults.vatServiceUrl);
    EXPECT_EQ(kDefaultAresUrl, defaults.aresUrl);
    EXPECT_TRUE(defaults.caFile.empty());
    EXPECT_EQ(10000, defaults.query.connectMs);
    EXPECT_EQ(30000, defaults.query.totalMs);
    EXPECT_EQ(0, defaults.list.totalMs);  // the list is limited by its speed instead
    EXPECT_GT(defaults.list.lowSpeedBytes, 0);
    EXPECT_GT(defaults.list.maxBytes, defaults.query.maxBytes);

    Text problem;
    const RegistrySettings s = ReadRegistrySettings(
        startup::ConfigFile::Parse("AXO_ARES_URL=http://127.0.0.1:8080/\r\n"
                                   "AXO_REGISTR_DPH_URL=https://127.0.0.1/dph\r\n"
                                   "AXO_REGISTRY_CA=certs/ca.pem\r\nAXO_REGISTRY_DOTAZ_MS=500\r\n"
                                   "AXO_REGISTRY_MAX_KB=64\r\n"_t),
        "/home/axo", &problem);
    EXPECT_EQ("", ToUtf8(problem));
    EXPECT_EQ("http://127.0.0.1:8080", s.aresUrl);
    EXPECT_EQ("https://127.0.0.1/dph", s.vatServiceUrl);
    EXPECT_EQ("/home/axo/certs/ca.pem", s.caFile.string());
    EXPECT_EQ(500, s.query.totalMs);
    EXPECT_EQ(64u * 1024, s.query.maxBytes);

    const struct {
        const char* line;
        const char* problem;
    } wrong[] = {
        {"AXO_ARES_URL=file:///etc/passwd",
         "AXO_ARES_URL=file:///etc/passwd: adresa registru musí začínat https:// (nebo http://) a "
         "nesmí obsahovat mezery."},
        {"AXO_REGISTRY_DOTAZ_MS=-5", "AXO_REGISTRY_DOTAZ_MS=-5: očekává se kladné celé číslo."},
        {"AXO_REGISTRY_SPOJENI_MS=10s",
         "AXO_REGISTRY_SPOJENI_MS=10s: očekává se kladné celé číslo."},
    };
    for (const auto& w : wrong) {
        Text why;
        const RegistrySettings kept =
            ReadRegistrySettings(startup::ConfigFile::Parse(FromUtf8(w.line)), "/h", &why);
        EXPECT_EQ(w.problem, ToUtf8(why));
        EXPECT_EQ(kDefaultAresUrl, kept.aresUrl);
        EXPECT_EQ(30000, kept.query.totalMs);
        EXPECT_EQ(10000, kept.query.connectMs);
    }
}

TEST(RegistryIds, TaxOfficeNames) {
    const TaxOffices file = TaxOffices::Parse(
        " 451 | Finanční úřad pro hlavní město Prahu |x\r\n"
        "\r\n"
        "13|Specializovaný finanční úřad\n"
        "13|druhý řádek téhož čísla se nepočítá\n"
        "|bez čísla\n"
        "999\n"_t);
    EXPECT_EQ(3u, file.Size());
    EXPECT_EQ("Finanční úřad pro hlavní město Prahu", ToUtf8(file.Name("451"_t)));
    EXPECT_EQ("Specializovaný finanční úřad", ToUtf8(file.Name("013"_t)));
    EXPECT_EQ("", ToUtf8(file.Name("999"_t)));
    EXPECT_EQ("", ToUtf8(file.Name("452"_t)));
    // Without the file the installation still names the offices.
    EXPECT_EQ("Finanční úřad pro Jihomoravský kraj",
              ToUtf8(TaxOffices::Read("/nonexistent").Name("461"_t)));
}

}  // namespace
}  // namespace axo::lookups

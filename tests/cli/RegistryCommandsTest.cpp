// axo-pap-cli registry end to end: an installation made by the program whose AXO.CFG points the
// registers at stand-ins on 127.0.0.1 (HTTP, and TLS with a certificate made for the test),
// the external address list made with the program's own address commands; results on standard
// output, refusals before anything is sent, failures of the network named with their cause.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "lookups/LookupsTestSupport.h"
#include "support/CliRun.h"
#include "support/ScratchDir.h"

namespace axo::cli::test {
namespace {

namespace fs = std::filesystem;
using axo::test::CliRun;
using axo::test::ReadFile;
using axo::test::RunCli;
using lookups::test::Received;
using lookups::test::Reply;

class RegistryCommandsTest : public ::testing::Test {
  protected:
    RegistryCommandsTest() : server_([this](const Received& r) { return answer(r); }) {
        fs::create_directories(dir_ / "tmp");
        init_ = RunCli(dir_.Path(), "init " + (dir_ / "axo").string() + " --year 2024");
        Configure("AXO_REGISTR_DPH_URL", server_.Url() + "/dph");
        Configure("AXO_ARES_URL", server_.Url());
        Configure("AXO_REGISTR_DPH_WEB", server_.Url());
        Configure("AXO_REGISTRY_DOTAZ_MS", "2000");
    }
    /// Sets a key of AXO.CFG (the first line of a key counts: an older one is dropped).
    void Configure(const std::string& key, const std::string& value) {
        const fs::path file = dir_ / "axo" / "AXO.CFG";
        std::ifstream in(file);
        std::string kept, line;
        while (std::getline(in, line))
            if (!line.starts_with(key + "="))
                kept += line + "\n";
        in.close();
        std::ofstream(file) << kept << key << "=" << value << "\n";
    }
    CliRun Registry(const std::string& args) {
        return RunCli(dir_.Path(), "--home " + (dir_ / "axo").string() +
                                       " --year 2024 --password ucetni registry " + args);
    }
    /// An address added to the list by the program's own command.
    void Address(const std::string& classification, const std::string& ico, const std::string& dic,
                 const std::string& name) {
        std::string args = "addresses add " + classification + " --DIC_FIRM " + dic +
                           " --NAZ_FIRM1 " + axo::test::Quote(name);
        if (!ico.empty())
            args += " --ICO " + ico;
        const CliRun run = RunCli(dir_.Path(), "--home " + (dir_ / "axo").string() +
                                                   " --year 2024 --password ucetni " + args);
        ASSERT_EQ(0, run.code) << run.err;
    }

    std::function<Reply(const Received&)> answer = [](const Received& r) {
        if (r.path == "/dph" && r.body.find("Seznam") != std::string::npos)
            return Reply{200, lookups::test::StatusAnswer(
                                  lookups::test::Payer("12345679", "ANO", {}, "2019-02-28") +
                                      lookups::test::Payer("25596641", "ANO", {}, "2020-01-15"),
                                  "0", "SeznamNespolehlivyPlatceResponse")};
        if (r.path == "/dph")
            return Reply{
                200, lookups::test::StatusAnswer(lookups::test::Payer(
                         "12345679", "NE", lookups::test::Account("19", "2000145399", "0800")))};
        return Reply{200, lookups::test::AresRecord("12345679", "Luna s.r.o."), "application/json"};
    };
    axo::test::ScratchDir dir_{"axo-registry"};
    lookups::test::RegistryServer server_;
    CliRun init_;
};

TEST_F(RegistryCommandsTest, LookupsOfOneIdentifier) {
    ASSERT_EQ(0, init_.code) << init_.err;
    const struct {
        const char* args;
        int code;
        std::size_t requests;
        const char* out;  // part of standard output
        const char* err;  // part of standard error
    } cases[] = {
        {"vat CZ12345679", 0, 1, "NESPOLEHLIVÝ PLÁTCE  NE\n", ""},
        {"vat CZ12345679", 0, 1, "19-2000145399/0800", ""},
        {"vat cz12345679 CZ25596641", 0, 2, "DIČ                  CZ12345679", ""},
        {"vat CZ../../.1", 2, 0, "", "Zadané DIČ CZ../../.1 nemá za \"CZ\" 8 až 10 číslic."},
        {"vat", 2, 0, "", "Zadejte DIČ"},
        {"ares 12345679", 0, 1,
         "Název: Luna s.r.o.\nUlice: Hlavní 12\nPSČ:   602 00\nObec:  Brno\n", ""},
        {"ares ../../.1", 1, 0, "", "nesedí na modulo 11."},
        {"ares", 2, 0, "", "Použití: axo-pap-cli registry"},
        {"unreliable --addresses --details", 2, 0, "", "--details nelze použít s --addresses"},
        {"whois", 2, 0, "", "Neznámá akce \"whois\"."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const std::size_t before = server_.Requests().size();
        const CliRun run = Registry(c.args);
        EXPECT_EQ(c.code, run.code) << run.err;
        EXPECT_EQ(c.requests, server_.Requests().size() - before);
        EXPECT_NE(std::string::npos, run.out.find(c.out)) << run.out;
        EXPECT_NE(std::string::npos, run.err.find(c.err)) << run.err;
    }
    const std::vector<Received> sent = server_.Requests();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ("/dph", sent[0].path);
    EXPECT_NE(std::string::npos, sent[0].body.find("<roz:dic>12345679</roz:dic>"));
}

TEST_F(RegistryCommandsTest, NetworkFailuresAreNotNotFound) {
    ASSERT_EQ(0, init_.code) << init_.err;
    answer = [](const Received&) { return Reply{500, "Internal Server Error"}; };
    const CliRun vat = Registry("vat CZ12345679");
    EXPECT_EQ(1, vat.code);
    EXPECT_NE(std::string::npos, vat.err.find("Ověření v Registru plátců DPH se nezdařilo."));
    EXPECT_NE(std::string::npos, vat.err.find("odpověděl chybou HTTP 500."));
    EXPECT_EQ(std::string::npos, vat.out.find("NENALEZEN"));
    const CliRun ares = Registry("ares 12345679");
    EXPECT_EQ(1, ares.code);
    EXPECT_NE(std::string::npos, ares.err.find("Vyhledání v registru ARES se nezdařilo."));
    EXPECT_EQ(std::string::npos, ares.err.find("nebyl nalezen"));

    Configure("AXO_ARES_URL", "http://127.0.0.1:" + std::to_string(lookups::test::ClosedPort()));
    const CliRun refused = Registry("ares 12345679");
    EXPECT_EQ(1, refused.code);
    EXPECT_NE(std::string::npos, refused.err.find("Nelze se spojit se serverem 127.0.0.1:"));
}

TEST_F(RegistryCommandsTest, AddressListVariants) {
    ASSERT_EQ(0, init_.code) << init_.err;
    const CliRun empty = Registry("unreliable --addresses");
    EXPECT_EQ(1, empty.code);
    EXPECT_NE(std::string::npos, empty.err.find("Číselník externích adres je prázdný."));

    Address("0000000001", "12345679", "CZ12345679", "Luna s.r.o.");
    Address("0000000002", "00006947", "CZ00006947", "Ministerstvo financí");
    Address("0000000003", "", "SK2020123456", "Slovenská s.r.o.");
    const CliRun list = Registry("unreliable --addresses");
    ASSERT_EQ(0, list.code) << list.err;
    EXPECT_NE(std::string::npos, list.out.find("V číselníku externích adres: 1\n"));
    const std::size_t at = list.out.find("Sestava: ");
    ASSERT_NE(std::string::npos, at);
    const std::string file = list.out.substr(at + 9, list.out.find('\n', at) - at - 9);
    const std::string printout = ReadFile(file);
    EXPECT_NE(std::string::npos,
              printout.find("CZ12345679     │461│28. 2.2019│0000000001│Luna s.r.o."));
    EXPECT_EQ(std::string::npos, printout.find("CZ25596641"));

    const CliRun whole = Registry("vat --addresses");
    EXPECT_EQ(0, whole.code) << whole.err;
    const std::vector<Received> sent = server_.Requests();
    EXPECT_NE(std::string::npos,
              sent.back().body.find("<roz:dic>12345679</roz:dic><roz:dic>00006947</roz:dic>"));
    EXPECT_EQ(std::string::npos, sent.back().body.find("2020123456"));
}

TEST_F(RegistryCommandsTest, TlsWithTheConfiguredCertificate) {
    ASSERT_EQ(0, init_.code) << init_.err;
    const fs::path root = dir_ / "root";
    fs::create_directories(root / "ekonomicke-subjekty-v-be/rest/ekonomicke-subjekty");
    std::ofstream(root / "ekonomicke-subjekty-v-be/rest/ekonomicke-subjekty/12345679")
        << lookups::test::AresRecord("12345679", "Bezpečná s.r.o.");
    lookups::test::TlsServer tls(dir_.Path(), root);
    ASSERT_TRUE(tls.Running());
    Configure("AXO_ARES_URL", tls.Url());
    const CliRun untrusted = Registry("ares 12345679");
    EXPECT_EQ(1, untrusted.code);
    EXPECT_NE(std::string::npos, untrusted.err.find("Certifikát serveru 127.0.0.1:"))
        << untrusted.err;

    Configure("AXO_REGISTRY_CA", tls.CaFile().string());
    const CliRun trusted = Registry("ares 12345679");
    EXPECT_EQ(0, trusted.code) << trusted.err;
    EXPECT_NE(std::string::npos, trusted.out.find("Název: Bezpečná s.r.o."));
}

}  // namespace
}  // namespace axo::cli::test

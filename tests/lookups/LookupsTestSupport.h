// What the lookup tests share: a scratch installation (work directory, scripted front end,
// clock at 5 March 2024 8:07:06, listing environment), a register stand-in on 127.0.0.1 whose
// answers the test sets, the lookup context pointed at it, and register answers written by
// hand after the registers' published structure.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "lookups/AddressBook.h"
#include "lookups/LookupContext.h"
#include "lookups/RegistryServer.h"
#include "support/ScratchDir.h"
#include "ui/ScriptedUi.h"

namespace axo::lookups::test {

inline std::string StatusAnswer(const std::string& payers, const std::string& code = "0",
                                const std::string& element = "StatusNespolehlivyPlatceResponse") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><soapenv:Envelope "
           "xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\"><soapenv:Body><roz:" +
           element +
           " xmlns:roz=\"http://adis.mfcr.cz/rozhraniCRPDPH/\"><roz:status statusCode=\"" + code +
           "\" statusText=\"" + (code == "0" ? "OK" : "Chybný požadavek") +
           "\" odpovedGenerovana=\"2024-03-05\"/>" + payers + "</roz:" + element +
           "></soapenv:Body></soapenv:Envelope>";
}

inline std::string Payer(const std::string& dic, const std::string& unreliable,
                         const std::string& accounts = {}, const std::string& since = {}) {
    return "<roz:statusPlatceDPH dic=\"" + dic + "\" nespolehlivyPlatce=\"" + unreliable +
           "\" cisloFu=\"461\"" +
           (since.empty() ? "" : " datumZverejneniNespolehlivosti=\"" + since + "\"") + ">" +
           (accounts.empty() ? "" : "<roz:zverejneneUcty>" + accounts + "</roz:zverejneneUcty>") +
           "</roz:statusPlatceDPH>";
}

inline std::string Account(const std::string& prefix, const std::string& number,
                           const std::string& bank, const std::string& date = "2013-04-01") {
    return "<roz:ucet datumZverejneni=\"" + date + "\"><roz:standardniUcet" +
           (prefix.empty() ? "" : " predcisli=\"" + prefix + "\"") + " cislo=\"" + number +
           "\" kodBanky=\"" + bank + "\"/></roz:ucet>";
}

inline std::string AresRecord(const std::string& ico, const std::string& name) {
    return "{\"ico\":\"" + ico + "\",\"obchodniJmeno\":\"" + name +
           "\",\"sidlo\":{\"kodStatu\":\"CZ\",\"nazevStatu\":\"Česká republika\",\"nazevObce\":"
           "\"Brno\",\"nazevUlice\":\"Hlavní\",\"cisloDomovni\":12,\"psc\":60200},\"dic\":\"CZ" +
           ico + "\"}";
}

/// An address list given by the test.
class FixedAddresses : public AddressListSource {
  public:
    explicit FixedAddresses(std::vector<AddressEntry> addresses)
        : addresses_(std::move(addresses)) {}
    bool ReadAll(std::vector<AddressEntry>& out) override {
        out = addresses_;
        return true;
    }

  private:
    std::vector<AddressEntry> addresses_;
};

/// Points the context at the register stand-in (short time limits) with the UI, clock and
/// listing environment given; the transport it is to use, which the caller keeps.
inline std::unique_ptr<HttpTransport> ServerContext(LookupContext& ctx, ui::UiServices& ui,
                                                    const RegistryServer& server,
                                                    const Clock& clock,
                                                    const ui::ListingEnvironment& listing) {
    std::unique_ptr<HttpTransport> transport = MakeCurlTransport({});
    ctx.ui = &ui;
    ctx.transport = transport.get();
    ctx.settings.vatServiceUrl = server.Url() + "/dph";
    ctx.settings.aresUrl = server.Url();
    ctx.settings.vatWebUrl = server.Url();
    ctx.settings.query.totalMs = 2000;
    ctx.settings.list.lowSpeedSeconds = 2;
    ctx.clock = &clock;
    ctx.listing = &listing;
    return transport;
}

class LookupTest : public ::testing::Test {
  protected:
    LookupTest()
        : clock_(DateTime{2024, 3, 5, 8, 7, 6, 0}),
          server_([this](const Received& r) { return answer(r); }) {
        std::filesystem::create_directories(dir_ / "work");
        std::filesystem::create_directories(dir_ / "shown");
        ui::ScriptedUi::Options options;
        options.printoutDirectory = dir_ / "shown";
        options.strict = false;
        ui_ = std::make_unique<ui::ScriptedUi>(options);
        data_.ui = ui_.get();
        data_.clock = &clock_;
        data_.currentDirectory = dir_.Path();
        data_.programDirectory = dir_.Path();
        data_.workDirectory = dir_ / "work";
        listing_.data = &data_;
        listing_.firmName = "Příspěvková organizace Luna"_t;
        listing_.programDate = " 5. 3.2024"_t;
        transport_ = ServerContext(ctx_, *ui_, server_, clock_, listing_);
    }

    /// Everything the user was shown: one line per window, its kind and its lines joined by
    /// blanks.
    std::string Shown() const {
        std::string text;
        for (const ui::TranscriptEntry& e : ui_->Transcript()) {
            text += "[" + e.kind + "]";
            for (const std::string& line : e.lines)
                if (!line.empty())
                    text += " " + line;
            text += "\n";
        }
        return text;
    }
    /// The lines of the printouts shown, as UTF-8 with CR LF removed.
    std::string Printouts() const {
        std::string text;
        for (const ui::TranscriptEntry& e : ui_->Transcript())
            if (e.kind == "printout" && !e.lines.empty() && e.lines[0].rfind("file: ", 0) == 0) {
                std::ifstream in(e.lines[0].substr(6), std::ios::binary);
                for (const char c : std::string(std::istreambuf_iterator<char>(in), {}))
                    if (c != '\r')
                        text += c;
            }
        return text;
    }
    std::size_t Requests() const { return server_.Requests().size(); }

    std::function<Reply(const Received&)> answer = [](const Received&) { return Reply{500, {}}; };
    axo::test::ScratchDir dir_{"axo-lookups"};
    FixedClock clock_;
    std::unique_ptr<ui::ScriptedUi> ui_;
    storage::DataContext data_;
    ui::ListingEnvironment listing_;
    RegistryServer server_;
    std::unique_ptr<HttpTransport> transport_;
    LookupContext ctx_;
};

}  // namespace axo::lookups::test

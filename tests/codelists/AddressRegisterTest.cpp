// The register buttons of the address editor and the register keys of the list window against a
// stand-in of the registers on 127.0.0.1: a new address filled from ARES by the IČO its DIČ
// gives, its payer checked with the published account and the result written into it, then the
// unreliable payers the list holds.
#include "AddressTestSupport.h"
#include "lookups/LookupContext.h"
#include "lookups/LookupsTestSupport.h"

namespace axo::codelists::testing {
namespace {

using lookups::test::Received;
using lookups::test::Reply;

class RegisterTest : public AddressTest {
  protected:
    RegisterTest() : server_([this](const Received& r) { return Answer(r); }) {
        transport_ = lookups::test::ServerContext(ctx_, *ui_, server_, clock_, env_);
        book_.withLookups = [this](const auto& lookup) { lookup(ctx_); };
    }
    static Reply Answer(const Received& r) {
        using namespace lookups::test;
        if (r.path != "/dph")
            return Reply{200, AresRecord("12345679", "Luna s.r.o."), "application/json"};
        if (r.body.find("Seznam") != std::string::npos)
            return Reply{200, StatusAnswer(Payer("12345679", "ANO", {}, "2019-02-28") +
                                               Payer("25596641", "ANO", {}, "2020-01-15"),
                                           "0", "SeznamNespolehlivyPlatceResponse")};
        return Reply{200,
                     StatusAnswer(Payer("12345679", "NE", Account("19", "2000145399", "0800")))};
    }
    tVetaExtAdresa Stored(const std::string& code, Text& notes) {
        tExtAdresy file(data_, ListDir(), "2024"_t);
        EXPECT_TRUE(file.InitFile(1, storage::_NoWait));
        tVetaExtAdresa r{};
        EXPECT_TRUE(FindAddressByClassification(FromUtf8(code), file, r));
        notes = file.Notes();
        file.CloseFile();
        return r;
    }

    lookups::test::RegistryServer server_;
    std::unique_ptr<lookups::HttpTransport> transport_;
    lookups::LookupContext ctx_;
};

TEST_F(RegisterTest, ANewAddressFilledFromTheRegisters) {
    Fill({Address("1", "Alfa", "Brno", "25596641")});
    // A new address with only its DIČ and an old bank: ARES by the DIČ's digits, then the VAT
    // payer check, its account written over the primary connection and the result into the
    // notes.
    ui_->QueueBrowse("key:Insert");
    ui_->QueueDialog(
        "dic=CZ12345679 ustav=\"Stará banka\" ucet=111 kodBanky=100 notes=\"stará\" click:ares "
        "click:dph key:F2");
    ui_->QueueButton(1);  // "Dohledat partnera s IČO 12345679": ANO
    ui_->QueueDialog("zapsat=1 click:pouzit1");
    ui_->QueueButton(1);  // the primary connection is overwritten
    // The list's unreliable payers: only the one the list holds.
    ui_->QueueBrowse("key:Alt+R key:Esc");
    ShowAddressList(book_);
    EXPECT_EQ(0u, ui_->PendingAnswers());

    Text notes;
    const tVetaExtAdresa r = Stored("2", notes);
    const struct {
        const char* field;
        std::string value;
        const char* expected;
    } fields[] = {
        {"IČO", ToUtf8(r.ICO), "12345679"},
        {"DIČ", ToUtf8(r.DIC_FIRM), "CZ12345679"},
        {"název", ToUtf8(r.NAZ_FIRM1), "Luna s.r.o."},
        {"ulice", ToUtf8(r.ADR_FIRM), "Hlavní 12"},
        {"PSČ", ToUtf8(r.PSC_FIRM), "602 00"},
        {"město", ToUtf8(r.MESTO_FIRM), "Brno"},
        {"stát", ToUtf8(r.STAT_ZKRATKA) + " " + ToUtf8(r.Stat), "CZ Česká republika"},
        {"účet", ToUtf8(r.BS) + "/" + std::to_string(r.ZVL_DISP), "19-2000145399/800"},
        {"ústav", ToUtf8(r.NAZ_UST), ""},
    };
    for (const auto& f : fields)
        EXPECT_EQ(f.expected, f.value) << f.field;
    EXPECT_EQ(0u, ToUtf8(notes).find("stará\r\n\r\nNESPOLEHLIVOST PLÁTCE DPH")) << ToUtf8(notes);

    const std::vector<Received> sent = server_.Requests();
    ASSERT_EQ(3u, sent.size());
    EXPECT_NE(std::string::npos, sent[0].path.find("12345679"));
    EXPECT_NE(std::string::npos, sent[1].body.find("<roz:dic>12345679</roz:dic>"));
    const std::vector<fs::path> printouts = ShownFiles();
    ASSERT_FALSE(printouts.empty());
    const std::string printout = ui::testing::ReadBytes(printouts.back());
    EXPECT_NE(std::string::npos, printout.find("CZ12345679"));
    EXPECT_EQ(std::string::npos, printout.find("CZ25596641"));  // Alfa has no DIČ
}

}  // namespace
}  // namespace axo::codelists::testing

// The list of unreliable payers and the ARES lookups end to end against the register stand-in:
// the three variants of the printout, STOP between the details, a network failure during the
// details, the ARES fill with its refusals and failures, and the register's web page.
#include "lookups/UnreliablePayers.h"

#include <gtest/gtest.h>

#include "lookups/AresLookup.h"
#include "lookups/EditorButtons.h"
#include "lookups/LookupsTestSupport.h"

namespace axo::lookups {
namespace {

using namespace test;

class UnreliablePayersTest : public LookupTest {
  protected:
    UnreliablePayersTest() {
        answer = [this](const Received& r) {
            if (r.path == "/dph")
                return Reply{200, list};
            const std::string ico = r.path.substr(r.path.rfind('/') + 1);
            if (ico == "12345679")
                return Reply{200, AresRecord(ico, "Luna s.r.o."), "application/json"};
            if (ico == broken)
                return Reply{503, "down"};
            return Reply{404, "{\"kod\":\"NENALEZENO\"}", "application/json"};
        };
    }
    std::string list = StatusAnswer(Payer("12345679", "ANO", {}, "2019-02-28") +
                                        Payer("87654326", "ANO", {}, "2020-01-15") +
                                        Payer("699004742", "ANO", {}, "2021-06-30"),
                                    "0", "SeznamNespolehlivyPlatceResponse");
    std::string broken;
    FixedAddresses addresses{{{"0000000001"_t, "Luna"_t, "12345679"_t, "CZ12345679"_t},
                              {"0000000002"_t, "Spolehlivá"_t, "25596641"_t, "CZ25596641"_t}}};
};

TEST_F(UnreliablePayersTest, Variants) {
    const struct {
        const char* name;
        UnreliableListStart start;
        int button;  // the menu's question
        int payers;
        int inList;
        std::vector<const char*> lines;
        std::vector<const char*> absent;
    } cases[] = {
        {"menu, only DIČ",
         UnreliableListStart::Menu,
         2,
         3,
         0,
         {"Seznam nespolehlivých plátců DPH platný  5. 3.2024 08:07",
          "│CZ12345679     │461│28. 2.2019│", "│CZ699004742    │461│30. 6.2021│"},
         {"Stávající číselník", "Luna s.r.o."}},
        {"menu, details",
         UnreliableListStart::Menu,
         1,
         3,
         1,
         {"│CZ12345679     │461│28. 2.2019│Luna s.r.o., Hlavní 12, 602 00 Brno",
          "│!!!: 0000000001 Luna", "│CZ87654326     │461│15. 1.2020│--- nenalezeno ---",
          "│CZ699004742    │461│30. 6.2021│--- nenalezeno ---",
          "Stávající číselník externích adres obsahuje 1 nespolehlivých plátců DPH! (viz. !!!: "
          "zatřídění a firma)"},
         {}},
        {"address list",
         UnreliableListStart::AddressList,
         0,
         1,
         1,
         {"obsažených v číselníku externích adres",
          "│CZ12345679     │461│28. 2.2019│0000000001│Luna", "(viz. zatřídění a firma)",
          "Stávající číselník externích adres obsahuje 1 nespolehlivých plátců DPH!"},
         {"CZ87654326"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui_->ClearTranscript();
        if (c.button)
            ui_->QueueButton(c.button);
        const std::size_t before = Requests();
        const UnreliableListResult result = ListUnreliablePayers(ctx_, &addresses, c.start);
        EXPECT_TRUE(result.shown);
        EXPECT_EQ(c.payers, result.payers);
        EXPECT_EQ(c.inList, result.inAddressList);
        const std::string printout = Printouts();
        for (const char* line : c.lines)
            EXPECT_NE(std::string::npos, printout.find(line)) << line << "\n" << printout;
        for (const char* text : c.absent)
            EXPECT_EQ(std::string::npos, printout.find(text)) << text;
        // ARES is asked only for details, and only for DIČs that are an IČO (not 699004742).
        EXPECT_EQ(c.button == 1 ? 3u : 1u, Requests() - before);
        EXPECT_EQ(c.start == UnreliableListStart::Menu && c.inList > 0,
                  Shown().find("Stávající adresář externích adres obsahuje 1 nespolehlivých "
                               "plátců DPH!") != std::string::npos);
    }
}

TEST_F(UnreliablePayersTest, StopsAndFailures) {
    // STOP on the second payer's details ends the list there.
    ui_->QueueButton(1);
    ui_->StopProgressAtStep(2);
    ui_->QueueButton(2);  // "<Esc>ano": stop
    UnreliableListResult stopped =
        ListUnreliablePayers(ctx_, &addresses, UnreliableListStart::Menu);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(1, stopped.payers);
    EXPECT_NE(std::string::npos, Printouts().find("- přerušeno uživatelem ---"));

    // ARES failing: a centred error line, the rest without details, no wait for each payer.
    ui_->ClearTranscript();
    broken = "87654326";
    ui_->QueueButton(1);
    const UnreliableListResult failed =
        ListUnreliablePayers(ctx_, &addresses, UnreliableListStart::Menu);
    EXPECT_EQ(3, failed.payers);
    EXPECT_NE(std::string::npos,
              Printouts().find("--- chyba při dohledávání identifikačních údajů nespolehlivých "
                               "plátců ---"));

    const struct {
        const char* name;
        Reply reply;
        const char* told;
    } cases[] = {
        {"status code 1",
         {200, StatusAnswer({}, "1", "SeznamNespolehlivyPlatceResponse")},
         "Zjištění seznamu nespolehlivých plátců se nezdařilo."},
        {"server down", {502, "x"}, "Seznam nespolehlivých plátců DPH nelze získat. Server"},
        {"truncated",
         {200, list.substr(0, 300)},
         "Zjištění seznamu nespolehlivých plátců se nezdařilo."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui_->ClearTranscript();
        answer = [&](const Received&) { return c.reply; };
        ui_->QueueButton(2);
        EXPECT_FALSE(ListUnreliablePayers(ctx_, &addresses, UnreliableListStart::Menu).shown);
        EXPECT_NE(std::string::npos, Shown().find(c.told)) << Shown();
        EXPECT_EQ(std::string::npos, Shown().find("[printout]"));
    }
    ui_->ClearTranscript();
    FixedAddresses none({});
    EXPECT_FALSE(ListUnreliablePayers(ctx_, &none, UnreliableListStart::AddressList).shown);
    EXPECT_NE(std::string::npos, Shown().find("Číselník externích adres je prázdný."));
}

TEST_F(UnreliablePayersTest, FillFromAres) {
    const struct {
        const char* name;
        bool allowed;
        const char* ico;
        std::size_t requests;
        bool filled;
        const char* told;
    } cases[] = {
        {"forbidden", false, "12345679", 0, false, "je ve Vaší konfiguraci zakázáno"},
        {"empty", true, " ", 0, false, "je nutné znát IČO."},
        {"path characters", true, "../../.1", 0, false,
         "Zadané IČO : ../../.1 nesedí na modulo 11. Zkontrolujte správnost zadání."},
        {"special value", true, "00000111", 0, false, "nesedí na modulo 11."},
        {"no record", true, "25596641", 1, false, "Pro ICO 25596641 nebyl nalezen žádný záznam."},
        {"register down", true, "87654326", 1, false,
         "Vyhledání v registru ARES se nezdařilo. Server 127.0.0.1:"},
        {"found", true, "12345679", 1, true, "[wait] Čekejte, prosím, hledám údaje v REJSTŘÍKU"},
    };
    broken = "87654326";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui_->ClearTranscript();
        ctx_.aresAllowed = c.allowed;
        const std::size_t before = Requests();
        const std::optional<AresAddress> address = FillFromAres(ctx_, FromUtf8(c.ico));
        EXPECT_EQ(c.filled, address.has_value());
        EXPECT_EQ(c.requests, Requests() - before);
        EXPECT_NE(std::string::npos, Shown().find(c.told)) << Shown();
    }
    // An answer for another IČO fills nothing.
    answer = [](const Received&) {
        return Reply{200, AresRecord("25596641", "Jiná"), "application/json"};
    };
    ui_->ClearTranscript();
    EXPECT_FALSE(FillFromAres(ctx_, "12345679"_t));
    EXPECT_NE(std::string::npos, Shown().find("odpověděl údaji jiného IČO (25596641)"));
}

TEST_F(UnreliablePayersTest, EditorAresButtonTakesTheIcoFromTheDic) {
    struct Editor : AddressEditorFields {
        Text ico, dic = "CZ12345679"_t;
        std::optional<AresAddress> got;
        Text Ico() const override { return ico; }
        Text Dic() const override { return dic; }
        void SetIco(const Text& t) override { ico = t; }
        void SetDic(const Text& t) override { dic = t; }
        std::array<Text, 4> Names() const override { return {}; }
        void FillFromRegister(const AresAddress& a) override { got = a; }
        bool ConnectionEmpty(int) const override { return true; }
        void ClearPrimaryConnection() override {}
        void WriteAccount(int, const VatPayerRecord&) override {}
        Text Notes() const override { return {}; }
        void SetNotes(const Text&) override {}
    } editor;
    ui_->QueueButton(1);  // "Dohledat partnera s IČO 12345679": ANO
    EXPECT_TRUE(AresButton(ctx_, editor));
    EXPECT_EQ("12345679", ToUtf8(editor.ico));
    ASSERT_TRUE(editor.got);
    EXPECT_EQ("Luna s.r.o.", ToUtf8(editor.got->names[0]));
    EXPECT_EQ("Hlavní 12", ToUtf8(editor.got->street));
}

TEST_F(UnreliablePayersTest, RegisterPageInTheBrowser) {
    std::vector<std::string> started;
    ctx_.startProgram = [&](const std::string& program, const std::vector<std::string>& args) {
        started.push_back(program + " " + args.at(0));
        return program != "chybi";
    };
    EXPECT_TRUE(OpenVatRegisterPage(ctx_));
    ctx_.browser = "chybi";
    EXPECT_FALSE(OpenVatRegisterPage(ctx_));
    ctx_.vatPayerCheckAllowed = false;
    EXPECT_FALSE(OpenVatRegisterPage(ctx_));
    const std::string page = server_.Url() +
                             "/adis/jepo/epo/dpr/apl_ramce.htm?R=/adistc/DphReg?ZPRAC=FDPHI1%26poc_"
                             "dic=1%26OK=Zobraz";
    EXPECT_EQ((std::vector<std::string>{"xdg-open " + page, "chybi " + page}), started);
    EXPECT_NE(std::string::npos, Shown().find("Prohlížeč \"chybi\" nelze spustit."));
    EXPECT_NE(std::string::npos,
              Shown().find("Registru plátců DPH je ve vaší konfiguraci zakázáno"));
}

}  // namespace
}  // namespace axo::lookups

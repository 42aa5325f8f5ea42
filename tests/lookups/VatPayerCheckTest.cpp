// The VAT payer check end to end against the register stand-in: what is refused before anything
// is sent, what the user is told for each failure of the network (never "not found"), the
// whole-list check in parts, the notes text, the result dialog and the editor's button.
#include "lookups/VatPayerCheck.h"

#include <gtest/gtest.h>

#include "lookups/EditorButtons.h"
#include "lookups/LookupsTestSupport.h"

namespace axo::lookups {
namespace {

using namespace test;

class VatPayerCheckTest : public LookupTest {};

TEST_F(VatPayerCheckTest, OutcomesAndWhatTheUserIsTold) {
    const std::string found =
        StatusAnswer(Payer("12345679", "NE", Account("19", "2000145399", "0800")));
    const struct {
        const char* name;
        bool allowed;
        const char* dic;
        Reply reply;
        long limitMs;
        VatCheckOutcome outcome;
        std::size_t requests;
        const char* told;  // part of what was shown
    } cases[] = {
        {"forbidden",
         false,
         "CZ12345679",
         {},
         2000,
         VatCheckOutcome::Refused,
         0,
         "[message 1] ověření NESPOLEHLIVOSTI PLÁTCE DPH"},
        {"empty", true, "", {}, 2000, VatCheckOutcome::Refused, 0, "je nutné znát DIČ."},
        {"not CZ",
         true,
         "SK12345679",
         {},
         2000,
         VatCheckOutcome::Refused,
         0,
         "Zadané DIČ musí začínat \"CZ\"!"},
        {"path characters",
         true,
         "CZ../../.1",
         {},
         2000,
         VatCheckOutcome::Refused,
         0,
         "nemá za \"CZ\" 8 až 10 číslic."},
        {"server error",
         true,
         "CZ12345679",
         {500, "x"},
         2000,
         VatCheckOutcome::Failed,
         1,
         "Ověření v Registru plátců DPH se nezdařilo. Server 127.0.0.1:"},
        {"not found by the web server",
         true,
         "CZ12345679",
         {404, "Not Found"},
         2000,
         VatCheckOutcome::Failed,
         1,
         "odpověděl chybou HTTP 404."},
        {"slow",
         true,
         "CZ12345679",
         {200, {}, "text/xml", true},
         300,
         VatCheckOutcome::Failed,
         1,
         "neodpověděl v časovém limitu."},
        {"truncated",
         true,
         "CZ12345679",
         {200, found.substr(0, 200)},
         2000,
         VatCheckOutcome::Failed,
         1,
         "Odpověď registru není úplná"},
        {"refused request",
         true,
         "CZ12345679",
         {200, StatusAnswer({}, "2")},
         2000,
         VatCheckOutcome::Failed,
         1,
         "Registr odpověděl: Chybný požadavek"},
        {"unknown payer",
         true,
         " cz12345679 ",
         {200, StatusAnswer(Payer("12345679", "NENALEZEN"))},
         2000,
         VatCheckOutcome::NotFound,
         1,
         "[message 1] DIČ CZ12345679 NENALEZEN"},
        {"found",
         true,
         "CZ12345679",
         {200, found},
         2000,
         VatCheckOutcome::Found,
         1,
         "[wait] Čekejte, hledám údaje o případné nespolehlivosti DIČ CZ12345679"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui_->ClearTranscript();
        const std::size_t before = Requests();
        answer = [&](const Received&) { return c.reply; };
        ctx_.vatPayerCheckAllowed = c.allowed;
        ctx_.settings.query.totalMs = c.limitMs;
        const VatCheckResult result = CheckVatPayer(ctx_, FromUtf8(c.dic));
        EXPECT_EQ(c.outcome, result.outcome);
        EXPECT_EQ(c.requests, Requests() - before);
        EXPECT_NE(std::string::npos, Shown().find(c.told)) << Shown();
        if (c.outcome == VatCheckOutcome::Failed) {
            EXPECT_EQ(std::string::npos, Shown().find("NENALEZEN")) << Shown();
            EXPECT_TRUE(result.records.empty());
        }
    }
}

TEST_F(VatPayerCheckTest, WholeListInPartsOfAHundred) {
    std::vector<AddressEntry> addresses;
    for (int i = 0; i < 150; ++i)
        addresses.push_back({{}, {}, {}, FromUtf8("CZ" + std::to_string(10000000 + i))});
    addresses.push_back({{}, {}, {}, "CZ10000000"_t});    // twice: asked once
    addresses.push_back({{}, {}, {}, "CZ1234/../"_t});    // not sent, counted
    addresses.push_back({{}, {}, {}, "SK2020123456"_t});  // not a Czech payer
    addresses.push_back({{}, {}, {}, "CZ"_t});
    FixedAddresses list(addresses);
    answer = [](const Received& r) {
        std::string payers;
        for (std::size_t at = r.body.find("<roz:dic>"); at != std::string::npos;
             at = r.body.find("<roz:dic>", at + 1))
            payers += Payer(r.body.substr(at + 9, 8), "NE");
        return Reply{200, StatusAnswer(payers)};
    };
    const VatCheckResult result = CheckVatPayers(ctx_, list);
    EXPECT_EQ(VatCheckOutcome::Found, result.outcome);
    EXPECT_EQ(1, result.skipped);
    EXPECT_EQ(150u, result.records.size());
    const std::vector<Received> sent = server_.Requests();
    ASSERT_EQ(2u, sent.size());
    EXPECT_NE(std::string::npos, sent[0].headers.find("getStatusNespolehlivyPlatce"));

    FixedAddresses empty({});
    EXPECT_EQ(VatCheckOutcome::Refused, CheckVatPayers(ctx_, empty).outcome);
    EXPECT_NE(std::string::npos, Shown().find("Číselník externích adres je prázdný."));
}

TEST_F(VatPayerCheckTest, NotesText) {
    answer = [](const Received&) {
        return Reply{200, StatusAnswer(Payer("12345679", "ANO",
                                             Account("19", "2000145399", "0800") +
                                                 Account("", "123", "0100", "2020-12-31"),
                                             "2019-02-28"))};
    };
    const VatCheckResult result = CheckVatPayer(ctx_, "CZ12345679"_t);
    const std::optional<Text> notes = VatPayerNotes(ctx_, result.records);
    ASSERT_TRUE(notes);
    EXPECT_EQ("NESPOLEHLIVOST PLÁTCE DPH (Novela zákona 235/2004 Sb. o DPH §106a)\r\n" +
                  std::string(66, '-') +
                  "\r\n"
                  "DIČ                  CZ12345679\r\n"
                  "Okamžik ověření       5. 3.2024 08:07:06\r\n"
                  "Datum odpovědi        5. 3.2024\r\n"
                  "Finanční úřad        461 Finanční úřad pro Jihomoravský kraj\r\n"
                  "NESPOLEHLIVÝ PLÁTCE  ANO\r\n"
                  "Datum zveřejnění\r\n"
                  "nespolehlivosti      28. 2.2019\r\n" +
                  std::string(56, '-') +
                  "\r\n"
                  "Bankovní účty určené ke zveřejnění v Registru plátců DPH\r\n"
                  "19-2000145399/0800                             1. 4.2013\r\n"
                  "123/0100                                      31.12.2020\r\n",
              ToUtf8(*notes));
    EXPECT_FALSE(VatPayerNotes(ctx_, {}));
    EXPECT_NE(std::string::npos,
              Shown().find("Žádné údaje spolehlivosti plátců DPH nejsou k dispozici."));
}

TEST_F(VatPayerCheckTest, ResultDialog) {
    answer = [](const Received&) {
        return Reply{200, StatusAnswer(Payer("12345679", "ANO",
                                             Account("19", "2000145399", "0800") +
                                                 Account("", "123", "0100", "2020-12-31")))};
    };
    const VatCheckResult result = CheckVatPayer(ctx_, "CZ12345679"_t);
    ui_->ClearTranscript();
    ui_->QueueDialog("zapsat=1 click:pouzit2");
    const VatResultChoice choice =
        ShowVatPayerResult(ctx_, result.records, "CZ12345679"_t, "Luna s.r.o."_t, true, true);
    EXPECT_TRUE(choice.shown);
    EXPECT_EQ(1, choice.picked);
    EXPECT_TRUE(choice.writeNotes);
    const std::string shown = ui_->TranscriptText();
    for (const char* line :
         {"DIČ CZ12345679   Luna s.r.o.", "Datum odpovědi:  5. 3.2024",
          "Finanční úřad: 461 Finanční úřad pro Jihomoravský kraj", "NESPOLEHLIVÝ PLÁTCE: ANO",
          "99-99-9999", "19-2000145399 / 0800", "123 / 0100"})
        EXPECT_NE(std::string::npos, shown.find(line)) << line << "\n" << shown;

    // Without picking and notes: no buttons beside the accounts, no check box; O.K. closes.
    ui_->ClearTranscript();
    const VatResultChoice plain =
        ShowVatPayerResult(ctx_, result.records, "CZ12345679"_t, "Luna"_t, false, false);
    EXPECT_EQ(-1, plain.picked);
    EXPECT_EQ(std::string::npos, ui_->TranscriptText().find("Použít"));
    EXPECT_EQ(std::string::npos, ui_->TranscriptText().find("poznámkového bloku"));

    ui_->ClearTranscript();
    EXPECT_FALSE(
        ShowVatPayerResult(ctx_, result.records, "CZ87654321"_t, "Jiná"_t, true, true).shown);
    EXPECT_NE(std::string::npos,
              Shown().find("Údaje pro [Jiná] DIČ [CZ87654321] nejsou k dispozici."));
}

TEST_F(VatPayerCheckTest, ManyAccountsArePickedFromAList) {
    std::string accounts;
    for (int i = 1; i <= 9; ++i)
        accounts += Account("", std::to_string(1000 + i), "0100");
    answer = [&](const Received&) {
        return Reply{200, StatusAnswer(Payer("12345679", "NE", accounts))};
    };
    const VatCheckResult result = CheckVatPayer(ctx_, "CZ12345679"_t);
    ASSERT_EQ(9u, result.records.size());
    ui_->QueueDialog("ucet=#8 click:pouzit");
    const VatResultChoice choice =
        ShowVatPayerResult(ctx_, result.records, "CZ12345679"_t, "Luna"_t, true, false);
    ASSERT_EQ(8, choice.picked);
    EXPECT_EQ("1009", ToUtf8(result.records[8].number));
    EXPECT_NE(std::string::npos, ui_->TranscriptText().find("1009 / 0100"));
}

TEST_F(VatPayerCheckTest, ResultsKeptInTheDocumentVaultUntilTheNextCheck) {
    auto vault = startup::OpenVault(data_, startup::VaultKind::Documents, "UCETNI"_t, 0);
    ASSERT_NE(nullptr, vault);
    std::vector<VatPayerRecord> many;
    for (int i = 0; i < 300; ++i) {  // more than one block of the vault
        VatPayerRecord r;
        r.statusText = "OK"_t;
        r.statusCode = 1;
        r.dic = FromUtf8(std::to_string(10000000 + i));
        r.reliability = Reliability::Unreliable;
        r.hasAccount = i % 2 == 0;
        r.number = "2000145399"_t;
        r.nonStandard = i % 3 == 0 ? "CZ6508000000192000145399"_t : Text();
        r.accountDate = " 1. 4.2013"_t;
        many.push_back(r);
    }
    StoreVatResults(vault.get(), many);
    EXPECT_EQ(many, LoadVatResults(vault.get()));
    // A later check with fewer records leaves nothing of the earlier one behind.
    StoreVatResults(vault.get(), {many[7]});
    EXPECT_EQ(std::vector<VatPayerRecord>{many[7]}, LoadVatResults(vault.get()));
    StoreVatResults(vault.get(), {});
    EXPECT_TRUE(LoadVatResults(vault.get()).empty());
    startup::CloseVault(vault);
    EXPECT_TRUE(LoadVatResults(nullptr).empty());
}

/// The editor's address as a test sees it.
struct FakeEditor : AddressEditorFields {
    Text ico, dic, notes;
    std::array<Text, 4> names{"Luna"_t, "s.r.o."_t, {}, {}};
    std::array<bool, 6> filled{};  // connections 0 (primary) to 5
    int written = -1;
    bool cleared = false;
    std::optional<AresAddress> filledFrom;

    Text Ico() const override { return ico; }
    Text Dic() const override { return dic; }
    void SetIco(const Text& t) override { ico = t; }
    void SetDic(const Text& t) override { dic = t; }
    std::array<Text, 4> Names() const override { return names; }
    void FillFromRegister(const AresAddress& a) override { filledFrom = a; }
    bool ConnectionEmpty(int c) const override { return !filled[static_cast<std::size_t>(c)]; }
    void ClearPrimaryConnection() override { cleared = true; }
    void WriteAccount(int c, const VatPayerRecord&) override { written = c; }
    Text Notes() const override { return notes; }
    void SetNotes(const Text& t) override { notes = t; }
};

TEST_F(VatPayerCheckTest, EditorButtonWritesThePickedAccount) {
    answer = [](const Received&) {
        return Reply{200, StatusAnswer(Payer("12345679", "NE", Account("", "123", "0100")))};
    };
    const struct {
        const char* name;
        std::array<bool, 6> filled;
        int button;  // the answer to the overwrite question; 0: not asked
        int written;
        bool cleared;
    } cases[] = {
        {"empty primary connection", {}, 0, 0, false},
        {"overwrite", {true}, 1, 0, true},
        {"next free further connection", {true, true, true}, 2, 3, false},
        // All five further connections filled: the primary one, whatever was answered.
        {"all further filled", {true, true, true, true, true, true}, 2, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeEditor editor;
        editor.ico = "12345679"_t;
        editor.notes = "stará poznámka"_t;
        editor.filled = c.filled;
        ui_->QueueButton(1);  // "Ověřit plátce s DIČ CZ12345679": ANO
        ui_->QueueDialog("zapsat=1 click:pouzit1");
        if (c.button)
            ui_->QueueButton(c.button);
        EXPECT_TRUE(VatPayerButton(ctx_, editor));
        EXPECT_EQ("CZ12345679", ToUtf8(editor.dic));
        EXPECT_EQ(c.written, editor.written);
        EXPECT_EQ(c.cleared, editor.cleared);
        EXPECT_EQ(0u, ToUtf8(editor.notes).find("stará poznámka\r\n\r\nNESPOLEHLIVOST PLÁTCE DPH"));
        EXPECT_EQ(0u, ui_->PendingAnswers());
    }
}

}  // namespace
}  // namespace axo::lookups

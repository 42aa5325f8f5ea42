// The control account statement and the control breakdown over a small hand-built fiscal year:
// golden printouts at a short page length, the balance side, the totals and their levels, the
// masks and the period, the permitted-code mark, the three layouts of the breakdown, STOP while
// collecting and while printing, and the parameter blocks kept in the vault.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

#include "ControlTestSupport.h"
#include "control/PartnerNames.h"
#include "control/papKontrola04az09.h"
#include "control/papVypis.h"
#include "util/Retezce.h"

namespace axo::control::test {
namespace {

namespace fs = std::filesystem;

pap::tVetaRozvrh Named(pap::tVetaRozvrh r, const char* name, char aktPas) {
    r.NAZ_UCT = FromUtf8(name);
    r.AKT_PAS = static_cast<pap::Byte>(aktPas);
    return r;
}

pap::tVetaUAPV Described(pap::tVetaUAPV r, const char* popis, std::initializer_list<int> vykazy) {
    r.POPIS = FromUtf8(popis);
    for (int v : vykazy)
        r.VYKAZY[v - 1] = 1;
    return r;
}

pap::tVetaUKod NamedCode(const char* kod, const char* name) {
    pap::tVetaUKod r = TransactionCode(kod);
    r.Nazev = FromUtf8(name);
    return r;
}

class ControlPrintoutTest : public RecordCheckTest {
  protected:
    void SetUp() override {
        RecordCheckTest::SetUp();
        env_.loadSettings = [this](int group, int item, void* block, std::size_t length) {
            auto it = vault_.find({group, item});
            if (it == vault_.end())
                return false;
            std::memcpy(block, it->second.data(), std::min(length, it->second.size()));
            return true;
        };
        env_.saveSettings = [this](int group, int item, const void* block, std::size_t length) {
            const char* bytes = static_cast<const char*>(block);
            vault_[{group, item}] = std::string(bytes, length);
        };
    }

    /// The data set of the goldens: four analytics, a liability, accounts of the credit side,
    /// an account missing from the chart, lines outside the period and of excluded kinds.
    void GoldenData() {
        Add(NamedCode("401", "Pořízení nákupem"));
        Add(NamedCode("455", "Odpisy"));
        Add(NamedCode("501", "Spotřeba"));
        Add(NamedCode("551", "Výnosy z prodeje"));
        Add(Described(PapCode("0221", {1}), "Stroje, přístroje a zařízení", {4}));
        Add(Described(PapCode("081", {55}), "Oprávky ke stavbám", {4}));
        Add(Described(PapCode("3111", {51, 1}), "Odběratelé", {5}));
        Add(Described(PapCode("5011", {1}), "Spotřeba materiálu", {7}));
        Add(Named(Account(22, 200, "0221", true), "Výpočetní technika", 'A'));
        Add(Named(Account(81, 100, "081", true), "Oprávky k budovám", 'A'));
        Add(Named(Account(311, 100, "3111", true), "Odběratelé", 'A'));
        Add(Named(Account(501, 100, "5011", true), "Spotřeba materiálu", 'N'));
        Add(Named(Account(501, 200, "5011", true), "Spotřeba čisticích prostředků", 'N'));
        Address("12345679", "Město Lípa");
        Add(WithPartners(Line("202301FA01 0001", 1, 501, 100, "501", 100, 0), "12345679", "",
                         "VS1"));
        Add(WithPartners(Line("202301FA01 0001", 2, 501, 200, "501", 50.5, 0), "12345679"));
        Add(WithPartners(Line("202302FA01 0002", 1, 501, 100, "501", 20, 0), "12345679"));
        Add(WithPartners(Line("202302FA01 0002", 2, 501, 100, "401", 7, 0), "12345679"));
        Add(Line("202301FA01 0001", 3, 801, 0, "", 9, 0));
        Add(WithPartners(Line("202302BV01 0003", 1, 311, 100, "551", 0, 300), "12345679", "CZ"));
        Add(WithPartners(Line("202302BV01 0003", 2, 311, 100, "551", 100, 0), "12345679", "CZ"));
        Add(Line("202303ID01 0004", 1, 81, 100, "455", 0, 250));
        Add(Line("202303ID01 0004", 2, 81, 100, "455", 100, 0));
        Add(Line("202303ID01 0004", 3, 22, 200, "401", 1000, 0));
        Add(Line("202300PS01 0001", 1, 22, 200, "401", 5000, 0));
        Add(Line("202304FA01 0009", 1, 22, 200, "499", 70, 0));
        Add(Line("202303 U01 0005", 1, 22, 200, "401", 33, 0));
    }

    void Address(const char* ico, const char* name) {
        codelists::tExtAdresy file(data_, env_.location.codeListDirectory, env_.location.yearCode);
        ASSERT_TRUE(file.InitFile(2, storage::_NoWait));
        auto record = std::make_unique<codelists::tVetaExtAdresa>();
        record->ICO = FromUtf8(ico);
        record->NAZ_FIRM1 = FromUtf8(name);
        record->MATCH_CODE = FromUtf8(ico);  // the classification, unique
        std::int32_t n = 0;
        ASSERT_TRUE(file.AddRec(n, record.get()));
    }

    ControlOutcome Statement(const std::string& answer, const std::function<void()>& then = {}) {
        CloseTables();
        ui_->QueueDialog(answer);
        if (then)
            then();
        return ControlAccountStatement(env_);
    }
    ControlOutcome Breakdown(const std::string& answer, const std::function<void()>& then = {}) {
        CloseTables();
        ui_->QueueDialog(answer);
        if (then)
            then();
        return ControlBreakdown(env_);
    }

    /// The framed lines of the last printout without the column heading.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (const std::string& line : ProtocolLines())
            if ((line.rfind("│", 0) == 0 || line.rfind("*", 0) == 0) &&
                line.find("P A P") == std::string::npos)
                rows.push_back(line);
        return rows;
    }
    static int Count(const std::vector<std::string>& rows, const std::string& part) {
        int n = 0;
        for (const std::string& r : rows)
            n += r.find(part) != std::string::npos ? 1 : 0;
        return n;
    }

    void ExpectGolden(const char* name) {
        ASSERT_FALSE(ui_->listings.empty());
        const fs::path golden = fs::path(AXO_TEST_SOURCE_DIR) / "control/golden" / name;
        if (std::getenv("AXO_UPDATE_GOLDEN"))
            std::ofstream(golden, std::ios::binary) << ui_->listings.back();
        EXPECT_EQ(ReadBytes(golden), ui_->listings.back());
    }

    std::map<std::pair<int, int>, std::string> vault_;
};

constexpr const char* kAll = "od=1 do=3 bezAnalytiky=ne nekumulovat=ne ";

TEST_F(ControlPrintoutTest, GoldenStatementOnShortPages) {
    GoldenData();
    env_.listing.defaultWideLength = 24;
    const ControlOutcome outcome = Statement(std::string(kAll) + "key:F2");
    EXPECT_EQ(ControlEnd::Shown, outcome.end);
    EXPECT_EQ(10, outcome.lines);
    ExpectGolden("KontrolniVypis.txt");
}

TEST_F(ControlPrintoutTest, GoldenBreakdownOnShortPages) {
    GoldenData();
    env_.listing.defaultWideLength = 20;
    const ControlOutcome outcome = Breakdown("vykaz=4 od=0 do=12 key:F2");
    EXPECT_EQ(ControlEnd::Shown, outcome.end);
    EXPECT_EQ(5, outcome.lines);
    ExpectGolden("KontrolniRozklad.txt");
}

TEST(ControlBalanceSide, ByNatureAndAccount) {
    struct Case {
        char aktPas;
        int su;
        bool creditSide;
    } cases[] = {
        {'P', 321, true},  {'V', 601, true},  {'W', 401, true},  {'A', 71, true},
        {'A', 89, true},   {'A', 70, false},  {'A', 90, false},  {'A', 141, true},
        {'A', 199, true},  {'A', 140, false}, {'A', 200, false}, {'N', 501, false},
        {'R', 311, false}, {0, 81, true},     {'M', 901, false}, {'Z', 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.creditSide, CreditSideAccount(static_cast<std::uint8_t>(c.aktPas), c.su))
            << c.aktPas << " " << c.su;
}

TEST_F(ControlPrintoutTest, BalanceOnTheAccountsSide) {
    struct Case {
        int su;
        char aktPas;
        const char* balance;
    } cases[] = {
        {321, 'P', "150.00"},   // liability: credit − debit
        {311, 'A', "-150.00"},  // asset: debit − credit
        {81, 'A', "150.00"},    // 081 is credit-side whatever its nature
        {151, 'N', "150.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.su);
        TearDown();
        SetUp();
        Add(PapCode("999", {}));
        Add(Named(Account(c.su, 1, "999", false), "Účet", c.aktPas));
        Add(Line("202301FA01 0001", 1, c.su, 1, "", 100, 0));
        Add(Line("202301FA01 0001", 2, c.su, 1, "", 0, 250));
        ASSERT_EQ(ControlEnd::Shown, Statement(std::string(kAll) + "key:F2").end);
        const std::vector<std::string> rows = Rows();
        const std::string& analytics = rows[rows.size() - 1];
        EXPECT_EQ(0u, analytics.find("*999")) << analytics;
        EXPECT_NE(
            std::string::npos,
            analytics.find("│" + std::string(15 - std::strlen(c.balance), ' ') + c.balance + "│"))
            << analytics;
    }
}

TEST_F(ControlPrintoutTest, TotalLevels) {
    GoldenData();
    ASSERT_EQ(ControlEnd::Shown, Statement(std::string(kAll) + "analytika=5011 key:F2").end);
    const std::vector<std::string> rows = Rows();
    // 501/100 with code 501 has two lines: its account total; 501/200 has one line: none, but
    // its partner total. The code 501 has three lines: its total; 401 has one: none.
    EXPECT_EQ(1, Count(rows, "*501/100│501│"));
    EXPECT_EQ(0, Count(rows, "*501/200"));
    EXPECT_EQ(1, Count(rows, "│501*12345679  │"));
    EXPECT_EQ(1, Count(rows, "│401*12345679  │"));
    EXPECT_EQ(1, Count(rows, "*501│          │"));
    EXPECT_EQ(0, Count(rows, "*401│"));
    EXPECT_EQ(2, Count(rows, "Město Lípa"));
    EXPECT_EQ(1, Count(rows, "│Spotřeba  "));
    // "Nekumulovat": the four lines of one analytics and partner make one partner group.
    ui_->listings.clear();
    ASSERT_EQ(ControlEnd::Shown,
              Statement("od=1 do=3 bezAnalytiky=ne nekumulovat=ano analytika=5011 key:F2").end);
    const std::vector<std::string> plain = Rows();
    EXPECT_EQ(1, Count(plain, "*12345679  │")) << ToUtf8(Text());
    EXPECT_NE(std::string::npos, plain[plain.size() - 2].find("177.50│"))
        << plain[plain.size() - 2];
    EXPECT_EQ(0, Count(plain, "*501│"));
    EXPECT_EQ(0, Count(plain, "*401│"));
}

TEST_F(ControlPrintoutTest, SelectionByMasksAndPeriod) {
    GoldenData();
    struct Case {
        std::string answer;
        int lines;  ///< selected; 0: no printout
    } cases[] = {
        {"od=1 do=3", 10},
        {"od=1 do=3 bezAnalytiky=ano", 9},   // 801 is not in the chart
        {"od=0 do=3 bezAnalytiky=ano", 10},  // with the opening balances
        {"od=4 do=4", 1},
        {"od=5 do=12", 0},
        {"od=1 do=3 analytika=5", 4},
        {"od=1 do=3 analytika=0", 3},
        {"od=1 do=3 kod=5", 5},
        {"od=1 do=3 kod=?51", 2},
        {"od=1 do=3 partner1=1234567", 6},
        {"od=1 do=3 partner2=cz", 2},
        {"od=1 do=3 su=501", 4},
        {"od=1 do=3 su=5 ae=??0", 4},
        {"od=1 do=3 su=??1 ae=100", 7},
        {"od=1 do=3 su=081", 2},
        {"od=1 do=3 su=9", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        // Every field is given: the dialog starts from the last run's values.
        const std::string cleared =
            "analytika=\"\" kod=\"\" partner1=\"\" partner2=\"\" "
            "su=\"\" ae=\"\" bezAnalytiky=ne nekumulovat=ne ";
        const ControlOutcome outcome = Statement(cleared + c.answer + " key:F2", [&] {
            if (c.lines == 0)
                ui_->QueueOk();
        });
        EXPECT_EQ(c.lines == 0 ? ControlEnd::NoData : ControlEnd::Shown, outcome.end);
        EXPECT_EQ(c.lines, outcome.lines);
        if (c.lines == 0) {
            EXPECT_EQ(
                "Vámi zadaným parametrům nevyhověla žádná data.  Kontrolní výpis nebude "
                "vytvořen.",
                LastMessage());
        }
    }
}

TEST_F(ControlPrintoutTest, AccountMissingFromTheChart) {
    GoldenData();
    ASSERT_EQ(ControlEnd::Shown, Statement("od=1 do=1 bezAnalytiky=ne su=801 key:F2").end);
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(3u, rows.size());  // the line, the partner total, the analytics total (blank)
    EXPECT_EQ(0u, rows[0].find("│          │01/2023 FA01/0001 │    3│801/000│")) << rows[0];
    EXPECT_EQ(0u, rows[2].find("*          │")) << rows[2];
    EXPECT_NE(std::string::npos, rows[2].find("9.00│")) << rows[2];
    EXPECT_EQ(ControlEnd::NoData,
              Statement("od=1 do=1 bezAnalytiky=ano su=801 key:F2", [&] { ui_->QueueOk(); }).end);
}

TEST_F(ControlPrintoutTest, StopWhileCollectingShowsNothing) {
    GoldenData();
    const ControlOutcome outcome = Statement(std::string(kAll) + "key:F2", [&] {
        ui_->StopProgressAtStep(3);
        ui_->QueueEsc();
    });
    EXPECT_EQ(ControlEnd::Stopped, outcome.end);
    EXPECT_TRUE(ui_->listings.empty());
    for (const auto& entry : fs::directory_iterator(dir_)) {
        EXPECT_NE(0u, entry.path().filename().string().rfind("OP", 0)) << entry.path();
        EXPECT_NE(0u, entry.path().filename().string().rfind("WK", 0)) << entry.path();
    }
}

TEST_F(ControlPrintoutTest, StopWhilePrintingSaysSo) {
    GoldenData();
    const ControlOutcome outcome = Statement(std::string(kAll) + "key:F2", [&] {
        ui_->StopProgressAtStep(1000);  // the collecting runs through
        ui_->StopProgressAtStep(4);
        ui_->QueueEsc();
    });
    EXPECT_EQ(ControlEnd::Shown, outcome.end);
    EXPECT_TRUE(outcome.interrupted);
    const std::vector<std::string> lines = ProtocolLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(
        "*** Sestava byla přerušena tlačítkem STOP: neobsahuje všechny vybrané řádky a její "
        "součty nejsou konečné. ***",
        lines.back());
    EXPECT_EQ(0u, lines[lines.size() - 3].find("└")) << lines[lines.size() - 3];
    // The groups open at the stop got their totals.
    const std::vector<std::string> rows = Rows();
    EXPECT_EQ(0u, rows.back().find("*")) << rows.back();
    EXPECT_EQ(3, Count(rows, "│01/2023") + Count(rows, "│02/2023") + Count(rows, "│03/2023"));

    ui_->listings.clear();
    const ControlOutcome breakdown = Breakdown("vykaz=4 key:F2", [&] {
        ui_->StopProgressAtStep(1000);
        ui_->StopProgressAtStep(1);
        ui_->QueueEsc();
    });
    EXPECT_TRUE(breakdown.interrupted);
    EXPECT_NE(std::string::npos, ProtocolLines().back().find("přerušena tlačítkem STOP"));
}

TEST_F(ControlPrintoutTest, StatementParametersInTheVault) {
    GoldenData();
    // No block: the quarter rule of the program date (June: months 1 to 6), both boxes on.
    Statement("key:Esc");
    std::string dialog = ui_->TranscriptText();
    EXPECT_NE(std::string::npos, dialog.find("až  [ 6]")) << dialog;
    EXPECT_NE(std::string::npos, dialog.find("[x] Ignorovat účetní záznamy")) << dialog;
    EXPECT_NE(std::string::npos, dialog.find("[x] Nekumulovat")) << dialog;
    EXPECT_TRUE(vault_.empty());
    ASSERT_EQ(ControlEnd::NoData,
              Statement("od=2 do=3 analytika=50 kod=5 partner1=1 partner2=C su=5 ae=1 "
                        "bezAnalytiky=ne key:F2",
                        [&] { ui_->QueueOk(); })
                  .end);
    const std::string& block = vault_.at({kControlVaultGroup, kControlStatementItem});
    ASSERT_EQ(61u, block.size());
    EXPECT_EQ(std::string("\x02\x00\x03\x00\xE7\x07", 6), block.substr(0, 6));
    std::int32_t period = 0;
    std::memcpy(&period, block.data() + 6, 4);
    EXPECT_EQ(202302, period);
    std::memcpy(&period, block.data() + 10, 4);
    EXPECT_EQ(202303, period);
    EXPECT_EQ(std::string("\x0A"
                          "50????????"),
              block.substr(14, 11));
    EXPECT_EQ(std::string("\x03"
                          "5??"),
              block.substr(25, 4));
    EXPECT_EQ(std::string("\x03"
                          "1??"),
              block.substr(55, 4));
    EXPECT_EQ(std::string("\x00\x01", 2), block.substr(59, 2));
    // The next run starts from the block.
    ui_->ClearTranscript();
    Statement("key:Esc");
    dialog = ui_->TranscriptText();
    EXPECT_NE(std::string::npos, dialog.find("Zpracovat za období  [ 2]")) << dialog;
    EXPECT_NE(std::string::npos, dialog.find("Statistická analytika [50????????]")) << dialog;
    EXPECT_NE(std::string::npos, dialog.find("[ ] Ignorovat účetní záznamy")) << dialog;
}

TEST_F(ControlPrintoutTest, BreakdownParametersInTheVault) {
    GoldenData();
    Breakdown("key:Esc");
    EXPECT_NE(std::string::npos, ui_->TranscriptText().find("Výkaz 4 až 9     [4]"));
    ASSERT_EQ(ControlEnd::Shown, Breakdown("vykaz=5 rozlozeni=#2 od=1 do=3 key:F2").end);
    std::string& block = vault_.at({kControlVaultGroup, kControlBreakdownItem});
    ASSERT_EQ(40u, block.size());
    EXPECT_EQ(std::string("\x05\x00\x01\x00\x03\x00\xE7\x07", 8), block.substr(0, 8));
    ui_->ClearTranscript();
    Breakdown("key:Esc");
    std::string dialog = ui_->TranscriptText();
    EXPECT_NE(std::string::npos, dialog.find("Výkaz 4 až 9     [5]")) << dialog;
    // The layout is not kept.
    EXPECT_NE(std::string::npos, dialog.find("[ detailní]")) << dialog;
    // A stored statement outside 4-9 shows 4.
    block[0] = 12;
    ui_->ClearTranscript();
    Breakdown("key:Esc");
    EXPECT_NE(std::string::npos, ui_->TranscriptText().find("Výkaz 4 až 9     [4]"));
}

TEST_F(ControlPrintoutTest, PermittedCodeMark) {
    Add(Described(PapCode("5011", {15, 55}), "Spotřeba", {5}));
    Add(Account(501, 100, "5011", true));
    struct Case {
        const char* kod;
        double md, dal;
        bool permitted;
    } cases[] = {
        {"515", 1, 0, true},   // MD flag 15
        {"516", 1, 0, false},  // no flag 16
        {"533", 1, 0, true},   // an extra debit number of statement V
        {"534", 1, 0, true},  {"535", 1, 0, false},
        {"555", 0, 1, true},                        // DAL flag 55
        {"556", 0, 1, false}, {"583", 0, 1, true},  // an extra credit number of V
        {"584", 0, 1, true},  {"571", 0, 1, false},
        {"415", 1, 0, false},  // the number is permitted, but it is a code of statement IV
        {"433", 1, 0, false}, {"500", 1, 0, false},
        {"5AB", 1, 0, false},
    };
    int radek = 0;
    for (const Case& c : cases)
        Add(Line("202301FA01 0001", ++radek, 501, 100, c.kod, c.md, c.dal));
    ASSERT_EQ(ControlEnd::Shown, Breakdown("vykaz=5 key:F2").end);
    const std::vector<std::string> rows = Rows();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kod);
        const std::string permitted = "│5011      │" + std::string(c.kod) + "│501/100│01/2023";
        const std::string foreign = "│5011      │" + std::string(c.kod) + "X501/100│01/2023";
        EXPECT_EQ(c.permitted ? 1 : 0, Count(rows, permitted));
        EXPECT_EQ(c.permitted ? 0 : 1, Count(rows, foreign));
    }
}

TEST_F(ControlPrintoutTest, BreakdownTakesOnlyTheStatementsAnalytics) {
    GoldenData();
    struct Case {
        int statement;
        std::vector<std::string> analytics;
    } cases[] = {
        {4, {"0221", "081"}},
        {5, {"3111"}},
        {7, {"5011"}},
        {6, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        ui_->listings.clear();
        const ControlOutcome outcome =
            Breakdown("vykaz=" + std::to_string(c.statement) + " od=0 do=12 key:F2", [&] {
                if (c.analytics.empty())
                    ui_->QueueOk();
            });
        if (c.analytics.empty()) {
            EXPECT_EQ(ControlEnd::NoData, outcome.end);
            EXPECT_EQ(
                "Vámi zadaným parametrům nevyhověla žádná data.  Kontrolní rozklad nebude "
                "vytvořen.",
                LastMessage());
            continue;
        }
        std::vector<std::string> seen;
        for (const std::string& row : Rows())
            if (row.rfind("*", 0) == 0)
                seen.push_back(Trim(FromUtf8(row.substr(1, 10))).empty()
                                   ? std::string()
                                   : ToUtf8(Trim(FromUtf8(row.substr(1, 10)))));
        EXPECT_EQ(c.analytics, seen);
        // No line without a code, none of a " U" document.
        EXPECT_EQ(0, Count(Rows(), "801/000"));
        EXPECT_EQ(0, Count(Rows(), "0005"));
    }
}

/// The cells of a framed row ("│" and "*" both end a cell).
std::vector<std::string> Cells(const std::string& row) {
    std::vector<std::string> cells(1);
    for (std::size_t i = 0; i < row.size();) {
        if (row.compare(i, 3, "│") == 0 || row[i] == '*') {
            cells.emplace_back();
            i += row[i] == '*' ? 1 : 3;
        } else {
            cells.back() += row[i++];
        }
    }
    return cells;
}

std::string Trimmed(const std::string& s) {
    return ToUtf8(Trim(FromUtf8(s)));
}

TEST_F(ControlPrintoutTest, LayoutsAgreeOnTheSums) {
    GoldenData();
    Add(Line("202305FA01 0010", 1, 22, 200, "455", 0, 12.34));
    Add(Line("202305FA01 0010", 2, 81, 100, "401", 3, 0));
    Add(Line("202305FA01 0010", 3, 81, 100, "455", 0.1, 0.2));
    // The lines of statement IV (analytics 0221 and 081) with a code, months 0-12, no " U".
    const std::map<std::string, std::string> plain = {
        {"0221", "6070.00/12.34"},
        {"081", "103.10/250.20"},
    };
    for (int layout = 0; layout <= 2; ++layout) {
        SCOPED_TRACE(layout);
        ui_->listings.clear();
        ASSERT_EQ(
            ControlEnd::Shown,
            Breakdown("vykaz=4 rozlozeni=#" + std::to_string(layout) + " od=0 do=12 key:F2").end);
        const std::vector<std::string> rows = Rows();
        std::map<std::string, std::string> sums;
        std::vector<std::string> kinds;  // "a" account line, "c" code line of 0221
        for (const std::string& row : rows) {
            const std::vector<std::string> c = Cells(row);
            if (layout == 0 && row.rfind("*", 0) == 0)
                sums[Trimmed(c[1])] = Trimmed(c[6]) + "/" + Trimmed(c[7]);
            if (layout > 0 && Trimmed(c[2]).empty() && Trimmed(c[3]).empty())
                sums[Trimmed(c[1])] = Trimmed(c[4]) + "/" + Trimmed(c[5]);
            if (layout == 2 && Trimmed(c[1]) == "081" && !Trimmed(c[2]).empty())
                kinds.push_back(Trimmed(c[3]).empty() ? "a" : "c");
        }
        EXPECT_EQ(plain, sums);
        if (layout == 2) {
            // Account first in the order: the codes of 081/100, then the account's line.
            EXPECT_EQ((std::vector<std::string>{"c", "c", "a"}), kinds);
        }
        if (layout == 0) {
            EXPECT_EQ(8, Count(rows, "│01/2023") + Count(rows, "│03/2023") +
                             Count(rows, "│00/2023") + Count(rows, "│04/2023") +
                             Count(rows, "│05/2023"));
        }
    }
}

}  // namespace
}  // namespace axo::control::test

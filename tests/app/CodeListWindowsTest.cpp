// The code-list windows of a session driven through the scripted front end: a write refused for
// another user's lock reopens the editor with what was typed; the picker of PAP codes in the
// account editor copies the chosen code's duties and statements; the PAP code editor's checks.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/CodeListCommands.h"
#include "pap/a_FiKody.h"
#include "pap/a_FiRozv.h"
#include "pap/a_Fi_PAP.h"
#include "startup/SessionListing.h"

namespace axo::app::test {
namespace {

class CodeListWindowsTest : public ::testing::Test {
  protected:
    CodeListWindowsTest()
        : listing_(startup::ListingEnvironmentFor(inst_.Session())),
          env_(CodeListEnvironmentFor(inst_.Session(), listing_, nullptr)) {}

    /// Whether a message or dialog since `from` holds `text`.
    bool Shown(std::size_t from, const std::string& text) const {
        for (const ui::TranscriptEntry& e : inst_.WindowsSince(from)) {
            if (e.title.find(text) != std::string::npos)
                return true;
            for (const std::string& line : e.lines)
                if (line.find(text) != std::string::npos)
                    return true;
        }
        return false;
    }
    /// The dialogs titled `title` since `from`.
    int Dialogs(std::size_t from, const std::string& title) const {
        int count = 0;
        for (const ui::TranscriptEntry& e : inst_.WindowsSince(from))
            count += e.kind == "dialog" && e.title.find(title) != std::string::npos ? 1 : 0;
        return count;
    }

    Installation inst_{2024};
    ui::ListingEnvironment listing_;
    pap::CodeListEnvironment env_;
};

TEST_F(CodeListWindowsTest, RefusedLockKeepsWhatWasTyped) {
    ASSERT_TRUE(inst_.Created());
    pap::tFileUKod other(*env_.data, env_.location);
    ASSERT_TRUE(other.InitFile(2, storage::_NoWait));
    pap::tAktualizaceFilePAP_Kody window(env_);
    ASSERT_TRUE(window.PripravAktualizaci());
    ASSERT_TRUE(other.BtLockFileBlock(storage::_NoWait));
    ui::ScriptedUi& ui = inst_.Ui();
    const std::size_t from = ui.Transcript().size();
    ui.QueueBrowse("key:Insert");
    ui.QueueDialog("kod=499 nazev=Zkouška key:F2");
    // The editor again, holding the code typed: left.
    ui.QueueDialog("key:Esc");
    window.Spust();
    window.Ukonci();
    other.Unlock();
    EXPECT_TRUE(Shown(from, "zamčen jiným uživatelem")) << "no message of the lock";
    EXPECT_EQ(2, Dialogs(from, "KÓDY TRANSAKCE - pořízení"));
    // The second editor, answered by <Esc> alone, shows what was typed in the first.
    std::string second;
    for (const ui::TranscriptEntry& e : inst_.WindowsSince(from))
        if (e.kind == "dialog" && e.title.find("pořízení") != std::string::npos) {
            second.clear();
            for (const std::string& line : e.lines)
                second += line + "\n";
        }
    EXPECT_NE(std::string::npos, second.find("Zkouška")) << second;
    EXPECT_NE(std::string::npos, second.find("499")) << second;
    std::int32_t n = 0;
    pap::tVetaUKod probe;
    probe.Kod = "499"_t;
    EXPECT_FALSE(other.BtFindKey(1, n, other.MakeKey(1, &probe)));
    other.CloseFile();
}

TEST_F(CodeListWindowsTest, PickedPapCodeGivesTheAccountItsAttributes) {
    ASSERT_TRUE(inst_.Created());
    {
        pap::tFileUAPV codes(*env_.data, env_.location);
        ASSERT_TRUE(codes.InitFile(2, storage::_NoWait));
        pap::tVetaUAPV code;
        code.STAT_ANAL = "501"_t;
        code.POPIS = "Spotřeba materiálu"_t;
        code.VYKAZ_I_II_III = 2;
        code.RADEK = 1;
        code.KOD = 1;
        code.PARTNER = 1;
        code.CojePartner = 1;
        code.VYKAZY[1] = 1;
        code.VYKAZY[10] = 1;
        std::int32_t n = 0;
        ASSERT_TRUE(codes.AddRec(n, &code));
        codes.CloseFile();
    }
    pap::tFileRozvrh chart(*env_.data, env_.location);
    ASSERT_TRUE(chart.InitFile(2, storage::_NoWait));
    pap::tVetaRozvrh account;
    account.SE = 501;
    account.AE = 100;
    account.NAZ_UCT = "Spotřeba"_t;
    account.VYKAZY[0] = 1;  // what the code does not name is cleared
    Text notes;
    ui::ScriptedUi& ui = inst_.Ui();
    ui.QueueDialog("stat_anal=501 key:F7 key:F2");
    ui.QueueBrowse("key:Enter");
    ASSERT_TRUE(pap::EditujUcet(env_, chart, account, notes, nullptr));
    chart.CloseFile();
    EXPECT_EQ("501"_t, Trim(account.STAT_ANAL));
    EXPECT_EQ(1, account.KOD);
    EXPECT_EQ(1, account.PARTNER);
    EXPECT_EQ(1, account.CojePartner);
    for (int v = 1; v <= 20; ++v)
        EXPECT_EQ(v == 2 || v == 11 ? 1 : 0, account.VYKAZY[v - 1]) << "statement " << v;
    EXPECT_EQ('N', account.AKT_PAS) << "a cost account without a nature gets the default";
}

TEST_F(CodeListWindowsTest, PapCodeEditorChecks) {
    ASSERT_TRUE(inst_.Created());
    pap::tFileUAPV codes(*env_.data, env_.location);
    ASSERT_TRUE(codes.InitFile(2, storage::_NoWait));
    pap::tVetaUAPV existing;
    existing.STAT_ANAL = "013"_t;
    existing.VYKAZY[0] = 1;
    existing.VYKAZ_I_II_III = 1;
    existing.RADEK = 5;
    std::int32_t n = 0;
    ASSERT_TRUE(codes.AddRec(n, &existing));
    struct Case {
        std::string steps;  ///< the editor's answer, then leaving it after a refusal
        const char* message;
        int group;
    } cases[] = {
        {"stat_anal=A1 vykazy01=1 vykazy02=1 radek=7 key:F2", nullptr, 1},
        {"stat_anal=A2 vykazy15=1 radek=7 key:F2", nullptr, 0},
        {"stat_anal=A3 vykazy03=1 vykazy15=1 key:F2", "pouze do jednoho z výkazů", -1},
        {"stat_anal=A4 vykazy04=1 key:F2", "Musí být zadána příslušnost do výkazu", -1},
        {"stat_anal=013 vykazy02=1 key:F2", "existující statistickou analytiku", -1},
    };
    ui::ScriptedUi& ui = inst_.Ui();
    for (const Case& c : cases) {
        const std::size_t from = ui.Transcript().size();
        ui.QueueDialog(c.steps);
        if (c.message)
            ui.QueueDialog("key:Esc");
        pap::tVetaUAPV record;
        const bool saved = pap::EditujKodPAP(env_, codes, record, nullptr);
        EXPECT_EQ(c.message == nullptr, saved) << c.steps;
        if (c.message) {
            EXPECT_TRUE(Shown(from, c.message)) << c.steps;
        } else {
            EXPECT_EQ(c.group, record.VYKAZ_I_II_III) << c.steps;
        }
        if (c.group == 1) {
            EXPECT_EQ(0, record.VYKAZY[1]) << "statement II unchecked with group I";
        }
    }
    codes.CloseFile();
}

}  // namespace
}  // namespace axo::app::test

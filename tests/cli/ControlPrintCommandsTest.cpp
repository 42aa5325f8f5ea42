// axo-pap-cli control-statement and control-breakdown end to end: an installation made by the
// program (init, import-chart, fill-chart, import-journal) with its PAP code lists written
// through their file kinds; the printout's path and the number of selected lines, the sums per
// analytics of the three layouts against a plain SQL sum over the same lines, and refusals.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "control/ControlTestSupport.h"
#include "pap/PapFiles.h"
#include "support/CliInstallation.h"
#include "support/CliRun.h"

namespace axo::cli::test {
namespace {

namespace fs = std::filesystem;

using axo::test::CliRun;
using axo::test::ReadFile;

/// A PAP code of transaction-code accounts feeding statement `vykaz`.
pap::tVetaUAPV PapCode(const char* sa, std::initializer_list<int> numbers, int vykaz) {
    pap::tVetaUAPV r = control::test::PapCode(sa, numbers);
    r.KOD = 1;
    r.VYKAZY[vykaz - 1] = 1;
    return r;
}

void WriteCodeLists(const fs::path& home) {
    const axo::test::CodeListPlace place(home);
    pap::tFileUAPV codes(place.ctx, place.where);
    ASSERT_TRUE(codes.InitFile(2, storage::_NoWait));
    std::int32_t n = 0;
    for (const pap::tVetaUAPV& r :
         {PapCode("5011", {1}, 4), PapCode("5021", {1, 2}, 4), PapCode("3111", {51, 55}, 5)})
        ASSERT_TRUE(codes.AddRec(n, &r));
    codes.CloseFile();
    pap::tFileUKod kinds(place.ctx, place.where);
    ASSERT_TRUE(kinds.InitFile(2, storage::_NoWait));
    for (const char* kod : {"401", "402", "455", "501"}) {
        pap::tVetaUKod r;
        r.Kod = FromUtf8(kod);
        ASSERT_TRUE(kinds.AddRec(n, &r));
    }
    kinds.CloseFile();
}

class ControlPrintCommandsTest : public axo::test::CliInstallationTest<ControlPrintCommandsTest> {
  protected:
    static void SetUpTestSuite() {
        ASSERT_NO_FATAL_FAILURE(Install("axo-vypis-cli"));
        WriteCodeLists(Home());
        const fs::path chart = Write("chart.csv",
                                     "su;ae;nazev;povaha;cinnost;stat_anal\n"
                                     "501;100;Spotřeba materiálu;N;1;5011\n"
                                     "501;200;Spotřeba potravin;N;1;5011\n"
                                     "502;100;Spotřeba energie;N;1;5021\n"
                                     "311;100;Odběratelé;A;1;3111\n");
        const fs::path journal = Write("journal.csv",
                                       "doklad;radek;su;ae;md;dal;kod;partner;vs\n"
                                       "202401FA01 0001;1;501;100;100.10;;401;;\n"
                                       "202401FA01 0001;2;311;100;;100.10;455;12345679;VS77\n"
                                       "202402FA01 0002;1;501;200;50.25;;402;;\n"
                                       "202402FA01 0002;2;502;100;33.33;;401;;\n"
                                       "202402FA01 0002;3;311;100;;83.58;455;12345679;\n"
                                       "202403FA01 0003;1;501;100;;7.07;455;;\n"
                                       "202403FA01 0003;2;501;100;7.07;;;;\n"
                                       "202404FA01 0004;1;502;100;1;;401;;\n"
                                       "202404FA01 0004;2;311;100;;1;455;12345679;\n");
        RunInHome(
            {"import-chart " + chart.string(), "fill-chart", "import-journal " + journal.string()});
    }

    /// The printout a successful run names on its first line.
    static std::string Printout(const CliRun& run) {
        const std::string label = "Sestava: ";
        EXPECT_EQ(0u, run.out.find(label)) << run.out;
        return ReadFile(run.out.substr(label.size(), run.out.find('\n') - label.size()));
    }
};

/// The rows of a printout: the framed lines split into trimmed cells ("│" or "*" end a cell).
std::vector<std::vector<std::string>> Rows(const std::string& printout) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(printout);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("│", 0) != 0 && line.rfind("*", 0) != 0)
            continue;
        std::vector<std::string> cells(1);
        for (std::size_t i = 0; i < line.size();) {
            if (line.compare(i, 3, "│") == 0 || line[i] == '*' || line[i] == 'X') {
                cells.emplace_back();
                i += line[i] == '*' || line[i] == 'X' ? 1 : 3;
            } else {
                cells.back() += line[i++];
            }
        }
        for (std::string& c : cells) {
            c.erase(0, c.find_first_not_of(' '));
            c.erase(c.find_last_not_of(' ') + 1);
        }
        rows.push_back(cells);
    }
    return rows;
}

/// Debit and credit of the lines of accounts with analytics `sa`, months 1-12, with a code.
std::string SqlSums(const fs::path& home, const std::string& sa) {
    sqlite3* db = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_open_v2((home / "data/2024/UDPO2024.DB").c_str(), &db,
                                         SQLITE_OPEN_READONLY, nullptr));
    const std::string accounts = sa == "5011" ? "(SU = 501)" : "(SU = 502)";
    const std::string sql =
        "SELECT printf('%.2f/%.2f', SUM(MA_DATI), SUM(DAL)) FROM DATA WHERE "
        "PRIZNAK = 0 AND KOD <> '' AND substr(IDENTIFIKACE, 5, 2) BETWEEN '01' "
        "AND '12' AND " +
        accounts;
    sqlite3_stmt* s = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr));
    std::string result;
    if (sqlite3_step(s) == SQLITE_ROW)
        result = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    sqlite3_finalize(s);
    sqlite3_close(db);
    return result;
}

TEST_F(ControlPrintCommandsTest, StatementPrintoutAndItsPath) {
    const CliRun run = InHome("control-statement --from 1 --to 3 --skip-without-analytics");
    ASSERT_EQ(0, run.code) << run.err;
    EXPECT_EQ(0u, run.out.find("Sestava: " + (Home() / "vystupy/vypis-01-03.txt").string() + "\n"))
        << run.out;
    EXPECT_NE(std::string::npos, run.out.find("Vybraných řádků: 7.\n")) << run.out;
    const std::string printout = Printout(run);
    EXPECT_NE(std::string::npos, printout.find("Kontrolní výpis z účtu od 1 do 3/2024"));
    // Customers are an asset: the balance is debit − credit.
    EXPECT_NE(std::string::npos, printout.find("│3111      │                  │     │       │455*"
                                               "12345679  │          0.00│        183.68│"
                                               "        -183.68│"))
        << printout;
    // The line without a code is selected by the statement (the breakdown leaves it out).
    EXPECT_NE(std::string::npos, printout.find("│    2│501/100│   │")) << printout;
}

TEST_F(ControlPrintCommandsTest, StatementMasksAndOptions) {
    struct Case {
        std::string args;
        std::string selected;
    } cases[] = {
        {"--from 1 --to 12", "Vybraných řádků: 9."},
        {"--from 1 --to 12 --code 4", "Vybraných řádků: 8."},
        {"--from 1 --to 12 --partner1 12345679", "Vybraných řádků: 3."},
        {"--from 1 --to 12 --su 501 --ae 2", "Vybraných řádků: 1."},
        {"--from 1 --to 12 --analytics 50", "Vybraných řádků: 6."},
        {"--from 1 --to 12 --no-code-totals --analytics 3", "Vybraných řádků: 3."},
        {"--from 5 --to 12", "Vybraných řádků: 0 (sestava nebyla vytvořena)."},
    };
    for (const Case& c : cases) {
        const CliRun run = InHome("control-statement " + c.args);
        EXPECT_EQ(0, run.code) << c.args << "\n" << run.err;
        EXPECT_NE(std::string::npos, run.out.find(c.selected)) << c.args << "\n" << run.out;
    }
}

TEST_F(ControlPrintCommandsTest, BreakdownSumsAgreeAcrossLayoutsAndWithSql) {
    const std::map<std::string, std::string> expected = {
        {"5011", SqlSums(Home(), "5011")},
        {"5021", SqlSums(Home(), "5021")},
    };
    EXPECT_EQ("150.35/7.07", expected.at("5011"));
    for (int layout = 0; layout <= 2; ++layout) {
        SCOPED_TRACE(layout);
        const CliRun run = InHome("control-breakdown --statement 4 --from 1 --to 12 --layout " +
                                  std::to_string(layout));
        ASSERT_EQ(0, run.code) << run.err;
        EXPECT_NE(std::string::npos,
                  run.out.find("rozklad-IV-01-12" + std::string(layout ? "-" : "")))
            << run.out;
        std::map<std::string, std::string> sums;
        for (const std::vector<std::string>& c : Rows(Printout(run))) {
            if (layout == 0 && c.size() == 11 && c[0].empty() && c[2].empty() && c[3].empty() &&
                c[4].empty())
                sums[c[1]] = c[6] + "/" + c[7];
            if (layout > 0 && c.size() == 7 && c[2].empty() && c[3].empty())
                sums[c[1]] = c[4] + "/" + c[5];
        }
        EXPECT_EQ(expected, sums);
    }
}

TEST_F(ControlPrintCommandsTest, BreakdownMarksForeignCodes) {
    const CliRun run = InHome("control-breakdown --statement 4 --from 1 --to 12 --layout 0 --su 5");
    ASSERT_EQ(0, run.code) << run.err;
    const std::string printout = Printout(run);
    // 401 on 5011: MD flag 1; 402 on 5011: no flag 2; 455 (a credit number without a flag).
    EXPECT_NE(std::string::npos, printout.find("│5011      │401│501/100│01/2024 FA01/0001 │"));
    EXPECT_NE(std::string::npos, printout.find("│5011      │402X501/200│02/2024 FA01/0002 │"));
    EXPECT_NE(std::string::npos, printout.find("│5011      │455X501/100│03/2024 FA01/0003 │"));
    EXPECT_NE(std::string::npos, printout.find("│5021      │401│502/100│02/2024 FA01/0002 │"));
}

TEST_F(ControlPrintCommandsTest, Refusals) {
    ExpectRefusals({
        {"control-statement --bogus 1", 2, "Neznámá volba --bogus."},
        {"control-statement navic", 2, "Použití: axo-pap-cli control-statement"},
        {"control-statement --analytics 12345678901", 2, "Volba --analytics má nejvýše 10 znaků"},
        {"control-statement --code \"4 1\"", 2, "Volba --code má nejvýše 3 znaků"},
        {"control-statement --from x", 2, "--from"},
        {"control-statement --from 5 --to 2", 1,
         "Počáteční měsíc období nesmí být větší než koncový."},
        {"control-statement --su 5x", 1, "Hodnotu <5x> nelze zadat do položky <SÚ>."},
        {"control-breakdown --from 1", 2, "Volba --statement potřebuje číslo výkazu 4 až 9."},
        {"control-breakdown --statement 3", 2, "Volba --statement potřebuje číslo výkazu 4 až 9."},
        {"control-breakdown --statement 4 --layout 3", 2, "Volba --layout potřebuje 0"},
        {"control-breakdown --statement 4 --partner1 1", 2, "Neznámá volba --partner1."},
    });
}

}  // namespace
}  // namespace axo::cli::test

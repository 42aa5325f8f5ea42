// An installation on a PostgreSQL server end to end through axo-pap-cli: a demo installation made
// on the server compiles every statement of the year to the same CSV bytes as the same demo in
// SQLite files; an installation moved to the server and back keeps those bytes; a creation that
// fails on the server leaves none of its tables there. The server is the tests' own (initdb and
// pg_ctl in a temporary directory, Unix socket only); without Debian's postgresql package the
// tests are skipped.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "storage/PgEngine.h"
#include "storage/PgSupport.h"
#include "support/CliRun.h"
#include "support/PgServer.h"

namespace axo::cli::test {
namespace {

namespace fs = std::filesystem;

using axo::test::CliRun;

/// The CSV files of a directory by name, with their bytes.
std::map<std::string, std::string> CsvFiles(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == ".csv")
            files[entry.path().filename().string()] = axo::test::ReadFile(entry.path());
    return files;
}

class ServerInstallationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server_ = std::make_unique<axo::test::PgServer>();
        if (server_->Missing())
            GTEST_SKIP() << server_->Problem();
        ASSERT_TRUE(server_->Running()) << server_->Problem();
        dir_ = fs::temp_directory_path() / ("axo-server-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (!dir_.empty())
            fs::remove_all(dir_);
    }

    CliRun Cli(const std::string& args) const {
        return axo::test::RunCli(dir_, args, "TMPDIR=" + axo::test::Quote(dir_.string()));
    }
    /// A demo installation `name` of 2023 (the same data whatever the engine); `engine` adds
    /// the server's options.
    void Demo(const std::string& name, const std::string& engine = "") const {
        const CliRun run = Cli("demo-install " + (dir_ / name).string() +
                               " --year 2023 --lines 300 --seed 5" + engine);
        ASSERT_EQ(0, run.code) << run.err;
    }
    /// The CSVs of every statement of 2023 compiled in the installation `name` in one pass.
    std::map<std::string, std::string> Statements(const std::string& name,
                                                  const std::string& csvDir) const {
        const fs::path out = dir_ / csvDir;
        fs::create_directories(out);
        const CliRun run =
            Cli("statements --from 1 --to 12 --csv-dir " + out.string() + " --home " +
                (dir_ / name).string() + " --password ucetni --year 2023");
        EXPECT_EQ(0, run.code) << run.err;
        return CsvFiles(out);
    }
    /// The connection to the database `db` of the server.
    std::string Db(const std::string& db, const std::string& user = "postgres") const {
        std::string conninfo = server_->Conninfo();
        conninfo = conninfo.substr(0, conninfo.find(" user="));
        return conninfo + " user=" + user + " dbname=" + db;
    }
    void Sql(const std::string& sql) const {
        storage::pg::Connection c(server_->Conninfo());
        c.Exec(sql);
    }

    std::unique_ptr<axo::test::PgServer> server_;
    fs::path dir_;
};

TEST_F(ServerInstallationTest, StatementsOnTheServerAreTheSqliteInstallationsToTheByte) {
    Demo("soubory");
    Demo("server", " --engine postgresql --db " + axo::test::Quote(Db("postgres")));
    const std::map<std::string, std::string> expected = Statements("soubory", "csv-soubory");
    ASSERT_GE(expected.size(), 10u);
    EXPECT_EQ(expected, Statements("server", "csv-server"));

    // The server's installation moved to SQLite files and on to a database of its own.
    Sql("CREATE DATABASE presun");
    const std::string home = " --home " + (dir_ / "server").string();
    for (const auto& [engine, db] : {std::pair{"sqlite", "postgres"}, {"postgresql", "presun"}}) {
        const CliRun run =
            Cli(std::string("migrate --to ") + engine + " --db " + axo::test::Quote(Db(db)) + home);
        ASSERT_EQ(0, run.code) << engine << "\n" << run.err;
        EXPECT_NE(std::string::npos, run.out.find("(počty souhlasí)")) << run.out;
        EXPECT_EQ(expected, Statements("server", std::string("csv-") + engine)) << engine;
    }
}

TEST_F(ServerInstallationTest, ACreationThatFailsLeavesNoTableOnTheServer) {
    // The login may create tables but cannot replace the program installation's table, which
    // is written last: the creation fails after every other table was made.
    Sql("CREATE ROLE ucetni LOGIN");
    Sql("GRANT CREATE ON SCHEMA public TO ucetni");
    const fs::path home = dir_ / "skola";
    Sql("CREATE TABLE " + storage::pg::Name(storage::pg::TableName(home / "AXO.DB", home)) +
        " (cizi integer)");
    const std::string db = axo::test::Quote(Db("postgres", "ucetni"));
    for (const std::string& command :
         {"init " + home.string() + " --year 2024",
          "demo-install " + home.string() + " --year 2024 --lines 50"}) {
        const CliRun run = Cli(command + " --engine postgresql --db " + db);
        EXPECT_EQ(1, run.code) << command << "\n" << run.err;
        EXPECT_TRUE(storage::PgTables({server_->Conninfo(), home}).empty()) << command;
        EXPECT_FALSE(fs::exists(home)) << command;
    }
    // With the way clear the same creation succeeds.
    Sql("DROP TABLE " + storage::pg::Name(storage::pg::TableName(home / "AXO.DB", home)));
    const CliRun run = Cli("init " + home.string() + " --year 2024 --engine postgresql --db " + db);
    ASSERT_EQ(0, run.code) << run.err;
    EXPECT_FALSE(storage::PgTables({server_->Conninfo(), home}).empty());
}

}  // namespace
}  // namespace axo::cli::test

// An installation shared by the Unix users of a group, set up as the README says (a group,
// directories that pass it on, umask 002): what one member makes the other can work with, the
// tables with passwords stay closed to users outside the group, and a work directory a user may
// not write to is said at start-up. The users are made for the test (it runs as root).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "ScratchUsers.h"
#include "StartupTestSupport.h"
#include "support/CliRun.h"

namespace axo::startup::test {
namespace {

using axo::test::CliCommand;
using axo::test::CliRun;
using axo::test::Quote;
using axo::test::RunShell;

class SharedInstallationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!users_.Made())
            GTEST_SKIP() << "Unix users for the test cannot be made here (the test needs root, "
                            "useradd and setpriv)";
        fs::permissions(dir_.Path(), fs::perms::owner_all | fs::perms::group_read |
                                         fs::perms::group_exec | fs::perms::others_read |
                                         fs::perms::others_exec);
        // The program as the users may run it, wherever the build lies.
        program_ = AXO_CLI_PATH;
        if (RunShell(dir_.Path(), users_.As(users_.first, "002", "test -x " + Quote(program_)))
                .code != 0) {
            program_ = (dir_.Path() / "axo-pap-cli").string();
            fs::copy_file(AXO_CLI_PATH, program_);
        }
        // The shared directory: of the group, passing the group on to what is made in it.
        fs::create_directory(Home());
        ASSERT_EQ(0, ::chown(Home().c_str(), 0, users_.Gid()));
        ASSERT_EQ(0, ::chmod(Home().c_str(), 02775));
    }

    fs::path Home() const { return dir_.Path() / "skola"; }
    std::string HomeArg() const { return "--home " + Quote(Home().string()); }
    /// The program run as `user` with the umask of a shared installation.
    CliRun As(const std::string& user, const std::string& args, const std::string& mask = "002") {
        return RunShell(dir_.Path(), users_.As(user, mask, CliCommand(program_, args)));
    }

    ScratchUsers users_;
    ScratchDir dir_;
    std::string program_;
};

TEST_F(SharedInstallationTest, WhatOneMemberMakesTheOtherWorksWith) {
    const CliRun made =
        As(users_.first, "demo-install " + Quote(Home().string()) + " --year 2024 --lines 300");
    ASSERT_EQ(0, made.code) << made.err;
    // Each member in turn compiles a statement and writes an XML file: the logins, the work
    // files, the printouts, the parameter vault and the XML directory the other one made.
    const std::string statement = HomeArg() + " --year 2024 --password ucetni statement 1";
    const std::string xml = HomeArg() + " --year 2024 --password ucetni xml 1 --dir " +
                            Quote((Home() / "xml").string()) +
                            " --person 'Jana Nováková' --email ucetni@zs-demo.cz --phone 123 "
                            "--zo 12345";
    for (const std::string* user : {&users_.second, &users_.first, &users_.second}) {
        for (const std::string& args : {statement, xml}) {
            const CliRun run = As(*user, args);
            EXPECT_EQ(0, run.code) << *user << ": " << args << "\n" << run.err;
        }
    }
    // Every file is the group's and the group's to write, the printouts too; the tables with
    // passwords are closed to all others.
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(Home())) {
        struct stat st {};
        ASSERT_EQ(0, ::lstat(e.path().c_str(), &st));
        const std::string name = e.path().filename().string();
        EXPECT_EQ(users_.Gid(), st.st_gid) << e.path();
        EXPECT_EQ(S_IRGRP | S_IWGRP, st.st_mode & (S_IRGRP | S_IWGRP)) << e.path();
        if (e.is_directory()) {
            EXPECT_TRUE(st.st_mode & S_ISGID) << e.path();
        }
        if (name == "AXO.DB" || name == "AXO-USER.DB") {
            EXPECT_EQ(0u, st.st_mode & S_IRWXO) << e.path();
        }
    }
    EXPECT_EQ(1, As(users_.outsider, HomeArg() + " --year 2024 --password ucetni info").code);
    EXPECT_NE(
        0, RunShell(dir_.Path(),
                    users_.As(users_.outsider, "002",
                              "cat " + Quote((Home() / "data" / "2024" / "AXO-USER.DB").string())))
               .code);
}

TEST_F(SharedInstallationTest, AWorkDirectoryTheUserMayNotWriteToIsSaid) {
    const CliRun made =
        As(users_.first, "init " + Quote(Home().string()) + " --year 2024 --password tajne");
    ASSERT_EQ(0, made.code) << made.err;
    const std::string info = HomeArg() + " --year 2024 --password tajne info";
    struct Case {
        const char* name;
        std::vector<fs::path> readOnly;
        int code;
        const char* message;
    } cases[] = {
        {"the work directory",
         {Home() / "temp"},
         0,
         "zadaná příkazem \"AXO_TEMP=\" nedovoluje zápis (chybí právo zápisu). Pracovní "
         "soubory budou ukládány do aktuálního adresáře."},
        {"the work directory and the program directory",
         {Home() / "temp", Home()},
         1,
         "] nelze zapisovat: program v něm vytváří pracovní soubory."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const fs::path& d : c.readOnly)
            ASSERT_EQ(0, ::chmod(d.c_str(), 02555));
        const Snapshot before = TakeSnapshot(Home() / "data");
        const CliRun run = As(users_.second, info);
        for (const fs::path& d : c.readOnly)
            ASSERT_EQ(0, ::chmod(d.c_str(), 02775));
        EXPECT_EQ(c.code, run.code) << run.err;
        EXPECT_NE(std::string::npos, Flat(run.err).find(c.message)) << run.err;
        if (c.code != 0) {
            EXPECT_TRUE(before == TakeSnapshot(Home() / "data")) << "a login was left behind";
        }
    }
}

}  // namespace
}  // namespace axo::startup::test

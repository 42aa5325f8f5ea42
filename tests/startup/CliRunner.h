// Running axo-pap-cli as a process for end-to-end tests: in an environment of its own (no
// password or home of the caller, a fixed computer identification), as this user or as another
// Unix user with a umask of its own; and Unix users and a group made for a test.
#pragma once

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace axo::startup::test {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

/// A word for the shell, quoted.
inline std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

/// Runs a shell command, its output kept in files of `scratch`.
inline CliRun RunShell(const std::filesystem::path& scratch, const std::string& command) {
    const std::filesystem::path out = scratch / "out.txt";
    const std::filesystem::path err = scratch / "err.txt";
    const int status = std::system(
        (command + " >" + Quote(out.string()) + " 2>" + Quote(err.string()) + " </dev/null")
            .c_str());
    CliRun run;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadFile(out);
    run.err = ReadFile(err);
    return run;
}

/// The program's command line `args` (quoted where needed) in an environment of its own, with
/// the variables `env` ("NAME=value ...") added.
inline std::string CliCommand(const std::string& program, const std::string& args,
                              const std::string& env = "") {
    return "env -u AXO_PASSWORD -u AXO_HOME AXO_COMPUTER_ID=0000ABCD " + env + " " +
           Quote(program) + " " + args;
}

/// Unix users made for a test and removed with the object: two members of a group of their own
/// and an outsider. Made only by root with useradd and groupadd; Made() tells.
class ScratchUsers {
  public:
    ScratchUsers() {
        if (::geteuid() != 0 || std::system("command -v useradd >/dev/null 2>&1") != 0 ||
            std::system("command -v setpriv >/dev/null 2>&1") != 0)
            return;
        const std::string id = std::to_string(::getpid());
        group = "axog" + id;
        first = "axoa" + id;
        second = "axob" + id;
        outsider = "axoc" + id;
        made_ = Run("groupadd " + group) && Run("useradd -M -N -g " + group + " " + first) &&
                Run("useradd -M -N -g " + group + " " + second) && Run("useradd -M -N " + outsider);
    }
    ~ScratchUsers() {
        for (const std::string& user : {first, second, outsider})
            if (!user.empty())
                Run("userdel " + user);
        if (!group.empty())
            Run("groupdel " + group);
    }
    ScratchUsers(const ScratchUsers&) = delete;
    ScratchUsers& operator=(const ScratchUsers&) = delete;

    bool Made() const { return made_; }
    /// The group's id.
    gid_t Gid() const {
        const struct group* g = ::getgrnam(group.c_str());
        return g ? g->gr_gid : static_cast<gid_t>(-1);
    }
    /// `command` run by the shell as `user` (with the user's groups) under `umask`.
    std::string As(const std::string& user, const std::string& umask,
                   const std::string& command) const {
        const struct passwd* pw = ::getpwnam(user.c_str());
        const std::string uid = pw ? std::to_string(pw->pw_uid) : user;
        const std::string gid = pw ? std::to_string(pw->pw_gid) : user;
        return "setpriv --reuid=" + uid + " --regid=" + gid + " --init-groups sh -c " +
               Quote("umask " + umask + " && " + command);
    }

    std::string group, first, second, outsider;

  private:
    static bool Run(const std::string& command) {
        return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
    }
    bool made_ = false;
};

}  // namespace axo::startup::test

// Unix users and a group made for a test, and commands run as one of them with a umask of its
// own (axo-pap-cli among them, as tests/support/CliRun.h runs it).
#pragma once

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/CliRun.h"

namespace axo::startup::test {

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
               axo::test::Quote("umask " + umask + " && " + command);
    }

    std::string group, first, second, outsider;

  private:
    static bool Run(const std::string& command) {
        return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
    }
    bool made_ = false;
};

}  // namespace axo::startup::test

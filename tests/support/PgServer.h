// A PostgreSQL server of the tests: a new cluster in a temporary directory, listening on a Unix
// socket in that directory only (never on TCP), started with initdb and pg_ctl of Debian's
// postgresql package (as the user postgres when the tests run as root), stopped and removed
// with this object.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace axo::test {

class PgServer {
  public:
    /// Starts the server; Running() tells whether it did, Problem() why not.
    PgServer() {
        namespace fs = std::filesystem;
        std::error_code ec;
        for (fs::directory_iterator it("/usr/lib/postgresql", ec), end; !ec && it != end;
             it.increment(ec))
            if (fs::exists(it->path() / "bin" / "initdb") && fs::exists(it->path() / "bin/pg_ctl"))
                bin_ = (it->path() / "bin").string();
        if (bin_.empty()) {
            missing_ = true;
            problem_ =
                "PostgreSQL is not installed (Debian package postgresql): the server "
                "engine's run is skipped";
            return;
        }
        std::string pattern = (fs::temp_directory_path() / "axo-pg-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            problem_ = "no temporary directory for the server";
            return;
        }
        dir_ = pattern;
        asPostgres_ = ::geteuid() == 0;
        if (asPostgres_ && !Run("chown postgres " + dir_)) {
            problem_ = "the directory cannot be given to the user postgres";
            return;
        }
        if (!Run(bin_ + "/initdb -D " + dir_ +
                 "/data -A trust -U postgres -E UTF8 --locale=C "
                 "--no-sync >" +
                 dir_ + "/initdb.log 2>&1")) {
            problem_ = "initdb failed (" + dir_ + "/initdb.log)";
            return;
        }
        // Only the socket in the directory: listen_addresses '' opens no TCP port at all.
        running_ = Run(bin_ + "/pg_ctl -D " + dir_ + "/data -w -l " + dir_ +
                       "/server.log -o \"-c listen_addresses='' -k " + dir_ +
                       " -c fsync=off -c max_connections=200\" start >/dev/null 2>&1");
        if (!running_)
            problem_ = "the server did not start (" + dir_ + "/server.log)";
    }
    ~PgServer() {
        if (running_)
            Run(bin_ + "/pg_ctl -D " + dir_ + "/data -m immediate stop >/dev/null 2>&1");
        if (!dir_.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(dir_, ec);
        }
    }
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    bool Running() const { return running_; }
    /// Why the server is not running ("" when it is).
    const std::string& Problem() const { return problem_; }
    /// Whether the package is missing (the only reason to skip rather than fail).
    bool Missing() const { return missing_; }
    /// The libpq connection string of the server's database.
    std::string Conninfo() const { return "host=" + dir_ + " user=postgres dbname=postgres"; }

  private:
    bool Run(const std::string& command) {
        const std::string line = asPostgres_ && command.rfind("chown", 0) != 0
                                     ? "runuser -u postgres -- sh -c '" + Escaped(command) + "'"
                                     : command;
        return std::system(line.c_str()) == 0;
    }
    static std::string Escaped(const std::string& s) {
        std::string out;
        for (char c : s)
            out += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return out;
    }
    std::string dir_;
    std::string bin_;
    bool asPostgres_ = false;
    bool running_ = false;
    bool missing_ = false;
    std::string problem_;
};

}  // namespace axo::test

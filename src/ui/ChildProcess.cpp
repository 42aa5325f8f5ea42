// Running programs by an argument vector: spawning with pipes, feeding and draining them
// without deadlock, and starting detached viewers.
#include "ui/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

extern char** environ;

namespace axo::ui {

namespace {

/// An argument vector for exec: the strings live as long as this object.
class ArgVector {
  public:
    ArgVector(const std::string& first, const std::vector<std::string>& rest) {
        strings_.push_back(first);
        strings_.insert(strings_.end(), rest.begin(), rest.end());
        for (std::string& s : strings_)
            pointers_.push_back(s.data());
        pointers_.push_back(nullptr);
    }
    char** Get() { return pointers_.data(); }

  private:
    std::vector<std::string> strings_;
    std::vector<char*> pointers_;
};

struct Pipe {
    int fd[2] = {-1, -1};
    bool Open() { return ::pipe2(fd, O_CLOEXEC) == 0; }
    void Close(int end) {
        if (fd[end] >= 0)
            ::close(fd[end]);
        fd[end] = -1;
    }
    ~Pipe() {
        Close(0);
        Close(1);
    }
};

/// Blocks SIGPIPE in this thread while a child's input is written, so that a child that stops
/// reading cannot end the program; a SIGPIPE raised meanwhile is consumed before unblocking.
class SigpipeBlock {
  public:
    SigpipeBlock() {
        sigemptyset(&pipeSet_);
        sigaddset(&pipeSet_, SIGPIPE);
        ::pthread_sigmask(SIG_BLOCK, &pipeSet_, &old_);
    }
    ~SigpipeBlock() {
        const timespec zero{0, 0};
        while (::sigtimedwait(&pipeSet_, nullptr, &zero) > 0) {
        }
        ::pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }
    const sigset_t& Old() const { return old_; }

  private:
    sigset_t pipeSet_;
    sigset_t old_;
};

int Spawn(pid_t& pid, const std::filesystem::path& program, char** argv, char** envp,
          const posix_spawn_file_actions_t* actions, const sigset_t& childMask) {
    posix_spawnattr_t attr;
    ::posix_spawnattr_init(&attr);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    ::posix_spawnattr_setsigdefault(&attr, &defaults);
    ::posix_spawnattr_setsigmask(&attr, &childMask);
    ::posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    const std::string path = program.string();
    const int rc = path.find('/') == std::string::npos
                       ? ::posix_spawnp(&pid, path.c_str(), actions, &attr, argv, envp)
                       : ::posix_spawn(&pid, path.c_str(), actions, &attr, argv, envp);
    ::posix_spawnattr_destroy(&attr);
    return rc;
}

/// Writes the input and reads both outputs until the child has closed them.
void Exchange(int inFd, int outFd, int errFd, std::string_view input, ProgramResult& result) {
    std::size_t written = 0;
    if (inFd >= 0)
        ::fcntl(inFd, F_SETFL, ::fcntl(inFd, F_GETFL) | O_NONBLOCK);
    char buffer[8192];
    for (;;) {
        pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {inFd, POLLOUT, 0}};
        const nfds_t count = inFd >= 0 ? 3 : 2;
        if (outFd < 0 && errFd < 0 && inFd < 0)
            return;
        if (::poll(fds, count, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        for (int i = 0; i < 2; ++i) {
            int& fd = i == 0 ? outFd : errFd;
            if (fd < 0 || fds[i].revents == 0)
                continue;
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) {
                (i == 0 ? result.output : result.errorOutput).append(buffer, std::size_t(n));
            } else if (n == 0 || errno != EINTR) {
                fd = -1;
            }
        }
        if (inFd >= 0 && fds[2].revents != 0) {
            const ssize_t n = written < input.size()
                                  ? ::write(inFd, input.data() + written, input.size() - written)
                                  : 0;
            if (n > 0)
                written += std::size_t(n);
            // All written, or the child stopped reading: its input ends here.
            if (written >= input.size() || (n < 0 && errno != EAGAIN && errno != EINTR)) {
                ::close(inFd);
                inFd = -1;
            }
        }
    }
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace

ProgramResult RunProgram(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments, std::string_view input,
                         const std::vector<std::string>* environment) {
    ProgramResult result;
    Pipe in, out, err;
    if (!in.Open() || !out.Open() || !err.Open())
        return result;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, in.fd[0], 0);
    ::posix_spawn_file_actions_adddup2(&actions, out.fd[1], 1);
    ::posix_spawn_file_actions_adddup2(&actions, err.fd[1], 2);
    ArgVector argv(program.string(), arguments);
    std::vector<std::string> envCopy = environment ? *environment : std::vector<std::string>{};
    ArgVector envv(std::string(), envCopy);
    char** envp = environment ? envv.Get() + 1 : environ;
    SigpipeBlock block;
    pid_t pid = 0;
    const int rc = Spawn(pid, program, argv.Get(), envp, &actions, block.Old());
    ::posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return result;
    result.started = true;
    in.Close(0);
    out.Close(1);
    err.Close(1);
    Exchange(in.fd[1], out.fd[0], err.fd[0], input, result);
    in.fd[1] = -1;  // closed by Exchange
    result.exitCode = WaitFor(pid);
    return result;
}

bool StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    // A helper child starts the program and ends at once, so the program is adopted by init
    // and never stays a zombie of ours; a pipe closed on exec tells whether the exec worked.
    Pipe report;
    if (!report.Open())
        return false;
    ArgVector argv(program.string(), arguments);
    const std::string path = program.string();
    const bool search = path.find('/') == std::string::npos;
    const pid_t helper = ::fork();
    if (helper < 0)
        return false;
    if (helper == 0) {
        ::setsid();
        const pid_t child = ::fork();
        if (child == 0) {
            ::signal(SIGPIPE, SIG_DFL);
            search ? ::execvp(path.c_str(), argv.Get()) : ::execv(path.c_str(), argv.Get());
            const int error = errno;
            (void)!::write(report.fd[1], &error, sizeof error);
            ::_exit(127);
        }
        ::_exit(child < 0 ? 1 : 0);
    }
    report.Close(1);
    const int helperExit = WaitFor(helper);
    int error = 0;
    ssize_t n;
    while ((n = ::read(report.fd[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    return helperExit == 0 && n == 0;
}

std::filesystem::path FindProgram(const std::string& name, std::string_view searchPath) {
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return IsExecutableFile(name) ? std::filesystem::path(name) : std::filesystem::path();
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t end = searchPath.find(':', start);
        if (end == std::string_view::npos)
            end = searchPath.size();
        const std::string_view dir = searchPath.substr(start, end - start);
        // An empty entry of PATH stands for the current directory.
        const std::filesystem::path candidate =
            std::filesystem::path(dir.empty() ? std::string(".") : std::string(dir)) / name;
        if (IsExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}

bool IsExecutableFile(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec) && ::access(file.c_str(), X_OK) == 0;
}

}  // namespace axo::ui

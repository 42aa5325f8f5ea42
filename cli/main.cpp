// axo-pap-cli: the program's commands without a window. Global options come before or after
// the command; each command parses its own options and calls the core. What the command writes
// to standard output is checked: a run whose output was lost does not end with success.
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

#include "CliUi.h"
#include "Commands.h"
#include "Options.h"
#include "util/Regional.h"
#include "util/SystemError.h"

namespace {

/// Standard output written with write(2), so that a failure keeps its error number: a full disk
/// or a device that takes nothing behind the redirection is told, not lost in a buffer. After
/// the first failure nothing more is written. On a terminal each line goes out at once.
class CheckedOutput : public std::streambuf {
  public:
    CheckedOutput() : lineByLine_(::isatty(STDOUT_FILENO) == 1) {}
    /// The system's error number of the first failed write; 0 while none failed.
    int Error() const { return error_; }

  protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof()))
            return sync() == 0 ? traits_type::not_eof(ch) : traits_type::eof();
        const char c = traits_type::to_char_type(ch);
        return xsputn(&c, 1) == 1 ? ch : traits_type::eof();
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        if (error_ != 0)
            return 0;
        pending_.append(s, static_cast<std::size_t>(n));
        const bool due =
            pending_.size() >= kChunk || (lineByLine_ && pending_.find('\n') != std::string::npos);
        return due && sync() != 0 ? 0 : n;
    }
    int sync() override {
        std::size_t done = 0;
        while (done < pending_.size() && error_ == 0) {
            const ssize_t n =
                ::write(STDOUT_FILENO, pending_.data() + done, pending_.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                error_ = n < 0 ? errno : EIO;
            else
                done += static_cast<std::size_t>(n);
        }
        pending_.clear();
        return error_ == 0 ? 0 : -1;
    }

  private:
    static constexpr std::size_t kChunk = 64 * 1024;
    std::string pending_;
    int error_ = 0;
    bool lineByLine_;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    axo::SetRegionalSettings(axo::RegionalSettings::FromEnvironment());
    CheckedOutput output;
    std::streambuf* const standard = std::cout.rdbuf(&output);
    int code = 0;
    try {
        const axo::cli::Options options(args, axo::cli::FlagNames());
        code = axo::cli::RunCommand(options, std::cout, std::cerr);
    } catch (const std::invalid_argument& e) {
        std::cerr << e.what() << "\n";
        code = 2;
    }
    std::cout.flush();
    std::cout.rdbuf(standard);
    if (output.Error() != 0) {
        std::cerr << "Chyba při zápisu na standardní výstup: "
                  << axo::ToUtf8(axo::SystemErrorText(output.Error())) << ".\n";
        return code != 0 ? code : 1;
    }
    // The failed printout has been reported when it failed; the run is not a success.
    return code == 0 && axo::cli::AnyPrintoutFailed() ? 1 : code;
}

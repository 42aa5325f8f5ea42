// A scratch directory for tests: made new and empty under the system's temporary directory,
// removed with its contents afterwards (also when a test took its permissions away).
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace axo::test {

class ScratchDir {
  public:
    /// `stem` names the directory ("axo-work" gives /tmp/axo-work-XXXXXX).
    explicit ScratchDir(const std::string& stem = "axo") {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (stem + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

}  // namespace axo::test

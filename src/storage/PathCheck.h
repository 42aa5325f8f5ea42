// The check of a directory the program is to work in or write to, made before anything is
// created there: every character of its path must have a place in Windows-1250 (the program
// keeps paths as such texts, and a character without one would lead to another directory),
// and the path must leave room for what the program puts below it.
#pragma once

#include <cstddef>
#include <filesystem>

#include "util/Text.h"

namespace axo::storage {

enum class DirectoryUse {
    /// An installation home: the tables below it must stay within the engine's path limit.
    Installation,
    /// Where printouts and exported files go: the program's directory fields hold 255
    /// characters.
    Output,
};

/// The longest output directory the program's directory fields hold, with its trailing "/".
inline constexpr std::size_t kMaxOutputDirectory = 255;
/// The longest path (in bytes) the installation puts below its home: a data area's directory
/// ("ciselniky/2024/") and the longest name of a table's files while they are being built
/// ("!RN_AXO-DATA.DB.new4194304-journal"), with room to spare.
inline constexpr std::size_t kInstallationPathReserve = 64;

/// The longest path of an installation home (in bytes of its UTF-8 form).
std::size_t MaxInstallationPath();

/// What is wrong with `directory` (made absolute against the current directory) for `use`, as
/// a message that names it and says what to do; empty when nothing is.
Text DirectoryPathProblem(const std::filesystem::path& directory, DirectoryUse use);

}  // namespace axo::storage

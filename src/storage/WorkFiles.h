// Work files of the data layer: the work directory from "AXO.CFG", unique temporary names that
// no other process can get at the same time, the file operations on a table's file set and on
// paths, and the error journal "Axo-Zurn.Err".
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "storage/DataContext.h"
#include "ui/UiServices.h"
#include "util/Text.h"

namespace axo::storage {

/// The longest work directory accepted from "AXO.CFG", its trailing "/" included.
inline constexpr std::size_t kMaxWorkDirectoryLength = 75;
/// The error journal in the current directory.
inline constexpr const char* kJournalFileName = "Axo-Zurn.Err";
/// The configuration file of the installation and its work directory key.
inline constexpr const char* kConfigFileName = "AXO.CFG";

/// A file name of the program (Windows-1250) as a path of the file system (UTF-8 names).
std::filesystem::path PathFromText(const Text& text);
/// A path as a Windows-1250 text; characters Windows-1250 lacks become "?".
Text TextFromPath(const std::filesystem::path& path);

// ---- Temporary names ---------------------------------------------------------------------

/// A name of a temporary file that nobody else has: directory + "/" + "!" + prefix + random
/// digits (the part after the directory 8 characters long) + "." + extension. The file itself is
/// created empty before the name is returned, so that no other process (or later call) can get
/// the same name; callers overwrite or recreate it. An empty directory gives a name relative to
/// the process's current directory. An empty prefix is a programming error: it is reported and
/// "XY" is used. When the directory cannot be written the name of a file that does not exist is
/// returned unreserved (the caller's own create then fails and reports).
std::filesystem::path RandomNotExistKomplName(const DataContext& ctx,
                                              const std::filesystem::path& directory,
                                              const Text& prefix, const Text& extension);
/// As RandomNotExistKomplName without an extension: the stem of a temporary table, to which the
/// table layer appends its extensions. The stem is reserved by an empty file of that bare name
/// (removed by DeleteTableFiles); a stem counts as taken when that file or any "stem.*" exists.
std::filesystem::path RandomNotExistName(const DataContext& ctx,
                                         const std::filesystem::path& directory,
                                         const Text& prefix);
/// As RandomNotExistName, the file name only (directory removed); the stem is reserved in
/// `directory` all the same.
std::filesystem::path RandomNotExistFileName(const DataContext& ctx,
                                             const std::filesystem::path& directory,
                                             const Text& prefix);

// ---- Work directory ----------------------------------------------------------------------

/// The work directory of the run, read at program start from the key "AXO_TEMP" of "AXO.CFG"
/// in `currentDirectory`: a full path ending in "/", or empty (work files then go to the
/// current directory). A missing directory, one the process cannot write to, or one configured
/// with more than 75 characters (counted as written, relative ones relative to
/// `currentDirectory`, with the trailing "/"), is reported with a plain message and gives
/// empty. Never fails otherwise.
std::filesystem::path ReadWorkDirectory(ui::UiServices& ui,
                                        const std::filesystem::path& currentDirectory);
/// Whether the process can create files in the directory (tried with a file that is removed
/// again, so that read-only mounts and access lists count as they are).
bool DirectoryWritable(const std::filesystem::path& directory);

// ---- Error journal -----------------------------------------------------------------------

/// The journal file "Axo-Zurn.Err" of the context (in its current directory).
std::filesystem::path JournalPath(const DataContext& ctx);
/// Appends one line (Windows-1250, CR LF) to the error journal, creating the file when missing.
/// File errors are ignored: the line is then lost.
void AppendJournal(const DataContext& ctx, const Text& line);
/// Appends several lines in one write, so that entries of processes writing at the same time do
/// not interleave. File errors are ignored.
void AppendJournalLines(const DataContext& ctx, const std::vector<Text>& lines);

// ---- File operations ---------------------------------------------------------------------

/// Deletes every file of a table given by its full name without extension: name + ".DB" (with
/// the engine's journal), the index files, name + ".MB"/".mb", the lock file beside the data
/// file unless somebody holds a lock on it, and the bare reservation file of a temporary name.
/// Errors are ignored.
void DeleteTableFiles(const std::filesystem::path& fullNameWithoutExtension);
/// True when the name holds neither "?" nor "*" and names an existing entry that is not a
/// directory.
bool FileExists(const std::filesystem::path& name);
/// Makes the file writable and deletes it; errors are ignored, an empty name or a directory
/// does nothing.
void DeleteFileQuiet(const std::filesystem::path& name);
/// Renames a file. Both names are made absolute; equal names give true, an existing new name
/// gives false (never overwritten, also when another process creates it at the same moment);
/// otherwise true when the rename succeeded.
bool RenameFileSafe(const std::filesystem::path& from, const std::filesystem::path& to);
/// Creates each missing level of an absolute directory path in turn; true when the whole path
/// exists as a directory afterwards, false for a relative path or on the first failure.
bool ForceDirectories(const std::filesystem::path& path);
/// The path trimmed of blanks and made absolute (a relative path against the context's current
/// directory); an empty path gives the program directory.
std::filesystem::path ExpandOrProgramDir(const DataContext& ctx, const Text& path);

/// The parts of a full file name.
struct PathParts {
    Text directory;  ///< up to and including the last "/"; empty when there is none
    Text name;       ///< the name part up to its first "."
    Text extension;  ///< from that "." on (with the "."), empty when there is none

    friend bool operator==(const PathParts&, const PathParts&) = default;
};
/// Splits a full name into directory, name and extension; the name part is cut at its first
/// ".", so that directory + name + extension gives the full name back.
PathParts SplitPath(const Text& fullName);
/// Adds one trailing "/" (add) or removes one (not add); an empty path stays empty.
Text WithBackslash(const Text& path, bool add);

}  // namespace axo::storage

// Work directory, temporary names, table file sets, path helpers and the error journal.
#include "storage/WorkFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>  // rename, renameat2
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

#include "storage/FileLocks.h"
#include "util/Lines.h"
#include "util/Retezce.h"

namespace axo::storage {

namespace fs = std::filesystem;

namespace {

/// The length of the part of a temporary name after its directory: "!" + prefix + digits.
constexpr std::size_t kRandomPartLength = 8;

/// The random generator of temporary names. Seeded from the clock and the process id the first
/// time a process uses it; a process made by fork() reseeds, so that parent and child do not
/// walk through the same names.
std::mt19937_64& NameGenerator() {
    static std::mt19937_64 generator;
    static pid_t seededFor = 0;
    const pid_t pid = ::getpid();
    if (seededFor != pid) {
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() ^
                           std::chrono::system_clock::now().time_since_epoch().count();
        std::seed_seq seed{static_cast<std::uint32_t>(ticks),
                           static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks) >> 32),
                           static_cast<std::uint32_t>(pid)};
        generator.seed(seed);
        seededFor = pid;
    }
    return generator;
}

std::string RandomDigits(std::size_t count) {
    std::uniform_int_distribution<int> digit(0, 9);
    std::string digits;
    for (std::size_t i = 0; i < count; ++i)
        digits.push_back(static_cast<char>('0' + digit(NameGenerator())));
    return digits;
}

std::string TrimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

enum class Reservation { Reserved, Taken, Failed };

/// Creates the file exclusively: the atomic step that hands a name to one process only.
Reservation CreateExclusive(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno == EEXIST ? Reservation::Taken : Reservation::Failed;
    ::close(fd);
    return Reservation::Reserved;
}

/// True when a file "stem.<anything>" exists beside the stem. Read with readdir: this runs
/// for every stem handed out, in directories that may hold many work files.
bool AnyFileOfStem(const fs::path& stem) {
    const fs::path dir = stem.has_parent_path() ? stem.parent_path() : fs::path(".");
    const std::string prefix = stem.filename().string() + ".";
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return false;
    bool found = false;
    while (const dirent* entry = ::readdir(d))
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0) {
            found = true;
            break;
        }
    ::closedir(d);
    return found;
}

/// The bare stem file serves as a lock on the stem: whoever creates it owns the stem for the
/// moment. A table stem keeps it as its reservation; a name with an extension creates its own
/// file while holding it and then lets it go, so that a stem is never handed out while a file
/// of it is being taken, nor the other way round.
Reservation ReserveStem(const fs::path& stem) {
    const Reservation r = CreateExclusive(stem);
    if (r != Reservation::Reserved)
        return r;
    if (AnyFileOfStem(stem)) {
        ::unlink(stem.c_str());
        return Reservation::Taken;
    }
    return Reservation::Reserved;
}

Reservation ReserveFile(const fs::path& stem, const fs::path& file) {
    const Reservation lock = CreateExclusive(stem);
    if (lock != Reservation::Reserved)
        return lock;
    const Reservation r = CreateExclusive(file);
    ::unlink(stem.c_str());
    return r;
}

/// Whether a name is in use, for the fall-back when the directory cannot be written.
bool NameInUse(const fs::path& stem, const fs::path& file, bool bareStem) {
    std::error_code ec;
    if (bareStem)
        return fs::exists(fs::symlink_status(stem, ec)) || AnyFileOfStem(stem);
    return fs::exists(fs::symlink_status(file, ec)) || fs::exists(fs::symlink_status(stem, ec));
}

fs::path MakeTemporaryName(const DataContext& ctx, const fs::path& directory, const Text& prefix,
                           const Text& extension) {
    Text usedPrefix = prefix;
    if (usedPrefix.empty()) {
        if (ctx.ui)
            ctx.ui->ShowError(
                "Chyba programu - nutno zadat prefix funkce \"RandomNotExistKomplName\"!"_t);
        usedPrefix = "XY"_t;
    }
    // Paths are case-sensitive here: the directory is used as given, only trimmed.
    const fs::path dir = TrimBlanks(directory.string());
    const std::size_t fixed = 1 + usedPrefix.size();
    const std::size_t digits = fixed < kRandomPartLength ? kRandomPartLength - fixed : 1;
    const std::string head = "!" + ToUtf8(usedPrefix);
    const std::string ext = extension.empty() ? std::string() : "." + ToUtf8(extension);
    for (;;) {
        const fs::path stem = dir / (head + RandomDigits(digits));
        const fs::path file = stem.string() + ext;
        const Reservation r = ext.empty() ? ReserveStem(stem) : ReserveFile(stem, file);
        if (r == Reservation::Reserved)
            return file;
        if (r == Reservation::Failed && !NameInUse(stem, file, ext.empty()))
            return file;
    }
}

Text ConfigMessage(const Text& path, const Text& problem) {
    return "Chyba nastavení v konfiguračním souboru AXO.CFG!\rPracovní knihovna ["_t + path +
           "] "_t + "zadaná příkazem \"AXO_TEMP=\" "_t + problem +
           "Pracovní soubory budou ukládány do aktuálního adresáře."_t;
}

/// The value of "AXO_TEMP" in the configuration file; empty when there is none.
Text ReadWorkDirectoryKey(const fs::path& configFile) {
    std::ifstream in(configFile, std::ios::binary);
    if (!in)
        return {};
    const Text content = TextFromFileBytes(std::string(std::istreambuf_iterator<char>(in), {}));
    for (const Text& line : SplitLines(content)) {
        const auto eq = line.find('=');
        if (eq == Text::npos)
            continue;
        if (UpperCase(Trim(line.substr(0, eq))) == "AXO_TEMP"_t)
            return Trim(line.substr(eq + 1));
    }
    return {};
}

/// Writes all bytes to the journal in one append; errors are ignored.
void AppendBytes(const fs::path& file, const std::string& bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

/// The extensions of a table's files besides the data file: the index files 1..19 of the
/// record-number order and the nine keys, the memo file in both spellings and the engine's
/// rollback journal and write log. The lock file goes separately.
std::vector<std::string> TableFileExtensions() {
    std::vector<std::string> extensions = {".DB", ".DB-journal", ".DB-log", ".PX", ".MB", ".mb"};
    for (char k = '0'; k <= '8'; ++k) {
        extensions.push_back(std::string(".XG") + k);
        extensions.push_back(std::string(".YG") + k);
    }
    return extensions;
}

/// The directory relative names are expanded against: the given one made absolute, the
/// process's current directory when none is given.
fs::path AbsoluteBase(const fs::path& directory) {
    std::error_code ec;
    return directory.empty() ? fs::current_path(ec) : fs::absolute(directory, ec);
}

}  // namespace

fs::path PathFromText(const Text& text) {
    return fs::path(ToUtf8(text));
}

Text TextFromPath(const fs::path& path) {
    return FromUtf8(path.string());
}

fs::path RandomNotExistKomplName(const DataContext& ctx, const fs::path& directory,
                                 const Text& prefix, const Text& extension) {
    return MakeTemporaryName(ctx, directory, prefix, extension);
}

fs::path RandomNotExistName(const DataContext& ctx, const fs::path& directory, const Text& prefix) {
    return MakeTemporaryName(ctx, directory, prefix, {});
}

fs::path RandomNotExistFileName(const DataContext& ctx, const fs::path& directory,
                                const Text& prefix) {
    return MakeTemporaryName(ctx, directory, prefix, {}).filename();
}

fs::path ReadWorkDirectory(ui::UiServices& ui, const fs::path& currentDirectory) {
    const Text value = ReadWorkDirectoryKey(currentDirectory / kConfigFileName);
    if (value.empty())
        return {};
    fs::path dir = PathFromText(value);
    if (dir.is_relative())
        dir = AbsoluteBase(currentDirectory) / dir;
    dir = dir.lexically_normal();
    const Text shown = WithBackslash(TextFromPath(dir), true);
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        ui.ShowMessage(ui::MessageKind::Plain, ConfigMessage(shown, "neexistuje. \r"_t));
        return {};
    }
    // The limit is on the directory as configured: "temp/" is as short in a deep home as
    // anywhere else, and the expanded path is never cut.
    const Text configured = WithBackslash(value, true);
    if (configured.size() > kMaxWorkDirectoryLength) {
        ui.ShowMessage(ui::MessageKind::Plain,
                       ConfigMessage(configured, "je delší než 75 znaků.\r"_t));
        return {};
    }
    // A work directory nobody can write to would end the first statement with a fatal error.
    if (!DirectoryWritable(dir)) {
        ui.ShowMessage(ui::MessageKind::Plain,
                       ConfigMessage(shown, "nedovoluje zápis (chybí právo zápisu). \r"_t));
        return {};
    }
    return PathFromText(shown);
}

bool DirectoryWritable(const fs::path& directory) {
    std::string probe =
        ((directory.empty() ? fs::path(".") : directory) / ".axo-zapis-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

fs::path JournalPath(const DataContext& ctx) {
    return ctx.currentDirectory / kJournalFileName;
}

void AppendJournal(const DataContext& ctx, const Text& line) {
    AppendJournalLines(ctx, {line});
}

void AppendJournalLines(const DataContext& ctx, const std::vector<Text>& lines) {
    std::string bytes;
    for (const Text& line : lines)
        bytes += line.Bytes() + "\r\n";
    AppendBytes(JournalPath(ctx), bytes);
}

void DeleteTableFiles(const fs::path& fullNameWithoutExtension) {
    const std::string stem = fullNameWithoutExtension.string();
    if (stem.empty())
        return;
    for (const std::string& ext : TableFileExtensions())
        DeleteFileQuiet(stem + ext);
    // A lock file somebody holds stays: a table opened under the name meanwhile must keep
    // its open mode and locks in the file the others see.
    DeleteLockFileIfFree(stem + ".LCK");
    // The bare file is a temporary name's reservation: empty, and nothing else is named so.
    std::error_code ec;
    if (fs::is_regular_file(fs::symlink_status(fullNameWithoutExtension, ec)) &&
        fs::file_size(fullNameWithoutExtension, ec) == 0)
        DeleteFileQuiet(fullNameWithoutExtension);
}

bool FileExists(const fs::path& name) {
    const std::string s = name.string();
    if (s.empty() || s.find_first_of("?*") != std::string::npos)
        return false;
    std::error_code ec;
    const fs::file_status status = fs::status(name, ec);
    return fs::exists(status) && !fs::is_directory(status);
}

void DeleteFileQuiet(const fs::path& name) {
    if (name.empty())
        return;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(name, ec);
    if (ec || fs::is_directory(status))
        return;
    if (fs::is_regular_file(status))
        fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                        ec);
    ::unlink(name.c_str());
}

bool RenameFileSafe(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    const fs::path oldName = fs::absolute(from, ec).lexically_normal();
    const fs::path newName = fs::absolute(to, ec).lexically_normal();
    if (oldName == newName)
        return true;
    if (fs::exists(fs::symlink_status(newName, ec)))
        return false;
    // RENAME_NOREPLACE keeps a name another process takes meanwhile; file systems without it
    // fall back to the plain rename after the check above.
    if (::renameat2(AT_FDCWD, oldName.c_str(), AT_FDCWD, newName.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    return ::rename(oldName.c_str(), newName.c_str()) == 0;
}

bool ForceDirectories(const fs::path& path) {
    if (!path.is_absolute())
        return false;
    fs::path level = path.root_path();
    for (const fs::path& part : path.lexically_normal().relative_path()) {
        if (part.empty())
            continue;
        level /= part;
        std::error_code ec;
        if (fs::is_directory(level, ec))
            continue;
        if (::mkdir(level.c_str(), 0777) != 0 && !(errno == EEXIST && fs::is_directory(level, ec)))
            return false;
    }
    return true;
}

fs::path ExpandOrProgramDir(const DataContext& ctx, const Text& path) {
    const Text trimmed = Trim(path);
    if (trimmed.empty())
        return ctx.programDirectory;
    const fs::path p = PathFromText(trimmed);
    if (p.is_absolute())
        return p.lexically_normal();
    return (AbsoluteBase(ctx.currentDirectory) / p).lexically_normal();
}

PathParts SplitPath(const Text& fullName) {
    const auto slash = fullName.rfind('/');
    const std::size_t nameStart = slash == Text::npos ? 0 : slash + 1;
    const Text rest = fullName.substr(nameStart);
    const auto dot = rest.find('.');
    return {fullName.substr(0, nameStart), rest.substr(0, dot),
            dot == Text::npos ? Text() : rest.substr(dot)};
}

Text WithBackslash(const Text& path, bool add) {
    Text result = path;
    if (result.empty())
        return result;
    if (add && result.back() != '/')
        result += '/';
    // The root keeps its "/": without it the path would mean the current directory.
    else if (!add && result.back() == '/' && result.size() > 1)
        result.pop_back();
    return result;
}

}  // namespace axo::storage

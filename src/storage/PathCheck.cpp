// The check of a directory's path before the program works in it or writes to it.
#include "storage/PathCheck.h"

#include <cstdio>
#include <string>
#include <system_error>

#include "storage/Engine.h"
#include "storage/WorkFiles.h"
#include "util/Cisla.h"

namespace axo::storage {

namespace fs = std::filesystem;

namespace {

/// The first character of a UTF-8 path that does not come back the same from a Windows-1250
/// text, as "U+03A9" (or the byte of a sequence that is no UTF-8 at all), and its position
/// (from 1); an empty name when every character does.
struct Foreign {
    std::string name;
    std::size_t position = 0;
};

Foreign FirstForeignCharacter(const std::string& utf8) {
    std::size_t position = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t at = i;
        const char32_t cp = detail::DecodeUtf8(utf8.data(), utf8.size(), i);
        ++position;
        char name[16];
        if (cp == detail::kBadUtf8) {
            std::snprintf(name, sizeof name, "0x%02X",
                          static_cast<unsigned>(static_cast<unsigned char>(utf8[at])));
            return {name, position};
        }
        const int code = UnicodeToCp1250(cp);
        // A box-drawing character has a code of the family's frames, which reads back as
        // another character: it does not come back either.
        if (code < 0 || Cp1250ToUnicode(static_cast<unsigned char>(code)) != cp) {
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(cp));
            return {name, position};
        }
    }
    return {};
}

fs::path Absolute(const fs::path& directory) {
    std::error_code ec;
    fs::path absolute = fs::absolute(directory, ec).lexically_normal();
    if (!absolute.has_filename() && absolute.has_parent_path() && absolute != absolute.root_path())
        absolute = absolute.parent_path();
    return absolute;
}

}  // namespace

std::size_t MaxInstallationPath() {
    const std::size_t limit = EnginePathLimit();
    return limit > kInstallationPathReserve ? limit - kInstallationPathReserve : 0;
}

Text DirectoryPathProblem(const fs::path& directory, DirectoryUse use) {
    const fs::path absolute = Absolute(directory);
    const std::string utf8 = absolute.string();
    const Text shown = TextFromPath(absolute);
    if (const Foreign foreign = FirstForeignCharacter(utf8); !foreign.name.empty())
        return "Cesta ["_t + shown + "] obsahuje znak "_t + Text::FromBytes(foreign.name) +
               " (na "_t + IntToText(static_cast<long long>(foreign.position)) +
               ". místě), který program neumí zapsat: cesta může mít jen znaky kódové stránky "
               "Windows-1250 (česká abeceda). Zvolte jiný adresář."_t;
    if (use == DirectoryUse::Installation) {
        const std::size_t limit = MaxInstallationPath();
        if (utf8.size() > limit)
            return "Cesta instalace ["_t + shown + "] je příliš dlouhá: má "_t +
                   IntToText(static_cast<long long>(utf8.size())) +
                   " bajtů (znak s diakritikou za dva), nejvýše smí mít "_t +
                   IntToText(static_cast<long long>(limit)) +
                   ", aby cesty jejích tabulek nepřesáhly mez databáze. Zvolte kratší cestu."_t;
        return {};
    }
    const Text withSlash = WithBackslash(shown, true);
    if (withSlash.size() > kMaxOutputDirectory)
        return "Cesta ["_t + shown + "] je příliš dlouhá: má "_t +
               IntToText(static_cast<long long>(withSlash.size())) + " znaků, nejvýše smí mít "_t +
               IntToText(static_cast<long long>(kMaxOutputDirectory)) + ". Zvolte kratší cestu."_t;
    return {};
}

}  // namespace axo::storage

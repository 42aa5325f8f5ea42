// Names and writing of output files: page n inserted before a name's extension, extensions
// compared without regard to case, page ranges clamped to the pages there are, and files
// written whole beside their target or not at all, with a Czech message naming the file.
#pragma once

#include <filesystem>
#include <string_view>

#include "util/AtomicFile.h"
#include "util/Text.h"

namespace axo::report {

/// `name` with `n` inserted before its extension: "x.html", 2 -> "x2.html".
std::filesystem::path NumberedName(const std::filesystem::path& name, int n);
/// Whether the name's extension is `ext` (".wmf"), in any case. The name itself is never
/// changed: a path the user chose keeps its letters.
bool HasExtension(const std::filesystem::path& name, std::string_view ext);

/// A page range clamped to 1..pages: first and last (from 1); empty when nothing is left.
struct TPageRange {
    int first = 1;
    int last = 0;
    bool Empty() const { return last < first; }
    int Count() const { return Empty() ? 0 : last - first + 1; }
};
TPageRange ClampPages(int start, int end, int pages);

/// "Soubor x.pdf nelze zapsat: <the system's reason>."
Text WriteErrorText(const std::filesystem::path& file, int error);

/// Writes `bytes` as the whole file; false with the message in `error`.
bool WriteOutputFile(const std::filesystem::path& file, std::string_view bytes, Text& error);

}  // namespace axo::report

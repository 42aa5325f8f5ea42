// Bytes cut into lines. Files the program reads end their lines with LF or CR LF (DOS files);
// some texts also end a line with a lone CR. Either way a final line break adds no empty line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "util/Text.h"

namespace axo {

/// What ends a line.
enum class LineBreaks {
    kLf,   ///< LF or CR LF; a lone CR stays in the line
    kAny,  ///< LF, CR LF or a lone CR
};

/// Calls `take(line, number)` with each line of `bytes` (without its line break) and its number
/// from 1. The bytes after the last line break, when there are any, are a last line.
template <class Take>
void ForEachLine(std::string_view bytes, Take&& take, LineBreaks breaks = LineBreaks::kLf) {
    int number = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of(breaks == LineBreaks::kAny ? "\r\n" : "\n", start);
        std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        else if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n')
            ++next;
        std::string_view line = bytes.substr(start, end - start);
        if (breaks == LineBreaks::kLf && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        take(line, ++number);
        start = next;
    }
}

/// The lines of `bytes`, as ForEachLine gives them.
std::vector<std::string> SplitLines(std::string_view bytes, LineBreaks breaks = LineBreaks::kLf);
/// The lines of `text`, as ForEachLine gives them.
std::vector<Text> SplitLines(const Text& text, LineBreaks breaks = LineBreaks::kLf);

}  // namespace axo

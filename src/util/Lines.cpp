// Bytes cut into lines.
#include "util/Lines.h"

namespace axo {

std::vector<std::string> SplitLines(std::string_view bytes, LineBreaks breaks) {
    std::vector<std::string> lines;
    ForEachLine(
        bytes, [&lines](std::string_view line, int) { lines.emplace_back(line); }, breaks);
    return lines;
}

std::vector<Text> SplitLines(const Text& text, LineBreaks breaks) {
    std::vector<Text> lines;
    ForEachLine(
        text.View(),
        [&lines](std::string_view line, int) { lines.push_back(Text::FromBytes(line)); }, breaks);
    return lines;
}

}  // namespace axo

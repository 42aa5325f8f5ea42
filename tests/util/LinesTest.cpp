// Bytes cut into lines: LF or CR LF end a line (a lone CR too where asked), a final line break
// adds no empty line, and the lines are numbered from 1.
#include "util/Lines.h"

#include <gtest/gtest.h>

namespace axo {
namespace {

using Lines = std::vector<std::string>;

TEST(LinesTest, LineBreaksAndLastLines) {
    struct Case {
        std::string bytes;
        Lines lf;   // LF or CR LF
        Lines any;  // also a lone CR
    } cases[] = {
        {"", {}, {}},
        {"a", {"a"}, {"a"}},
        {"a\n", {"a"}, {"a"}},
        {"a\r\nb\r\n", {"a", "b"}, {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}, {"a", "", "b"}},
        {"\n", {""}, {""}},
        {"\r\n\r\n", {"", ""}, {"", ""}},
        {"a\rb\r", {"a\rb"}, {"a", "b"}},
        {"a\r\r\nb", {"a\r", "b"}, {"a", "", "b"}},
        {"a\n\rb", {"a", "\rb"}, {"a", "", "b"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.lf, SplitLines(c.bytes)) << testing::PrintToString(c.bytes);
        EXPECT_EQ(c.any, SplitLines(c.bytes, LineBreaks::kAny)) << testing::PrintToString(c.bytes);
    }
    // Windows-1250 texts split alike, and ForEachLine numbers what it gives.
    EXPECT_EQ((std::vector<Text>{"žluť"_t, ""_t, "kůň"_t}), SplitLines("žluť\r\n\nkůň"_t));
    std::vector<int> numbers;
    ForEachLine("x\ny\r\n\nz", [&numbers](std::string_view, int n) { numbers.push_back(n); });
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), numbers);
}

}  // namespace
}  // namespace axo

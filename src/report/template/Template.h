// Report templates (".pts"): the template text as lines, read into the report model and
// written back from it.
//
// A template is a Windows-1250 text of CR LF lines, each a record of comma-separated fields
// whose first field is the line code: "I" information lines (I,0 description, I,1 version,
// I,2 page set-up, I,3 fixed sections, I,4 groups, I,5 display unit, I,6 raster, I,7
// background), "F" user functions, "Z" "H" "T" "K" "P" the elements of the five fixed
// sections, "S"n and "U"n those of the header and footer of group n, and "D"d the lines of
// embedded detail report d. Reading takes the information lines first, then the functions,
// then the sections in the order above, each in file order, then the detail lines.
//
// Writing gives, for every template the program wrote itself, the lines it was read from.
// Lines no pass takes (unknown codes, sections of groups that do not exist, lines of details
// that are not attached) are kept and written back after the known lines, and an element of an
// unknown kind is written back as its line stood.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/model/Report.h"
#include "util/Text.h"

namespace axo::report {

/// The template writer's version (I,1).
inline constexpr int kWrittenMajor = 5;
inline constexpr int kWrittenMinor = 51;
inline constexpr int kWrittenRelease = 4;

/// Reads `lines` into the report (`SetPredloha` without the host's event): discards its
/// elements, groups and functions and rebuilds them; the lines of attached detail reports go
/// to their own templates. Settings the template does not mention stay as they were; the
/// version starts at 5/0/4.
void ReadTemplate(TSestavaTyp& report, const std::vector<Text>& lines);

/// The lines of a template, or why it cannot be written faithfully.
struct TemplateText {
    std::vector<Text> lines;
    Text error;  ///< empty when the lines were written
    bool Ok() const { return error.empty(); }
};
/// Writes the report as template lines. A report that cannot be written so that it reads
/// back the same (a function or field name with a comma, a line break in any text) is
/// refused with a Czech message naming what stands in the way.
TemplateText WriteTemplate(const TSestavaTyp& report);

/// The lines of a template file's bytes: CR LF, a lone CR or a lone LF end a line; a last
/// line without an end counts. A file in UTF-8 (with a byte-order mark, or holding only
/// well-formed UTF-8 with characters beyond ASCII) is converted to Windows-1250, and
/// `convertedFromUtf8` says so.
std::vector<Text> TemplateLinesOf(std::string_view bytes, bool* convertedFromUtf8 = nullptr);
/// The bytes of a template file: every line followed by CR LF.
std::string TemplateBytes(const std::vector<Text>& lines);

}  // namespace axo::report

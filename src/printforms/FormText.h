// The text of a print form read into its parts: the value formats (".FORMAT"), the special
// settings (".SPEC"), the printed sections (report and page headers and footers, body lines,
// special lines with their own header and footer, note lines), the fixed acronym values
// (".EXTERNI") and the print conditions (".PODMINKY").
//
// A form text is a sequence of lines; a section starts with a line holding its keyword and
// ends with ".KONEC"; lines outside sections are remarks. Each line is right-trimmed and an
// empty line counts as one blank.
#pragma once

#include <array>
#include <map>
#include <utility>
#include <vector>

#include "util/Text.h"

namespace axo::printforms {

/// The printed sections of a form.
enum class FormSection : int {
    ReportHeader,   ///< ".HLAVASESTAVY": once at the start
    PageHeader,     ///< ".HLAVASTRANY": at the top of every page
    PageFooter,     ///< ".PATASTRANY": at the bottom of every full page
    Body,           ///< ".RADEK": once per record
    Special,        ///< ".SPCRADEK": once per special row of a record
    SpecialHeader,  ///< ".SPCHLAVA" inside ".SPCRADEK": before the special rows of a record
    SpecialFooter,  ///< ".SPCPATA" inside ".SPCRADEK": after them
    Notes,          ///< ".POZNRADEK": once per note line of a record
    ReportFooter,   ///< ".PATASESTAVY": once at the end
};
inline constexpr std::size_t kSectionCount = 9;

/// A value format of ".FORMAT": type, width, decimals and alignment, each optional.
struct ValueFormat {
    char type = 0;  ///< "N", "A", "C", "M", "T", "U", "V" or another letter; 0 when none
    bool hasWidth = false;
    int width = 0;
    int decimals = 0;
    char alignment = 0;  ///< 0 when none

    /// The width the acronym's field takes: w, or w + d + 1 with decimals.
    int FieldWidth() const { return decimals > 0 ? width + decimals + 1 : width; }
};

/// Reads a format from its codes in any order: "~T~" and the type letter, "~D~" and w or
/// "w:d" (ended by "," or the next code), "~Z~" and the alignment letter. Codes are read in
/// upper case; widths are held at 0-255, decimals at 0-20.
ValueFormat ParseValueFormat(const Text& codes);

struct TextForm {
    /// By acronym name in national upper case. "KONECSTRANY=~T~A,~D~3," is always there.
    std::map<Text, ValueFormat> formats;
    /// ".SPEC" "NEKONECNY_PAPIR": no page breaks.
    bool endlessPaper = false;
    std::array<std::vector<Text>, kSectionCount> sections;
    /// ".EXTERNI": acronym names and the values they are set to before printing.
    std::vector<std::pair<Text, Text>> external;
    /// ".PODMINKY": conditions by acronym name in national upper case.
    std::map<Text, Text> conditions;

    const std::vector<Text>& Lines(FormSection s) const {
        return sections[static_cast<std::size_t>(s)];
    }
    int LineCount(FormSection s) const { return static_cast<int>(Lines(s).size()); }
    /// The format of an acronym; none when the form has none.
    const ValueFormat* FormatOf(const Text& name) const;
    /// The condition of an acronym; none when it has none.
    const Text* ConditionOf(const Text& name) const;
    /// The decimals of the "M" format: the width of the format of "TVAR_MJ", at most 3; 3
    /// without one.
    int UnitDecimals() const;
    /// The longest line of the printed sections.
    int Width() const;
};

/// Reads a form text (lines separated by CR LF or LF).
TextForm ParseTextForm(const Text& content);

}  // namespace axo::printforms

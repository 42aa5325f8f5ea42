// Reading a form text into its sections.
#include "printforms/FormText.h"

#include <algorithm>
#include <optional>

#include "util/Cisla.h"
#include "util/Lines.h"
#include "util/Retezce.h"

namespace axo::printforms {

namespace {

/// What a keyword line starts.
enum class Block { None, Format, Spec, External, Conditions, Printed };

struct Keyword {
    const char* text;
    Block block;
    FormSection section;
};

constexpr Keyword kKeywords[] = {
    {".FORMAT", Block::Format, FormSection::Body},
    {".SPEC", Block::Spec, FormSection::Body},
    {".EXTERNI", Block::External, FormSection::Body},
    {".PODMINKY", Block::Conditions, FormSection::Body},
    {".HLAVASESTAVY", Block::Printed, FormSection::ReportHeader},
    {".HLAVASTRANY", Block::Printed, FormSection::PageHeader},
    {".PATASTRANY", Block::Printed, FormSection::PageFooter},
    {".RADEK", Block::Printed, FormSection::Body},
    {".SPCRADEK", Block::Printed, FormSection::Special},
    {".POZNRADEK", Block::Printed, FormSection::Notes},
    {".PATASESTAVY", Block::Printed, FormSection::ReportFooter},
};

std::optional<Keyword> KeywordOf(const Text& line) {
    const Text word = NationalUpperCase(Trim(line));
    for (const Keyword& k : kKeywords)
        if (word == Text::FromBytes(k.text))
            return k;
    return std::nullopt;
}

Text Name(const Text& text) {
    return NationalUpperCase(Trim(text));
}

/// Splits "NAME=rest" at the first "="; false without one.
bool SplitAssignment(const Text& line, Text& name, Text& rest) {
    const std::size_t eq = line.find('=');
    if (eq == Text::npos)
        return false;
    name = Name(line.substr(0, eq));
    rest = line.substr(eq + 1);
    return !name.empty();
}

/// The number at `pos` (digits only); none when there is no digit.
std::optional<int> Digits(const Text& text, std::size_t& pos) {
    const std::size_t start = pos;
    long long value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = std::min<long long>(value * 10 + (text[pos] - '0'), 100000);
        ++pos;
    }
    if (pos == start)
        return std::nullopt;
    return static_cast<int>(value);
}

class Reader {
  public:
    TextForm form;

    void Line(const Text& raw) {
        const Text line = TrimRight(raw);
        const Text word = NationalUpperCase(Trim(line));
        if (block_ != Block::None && word == ".KONEC"_t) {
            if (nested_)
                nested_.reset();
            else
                block_ = Block::None;
            return;
        }
        if (block_ == Block::Printed && section_ == FormSection::Special && !nested_ &&
            (word == ".SPCHLAVA"_t || word == ".SPCPATA"_t)) {
            nested_ =
                word == ".SPCHLAVA"_t ? FormSection::SpecialHeader : FormSection::SpecialFooter;
            return;
        }
        // A keyword also ends a section that lacks its ".KONEC".
        if (const auto k = KeywordOf(line)) {
            block_ = k->block;
            section_ = k->section;
            nested_.reset();
            return;
        }
        Content(line);
    }

  private:
    Block block_ = Block::None;
    FormSection section_ = FormSection::Body;
    std::optional<FormSection> nested_;

    void Content(const Text& line) {
        Text name;
        Text rest;
        switch (block_) {
            case Block::None:
                return;
            case Block::Format:
                if (SplitAssignment(line, name, rest))
                    form.formats[name] = ParseValueFormat(rest);
                return;
            case Block::Spec:
                if (line == "NEKONECNY_PAPIR"_t)
                    form.endlessPaper = true;
                return;
            case Block::External:
                if (SplitAssignment(Trim(line), name, rest))
                    form.external.emplace_back(name, rest);
                return;
            case Block::Conditions:
                if (SplitAssignment(line, name, rest))
                    form.conditions[name] = Trim(rest);
                return;
            case Block::Printed:
                form.sections[static_cast<std::size_t>(nested_.value_or(section_))].push_back(
                    line.empty() ? " "_t : line);
                return;
        }
    }
};

}  // namespace

ValueFormat ParseValueFormat(const Text& codes) {
    const Text text = NationalUpperCase(codes);
    ValueFormat f;
    for (std::size_t pos = 0; pos + 3 <= text.size();) {
        if (text[pos] != '~' || text[pos + 2] != '~') {
            ++pos;
            continue;
        }
        const char code = text[pos + 1];
        pos += 3;
        if (code == 'T' && pos < text.size()) {
            f.type = text[pos++];
        } else if (code == 'Z' && pos < text.size()) {
            f.alignment = text[pos++];
        } else if (code == 'D') {
            if (const auto w = Digits(text, pos)) {
                f.hasWidth = true;
                f.width = std::min(*w, 255);
                f.decimals = 0;
                if (pos < text.size() && text[pos] == ':') {
                    ++pos;
                    f.decimals = std::min(Digits(text, pos).value_or(0), 20);
                }
            }
        }
    }
    return f;
}

const ValueFormat* TextForm::FormatOf(const Text& name) const {
    const auto it = formats.find(name);
    return it == formats.end() ? nullptr : &it->second;
}

const Text* TextForm::ConditionOf(const Text& name) const {
    const auto it = conditions.find(name);
    return it == conditions.end() ? nullptr : &it->second;
}

int TextForm::UnitDecimals() const {
    const ValueFormat* f = FormatOf("TVAR_MJ"_t);
    return f && f->hasWidth ? std::min(f->width, 3) : 3;
}

int TextForm::Width() const {
    std::size_t width = 0;
    for (const auto& lines : sections)
        for (const Text& line : lines)
            width = std::max(width, line.size());
    return static_cast<int>(width);
}

TextForm ParseTextForm(const Text& content) {
    Reader reader;
    reader.form.formats["KONECSTRANY"_t] = ParseValueFormat("~T~A,~D~3,"_t);
    for (const Text& line : SplitLines(content))
        reader.Line(line);
    return std::move(reader.form);
}

}  // namespace axo::printforms

// Splitting template lines into fields and quoting fields for writing.
#include "report/template/TemplateFields.h"

#include <limits>

#include "util/Cisla.h"

namespace axo::report {

std::vector<TemplateField> SplitTemplateLine(const Text& line) {
    std::vector<TemplateField> fields;
    const std::string& s = line.Bytes();
    std::size_t i = 0;
    for (;;) {
        TemplateField field;
        field.start = i;
        std::string text;
        if (i < s.size() && s[i] == '"') {
            for (++i; i < s.size(); ++i) {
                if (s[i] != '"') {
                    text += s[i];
                } else if (i + 1 < s.size() && s[i + 1] == '"') {
                    text += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        }
        const std::size_t comma = s.find(',', i);
        text += s.substr(i, comma == std::string::npos ? std::string::npos : comma - i);
        field.text = Text::FromBytes(std::move(text));
        fields.push_back(std::move(field));
        if (comma == std::string::npos)
            return fields;
        i = comma + 1;
    }
}

Text FieldText(const std::vector<TemplateField>& fields, std::size_t position) {
    return position >= 1 && position <= fields.size() ? fields[position - 1].text : Text();
}

int FieldNumber(const std::vector<TemplateField>& fields, std::size_t position, int fallback) {
    const auto n = TryTextToInt(FieldText(fields, position));
    if (!n || *n < std::numeric_limits<int>::min() || *n > std::numeric_limits<int>::max())
        return fallback;
    return static_cast<int>(*n);
}

bool FieldBool(const std::vector<TemplateField>& fields, std::size_t position) {
    return FieldNumber(fields, position, 0) != 0;
}

Text QuoteField(const Text& text) {
    Text out = "\""_t;
    for (char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + '"';
}

Text PlainOrQuotedField(const Text& text) {
    if (text.find(',') == Text::npos && (text.empty() || text[0] != '"'))
        return text;
    return QuoteField(text);
}

}  // namespace axo::report

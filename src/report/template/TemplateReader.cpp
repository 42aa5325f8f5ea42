// Reading a template into the report model: the information pass, the function pass, one pass
// per section in section order, and the detail lines.
#include <algorithm>
#include <limits>
#include <unordered_map>

#include "report/model/CharClass.h"
#include "report/template/Template.h"
#include "report/template/TemplateFields.h"
#include "util/Cisla.h"

namespace axo::report {

namespace {

using Fields = std::vector<TemplateField>;

struct Line {
    const Text* text;
    Fields fields;
    bool taken = false;
};

Text Code(const Line& line) {
    return line.fields.empty() ? Text() : line.fields[0].text;
}

/// The rest of a line from field `position` (from 1) on, as it stands: the background file
/// name is the last field, unquoted, and may hold commas.
Text RestOfLine(const Line& line, std::size_t position) {
    if (position > line.fields.size())
        return {};
    return line.text->substr(line.fields[position - 1].start);
}

void ReadPageSetup(TSestavaTyp& r, const Fields& f) {
    std::size_t p = 3;
    r.page.orientation = std::max(FieldNumber(f, p++, 0), 0);
    // Templates of version 0 had no paper size: the margins follow the orientation.
    if (r.versionMajor > 0) {
        r.page.paperWidth = FieldNumber(f, p++, 0);
        r.page.paperHeight = FieldNumber(f, p++, 0);
    }
    r.page.marginLeft = FieldNumber(f, p++, 0);
    r.page.marginRight = FieldNumber(f, p++, 0);
    r.page.marginTop = FieldNumber(f, p++, 0);
    r.page.marginBottom = FieldNumber(f, p++, 0);
    r.columns = FieldNumber(f, p++, 1);
    r.columnGap = FieldNumber(f, p++, 0);
    r.reservedI2 = FieldNumber(f, p, 0);
}

bool ReadFixedSection(TSestavaTyp& r, const Fields& f) {
    const int index = FieldNumber(f, 3, -1);
    if (index < 0 || index >= kFixedSections)
        return false;
    TOddilSestavy& s = *r.Section(index);
    s.visible = FieldBool(f, 4);
    s.height = FieldNumber(f, 5, 0);
    const int bits = FieldNumber(f, 6, 0);
    const bool bit0 = (bits & 1) != 0;
    const bool bit1 = (bits & 2) != 0;
    switch (index) {
        case kReportStart:
            r.flags.breakAfterStart = bit0;
            break;
        case kPageHeader:
            r.flags.noHeaderOnFirstPage = bit0;
            r.flags.noHeaderAfterBreak = bit1;
            break;
        case kBody:
            r.flags.newBodyOnNewPage = bit0;
            break;
        case kReportEnd:
            r.flags.breakBeforeEnd = bit0;
            r.flags.endAlignedToFooter = bit1;
            break;
        default:
            r.flags.noFooterOnLastPage = bit0;
            r.flags.footerOnlyOnFirstPage = bit1;
            break;
    }
    return true;
}

void ReadGroup(TSestavaTyp& r, const Fields& f) {
    const int g = r.AddGroup(NormaliseGroupExpression(FieldText(f, 4)));
    TPolSkup& group = r.groups[static_cast<std::size_t>(g)];
    TOddilSestavy& header = *r.Section(group.header);
    TOddilSestavy& footer = *r.Section(group.footer);
    header.visible = FieldBool(f, 5);
    header.height = FieldNumber(f, 6, 0);
    footer.visible = FieldBool(f, 7);
    footer.height = FieldNumber(f, 8, 0);
    group.newPage = FieldBool(f, 9);
}

/// Applies one information line; false when the reader does not know it.
bool ReadInformation(TSestavaTyp& r, const Line& line) {
    const Fields& f = line.fields;
    switch (FieldNumber(f, 2, -1)) {
        case 0:
            r.templateDescription = FieldText(f, 3);
            if (!r.templateDescription.empty())
                r.popis = r.templateDescription;
            return true;
        case 1:
            r.versionMajor = FieldNumber(f, 3, 0);
            r.versionMinor = FieldNumber(f, 4, 0);
            r.versionRelease = FieldNumber(f, 5, 0);
            return true;
        case 2:
            ReadPageSetup(r, f);
            return true;
        case 3:
            return ReadFixedSection(r, f);
        case 4:
            ReadGroup(r, f);
            return true;
        case 5:
            r.displayUnit = FieldNumber(f, 3, 0);
            return true;
        case 6:
            r.raster.type = FieldNumber(f, 3, 0);
            r.raster.x = FieldNumber(f, 4, 8);
            r.raster.y = FieldNumber(f, 5, 8);
            r.raster.lineSpacing = FieldNumber(f, 6, 0);
            r.raster.pitch = FieldNumber(f, 7, 1);
            r.raster.show = FieldBool(f, 8);
            r.raster.snap = FieldBool(f, 9);
            return true;
        case 7: {
            TBackground& b = r.templateBackground;
            b.custom = FieldBool(f, 3);
            b.print = FieldBool(f, 4);
            b.positioned = FieldBool(f, 5);
            b.left = FieldNumber(f, 6, 0);
            b.top = FieldNumber(f, 7, 0);
            b.width = FieldNumber(f, 8, 0);
            b.height = FieldNumber(f, 9, 0);
            b.file = RestOfLine(line, 10);
            return true;
        }
        default:
            return false;
    }
}

void ReadFunction(TSestavaTyp& r, const Fields& f) {
    TRadekFunkce fn;
    fn.name = FieldText(f, 3);
    fn.description = FieldText(f, 4);
    fn.resultType = FieldNumber(f, 5, 0);
    fn.initialValue = FieldText(f, 6);
    fn.resetLevel = FieldNumber(f, 7, 0);
    fn.expression = FieldText(f, 8);
    fn.aggregation = FieldNumber(f, 9, 0);
    fn.precision = FieldNumber(f, 10, 0);
    fn.digits = FieldNumber(f, 11, 0);
    fn.format = FieldNumber(f, 12, kFormatFixed);
    r.functions.push_back(std::move(fn));
}

/// The reference field of kinds 2, 3 and 6: a name unless it begins with a digit.
void ReadReference(TSiReportElement& e, const Text& field) {
    if (!field.empty() && !IsDigit(field.Code(0))) {
        e.referenceName = field;
        e.referenceNumber = 0;
    } else {
        e.referenceNumber = static_cast<int>(std::clamp<long long>(TextToInt(field), 0, 1 << 30));
    }
}

void ReadTextElement(const TSestavaTyp& r, TSiReportElement& e, const Fields& f) {
    switch (e.kind) {
        case kDataField:
        case kFieldCaption:
        case kFunction:
            ReadReference(e, FieldText(f, 3));
            break;
        case kParameter:
            e.referenceNumber = FieldNumber(f, 3, 0);
            break;
        case kVariable:
            e.referenceNumber = FieldNumber(f, 3, 0);
            // The total page count came in as variable 4 with release 3 of version 1.
            if (r.versionMajor <= 1 && r.versionRelease < 3 && e.referenceNumber > 3 &&
                e.referenceNumber < std::numeric_limits<int>::max())
                ++e.referenceNumber;
            break;
        default:
            break;
    }
    e.font.name = FieldText(f, 8);
    e.font.size = FontSizeFromField(FieldNumber(f, 9, 0));
    e.font.colour = ColourFromField(FieldNumber(f, 10, 0));
    e.font.style = FieldNumber(f, 11, 0);
    e.textOptions = FieldNumber(f, 12, 0);
    e.options = FieldNumber(f, 13, 0);
    e.font.charset = FieldNumber(f, 14, 0);
    e.text = FieldText(f, 15);
    e.pitch = FieldNumber(f, 16, 0);
    e.angle = FieldNumber(f, 17, 0);
    e.third = FieldNumber(f, 18, 0);
}

void ReadGraphicElement(TSiReportElement& e, const Fields& f) {
    const bool shape = e.kind >= kRectangle && e.kind <= kEllipse;
    e.referenceNumber = shape ? e.kind : FieldNumber(f, 3, 0);
    e.lineWidth = FieldNumber(f, 9, 1);
    e.lineColour = ColourFromField(FieldNumber(f, 10, 0));
    e.lineStyle = FieldNumber(f, 11, 0);
    e.options = FieldNumber(f, 12, 0);
    e.fillColour = ColourFromField(FieldNumber(f, 13, 15));
    e.fillStyle = FieldNumber(f, 14, 0);
    if (e.kind == kPicture || e.kind == kBarcode)
        e.text = FieldText(f, 15);
    if (e.kind == kBarcode) {
        e.pitch = FieldNumber(f, 16, 0);
        e.angle = FieldNumber(f, 17, 0);
        e.third = FieldNumber(f, 18, 0);
    }
}

TSiReportElement ReadElement(const TSestavaTyp& r, const Line& line) {
    const Fields& f = line.fields;
    TSiReportElement e;
    e.kind = FieldNumber(f, 2, 0);
    if (!IsKnownKind(e.kind)) {
        e.keptLine = *line.text;
        return e;
    }
    e.left = FieldNumber(f, 4, 0);
    e.top = FieldNumber(f, 5, 0);
    e.width = FieldNumber(f, 6, 0);
    e.height = FieldNumber(f, 7, 0);
    if (e.kind == kDetail) {
        e.referenceNumber = FieldNumber(f, 3, 0);
        return e;
    }
    if (IsTextKind(e.kind))
        ReadTextElement(r, e, f);
    else
        ReadGraphicElement(e, f);
    e.printCondition = FieldText(f, 19);
    e.hostDecides = FieldNumber(f, 20, 0);
    e.identifier = FieldText(f, 21);
    return e;
}

/// The lines of each line code, in file order.
using LinesByCode = std::unordered_map<Text, std::vector<Line*>>;

void FillSection(TSestavaTyp& r, LinesByCode& byCode, int number) {
    const auto it = byCode.find(SectionCode(number));
    if (it == byCode.end())
        return;
    TOddilSestavy& section = *r.Section(number);
    for (Line* line : it->second) {
        section.elements.push_back(ReadElement(r, *line));
        line->taken = true;
    }
}

/// The detail number of a "D" line, -1 for any other line.
int DetailNumber(const Line& line) {
    const Text code = Code(line);
    if (code.size() < 2 || code[0] != 'D' || code.size() > 4)
        return -1;
    for (std::size_t i = 1; i < code.size(); ++i)
        if (!IsDigit(code.Code(i)))
            return -1;
    return static_cast<int>(TextToInt(code.substr(1)));
}

}  // namespace

void ReadTemplate(TSestavaTyp& report, const std::vector<Text>& source) {
    report.predloha = source;
    std::vector<Line> lines;
    lines.reserve(source.size());
    for (const Text& text : source)
        if (text.size() > 1)
            lines.push_back({&text, SplitTemplateLine(text)});

    report.ClearContent();
    report.foreignLines.clear();
    report.keptDetailLines.clear();
    report.versionMajor = 5;
    report.versionMinor = 0;
    report.versionRelease = 4;
    for (Line& line : lines)
        if (Code(line) == "I"_t)
            line.taken = ReadInformation(report, line);
    for (TOddilSestavy& s : report.sections) {
        s.columns = report.columns;
        s.columnGap = report.columnGap;
    }

    report.functions.clear();
    for (Line& line : lines)
        if (Code(line) == "F"_t) {
            ReadFunction(report, line.fields);
            line.taken = true;
        }

    // One pass per section in section order, each in file order: the lines of a code taken
    // together keep their order.
    LinesByCode byCode;
    for (Line& line : lines)
        if (!line.taken)
            byCode[Code(line)].push_back(&line);
    for (int n = 0; n < kFixedSections; ++n)
        if (!(report.IsDetail() && (n == kPageHeader || n == kPageFooter)))
            FillSection(report, byCode, n);
    for (const TPolSkup& g : report.groups) {
        FillSection(report, byCode, g.header);
        FillSection(report, byCode, g.footer);
    }

    std::map<int, std::vector<Text>> detailLines;
    for (Line& line : lines) {
        const int d = DetailNumber(line);
        if (d < 0 || line.fields.size() < 2)
            continue;
        detailLines[d].push_back(line.text->substr(line.fields[1].start));
        line.taken = true;
    }
    const auto& details = report.Details();
    for (auto& [d, detail] : detailLines) {
        if (d < static_cast<int>(details.size()))
            ReadTemplate(*details[static_cast<std::size_t>(d)], detail);
        else
            report.keptDetailLines[d] = std::move(detail);
    }

    for (const Line& line : lines)
        if (!line.taken)
            report.foreignLines.push_back(*line.text);
}

}  // namespace axo::report

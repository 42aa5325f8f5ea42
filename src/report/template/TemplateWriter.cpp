// Writing the report model as template lines, and the lines of template files.
#include <string>

#include "report/model/CharClass.h"
#include "report/template/Template.h"
#include "report/template/TemplateFields.h"
#include "util/Cisla.h"
#include "util/Lines.h"

namespace axo::report {

namespace {

/// Joins numbers and texts into one line with commas.
class LineBuilder {
  public:
    explicit LineBuilder(const Text& code) : line_(code) {}
    LineBuilder& operator<<(int n) { return Add(IntToText(n)); }
    LineBuilder& operator<<(long long n) { return Add(IntToText(n)); }
    LineBuilder& operator<<(bool b) { return Add(b ? "1"_t : "0"_t); }
    LineBuilder& operator<<(const Text& t) { return Add(t); }
    Text Done() const { return line_; }

  private:
    LineBuilder& Add(const Text& t) {
        line_ += ',';
        line_ += t;
        return *this;
    }
    Text line_;
};

class Writer {
  public:
    explicit Writer(const TSestavaTyp& r) : r_(r) {}
    TemplateText Run();

  private:
    void Information();
    void Functions();
    void Section(const TOddilSestavy& s);
    void Element(const Text& code, const TSiReportElement& e);
    void Details();
    /// Refuses a text that cannot stand in a line (a line break would split it).
    void CheckText(const Text& t, const char* what);
    void Refuse(const Text& message) {
        if (out_.error.empty())
            out_.error = message;
    }

    const TSestavaTyp& r_;
    TemplateText out_;
};

void Writer::CheckText(const Text& t, const char* what) {
    if (t.find('\r') != Text::npos || t.find('\n') != Text::npos)
        Refuse("Text "_t + FromUtf8(what) + " obsahuje konec řádku; předlohu nelze zapsat."_t);
}

void Writer::Information() {
    const TSestavaTyp& r = r_;
    CheckText(r.templateDescription, "popisu sestavy");
    out_.lines.push_back((LineBuilder("I"_t) << 0 << QuoteField(r.templateDescription)).Done());
    out_.lines.push_back(
        (LineBuilder("I"_t) << 1 << kWrittenMajor << kWrittenMinor << kWrittenRelease).Done());
    out_.lines.push_back((LineBuilder("I"_t)
                          << 2 << r.page.orientation << r.page.paperWidth << r.page.paperHeight
                          << r.page.marginLeft << r.page.marginRight << r.page.marginTop
                          << r.page.marginBottom << r.columns << r.columnGap)
                             .Done());
    const TSectionFlags& f = r.flags;
    const int bits[kFixedSections] = {
        f.breakAfterStart ? 1 : 0,
        (f.noHeaderOnFirstPage ? 1 : 0) | (f.noHeaderAfterBreak ? 2 : 0),
        f.newBodyOnNewPage ? 1 : 0,
        (f.breakBeforeEnd ? 1 : 0) | (f.endAlignedToFooter ? 2 : 0),
        (f.noFooterOnLastPage ? 1 : 0) | (f.footerOnlyOnFirstPage ? 2 : 0),
    };
    for (int n = 0; n < kFixedSections; ++n) {
        const TOddilSestavy& s = *r.Section(n);
        out_.lines.push_back(
            (LineBuilder("I"_t) << 3 << n << s.visible << s.height << bits[n]).Done());
    }
    for (const TPolSkup& g : r.groups) {
        const TOddilSestavy& header = *r.Section(g.header);
        const TOddilSestavy& footer = *r.Section(g.footer);
        CheckText(g.expression, "výrazu skupiny");
        out_.lines.push_back((LineBuilder("I"_t)
                              << 4 << g.number << QuoteField(g.expression) << header.visible
                              << header.height << footer.visible << footer.height << g.newPage)
                                 .Done());
    }
    out_.lines.push_back((LineBuilder("I"_t) << 5 << r.displayUnit).Done());
    const TRaster& ra = r.raster;
    out_.lines.push_back((LineBuilder("I"_t) << 6 << ra.type << ra.x << ra.y << ra.lineSpacing
                                             << ra.pitch << ra.show << ra.snap)
                             .Done());
    const TBackground& b = r.templateBackground;
    CheckText(b.file, "jména souboru pozadí");
    out_.lines.push_back((LineBuilder("I"_t) << 7 << b.custom << b.print << b.positioned << b.left
                                             << b.top << b.width << b.height << b.file)
                             .Done());
}

void Writer::Functions() {
    int index = 0;
    for (const TRadekFunkce& f : r_.functions) {
        if (f.name.find(',') != Text::npos || (!f.name.empty() && f.name[0] == '"'))
            Refuse("Název funkce \""_t + f.name +
                   "\" obsahuje čárku nebo začíná uvozovkami; předlohu nelze zapsat."_t);
        CheckText(f.name, "názvu funkce");
        CheckText(f.description, "popisu funkce");
        CheckText(f.initialValue, "počáteční hodnoty funkce");
        CheckText(f.expression, "výrazu funkce");
        out_.lines.push_back((LineBuilder("F"_t)
                              << index++ << f.name << QuoteField(f.description) << f.resultType
                              << QuoteField(f.initialValue) << f.resetLevel
                              << QuoteField(f.expression) << f.aggregation << f.precision
                              << f.digits << f.format)
                                 .Done());
    }
}

void Writer::Element(const Text& code, const TSiReportElement& e) {
    if (!IsKnownKind(e.kind)) {
        out_.lines.push_back(e.keptLine);
        return;
    }
    LineBuilder line(code);
    line << e.kind;
    if (e.kind == kDetail) {
        out_.lines.push_back(
            (line << e.referenceNumber << e.left << e.top << e.width << e.height).Done());
        return;
    }
    CheckText(e.text, "prvku");
    CheckText(e.printCondition, "podmínky tisku");
    CheckText(e.identifier, "identifikátoru prvku");
    CheckText(e.font.name, "jména písma");
    if (IsTextKind(e.kind)) {
        Text reference = IntToText(e.kind == kGraphicText ? 0 : e.referenceNumber);
        if ((e.kind == kDataField || e.kind == kFieldCaption || e.kind == kFunction) &&
            e.FollowsName()) {
            // A name is read back as a name only when it cannot be taken for a number or for
            // more than one field.
            if (IsDigit(e.referenceName.Code(0)) || e.referenceName.find(',') != Text::npos ||
                e.referenceName[0] == '"')
                Refuse("Název \""_t + e.referenceName +
                       "\", na který odkazuje prvek, nelze do předlohy zapsat."_t);
            CheckText(e.referenceName, "názvu položky");
            reference = e.referenceName;
        }
        line << reference << e.left << e.top << e.width << e.height
             << PlainOrQuotedField(e.font.name) << e.font.size << ColourToField(e.font.colour)
             << e.font.style << e.textOptions << e.options << e.font.charset << QuoteField(e.text)
             << e.pitch << e.angle << e.third;
    } else {
        const bool shape = e.kind >= kRectangle && e.kind <= kEllipse;
        const bool texted = e.kind == kPicture || e.kind == kBarcode;
        line << (shape ? e.kind : e.referenceNumber) << e.left << e.top << e.width << e.height
             << Text() << e.lineWidth << ColourToField(e.lineColour) << e.lineStyle << e.options
             << ColourToField(e.fillColour) << e.fillStyle << QuoteField(texted ? e.text : Text());
        if (e.kind == kBarcode)
            line << e.pitch << e.angle << e.third;
        else
            line << Text() << Text() << Text();
    }
    line << QuoteField(e.printCondition) << e.hostDecides << QuoteField(e.identifier);
    out_.lines.push_back(line.Done());
}

void Writer::Section(const TOddilSestavy& s) {
    const Text code = SectionCode(s.number);
    for (const TSiReportElement& e : s.elements)
        Element(code, e);
}

void Writer::Details() {
    const auto& details = r_.Details();
    int last = static_cast<int>(details.size()) - 1;
    if (!r_.keptDetailLines.empty())
        last = std::max(last, r_.keptDetailLines.rbegin()->first);
    for (int d = 0; d <= last; ++d) {
        const Text prefix = "D"_t + IntToText(d) + ","_t;
        std::vector<Text> lines;
        if (d < static_cast<int>(details.size())) {
            TemplateText detail = WriteTemplate(*details[static_cast<std::size_t>(d)]);
            if (!detail.Ok())
                Refuse(detail.error);
            lines = std::move(detail.lines);
        } else if (const auto it = r_.keptDetailLines.find(d); it != r_.keptDetailLines.end()) {
            lines = it->second;
        }
        for (const Text& line : lines)
            out_.lines.push_back(prefix + line);
    }
}

TemplateText Writer::Run() {
    Information();
    Functions();
    for (int n = 0; n < kFixedSections; ++n)
        Section(*r_.Section(n));
    for (const TPolSkup& g : r_.groups) {
        Section(*r_.Section(g.header));
        Section(*r_.Section(g.footer));
    }
    Details();
    for (const Text& line : r_.foreignLines)
        out_.lines.push_back(line);
    if (!out_.Ok())
        out_.lines.clear();
    return std::move(out_);
}

}  // namespace

TemplateText WriteTemplate(const TSestavaTyp& report) {
    return Writer(report).Run();
}

std::vector<Text> TemplateLinesOf(std::string_view bytes, bool* convertedFromUtf8) {
    return SplitLines(TextFromFileBytes(std::string(bytes), convertedFromUtf8), LineBreaks::kAny);
}

std::string TemplateBytes(const std::vector<Text>& lines) {
    std::string bytes;
    for (const Text& line : lines) {
        bytes += line.Bytes();
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace axo::report

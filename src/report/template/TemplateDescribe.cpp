// The readable description of a report model, one line per setting, element, group and
// function.
#include "report/template/TemplateDescribe.h"

#include "util/Cisla.h"

namespace axo::report {

namespace {

Text YesNo(bool b) {
    return b ? "ano"_t : "ne"_t;
}

Text Box(const TSiReportElement& e) {
    return "["_t + IntToText(e.left) + ";"_t + IntToText(e.top) + " "_t + IntToText(e.width) +
           "x"_t + IntToText(e.height) + "]"_t;
}

Text Quote(const Text& t) {
    return "\""_t + t + "\""_t;
}

Text FontText(const TFontSpec& f) {
    Text t = "písmo "_t + (f.name.empty() ? "(bez jména)"_t : f.name) + " "_t + IntToText(f.size);
    if (f.style & kBold)
        t += " tučné"_t;
    if (f.style & kItalic)
        t += " kurzíva"_t;
    if (f.style & kUnderline)
        t += " podtržené"_t;
    return t;
}

Text Reference(const TSiReportElement& e, char prefix) {
    return e.FollowsName() ? Text(1, prefix) + e.referenceName
                           : Text(1, prefix) + IntToText(e.referenceNumber + 1);
}

Text Content(const TSestavaTyp& r, const TSiReportElement& e) {
    switch (e.kind) {
        case kGraphicText:
            return Quote(e.text);
        case kDataField:
        case kFieldCaption:
            return Reference(e, '#');
        case kParameter:
            return "&"_t + IntToText(e.referenceNumber + 1);
        case kVariable:
            return "%"_t + IntToText(e.referenceNumber + 1) + " "_t +
                   r.VariableName(e.referenceNumber) +
                   (e.text.empty() ? Text() : " maska "_t + Quote(e.text));
        case kFunction:
            return Reference(e, '@');
        case kLine:
        case kRectangle:
        case kRoundRectangle:
        case kEllipse:
            return "čára "_t + IntToText(e.lineWidth);
        case kPicture:
            return "obrázky "_t + Quote(e.text);
        case kBarcode:
            return "obsah "_t + Quote(e.text) + " typ "_t + IntToText(e.lineStyle);
        case kDrawingArea:
            return "plocha "_t + IntToText(e.referenceNumber);
        case kDetail:
            return "detail "_t + IntToText(e.referenceNumber);
        default:
            return "řádek zachován: "_t + e.keptLine;
    }
}

Text Flags(const TSectionFlags& f) {
    Text t;
    auto add = [&t](bool on, const char* name) {
        if (on)
            t += (t.empty() ? Text() : ", "_t) + FromUtf8(name);
    };
    add(f.breakAfterStart, "odstránkovat po začátku sestavy");
    add(f.noHeaderOnFirstPage, "na první stránce netisknout hlavu");
    add(f.noHeaderAfterBreak, "netisknout hlavu po odstránkování");
    add(f.newBodyOnNewPage, "nové tělo na novou stránku");
    add(f.breakBeforeEnd, "odstránkovat před koncem sestavy");
    add(f.endAlignedToFooter, "konec sestavy zarovnat k patě");
    add(f.noFooterOnLastPage, "na poslední stránce netisknout patu");
    add(f.footerOnlyOnFirstPage, "patu tisknout pouze na první stránce");
    return t.empty() ? "žádné"_t : t;
}

Text ResetLevelText(const TSestavaTyp& r, int level) {
    if (level == kResetReport)
        return "celá sestava"_t;
    if (level == kResetPage)
        return "stránka"_t;
    const int g = level - 2;
    if (g >= 0 && g < static_cast<int>(r.groups.size()))
        return r.groups[static_cast<std::size_t>(g)].Name();
    return "neznámá úroveň "_t + IntToText(level);
}

}  // namespace

Text ElementDescription(const TSestavaTyp& r, const TSiReportElement& e) {
    Text t = ElementKindName(e.kind) + " "_t;
    if (IsKnownKind(e.kind))
        t += Box(e) + " "_t;
    t += Content(r, e);
    if (IsTextKind(e.kind))
        t += ", "_t + FontText(e.font);
    if (!e.printCondition.empty())
        t += ", jen když "_t + e.printCondition;
    return t;
}

void DescribeReport(const TSestavaTyp& r, const Text& indent, std::vector<Text>& out) {
    const TPageSetup& p = r.page;
    out.push_back(indent + "Popis: "_t + r.popis);
    out.push_back(indent + "Verze předlohy: "_t + IntToText(r.versionMajor) + "."_t +
                  IntToText(r.versionMinor) + "."_t + IntToText(r.versionRelease));
    if (!r.IsDetail())
        out.push_back(indent + "Stránka: "_t + (p.Landscape() ? "na šířku"_t : "na výšku"_t) +
                      ", papír "_t + IntToText(p.paperWidth) + " x "_t + IntToText(p.paperHeight) +
                      ", okraje "_t + IntToText(p.marginLeft) + ", "_t + IntToText(p.marginRight) +
                      ", "_t + IntToText(p.marginTop) + ", "_t + IntToText(p.marginBottom) +
                      " (vlevo, vpravo, nahoře, dole)"_t);
    out.push_back(indent + "Sloupce tisku: "_t + IntToText(r.columns) + ", mezera "_t +
                  IntToText(r.columnGap));
    out.push_back(indent + "Rastr: "_t + (r.raster.IsCharacter() ? "znakový"_t : "grafický"_t) +
                  " "_t + IntToText(r.raster.StepX()) + " x "_t + IntToText(r.raster.StepY()));
    out.push_back(indent + "Volby oddílů: "_t + Flags(r.flags));
    if (!r.templateBackground.file.empty())
        out.push_back(indent + "Pozadí: "_t + r.templateBackground.file);
    for (const TOddilSestavy& s : r.sections) {
        out.push_back(indent + "Oddíl "_t + SectionName(s.number) + ": výška "_t +
                      IntToText(s.height) + (s.visible ? Text() : ", netiskne se"_t));
        for (std::size_t i = 0; i < s.elements.size(); ++i)
            out.push_back(indent + "  "_t + IntToText(static_cast<long long>(i) + 1) + ". "_t +
                          ElementDescription(r, s.elements[i]));
    }
    for (const TPolSkup& g : r.groups)
        out.push_back(indent + g.Name() + ": "_t + g.expression + ", nová stránka "_t +
                      YesNo(g.newPage));
    for (std::size_t i = 0; i < r.functions.size(); ++i) {
        const TRadekFunkce& f = r.functions[i];
        out.push_back(indent + "Funkce "_t + IntToText(static_cast<long long>(i) + 1) + " "_t +
                      f.name + ": "_t + AggregationName(f.aggregation) + " z "_t + f.expression +
                      ", nulování "_t + ResetLevelText(r, f.resetLevel) + ", počátek "_t +
                      Quote(f.initialValue) +
                      (f.resultType == 1 ? ", text"_t : ", formát "_t + IntToText(f.format)));
    }
    for (const Text& line : r.foreignLines)
        out.push_back(indent + "Řádek, který program nezná (zachová se): "_t + line);
}

}  // namespace axo::report

// What the layout tests share: templates built from short element lines, a run of records
// laid out with fixed-advance metrics, and the pages summarised as the texts each shows in
// reading order.
#pragma once

#include <algorithm>
#include <sstream>

#include "ReportTestSupport.h"
#include "report/layout/FontMetrics.h"
#include "report/layout/Pagination.h"

namespace axo::report::test {

/// A text element line: section code, kind, reference, box, text options, text, condition.
inline std::string El(const std::string& code, int kind, const std::string& ref, int left, int top,
                      int width, int height, const std::string& text = "", int textOptions = 0,
                      const std::string& condition = "") {
    std::ostringstream s;
    s << code << "," << kind << "," << ref << "," << left << "," << top << "," << width << ","
      << height << ",Arial,10,0,0," << textOptions << ",0,238,\"" << text << "\",0,0,0,\""
      << condition << "\",0,\"\"";
    return s.str();
}

/// Lays out `report` over its records with every character 5 units wide at 10 points (the
/// fixed-advance metrics) on 5 March 2024.
inline TSestVystup LayOut(TSestavaTyp& report, const TLayoutOptions& options = {}) {
    TFixedFontMetrics metrics;
    ReportComputation c(report);
    c.Prepare();
    TSestVystup out;
    BuildPages(c, metrics, {2024, 3, 5, 8, 7, 6, 0}, out, options);
    return out;
}

/// Each page as "H:Strana 1 T:a T:b P:1": the section code and text of every text element, top
/// to bottom and left to right, lines joined by "/".
inline std::vector<std::string> Summary(const TSestVystup& out) {
    std::vector<std::string> pages;
    for (const TStranaPrvku& page : out.pages) {
        std::vector<const TVystPrvek*> texts;
        for (const TVystPrvek& p : page.elements)
            if (p.look && IsTextKind(p.look->kind))
                texts.push_back(&p);
        std::stable_sort(texts.begin(), texts.end(), [](const TVystPrvek* a, const TVystPrvek* b) {
            return a->top != b->top ? a->top < b->top : a->left < b->left;
        });
        std::string s;
        for (const TVystPrvek* p : texts) {
            std::string text;
            for (int i = p->lines.first; i <= p->lines.last; ++i)
                text += (i > p->lines.first ? "/" : "") + ToUtf8(p->lines.LineText(i));
            s += (s.empty() ? "" : " ") + ToUtf8(SectionCode(p->section)) + ":" + text;
        }
        pages.push_back(s);
    }
    return pages;
}

/// The top of every placed text element showing `text` on page `page` (from 1).
inline std::vector<int> TopsOf(const TSestVystup& out, int page, const std::string& text) {
    std::vector<int> tops;
    for (const TVystPrvek& p : out.pages.at(static_cast<std::size_t>(page - 1)).elements)
        if (p.look && IsTextKind(p.look->kind) && !p.lines.Empty() &&
            ToUtf8(p.lines.LineText(p.lines.first)) == text)
            tops.push_back(p.top);
    std::sort(tops.begin(), tops.end());
    return tops;
}

}  // namespace axo::report::test

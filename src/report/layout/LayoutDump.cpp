// The page model as readable text.
#include "report/layout/LayoutDump.h"

#include <sstream>

#include "report/model/Section.h"

namespace axo::report {

namespace {

/// Sub-units as units with two decimals at most ("12.5", "3").
std::string Units(int sub) {
    std::ostringstream s;
    s << static_cast<double>(sub) / kSubUnits;
    return s.str();
}

void DumpLines(std::ostringstream& s, const TRadky& r) {
    for (int i = r.first; i <= r.last && i < static_cast<int>(r.lines.size()); ++i) {
        const TRadek& line = r.lines[static_cast<std::size_t>(i)];
        s << "      řádek " << (i + 1) << " výška " << Units(line.height) << " odsazení "
          << Units(line.offset) << " šířka " << Units(line.width)
          << (line.wrapped ? " zalomen" : "") << ": \"" << ToUtf8(r.LineText(i)) << "\"\n";
    }
}

}  // namespace

std::string DumpPages(const TSestVystup& out) {
    std::ostringstream s;
    s << "Stran: " << out.PageCount() << ", tisknutelná plocha " << out.printableWidth << " x "
      << out.printableHeight << "\n";
    for (const Text& m : out.messages)
        s << "Zpráva: " << ToUtf8(m) << "\n";
    for (std::size_t p = 0; p < out.pages.size(); ++p) {
        s << "Strana " << (p + 1) << " z " << out.PageCount() << "\n";
        for (const TVystPrvek& e : out.pages[p].elements) {
            s << "    " << ToUtf8(SectionCode(e.section)) << " "
              << ToUtf8(ElementKindName(e.Kind())) << " [" << e.left << "," << e.top << " "
              << e.width << "x" << e.height << "]";
            if (!e.single.empty())
                s << " \"" << ToUtf8(e.single) << "\"";
            if (e.picture)
                s << " obrázek";
            s << "\n";
            DumpLines(s, e.lines);
        }
    }
    return s.str();
}

}  // namespace axo::report

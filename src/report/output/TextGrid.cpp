// The character grid.
#include "report/output/TextGrid.h"

#include <array>
#include <cmath>
#include <map>

#include "util/Prevody.h"

namespace axo::report {

namespace {

constexpr int kLayers = 24;
constexpr std::size_t kMaxColumns = 255;

int LinesPerInch(int lineSpacing) {
    return lineSpacing == 1 ? 4 : lineSpacing == 2 ? 3 : 6;
}

/// 10, 12 or 17 characters per inch by the font size, and the layer of that pitch.
int PitchIndex(double points) {
    return points > 10 ? 0 : points >= 9 ? 1 : 2;
}
constexpr int kCpi[3] = {10, 12, 17};

/// The 44 Czech and Slovak accented letters.
bool IsCzechSlovakLetter(unsigned char c) {
    static const Text letters = "áäčďéěíĺľňóôöŕřšťúůüýžÁÄČĎÉĚÍĹĽŇÓÔÖŔŘŠŤÚŮÜÝŽ"_t;
    return letters.find(static_cast<char>(c)) != Text::npos;
}

using Layers = std::array<std::string, kLayers>;

void PutText(Layers& layers, int layer, int column, int width, int alignment, const Text& text) {
    Text shown = text;
    int start = column;
    if (alignment == kAlignRight) {
        start = column + width - static_cast<int>(shown.size());
    } else if (alignment == kAlignCentre) {
        const int extra = static_cast<int>(shown.size()) - width;
        if (extra > 0) {
            shown =
                shown.substr(static_cast<std::size_t>(extra / 2), static_cast<std::size_t>(width));
        } else {
            start = column + (width - static_cast<int>(shown.size())) / 2;
        }
    }
    std::string& line = layers[static_cast<std::size_t>(layer)];
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const int at = start + static_cast<int>(i);
        if (at < 0 || at >= static_cast<int>(kMaxColumns))
            continue;
        if (line.size() <= static_cast<std::size_t>(at))
            line.resize(static_cast<std::size_t>(at) + 1, ' ');
        line[static_cast<std::size_t>(at)] = shown[i];
    }
}

}  // namespace

Text ToExportLanguage(const Text& text, int language) {
    CodePageDirection direction;
    switch (language) {
        case kSlAscii:
            direction = CodePageDirection::kWin1250ToPlain;
            break;
        case kSlCp867:
            direction = CodePageDirection::kWin1250ToKamenicky;
            break;
        case kSlCp852:
            direction = CodePageDirection::kWin1250ToCp852;
            break;
        default:
            return text;
    }
    Text out = text;
    for (std::size_t i = 0; i < out.size(); ++i)
        if (IsCzechSlovakLetter(out.Code(i)))
            out[i] = ConvertCodePage(Text(1, out[i]), direction)[0];
    return out;
}

std::vector<Text> GridPage(const TSestVystup& out, int page, bool trimmed) {
    const int lpi = LinesPerInch(out.lineSpacing);
    const int rows = out.page.OrientedHeight() * lpi / kUnitsPerInch;
    std::map<int, Layers> grid;
    if (page >= 1 && page <= out.PageCount())
        for (const TVystPrvek& p : out.pages[static_cast<std::size_t>(page - 1)].elements) {
            if (!p.look || !IsTextKind(p.look->kind))
                continue;
            const TSiReportElement& e = *p.look;
            const int pitch =
                PitchIndex(p.lines.styles.empty() ? e.font.size : p.lines.styles[0].size);
            const int cpi = kCpi[pitch];
            const int layer = pitch * 8 + ((e.font.style & kBold) ? 1 : 0);
            const int row = static_cast<int>(std::lround(p.top * lpi / 100.0));
            const int column = p.left * cpi / kUnitsPerInch;
            const int width = p.width * cpi / kUnitsPerInch;
            const int alignment = e.Alignment() == kAlignJustified ? kAlignLeft : e.Alignment();
            if (e.angle != 0) {
                PutText(grid[row], layer, column, width, kAlignLeft, p.single);
                continue;
            }
            for (int i = p.lines.first; i <= p.lines.last; ++i)
                PutText(grid[row + i - p.lines.first], layer, column, width, alignment,
                        p.lines.LineText(i));
        }
    int count = rows;
    if (trimmed)
        count = grid.empty() ? 0 : grid.rbegin()->first + 1;
    std::vector<Text> lines;
    for (int r = 0; r < count; ++r) {
        std::string line;
        const auto it = grid.find(r);
        if (it != grid.end())
            for (const std::string& layer : it->second)
                for (std::size_t i = 0; i < layer.size(); ++i) {
                    if (layer[i] == ' ')
                        continue;
                    if (line.size() <= i)
                        line.resize(i + 1, ' ');
                    if (line[i] == ' ')
                        line[i] = layer[i];
                }
        lines.push_back(Text::FromBytes(line));
    }
    return lines;
}

std::string GridText(const TSestVystup& out, int first, int last, int copies, bool formFeeds) {
    std::string bytes;
    first = std::max(first, 1);
    last = std::min(last, out.PageCount());
    for (int copy = 0; copy < std::max(copies, 1); ++copy)
        for (int p = first; p <= last; ++p) {
            for (const Text& line : GridPage(out, p, p == last && !formFeeds))
                bytes += ToExportLanguage(line, out.exportLanguage).Bytes() + "\r\n";
            if (formFeeds)
                bytes += '\f';
        }
    return bytes;
}

}  // namespace axo::report

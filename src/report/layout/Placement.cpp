// Placing elements: fixed elements, the bands of variable-height elements, texts and drawing
// areas that continue on further pages, detail reports in place, and the total page count.
#include <algorithm>
#include <climits>

#include "report/data/Bridge.h"
#include "report/layout/Canvas.h"
#include "report/layout/PageBuilder.h"
#include "report/layout/TextLayout.h"
#include "report/model/NumberMask.h"
#include "util/Cisla.h"

namespace axo::report {

namespace {

/// Pieces past this many pages of one element end its run: a host that never finishes its
/// drawing must not fill the disk with pages.
constexpr int kMaxContinuationPages = 10000;

const TSiReportElement& ElementOf(TSestavaTyp& r, int section, int index) {
    return r.Section(section)->elements[static_cast<std::size_t>(index)];
}

/// The first name of a picture list (names separated by line breaks or semicolons).
Text FirstPictureName(const Text& list) {
    Text name;
    for (char ch : list) {
        if (ch == '\r' || ch == '\n' || ch == ';') {
            if (!name.empty())
                break;
            continue;
        }
        name += ch;
    }
    return name;
}

}  // namespace

std::shared_ptr<const TSiReportElement> PageBuilder::Look(const TSiReportElement& e) {
    std::shared_ptr<const TSiReportElement>& slot = looks_[&e];
    if (!slot || !(slot->font == e.font) || slot->kind != e.kind)
        slot = std::make_shared<const TSiReportElement>(e);
    return slot;
}

bool PageBuilder::IsVariable(int section, const TSiReportElement& e) const {
    if (!e.printable)
        return false;
    if (section == kBody && r_.columns > 1)
        return false;
    return e.IsVariableHeight() || (section == kBody && e.kind == kDetail);
}

TRadky PageBuilder::LayOut(int section, int index, bool allLines) {
    const TSiReportElement& e = ElementOf(r_, section, index);
    Text text = c_.ElementText(section, index);
    bool multi = (e.textOptions & kTextMultiLine) != 0 || e.IsVariableHeight();
    if (e.kind == kDataField) {
        multi = multi || IsMultiLineType(c_.FieldType(c_.ElementField(section, index)));
    }
    const TTextInput input = TextInputOf(e, std::move(text), multi);
    if (e.angle != 0)
        return LayOutSingleLine(input, metrics_);
    TRadky lines = LayOutText(input, metrics_);
    if (!allLines && !lines.Empty())
        lines.last = std::max(0, lines.LinesThatFit(0, e.height) - 1);
    return lines;
}

TVystPrvek PageBuilder::Placed(int section, int index, int x, int y) {
    TVystPrvek p;
    Fill(p, section, index, x, y);
    return p;
}

void PageBuilder::Fill(TVystPrvek& p, int section, int index, int x, int y) {
    const TSiReportElement& e = ElementOf(r_, section, index);
    p.look = Look(e);
    p.section = section;
    p.left = x + e.left;
    p.top = y + e.top;
    p.width = e.width;
    p.height = e.height;
    if (IsTextKind(e.kind)) {
        const bool allLines = e.IsVariableHeight() && r_.columns <= 1;
        p.lines = LayOut(section, index, allLines);
        if (e.angle != 0)
            p.single = c_.ElementText(section, index);
        p.totalPages = e.kind == kVariable && e.referenceNumber == kVarTotalPages;
    } else if (e.kind == kBarcode) {
        // The first line of the content's result is the data.
        Text data = e.value.text;
        const std::size_t cut = std::min(data.find('\r'), data.find('\n'));
        p.single = cut == Text::npos ? data : data.substr(0, cut);
    } else if (e.kind == kPicture) {
        p.single = FirstPictureName(e.text);
        std::filesystem::path file = ToUtf8(p.single);
        if (file.is_relative() && !options_.pictureDirectory.empty())
            file = options_.pictureDirectory / file;
        p.single = FromUtf8(file.string());
    } else if (e.kind == kDrawingArea && r_.events.onPaintBox) {
        const int factor = e.ResolutionFactor();
        auto picture = std::make_shared<TRecordedPicture>(factor * e.width, factor * e.height);
        r_.events.onPaintBox(r_, e.referenceNumber, factor * e.width, factor * e.height, *picture);
        p.picture = std::move(picture);
    }
}

void PageBuilder::Put(int page, TVystPrvek element) {
    out_.Page(page).Add(std::move(element));
}

void PageBuilder::PlaceFixed(int section, const std::function<bool(int index)>& take) {
    const auto& elements = r_.Section(section)->elements;
    for (int i = static_cast<int>(elements.size()) - 1; i >= 0; --i) {
        const TSiReportElement& e = elements[static_cast<std::size_t>(i)];
        if (!e.printable || !IsKnownKind(e.kind) || e.kind == kDetail || !take(i))
            continue;
        // Filled where it stays on the page, not moved there.
        Fill(out_.Page(pageIndex_).Emplace(), section, i, columnX_, y_);
    }
}

void PageBuilder::PlaceBands(int section) {
    const auto& elements = r_.Section(section)->elements;
    struct Band {
        int top = 0;
        int bottom = 0;
        std::vector<int> members;
    };
    std::vector<Band> bands;
    std::vector<bool> variable(elements.size(), false);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const TSiReportElement& e = elements[i];
        if (!IsVariable(section, e))
            continue;
        variable[i] = true;
        auto band =
            std::find_if(bands.begin(), bands.end(), [&](const Band& b) { return b.top == e.top; });
        if (band == bands.end()) {
            bands.push_back({e.top, e.top + e.height, {}});
            band = bands.end() - 1;
        }
        band->bottom = std::max(band->bottom, e.top + e.height);
        band->members.push_back(static_cast<int>(i));
    }
    if (bands.empty()) {
        PlaceFixed(section, [](int) { return true; });
        return;
    }
    std::sort(bands.begin(), bands.end(),
              [](const Band& a, const Band& b) { return a.top < b.top; });
    int previousTop = INT_MIN;
    for (const Band& band : bands) {
        // Fixed elements down to the band's top are placed before the band grows.
        PlaceFixed(section, [&](int i) {
            const int top = elements[static_cast<std::size_t>(i)].top;
            return !variable[static_cast<std::size_t>(i)] && top > previousTop && top <= band.top;
        });
        if (!options_.unpaginated && !Fits(band.bottom) && !AtFreshPage()) {
            BreakPage();
            y_ -= band.top;
        }
        const int startPage = pageIndex_;
        const int startY = y_;
        int furthestPage = 0;
        int furthestY = y_;
        int finishedPages = 0;
        for (int index : band.members) {
            int endY = startY;
            bool finished = false;
            pageIndex_ = startPage;
            y_ = startY;
            const int pages = PlaceVariable(section, index, endY, finished);
            if (finished)
                finishedPages = std::max(finishedPages, pages);
            if (pages > furthestPage || (pages == furthestPage && endY > furthestY)) {
                furthestPage = pages;
                furthestY = endY;
            }
        }
        pageIndex_ = startPage + finishedPages;
        y_ = startY;
        for (int k = finishedPages; k < furthestPage; ++k) {
            EndPage();
            NewPage();
            BeginPage();
        }
        y_ = furthestPage > 0 ? furthestY : std::max(startY, furthestY);
        previousTop = band.top;
    }
    PlaceFixed(section, [&](int i) {
        return !variable[static_cast<std::size_t>(i)] &&
               elements[static_cast<std::size_t>(i)].top > previousTop;
    });
}

int PageBuilder::PlaceVariable(int section, int index, int& endY, bool& finished) {
    const TSiReportElement& e = ElementOf(r_, section, index);
    finished = false;
    if (e.kind == kDetail) {
        finished = true;
        return PlaceDetail(section, index, endY);
    }
    if (e.kind == kDrawingArea)
        return PlaceVariableDrawing(section, index, endY);
    return PlaceVariableText(section, index, endY);
}

int PageBuilder::PlaceVariableText(int section, int index, int& endY) {
    const TSiReportElement& e = ElementOf(r_, section, index);
    TVystPrvek whole = Placed(section, index, columnX_, y_);
    const TRadky& lines = whole.lines;
    const int H = lines.Height();
    const int top = y_ + e.top;
    const int room = bodyHeight_ - FooterHeight() - top;
    if (H <= e.height || options_.unpaginated || room >= H || e.angle != 0) {
        if (H > e.height)
            whole.height = H;
        endY = y_ + std::max(0, H - e.height);
        Put(pageIndex_, std::move(whole));
        return 0;
    }
    // The text continues on further pages: at least one line a page, so that a line taller
    // than a page cannot add pages for ever.
    const int count = static_cast<int>(lines.lines.size());
    int from = 0;
    int pieceTop = top;
    int available = room;
    int page = 0;
    int bottom = top;
    const TOddilSestavy* footer = r_.Section(kPageFooter);
    const int laterFooter =
        footer && !r_.flags.footerOnlyOnFirstPage ? footer->EffectiveHeight() : 0;
    while (from < count && page <= kMaxContinuationPages) {
        const int fit = lines.LinesThatFit(from, available);
        if (fit == 0)
            Note("Řádek textu v oddílu \""_t + SectionName(section) +
                 "\" je vyšší než místo na stránce."_t);
        const int take = std::max(1, fit);
        TVystPrvek piece = whole;
        piece.top = pieceTop;
        piece.lines.first = from;
        piece.lines.last = std::min(count, from + take) - 1;
        piece.height = lines.Height(piece.lines.first, piece.lines.last);
        bottom = pieceTop + piece.height;
        Put(pageIndex_ + page, std::move(piece));
        from += take;
        if (from < count) {
            ++page;
            pieceTop = HeaderHeightAfterBreak();
            available = bodyHeight_ - laterFooter - pieceTop;
        }
    }
    if (from < count)
        Note("Text prvku oddílu \""_t + SectionName(section) + "\" se nevešel ani na "_t +
             IntToText(kMaxContinuationPages) + " stran."_t);
    endY = bottom - e.top - e.height;
    return page;
}

int PageBuilder::PlaceVariableDrawing(int section, int index, int& endY) {
    const TSiReportElement& e = ElementOf(r_, section, index);
    if (!r_.events.onPaintBoxSize) {
        Put(pageIndex_, Placed(section, index, columnX_, y_));
        endY = y_;
        return 0;
    }
    const int factor = e.ResolutionFactor();
    int top = y_ + e.top;
    int room = bodyHeight_ - FooterHeight() - top;
    int pos = 0;
    int page = 0;
    int bottom = top + e.height;
    const TOddilSestavy* footer = r_.Section(kPageFooter);
    const int laterFooter =
        footer && !r_.flags.footerOnlyOnFirstPage ? footer->EffectiveHeight() : 0;
    for (;;) {
        TVystPrvek piece = Placed(section, index, columnX_, y_);
        piece.top = top;
        auto picture =
            std::make_shared<TRecordedPicture>(factor * e.width, factor * std::max(room, 1));
        int height = room;
        int next = 0;
        r_.events.onPaintBoxSize(r_, e.referenceNumber, factor * e.width, height, pos, next,
                                 *picture);
        const bool more = next >= 1 && page < kMaxContinuationPages;
        if (more && next <= pos) {
            // The host's position does not advance: its drawing ends here.
            Note("Kreslicí plocha oddílu \""_t + SectionName(section) +
                 "\" neposunula svou pozici; kreslení skončilo."_t);
        }
        if (more && next > pos) {
            piece.height = room;
            piece.picture = std::move(picture);
            Put(pageIndex_ + page, std::move(piece));
            ++page;
            pos = next;
            top = HeaderHeightAfterBreak();
            room = bodyHeight_ - laterFooter - top;
            continue;
        }
        const int units = height / std::max(factor, 1);
        piece.height = page == 0 ? std::max(units, e.height) : units;
        piece.picture = std::move(picture);
        bottom = top + piece.height;
        Put(pageIndex_ + page, std::move(piece));
        break;
    }
    endY = bottom - e.top - e.height;
    return page;
}

int PageBuilder::PlaceDetail(int section, int index, int& endY) {
    const TSiReportElement& e = ElementOf(r_, section, index);
    endY = y_;
    const int n = e.referenceNumber;
    if (n < 0 || n >= static_cast<int>(r_.Details().size()))
        return 0;
    TSestavaTyp& detail = *r_.Details()[static_cast<std::size_t>(n)];
    ReportComputation dc(detail);
    dc.Prepare();
    const int savedY = y_;
    const int savedPage = pageIndex_;
    PageBuilder sub(dc, metrics_, out_, options_, this);
    sub.y_ = y_ + e.top;
    sub.pageIndex_ = pageIndex_;
    sub.columnX_ = columnX_;
    sub.freshPage_ = freshPage_;
    sub.freshY_ = freshY_;
    sub.Run(r_.printDateTime);
    for (const Text& m : dc.Warnings())
        Note(m);
    const int pages = sub.pageIndex_ - savedPage;
    endY = sub.y_ - e.top - e.height;
    y_ = savedY;
    pageIndex_ = savedPage;
    if (sub.cancelled_)
        cancelled_ = true;
    return pages;
}

void PageBuilder::FillTotalPages() {
    const int total = out_.PageCount();
    r_.totalPages = total;
    for (TStranaPrvku& page : out_.pages)
        for (TVystPrvek& p : page.elements) {
            if (!p.totalPages)
                continue;
            const TSiReportElement& e = *p.look;
            const Text text = e.text.empty() ? IntToText(total) : FormatNumberMask(total, e.text);
            const bool multi = (e.textOptions & kTextMultiLine) != 0 || e.IsVariableHeight();
            const TTextInput input = TextInputOf(e, text, multi);
            if (e.angle != 0) {
                p.lines = LayOutSingleLine(input, metrics_);
                p.single = text;
                continue;
            }
            p.lines = LayOutText(input, metrics_);
            if (!p.lines.Empty())
                p.lines.last = std::max(0, p.lines.LinesThatFit(0, e.height) - 1);
        }
}

int BuildPages(ReportComputation& c, TFontMetrics& metrics, const DateTime& now, TSestVystup& out,
               const TLayoutOptions& options) {
    TSestavaTyp& r = c.Report();
    out.page = r.page;
    out.printableWidth = r.page.PrintableWidth();
    out.printableHeight = r.page.PrintableHeight();
    out.copies = r.printCopies;
    out.startPage = r.startPage;
    out.endPage = r.endPage;
    out.exportLanguage = r.exportLanguage;
    out.lineSpacing = r.raster.lineSpacing;
    out.background = r.templateBackground;
    out.printBackground = r.printBackground || r.templateBackground.print;
    PageBuilder builder(c, metrics, out, options);
    const int result = builder.Run(now);
    for (TStranaPrvku& page : out.pages)
        page.Sort();
    return result;
}

}  // namespace axo::report

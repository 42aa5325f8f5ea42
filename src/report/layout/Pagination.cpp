// Pagination: the run over the records and the sections it prints, page breaks, headers and
// footers, columns and the report end.
#include "report/layout/Pagination.h"

#include <cmath>

#include "report/layout/PageBuilder.h"

namespace axo::report {

PageBuilder::PageBuilder(ReportComputation& c, TFontMetrics& metrics, TSestVystup& out,
                         const TLayoutOptions& options, PageBuilder* master)
    : c_(c), r_(c.Report()), metrics_(metrics), out_(out), options_(options), master_(master) {
    bodyHeight_ = master ? master->bodyHeight_ : out.printableHeight;
}

int PageBuilder::Run(const DateTime& now) {
    int step = 0;
    if (r_.tiskJedenZaznam)
        c_.GetData();
    else
        step = c_.Step(kStepFirst);
    if (r_.IsDetail() && (step & kAfterLast))
        return kSestOk;
    if (!master_) {
        out_.pages.clear();
        out_.messages.clear();
        pageIndex_ = 0;
        y_ = 0;
        column_ = 1;
        columnX_ = 0;
        freshPage_ = 0;
        freshY_ = 0;
    }
    c_.StartRun(now);
    c_.LoadValues(LoadScope::kStart);
    c_.ComputeFunctions();
    c_.EvaluateConditions();
    PrintSection(kReportStart);
    const TOddilSestavy* start = r_.Section(kReportStart);
    if (!master_ && start && start->visible && r_.flags.breakAfterStart) {
        EndPage();
        NewPage();
        c_.LoadValues(LoadScope::kRecord);
        BeginPage();
    } else if (!r_.IsDetail() && !r_.flags.noHeaderOnFirstPage) {
        PrintSection(kPageHeader);
        freshY_ = y_;
    }
    for (std::size_t g = 0; g < r_.groups.size(); ++g)
        PrintSection(GroupHeaderSection(static_cast<int>(g)));

    bool first = true;
    int record = 1;
    do {
        if (!first)
            RecordStep();
        else if (!Fits(r_.Section(kBody)->EffectiveHeight()))
            BreakPage();
        first = false;
        PrintSection(kBody);
        ++r_.recordsPrinted;
        if (r_.tiskJedenZaznam || (r_.maxRecords > 0 && r_.recordsPrinted >= r_.maxRecords))
            break;
        step = c_.Step(kStepNext);
        ++record;
        if (options_.progress && step == 0 && !options_.progress(record))
            cancelled_ = true;
    } while (!r_.stopped && !cancelled_ && step == 0);

    if (!cancelled_) {
        CloseColumnRow();
        for (int g = static_cast<int>(r_.groups.size()) - 1; g >= 0; --g)
            PrintSection(GroupFooterSection(g));
    }
    const TOddilSestavy* end = r_.Section(kReportEnd);
    if (!master_ && end && end->visible && r_.flags.breakBeforeEnd)
        BreakPage();
    c_.LoadValues(LoadScope::kEnd);
    if (!cancelled_)
        ReportEnd();
    if (!master_)
        out_.cancelled = cancelled_;
    return cancelled_ ? kSestCancelled : kSestOk;
}

void PageBuilder::RecordStep() {
    const int first = c_.DetectGroupChanges();
    const int groups = static_cast<int>(r_.groups.size());
    bool pageBreak = false;
    int needed = 0;
    if (first >= 0) {
        CloseColumnRow();
        for (int g = groups - 1; g >= first; --g) {
            PrintSection(GroupFooterSection(g));
            c_.RequestReset(GroupResetLevel(g));
            const TPolSkup& group = r_.groups[static_cast<std::size_t>(g)];
            pageBreak = pageBreak || group.newPage;
            if (const TOddilSestavy* h = r_.Section(group.header))
                needed += h->EffectiveHeight();
        }
    }
    const int body = r_.Section(kBody)->EffectiveHeight();
    pageBreak = pageBreak || r_.flags.newBodyOnNewPage || !Fits(needed + body);
    ++r_.rowNumber;
    if (pageBreak && !master_ && !AtFreshPage()) {
        EndPage();
        NewPage();
        c_.AcceptGroups();
        c_.LoadValues(LoadScope::kRecord);
        c_.RequestReset(kResetPage);
        c_.ComputeFunctions();
        c_.EvaluateConditions();
        BeginPage();
    } else {
        c_.AcceptGroups();
        c_.LoadValues(LoadScope::kRecord);
        c_.ComputeFunctions();
        c_.EvaluateConditions();
    }
    if (first >= 0)
        for (int g = first; g < groups; ++g) {
            r_.groups[static_cast<std::size_t>(g)].changed = false;
            PrintSection(GroupHeaderSection(g));
        }
    if (r_.pageNumber > r_.endPage)
        r_.stopped = true;
}

void PageBuilder::ReportEnd() {
    const TOddilSestavy* end = r_.Section(kReportEnd);
    const TOddilSestavy* footer = r_.Section(kPageFooter);
    const int footerHeight = footer ? footer->EffectiveHeight() : 0;
    const int endHeight = end ? end->EffectiveHeight() : 0;
    if (options_.unpaginated && !master_)
        bodyHeight_ = y_ + endHeight + footerHeight;
    if (end && end->visible) {
        if (r_.flags.endAlignedToFooter) {
            const bool noFooter = r_.flags.noFooterOnLastPage || r_.flags.footerOnlyOnFirstPage;
            int target = bodyHeight_ - endHeight - (noFooter ? 0 : footerHeight);
            if (target < y_ && !options_.unpaginated) {
                BreakPage();
                target = bodyHeight_ - endHeight - (noFooter ? 0 : footerHeight);
            }
            y_ = std::max(y_, target);
        }
        PrintSection(kReportEnd);
    }
    // A report of one page gets its footer also when the footer is printed only on the
    // first page: that page is the first one.
    if (!r_.IsDetail() && !r_.flags.noFooterOnLastPage &&
        (!r_.flags.footerOnlyOnFirstPage || pageIndex_ == 0))
        EndPage();
    if (!master_)
        FillTotalPages();
}

void PageBuilder::PrintSection(int section) {
    if (r_.stopped || cancelled_)
        return;
    if (section == kPageHeader)
        r_.pageBreakRequest = false;
    if (!c_.PrintsSection(section))
        return;
    const TOddilSestavy& s = *r_.Section(section);
    const bool checked = section != kPageHeader && section != kPageFooter &&
                         !(section == kReportStart && !master_) &&
                         !(section == kReportEnd && r_.flags.noFooterOnLastPage);
    if (checked && !options_.unpaginated && (r_.pageBreakRequest || !Fits(s.height))) {
        // On a page that holds nothing but its header the section is placed as it is: a
        // further page would not give it more room.
        if (!AtFreshPage())
            BreakPage();
        else if (!Fits(s.height))
            Note("Oddíl \""_t + SectionName(section) + "\" je vyšší než místo na stránce."_t);
    }
    if (section == kPageHeader || section == kPageFooter)
        PlaceFixed(section, [](int) { return true; });
    else
        PlaceBands(section);
    Advance(s);
}

void PageBuilder::Advance(const TOddilSestavy& s) {
    if (s.number == kPageFooter)
        return;
    if (s.number == kBody && r_.columns > 1) {
        if (column_ < r_.columns) {
            ++column_;
            columnX_ += (out_.printableWidth + r_.columnGap) / r_.columns;
        } else {
            column_ = 1;
            columnX_ = 0;
            y_ += s.EffectiveHeight();
        }
        return;
    }
    y_ += s.EffectiveHeight();
    if (r_.IsCharacterRaster()) {
        const double cell = r_.raster.CellHeight();
        if (cell > 0)
            y_ = static_cast<int>(std::lround(std::round(y_ / cell) * cell));
    }
}

void PageBuilder::CloseColumnRow() {
    if (column_ > 1) {
        column_ = 1;
        columnX_ = 0;
        y_ += r_.Section(kBody)->EffectiveHeight();
    }
}

int PageBuilder::FooterHeight() const {
    if (master_)
        return master_->FooterHeight();
    const TOddilSestavy* footer = r_.Section(kPageFooter);
    if (!footer || (r_.flags.footerOnlyOnFirstPage && pageIndex_ > 0))
        return 0;
    return footer->EffectiveHeight();
}

int PageBuilder::HeaderHeightAfterBreak() const {
    if (master_)
        return master_->HeaderHeightAfterBreak();
    const TOddilSestavy* header = r_.Section(kPageHeader);
    return header && !r_.flags.noHeaderAfterBreak ? header->EffectiveHeight() : 0;
}

bool PageBuilder::Fits(int height) const {
    if (options_.unpaginated)
        return true;
    return bodyHeight_ - FooterHeight() - y_ >= height;
}

bool PageBuilder::AtFreshPage() const {
    return pageIndex_ == freshPage_ && y_ == freshY_ && column_ == 1;
}

void PageBuilder::Note(const Text& message) {
    for (const Text& m : out_.messages)
        if (m == message)
            return;
    out_.messages.push_back(message);
}

void PageBuilder::EndPage() {
    if (master_) {
        master_->pageIndex_ = pageIndex_;
        master_->EndPage();
        return;
    }
    const TOddilSestavy* footer = r_.Section(kPageFooter);
    if (!footer || (pageIndex_ > 0 && r_.flags.footerOnlyOnFirstPage))
        return;
    const int saved = y_;
    const int savedX = columnX_;
    y_ = bodyHeight_ - footer->EffectiveHeight();
    columnX_ = 0;
    PrintSection(kPageFooter);
    y_ = saved;
    columnX_ = savedX;
}

void PageBuilder::NewPage() {
    if (master_) {
        master_->NewPage();
        return;
    }
    c_.NewPage();
}

void PageBuilder::BeginPage() {
    if (master_) {
        master_->pageIndex_ = pageIndex_;
        master_->BeginPage();
        pageIndex_ = master_->pageIndex_;
        y_ = master_->y_;
        freshPage_ = pageIndex_;
        freshY_ = y_;
        return;
    }
    ++pageIndex_;
    out_.Page(pageIndex_);
    y_ = 0;
    column_ = 1;
    columnX_ = 0;
    if (!r_.flags.noHeaderAfterBreak)
        PrintSection(kPageHeader);
    else
        r_.pageBreakRequest = false;
    freshPage_ = pageIndex_;
    freshY_ = y_;
}

void PageBuilder::BreakPage() {
    EndPage();
    NewPage();
    BeginPage();
}

}  // namespace axo::report

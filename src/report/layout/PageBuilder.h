// The builder behind BuildPages: one per report run (a detail report in place gets its own,
// which breaks pages through its master's). Pagination.cpp holds the run and the sections,
// Placement.cpp the placing of elements, bands and variable heights.
#pragma once

#include <map>
#include <memory>

#include "report/layout/Pagination.h"

namespace axo::report {

class PageBuilder {
  public:
    PageBuilder(ReportComputation& c, TFontMetrics& metrics, TSestVystup& out,
                const TLayoutOptions& options, PageBuilder* master = nullptr);

    /// The whole run; kSestOk or kSestCancelled.
    int Run(const DateTime& now);

  private:
    // ---- The run (Pagination.cpp) ---------------------------------------------------------
    void RecordStep();
    void ReportEnd();
    void PrintSection(int section);
    void Advance(const TOddilSestavy& s);
    bool Fits(int height) const;
    int FooterHeight() const;
    /// The height the page header takes on a page begun by a break.
    int HeaderHeightAfterBreak() const;
    void EndPage();
    void NewPage();
    void BeginPage();
    /// Footer, new page and header: a page break.
    void BreakPage();
    void CloseColumnRow();
    /// Nothing but the page header stands on the current page: a break would not help.
    bool AtFreshPage() const;
    /// A message of the layout, told once.
    void Note(const Text& message);

    // ---- Placing (Placement.cpp) ----------------------------------------------------------
    /// Places the printable elements of a section that `take` accepts, last to first, at y.
    void PlaceFixed(int section, const std::function<bool(int index)>& take);
    void PlaceBands(int section);
    /// Places a variable element of a band; returns the pages it went past and sets `endY`
    /// to the section y that puts its bottom where it ended. `finished`: those pages have
    /// their footers and headers already (a detail report breaks its pages itself).
    int PlaceVariable(int section, int index, int& endY, bool& finished);
    int PlaceVariableText(int section, int index, int& endY);
    int PlaceVariableDrawing(int section, int index, int& endY);
    int PlaceDetail(int section, int index, int& endY);
    /// A placed element of an element at (x, y) of the page `page`.
    TVystPrvek Placed(int section, int index, int x, int y);
    /// As Placed, into an element already on a page.
    void Fill(TVystPrvek& p, int section, int index, int x, int y);
    void Put(int page, TVystPrvek element);
    TRadky LayOut(int section, int index, bool allLines);
    std::shared_ptr<const TSiReportElement> Look(const TSiReportElement& e);
    bool IsVariable(int section, const TSiReportElement& e) const;
    void FillTotalPages();

    ReportComputation& c_;
    TSestavaTyp& r_;
    TFontMetrics& metrics_;
    TSestVystup& out_;
    const TLayoutOptions& options_;
    PageBuilder* master_;
    bool cancelled_ = false;

    int y_ = 0;
    int pageIndex_ = 0;
    int column_ = 1;
    int columnX_ = 0;
    int bodyHeight_ = 0;
    int freshPage_ = 0;  ///< the page and y right after the last page header
    int freshY_ = 0;
    std::map<const TSiReportElement*, std::shared_ptr<const TSiReportElement>> looks_;
};

}  // namespace axo::report

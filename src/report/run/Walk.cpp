// The run over all records without pages.
#include "report/run/Walk.h"

namespace axo::report {

namespace {

class Walk {
  public:
    Walk(ReportComputation& c, const SectionSink& sink) : c_(c), r_(c.Report()), sink_(sink) {}

    void Print(int section) {
        if (c_.PrintsSection(section) && sink_)
            sink_(section, c_);
    }

    /// Before every record but the first: footers of the changed groups (highest first) with
    /// the previous record's values, resets, the new record's values, then their headers.
    void RecordStep() {
        const int first = c_.DetectGroupChanges();
        const int groups = static_cast<int>(r_.groups.size());
        if (first >= 0)
            for (int g = groups - 1; g >= first; --g) {
                Print(GroupFooterSection(g));
                c_.RequestReset(GroupResetLevel(g));
            }
        ++r_.rowNumber;
        c_.AcceptGroups();
        c_.LoadValues(LoadScope::kRecord);
        c_.ComputeFunctions();
        c_.EvaluateConditions();
        if (first >= 0)
            for (int g = first; g < groups; ++g) {
                r_.groups[static_cast<std::size_t>(g)].changed = false;
                Print(GroupHeaderSection(g));
            }
    }

  private:
    ReportComputation& c_;
    TSestavaTyp& r_;
    const SectionSink& sink_;
};

}  // namespace

int WalkRecords(ReportComputation& c, const DateTime& now, const SectionSink& sink,
                const std::function<bool()>& cancelled) {
    TSestavaTyp& r = c.Report();
    Walk walk(c, sink);
    int step = 0;
    if (r.tiskJedenZaznam)
        c.GetData();
    else
        step = c.Step(kStepFirst);
    if (r.IsDetail() && (step & kAfterLast))
        return kSestOk;

    c.StartRun(now);
    c.LoadValues(LoadScope::kStart);
    c.ComputeFunctions();
    c.EvaluateConditions();
    walk.Print(kReportStart);
    if (!r.IsDetail() && !r.flags.noHeaderOnFirstPage)
        walk.Print(kPageHeader);
    for (std::size_t g = 0; g < r.groups.size(); ++g)
        walk.Print(GroupHeaderSection(static_cast<int>(g)));

    bool stop = false;
    bool first = true;
    do {
        if (!first)
            walk.RecordStep();
        first = false;
        walk.Print(kBody);
        ++r.recordsPrinted;
        if (r.tiskJedenZaznam || (r.maxRecords > 0 && r.recordsPrinted >= r.maxRecords))
            break;
        step = c.Step(kStepNext);
        stop = cancelled && cancelled();
    } while (!r.stopped && !stop && step == 0);

    if (!stop)
        for (int g = static_cast<int>(r.groups.size()) - 1; g >= 0; --g)
            walk.Print(GroupFooterSection(g));
    c.LoadValues(LoadScope::kEnd);
    if (stop)
        return kSestCancelled;
    walk.Print(kReportEnd);
    if (!r.IsDetail() && !r.flags.noFooterOnLastPage && !r.flags.footerOnlyOnFirstPage)
        walk.Print(kPageFooter);
    return kSestOk;
}

}  // namespace axo::report

// The report outputs of the statement command.
#include "ReportOutput.h"

#include <ostream>
#include <stdexcept>

#include "app/StatementReport.h"
#include "report/output/ReportPrint.h"

namespace axo::cli {

namespace {

int Bounded(const Options& options, const std::string& name, int least, int most, int fallback) {
    const std::optional<int> n = options.GetInt(name);
    if (!n)
        return fallback;
    if (*n < least || *n > most)
        throw std::invalid_argument("Volba --" + name + " potřebuje číslo od " +
                                    std::to_string(least) + " do " + std::to_string(most) +
                                    ", ne " + std::to_string(*n) + ".");
    return *n;
}

/// "A-B", "A-" (to the end) or "A" (that page alone).
void PageRange(const std::string& text, report::TPrintJob& job) {
    const std::size_t dash = text.find('-');
    const std::string from = text.substr(0, dash);
    const std::string to = dash == std::string::npos ? from : text.substr(dash + 1);
    const std::optional<int> a = Options::WholeNumber(from);
    const std::optional<int> b = to.empty() ? std::optional<int>(9999) : Options::WholeNumber(to);
    if (!a || !b || *a < 1 || *b < *a)
        throw std::invalid_argument(
            "Volba --pages potřebuje rozsah stran jako 2-5, 3- nebo 4, ne \"" + text + "\".");
    job.first = *a;
    job.last = *b;
}

}  // namespace

std::vector<std::string> ReportOptionNames() {
    return {"pdf", "png", "dpi",    "svg",   "html",    "rtf",   "emf",
            "wmf", "txt", "layout", "print", "printer", "pages", "copies"};
}

report::TReportTargets ReportTargetsOf(const Options& options) {
    report::TReportTargets t;
    t.pdf = options.GetOr("pdf", "");
    t.pngDir = options.GetOr("png", "");
    t.dpi = Bounded(options, "dpi", 10, 2400, 100);
    t.svgDir = options.GetOr("svg", "");
    t.html = options.GetOr("html", "");
    t.rtf = options.GetOr("rtf", "");
    t.emfDir = options.GetOr("emf", "");
    t.wmfDir = options.GetOr("wmf", "");
    t.txt = options.GetOr("txt", "");
    t.layout = options.GetOr("layout", "");
    t.print = options.Has("print");
    t.printJob.printer = options.GetOr("printer", "");
    t.printJob.copies = Bounded(options, "copies", 1, 9999, 1);
    if (const auto pages = options.Get("pages"))
        PageRange(*pages, t.printJob);
    if (!t.print && (options.Has("printer") || options.Has("pages") || options.Has("copies")))
        throw std::invalid_argument("Volby --printer, --pages a --copies patří k volbě --print.");
    return t;
}

bool WriteReport(const startup::Session& session, ui::UiServices& ui,
                 const pap::ReportHandOver& handOver, const report::TReportTargets& targets,
                 std::ostream& err, std::vector<std::filesystem::path>* written) {
    report::TFontFiles fonts;
    app::PreparedStatement prepared;
    std::vector<std::string> messages;
    const bool ready =
        app::PrepareStatementReport(session, ui, handOver, fonts, prepared, messages);
    for (const std::string& m : messages)
        err << m << "\n";
    if (!ready)
        return false;
    const report::TTargetsResult r =
        report::WriteTargets(prepared.sestava->Output(), fonts, targets);
    for (const auto& file : r.written)
        err << "Sestava: " << file.string() << "\n";
    if (written != nullptr)
        written->insert(written->end(), r.written.begin(), r.written.end());
    for (const std::string& m : r.messages)
        err << m << "\n";
    for (const std::string& e : r.errors)
        err << e << "\n";
    return r.Ok();
}

}  // namespace axo::cli

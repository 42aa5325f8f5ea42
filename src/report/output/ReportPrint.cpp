// Printing through CUPS.
#include "report/output/ReportPrint.h"

#include <algorithm>

#include "report/output/CairoOutput.h"
#include "report/output/OutputFiles.h"
#include "report/output/PaperFormats.h"
#include "report/output/TextGrid.h"
#include "ui/ChildProcess.h"
#include "ui/ListingPrint.h"

namespace axo::report {

namespace {

std::string Trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}

}  // namespace

bool IsTextOnlyPrinter(const std::string& printer) {
    const std::filesystem::path lpoptions = ui::FindProgram("lpoptions", "/usr/bin:/bin");
    if (lpoptions.empty())
        return false;
    std::vector<std::string> args;
    if (!printer.empty())
        args = {"-p", printer};
    const ui::ProgramResult r = ui::RunProgram(lpoptions, args);
    if (!r.started || r.exitCode != 0)
        return false;
    const std::string& o = r.output;
    return o.find("Generic Text-Only") != std::string::npos ||
           o.find("Generic / Text Only") != std::string::npos ||
           o.find("Obecná nebo jen textová") != std::string::npos;
}

std::vector<std::string> ReportLpOptions(const TSestVystup& out, const TPrintJob& job) {
    std::vector<std::string> options;
    if (!job.printer.empty())
        options.insert(options.end(), {"-d", job.printer});
    options.insert(options.end(), {"-t", job.title});
    if (job.textOnly) {
        options.insert(options.end(), {"-o", "raw"});
        return options;
    }
    if (job.copies > 1)
        options.insert(options.end(), {"-n", std::to_string(job.copies)});
    const std::string media = CupsMedia(out.page.paperWidth, out.page.paperHeight);
    if (!media.empty())
        options.insert(options.end(), {"-o", "media=" + media});
    if (out.page.Landscape())
        options.insert(options.end(), {"-o", "orientation-requested=4"});
    return options;
}

int PrintReport(const TSestVystup& out, TFontFiles& fonts, const TPrintJob& job,
                std::string& message) {
    const TPageRange range = ClampPages(job.first, job.last, out.PageCount());
    if (range.Empty()) {
        message = "Nic nebylo vytištěno: sestava má " + std::to_string(out.PageCount()) +
                  " stran a požadovaný rozsah " + std::to_string(job.first) + "-" +
                  std::to_string(job.last) + " žádnou z nich neobsahuje.";
        return kNothingToPrint;
    }
    std::string why;
    const std::filesystem::path lp = ui::PrintProgram(job.printer, why);
    if (lp.empty()) {
        message = why;
        return kNoPrinter;
    }
    std::string data;
    if (job.textOnly) {
        data = GridText(out, range.first, range.last, job.copies, true);
    } else {
        Text error;
        if (!RenderPdf(
                out, fonts, range.first, range.last,
                [&data](std::string_view b) { data.append(b); }, error)) {
            message = ToUtf8(error);
            return kDrawingFailed;
        }
    }
    const ui::ProgramResult r = ui::RunProgram(lp, ReportLpOptions(out, job), data);
    if (!r.started || r.exitCode != 0) {
        message = "Tisk se nezdařil";
        if (r.started)
            message += " (lp skončil s kódem " + std::to_string(r.exitCode) + ")";
        const std::string said = Trimmed(r.errorOutput);
        message += said.empty() ? "." : ": " + said;
        return kPrintFailed;
    }
    message = Trimmed(r.output);
    if (message.empty())
        message = "Odesláno do tiskárny: strany " + std::to_string(range.first) + "-" +
                  std::to_string(range.last) + ".";
    return kPrinted;
}

}  // namespace axo::report

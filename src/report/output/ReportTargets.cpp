// All outputs of a prepared report.
#include "report/output/ReportTargets.h"

#include "report/layout/LayoutDump.h"
#include "report/output/CairoOutput.h"
#include "report/output/HtmlOutput.h"
#include "report/output/MetafileOutput.h"
#include "report/output/OutputFiles.h"
#include "report/output/RtfOutput.h"
#include "report/output/TextGrid.h"
#include "util/SystemError.h"

namespace axo::report {

namespace fs = std::filesystem;

namespace {

/// A directory for files a page: made when missing.
bool Directory(const fs::path& dir, TTargetsResult& r) {
    std::error_code ec;
    if (fs::is_directory(dir, ec))
        return true;
    if (fs::exists(dir, ec)) {
        r.errors.push_back("Adresář " + dir.string() + " nelze použít: je to soubor.");
        return false;
    }
    fs::create_directories(dir, ec);
    if (ec) {
        r.errors.push_back("Adresář " + dir.string() +
                           " nelze založit: " + ToUtf8(SystemErrorText(ec.value())) + ".");
        return false;
    }
    return true;
}

void Outcome(bool ok, const Text& error, TTargetsResult& r) {
    if (!ok)
        r.errors.push_back(ToUtf8(error));
}

}  // namespace

bool TReportTargets::Any() const {
    return !pdf.empty() || !pngDir.empty() || !svgDir.empty() || !html.empty() || !rtf.empty() ||
           !emfDir.empty() || !wmfDir.empty() || !txt.empty() || !layout.empty() || print;
}

TTargetsResult WriteTargets(const TSestVystup& out, TFontFiles& fonts, const TReportTargets& t) {
    TTargetsResult r;
    Text error;
    auto one = [&](const fs::path& file, const std::string& bytes) {
        error.clear();
        const bool ok = WriteOutputFile(file, bytes, error);
        if (ok)
            r.written.push_back(file);
        Outcome(ok, error, r);
    };
    if (!t.layout.empty())
        one(t.layout, DumpPages(out));
    if (out.PageCount() == 0) {
        if (t.Any())
            r.errors.push_back("Sestava nemá žádnou stránku; nic nebylo zapsáno.");
        return r;
    }
    if (!t.pdf.empty()) {
        error.clear();
        const bool ok = WritePdf(out, fonts, t.pdf, error);
        if (ok)
            r.written.push_back(t.pdf);
        Outcome(ok, error, r);
    }
    if (!t.pngDir.empty() && Directory(t.pngDir, r)) {
        error.clear();
        Outcome(WritePngPages(out, fonts, t.pngDir, t.dpi, r.written, error), error, r);
    }
    if (!t.svgDir.empty() && Directory(t.svgDir, r)) {
        error.clear();
        Outcome(WriteSvgPages(out, fonts, t.svgDir, r.written, error), error, r);
    }
    if (!t.html.empty()) {
        error.clear();
        Outcome(WriteHtmlPages(out, fonts, t.html, r.written, error), error, r);
    }
    if (!t.rtf.empty())
        one(t.rtf, RtfDocument(out));
    if (!t.emfDir.empty() && Directory(t.emfDir, r)) {
        error.clear();
        Outcome(WriteMetafilePages(out, fonts, t.emfDir, true, r.written, error), error, r);
    }
    if (!t.wmfDir.empty() && Directory(t.wmfDir, r)) {
        error.clear();
        Outcome(WriteMetafilePages(out, fonts, t.wmfDir, false, r.written, error), error, r);
    }
    if (!t.txt.empty())
        one(t.txt, GridText(out, 1, out.PageCount()));
    if (t.print) {
        std::string message;
        const int result = PrintReport(out, fonts, t.printJob, message);
        (result == kPrinted ? r.messages : r.errors).push_back(message);
    }
    return r;
}

}  // namespace axo::report

// Every output a prepared report can be written to in one call: PDF, PNG and SVG pages, HTML
// pages, RTF, EMF/WMF pages, the character grid as a text file, the page model as text, and a
// print job. The command line and the desktop program's export both go through it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "report/layout/PageModel.h"
#include "report/output/FontFiles.h"
#include "report/output/ReportPrint.h"

namespace axo::report {

struct TReportTargets {
    std::filesystem::path pdf;     ///< one file
    std::filesystem::path pngDir;  ///< one file a page
    int dpi = 100;
    std::filesystem::path svgDir;
    std::filesystem::path html;  ///< page n as the name with n before its extension
    std::filesystem::path rtf;
    std::filesystem::path emfDir;
    std::filesystem::path wmfDir;
    std::filesystem::path txt;     ///< the character grid
    std::filesystem::path layout;  ///< the page model as text
    bool print = false;
    TPrintJob printJob;

    bool Any() const;
};

/// What writing the targets did: the files written, the answers of the print job, and the
/// Czech message of every failure (a failed target leaves no file under its name).
struct TTargetsResult {
    std::vector<std::filesystem::path> written;
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    bool Ok() const { return errors.empty(); }
};

/// Writes every target asked for; a failure of one does not stop the others.
TTargetsResult WriteTargets(const TSestVystup& out, TFontFiles& fonts,
                            const TReportTargets& targets);

}  // namespace axo::report

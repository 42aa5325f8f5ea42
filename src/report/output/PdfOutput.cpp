// The PDF of a page range.
#include "report/output/PdfOutput.h"

#include "report/output/OutputFiles.h"
#include "report/output/PageDraw.h"
#include "report/output/PdfCanvas.h"
#include "report/output/PdfDocument.h"
#include "util/AtomicFile.h"

namespace axo::report {

namespace {

constexpr double kPointsPerUnit = 72.0 / kUnitsPerInch;

}  // namespace

bool RenderPdf(const TSestVystup& out, TFontFiles& fonts, int first, int last,
               const std::function<void(std::string_view)>& sink, Text& error) {
    const TPageRange range = ClampPages(first, last, out.PageCount());
    const double height = out.page.OrientedHeight();
    TPdfDocument document(sink, out.page.OrientedWidth() * kPointsPerUnit, height * kPointsPerUnit);
    for (int p = range.first; p <= range.last; ++p) {
        TPdfCanvas canvas(document, fonts, height, out.page.marginLeft, out.page.marginTop);
        DrawSheet(out, p - 1, canvas, fonts);
        document.AddPage(canvas.Content() + "Q\n");
    }
    return document.Finish(error);
}

bool WritePdf(const TSestVystup& out, TFontFiles& fonts, const std::filesystem::path& file,
              Text& error, int first, int last) {
    AtomicFile f;
    if (!f.Create(file)) {
        error = WriteErrorText(file, f.Error());
        return false;
    }
    if (!RenderPdf(
            out, fonts, first, last, [&f](std::string_view b) { f.Write(b); }, error))
        return false;
    if (!f.Commit()) {
        error = WriteErrorText(file, f.Error());
        return false;
    }
    return true;
}

}  // namespace axo::report

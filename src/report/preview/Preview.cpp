// The print preview.
#include "report/preview/Preview.h"

#include <stdlib.h>

#include <algorithm>
#include <cctype>

#include "report/model/CharClass.h"
#include "report/output/CairoOutput.h"
#include "report/output/HtmlOutput.h"
#include "report/output/MetafileOutput.h"
#include "report/output/OutputFiles.h"
#include "report/output/PdfOutput.h"
#include "report/output/ReportPrint.h"
#include "report/output/ReportTargets.h"
#include "report/preview/PrintDialog.h"
#include "storage/WorkFiles.h"
#include "ui/UiServices.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::report {

namespace fs = std::filesystem;

int ZoomStepFor(int percent) {
    const double p = percent / 50.0;
    for (std::size_t i = 0; i + 1 < kZoomFactors.size(); ++i)
        if (p < kZoomFactors[i] + kZoomFactors[i + 1])
            return static_cast<int>(i);
    return static_cast<int>(kZoomFactors.size()) - 1;
}

Text ZoomCaption(int step) {
    step = std::clamp(step, 0, static_cast<int>(kZoomFactors.size()) - 1);
    const int percent =
        static_cast<int>(kZoomFactors[static_cast<std::size_t>(step)] * 100.0 + 0.5);
    return IntToText(percent) + " %"_t;
}

Text SaveCaption(SaveKind kind) {
    switch (kind) {
        case SaveKind::Text:
            return "Textový soubor..."_t;
        case SaveKind::Rtf:
            return "Soubor ve formátu RTF..."_t;
        case SaveKind::MetafileCurrent:
            return "Aktuální stránku jako EMF/WMF..."_t;
        case SaveKind::MetafileAll:
            return "Všechny stránky jako EMF/WMF..."_t;
        case SaveKind::HtmlCurrent:
            return "Aktuální stránku jako HTML..."_t;
        case SaveKind::HtmlAll:
            return "Všechny stránky jako HTML..."_t;
        case SaveKind::Pdf:
            return "Uložit jako PDF..."_t;
    }
    return {};
}

SaveDialog SaveDialogFor(SaveKind kind) {
    const Text title = "Výběr souboru"_t;
    switch (kind) {
        case SaveKind::Text:
            return {title, "Textový soubor (*.txt)|*.TXT|Všechny soubory (*.*)|*.*"_t, "txt"_t};
        case SaveKind::Rtf:
            return {title, "Soubor RTF (*.rtf)|*.RTF|Všechny soubory (*.*)|*.*"_t, "rtf"_t};
        case SaveKind::MetafileCurrent:
        case SaveKind::MetafileAll:
            return {title, "Enhanced meta file (*.emf)|*.EMF|Windows meta file (*.wmf)|*.WMF"_t,
                    "wmf"_t};
        case SaveKind::HtmlCurrent:
        case SaveKind::HtmlAll:
            return {title, "Soubor HTML (*.html)|*.HTML|Všechny soubory (*.*)|*.*"_t, "html"_t};
        case SaveKind::Pdf:
            return {title, "Soubor PDF (*.pdf)|*.PDF|Všechny soubory (*.*)|*.*"_t, "pdf"_t};
    }
    return {};
}

fs::path SaveName(const fs::path& chosen, const Text& defaultExtension) {
    // Only the file's own name is lower-cased: directories are found as they are spelled.
    Text name = storage::TextFromPath(chosen.filename());
    for (char& c : name)
        c = static_cast<char>(LowerOf(static_cast<unsigned char>(c)));
    fs::path result = chosen.parent_path() / storage::PathFromText(name);
    if (!result.has_extension() && !defaultExtension.empty())
        result += "." + ToUtf8(defaultExtension);
    return result;
}

TFormSestP::TFormSestP(ui::UiServices& ui, TSestVystup& out, TFontFiles& fonts,
                       const TPreviewOptions& options)
    : ui_(ui), out_(out), fonts_(fonts), options_(options) {
    const int count = std::max(1, out_.PageCount());
    first_ = std::clamp(out_.startPage, 1, count);
    last_ = std::clamp(out_.endPage, first_, count);
    current_ = first_;
    zoomStep_ = ZoomStepFor(options.zoomPercent);
    printers = InstalledPrinters;
    print = [this](const TSestVystup& o, const TPrintJob& job, std::string& message) {
        return PrintReport(o, fonts_, job, message);
    };
}

void TFormSestP::First() {
    current_ = first_;
}
void TFormSestP::Prior() {
    if (CanPrior())
        --current_;
}
void TFormSestP::Next() {
    if (CanNext())
        ++current_;
}
void TFormSestP::Last() {
    current_ = last_;
}

void TFormSestP::GoToPage(int n) {
    current_ = std::clamp(n, 1, std::max(1, PageCount()));
}

void TFormSestP::AskPage() {
    Text value = IntToText(first_);
    if (ui_.PromptValue("Stránka číslo:"_t, "Výběr stránky"_t, value, false, false, 5, 5) !=
        ui::kCloseConfirm)
        return;
    GoToPage(static_cast<int>(TextToInt(Trim(value))));
}

void TFormSestP::SetZoomStep(int step) {
    zoomStep_ = std::clamp(step, 0, static_cast<int>(kZoomFactors.size()) - 1);
    ClampScroll();
}

int TFormSestP::PaperWidth() const {
    return static_cast<int>(out_.page.OrientedWidth() * kScreenDpi / 100.0 * Zoom() + 0.5);
}

int TFormSestP::PaperHeight() const {
    return static_cast<int>(out_.page.OrientedHeight() * kScreenDpi / 100.0 * Zoom() + 0.5);
}

void TFormSestP::SetViewport(int width, int height) {
    viewWidth_ = std::max(0, width);
    viewHeight_ = std::max(0, height);
    ClampScroll();
}

void TFormSestP::ScrollBy(int dx, int dy) {
    scrollX_ += dx;
    scrollY_ += dy;
    ClampScroll();
}

void TFormSestP::ClampScroll() {
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, PaperWidth() - viewWidth_));
    scrollY_ = std::clamp(scrollY_, 0, std::max(0, PaperHeight() - viewHeight_));
}

int TFormSestP::PaperLeft() const {
    return PaperWidth() < viewWidth_ ? (viewWidth_ - PaperWidth()) / 2 : -scrollX_;
}

int TFormSestP::PaperTop() const {
    return PaperHeight() < viewHeight_ ? (viewHeight_ - PaperHeight()) / 2 : -scrollY_;
}

bool TFormSestP::PageImage(TPageImage& image) const {
    const int dpi = std::max(1, static_cast<int>(kScreenDpi * Zoom() + 0.5));
    return report::PageImage(out_, fonts_, current_, dpi, image);
}

bool TFormSestP::Key(PreviewKey key) {
    switch (key) {
        case PreviewKey::Esc:
            options_.editAllowed ? Edit() : Close();
            return true;
        case PreviewKey::CtrlE:
            if (!options_.editAllowed)
                return false;
            Edit();
            return true;
        case PreviewKey::CtrlP:
        case PreviewKey::CtrlT:
            Print();
            return true;
        case PreviewKey::CtrlPageUp:
            First();
            return true;
        case PreviewKey::PageUp:
            Prior();
            return true;
        case PreviewKey::PageDown:
            Next();
            return true;
        case PreviewKey::CtrlPageDown:
            Last();
            return true;
        case PreviewKey::Up:
            ScrollBy(0, -kScrollIncrement);
            return true;
        case PreviewKey::Down:
            ScrollBy(0, kScrollIncrement);
            return true;
        case PreviewKey::Left:
            ScrollBy(-kScrollIncrement, 0);
            return true;
        case PreviewKey::Right:
            ScrollBy(kScrollIncrement, 0);
            return true;
    }
    return false;
}

void TFormSestP::Wheel(int notches, bool ctrl) {
    if (dragging_) {
        // Towards the user (down) turns to the next page.
        for (int i = 0; i < std::abs(notches); ++i)
            notches < 0 ? Next() : Prior();
        return;
    }
    if (ctrl) {
        SetZoomStep(zoomStep_ + notches);
        return;
    }
    ScrollBy(0, -notches * 3 * kScrollIncrement);
}

void TFormSestP::BeginDrag(int x, int y) {
    dragging_ = true;
    dragX_ = x;
    dragY_ = y;
}

void TFormSestP::DragTo(int x, int y) {
    if (!dragging_)
        return;
    // The paper follows the mouse: moving right shows more of its left side.
    ScrollBy(dragX_ - x, dragY_ - y);
    dragX_ = x;
    dragY_ = y;
}

void TFormSestP::EndDrag() {
    dragging_ = false;
}

Text TFormSestP::CloseHint() const {
    return options_.editAllowed ? "Ukončit opravu předlohy"_t : "Zavřít náhled"_t;
}

void TFormSestP::Close() {
    closed_ = true;
    result_ = true;
}

void TFormSestP::Edit() {
    if (!options_.editAllowed)
        return;
    closed_ = true;
    result_ = false;
}

void TFormSestP::UserCommand() {
    if (options_.userCommandVisible && onUserCommand)
        onUserCommand(current_ - 1);
}

int TFormSestP::Print() {
    TPrintDialogTyp dialog;
    dialog.showTemplate = false;
    dialog.showPreview = false;
    dialog.printers = printers ? printers() : std::vector<std::string>();
    dialog.fromPage = first_;
    dialog.toPage = last_;
    dialog.copies = std::max(1, out_.copies);
    dialog.background = out_.printBackground ? 1 : 0;
    if (RunPrintDialog(ui_, dialogEnvironment, dialog) != kDialogPrint)
        return kNothingToPrint;
    if (dialog.printers.empty()) {
        ui_.ShowMessage(ui::MessageKind::Info, "V systému není nainstalovaná žádná tiskárna."_t);
        return kNoPrinter;
    }
    TPrintJob job;
    job.printer = dialog.PrinterName();
    job.first = dialog.currentPage ? current_ : dialog.fromPage;
    job.last = dialog.currentPage ? current_ : dialog.toPage;
    job.copies = dialog.copies;
    out_.printBackground = dialog.background != 0;
    if (dialog.toFile) {
        // Printing to a file: the pages of the range as a PDF the user names.
        ui::FileDialogRequest request;
        request.title = "Výběr souboru"_t;
        request.filter = "*.pdf"_t;
        request.filterName = "Soubor PDF"_t;
        request.defaultExtension = "pdf"_t;
        request.save = true;
        const std::optional<Text> chosen = ui_.RunFileDialog(request);
        if (!chosen)
            return kNothingToPrint;
        Text error;
        if (!WritePdf(out_, fonts_, SaveName(storage::PathFromText(*chosen), "pdf"_t), error,
                      job.first, job.last)) {
            ui_.ShowError(error);
            return kPrintFailed;
        }
        return kPrinted;
    }
    job.textOnly = IsTextOnlyPrinter(job.printer);
    std::string message;
    const int result = print(out_, job, message);
    if (result != kPrinted && !message.empty())
        ui_.ShowError(FromUtf8(message));
    return result;
}

bool TFormSestP::Save(SaveKind kind) {
    const SaveDialog d = SaveDialogFor(kind);
    ui::FileDialogRequest request;
    request.title = d.title;
    request.filterName = d.filter.substr(0, d.filter.find('|'));
    request.filter = "*."_t + d.defaultExtension;
    request.defaultExtension = d.defaultExtension;
    request.save = true;
    const std::optional<Text> chosen = ui_.RunFileDialog(request);
    if (!chosen)
        return false;
    return SaveTo(kind, storage::PathFromText(*chosen));
}

bool TFormSestP::SendPdfByMail() {
    if (!sendPdf)
        return false;
    std::error_code ec;
    std::string directory = (fs::temp_directory_path(ec) / "axo-sestava-XXXXXX").string();
    if (::mkdtemp(directory.data()) == nullptr) {
        ui_.ShowError("Dočasný adresář pro PDF sestavy nelze založit."_t);
        return false;
    }
    const fs::path pdf = fs::path(directory) / "sestava.pdf";
    const bool saved = SaveTo(SaveKind::Pdf, pdf);
    if (saved)
        sendPdf(pdf);
    fs::remove_all(directory, ec);
    return saved;
}

bool TFormSestP::SaveTo(SaveKind kind, const fs::path& chosen) {
    const fs::path file = SaveName(chosen, SaveDialogFor(kind).defaultExtension);
    const int shown = current_;
    Text error;
    bool ok = true;
    std::vector<fs::path> written;
    // One page alone, for the items of the current page.
    auto currentOnly = [this] {
        TSestVystup one = out_;
        one.pages.assign(1, out_.pages[static_cast<std::size_t>(current_ - 1)]);
        return one;
    };
    if (out_.PageCount() == 0) {
        ui_.ShowError("Sestava nemá žádnou stránku."_t);
        return false;
    }
    switch (kind) {
        case SaveKind::Text:
        case SaveKind::Rtf: {
            TReportTargets targets;
            (kind == SaveKind::Text ? targets.txt : targets.rtf) = file;
            const TTargetsResult r = WriteTargets(out_, fonts_, targets);
            ok = r.Ok();
            if (!ok)
                error = FromUtf8(r.errors.front());
            break;
        }
        case SaveKind::MetafileCurrent:
        case SaveKind::MetafileAll: {
            const int from = kind == SaveKind::MetafileCurrent ? current_ : 1;
            const int to = kind == SaveKind::MetafileCurrent ? current_ : out_.PageCount();
            for (int page = from; ok && page <= to; ++page) {
                bool enhanced = true;
                fs::path name = MetafilePageName(file, page, enhanced);
                if (kind == SaveKind::MetafileCurrent)
                    name = file;
                ok = WriteOutputFile(name, PageMetafile(out_, fonts_, page, enhanced), error);
            }
            break;
        }
        case SaveKind::HtmlCurrent:
            ok = WriteHtmlPages(currentOnly(), fonts_, file, written, error);
            break;
        case SaveKind::HtmlAll:
            ok = WriteHtmlPages(out_, fonts_, file, written, error);
            break;
        case SaveKind::Pdf:
            ok = WritePdf(out_, fonts_, file, error);
            break;
    }
    current_ = shown;
    if (!ok)
        ui_.ShowError(error.empty() ? "Soubor nelze zapsat."_t : error);
    return ok;
}

}  // namespace axo::report

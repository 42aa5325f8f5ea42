// The print preview of prepared pages ("Prohlížení sestavy před tiskem"): the page range and the
// page shown, the zoom steps, the paper's size on screen and where it is scrolled to, the
// commands of the tool column, the keys, the wheel and the drag with the middle button, and
// the save menu. The model knows no window toolkit: the desktop program draws it and feeds it
// the user's input, the scripted front end drives it from test steps.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <vector>

#include "report/layout/PageModel.h"
#include "report/output/FontFiles.h"
#include "ui/DialogElement.h"
#include "util/Text.h"

namespace axo::ui {
class UiServices;
}

namespace axo::report {

struct TPageImage;
struct TPrintJob;

/// The zoom steps: step 0 is 32 %, step 6 100 %, step 10 300 %.
inline constexpr std::array<double, 11> kZoomFactors = {0.32, 0.40, 0.50, 0.64, 0.75, 0.83,
                                                        1.0,  1.2,  1.5,  2.0,  3.0};
inline constexpr int kDefaultZoomStep = 6;
/// What an arrow key scrolls, in pixels.
inline constexpr int kScrollIncrement = 16;
/// The screen's pixels per inch the paper is shown at (at 100 %).
inline constexpr int kScreenDpi = 96;

/// The step of a zoom percentage: the first step i (0-9) for which p / 50 is below the sum of
/// the factors of steps i and i + 1, else 10.
int ZoomStepFor(int percent);
/// The caption of a step's action: "32 %" ... "300 %".
Text ZoomCaption(int step);

/// How the preview is opened.
struct TPreviewOptions {
    int zoomPercent = 100;
    bool maximised = true;
    bool editAllowed = false;
    /// The host's own command in the tool column (hidden unless the host asks).
    bool userCommandVisible = false;
    Text userCommandHint;
};

/// The keys the preview handles.
enum class PreviewKey {
    Esc,
    CtrlE,
    CtrlP,
    CtrlT,
    CtrlPageUp,
    PageUp,
    PageDown,
    CtrlPageDown,
    Up,
    Down,
    Left,
    Right
};

/// The items of the save menu "Uložit do souboru".
enum class SaveKind { Text, Rtf, MetafileCurrent, MetafileAll, HtmlCurrent, HtmlAll, Pdf };
inline constexpr std::array<SaveKind, 7> kSaveKinds = {
    SaveKind::Text,        SaveKind::Rtf,         SaveKind::MetafileCurrent,
    SaveKind::MetafileAll, SaveKind::HtmlCurrent, SaveKind::HtmlAll,
    SaveKind::Pdf};
/// The caption of a save menu item ("Textový soubor...", ..., "Uložit jako PDF...").
Text SaveCaption(SaveKind kind);

/// What the file dialog of a save item asks: title "Výběr souboru", the filter text of the
/// item and its default extension.
struct SaveDialog {
    Text title;
    Text filter;            ///< "Textový soubor (*.txt)|*.TXT|Všechny soubory (*.*)|*.*"
    Text defaultExtension;  ///< "txt", "rtf", "wmf", "html", "pdf"
};
SaveDialog SaveDialogFor(SaveKind kind);

/// The name a chosen file is saved under: its file name lower-cased (the directories stay as
/// they are, for they exist as typed), and the default extension when it has none.
std::filesystem::path SaveName(const std::filesystem::path& chosen, const Text& defaultExtension);

class TFormSestP {
  public:
    /// The preview of `out` (its StartPage/EndPage decide the range) drawn with `fonts`.
    /// `ui` asks the go-to-page prompt, the file dialog, the print dialog and shows messages.
    TFormSestP(ui::UiServices& ui, TSestVystup& out, TFontFiles& fonts,
               const TPreviewOptions& options = {});

    // ---- Pages ------------------------------------------------------------------------------
    int PageCount() const { return out_.PageCount(); }
    int FirstPage() const { return first_; }  ///< the range, from 1
    int LastPage() const { return last_; }
    int CurrentPage() const { return current_; }
    bool CanFirst() const { return current_ > first_; }
    bool CanPrior() const { return current_ > first_; }
    bool CanNext() const { return current_ < last_; }
    bool CanLast() const { return current_ < last_; }
    void First();
    void Prior();
    void Next();
    void Last();
    /// Shows page n, clamped to 1 ... page count.
    void GoToPage(int n);
    /// "Zobrazit stránku ...": asks "Stránka číslo:" (title "Výběr stránky"), prefilled with
    /// the first page of the range, and shows the page.
    void AskPage();

    // ---- Zoom, paper and scrolling ----------------------------------------------------------
    int ZoomStep() const { return zoomStep_; }
    double Zoom() const { return kZoomFactors[static_cast<std::size_t>(zoomStep_)]; }
    void SetZoomStep(int step);  ///< clamped to 0 ... 10
    /// The paper panel in screen pixels at the zoom (the oriented paper).
    int PaperWidth() const;
    int PaperHeight() const;
    /// The part of the paper shown: the viewport's size (the front end tells it), the scroll
    /// position clamped to what the paper leaves, and the paper's offset when it is smaller
    /// than the viewport (centred).
    void SetViewport(int width, int height);
    int ScrollX() const { return scrollX_; }
    int ScrollY() const { return scrollY_; }
    void ScrollBy(int dx, int dy);
    int PaperLeft() const;
    int PaperTop() const;
    /// The current page as pixels at the zoom; false when it cannot be drawn.
    bool PageImage(TPageImage& image) const;

    // ---- Input ------------------------------------------------------------------------------
    /// A key; false when the preview does not handle it.
    bool Key(PreviewKey key);
    /// The wheel turned by `notches` (positive away from the user). With Ctrl it zooms one
    /// step a notch; while the middle button drags it turns pages (towards the user = next);
    /// otherwise it scrolls the paper.
    void Wheel(int notches, bool ctrl);
    /// The middle button: pressed at, moved to, released. The paper moves with the mouse.
    void BeginDrag(int x, int y);
    void DragTo(int x, int y);
    void EndDrag();
    bool Dragging() const { return dragging_; }

    // ---- Commands ---------------------------------------------------------------------------
    bool EditAllowed() const { return options_.editAllowed; }
    /// The close command's hint: "Ukončit opravu předlohy" when editing is allowed.
    Text CloseHint() const;
    /// Closes the window normally.
    void Close();
    /// Closes it asking to return to the designer (when editing is allowed).
    void Edit();
    /// "Tisk náhledu...": the print dialog, then the print. Returns the print's outcome code
    /// (0 printed, 3 left the dialog or nothing printed, 4 no printer, 5/6 failed).
    int Print();
    /// The host's command: `onUserCommand` with the current page index (from 0).
    void UserCommand();
    std::function<void(int pageIndex)> onUserCommand;
    bool UserCommandVisible() const { return options_.userCommandVisible; }
    const Text& UserCommandHint() const { return options_.userCommandHint; }
    /// A save item: the file dialog, then the output; false when left or failed (after the
    /// message). The page shown stays the one shown before.
    bool Save(SaveKind kind);
    /// The output of a save item into a chosen file (no dialog).
    bool SaveTo(SaveKind kind, const std::filesystem::path& chosen);

    /// "Odeslat e-mailem jako PDF...": the pages as a PDF in a temporary file handed to
    /// `sendPdf`, then removed; false when there is no sender or the PDF failed (after the
    /// message).
    bool SendPdfByMail();
    /// Sends a PDF of the report by e-mail (the host asks for the recipient); none: the
    /// preview offers no mail.
    std::function<void(const std::filesystem::path& pdf)> sendPdf;

    bool Closed() const { return closed_; }
    /// What the window answers: true when closed normally, false to return to the designer.
    bool Result() const { return result_; }
    bool Maximised() const { return options_.maximised; }

    /// The print dialog's printers and the print itself, replaceable for tests: by default the
    /// CUPS destinations and PrintReport.
    std::function<std::vector<std::string>()> printers;
    std::function<int(const TSestVystup&, const TPrintJob&, std::string& message)> print;
    /// The program date and checks of the print dialog's fields.
    ui::DialogEnvironment dialogEnvironment;

    const TSestVystup& Output() const { return out_; }
    ui::UiServices& Ui() const { return ui_; }

  private:
    ui::UiServices& ui_;
    TSestVystup& out_;
    TFontFiles& fonts_;
    TPreviewOptions options_;
    int first_ = 1, last_ = 1, current_ = 1;
    int zoomStep_ = kDefaultZoomStep;
    int viewWidth_ = 0, viewHeight_ = 0;
    int scrollX_ = 0, scrollY_ = 0;
    bool dragging_ = false;
    int dragX_ = 0, dragY_ = 0;
    bool closed_ = false;
    bool result_ = true;

    void ClampScroll();
};

}  // namespace axo::report

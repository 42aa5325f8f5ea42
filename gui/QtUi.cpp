// The UI services drawn with Qt Widgets.
#include "QtUi.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>

#include "BrowseWindow.h"
#include "DialogWindow.h"
#include "HelpWindows.h"
#include "ListWindow.h"
#include "ListingViewer.h"
#include "MessageWindows.h"
#include "ProgressWindow.h"
#include "QtText.h"
#include "ReportPreview.h"

namespace axo::gui {

QtUi::QtUi() = default;

QtUi::~QtUi() = default;

QWidget* QtUi::OwnerWindow() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return surface_ ? surface_->Widget() : nullptr;
}

ui::Desktop QtUi::GetDesktop() const {
    ui::Desktop desktop;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect g = screen->availableGeometry();
        desktop.screen = {g.x(), g.y(), g.width(), g.height()};
    }
    if (surface_ && surface_->Widget() && surface_->Widget()->isVisible()) {
        const QRect g = surface_->Widget()->frameGeometry();
        desktop.mainWindow = {g.x(), g.y(), g.width(), g.height()};
    } else {
        const ui::Rect& s = desktop.screen;
        desktop.mainWindow = {s.x + (s.width - 640) / 2, s.y, 640, 475};
    }
    return desktop;
}

int QtUi::RunMessage(const ui::MessageWindow& window) {
    return ShowMessageWindow(*this, window);
}

std::unique_ptr<ui::ModelessWindow> QtUi::OpenModeless(const ui::MessageWindow& window) {
    return OpenModelessWindow(*this, window);
}

int QtUi::RunDecision(const ui::DecisionWindow& window) {
    return ShowDecisionWindow(*this, window);
}

int QtUi::RunPrompt(const ui::PromptWindow& window, Text& value) {
    return ShowPromptWindow(*this, window, value);
}

void QtUi::ShowStatus(int panel, const Text& text) {
    if (surface_)
        surface_->SetStatusText(panel, Q(text));
}

void QtUi::SetMenuEnabled(bool enabled) {
    if (surface_)
        surface_->SetCommandsEnabled(enabled);
}

void QtUi::ProcessEvents() {
    QCoreApplication::processEvents();
}

std::unique_ptr<ui::ProgressView> QtUi::OpenProgress(const ui::ProgressState& state) {
    Record({"progress", Q(state.caption), {Q(state.message)}});
    return OpenProgressPanel(OwnerWindow(), state);
}

ui::WaitOutcome QtUi::RunWait(const ui::WaitWindow& window) {
    return ShowWaitWindow(*this, window);
}

void QtUi::RunReport(const ui::ReportWindow& window, const std::function<void()>& print) {
    ShowReportWindow(*this, window, print);
}

void QtUi::Terminate(int exitCode) {
    // The program ends at once: no window is closed and no file is flushed by the program.
    std::_Exit(exitCode);
}

int QtUi::RunDialogWindow(ui::TDialogAXO& dialog) {
    return RunDialogModel(*this, dialog);
}

bool QtUi::RunCalendar(ui::TKalendarAXO& calendar) {
    return RunCalendarModel(*this, calendar);
}

bool QtUi::RunCalculator(ui::TKalkulatorAXO& calculator) {
    return RunCalculatorModel(*this, calculator);
}

std::optional<Text> QtUi::RunFileDialog(const ui::FileDialogRequest& request) {
    Record({"file", Q(request.title), {Q(request.startDirectory)}});
    QWidget* owner = OwnerWindow();
    QString chosen;
    if (request.chooseDirectory) {
        chosen =
            QFileDialog::getExistingDirectory(owner, Q(request.title), Q(request.startDirectory));
    } else {
        QString filter = Q(request.filter).isEmpty() ? QString("*.*") : Q(request.filter);
        if (!request.filterName.empty())
            filter = Q(request.filterName) + " (" + filter + ")";
        QFileDialog dialog(owner, Q(request.title), Q(request.startDirectory), filter);
        if (!request.fileName.empty())
            dialog.selectFile(Q(request.fileName));
        if (request.save) {
            // The program asks itself before it overwrites a file.
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
            dialog.setFileMode(QFileDialog::AnyFile);
        } else {
            dialog.setFileMode(QFileDialog::ExistingFile);
        }
        dialog.setDefaultSuffix(Q(request.defaultExtension));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().front();
    }
    if (chosen.isEmpty())
        return std::nullopt;
    return T(chosen);
}

void QtUi::ShowListing(const ui::ListingView& listing, const std::function<void()>& output) {
    ShowListingViewer(*this, listing, output);
}

int QtUi::RunListWindow(ui::TRolMem& window) {
    return RunListModel(*this, window);
}

int QtUi::RunBrowseWindow(ui::TBrowser& window) {
    return RunBrowseModel(*this, window);
}

void QtUi::RunReportPreview(report::TFormSestP& preview) {
    RunPreviewModel(*this, preview);
}

}  // namespace axo::gui

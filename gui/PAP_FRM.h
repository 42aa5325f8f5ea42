// The main window `TPAP_Form`: the main menu, the tool panel `PanelNastroju` with the date button
// `Button_Datum` and the exit button `Button_Odchod`, the about button, and the status bar with
// its three panels. Its behaviour lives in app::PapForm; this class draws it and forwards the
// user's actions.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <functional>
#include <map>

#include "QtUi.h"
#include "app/PapForm.h"

namespace axo::gui {

class TPAP_Form : public QMainWindow, public app::FormView, public MainWindowSurface {
  public:
    TPAP_Form(startup::Session& session, QtUi& ui);
    ~TPAP_Form() override;

    app::PapForm& Form() { return form_; }
    /// The action of a menu item by its name ("itemVykaz01", "Konec").
    QAction* Item(const std::string& name) const;
    /// The top-level entries of the main menu in order (menus and "Konec").
    QList<QAction*> MenuEntries() const;
    QWidget* PanelNastroju() const { return panel_; }
    QPushButton* AboutButton() const { return about_; }
    /// What happens when the window is closed while a process runs and the user confirmed:
    /// the program ends at once (tests replace it).
    std::function<void()> onForcedEnd;

    // app::FormView
    void ShowToolPanel() override;
    void CreateAboutButton() override;
    void SetItemCaption(app::CommandId command, const Text& caption) override;
    void CloseWindow() override;

    // MainWindowSurface
    QWidget* Widget() override { return this; }
    void SetStatusText(int panel, const QString& text) override;
    void SetCommandsEnabled(bool enabled) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QtUi& ui_;
    startup::Session& session_;
    app::PapForm form_;
    std::map<std::string, QAction*> items_;
    std::map<app::CommandId, QAction*> commands_;
    QWidget* central_ = nullptr;
    QWidget* panel_ = nullptr;
    QPushButton* buttonDatum_ = nullptr;
    QPushButton* buttonOdchod_ = nullptr;
    QPushButton* about_ = nullptr;
    QLabel* status_[3] = {};
    /// The start-up has succeeded: until then the menu and the tool panel stay disabled.
    bool startedUp_ = false;

    void FormCreate();
    void BuildMenu();
    void BuildToolPanel();
    void BuildStatusBar();
    void FormResize();
};

}  // namespace axo::gui

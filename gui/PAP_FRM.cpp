// The main window drawn with Qt.
#include "PAP_FRM.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <map>
#include <string>

#include "QtText.h"
#include "WindowGeometry.h"

namespace axo::gui {

namespace {

constexpr int kPanelHeight = 36;
constexpr int kButtonWidth = 34;
constexpr int kButtonHeight = 30;
constexpr int kAboutWidth = 300;
constexpr int kAboutHeight = 150;

/// A menu caption for Qt: "&" would mark an accelerator there.
QString MenuText(const Text& caption) {
    return Q(caption).replace("&", "&&");
}

/// The access letter of each top-level menu (<Alt> with it opens the menu).
QString WithAccessLetter(const std::string& menuName, QString text) {
    static const std::map<std::string, QChar> kLetters = {{"itemVykazy", u'V'},
                                                          {"itemXML", u'E'},
                                                          {"itemKontroly", u'K'},
                                                          {"itemCiselniky", u'Č'},
                                                          {"Konec", u'o'}};
    const auto letter = kLetters.find(menuName);
    if (letter == kLetters.end())
        return text;
    const int at = text.indexOf(letter->second, 0, Qt::CaseInsensitive);
    if (at >= 0)
        text.insert(at, '&');
    return text;
}

/// The shortcut of a statement's item: <Ctrl+1> ... <Ctrl+9> for I to IX, <Ctrl+0> for X,
/// <Ctrl+Shift+1> ... <Ctrl+Shift+6> for XI to XVI; XVII has none.
QKeySequence StatementShortcut(int statement) {
    if (statement >= 1 && statement <= 9)
        return QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + statement));
    if (statement == 10)
        return QKeySequence(Qt::CTRL | Qt::Key_0);
    if (statement <= 16)
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key(Qt::Key_0 + statement - 10));
    return {};
}

}  // namespace

TPAP_Form::TPAP_Form(startup::Session& session, QtUi& ui)
    : ui_(ui), session_(session), form_(session, *this) {
    onForcedEnd = [&ui] { ui.Terminate(0); };
    setObjectName("PAP_Form");
    setWindowTitle(Q(app::DesignCaption()));
    setWindowIcon(QIcon(":/icons/axo.svg"));
    central_ = new QWidget(this);
    setCentralWidget(central_);
    BuildMenu();
    BuildToolPanel();
    BuildStatusBar();
    ui_.SetMainWindow(this);
    FormCreate();
    // The menu opens only once the start-up has succeeded.
    SetCommandsEnabled(false);
}

TPAP_Form::~TPAP_Form() {
    ui_.SetMainWindow(nullptr);
}

void TPAP_Form::FormCreate() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    const app::WindowPlacement p = form_.FormCreate(screenWidth);
    setWindowTitle(Q(p.caption));
    resize(p.width, p.height);
    move(p.left, p.top);
    // The size of the last run's window, and its place for the first instance: further
    // instances keep the place of their slot, so that they do not cover one another.
    if (const auto remembered = RememberedWindowGeometry(session_.ProgramDirectory())) {
        const QRect fitted = FitOnScreen(
            *remembered, screen ? screen->availableGeometry() : QRect(), minimumSizeHint());
        resize(fitted.size());
        if (session_.WindowSlotNumber() <= 1)
            move(fitted.topLeft());
    }
}

void TPAP_Form::BuildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu");
    for (const app::Menu& menu : app::MainMenuTable()) {
        if (menu.command) {
            QAction* action =
                bar->addAction(WithAccessLetter(menu.command->name, MenuText(menu.caption)));
            action->setObjectName(QString::fromStdString(menu.command->name));
            const app::CommandId command = menu.command->command;
            connect(action, &QAction::triggered, this,
                    [this, command] { form_.ItemClick(command); });
            items_[menu.command->name] = action;
            commands_[command] = action;
            continue;
        }
        QMenu* qmenu = bar->addMenu(WithAccessLetter(menu.name, MenuText(menu.caption)));
        qmenu->setObjectName(QString::fromStdString(menu.name));
        qmenu->menuAction()->setObjectName(QString::fromStdString(menu.name));
        for (const app::MenuItem& item : menu.items) {
            if (item.separatorBefore)
                qmenu->addSeparator();
            QAction* action = qmenu->addAction(MenuText(item.caption));
            action->setObjectName(QString::fromStdString(item.name));
            const app::CommandId command = item.command;
            for (int n = 1; n <= 16; ++n)
                if (command == app::StatementCommand(n))
                    action->setShortcut(StatementShortcut(n));
            // The command runs once the menu has closed, so that its windows are not drawn
            // over a menu still open.
            connect(action, &QAction::triggered, this, [this, command] {
                QTimer::singleShot(0, this, [this, command] { form_.ItemClick(command); });
            });
            items_[item.name] = action;
            commands_[command] = action;
        }
    }
}

void TPAP_Form::BuildToolPanel() {
    auto* panel = new QFrame(central_);
    panel->setObjectName("PanelNastroju");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setToolTip("panel nástrojů");
    panel->setVisible(false);
    panel_ = panel;
    buttonDatum_ = new QPushButton(panel);
    buttonDatum_->setObjectName("Button_Datum");
    buttonDatum_->setIcon(QIcon(":/icons/calendar.svg"));
    buttonDatum_->setIconSize(QSize(22, 22));
    buttonDatum_->setToolTip("nastavení data jen pro program");
    buttonOdchod_ = new QPushButton(panel);
    buttonOdchod_->setObjectName("Button_Odchod");
    buttonOdchod_->setIcon(QIcon(":/icons/exit.svg"));
    buttonOdchod_->setIconSize(QSize(22, 22));
    buttonOdchod_->setToolTip("konec práce v externím modulu");
    for (QPushButton* b : {buttonDatum_, buttonOdchod_}) {
        b->setFixedSize(kButtonWidth, kButtonHeight);
        b->setFocusPolicy(Qt::NoFocus);
    }
    buttonDatum_->move(3, (kPanelHeight - kButtonHeight) / 2);
    connect(buttonDatum_, &QPushButton::clicked, this, [this] { form_.Button_DatumClick(); });
    connect(buttonOdchod_, &QPushButton::clicked, this, [this] { close(); });
}

void TPAP_Form::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(false);
    const int widths[3] = {80, 200, 50};
    for (int i = 0; i < 3; ++i) {
        status_[i] = new QLabel(bar);
        status_[i]->setObjectName(QString("StatusPanel%1").arg(i + 1));
        status_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        status_[i]->setMinimumWidth(widths[i]);
        if (i < 2)
            status_[i]->setFixedWidth(widths[i]);
        if (i == 0)
            status_[i]->setAlignment(Qt::AlignCenter);
        // The process display takes the rest of the bar.
        bar->addWidget(status_[i], i == 2 ? 1 : 0);
    }
}

void TPAP_Form::ShowToolPanel() {
    panel_->setVisible(true);
    FormResize();
}

void TPAP_Form::CreateAboutButton() {
    if (about_)
        return;
    about_ = new QPushButton(central_);
    about_->setObjectName("AboutButton");
    about_->setIcon(QIcon(":/icons/about.svg"));
    about_->setIconSize(QSize(kAboutWidth - 8, kAboutHeight - 8));
    about_->setFixedSize(kAboutWidth, kAboutHeight);
    about_->setToolTip("Informace o systému AXO");
    about_->setFocusPolicy(Qt::NoFocus);
    about_->setFlat(true);
    connect(about_, &QPushButton::clicked, this, [this] { form_.AboutClick(); });
    about_->show();
    FormResize();
}

void TPAP_Form::SetItemCaption(app::CommandId command, const Text& caption) {
    if (const auto it = commands_.find(command); it != commands_.end())
        it->second->setText(MenuText(caption));
}

void TPAP_Form::CloseWindow() {
    // Closing from inside a handler waits until the handler has returned.
    QTimer::singleShot(0, this, [this] { close(); });
}

void TPAP_Form::SetStatusText(int panel, const QString& text) {
    if (panel >= 1 && panel <= 3)
        status_[panel - 1]->setText(text);
}

void TPAP_Form::SetCommandsEnabled(bool enabled) {
    enabled = enabled && startedUp_;
    for (QAction* entry : MenuEntries())
        entry->setEnabled(enabled);
    panel_->setEnabled(enabled);
    if (about_)
        about_->setEnabled(enabled);
}

QAction* TPAP_Form::Item(const std::string& name) const {
    const auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second;
}

QList<QAction*> TPAP_Form::MenuEntries() const {
    return menuBar()->actions();
}

void TPAP_Form::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    // Start-up runs once the window has been drawn, so that it is visible meanwhile.
    if (form_.TakeFirstPaint())
        QTimer::singleShot(0, this, [this] {
            startedUp_ = form_.FormPaint();
            SetCommandsEnabled(ui_.MainMenuEnabled());
        });
}

void TPAP_Form::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TPAP_Form::FormResize() {
    const int width = central_->width();
    panel_->setGeometry(0, 0, width, kPanelHeight);
    buttonOdchod_->move(width - kButtonWidth - 3, (kPanelHeight - kButtonHeight) / 2);
    if (about_) {
        const int top = panel_->isVisible() ? kPanelHeight : 0;
        about_->move((width - kAboutWidth) / 2,
                     top + (central_->height() - top - kAboutHeight) / 2);
    }
}

void TPAP_Form::keyPressEvent(QKeyEvent* event) {
    if (const auto key = ModelKey(*event); key && form_.FormKeyDown(*key))
        return;
    QMainWindow::keyPressEvent(event);
}

void TPAP_Form::closeEvent(QCloseEvent* event) {
    if (!form_.FormCloseQuery()) {
        event->ignore();
        return;
    }
    const bool running = form_.ProcessRunning();
    // A maximised or minimised window keeps the size and place it had before.
    if (isVisible() &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        RememberWindowGeometry(session_.ProgramDirectory(), QRect(pos(), size()));
    form_.FormClose();
    event->accept();
    if (running && onForcedEnd)
        onForcedEnd();
}

}  // namespace axo::gui

// The main window on a demo installation.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "DesktopTest.h"
#include "ModalDriver.h"
#include "PAP_FRM.h"
#include "QtText.h"
#include "QtUi.h"
#include "app/MainMenu.h"
#include "pap/StatementTitles.h"
#include "startup/Session.h"
#include "ui/ProgressPanel.h"
#include "util/Clock.h"
#include "util/Retezce.h"

using axo::gui::ModalDriver;
using axo::gui::Q;

namespace {

/// The desktop program on the test's installation: started as with "--password ucetni --year
/// 2024" on 15 June 2024, and closed (logged out) at the end.
class Program {
  public:
    explicit Program(const QString& home) {
        axo::startup::StartUpOptions options;
        options.password = axo::FromUtf8("ucetni");
        options.yearChoice = axo::startup::StartUpOptions::YearChoice{axo::FromUtf8("2024"), {}};
        session_ = std::make_unique<axo::startup::Session>(ui, clock_, home.toStdString(),
                                                           axo::FromUtf8("0A1B2C3D"), options);
        form = std::make_unique<axo::gui::TPAP_Form>(*session_, ui);
        form->onForcedEnd = [this] { forcedEnd = true; };
        form->show();
    }
    ~Program() {
        form->Form().FormClose();
        form.reset();
        session_.reset();
    }
    bool StartedUp() {
        return QTest::qWaitFor([this] { return form->Form().StartupSucceeded(); }, 20000);
    }
    bool Idle() { return !form->Form().ProcessRunning(); }
    axo::Text FirmDescription() const { return session_->OrganisationDescription(); }
    /// Whether a window of `kind` was shown whose title or lines hold `text`.
    bool WasShown(const std::string& kind, const QString& text) const {
        for (const axo::gui::ShownWindow& w : ui.Shown())
            if (w.kind == kind && (w.title.contains(text) || !w.lines.filter(text).isEmpty()))
                return true;
        return false;
    }

  private:
    axo::FixedClock clock_{axo::DateTime{2024, 6, 15, 9, 0, 0, 0}};

  public:
    axo::gui::QtUi ui;
    std::unique_ptr<axo::gui::TPAP_Form> form;
    bool forcedEnd = false;

  private:
    std::unique_ptr<axo::startup::Session> session_;
};

}  // namespace

void DesktopTest::initTestCase() {
    QVERIFY(home_.isValid());
    QProcess cli;
    cli.start(AXO_CLI_PATH,
              {"demo-install", home_.path() + "/axo", "--year", "2024", "--lines", "200"});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
}

void DesktopTest::mainWindowOpensOnTheInstallation() {
    Program p(home_.path() + "/axo");
    // The menu is closed until the start-up has succeeded.
    for (const QAction* a : p.form->MenuEntries())
        QVERIFY(!a->isEnabled());
    QVERIFY(p.StartedUp());
    for (const QAction* a : p.form->MenuEntries())
        QVERIFY(a->isEnabled());
    QCOMPARE(p.form->windowTitle(), Q(axo::app::ApplicationTitle()));
    QCOMPARE(p.form->size(), QSize(640, 424));
    QVERIFY(p.form->PanelNastroju()->isVisible());
    QVERIFY(p.form->AboutButton() && p.form->AboutButton()->isVisible());
    const auto panels = p.form->statusBar()->findChildren<QLabel*>();
    QStringList texts;
    for (const QLabel* l : panels)
        texts << l->text();
    QVERIFY2(texts.contains("Rok: 2024"), qPrintable(texts.join('|')));
    // The organisation's name after one blank.
    QVERIFY2(texts.contains(" " + Q(axo::TrimRight(p.FirmDescription()))),
             qPrintable(texts.join('|')));
}

void DesktopTest::mainWindowKeepsItsSizeAndPlaceBetweenRuns() {
    // An installation of its own, so that the other tests open the window at its first size.
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcess cli;
    cli.start(AXO_CLI_PATH, {"demo-install", home.path(), "--year", "2024", "--lines", "10"});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        QPoint place;
        QSize size;
        QRect expected;  ///< as the next run opens it
    } cases[] = {
        {{30, 40}, {700, 480}, {30, 40, 700, 480}},
        {{5, 6}, {640, 424}, {5, 6, 640, 424}},
        // Left partly outside the screen: the next run opens it inside.
        {{screen.right() - 100, 10}, {500, 400}, {screen.right() + 1 - 500, 10, 500, 400}},
    };
    for (const Case& c : cases) {
        {
            Program p(home.path());
            QVERIFY(p.StartedUp());
            p.form->resize(c.size);
            p.form->move(c.place);
            QVERIFY(p.form->close());
        }
        Program p(home.path());
        QCOMPARE(QRect(p.form->pos(), p.form->size()), c.expected);
        QVERIFY(p.StartedUp());
    }
}

void DesktopTest::menusCarryTheExactCaptions() {
    Program p(home_.path() + "/axo");
    QVERIFY(p.StartedUp());
    QStringList entries;
    for (const QAction* a : p.form->MenuEntries())
        entries << a->text();
    // Each menu has its access letter (<Alt+V> opens " Výkazy ").
    QCOMPARE(entries, QStringList({" &Výkazy ", "&Exporty", " &Kontrolní chody ", " &Číselníky ",
                                   "  K&onec  "}));
    // Statements I to XVI have shortcuts.
    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"itemVykaz01", QKeySequence(Qt::CTRL | Qt::Key_1)},
        {"itemVykaz09", QKeySequence(Qt::CTRL | Qt::Key_9)},
        {"itemVykaz10", QKeySequence(Qt::CTRL | Qt::Key_0)},
        {"itemVykaz16", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_6)},
        {"itemVykaz17", QKeySequence()}};
    for (const auto& [name, shortcut] : shortcuts)
        QCOMPARE(p.form->Item(name)->shortcut(), shortcut);
    for (int n = 1; n <= 17; ++n) {
        const std::string name = (n < 10 ? "itemVykaz0" : "itemVykaz") + std::to_string(n);
        QCOMPARE(p.form->Item(name)->text(), Q(axo::pap::StatementCaption(n)));
    }
    QCOMPARE(p.form->Item("itemVykaz16")->text(),
             QString("  XVI. Počáteční a koncové stavy na vybraných podrozvahových účtech v "
                     "členění podle jednotlivých partnerů podrozvahového účtu"));
    QCOMPARE(p.form->Item("itemKontrolaUR")->text(), QString("Kontrola účetních záznamů"));
}

void DesktopTest::frameDisablesTheMenuAroundACommand() {
    Program p(home_.path() + "/axo");
    QVERIFY(p.StartedUp());
    bool ran = false;
    bool anyEnabled = true;
    bool panelEnabled = true;
    p.form->Form().SetRunner([&](const axo::app::RoutineCall&, const axo::Text&) {
        anyEnabled = false;
        for (const QAction* a : p.form->MenuEntries())
            anyEnabled = anyEnabled || a->isEnabled();
        panelEnabled = p.form->PanelNastroju()->isEnabled();
        ran = true;
    });
    p.form->Item("itemVykaz04")->trigger();
    QVERIFY(QTest::qWaitFor([&] { return ran; }, 5000));
    QVERIFY(!anyEnabled);
    QVERIFY(!panelEnabled);
    for (const QAction* a : p.form->MenuEntries())
        QVERIFY(a->isEnabled());
    QVERIFY(p.form->PanelNastroju()->isEnabled());
}

void DesktopTest::statementFromTheMenuShowsItsProtocol() {
    Program p(home_.path() + "/axo");
    QVERIFY(p.StartedUp());
    ModalDriver driver(p.form.get());
    QStringList protocol;
    driver.OnModal("Počáteční a koncové stavy a obraty",
                   [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_F2); });
    driver.Always({{},
                   false,
                   [] {
                       const QWidget* modal = QApplication::activeModalWidget();
                       return modal && modal->objectName() == "ListingViewer";
                   }},
                  [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    driver.Always({"INFORMACE", false, {}},
                  [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Return); });
    // The statement in the print preview: to its last page, then saved as PDF.
    const QString pdf = home_.path() + "/vykaz1.pdf";
    QString current;
    QString total;
    driver.OnModal("Prohlížení sestavy před tiskem", [&](QWidget* w) {
        ModalDriver::PressKey(w, Qt::Key_PageDown, Qt::ControlModifier);
        current = w->findChild<QLabel*>("AktualniStranka")->text();
        total = w->findChild<QLabel*>("CelkemStran")->text();
        auto* save = w->findChild<QToolButton*>("ButtonUlozit");
        for (QAction* a : save->menu()->actions())
            if (a->text() == "Uložit jako PDF...")
                QTimer::singleShot(0, a, &QAction::trigger);
    });
    driver.OnModal("Výběr souboru", [&](QWidget* w) {
        auto* name = w->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(name);
        name->setText(pdf);
        ModalDriver::PressKey(w, Qt::Key_Return);
    });
    driver.OnModal("Prohlížení sestavy před tiskem",
                   [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    driver.Start();
    p.form->Item("itemVykaz01")->trigger();
    QVERIFY(QTest::qWaitFor([&] { return driver.Finished(); }, 30000));
    QCOMPARE(current, total);
    QVERIFY(total.toInt() >= 2);
    QFile saved(pdf);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.read(5) == "%PDF-");
    QVERIFY(QTest::qWaitFor([&] { return p.Idle(); }, 30000));
    QVERIFY(p.WasShown("dialog", "Počáteční a koncové stavy"));
    QVERIFY(p.WasShown("printout", "chybový protokol"));
    // The protocol names the statement and draws its frame with box characters.
    QVERIFY(p.WasShown("printout", "I. Počáteční a koncové stavy"));
    QVERIFY(p.WasShown("printout", "┌"));
}

void DesktopTest::statementFromTheMenuWritesItsXml() {
    // A command-line export leaves the export parameters in the user's vault, as a previous
    // run of the dialog would; the desktop's dialog then only needs confirming.
    const QString xmlDir = home_.path() + "/xml";
    QProcess cli;
    cli.start(AXO_CLI_PATH, {"--home", home_.path() + "/axo", "--password", "ucetni", "--year",
                             "2024", "xml", "10", "--dir", xmlDir, "--person", "Jana Nováková",
                             "--email", "ucetni@zs-demo.cz", "--zo", "12345"});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
    const QString file = xmlDir + "/PAP_CastX.xml";
    QVERIFY(QFile::remove(file));

    Program p(home_.path() + "/axo");
    QVERIFY(p.StartedUp());
    ModalDriver driver(p.form.get());
    driver.OnModal("X. Počáteční a koncové stavy", [](QWidget* w) {
        auto* xml = w->findChild<QCheckBox*>();
        QVERIFY(xml);
        QTest::mouseClick(xml, Qt::LeftButton);
        ModalDriver::PressKey(w, Qt::Key_F2);
    });
    driver.OnModal("Zadání parametrů pro vytvoření souboru XML", [](QWidget* w) {
        // The transfer identifier is asked anew for every export.
        QLineEdit* id = nullptr;
        for (QLineEdit* e : w->findChildren<QLineEdit*>())
            if (e->toolTip().contains("jedinečná pro každou zprávu"))
                id = e;
        QVERIFY(id);
        QTest::mouseClick(id, Qt::LeftButton);
        QTest::keyClicks(id, "0123456789abcdef");
        ModalDriver::PressKey(w, Qt::Key_F2);
    });
    driver.Always({{},
                   false,
                   [] {
                       const QWidget* modal = QApplication::activeModalWidget();
                       return modal && modal->objectName() == "ListingViewer";
                   }},
                  [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    driver.Always({"INFORMACE", false, {}},
                  [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Return); });
    driver.Always({"Prohlížení sestavy před tiskem", false, {}},
                  [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    driver.Start();
    p.form->Item("itemVykaz10")->trigger();
    QVERIFY(QTest::qWaitFor([&] { return driver.Finished() && p.Idle(); }, 30000));
    QVERIFY(QFile::exists(file));
    QVERIFY(p.WasShown("message", "PAP_CastX.xml"));
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QVERIFY(bytes.contains("<iissp:PersonName>Jana Nováková</iissp:PersonName>"));
    QVERIFY(bytes.contains("<iissp:TransactionId>0123456789abcdef</iissp:TransactionId>"));
}

void DesktopTest::escapeDuringARunAsksTheCloseQuestion() {
    Program p(home_.path() + "/axo");
    QVERIFY(p.StartedUp());
    ModalDriver driver(p.form.get());
    bool answered = false;
    driver.OnModal("ROZHODNUTÍ", [&](QWidget* w) {
        // <Enter> takes the default button: the program goes on.
        QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Return);
        answered = true;
    });
    driver.Start();
    p.form->Form().SetRunner([&](const axo::app::RoutineCall&, const axo::Text&) {
        QTest::keyClick(p.form.get(), Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([&] { return answered; }, 10000));
    });
    p.form->Item("itemVykaz02")->trigger();
    QVERIFY(QTest::qWaitFor([&] { return answered && p.Idle(); }, 10000));
    QVERIFY(p.WasShown("decision", "Před ukončením aplikace je nutno ukončit všechny procesy."));
    QVERIFY(p.WasShown("decision", "Jste si jisti, že žádný proces není aktivní?"));
    QVERIFY(p.WasShown("decision", "Ano, program bude ukončen"));
    QVERIFY(p.form->isVisible());
    QVERIFY(!p.forcedEnd);
    // Without a running process <Esc> closes at once.
    const std::size_t shown = p.ui.Shown().size();
    QTest::keyClick(p.form.get(), Qt::Key_Escape);
    QVERIFY(QTest::qWaitFor([&] { return !p.form->isVisible(); }, 5000));
    QCOMPARE(p.ui.Shown().size(), shown);
}

void DesktopTest::confirmedCloseDuringARunEndsTheProgram() {
    Program p(home_.path() + "/axo");
    QVERIFY(p.StartedUp());
    ModalDriver driver(p.form.get());
    driver.OnModal("ROZHODNUTÍ",
                   [](QWidget* w) { QVERIFY(ModalDriver::ClickButton(w, "Ano, program")); });
    driver.Start();
    p.form->Form().SetRunner(
        [&](const axo::app::RoutineCall&, const axo::Text&) { p.form->close(); });
    p.form->Item("itemVykaz03")->trigger();
    QVERIFY(QTest::qWaitFor([&] { return p.forcedEnd; }, 10000));
    QVERIFY(!p.form->isVisible());
}

void DesktopTest::escapeOnAProgressPanelAsksToStopThePass() {
    Program p(home_.path() + "/axo");
    QVERIFY(p.StartedUp());
    ModalDriver driver(p.form.get());
    driver.OnModal("ROZHODNUTÍ", [](QWidget* w) { QVERIFY(ModalDriver::ClickButton(w, "NE")); });
    driver.OnModal("ROZHODNUTÍ", [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    driver.Start();
    bool first = false;
    bool second = true;
    bool statusBarUncovered = false;
    p.form->Form().SetRunner([&](const axo::app::RoutineCall&, const axo::Text&) {
        axo::ui::ProgressPanel panel(p.ui, true, 10, axo::FromUtf8("Zkouška"),
                                     axo::FromUtf8("průběh"));
        // The panel stands above the status bar, whose process display stays in sight.
        const QProgressBar* progress = p.form->findChild<QProgressBar*>();
        statusBarUncovered = progress && progress->parentWidget()->geometry().bottom() <
                                             p.form->statusBar()->geometry().top();
        QTest::keyClick(p.form.get(), Qt::Key_Escape);
        first = panel.Step();
        QTest::keyClick(p.form.get(), Qt::Key_Escape);
        second = panel.Step();
    });
    p.form->Item("itemVykaz05")->trigger();
    QVERIFY(QTest::qWaitFor([&] { return driver.Finished() && p.Idle(); }, 10000));
    QVERIFY(first);
    QVERIFY(!second);
    QVERIFY(statusBarUncovered);
    QVERIFY(p.WasShown("decision", "Opravdu chcete ukončit"));
    QVERIFY(!p.WasShown("decision", "Před ukončením aplikace"));
    QVERIFY(p.form->isVisible());
}

void DesktopTest::screenshotsRunWhateverChoosesTheYear_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("yearDialog");
    QTest::newRow("dialog") << QStringList() << true;
    QTest::newRow("--year") << QStringList({"--year", "2024"}) << false;
    QTest::newRow("--date") << QStringList({"--date", "15.6.2024"}) << false;
    QTest::newRow("/U preset") << QStringList({"/U202406202415.06.2024"}) << false;
}

void DesktopTest::screenshotsRunWhateverChoosesTheYear() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, yearDialog);
    const QString directory = home_.path() + "/shots-" + QTest::currentDataTag();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("AXO_PASSWORD", "ucetni");
    program.setProcessEnvironment(environment);
    program.start(AXO_GUI_PATH, arguments + QStringList({"--home", home_.path() + "/axo",
                                                         "--screenshots", directory}));
    QVERIFY(program.waitForFinished(90000));
    QVERIFY2(program.exitCode() == 0, program.readAllStandardError().constData());
    QStringList expected({"control-statement.png", "main-window.png", "menu-statements.png",
                          "message.png", "protocol.png", "statement-period.png",
                          // the statement in the print preview and its print dialog
                          "statement-preview.png", "statement-preview-last-page.png",
                          "print-dialog.png", "system-information.png",
                          // the code-list windows, their editors' pages and the XI margin
                          "codes-pap.png", "codes-pap-editor.png", "codes-pap-editor-2.png",
                          "codes-transactions.png", "codes-transactions-editor.png", "chart.png",
                          "chart-editor.png", "chart-editor-2.png", "chart-editor-3.png",
                          "statement-xi-margin.png", "statement-xi-margin-dialog.png",
                          // the address list and its editor
                          "address-list.png", "address-editor.png"});
    // The first run (the dialog row) fills the chart and shows the fill's question and
    // protocol; later runs on the same installation find nothing to change.
    if (yearDialog)
        expected << "fiscal-year.png"
                 << "fiscal-year-outside.png"
                 << "fill-chart-question.png"
                 << "fill-chart-protocol.png";
    expected.sort();
    QCOMPARE(QDir(directory).entryList(QDir::Files, QDir::Name), expected);
}

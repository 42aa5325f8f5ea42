// The browse window drawn with Qt over a real table: a hundred thousand document lines paged
// through by keys with a list model that holds only the page, a held arrow button that repeats
// while the mouse moves, and the direct-search box opened by <Shift>.
#include <QLineEdit>
#include <QListView>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "DesktopTest.h"
#include "ModalDriver.h"
#include "QtUi.h"
#include "app/BrowseTables.h"
#include "pap/PapFiles.h"
#include "ui/browse/RecordBrowser.h"
#include "util/Cisla.h"

using axo::Text;
using axo::operator""_t;
using axo::gui::ModalDriver;
namespace fs = std::filesystem;

namespace {

/// Document lines "02024FA" + seven digits, in the order of their numbers.
void WriteLines(const axo::storage::DataContext& ctx, const axo::pap::PapLocation& where,
                int count) {
    axo::pap::tFileUDPO lines(ctx, where);
    QVERIFY(lines.InitFile(3, axo::storage::_NoWait));
    lines.BtLockFileBlock(axo::storage::_Wait);
    for (int i = 1; i <= count; ++i) {
        axo::pap::tVetaUDPO r;
        r.IDENTIFIKACE = "202401FA"_t + axo::IntToTextZeros(i, 7);
        r.RADEK = 1;
        r.SU = 501;
        r.MA_DATI = i;
        std::int32_t n = 0;
        lines.AddRec(n, &r);
    }
    lines.Unlock();
    lines.CloseFile();
}

class Lines : public axo::ui::TRecordBrowser<axo::pap::tVetaUDPO> {
  public:
    Lines(axo::ui::UiServices& ui, const axo::ui::BrowserEnvironment& env,
          const axo::storage::DataContext& ctx, const axo::pap::PapLocation& where)
        : TRecordBrowser(ui, env), file_(ctx, where) {}
    bool OtevriData() override {
        table = &file_;
        return file_.InitFile(1, axo::storage::_NoWait);
    }
    void ZavriData() override { file_.CloseFile(); }
    Text TextRadku(int row) override { return axo::app::DocumentLineLine(Zaznam(row)); }
    /// <Enter> chooses the row.
    void ZpracujRadek(int, Text& key, std::int32_t& n, int) override {
        key.clear();
        n = 0;
    }

  private:
    axo::pap::tFileUDPO file_;
};

/// A table of `count` lines in a directory of the test's home, and a browser over it.
struct Fixture {
    Fixture(const QTemporaryDir& home, const char* name, int count)
        : dir(fs::path(home.path().toStdString()) / name) {
        fs::create_directories(dir);
        ctx.ui = &ui;
        ctx.currentDirectory = dir;
        ctx.programDirectory = dir;
        WriteLines(ctx, where, count);
    }
    fs::path dir;
    axo::gui::QtUi ui;
    axo::storage::DataContext ctx;
    axo::pap::PapLocation where{dir, dir, "2024"_t, 3};
    axo::ui::BrowserEnvironment env;
};

}  // namespace

void DesktopTest::browseWindowPagesThroughAHundredThousandLines() {
    Fixture f(home_, "sto-tisic", 100000);
    Lines browser(f.ui, f.env, f.ctx, f.where);
    QVERIFY(browser.Priprav(0, 0, axo::FromUtf8("Položky dokladů"), {}, "B"_t, 0));
    int pageRows = 0;
    QString current;
    ModalDriver driver(nullptr);
    driver.OnModal("Položky dokladů", [&](QWidget* w) {
        auto* list = w->findChild<QListView*>("ListBox");
        QVERIFY(list);
        for (int i = 0; i < 50; ++i)
            QTest::keyClick(list, Qt::Key_PageDown);
        pageRows = list->model()->rowCount();
        current = list->currentIndex().data().toString();
        QTest::keyClick(list, Qt::Key_Escape);
    });
    driver.Start();
    QCOMPARE(browser.Spust(), 2);
    // The list holds the page: the cursor went to row 12, then each key moved 11 lines on.
    QCOMPARE(pageRows, 12);
    QVERIFY2(current.contains("202401FA0000551"), qPrintable(current));
    QCOMPARE(browser.RowRecord(browser.CurrentRow()), 551);
    browser.Ukonci();
}

void DesktopTest::browseWindowRepeatsHeldButtonsAndSearchesDirectly() {
    Fixture f(home_, "ctyricet", 40);
    Lines browser(f.ui, f.env, f.ctx, f.where);
    QVERIFY(browser.Priprav(0, 0, axo::FromUtf8("Položky dokladů"), {}, "B"_t, 0));
    int afterHeld = 0;
    bool boxShown = false;
    ModalDriver driver(nullptr);
    driver.OnModal("Položky dokladů", [&](QWidget* w) {
        auto* down = w->findChild<QToolButton*>("ButtonSipkaDolu");
        auto* list = w->findChild<QListView*>("ListBox");
        QVERIFY(down && list);
        QCOMPARE(down->toolTip(), QString("posun o jednu pozici dolů"));
        QTest::mousePress(down, Qt::LeftButton);
        for (int i = 0; i < 3; ++i) {
            QMouseEvent move(QEvent::MouseMove, QPointF(4 + i, 4), down->mapToGlobal(QPointF(4, 4)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(down, &move);
        }
        QTest::mouseRelease(down, Qt::LeftButton);
        afterHeld = list->currentIndex().row() + 1;
        QTest::keyClick(list, Qt::Key_Shift, Qt::ShiftModifier);
        auto* box = w->findChild<QLineEdit*>("SearchEdit");
        QVERIFY(box);
        boxShown = box->isVisible();
        QTest::keyClicks(box, "0202401FA0000030");
        QTest::keyClick(box, Qt::Key_Return);
    });
    driver.Start();
    QCOMPARE(browser.Spust(), 1);
    // Three movements with the button held, and its click.
    QCOMPARE(afterHeld, 5);
    QVERIFY(boxShown);
    QCOMPARE(browser.RowRecord(browser.CurrentRow()), 30);
    browser.Ukonci();
}

// The Qt windows of the UI services, fed by key presses as a user would.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <fstream>

#include "DesktopTest.h"
#include "ModalDriver.h"
#include "QtText.h"
#include "QtUi.h"
#include "ui/DialogInsert.h"
#include "ui/ListWindow.h"

using axo::FromUtf8;
using axo::Text;
using axo::gui::ModalDriver;

namespace {

/// The line edit of a dialog window that has the focus.
QLineEdit* FocusedEdit(QWidget* window) {
    return qobject_cast<QLineEdit*>(window->focusWidget());
}

/// A list window over fixed lines.
class Lines : public axo::ui::TRolMem {
  public:
    Lines(axo::ui::UiServices& ui, const axo::ui::ListWindowEnvironment& env) : TRolMem(ui, env) {}
    bool MayOpen() override { return true; }
    Text Line(int n) override {
        static const char* const kLines[] = {"první řádek", "druhý řádek", "třetí řádek"};
        return n <= 3 ? FromUtf8(kLines[n - 1]) : Text();
    }
};

}  // namespace

void DesktopTest::decisionAnswersWithTheChosenButton() {
    axo::gui::QtUi ui;
    const std::vector<Text> buttons{FromUtf8("~A~no"), FromUtf8("~N~e")};
    struct Row {
        int key;
        int expected;
    };
    const Row rows[] = {{Qt::Key_N, 2}, {Qt::Key_A, 1}, {Qt::Key_Escape, 0}, {Qt::Key_Return, 2}};
    for (const Row& r : rows) {
        ModalDriver driver(nullptr);
        driver.OnModal("ROZHODNUTÍ", [&r](QWidget* w) {
            QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key(r.key));
        });
        driver.Start();
        QCOMPARE(ui.Decide(FromUtf8("Pokračovat?"), buttons, 2), r.expected);
    }
}

void DesktopTest::messageClosesWithEscapeAsLeave() {
    axo::gui::QtUi ui;
    const std::pair<int, int> rows[] = {{Qt::Key_Escape, 2}, {Qt::Key_Return, 1}};
    for (const auto& [key, expected] : rows) {
        ModalDriver driver(nullptr);
        driver.OnModal("INFORMACE", [key = key](QWidget* w) {
            QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key(key));
        });
        driver.Start();
        QCOMPARE(ui.AskKey(FromUtf8("Hotovo.")), expected);
    }
    QCOMPARE(ui.Shown().back().title, QString(" INFORMACE"));
    QCOMPARE(ui.Shown().back().lines, QStringList({"Hotovo."}));
}

void DesktopTest::dialogFormTakesKeysThroughItsModel() {
    axo::gui::QtUi ui;
    axo::ui::DialogEnvironment env;
    env.programDate = FromUtf8("10. 6.2023");
    Text date;
    std::uint16_t month = 1;
    auto dialog = axo::ui::CreateDialog(ui, env, 0, 0, 40, {}, FromUtf8("Zkouška"), 4);
    axo::ui::InsertPrvek(*dialog, 2, 1, {}, FromUtf8("Datum "), 10, date, {},
                         axo::ui::TPrvek::kDate);
    axo::ui::InsertPrvek(*dialog, 2, 2, {}, FromUtf8("Měsíc "), 2, month, {},
                         axo::ui::TPrvek::kWord);
    axo::ui::InsertOkZpet(*dialog, 0, 4, {}, {}, 4);
    QString shownDate;
    ModalDriver driver(nullptr);
    driver.OnModal("Zkouška", [&shownDate](QWidget* w) {
        QLineEdit* field = FocusedEdit(w);
        QVERIFY(field);
        QTest::keyClicks(field, "5.3");
        QTest::keyClick(field, Qt::Key_Return);
        shownDate = field->text();
        QTest::keyClicks(FocusedEdit(w), "7");
        QTest::keyClick(FocusedEdit(w), Qt::Key_F2);
    });
    driver.Start();
    QVERIFY(axo::ui::RunDialog(*dialog));
    // The model normalised the date when the field was left, and the window shows it.
    QCOMPARE(shownDate, QString(" 5. 3.2023"));
    QCOMPARE(date, FromUtf8(" 5. 3.2023"));
    QCOMPARE(int(month), 7);
}

void DesktopTest::dialogFieldEntrySelectsItsContent() {
    // Typing into a field entered by <Tab> or by a click replaces what it held; <Ctrl+A> selects
    // all of it again after the cursor has moved.
    axo::gui::QtUi ui;
    axo::ui::DialogEnvironment env;
    Text first = FromUtf8(" 9.12.2026");
    Text second = FromUtf8(" 9.12.2026");
    Text third = FromUtf8("staré");
    auto dialog = axo::ui::CreateDialog(ui, env, 0, 0, 40, {}, FromUtf8("Vstup"), 5);
    axo::ui::InsertPrvek(*dialog, 2, 1, {}, FromUtf8("Od "), 10, first, {}, axo::ui::TPrvek::kDate);
    axo::ui::InsertPrvek(*dialog, 2, 2, {}, FromUtf8("Do "), 10, second, {},
                         axo::ui::TPrvek::kDate);
    axo::ui::InsertPrvek(*dialog, 2, 3, {}, FromUtf8("Text "), 10, third, {},
                         axo::ui::TPrvek::kText);
    axo::ui::InsertOkZpet(*dialog, 0, 5, {}, {}, 5);
    ModalDriver driver(nullptr);
    driver.OnModal("Vstup", [](QWidget* w) {
        const QList<QLineEdit*> fields = w->findChildren<QLineEdit*>();
        QCOMPARE(fields.size(), 3);
        QTest::keyClick(FocusedEdit(w), Qt::Key_Tab);
        QCOMPARE(FocusedEdit(w), fields[1]);
        QCOMPARE(fields[1]->selectedText(), QString(" 9.12.2026"));
        QTest::keyClicks(fields[1], "31.12.2024");
        QCOMPARE(fields[1]->text(), QString("31.12.2024"));
        // A click in the middle of a field enters it with everything selected.
        QTest::mouseClick(fields[0], Qt::LeftButton, {}, QPoint(fields[0]->width() / 2, 5));
        QCOMPARE(FocusedEdit(w), fields[0]);
        QTest::keyClicks(fields[0], "1.1.2024");
        QCOMPARE(fields[0]->text(), QString("1.1.2024"));
        QTest::mouseClick(fields[2], Qt::LeftButton, {}, QPoint(fields[2]->width() / 2, 5));
        QTest::keyClick(fields[2], Qt::Key_End);
        QTest::keyClick(fields[2], Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(fields[2], "nova");
        QCOMPARE(fields[2]->text(), QString("nova"));
        QTest::keyClick(fields[2], Qt::Key_F2);
    });
    driver.Start();
    QVERIFY(axo::ui::RunDialog(*dialog));
    QCOMPARE(first, FromUtf8(" 1. 1.2024"));
    QCOMPARE(second, FromUtf8("31.12.2024"));
    QCOMPARE(third, FromUtf8("nova"));
}

void DesktopTest::qtsOwnButtonsSpeakCzech() {
    QVERIFY(axo::gui::InstallQtCzech());
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text().remove('&'), QString("Zrušit"));
}

void DesktopTest::dialogFormKeepsAFieldThatFailsItsCheck() {
    axo::gui::QtUi ui;
    axo::ui::DialogEnvironment env;
    std::uint16_t month = 1;
    auto dialog = axo::ui::CreateDialog(ui, env, 0, 0, 40, {}, FromUtf8("Období"), 3);
    axo::ui::InsertPrvek(*dialog, 2, 1, {}, FromUtf8("Měsíc "), 2, month, {},
                         axo::ui::TPrvek::kWord);
    axo::ui::Pripoj(*dialog, axo::ui::ValueRange::Numbers(1, 12));
    axo::ui::InsertOkZpet(*dialog, 0, 3, {}, {}, 3);
    ModalDriver driver(nullptr);
    driver.OnModal("Období", [](QWidget* w) {
        QTest::keyClicks(FocusedEdit(w), "13");
        QTest::keyClick(FocusedEdit(w), Qt::Key_F2);
    });
    driver.OnModal("CHYBA", [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    driver.OnModal("Období", [](QWidget* w) {
        QLineEdit* field = FocusedEdit(w);
        QVERIFY(field);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, "12");
        QTest::keyClick(field, Qt::Key_F2);
    });
    driver.Start();
    QVERIFY(axo::ui::RunDialog(*dialog));
    QCOMPARE(int(month), 12);
    bool refused = false;
    for (const axo::gui::ShownWindow& w : ui.Shown())
        refused =
            refused || (w.kind == "message" && !w.lines.filter("Maximální přípustná").isEmpty());
    QVERIFY(refused);
}

void DesktopTest::promptHidesThePassword() {
    axo::gui::QtUi ui;
    Text value;
    bool hidden = false;
    ModalDriver driver(nullptr);
    driver.OnModal("Zadání hesla", [&hidden](QWidget* w) {
        QLineEdit* field = FocusedEdit(w);
        QVERIFY(field);
        hidden = field->echoMode() == QLineEdit::Password;
        QTest::keyClicks(field, "tajne");
        QTest::keyClick(field, Qt::Key_Return);
    });
    driver.Start();
    QCOMPARE(ui.PromptValue(FromUtf8("Zadejte heslo pro vstup do systému AXO"),
                            FromUtf8("Zadání hesla"), value, true, true, 7, 7),
             1);
    QVERIFY(hidden);
    QCOMPARE(value, FromUtf8("tajne"));
}

void DesktopTest::listWindowPicksALine() {
    axo::gui::QtUi ui;
    axo::ui::ListWindowEnvironment env;
    Lines list(ui, env);
    QVERIFY(list.Prepare(40, 6, 0, FromUtf8("Text"), FromUtf8("Řádky")));
    ModalDriver driver(nullptr);
    driver.OnModal("Řádky", [](QWidget* w) {
        QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Down);
        QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Return);
    });
    driver.Start();
    QCOMPARE(list.RunModal(), 1);
    QCOMPARE(list.Current(), 1);
    QCOMPARE(list.CurrentLine(), FromUtf8("druhý řádek"));
}

void DesktopTest::printoutViewerShowsFrames() {
    axo::gui::QtUi ui;
    const QString file = home_.path() + "/vypis.txt";
    {
        // ┌──┐, a page break, │ab│ in the family's frame codes.
        std::ofstream out(file.toStdString(), std::ios::binary);
        out << "\x87\x81\x81\x90\r\n\f\r\n\x85"
               "ab\x85\r\n";
    }
    axo::ui::ListingView view;
    view.title = FromUtf8("Výpis");
    view.file = file.toStdString();
    int outputs = 0;
    QString shown;
    ModalDriver driver(nullptr);
    driver.OnModal("Výpis", [&shown](QWidget* w) {
        shown = w->findChild<QPlainTextEdit*>()->toPlainText();
        QTest::keyClick(w, Qt::Key_F4);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    driver.Start();
    ui.ShowListing(view, [&outputs] { ++outputs; });
    QCOMPARE(shown, QString("┌──┐\n\n│ab│"));
    QCOMPARE(outputs, 1);
}

void DesktopTest::waitWindowEndsByTimeEscapeOrClose() {
    using axo::ui::WaitOutcome;
    enum class Act { Nothing, Escape, CloseButton };
    struct Row {
        bool interruptible;
        Act act;
        WaitOutcome expected;
    };
    // <Esc> ends the wait early in both kinds (the caller decides what that means); the title
    // bar's button does so only where the wait may be interrupted.
    const Row rows[] = {
        {true, Act::Nothing, WaitOutcome::TimedOut},
        {true, Act::Escape, WaitOutcome::Escaped},
        {true, Act::CloseButton, WaitOutcome::Escaped},
        {false, Act::Escape, WaitOutcome::Escaped},
        {false, Act::CloseButton, WaitOutcome::TimedOut},
    };
    for (const Row& r : rows) {
        axo::gui::QtUi ui;
        axo::ui::WaitWindow w;
        w.caption = FromUtf8(r.interruptible ? "Čekání na přístup - MOŽNO přerušit klávesou <Esc>"
                                             : "Čekání na přístup - NELZE přerušit");
        w.operation = FromUtf8("Soubor je uzamčen jinou stanicí.");
        w.fileLine = FromUtf8("Jedná se o soubor [UDPO2024]");
        w.interruptible = r.interruptible;
        w.timeoutMs = r.act == Act::Nothing ? 50 : 600;
        ModalDriver driver(nullptr);
        driver.OnModal("Čekání na přístup", [&r](QWidget* window) {
            if (r.act == Act::Escape)
                QTest::keyClick(window, Qt::Key_Escape);
            else if (r.act == Act::CloseButton)
                window->close();
        });
        if (r.act != Act::Nothing)
            driver.Start();
        QCOMPARE(ui.RunWait(w), r.expected);
        QCOMPARE(ui.Shown().back().kind, std::string("wait"));
        QCOMPARE(ui.Shown().back().lines,
                 QStringList({"Soubor je uzamčen jinou stanicí.", "Jedná se o soubor [UDPO2024]"}));
    }
}

void DesktopTest::reportWindowPrintsAndCloses() {
    axo::gui::QtUi ui;
    axo::ui::ReportWindow w;
    w.caption = FromUtf8("CHYBA DATOVÉ PODPORY - program končí");
    w.labels = {{FromUtf8("Soubor :"), FromUtf8("UDPO2024")},
                {FromUtf8("Akce :"), FromUtf8("GetRec")}};
    w.detail = FromUtf8("Čtení věty selhalo.");
    int printed = 0;
    ModalDriver driver(nullptr);
    driver.OnModal("CHYBA DATOVÉ PODPORY", [](QWidget* window) {
        QVERIFY(ModalDriver::ClickButton(window, "Tisk"));
        QVERIFY(ModalDriver::ClickButton(window, "O.K."));
    });
    driver.Start();
    ui.RunReport(w, [&printed] { ++printed; });
    QCOMPARE(printed, 1);
    QCOMPARE(ui.Shown().back().title, QString("CHYBA DATOVÉ PODPORY - program končí"));
    QCOMPARE(ui.Shown().back().lines,
             QStringList({"Soubor : UDPO2024", "Akce : GetRec", "Čtení věty selhalo."}));
}

void DesktopTest::radioGroupChoosesByAcceleratorAndClick() {
    axo::gui::QtUi ui;
    axo::ui::DialogEnvironment env;
    std::uint8_t choice = 0;
    std::uint8_t option = 0;
    auto dialog = axo::ui::CreateDialog(ui, env, 0, 0, 40, {}, FromUtf8("Směr"), 7);
    axo::ui::InsertCheckBox(*dialog, {}, FromUtf8("&Celá slova"), option, 30, 1, 2);
    axo::ui::TItemList items;
    items.Add(FromUtf8("od &začátku"));
    items.Add(FromUtf8("od &konce"));
    items.Add(FromUtf8("od akt.pozice &nahoru"));
    axo::ui::InsertRadioGroup(*dialog, {}, choice, items, 30, 2, 2);
    axo::ui::InsertOkZpet(*dialog, 0, 6, {}, {}, 6);
    QStringList shown;
    ModalDriver driver(nullptr);
    driver.OnModal("Směr", [&shown](QWidget* w) {
        const QList<QRadioButton*> buttons = w->findChildren<QRadioButton*>();
        for (const QRadioButton* b : buttons)
            shown << b->text();
        QTest::keyClick(w->focusWidget(), Qt::Key_N, Qt::AltModifier);
        QVERIFY(buttons.size() == 3 && buttons[2]->isChecked());
        QTest::keyClick(w->focusWidget(), Qt::Key_C, Qt::AltModifier);
        buttons[1]->click();
        QVERIFY(buttons[1]->isChecked() && !buttons[2]->isChecked());
        QTest::keyClick(w->focusWidget(), Qt::Key_F2);
    });
    driver.Start();
    QVERIFY(axo::ui::RunDialog(*dialog));
    // Items keep the leading blank every choice-list item has.
    QCOMPARE(shown, QStringList({" od &začátku", " od &konce", " od akt.pozice &nahoru"}));
    QCOMPARE(int(choice), 1);
    QCOMPARE(int(option), 1);
}

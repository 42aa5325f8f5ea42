// The program's own screenshots.
#include "Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <cstdio>

#include "ModalDriver.h"
#include "PAP_FRM.h"
#include "QtText.h"

namespace axo::gui {

namespace {

constexpr int kTitleBar = 24;
constexpr int kMargin = 14;

bool IsViewer() {
    const QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->objectName() == "ListingViewer";
}

/// A browse window is in front (its button row is there).
bool IsBrowser() {
    const QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->findChild<QWidget*>("PanelButtonu") != nullptr;
}

bool IsPopup(const QWidget* window) {
    return (window->windowFlags() & Qt::Popup) == Qt::Popup;
}

void DrawWindow(QPainter& p, QWidget* window, QPoint at, bool active) {
    if (IsPopup(window)) {
        p.drawPixmap(at, window->grab());
        return;
    }
    const QRect bar(at.x(), at.y() - kTitleBar, window->width(), kTitleBar);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0, active ? QColor(22, 64, 128) : QColor(110, 120, 135));
    gradient.setColorAt(1, active ? QColor(70, 130, 200) : QColor(160, 168, 180));
    p.fillRect(bar, gradient);
    p.setPen(Qt::white);
    p.setFont(WindowFont(13, true));
    p.drawText(bar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
               window->windowTitle().trimmed());
    p.drawPixmap(at, window->grab());
    p.setPen(QColor(40, 40, 40));
    p.drawRect(QRect(bar.topLeft(), QSize(window->width(), window->height() + kTitleBar))
                   .adjusted(0, 0, -1, -1));
}

}  // namespace

QImage DesktopPicture(const QList<QWidget*>& windows) {
    QRect area;
    for (QWidget* w : windows) {
        const int bar = IsPopup(w) ? 0 : kTitleBar;
        area = area.united(QRect(w->pos() - QPoint(0, bar), w->size() + QSize(0, bar)));
    }
    area.adjust(-kMargin, -kMargin, kMargin, kMargin);
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(QColor(58, 110, 165));
    QPainter p(&image);
    for (int i = 0; i < windows.size(); ++i)
        DrawWindow(p, windows[i], windows[i]->pos() - area.topLeft(),
                   i == 0 || !IsPopup(windows[i]));
    return image;
}

void StartScreenshots(TPAP_Form& form, const QString& directory) {
    QDir().mkpath(directory);
    auto* driver = new ModalDriver(&form);
    driver->setParent(&form);
    auto failures = std::make_shared<int>(0);
    auto save = [&form, directory, failures](const QString& name, QWidget* window) {
        QList<QWidget*> windows{&form};
        if (window != &form)
            windows << window;
        const QString file = directory + "/" + name + ".png";
        if (!DesktopPicture(windows).save(file)) {
            std::fprintf(stderr, "Obrázek %s nelze zapsat.\n", qPrintable(file));
            ++*failures;
        }
    };
    auto startedUp = [&form] { return form.Form().StartupSucceeded(); };
    auto idle = [&form] { return form.Form().StartupSucceeded() && !form.Form().ProcessRunning(); };
    // The dialog as it opens (a date outside every year of the demo preselects the newest year
    // with its last day and month), then the date preset as <F10> on the list does, then
    // confirmed. The start-up shows this dialog only when the fiscal year was not chosen on the
    // command line (--year, --date, "/U" presets), so it is not a step the run waits for.
    driver->Always({"Zadejte hospodářský rok", false, {}}, [save](QWidget* w) {
        save("fiscal-year-outside", w);
        ModalDriver::PressKey(w, Qt::Key_Down);
        ModalDriver::PressKey(w, Qt::Key_F10);
        save("fiscal-year", w);
        ModalDriver::PressKey(w, Qt::Key_F2);
    });
    driver->OnMain(startedUp, [save, &form](QWidget* w) {
        save("main-window", w);
        QMenu* statements =
            form.Item("itemVykaz01")->menu() ? nullptr : form.MenuEntries().front()->menu();
        statements->popup(form.mapToGlobal(
            form.menuBar()->actionGeometry(form.MenuEntries().front()).bottomLeft()));
    });
    driver->OnMain([] { return QApplication::activePopupWidget() != nullptr; },
                   [save, &form](QWidget*) {
                       QWidget* menu = QApplication::activePopupWidget();
                       save("menu-statements", menu);
                       menu->close();
                       form.Item("itemVykaz01")->trigger();
                   });
    driver->OnModal("Počáteční a koncové stavy", [save](QWidget* w) {
        save("statement-period", w);
        ModalDriver::PressKey(w, Qt::Key_F2);
    });
    // The run's error protocol, then the statement in the print preview: its last page, the
    // print dialog, then the first page at 75 %.
    driver->On({{}, false, IsViewer}, [save](QWidget* w) {
        save("protocol", w);
        ModalDriver::PressKey(w, Qt::Key_Escape);
    });
    driver->OnModal("Prohlížení sestavy před tiskem", [save](QWidget* w) {
        save("statement-preview", w);
        ModalDriver::PressKey(w, Qt::Key_PageDown, Qt::ControlModifier);
        save("statement-preview-last-page", w);
        ModalDriver::PressKey(w, Qt::Key_P, Qt::ControlModifier);
    });
    driver->OnModal("Nastavení tisku", [save](QWidget* w) {
        save("print-dialog", w);
        ModalDriver::PressKey(w, Qt::Key_Escape);
    });
    driver->OnModal("Prohlížení sestavy před tiskem",
                    [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    // Further printouts of the same run are closed as they come.
    // The control account statement with an analytics mask no account has: its dialog, then
    // the message that nothing was selected.
    driver->OnMain(idle, [&form](QWidget*) { form.Item("itemVypis")->trigger(); });
    driver->OnModal("Kontrolní výpis z účtu", [save](QWidget* w) {
        ModalDriver::PressKey(w, Qt::Key_Tab);
        ModalDriver::PressKey(w, Qt::Key_Tab);
        ModalDriver::Type(w, "Q");
        save("control-statement", w);
        ModalDriver::PressKey(w, Qt::Key_F2);
    });
    driver->OnModal("INFORMACE", [save](QWidget* w) {
        save("message", w);
        ModalDriver::PressKey(w, Qt::Key_Escape);
    });
    driver->OnMain(idle, [&form](QWidget*) { form.AboutButton()->click(); });
    driver->OnModal("Informace o systému", [save](QWidget* w) {
        save("system-information", w);
        ModalDriver::PressKey(w, Qt::Key_Escape);
    });
    // The code-list windows, each with its record editor (and the editor's other pages).
    struct CodeListShots {
        const char* item;
        QString window;
        QString editor;
        const char* name;
        int pages;
    };
    const CodeListShots codeLists[] = {
        {"itemCiselniky_PAP", "Aktualizace číselníku pro výkazy PAP", "výkazy PAP (pomocný",
         "codes-pap", 2},
        {"itemCiselniky_KodyTr", "Aktualizace číselníku kódů transakce", "KÓDY TRANSAKCE",
         "codes-transactions", 1},
        {"itemCiselniky_UctRozvrh", "Účtový rozvrh - aktualizace", "ÚČTOVÝ ROZVRH", "chart", 3},
    };
    for (const CodeListShots& shot : codeLists) {
        const QString name = shot.name;
        const int pages = shot.pages;
        const char* item = shot.item;
        driver->OnMain(idle, [&form, item](QWidget*) { form.Item(item)->trigger(); });
        driver->On({shot.window, false, IsBrowser}, [save, name](QWidget* w) {
            save(name, w);
            // An account of class 5 shows its PAP attributes best.
            if (name == "chart")
                ModalDriver::Type(w, "5");
            ModalDriver::PressKey(w, Qt::Key_Return);
        });
        driver->OnModal(shot.editor, [save, name, pages](QWidget* w) {
            save(name + "-editor", w);
            for (int page = 2; page <= pages; ++page) {
                ModalDriver::PressKey(w, Qt::Key_PageDown, Qt::ControlModifier);
                save(name + "-editor-" + QString::number(page), w);
            }
            ModalDriver::PressKey(w, Qt::Key_Escape);
        });
        driver->On({shot.window, false, IsBrowser},
                   [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    }
    // Statement XI with the margin: the browser of the rows asking for one and its dialog.
    driver->OnMain(idle, [&form](QWidget*) { form.Item("itemVykaz11")->trigger(); });
    driver->On({"XI.", false, [] { return !IsBrowser(); }},
               [](QWidget* w) { ModalDriver::ClickButton(w, "Editovat"); });
    driver->On({"XI.", false, IsBrowser}, [save](QWidget* w) {
        save("statement-xi-margin", w);
        ModalDriver::PressKey(w, Qt::Key_Return);
    });
    driver->OnModal("Zadejte", [save](QWidget* w) {
        save("statement-xi-margin-dialog", w);
        ModalDriver::PressKey(w, Qt::Key_Escape);
    });
    driver->On({"XI.", false, IsBrowser},
               [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    // The partner list, and its editor opened for a new address.
    driver->OnMain(idle, [&form](QWidget*) { form.Item("itemCiselniky_ExtAdresy")->trigger(); });
    driver->OnModal("Vyberte si z číselníku externích adres", [save](QWidget* w) {
        save("address-list", w);
        ModalDriver::PressKey(w, Qt::Key_Insert);
    });
    driver->OnModal("přidání nové adresy", [save](QWidget* w) {
        save("address-editor", w);
        ModalDriver::PressKey(w, Qt::Key_Escape);
    });
    driver->OnModal("Vyberte si z číselníku externích adres",
                    [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    // The fill of the chart from the PAP list: its question, then the protocol of the accounts
    // it changed. It comes last, as it changes the demo's chart; on a chart already filled (a
    // second run on the same installation) only its closing message comes.
    driver->OnMain(idle, [&form](QWidget*) { form.Item("itemPAP_do_RozV")->trigger(); });
    driver->Always({"ROZHODNUTÍ", false, {}}, [save](QWidget* w) {
        save("fill-chart-question", w);
        ModalDriver::ClickButton(w, "Změnit účty");
    });
    driver->Always({"Protokol změn účtového rozvrhu", false, IsViewer}, [save](QWidget* w) {
        save("fill-chart-protocol", w);
        ModalDriver::PressKey(w, Qt::Key_Escape);
    });
    driver->OnModal("INFORMACE", [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    driver->OnMain(idle, [&form, failures](QWidget*) {
        form.Form().FormClose();
        QCoreApplication::exit(*failures == 0 ? 0 : 1);
    });
    driver->Always({{}, false, IsViewer},
                   [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    // Statements of later steps are shown in the preview: closed as they come.
    driver->Always({"Prohlížení sestavy před tiskem", false, {}},
                   [](QWidget* w) { ModalDriver::PressKey(w, Qt::Key_Escape); });
    driver->Start();
    QTimer::singleShot(60000, &form, [driver, save] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal)
            save("unfinished", modal);
        std::fprintf(stderr, "Snímky obrazovky nebyly dokončeny (zbývá kroků: %zu, okno: %s).\n",
                     driver->Remaining(), modal ? qPrintable(modal->windowTitle()) : "hlavní okno");
        std::_Exit(1);
    });
}

}  // namespace axo::gui

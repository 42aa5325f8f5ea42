// The window tests run on Qt's offscreen platform unless another one is asked for: test
// discovery runs this program while building, where there may be no display.
#include <QApplication>
#include <QStandardPaths>
#include <QtTest>
#include <cstdlib>

#include "DesktopTest.h"
#include "QtText.h"

int main(int argc, char* argv[]) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    // What the windows remember goes to a test location, not into the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    axo::gui::InitResources();
    QApplication::setFont(axo::gui::WindowFont());
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

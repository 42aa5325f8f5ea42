// The desktop program axo-pap: the main window of AXO_PAP on the installation the command line
// names, with its start-up on the first paint.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "PAP_FRM.h"
#include "QtText.h"
#include "QtUi.h"
#include "Screenshots.h"
#include "app/DesktopCommandLine.h"
#include "startup/Machine.h"
#include "util/Clock.h"
#include "util/Regional.h"

int main(int argc, char* argv[]) {
    using namespace axo;
    // Number texts take the separators of the user's locale, as in the command line.
    SetRegionalSettings(RegionalSettings::FromEnvironment());
    QApplication application(argc, argv);
    gui::InitResources();
    gui::InstallQtCzech();
    QApplication::setApplicationName("axo-pap");
    // No display name: Qt would append it to the title of every window.
    QApplication::setWindowIcon(QIcon(":/icons/axo.svg"));
    QApplication::setFont(gui::WindowFont());
    // Qt has taken its own arguments out; the rest are the program's.
    std::vector<std::string> arguments;
    const QStringList all = QApplication::arguments();
    for (int i = 1; i < all.size(); ++i)
        arguments.push_back(all[i].toStdString());
    const startup::EnvironmentReader environment = startup::ProcessEnvironment();
    app::DesktopOptions options = app::ParseDesktopCommandLine(arguments, environment);
    if (!options.errors.empty()) {
        for (const std::string& error : options.errors)
            std::fprintf(stderr, "%s\n", error.c_str());
        std::fprintf(stderr,
                     "Použití: axo-pap [HESLO [STANICE]] [/U...] [--home ADRESÁŘ] [--user JMÉNO] "
                     "[--password HESLO] [--year KÓD] [--date D.M.RRRR] [--screenshots ADRESÁŘ]\n");
        return 2;
    }
    gui::QtUi ui;
    const std::filesystem::path home = startup::InstallationHome(options.home, environment);
    // A program installed from a package has no installation beside it until one is made.
    if (!startup::HasInstallation(home)) {
        ui.ShowMessage(ui::MessageKind::Plain, startup::MissingInstallationHint(home));
        return 1;
    }
    startup::Session session(ui, SystemClock(), home, startup::ComputerId(environment),
                             std::move(options.startUp));
    gui::TPAP_Form form(session, ui);
    form.show();
    if (options.screenshotDirectory)
        gui::StartScreenshots(form, QString::fromStdString(*options.screenshotDirectory));
    return QApplication::exec();
}

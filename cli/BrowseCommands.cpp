// The browse command: options checked, the browser of the table opened in the session, its
// answers queued in the scripted front end (the search dialog's and the keys), and the page the
// front end recorded printed.
#include "BrowseCommands.h"

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "CliSession.h"
#include "CliUi.h"
#include "app/BrowseTables.h"
#include "startup/SessionListing.h"
#include "ui/browse/BrowseScript.h"
#include "util/Retezce.h"

namespace axo::cli {

namespace {

constexpr const char* kUsage =
    "browse TABULKA [--order N] [--start TEXT] [--keys \"CtrlEnd PageUp ...\"] [--find TEXT "
    "[--whole-words]]";

/// The browse answer of the --keys option, with <F7> first when a text is searched; false after
/// the message when a key is unknown.
bool Steps(const Options& options, std::string& steps, std::ostream& err) {
    steps = options.Has("find") ? "key:F7" : "";
    std::istringstream words(options.GetOr("keys", ""));
    for (std::string word; words >> word;) {
        const std::string step = ui::BrowseStepOfWord(word);
        try {
            ui::ParseBrowseSteps(step);
        } catch (const ui::DialogScriptError& e) {
            err << "Klávesu \"" << word << "\" okno neumí (" << e.what() << ").\n";
            return false;
        }
        steps += (steps.empty() ? "" : " ") + step;
    }
    return true;
}

/// The page as the front end recorded it, for standard output.
void PrintPage(const ui::TranscriptEntry& page, std::ostream& out) {
    out << page.title << "\n";
    for (const std::string& line : page.lines) {
        if (line.rfind("header: ", 0) == 0)
            out << "  " << line.substr(8) << "\n";
        else if (line.rfind("order: ", 0) == 0)
            out << line.substr(7) << "\n";
        else if (line.rfind("search: ", 0) != 0)
            out << line << "\n";
    }
}

}  // namespace

int RunBrowse(const Options& options, std::ostream& out, std::ostream& err) {
    std::vector<std::string> known = SessionOptionNames();
    known.insert(known.end(), {"order", "start", "keys", "find", "whole-words"});
    if (!OnlyKnown(options, std::move(known), err))
        return 2;
    if (options.Positional().size() != 2) {
        err << "Použití: axo-pap-cli " << kUsage << "\n";
        return 2;
    }
    const std::optional<app::BrowseTable> table = app::BrowseTableNamed(options.Positional()[1]);
    if (!table) {
        err << "Tabulku \"" << options.Positional()[1]
            << "\" program nezná; zadejte jednu z: " << app::BrowseTableNames() << ".\n";
        return 2;
    }
    const std::optional<int> order = options.GetInt("order");
    if (options.Has("order") && (!order || *order < 1 || *order > 9)) {
        err << "Volba --order čeká číslo třídění 1 až 9.\n";
        return 2;
    }
    const std::string find = options.GetOr("find", "");
    if (options.Has("find") && (find.empty() || find.find('"') != std::string::npos)) {
        err << "Volba --find čeká hledaný text bez uvozovek.\n";
        return 2;
    }
    if (options.Has("whole-words") && !options.Has("find")) {
        err << "Volba --whole-words patří k volbě --find.\n";
        return 2;
    }
    std::string steps;
    if (!Steps(options, steps, err))
        return 2;

    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    startup::Session& session = *opened.session;
    const ui::ListingEnvironment listing = startup::ListingEnvironmentFor(session);
    const ui::BrowserEnvironment env = app::BrowserEnvironmentFor(session, listing);
    std::unique_ptr<ui::TBrowser> browser = app::OpenTableBrowser(session, env, *table, false);
    if (!browser) {
        err << "Tabulku nelze otevřít.\n";
        CloseSession(session);
        return 1;
    }
    if (order) {
        const int key = browser->orderList[static_cast<std::size_t>(*order - 1)];
        if (key < 1 || key > browser->table->KeyCount()) {
            err << "Tabulka má třídění 1 až " << browser->table->KeyCount() << ".\n";
            browser->Ukonci();
            CloseSession(session);
            return 2;
        }
        browser->SetCurrentKey(key);
    }
    browser->startText = FromUtf8(options.GetOr("start", ""));
    ui.QueueBrowse(steps);
    if (options.Has("find"))
        ui.QueueDialog("text=\"" + find + "\" slova=" + (options.Has("whole-words") ? "1" : "0") +
                       " smer=#0 key:F2");
    const std::size_t before = ui.Transcript().size();
    browser->Spust();
    browser->Ukonci();
    for (std::size_t i = ui.Transcript().size(); i > before; --i) {
        if (ui.Transcript()[i - 1].kind == "browse") {
            PrintPage(ui.Transcript()[i - 1], out);
            break;
        }
    }
    CloseSession(session);
    return 0;
}

}  // namespace axo::cli

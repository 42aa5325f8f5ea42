// Browse windows driven by scripts and the command line: the steps of a browse answer applied to
// the model as a user would press, click and type, and the shown page as the transcript records
// it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/DialogScript.h"
#include "ui/ScriptedUi.h"

namespace axo::ui {

class TBrowser;

/// Reads a browse answer, steps separated by blanks:
///   key:NAME       a key (as ParseKeyName names it: key:PageDown, key:Ctrl+End)
///   click:BUTTON   a button by its component name (click:ButtonRefresh, click:ButtonShift)
///   type:TEXT      typed into the direct-search box (opened first when closed)
///   row=N          a click on row N; dblclick=N a double click; tick=N a right-button click
///   order=N        order N of the sort menu
///   wheel=down     the mouse wheel (down or up)
///   size=WxH       the window resized to W x H pixels; move=X,Y moved to X, Y
/// Throws DialogScriptError for a step it does not know.
std::vector<DialogStep> ParseBrowseSteps(std::string_view answer);

/// Applies the steps until the window closes. A key while the direct-search box is open goes to
/// the box first; one the box does not take goes to the list.
void ApplyBrowseSteps(TBrowser& window, const std::vector<DialogStep>& steps);

/// The shown page: "[browse] caption", "header: ..." when there is a header, one line per
/// filled row (the current one after "> ", the others after two blanks) as shown from the
/// horizontal offset, "order: ..." with the order's name, "search: ..." while the direct-search
/// box is open; the buttons of the button row.
TranscriptEntry BrowseEntry(TBrowser& window);

/// Runs a browser on the answers `nextSteps` gives (none: the script has no more), as the
/// scripted front end does: a window the answers leave open is an error when `strict`, and is
/// otherwise left with <Esc>. Returns the page as it closed, answered "close N" (with the
/// chosen row after a choice). Throws ScriptError for an answer it cannot read.
TranscriptEntry RunScriptedBrowser(TBrowser& window, bool strict,
                                   const std::function<std::optional<std::string>()>& nextSteps);

/// A key word of the command line as a browse step: "CtrlEnd", "Ctrl+End", "PageUp", "AltF7",
/// "Shift" (the direct-search box); a word that is already a step ("row=3", "type:NOV") stays.
std::string BrowseStepOfWord(std::string_view word);

}  // namespace axo::ui

// Steps that drive a print preview without a window (the scripted front end of the tests and
// the command line): keys, zoom, pages, wheel, drag, saving and printing.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "report/preview/Preview.h"

namespace axo::report {

class PreviewScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// Checks the steps, separated by blanks; throws PreviewScriptError naming a step it does not
/// know. Steps: "key:NAME" (Esc, CtrlE, CtrlP, CtrlT, CtrlPgUp, PgUp, PgDn, CtrlPgDn, Up,
/// Down, Left, Right), "first", "prior", "next", "last", "page=N" (go to page N), "ask-page"
/// (the prompt), "zoom=PERCENT", "step=N", "wheel=N", "ctrl-wheel=N", "drag=X,Y>X,Y",
/// "drag-wheel=N", "viewport=W,H", "print", "user", "save:KIND=FILE" with KIND txt, rtf,
/// emf-page, emf, html-page, html or pdf, "save:KIND" (asks the file dialog) and "close".
std::vector<std::string> ParsePreviewSteps(const std::string& steps);

/// Applies the steps in turn.
void ApplyPreviewSteps(TFormSestP& preview, const std::vector<std::string>& steps);

/// The state as the transcript shows it: "strana 2 / 5 (rozsah 1-5), měřítko 100 %".
std::string PreviewState(const TFormSestP& preview);

}  // namespace axo::report

// The printout viewer: a text printout (protocol, control printout, statement rows) shown in a
// fixed-pitch font with its frame characters, scrollable, with the print action of the output
// channel and saving as a text file.
#pragma once

#include <QStringList>
#include <filesystem>
#include <functional>

#include "ui/UiServices.h"

namespace axo::gui {

class QtUi;

/// The lines of a listing file (Windows-1250, CR LF) as the viewer shows them: frame codes as box
/// characters, a page break (form feed) as an empty line.
QStringList ReadListingLines(const std::filesystem::path& file);

/// Shows the printout modally until the user closes it; "Tisk" calls `output` (the output
/// channel of the printer set-up) as often as asked.
void ShowListingViewer(QtUi& ui, const ui::ListingView& listing,
                       const std::function<void()>& output);

}  // namespace axo::gui

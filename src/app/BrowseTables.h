// The browsers over the tables the program knows, opened from a started session: the document
// lines of the fiscal year, the chart of accounts, the PAP codes and the transaction codes. Each
// shows a record a row in the list's line, names its orders, and keeps its window's size and
// place in the parameter vault under the number of the table's list window.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "pap/CodeListLines.h"
#include "pap/Records.h"
#include "startup/Session.h"
#include "ui/ListingEnvironment.h"
#include "ui/browse/Browser.h"

namespace axo::app {

enum class BrowseTable { DocumentLines, Chart, PapCodes, TransactionCodes };

/// The table a name stands for: "doklady" (or "udpo"), "rozvrh", "pap" (or "uapv"), "kody" (or
/// "ukod"), in any case; none for another name.
std::optional<BrowseTable> BrowseTableNamed(std::string_view name);
/// The names BrowseTableNamed takes first, for a message: "doklady, rozvrh, pap, kody".
std::string BrowseTableNames();

/// What a browser of the session needs: the listing (which must outlive the result), the
/// dialogs' environment, the module number and the parameter vault of the session.
ui::BrowserEnvironment BrowserEnvironmentFor(const startup::Session& session,
                                             const ui::ListingEnvironment& listing);

/// The browser over `table`, prepared: its title and column header, the O.K. button that
/// chooses a row, and with `rememberGeometry` the window number of the table's list. None when
/// the table cannot be opened (the layer has said why when it could not). The environment must
/// outlive the browser.
std::unique_ptr<ui::TBrowser> OpenTableBrowser(const startup::Session& session,
                                               const ui::BrowserEnvironment& env, BrowseTable table,
                                               bool rememberGeometry);

/// The list lines of the code lists (kept with the code lists) and of a document line.
using pap::ChartLine;
using pap::PapCodeLine;
using pap::TransactionCodeLine;
Text DocumentLineLine(const pap::tVetaUDPO& line);

}  // namespace axo::app

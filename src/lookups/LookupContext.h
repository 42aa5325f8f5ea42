// What every registry lookup works with: the UI, the transport, the register settings, the
// switches that allow the lookups, the tax office names, the vault that keeps the last result,
// and the environments of its dialogs and printouts. Commands make one from their session.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "lookups/HttpTransport.h"
#include "lookups/RegistrySettings.h"
#include "lookups/TaxOffices.h"
#include "startup/Trezor.h"
#include "ui/DialogElement.h"
#include "ui/ListingEnvironment.h"
#include "ui/UiServices.h"
#include "util/Clock.h"

namespace axo::startup {
class Session;
}

namespace axo::lookups {

/// Starts a program with its arguments and leaves it running; false when it could not start.
using ProgramStarter =
    std::function<bool(const std::string& program, const std::vector<std::string>& arguments)>;

struct LookupContext {
    ui::UiServices* ui = nullptr;
    HttpTransport* transport = nullptr;
    RegistrySettings settings;
    /// "AXO_OVERENENI_NESPOLEHLIVOSTI_PLATCEDPH_DIC": the VAT payer check and the register's
    /// web page are allowed.
    bool vatPayerCheckAllowed = true;
    /// "AXO_ARES_UDAJE_ICO": the ARES lookup is allowed.
    bool aresAllowed = true;
    /// "AXO_SPOLEHLIVOST_PLATCEDPH_ZAPSAT": the result dialog offers writing the notes checked.
    bool writeNotesPreset = false;
    const Clock* clock = &SystemClock();
    TaxOffices offices = TaxOffices::Known();
    /// The document vault in which the last check's result records are kept; none: not kept.
    startup::tTrezor* documentVault = nullptr;
    ui::DialogEnvironment dialogs;
    /// For the lists of unreliable payers; required by them.
    const ui::ListingEnvironment* listing = nullptr;
    /// The browser of the output settings; empty: "xdg-open".
    std::string browser;
    /// Starts the browser; empty: `ui::StartProgram`.
    ProgramStarter startProgram;

    ui::UiServices& Ui() const { return *ui; }
};

/// The context of a started session: its UI, switches, clock, document vault, dialog
/// environment, the register settings of its configuration file (a problem in them is shown
/// once as an error and the defaults used), the tax offices of its installation directory, and
/// the browser of its output settings. `listing` must outlive the context; the caller sets the
/// transport (made with the settings' CA file).
LookupContext LookupContextFor(const startup::Session& session,
                               const ui::ListingEnvironment& listing);

}  // namespace axo::lookups

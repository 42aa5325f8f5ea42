// The statement context of a session.
#include "app/StatementContextFor.h"

#include "app/BrowseTables.h"
#include "pap/papRolSF.h"
#include "startup/DataAreas.h"
#include "startup/SessionListing.h"
#include "util/Retezce.h"

namespace axo::app {

pap::StatementContext StatementContextFor(const startup::Session& s) {
    pap::StatementContext ctx;
    ctx.data = &s.Context();
    ctx.location = {s.AccountingDirectory(), s.CodeListDirectory(),
                    startup::FiscalYearDirectoryName(s), s.DataInstallation().CharakterFirmy};
    ctx.fiscalYear = s.FiscalYear().firstYear;
    ctx.currentMonth = s.CurrentMonth();
    ctx.dialogs = s.DialogEnv();
    ctx.listing = startup::ListingEnvironmentFor(s);
    ctx.modalPrint = s.GetSwitches().modalPrinting;
    ctx.templateDirectory = s.TemplateDirectory();
    // The margin of statement XI is typed into the result file in its browser.
    ctx.editResult = [&s](int statement, const Text& processName, pap::tFileZorvi& result) {
        const ui::ListingEnvironment listing = startup::ListingEnvironmentFor(s);
        const ui::BrowserEnvironment env = BrowserEnvironmentFor(s, listing);
        pap::EditujVysledek(s.Ui(), env, Trim(s.CurrencySign()), statement, processName, result);
    };
    return ctx;
}

}  // namespace axo::app

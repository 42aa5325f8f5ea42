// The statement context of a session.
#include "app/StatementContextFor.h"

#include "startup/DataAreas.h"
#include "startup/SessionListing.h"

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
    return ctx;
}

}  // namespace axo::app

// The code-list commands of the main menu.
#include "app/CodeListCommands.h"

#include "app/BrowseTables.h"
#include "app/StatementContextFor.h"
#include "pap/a_FiKody.h"
#include "pap/a_FiRozv.h"
#include "pap/a_Fi_PAP.h"
#include "printforms/FormPicker.h"
#include "startup/SessionListing.h"
#include "util/Retezce.h"

namespace axo::app {

pap::CodeListEnvironment CodeListEnvironmentFor(const startup::Session& session,
                                                const ui::ListingEnvironment& listing,
                                                printforms::SessionPrintForms* forms) {
    pap::CodeListEnvironment env;
    env.data = &session.Context();
    env.location = StatementContextFor(session).location;
    env.fiscalYear = session.FiscalYear().firstYear;
    env.accessLevel = session.AccessLevel();
    env.homeCurrency = Trim(session.CurrencySign());
    env.programDirectory = session.ProgramDirectory();
    env.browser = BrowserEnvironmentFor(session, listing);
    if (forms) {
        env.printForm = [forms](const Text& title, int type, std::uint16_t mask, const Text& data) {
            // A chosen report template has no data of a code list to show: the window then
            // prints its own listing.
            return printforms::SelectAndPrint(forms->Environment(), title, type, mask, data).kind ==
                   printforms::FormChoice::Kind::TextForm;
        };
    }
    return env;
}

bool IsCodeListRoutine(Routine routine) {
    return routine == Routine::UctovyRozvrh || routine == Routine::KodyTransakce ||
           routine == Routine::CiselnikPAP;
}

void RunCodeListWindow(startup::Session& session, Routine routine) {
    const ui::ListingEnvironment listing = startup::ListingEnvironmentFor(session);
    printforms::SessionPrintForms forms(session);
    const pap::CodeListEnvironment env = CodeListEnvironmentFor(session, listing, &forms);
    switch (routine) {
        case Routine::UctovyRozvrh:
            pap::AktualizaceUcRozvrhu(env);
            break;
        case Routine::KodyTransakce:
            pap::AktualizaceFilePAP_Kody(env);
            break;
        case Routine::CiselnikPAP:
            pap::AktualizaceFilePAPproVykazy(env);
            break;
        default:
            break;
    }
}

}  // namespace axo::app

// The lookup context of a session.
#include "lookups/LookupContext.h"

#include "startup/Session.h"
#include "ui/OutputSettings.h"

namespace axo::lookups {

LookupContext LookupContextFor(const startup::Session& session,
                               const ui::ListingEnvironment& listing) {
    LookupContext ctx;
    ctx.ui = &session.Ui();
    Text problem;
    ctx.settings = ReadRegistrySettings(startup::ConfigFile::Read(session.ConfigFilePath()),
                                        session.ProgramDirectory(), &problem);
    if (!problem.empty())
        session.Ui().ShowError("Chybné nastavení registrů v konfiguraci:\r"_t + problem,
                               "\rPoužije se výchozí hodnota."_t);
    const startup::Switches& switches = session.GetSwitches();
    ctx.vatPayerCheckAllowed = switches.vatPayerCheckAllowed;
    ctx.aresAllowed = switches.businessRegisterAllowed;
    ctx.writeNotesPreset = switches.writeVatPayerResult;
    ctx.clock = &session.GetClock();
    ctx.offices = TaxOffices::Read(session.ProgramDirectory());
    ctx.documentVault = session.DocumentVault();
    ctx.dialogs = session.DialogEnv();
    ctx.listing = &listing;
    ctx.browser = ToUtf8(ui::LoadOutputSettings(listing).viewer);
    return ctx;
}

}  // namespace axo::lookups

// Print forms in a started session.
#include "printforms/SessionForms.h"

#include "printforms/CodeListSources.h"
#include "startup/DataAreas.h"
#include "startup/SessionListing.h"
#include "startup/Trezor.h"
#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::printforms {

namespace {

/// The user's login record in the accounting area's user file; empty when it cannot be read.
startup::tVetaAXO_USER UserRecord(const startup::Session& session) {
    startup::tVetaAXO_USER user;
    const std::int32_t n = session.AreaAt(startup::kAreaUcetnictvi).loginRecord;
    if (n <= 0)
        return user;
    startup::tSouborAXO_USER file(session.Context());
    if (file.InitFilePath(storage::TextFromPath(session.AccountingDirectory()), 1,
                          storage::_WaitQuestion)) {
        if (n > file.BtUsedRecs() || !file.GetRec(n, &user))
            user = {};
        file.CloseFile();
    }
    return user;
}

}  // namespace

SystemAcronyms SystemAcronymsFor(const startup::Session& session) {
    SystemAcronyms v;
    const Clock& clock = session.GetClock();
    v.today = session.SystemDate().empty() ? TodayText(clock) : session.SystemDate();
    v.time = TimeText(3, clock);
    v.yearCode = startup::FiscalYearDirectoryName(session);
    const startup::tVetaAXO_DATA& d = session.DataInstallation();
    // The installation keeps some of its texts padded with blanks.
    v.firmName = TrimRight(d.NazevFirmy);
    v.firmAddress = TrimRight(d.AdresaFirmy);
    v.ico = TrimRight(d.IcoFirmy);
    v.dic = TrimRight(d.DIC);
    v.phone = TrimRight(d.TelefonFirmy);
    v.fax = TrimRight(d.FaxFirmy);
    v.register1 = TrimRight(d.OBCH_REJ1);
    v.register2 = TrimRight(d.OBCH_REJ2);
    v.unitPriceDecimals = d.SKLAD_CenaMJ_PocetDM;
    startup::tDPH_Sazba rates;
    session.Sazby_DPH_OK(session.ProgramDate(), false, rates);
    for (int i = 0; i < 3; ++i)
        v.vatRates[i] = rates.rate[i];
    v.issuer = session.Issuer();
    v.currencySign = session.CurrencySign();
    const startup::tVetaAXO_USER user = UserRecord(session);
    v.mobile = TrimRight(user.Mobil);
    v.mail = TrimRight(user.Mail);
    return v;
}

pap::PapLocation PapLocationOf(const startup::Session& session) {
    return {session.AccountingDirectory(), session.CodeListDirectory(),
            startup::FiscalYearDirectoryName(session), session.DataInstallation().CharakterFirmy};
}

ui::ListWindowEnvironment ListWindowEnvironmentFor(const startup::Session& session,
                                                   const ui::ListingEnvironment& listing) {
    ui::ListWindowEnvironment env;
    env.listing = &listing;
    env.dialog = session.DialogEnv();
    const startup::SettingsHooks vault = startup::SettingsHooksFor(session);
    env.loadSettings = vault.load;
    env.saveSettings = vault.save;
    env.deleteSettings = vault.remove;
    return env;
}

SessionPrintForms::SessionPrintForms(const startup::Session& session)
    : listing_(startup::ListingEnvironmentFor(session)),
      listWindow_(ListWindowEnvironmentFor(session, listing_)),
      catalogue_(session.Context(), session.CodeListDirectory(),
                 startup::FiscalYearDirectoryName(session), session.TemplateDirectory()) {
    constexpr int kPickerGroup = 11;
    env_.catalogue = &catalogue_;
    env_.listWindow = &listWindow_;
    env_.print.listing = &listing_;
    env_.print.system = SystemAcronymsFor(session);
    env_.print.findForm = [this](int type, const Text& name) {
        return catalogue_.Open() ? catalogue_.FindTextForm(type, name) : std::nullopt;
    };
    env_.print.dataSources = CodeListSources(session.Context(), PapLocationOf(session));
    env_.clearEntries = [&session] {
        startup::DeleteBlocks(session.DocumentVault(), kPickerGroup, -1);
    };
    env_.storeEntry = [&session](int item, const std::vector<std::uint8_t>& block) {
        startup::StoreBlock(session.DocumentVault(), kPickerGroup, item, block.data(),
                            static_cast<int>(block.size()));
    };
}

}  // namespace axo::printforms

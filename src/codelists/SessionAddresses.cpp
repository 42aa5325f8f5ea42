// The address list of a session.
#include "codelists/SessionAddresses.h"

#include "app/BrowseTables.h"
#include "codelists/ExAdPrint.h"
#include "lookups/LookupContext.h"
#include "printforms/FormPicker.h"
#include "printforms/FormTypes.h"
#include "startup/DataAreas.h"
#include "util/Retezce.h"

namespace axo::codelists {

namespace {

constexpr std::uint16_t kAllKinds = 0xFFFF;

Text PrintTitle() {
    return " Vyberte formulář pro opis externí adresy "_t;
}

}  // namespace

SessionAddresses::SessionAddresses(const startup::Session& session) : forms_(session) {
    picker_ = forms_.Environment();
    picker_.print.dataSources =
        AddressSources(session.Context(), session.CodeListDirectory(),
                       startup::FiscalYearDirectoryName(session), picker_.print.dataSources);
    book_.ui = &session.Ui();
    book_.ctx = &session.Context();
    book_.directory = session.CodeListDirectory();
    book_.yearCode = startup::FiscalYearDirectoryName(session);
    book_.browser = app::BrowserEnvironmentFor(session, forms_.Listing());
    const startup::ConfigFile config = startup::ConfigFile::Read(session.ConfigFilePath());
    book_.columns = config.ValueOr("EXTADRESY_F7"_t);
    const startup::Switches& switches = session.GetSwitches();
    book_.vatCheckAllowed = switches.vatPayerCheckAllowed;
    book_.aresAllowed = switches.businessRegisterAllowed;
    book_.showDebtLimit = switches.showDebtLimit;
    book_.transferAllowed = session.AccessLevel() >= startup::kLevelSupervisor;
    book_.programDate = session.ProgramDate();
    for (int area = 0; area < startup::kAreaCount; ++area)
        if (session.AreaLoggedIn(area))
            book_.dataAreas.push_back(session.AreaDirectory(area));
    book_.browser.printWithForm = [this](ui::TBrowser& browser) {
        auto* list = dynamic_cast<tVyberExtAdresy*>(&browser);
        if (!list)
            return false;
        const printforms::FormChoice choice =
            printforms::SelectAndPrint(picker_, PrintTitle(), printforms::kTypeExAdresy, kAllKinds,
                                       AddressPrintData(list->CurrentKey(), list->filters));
        return choice.kind == printforms::FormChoice::Kind::TextForm;
    };
    book_.withLookups = [&session, this](const auto& lookup) {
        lookups::LookupContext ctx = lookups::LookupContextFor(session, forms_.Listing());
        const std::unique_ptr<lookups::HttpTransport> transport =
            lookups::MakeCurlTransport(ctx.settings.caFile);
        ctx.transport = transport.get();
        lookup(ctx);
    };
    book_.printAddress = [this](const tVetaExtAdresa& record, const Text&) {
        AddressFilters neutral;
        printforms::SelectAndPrint(picker_, PrintTitle(), printforms::kTypeExAdresy, kAllKinds,
                                   AddressPrintData(1, neutral, record.MATCH_CODE));
    };
}

void ExterniAdresy(const startup::Session& session) {
    SessionAddresses addresses(session);
    ShowAddressList(addresses.Book());
}

}  // namespace axo::codelists

namespace axo::codelists {

ui::RecipientPicker RecipientPickerFor(const startup::Session& session) {
    return [&session](Text& name, std::vector<ui::MailContact>& contacts) {
        const SessionAddresses addresses(session);
        tVetaExtAdresa record;
        if (!PickAddressByName(addresses.Book(), name, &record))
            return false;
        name = Trim(record.NAZ_FIRM1.Get());
        contacts.clear();
        for (const EMailEA& mail : record.EMail)
            if (!Trim(mail.ADRESA.Get()).empty())
                contacts.push_back({Trim(mail.KOMU.Get()), Trim(mail.ADRESA.Get())});
        return true;
    };
}

}  // namespace axo::codelists

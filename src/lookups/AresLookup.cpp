// The ARES lookup and the register's web page.
#include "lookups/AresLookup.h"

#include "lookups/RegistryIds.h"
#include "ui/ChildProcess.h"
#include "util/Retezce.h"

namespace axo::lookups {

AresOutcome LookUpAres(LookupContext& ctx, const Text& ico) {
    AresOutcome outcome;
    const HttpRequest request{AresSubjectUrl(ctx.settings.aresUrl, ico), {}, {}, {}};
    const HttpResponse response = ctx.transport->Send(request, ctx.settings.query);
    if (response.failure == TransportFailure::HttpStatus && response.status == 404 &&
        AresNotFoundAnswer(response.body)) {
        outcome.result = AresResult::NotFound;
        return outcome;
    }
    if (!response.Ok()) {
        outcome.problem = FailureCause(response, request.url);
        return outcome;
    }
    const AresAnswer answer = ParseAresAnswer(response.body, ico);
    outcome.result = answer.result;
    outcome.address = answer.address;
    outcome.problem = answer.problem;
    return outcome;
}

std::optional<AresAddress> FillFromAres(LookupContext& ctx, const Text& icoGiven) {
    if (!ctx.aresAllowed) {
        ctx.Ui().ShowInfo(
            "předplnění evidenčních údajů organizace z Obchodního rejstříku ARES\r"
            "podle IČO\r\rje ve Vaší konfiguraci zakázáno"_t);
        return std::nullopt;
    }
    const Text ico = Trim(icoGiven);
    if (ico.empty()) {
        ctx.Ui().ShowErrorLine(
            "K vyhledání údajů v OBCHODNÍM REJSTŘÍKU \"ARES\" je nutné znát IČO.\r\rZadejte, prosím."_t);
        return std::nullopt;
    }
    if (!IcoValidForLookup(ico)) {
        ctx.Ui().ShowErrorLine("Zadané IČO : "_t + ico + " nesedí na modulo 11.\r\r"_t +
                               "Zkontrolujte správnost zadání."_t);
        return std::nullopt;
    }
    AresOutcome outcome;
    {
        const auto wait = ctx.Ui().ShowWait(
            "Čekejte, prosím, hledám údaje v\rREJSTŘÍKU EKONOMICKÝCH SUBJEKTŮ \"ARES\".\r\rIČO "_t +
            ico + "\r\r  VYHLEDÁVÁNÍ NELZE PŘERUŠIT!"_t);
        outcome = LookUpAres(ctx, ico);
    }
    switch (outcome.result) {
        case AresResult::Found:
            return outcome.address;
        case AresResult::NotFound:
            ctx.Ui().ShowErrorLine("Pro ICO "_t + ico + " nebyl nalezen žádný záznam."_t);
            return std::nullopt;
        case AresResult::Unreadable:
            break;
    }
    ctx.Ui().ShowErrorLine("Vyhledání v registru ARES se nezdařilo.\r\r"_t + outcome.problem);
    return std::nullopt;
}

std::string VatRegisterPageUrl(const RegistrySettings& settings) {
    return settings.vatWebUrl +
           "/adis/jepo/epo/dpr/apl_ramce.htm?R=/adistc/DphReg?ZPRAC=FDPHI1%26poc_dic=1%26OK=Zobraz";
}

bool OpenVatRegisterPage(LookupContext& ctx) {
    if (!ctx.vatPayerCheckAllowed) {
        ctx.Ui().ShowInfo(
            "vyhledání a zobrazení údajů evidovaných v Registru plátců DPH\r\r"
            "je ve vaší konfiguraci zakázáno"_t);
        return false;
    }
    const std::string browser = ctx.browser.empty() ? "xdg-open" : ctx.browser;
    const std::string url = VatRegisterPageUrl(ctx.settings);
    const bool started =
        ctx.startProgram ? ctx.startProgram(browser, {url}) : ui::StartProgram(browser, {url});
    if (!started)
        ctx.Ui().ShowError("Prohlížeč \""_t + FromUtf8(browser) + "\" nelze spustit."_t);
    return started;
}

}  // namespace axo::lookups

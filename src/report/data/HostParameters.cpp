// The parameters of a statement's report.
#include "report/data/HostParameters.h"

#include "util/Retezce.h"

namespace axo::report {

std::vector<Text> HostParameters(const startup::tVetaAXO_DATA& data,
                                 const startup::tVetaAXO_USER& user, const Text& currencySign) {
    return {Trim(data.NazevFirmy),
            Trim(data.AdresaFirmy),
            Trim(currencySign),
            Trim(user.Vystavil),
            Trim(data.IcoFirmy),
            Trim(data.DIC),
            Trim(data.TelefonFirmy),
            Trim(data.FaxFirmy),
            Trim(data.OBCH_REJ1),
            Trim(data.OBCH_REJ2),
            Trim(data.LIKVIDACE_ODPADU),
            Trim(data.Rezerva_Str),
            Trim(user.Mobil),
            Trim(user.Mail),
            Trim(data.Text_Preview)};
}

}  // namespace axo::report

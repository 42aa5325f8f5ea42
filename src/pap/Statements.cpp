// The statements by number.
#include "pap/Statements.h"

#include "pap/papVykaz01.h"
#include "pap/papVykaz02a03.h"
#include "pap/papVykaz04az09.h"
#include "pap/papVykaz10az13.h"
#include "pap/papVykaz10az13_od2014.h"
#include "pap/papVykaz16.h"
#include "ui/UiServices.h"

namespace axo::pap {

bool JeSestavovanyVykaz(int cislo) {
    return (cislo >= 1 && cislo <= 13) || cislo == 15 || cislo == 16;
}

bool SestavVykazCislo(StatementContext& ctx, int cislo, const Text& caption,
                      const Text& templateName, ui::ProgressPanel* externalProgress,
                      Text& resultText) {
    const bool od2014 = ctx.fiscalYear > 2013;
    switch (cislo) {
        case 1:
            return SestavVykazI(ctx, caption, templateName, externalProgress, resultText, nullptr,
                                false);
        case 2:
        case 3:
            return SestavVykazII_III(ctx, cislo, caption, templateName, externalProgress,
                                     resultText, nullptr, false);
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 9:
            return SestavVykazIV_IX(ctx, cislo, caption, templateName, externalProgress, resultText,
                                    nullptr, false);
        case 10:
            return od2014 ? SestavVykazX(ctx, caption, templateName, externalProgress, resultText)
                          : SestavVykazX_2013(ctx, caption, templateName, externalProgress,
                                              resultText);
        case 11:
            return od2014 ? SestavVykazXI(ctx, caption, templateName, externalProgress, resultText)
                          : SestavVykazXI_2013(ctx, caption, templateName, externalProgress,
                                               resultText);
        case 12:
        case 13:
            return SestavVykazXII_XIII(ctx, cislo, caption, templateName, resultText,
                                       externalProgress);
        case 15:
            return SestavVykazXV(ctx, caption, templateName, externalProgress, resultText, nullptr,
                                 false);
        case 16:
            return SestavVykazXVI(ctx, caption, templateName, externalProgress, resultText);
        default:
            return false;
    }
}

std::unique_ptr<tPAP_Vykaz> VytvorVykaz(StatementContext& ctx, int cislo,
                                        const VolaniVykazu& volani) {
    const bool od2014 = ctx.fiscalYear > 2013;
    VolaniVykazu bezDavky = volani;
    bezDavky.batch = false;
    bezDavky.batchParams = nullptr;
    switch (cislo) {
        case 1:
            return std::make_unique<tPAP_Vykaz01>(ctx, volani);
        case 2:
        case 3:
            return std::make_unique<tPAP_Vykaz02_03>(ctx, cislo, volani);
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 9:
            if (ctx.fiscalYear > 2021 && cislo == 9) {
                ctx.Ui().ShowInfo("Výkaz č. IX se od roku 2022 nepodává (byl zrušen)"_t);
                return nullptr;
            }
            return std::make_unique<tPAP_Vykaz04_09>(ctx, cislo, volani);
        case 10:
            if (od2014)
                return std::make_unique<tPAP_Vykaz10>(ctx, bezDavky);
            return std::make_unique<tPAP_Vykaz10_2013>(ctx, bezDavky);
        case 11:
            if (od2014)
                return std::make_unique<tPAP_Vykaz11>(ctx, bezDavky);
            return std::make_unique<tPAP_Vykaz11_2013>(ctx, bezDavky);
        case 12:
        case 13:
            return std::make_unique<tPAP_Vykaz12_13>(ctx, cislo, bezDavky);
        case 15:
            return std::make_unique<tPAP_Vykaz15>(ctx, volani);
        case 16:
            return std::make_unique<tPAP_Vykaz16>(ctx, bezDavky);
        default:
            return nullptr;
    }
}

bool SadaVykazu::Pridej(int cislo, const VolaniVykazu& volani) {
    std::unique_ptr<tPAP_Vykaz> vykaz = VytvorVykaz(ctx_, cislo, volani);
    if (!vykaz)
        return false;
    vykazy_.push_back(std::move(vykaz));
    return true;
}

bool SadaVykazu::Kumuluj() {
    std::vector<tPAP_Vykaz*> pripravene;
    for (const std::unique_ptr<tPAP_Vykaz>& v : vykazy_) {
        if (!v->Priprav()) {
            for (tPAP_Vykaz* p : pripravene)
                p->ZavriTabulky();
            return false;
        }
        pripravene.push_back(v.get());
    }
    if (KumulujSpolecne(pripravene, ctx_.accountOrderPass))
        return true;
    for (tPAP_Vykaz* p : pripravene)
        p->ZavriTabulky();
    return false;
}

bool SadaVykazu::Dokonci(std::size_t i, Text& resultText) {
    return DokonciVykaz(*vykazy_[i], resultText);
}

}  // namespace axo::pap

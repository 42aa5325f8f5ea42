// The statements by number.
#include "pap/Statements.h"

#include "pap/papVykaz01.h"
#include "pap/papVykaz02a03.h"
#include "pap/papVykaz04az09.h"
#include "pap/papVykaz10az13.h"
#include "pap/papVykaz10az13_od2014.h"
#include "pap/papVykaz16.h"

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

}  // namespace axo::pap

// The texts of expression errors as the check shows them.
#include "report/expr/Expression.h"
#include "util/Cisla.h"

namespace axo::report {

Text ExprErrorText(int code) {
    switch (code) {
        case kExprOk:
            return {};
        case kExprUnknownName:
            return "Neznámý název"_t;
        case kExprUnexpected:
            return "Neočekávaný znak nebo operátor"_t;
        case kExprTooComplex:
            return "Výraz je příliš složitý"_t;
        case kExprCloseWithoutOpen:
            return "Uzavírací závorka bez otevírací"_t;
        case kExprMissingClose:
            return "Chybí uzavírací závorka"_t;
        case kExprInvalidArithmetic:
            return "Dělení nulou nebo neplatná mocnina"_t;
        case kExprBadNumber:
            return "Chybně zapsané číslo"_t;
        case kExprArgumentCount:
            return "Nesprávný počet parametrů funkce"_t;
        case kExprTooManyArguments:
            return "Příliš mnoho parametrů funkce"_t;
        case kExprOpenText:
            return "Neukončený text"_t;
        case kExprOpenDate:
            return "Neukončené datum"_t;
        default:
            return "Chyba číslo "_t + IntToText(code);
    }
}

Text ExprCheckMessage(const ExprError& error) {
    if (error.code == kExprOk)
        return "Výraz je v pořádku."_t;
    return "Chyba : \""_t + ExprErrorText(error.code) + "\" na pozici "_t +
           IntToText(error.position);
}

}  // namespace axo::report

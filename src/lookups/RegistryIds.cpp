// Checking the identifiers sent to the registers.
#include "lookups/RegistryIds.h"

#include <algorithm>

#include "control/CheckRecordPap.h"

namespace axo::lookups {

namespace {

bool AllDigits(const Text& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool DicValid(const Text& dic) {
    return DicProblem(dic).empty();
}

Text DicProblem(const Text& dic) {
    if (dic.empty())
        return "K vyhledání údajů o případné NESPOLEHLIVOSTI PLÁTCE je nutné znát DIČ.\r\r"
               "Zadejte, prosím."_t;
    if (!dic.StartsWith("CZ"_t))
        return "Zadané DIČ musí začínat \"CZ\"!"_t;
    const Text digits = dic.substr(2);
    if (digits.empty())
        return "Nezadán kmenový kód DIČ!"_t;
    if (digits.size() < 8 || digits.size() > 10 || !AllDigits(digits))
        return "Zadané DIČ "_t + dic + " nemá za \"CZ\" 8 až 10 číslic."_t;
    return {};
}

bool IcoValidForLookup(const Text& ico) {
    const Text special = ico.substr(0, 5) == "00000"_t ? ico.substr(5) : Text();
    const bool specialValue =
        special == "111"_t || special == "222"_t || special == "333"_t || special == "444"_t;
    return ico.size() == 8 && AllDigits(ico) && !specialValue && control::IcoCheckDigitValid(ico);
}

}  // namespace axo::lookups

// Form types, template kinds and template file names.
#include "printforms/FormTypes.h"

#include <array>
#include <string_view>

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::printforms {

namespace {

/// The type names by number; number 6 is not assigned.
constexpr std::array<std::string_view, 60> kTypeNames = {
    "POKLADNA",
    "SKLADOKLAD",
    "VSSKLADOK",
    "FAKTURA",
    "OSTATNI",
    "NAKLIST",
    "",
    "OBJEDNAVKY",
    "SKLADKARTY",
    "ADRESY",
    "BANKA",
    "LFD",
    "PRIKAZKUHRADE",
    "MAJKARSL",
    "MAJKARTA",
    "MAJPREDKON",
    "UCTO",
    "UPOMINKA",
    "VYKAZ",
    "ALGORITMUS",
    "PLANUCTU",
    "PARAMETRYPLANU",
    "UCVOLIT",
    "KUMSKLDOK",
    "VYKAZ_DPH",
    "SDVOLIT",
    "FVVOLIT",
    "LFDVOLIT",
    "POHLEDAVKY",
    "KNIHAZAKAZEK",
    "ZAVAZKY",
    "UCROZVRH",
    "STREDISKA",
    "DRDOKLADU",
    "DRZDPLNENI",
    "ZAKAZKY",
    "EXADRESY",
    "VLADRESY",
    "KURZLISTEK",
    "SKLADY",
    "POHYBYNASKLADU",
    "POKLADNY",
    "POKLPRIPADY",
    "KFV",
    "FP",
    "LKFD",
    "LFP",
    "MAJTYPYPOH",
    "MAJTYPYMAJ",
    "KARTYZASOB",
    "HLASENI_EU",
    "SKLAD_INTRASTAT",
    "ZAKAZKOVY_LIST",
    "KZL",
    "MAJPRE",
    "UKOLY",
    "KOMPENZACE",
    "HLASENI_EVD",
    "PAP_VYKAZY",
    "POKLUCPLATEB",
};

struct VariantBit {
    int type;
    std::string_view word;
    std::uint16_t bits;
};

constexpr VariantBit kVariants[] = {
    {0, "PRIJEM", 2},
    {0, "VYDAJ", 4},
    {0, "PROUCPROD", 8},
    {1, "PRIJEMKA", 1},
    {1, "VYDEJKA", 2},
    {1, "PRODEJKA", 4},
    {1, "PREVODKA-PRIJEM", 8},
    {1, "PREVODKA-VYDEJ", 16},
    {2, "POCATSTAV", 1},
    {2, "REZERVACE", 2},
    {2, "CENNABIDKA", 4},
    {2, "INVENTURA", 8},
    {2, "FUNKCNICELEK", 32},
    {2, "ODLOZENYDOKLAD", 64},
    {3, "UPOMINKA", 2},
    {3, "NARODNI_MENA", 4},
    {3, "CIZI_MENA", 8},
    {3, "ZALOHA_NARODNI_MENA", 16},
    {3, "ZALOHA_CIZI_MENA", 32},
    {3, "STITKY", 128},
    {3, "DOKLAD", 256},
    {12, "HROMADNY", 2},
    {12, "JEDNORAZOVY", 4},
    {12, "VCIZIMENE", 8},
    {13, "SLOUPCOVY", 2},
    {13, "INVENTURA", 4},
    {13, "PREHLED", 8},
    {16, "UCDOKLADSZ", 2},
    {16, "UCDOKLADS", 4},
    {16, "UCDOKLADZ", 8},
    {16, "UCDOKLAD", 16},
    {16, "UCVOLITELNA", 32},
    {16, "UCDOKLAD_DPH", 64},
    {23, "PRIJEMKA", 1},
    {23, "VYDEJKA", 2},
    {23, "PRODEJKA", 4},
    {24, "SLOVENSKO", 2},
    {24, "DODATECNE", 4},
    {37, "VA", 2},
    {37, "FU", 4},
    {43, "KFV", 2},
    {43, "KZL", 4},
    {51, "PRIJETI", 2},
    {51, "ODESLANI", 4},
    {52, "VYKONY", 2},
    {52, "FP", 4},
    {52, "POZN", 8},
    {54, "PREHLED", 2},
    {58, "I", 2},
    {58, "II-III", 4},
    {58, "IV-IX", 24},
    {58, "IV-IX-KOMPLET", 24},
    {58, "X", 32},
    {58, "XI", 64},
    {58, "XII", 128},
    {58, "XIII", 256},
    {58, "XV", 512},
    {58, "XVI", 1024},
};

/// The pre-posting variants every type knows.
constexpr VariantBit kPrePostings[] = {
    {-1, "PREDKONTACE", 4096},
    {-1, "PREDKONTACESZ", 8192},
    {-1, "PREDKONTACES", 16384},
    {-1, "PREDKONTACEZ", 32768},
};

/// A name as types and variant words are compared: trimmed, upper-cased, at most 20.
Text Word20(const Text& text) {
    return NationalUpperCase(Trim(text)).substr(0, 20);
}

}  // namespace

int FormTypeNumber(const Text& name) {
    const Text word = Word20(name);
    if (word.empty())
        return kUnknownFormType;
    for (std::size_t i = 0; i < kTypeNames.size(); ++i)
        if (word.View() == kTypeNames[i])
            return static_cast<int>(i);
    return kUnknownFormType;
}

Text FormTypeName(int number) {
    if (number < 0 || number >= static_cast<int>(kTypeNames.size()))
        return {};
    return Text::FromBytes(kTypeNames[static_cast<std::size_t>(number)]);
}

int ParseFormType(const Text& text) {
    if (const auto n = TryTextToInt(text))
        return *n >= 0 && *n < static_cast<long long>(kTypeNames.size()) &&
                       !FormTypeName(static_cast<int>(*n)).empty()
                   ? static_cast<int>(*n)
                   : kUnknownFormType;
    return FormTypeNumber(text);
}

std::uint16_t TemplateKind(int type, const Text& variantWord) {
    const Text word = Word20(variantWord);
    if (word.empty())
        return 1;
    for (const VariantBit& v : kPrePostings)
        if (word.View() == v.word)
            return v.bits;
    for (const VariantBit& v : kVariants)
        if (v.type == type && word.View() == v.word)
            return v.bits;
    return 0;
}

TemplateFileName SplitTemplateFileName(const Text& fileName) {
    TemplateFileName words;
    const std::size_t typeEnd = fileName.View().find_first_of(" .");
    words.typeWord = fileName.substr(0, typeEnd);
    if (typeEnd == Text::npos || fileName[typeEnd] != ' ')
        return words;
    const std::size_t variantEnd = fileName.View().find_first_of(" .", typeEnd + 1);
    words.variantWord = fileName.substr(
        typeEnd + 1, variantEnd == Text::npos ? Text::npos : variantEnd - typeEnd - 1);
    return words;
}

}  // namespace axo::printforms

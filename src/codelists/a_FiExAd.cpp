// The external address table: its description, keys, notes, and the classification rules.
#include "codelists/a_FiExAd.h"

#include <algorithm>

#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::codelists {

namespace {

using storage::KeyTable;

const tVetaExtAdresa& As(const void* buffer) {
    return *static_cast<const tVetaExtAdresa*>(buffer);
}

void SetKey(KeyTable& keys, int k, int length, bool duplicates) {
    keys[static_cast<std::size_t>(k)].length = static_cast<std::uint8_t>(length);
    keys[static_cast<std::size_t>(k)].duplicates = duplicates;
}

Text Key(const Text& text, std::size_t width) {
    return FixedKeyText(text, width);
}

/// The value of a classification made of digits only (at most 10 of them); none otherwise.
std::optional<unsigned long long> NumericClassification(const Text& classification) {
    if (classification.empty() || classification.size() > kClassificationLength)
        return std::nullopt;
    unsigned long long value = 0;
    for (char ch : classification) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned long long>(ch - '0');
    }
    return value;
}

storage::FieldList BuildFields() {
    storage::FieldList fields;
    auto add = [&fields](const char* name, const char* type) {
        storage::AddField(fields, FromUtf8(name), FromUtf8(type));
    };
    auto numbered = [&add](const char* prefix, int n, const char* type) {
        const std::string name = prefix + std::to_string(n);
        add(name.c_str(), type);
    };
    add("MATCH_CODE", "Str10");
    add("PLATNOST", "byte");
    add("ICO", "Str10");
    add("DIC_FIRM", "DIC_Str");
    add("OSOBA", "byte");
    for (int i = 1; i <= 3; ++i)
        numbered("NAZ_FIRM", i, "Str30");
    const char* middle[][2] = {
        {"ADR_FIRM", "Str30"}, {"MESTO_FIRM", "Str25"}, {"PSC_FIRM", "Str10"}, {"BS", "Str18"},
        {"NAZ_UST", "Str50"},  {"SPEC_SYM", "Str10"},   {"ZVL_DISP", "Word"},  {"TELEF", "Str20"},
        {"FAX", "Str20"},      {"TELEX", "Str20"},
    };
    for (const auto& f : middle)
        add(f[0], f[1]);
    for (int i = 1; i <= 3; ++i)
        numbered("PRIJEM", i, "Str30");
    for (int i = 1; i <= 2; ++i)
        numbered("KON_PRIJM", i, "Str20");
    for (int i = 1; i <= 14; ++i)
        numbered("POZN", i, "Str35");
    add("Splatnost", "Word");
    add("TypPC", "Byte");
    add("Region", "str8");
    add("Stat", "str30");
    for (int i = 1; i <= 5; ++i) {
        numbered("EMail_KOMU", i, "str30");
        numbered("EMail_ADRESA", i, "str50");
    }
    const char* after[][2] = {
        {"WWW", "str50"},        {"RizeniEditace", "LongInt"},
        {"NOTES", "ANSISTRING"}, {"LIKVIDACE_ODPADU", "str30"},
        {"LICENCE", "str20"},    {"POVAHA", "byte"},
        {"IBAN", "str42"},       {"SWIFT", "str30"},
        {"FORM_UHR", "Byte"},    {"STAT_ZKRATKA", "str2"},
        {"KRAJ", "str2"},
    };
    for (const auto& f : after)
        add(f[0], f[1]);
    for (int i = 0; i <= 20; ++i) {
        const std::string n = std::to_string(i);
        add(("SLEVY" + n + "PROCENTO").c_str(), "double");
        add(("SLEVY" + n + "KTG").c_str(), "str3");
        add(("SLEVY" + n + "PC").c_str(), "byte");
    }
    const char* tail[][2] = {
        {"EX_LINE_SLEVA", "boolean"},
        {"DEALER", "str4"},
        {"MENA", "str3"},
        {"TYP", "byte"},
        {"POSL_ZMENA", "str10"},
        {"NAZ_FIRM4", "Str30"},
        {"PRIJEM4", "Str30"},
        {"KON_PRIJM3", "Str20"},
    };
    for (const auto& f : tail)
        add(f[0], f[1]);
    for (int i = 1; i <= 4; ++i)
        numbered("OBALKA_Firma", i, "str30");
    const char* envelope[][2] = {
        {"OBALKA_Ulice", "str30"}, {"OBALKA_Mesto", "str30"},         {"OBALKA_PSC", "str10"},
        {"OBALKA_Stat", "str30"},  {"OKAMZITA_SPLATNOST", "boolean"}, {"FORMA_UHRADY", "byte"},
    };
    for (const auto& f : envelope)
        add(f[0], f[1]);
    for (int i = 1; i <= 4; ++i)
        numbered("ADRESA_BANKY", i, "str35");
    const char* last[][2] = {
        {"SPZvozu", "str10"},      {"SIPO", "str20"},           {"SKUP_DIC_FIRM", "DIC_Str"},
        {"HOSP_SMLOUVA", "str18"}, {"STREDISKO_EA", "longint"}, {"FILLER", "string"},
    };
    for (const auto& f : last)
        add(f[0], f[1]);
    for (int i = 1; i <= 5; ++i) {
        numbered("BANK_SPOJENI_", i, "str152");
        numbered("ADRESA_BANKY_", i, "str140");
    }
    add("MENA_DODAVATEL", "str3");
    add("SPLATNOST_LFD", "Word");
    add("OKAMZITA_SPLATNOST_LFD", "boolean");
    add("EPAR", "Str70");
    return fields;
}

}  // namespace

const storage::FieldList& ExtAdresaFields() {
    static const storage::FieldList fields = BuildFields();
    return fields;
}

tExtAdresy::tExtAdresy(const storage::DataContext& ctx, const std::filesystem::path& directory,
                       const Text& yearCode)
    : tSoubor(ctx),
      directory_(directory),
      directoryText_(storage::TextFromPath(directory)),
      yearCode_(yearCode) {
    if (!directoryText_.empty() && directoryText_.back() != '/')
        directoryText_ += '/';
}

void tExtAdresy::Describe(Text& fileName, Text& title, KeyTable& keys, int& keyCount,
                          int& recordLength) {
    fileName = "EXAD"_t + yearCode_;
    title = "Číselník externích adres"_t;
    SetDirectories(directoryText_, directoryText_);
    SetKey(keys, 1, 25, true);
    SetKey(keys, 2, 30, true);
    SetKey(keys, 3, 10, false);
    SetKey(keys, 4, 10, true);
    SetKey(keys, 5, 10, true);
    SetKey(keys, 6, 15, true);
    SetKey(keys, 7, 120, true);
    SetKey(keys, 8, 20, true);
    SetKey(keys, 9, 30, true);
    keyCount = 9;
    recordLength = sizeof(tVetaExtAdresa);
    for (const storage::FieldDef& f : ExtAdresaFields())
        AddField(f.name, f.typeName);
}

Text tExtAdresy::MakeKey(int k, const void* buffer) {
    const tVetaExtAdresa& r = As(buffer);
    switch (k) {
        case 1:
            return Key(r.MESTO_FIRM, 25);
        case 2:
            return Key(r.NAZ_FIRM1, 30);
        case 3:
            return Key(r.MATCH_CODE, 10);
        case 4:
            return Key(r.PSC_FIRM, 10);
        case 5:
            return Key(r.ICO, 10);
        case 6:
            return Key(r.DIC_FIRM, 15);
        case 7:
            return Key(r.PRIJEM1, 30) + Key(r.PRIJEM2, 30) + Key(r.PRIJEM3, 30) +
                   Key(r.PRIJEM4, 30);
        case 8:
            return Key(r.SPZvozu, 10) + Key(r.MATCH_CODE, 10);
        case 9:
            return Key(r.SIPO, 20) + Key(r.MATCH_CODE, 10);
        default:
            return tSoubor::MakeKey(k, buffer);
    }
}

bool tExtAdresy::GetRec(std::int32_t n, void* buffer) {
    const bool read = tSoubor::GetRec(n, buffer);
    notes_ = read ? ReadMemo("NOTES"_t) : Text();
    return read;
}

Text tExtAdresy::MemoText(std::size_t, const void*) {
    return notes_;
}

Text OrderField(const tVetaExtAdresa& r, int k) {
    switch (k) {
        case 1:
            return r.MESTO_FIRM;
        case 2:
            return r.NAZ_FIRM1;
        case 3:
            return r.MATCH_CODE;
        case 4:
            return r.PSC_FIRM;
        case 5:
            return r.ICO;
        case 6:
            return r.DIC_FIRM;
        case 7:
            return r.PRIJEM1;
        case 8:
            return r.SPZvozu;
        case 9:
            return r.SIPO;
        default:
            return {};
    }
}

ClassificationCounter::ClassificationCounter(storage::tSoubor& table) : table_(table) {
    // Classifications sort as texts ("100" before "99"), so the highest number is found by
    // walking them all; letters do not stop the numbering, they are passed over.
    bool any = false;
    std::int32_t n = 0;
    Text key;
    table.BtClearKey(3);
    while (table.BtNextKey(3, n, key)) {
        const Text code = Trim(key);
        const std::optional<unsigned long long> value = NumericClassification(code);
        if (!value)
            continue;
        if (!any || *value > highest_) {
            highest_ = *value;
            width_ = code.size();
        } else if (*value == highest_) {
            width_ = std::max(width_, code.size());
        }
        any = true;
    }
    if (!any)
        width_ = kClassificationLength;
}

std::optional<Text> ClassificationCounter::Next() {
    for (unsigned long long next = highest_ + 1;; ++next) {
        Text candidate = IntToText(static_cast<long long>(next));
        if (candidate.size() > kClassificationLength)
            return std::nullopt;
        if (candidate.size() < width_)
            candidate = Text(width_ - candidate.size(), '0') + candidate;
        std::int32_t found = 0;
        if (!table_.BtFindKey(3, found, Key(candidate, 10))) {
            highest_ = next;
            return candidate;
        }
    }
}

std::optional<Text> NextFreeClassification(storage::tSoubor& table) {
    return ClassificationCounter(table).Next();
}

bool FindAddressByClassification(const Text& classification, tExtAdresy& table,
                                 tVetaExtAdresa& record, std::int32_t* n) {
    const Text code = Trim(classification);
    if (code.empty() || code.size() > kClassificationLength)
        return false;
    std::int32_t found = 0;
    if (!table.BtFindKey(3, found, Key(code, 10)))
        return false;
    if (!table.GetRec(found, &record))
        return false;
    if (n)
        *n = found;
    return true;
}

Text PartnerName(tExtAdresy& table, const Text& ico) {
    const Text wanted = Trim(ico);
    std::int32_t n = 0;
    tVetaExtAdresa r{};
    if (wanted.empty() || !table.BtFindKey(5, n, Key(wanted, 10)) || !table.GetRec(n, &r))
        return {};
    return Trim(r.NAZ_FIRM1);
}

}  // namespace axo::codelists

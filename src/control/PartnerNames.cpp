// The external address list read for partner names.
#include "control/PartnerNames.h"

#include <algorithm>
#include <cstring>

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::control {

namespace {

/// The fields of the record in their stored order: name and type, a count > 1 numbering the
/// name from 1 (NAZ_FIRM1 ... NAZ_FIRM3).
struct FieldRun {
    const char* name;
    const char* type;
    int count;
};

constexpr FieldRun kHead[] = {
    {"MATCH_CODE", "Str10", 1}, {"PLATNOST", "byte", 1},    {"ICO", "Str10", 1},
    {"DIC_FIRM", "DIC_Str", 1}, {"OSOBA", "byte", 1},       {"NAZ_FIRM", "Str30", 3},
    {"ADR_FIRM", "Str30", 1},   {"MESTO_FIRM", "Str25", 1}, {"PSC_FIRM", "Str10", 1},
    {"BS", "Str18", 1},         {"NAZ_UST", "Str50", 1},    {"SPEC_SYM", "Str10", 1},
    {"ZVL_DISP", "Word", 1},    {"TELEF", "Str20", 1},      {"FAX", "Str20", 1},
    {"TELEX", "Str20", 1},      {"PRIJEM", "Str30", 3},     {"KON_PRIJM", "Str20", 2},
    {"POZN", "Str35", 14},      {"Splatnost", "Word", 1},   {"TypPC", "Byte", 1},
    {"Region", "str8", 1},      {"Stat", "str30", 1},
};

constexpr FieldRun kMiddle[] = {
    {"WWW", "str50", 1},        {"RizeniEditace", "LongInt", 1},
    {"NOTES", "ANSISTRING", 1}, {"LIKVIDACE_ODPADU", "str30", 1},
    {"LICENCE", "str20", 1},    {"POVAHA", "byte", 1},
    {"IBAN", "str42", 1},       {"SWIFT", "str30", 1},
    {"FORM_UHR", "Byte", 1},    {"STAT_ZKRATKA", "str2", 1},
    {"KRAJ", "str2", 1},
};

constexpr FieldRun kTail[] = {
    {"EX_LINE_SLEVA", "boolean", 1},
    {"DEALER", "str4", 1},
    {"MENA", "str3", 1},
    {"TYP", "byte", 1},
    {"POSL_ZMENA", "str10", 1},
    {"NAZ_FIRM4", "Str30", 1},
    {"PRIJEM4", "Str30", 1},
    {"KON_PRIJM3", "Str20", 1},
    {"OBALKA_Firma", "str30", 4},
    {"OBALKA_Ulice", "str30", 1},
    {"OBALKA_Mesto", "str30", 1},
    {"OBALKA_PSC", "str10", 1},
    {"OBALKA_Stat", "str30", 1},
    {"OKAMZITA_SPLATNOST", "boolean", 1},
    {"FORMA_UHRADY", "byte", 1},
    {"ADRESA_BANKY", "str35", 4},
    {"SPZvozu", "str10", 1},
    {"SIPO", "str20", 1},
    {"SKUP_DIC_FIRM", "DIC_Str", 1},
    {"HOSP_SMLOUVA", "str18", 1},
    {"STREDISKO_EA", "longint", 1},
    {"FILLER", "string", 1},
};

constexpr FieldRun kEnd[] = {
    {"MENA_DODAVATEL", "str3", 1},
    {"SPLATNOST_LFD", "Word", 1},
    {"OKAMZITA_SPLATNOST_LFD", "boolean", 1},
    {"EPAR", "Str70", 1},
};

}  // namespace

tExtAdresy::tExtAdresy(const storage::DataContext& ctx, const pap::PapLocation& where)
    : PapTable(ctx, where.codeListDirectory, "EXAD"_t + where.yearCode) {}

void tExtAdresy::Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                          int& recordLength) {
    DescribeCommon(fileName, title, "Číselník externích adres"_t);
    const int lengths[] = {25, 30, 10, 10, 10, 15, 120, 20, 30};
    for (std::size_t k = 1; k <= 9; ++k) {
        keys[k].length = static_cast<std::uint8_t>(lengths[k - 1]);
        keys[k].duplicates = k != 3;
    }
    keyCount = 9;
    recordLength = static_cast<int>(kExtAdresaLength);
    const auto add = [this](const auto& runs) {
        for (const FieldRun& f : runs) {
            if (f.count == 1) {
                AddField(FromUtf8(f.name), FromUtf8(f.type));
                continue;
            }
            for (int i = 1; i <= f.count; ++i)
                AddField(FromUtf8(f.name) + IntToText(i), FromUtf8(f.type));
        }
    };
    add(kHead);
    for (int i = 1; i <= 5; ++i) {
        AddField("EMail_KOMU"_t + IntToText(i), "str30"_t);
        AddField("EMail_ADRESA"_t + IntToText(i), "str50"_t);
    }
    add(kMiddle);
    for (int i = 0; i <= 20; ++i) {
        const Text n = IntToText(i);
        AddField("SLEVY"_t + n + "PROCENTO"_t, "double"_t);
        AddField("SLEVY"_t + n + "KTG"_t, "str3"_t);
        AddField("SLEVY"_t + n + "PC"_t, "byte"_t);
    }
    add(kTail);
    for (int i = 1; i <= 5; ++i) {
        AddField("BANK_SPOJENI_"_t + IntToText(i), "str152"_t);
        AddField("ADRESA_BANKY_"_t + IntToText(i), "str140"_t);
    }
    add(kEnd);
}

Text tExtAdresy::MakeKey(int k, const void* buffer) {
    const auto& r = *static_cast<const ExtAdresa*>(buffer);
    const auto text = [&r](std::size_t offset, std::size_t capacity) {
        return pap::KeyText(r.Field(offset, capacity), capacity);
    };
    const Text matchCode = text(0, 10);
    switch (k) {
        case 1:
            return text(164, 25);  // MESTO_FIRM
        case 2:
            return text(kExtAdresaNameOffset, 30);
        case 3:
            return matchCode;
        case 4:
            return text(190, 10);  // PSC_FIRM
        case 5:
            return text(kExtAdresaIcoOffset, 10);
        case 6:
            return text(23, 15);  // DIC_FIRM
        case 7:
            return text(347, 30) + text(378, 30) + text(409, 30) + text(1958, 30);  // PRIJEM1-4
        case 8:
            return text(2384, 10) + matchCode;  // SPZvozu
        case 9:
            return text(2395, 20) + matchCode;  // SIPO
        default:
            return tSoubor::MakeKey(k, buffer);
    }
}

Text ExtAdresa::Field(std::size_t offset, std::size_t capacity) const {
    const std::size_t length = std::min<std::size_t>(bytes[offset], capacity);
    return Text::FromBytes(
        std::string_view(reinterpret_cast<const char*>(bytes) + offset + 1, length));
}

void ExtAdresa::SetField(std::size_t offset, std::size_t capacity, const Text& text) {
    const std::size_t length = std::min(capacity, text.size());
    bytes[offset] = static_cast<unsigned char>(length);
    std::memset(bytes + offset + 1, 0, capacity);
    std::memcpy(bytes + offset + 1, text.data(), length);
}

PartnerNames::PartnerNames(const storage::DataContext& ctx, const pap::PapLocation& where)
    : file_(std::make_unique<tExtAdresy>(ctx, where)) {}

bool PartnerNames::Open() {
    return file_->InitFile(1, storage::_NoWait);
}

void PartnerNames::Close() {
    if (file_->Opened())
        file_->CloseFile();
}

Text PartnerNames::Name(const Text& ico) {
    const Text partner = Trim(ico);
    if (partner.empty() || !file_->Opened())
        return {};
    auto it = names_.find(partner);
    if (it != names_.end())
        return it->second;
    Text name;
    std::int32_t n = 0;
    // The record lives on the heap: it is too large to sit on the stack of every look-up.
    auto record = std::make_unique<ExtAdresa>();
    if (file_->BtFindKey(5, n, pap::KeyText(partner, 10)) && file_->GetRec(n, record.get()))
        name = record->Name();
    return names_.emplace(partner, name).first->second;
}

}  // namespace axo::control

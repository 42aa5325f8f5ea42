// Field access by name and the checks of an address.
#include "codelists/ExAdFields.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::codelists {

namespace {

using storage::FieldType;

std::vector<AddressField> BuildFields() {
    storage::FieldList fields = ExtAdresaFields();
    storage::KeyTable keys{};
    for (int k = 1; k <= 9; ++k)
        keys[static_cast<std::size_t>(k)].length = 1;
    const storage::StructureCheck check =
        storage::CheckStructure(fields, 9, keys, sizeof(tVetaExtAdresa), nullptr);
    std::vector<AddressField> out;
    for (std::size_t i = 0; i < fields.size() && i < check.layout.size(); ++i)
        out.push_back({fields[i].name, check.layout[i]});
    return out;
}

template <class T>
T Load(const tVetaExtAdresa& r, int offset) {
    T v{};
    std::memcpy(&v, reinterpret_cast<const char*>(&r) + offset, sizeof(T));
    return v;
}

template <class T>
void Store(tVetaExtAdresa& r, int offset, T v) {
    std::memcpy(reinterpret_cast<char*>(&r) + offset, &v, sizeof(T));
}

/// A whole number from `min` to `max`; false with the reason otherwise.
bool Whole(const Text& value, long long min, long long max, long long& out, Text& reason) {
    const std::optional<long long> n = value.empty() ? 0LL : TryTextToInt(Trim(value));
    if (!n || *n < min || *n > max) {
        reason = "není celé číslo "_t + IntToText(min) + " až "_t + IntToText(max);
        return false;
    }
    out = *n;
    return true;
}

bool AllDigits(const Text& t) {
    for (char ch : t)
        if (ch < '0' || ch > '9')
            return false;
    return true;
}

bool Letter(char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

}  // namespace

const std::vector<AddressField>& AddressFields() {
    static const std::vector<AddressField> fields = BuildFields();
    return fields;
}

const AddressField* FindAddressField(const Text& name) {
    const Text wanted = UpperCase(Trim(name));
    for (const AddressField& f : AddressFields())
        if (UpperCase(f.name) == wanted)
            return &f;
    return nullptr;
}

Text AddressFieldText(const tVetaExtAdresa& r, const AddressField& f) {
    const int at = f.layout.offset;
    switch (f.layout.type) {
        case FieldType::String: {
            const auto* bytes = reinterpret_cast<const unsigned char*>(&r) + at;
            const std::size_t len = std::min<std::size_t>(bytes[0], f.layout.length);
            return Text::FromBytes(std::string_view(reinterpret_cast<const char*>(bytes) + 1, len));
        }
        case FieldType::Byte:
        case FieldType::Boolean:
            return IntToText(Load<std::uint8_t>(r, at));
        case FieldType::Word:
            return IntToText(Load<std::uint16_t>(r, at));
        case FieldType::Integer:
        case FieldType::LongInt:
            return IntToText(Load<std::int32_t>(r, at));
        case FieldType::Double:
        case FieldType::Real:
            return ShortestRealText(Load<double>(r, at));
        case FieldType::Single:
            return ShortestRealText(Load<float>(r, at));
        case FieldType::AnsiString:
            return {};
    }
    return {};
}

bool SetAddressField(tVetaExtAdresa& r, const AddressField& f, const Text& value, Text& reason) {
    const int at = f.layout.offset;
    long long n = 0;
    switch (f.layout.type) {
        case FieldType::String: {
            if (value.size() > static_cast<std::size_t>(f.layout.length)) {
                reason = "je delší než "_t + IntToText(f.layout.length) + " znaků"_t;
                return false;
            }
            auto* bytes = reinterpret_cast<unsigned char*>(&r) + at;
            std::memset(bytes, 0, static_cast<std::size_t>(f.layout.size));
            bytes[0] = static_cast<unsigned char>(value.size());
            std::memcpy(bytes + 1, value.data(), value.size());
            return true;
        }
        case FieldType::Boolean:
            if (!Whole(value, 0, 1, n, reason))
                return false;
            Store<std::uint8_t>(r, at, static_cast<std::uint8_t>(n));
            return true;
        case FieldType::Byte:
            if (!Whole(value, 0, 255, n, reason))
                return false;
            Store<std::uint8_t>(r, at, static_cast<std::uint8_t>(n));
            return true;
        case FieldType::Word:
            if (!Whole(value, 0, 65535, n, reason))
                return false;
            Store<std::uint16_t>(r, at, static_cast<std::uint16_t>(n));
            return true;
        case FieldType::Integer:
        case FieldType::LongInt:
            if (!Whole(value, std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::int32_t>::max(), n, reason))
                return false;
            Store<std::int32_t>(r, at, static_cast<std::int32_t>(n));
            return true;
        case FieldType::Double:
        case FieldType::Real:
        case FieldType::Single: {
            const std::optional<double> x =
                value.empty() ? 0.0 : TryTextToReal(ReplaceChar(Trim(value), ',', '.'));
            if (!x || !std::isfinite(*x)) {
                reason = "není číslo"_t;
                return false;
            }
            if (f.layout.type == FieldType::Single)
                Store<float>(r, at, static_cast<float>(*x));
            else
                Store<double>(r, at, *x);
            return true;
        }
        case FieldType::AnsiString:
            reason = "poznámkový blok se zadává zvlášť"_t;
            return false;
    }
    return false;
}

std::optional<AddressFault> CheckAddress(const tVetaExtAdresa& r) {
    if (Trim(r.MATCH_CODE).empty())
        return AddressFault{"MATCH_CODE"_t, "Zatřídění externí adresy musí být zadáno."_t};
    struct Choice {
        const char* field;
        Byte value;
        Byte max;
        const char* what;
    };
    const Choice choices[] = {
        {"PLATNOST", r.PLATNOST, 1, "Platnost adresy"},
        {"OSOBA", r.OSOBA, 1, "Druh osoby"},
        {"POVAHA", r.POVAHA, 3, "Povaha adresy"},
        {"TYP", r.TYP, 1, "Typ adresy"},
    };
    for (const Choice& c : choices)
        if (c.value > c.max)
            return AddressFault{FromUtf8(c.field), FromUtf8(c.what) + " může být jen 0 až "_t +
                                                       IntToText(c.max) + "."_t};
    const Text ico = Trim(r.ICO);
    if (!AllDigits(ico))
        return AddressFault{"ICO"_t, "IČO smí obsahovat jen číslice."_t};
    if (r.ZVL_DISP > 9999)
        return AddressFault{"ZVL_DISP"_t, "Kód banky má nejvýše čtyři číslice."_t};
    for (const Text& dic : {Trim(r.DIC_FIRM), Trim(r.SKUP_DIC_FIRM)})
        if (!dic.empty() && (dic.size() < 3 || !Letter(dic[0]) || !Letter(dic[1])))
            return AddressFault{"DIC_FIRM"_t,
                                "DIČ musí začínat kódem státu (např. CZ) a pokračovat kmenovou "
                                "částí."_t};
    for (const EMailEA& mail : r.EMail) {
        const Text address = Trim(mail.ADRESA);
        if (!address.empty() && address.find('@') == Text::npos)
            return AddressFault{"EMail_ADRESA"_t,
                                "E-mailová adresa "_t + address + " nemá znak @."_t};
    }
    return std::nullopt;
}

}  // namespace axo::codelists

// The work and result files of a statement run: record descriptions and keys.
#include "pap/papVykazFiles.h"

#include <optional>

#include "storage/WorkFiles.h"
#include "util/Cisla.h"

namespace axo::pap {

namespace {

using storage::KeyTable;

struct FieldSpec {
    const char* name;
    const char* type;
};

const FieldSpec kWorkFields[] = {
    {"Vykaz", "byte"},
    {"SA", "str10"},
    {"TRANSAKCE", "str3"},
    {"P1", "str10"},
    {"P2", "str10"},
    {"PARTNER", "BOOLEAN"},
    {"CojePartner", "byte"},
    {"PARTNER2", "BOOLEAN"},
    {"AKT_PAS", "byte"},
    {"AP_N_V", "byte"},
    {"PZ_MD", "double"},
    {"PZ_Dal", "double"},
    {"ObratyOdDo_NV_ned_MD", "double"},
    {"ObratyOdDo_NV_ned_Dal", "double"},
    {"ObratyOdDo_NV_dan_MD", "double"},
    {"ObratyOdDo_NV_dan_Dal", "double"},
    {"ObratyOdDo_MD", "double"},
    {"ObratyOdDo_Dal", "double"},
    {"StZakazka", "str15"},
    {"Partner_Nazev", "str30"},
};

/// The result record's description: names and types in record order.
std::vector<std::pair<Text, Text>> ZorviFieldSpecs() {
    std::vector<std::pair<Text, Text>> f;
    auto add = [&f](const char* name, const char* type) {
        f.emplace_back(Text::FromBytes(name), Text::FromBytes(type));
    };
    add("CisloVykazu", "byte");
    add("NazevVykazu", "string");
    add("OdMesic", "word");
    add("DoMesic", "word");
    add("Rok", "word");
    add("KDatu", "str10");
    add("RADEK", "word");
    add("Soucet", "boolean");
    add("SA", "str10");
    add("POPIS", "str150");
    add("P10", "boolean");
    add("P11", "boolean");
    add("P24", "boolean");
    auto triplet = [&f](const Text& suffix) {
        f.emplace_back("SLOUPEC"_t + suffix, "double"_t);
        f.emplace_back("TRANSAKCE"_t + suffix, "str3"_t);
        f.emplace_back("KRIZEK"_t + suffix, "byte"_t);
    };
    for (int i = 0; i < kSloupcu; ++i)
        triplet(IntToTextZeros(i, 2));
    triplet("MD00"_t);
    triplet("MD01"_t);
    triplet("DAL00"_t);
    triplet("DAL01"_t);
    add("X_BezObratu", "boolean");
    add("P1", "str10");
    add("P2", "str10");
    add("FSA", "STR10");
    add("FKT", "STR3");
    add("FP1", "STR10");
    add("StZakazka", "str15");
    add("Partner_Nazev", "str30");
    return f;
}

void SetKey(KeyTable& keys, int length, bool duplicates) {
    keys[1].length = static_cast<std::uint8_t>(length);
    keys[1].duplicates = duplicates;
}

/// The fields that follow the analytics in a statement's work key.
struct KeyParts {
    bool kod = false;
    bool p1 = false;
    bool p2 = false;
    bool zakazka = false;

    int Length() const {
        return 10 + (kod ? 3 : 0) + (p1 ? 10 : 0) + (p2 ? 10 : 0) + (zakazka ? 15 : 0);
    }
};

bool VykazIVazIX(int cislo) {
    return cislo >= 4 && cislo <= 9;
}

/// The work key of a statement; none for a number without one.
std::optional<KeyParts> WorkParts(StatementKind k) {
    switch (k.cislo) {
        case 1:
        case 2:
        case 3:
        case 15:
            return KeyParts{};
        case 10:
            return k.od2014 ? KeyParts{false, true, true, true} : KeyParts{false, true};
        case 11:
        case 16:
            return KeyParts{false, true};
        case 12:
            return KeyParts{true, true};
        case 13:
            return KeyParts{true, true, true};
        default:
            return VykazIVazIX(k.cislo) ? std::optional(KeyParts{true}) : std::nullopt;
    }
}

Text JoinKey(const Text& sa, const Text& kod, const Text& p1, const Text& p2, const Text& zakazka,
             const KeyParts& parts) {
    Text key = KeyText(sa, 10);
    if (parts.kod)
        key += KeyText(kod, 3);
    if (parts.p1)
        key += KeyText(p1, 10);
    if (parts.p2)
        key += KeyText(p2, 10);
    if (parts.zakazka)
        key += KeyText(zakazka, 15);
    return key;
}

}  // namespace

int DelkaKliceWork(StatementKind kind) {
    const std::optional<KeyParts> parts = WorkParts(kind);
    return parts ? parts->Length() : 0;
}

Text DejKlicWorkFile(const tVetaWork& v, StatementKind kind) {
    const std::optional<KeyParts> parts = WorkParts(kind);
    return parts ? JoinKey(v.SA, v.TRANSAKCE, v.P1, v.P2, v.StZakazka, *parts) : Text();
}

int DelkaKliceZorvi(StatementKind kind) {
    if (kind.cislo >= 1 && kind.cislo <= 9)
        return 5;
    if (kind.cislo == 15)
        return 6;
    if (kind.cislo == 16)
        return 35;  // as declared, longer than the key it holds
    return DelkaKliceWork(kind);
}

Text DejKlicZorvi(const tVeta_Zorvi& v, StatementKind kind) {
    // Statements in the rows of the code list: statement and row number.
    if (kind.cislo >= 1 && kind.cislo <= 9)
        return KeyNumber(v.CisloVykazu, 1) + KeyNumber(v.RADEK, 4);
    if (kind.cislo == 15)
        return "15"_t + KeyNumber(v.RADEK, 4);
    const std::optional<KeyParts> parts = WorkParts(kind);
    return parts ? JoinKey(v.SA, v.Sloupec[1].TRANSAKCE, v.P1, v.P2, v.StZakazka, *parts) : Text();
}

tFileVykazu::tFileVykazu(const storage::DataContext& ctx, const std::filesystem::path& stem,
                         StatementKind kind)
    : PapTable(ctx, stem.parent_path(), storage::TextFromPath(stem.filename())), kind_(kind) {}

void tFileWork::Describe(Text& fileName, Text& title, KeyTable& keys, int& keyCount,
                         int& recordLength) {
    DescribeCommon(fileName, title, "Pracovní soubor výkazu PAP"_t);
    SetKey(keys, DelkaKliceWork(kind_), false);
    keyCount = 1;
    recordLength = sizeof(tVetaWork);
    for (const FieldSpec& f : kWorkFields)
        AddField(Text::FromBytes(f.name), Text::FromBytes(f.type));
}

Text tFileWork::MakeKey(int k, const void* buffer) {
    if (k != 1)
        return tSoubor::MakeKey(k, buffer);
    return DejKlicWorkFile(*static_cast<const tVetaWork*>(buffer), kind_);
}

void tFileZorvi::Describe(Text& fileName, Text& title, KeyTable& keys, int& keyCount,
                          int& recordLength) {
    DescribeCommon(fileName, title, "Výsledný soubor výkazu PAP"_t);
    SetKey(keys, DelkaKliceZorvi(kind_), true);
    keyCount = 1;
    recordLength = sizeof(tVeta_Zorvi);
    for (const auto& [name, type] : ZorviFieldSpecs())
        AddField(name, type);
}

Text tFileZorvi::MakeKey(int k, const void* buffer) {
    if (k != 1)
        return tSoubor::MakeKey(k, buffer);
    return DejKlicZorvi(*static_cast<const tVeta_Zorvi*>(buffer), kind_);
}

const std::vector<ResultField>& ResultFields() {
    static const std::vector<ResultField> kFields = [] {
        storage::FieldList list;
        for (const auto& [name, type] : ZorviFieldSpecs())
            storage::AddField(list, name, type);
        KeyTable keys{};
        keys[1].length = 5;
        const storage::StructureCheck check =
            storage::CheckStructure(list, 1, keys, sizeof(tVeta_Zorvi), nullptr);
        std::vector<ResultField> fields;
        for (std::size_t i = 0; i < list.size() && i < check.layout.size(); ++i)
            fields.push_back({list[i].name, list[i].typeName, check.layout[i]});
        return fields;
    }();
    return kFields;
}

Text KDatu(int doMesic, int rok) {
    return IntToText(DaysInMonth(doMesic, rok)) + "."_t + IntToText(doMesic) + "."_t +
           IntToTextZeros(rok, 4);
}

void VyplnHlavicku(tVeta_Zorvi& veta, int cislo, const Text& nazev, int odMesic, int doMesic,
                   int rok) {
    veta.CisloVykazu = static_cast<Byte>(cislo);
    veta.NazevVykazu = nazev;
    veta.OdMesic = static_cast<Word>(odMesic);
    veta.DoMesic = static_cast<Word>(doMesic);
    veta.Rok = static_cast<Word>(rok);
    veta.KDatu = KDatu(doMesic, rok);
}

void VymazSloupce(tVeta_Zorvi& veta) {
    for (tSloupec& s : veta.Sloupec)
        s = tSloupec{};
}

void VymazSpecialniSloupce(tVeta_Zorvi& veta) {
    for (tSloupec& s : veta.SloupecMD)
        s = tSloupec{};
    for (tSloupec& s : veta.SloupecDAL)
        s = tSloupec{};
}

}  // namespace axo::pap

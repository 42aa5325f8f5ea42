// The tables PAP reads: record descriptions and keys.
#include "pap/PapFiles.h"

#include <cstring>

#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

using storage::KeyTable;

template <class Record>
const Record& As(const void* buffer) {
    return *static_cast<const Record*>(buffer);
}

Text TwoDigits(int n) {
    return IntToTextZeros(n, 2);
}

void SetKey(KeyTable& keys, int k, int length, bool duplicates) {
    keys[static_cast<std::size_t>(k)].length = static_cast<std::uint8_t>(length);
    keys[static_cast<std::size_t>(k)].duplicates = duplicates;
}

}  // namespace

char ChartLetter(int unitKind) {
    static const char kLetters[] = {'p', 'z', 'r', 'v', 'n', 'f'};
    return unitKind >= 0 && unitKind <= 5 ? kLetters[unitKind] : 'v';
}

Text KeyNumber(long long n, int width) {
    return IntToTextZeros(n, width);
}

Text KeyText(const Text& text, std::size_t width) {
    return FixedKeyText(text, width);
}

PapTable::PapTable(const storage::DataContext& ctx, const std::filesystem::path& directory,
                   const Text& fileName)
    : tSoubor(ctx), directory_(storage::TextFromPath(directory)), fileName_(fileName) {
    if (!directory_.empty() && directory_.back() != '/')
        directory_ += '/';
}

void PapTable::DescribeCommon(Text& fileName, Text& title, const Text& ownTitle) {
    fileName = fileName_;
    title = ownTitle;
    SetDirectories(directory_, directory_);
}

// ---- UDPO ------------------------------------------------------------------------------

tFileUDPO::tFileUDPO(const storage::DataContext& ctx, const PapLocation& where)
    : PapTable(ctx, where.dataDirectory, "UDPO"_t + where.yearCode) {}

void tFileUDPO::Describe(Text& fileName, Text& title, KeyTable& keys, int& keyCount,
                         int& recordLength) {
    DescribeCommon(fileName, title, "Soubor řádků účetních dokladů"_t);
    SetKey(keys, 1, 21, false);
    SetKey(keys, 2, 22, true);
    SetKey(keys, 3, 66, true);
    keyCount = 3;
    recordLength = sizeof(tVetaUDPO);
    const char* fields[][2] = {
        {"PRIZNAK", "byte"},
        {"IDENTIFIKACE", "str15"},
        {"RADEK", "Longint"},
        {"PRIJEM_ADR", "byte"},
        {"MENA", "Str3"},
        {"KURZ", "double"},
        {"MNOZSTVI", "Double"},
        {"SU", "word"},
        {"AE", "word"},
        {"STREDISKO", "Longint"},
        {"ZAKAZKA", "str10"},
        {"MA_DATI", "double"},
        {"ZAKLAD_MD", "double"},
        {"DAL", "double"},
        {"ZAKLAD_DAL", "double"},
        {"VS1", "str15"},
        {"POZNAMKA", "str30"},
        {"DOPLNEK_CHAR", "byte"},
        {"DOPLNEK", "Str25"},
        {"TYP_DPH", "word"},
        {"MESIC_DPH", "word"},
        {"SALDO_PAR_Year", "word"},
        {"SALDO_PAR_Month", "word"},
        {"SALDO_PAR_Day", "word"},
        {"SALDO_PAR_Hour", "word"},
        {"SALDO_PAR_Min", "word"},
        {"SALDO_PAR_Sec", "word"},
        {"KLICVSTUPU", "Str20"},
        {"DRUH_VSTUPU", "Byte"},
        {"PRIZNAK_FDsPU", "Byte"},
        {"ROK_DPH", "word"},
        {"RizeniEditace", "LongInt"},
        {"KomplUhr_UD", "str15"},
        {"KomplUhr_Rad", "longint"},
        {"KomplUhr_Uhr", "double"},
        {"KomplUhr_MFa", "str3"},
        {"DAN_DOK_PL_ZAL", "str15"},
        {"PLATBA_PREDEM", "str15"},
        {"TYP_VETY_ZL", "byte"},
        {"Rozpocet_343_koef", "byte"},
        {"UcPripad_Cislo", "longint"},
        {"UcPripad_MD", "boolean"},
        {"UcPripad_Dal", "boolean"},
        {"PARTNER", "str10"},
        {"PARTNER2", "str10"},
        {"KOD", "str3"},
        {"PDP_VYK", "str20"},
    };
    for (const auto& f : fields)
        AddField(FromUtf8(f[0]), FromUtf8(f[1]));
}

Text tFileUDPO::MakeKey(int k, const void* buffer) {
    const tVetaUDPO& r = As<tVetaUDPO>(buffer);
    switch (k) {
        case 1:
            return KeyNumber(r.PRIZNAK, 1) + KeyText(r.IDENTIFIKACE, 15) + KeyNumber(r.RADEK, 5);
        case 2:
            return KeyNumber(r.SU, 3) + KeyNumber(r.AE, 3) + KeyText(r.VS1, 15) +
                   (r.SALDO_PAR.IsZero() ? "N"_t : "S"_t);
        case 3:
            return KeyText(r.ZAKAZKA, 10) + KeyNumber(r.SU, 3) + KeyNumber(r.AE, 3) +
                   KeyNumber(r.STREDISKO, 5) + KeyText(r.VS1, 15) + KeyText(r.POZNAMKA, 30);
        default:
            return tSoubor::MakeKey(k, buffer);
    }
}

// ---- UDHL ------------------------------------------------------------------------------

tFileUDHL::tFileUDHL(const storage::DataContext& ctx, const PapLocation& where)
    : PapTable(ctx, where.dataDirectory, "UDHL"_t + where.yearCode) {}

void tFileUDHL::Describe(Text& fileName, Text& title, KeyTable& keys, int& keyCount,
                         int& recordLength) {
    DescribeCommon(fileName, title, "Soubor hlaviček účetních dokladů"_t);
    SetKey(keys, 1, 16, false);
    SetKey(keys, 2, 16, false);
    keyCount = 2;
    recordLength = sizeof(tVetaUDHL);
    const char* fields[][2] = {
        {"PRIZNAK", "byte"},
        {"IDENTIFIKACE", "str15"},
        {"DATUM", "Str10"},
        {"OKAMZIK_DATE", "str10"},
        {"OKAMZIK_TIME", "str12"},
        {"PRIJEM_ADR", "byte"},
        {"POCET_RADKU", "Longint"},
        {"POPIS", "str50"},
        {"POZNAMKA", "str30"},
        {"VS", "str15"},
        {"ZAKAZKA", "str10"},
        {"MENA", "Str3"},
        {"KURZ", "double"},
        {"MNOZSTVI", "Double"},
        {"STORNO", "byte"},
        {"STORNO_IDENTIFIKACE", "str20"},
        {"CELKEM_MD", "Double"},
        {"CELKEM_DAL", "Double"},
        {"VYSTAVIL", "str20"},
        {"DATUM_DPH", "str10"},
        {"OBDOBI_DPH_MM", "word"},
        {"OBDOBI_DPH_RRRR", "word"},
        {"SUBJEKT_DD_MATCH_CODE", "Str10"},
        {"SUBJEKT_DD_DIC", "DIC_Str"},
        {"SUBJEKT_DD_NAZ_FIRM1", "Str30"},
        {"SUBJEKT_DD_NAZ_FIRM2", "Str30"},
        {"SUBJEKT_DD_NAZ_FIRM3", "Str30"},
        {"SUBJEKT_DD_ADR_FIRM", "Str30"},
        {"SUBJEKT_DD_MESTO_FIRM", "Str25"},
        {"SUBJEKT_DD_PSC_FIRM", "Str10"},
        {"CISLO_DD", "Str60"},
    };
    for (const auto& f : fields)
        AddField(FromUtf8(f[0]), FromUtf8(f[1]));
    for (int i = 1; i <= 5; ++i)
        AddField("DOKUMENTY"_t + IntToText(i), "Str100"_t);
}

Text tFileUDHL::MakeKey(int k, const void* buffer) {
    const tVetaUDHL& r = As<tVetaUDHL>(buffer);
    switch (k) {
        case 1:
            return KeyNumber(r.PRIZNAK, 1) + r.IDENTIFIKACE.Get();
        case 2:
            return KeyNumber(r.PRIZNAK, 1) + KeyText(r.IDENTIFIKACE, 15);
        default:
            return tSoubor::MakeKey(k, buffer);
    }
}

// ---- Chart of accounts -------------------------------------------------------------------

tFileRozvrh::tFileRozvrh(const storage::DataContext& ctx, const PapLocation& where)
    : PapTable(ctx, where.codeListDirectory,
               "Roz"_t + Text(1, ChartLetter(where.unitKind)) + where.yearCode) {}

void tFileRozvrh::Describe(Text& fileName, Text& title, KeyTable& keys, int& keyCount,
                           int& recordLength) {
    DescribeCommon(fileName, title, "Účtový rozvrh"_t);
    SetKey(keys, 1, 6, false);
    SetKey(keys, 2, 36, false);
    SetKey(keys, 3, 16, false);
    keyCount = 3;
    recordLength = sizeof(tVetaRozvrh);
    const char* fields[][2] = {
        {"STATUS", "LongInt"},
        {"SE", "Word"},
        {"AE", "Word"},
        {"NAZ_UCT", "Str30"},
        {"AKT_PAS", "Byte"},
        {"MENA", "str3"},
        {"SALDO", "BOOLEAN"},
        {"CIZI_NAZEV_UCTU", "STR30"},
        {"NEPAROVAT_PODROZVAHY", "BOOLEAN"},
        {"NOTES", "ANSISTRING"},
        {"STAT_ANAL", "STR10"},
        {"PARTNER", "BOOLEAN"},
        {"CojePartner", "byte"},
        {"PARTNER2", "BOOLEAN"},
        {"KOD", "BOOLEAN"},
    };
    for (const auto& f : fields)
        AddField(FromUtf8(f[0]), FromUtf8(f[1]));
    for (int i = 1; i <= 20; ++i)
        AddField("VYKAZY"_t + TwoDigits(i), "BOOLEAN"_t);
    AddField("PO_CINNOST"_t, "byte"_t);
    AddField("Filler"_t, "STRING"_t);
}

Text tFileRozvrh::MakeKey(int k, const void* buffer) {
    const tVetaRozvrh& r = As<tVetaRozvrh>(buffer);
    const Text account = KeyNumber(r.SE, 3) + KeyNumber(r.AE, 3);
    switch (k) {
        case 1:
            return account;
        case 2:
            return KeyText(r.NAZ_UCT, 30) + account;
        case 3:
            return KeyText(r.STAT_ANAL, 10) + account;
        default:
            return tSoubor::MakeKey(k, buffer);
    }
}

Text tFileRozvrh::MemoText(std::size_t, const void*) {
    return notes_;
}

// ---- PAP codes ---------------------------------------------------------------------------

tFileUAPV::tFileUAPV(const storage::DataContext& ctx, const PapLocation& where)
    : PapTable(ctx, where.codeListDirectory, "UAPV"_t + where.yearCode) {}

void tFileUAPV::Describe(Text& fileName, Text& title, KeyTable& keys, int& keyCount,
                         int& recordLength) {
    DescribeCommon(fileName, title, "Číselník PAP pro výkazy (pomocný analytický přehled)"_t);
    SetKey(keys, 1, 10, false);
    SetKey(keys, 2, 5, false);
    SetKey(keys, 3, 60, false);
    keyCount = 3;
    recordLength = sizeof(tVetaUAPV);
    const char* fields[][2] = {
        {"STAT_ANAL", "STR10"},  {"VYKAZ_I_II_III", "byte"}, {"RADEK", "word"},
        {"POPIS", "STR150"},     {"PARTNER", "BOOLEAN"},     {"CojePartner", "byte"},
        {"PARTNER2", "BOOLEAN"}, {"KOD", "BOOLEAN"},         {"X_BezObratu", "BOOLEAN"},
    };
    for (const auto& f : fields)
        AddField(FromUtf8(f[0]), FromUtf8(f[1]));
    auto series = [this](const char* prefix, int first, const char* type) {
        for (int n = first; n < first + 20; ++n)
            AddField(FromUtf8(prefix) + TwoDigits(n), FromUtf8(type));
    };
    series("VYKAZY", 1, "BOOLEAN");
    series("MD", 1, "BOOLEAN");
    series("DAL", 51, "BOOLEAN");
    series("MD_NETESTP", 1, "BYTE");
    series("DAL_NETESTP", 51, "BYTE");
    series("MD", 21, "BOOLEAN");
    series("DAL", 71, "BOOLEAN");
    series("MD_NETESTP", 21, "BYTE");
    series("DAL_NETESTP", 71, "BYTE");
    AddField("Konsolidace"_t, "byte"_t);
    AddField("FILLER"_t, "str250"_t);
}

Text tFileUAPV::MakeKey(int k, const void* buffer) {
    const tVetaUAPV& r = As<tVetaUAPV>(buffer);
    switch (k) {
        case 1:
            return KeyText(r.STAT_ANAL, 10);
        case 2:
            return KeyNumber(r.VYKAZ_I_II_III, 1) + KeyNumber(r.RADEK, 4);
        case 3:
            return KeyText(r.POPIS.Get().substr(0, 50), 50) + KeyText(r.STAT_ANAL, 10);
        default:
            return tSoubor::MakeKey(k, buffer);
    }
}

// ---- Transaction codes ---------------------------------------------------------------------

tFileUKod::tFileUKod(const storage::DataContext& ctx, const PapLocation& where)
    : PapTable(ctx, where.codeListDirectory, "UKod"_t + where.yearCode) {}

void tFileUKod::Describe(Text& fileName, Text& title, KeyTable& keys, int& keyCount,
                         int& recordLength) {
    DescribeCommon(fileName, title,
                   "Číselník kódů transakce pro PAP (pomocný analytický přehled)"_t);
    SetKey(keys, 1, 3, false);
    SetKey(keys, 2, 103, false);
    keyCount = 2;
    recordLength = sizeof(tVetaUKod);
    AddField("Kod"_t, "str3"_t);
    AddField("Nazev"_t, "str100"_t);
    AddField("PARTNER2"_t, "BOOLEAN"_t);
    AddField("FILLER_LONG"_t, "LONGINT"_t);
    AddField("FILLER_STR"_t, "STRING"_t);
}

Text tFileUKod::MakeKey(int k, const void* buffer) {
    const tVetaUKod& r = As<tVetaUKod>(buffer);
    switch (k) {
        case 1:
            return KeyText(r.Kod, 3);
        case 2:
            return KeyText(r.Nazev, 100) + KeyText(r.Kod, 3);
        default:
            return tSoubor::MakeKey(k, buffer);
    }
}

}  // namespace axo::pap

// The installation tables: their record descriptions and the look before opening them.
#include "startup/InstallationFiles.h"

#include <functional>

#include "storage/Engine.h"
#include "storage/WorkFiles.h"
#include "util/Cisla.h"

namespace axo::startup {

using storage::KeyTable;

namespace {

Text Two(int n) {
    return IntToTextZeros(n, 2);
}

void DescribeFiscalYears(const std::function<void(const Text&, const Text&)>& add) {
    for (int nn = 1; nn <= kFiscalYearSlots; ++nn) {
        const Text prefix = "OBD"_t + Two(nn);
        add(prefix + "_Cesta"_t, "Str4"_t);
        add(prefix + "_PocMes"_t, "Word"_t);
        add(prefix + "_PocRok"_t, "Word"_t);
        add(prefix + "_KoncMes"_t, "Word"_t);
        add(prefix + "_KoncRok"_t, "Word"_t);
    }
}

}  // namespace

void tSouborAXO::Describe(Text& fileName, Text& title, KeyTable&, int& keyCount,
                          int& recordLength) {
    fileName = "AXO"_t;
    title = "PROGRAMOVÝ instalační soubor"_t;
    keyCount = 0;
    recordLength = sizeof(tVetaAXO);
    const auto add = [this](const Text& name, const Text& type) { AddField(name, type); };
    add("CisloVerze"_t, "Str7"_t);
    for (int i = 1; i <= 16; ++i)
        add("Rezerva_Bool"_t + Two(i), "Boolean"_t);
    add("Prodejce"_t, "Word"_t);
    add("Rezerva_Word"_t, "Word"_t);
    add("HesloSupervizora"_t, "Str7"_t);
    add("CisloStanice"_t, "Word"_t);
    for (const char* root :
         {"CA_U_Cesta", "CA_B_Cesta", "CA_M_Cesta", "CA_F_Cesta", "CA_L_Cesta", "CA_P_Cesta",
          "CA_I_Cesta", "CA_C_Cesta", "CA_AXO_Cesta", "CA_T_Cesta"})
        add(Text::FromBytes(root), "Str79"_t);
    add("ZnakMeny"_t, "Str3"_t);
    add("NastaveniBarev"_t, "Byte"_t);
    add("Rezerva_Byte"_t, "Byte"_t);
    add("MaxFPMRadekPortrait"_t, "Byte"_t);
    add("MaxFPMRadekLandScape"_t, "Byte"_t);
    add("CsKod_PrManDos"_t, "Byte"_t);
    add("PopisFirmy"_t, "Str40"_t);
    add("CestaKnihovnyProZalObn"_t, "Str79"_t);
    add("CestaProProgramKomprese"_t, "STRING"_t);
    add("PrikazProZalohuKompresi"_t, "STRING"_t);
    add("PrikazProObnovuKompresi"_t, "STRING"_t);
    for (int i = 1; i <= 9; ++i)
        add("Rezerva_Word"_t + Two(i), "Word"_t);
    DescribeFiscalYears(add);
    for (int n = 0; n < kVatRateSlots; ++n)
        add("DPH_Sazby"_t + IntToText(n), "str50"_t);
    for (int nn = 0; nn < kPeriodSlots; ++nn) {
        add("OdObdobi"_t + Two(nn), "longint"_t);
        add("DoObdobi"_t + Two(nn), "longint"_t);
        add("UZP"_t + Two(nn), "string"_t);
        add("PZP"_t + Two(nn), "string"_t);
    }
}

namespace {

void DescribeDataHead(const std::function<void(const Text&, const Text&)>& add) {
    add("CisloVerze"_t, "Str7"_t);
    add("NazevFirmy"_t, "Str30"_t);
    add("AdresaFirmy"_t, "Str30"_t);
    add("IcoFirmy"_t, "Str10"_t);
    add("DIC"_t, "DIC_Str"_t);
    add("TelefonFirmy"_t, "Str20"_t);
    add("FaxFirmy"_t, "Str20"_t);
    add("OBCH_REJ1"_t, "Str30"_t);
    add("OBCH_REJ2"_t, "Str30"_t);
    add("PlatceDPH"_t, "Boolean"_t);
    add("CharakterFirmy"_t, "Word"_t);
    add("LIKVIDACE_ODPADU"_t, "str30"_t);
    add("Rezerva_Str"_t, "str20"_t);
    add("Strediska_v_UcDok"_t, "boolean"_t);
    add("Zakazky_v_UcDok"_t, "boolean"_t);
    for (const char* account :
         {"SE_spojovaci_ucet", "AE_spojovaci_ucet", "SE_HospVysledku", "AE_HospVysledku",
          "SE_PocatecniUcetRozvahy", "AE_PocatecniUcetRozvahy", "SE_KonecnyUcetRozvahy",
          "AE_KonecnyUcetRozvahy", "SE_UcetZskuZtrat", "AE_UcetZskuZtrat"})
        add(Text::FromBytes(account), "Word"_t);
    add("ZaokrouhleniDPH"_t, "Byte"_t);
    add("CisloAlgoritmuKontrolyCashFlow"_t, "Str10"_t);
    add("CisloKontrolnihoRadkuCashFlow"_t, "Longint"_t);
    add("TvarCislaFaktury"_t, "Str10"_t);
    add("PredDenPrUhr"_t, "Word"_t);
    add("PocetRadkuPrUhr"_t, "Word"_t);
    add("CastkaHlaseni"_t, "Double"_t);
    add("CislovaniMajetku"_t, "Word"_t);
    add("SE_UcetDanovychOdpisu"_t, "Word"_t);
    add("Pocet_znaku_budovy"_t, "Byte"_t);
    add("PosledniUzavrenyRok"_t, "Word"_t);
    add("PosledniUzavrenyMesic"_t, "Word"_t);
    add("OBD_Cesta"_t, "Str4"_t);
    add("OBD_PocMes"_t, "word"_t);
    add("OBD_PocRok"_t, "word"_t);
    add("OBD_KoncMes"_t, "word"_t);
    add("OBD_KoncRok"_t, "word"_t);
    add("KoeficientDPH"_t, "double"_t);
    for (int n = 0; n < 24; ++n) {
        const Text number = IntToText(n);
        add("MM"_t + number, "word"_t);
        add("RRRR"_t + number, "word"_t);
        add("Zaklad_520_"_t + number, "double"_t);
        add("Zaklad_540_"_t + number, "double"_t);
        add("Dan_600_"_t + number, "double"_t);
        add("Dan_710_"_t + number, "double"_t);
    }
}

void DescribeDataTail(const std::function<void(const Text&, const Text&)>& add) {
    add("POKL_DPH_KOEF"_t, "boolean"_t);
    add("SKLAD_DPH_KOEF"_t, "boolean"_t);
    for (const char* word : {"UCTO_DDD", "POKL_PP_SU", "POKL_PP_AE", "DPH_78_ZS", "DPH_79_ZS",
                             "NAKLAD_7879_SU", "NAKLAD_7879_AE", "VYNOS_7879_SU", "VYNOS_7879_AE"})
        add(Text::FromBytes(word), "word"_t);
    add("VariantaOdpoctuDPH"_t, "byte"_t);
    for (int n = 1; n <= 10; ++n)
        add("Sklad_ProdCeny_"_t + IntToText(n), "str20"_t);
    for (int n = 1; n <= 5; ++n)
        add("ZL_Ucet_DalsiUcEvidence_"_t + IntToText(n), "str6"_t);
    add("SKLAD_ZaoPcSK"_t, "integer"_t);
    add("UCTO_CiziRec_UcRozvrhu"_t, "byte"_t);
    for (int n = 0; n <= 5; ++n)
        add("ZL_PopisDoplnkovychUdaju"_t + IntToText(n), "str20"_t);
    add("ZL_PopisMzdoveNaklady"_t, "str50"_t);
    add("ZL_DruhZdPlneni_MN"_t, "word"_t);
    add("PriznaniKDPH_frekvence"_t, "byte"_t);
    add("PriznaniKDPH_dualni_dph"_t, "str200"_t);
    add("PriznaniKDPH_Odpocet"_t, "str240"_t);
    add("SKLAD_PasmoDPH_SK"_t, "byte"_t);
    add("SKLAD_CarovyKod"_t, "str100"_t);
    add("MAJETEK_CarovyKod"_t, "str100"_t);
    add("FV_CenaMJ_PocetDM"_t, "byte"_t);
    add("SKLAD_CenaMJ_PocetDM"_t, "byte"_t);
    add("PAP"_t, "boolean"_t);
    add("KodyOperaci_for_file"_t, "str200"_t);
    add("SKLAD_KonstrukcePC"_t, "byte"_t);
    add("PO_povinne_podrozvahy_F10"_t, "str200"_t);
    add("SKLAD_SARZE_INVISIBLE"_t, "boolean"_t);
    add("Text_Preview"_t, "str20"_t);
    add("FirmaPodlehaEET"_t, "boolean"_t);
    add("LimitKH"_t, "double"_t);
    add("SE_UcetDanNeuznatOdpisu"_t, "Word"_t);
}

}  // namespace

void tSouborAXO_DATA::Describe(Text& fileName, Text& title, KeyTable&, int& keyCount,
                               int& recordLength) {
    fileName = "AXO-DATA"_t;
    title = "DATOVÝ instalační soubor"_t;
    keyCount = 0;
    recordLength = sizeof(tVetaAXO_DATA);
    const auto add = [this](const Text& name, const Text& type) { AddField(name, type); };
    DescribeDataHead(add);
    DescribeDataTail(add);
}

void tSouborAXO_USER::Describe(Text& fileName, Text& title, KeyTable&, int& keyCount,
                               int& recordLength) {
    fileName = "AXO-USER"_t;
    title = "UŽIVATELSKÝ instalační soubor"_t;
    keyCount = 0;
    recordLength = sizeof(tVetaAXO_USER);
    AddField("JmenoUzivatele"_t, "str7"_t);
    AddField("HesloUzivatele"_t, "str7"_t);
    AddField("Vystavil"_t, "str20"_t);
    for (int n = 1; n <= kForbiddenLists; ++n)
        AddField("ZakazaneCinnosti"_t + IntToText(n), "str76"_t);
    AddField("Prihl_UzivatelPrihlasen"_t, "Word"_t);
    AddField("Prihl_PocetPrihlaseni_1uziv_1disk"_t, "Word"_t);
    AddField("Prihl_Disk_1uziv"_t, "Str10"_t);
    AddField("Prihl_CisloStanice"_t, "Word"_t);
    AddField("Prihl_Moduly"_t, "String"_t);
    for (const char* part : {"Year", "Month", "Day", "Hour", "Min", "Sec"})
        AddField("Prihl_DatumCas_"_t + Text::FromBytes(part), "word"_t);
    AddField("Prihl_Havarie"_t, "Boolean"_t);
    AddField("Mobil"_t, "str20"_t);
    AddField("Mail"_t, "str50"_t);
    AddField("OpravneniGDPR"_t, "Boolean"_t);
}

TableProbe ProbeInstallationTable(const std::filesystem::path& dataFile, int fieldCount,
                                  int keyCount) {
    if (!storage::DefaultEngine()->Exists(dataFile))
        return TableProbe::Missing;
    try {
        auto table = storage::DefaultEngine()->Open(dataFile, false);
        // Record number, key columns and lock flag come before the data fields.
        if (table->ColumnCount() != fieldCount + keyCount + 2)
            return TableProbe::Foreign;
        table->RecordCount();
        return TableProbe::Usable;
    } catch (const storage::EngineError& e) {
        const Text message = FromUtf8(e.what());
        if (storage::EngineTextContains(message, storage::engine_text::kFileLocked) ||
            storage::EngineTextContains(message, storage::engine_text::kTableBusy))
            return TableProbe::Usable;
        return TableProbe::Unreadable;
    }
}

bool ReadFirstRecord(storage::tSoubor& file, void* buffer, std::int32_t& recordNumber) {
    Text key;
    file.BtClearKey(0);
    if (!file.BtNextKey(0, recordNumber, key))
        return false;
    return file.GetRec(recordNumber, buffer);
}

}  // namespace axo::startup

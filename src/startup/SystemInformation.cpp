// The system information rows and their dialog.
#include "startup/SystemInformation.h"

#include "startup/DataAreas.h"
#include "startup/Login.h"
#include "storage/WorkFiles.h"
#include "ui/DialogInsert.h"
#include "util/Cisla.h"
#include "util/Version.h"

namespace axo::startup {

namespace {

bool CalendarYear(const Session& s) {
    const SelectedFiscalYear& y = s.FiscalYear();
    return y.firstMonth == 1 && y.lastMonth == 12 && y.firstYear == y.lastYear &&
           y.code == IntToText(y.firstYear);
}

InfoRow YearRow(const Session& s) {
    const Text period = IntToText(s.CurrentMonth()) + "/"_t + IntToText(s.CurrentYear());
    if (CalendarYear(s))
        return {"4."_t, "  Rok účetního období"_t, {}, s.FiscalYear().code + ",  "_t + period, {}};
    const FiscalYearEntry& entry = s.FiscalYears()[s.FiscalYear().index - 1];
    return {"4."_t,
            "   Hospodářský rok, účetní období"_t,
            {},
            FiscalYearListText(entry) + ",  "_t + period,
            {}};
}

void AddPathRows(const Session& s, std::vector<InfoRow>& rows) {
    const Text names[] = {"  Účetnictví"_t, "  Banka"_t,    "  Sklad"_t,  "  Fakturace"_t,
                          "  LFD"_t,        "  Pokladna"_t, "  Majetek"_t};
    for (int area = kAreaUcetnictvi; area <= kAreaMajetek; ++area) {
        rows.push_back({area == 0 ? "5."_t : Text(),
                        area == 0   ? "Cesta k datům"_t
                        : area == 1 ? "modulu"_t
                                    : Text(),
                        names[area],
                        DirectoryText(s.AreaDirectory(area)),
                        {}});
    }
    rows.push_back({{},
                    {},
                    "  Cesta ke společným číselníkům"_t,
                    DirectoryText(s.AreaDirectory(kAreaCiselniky)),
                    "číselníky společné všem modulům"_t});
    rows.push_back({{},
                    {},
                    "  k časově průběžným souborům"_t,
                    DirectoryText(s.AreaDirectory(kAreaPrubezne)),
                    "časově průběžné soubory"_t});
    rows.push_back({{},
                    {},
                    "  k tiskovým formulářům"_t,
                    DirectoryText(s.AreaDirectory(kAreaSablony)),
                    "tiskové formuláře společné všem modulům"_t});
    rows.push_back({{},
                    {},
                    "  Konfigurační soubor"_t,
                    storage::TextFromPath(s.ConfigFilePath().filename()),
                    "konfigurační soubor"_t});
}

}  // namespace

Text AccessLevelWord(int level) {
    switch (level) {
        case kLevelUser:
            return "ZÁKLADNÍ"_t;
        case kLevelSupervisor:
            return "SPRÁVCE"_t;
        case kLevelAuthor:
            return "AUTORSKÉ"_t;
        default:
            return "NEZNÁMÉ"_t;
    }
}

std::vector<InfoRow> SystemInformationRows(const Session& s) {
    std::vector<InfoRow> rows;
    Text date = s.ProgramDate();
    if (date != s.SystemDate())
        date += "  [ systémové datum počítače "_t + s.SystemDate() + " ]"_t;
    rows.push_back({"1."_t, "  Datum pro program"_t, {}, date, "aktuální datum pro program AXO"_t});
    rows.push_back({"2."_t,
                    "  Aktuální adresář (disk)"_t,
                    {},
                    DirectoryText(s.Context().currentDirectory),
                    {}});
    rows.push_back({"3."_t, "  Verze programu"_t, {}, ProgramVersionText(), {}});
    const bool withYear = s.FiscalYearSelected();
    if (withYear)
        rows.push_back(YearRow(s));
    AddPathRows(s, rows);
    rows.push_back(
        {"6."_t,
         "  Heslo, jméno uživatele"_t,
         {},
         AccessLevelWord(s.AccessLevel()) + ", "_t + s.UserName() + " ("_t + s.Issuer() + ")"_t,
         {}});
    if (withYear) {
        rows.push_back(
            {"7."_t,
             "  Daň z přidané hodnoty"_t,
             {},
             s.VatPayer() ? "  Uživatel je plátcem DPH."_t : "  Uživatel není plátcem DPH."_t,
             {}});
        rows.push_back({"8."_t, "  Jméno účtové osnovy"_t, {}, s.ChartOfAccountsName(), {}});
    }
    rows.push_back({"9."_t,
                    "  Číslo stanice, popis"_t,
                    {},
                    IntToTextZeros(s.Station(), 3) + ", "_t + s.OrganisationDescription(),
                    {}});
    rows.push_back({"10."_t, "  Národní měna"_t, {}, s.CurrencySign(), {}});
    return rows;
}

void ShowSystemInformation(Session& s) {
    const std::vector<InfoRow> rows = SystemInformationRows(s);
    const int height = s.FiscalYearSelected() ? 20 : 18;
    auto dialog =
        ui::CreateDialog(s.Ui(), s.DialogEnv(), 0, 0, 80, {}, "Informace o systému AXO"_t, height);
    int row = 1;
    for (const InfoRow& r : rows) {
        if (!r.number.empty())
            ui::InsertLabel(*dialog, 1, row, r.hint, r.number);
        if (!r.label.empty())
            ui::InsertLabel(*dialog, 5, row, r.hint, r.label);
        if (!r.item.empty())
            ui::InsertLabel(*dialog, 19, row, r.hint, r.item);
        ui::InsertLabel(*dialog, 40, row, r.hint, r.value);
        ++row;
    }
    ui::InsertOkZpet(*dialog, 66, height, {}, {}, 0, 0, {}, "návrat do modulu"_t);
    ui::RunDialog(*dialog);
}

}  // namespace axo::startup

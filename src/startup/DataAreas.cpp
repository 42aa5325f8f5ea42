// Data areas: roots, shared roots, the data installation file and its checks.
#include "startup/DataAreas.h"

#include <system_error>

#include "startup/Login.h"
#include "startup/Messages.h"
#include "storage/WorkFiles.h"
#include "util/Retezce.h"

namespace axo::startup {

namespace fs = std::filesystem;

namespace {

constexpr char kBreak = ui::kLineBreakMark;
constexpr char kCentre = ui::kCentreMark;

Text CannotStart() {
    return "Program nelze spustit."_t;
}

fs::path Canonical(const fs::path& path) {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(path, ec);
    return ec ? path : canonical;
}

void CopyFirm(tVetaAXO_DATA& combined, const tVetaAXO_DATA& r) {
    combined.NazevFirmy = r.NazevFirmy;
    combined.AdresaFirmy = r.AdresaFirmy;
    combined.IcoFirmy = r.IcoFirmy;
    combined.DIC = r.DIC;
    combined.TelefonFirmy = r.TelefonFirmy;
    combined.FaxFirmy = r.FaxFirmy;
}

/// The overrides of the invoicing, supplier-invoice and asset areas, and the latest closed
/// period.
void TakeOverrides(Session& s, int area, const tVetaAXO_DATA& r) {
    tVetaAXO_DATA& combined = s.State().data;
    if (SameRoot(s, area, kAreaFakturace))
        combined.TvarCislaFaktury = r.TvarCislaFaktury;
    if (SameRoot(s, area, kAreaLFD)) {
        combined.PredDenPrUhr = r.PredDenPrUhr;
        combined.PocetRadkuPrUhr = r.PocetRadkuPrUhr;
        combined.CastkaHlaseni = r.CastkaHlaseni;
    }
    if (SameRoot(s, area, kAreaMajetek)) {
        combined.CislovaniMajetku = r.CislovaniMajetku;
        combined.SE_UcetDanovychOdpisu = r.SE_UcetDanovychOdpisu;
        combined.Pocet_znaku_budovy = r.Pocet_znaku_budovy;
    }
    const int closed = r.PosledniUzavrenyRok * 100 + r.PosledniUzavrenyMesic;
    if (closed > combined.PosledniUzavrenyRok * 100 + combined.PosledniUzavrenyMesic) {
        combined.PosledniUzavrenyRok = r.PosledniUzavrenyRok;
        combined.PosledniUzavrenyMesic = r.PosledniUzavrenyMesic;
    }
}

bool CheckFiscalYear(Session& s, const tVetaAXO_DATA& r) {
    const SelectedFiscalYear& year = s.FiscalYear();
    const Text appended = CannotStart() + kBreak + kBreak + "Pro opravu nutno použít modul"_t +
                          kBreak + "\"SPRÁVCE SYSTÉMU\"."_t + kCentre;
    if (NationalUpperCase(Trim(r.OBD_Cesta)) != year.code) {
        ShowRefusal(s.Ui(),
                    "Nesouhlasí cesty hospodářského roku [ "_t + year.code +
                        " ] PROGRAMOVÉHO \ra DATOVÉHO instalačního souboru."_t + kBreak,
                    appended);
        return false;
    }
    if (r.OBD_PocMes != year.firstMonth || r.OBD_PocRok != year.firstYear ||
        r.OBD_KoncMes != year.lastMonth || r.OBD_KoncRok != year.lastYear) {
        ShowRefusal(
            s.Ui(),
            "Nesouhlasí hospodářský rok PROGRAMOVÉHO\ra UŽIVATELSKÉHO instalačního souboru."_t +
                kBreak,
            appended);
        return false;
    }
    return true;
}

}  // namespace

fs::path ResolveRoot(const Text& stored, const fs::path& programDirectory) {
    const fs::path root = storage::PathFromText(ReplaceChar(Trim(stored), '\\', '/'));
    fs::path resolved = (root.is_absolute() ? root : programDirectory / root).lexically_normal();
    if (!resolved.has_filename() && resolved.has_parent_path() && resolved != resolved.root_path())
        resolved = resolved.parent_path();
    return resolved;
}

void ResolveAreaRoots(Session& s) {
    SessionState& st = s.State();
    std::array<fs::path, kAreaCount> canonical;
    for (int i = 0; i < kAreaCount; ++i) {
        AreaState& area = st.areas[i];
        area = AreaState{};
        area.rootText = Trim(st.program.CA_Cesta[i]);
        area.root = ResolveRoot(area.rootText, s.ProgramDirectory());
        canonical[i] = Canonical(area.root);
        for (int j = 0; j < i && area.sameAs < 0; ++j)
            if (canonical[j] == canonical[i])
                area.sameAs = j;
    }
}

bool SameRoot(const Session& s, int a, int b) {
    const auto first = [&s](int i) {
        const int same = s.AreaAt(i).sameAs;
        return same >= 0 ? same : i;
    };
    return first(a) == first(b);
}

Text FiscalYearDirectoryName(const Session& s) {
    const int index = s.FiscalYear().index;
    if (index < 1 || index > kFiscalYearCount)
        return {};
    return Trim(s.FiscalYears()[index - 1].code);
}

Text StoredAreaDirectory(const Session& s, int area) {
    Text stored = ReplaceChar(s.AreaAt(area).rootText, '\\', '/');
    if (!stored.empty() && stored.back() != '/')
        stored += '/';
    if (area < kLoginAreas)
        stored += FiscalYearDirectoryName(s) + "/"_t;
    return stored;
}

bool OpenDataInstallation(Session& s, int area, std::unique_ptr<tSouborAXO_DATA>& file,
                          tVetaAXO_DATA& record, const Text& trailing) {
    ui::UiServices& ui = s.Ui();
    const fs::path directory = s.AreaDirectory(area);
    const Text d = DirectoryText(directory);
    const Text name = d + "AXO-DATA.DB"_t;
    std::error_code ec;
    if (!fs::is_directory(directory, ec)) {
        ui.ShowErrorLine("Neexistuje adresář ["_t + d + "]."_t + kBreak + trailing + kCentre);
        return false;
    }
    if (const Text stored = StoredAreaDirectory(s, area);
        stored.size() > storage::kMaxDirectoryText) {
        ui.ShowErrorLine("Cesta ["_t + stored + "] je delší než 79 znaků."_t + kBreak + trailing);
        return false;
    }
    const TableProbe probe = ProbeInstallationTable(directory / "AXO-DATA.DB", kFieldsAXO_DATA);
    if (probe == TableProbe::Missing) {
        ui.ShowErrorLine("Neexistuje DATOVÝ instalační soubor"_t + kBreak + "("_t + name + ")."_t +
                         kBreak + kBreak + trailing + kBreak +
                         "Pro vytvoření nutno použít modul \r\"SPRÁVCE SYSTÉMU\"."_t + kCentre);
        return false;
    }
    if (probe == TableProbe::Usable)
        file = storage::InitFilePath<tSouborAXO_DATA>(s.Context(), d, 1, storage::_WaitQuestion);
    if (!file || !file->Ok()) {
        file.reset();
        ui.ShowErrorLine("Nelze otevřít DATOVÝ instalační soubor"_t + kBreak + "("_t + name +
                         "). "_t + kBreak + kBreak + trailing + kBreak +
                         "Pro opravu nutno použít modul \r\"SPRÁVCE SYSTÉMU\"."_t + kCentre);
        return false;
    }
    if (!file->BtLockFileBlock(storage::_WaitQuestion)) {
        file.reset();
        ui.ShowErrorLine("Nelze zamknout DATOVÝ instalační soubor ("_t + name + "). "_t + kBreak +
                         kBreak + trailing + kBreak + "Program končí."_t + kCentre);
        return false;
    }
    std::int32_t n = 0;
    if (!ReadFirstRecord(*file, &record, n)) {
        file.reset();
        ui.ShowErrorLine("Nebyl nalezen jediný platný záznam DATOVÉHO instalačního souboru"_t +
                         kBreak + "("_t + name + ")."_t + kBreak + kBreak + trailing + kCentre);
        return false;
    }
    return true;
}

bool CheckDataInstallation(Session& s, int area, const fs::path& directory,
                           const tVetaAXO_DATA& r) {
    ui::UiServices& ui = s.Ui();
    tVetaAXO_DATA& combined = s.State().data;
    if (area == kAreaUcetnictvi)
        combined = r;
    if (NationalUpperCase(Trim(s.ProgramInstallation().CisloVerze)) !=
        NationalUpperCase(Trim(r.CisloVerze))) {
        ShowRefusal(ui,
                    "Nesouhlasí číslo verze PROGRAMOVÉHO \ra DATOVÉHO instalačního souboru\r[ "_t +
                        DirectoryText(directory) +
                        "AXO-DATA.DB ].\r\rData jsou pravděpodobně z jiné verze.\r"_t,
                    CannotStart());
        return false;
    }
    if (!CheckFiscalYear(s, r))
        return false;
    if (SameRoot(s, area, kAreaCiselniky))
        CopyFirm(combined, r);
    const Text appended =
        CannotStart() + kBreak + kBreak + "Pro opravu nutno použít modul \"SPRÁVCE SYSTÉMU\"."_t;
    if (r.PlatceDPH != combined.PlatceDPH) {
        ShowRefusal(
            ui, "Nesouhlasí nastavení PLÁTCE DPH mezi přiřazenými DATOVÝMI instalačními soubory."_t,
            appended);
        return false;
    }
    if (r.CharakterFirmy != combined.CharakterFirmy) {
        ShowRefusal(
            ui,
            "Nesouhlasí nastavení CHARAKTERU FIRMY mezi přiřazenými DATOVÝMI instalačními soubory."_t,
            appended);
        return false;
    }
    TakeOverrides(s, area, r);
    return true;
}

}  // namespace axo::startup

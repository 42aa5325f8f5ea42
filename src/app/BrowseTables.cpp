// The browsers over the program's tables and the list lines of their records.
#include "app/BrowseTables.h"

#include <array>
#include <cctype>
#include <functional>

#include "app/StatementContextFor.h"
#include "pap/PapFiles.h"
#include "startup/Trezor.h"
#include "ui/browse/RecordBrowser.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::app {

namespace {

/// A table's browser: how its table is made, how a row reads, what its orders are called.
template <class Record>
struct TableShape {
    std::function<std::unique_ptr<storage::tSoubor>()> make;
    std::function<Text(const Record&, int row)> line;
    std::array<const char*, 3> orders;
};

template <class Record>
class TableBrowser : public ui::TRecordBrowser<Record> {
  public:
    TableBrowser(ui::UiServices& ui, const ui::BrowserEnvironment& env, TableShape<Record> shape)
        : ui::TRecordBrowser<Record>(ui, env), shape_(std::move(shape)) {}

    bool OtevriData() override {
        file_ = shape_.make();
        // The lists are opened shared; a table that is not there is no list.
        if (!file_->InitFile(1, storage::_WaitQuestion))
            return false;
        this->table = file_.get();
        return true;
    }
    void ZavriData() override {
        if (file_ && file_->Opened())
            file_->CloseFile();
    }
    Text NazevTrideni() override {
        const int k = this->CurrentKey();
        return k >= 1 && k <= 3 ? FromUtf8(shape_.orders[static_cast<std::size_t>(k - 1)]) : Text();
    }
    Text TextRadku(int row) override { return shape_.line(this->Zaznam(row), row); }
    /// <Enter> (and O.K.) chooses the row; the lists are only viewed here.
    void ZpracujRadek(int, Text& key, std::int32_t& n, int) override {
        key.clear();
        n = 0;
    }

  protected:
    storage::tSoubor& File() { return *file_; }

  private:
    TableShape<Record> shape_;
    std::unique_ptr<storage::tSoubor> file_;
};

/// The chart keeps each account's note beside the row, read with it.
class ChartBrowser : public TableBrowser<pap::tVetaRozvrh> {
  public:
    ChartBrowser(ui::UiServices& ui, const ui::BrowserEnvironment& env,
                 const storage::DataContext& ctx, const pap::PapLocation& where)
        : TableBrowser(ui, env, Shape(ctx, where)) {}

  protected:
    bool SetLength_BufferOfRecord_BufferOfHash() override {
        notes_.assign(static_cast<std::size_t>(Capacity()) + 1, Text());
        return TableBrowser::SetLength_BufferOfRecord_BufferOfHash();
    }
    void UlozVetuDoRadku(int row) override {
        TableBrowser::UlozVetuDoRadku(row);
        notes_[static_cast<std::size_t>(row)] = File().ReadMemo("NOTES"_t);
    }
    void PresunRadek(int from, int to) override {
        TableBrowser::PresunRadek(from, to);
        notes_[static_cast<std::size_t>(to)] = notes_[static_cast<std::size_t>(from)];
    }

  private:
    std::vector<Text> notes_;

    TableShape<pap::tVetaRozvrh> Shape(const storage::DataContext& ctx,
                                       const pap::PapLocation& where) {
        return {[&ctx, where] { return std::make_unique<pap::tFileRozvrh>(ctx, where); },
                [this, kind = where.unitKind](const pap::tVetaRozvrh& account, int row) {
                    return ChartLine(account, notes_[static_cast<std::size_t>(row)], kind);
                },
                {"tříděno dle čísla účtu", "tříděno dle názvu a čísla účtu",
                 "tříděno dle statistiky, názvu a čísla účtu"}};
    }
};

Text Mark(bool set, const char* text) {
    const Text shown = FromUtf8(text);
    return set ? shown : Blanks(shown.size());
}

/// The numbers of the statements a record belongs to.
template <std::size_t N>
Text Statements(const pap::Boolean (&flags)[N], bool separated) {
    Text out;
    for (std::size_t i = 0; i < N; ++i)
        if (flags[i])
            out += separated ? RightJustify(IntToText(static_cast<long long>(i) + 1), 2) + " "_t
                             : IntToText(static_cast<long long>(i) + 1);
    return out;
}

Text NatureText(std::uint8_t nature) {
    static const std::pair<char, const char*> kNatures[] = {
        {'A', "Aktivní"},
        {'P', "Pasivní"},
        {'R', "Rozvahový"},
        {'N', "Nákladový - daňový"},
        {'M', "Nákladový - nedaňový"},
        {'V', "Výnosový - daňový"},
        {'W', "Výnosový - nedaňový"},
        {'Z', "Závěrkový"},
        {'X', "Ostatní tj. podrozvahový, vnitropodnikový atd."},
    };
    for (const auto& [letter, text] : kNatures)
        if (nature == static_cast<std::uint8_t>(letter))
            return FromUtf8(text);
    return {};
}

const std::array<std::pair<const char*, BrowseTable>, 8> kNames = {{
    {"doklady", BrowseTable::DocumentLines},
    {"rozvrh", BrowseTable::Chart},
    {"pap", BrowseTable::PapCodes},
    {"kody", BrowseTable::TransactionCodes},
    {"udpo", BrowseTable::DocumentLines},
    {"uapv", BrowseTable::PapCodes},
    {"ukod", BrowseTable::TransactionCodes},
    {"ucty", BrowseTable::Chart},
}};

/// What each table's window shows and where it keeps its geometry.
struct TableWindow {
    BrowseTable table;
    const char* title;
    int windowNumber;
};

const TableWindow kWindows[] = {
    {BrowseTable::DocumentLines, "Položky účetních dokladů", 251},
    {BrowseTable::Chart, "Účtový rozvrh", 28},
    {BrowseTable::PapCodes, "Číselník pro výkazy PAP (pomocný analytický přehled)", 250},
    {BrowseTable::TransactionCodes, "Číselník kódů transakce pro PAP (pomocný analytický přehled)",
     249},
};

Text HeaderOf(BrowseTable table, int unitKind) {
    switch (table) {
        case BrowseTable::DocumentLines:
            return " P "_t + LeftJustify("Doklad"_t, 15) + RightJustify("Řádek"_t, 6) +
                   " Účet    "_t + RightJustify("Má dáti"_t, 15) + " "_t +
                   RightJustify("Dal"_t, 15) + " Kód "_t + LeftJustify("Partner"_t, 11) +
                   LeftJustify("Partner 2"_t, 11) + LeftJustify("Zakázka"_t, 11) +
                   LeftJustify("Var. symbol"_t, 16) + "Poznámka"_t;
        case BrowseTable::Chart:
            return " SÚ  AE  "_t + LeftJustify("Název účtu"_t, 31) + "  Saldo "_t + "Měna   "_t +
                   LeftJustify("Povaha účtu"_t, 24) +
                   (unitKind == 3 || unitKind == 4 ? "Čin. "_t : Text()) +
                   LeftJustify("Stat.anal."_t, 11) + LeftJustify("Cizí název účtu "_t, 31) +
                   "KT "_t + "P1   "_t + "P2 "_t + "Výkazy PAP "_t + "[Poznámkový blok]"_t;
        case BrowseTable::PapCodes:
            return LeftJustify(" Statistická analytika, popis"_t, 163) + "  V řádek "_t +
                   "P1   P2 K  Kód  "_t + LeftJustify("Výkazy"_t, 60);
        case BrowseTable::TransactionCodes:
            return LeftJustify(" Kód a název transakce "_t, 105);
    }
    return {};
}

std::unique_ptr<ui::TBrowser> MakeBrowser(const startup::Session& session,
                                          const ui::BrowserEnvironment& env, BrowseTable table) {
    const pap::PapLocation where = StatementContextFor(session).location;
    const storage::DataContext& ctx = session.Context();
    ui::UiServices& ui = session.Ui();
    switch (table) {
        case BrowseTable::DocumentLines:
            return std::make_unique<TableBrowser<pap::tVetaUDPO>>(
                ui, env,
                TableShape<pap::tVetaUDPO>{
                    [&ctx, where] { return std::make_unique<pap::tFileUDPO>(ctx, where); },
                    [](const pap::tVetaUDPO& line, int) { return DocumentLineLine(line); },
                    {"tříděno dle dokladu", "tříděno dle účtu", "tříděno dle zakázky"}});
        case BrowseTable::Chart:
            return std::make_unique<ChartBrowser>(ui, env, ctx, where);
        case BrowseTable::PapCodes:
            return std::make_unique<TableBrowser<pap::tVetaUAPV>>(
                ui, env,
                TableShape<pap::tVetaUAPV>{
                    [&ctx, where] { return std::make_unique<pap::tFileUAPV>(ctx, where); },
                    [](const pap::tVetaUAPV& code, int) { return PapCodeLine(code); },
                    {"tříděno dle statistické analytiky", "tříděno dle výkazu a řádku (V1Ř5)",
                     "tříděno dle popisu"}});
        case BrowseTable::TransactionCodes:
            return std::make_unique<TableBrowser<pap::tVetaUKod>>(
                ui, env,
                TableShape<pap::tVetaUKod>{
                    [&ctx, where] { return std::make_unique<pap::tFileUKod>(ctx, where); },
                    [](const pap::tVetaUKod& code, int) { return TransactionCodeLine(code); },
                    {"tříděno dle kódu transakce", "tříděno dle názvu kódu transakce", ""}});
    }
    return nullptr;
}

}  // namespace

std::optional<BrowseTable> BrowseTableNamed(std::string_view name) {
    std::string lower(name);
    for (char& ch : lower)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    for (const auto& [known, table] : kNames)
        if (lower == known)
            return table;
    return std::nullopt;
}

std::string BrowseTableNames() {
    return "doklady, rozvrh, pap, kody";
}

ui::BrowserEnvironment BrowserEnvironmentFor(const startup::Session& session,
                                             const ui::ListingEnvironment& listing) {
    ui::BrowserEnvironment env;
    env.listing = &listing;
    env.dialog = session.DialogEnv();
    env.loadSettings = [&session](int group, int item, void* block, std::size_t length) {
        return startup::LoadSettings(session.ParameterVault(), group, item, block,
                                     static_cast<int>(length));
    };
    env.saveSettings = [&session](int group, int item, const void* block, std::size_t length) {
        startup::SaveSettings(session.ParameterVault(), group, item, block,
                              static_cast<int>(length));
    };
    env.deleteSettings = [&session](int group, int item) {
        startup::DeleteSettings(session.ParameterVault(), group, item);
    };
    return env;
}

std::unique_ptr<ui::TBrowser> OpenTableBrowser(const startup::Session& session,
                                               const ui::BrowserEnvironment& env, BrowseTable table,
                                               bool rememberGeometry) {
    std::unique_ptr<ui::TBrowser> browser = MakeBrowser(session, env, table);
    for (const TableWindow& w : kWindows) {
        if (w.table != table)
            continue;
        const Text header = HeaderOf(table, session.DataInstallation().CharakterFirmy);
        if (!browser->Priprav(0, 0, FromUtf8(w.title), header, "B"_t,
                              rememberGeometry ? w.windowNumber : 0))
            return nullptr;
        return browser;
    }
    return nullptr;
}

Text PapCodeLine(const pap::tVetaUAPV& c) {
    static const char* const kGroups[] = {" XV", "  I", " II", "III"};
    const Text group = FromUtf8(kGroups[c.VYKAZ_I_II_III <= 3 ? c.VYKAZ_I_II_III : 0]);
    Text partner = Blanks(5);
    if (c.PARTNER)
        partner = c.CojePartner == 1 ? "x AP "_t : "x T  "_t;
    return " "_t + LeftJustify(c.STAT_ANAL, 10) + " "_t + LeftJustify(c.POPIS, 150) + " "_t +
           group + " "_t + RightJustify(IntToText(c.RADEK), 5) + " "_t + partner +
           Mark(c.PARTNER2, "x  ") + Mark(c.Konsolidace == 1, "x  ") + Mark(c.KOD, "x   ") +
           Statements(c.VYKAZY, true);
}

Text TransactionCodeLine(const pap::tVetaUKod& c) {
    const Text filler = c.FILLER_STR.Get();
    const bool twoPartners = !filler.empty() && filler[0] >= '1' && filler[0] <= '9';
    return " "_t + LeftJustify(c.Kod, 3) + " "_t + LeftJustify(c.Nazev, 100) + " "_t +
           Mark(c.PARTNER2, "Partner ") + Mark(twoPartners, "2PT");
}

Text ChartLine(const pap::tVetaRozvrh& a, const Text& notes, int unitKind) {
    Text line = " "_t + IntToTextZeros(a.SE, 3) + " "_t + IntToTextZeros(a.AE, 3) + "  "_t +
                LeftJustify(a.NAZ_UCT, 30) + " "_t + Mark(a.SALDO, "   x    ") +
                LeftJustify(a.MENA, 7) + LeftJustify(NatureText(a.AKT_PAS).substr(0, 23), 24);
    if (unitKind == 3 || unitKind == 4) {
        static const char* const kActivities[] = {"", "Hlavní činnost", "Hospodářská činnost"};
        line += LeftJustify(
            FromUtf8(kActivities[a.PO_CINNOST <= 2 ? a.PO_CINNOST : 0]).substr(0, 4), 5);
    }
    Text partner = Blanks(5);
    if (a.PARTNER)
        partner = a.CojePartner == 0 ? "P-T  "_t : a.CojePartner == 1 ? "P-AP "_t : "P    "_t;
    line += LeftJustify(a.STAT_ANAL, 10) + " "_t + LeftJustify(a.CIZI_NAZEV_UCTU, 30) + " "_t +
            Mark(a.KOD, "X  ") + partner + Mark(a.PARTNER2, "X  ") +
            LeftJustify(Statements(a.VYKAZY, false), 11);
    if (!notes.empty())
        line += "["_t + RemoveChar(RemoveChar(notes, '\r'), '\n') + "]"_t;
    return line;
}

Text DocumentLineLine(const pap::tVetaUDPO& d) {
    return " "_t + IntToText(d.PRIZNAK) + " "_t + LeftJustify(d.IDENTIFIKACE, 15) +
           RightJustify(IntToText(d.RADEK), 6) + " "_t + IntToTextZeros(d.SU, 3) + "/"_t +
           IntToTextZeros(d.AE, 3) + " "_t + AmountText(d.MA_DATI, 15, 2) + " "_t +
           AmountText(d.DAL, 15, 2) + " "_t + LeftJustify(d.KOD, 3) + " "_t +
           LeftJustify(d.PARTNER, 10) + " "_t + LeftJustify(d.PARTNER2, 10) + " "_t +
           LeftJustify(d.ZAKAZKA, 10) + " "_t + LeftJustify(d.VS1, 15) + " "_t + d.POZNAMKA.Get();
}

}  // namespace axo::app

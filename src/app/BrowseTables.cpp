// The browsers over the program's tables and the list lines of their records.
#include "app/BrowseTables.h"

#include <array>
#include <cctype>
#include <functional>

#include "app/StatementContextFor.h"
#include "pap/CodeListLines.h"
#include "pap/PapFiles.h"
#include "startup/SessionListing.h"
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
            return pap::ChartHeader(unitKind);
        case BrowseTable::PapCodes:
            return pap::PapCodeHeader();
        case BrowseTable::TransactionCodes:
            return pap::TransactionCodeHeader();
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
    const startup::SettingsHooks vault = startup::SettingsHooksFor(session);
    env.loadSettings = vault.load;
    env.saveSettings = vault.save;
    env.deleteSettings = vault.remove;
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

Text DocumentLineLine(const pap::tVetaUDPO& d) {
    return " "_t + IntToText(d.PRIZNAK) + " "_t + LeftJustify(d.IDENTIFIKACE, 15) +
           RightJustify(IntToText(d.RADEK), 6) + " "_t + IntToTextZeros(d.SU, 3) + "/"_t +
           IntToTextZeros(d.AE, 3) + " "_t + AmountText(d.MA_DATI, 15, 2) + " "_t +
           AmountText(d.DAL, 15, 2) + " "_t + LeftJustify(d.KOD, 3) + " "_t +
           LeftJustify(d.PARTNER, 10) + " "_t + LeftJustify(d.PARTNER2, 10) + " "_t +
           LeftJustify(d.ZAKAZKA, 10) + " "_t + LeftJustify(d.VS1, 15) + " "_t + d.POZNAMKA.Get();
}

}  // namespace axo::app

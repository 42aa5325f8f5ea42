// The margin of statement XI: the browser of the rows that ask for one and the dialog
// "Zadejte".
#include "pap/papRolSF.h"

#include "ui/DialogInsert.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

constexpr int kMarginColumn = 3;
constexpr int kButtonWidth = 90;

Text Amount(double value) {
    return AmountText(value, 15, 2);
}

}  // namespace

Text RadekMarze(const tVeta_Zorvi& r) {
    return " "_t + LeftJustify(r.SA, 10) + " "_t + LeftJustify(r.P1, 10) + " "_t +
           Amount(r.Sloupec[1].SLOUPEC) + " "_t + Amount(r.Sloupec[2].SLOUPEC) + " "_t +
           Amount(r.Sloupec[kMarginColumn].SLOUPEC) + " "_t;
}

Text HlavickaMarze() {
    return " "_t + LeftJustify("St.an."_t, 10) + " "_t + LeftJustify("Partner"_t, 10) + " "_t +
           RightJustify("Sloupec 1"_t, 15) + " "_t + RightJustify("Sloupec 2"_t, 15) + " "_t +
           RightJustify("Sloupec 3"_t, 15);
}

tEditacePAPZorviFile::tEditacePAPZorviFile(ui::UiServices& ui, const ui::BrowserEnvironment& env,
                                           tFileZorvi& result, const Text& homeCurrency)
    : TRecordBrowser(ui, env), result_(result), homeCurrency_(homeCurrency) {}

bool tEditacePAPZorviFile::PripravEditaci(const Text& processName) {
    if (!Priprav(0, 0, processName, HlavickaMarze(), "Z ENTER"_t, 258))
        return false;
    emptyRangeMessage = "Žádná z položek výkazu XI. nevyžaduje zadání marže."_t;
    return true;
}

bool tEditacePAPZorviFile::OtevriData() {
    table = &result_;
    return true;
}

bool tEditacePAPZorviFile::VetaVyhovuje() {
    result_.GetRec(currentRecord, &scratch_);
    return scratch_.X_BezObratu != 0;
}

Text tEditacePAPZorviFile::TextRadku(int row) {
    return RadekMarze(Zaznam(row));
}

void tEditacePAPZorviFile::ButtonRowLaidOut() {
    // "Pokračovat" 30 pixels wider than a button, 4 pixels from the right edge; "Marže" just
    // left of it.
    const int exitWidth = kButtonWidth + 30;
    const int exitLeft = Frame().width - exitWidth - 4;
    for (ui::BrowseButtonView& b : ButtonRowViews()) {
        if (b.id == ui::BrowseButton::Exit) {
            b.caption = "Pokračovat"_t;
            b.frame = {exitLeft, 0, exitWidth, kButtonRowPx};
        } else if (b.id == ui::BrowseButton::Oprava) {
            b.caption = "Marže"_t;
            b.frame = {exitLeft - kButtonWidth, 0, kButtonWidth, kButtonRowPx};
        }
    }
}

void tEditacePAPZorviFile::ZpracujRadek(int row, Text& key, std::int32_t& n, int) {
    n = RowRecord(row);
    key = KlicRadku(row);
    tVeta_Zorvi record;
    result_.GetRec(n, &record);
    // The dialog is offered again, with the margin typed, until the margin is written or the
    // user leaves.
    for (;;) {
        if (!ZadejMarzi(Ui(), Environment().dialog, homeCurrency_, record))
            return;
        if (ZapisMarzi(result_, n, record.Sloupec[kMarginColumn].SLOUPEC) == MarginOutcome::Written)
            return;
        Ui().ShowError("Výsledný soubor výkazu nelze zamknout, marži nelze uložit."_t);
    }
}

bool ZadejMarzi(ui::UiServices& ui, const ui::DialogEnvironment& env, const Text& homeCurrency,
                tVeta_Zorvi& row) {
    auto d = ui::CreateDialog(ui, env, 0, 0, 50, {}, "Zadejte"_t, 9);
    const auto caption = [&d](int r, const char* text, const Text& value) {
        ui::InsertLabel(*d, 2, r, {}, FromUtf8(text));
        ui::InsertLabel(*d, 24, r, {}, value);
    };
    caption(1, "statistická analytika", Trim(row.SA));
    caption(2, "partner transakce", Trim(row.P1));
    ui::InsertLabel(*d, 2, 3, {}, "Náklady / Výnosy"_t);
    caption(4, "hlavní činnost", Amount(row.Sloupec[1].SLOUPEC) + " "_t + homeCurrency);
    caption(5, "hospodářská činnost", Amount(row.Sloupec[2].SLOUPEC) + " "_t + homeCurrency);
    ui::InsertPrvek(*d, 2, 7, {}, LeftJustify("Průměrná marže"_t, 22), 8,
                    row.Sloupec[kMarginColumn].SLOUPEC, {}, ui::TPrvek::kDouble, 2);
    d->NameCurrent("marze");
    ui::InsertLabel(*d, 33, 7, {}, "%"_t);
    ui::InsertOkZpet(*d, 0, 9, {}, {}, 9);
    return ui::RunDialog(*d);
}

MarginOutcome ZapisMarzi(tFileZorvi& result, std::int32_t n, double margin) {
    if (!result.BtLockFileBlock(storage::_NoWait))
        return MarginOutcome::Locked;
    tVeta_Zorvi record;
    result.GetRec(n, &record);
    record.Sloupec[kMarginColumn].SLOUPEC = Round(margin, 2);
    result.PutRec(n, &record);
    result.Unlock();
    return MarginOutcome::Written;
}

MarginOutcome ZapisMarzi(tFileZorvi& result, const Text& sa, const Text& p1, double margin) {
    std::int32_t n = 0;
    Text key;
    tVeta_Zorvi record;
    result.BtClearKey(0);
    while (result.BtNextKey(0, n, key)) {
        result.GetRec(n, &record);
        if (Trim(record.SA) != Trim(sa) || Trim(record.P1) != Trim(p1))
            continue;
        if (!record.X_BezObratu)
            return MarginOutcome::NoMargin;
        return ZapisMarzi(result, n, margin);
    }
    return MarginOutcome::NoRow;
}

void EditujVysledek(ui::UiServices& ui, const ui::BrowserEnvironment& env, const Text& homeCurrency,
                    int statement, const Text& processName, tFileZorvi& result) {
    if (statement != 11)
        return;
    tEditacePAPZorviFile window(ui, env, result, homeCurrency);
    if (!window.PripravEditaci(processName))
        return;
    window.Spust();
    window.Ukonci();
}

}  // namespace axo::pap

// The chart of accounts in its windows.
#include "pap/a_FiRozv.h"

#include "pap/CodeListLines.h"
#include "pap/FillChart.h"
#include "pap/PovahaUctu.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

constexpr int kFormTypeUcRozvrh = 31;

int CountOf(const tVetaRozvrh& r, std::initializer_list<int> statements) {
    int count = 0;
    for (int v : statements)
        count += r.VYKAZY[v - 1] ? 1 : 0;
    return count;
}

}  // namespace

bool tAktualizaceUcRozvrhu::PripravAktualizaci() {
    if (!Priprav(0, 0, "Účtový rozvrh - aktualizace"_t, ChartHeader(Env().location.unitKind), "A"_t,
                 28))
        return false;
    noticeText = "Čekejte, připravuji soubor."_t;
    return true;
}

bool tVyberRozvrh::PripravVyber(Word synthetic, Word analytic) {
    if (!Priprav(70, 0, " Vyberte si z číselníku účtů "_t, ChartHeader(Env().location.unitKind),
                 "I"_t, 24))
        return false;
    startKey = KeyNumber(synthetic, 3) + KeyNumber(analytic, 3);
    return true;
}

void tAktualizaceUcRozvrhu::OpenFailed(tFileRozvrh& file) {
    if (file.ErrorCode() == storage::kErrOpenedExclusively ||
        file.ErrorCode() == storage::kErrOpenedElsewhere)
        Ui().ShowInfo("Soubor účetní rozvrh je otevřen."_t);
}

Text tAktualizaceUcRozvrhu::NazevTrideni() {
    switch (CurrentKey()) {
        case 2:
            return "tříděno dle názvu a čísla účtu"_t;
        case 3:
            return "tříděno dle statistiky, názvu a čísla účtu"_t;
        default:
            return "tříděno dle čísla účtu"_t;
    }
}

bool tAktualizaceUcRozvrhu::SetLength_BufferOfRecord_BufferOfHash() {
    rowNotes_.assign(static_cast<std::size_t>(Capacity()) + 1, Text());
    return TCodeListWindow::SetLength_BufferOfRecord_BufferOfHash();
}

void tAktualizaceUcRozvrhu::UlozVetuDoRadku(int row) {
    TCodeListWindow::UlozVetuDoRadku(row);
    rowNotes_[static_cast<std::size_t>(row)] = Table().ReadMemo("NOTES"_t);
}

void tAktualizaceUcRozvrhu::PresunRadek(int from, int to) {
    TCodeListWindow::PresunRadek(from, to);
    rowNotes_[static_cast<std::size_t>(to)] = rowNotes_[static_cast<std::size_t>(from)];
}

Text tAktualizaceUcRozvrhu::Line(const tVetaRozvrh& record, int row) {
    return ChartLine(record, rowNotes_[static_cast<std::size_t>(row)], Env().location.unitKind);
}

Text tAktualizaceUcRozvrhu::PoznamkaZaznamu(std::int32_t n) {
    tVetaRozvrh record;
    Table().GetRec(n, &record);
    return Table().ReadMemo("NOTES"_t);
}

tVetaRozvrh tAktualizaceUcRozvrhu::NovyZaznam() {
    tVetaRozvrh record;
    FitNatureAndActivity(record, Env().location.unitKind, Env().fiscalYear);
    notes_.clear();
    notesLoaded_ = true;
    return record;
}

tVetaRozvrh tAktualizaceUcRozvrhu::KopieZaznamu(int row) {
    notes_ = rowNotes_[static_cast<std::size_t>(row)];
    notesLoaded_ = true;
    return Zaznam(row);
}

void tAktualizaceUcRozvrhu::ZpracujRadek(int row, Text& key, std::int32_t& n, int maxLength) {
    notesLoaded_ = false;
    TCodeListWindow::ZpracujRadek(row, key, n, maxLength);
}

bool tAktualizaceUcRozvrhu::Edituj(tVetaRozvrh& record, const tVetaRozvrh* original,
                                   std::int32_t n) {
    // A change starts from the note as stored; the editor opened again after a refused write
    // keeps what was typed.
    if (original && n != 0 && !notesLoaded_)
        notes_ = PoznamkaZaznamu(n);
    notesLoaded_ = true;
    return EditujUcet(Env(), Table(), record, notes_, original);
}

Text tAktualizaceUcRozvrhu::Zkontroluj(tVetaRozvrh& record, const tVetaRozvrh* original) {
    return ZkontrolujUcet(Env(), Table(), record, original);
}

Text tAktualizaceUcRozvrhu::KlicPouzit(int) {
    return "Pokoušíte se zadat již existující číslo účtu."_t;
}

void tAktualizaceUcRozvrhu::PredZapisem(const tVetaRozvrh&) {
    Table().SetNotes(notes_);
}

Text tAktualizaceUcRozvrhu::TitulFormulare() const {
    return " Formulář pro opis účetního rozvrhu "_t;
}

int tAktualizaceUcRozvrhu::TypFormulare() const {
    return kFormTypeUcRozvrh;
}

Text ZkontrolujUcet(const CodeListEnvironment& env, tFileRozvrh& file, tVetaRozvrh& record,
                    const tVetaRozvrh* original) {
    FitNatureAndActivity(record, env.location.unitKind, env.fiscalYear);
    record.STAT_ANAL = Trim(record.STAT_ANAL);
    if (file.FindUsedKey(original == nullptr, original ? original : &record, &record) == 1)
        return "Pokoušíte se zadat již existující číslo účtu."_t;
    if (record.STAT_ANAL.Get().empty())
        CopyPapAttributes(record, nullptr);
    if (CountOf(record, {1, 2, 3, 15}) > 1)
        return "Výkazy PAP\rSmí být vybrán pouze jeden z výkazů\rI., II., III. nebo XV."_t;
    if (CountOf(record, {4, 5, 6, 7, 8, 9}) > 1)
        return "Výkazy PAP\rSmí být vybrán pouze jeden z výkazů\rIV. až IX."_t;
    return {};
}

const std::vector<Text>& NabizeneMeny() {
    static const std::vector<Text> kMeny = {"CZK"_t, "EUR"_t, "USD"_t, "GBP"_t, "CHF"_t,
                                            "PLN"_t, "HUF"_t, "JPY"_t, "SEK"_t, "NOK"_t,
                                            "DKK"_t, "RUB"_t, "CNY"_t};
    return kMeny;
}

void AktualizaceUcRozvrhu(const CodeListEnvironment& env) {
    ProcessName process(env.Ui(), "ČÍSELNÍKY - Účtový rozvrh"_t);
    tAktualizaceUcRozvrhu window(env);
    if (!window.PripravAktualizaci())
        return;
    window.Spust();
    window.Ukonci();
}

bool VyberRozvrh(const CodeListEnvironment& env, Word& synthetic, Word& analytic,
                 tVetaRozvrh* record) {
    tVyberRozvrh window(env);
    if (!window.PripravVyber(synthetic, analytic))
        return false;
    const bool chosen = window.Spust() == ui::TBrowser::kResultChosen && window.Chosen();
    window.Ukonci();
    if (!chosen)
        return false;
    synthetic = window.Chosen()->SE;
    analytic = window.Chosen()->AE;
    if (record)
        *record = *window.Chosen();
    return true;
}

}  // namespace axo::pap

// The editor of an account (`tDialogRozv`): its own data, its note and its PAP attributes on
// three pages. Changing the synthetic account or the nature keeps the nature to the rules of
// the account's class; the picker of PAP codes fills the PAP attributes from a chosen code.
#include <algorithm>

#include "pap/CodeListLines.h"
#include "pap/FillChart.h"
#include "pap/PovahaUctu.h"
#include "pap/a_FiRozv.h"
#include "pap/a_Fi_PAP.h"
#include "ui/DialogInsert.h"
#include "ui/DialogPages.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

constexpr int kColumns = 80;
constexpr int kRows = 19;
constexpr int kPageRows = 16;

Text AccountNumber(double synthetic, double analytic) {
    return IntToTextZeros(static_cast<long long>(synthetic), 3) + "."_t +
           IntToTextZeros(static_cast<long long>(analytic), 3);
}

Text ForeignNameCaption(int language) {
    return language == 1   ? "Anglický název "_t
           : language == 2 ? "Německý název  "_t
                           : "Cizí název     "_t;
}

/// The elements whose values depend on each other, and the rules that keep them in step.
class ChartEditor {
  public:
    ChartEditor(const CodeListEnvironment& env, tVetaRozvrh& record, Text& notes)
        : env_(env), record_(record), notes_(notes) {
        nature_ = static_cast<std::uint8_t>(std::max(0, NatureIndex(record.AKT_PAS)));
        currencies_.push_back({});
        for (const Text& m : NabizeneMeny())
            currencies_.push_back(m);
        const Text own = Trim(record.MENA);
        auto at = std::find(currencies_.begin(), currencies_.end(), own);
        if (at == currencies_.end())
            at = currencies_.insert(currencies_.end(), own);
        currency_ = static_cast<std::uint8_t>(at - currencies_.begin());
    }

    void Build(ui::TDialogAXO& d) {
        ui::TPageControlAXO* pages = ui::InsertPageControl(d, 1, 1, kPageRows, kColumns);
        d.NameCurrent("stranky");
        ui::BeginPage(d, *pages, " Evidenční údaje "_t);
        BuildRecordPage(d);
        ui::BeginPage(d, *pages, " Poznámkový blok "_t);
        // The note may be longer than a text variable holds: it is taken from the memo itself.
        memoScratch_ = notes_;
        memo_ = ui::InsertMemo(d, 3, 3, {}, memoScratch_, 74, 13);
        memo_->SetContent(notes_);
        d.NameCurrent("poznamka");
        ui::BeginPage(d, *pages, " Pomocný analytický přehled (PAP) "_t);
        BuildPapPage(d);
        ui::EndPages(d);
        d.SetChangeHandler([this](ui::TDialogAXO&, ui::DialogElement& e) { Changed(e); });
    }

    /// The values the elements do not hold as the record does.
    void WriteBack() {
        record_.AKT_PAS = static_cast<Byte>(kNatures[std::min<int>(nature_, kNatureCount - 1)]);
        record_.MENA = currency_ < currencies_.size() ? currencies_[currency_] : Text();
        notes_ = memo_->Content();
    }

  private:
    const CodeListEnvironment& env_;
    tVetaRozvrh& record_;
    Text& notes_;
    std::uint8_t nature_ = 0;
    std::uint8_t currency_ = 0;
    std::vector<Text> currencies_;
    Text memoScratch_;
    ui::TMemoAXO* memo_ = nullptr;
    ui::TPrvek* synthetic_ = nullptr;
    ui::TPrvek* analytic_ = nullptr;
    ui::TComboBoxAXO* natureList_ = nullptr;
    ui::TComboBoxAXO* activityList_ = nullptr;
    ui::TPanelAXO* number_ = nullptr;
    ui::TCheckBoxAXO* kod_ = nullptr;
    ui::TCheckBoxAXO* partner_ = nullptr;
    ui::TComboBoxAXO* partnerKind_ = nullptr;
    ui::TCheckBoxAXO* partner2_ = nullptr;
    ui::TCheckBoxAXO* statements_[17] = {};

    void BuildRecordPage(ui::TDialogAXO& d) {
        synthetic_ = ui::InsertPrvek(d, 3, 3, {}, "Syntetický účet "_t, 3, record_.SE, "/Z"_t,
                                     ui::TPrvek::kWord);
        d.NameCurrent("su");
        analytic_ = ui::InsertPrvek(d, 3, 4, {}, "Analytický účet "_t, 3, record_.AE, "/Z"_t,
                                    ui::TPrvek::kWord);
        d.NameCurrent("ae");
        ui::InsertPrvek(d, 3, 5, {}, "Název           "_t, 30, record_.NAZ_UCT, "/C"_t);
        d.NameCurrent("nazev");
        ui::InsertPrvek(d, 3, 6, {}, ForeignNameCaption(env_.foreignLanguage) + " "_t, 30,
                        record_.CIZI_NAZEV_UCTU, "/C"_t);
        d.NameCurrent("cizi_nazev");
        ui::InsertCheckBox(d, {}, "Saldokontní účet"_t, record_.SALDO, 0, 7, 3);
        d.NameCurrent("saldo");
        ui::TItemList natures;
        for (char letter : kNatures)
            natures.Add(NatureText(static_cast<std::uint8_t>(letter)));
        natureList_ =
            ui::InsertLabelledComboBox(d, 3, 8, {}, "Povaha účtu     "_t, nature_, natures, 46);
        d.NameCurrent("povaha");
        int row = 9;
        if (ShowsActivity(env_.location.unitKind)) {
            ui::TItemList activities;
            activities.Add(" "_t);
            activities.Add(ActivityText(1));
            activities.Add(ActivityText(2));
            activityList_ = ui::InsertLabelledComboBox(d, 3, row++, {}, "Druh činnosti   "_t,
                                                       record_.PO_CINNOST, activities, 24);
            d.NameCurrent("cinnost");
        }
        ui::TItemList currencies;
        for (const Text& m : currencies_)
            currencies.Add(m.empty() ? " "_t : m);
        ui::InsertLabelledComboBox(d, 3, row, {}, "Měna            "_t, currency_, currencies, 10);
        d.NameCurrent("mena");
    }

    void BuildPapPage(ui::TDialogAXO& d) {
        number_ = ui::InsertPanel(d, 55, 3, "BOLD_"_t, 2, 22);
        number_->SetCaption(AccountNumber(record_.SE, record_.AE));
        ui::InsertPrvek(d, 3, 3, {}, "Statistický analytický účet "_t, 10, record_.STAT_ANAL,
                        "/C"_t);
        d.NameCurrent("stat_anal");
        ui::Pripoj(d, ui::Ciselnik{[this](Text& value) { return PickCode(value); }});
        kod_ = ui::InsertCheckBox(d, {}, "povinné uvedení kódu transakce"_t, record_.KOD, 0, 5, 3);
        d.NameCurrent("kod");
        partner_ = ui::InsertCheckBox(d, {}, "povinné uvedení partnera 1, a to partnera "_t,
                                      record_.PARTNER, 47, 6, 3);
        d.NameCurrent("partner");
        ui::TItemList partners;
        partners.Add(" transakce"_t);
        partners.Add(" aktiv/pasiv"_t);
        partnerKind_ = ui::InsertComboBox(d, {}, record_.CojePartner, partners, 16, 6, 51);
        d.NameCurrent("cojepartner");
        partner2_ =
            ui::InsertCheckBox(d, {}, "povinné uvedení partnera 2"_t, record_.PARTNER2, 0, 7, 3);
        d.NameCurrent("partner2");
        ui::InsertLabel(d, 3, 9, {}, "VÝKAZY PAP"_t);
        InsertStatementBoxes(d, record_.VYKAZY, 10, statements_);
    }

    /// The picker of PAP codes on the typed analytics (on the synthetic account when none is
    /// typed): a chosen code gives the account its duties and statements.
    ui::PickResult PickCode(Text& value) {
        Text sa = Trim(value).empty()
                      ? IntToTextZeros(static_cast<long long>(synthetic_->Number()), 3)
                      : Trim(value);
        tVetaUAPV code;
        if (!VyberPAPproVykazy(env_, sa, &code))
            return ui::PickResult::None;
        kod_->SetChecked(code.KOD != 0);
        partner_->SetChecked(code.PARTNER != 0);
        partnerKind_->Choose(code.CojePartner);
        partner2_->SetChecked(code.PARTNER2 != 0);
        for (int i = 0; i < 17; ++i)
            statements_[i]->SetChecked(code.VYKAZY[i] != 0);
        // Statements 18-20 have no boxes: they go to the record at once.
        for (int i = 17; i < 20; ++i)
            record_.VYKAZY[i] = code.VYKAZY[i];
        value = code.STAT_ANAL;
        return ui::PickResult::Chosen;
    }

    void Changed(ui::DialogElement& e) {
        if (&e != synthetic_ && &e != analytic_ && &e != natureList_)
            return;
        const int s = static_cast<int>(synthetic_->Number());
        number_->SetCaption(AccountNumber(s, analytic_->Number()));
        if (&e == analytic_)
            return;
        const int kind = env_.location.unitKind;
        const auto letter = static_cast<std::uint8_t>(kNatures[std::max(0, natureList_->Index())]);
        const std::uint8_t fitting = FittingNature(s, letter, kind, env_.fiscalYear);
        if (fitting != letter)
            natureList_->Choose(NatureIndex(fitting));
        if (activityList_)
            activityList_->Choose(FittingActivity(
                s, static_cast<std::uint8_t>(std::max(0, activityList_->Index())), kind));
    }
};

}  // namespace

bool EditujUcet(const CodeListEnvironment& env, tFileRozvrh& file, tVetaRozvrh& record, Text& notes,
                const tVetaRozvrh* original) {
    FitNatureAndActivity(record, env.location.unitKind, env.fiscalYear);
    auto d = ui::CreateDialog(
        env.Ui(), env.Dialogs(), 0, 0, kColumns, {},
        original ? "ÚČTOVÝ ROZVRH - oprava účtu"_t : "ÚČTOVÝ ROZVRH - přidání nového účtu"_t,
        kRows);
    ChartEditor editor(env, record, notes);
    editor.Build(*d);
    ui::InsertOkZpet(*d, 0, kRows - 1, "Odchod bez uložení změn."_t, "  Zpět  "_t, kRows - 1, 0,
                     "Uložení změn do souboru."_t, " Uložit "_t);
    return RunRecordEditor(*d, [&] {
        editor.WriteBack();
        return ZkontrolujUcet(env, file, record, original);
    });
}

}  // namespace axo::pap

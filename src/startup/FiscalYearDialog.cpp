// The fiscal year, period and program date: presets, the dialog with its <F10> presets and the
// checks, and the change of date and period.
#include "startup/FiscalYearDialog.h"

#include <memory>
#include <vector>

#include "ui/DialogInsert.h"
#include "ui/Prvek.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::startup {

namespace {

int PeriodOf(const Text& date) {
    const DateParts p = ParseDate(date);
    return p.year * 100 + p.month;
}

bool InYear(const FiscalYearEntry& entry, const Text& date) {
    const int period = PeriodOf(date);
    return CheckDate(date) == kDateValid && entry.FirstPeriod() <= period &&
           period <= entry.LastPeriod();
}

/// A typed date in the program's form (" 5. 3.2024"); false after the message when it is no date.
bool ReadDate(Session& s, const Text& typed, Text& date) {
    if (CheckDate(typed) != kDateValid) {
        s.Ui().ShowErrorLine(ui::InvalidDateMessage(Trim(typed)));
        return false;
    }
    const DateParts p = ParseDate(typed);
    date = DateText(p.day, p.month, p.year);
    return true;
}

/// Pushes a process name for the life of the object.
class ProcessName {
  public:
    ProcessName(ui::UiServices& ui, const Text& name) : ui_(ui) { ui_.PushProcess(name); }
    ~ProcessName() { ui_.PopProcess(); }
    ProcessName(const ProcessName&) = delete;
    ProcessName& operator=(const ProcessName&) = delete;

  private:
    ui::UiServices& ui_;
};

/// The front end's choice of year and date, as <F10> and confirming in the dialog would take it.
bool ApplyYearChoice(Session& s, const StartUpOptions::YearChoice& choice) {
    SessionState& st = s.State();
    Text code = Trim(choice.code);
    Text date;
    if (!Trim(choice.programDate).empty()) {
        if (!ReadDate(s, choice.programDate, date))
            return false;
        if (code.empty()) {
            const DateParts p = ParseDate(date);
            const int index = FiscalYearOf(st.fiscalYears, p.month, p.year);
            if (index == 0) {
                s.Ui().ShowInfo("Datum je mimo rozsah tabulky přípustných hospodářských roků!"_t);
                return false;
            }
            code = Trim(st.fiscalYears[index - 1].code);
        }
    } else {
        const int index = FindFiscalYear(st.fiscalYears, code);
        date = index == 0
                   ? st.programDate
                   : DateForChosenYear(st.fiscalYears[index - 1], st.programDate, st.systemDate);
    }
    const DateParts p = ParseDate(date);
    return AcceptYear(s, code, p.month, p.year, date);
}

/// The "/U" parameters: each one read sets the code, and when given the period and the date.
/// -1 when there is none; otherwise whether the checks accepted the result.
int ApplyPresets(Session& s) {
    SessionState& st = s.State();
    std::optional<YearPreset> last;
    for (const Text& parameter : s.Options().parameters) {
        const std::optional<YearPreset> preset = ParseYearPreset(parameter, s.GetClock());
        if (!preset)
            continue;
        last = preset;
        st.currentMonth = preset->month.value_or(st.currentMonth);
        st.currentYear = preset->year.value_or(st.currentYear);
        if (preset->programDate)
            st.programDate = *preset->programDate;
    }
    if (!last)
        return -1;
    Text date;
    if (!ReadDate(s, st.programDate, date)) {
        st.programDate = st.systemDate;
        return 0;
    }
    return AcceptYear(s, last->code, st.currentMonth, st.currentYear, date) ? 1 : 0;
}

/// The dialog "Zadejte hospodářský rok pro vstup do modulu" and its date-change variant.
class YearDialog {
  public:
    YearDialog(Session& s, const Text& title, bool changeDate);
    bool Run() { return ui::RunDialog(*dialog_); }

  private:
    void Build(const Text& title);
    void Preset(ui::TDialogAXO& d);
    bool PresetFromDate();
    bool PresetFromList();
    bool PresetFromPeriod();
    bool Confirm();
    /// The fiscal year (1..30) of the list's choice; 0 when none.
    int ChosenYear() const;
    void ShowDate(const Text& date);
    void ShowPeriod(int month, int year);
    void ChooseYear(int index);

    Session& s_;
    bool changeDate_;
    Text date_;
    std::int32_t listIndex_ = -1;
    std::uint16_t month_ = 0;
    std::uint16_t year_ = 0;
    std::vector<int> itemYear_;
    std::unique_ptr<ui::TDialogAXO> dialog_;
    ui::TPrvek* dateField_ = nullptr;
    ui::TComboBoxAXO* list_ = nullptr;
    ui::TPrvek* monthField_ = nullptr;
    ui::TPrvek* yearField_ = nullptr;
};

YearDialog::YearDialog(Session& s, const Text& title, bool changeDate)
    : s_(s), changeDate_(changeDate) {
    const SessionState& st = s.State();
    date_ = st.programDate;
    month_ = static_cast<std::uint16_t>(st.currentMonth);
    year_ = static_cast<std::uint16_t>(st.currentYear);
    for (int i = kFiscalYearCount; i >= 1; --i)
        if (st.fiscalYears[i - 1].InUse())
            itemYear_.push_back(i);
    int preset = changeDate ? st.fiscalYear.index
                            : FiscalYearOf(st.fiscalYears, st.currentMonth, st.currentYear);
    if (preset == 0 && !changeDate && !itemYear_.empty() && s.Options().offerLatestYear) {
        // The program date lies in none of the years: the latest year is offered, with its last
        // day and last month, so that confirming the dialog as it stands is accepted.
        preset = itemYear_.front();
        for (int index : itemYear_)
            if (st.fiscalYears[index - 1].LastPeriod() > st.fiscalYears[preset - 1].LastPeriod())
                preset = index;
        const FiscalYearEntry& latest = st.fiscalYears[preset - 1];
        date_ = DateText(DaysInMonth(latest.lastMonth, latest.lastYear), latest.lastMonth,
                         latest.lastYear);
        month_ = static_cast<std::uint16_t>(latest.lastMonth);
        year_ = static_cast<std::uint16_t>(latest.lastYear);
    }
    for (std::size_t item = 0; item < itemYear_.size(); ++item)
        if (itemYear_[item] == preset)
            listIndex_ = static_cast<std::int32_t>(item);
    Build(title);
}

void YearDialog::Build(const Text& title) {
    using ui::TPrvek;
    const FiscalYearTable& table = s_.FiscalYears();
    dialog_ = ui::CreateDialog(s_.Ui(), s_.DialogEnv(), 0, 0, 66, {}, title, 8);
    dialog_->CentreOnDesktop();
    const bool wholeSystem = title.find("všech"_t) != Text::npos;
    dateField_ = ui::InsertPrvek(
        *dialog_, 3, 2, "zadejte aktuální datum pro práci v aktuálním modulu systému AXO"_t,
        wholeSystem ? "Datum pro systém AXO "_t : "Datum jen pro daný modul AXO "_t, 10, date_, {},
        TPrvek::kDate);
    dialog_->NameCurrent("datum");
    ui::TItemList items;
    for (int index : itemYear_)
        items.Add(FiscalYearListText(table[index - 1]));
    list_ = ui::InsertLabelledComboBox(*dialog_, 3, 3, {}, "Hospodářský rok          "_t,
                                       listIndex_, items, 34);
    dialog_->NameCurrent("rok");
    list_->SetEnabled(!changeDate_);
    monthField_ = ui::InsertPrvek(*dialog_, 3, 4, {}, "Aktuální účetní období   "_t, 2, month_, {},
                                  TPrvek::kWord);
    dialog_->NameCurrent("mesic");
    ui::Pripoj(*dialog_, ui::ValueRange{std::nullopt, 12.0, {}, {}});
    yearField_ = ui::InsertPrvek(*dialog_, 31, 4, {}, "/"_t, 4, year_, {}, TPrvek::kWord);
    dialog_->NameCurrent("rokObdobi");
    ui::InsertOkZpet(*dialog_, 0, 7, {}, "odchod"_t, 7, 0,
                     changeDate_ ? "změnit datum a účetní období dle zadání"_t : Text(),
                     "vstoupit do modulu systému AXO"_t);
    ui::TButtonAXO* preset = ui::InsertButton(
        *dialog_, 62, 2, "přednastavení hodnot dle zadaného údaje na aktuální pozici <F10>"_t,
        "q"_t);
    dialog_->NameCurrent("predvolba");
    preset->SetAction([this](ui::TDialogAXO& d) { Preset(d); });
    dialog_->SetKeyHandler([this](ui::TDialogAXO& d, const ui::KeyEvent& key) {
        if (key.key != ui::Key::F10 || !key.Plain())
            return false;
        Preset(d);
        return true;
    });
    // Choosing a year in the list brings the date and the period into it at once.
    dialog_->SetChangeHandler([this](ui::TDialogAXO&, ui::DialogElement& element) {
        if (&element == list_)
            PresetFromList();
    });
    dialog_->SetMayClose(
        [this](ui::TDialogAXO&, int code) { return code != ui::kCloseConfirm || Confirm(); });
}

int YearDialog::ChosenYear() const {
    const int item = list_->Index();
    return item >= 0 && item < static_cast<int>(itemYear_.size()) ? itemYear_[item] : 0;
}

void YearDialog::ShowDate(const Text& date) {
    date_ = date;
    dateField_->Reload();
}

void YearDialog::ShowPeriod(int month, int year) {
    month_ = static_cast<std::uint16_t>(month);
    year_ = static_cast<std::uint16_t>(year);
    monthField_->Reload();
    yearField_->Reload();
}

void YearDialog::ChooseYear(int index) {
    for (std::size_t item = 0; item < itemYear_.size(); ++item)
        if (itemYear_[item] == index)
            list_->Choose(static_cast<int>(item));
}

void YearDialog::Preset(ui::TDialogAXO& d) {
    ui::DialogElement* focused = d.Focused();
    if (focused && focused->Kind() == ui::ElementKind::Edit &&
        !static_cast<ui::TPrvek*>(focused)->Leave(d.Ui(), d.Environment()))
        return;
    bool done = false;
    if (focused == dateField_)
        done = PresetFromDate();
    else if (focused == list_)
        done = PresetFromList();
    else if (focused == monthField_ || focused == yearField_)
        done = PresetFromPeriod();
    if (done)
        d.PutFocus(d.ConfirmButton());
}

bool YearDialog::PresetFromDate() {
    const DateParts p = ParseDate(dateField_->EditText());
    const int index = FiscalYearOf(s_.FiscalYears(), p.month, p.year);
    if (!list_->Enabled() && index != ChosenYear()) {
        s_.Ui().ShowInfo("Datum je mimo rozsah \raktuálního hospodářského roku!"_t);
        return false;
    }
    if (index == 0) {
        s_.Ui().ShowInfo("Datum je mimo rozsah tabulky přípustných hospodářských roků!"_t);
        return false;
    }
    ChooseYear(index);
    ShowPeriod(p.month, p.year);
    return true;
}

bool YearDialog::PresetFromList() {
    const int index = ChosenYear();
    if (index == 0)
        return false;
    const Text date =
        DateForChosenYear(s_.FiscalYears()[index - 1], dateField_->EditText(), s_.SystemDate());
    const DateParts p = ParseDate(date);
    ShowDate(date);
    ShowPeriod(p.month, p.year);
    return true;
}

bool YearDialog::PresetFromPeriod() {
    const int month = static_cast<int>(monthField_->Number());
    const int year = static_cast<int>(yearField_->Number());
    const int index = FiscalYearOf(s_.FiscalYears(), month, year);
    if (!list_->Enabled() && index != ChosenYear()) {
        s_.Ui().ShowInfo("Účetní období je mimo rozsah zadaného hospodářského roku!"_t);
        return false;
    }
    if (index == 0) {
        s_.Ui().ShowInfo("Účetní období je mimo rozsah tabulky přípustných hospodářských roků!"_t);
        return false;
    }
    ChooseYear(index);
    const int period = year * 100 + month;
    const Text date = dateField_->EditText();
    if (CheckDate(date) != kDateValid || PeriodOf(date) != period)
        ShowDate(PeriodOf(s_.SystemDate()) == period ? s_.SystemDate() : DateText(1, month, year));
    return true;
}

bool YearDialog::Confirm() {
    const int index = ChosenYear();
    const Text code = changeDate_  ? s_.FiscalYear().code
                      : index == 0 ? Text()
                                   : Trim(s_.FiscalYears()[index - 1].code);
    Text date;
    if (!ReadDate(s_, dateField_->EditText(), date))
        return false;
    return AcceptYear(s_, code, static_cast<int>(monthField_->Number()),
                      static_cast<int>(yearField_->Number()), date);
}

}  // namespace

Text StartUpYearTitle() {
    return "Zadejte hospodářský rok pro vstup do modulu"_t;
}

Text ChangeDateTitle() {
    return "Změna data a účetního období jen pro stávající modul AXO"_t;
}

Text DateForChosenYear(const FiscalYearEntry& entry, const Text& date, const Text& systemDate) {
    if (InYear(entry, date))
        return date;
    if (InYear(entry, systemDate))
        return systemDate;
    const Text firstDay = DateText(1, entry.firstMonth, entry.firstYear);
    const Text lastDay =
        DateText(DaysInMonth(entry.lastMonth, entry.lastYear), entry.lastMonth, entry.lastYear);
    return DateNumber(systemDate) < DateNumber(lastDay) ? firstDay : lastDay;
}

bool AcceptYear(Session& s, const Text& code, int month, int year, const Text& date) {
    SessionState& st = s.State();
    ui::UiServices& ui = s.Ui();
    if (const std::optional<Text> refusal = CheckYearAndPeriod(st.fiscalYears, code, month, year)) {
        ui.ShowErrorLine(*refusal);
        return false;
    }
    const SelectedFiscalYear chosen =
        SelectFiscalYear(st.fiscalYears, FindFiscalYear(st.fiscalYears, code));
    if (!DateInFiscalYear(chosen, date) &&
        ui.Decide(DateOutsideYearQuestion(chosen),
                  {"&Akceptovat datum "_t + date, "<Esc>opakovat &zadání"_t}, 2) != 1)
        return false;
    tDPH_Sazba rates;
    if (!st.vatRates.Sazby_DPH_OK(date, month, st.program.ZnakMeny, rates, &ui))
        return false;
    st.fiscalYear = chosen;
    st.programDate = date;
    st.currentMonth = month;
    st.currentYear = year;
    return true;
}

bool SelectFiscalYear(Session& s, const Text& title, bool changeDateMode, bool fromStartUp) {
    std::unique_ptr<ProcessName> process;
    if (!changeDateMode)
        process = std::make_unique<ProcessName>(s.Ui(), "Přiřazení hospodářského roku"_t);
    if (fromStartUp) {
        s.State().fiscalYear = SelectedFiscalYear{};
        if (const auto& choice = s.Options().yearChoice)
            return ApplyYearChoice(s, *choice);
        if (ApplyPresets(s) == 1)
            return true;
    }
    YearDialog dialog(s, title, changeDateMode);
    return dialog.Run();
}

bool ChangeProgramDate(Session& s) {
    ProcessName process(s.Ui(), "Změna data pro program (popř. účetního období)"_t);
    const bool changed = SelectFiscalYear(s, ChangeDateTitle(), true, false);
    if (!changed) {
        s.Ui().ShowInfo("I nadále bude jako datum pro program akceptováno datum "_t +
                        s.ProgramDate() + "\r v účetním období "_t + IntToText(s.CurrentMonth()) +
                        "/"_t + IntToText(s.CurrentYear()) + "."_t);
    }
    return changed;
}

}  // namespace axo::startup

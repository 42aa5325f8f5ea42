// Field help: pickers, calendar, disk choosers and the calculator.
#include "ui/PrvekHelp.h"

#include "ui/Calculator.h"
#include "ui/Calendar.h"
#include "ui/DateInput.h"
#include "ui/UiServices.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

HelpOutcome CalendarHelp(TPrvek& field, UiServices& ui, const DialogEnvironment& env) {
    const DateInput shown =
        NormaliseDate(field.EditText(), env.ProgramDate(), field.Options().zeros, true);
    const DateParts start =
        shown.status == DateInput::Status::Valid ? shown.date : env.ProgramDate();
    TKalendarAXO calendar(start, env);
    if (!ui.RunCalendar(calendar))
        return HelpOutcome::None;
    field.SetEditText(DateFieldText(calendar.Selected(), field.Options().zeros));
    return HelpOutcome::Changed;
}

/// A chosen path cut to what the field holds.
Text FitPath(const Text& path, int maxLength) {
    return path.substr(0, static_cast<std::size_t>(maxLength));
}

HelpOutcome DirectoryHelp(TPrvek& field, UiServices& ui) {
    FileDialogRequest request;
    request.title = " Vyberte adresář (knihovnu)"_t;
    request.fileName = "Adresář"_t;
    request.startDirectory = Trim(field.EditText());
    request.chooseDirectory = true;
    const std::optional<Text> chosen = ui.RunFileDialog(request);
    if (!chosen)
        return HelpOutcome::None;
    Text path = *chosen;
    if (!path.empty() && path.back() != '/' && static_cast<int>(path.size()) < field.MaxLength())
        path += '/';
    field.SetEditText(FitPath(path, field.MaxLength()));
    return HelpOutcome::Changed;
}

HelpOutcome FileHelp(TPrvek& field, UiServices& ui) {
    FileDialogRequest request;
    request.title = " Vyberte soubor"_t;
    request.filter = field.HelpExtension().empty() ? "*.*"_t : "*."_t + field.HelpExtension();
    request.startDirectory = field.HelpStartDirectory().empty()
                                 ? DirectoryOf(Trim(field.EditText()))
                                 : field.HelpStartDirectory();
    const std::optional<Text> chosen = ui.RunFileDialog(request);
    if (!chosen)
        return HelpOutcome::None;
    const Text text = field.HelpPutsInFront() ? *chosen + field.EditText() : *chosen;
    field.SetEditText(FitPath(text, field.MaxLength()));
    return HelpOutcome::Changed;
}

}  // namespace

Text DiskHelpRefusedMessage() {
    return "Nápověda obsahu disku je přípustná pouze na řetězcovém údaji."_t;
}

Text DirectoryOf(const Text& path) {
    const std::size_t slash = path.rfind('/');
    return slash == Text::npos ? Text() : path.substr(0, slash + 1);
}

HelpOutcome RunFieldHelp(TPrvek& field, UiServices& ui, const DialogEnvironment& env) {
    if (!field.Enabled())
        return HelpOutcome::None;
    if (field.HasPicker()) {
        switch (field.RunPicker()) {
            case PickResult::None:
                return HelpOutcome::None;
            case PickResult::Chosen:
                return HelpOutcome::Changed;
            case PickResult::ChosenNext:
                return HelpOutcome::MoveNext;
        }
    }
    if (field.Type() == TPrvek::kDate)
        return CalendarHelp(field, ui, env);
    if (field.Help() == PathHelp::None)
        return HelpOutcome::None;
    if (field.Type() != TPrvek::kText) {
        ui.ShowError(DiskHelpRefusedMessage());
        return HelpOutcome::None;
    }
    return field.Help() == PathHelp::Directory ? DirectoryHelp(field, ui) : FileHelp(field, ui);
}

void RunCalculatorHelp(TPrvek* field, UiServices& ui) {
    const bool carries = field && field->Enabled();
    std::optional<double> start;
    if (carries && field->Type() == TPrvek::kDouble)
        start = field->Number();
    TKalkulatorAXO calculator(start);
    if (ui.RunCalculator(calculator) && carries && calculator.Result())
        field->TakeCalculatorResult(*calculator.Result());
}

}  // namespace axo::ui

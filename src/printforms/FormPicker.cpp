// The picker window and the choice of a print form.
#include "printforms/FormPicker.h"

#include "printforms/FormTypes.h"
#include "util/Retezce.h"

namespace axo::printforms {

namespace {

constexpr int kPickerWidth = 70;
constexpr int kPickerRows = 10;

FormChoice ChoiceOf(const CatalogueEntry& entry) {
    if (entry.IsTemplate())
        return {FormChoice::Kind::Template, Trim(entry.fileName)};
    return {FormChoice::Kind::TextForm, entry.name};
}

/// The text form printed at once through the command stream.
void PrintTextForm(const FormPickerEnvironment& env, int type, const Text& name, const Text& data) {
    FormPrintEnvironment print = env.print;
    if (!print.findForm)
        print.findForm = [&env](int t, const Text& n) { return env.catalogue->FindTextForm(t, n); };
    PrintCommandStream(print, {FormTypeName(type) + " ["_t + name + "] "_t + data}, data);
}

FormChoice Printed(const FormPickerEnvironment& env, const FormChoice& choice, int type,
                   const Text& data) {
    if (choice.kind == FormChoice::Kind::TextForm)
        PrintTextForm(env, type, choice.name, data);
    return choice;
}

}  // namespace

Text PickerLine(const CatalogueEntry& entry) {
    if (entry.IsTemplate())
        return " formulář Windows     "_t + entry.fileName;
    return " "_t + LeftJustify(FormTypeName(entry.type), 20) + " "_t +
           NationalUpperCase(entry.name) + " "_t + entry.description1 + " "_t + entry.description2;
}

TFormPicker::TFormPicker(ui::UiServices& ui, const ui::ListWindowEnvironment& env,
                         std::vector<CatalogueEntry> entries)
    : TRolMem(ui, env), entries_(std::move(entries)) {}

Text TFormPicker::Line(int n) {
    if (n < 1 || n > static_cast<int>(entries_.size()))
        return {};
    return PickerLine(entries_[static_cast<std::size_t>(n - 1)]);
}

FormChoice SelectForm(const FormPickerEnvironment& env, const Text& title, int type,
                      std::uint16_t mask, const Text& preferred) {
    if (!env.catalogue->Open())
        return {};
    std::vector<CatalogueEntry> entries = env.catalogue->Collect(type, mask);
    if (env.clearEntries)
        env.clearEntries();
    if (env.storeEntry)
        for (std::size_t i = 0; i < entries.size(); ++i)
            env.storeEntry(static_cast<int>(i) + 1, entries[i].ToBlock());
    if (entries.size() == 1)
        return ChoiceOf(entries.front());
    TFormPicker picker(env.Ui(), *env.listWindow, std::move(entries));
    if (!picker.Prepare(kPickerWidth, kPickerRows, 0, " Formulář             název, popř. popis"_t,
                        title.substr(0, 80)))
        return {};
    for (std::size_t i = 0; i < picker.Entries().size(); ++i)
        if (!preferred.empty() && picker.Entries()[i].IsTemplate() &&
            Trim(picker.Entries()[i].fileName) == Trim(preferred))
            picker.initialLine = static_cast<int>(i);
    if (picker.RunModal() != ui::TRolMem::kResultPicked || picker.Current() < 0 ||
        picker.Current() >= static_cast<int>(picker.Entries().size()))
        return {};
    return ChoiceOf(picker.Entries()[static_cast<std::size_t>(picker.Current())]);
}

std::optional<Text> DefaultTemplate(FormCatalogue& catalogue, int type, std::uint16_t mask) {
    const bool textForms = catalogue.offerTextForms;
    catalogue.offerTextForms = false;
    const std::vector<CatalogueEntry> entries = catalogue.Collect(type, mask);
    catalogue.offerTextForms = textForms;
    if (entries.empty())
        return std::nullopt;
    return Trim(entries.front().fileName);
}

FormChoice SelectAndPrint(const FormPickerEnvironment& env, const Text& title, int type,
                          std::uint16_t mask, const Text& data) {
    return Printed(env, SelectForm(env, title, type, mask), type, data);
}

FormChoice PrintWithForm(const FormPickerEnvironment& env, const Text& formName, int type,
                         std::uint16_t mask, const Text& data, const Text& title) {
    if (!env.catalogue->Open())
        return {};
    if (!Trim(formName).empty() && env.catalogue->FindTextForm(type, formName))
        return Printed(env, {FormChoice::Kind::TextForm, Trim(formName)}, type, data);
    return SelectAndPrint(env, title, type, mask, data);
}

}  // namespace axo::printforms

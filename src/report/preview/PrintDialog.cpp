// The print dialog.
#include "report/preview/PrintDialog.h"

#include <cstdlib>

#include "ui/ChildProcess.h"
#include "ui/DialogInsert.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::report {

namespace {

constexpr int kColumns = 60;

/// Every line of a program's standard output (run by an argument vector, never a shell).
std::vector<std::string> OutputLines(const std::string& program, const std::string& argument) {
    std::vector<std::string> lines;
    const ui::ProgramResult r = ui::RunProgram(program, {argument});
    if (!r.started || r.exitCode != 0)
        return lines;
    std::size_t at = 0;
    while (at < r.output.size()) {
        std::size_t end = r.output.find('\n', at);
        if (end == std::string::npos)
            end = r.output.size();
        std::string line = r.output.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

}  // namespace

std::string TPrintDialogTyp::PrinterName() const {
    return printer < printers.size() ? printers[printer] : std::string();
}

std::vector<std::string> InstalledPrinters() {
    const char* lpstat = std::getenv("AXO_LPSTAT");
    const std::string program = lpstat && *lpstat ? lpstat : "lpstat";
    std::vector<std::string> printers = OutputLines(program, "-e");
    const std::vector<std::string> fallback = OutputLines(program, "-d");
    // "system default destination: NAME" comes first.
    if (!fallback.empty()) {
        const std::size_t colon = fallback.front().rfind(": ");
        if (colon != std::string::npos) {
            const std::string name = fallback.front().substr(colon + 2);
            for (std::size_t i = 0; i < printers.size(); ++i)
                if (printers[i] == name) {
                    printers.erase(printers.begin() + static_cast<std::ptrdiff_t>(i));
                    printers.insert(printers.begin(), name);
                    break;
                }
        }
    }
    return printers;
}

int RunPrintDialog(ui::UiServices& ui, const ui::DialogEnvironment& env, TPrintDialogTyp& p) {
    int rows = 2 + (p.showPrinter ? 5 : 0) + (p.showRange ? 5 : 0) + (p.showTemplate ? 4 : 0) +
               (p.showBackground ? 2 : 0) + 2;
    auto d = ui::CreateDialog(ui, env, 0, 0, kColumns, {}, "Nastavení tisku"_t, rows);
    int row = 1;
    if (p.showPrinter) {
        ui::InsertLabel(*d, 2, row++, {}, "Tiskárna"_t);
        ui::TItemList names;
        for (const std::string& name : p.printers)
            names.Add(FromUtf8(name));
        if (p.printers.empty())
            names.Add("(žádná tiskárna)"_t);
        ui::InsertLabelledComboBox(*d, 4, row++, {}, "Název:  "_t, p.printer, names, 40);
        d->NameCurrent("tiskarna");
        ui::InsertLabel(*d, 4, row++, {}, "Typ:  CUPS"_t);
        ui::InsertLabel(*d, 4, row++, {},
                        "Kde:  "_t + (p.toFile ? "FILE:"_t : FromUtf8(p.PrinterName())));
        ui::InsertCheckBox(*d, {}, "Tisknout do souboru"_t, p.toFile, 0, row++, 4);
        d->NameCurrent("dosouboru");
    }
    if (p.showRange) {
        ++row;
        ui::InsertLabel(*d, 2, row++, {}, "Rozsah stránek:"_t);
        ui::InsertPrvek(*d, 4, row, {}, "Od stránky:  "_t, 4, p.fromPage, {}, ui::TPrvek::kLongint);
        d->NameCurrent("od");
        ui::Pripoj(*d, ui::ValueRange::Numbers(1, 9999));
        ui::InsertPrvek(*d, 26, row, {}, "Do stránky:  "_t, 4, p.toPage, {}, ui::TPrvek::kLongint);
        d->NameCurrent("do");
        ui::Pripoj(*d, ui::ValueRange::Numbers(1, 9999));
        ++row;
        ui::InsertPrvek(*d, 4, row++, {}, "Počet kopií:  "_t, 4, p.copies, {},
                        ui::TPrvek::kLongint);
        d->NameCurrent("kopie");
        ui::Pripoj(*d, ui::ValueRange::Numbers(1, 9999));
        ui::InsertCheckBox(*d, {}, "Tisknout aktuální stránku"_t, p.currentPage, 0, row, 4);
        d->NameCurrent("aktualni");
        ui::InsertCheckBox(*d, {}, "Tisknout pouze jeden záznam"_t, p.oneRecord, 0, row++, 32);
        d->NameCurrent("jedenzaznam");
    }
    if (p.showTemplate) {
        ++row;
        ui::InsertLabel(*d, 2, row++, {}, "Tiskový formulář:"_t);
        ui::InsertLabel(*d, 4, row++, {}, p.templateName);
        ui::InsertCheckBox(*d, {}, "Nastavit jako výchozí formulář"_t, p.setDefault, 0, row++, 4);
        d->NameCurrent("vychozi");
    }
    if (p.showBackground) {
        ++row;
        ui::InsertCheckBox(*d, {}, "Tisknout pozadí"_t, p.background, 0, row++, 2);
        d->NameCurrent("pozadi");
    }
    ++row;
    ui::InsertButton(*d, 4, row, "tisk <F2>"_t, "&Tisk"_t, 1, false, ui::kCloseConfirm);
    d->NameCurrent("tisk");
    if (p.showPreview) {
        ui::InsertButton(*d, 22, row, {}, "&Náhled"_t, 1, false, 10 + kDialogPreview);
        d->NameCurrent("nahled");
    }
    ui::InsertButton(*d, 40, row, "odchod <Esc>"_t, "Storno"_t, 1, false, ui::kCloseLeave);
    d->NameCurrent("storno");
    // A range that ends before it begins would print nothing.
    d->SetMayClose([&ui](ui::TDialogAXO& dialog, int code) {
        if (code != ui::kCloseConfirm)
            return true;
        const auto* from = dynamic_cast<const ui::TPrvek*>(dialog.Find("od"));
        const auto* to = dynamic_cast<const ui::TPrvek*>(dialog.Find("do"));
        if (!from || !to || TextToInt(Trim(from->EditText())) <= TextToInt(Trim(to->EditText())))
            return true;
        ui.ShowError("Počáteční stránka nesmí být větší než koncová."_t);
        return false;
    });
    const bool confirmed = ui::RunDialog(*d);
    if (confirmed)
        return kDialogPrint;
    if (d->CloseCode() == 10 + kDialogPreview) {
        d->WriteBack();
        return kDialogPreview;
    }
    return kDialogCancel;
}

}  // namespace axo::report

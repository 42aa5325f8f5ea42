// The writes of the code-list windows and the question for an import file.
#include "pap/CodeListWindow.h"

#include "storage/WorkFiles.h"
#include "ui/DialogInsert.h"
#include "ui/PrvekHelp.h"
#include "util/Retezce.h"

namespace axo::pap {

StoreOutcome StoreRecord(storage::tSoubor& file, const void* original, const void* record,
                         std::int32_t& n, int& usedKey, const std::function<void()>& beforeWrite) {
    usedKey = 0;
    if (!file.BtLockFileBlock(storage::_NoWait))
        return StoreOutcome::Locked;
    usedKey = file.FindUsedKey(original == nullptr, original ? original : record, record);
    if (usedKey != 0) {
        file.Unlock();
        return StoreOutcome::KeyUsed;
    }
    if (beforeWrite)
        beforeWrite();
    if (original)
        file.PutRec(n, record);
    else
        file.AddRec(n, record);
    file.Unlock();
    return StoreOutcome::Saved;
}

Text LockRefusedText() {
    return "Číselník je právě zamčen jiným uživatelem, záznam nelze uložit.\r"
           "Zadané údaje zůstávají v dialogu: uložení zopakujte, nebo je zrušte klávesou "
           "<Esc>."_t;
}

bool RunRecordEditor(ui::TDialogAXO& dialog, const std::function<Text()>& check) {
    dialog.SetMayClose([&check](ui::TDialogAXO& d, int code) {
        if (code != ui::kCloseConfirm)
            return true;
        d.WriteBack();
        const Text refusal = check();
        if (refusal.empty())
            return true;
        d.Ui().ShowError(refusal);
        return false;
    });
    if (!ui::RunDialog(dialog))
        return false;
    // The write-back after closing undid what the check set; it runs once more.
    check();
    return true;
}

bool AskImportFile(ui::UiServices& ui, const ui::DialogEnvironment& env, const Text& title,
                   std::filesystem::path& file) {
    constexpr int kColumns = 80;
    Text path = storage::TextFromPath(file);
    auto d = ui::CreateDialog(ui, env, 0, 0, kColumns, {}, title, 5);
    ui::TPrvek* field = ui::InsertPrvek(*d, 2, 2, {}, {}, 80, path, {}, ui::TPrvek::kText, 0, 66);
    d->NameCurrent("soubor");
    ui::TButtonAXO* pick =
        ui::InsertButton(*d, 70, 2, "nápověda, předplnění dle vybraného adresáře"_t, "..."_t);
    d->NameCurrent("vyberSoubor");
    pick->SetAction([field](ui::TDialogAXO& dialog) {
        ui::FileDialogRequest request;
        request.title = " Vyberte soubor"_t;
        request.filter = "*.*"_t;
        request.startDirectory = ui::DirectoryOf(field->EditText());
        if (const std::optional<Text> chosen = dialog.Ui().RunFileDialog(request)) {
            field->SetEditText(chosen->substr(0, 80));
            dialog.PutFocus(field);
        }
    });
    ui::InsertOkZpet(*d, 0, 4, {}, {}, 4, 0, "potvrzení zadaných údajů."_t);
    // A file must be named before anything is asked about it.
    d->SetMayClose([field](ui::TDialogAXO& dialog, int code) {
        if (code != ui::kCloseConfirm || !Trim(field->EditText()).empty())
            return true;
        dialog.Ui().ShowError("Zadejte soubor se vstupními daty."_t);
        return false;
    });
    if (!ui::RunDialog(*d))
        return false;
    file = storage::PathFromText(Trim(path));
    return true;
}

}  // namespace axo::pap

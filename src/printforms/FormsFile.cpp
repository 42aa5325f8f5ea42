// The forms file: its record description, key and the reading and storing of forms.
#include "printforms/FormsFile.h"

#include <algorithm>

#include "printforms/FormTypes.h"
#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::printforms {

namespace {

constexpr std::size_t kObsahField = 6;
constexpr int kNameKeyLength = 30;

StoredForm FromRecord(const tVetaFormular& r, std::int32_t n) {
    StoredForm f;
    f.typeName = Trim(r.Typ);
    f.type = FormTypeNumber(r.Typ);
    f.kind = r.Druh;
    f.name = TrimRight(r.Nazev);
    f.description1 = TrimRight(r.Popis1);
    f.description2 = TrimRight(r.Popis2);
    f.recordNumber = n;
    return f;
}

tVetaFormular ToRecord(const StoredForm& f) {
    tVetaFormular r;
    r.Typ = f.typeName.empty() ? FormTypeName(f.type) : f.typeName;
    r.Druh = f.kind;
    r.Nazev = f.name;
    r.Popis1 = f.description1;
    r.Popis2 = f.description2;
    return r;
}

/// The forms whose key begins with `prefix`, in key order.
std::vector<StoredForm> FormsFrom(tFileFormular& file, const Text& prefix) {
    std::vector<StoredForm> forms;
    std::int32_t n = 0;
    Text key = prefix;
    bool found = file.BtSearchKey(1, n, key);
    while (found && key.StartsWith(prefix)) {
        tVetaFormular r;
        if (file.GetRec(n, &r))
            forms.push_back(FromRecord(r, n));
        found = file.BtNextKey(1, n, key);
    }
    file.BtClearKey(1);
    return forms;
}

}  // namespace

tFileFormular::tFileFormular(const storage::DataContext& ctx,
                             const std::filesystem::path& directory, const Text& yearCode)
    : tSoubor(ctx), directory_(storage::TextFromPath(directory)), fileName_("FORM"_t + yearCode) {
    if (!directory_.empty() && directory_.back() != '/')
        directory_ += '/';
}

void tFileFormular::Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                             int& recordLength) {
    fileName = fileName_;
    title = "Soubor tiskových formulářů systému AXO"_t;
    SetDirectories(directory_, directory_);
    keys[1].length = 5 + kNameKeyLength;
    keys[1].duplicates = true;
    keyCount = 1;
    recordLength = sizeof(tVetaFormular);
    AddField("STATUS"_t, "LongInt"_t);
    AddField("Typ"_t, "Str20"_t);
    AddField("Druh"_t, "Word"_t);
    AddField("Nazev"_t, "Str30"_t);
    AddField("Popis1"_t, "Str80"_t);
    AddField("Popis2"_t, "Str80"_t);
    AddField("Obsah"_t, "ANSISTRING"_t);
    AddField("Kompilace"_t, "ANSISTRING"_t);
}

Text tFileFormular::MakeKey(int k, const void* buffer) {
    if (k != 1)
        return tSoubor::MakeKey(k, buffer);
    const auto& r = *static_cast<const tVetaFormular*>(buffer);
    return FormKey(FormTypeNumber(r.Typ), r.Nazev);
}

Text tFileFormular::MemoText(std::size_t fieldIndex, const void*) {
    return fieldIndex == kObsahField ? content_ : Text();
}

Text FormKey(int type, const Text& name) {
    return IntToTextZeros(type, 5) + FixedKeyText(name, kNameKeyLength);
}

Text FormNameKey(const Text& name) {
    return TrimRight(NationalUpperCase(Trim(name).substr(0, kNameKeyLength)));
}

std::vector<StoredForm> FormsOfType(tFileFormular& file, int type) {
    return FormsFrom(file, IntToTextZeros(type, 5));
}

std::vector<StoredForm> AllForms(tFileFormular& file) {
    return FormsFrom(file, {});
}

std::optional<StoredForm> FindForm(tFileFormular& file, int type, const Text& name) {
    const Text wanted = FormNameKey(name);
    std::vector<StoredForm> matches = FormsFrom(file, FormKey(type, Trim(name)));
    std::erase_if(matches, [&](const StoredForm& f) { return FormNameKey(f.name) != wanted; });
    if (matches.empty())
        return std::nullopt;
    const auto first = std::min_element(
        matches.begin(), matches.end(), [](const StoredForm& a, const StoredForm& b) {
            return a.name != b.name ? a.name < b.name : a.recordNumber < b.recordNumber;
        });
    StoredForm form = *first;
    tVetaFormular r;
    if (!file.GetRec(form.recordNumber, &r))
        return std::nullopt;
    form.content = file.ReadMemo("Obsah"_t);
    return form;
}

bool StoreForm(tFileFormular& file, const StoredForm& form) {
    if (!file.BtLockFileBlock(storage::_WaitQuestion))
        return false;
    const std::optional<StoredForm> old = FindForm(file, form.type, form.name);
    tVetaFormular r = ToRecord(form);
    file.SetContent(form.content);
    std::int32_t n = old ? old->recordNumber : 0;
    const bool written = old ? file.PutRec(n, &r) : file.AddRec(n, &r);
    file.SetContent({});
    file.Unlock();
    return written;
}

}  // namespace axo::printforms

// The editor's register buttons.
#include "lookups/EditorButtons.h"

#include "lookups/AresLookup.h"
#include "lookups/VatPayerCheck.h"
#include "util/Retezce.h"

namespace axo::lookups {

namespace {

/// The connection a picked account goes to: the primary one when it is empty; else, as the user
/// decides, the primary one overwritten or the first empty further one (the primary one when
/// all five are filled).
int ConnectionFor(LookupContext& ctx, AddressEditorFields& address) {
    if (address.ConnectionEmpty(kPrimaryConnection))
        return kPrimaryConnection;
    const bool overwrite = ctx.Ui().YesNo(
        "Při zápisu zvoleného účtu budou smazány všechny údaje \rpůvodního bankovního spojení\r"
        "(název banky, IBAN, SWIFT atd.)!"_t,
        "Přepsat"_t, "Zapsat do dalšího spojení"_t, 1);
    if (!overwrite)
        for (int c = 1; c <= kFurtherConnections; ++c)
            if (address.ConnectionEmpty(c))
                return c;
    address.ClearPrimaryConnection();
    return kPrimaryConnection;
}

}  // namespace

bool AresButton(LookupContext& ctx, AddressEditorFields& address) {
    const Text dic = Trim(address.Dic());
    if (Trim(address.Ico()).empty() && dic.StartsWith("CZ"_t) && dic.size() > 2) {
        const Text digits = dic.substr(2, 10);
        if (ctx.Ui().YesNo("Dohledat partnera s IČO\r"_t + digits, "ANO"_t, "<Esc>zpět"_t, 1))
            address.SetIco(digits);
    }
    const std::optional<AresAddress> found = FillFromAres(ctx, address.Ico());
    if (!found)
        return false;
    address.FillFromRegister(*found);
    return true;
}

bool VatPayerButton(LookupContext& ctx, AddressEditorFields& address) {
    const Text ico = Trim(address.Ico());
    if (Trim(address.Dic()).empty() && !ico.empty() &&
        ctx.Ui().YesNo("Ověřit plátce s DIČ\rCZ"_t + ico, "ANO"_t, "<Esc>zpět"_t, 1))
        address.SetDic("CZ"_t + ico);
    const Text dic = UpperCase(Trim(address.Dic()));
    const VatCheckResult check = CheckVatPayer(ctx, dic);
    if (check.outcome != VatCheckOutcome::Found)
        return false;
    Text name;
    for (const Text& line : address.Names())
        if (!Trim(line).empty())
            name += (name.empty() ? Text() : " "_t) + Trim(line);
    const VatResultChoice choice = ShowVatPayerResult(ctx, check.records, dic, name, true, true);
    if (choice.picked >= 0)
        address.WriteAccount(ConnectionFor(ctx, address),
                             check.records[static_cast<std::size_t>(choice.picked)]);
    if (choice.writeNotes) {
        if (const std::optional<Text> notes = VatPayerNotes(ctx, RecordsOf(check.records, dic))) {
            const Text old = address.Notes();
            address.SetNotes(old.empty() ? *notes : old + "\r\n\r\n"_t + *notes);
        }
    }
    return true;
}

}  // namespace axo::lookups

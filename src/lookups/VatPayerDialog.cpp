// The result dialog of the VAT payer check.
#include <algorithm>

#include "lookups/VatPayerCheck.h"
#include "ui/DialogInsert.h"
#include "util/Retezce.h"

namespace axo::lookups {

namespace {

constexpr int kWidth = 80;
/// Accounts shown one a row with a button of their own; more go into a list to pick from.
constexpr int kAccountRows = 7;
/// Close codes of the "Použít" buttons: this plus the account's place among the accounts.
constexpr int kPickBase = 10;

const ui::ColourPair kUnreliable{{255, 255, 255}, {192, 0, 0}};
const ui::ColourPair kReliable{{255, 255, 255}, {0, 0, 0}};

void Centred(ui::TDialogAXO& dialog, int row, const Text& text) {
    const int length = static_cast<int>(std::min<std::size_t>(text.size(), kWidth - 2));
    if (auto* label = ui::InsertLabel(dialog, std::max(1, (kWidth - length) / 2 + 1), row, {},
                                      text.substr(0, static_cast<std::size_t>(length))))
        label->SetPlainText(text.substr(0, static_cast<std::size_t>(length)));
}

Text AccountLine(const VatPayerRecord& a) {
    Text line = AccountText(a, " / "_t);
    if (line.size() < 48)
        line = LeftJustify(line, 48);
    return line + "  "_t + a.accountDate;
}

}  // namespace

VatResultChoice ShowVatPayerResult(LookupContext& ctx, const std::vector<VatPayerRecord>& all,
                                   const Text& dicAsked, const Text& name, bool mayPick,
                                   bool mayWriteNotes) {
    VatResultChoice choice;
    std::vector<VatPayerRecord> records = RecordsOf(all, dicAsked);
    if (records.empty() && !all.empty() && dicAsked.empty())
        records = RecordsOf(all, all.front().dic);
    if (records.empty()) {
        ctx.Ui().ShowInfo("Údaje pro ["_t + name + "]\rDIČ ["_t + dicAsked +
                          "]\rnejsou k dispozici."_t);
        return choice;
    }
    std::vector<int> accounts;  // indexes in `all` of the shown payer's accounts
    const VatPayerRecord& r = records.front();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].dic == r.dic && all[i].hasAccount)
            accounts.push_back(static_cast<int>(i));
    const bool listed = static_cast<int>(accounts.size()) > kAccountRows;
    const int accountRows = accounts.empty() ? 1 : listed ? 4 : static_cast<int>(accounts.size());
    const bool otherDic = "CZ"_t + r.dic != dicAsked;
    const bool statusShown = r.statusText != "OK"_t;
    const int headerRows = 7 + (otherDic ? 1 : 0) + (statusShown ? 1 : 0);
    const int rows = std::min(20, headerRows + accountRows + (mayWriteNotes ? 1 : 0) + 2);

    auto dialog = ui::CreateDialog(
        ctx.Ui(), ctx.dialogs, 0, 0, kWidth, {},
        "NESPOLEHLIVOST PLÁTCE DPH (Novela zákona 235/2004 Sb. o DPH §106a)"_t, rows);
    int row = 1;
    Centred(*dialog, row++, "DIČ "_t + dicAsked + "   "_t + name);
    if (otherDic)
        Centred(*dialog, row++, "DIČ v odpovědi: CZ"_t + r.dic);
    Centred(*dialog, row++, "Datum odpovědi: "_t + r.answerDate);
    if (statusShown)
        Centred(*dialog, row++, r.statusText);
    Centred(*dialog, row++,
            "Finanční úřad: "_t + Trim(r.taxOffice + " "_t + ctx.offices.Name(r.taxOffice)));
    const bool unreliable = r.reliability == Reliability::Unreliable;
    if (auto* panel = ui::InsertPanel(*dialog, 3, row, "BOLD_"_t, 2, kWidth - 4)) {
        Text caption = "NESPOLEHLIVÝ PLÁTCE: "_t + ReliabilityWord(r.reliability);
        if (unreliable)
            caption += "\r Datum zveřejnění nespolehlivosti: "_t +
                       (r.unreliableSince.empty() ? "99-99-9999"_t : r.unreliableSince);
        panel->SetCaption(caption);
        panel->SetColours(unreliable ? kUnreliable : kReliable);
        dialog->NameCurrent("spolehlivost");
    }
    row += 2;
    Centred(*dialog, row++, "Bankovní účty určené ke zveřejnění v Registru plátců DPH"_t);
    std::uint8_t pickedIndex = 0;
    if (accounts.empty()) {
        Centred(
            *dialog, row++,
            "Žádné číslo účtu ve smyslu §96 odst. 1 zákona o DPH nebylo ke zveřejnění určeno."_t);
    } else if (!listed) {
        for (std::size_t i = 0; i < accounts.size(); ++i, ++row) {
            ui::InsertLabel(*dialog, 3, row, {},
                            AccountLine(all[static_cast<std::size_t>(accounts[i])]));
            if (mayPick) {
                ui::InsertButton(*dialog, kWidth - 11, row,
                                 "účet bude zapsán do faktury popř. externí adresy"_t, "Použít"_t,
                                 1, false, kPickBase + static_cast<int>(i));
                dialog->NameCurrent("pouzit" + std::to_string(i + 1));
            }
        }
    } else {
        // More accounts than rows: all of them in a scrolled text, the one to use chosen in a list.
        Text text;
        ui::TItemList items;
        for (const int i : accounts) {
            text += AccountLine(all[static_cast<std::size_t>(i)]) + "\r"_t;
            items.Add(AccountText(all[static_cast<std::size_t>(i)], " / "_t));
        }
        ui::InsertMemo(*dialog, 3, row, {}, text, kWidth - 6, mayPick ? 3 : 4);
        row += mayPick ? 3 : 4;
        if (mayPick) {
            ui::InsertComboBox(*dialog, {}, pickedIndex, items, 50, row, 3);
            dialog->NameCurrent("ucet");
            ui::InsertButton(*dialog, kWidth - 11, row,
                             "účet bude zapsán do faktury popř. externí adresy"_t, "Použít"_t, 1,
                             false, kPickBase);
            dialog->NameCurrent("pouzit");
        }
        ++row;
    }
    std::uint8_t writeNotes = ctx.writeNotesPreset ? 1 : 0;
    if (mayWriteNotes) {
        ui::InsertCheckBox(
            *dialog, "údaje budou uloženy do poznámkového bloku faktury popř. externí adresy"_t,
            "Zjištěné údaje zapsat do poznámkového bloku."_t, writeNotes, 50, row++, 3);
        dialog->NameCurrent("zapsat");
    }
    ui::InsertOkZpet(*dialog);
    ui::RunDialog(*dialog);
    dialog->WriteBack();
    const int code = dialog->CloseCode();
    choice.shown = true;
    choice.writeNotes = mayWriteNotes && writeNotes != 0;
    if (mayPick && code >= kPickBase) {
        const std::size_t place = listed ? pickedIndex : static_cast<std::size_t>(code - kPickBase);
        if (place < accounts.size())
            choice.picked = accounts[place];
    }
    ui::FreeDialog(dialog);
    return choice;
}

}  // namespace axo::lookups

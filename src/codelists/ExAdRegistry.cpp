// The address list and its editor for the registry lookups.
#include "codelists/ExAdRegistry.h"

#include <filesystem>
#include <string>

#include "codelists/OknoEA.h"
#include "lookups/AresLookup.h"
#include "lookups/UnreliablePayers.h"
#include "ui/Dialog.h"
#include "ui/DialogControls.h"
#include "ui/DialogPages.h"
#include "ui/Prvek.h"
#include "util/Retezce.h"

namespace axo::codelists {

bool BookAddresses::ReadAll(std::vector<lookups::AddressEntry>& addresses) {
    const std::unique_ptr<tExtAdresy> table = book_.MakeTable();
    if (!table->InitFile(1, storage::_WaitQuestion)) {
        // A missing list is refused without a message: it has no address yet.
        std::error_code ec;
        return !std::filesystem::exists(table->DataFilePath(), ec);
    }
    tVetaExtAdresa r{};
    std::int32_t n = 0;
    Text key;
    table->BtClearKey(3);
    while (table->BtNextKey(3, n, key))
        if (table->GetRec(n, &r))
            addresses.push_back(
                {Trim(r.MATCH_CODE), Trim(r.NAZ_FIRM1), Trim(r.ICO), Trim(r.DIC_FIRM)});
    table->CloseFile();
    return true;
}

void EditorAddress::Take() const {
    d_.WriteBack();
}

void EditorAddress::Show() {
    for (const auto& element : d_.Elements()) {
        if (auto* field = dynamic_cast<ui::TPrvek*>(element.get()))
            field->Reload();
        else if (auto* memo = dynamic_cast<ui::TMemoAXO*>(element.get()))
            memo->SetContent(notes_);
    }
}

Text EditorAddress::Ico() const {
    Take();
    return Trim(r_.ICO);
}

Text EditorAddress::Dic() const {
    Take();
    return Trim(r_.DIC_FIRM);
}

void EditorAddress::SetIco(const Text& ico) {
    Take();
    r_.ICO = ico;
    Show();
}

void EditorAddress::SetDic(const Text& dic) {
    Take();
    r_.DIC_FIRM = dic;
    Show();
}

std::array<Text, 4> EditorAddress::Names() const {
    Take();
    return {r_.NAZ_FIRM1.Get(), r_.NAZ_FIRM2.Get(), r_.NAZ_FIRM3.Get(), r_.NAZ_FIRM4.Get()};
}

void EditorAddress::FillFromRegister(const lookups::AresAddress& a) {
    Take();
    r_.DIC_FIRM = a.dic;
    r_.NAZ_FIRM1 = a.names[0];
    r_.NAZ_FIRM2 = a.names[1];
    r_.NAZ_FIRM3 = a.names[2];
    r_.NAZ_FIRM4 = a.names[3];
    r_.ADR_FIRM = a.street;
    r_.MESTO_FIRM = a.town;
    r_.PSC_FIRM = a.postcode;
    r_.STAT_ZKRATKA = a.stateCode;
    r_.Stat = a.stateName;
    Show();
}

bool EditorAddress::ConnectionEmpty(int connection) const {
    Take();
    return codelists::ConnectionEmpty(r_, connection);
}

void EditorAddress::ClearPrimaryConnection() {
    Take();
    WriteAccountInto(r_, 0, {});
    Show();
}

void EditorAddress::WriteAccount(int connection, const lookups::VatPayerRecord& account) {
    Take();
    // A non-standard account is written as the register publishes it, without a bank code.
    const PickedAccount picked =
        account.nonStandard.empty()
            ? PickedAccount{account.prefix, account.number, account.bankCode}
            : PickedAccount{{}, account.nonStandard, {}};
    WriteAccountInto(r_, connection, picked);
    Show();
    d_.ChoosePage(pages_, connection == 0 ? pageIndex_.bank : pageIndex_.furtherBanks);
}

Text EditorAddress::Notes() const {
    Take();
    return notes_;
}

void EditorAddress::SetNotes(const Text& notes) {
    Take();
    notes_ = notes;
    Show();
}

void RegisterKey(const AddressBook& book, int code) {
    if (!book.vatCheckAllowed || !book.withLookups)
        return;
    book.withLookups([&](lookups::LookupContext& ctx) {
        BookAddresses addresses(book);
        if (code == address_code::kRegisterWeb)
            lookups::OpenVatRegisterPage(ctx);
        else
            lookups::ListUnreliablePayers(ctx, &addresses,
                                          code == address_code::kRegister
                                              ? lookups::UnreliableListStart::AddressList
                                              : lookups::UnreliableListStart::Menu);
    });
}

}  // namespace axo::codelists

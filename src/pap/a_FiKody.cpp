// The transaction code list in its windows.
#include "pap/a_FiKody.h"

#include "pap/CodeListLines.h"
#include "pap/ImportUKod.h"
#include "ui/DialogInsert.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

constexpr int kFormTypeOstatni = 4;

Text Title() {
    return " Aktualizace číselníku kódů transakce pro PAP (pomocný analytický přehled)"_t;
}

}  // namespace

bool DvaPartneri(const tVetaUKod& record) {
    const Text filler = record.FILLER_STR.Get();
    return !filler.empty() && filler[0] >= '1' && filler[0] <= '9';
}

bool tAktualizaceFilePAP_Kody::PripravAktualizaci() {
    return Priprav(0, 0, Title(), TransactionCodeHeader(), "A"_t, 249);
}

bool tVyberPAP_Kod::PripravVyber(const Text& kod) {
    if (!Priprav(70, 0,
                 " Vyberte z číselníku kódů transakce pro PAP (pomocný analytický přehled)"_t,
                 TransactionCodeHeader(), "I"_t, 1))
        return false;
    startText = LeftJustify(kod, 3);
    return true;
}

Text tAktualizaceFilePAP_Kody::NazevTrideni() {
    return CurrentKey() == 2 ? "tříděno dle názvu kódu transakce"_t
                             : "tříděno dle kódu transakce"_t;
}

Text tAktualizaceFilePAP_Kody::Line(const tVetaUKod& record, int) {
    return TransactionCodeLine(record);
}

bool tAktualizaceFilePAP_Kody::Edituj(tVetaUKod& record, const tVetaUKod* original, std::int32_t) {
    return EditujKodTransakce(Env(), Table(), record, original);
}

Text tAktualizaceFilePAP_Kody::Zkontroluj(tVetaUKod& record, const tVetaUKod* original) {
    return ZkontrolujKodTransakce(Table(), record, original);
}

Text tAktualizaceFilePAP_Kody::KlicPouzit(int) {
    return "Nelze zadat již existující kód transakce."_t;
}

Text tAktualizaceFilePAP_Kody::TitulFormulare() const {
    return " Formulář pro opis číselníku kódů transakce"_t;
}

int tAktualizaceFilePAP_Kody::TypFormulare() const {
    return kFormTypeOstatni;
}

Text tAktualizaceFilePAP_Kody::DataFormulare() {
    return "KODY"_t + IntToText(CurrentKey());
}

void tAktualizaceFilePAP_Kody::Importuj() {
    std::filesystem::path file = Env().programDirectory / "UKod.txt";
    if (!AskImportFile(Ui(), Env().Dialogs(), "Zadejte soubor se vstupními daty [PAP.txt]"_t, file))
        return;
    ImportUKod(Env().location, *Env().data, Ui(), file);
}

Text ZkontrolujKodTransakce(tFileUKod& file, tVetaUKod& record, const tVetaUKod* original) {
    record.Kod = Trim(record.Kod);
    record.FILLER_STR = DvaPartneri(record) ? "1"_t : "0"_t;
    if (record.Kod.Get().empty())
        return "Kód transakce musí být zadán."_t;
    // Only a code another record has counts: a record saved with its own code is accepted.
    if (file.FindUsedKey(original == nullptr, original ? original : &record, &record) == 1)
        return "Pokoušíte se zadat již existující číslo kód transakce."_t;
    return {};
}

bool EditujKodTransakce(const CodeListEnvironment& env, tFileUKod& file, tVetaUKod& record,
                        const tVetaUKod* original) {
    constexpr int kColumns = 80;
    const bool authorLevel = env.accessLevel >= 3;
    auto d = ui::CreateDialog(env.Ui(), env.Dialogs(), 0, 0, kColumns, {},
                              "PAP (pomocný analytický přehled) - KÓDY TRANSAKCE"_t +
                                  (original ? " - oprava"_t : " - pořízení"_t),
                              authorLevel ? 8 : 7);
    ui::InsertPrvek(*d, 3, 2, {}, "Kód transakce "_t, 3, record.Kod, "/C"_t);
    d->NameCurrent("kod");
    ui::InsertPrvek(*d, 3, 3, {}, "Název "_t, 100, record.Nazev, {}, ui::TPrvek::kText, 0, 69);
    d->NameCurrent("nazev");
    ui::InsertCheckBox(*d, {}, "Povinné uvedení partnera "_t, record.PARTNER2, 0, 5, 3);
    d->NameCurrent("partner");
    std::uint8_t twoPartners = DvaPartneri(record) ? 1 : 0;
    if (authorLevel) {
        ui::InsertCheckBox(*d, {}, "Povinné uvedení dvou partnerů transakce "_t, twoPartners, 0, 6,
                           3);
        d->NameCurrent("dvaPartneri");
    }
    const int buttons = authorLevel ? 8 : 7;
    ui::InsertOkZpet(*d, 0, buttons, "Odchod bez uložení změn."_t, "  Zpět  "_t, buttons, 0,
                     "Uložení změn do souboru."_t, " Uložit "_t);
    return RunRecordEditor(*d, [&] {
        if (authorLevel)
            record.FILLER_STR = twoPartners ? "1"_t : "0"_t;
        return ZkontrolujKodTransakce(file, record, original);
    });
}

void AktualizaceFilePAP_Kody(const CodeListEnvironment& env) {
    ProcessName process(
        env.Ui(), "ČÍSELNÍKY - Číselník kódů transakce pro PAP (pomocný analytický přehled)"_t);
    tAktualizaceFilePAP_Kody window(env);
    if (!window.PripravAktualizaci())
        return;
    window.Spust();
    window.Ukonci();
}

bool VyberPAP_Kod(const CodeListEnvironment& env, Text& kod, tVetaUKod* record) {
    tVyberPAP_Kod window(env);
    if (!window.PripravVyber(kod))
        return false;
    const bool chosen = window.Spust() == ui::TBrowser::kResultChosen && window.Chosen();
    window.Ukonci();
    if (!chosen)
        return false;
    kod = window.Chosen()->Kod;
    if (record)
        *record = *window.Chosen();
    return true;
}

}  // namespace axo::pap

// The list of PAP codes for statements in its windows.
#include "pap/a_Fi_PAP.h"

#include "pap/CodeListLines.h"
#include "pap/ImportUPAP.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

constexpr int kFormTypeOstatni = 4;

}  // namespace

bool tAktualizaceFilePAPproVykazy::PripravAktualizaci() {
    return Priprav(0, 0, " Aktualizace číselníku pro výkazy PAP (pomocný analytický přehled)"_t,
                   PapCodeHeader(), "A"_t, 250);
}

bool tVyberPAPproVykazy::PripravVyber(const Text& sa) {
    if (!Priprav(0, 0, " Vyberte z číselníku pro výkazy PAP (pomocný analytický přehled)"_t,
                 PapCodeHeader(), "I"_t, 1))
        return false;
    startText = LeftJustify(sa, 10);
    return true;
}

Text tAktualizaceFilePAPproVykazy::NazevTrideni() {
    switch (CurrentKey()) {
        case 2:
            return "tříděno dle výkazu a řádku (V1Ř5)"_t;
        case 3:
            return "tříděno dle popisu"_t;
        default:
            return "tříděno dle statistické analytiky"_t;
    }
}

Text tAktualizaceFilePAPproVykazy::Line(const tVetaUAPV& record, int) {
    return PapCodeLine(record);
}

bool tAktualizaceFilePAPproVykazy::Edituj(tVetaUAPV& record, const tVetaUAPV* original,
                                          std::int32_t) {
    return EditujKodPAP(Env(), Table(), record, original);
}

Text tAktualizaceFilePAPproVykazy::Zkontroluj(tVetaUAPV& record, const tVetaUAPV* original) {
    return ZkontrolujKodPAP(Table(), record, original);
}

Text tAktualizaceFilePAPproVykazy::KlicPouzit(int k) {
    return k == 2 ? "Nelze zadat již existující kombinaci výkaz plus řádek."_t
                  : "Nelze zadat již existující statistickou analytiku."_t;
}

Text tAktualizaceFilePAPproVykazy::TitulFormulare() const {
    return " Formulář pro opis číselníku PAP pro výkazy"_t;
}

int tAktualizaceFilePAPproVykazy::TypFormulare() const {
    return kFormTypeOstatni;
}

void tAktualizaceFilePAPproVykazy::Importuj() {
    std::filesystem::path file = Env().programDirectory / "UPAP.txt";
    if (!AskImportFile(Ui(), Env().Dialogs(), "Zadejte soubor se vstupními daty [UPAP.txt]"_t,
                       file))
        return;
    ImportUPAP(Env().location, *Env().data, Ui(), file);
}

Text UpravSkupinuVykazu(tVetaUAPV& record) {
    int group = 0;
    for (int v = 1; v <= 3; ++v) {
        if (!record.VYKAZY[v - 1])
            continue;
        if (group == 0)
            group = v;
        else
            record.VYKAZY[v - 1] = 0;
    }
    const bool xv = record.VYKAZY[14] != 0;
    if (group != 0 && xv)
        return "Smí být zadána příslušnost pouze do jednoho z výkazů\rI, II, III nebo XV!"_t;
    if (group == 0 && !xv)
        return "Musí být zadána příslušnost do výkazu\rI, II, III nebo XV!"_t;
    record.VYKAZ_I_II_III = static_cast<Byte>(group);
    return {};
}

Text ZkontrolujKodPAP(tFileUAPV& file, tVetaUAPV& record, const tVetaUAPV* original) {
    record.STAT_ANAL = Trim(record.STAT_ANAL);
    if (record.STAT_ANAL.Get().empty())
        return "Statistická analytika musí být zadána."_t;
    if (const Text refusal = UpravSkupinuVykazu(record); !refusal.empty())
        return refusal;
    // The row is checked when the code is written, under the list's write lock.
    if (file.FindUsedKey(original == nullptr, original ? original : &record, &record) == 1)
        return "Nelze zadat již existující statistickou analytiku."_t;
    return {};
}

char CisloVykazuKodu(const tVetaUAPV& record) {
    char digit = 'n';
    for (int v = 4; v <= 9; ++v)
        if (record.VYKAZY[v - 1])
            digit = static_cast<char>('0' + v);
    return digit;
}

void AktualizaceFilePAPproVykazy(const CodeListEnvironment& env) {
    ProcessName process(env.Ui(), "ČÍSELNÍKY - POMOCNÝ ANALYTICKÝ PŘEHLED pro výkazy"_t);
    tAktualizaceFilePAPproVykazy window(env);
    if (!window.PripravAktualizaci())
        return;
    window.Spust();
    window.Ukonci();
}

bool VyberPAPproVykazy(const CodeListEnvironment& env, Text& sa, tVetaUAPV* record) {
    tVyberPAPproVykazy window(env);
    if (!window.PripravVyber(sa))
        return false;
    const bool chosen = window.Spust() == ui::TBrowser::kResultChosen && window.Chosen();
    window.Ukonci();
    if (!chosen)
        return false;
    sa = window.Chosen()->STAT_ANAL;
    if (record)
        *record = *window.Chosen();
    return true;
}

}  // namespace axo::pap

// The record editor of the list of PAP codes for statements: the code's own data and its
// statements on the first page, its transaction codes on the second.
#include "pap/a_Fi_PAP.h"
#include "ui/DialogInsert.h"
#include "ui/DialogPages.h"
#include "util/Cisla.h"

namespace axo::pap {

namespace {

constexpr int kColumns = 80;
constexpr int kRows = 20;
constexpr int kPageRows = 17;

/// A block of 20 transaction-code boxes, ten a row, captioned with the statement digit and the
/// code number (`first` .. `first` + 19).
template <class Flag>
void InsertCodeBlock(ui::TDialogAXO& d, const char* caption, Flag (&flags)[20], int first,
                     char digit, const char* name, int row) {
    ui::InsertLabel(d, 3, row, {}, FromUtf8(caption));
    for (int i = 0; i < 20; ++i) {
        const int number = first + i;
        ui::InsertCheckBox(d, {}, Text(1, digit) + IntToTextZeros(number, 2), flags[i], 7,
                           row + 1 + i / 10, 3 + (i % 10) * 7);
        d.NameCurrent(NumberedName(name, number));
    }
}

void InsertFirstPage(ui::TDialogAXO& d, tVetaUAPV& r) {
    ui::InsertPrvek(d, 3, 3, {}, "Statistická analytika "_t, 10, r.STAT_ANAL, "/C"_t);
    d.NameCurrent("stat_anal");
    ui::InsertPrvek(d, 3, 4, {}, "Popis "_t, 150, r.POPIS, {}, ui::TPrvek::kText, 0, 64);
    d.NameCurrent("popis");
    ui::InsertCheckBox(d, {}, "Povinné uvedení kódu transakce"_t, r.KOD, 0, 5, 3);
    d.NameCurrent("kod");
    ui::InsertCheckBox(d, {}, "Povinné uvedení partnera 1, a to partnera "_t, r.PARTNER, 47, 6, 3);
    d.NameCurrent("partner");
    ui::TItemList partners;
    partners.Add(" transakce"_t);
    partners.Add(" aktiv/pasiv"_t);
    ui::InsertComboBox(d, {}, r.CojePartner, partners, 16, 6, 51);
    d.NameCurrent("cojepartner");
    ui::InsertCheckBox(d, {}, "Povinné uvedení partnera 2"_t, r.PARTNER2, 0, 7, 3);
    d.NameCurrent("partner2");
    ui::InsertCheckBox(d, {}, "Konsolidační celek Česke republiky"_t, r.Konsolidace, 0, 8, 3);
    d.NameCurrent("konsolidace");
    ui::InsertLabel(d, 3, 9, {}, "VÝKAZY PAP"_t);
    InsertStatementBoxes(d, r.VYKAZY, 10);
    ui::InsertPrvek(d, 3, 15, {}, "Řádek pro výkaz I, II, III nebo XV "_t, 4, r.RADEK, {},
                    ui::TPrvek::kWord);
    d.NameCurrent("radek");
    ui::InsertCheckBox(d, {}, "pro výkazy X a XI"_t, r.X_BezObratu, 22, 16, 3);
    d.NameCurrent("x_bezobratu");
    ui::InsertLabel(d, 27, 16, {}, "X: nezobrazovat obraty (rozvahové účty)"_t);
    ui::InsertLabel(d, 27, 17, {}, "XI: zobrazovat marži (nákladové a výnosové účty)"_t);
}

void InsertSecondPage(ui::TDialogAXO& d, tVetaUAPV& r) {
    const char digit = CisloVykazuKodu(r);
    InsertCodeBlock(d, "Kódy transakcí vykazovaných na straně MÁ DÁTI", r.MD, 1, digit, "md", 3);
    InsertCodeBlock(d, "Kódy transakcí vykazovaných na straně DAL", r.DAL, 51, digit, "dal", 6);
    InsertCodeBlock(d, "Kódy transakcí s výjimkou pro kontrolu partnera na straně MÁ DÁTI",
                    r.MD_NETESTP, 1, digit, "md_netestp", 9);
    InsertCodeBlock(d, "Kódy transakcí s výjimkou pro kontrolu partnera na straně DAL",
                    r.DAL_NETESTP, 51, digit, "dal_netestp", 12);
}

/// The captions of statements I-XVII as the editors show them.
const char* const kStatementCaptions[17] = {
    "   I. aktiva/pasiva",
    "  II. náklady",
    " III. výnosy",
    "  IV. ",
    "   V. ",
    "   VI. ",
    "  VII. ",
    " VIII. ",
    "   IX. ",
    "    X. ",
    "   XI. ",
    "  XII. ",
    " XIII. ",
    "  XIV. ",
    "   XV. ",
    "  XVI. ",
    " XVII. ",
};

}  // namespace

std::string NumberedName(const char* prefix, int n) {
    return prefix + std::string(n < 10 ? "0" : "") + std::to_string(n);
}

void InsertStatementBoxes(ui::TDialogAXO& d, Boolean (&flags)[20], int firstRow,
                          ui::TCheckBoxAXO** boxes) {
    for (int i = 0; i < 17; ++i) {
        ui::TCheckBoxAXO* box = ui::InsertCheckBox(d, {}, FromUtf8(kStatementCaptions[i]), flags[i],
                                                   18, firstRow + i % 5, 3 + (i / 5) * 19);
        d.NameCurrent(NumberedName("vykazy", i + 1));
        if (boxes)
            boxes[i] = box;
    }
}

bool EditujKodPAP(const CodeListEnvironment& env, tFileUAPV& file, tVetaUAPV& record,
                  const tVetaUAPV* original) {
    auto d = ui::CreateDialog(env.Ui(), env.Dialogs(), 0, 0, kColumns, {},
                              "Číselník pro výkazy PAP (pomocný analytický přehled)"_t +
                                  (original ? " - oprava"_t : " - pořízení"_t),
                              kRows);
    ui::TPageControlAXO* pages = ui::InsertPageControl(*d, 1, 1, kPageRows, kColumns);
    d->NameCurrent("stranky");
    ui::BeginPage(*d, *pages, " Kód a výkazy "_t);
    InsertFirstPage(*d, record);
    ui::BeginPage(*d, *pages, " Kódy transakcí "_t);
    InsertSecondPage(*d, record);
    ui::EndPages(*d);
    ui::InsertOkZpet(*d, 0, kRows - 1, "Odchod bez uložení změn."_t, "  Zpět  "_t, kRows - 1, 0,
                     "Uložení změn do souboru."_t, " Uložit "_t);
    return RunRecordEditor(*d, [&] { return ZkontrolujKodPAP(file, record, original); });
}

}  // namespace axo::pap

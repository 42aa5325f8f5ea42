// The code lists and documents of PAP: opening and look-ups.
#include "pap/PapData.h"

#include "util/Retezce.h"

namespace axo::pap {

namespace {

/// Opens a closed list for the length of one look-up.
class OpenForLookup {
  public:
    explicit OpenForLookup(storage::tSoubor& file) : file_(file) {
        if (!file_.Opened())
            opened_ = file_.InitFile(1, storage::_NoWait);
    }
    ~OpenForLookup() {
        if (opened_)
            file_.CloseFile();
    }
    OpenForLookup(const OpenForLookup&) = delete;
    OpenForLookup& operator=(const OpenForLookup&) = delete;
    bool Ok() const { return file_.Opened(); }

  private:
    storage::tSoubor& file_;
    bool opened_ = false;
};

}  // namespace

CodeLists::CodeLists(const storage::DataContext& ctx, const PapLocation& where)
    : chart_(std::make_unique<tFileRozvrh>(ctx, where)),
      papCodes_(std::make_unique<tFileUAPV>(ctx, where)),
      transactionCodes_(std::make_unique<tFileUKod>(ctx, where)) {}

CodeLists::~CodeLists() = default;

bool CodeLists::Open(storage::tSoubor& file, int& refs) {
    if (refs == 0 && !file.InitFile(1, storage::_NoWait))
        return false;
    ++refs;
    return true;
}

void CodeLists::Close(storage::tSoubor& file, int& refs) {
    if (refs > 0 && --refs == 0)
        file.CloseFile();
}

int CodeLists::FindAccount(Word su, Word ae, tVetaRozvrh& ucet) {
    ucet = tVetaRozvrh{};
    OpenForLookup open(*chart_);
    if (!open.Ok())
        return kRozvrhNelzeOtevrit;
    const Text key = KeyNumber(su, 3) + KeyNumber(ae, 3);
    std::int32_t n = 0;
    if (!chart_->BtFindKey(1, n, key))
        return kUcetNenalezen;
    chart_->GetRec(n, &ucet);
    if (ae != 0)
        return kUcetNalezen;
    Text next;
    if (chart_->BtNextKey(1, n, next) && next.substr(0, 3) == key.substr(0, 3))
        return kUcetSAnalytikami;
    return kUcetNalezen;
}

bool CodeLists::FindPapCode(const Text& sa, tVetaUAPV& kod) {
    bool soucet = false;
    return FindPapCodeWithSum(sa, kod, soucet);
}

bool CodeLists::FindPapCodeWithSum(const Text& sa, tVetaUAPV& kod, bool& soucet) {
    soucet = false;
    OpenForLookup open(*papCodes_);
    if (!open.Ok())
        return false;
    const Text key = KeyText(sa, 10);
    std::int32_t n = 0;
    if (!papCodes_->BtFindKey(1, n, key))
        return false;
    papCodes_->GetRec(n, &kod);
    Text next;
    if (TrimRight(kod.STAT_ANAL).size() == 3 && papCodes_->BtNextKey(1, n, next))
        soucet = next.substr(0, 3) == key.substr(0, 3);
    return true;
}

bool CodeLists::FindTransactionCode(const Text& kod, tVetaUKod& veta) {
    OpenForLookup open(*transactionCodes_);
    if (!open.Ok())
        return false;
    std::int32_t n = 0;
    if (!transactionCodes_->BtFindKey(1, n, KeyText(kod, 3)))
        return false;
    return transactionCodes_->GetRec(n, &veta);
}

DocumentTables::DocumentTables(const storage::DataContext& ctx, const PapLocation& where)
    : ctx_(ctx), headers_(ctx, where), lines_(ctx, where) {}

bool DocumentTables::Open(bool exclusive) {
    const int mode = exclusive ? 4 : 1;
    for (;;) {
        if (headers_.InitFile(mode, storage::_NoWait) && lines_.InitFile(mode, storage::_NoWait))
            return true;
        Close();
        if (!exclusive) {
            ctx_.ui->ShowErrorLine("Soubory účetních dokladů nelze otevřít.\rAkce končí."_t);
            return false;
        }
        if (!ctx_.ui->YesNo("Soubory účetních dokladů nelze otevřít pro exkluzivní přístup."_t,
                            "~P~okusit se o nové otevření"_t, "<~Esc~>zpět"_t, 1))
            return false;
    }
}

void DocumentTables::Close() {
    if (headers_.Opened())
        headers_.CloseFile();
    if (lines_.Opened())
        lines_.CloseFile();
}

Text DocumentIdText(const Text& identifikace, const Text& form) {
    const bool shortForm = form == "RR"_t;
    if (identifikace.size() != 15)
        return Blanks(shortForm ? 16 : 18);
    const Text year = identifikace.substr(0, 4);
    const Text date = identifikace.substr(4, 2) + "/"_t + (shortForm ? year.substr(2, 2) : year);
    const Text document = Trim(identifikace.substr(6, 4)) + "/"_t + identifikace.substr(10, 5);
    return RemoveBlanks(date) + " "_t + RemoveBlanks(document);
}

}  // namespace axo::pap

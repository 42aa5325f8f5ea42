// The books the demo organisation's documents are written into.
#include "pap/DemoBooks.h"

#include "pap/DemoCatalog.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::pap::demo {

namespace {

/// The partner duties of an account, from its analytics in the catalogue.
struct Duties {
    bool partner1 = false;
    bool partner2 = false;
};

Duties DutiesOf(Acc a) {
    static const std::map<Acc, Duties> duties = [] {
        std::map<std::string, Duties> byCode;
        for (const DemoCode& code : DemoCodes())
            byCode[code.statAnal] = {*code.partner1 != 0, code.partner2};
        std::map<Acc, Duties> byAccount;
        for (const DemoAccount& account : DemoAccounts())
            byAccount[{account.su, account.ae}] = byCode[account.statAnal];
        return byAccount;
    }();
    const auto it = duties.find(a);
    return it == duties.end() ? Duties{} : it->second;
}

bool DemandsTwoPartners(const char* kod) {
    for (const DemoTransactionCode& t : DemoTransactionCodes())
        if (std::string(t.kod) == kod)
            return t.twoPartners;
    return false;
}

}  // namespace

std::uint64_t Rng::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double Rng::Amount(double lo, double hi) {
    const auto cents =
        static_cast<long long>(lo * 100) +
        static_cast<long long>(Next() % static_cast<std::uint64_t>((hi - lo) * 100 + 1));
    return static_cast<double>(cents) / 100;
}

double Rng::Factor(double lo, double hi) {
    return lo + (hi - lo) * Below(1001) / 1000;
}

void Books::Begin(int month, int day, const char* kind, const Text& description, Byte state,
                  const Text& vs) {
    const int number = ++numbers_[kind];
    const Text num = number < 10000 ? " "_t + IntToTextZeros(number, 4) : IntToTextZeros(number, 5);
    docs_.emplace_back();
    JournalDocument& d = docs_.back();
    d.header.PRIZNAK = state;
    d.header.IDENTIFIKACE = IntToText(year_) + IntToTextZeros(month, 2) + FromUtf8(kind) + num;
    d.header.DATUM = DateText(day, month == 0 ? 1 : month, year_);
    d.header.POPIS = description;
    d.header.VS = vs;
    vs_ = vs;
}

int Books::NextNumber(const char* kind) const {
    const auto it = numbers_.find(kind);
    return (it == numbers_.end() ? 0 : it->second) + 1;
}

void Books::Put(Acc a, double md, double dal, const char* kod, const Text& p1, const Text& p2,
                const Text& note) {
    JournalDocument& d = docs_.back();
    JournalLine l;
    tVetaUDPO& u = l.record;
    u.PRIZNAK = d.header.PRIZNAK;
    u.IDENTIFIKACE = d.header.IDENTIFIKACE;
    u.RADEK = static_cast<LongInt>(d.lines.size() + 1);
    u.SU = static_cast<Word>(a.su);
    u.AE = static_cast<Word>(a.ae);
    u.MA_DATI = Round(md, 2);
    u.DAL = Round(dal, 2);
    u.KOD = FromUtf8(kod);
    u.PARTNER = p1;
    u.PARTNER2 = p2;
    u.POZNAMKA = note;
    u.VS1 = vs_;
    l.line = ++lines_;
    d.lines.push_back(l);
    double& balance = balances_[a];
    balance = Round(balance + u.MA_DATI - u.DAL, 2);
    const bool counted =
        d.header.PRIZNAK == 0 && d.header.IDENTIFIKACE.Get().substr(6, 2) != " U"_t;
    if (counted && a.su >= 500 && a.su < 700)
        result_ = Round(result_ + u.DAL - u.MA_DATI, 2);
}

void Books::Add(Acc a, double md, double dal, const char* kod, const Partner* p1,
                const Partner* p2) {
    const Duties duties = DutiesOf(a);
    const bool withP1 = p1 && duties.partner1;
    const bool withP2 = p2 && (duties.partner2 || DemandsTwoPartners(kod));
    Put(a, md, dal, kod, withP1 ? p1->id : Text(), withP2 ? p2->id : Text(),
        withP1 ? p1->name : Text());
}

void Books::Pair(Acc debit, const char* debitKod, Acc credit, const char* creditKod, double amount,
                 const Partner* partner, const Partner* partner2) {
    Add(debit, amount, 0, debitKod, partner, partner2);
    Add(credit, 0, amount, creditKod, partner, partner2);
}

double Books::Balance(Acc a) const {
    const auto it = balances_.find(a);
    return it == balances_.end() ? 0 : it->second;
}

}  // namespace axo::pap::demo

// The booked documents of the demo organisation.
#include "pap/DemoJournal.h"

#include <deque>
#include <map>
#include <set>
#include <string>

#include "pap/DemoCatalog.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

/// splitmix64: the same numbers for a seed on every platform and library.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    /// An amount in whole hellers between `lo` and `hi`.
    double Amount(double lo, double hi) {
        const auto cents =
            static_cast<long long>(lo * 100) +
            static_cast<long long>(Next() % static_cast<std::uint64_t>((hi - lo) * 100 + 1));
        return static_cast<double>(cents) / 100;
    }
    template <class T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }

  private:
    std::uint64_t state_;
};

struct Partner {
    Text id;
    Text name;
};

struct Acc {
    int su;
    int ae;
};

/// The partner duties of an account, from its analytics in the catalogue.
struct Duties {
    bool partner1 = false;
    bool partner2 = false;
};

Duties DutiesOf(Acc a) {
    static const std::map<std::pair<int, int>, Duties> duties = [] {
        std::map<std::string, Duties> byCode;
        for (const DemoCode& code : DemoCodes())
            byCode[code.statAnal] = {*code.partner1 != 0, code.partner2};
        std::map<std::pair<int, int>, Duties> byAccount;
        for (const DemoAccount& account : DemoAccounts())
            byAccount[{account.su, account.ae}] = byCode[account.statAnal];
        return byAccount;
    }();
    const auto it = duties.find({a.su, a.ae});
    return it == duties.end() ? Duties{} : it->second;
}

bool DemandsTwoPartners(const char* kod) {
    for (const DemoTransactionCode& t : DemoTransactionCodes())
        if (std::string(t.kod) == kod)
            return t.twoPartners;
    return false;
}

const char* const kSuppliers[] = {
    "Pekárna U Mlýna s.r.o.",      "Mlékárna Dolní Lhota a.s.", "Ovoce a zelenina Král",
    "Papírnictví Novotný",         "Drogerie Svoboda s.r.o.",   "Stavební firma Dvořák",
    "Elektro Černý s.r.o.",        "Úklidová služba Jasná",     "Knihkupectví Čtenář",
    "Učební pomůcky Beneš",        "Počítače Marek s.r.o.",     "Revize Procházka",
    "Autoservis Kučera s.r.o.",    "Školicí centrum Horák",     "Nábytek Veselý s.r.o.",
    "Masna Pokorný s.r.o.",        "Zahradnictví Růžička",      "Tiskárna Němec s.r.o.",
    "Software Pospíšil s.r.o.",    "Ochranné pomůcky Jelínek",  "Pojišťovna Jistota a.s.",
    "Telekomunikace Spojení a.s.", "Poštovní služby Demo",
};
const char* const kEnergySuppliers[] = {"Energie Demo a.s.", "Plynárna Demo a.s.",
                                        "Vodárny a kanalizace Demo a.s."};
const char* const kCustomers[] = {
    "Sportovní klub Sokol Demo",
    "Taneční studio Rytmus",
    "ZUŠ Demo",
    "Jazyková škola Lingua",
    "Spolek rodičů při ZŠ",
    "Skautské středisko Demo",
    "SDH Demo",
    "Šachový klub Demo",
    "Knihovna města Demo",
    "Dětský pěvecký sbor Demo",
    "Kavárna U Školy s.r.o.",
    "Cvičení rodičů s dětmi",
};

class Builder {
  public:
    explicit Builder(const DemoJournalOptions& o) : o_(o), rng_(o.seed) { MakePartners(); }

    std::vector<JournalDocument> Build() {
        Opening();
        const int perMonth = std::max(o_.lines - Lines(), 0) / 12;
        for (int month = 1; month <= 12; ++month) {
            const int budget = Lines() + perMonth;
            MonthlyDocuments(month);
            while (Lines() < budget)
                RandomDocument(month);
        }
        return std::move(docs_);
    }

  private:
    // ---- partners ----------------------------------------------------------------------------

    Partner Company(const char* name) {
        for (;;) {
            const Text ico =
                IcoWithCheckDigit(static_cast<std::uint32_t>(rng_.Below(9000000) + 1000000));
            if (icos_.insert(ico).second)
                return {ico, FromUtf8(name)};
        }
    }
    void MakePartners() {
        for (const char* n : kSuppliers)
            suppliers_.push_back(Company(n));
        for (const char* n : kEnergySuppliers)
            energy_.push_back(Company(n));
        for (const char* n : kCustomers)
            customers_.push_back(Company(n));
        foreign_ = {{"DE"_t, "Schulbedarf Müller GmbH"_t},
                    {"AT"_t, "Lernmittel Huber GmbH"_t},
                    {"SK"_t, "Kancelária Kováč s.r.o."_t}};
        foreignCustomers_ = {{"PL"_t, "Szkoła Podstawowa Demo"_t},
                             {"SK"_t, "Základná škola Demo"_t}};
        people_ = {{"111"_t, "Rodiče žáků"_t},
                   {"222"_t, "Zaměstnanci"_t},
                   {"333"_t, "Ostatní fyzické osoby"_t},
                   {"444"_t, "Ostatní"_t}};
        cssz_ = {"00006963"_t, "Česká správa soc. zabezpečení"_t};
        vzp_ = {"41197518"_t, "Všeobecná zdravotní pojišťovna"_t};
        otherInsurer_ = Company("Zdravotní pojišťovna Demo");
        taxOffice_ = Company("Finanční úřad pro Demo kraj");
        founder_ = Company("Město Demo");
        region_ = Company("Demo kraj");
        ministry_ = {"00022985"_t, "Ministerstvo školství (MŠMT)"_t};
    }

    // ---- documents ---------------------------------------------------------------------------

    int Lines() const { return lines_; }

    void Begin(int month, const char* kind, const Text& description, Byte state = 0,
               const Text& vs = {}) {
        int& number = numbers_[kind];
        ++number;
        const Text num =
            number < 10000 ? " "_t + IntToTextZeros(number, 4) : IntToTextZeros(number, 5);
        docs_.emplace_back();
        JournalDocument& d = docs_.back();
        d.header.PRIZNAK = state;
        d.header.IDENTIFIKACE =
            IntToText(o_.year) + IntToTextZeros(month, 2) + FromUtf8(kind) + num;
        const int day = month == 0 ? 1 : 1 + rng_.Below(28);
        d.header.DATUM = DateText(day, month == 0 ? 1 : month, o_.year);
        d.header.POPIS = description;
        d.header.VS = vs;
        vs_ = vs;
    }

    /// A line as given, partners included.
    void Put(Acc a, double md, double dal, const char* kod, const Text& p1, const Text& p2,
             const Text& note = {}) {
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
    }

    /// A line whose partners follow the duties of its account and its code.
    void Add(Acc a, double md, double dal, const char* kod = "", const Partner* p1 = nullptr,
             const Partner* p2 = nullptr) {
        const Duties duties = DutiesOf(a);
        const bool withP1 = p1 && duties.partner1;
        const bool withP2 = p2 && (duties.partner2 || DemandsTwoPartners(kod));
        Put(a, md, dal, kod, withP1 ? p1->id : Text(), withP2 ? p2->id : Text(),
            withP1 ? p1->name : Text());
    }

    /// A debit and a credit line of the same amount.
    void Pair(Acc debit, const char* debitKod, Acc credit, const char* creditKod, double amount,
              const Partner* partner = nullptr, const Partner* partner2 = nullptr) {
        Add(debit, amount, 0, debitKod, partner, partner2);
        Add(credit, 0, amount, creditKod, partner, partner2);
    }

    // ---- opening balances ---------------------------------------------------------------------

    void Opening() {
        Begin(0, "PS  ", "Počáteční stavy účtů"_t);
        OpeningAssets();
        OpeningLiabilities();
        // What the accounts leave open is the opening account's side.
        double md = 0, dal = 0;
        for (const JournalLine& l : docs_.back().lines) {
            md += l.record.MA_DATI;
            dal += l.record.DAL;
        }
        const double difference = Round(md - dal, 2);
        if (difference >= 0)
            Add({701, 0}, 0, difference);
        else
            Add({701, 0}, -difference, 0);
        Begin(0, "PS  ", "Počáteční stavy podrozvahových účtů"_t);
        Pair({902, 100}, "", {999, 0}, "", 865400);
        Add({912, 0}, 4250000, 0, "", &founder_);
        Add({999, 0}, 0, 4250000);
    }

    void OpeningAssets() {
        static const std::pair<Acc, double> kDebit[] = {
            {{13, 100}, 184500},   {{18, 0}, 96350},         {{21, 100}, 48250000},
            {{21, 200}, 12430000}, {{21, 300}, 2315000},     {{22, 100}, 1865400},
            {{22, 200}, 954300},   {{22, 300}, 689000},      {{28, 100}, 1243800},
            {{28, 200}, 615200},   {{31, 0}, 3120000},       {{112, 100}, 48230.50},
            {{112, 200}, 12450},   {{241, 100}, 2845320.35}, {{241, 200}, 312450.80},
            {{243, 0}, 185320.40}, {{261, 100}, 18450},
        };
        static const std::pair<Acc, double> kCredit[] = {
            {{73, 0}, 142300},    {{78, 0}, 96350},    {{81, 100}, 18450000}, {{81, 300}, 965000},
            {{82, 100}, 1123400}, {{82, 300}, 402000}, {{88, 0}, 1859000},
        };
        for (const auto& [account, amount] : kDebit)
            Add(account, amount, 0);
        for (const auto& [account, amount] : kCredit)
            Add(account, 0, amount);
        for (std::size_t i = 0; i < 5; ++i)
            Add({311, 100}, rng_.Amount(1200, 25000), 0, "", &customers_[i]);
        Add({314, 100}, 85000, 0, "", &energy_[0]);
    }

    void OpeningLiabilities() {
        for (std::size_t i = 0; i < 6; ++i)
            Add({321, 100}, 0, rng_.Amount(2500, 60000), "", &suppliers_[i]);
        Add({331, 0}, 0, 845320);
        Add({336, 0}, 0, 298750, "", &cssz_);
        Add({337, 100}, 0, 112450, "", &vzp_);
        Add({337, 200}, 0, 18560, "", &otherInsurer_);
        Add({342, 0}, 0, 98450, "", &taxOffice_);
        Add({378, 100}, 0, 12450);
        Add({401, 0}, 0, 46250000);
        Add({403, 0}, 0, 1845000, "", &founder_, &founder_);
        static const std::pair<Acc, double> kFunds[] = {
            {{411, 0}, 120000}, {{412, 0}, 185320.40}, {{413, 0}, 245000},
            {{414, 0}, 85000},  {{416, 0}, 325000},
        };
        for (const auto& [account, amount] : kFunds)
            Add(account, 0, amount);
    }

    // ---- documents every month needs ----------------------------------------------------------

    void MonthlyDocuments(int month) {
        Payroll(month);
        PayrollPayment(month);
        FounderContribution(month);
        MonthEnd(month);
        if (month % 3 == 1)
            StateSubsidy(month);
        if (month == 1)
            FinancialPlan(month);
        if (month == 2 || month == 3)
            FreeOfCharge(month);
        if (month == 2)
            ProjectAdvance(month);
        if (month % 3 == 0)
            ProjectClearing(month);
        if (month == 4)
            InvestmentTransfer(month);
        if (month == 3 || month == 9)
            OffBalance(month, 0);
        if (month == 6) {
            AccountFaults(month);
            CodeFaults(month);
            PartnerFaults(month);
        }
        if (month == 12) {
            OffBalance(month, 3);
            StateThreeDocument(month);
            AdjustingDocuments(month);
        }
    }

    void Payroll(int month) {
        Begin(month, "MZ01", "Zaúčtování mezd "_t + IntToText(month) + "/"_t + IntToText(o_.year));
        const double salaries = rng_.Amount(820000, 880000);
        const double agreements = rng_.Amount(12000, 28000);
        const double side = rng_.Amount(9000, 16000);
        const double gross = salaries + agreements + side;
        const double social = Round(gross * 0.248, 0);
        const double health = Round(gross * 0.09, 0);
        const double healthVzp = Round(health * 0.8, 0);
        Pair({521, 100}, "", {331, 0}, "751", salaries);
        Pair({521, 200}, "", {331, 0}, "751", agreements);
        Pair({521, 900}, "", {331, 0}, "751", side);
        Pair({524, 100}, "", {336, 0}, "751", social, &cssz_);
        Pair({524, 200}, "", {337, 100}, "751", healthVzp, &vzp_);
        Pair({524, 200}, "", {337, 200}, "751", health - healthVzp, &otherInsurer_);
        Pair({331, 0}, "701", {336, 0}, "751", Round(gross * 0.071, 0), &cssz_);
        Pair({331, 0}, "701", {337, 100}, "751", Round(gross * 0.036, 0), &vzp_);
        Pair({331, 0}, "701", {337, 200}, "751", Round(gross * 0.009, 0), &otherInsurer_);
        Pair({331, 0}, "701", {342, 0}, "751", Round(gross * 0.12, 0), &taxOffice_);
        Pair({331, 0}, "701", {378, 100}, "751", rng_.Amount(8000, 15000));
        Pair({527, 100}, "", {412, 0}, "951", Round(salaries * 0.02, 2));
        Pair({527, 300}, "", {333, 0}, "751", rng_.Amount(500, 3000));
        payroll_ = {gross, social, health};
    }

    void PayrollPayment(int month) {
        Begin(month, "BV01", "Výplata mezd a odvody"_t);
        const auto [gross, social, health] = payroll_;
        const double net = Round(gross * 0.764, 0);
        Pair({331, 0}, "701", {241, 100}, "851", net);
        Pair({336, 0}, "701", {241, 100}, "851", Round(social + gross * 0.071, 0), &cssz_);
        Pair({337, 100}, "701", {241, 100}, "851", Round(health * 0.8 + gross * 0.036, 0), &vzp_);
        Pair({342, 0}, "701", {241, 100}, "851", Round(gross * 0.12, 0), &taxOffice_);
        Pair({378, 100}, "701", {241, 100}, "851", rng_.Amount(8000, 15000));
        Pair({243, 0}, "801", {241, 100}, "851", Round(gross * 0.02, 0));
    }

    void FounderContribution(int month) {
        Begin(month, "BV01", "Provozní příspěvek zřizovatele"_t);
        Pair({241, 100}, "801", {672, 100}, "", 425000, &founder_);
        Begin(month, "FP01", "Služby zřizovatele"_t, 0, "Z"_t + IntToTextZeros(month, 2));
        Pair({518, 500}, "", {321, 100}, "751", rng_.Amount(3500, 6500), &founder_);
        Pair({538, 0}, "", {321, 100}, "751", rng_.Amount(900, 1800), &founder_);
    }

    void MonthEnd(int month) {
        Begin(month, "ID01",
              "Odpisy a spotřeba "_t + IntToText(month) + "/"_t + IntToText(o_.year));
        Pair({551, 0}, "", {81, 100}, "455", 68900);
        Pair({551, 0}, "", {81, 300}, "455", 4820);
        Pair({551, 0}, "", {82, 100}, "455", 15540);
        Pair({551, 0}, "", {82, 300}, "455", 5740);
        Pair({551, 0}, "", {73, 0}, "455", 3070);
        Pair({403, 0}, "902", {672, 300}, "", 7690, &founder_, &founder_);
        Pair({501, 100}, "", {112, 100}, "551", rng_.Amount(95000, 140000));
        Pair({501, 300}, "", {112, 200}, "551", rng_.Amount(3000, 9000));
        Begin(month, "BV02", "Čerpání FKSP"_t);
        Pair({412, 0}, "901", {243, 0}, "851", rng_.Amount(4000, 22000));
        Pair({569, 100}, "", {243, 0}, "851", 45);
    }

    void StateSubsidy(int month) {
        const double amount = rng_.Amount(3600000, 3900000);
        Begin(month, "BV01", "Dotace ze státního rozpočtu"_t);
        Pair({241, 100}, "801", {374, 0}, "751", amount, &region_);
        Begin(month, "ID01", "Zúčtování dotace"_t);
        Pair({374, 0}, "701", {672, 200}, "", amount, &region_);
    }

    void InvestmentTransfer(int month) {
        Begin(month, "BV01", "Investiční transfer zřizovatele"_t);
        Pair({241, 100}, "801", {403, 0}, "952", 650000, &founder_, &founder_);
        const Partner& builder = suppliers_[5];
        Begin(month, "FP01", "Rekonstrukce hřiště"_t, 0, "2024INV01"_t);
        Pair({42, 0}, "401", {321, 100}, "751", 640000, &builder);
        Begin(month, "ID01", "Zařazení hřiště do užívání"_t);
        Pair({21, 300}, "403", {42, 0}, "454", 640000);
        Begin(month, "FP01", "Nákup vozidla"_t, 0, "2024INV02"_t);
        Pair({22, 300}, "401", {321, 100}, "751", 385000, &suppliers_[12]);
    }

    /// The year's financial plan, kept on the accounts of class 8.
    void FinancialPlan(int month) {
        Begin(month, "ID01", "Finanční plán "_t + IntToText(o_.year));
        Pair({801, 0}, "", {899, 0}, "", 22400000);
        Pair({899, 0}, "", {802, 0}, "", 22400000);
    }

    /// Equipment received free of charge from the founder and the region, and a piece of it
    /// handed on to another school: changes by partner of the transaction (statement XII).
    void FreeOfCharge(int month) {
        if (month == 2) {
            Begin(month, "ID01", "Bezúplatné nabytí vybavení od zřizovatele"_t);
            Pair({22, 600}, "402", {401, 0}, "953", 148500, &founder_);
            return;
        }
        Begin(month, "ID01", "Bezúplatné nabytí vybavení od kraje"_t);
        Pair({22, 600}, "402", {401, 0}, "953", 86200, &region_);
        Begin(month, "ID01", "Bezúplatný převod vybavení ZUŠ"_t);
        Pair({401, 0}, "903", {22, 600}, "453", 24800, &customers_[2]);
    }

    /// A project paid in advance by the region, from the ministry's money and its own share:
    /// the region is the partner of the liability, the source the partner of the transaction
    /// (statement XIII).
    void ProjectAdvance(int month) {
        Begin(month, "BV01", "Záloha na projekt od kraje"_t);
        Pair({241, 100}, "801", {472, 0}, "751", kProjectState, &region_, &ministry_);
        Pair({241, 100}, "801", {472, 0}, "751", kProjectRegion, &region_, &region_);
    }

    /// A quarter of the advance cleared to the revenue from transfers.
    void ProjectClearing(int month) {
        Begin(month, "ID01", "Zúčtování zálohy na projekt"_t);
        Add({472, 0}, kProjectState / 4, 0, "701", &region_, &ministry_);
        Add({672, 400}, 0, kProjectState / 4, "", &ministry_);
        Add({472, 0}, kProjectRegion / 4, 0, "701", &region_, &region_);
        Add({672, 400}, 0, kProjectRegion / 4, "", &region_);
    }

    void OffBalance(int month, Byte state) {
        Begin(month, "ID01", "Podrozvahová evidence"_t, state);
        Pair({902, 100}, "", {999, 0}, "", rng_.Amount(5000, 30000));
        Pair({902, 200}, "", {999, 0}, "", rng_.Amount(2000, 12000));
        const Partner& debtor = customers_[7];
        Begin(month, "ID01", "Odpis nedobytné pohledávky"_t, state);
        const double bad = rng_.Amount(800, 4000);
        Pair({549, 200}, "", {311, 100}, "652", bad, &debtor);
        Add({905, 0}, bad, 0, "", &debtor);
        Add({999, 0}, 0, bad);
        Begin(month, "ID01", "Užívání majetku zřizovatele"_t, state);
        Add({912, 0}, rng_.Amount(10000, 50000), 0, "", &founder_);
        Add({999, 0}, 0, docs_.back().lines.back().record.MA_DATI);
    }

    void StateThreeDocument(int month) {
        Begin(month, "ID01", "Doklad ve stavu 3"_t, 3);
        Pair({501, 200}, "", {261, 100}, "851", rng_.Amount(100, 900));
    }

    void AdjustingDocuments(int month) {
        for (int i = 0; i < 2; ++i) {
            Begin(month, " U01", "Úprava - nezapočítává se"_t);
            Pair({501, 100}, "", {112, 100}, "551", rng_.Amount(500, 5000));
        }
    }

    // ---- documents of random kinds -------------------------------------------------------------

    void RandomDocument(int month) {
        const int pick = rng_.Below(100);
        if (pick < 35)
            ReceivedInvoice(month);
        else if (pick < 55)
            BankStatement(month);
        else if (pick < 70)
            IssuedInvoice(month);
        else
            CashDocument(month);
    }

    void ReceivedInvoice(int month) {
        static const Acc kCosts[] = {
            {501, 200}, {501, 300}, {501, 400}, {501, 500}, {501, 600}, {511, 100}, {511, 200},
            {511, 300}, {518, 100}, {518, 200}, {518, 300}, {518, 400}, {518, 600}, {518, 700},
            {558, 100}, {549, 100}, {513, 0},   {527, 200}, {501, 900}, {501, 700}, {501, 800},
            {511, 400}, {518, 800}, {518, 850}, {558, 300}, {549, 300}};
        const Text vs = IntToText(rng_.Below(900000000) + 100000000);
        const int kind = rng_.Below(100);
        if (kind < 12) {  // energy
            const Partner& p = rng_.Pick(energy_);
            Begin(month, "FP01", "Faktura za energie"_t, 0, vs);
            const Acc cost{502, 100 * (1 + rng_.Below(3))};
            Pair(cost, "", {321, 200}, "751", rng_.Amount(2000, 14000), &p);
            if (rng_.Chance(20))
                Pair({502, 900}, "", {321, 200}, "751", rng_.Amount(500, 3000), &p);
            payables_.push_back({p, {321, 200}, SumOn(321, false)});
            return;
        }
        if (kind < 17) {  // abroad
            const Partner& p = rng_.Pick(foreign_);
            Begin(month, "FP01", "Faktura ze zahraničí"_t, 0, vs);
            Pair({501, 400}, "", {321, 300}, "751", rng_.Amount(500, 8000), &p);
            payables_.push_back({p, {321, 300}, SumOn(321, false)});
            return;
        }
        const Partner& p = rng_.Pick(suppliers_);
        Begin(month, "FP01", "Přijatá faktura"_t, 0, vs);
        if (kind < 30) {  // stock
            Pair({112, 100 * (1 + rng_.Below(3))}, "501", {321, 100}, "751",
                 rng_.Amount(1000, 12000), &p);
        } else {
            const int items = 1 + rng_.Below(3);
            for (int i = 0; i < items; ++i) {
                const Acc cost = kCosts[rng_.Below(static_cast<int>(std::size(kCosts)))];
                Pair(cost, "", {321, 100}, "751", rng_.Amount(150, 6500), &p);
            }
        }
        if (rng_.Chance(8))  // small equipment also kept off the balance sheet
            Pair({902, 100}, "", {999, 0}, "", rng_.Amount(1000, 9000));
        payables_.push_back({p, {321, 100}, SumOn(321, false)});
    }

    void IssuedInvoice(int month) {
        const int kind = rng_.Below(100);
        const Text vs = IntToText(o_.year) + IntToTextZeros(numbers_["FV01"] + 1, 4);
        const bool abroad = kind < 10;
        const Partner& p = abroad ? rng_.Pick(foreignCustomers_) : rng_.Pick(customers_);
        Begin(month, "FV01", abroad ? "Vydaná faktura - zahraničí"_t : "Vydaná faktura"_t, 0, vs);
        // Rents go to their own receivables; services of the economic activity to theirs.
        const Acc receivable = abroad ? Acc{311, 300} : kind < 55 ? Acc{311, 400} : Acc{311, 100};
        const Acc revenue = kind < 10 || (kind >= 55 && kind < 80) ? Acc{602, 400}
                            : kind < 55                            ? Acc{603, 100}
                                                                   : Acc{602, 900};
        Pair(receivable, "601", revenue, "", rng_.Amount(500, 20000), &p);
        receivables_.push_back({p, receivable, SumOn(311, true)});
    }

    void BankStatement(int month) {
        Begin(month, "BV01", "Bankovní výpis"_t);
        const int items = 2 + rng_.Below(8);
        for (int i = 0; i < items; ++i) {
            const int kind = rng_.Below(100);
            if (kind < 45 && !payables_.empty()) {
                const Open o = payables_.front();
                payables_.pop_front();
                Pair(o.account, "701", {241, 100}, "851", o.amount, &o.partner);
            } else if (kind < 80 && !receivables_.empty()) {
                const Open o = receivables_.front();
                receivables_.pop_front();
                Pair({241, 100}, "801", o.account, "651", o.amount, &o.partner);
            } else if (kind < 90) {
                // A parent's payment for a school trip: prescribed and paid on the same day.
                const Partner& parent = people_[0];
                const double x = rng_.Amount(300, 2500);
                Pair({311, 200}, "601", {602, 300}, "", x, &parent);
                Pair({241, 200}, "801", {311, 200}, "651", x, &parent);
            } else {
                Pair({569, 100}, "", {241, 100}, "851", rng_.Amount(5, 180));
            }
        }
    }

    void CashDocument(int month) {
        const int kind = rng_.Below(100);
        if (kind < 40) {
            Begin(month, "PD01", "Příjem stravného"_t);
            const double x = rng_.Amount(40, 1800);
            mealCash_ += x;
            Add({261, 200}, x, 0, "801");
            Add({602, rng_.Chance(80) ? 100 : 200}, 0, x);
        } else if (kind < 55) {
            Begin(month, "PD01", "Úplata za družinu"_t);
            const Partner& person = people_[static_cast<std::size_t>(rng_.Below(4))];
            Pair({311, 200}, "601", {602, 300}, "", rng_.Amount(200, 900), &person);
            const double paid = docs_.back().lines.front().record.MA_DATI;
            mealCash_ += paid;
            Pair({261, 200}, "801", {311, 200}, "651", paid, &person);
        } else if (kind < 85 || (mealCash_ < 5000 && pettyCash_ >= 10000)) {
            Begin(month, "PD01", "Nákup za hotové"_t);
            static const Acc kCash[] = {{501, 200}, {501, 300}, {501, 600}, {512, 0}, {518, 200}};
            const double x = std::min(rng_.Amount(30, 4500), std::max(pettyCash_ - 100, 30.0));
            pettyCash_ -= x;
            Pair(kCash[rng_.Below(5)], "", {261, 100}, "851", x);
        } else if (pettyCash_ < 10000) {
            // The petty cash is topped up from the bank to about twenty thousand.
            Begin(month, "PD01", "Převod do pokladny"_t);
            const double x = Round(20000 - pettyCash_, 0);
            pettyCash_ += x;
            Pair({262, 0}, "801", {241, 100}, "851", x);
            Pair({261, 100}, "801", {262, 0}, "851", x);
        } else {
            // The money collected in cash (meals, after-school club) goes to the bank.
            Begin(month, "PD01", "Odvod tržby ze stravného na účet"_t);
            const double x = Round(mealCash_, 2);
            mealCash_ = 0;
            Pair({262, 0}, "801", {261, 200}, "851", x);
            Pair({241, 100}, "801", {262, 0}, "851", x);
        }
    }

    // ---- faulty documents --------------------------------------------------------------------

    void Fault(int month, const char* what) {
        Begin(month, "ID01", DemoFaultPrefix() + FromUtf8(what));
    }

    /// Documents whose account or analytics is at fault.
    void AccountFaults(int month) {
        const Partner& s = suppliers_[3];
        Fault(month, "nezadaný účet");
        Put({0, 0}, 100, 0, "", {}, {});
        Add({241, 100}, 0, 100, "851");
        Fault(month, "účet není v rozvrhu");
        Add({519, 1}, 250, 0);
        Add({321, 100}, 0, 250, "751", &s);
        Fault(month, "stat.analytika není v číselníku");
        Add({501, 600}, 150, 0);
        Add({378, 900}, 0, 150, "751");
        Fault(month, "součtová stat.analytika");
        Add({22, 900}, 2000, 0, "401");
        Add({321, 100}, 0, 2000, "751", &s);
        Fault(month, "účet bez stat.analytiky");
        Add({518, 900}, 350, 0);
        Add({321, 100}, 0, 350, "751", &s);
    }

    /// Documents whose transaction code is at fault.
    void CodeFaults(int month) {
        const Partner& s = suppliers_[3];
        const Partner& c = customers_[2];
        Fault(month, "nezadaný kód transakce");
        Add({22, 200}, 1200, 0);
        Add({321, 100}, 0, 1200, "751", &s);
        Fault(month, "kód transakce není v číselníku");
        Add({22, 200}, 800, 0, "499");
        Add({321, 100}, 0, 800, "751", &s);
        Fault(month, "kód transakce jiného výkazu");
        Add({311, 100}, 300, 0, "701", &c);
        Add({602, 400}, 0, 300);
        Fault(month, "kód strany DAL na straně MD");
        Add({22, 200}, 900, 0, "451");
        Add({321, 100}, 0, 900, "751", &s);
        Fault(month, "kód strany MD na straně DAL");
        Add({22, 200}, 700, 0, "401");
        Add({321, 100}, 0, 700, "701", &s);
        Fault(month, "nepřípustný kód transakce");
        Add({22, 200}, 650, 0, "405");
        Add({321, 100}, 0, 650, "751", &s);
    }

    /// Documents whose partners are missing or wrong.
    void PartnerFaults(int month) {
        Fault(month, "partner 1 nezadán");
        Put({311, 100}, 500, 0, "601", {}, {});
        Add({602, 400}, 0, 500);
        Put({502, 100}, 120, 0, "", {}, {});
        Add({321, 200}, 0, 120, "751", &energy_[0]);
        Fault(month, "partner 2 nezadán");
        Add({241, 100}, 100000, 0, "801");
        Put({403, 0}, 0, 100000, "952", founder_.id, {}, founder_.name);
        Fault(month, "chybné IČO partnera");
        Put({311, 100}, 400, 0, "601", "1234567"_t, {});
        Put({311, 100}, 410, 0, "601", "12345678"_t, {});
        Put({311, 100}, 420, 0, "601", "123456789"_t, {});
        Add({602, 400}, 0, 1230);
    }

    // ---- open items ----------------------------------------------------------------------------

    struct Open {
        Partner partner;
        Acc account;
        double amount;
    };

    /// The amount the current document books on the synthetic account `su` on one side: the
    /// open item it leaves.
    double SumOn(int su, bool debit) const {
        double total = 0;
        for (const JournalLine& l : docs_.back().lines)
            if (l.record.SU == su)
                total = Round(total + (debit ? l.record.MA_DATI : l.record.DAL), 2);
        return total;
    }

    const DemoJournalOptions o_;
    Rng rng_;
    std::set<Text> icos_;
    std::vector<Partner> suppliers_, energy_, customers_, foreign_, foreignCustomers_, people_;
    Partner cssz_, vzp_, otherInsurer_, taxOffice_, founder_, region_, ministry_;
    static constexpr double kProjectState = 960000;   ///< the ministry's part of the advance
    static constexpr double kProjectRegion = 120000;  ///< the region's own part
    std::vector<JournalDocument> docs_;
    std::map<std::string, int> numbers_;
    std::deque<Open> payables_, receivables_;
    struct {
        double gross, social, health;
    } payroll_{};
    Text vs_;
    double pettyCash_ = 18450;  ///< the petty cash (261/100), opened with its opening balance
    double mealCash_ = 0;       ///< money collected in the cash desk, not yet taken to the bank
    int lines_ = 0;
};

}  // namespace

Text DemoFaultPrefix() {
    return "Ukázka chyby: "_t;
}

Text IcoWithCheckDigit(std::uint32_t sevenDigits) {
    const Text digits = IntToTextZeros(sevenDigits % 10000000, 7);
    int sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += (8 - i) * (digits[static_cast<std::size_t>(i)] - '0');
    const int r = sum % 11;
    const int check = r == 0 ? 1 : r == 1 ? 0 : 11 - r;
    return digits + static_cast<char>('0' + check);
}

std::vector<JournalDocument> BuildDemoJournal(const DemoJournalOptions& options) {
    return Builder(options).Build();
}

}  // namespace axo::pap

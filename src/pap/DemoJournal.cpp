// The booked documents of the demo organisation: its partners, the opening balances and the
// year's events (see DemoMonth.cpp for the documents every month needs).
#include "pap/DemoJournal.h"

#include <algorithm>
#include <cmath>

#include "pap/DemoYear.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::pap::demo {

namespace {

constexpr double kProjectState = 960000;   ///< the ministry's part of the project advance
constexpr double kProjectRegion = 120000;  ///< the region's own part
constexpr double kBankReserve = 150000;    ///< what the current account keeps when paying invoices

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

int LastDay(int month, int year) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

/// The transaction code of a purchase booked on the debit side of `a`.
const char* PurchaseCode(Acc a) {
    return a.su == 112 ? "501" : a.su < 100 ? "401" : "";
}

}  // namespace

YearBuilder::YearBuilder(const DemoJournalOptions& o) : o_(o), rng_(o.seed), books_(o.year) {
    MakePartners();
}

std::vector<JournalDocument> YearBuilder::Build() {
    Opening();
    const int perMonth = std::max(o_.lines - books_.Lines(), 0) / 12;
    int endLines = 60;  // about what a month's closing documents take
    for (int month = 1; month <= 12; ++month) {
        const int budget = books_.Lines() + perMonth;
        MonthStart(month);
        phase_ = Phase::Middle;
        SetScales(budget - books_.Lines() - endLines);
        while (books_.Lines() + endLines < budget)
            RandomDocument(month);
        const int before = books_.Lines();
        MonthEnd(month);
        endLines = books_.Lines() - before;
    }
    return books_.Take();
}

// ---- partners and documents --------------------------------------------------------------------

Partner YearBuilder::Company(const char* name) {
    for (;;) {
        const Text ico =
            IcoWithCheckDigit(static_cast<std::uint32_t>(rng_.Below(9000000) + 1000000));
        if (icos_.insert(ico).second)
            return {ico, FromUtf8(name)};
    }
}

void YearBuilder::MakePartners() {
    for (const char* n : kSuppliers)
        suppliers_.push_back(Company(n));
    for (const char* n : kEnergySuppliers)
        energy_.push_back(Company(n));
    for (const char* n : kCustomers)
        customers_.push_back(Company(n));
    foreign_ = {{"DE"_t, "Schulbedarf Müller GmbH"_t},
                {"AT"_t, "Lernmittel Huber GmbH"_t},
                {"SK"_t, "Kancelária Kováč s.r.o."_t}};
    foreignCustomers_ = {{"PL"_t, "Szkoła Podstawowa Demo"_t}, {"SK"_t, "Základná škola Demo"_t}};
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

void YearBuilder::Begin(int month, const char* kind, const Text& description, Byte state,
                        const Text& vs) {
    const int day = month == 0                ? 1
                    : phase_ == Phase::Start  ? 1 + rng_.Below(10)
                    : phase_ == Phase::Middle ? 1 + rng_.Below(28)
                                              : LastDay(month, o_.year);
    books_.Begin(month, day, kind, description, state, vs);
}

void YearBuilder::Received(int month, const char* description, const Partner& p, Acc payable,
                           const std::vector<std::pair<Acc, double>>& lines, const Text& vs) {
    Begin(month, "FP01", FromUtf8(description), 0,
          vs.empty() ? IntToText(rng_.Below(900000000) + 100000000) : vs);
    double total = 0;
    for (const auto& [account, amount] : lines) {
        books_.Pair(account, PurchaseCode(account), payable, "751", amount, &p);
        total = Round(total + Round(amount, 2), 2);
    }
    payables_.push_back({p, payable, total, month});
}

void YearBuilder::Issued(int month, const char* description, const Partner& p, Acc receivable,
                         Acc revenue, double amount, bool open) {
    const Text vs = IntToText(o_.year) + IntToTextZeros(books_.NextNumber("FV01"), 4);
    Begin(month, "FV01", FromUtf8(description), 0, vs);
    books_.Pair(receivable, "601", revenue, "", amount, &p);
    if (open)
        receivables_.push_back({p, receivable, Round(amount, 2), month});
}

void YearBuilder::Settle(Acc bank, bool paying, const std::vector<Open>& items) {
    double total = 0;
    for (const Open& i : items) {
        books_.Add(i.account, paying ? i.amount : 0, paying ? 0 : i.amount, paying ? "701" : "651",
                   &i.partner);
        total = Round(total + i.amount, 2);
    }
    books_.Add(bank, paying ? 0 : total, paying ? total : 0, paying ? "851" : "801");
}

bool YearBuilder::CanPay(double amount) const {
    return books_.Balance({241, 100}) - amount >= kBankReserve;
}

YearBuilder::Payroll YearBuilder::DrawPayroll(int month) {
    Payroll p;
    p.salaries = rng_.Amount(820000, 880000);
    p.agreements = rng_.Amount(12000, 28000);
    p.economic = rng_.Amount(9000, 16000);
    p.bonuses = month == 6 || month == 12 ? rng_.Amount(40000, 80000) : 0;
    const double gross = p.Gross();
    p.social = Round(gross * 0.248, 0);
    p.health = Round(gross * 0.09, 0);
    p.healthVzp = Round(p.health * 0.8, 0);
    p.employeeSocial = Round(gross * 0.071, 0);
    p.employeeHealth = Round(gross * 0.045, 0);
    p.employeeHealthVzp = Round(p.employeeHealth * 0.8, 0);
    p.tax = Round(gross * 0.12, 0);
    p.deductions = rng_.Amount(8000, 15000);
    p.meals = Round(rng_.Amount(18000, 24000) * kSchool[month], 2);
    p.net = Round(gross - p.employeeSocial - p.employeeHealth - p.tax - p.deductions - p.meals, 2);
    p.travel = rng_.Amount(800, 3500);
    p.fksp = Round((p.salaries + p.bonuses) * 0.02, 2);
    return p;
}

// ---- opening balances --------------------------------------------------------------------------

void YearBuilder::Opening() {
    Begin(0, "PS  ", "Počáteční stavy účtů"_t);
    OpeningAssets();
    OpeningLiabilities();
    // What the accounts leave open is the opening account's side.
    double md = 0, dal = 0;
    for (const JournalLine& l : books_.Current().lines) {
        md += l.record.MA_DATI;
        dal += l.record.DAL;
    }
    const double difference = Round(md - dal, 2);
    books_.Add({701, 0}, difference < 0 ? -difference : 0, difference >= 0 ? difference : 0);
    Begin(0, "PS  ", "Počáteční stavy podrozvahových účtů"_t);
    books_.Pair({902, 100}, "", {999, 0}, "", 865400);
    books_.Pair({999, 0}, "", {912, 0}, "", 4250000, &founder_);
}

void YearBuilder::OpeningAssets() {
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
        books_.Add(account, amount, 0);
    for (const auto& [account, amount] : kCredit)
        books_.Add(account, 0, amount);
    for (std::size_t i = 0; i < 5; ++i) {
        const double amount = rng_.Amount(1200, 25000);
        books_.Add({311, 100}, amount, 0, "", &customers_[i]);
        receivables_.push_back({customers_[i], {311, 100}, amount, 0});
    }
    advance_ = 85000;
    books_.Add({314, 100}, advance_, 0, "", &energy_[0]);
}

void YearBuilder::OpeningLiabilities() {
    for (std::size_t i = 0; i < 6; ++i) {
        const double amount = rng_.Amount(2500, 60000);
        books_.Add({321, 100}, 0, amount, "", &suppliers_[i]);
        payables_.push_back({suppliers_[i], {321, 100}, amount, 0});
    }
    // The wages of December, paid in January.
    paid_ = DrawPayroll(12);
    const Payroll& p = paid_;
    books_.Add({331, 0}, 0, p.net);
    books_.Add({333, 0}, 0, p.travel);
    books_.Add({336, 0}, 0, p.social + p.employeeSocial, "", &cssz_);
    books_.Add({337, 100}, 0, p.healthVzp + p.employeeHealthVzp, "", &vzp_);
    books_.Add({337, 200}, 0, p.health - p.healthVzp + p.employeeHealth - p.employeeHealthVzp, "",
               &otherInsurer_);
    books_.Add({342, 0}, 0, p.tax, "", &taxOffice_);
    books_.Add({378, 100}, 0, p.deductions);
    books_.Add({401, 0}, 0, 46250000);
    books_.Add({403, 0}, 0, 1845000, "", &founder_, &founder_);
    static const std::pair<Acc, double> kFunds[] = {
        {{411, 0}, 120000}, {{412, 0}, 185320.40}, {{413, 0}, 245000},
        {{414, 0}, 85000},  {{416, 0}, 325000},
    };
    for (const auto& [account, amount] : kFunds)
        books_.Add(account, 0, amount);
}

// ---- the year's events -------------------------------------------------------------------------

/// The year's financial plan, kept on the accounts of class 8.
void YearBuilder::FinancialPlan(int month) {
    Begin(month, "ID01", "Finanční plán "_t + IntToText(o_.year));
    books_.Pair({801, 0}, "", {899, 0}, "", 21800000);
    books_.Pair({899, 0}, "", {802, 0}, "", 21800000);
}

/// Equipment received free of charge from the founder and the region, and a piece of it
/// handed on to another school: changes by partner of the transaction (statement XII).
void YearBuilder::FreeOfCharge(int month) {
    if (month == 2) {
        Begin(month, "ID01", "Bezúplatné nabytí vybavení od zřizovatele"_t);
        books_.Pair({22, 600}, "402", {401, 0}, "953", 148500, &founder_);
        return;
    }
    Begin(month, "ID01", "Bezúplatné nabytí vybavení od kraje"_t);
    books_.Pair({22, 600}, "402", {401, 0}, "953", 86200, &region_);
    Begin(month, "ID01", "Bezúplatný převod vybavení ZUŠ"_t);
    books_.Pair({401, 0}, "903", {22, 600}, "453", 24800, &customers_[2]);
}

/// A project paid in advance by the region, from the ministry's money and its own share:
/// the region is the partner of the liability, the source the partner of the transaction
/// (statement XIII).
void YearBuilder::ProjectAdvance(int month) {
    Begin(month, "BV01", "Záloha na projekt od kraje"_t);
    books_.Pair({241, 100}, "801", {472, 0}, "751", kProjectState, &region_, &ministry_);
    books_.Pair({241, 100}, "801", {472, 0}, "751", kProjectRegion, &region_, &region_);
}

/// A quarter of the project: its costs, and the same amount of the advance cleared to the
/// revenue from transfers.
void YearBuilder::ProjectClearing(int month) {
    const double quarter = (kProjectState + kProjectRegion) / 4;
    const double computers = Round(quarter * rng_.Factor(0.4, 0.5), 2);
    const double aids = Round(quarter * rng_.Factor(0.25, 0.35), 2);
    Received(month, "Projekt - výpočetní technika", suppliers_[10], {321, 100},
             {{{558, 300}, computers}});
    Received(month, "Projekt - učební pomůcky", suppliers_[9], {321, 100}, {{{501, 400}, aids}});
    Received(month, "Projekt - vzdělávání pedagogů", suppliers_[13], {321, 100},
             {{{518, 400}, Round(quarter - computers - aids, 2)}});
    Begin(month, "ID01", "Zúčtování zálohy na projekt"_t);
    books_.Add({472, 0}, kProjectState / 4, 0, "701", &region_, &ministry_);
    books_.Add({672, 400}, 0, kProjectState / 4, "", &ministry_);
    books_.Add({472, 0}, kProjectRegion / 4, 0, "701", &region_, &region_);
    books_.Add({672, 400}, 0, kProjectRegion / 4, "", &region_);
}

/// The founder's transfer for the playground, built and put to use; a vehicle bought from the
/// fund for the renewal of assets.
void YearBuilder::InvestmentTransfer(int month) {
    Begin(month, "BV01", "Investiční transfer zřizovatele"_t);
    books_.Pair({241, 100}, "801", {403, 0}, "952", 650000, &founder_, &founder_);
    Received(month, "Rekonstrukce hřiště", suppliers_[5], {321, 100}, {{{42, 0}, 640000}},
             IntToText(o_.year) + "INV01"_t);
    Begin(month, "ID01", "Zařazení hřiště do užívání"_t);
    books_.Pair({21, 300}, "403", {42, 0}, "454", 640000);
    Received(month, "Nákup vozidla", suppliers_[12], {321, 100}, {{{22, 300}, 385000}},
             IntToText(o_.year) + "INV02"_t);
    Begin(month, "ID01", "Použití fondu reprodukce majetku na vozidlo"_t);
    books_.Pair({416, 0}, "901", {401, 0}, "983", 385000);
}

void YearBuilder::OffBalance(int month, Byte state) {
    Begin(month, "ID01", "Podrozvahová evidence"_t, state);
    books_.Pair({902, 100}, "", {999, 0}, "", rng_.Amount(5000, 30000));
    books_.Pair({902, 200}, "", {999, 0}, "", rng_.Amount(2000, 12000));
    const Partner& debtor = customers_[7];
    Begin(month, "ID01", "Odpis nedobytné pohledávky"_t, state);
    const double bad = rng_.Amount(800, 4000);
    books_.Pair({549, 200}, "", {311, 100}, "652", bad, &debtor);
    books_.Pair({905, 0}, "", {999, 0}, "", bad, &debtor);
    Begin(month, "ID01", "Užívání majetku zřizovatele"_t, state);
    books_.Pair({999, 0}, "", {912, 0}, "", rng_.Amount(10000, 50000), &founder_);
}

void YearBuilder::StateThreeDocument(int month) {
    Begin(month, "ID01", "Doklad ve stavu 3"_t, 3);
    books_.Pair({501, 200}, "", {261, 100}, "851",
                std::min(rng_.Amount(100, 900), books_.Balance({261, 100})));
}

void YearBuilder::AdjustingDocuments(int month) {
    for (int i = 0; i < 2; ++i) {
        Begin(month, " U01", "Úprava - nezapočítává se"_t);
        books_.Pair({501, 100}, "", {112, 100}, "551",
                    std::min(rng_.Amount(500, 5000), books_.Balance({112, 100})));
    }
}

/// What the year leaves over the organisation's usual margin goes back to the founder from
/// the operating contribution, a liability at the year's end.
void YearBuilder::SettlementWithFounder(int month) {
    const double keep = Round(rng_.Amount(30000, 120000), 0);
    const double refund = std::floor((books_.Result() - keep) / 100) * 100;
    if (refund < 100)
        return;
    Begin(month, "ID01", "Finanční vypořádání - vratka příspěvku"_t);
    books_.Pair({672, 100}, "", {349, 0}, "751", refund, &founder_);
}

}  // namespace axo::pap::demo

namespace axo::pap {

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
    return demo::YearBuilder(options).Build();
}

}  // namespace axo::pap

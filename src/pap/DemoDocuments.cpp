// The demo organisation's documents of random kinds, which fill its year to the size asked,
// and its faulty documents.
#include <algorithm>

#include "pap/DemoYear.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap::demo {

namespace {

/// The costs and revenues random documents bring in a month, whatever their number.
constexpr double kRandomCosts = 120000;
constexpr double kRandomRevenues = 30000;
/// What a random line brings on average at scale 1, somewhat more than it does: the
/// month's budget fills up what the random documents leave short.
constexpr double kCostPerLine = 600;
constexpr double kRevenuePerLine = 600;

}  // namespace

void YearBuilder::SetScales(int lines) {
    randomCosts_ = 0;
    randomRevenues_ = 0;
    if (lines <= 0)
        return;
    costScale_ = std::clamp(kRandomCosts / (lines * kCostPerLine), 0.02, 4.0);
    revenueScale_ = std::clamp(kRandomRevenues / (lines * kRevenuePerLine), 0.02, 4.0);
}

double YearBuilder::Cost(double lo, double hi) {
    const double x = std::max(Round(rng_.Amount(lo, hi) * costScale_, 2), 1.0);
    randomCosts_ = Round(randomCosts_ + x, 2);
    return x;
}

double YearBuilder::Revenue(double lo, double hi) {
    const double x = std::max(Round(rng_.Amount(lo, hi) * revenueScale_, 2), 1.0);
    randomRevenues_ = Round(randomRevenues_ + x, 2);
    return x;
}

void YearBuilder::MonthBudget(int month) {
    const double costs = Round(kRandomCosts - randomCosts_, 0);
    if (costs >= 1000) {
        const double supplies = Round(costs * rng_.Factor(0.4, 0.6), 0);
        Received(month, "Kancelářské a učební potřeby", suppliers_[3], {321, 100},
                 {{{501, 200}, Round(supplies * 0.6, 0)},
                  {{501, 400}, supplies - Round(supplies * 0.6, 0)}});
        Received(month, "Údržba a servis", suppliers_[6], {321, 100},
                 {{{511, 100}, Round((costs - supplies) / 2, 0)},
                  {{511, 300}, costs - supplies - Round((costs - supplies) / 2, 0)}});
    }
    const double revenues = Round(kRandomRevenues - randomRevenues_, 0);
    if (revenues >= 500 && meals_ > 0) {
        const Partner& parents = people_[0];
        Begin(month, "ID01", "Předpis úplaty za zájmové kroužky"_t);
        books_.Pair({311, 200}, "601", {602, 400}, "", revenues, &parents);
        Begin(month, "BV03", "Platby úplaty za zájmové kroužky"_t);
        books_.Pair({241, 200}, "801", {311, 200}, "651", revenues, &parents);
    }
}

void YearBuilder::RandomDocument(int month) {
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

void YearBuilder::ReceivedInvoice(int month) {
    static const Acc kCosts[] = {
        {501, 200}, {501, 300}, {501, 400}, {501, 500}, {501, 600}, {511, 100}, {511, 200},
        {511, 300}, {518, 100}, {518, 200}, {518, 300}, {518, 400}, {518, 600}, {518, 700},
        {558, 100}, {549, 100}, {513, 0},   {527, 200}, {501, 900}, {501, 700}, {501, 800},
        {511, 400}, {518, 800}, {518, 850}, {558, 300}, {549, 300}, {527, 300}};
    const int kind = rng_.Below(100);
    if (kind < 6) {
        Received(month, "Faktura ze zahraničí", rng_.Pick(foreign_), {321, 300},
                 {{{501, 400}, Cost(500, 8000)}});
        return;
    }
    const Partner& p = rng_.Pick(suppliers_);
    std::vector<std::pair<Acc, double>> lines;
    if (kind < 22) {  // material to the store
        lines.push_back({{112, rng_.Chance(40) ? 200 : 300}, Cost(1000, 12000)});
    } else {
        const int items = 1 + rng_.Below(3);
        for (int i = 0; i < items; ++i)
            lines.push_back(
                {kCosts[rng_.Below(static_cast<int>(std::size(kCosts)))], Cost(150, 6500)});
    }
    Received(month, "Přijatá faktura", p, {321, 100}, lines);
    if (rng_.Chance(8))  // small equipment also kept off the balance sheet
        books_.Pair({902, 100}, "", {999, 0}, "", Cost(1000, 9000));
}

void YearBuilder::IssuedInvoice(int month) {
    const int kind = rng_.Below(100);
    const bool abroad = kind < 10;
    const Partner& p = abroad ? rng_.Pick(foreignCustomers_) : rng_.Pick(customers_);
    // Rents go to their own receivables; services of the economic activity to theirs.
    const Acc receivable = abroad ? Acc{311, 300} : kind < 55 ? Acc{311, 400} : Acc{311, 100};
    const Acc revenue = kind < 10 || (kind >= 55 && kind < 80) ? Acc{602, 400}
                        : kind < 55                            ? Acc{603, 100}
                                                               : Acc{602, 900};
    Issued(month, abroad ? "Vydaná faktura - zahraničí" : "Vydaná faktura", p, receivable, revenue,
           Revenue(500, 20000));
}

void YearBuilder::BankStatement(int month) {
    Begin(month, "BV01", "Bankovní výpis"_t);
    const int items = 2 + rng_.Below(8);
    for (int i = 0; i < items; ++i) {
        const int kind = rng_.Below(100);
        if (kind < 45 && !payables_.empty() && CanPay(payables_.front().amount)) {
            const Open o = payables_.front();
            payables_.pop_front();
            books_.Pair(o.account, "701", {241, 100}, "851", o.amount, &o.partner);
        } else if (kind < 80 && !receivables_.empty()) {
            const Open o = receivables_.front();
            receivables_.pop_front();
            books_.Pair({241, 100}, "801", o.account, "651", o.amount, &o.partner);
        } else if (kind < 90) {
            // A parent's payment for a hobby group: prescribed and paid on the same day.
            const Partner& parent = people_[0];
            const double x = Revenue(300, 2500);
            books_.Pair({311, 200}, "601", {602, 400}, "", x, &parent);
            books_.Pair({241, 200}, "801", {311, 200}, "651", x, &parent);
        } else {
            books_.Pair({569, 100}, "", {241, 100}, "851", rng_.Amount(5, 180));
        }
    }
}

void YearBuilder::CashDocument(int month) {
    const int kind = rng_.Below(100);
    const double petty = books_.Balance({261, 100});
    if (kind < 40 && meals_ > 0) {  // the canteen is open
        Begin(month, "PD01", "Příjem stravného"_t);
        const double x = std::max(Round(rng_.Amount(40, 1800) * revenueScale_, 2), 1.0);
        books_.Add({261, 200}, x, 0, "801");
        books_.Add({602, rng_.Chance(80) ? 100 : 200}, 0, x);
        meals_ = Round(meals_ + x, 2);
        cashMeals_ = Round(cashMeals_ + x, 2);
    } else if (kind < 55) {
        Begin(month, "PD01", "Úplata za družinu"_t);
        const Partner& person = people_[static_cast<std::size_t>(rng_.Below(4))];
        const double x = Revenue(200, 900);
        books_.Pair({311, 200}, "601", {602, 300}, "", x, &person);
        books_.Pair({261, 200}, "801", {311, 200}, "651", x, &person);
    } else if (petty < 10000) {
        // The petty cash is topped up from the bank to twenty thousand.
        Begin(month, "PD01", "Převod do pokladny"_t);
        const double x = Round(20000 - petty, 0);
        books_.Pair({262, 0}, "802", {241, 100}, "852", x);
        books_.Pair({261, 100}, "802", {262, 0}, "852", x);
    } else if (kind < 85 || books_.Balance({261, 200}) <= 0) {
        Begin(month, "PD01", "Nákup za hotové"_t);
        static const Acc kCash[] = {{501, 200}, {501, 300}, {501, 600}, {512, 0}, {518, 200}};
        const double x = std::min(Cost(30, 4500), petty - 100);
        books_.Pair(kCash[rng_.Below(5)], "", {261, 100}, "851", x);
    } else {
        // The money collected in cash goes to the canteen's account.
        Begin(month, "PD01", "Odvod hotovosti na účet"_t);
        const double x = books_.Balance({261, 200});
        books_.Pair({262, 0}, "802", {261, 200}, "852", x);
        books_.Pair({241, 200}, "802", {262, 0}, "852", x);
    }
}

// ---- faulty documents --------------------------------------------------------------------------

void YearBuilder::Fault(int month, const char* what) {
    Begin(month, "ID01", DemoFaultPrefix() + FromUtf8(what));
}

/// Documents whose account or analytics is at fault.
void YearBuilder::AccountFaults(int month) {
    const Partner& s = suppliers_[3];
    Fault(month, "nezadaný účet");
    books_.Put({0, 0}, 100, 0, "", {}, {});
    books_.Add({241, 100}, 0, 100, "851");
    Fault(month, "účet není v rozvrhu");
    books_.Add({519, 1}, 250, 0);
    books_.Add({321, 100}, 0, 250, "751", &s);
    Fault(month, "stat.analytika není v číselníku");
    books_.Add({501, 600}, 150, 0);
    books_.Add({378, 900}, 0, 150, "751");
    Fault(month, "součtová stat.analytika");
    books_.Add({22, 900}, 2000, 0, "401");
    books_.Add({321, 100}, 0, 2000, "751", &s);
    Fault(month, "účet bez stat.analytiky");
    books_.Add({518, 900}, 350, 0);
    books_.Add({321, 100}, 0, 350, "751", &s);
}

/// Documents whose transaction code is at fault.
void YearBuilder::CodeFaults(int month) {
    const Partner& s = suppliers_[3];
    const Partner& c = customers_[2];
    Fault(month, "nezadaný kód transakce");
    books_.Add({22, 200}, 1200, 0);
    books_.Add({321, 100}, 0, 1200, "751", &s);
    Fault(month, "kód transakce není v číselníku");
    books_.Add({22, 200}, 800, 0, "499");
    books_.Add({321, 100}, 0, 800, "751", &s);
    Fault(month, "kód transakce jiného výkazu");
    books_.Add({311, 100}, 300, 0, "701", &c);
    books_.Add({602, 400}, 0, 300);
    Fault(month, "kód strany DAL na straně MD");
    books_.Add({22, 200}, 900, 0, "451");
    books_.Add({321, 100}, 0, 900, "751", &s);
    Fault(month, "kód strany MD na straně DAL");
    books_.Add({22, 200}, 700, 0, "401");
    books_.Add({321, 100}, 0, 700, "701", &s);
    Fault(month, "nepřípustný kód transakce");
    books_.Add({22, 200}, 650, 0, "405");
    books_.Add({321, 100}, 0, 650, "751", &s);
}

/// Documents whose partners are missing or wrong.
void YearBuilder::PartnerFaults(int month) {
    Fault(month, "partner 1 nezadán");
    books_.Put({311, 100}, 500, 0, "601", {}, {});
    books_.Add({602, 400}, 0, 500);
    books_.Put({502, 100}, 120, 0, "", {}, {});
    books_.Add({321, 200}, 0, 120, "751", &energy_[0]);
    books_.Put({905, 0}, 250, 0, "", {}, {});
    books_.Add({999, 0}, 0, 250);
    Fault(month, "partner 2 nezadán");
    books_.Add({241, 100}, 100000, 0, "801");
    books_.Put({403, 0}, 0, 100000, "952", founder_.id, {}, founder_.name);
    Fault(month, "chybné IČO partnera");
    books_.Put({311, 100}, 400, 0, "601", "1234567"_t, {});
    books_.Put({311, 100}, 410, 0, "601", "12345678"_t, {});
    books_.Put({311, 100}, 420, 0, "601", "123456789"_t, {});
    books_.Add({602, 400}, 0, 1230);
}

}  // namespace axo::pap::demo

// The documents of the demo organisation every month needs.
#include <algorithm>

#include "pap/DemoYear.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap::demo {

namespace {

/// The share of a winter month's heating.
constexpr double kHeating[13] = {0, 1, 0.9, 0.75, 0.5, 0.2, 0.1, 0.05, 0.05, 0.15, 0.5, 0.8, 0.95};

constexpr double kFounderContribution = 310000;  ///< the founder's monthly operating contribution
constexpr double kDepreciation[][3] = {
    {81, 100, 68900}, {81, 300, 4820}, {82, 100, 15540}, {82, 300, 5740}, {73, 0, 3070}};
/// The depreciation of the assets the founder's transfer paid.
constexpr double kTransferRelease = 7690;
constexpr double kFoodReserve = 25000;  ///< food the canteen keeps in store
constexpr int kBatch = 20;              ///< items paid on one bank statement

Text MonthText(int month, int year) {
    return IntToText(month) + "/"_t + IntToText(year);
}

}  // namespace

// ---- the month's documents ---------------------------------------------------------------------

void YearBuilder::MonthStart(int month) {
    phase_ = Phase::Start;
    current_ = DrawPayroll(month);
    PayrollPayment(month);
    SettleEarlier(month, true);
    SettleEarlier(month, false);
    FounderContribution(month);
    if (month % 3 == 1)
        StateSubsidy(month);
    RegularInvoices(month);
    FoodPurchase(month);
    Canteen(month);
    Rents(month);
    if (month == 1)
        FinancialPlan(month);
    if (month == 2 || month == 3)
        FreeOfCharge(month);
    if (month == 2)
        ProjectAdvance(month);
    if (month == 4)
        InvestmentTransfer(month);
    if (month == 6) {
        AccountFaults(month);
        CodeFaults(month);
        PartnerFaults(month);
    }
}

void YearBuilder::MonthEnd(int month) {
    phase_ = Phase::End;
    MonthBudget(month);
    BookPayroll(month);
    EnergyInvoices(month);
    if (month % 3 == 0)
        ProjectClearing(month);
    if (month == 3 || month == 9)
        OffBalance(month, 0);
    if (month == 12) {
        OffBalance(month, 3);
        StateThreeDocument(month);
        AdjustingDocuments(month);
    }
    Depreciation(month);
    Consumption(month);
    CanteenAccountTransfer(month);
    Fksp(month);
    BankFees(month);
    if (month == 12)
        SettlementWithFounder(month);
}

void YearBuilder::PayrollPayment(int month) {
    const Payroll& p = paid_;
    Begin(month, "BV01", "Výplata mezd a odvody"_t);
    Settle({241, 100}, true,
           {{{}, {331, 0}, p.net},
            {{}, {333, 0}, p.travel},
            {cssz_, {336, 0}, p.social + p.employeeSocial},
            {vzp_, {337, 100}, p.healthVzp + p.employeeHealthVzp},
            {otherInsurer_,
             {337, 200},
             p.health - p.healthVzp + p.employeeHealth - p.employeeHealthVzp},
            {taxOffice_, {342, 0}, p.tax},
            {{}, {378, 100}, p.deductions}});
    Begin(month, "BV01", "Převod přídělu do FKSP"_t);
    books_.Pair({243, 0}, "802", {241, 100}, "852", p.fksp);
}

/// Every open item of an earlier month on bank statements of a few items each: the suppliers'
/// invoices as far as the account can pay them, the customers' payments.
void YearBuilder::SettleEarlier(int month, bool paying) {
    std::deque<Open>& items = paying ? payables_ : receivables_;
    std::vector<Open> batch;
    double total = 0;
    auto flush = [&] {
        if (batch.empty())
            return;
        Begin(month, "BV01", paying ? "Úhrady dodavatelům"_t : "Úhrady odběratelů"_t);
        Settle({241, 100}, paying, batch);
        batch.clear();
        total = 0;
    };
    while (!items.empty() && items.front().month < month &&
           (!paying || CanPay(total + items.front().amount))) {
        batch.push_back(items.front());
        total = Round(total + items.front().amount, 2);
        items.pop_front();
        if (batch.size() == kBatch)
            flush();
    }
    flush();
}

void YearBuilder::FounderContribution(int month) {
    Begin(month, "BV01", "Provozní příspěvek zřizovatele"_t);
    books_.Pair({241, 100}, "801", {672, 100}, "", kFounderContribution, &founder_);
    Received(month, "Služby zřizovatele", founder_, {321, 100},
             {{{518, 500}, rng_.Amount(3500, 6500)}, {{538, 0}, rng_.Amount(900, 1800)}},
             "Z"_t + IntToTextZeros(month, 2));
}

/// The state budget's grant for wages, levies and teaching aids, passed on by the region
/// for a quarter.
void YearBuilder::StateSubsidy(int month) {
    const double amount = Round(rng_.Amount(3450000, 3650000), 0);
    Begin(month, "BV01", "Dotace ze státního rozpočtu"_t);
    books_.Pair({241, 100}, "801", {374, 0}, "751", amount, &region_);
    Begin(month, "ID01", "Zúčtování dotace"_t);
    books_.Pair({374, 0}, "701", {672, 200}, "", amount, &region_);
}

void YearBuilder::RegularInvoices(int month) {
    Received(month, "Telefony a internet", suppliers_[21], {321, 100},
             {{{518, 100}, rng_.Amount(3200, 4500)}});
    Received(month, "Poštovné", suppliers_[22], {321, 100}, {{{518, 200}, rng_.Amount(300, 900)}});
    if (month % 3 == 1)
        Received(month, "Licence software", suppliers_[18], {321, 100},
                 {{{518, 600}, rng_.Amount(9000, 14000)}});
    if (month == 1)
        Received(month, "Pojištění majetku", suppliers_[20], {321, 100},
                 {{{549, 100}, rng_.Amount(38000, 46000)}});
    if (month == 3 || month == 9)
        Received(month, "Revize zařízení", suppliers_[11], {321, 100},
                 {{{518, 700}, rng_.Amount(4000, 9000)}});
    if (month == 7)  // the summer holidays are the time for repairs
        Received(month, "Oprava a malování tříd", suppliers_[5], {321, 100},
                 {{{511, 100}, rng_.Amount(60000, 120000)}});
    if (month == 8)
        Received(month, "Servis zařízení kuchyně", suppliers_[6], {321, 100},
                 {{{511, 200}, rng_.Amount(15000, 30000)}});
    if (books_.Balance({112, 200}) < 8000)
        Received(month, "Nákup čisticích prostředků", suppliers_[4], {321, 100},
                 {{{112, 200}, rng_.Amount(6000, 9000)}});
}

/// Food for the month the canteen expects to cook, bought from its four suppliers.
void YearBuilder::FoodPurchase(int month) {
    pupilsMeals_ = Round(rng_.Amount(95000, 110000) * kSchool[month], 2);
    if (kSchool[month] == 0)
        return;
    ++schoolMonths_;
    const double expected =
        pupilsMeals_ + current_.meals + (schoolMonths_ > 1 ? cashMeals_ / (schoolMonths_ - 1) : 0);
    const double purchase = Round(expected + kFoodReserve - books_.Balance({112, 100}), 0);
    if (purchase < 1000)
        return;
    static const std::pair<std::size_t, double> kShares[] = {
        {0, 0.15}, {1, 0.25}, {2, 0.25}, {15, 0.35}};
    for (const auto& [supplier, share] : kShares)
        Received(month, "Nákup potravin", suppliers_[supplier], {321, 100},
                 {{{112, 100}, Round(purchase * share, 2)}});
}

/// The pupils' meals and the after-school club's fees, prescribed to the parents and paid
/// to the canteen's account.
void YearBuilder::Canteen(int month) {
    if (kSchool[month] == 0)
        return;
    const double club = Round(rng_.Amount(13000, 17000) * kSchool[month], 2);
    const Partner& parents = people_[0];
    Begin(month, "ID01", "Předpis stravného a úplaty za družinu"_t);
    books_.Pair({311, 200}, "601", {602, 100}, "", pupilsMeals_, &parents);
    books_.Pair({311, 200}, "601", {602, 300}, "", club, &parents);
    Begin(month, "BV03", "Platby stravného a úplaty za družinu"_t);
    books_.Pair({241, 200}, "801", {311, 200}, "651", pupilsMeals_, &parents);
    books_.Pair({241, 200}, "801", {311, 200}, "651", club, &parents);
    meals_ = Round(meals_ + pupilsMeals_, 2);
}

/// The gymnasium rented to clubs in the evenings (not in the summer holidays) and the
/// caretaker's flat: the economic activity.
void YearBuilder::Rents(int month) {
    if (kSchool[month] > 0) {
        for (std::size_t i : {0u, 1u, 3u})
            Issued(month, "Pronájem tělocvičny", customers_[i], {311, 400}, {603, 100},
                   rng_.Amount(3500, 7000));
    }
    Issued(month, "Nájem služebního bytu", people_[2], {311, 400}, {603, 200}, 6500);
    if (month == 1)  // never paid: written off in parts during the year
        Issued(month, "Pronájem učebny", customers_[7], {311, 100}, {603, 100},
               rng_.Amount(12000, 15000), false);
}

void YearBuilder::BookPayroll(int month) {
    const Payroll& p = current_;
    Begin(month, "MZ01", "Zaúčtování mezd "_t + MonthText(month, o_.year));
    books_.Pair({521, 100}, "", {331, 0}, "751", p.salaries);
    books_.Pair({521, 200}, "", {331, 0}, "751", p.agreements);
    books_.Pair({521, 900}, "", {331, 0}, "751", p.economic);
    if (p.bonuses > 0)
        books_.Pair({521, 400}, "", {331, 0}, "751", p.bonuses);
    books_.Pair({524, 100}, "", {336, 0}, "751", p.social, &cssz_);
    books_.Pair({524, 200}, "", {337, 100}, "751", p.healthVzp, &vzp_);
    books_.Pair({524, 200}, "", {337, 200}, "751", p.health - p.healthVzp, &otherInsurer_);
    books_.Pair({331, 0}, "701", {336, 0}, "751", p.employeeSocial, &cssz_);
    books_.Pair({331, 0}, "701", {337, 100}, "751", p.employeeHealthVzp, &vzp_);
    books_.Pair({331, 0}, "701", {337, 200}, "751", p.employeeHealth - p.employeeHealthVzp,
                &otherInsurer_);
    books_.Pair({331, 0}, "701", {342, 0}, "751", p.tax, &taxOffice_);
    books_.Pair({331, 0}, "701", {378, 100}, "751", p.deductions);
    if (p.meals > 0) {
        books_.Pair({331, 0}, "701", {602, 200}, "", p.meals);
        meals_ = Round(meals_ + p.meals, 2);
    }
    books_.Pair({527, 100}, "", {412, 0}, "951", p.fksp);
    books_.Pair({512, 0}, "", {333, 0}, "751", p.travel);
    paid_ = current_;
}

void YearBuilder::EnergyInvoices(int month) {
    const double school = kSchool[month];
    Received(month, "Faktura za elektřinu", energy_[0], {321, 200},
             {{{502, 100}, Round(rng_.Amount(28000, 36000) * std::max(school, 0.5), 2)},
              {{502, 900}, rng_.Amount(800, 2500)}});
    if (advance_ > 0) {
        // The advances paid last year are used up first.
        Open& invoice = payables_.back();
        const double used = std::min(advance_, invoice.amount);
        Begin(month, "ID01", "Zúčtování zálohy na elektřinu"_t);
        books_.Pair({321, 200}, "702", {314, 100}, "651", used, &energy_[0]);
        advance_ = Round(advance_ - used, 2);
        invoice.amount = Round(invoice.amount - used, 2);
        if (invoice.amount == 0)
            payables_.pop_back();
    }
    Received(month, "Faktura za plyn", energy_[1], {321, 200},
             {{{502, 200}, Round(rng_.Amount(70000, 82000) * kHeating[month], 2)}});
    Received(month, "Vodné a stočné", energy_[2], {321, 200},
             {{{502, 300}, Round(rng_.Amount(8000, 12000) * std::max(school, 0.3), 2)}});
}

/// Depreciation by the plan, the part of the assets the founder's transfer paid released
/// from the transfer, and the fund for the renewal of assets fed by the rest.
void YearBuilder::Depreciation(int month) {
    Begin(month, "ID01", "Odpisy "_t + MonthText(month, o_.year));
    double total = 0;
    for (const auto& [su, ae, amount] : kDepreciation) {
        books_.Pair({551, 0}, "", {static_cast<int>(su), static_cast<int>(ae)}, "455", amount);
        total += amount;
    }
    books_.Pair({403, 0}, "902", {672, 300}, "", kTransferRelease, &founder_, &founder_);
    Begin(month, "ID01", "Tvorba fondu reprodukce majetku z odpisů"_t);
    books_.Pair({401, 0}, "933", {416, 0}, "951", total - kTransferRelease);
}

/// The food the diners paid for, and the material the month took from the store.
void YearBuilder::Consumption(int month) {
    const double food = Round(meals_ * rng_.Factor(0.97, 1.03), 2);
    meals_ = 0;
    if (food > 0) {
        const double missing = food + 5000 - books_.Balance({112, 100});
        if (missing > 0)
            Received(month, "Nákup potravin", suppliers_[15], {321, 100},
                     {{{112, 100}, Round(missing + 0.5, 0)}});
        Begin(month, "ID01", "Spotřeba potravin "_t + MonthText(month, o_.year));
        books_.Pair({501, 100}, "", {112, 100}, "551", food);
    }
    const double cleaning = Round(books_.Balance({112, 200}) * rng_.Factor(0.5, 0.8), 2);
    const double material = Round(books_.Balance({112, 300}) * rng_.Factor(0.6, 0.9), 2);
    if (cleaning <= 0 && material <= 0)
        return;
    Begin(month, "ID01", "Výdej materiálu ze skladu"_t);
    if (cleaning > 0)
        books_.Pair({501, 300}, "", {112, 200}, "551", cleaning);
    if (material > 0)
        books_.Pair({501, 600}, "", {112, 300}, "551", material);
}

void YearBuilder::CanteenAccountTransfer(int month) {
    const double x = Round(books_.Balance({241, 200}) - 20000, 2);
    if (x <= 0)
        return;
    Begin(month, "BV03", "Převod plateb na provozní účet"_t);
    books_.Pair({241, 100}, "802", {241, 200}, "852", x);
}

void YearBuilder::Fksp(int month) {
    const double x = std::min(
        {rng_.Amount(4000, 22000), -books_.Balance({412, 0}), books_.Balance({243, 0}) - 1000});
    Begin(month, "BV02", "Čerpání FKSP"_t);
    if (x > 0)
        books_.Pair({412, 0}, "901", {243, 0}, "851", x);
    books_.Pair({569, 100}, "", {243, 0}, "851", 45);
}

void YearBuilder::BankFees(int month) {
    Begin(month, "BV01", "Poplatky za vedení účtů"_t);
    books_.Pair({569, 100}, "", {241, 100}, "851", rng_.Amount(250, 600));
    books_.Pair({569, 900}, "", {241, 100}, "851", rng_.Amount(30, 90));
}

}  // namespace axo::pap::demo

// The year of the demo organisation, a school of about three hundred pupils run as a
// contributory organisation: the documents every month needs (payroll and levies paid the month
// after, the founder's operating contribution, the state budget's grant for wages, energy,
// food for the canteen bought and consumed as the diners pay for it, fees of the canteen and
// the after-school club, rents, depreciation and the fund it feeds, supplier invoices paid the
// month after), the year's events (a project paid in advance, an investment, assets received
// free of charge, off-balance records, the settlement with the founder at the year's end),
// documents of random kinds that fill the year to the size asked, and the faulty documents.
// Stock, cash and bank never go below zero at any point of the year, liabilities and funds
// never into debit.
#pragma once

#include <deque>
#include <set>
#include <vector>

#include "pap/DemoBooks.h"
#include "pap/DemoJournal.h"

namespace axo::pap::demo {

/// The share of a full month's school days: no lessons and no canteen in July and August.
inline constexpr double kSchool[13] = {0, 0.95, 0.9, 1, 0.95, 1, 0.9, 0, 0, 1, 0.95, 1, 0.8};

class YearBuilder {
  public:
    explicit YearBuilder(const DemoJournalOptions& o);
    std::vector<JournalDocument> Build();

  private:
    /// Where a document falls in its month: its date.
    enum class Phase { Start, Middle, End };

    /// An invoice or another item left open until it is paid.
    struct Open {
        Partner partner;
        Acc account;
        double amount = 0;
        int month = 0;
    };

    /// A month's wages and what is withheld from them, and the levies on them.
    struct Payroll {
        double salaries = 0, agreements = 0, economic = 0, bonuses = 0;
        double social = 0, health = 0, healthVzp = 0;  ///< the employer's levies
        double employeeSocial = 0, employeeHealth = 0, employeeHealthVzp = 0;
        double tax = 0, deductions = 0, meals = 0, net = 0;
        double travel = 0;  ///< travel expenses refunded with the wages
        double fksp = 0;    ///< the allocation to the fund of cultural and social needs
        double Gross() const { return salaries + agreements + economic + bonuses; }
    };

    // DemoJournal.cpp: partners, the ways documents are written, the opening balances and the
    // year's events.
    void MakePartners();
    Partner Company(const char* name);
    void Begin(int month, const char* kind, const Text& description, Byte state = 0,
               const Text& vs = {});
    /// A received invoice of cost, stock or asset lines, left open to be paid.
    void Received(int month, const char* description, const Partner& p, Acc payable,
                  const std::vector<std::pair<Acc, double>>& lines, const Text& vs = {});
    /// An issued invoice; `open`: the customer pays it later (else it stays unpaid).
    void Issued(int month, const char* description, const Partner& p, Acc receivable, Acc revenue,
                double amount, bool open = true);
    /// Pays open items from a bank account (or receives them into it): a line per item and
    /// one bank line for the sum.
    void Settle(Acc bank, bool paying, const std::vector<Open>& items);
    /// Whether the bank account can pay `amount` and keep its reserve.
    bool CanPay(double amount) const;
    Payroll DrawPayroll(int month);

    void Opening();
    void OpeningAssets();
    void OpeningLiabilities();

    // DemoMonth.cpp: the documents every month needs.
    void MonthStart(int month);
    void MonthEnd(int month);
    void PayrollPayment(int month);
    void SettleEarlier(int month, bool paying);
    void FounderContribution(int month);
    void StateSubsidy(int month);
    void RegularInvoices(int month);
    void FoodPurchase(int month);
    void Canteen(int month);
    void Rents(int month);
    void BookPayroll(int month);
    void EnergyInvoices(int month);
    void Depreciation(int month);
    void Consumption(int month);
    void CanteenAccountTransfer(int month);
    void Fksp(int month);
    void BankFees(int month);

    // DemoJournal.cpp: the year's events.
    void FinancialPlan(int month);
    void FreeOfCharge(int month);
    void ProjectAdvance(int month);
    void ProjectClearing(int month);
    void InvestmentTransfer(int month);
    void OffBalance(int month, Byte state);
    void StateThreeDocument(int month);
    void AdjustingDocuments(int month);
    void SettlementWithFounder(int month);

    // DemoDocuments.cpp: documents of random kinds, the faulty documents.
    /// The scales of random amounts for a month of `lines` random lines: about the same costs
    /// and revenues whatever the number of documents.
    void SetScales(int lines);
    /// A random cost amount, counted in the month's costs.
    double Cost(double lo, double hi);
    /// A random revenue amount, counted in the month's revenues.
    double Revenue(double lo, double hi);
    /// What the random documents of the month left short of the month's usual material,
    /// services and hobby-group fees.
    void MonthBudget(int month);
    void RandomDocument(int month);
    void ReceivedInvoice(int month);
    void IssuedInvoice(int month);
    void BankStatement(int month);
    void CashDocument(int month);
    void Fault(int month, const char* what);
    void AccountFaults(int month);
    void CodeFaults(int month);
    void PartnerFaults(int month);

    const DemoJournalOptions o_;
    Rng rng_;
    Books books_;
    Phase phase_ = Phase::Start;
    std::set<Text> icos_;
    std::vector<Partner> suppliers_, energy_, customers_, foreign_, foreignCustomers_, people_;
    Partner cssz_, vzp_, otherInsurer_, taxOffice_, founder_, region_, ministry_;
    std::deque<Open> payables_, receivables_;
    Payroll paid_;            ///< the payroll paid at the start of the month (the last one booked)
    Payroll current_;         ///< the payroll of the month, booked at its end
    double advance_ = 0;      ///< the advance for electricity paid last year, not yet used
    double pupilsMeals_ = 0;  ///< the pupils' meals of the month
    double meals_ = 0;        ///< what the canteen's diners paid this month
    double cashMeals_ = 0;    ///< meals paid in cash over the year so far
    int schoolMonths_ = 0;    ///< months of the year so far with the school open
    double costScale_ = 1, revenueScale_ = 1;
    double randomCosts_ = 0, randomRevenues_ = 0;  ///< of the month's random documents
};

}  // namespace axo::pap::demo

// The command "Kontrolní výpis z účtu": the booked lines of a period selected by masks, sorted
// by statistical analytics, transaction code, partner and account, and printed with totals per
// account, partner, transaction code and analytics, the balance of each reckoned on the side of
// its account. Its parameters are kept in the parameter vault between runs.
#pragma once

#include <cstdint>

#include "control/ControlListing.h"
#include "control/PartnerNames.h"

namespace axo::control {

/// The vault place of the statement's parameters.
inline constexpr int kControlVaultGroup = 14;
inline constexpr int kControlStatementItem = 1;

/// The values of the dialog; masks filled with "?" to their lengths.
struct ControlStatementParams {
    std::uint16_t monthFrom = 1;  ///< 0 takes the opening balances in
    std::uint16_t monthTo = 3;
    std::uint16_t year = 0;
    Text analytics;                    ///< 10
    Text code;                         ///< 3
    Text partner1;                     ///< 10
    Text partner2;                     ///< 10
    Text su;                           ///< 3
    Text ae;                           ///< 3
    bool skipWithoutAnalytics = true;  ///< "Ignorovat účetní záznamy bez statistické analytiky"
    bool noCodeTotals = true;          ///< "Nekumulovat za kód transakce"

    std::int32_t PeriodFrom() const { return year * 100 + monthFrom; }
    std::int32_t PeriodTo() const { return year * 100 + monthTo; }
    /// Every mask filled with "?" to its length.
    void FillMasks();
};

/// The defaults: months 1 to DefaultMonthTo, both check boxes on, empty masks.
ControlStatementParams DefaultControlStatementParams(int fiscalYear, int programMonth);

/// The parameters kept in the vault (the defaults when none are), the year that of the run.
ControlStatementParams LoadControlStatementParams(const ControlEnvironment& env);
/// Stores the parameters in the vault (61 bytes: months, year, periods, masks, check boxes).
void StoreControlStatementParams(const ControlEnvironment& env,
                                 const ControlStatementParams& params);

/// Shows the dialog "Kontrolní výpis z účtu" on `params`; on acceptance fills the masks and
/// stores the parameters. False when the dialog was left.
bool AskControlStatementParams(const ControlEnvironment& env, ControlStatementParams& params);

/// The printout of the control account statement.
class tKontrolniVypis : public ControlListing {
  public:
    tKontrolniVypis(const ui::ListingEnvironment& listing, const ControlEnvironment& env,
                    const ControlStatementParams& params);
    ~tKontrolniVypis() override;

  protected:
    void Init() override;
    bool OpenInputs() override;
    void PrepareHeading() override;
    bool Collect() override;
    bool Body() override;
    void CloseInputs() override;

  private:
    struct Groups;
    void CloseGroups(Groups& g, const char* key, bool all);
    void PrintDetail(const pap::tVetaUDPO& line);

    ControlStatementParams params_;
    std::unique_ptr<PartnerNames> partners_;
};

/// Makes and shows the printout for `params`: messages go to the user, nothing is thrown.
ControlOutcome RunControlStatement(const ControlEnvironment& env,
                                   const ControlStatementParams& params);

/// The menu command: names the process, asks for the parameters and runs the printout.
ControlOutcome ControlAccountStatement(const ControlEnvironment& env);

}  // namespace axo::control

// The command "Kontrolní rozklad pro výkazy IV až XI": the booked lines of the accounts whose
// statistical analytics feeds a chosen statement IV to IX, grouped by analytics, transaction
// code and account, printed in detail (each line whose code the PAP code does not permit for
// the statement marked "X") or as sums in one of two orders.
#pragma once

#include <cstdint>

#include "control/ControlListing.h"

namespace axo::control {

/// The vault place of the breakdown's parameters (group as the control statement's).
inline constexpr int kControlBreakdownItem = 2;

/// The layouts of the printout.
enum class BreakdownLayout {
    Detail = 0,       ///< "detailní"
    CodeAccount = 1,  ///< "kumulativní dle kódu a účtu"
    AccountCode = 2,  ///< "kumulativní dle účtu a kódu"
};

/// The values of the dialog; masks filled with "?" to their lengths.
struct ControlBreakdownParams {
    std::uint16_t statement = 4;  ///< 4 to 9
    std::uint16_t monthFrom = 1;
    std::uint16_t monthTo = 3;
    std::uint16_t year = 0;
    Text analytics;                                    ///< 10
    Text code;                                         ///< 3
    Text su;                                           ///< 3
    Text ae;                                           ///< 3
    BreakdownLayout layout = BreakdownLayout::Detail;  ///< not kept: detail at every start

    std::int32_t PeriodFrom() const { return year * 100 + monthFrom; }
    std::int32_t PeriodTo() const { return year * 100 + monthTo; }
    void FillMasks();
};

/// The parameters kept in the vault (defaults when none are: statement 4, months 1 to
/// DefaultMonthTo, empty masks); the year that of the run, the layout detail, a statement
/// outside 4-9 shown as 4.
ControlBreakdownParams LoadControlBreakdownParams(const ControlEnvironment& env);
/// Stores the parameters in the vault (40 bytes).
void StoreControlBreakdownParams(const ControlEnvironment& env,
                                 const ControlBreakdownParams& params);

/// Shows the dialog "Kontrolní rozklad výkazů IV až XI"; on acceptance fills the masks and
/// stores the parameters. False when it was left.
bool AskControlBreakdownParams(const ControlEnvironment& env, ControlBreakdownParams& params);

/// The printout of the control breakdown.
class tRozklad_IVazIX : public ControlListing {
  public:
    tRozklad_IVazIX(const ui::ListingEnvironment& listing, const ControlEnvironment& env,
                    const ControlBreakdownParams& params);
    ~tRozklad_IVazIX() override;

  protected:
    void Init() override;
    void PrepareHeading() override;
    bool Collect() override;
    bool Body() override;

  private:
    struct Groups;
    void CloseGroups(Groups& g, const char* key, bool all);
    void PrintDetail(const pap::tVetaUDPO& line, bool permitted);
    Text AccountLine(const Groups& g) const;
    Text CodeLine(const Groups& g) const;
    Text AnalyticsLine(const Groups& g) const;

    ControlBreakdownParams params_;
};

/// Makes and shows the printout for `params`; messages go to the user.
ControlOutcome RunControlBreakdown(const ControlEnvironment& env,
                                   const ControlBreakdownParams& params);

/// The menu command: names the process, asks for the parameters and runs the printout.
ControlOutcome ControlBreakdown(const ControlEnvironment& env);

}  // namespace axo::control

// What the parameters of the control account statement and the control breakdown share: the
// masks of analytics, transaction code, SU and AE, and in the vault the period (months, year and
// the two periods they make) with those masks, each block with fields of its own around them.
#pragma once

#include <algorithm>
#include <cstdint>

#include "control/ControlEnvironment.h"

namespace axo::control {

/// Fills the masks of analytics (10), transaction code, SU and AE (3 each) with "?" to their
/// lengths.
template <class Params>
void FillSharedMasks(Params& p) {
    p.analytics = QuestionFilled(p.analytics, 10);
    p.code = QuestionFilled(p.code, 3);
    p.su = QuestionFilled(p.su, 3);
    p.ae = QuestionFilled(p.ae, 3);
}

/// The defaults of a control run's parameters: the fiscal year, months 1 to DefaultMonthTo of
/// the program's month, every mask filled with "?", the rest as `Params` starts.
template <class Params>
Params DefaultControlParams(int fiscalYear, int programMonth) {
    Params p;
    p.year = static_cast<std::uint16_t>(fiscalYear);
    p.monthFrom = 1;
    p.monthTo = static_cast<std::uint16_t>(DefaultMonthTo(programMonth));
    p.FillMasks();
    return p;
}

/// The parameters kept as a `Block` at (`group`, `item`) of the vault, the defaults when none
/// are. The year is that of the run; `takeOwn(block, params)` reads the block's own fields.
template <class Params, class Block, class TakeOwn>
Params LoadControlParams(const ControlEnvironment& env, int group, int item, TakeOwn takeOwn) {
    Block b{};
    if (!env.Load(group, item, &b, sizeof b))
        return DefaultControlParams<Params>(env.fiscalYear, env.dialogs.ProgramDate().month);
    Params p;
    p.year = static_cast<std::uint16_t>(env.fiscalYear);
    // A damaged block must not open the dialog on months it refuses.
    p.monthFrom = std::min<std::uint16_t>(b.monthFrom, 12);
    p.monthTo = std::min<std::uint16_t>(b.monthTo, 12);
    p.analytics = b.analytics;
    p.code = b.code;
    p.su = b.su;
    p.ae = b.ae;
    takeOwn(b, p);
    p.FillMasks();
    return p;
}

/// Stores `params` as a `Block` at (`group`, `item`) of the vault; `putOwn(block)` writes the
/// block's own fields.
template <class Block, class Params, class PutOwn>
void StoreControlParams(const ControlEnvironment& env, int group, int item, const Params& params,
                        PutOwn putOwn) {
    Block b{};
    b.monthFrom = params.monthFrom;
    b.monthTo = params.monthTo;
    b.year = params.year;
    b.periodFrom = params.PeriodFrom();
    b.periodTo = params.PeriodTo();
    b.analytics = params.analytics;
    b.code = params.code;
    b.su = params.su;
    b.ae = params.ae;
    putOwn(b);
    env.Save(group, item, &b, sizeof b);
}

}  // namespace axo::control

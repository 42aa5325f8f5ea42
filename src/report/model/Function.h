// User functions (`TRadekFunkce`): a named expression whose values over the records are
// aggregated (value, count, sum, average, minimum, maximum, standard deviation, coefficient of
// variation) and restarted at a reset level (report, page, a group), with the number-to-text
// settings of its result.
#pragma once

#include "report/model/CalcValue.h"
#include "util/Text.h"

namespace axo::report {

enum Aggregation : int {
    kAggValue = 0,
    kAggCount = 1,
    kAggSum = 2,
    kAggAverage = 3,
    kAggMinimum = 4,
    kAggMaximum = 5,
    kAggStdDeviation = 6,
    kAggVariation = 7,
};
/// Czech name of an aggregation ("hodnota", "počet", "součet" ...).
Text AggregationName(int aggregation);

/// Reset levels: the whole report, every page, and 2 + g for group g. Level -1 (the start of a
/// run) resets every function.
inline constexpr int kResetReport = 0;
inline constexpr int kResetPage = 1;
inline constexpr int kResetAll = -1;
constexpr int GroupResetLevel(int group) {
    return group + 2;
}

/// Number formats of a function's text.
enum NumberFormat : int {
    kFormatGeneral = 0,
    kFormatExponent = 1,
    kFormatFixed = 2,
    kFormatNumber = 3,  ///< thousands separated
    kFormatCurrency = 4,
};

struct TRadekFunkce {
    Text name;
    Text description;
    Text expression;
    int resultType = 0;  ///< 0 number, 1 text
    Text initialValue = "0"_t;
    int resetLevel = kResetReport;
    int aggregation = kAggValue;
    int precision = 15;
    int digits = 2;
    int format = kFormatFixed;

    // ---- Run state --------------------------------------------------------------------------

    bool resetPending = false;
    TCalcType value;
    long long count = 0;
    double total = 0;
    double sumOfSquares = 0;
    bool skipNulls = false;

    /// Restarts the function at its initial value when a reset is pending.
    void ApplyPendingReset();
    /// Takes the value of the current record into the aggregation (after a pending reset).
    void Take(const TCalcType& evaluated);
    /// The function's text: empty for a skipped null; a number result by format, precision
    /// and digits; a text result as the value's text.
    const Text& ResultText();
    /// The format that applies: values above 4 (and below 0) are fixed.
    int EffectiveFormat() const { return format < 0 || format > 4 ? kFormatFixed : format; }

  private:
    /// The value becomes a number (its text made when asked for).
    void SetNumber(double x);

    double mean_ = 0;  ///< running mean and sum of squared deviations (deviation, variation)
    double m2_ = 0;
    Text text_;
    bool textValid_ = false;
};

/// "Funkce" followed by the number counted from 1: the name of a new function.
Text DefaultFunctionName(int indexFromZero);

}  // namespace axo::report

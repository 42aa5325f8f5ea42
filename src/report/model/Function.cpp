// Aggregation of user functions over the records and the text of their results.
#include "report/model/Function.h"

#include <cmath>

#include "report/model/NumberMask.h"
#include "util/Cisla.h"

namespace axo::report {

Text AggregationName(int aggregation) {
    switch (aggregation) {
        case kAggValue:
            return "hodnota"_t;
        case kAggCount:
            return "počet"_t;
        case kAggSum:
            return "součet"_t;
        case kAggAverage:
            return "průměr"_t;
        case kAggMinimum:
            return "minimum"_t;
        case kAggMaximum:
            return "maximum"_t;
        case kAggStdDeviation:
            return "směrodatná odchylka"_t;
        case kAggVariation:
            return "variační koeficient"_t;
        default:
            return "neznámá ("_t + IntToText(aggregation) + ")"_t;
    }
}

Text DefaultFunctionName(int indexFromZero) {
    return "Funkce"_t + IntToText(indexFromZero + 1);
}

void TRadekFunkce::ApplyPendingReset() {
    if (!resetPending)
        return;
    value = TCalcType{};
    value.type = resultType == 1 ? ValueType::kText : ValueType::kNumber;
    value.text = initialValue;
    value.number = TextToNumber(initialValue);
    count = 0;
    total = 0;
    sumOfSquares = 0;
    mean_ = 0;
    m2_ = 0;
    resetPending = false;
    textValid_ = false;
}

void TRadekFunkce::Take(const TCalcType& evaluated) {
    ApplyPendingReset();
    textValid_ = false;
    // Only values taken count: with skip-nulls a null value neither counts nor sums, and it
    // never becomes a minimum or maximum either.
    const bool taken = !(skipNulls && evaluated.isNull);
    const double x = evaluated.number;
    switch (aggregation) {
        case kAggValue:
            ++count;
            value = evaluated;
            return;
        case kAggCount:
            if (taken)
                ++count;
            SetNumber(static_cast<double>(count));
            return;
        case kAggMinimum:
        case kAggMaximum:
            if (!taken)
                return;
            ++count;
            if (count == 1 || (aggregation == kAggMinimum ? value.number > x : value.number < x))
                value = evaluated;
            return;
        default:
            break;
    }
    const bool spread = aggregation == kAggStdDeviation || aggregation == kAggVariation;
    if (taken) {
        ++count;
        total += x;
        sumOfSquares += x * x;
        if (spread) {
            // The deviation from a running mean: the textbook difference of the sums loses
            // every digit for amounts that are large against their spread, and can even go
            // negative.
            const double delta = x - mean_;
            mean_ += delta / static_cast<double>(count);
            m2_ += delta * (x - mean_);
        }
    }
    switch (aggregation) {
        case kAggSum:
            SetNumber(total);
            return;
        case kAggAverage:
            SetNumber(count != 0 ? total / static_cast<double>(count) : total);
            return;
        case kAggStdDeviation:
        case kAggVariation: {
            if (count <= 1) {
                value = TCalcType::Empty();
                return;
            }
            const double deviation = std::sqrt(std::max(0.0, m2_ / static_cast<double>(count - 1)));
            if (aggregation == kAggStdDeviation)
                value = TCalcType::Number(deviation);
            else if (total != 0)
                value = TCalcType::Number(deviation * static_cast<double>(count) / total);
            else
                value = TCalcType::Empty();
            return;
        }
        default:
            // An aggregation the engine does not know keeps the evaluated value.
            value = evaluated;
            return;
    }
}

void TRadekFunkce::SetNumber(double x) {
    value.type = ValueType::kNumber;
    value.number = x;
    value.isNull = false;
    value.text.clear();
    value.hasText = false;
}

const Text& TRadekFunkce::ResultText() {
    if (textValid_)
        return text_;
    textValid_ = true;
    if (skipNulls && value.isNull) {
        text_.clear();
    } else if (resultType == 0) {
        text_ = FormatNumber(value.number, EffectiveFormat(), precision, digits);
    } else if (resultType == 1) {
        value.EnsureText();
        text_ = value.text;
    } else {
        text_.clear();
    }
    return text_;
}

}  // namespace axo::report

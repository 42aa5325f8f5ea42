// Font measures in sub-units, and the fixed-advance metrics.
#include "report/layout/FontMetrics.h"

#include <cmath>

namespace axo::report {

namespace {

// A font of p points measured at 72 times its size on a canvas of 100 units per inch has an
// em of p x 100 sub-units.
constexpr double kEmPerPoint = 100.0;

}  // namespace

int TFaceMetrics::Advance(unsigned char code, double points) const {
    return static_cast<int>(std::lround(advance[code] * points * kEmPerPoint));
}

int TFaceMetrics::TextHeight(double points) const {
    return static_cast<int>(std::lround((ascent + descent) * points * kEmPerPoint));
}

double TFaceMetrics::AscentUnits(double points) const {
    return ascent * points * 100.0 / 72.0;
}

TFixedFontMetrics::TFixedFontMetrics(double advance) {
    face_.advance.fill(advance);
}

const TFaceMetrics& TFixedFontMetrics::Face(const Text&, int) {
    return face_;
}

}  // namespace axo::report

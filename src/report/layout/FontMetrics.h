// How wide characters are: the font-metrics interface text layout measures through. The real
// metrics come from the font files (report/output/FontFiles.h); the fixed-advance metrics here
// give every character the same width and serve tests and measurements that must not depend
// on the fonts installed.
#pragma once

#include <array>

#include "util/Text.h"

namespace axo::report {

/// The measures of one face, in fractions of its em: the advance of every Windows-1250
/// character, the ascent and the descent.
struct TFaceMetrics {
    std::array<double, 256> advance{};
    double ascent = 0.8;
    double descent = 0.2;

    /// The advance of `code` in sub-units (1/72 unit) at `points`: the font measured at 72
    /// times its size on a canvas of 100 units per inch.
    int Advance(unsigned char code, double points) const;
    /// The text height (ascent + descent) in sub-units at `points`.
    int TextHeight(double points) const;
    /// The ascent in units at `points`.
    double AscentUnits(double points) const;
};

class TFontMetrics {
  public:
    virtual ~TFontMetrics() = default;
    /// The face a font name and style (kBold, kItalic) are drawn with. The reference stays
    /// valid while the metrics object lives.
    virtual const TFaceMetrics& Face(const Text& name, int style) = 0;
};

/// Every character `advance` em wide (0.5 by default), ascent 0.8 and descent 0.2 em.
class TFixedFontMetrics : public TFontMetrics {
  public:
    explicit TFixedFontMetrics(double advance = 0.5);
    const TFaceMetrics& Face(const Text& name, int style) override;

  private:
    TFaceMetrics face_;
};

}  // namespace axo::report

// Regional settings of the running user that number texts depend on: the decimal and the
// thousands separator. The front ends set them once at start; tests override them in a scope.
#pragma once

#include <string_view>

namespace axo {

/// The separators of number texts. The defaults are the Czech ones. A thousands separator of
/// '\0' means that integer digits are not grouped.
struct RegionalSettings {
    char decimalSeparator = ',';
    char thousandsSeparator = ' ';

    /// The separators of the user's locale, named by LC_ALL, LC_NUMERIC or LANG (the first one
    /// set). The Czech defaults when none names a locale, when it is C or POSIX, or when the
    /// locale is not installed. The process locale is never changed.
    static RegionalSettings FromEnvironment();
    /// Settings from the separator strings of a locale (as localeconv gives them): a
    /// non-breaking space or any multi-byte thousands separator becomes a blank, an empty one
    /// means no grouping; an empty or multi-byte decimal separator keeps the default ','.
    static RegionalSettings FromLocaleStrings(std::string_view decimalPoint,
                                              std::string_view thousandsSep);

    friend bool operator==(const RegionalSettings&, const RegionalSettings&) = default;
};

/// The settings every number helper without an explicit settings argument uses.
const RegionalSettings& CurrentRegionalSettings();
/// Replaces the current settings; meant to be called once at start, before other threads run.
void SetRegionalSettings(const RegionalSettings& settings);

/// Sets the current settings for the lifetime of the object and restores the previous ones.
class ScopedRegionalSettings {
  public:
    explicit ScopedRegionalSettings(const RegionalSettings& settings);
    ~ScopedRegionalSettings();
    ScopedRegionalSettings(const ScopedRegionalSettings&) = delete;
    ScopedRegionalSettings& operator=(const ScopedRegionalSettings&) = delete;

  private:
    RegionalSettings previous_;
};

}  // namespace axo

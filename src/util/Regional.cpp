// The regional settings: the process-wide current value and reading them from the locale.
#include "util/Regional.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <string>

namespace axo {

namespace {

RegionalSettings& Current() {
    static RegionalSettings settings;
    return settings;
}

/// The locale name the environment chooses for numbers, with the POSIX precedence.
std::string NumericLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return {};
}

bool IsCLocale(std::string_view name) {
    return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}

}  // namespace

RegionalSettings RegionalSettings::FromLocaleStrings(std::string_view decimalPoint,
                                                     std::string_view thousandsSep) {
    RegionalSettings settings;
    if (decimalPoint.size() == 1 && static_cast<unsigned char>(decimalPoint[0]) < 0x80)
        settings.decimalSeparator = decimalPoint[0];
    if (thousandsSep.empty())
        settings.thousandsSeparator = '\0';
    else if (thousandsSep.size() == 1 && static_cast<unsigned char>(thousandsSep[0]) < 0x80)
        settings.thousandsSeparator = thousandsSep[0];
    else
        // Czech and many other locales group with a (narrow) non-breaking space, which number
        // texts of fixed-width columns and printouts show as a plain blank.
        settings.thousandsSeparator = ' ';
    return settings;
}

RegionalSettings RegionalSettings::FromEnvironment() {
    if (IsCLocale(NumericLocaleName()))
        return {};
    // A locale object of our own (instead of setlocale + localeconv) reads the same values
    // without touching the locale of the process, which the formatting of other code relies on.
    locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        return {};
    const RegionalSettings settings =
        FromLocaleStrings(nl_langinfo_l(RADIXCHAR, locale), nl_langinfo_l(THOUSEP, locale));
    freelocale(locale);
    return settings;
}

const RegionalSettings& CurrentRegionalSettings() {
    return Current();
}

void SetRegionalSettings(const RegionalSettings& settings) {
    Current() = settings;
}

ScopedRegionalSettings::ScopedRegionalSettings(const RegionalSettings& settings)
    : previous_(CurrentRegionalSettings()) {
    SetRegionalSettings(settings);
}

ScopedRegionalSettings::~ScopedRegionalSettings() {
    SetRegionalSettings(previous_);
}

}  // namespace axo

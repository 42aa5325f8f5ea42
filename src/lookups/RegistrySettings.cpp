// Reading the registry settings from the configuration file.
#include "lookups/RegistrySettings.h"

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::lookups {

namespace {

void Report(Text* problem, const Text& key, const Text& value, const Text& why) {
    if (problem && problem->empty())
        *problem = key + "="_t + value + ": "_t + why;
}

void ReadUrl(const startup::ConfigFile& config, const char* key, std::string& url, Text* problem) {
    const std::optional<Text> value = config.Value(FromUtf8(key));
    if (!value || value->empty())
        return;
    const std::string text = ToUtf8(*value);
    const bool usable = (text.starts_with("https://") || text.starts_with("http://")) &&
                        text.find_first_of(" \"<>\\") == std::string::npos;
    if (!usable) {
        Report(problem, FromUtf8(key), *value,
               "adresa registru musí začínat https:// (nebo http://) a nesmí obsahovat mezery."_t);
        return;
    }
    url = text;
    while (url.size() > 8 && url.back() == '/')
        url.pop_back();
}

void ReadNumber(const startup::ConfigFile& config, const char* key, long& target, long factor,
                Text* problem) {
    const std::optional<Text> value = config.Value(FromUtf8(key));
    if (!value || value->empty())
        return;
    const Text digits = Trim(*value);
    const bool number = !digits.empty() && digits.size() <= 9 &&
                        digits.View().find_first_not_of("0123456789") == std::string_view::npos;
    const long n = number ? static_cast<long>(TextToInt(digits)) : 0;
    if (n <= 0) {
        Report(problem, FromUtf8(key), *value, "očekává se kladné celé číslo."_t);
        return;
    }
    target = n * factor;
}

}  // namespace

RegistrySettings ReadRegistrySettings(const startup::ConfigFile& config,
                                      const std::filesystem::path& home, Text* problem) {
    RegistrySettings s;
    ReadUrl(config, "AXO_REGISTR_DPH_URL", s.vatServiceUrl, problem);
    ReadUrl(config, "AXO_REGISTR_DPH_WEB", s.vatWebUrl, problem);
    ReadUrl(config, "AXO_ARES_URL", s.aresUrl, problem);
    if (const Text ca = config.ValueOr("AXO_REGISTRY_CA"_t); !ca.empty()) {
        const std::filesystem::path file = ToUtf8(ca);
        s.caFile = file.is_absolute() ? file : home / file;
    }
    long connectMs = 10000, queryMs = 30000, maxKb = 8192;
    ReadNumber(config, "AXO_REGISTRY_SPOJENI_MS", connectMs, 1, problem);
    ReadNumber(config, "AXO_REGISTRY_DOTAZ_MS", queryMs, 1, problem);
    ReadNumber(config, "AXO_REGISTRY_MAX_KB", maxKb, 1, problem);
    s.query.connectMs = connectMs;
    s.query.totalMs = queryMs;
    s.query.maxBytes = static_cast<std::size_t>(maxKb) * 1024;
    // The complete list takes minutes on a slow line: it may go on while data keep coming.
    s.list.connectMs = connectMs;
    s.list.totalMs = 0;
    s.list.lowSpeedBytes = 1024;
    s.list.lowSpeedSeconds = std::max(1L, queryMs * 2 / 1000);
    s.list.maxBytes = s.query.maxBytes * 32;
    return s;
}

}  // namespace axo::lookups

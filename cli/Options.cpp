// Command-line parsing of axo-pap-cli.
#include "Options.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace axo::cli {

Options::Options(const std::vector<std::string>& args, const std::vector<std::string>& flags) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 3 || a.rfind("--", 0) != 0) {
            positional_.push_back(a);
            continue;
        }
        const auto eq = a.find('=');
        const std::string name = a.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        if (eq != std::string::npos) {
            values_[name] = a.substr(eq + 1);
        } else if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
            values_[name] = "";
        } else if (i + 1 < args.size()) {
            values_[name] = args[++i];
        } else {
            throw std::invalid_argument("Volba --" + name + " potřebuje hodnotu.");
        }
        all_.emplace_back(name, values_[name]);
    }
}

std::optional<std::string> Options::Get(const std::string& name) const {
    const auto it = values_.find(name);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

std::vector<std::string> Options::GetAll(const std::string& name) const {
    std::vector<std::string> found;
    for (const auto& [option, value] : all_)
        if (option == name)
            found.push_back(value);
    return found;
}

std::string Options::GetOr(const std::string& name, const std::string& fallback) const {
    return Get(name).value_or(fallback);
}

std::optional<int> Options::GetInt(const std::string& name) const {
    const auto value = Get(name);
    if (!value)
        return std::nullopt;
    const std::optional<int> n = WholeNumber(*value);
    if (!n)
        throw std::invalid_argument("Volba --" + name + " potřebuje celé číslo, ne \"" + *value +
                                    "\".");
    return n;
}

std::optional<int> Options::WholeNumber(const std::string& text) {
    const std::size_t digits = text.starts_with('-') ? 1 : 0;
    if (text.size() == digits || text.find_first_not_of("0123456789", digits) != std::string::npos)
        return std::nullopt;
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return n;
}

std::vector<std::string> Options::Unknown(const std::vector<std::string>& known) const {
    std::vector<std::string> unknown;
    for (const auto& [name, value] : values_)
        if (std::find(known.begin(), known.end(), name) == known.end())
            unknown.push_back(name);
    return unknown;
}

}  // namespace axo::cli

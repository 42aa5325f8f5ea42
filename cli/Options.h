// Command-line parsing of axo-pap-cli: global options, the command and its own options.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace axo::cli {

/// Options as "--name value" or "--name=value" (flags have no value), and positional words.
class Options {
  public:
    /// Splits `args`; `flags` names the options that take no value. Throws std::invalid_argument
    /// with a Czech message when an option lacks its value.
    Options(const std::vector<std::string>& args, const std::vector<std::string>& flags);

    bool Has(const std::string& name) const { return values_.count(name) > 0; }
    std::optional<std::string> Get(const std::string& name) const;
    /// Every value of an option given more than once, in the order given (Get has the last).
    std::vector<std::string> GetAll(const std::string& name) const;
    std::string GetOr(const std::string& name, const std::string& fallback) const;
    /// A whole number option (see WholeNumber); throws std::invalid_argument naming the option
    /// when it is not one.
    std::optional<int> GetInt(const std::string& name) const;
    /// A whole number written as its digits, a "-" in front of a negative one, and nothing else
    /// (no blank, no "+", no letter after it: "1abc" is not 1). None when `text` is not one or
    /// does not fit an int.
    static std::optional<int> WholeNumber(const std::string& text);
    const std::vector<std::string>& Positional() const { return positional_; }
    /// Options given but not in `known`, for an "unknown option" message.
    std::vector<std::string> Unknown(const std::vector<std::string>& known) const;

  private:
    std::map<std::string, std::string> values_;
    std::vector<std::pair<std::string, std::string>> all_;
    std::vector<std::string> positional_;
};

}  // namespace axo::cli

// The desktop program's command line.
#include "app/DesktopCommandLine.h"

#include <map>

#include "startup/CommandLine.h"

namespace axo::app {

namespace {

const char* const kValueOptions[] = {"home", "user", "password", "year", "date", "screenshots"};

bool IsValueOption(const std::string& name) {
    for (const char* known : kValueOptions)
        if (name == known)
            return true;
    return false;
}

/// Splits the "--" options from the system's parameters.
std::vector<std::string> TakeOptions(const std::vector<std::string>& arguments,
                                     std::map<std::string, std::string>& values,
                                     std::vector<std::string>& errors) {
    std::vector<std::string> parameters;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a.size() < 3 || a.compare(0, 2, "--") != 0) {
            parameters.push_back(a);
            continue;
        }
        std::string name = a.substr(2);
        std::optional<std::string> value;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.erase(eq);
        }
        if (!IsValueOption(name)) {
            errors.push_back("Neznámá volba --" + name + ".");
            continue;
        }
        if (!value && i + 1 < arguments.size())
            value = arguments[++i];
        if (!value) {
            errors.push_back("Volba --" + name + " potřebuje hodnotu.");
            continue;
        }
        values[name] = *value;
    }
    return parameters;
}

}  // namespace

DesktopOptions ParseDesktopCommandLine(const std::vector<std::string>& arguments,
                                       const startup::EnvironmentReader& environment) {
    DesktopOptions options;
    std::map<std::string, std::string> values;
    options.startUp = startup::ParseCommandLine(TakeOptions(arguments, values, options.errors));
    startup::StartUpOptions& start = options.startUp;
    if (const auto it = values.find("password"); it != values.end())
        start.password = FromUtf8(it->second).substr(0, 7);
    if (!start.password && environment) {
        if (const auto fromEnvironment = environment("AXO_PASSWORD");
            fromEnvironment && !fromEnvironment->empty())
            start.password = FromUtf8(*fromEnvironment).substr(0, 7);
    }
    if (const auto it = values.find("user"); it != values.end())
        start.userName = FromUtf8(it->second);
    if (values.count("year") || values.count("date")) {
        start.yearChoice =
            startup::StartUpOptions::YearChoice{FromUtf8(values["year"]), FromUtf8(values["date"])};
    }
    if (const auto it = values.find("home"); it != values.end())
        options.home = it->second;
    if (const auto it = values.find("screenshots"); it != values.end())
        options.screenshotDirectory = it->second;
    return options;
}

}  // namespace axo::app

// The program's parameters.
#include "startup/CommandLine.h"

#include "util/Retezce.h"

namespace axo::startup {

StartUpOptions ParseCommandLine(const std::vector<std::string>& arguments) {
    StartUpOptions options;
    int position = 0;
    for (const std::string& argument : arguments) {
        const Text parameter = FromUtf8(argument);
        options.parameters.push_back(parameter);
        if (NationalUpperCase(Trim(parameter)).StartsWith("/U"_t))
            continue;
        ++position;
        if (position == 1)
            options.password = parameter.substr(0, 7);
        else if (position == 2)
            options.station = parameter;
    }
    return options;
}

}  // namespace axo::startup

// The command table of axo-pap-cli: each command is a name, a line of help and a routine.
#include "Commands.h"

#include <ostream>

#include "util/Text.h"
#include "util/Version.h"

namespace axo::cli {

namespace {

struct Command {
    const char* name;
    const char* usage;
    const char* help;
    int (*run)(const Options& options, std::ostream& out, std::ostream& err);
};

int RunVersion(const Options&, std::ostream& out, std::ostream&) {
    out << "AXO_PAP " << ToUtf8(ProgramVersionText()) << " (sestavení " << BuildVersion() << ")\n";
    return 0;
}

int RunHelp(const Options&, std::ostream& out, std::ostream&);

const Command kCommands[] = {
    {"help", "help", "tato nápověda", RunHelp},
    {"version", "version", "verze programu", RunVersion},
};

int RunHelp(const Options&, std::ostream& out, std::ostream&) {
    out << "axo-pap-cli - POMOCNÝ ANALYTICKÝ PŘEHLED bez okna\n\n"
           "Použití: axo-pap-cli [globální volby] příkaz [argumenty a volby]\n\n"
           "Příkazy:\n";
    for (const Command& c : kCommands) {
        std::string usage = c.usage;
        usage.resize(std::max<std::size_t>(usage.size(), 28), ' ');
        out << "  " << usage << " " << c.help << "\n";
    }
    out << "\nGlobální volby:\n"
           "  --help                       tato nápověda\n"
           "  --version                    verze programu\n";
    return 0;
}

}  // namespace

std::vector<std::string> FlagNames() {
    return {"help", "version", "force", "replace", "csv-only"};
}

int RunCommand(const Options& options, std::ostream& out, std::ostream& err) {
    if (options.Has("version"))
        return RunVersion(options, out, err);
    if (options.Has("help"))
        return RunHelp(options, out, err);
    if (options.Positional().empty()) {
        RunHelp(options, err, err);
        return 2;
    }
    const std::string& name = options.Positional().front();
    for (const Command& c : kCommands)
        if (name == c.name)
            return c.run(options, out, err);
    err << "Neznámý příkaz \"" << name << "\". Seznam příkazů vypíše axo-pap-cli --help.\n";
    return 2;
}

}  // namespace axo::cli

// axo-pap-cli: the program's commands without a window.
#include <cstring>
#include <iostream>

#include "util/Version.h"

namespace {

void PrintHelp(std::ostream& out) {
    out << "axo-pap-cli - POMOCNÝ ANALYTICKÝ PŘEHLED bez okna\n"
           "\n"
           "Použití: axo-pap-cli [volby] příkaz [argumenty]\n"
           "\n"
           "Volby:\n"
           "  --help       tato nápověda\n"
           "  --version    verze programu\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        PrintHelp(std::cout);
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::cout << "AXO_PAP " << axo::ToUtf8(axo::ProgramVersionText()) << " (build "
                  << axo::BuildVersion() << ")\n";
        return 0;
    }
    std::cerr << "Neznámý příkaz: " << argv[1] << "\n";
    return 2;
}

// The print module "Axo_Tisk": prints a text listing through CUPS (see ui/ListingPrint.h), or a
// statement handed over by the program through its report template (see
// app/ReportHandOverMain.h).
#include "app/ReportHandOverMain.h"
#include "ui/ListingPrint.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (axo::app::IsReportHandOver(arguments))
        return axo::app::ReportHandOverMain(arguments);
    return axo::ui::PrintModuleMain(argc, argv);
}

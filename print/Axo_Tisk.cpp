// The print module "Axo_Tisk": prints a text listing through CUPS (see ui/ListingPrint.h).
#include "ui/ListingPrint.h"

int main(int argc, char** argv) {
    return axo::ui::PrintModuleMain(argc, argv);
}

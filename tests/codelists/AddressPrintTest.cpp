// The address card the program ships, printed with the list's data: one address with its notes,
// and the list through its filters in its order.
#include <sstream>

#include "AddressTestSupport.h"
#include "codelists/ExAdPrint.h"
#include "printforms/FormTypes.h"
#include "printforms/ShippedForms.h"

namespace axo::codelists::testing {
namespace {

class AddressPrintTest : public AddressTest {
  protected:
    /// The lines of the card printout for the data text, those that begin with one of `starts`.
    std::vector<std::string> Printed(const Text& data, const std::vector<std::string>& starts) {
        printforms::FormPrintEnvironment print;
        print.listing = &env_;
        print.findForm = [](int type, const Text& name) -> std::optional<printforms::StoredForm> {
            for (const printforms::StoredForm& f : printforms::ShippedForms())
                if (f.type == type && f.name == name)
                    return f;
            return std::nullopt;
        };
        print.dataSources = AddressSources(data_, ListDir(), "2024"_t, nullptr);
        const std::size_t before = ShownFiles().size();
        EXPECT_TRUE(printforms::PrintCommandStream(print, {"EXADRESY [KARTA ADRESY] %"_t}, data));
        std::vector<std::string> lines;
        if (ShownFiles().size() == before)
            return lines;
        // The front end shows printouts as UTF-8 lines.
        std::istringstream shown(ui::testing::ReadBytes(ShownFiles().back()));
        for (std::string line; std::getline(shown, line);)
            for (const std::string& start : starts)
                if (line.rfind(start, 0) == 0)
                    lines.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
        return lines;
    }
};

TEST_F(AddressPrintTest, OneAddressAndTheFilteredList) {
    tVetaExtAdresa gama = Address("3", "Gama", "Zlín", "25596641");
    gama.PLATNOST = 1;
    gama.POVAHA = 2;
    Fill({Address("1", "Alfa", "Brno"), Address("2", "Beta", "Praha"), gama}, ListDir(),
         {"", "", "první řádek\r\ndruhý řádek"});
    AddressFilters all;
    EXPECT_EQ((std::vector<std::string>{
                  "Zatřídění  : 3             dodavatel   fyzická osoba     neplatná adresa",
                  "IČO        : 25596641", "Název      : Gama", "Poznámka   : první řádek",
                  "Poznámka   : druhý řádek"}),
              Printed(AddressPrintData(1, all, "3"_t), {"Zatř", "IČO", "Název", "Poznámka"}));
    // The list: valid addresses only, in the order of towns.
    AddressFilters valid;
    valid.validity = 1;
    EXPECT_EQ((std::vector<std::string>{"Název      : Alfa", "Název      : Beta"}),
              Printed(AddressPrintData(1, valid), {"Název"}));
    EXPECT_EQ("1 1 0 1111 2"_t, AddressPrintData(1, valid));
}

}  // namespace
}  // namespace axo::codelists::testing

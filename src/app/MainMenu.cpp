// The main menu table.
#include "app/MainMenu.h"

#include <stdexcept>

namespace axo::app {

namespace {

MenuItem Item(CommandId command, std::string name, const Text& caption, bool separator = false) {
    std::string handler = name + "Click";
    return {command, std::move(name), caption, std::move(handler), separator};
}

std::vector<MenuItem> StatementItems() {
    static const char* const kCaptions[] = {
        "I.", "II.", "III.", "IV.",   "V.",   "VI.",  "VII.", "VIII.", "IX.",
        "X.", "XI.", "XII.", "XIII.", "XIV.", "XV. ", "XVI.", "XVII.",
    };
    std::vector<MenuItem> items;
    for (int n = 1; n <= 17; ++n) {
        const std::string number = (n < 10 ? "0" : "") + std::to_string(n);
        items.push_back(
            Item(StatementCommand(n), "itemVykaz" + number, Text::FromBytes(kCaptions[n - 1])));
    }
    return items;
}

std::vector<Menu> BuildTable() {
    std::vector<Menu> menus;
    menus.push_back({"itemVykazy", " Výkazy "_t, StatementItems(), std::nullopt});
    menus.push_back(
        {"itemXML",
         "Exporty"_t,
         {Item(CommandId::XML01_09, "itemXML01_09",
               "Dávkové generování výkazu PAP_Souhrn (sehrání výkazů I až IX) do XML"_t),
          Item(CommandId::Sehr01_09, "Sehr01_09",
               "Sehrání výkazů I až IX do XML (výkaz PAP_Souhrn), nebylo-li dávkové generování"_t)},
         std::nullopt});
    menus.push_back(
        {"itemKontroly",
         " Kontrolní chody "_t,
         {Item(CommandId::Vypis, "itemVypis", "Kontrolní výpis z účtu"_t),
          Item(CommandId::Rozklad, "itemRozklad", "Kontrolní rozklad pro výkazy IV až XI"_t),
          Item(CommandId::KontrolaUR, "itemKontrolaUR", "Kontrola účetních záznamů"_t),
          Item(CommandId::KontrolniVazby, "itemKontrolniVazby",
               "Kontrolní vazby mezi částmi PAP"_t),
          Item(CommandId::PAP_do_RozV, "itemPAP_do_RozV",
               "Doplnění údajů pro PAP do účtového rozvrhu"_t, true)},
         std::nullopt});
    menus.push_back(
        {"itemCiselniky",
         " Číselníky "_t,
         {Item(CommandId::Ciselniky_UctRozvrh, "itemCiselniky_UctRozvrh", "Účtový rozvrh"_t),
          Item(CommandId::Ciselniky_KodyTr, "itemCiselniky_KodyTr", "Číselník kódů transakce"_t),
          Item(CommandId::Ciselniky_PAP, "itemCiselniky_PAP",
               "Číselník pomocného analytického přehledu pro výkazy"_t),
          Item(CommandId::Ciselniky_ExtAdresy, "itemCiselniky_ExtAdresy",
               "Číselník externích adres"_t, true)},
         std::nullopt});
    menus.push_back({"Konec", "  Konec  "_t, {}, Item(CommandId::Konec, "Konec", "  Konec  "_t)});
    return menus;
}

}  // namespace

const std::vector<Menu>& MainMenuTable() {
    static const std::vector<Menu> table = BuildTable();
    return table;
}

const MenuItem& ItemOf(CommandId command) {
    for (const Menu& menu : MainMenuTable()) {
        if (menu.command && menu.command->command == command)
            return *menu.command;
        for (const MenuItem& item : menu.items)
            if (item.command == command)
                return item;
    }
    throw std::logic_error("command without a menu item");
}

int StatementNumberOf(CommandId command) {
    const int n = static_cast<int>(command) - static_cast<int>(CommandId::Vykaz01) + 1;
    return n >= 1 && n <= 17 ? n : 0;
}

CommandId StatementCommand(int n) {
    return static_cast<CommandId>(static_cast<int>(CommandId::Vykaz01) + n - 1);
}

Text StripAmpersands(const Text& caption) {
    Text out;
    for (char ch : caption)
        if (ch != '&')
            out.push_back(ch);
    return out;
}

Text ApplicationTitle() {
    return " POMOCNÝ ANALYTICKÝ PŘEHLED, PAP pro příspěvkové organizace"_t;
}

Text DesignCaption() {
    return " POMOCNÝ ANALYTICKÝ PŘEHLED"_t;
}

}  // namespace axo::app

// The main menu of the program: its four menus and the item "Konec", every item with its name,
// its design-time caption and its handler, and the captions the statement items get once the
// start-up has succeeded.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "util/Text.h"

namespace axo::app {

/// Every command of the main menu.
enum class CommandId {
    Vykaz01,
    Vykaz02,
    Vykaz03,
    Vykaz04,
    Vykaz05,
    Vykaz06,
    Vykaz07,
    Vykaz08,
    Vykaz09,
    Vykaz10,
    Vykaz11,
    Vykaz12,
    Vykaz13,
    Vykaz14,
    Vykaz15,
    Vykaz16,
    Vykaz17,
    XML01_09,
    Sehr01_09,
    Vypis,
    Rozklad,
    KontrolaUR,
    KontrolniVazby,  ///< the checks between the parts of PAP
    PAP_do_RozV,
    Ciselniky_UctRozvrh,
    Ciselniky_KodyTr,
    Ciselniky_PAP,
    Ciselniky_ExtAdresy,
    Konec,
};

/// One item of a menu.
struct MenuItem {
    CommandId command;
    std::string name;     ///< "itemVykaz01"
    Text caption;         ///< the design-time caption ("I.")
    std::string handler;  ///< "itemVykaz01Click"
    bool separatorBefore = false;
};

/// A top-level entry of the main menu: a menu with items, or (with no items) a command itself.
struct Menu {
    std::string name;  ///< "itemVykazy"
    Text caption;      ///< " Výkazy "
    std::vector<MenuItem> items;
    /// The command of a top-level entry without items ("Konec").
    std::optional<MenuItem> command;
};

/// The main menu as designed: " Výkazy ", "Exporty", " Kontrolní chody ", " Číselníky " and
/// "  Konec  ", in this order.
const std::vector<Menu>& MainMenuTable();

/// The item of a command.
const MenuItem& ItemOf(CommandId command);

/// The statement number (1-17) of a statement item; 0 for any other command.
int StatementNumberOf(CommandId command);

/// The command of statement item n (1-17).
CommandId StatementCommand(int n);

/// The caption without any "&" (as commands take it for their title and process name).
Text StripAmpersands(const Text& caption);

/// The program's title: " POMOCNÝ ANALYTICKÝ PŘEHLED, PAP pro příspěvkové organizace".
Text ApplicationTitle();

/// The window caption at design time: " POMOCNÝ ANALYTICKÝ PŘEHLED".
Text DesignCaption();

}  // namespace axo::app

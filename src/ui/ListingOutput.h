// The output channel of text printouts: by the printer set-up's output kind, the listing goes
// to the print module "Axo_Tisk" (kind 0) or the print manager "Axo_PrMa" (kind 1), programs of
// the installation that print through CUPS, is saved as a text file (kind 2), opened as a
// word-processor document (kind 3) or a spreadsheet (kind 4), or saved as an HTML file that is
// sent by e-mail (kind 5, modes 0 and 1) or kept (mode 2).
//
// A printout reaches the channel through `HandListingOver`: the front end shows it
// (`UiServices::ShowListing`) and calls the channel for its print and save actions; afterwards
// the listing file is deleted.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ui/ListingEnvironment.h"
#include "ui/OutputSettings.h"
#include "ui/UiServices.h"

namespace axo::ui {

/// The program files of the print module and the print manager.
inline constexpr const char* kPrintModuleName = "Axo_Tisk";
inline constexpr const char* kPrintManagerName = "Axo_PrMa";

/// The print module's arguments, one a piece of its command line: "/T", "/D" + line width,
/// "/P" + narrow and "/L" + wide page length, "/N" + listing file, "/C" + two double quotes,
/// "/K" + the root path "CA_T_Cesta" with a trailing "/" in double quotes, "/Z" + the number of
/// the output settings, and "/M" when their flag is on.
std::vector<std::string> PrintModuleArguments(const ListingView& listing,
                                              const OutputSettings& settings,
                                              const Text& templateRoot);

/// The print manager's arguments: the listing file, the printer code ("K" for printer kind 2,
/// "L" for 3, else "0"), the line width and "/WIN".
std::vector<std::string> PrintManagerArguments(const ListingView& listing, int printerKind);

/// The command line the arguments make: each after one blank (" /T /D80 ..."), in UTF-8.
std::string CommandLineText(const std::vector<std::string>& arguments);

/// The print program `name`: in the directory of the running program (or the environment's
/// program directory when set), else in the helper directory the package installs it to (the
/// installed "libexec/axo-pap" beside "bin"), else in the installation home; empty when none
/// has it.
std::filesystem::path FindPrintProgram(const ListingEnvironment& env, const std::string& name);

/// Sends the printout to the output the printer set-up names. The listing file stays where it
/// is (its owner deletes it), so a viewer may send it more than once. Every failure is shown
/// to the user; nothing is thrown.
void OutputListing(const ListingEnvironment& env, const ListingView& listing);

/// Hands a printout to the user: the front end shows it with the output channel as its print
/// and save action; then the listing file is deleted.
void HandListingOver(const ListingEnvironment& env, const ListingView& listing);

}  // namespace axo::ui

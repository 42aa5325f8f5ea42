// What the installation's two print programs do: the print module "Axo_Tisk" and the print
// manager "Axo_PrMa" read the command lines the output channel gives them, turn the listing
// (Windows-1250, CR LF, the family's frame codes) into print data and hand it to CUPS (`lp`).
// The programs themselves (print/) only call the two Main functions.
//
// The print module's switches: /T text listing; /D line width; /P and /L the narrow and wide
// page lengths; /N the listing file; /C the CUPS destination (empty: the default one); /K the
// installation's root path (accepted, not needed by CUPS); /Z the scale in percent (100 is the
// natural size); /M monochrome. /C and /K values may stand in double quotes.
//
// The print manager's arguments: listing file, printer code (K: a printer taking Kamenický
// text, L: one taking code page 852 - both sent raw; 0: text through the CUPS text filter),
// line width and /WIN.
//
// The environment variable AXO_LP names the program run instead of `lp` (and then no default
// destination is required), so that what would be printed can be captured.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace axo::ui {

/// What the printer receives: UTF-8 text for the CUPS text filter, or raw bytes in the code
/// page a DOS-era printer takes.
enum class PrintEncoding { Text, Kamenicky, Cp852 };

struct PrintRequest {
    std::filesystem::path file;
    int lineWidth = 80;
    int narrowLength = 0;  ///< lines a page of a printout up to 80 characters wide; 0: default
    int wideLength = 0;    ///< lines a page of a wider printout; 0: default
    std::string printer;   ///< CUPS destination; empty: the default destination
    std::string root;      ///< the installation's root path (/K)
    int scale = 100;       ///< percent
    bool monochrome = false;
    PrintEncoding encoding = PrintEncoding::Text;
};

/// A command line read: the request, or the Czech message why it cannot be read.
struct ParsedPrintRequest {
    std::optional<PrintRequest> request;
    std::string error;
};

/// Reads the print module's arguments (the pieces of its command line, program name excluded).
ParsedPrintRequest ParsePrintModuleArguments(const std::vector<std::string>& arguments);
/// Reads the print manager's arguments.
ParsedPrintRequest ParsePrintManagerArguments(const std::vector<std::string>& arguments);

/// The options given to `lp`: for text A4 paper, landscape above 80 characters a line,
/// characters and lines per inch that fit the line width and the page length on the page
/// (scaled), monochrome; for raw data "-o raw"; the destination and a title.
std::vector<std::string> LpOptions(const PrintRequest& request);

/// The print data of a listing's bytes: for text every line in UTF-8 with box characters and
/// LF; a form-feed line becomes a bare form feed, which starts the next page. Raw data keeps
/// CR LF, is converted to the printer's code page and ends with a form feed.
std::string PrintData(const std::string& listing, PrintEncoding encoding);

/// The program print jobs go to: the one AXO_LP names, else `lp`. Empty, with the Czech
/// reason in `error`, when it is missing, or when neither a `printer` nor AXO_LP is given and
/// CUPS names no default destination.
std::filesystem::path PrintProgram(const std::string& printer, std::string& error);

/// Prints the request through CUPS: checks the listing, `lp` (or AXO_LP) and a default
/// destination, then runs `lp` with the data on its standard input. Returns the exit code of
/// the program (0 printed; 3 no listing; 4 no printing system or printer; 5 `lp` failed) and
/// writes its messages, in Czech, to `errors`.
int PrintThroughCups(const PrintRequest& request, std::ostream& out, std::ostream& errors);

/// The programs: parse, print, exit code (2 for a command line that cannot be read).
int PrintModuleMain(int argc, char** argv);
int PrintManagerMain(int argc, char** argv);

}  // namespace axo::ui

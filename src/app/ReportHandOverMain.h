// The print manager's side of a statement handed over by the program (switch AXO_MODALNI_TISK
// off): Axo_Tisk reads the switches of the hand-over, lays the result file out through the
// template with the parameters given, prints it through CUPS and deletes the data file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "util/Text.h"

namespace axo::app {

/// The switches of a hand-over, each one argument: "/N" the data file, "/C" the caption, "/K"
/// the template, "/Z" a number, "/M" a flag, "/1" ... "/15" the parameters, "/I" an index
/// name. A value in double quotes loses the outer pair; quotes inside it stay.
struct ReportHandOverArguments {
    std::string dataFile;
    std::string caption;
    std::string templatePath;
    int number = 64;
    bool flag = false;
    std::vector<std::string> parameters = std::vector<std::string>(15);
    std::string indexName;
};

/// Whether the arguments are a report hand-over: a "/N" switch and no "/T" (the switch of a
/// text listing for the print module).
bool IsReportHandOver(const std::vector<std::string>& arguments);

/// Reads the switches; none, with the Czech reason in `error`, when one is unknown, a number
/// is not one, or the data file or the template is missing.
std::optional<ReportHandOverArguments> ParseReportHandOver(const std::vector<std::string>& args,
                                                           std::string& error);

/// Prints the handed-over statement and deletes its data file (also when printing fails, so
/// that no result file is left behind). Returns 0 when printed; 2 for wrong arguments, 3 when
/// the result file cannot be read, 4 when the report cannot be prepared, 5 when printing fails.
int ReportHandOverMain(const std::vector<std::string>& arguments);

}  // namespace axo::app

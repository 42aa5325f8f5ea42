// Text cells of CSV lines.
#include "util/Csv.h"

namespace axo {

std::string CsvTextCell(std::string_view utf8) {
    std::string cell;
    if (!utf8.empty() && std::string_view("=+-@\t\r").find(utf8.front()) != std::string_view::npos)
        cell += '\'';
    cell += utf8;
    if (cell.find_first_of(std::string{kCsvSeparator} + "\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

}  // namespace axo

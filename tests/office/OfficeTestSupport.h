// What the office output tests share: reading the parts of a zip file through unzip, checking
// XML parts with xmllint, the cells of a workbook's sheet, a stand-in for sendmail that only
// writes the message into a file, and the message read back by Python's email package.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/CliRun.h"

namespace axo::office::test {

namespace fs = std::filesystem;
using axo::test::Quote;
using axo::test::ReadFile;

/// Runs a shell command; its standard output.
inline std::string Shell(const fs::path& scratch, const std::string& command, int* code = nullptr) {
    const axo::test::CliRun run = axo::test::RunShell(scratch, "(" + command + ")");
    if (code)
        *code = run.code;
    return run.out;
}

/// The names of a zip file's entries in their order.
inline std::vector<std::string> ZipNames(const fs::path& scratch, const fs::path& zip) {
    std::istringstream in(Shell(scratch, "unzip -Z1 " + Quote(zip.string())));
    std::vector<std::string> names;
    for (std::string line; std::getline(in, line);)
        names.push_back(line);
    return names;
}

inline std::string ZipPart(const fs::path& scratch, const fs::path& zip, const std::string& part) {
    return Shell(scratch, "unzip -p " + Quote(zip.string()) + " " + Quote(part));
}

/// Whether xmllint finds the part well-formed.
inline bool WellFormed(const fs::path& scratch, const fs::path& zip, const std::string& part) {
    int code = -1;
    Shell(scratch, "unzip -p " + Quote(zip.string()) + " " + Quote(part) + " | xmllint --noout -",
          &code);
    return code == 0;
}

/// A cell of a sheet as the workbook stores it.
struct StoredCell {
    bool number = false;  ///< a numeric value (numbers and dates)
    std::string value;    ///< the number as written, or the text of a shared string
    int style = 0;
};

/// The cells of sheet `n` by reference ("B7"), shared strings resolved.
inline std::map<std::string, StoredCell> SheetCells(const fs::path& scratch, const fs::path& xlsx,
                                                    int n = 1) {
    std::vector<std::string> strings;
    const std::string shared = ZipPart(scratch, xlsx, "xl/sharedStrings.xml");
    const std::regex si("<si><t[^>]*>([^<]*)</t></si>");
    for (auto it = std::sregex_iterator(shared.begin(), shared.end(), si);
         it != std::sregex_iterator(); ++it)
        strings.push_back((*it)[1]);
    std::map<std::string, StoredCell> cells;
    const std::string sheet =
        ZipPart(scratch, xlsx, "xl/worksheets/sheet" + std::to_string(n) + ".xml");
    const std::regex c(
        "<c r=\"([A-Z]+[0-9]+)\"( s=\"([0-9]+)\")?( t=\"([a-z]+)\")?><v>([^<]*)</v>");
    for (auto it = std::sregex_iterator(sheet.begin(), sheet.end(), c);
         it != std::sregex_iterator(); ++it) {
        StoredCell cell;
        cell.style = (*it)[3].matched ? std::stoi((*it)[3]) : 0;
        cell.number = !(*it)[5].matched;
        cell.value = cell.number ? std::string((*it)[6]) : strings.at(std::stoul((*it)[6]));
        cells[(*it)[1]] = cell;
    }
    return cells;
}

/// A stand-in for sendmail: its arguments go to "sendmail.args", the message to
/// "sendmail.eml" in `dir`; it exits with `exitCode` after writing `say` to standard error.
inline fs::path FakeSendmail(const fs::path& dir, int exitCode = 0, const std::string& say = {}) {
    const fs::path script = dir / "fake-sendmail";
    std::ofstream(script) << "#!/bin/sh\necho \"$@\" > " << Quote((dir / "sendmail.args").string())
                          << "\ncat > " << Quote((dir / "sendmail.eml").string()) << "\n"
                          << (say.empty() ? "" : "echo " + Quote(say) + " >&2\n") << "exit "
                          << exitCode << "\n";
    fs::permissions(script, fs::perms::owner_all);
    return script;
}

/// The message read by Python's email package: the headers From, To and Subject decoded, then
/// per part "part TYPE CHARSET FILENAME" followed by its decoded payload written to
/// `dir`/part-N (N from 0).
inline std::string ParsedMail(const fs::path& dir, const fs::path& eml) {
    const fs::path script = dir / "parse-mail.py";
    std::ofstream(script)
        << "import sys, email\n"
           "from email import policy\n"
           "m = email.message_from_binary_file(open(sys.argv[1], 'rb'), policy=policy.default)\n"
           "for h in ('From', 'To', 'Subject'):\n"
           "    print(h + ': ' + str(m[h] or ''))\n"
           "n = 0\n"
           "for p in m.walk():\n"
           "    if p.is_multipart():\n"
           "        continue\n"
           "    print('part', p.get_content_type(), p.get_content_charset(), "
           "p.get_filename())\n"
           "    open(sys.argv[2] + '/part-' + str(n), 'wb').write(p.get_payload(decode=True))\n"
           "    n += 1\n";
    return Shell(dir, "python3 " + Quote(script.string()) + " " + Quote(eml.string()) + " " +
                          Quote(dir.string()));
}

}  // namespace axo::office::test

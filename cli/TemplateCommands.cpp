// The template commands: check and normalize.
#include "TemplateCommands.h"

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "report/data/StatementSource.h"
#include "report/template/Template.h"
#include "report/template/TemplateCheck.h"
#include "report/template/TemplateFile.h"

namespace axo::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "template check SOUBOR.pts | template normalize VSTUP VÝSTUP";
/// The parameters the statements hand to their templates (&1 ... &15).
constexpr int kStatementParameters = 15;

/// Reads a template into a report; false after the message when it cannot be read.
bool Read(const std::string& file, report::TSestavaTyp& report, bool& fromUtf8, std::ostream& err) {
    const report::TemplateFileRead read = report::ReadTemplateFile(fs::path(file));
    if (read.error != 0) {
        err << (read.missing ? "Soubor s předlohou \"" + file + "\" neexistuje.\n"
                             : "Soubor s předlohou \"" + file +
                                   "\" nelze přečíst: " + std::strerror(read.error) + ".\n");
        return false;
    }
    fromUtf8 = read.fromUtf8;
    report::ReadTemplate(report, read.lines);
    return true;
}

int Check(const std::string& file, std::ostream& out, std::ostream& err) {
    report::TSestavaTyp report;
    bool fromUtf8 = false;
    if (!Read(file, report, fromUtf8, err))
        return 1;
    out << "Předloha: " << file << "\n";
    if (fromUtf8)
        out << "Soubor je v kódování UTF-8; program ho čte jako Windows-1250 po převodu.\n";
    const report::TemplateCheckResult check =
        report::CheckTemplate(report, report::StatementFieldNames(), kStatementParameters);
    const report::TemplateText written = report::WriteTemplate(report);
    for (std::size_t i = 0; i + 1 < check.lines.size(); ++i)
        out << ToUtf8(check.lines[i]) << "\n";
    int errors = check.errors;
    if (!written.Ok()) {
        out << ToUtf8(written.error) << "\n";
        ++errors;
    } else if (written.lines != report.predloha) {
        out << "Program by předlohu zapsal jinak (template normalize ukáže jak).\n";
    }
    out << (errors == 0 ? "Předloha je v pořádku." : "Chyb v předloze: " + std::to_string(errors))
        << "\n";
    return errors == 0 ? 0 : 1;
}

int Normalize(const std::string& in, const std::string& to, std::ostream& out, std::ostream& err) {
    report::TSestavaTyp report;
    bool fromUtf8 = false;
    if (!Read(in, report, fromUtf8, err))
        return 1;
    const report::TemplateText written = report::WriteTemplate(report);
    if (!written.Ok()) {
        err << ToUtf8(written.error) << "\n";
        return 1;
    }
    if (const int error = report::SaveTemplateFile(fs::path(to), written.lines); error != 0) {
        err << "Předlohu \"" << to << "\" nelze zapsat: " << std::strerror(error) << ".\n";
        return 1;
    }
    out << "Předloha zapsána: " << to << " (řádků " << written.lines.size() << ")\n";
    return 0;
}

}  // namespace

int RunTemplate(const Options& options, std::ostream& out, std::ostream& err) {
    if (!OnlyKnown(options, {}, err))
        return 2;
    const std::vector<std::string>& words = options.Positional();
    if (words.size() == 3 && words[1] == "check")
        return Check(words[2], out, err);
    if (words.size() == 4 && words[1] == "normalize")
        return Normalize(words[2], words[3], out, err);
    err << "Použití: axo-pap-cli " << kUsage << "\n";
    return 2;
}

}  // namespace axo::cli

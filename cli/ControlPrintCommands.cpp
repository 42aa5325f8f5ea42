// The control printout commands: the session's environment, the dialog answered from the
// options, and the shown printout named where the user finds it.
#include "ControlPrintCommands.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "CliSession.h"
#include "CliUi.h"
#include "OfficeOutput.h"
#include "control/papKontrola04az09.h"
#include "control/papVypis.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::cli {

namespace {

struct MaskSpec {
    const char* option;  ///< on the command line
    const char* field;   ///< in the dialog
    std::size_t length;
};

constexpr MaskSpec kStatementMasks[] = {
    {"analytics", "analytika", 10}, {"code", "kod", 3}, {"partner1", "partner1", 10},
    {"partner2", "partner2", 10},   {"su", "su", 3},    {"ae", "ae", 3},
};
constexpr MaskSpec kBreakdownMasks[] = {
    {"analytics", "analytika", 10}, {"code", "kod", 3}, {"su", "su", 3}, {"ae", "ae", 3}};

/// The mask fields of the answer: each mask given, or emptied, so that a run depends on its
/// command line only. False (after the message) for a mask that is too long or holds a blank
/// or a double quote.
template <std::size_t N>
bool MaskAnswers(const Options& options, const MaskSpec (&masks)[N], std::string& answer,
                 std::ostream& err) {
    for (const MaskSpec& m : masks) {
        const std::string value = options.GetOr(m.option, "");
        const Text text = FromUtf8(value);
        if (text.size() > m.length || text.find(' ') != Text::npos ||
            text.find('"') != Text::npos) {
            err << "Volba --" << m.option << " má nejvýše " << m.length
                << " znaků bez mezer a uvozovek (\"?\" zastoupí libovolný znak).\n";
            return false;
        }
        answer += std::string(m.field) + "=\"" + value + "\" ";
    }
    return true;
}

/// Refuses options the command does not know and positional words; 0 when all is well.
int CheckWords(const Options& options, std::vector<std::string> known, const char* usage,
               std::ostream& err) {
    std::vector<std::string> all = SessionOptionNames();
    known.insert(known.end(), {"from", "to", "analytics", "code", "su", "ae", "help", "version"});
    for (const std::string& name : OfficeOptionNames())
        known.push_back(name);
    all.insert(all.end(), known.begin(), known.end());
    if (!OnlyKnown(options, std::move(all), err))
        return 2;
    if (options.Positional().size() != 1) {
        err << "Použití: axo-pap-cli " << usage << "\n";
        return 2;
    }
    return 0;
}

/// Runs `command` in a started session with the dialog answered by `answer`, reports the
/// printout and writes it to the office outputs asked for (`title` names it there).
template <class Command>
int RunPrintout(const Options& options, CliUi& ui, const std::string& name,
                const std::string& title,
                const std::function<std::string(const control::ControlEnvironment&)>& answer,
                Command command, std::ostream& out, std::ostream& err) {
    const OfficeTargets office = OfficeTargetsOf(options);
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    const control::ControlEnvironment env = control::ControlEnvironmentFor(*opened.session);
    ui.SetPrintoutName(name);
    const std::size_t before = ui.Transcript().size();
    ui.QueueDialog(answer(env));
    ui.PushProcess({});
    const control::ControlOutcome outcome = command(env);
    ui.PopProcess();
    const std::vector<std::filesystem::path> printouts = ui.PrintoutsSince(before).files;
    const office::MailSettings mail = MailSettingsOf(*opened.session);
    CloseSession(*opened.session);
    if (outcome.end == control::ControlEnd::NoData) {
        out << "Vybraných řádků: 0 (sestava nebyla vytvořena).\n";
        return 0;
    }
    if (outcome.end != control::ControlEnd::Shown || printouts.empty()) {
        err << "Sestava nebyla vytvořena.\n";
        return 1;
    }
    for (const std::filesystem::path& printout : printouts)
        out << "Sestava: " << printout.string() << "\n";
    out << "Vybraných řádků: " << outcome.lines << ".\n";
    if (office.Any() &&
        !WriteOfficeOutputs(office, {title, PrintoutDocuments(printouts), {}, {}}, mail, out, err))
        return 1;
    return 0;
}

std::string Months(const Options& options, const control::ControlEnvironment& env, int& from,
                   int& to) {
    from = options.GetInt("from").value_or(1);
    to = options.GetInt("to").value_or(control::DefaultMonthTo(env.dialogs.ProgramDate().month));
    return "od=" + std::to_string(from) + " do=" + std::to_string(to) + " ";
}

}  // namespace

int RunControlStatement(const Options& options, std::ostream& out, std::ostream& err) {
    const char* usage =
        "control-statement --from M --to M [--analytics MASKA] [--code MASKA] [--partner1 MASKA] "
        "[--partner2 MASKA] [--su MASKA] [--ae MASKA] [--skip-without-analytics] "
        "[--no-code-totals] [--odt SOUBOR] [--xlsx SOUBOR] [--mail ADRESA [--subject PŘEDMĚT] "
        "[--message TEXT]]";
    if (const int refused = CheckWords(
            options, {"partner1", "partner2", "skip-without-analytics", "no-code-totals"}, usage,
            err))
        return refused;
    std::string masks;
    if (!MaskAnswers(options, kStatementMasks, masks, err))
        return 2;
    // The months are read before the session starts, so that a wrong number is refused first.
    options.GetInt("from");
    options.GetInt("to");
    const std::string boxes =
        std::string("bezAnalytiky=") + (options.Has("skip-without-analytics") ? "ano" : "ne") +
        " nekumulovat=" + (options.Has("no-code-totals") ? "ano" : "ne") + " ";
    CliUi ui;
    int from = 1, to = 3;
    const auto answer = [&](const control::ControlEnvironment& env) {
        return Months(options, env, from, to) + masks + boxes + "key:F2";
    };
    // The name needs the months, which need the program date of the session.
    const auto command = [&](const control::ControlEnvironment& env) {
        ui.SetPrintoutName("vypis-" + MonthsInName(from, to));
        return control::ControlAccountStatement(env);
    };
    return RunPrintout(options, ui, "vypis", "Kontrolní výpis z účtu", answer, command, out, err);
}

int RunControlBreakdown(const Options& options, std::ostream& out, std::ostream& err) {
    const char* usage =
        "control-breakdown --statement N --layout 0|1|2 --from M --to M [--analytics MASKA] "
        "[--code MASKA] [--su MASKA] [--ae MASKA] [--odt SOUBOR] [--xlsx SOUBOR] "
        "[--mail ADRESA [--subject PŘEDMĚT] [--message TEXT]]";
    if (const int refused = CheckWords(options, {"statement", "layout"}, usage, err))
        return refused;
    const std::optional<int> statement = options.GetInt("statement");
    if (!statement || *statement < 4 || *statement > 9) {
        err << "Volba --statement potřebuje číslo výkazu 4 až 9.\n";
        return 2;
    }
    const int layout = options.GetInt("layout").value_or(0);
    if (layout < 0 || layout > 2) {
        err << "Volba --layout potřebuje 0 (detailní), 1 (kumulativní dle kódu a účtu) nebo 2 "
               "(kumulativní dle účtu a kódu).\n";
        return 2;
    }
    std::string masks;
    if (!MaskAnswers(options, kBreakdownMasks, masks, err))
        return 2;
    options.GetInt("from");
    options.GetInt("to");
    CliUi ui;
    int from = 1, to = 3;
    const auto answer = [&](const control::ControlEnvironment& env) {
        return "vykaz=" + std::to_string(*statement) + " rozlozeni=#" + std::to_string(layout) +
               " " + Months(options, env, from, to) + masks + "key:F2";
    };
    const auto command = [&](const control::ControlEnvironment& env) {
        ui.SetPrintoutName("rozklad-" + ToUtf8(Trim(RomanNumeral(*statement))) + "-" +
                           MonthsInName(from, to));
        return control::ControlBreakdown(env);
    };
    return RunPrintout(options, ui, "rozklad", "Kontrolní rozklad", answer, command, out, err);
}

}  // namespace axo::cli

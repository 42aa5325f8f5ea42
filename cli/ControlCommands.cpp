// The record check command: the session's environment, the dialog answered from the options,
// and the shown protocol named where the user finds it.
#include "ControlCommands.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "CliSession.h"
#include "CliUi.h"
#include "OfficeOutput.h"
#include "control/papKonPAP.h"

namespace axo::cli {

namespace {

constexpr const char* kUsage =
    "check [--from M] [--to M] [--kind MASKA] [--number MASKA]\n"
    "       [--odt SOUBOR] [--xlsx SOUBOR] [--mail ADRESA [--subject PŘEDMĚT] [--message TEXT]]";

/// A mask option: at most `length` characters, no blank and no double quote (the dialog
/// answer quotes it). Empty when absent.
bool MaskOption(const Options& options, const std::string& name, std::size_t length,
                std::string& value, std::ostream& err) {
    value = options.GetOr(name, "");
    const Text text = FromUtf8(value);
    if (text.size() <= length && text.find(' ') == Text::npos && text.find('"') == Text::npos)
        return true;
    err << "Volba --" << name << " má nejvýše " << length
        << " znaků bez mezer a uvozovek (\"?\" zastoupí libovolný znak).\n";
    return false;
}

/// The dialog's answer: the months, the masks given, then "zahájit kontrolu".
std::string DialogAnswer(int from, int to, const std::string& kind, const std::string& number) {
    std::string answer = "od=" + std::to_string(from) + " do=" + std::to_string(to) + " ";
    if (!kind.empty())
        answer += "druh=\"" + kind + "\" ";
    if (!number.empty())
        answer += "cislo=\"" + number + "\" ";
    return answer + "key:F2";
}

}  // namespace

int RunCheck(const Options& options, std::ostream& out, std::ostream& err) {
    std::vector<std::string> known = SessionOptionNames();
    known.insert(known.end(), {"from", "to", "kind", "number"});
    for (const std::string& name : OfficeOptionNames())
        known.push_back(name);
    if (!OnlyKnown(options, std::move(known), err))
        return 2;
    if (options.Positional().size() != 1) {
        err << "Použití: axo-pap-cli " << kUsage << "\n";
        return 2;
    }
    std::string kind;
    std::string number;
    if (!MaskOption(options, "kind", 4, kind, err) ||
        !MaskOption(options, "number", 5, number, err))
        return 2;
    const std::optional<int> from = options.GetInt("from");
    const std::optional<int> to = options.GetInt("to");
    const OfficeTargets office = OfficeTargetsOf(options);
    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    const control::RecordCheckEnvironment env = control::RecordCheckEnvironmentFor(*opened.session);
    // The months the dialog offers unless given, so that the protocol is named by its period.
    const int od = from.value_or(1);
    const int doMesic = to.value_or(control::DefaultMonthTo(env.dialogs.ProgramDate().month));
    ui.SetPrintoutName("kontrola-" + MonthsInName(od, doMesic));
    const std::size_t before = ui.Transcript().size();
    ui.QueueDialog(DialogAnswer(od, doMesic, kind, number));
    ui.PushProcess({});
    const control::RecordCheckOutcome outcome = control::CheckAccountingRecords(env);
    ui.PopProcess();
    const std::vector<std::filesystem::path> protocols = ui.PrintoutsSince(before).files;
    const office::MailSettings mail = MailSettingsOf(*opened.session);
    CloseSession(*opened.session);
    if (outcome.end != control::RecordCheckEnd::Faults &&
        outcome.end != control::RecordCheckEnd::Clean) {
        err << "Kontrola nebyla provedena.\n";
        return 1;
    }
    for (const std::filesystem::path& protocol : protocols)
        out << "Protokol: " << protocol.string() << "\n";
    out << "Chybných účetních záznamů: " << outcome.faultyLines << " (zkontrolováno "
        << outcome.checkedLines << ").\n";
    if (office.Any() &&
        !WriteOfficeOutputs(office,
                            {"Kontrola účetních záznamů", PrintoutDocuments(protocols), {}, {}},
                            mail, out, err))
        return 1;
    return 0;
}

}  // namespace axo::cli

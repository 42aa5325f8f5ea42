// The fatal data error report, the data warning, the record-lock explanation, the stop on a
// programming error, their journal entries and the print copy of the report window.
#include "storage/Errors.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>

#include "storage/WorkFiles.h"
#include "ui/DialogInsert.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Lines.h"
#include "util/Retezce.h"

extern char** environ;

namespace axo::storage {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kPrintCopyMinWidth = 30;
constexpr std::size_t kPrintCopyLabelWidth = 15;
/// The record-lock explanation: 80 columns; the rows of key, identification and file from row
/// 2, captions at column 3 and values at 17; then the text block 10 rows high and the button.
constexpr int kLockColumns = 80;
constexpr int kLockRowsFrom = 2;
constexpr int kLockCaptionColumn = 3;
constexpr int kLockValueColumn = 17;
constexpr int kLockTextRows = 10;
/// A document identification: year, month, document kind and number.
constexpr std::array<std::size_t, 4> kIdentificationParts = {4, 2, 4, 5};

const Clock& ClockOf(const DataContext& ctx) {
    return ctx.clock ? *ctx.clock : SystemClock();
}

Text TwoDigits(int n) {
    return IntToTextZeros(n, 2);
}

bool IsBlank(const Text& text) {
    return Trim(text).empty();
}

/// The name after the last directory separator (the layer's names may still carry "\").
Text BaseName(const Text& name) {
    const auto sep = name.View().find_last_of("/\\");
    return sep == std::string_view::npos ? name : name.substr(sep + 1);
}

/// The task table is not critical for the programs that only note their tasks in it.
bool TaskTableMayFail(const DataContext& ctx, const Text& fileName) {
    if (UpperCase(BaseName(fileName)) != "AXO_TASK.DB"_t)
        return false;
    const Text program = UpperCase(BaseName(ctx.programFileName));
    // Linux builds of the programs carry no ".EXE", so both spellings count.
    return program == "AXO.EXE"_t || program == "AXOINI.EXE"_t || program == "AXO"_t ||
           program == "AXOINI"_t;
}

/// Marks the crash and ends the program. A data error while the crash is being marked (the
/// marking itself goes through the table layer) ends the program without marking again.
[[noreturn]] void EndProgram(const DataContext& ctx, int exitCode) {
    static bool markingCrash = false;
    if (ctx.markCrash && !markingCrash) {
        markingCrash = true;
        try {
            ctx.markCrash();
        } catch (const ui::ProgramEnded&) {
            markingCrash = false;
            throw;
        } catch (...) {
            // The program ends anyway; a failed mark must not keep it running.
        }
        markingCrash = false;
    }
    if (ctx.ui)
        ctx.ui->Terminate(exitCode);
    std::_Exit(exitCode);
}

/// Deletes the print copy when the report window is gone, however it went.
class PrintCopyGuard {
  public:
    ~PrintCopyGuard() {
        if (!path_.empty())
            DeleteFileQuiet(path_);
    }
    void Set(const fs::path& path) { path_ = path; }

  private:
    fs::path path_;
};

/// Shows the report window with its print button.
void RunReportWindow(const DataContext& ctx, const ui::ReportWindow& window) {
    if (!ctx.ui)
        return;
    PrintCopyGuard copy;
    ctx.ui->RunReport(window, [&] {
        const fs::path written = WritePrintCopy(ctx, window);
        copy.Set(written);
        if (!written.empty())
            OpenInTextEditor(written);
    });
}

void AddLabel(ui::ReportWindow& window, const Text& label, const Text& value) {
    if (!value.empty())
        window.labels.emplace_back(label, value);
}

/// Runs a shell command with the file as "$1" and waits for the shell.
void RunShell(const std::string& command, const fs::path& file) {
    const std::string path = file.string();
    char sh[] = "sh";
    char dashC[] = "-c";
    std::string cmd = command;
    std::string arg = path;
    char* argv[] = {sh, dashC, cmd.data(), sh, arg.data(), nullptr};
    pid_t pid = 0;
    if (::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0)
        return;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

const char* NonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

/// The text block of the record-lock explanation; "\r" breaks its lines.
Text RecordLockExplanation() {
    return " Před zahájením Vámi požadované činnosti je nutné zamknout větu, aby bylo možné "
           "zabránit souběžně prováděným úpravám týchž dat (dokladů, číselníků atd.).\r"
           "Zámek se nepodařilo nastavit. Důvody mohou být následující: \r"
           "1. Stejnou činnost současně provádí jiný uživatel (síťové prostředí).\r"
           "2. Program máte již jednou spuštěn a věta je zamčena Vámi (viz. dolní lišta).\r"
           "\r"
           "3. V minulosti došlo při této činnosti k havárii, program nebyl korektně ukončen\r"
           "a věta zůstala zamčena.\r"
           "V tomto případě proveďte rekonstrukci indexních souborů (modul SPRÁVCE SOUBORŮ).\r"
           "\r"
           "V případě nejasností kontaktujte distributora programu AXO. "_t;
}

}  // namespace

Text DataErrorTitle() {
    return "CHYBA DATOVÉ PODPORY - program končí"_t;
}

void ReportDataError(const DataContext& ctx, int errorCode, const Text& procedure,
                     const Text& fileName, const Text& detail, const Text& recordNumber,
                     const Text& key, const Text& indexNumber) {
    ui::ReportWindow window{DataErrorTitle(), {}, detail};
    AddLabel(window, "Procedura:"_t, procedure);
    AddLabel(window, "Jméno souboru:"_t, fileName);
    AddLabel(window, "Číslo indexu:"_t, indexNumber);
    AddLabel(window, "Klíč:"_t, key);
    AddLabel(window, "Číslo věty:"_t, recordNumber);
    RunReportWindow(ctx, window);

    std::vector<Text> lines;
    if (errorCode != kEngineErrorCode)
        lines.push_back("Číslo chyby    = "_t + IntToText(errorCode));
    const auto add = [&lines](const Text& head, const Text& value, const Text& tail = {}) {
        if (!IsBlank(value))
            lines.push_back(head + value + tail);
    };
    add("Procedura      = "_t, procedure);
    add("Jméno souboru  = "_t, fileName);
    add("číslo indexu   = "_t, indexNumber);
    add("Klíč           = <"_t, key, ">"_t);
    add("+Číslo věty    = "_t, recordNumber);
    add({}, detail);
    AppendJournalEntry(ctx, DataErrorTitle(), lines);

    if (TaskTableMayFail(ctx, fileName))
        return;
    EndProgram(ctx, kExitDataError);
}

void ShowDataWarning(const DataContext& ctx, const Text& title, const Text& text) {
    RunReportWindow(ctx, ui::ReportWindow{title, {}, text});
    std::vector<Text> lines;
    if (!IsBlank(text))
        lines.push_back(text);
    AppendJournalEntry(ctx, title, lines);
}

void ExplainRecordLock(const DataContext& ctx, const Text& key, const Text& fileName,
                       const Text& dataFilePath, const Text& fileTitle) {
    if (!ctx.ui)
        return;
    std::vector<std::pair<Text, Text>> rows = {{"Klíč"_t, key}};
    if (const Text identification = DocumentIdentification(fileName, key); !identification.empty())
        rows.emplace_back("Identifikace"_t, identification);
    rows.emplace_back("Soubor"_t, fileName);
    for (const Text& more : {dataFilePath, fileTitle})
        if (!more.empty())
            rows.emplace_back(Text(), more);
    const int textRow = kLockRowsFrom + static_cast<int>(rows.size()) + 1;
    const int okRow = textRow + kLockTextRows + 1;

    ui::DialogEnvironment env;
    env.clock = &ClockOf(ctx);
    auto dialog = ui::CreateDialog(*ctx.ui, env, 0, 0, kLockColumns, {},
                                   "Upozornění: VĚTU NELZE ZAMKNOUT"_t, okRow);
    int row = kLockRowsFrom;
    for (const auto& [caption, value] : rows) {
        if (!caption.empty())
            ui::InsertLabel(*dialog, kLockCaptionColumn, row, {}, caption);
        // Keys and file names may hold "&" or "~": shown as they are, never as accelerators.
        if (ui::TLabelAXO* label = ui::InsertLabel(*dialog, kLockValueColumn, row, {}, {}))
            label->SetPlainText(value);
        ++row;
    }
    if (ui::TPanelAXO* text =
            ui::InsertPanel(*dialog, kLockCaptionColumn, textRow, {}, kLockTextRows,
                            kLockColumns - 2 * (kLockCaptionColumn - 1))) {
        text->SetCaption(RecordLockExplanation());
        text->SetColours(ctx.ui->Colours().highlight);
    }
    ui::InsertOkZpet(*dialog, 0, okRow, {}, {}, 0, 0, "zavření upozornění"_t);
    ui::RunDialog(*dialog);
}

void StopOnProgramError(const DataContext& ctx, const Text& methodName) {
    if (ctx.ui)
        ctx.ui->ShowError(
            "CHYBA PROGRAMU - budou vykázány chybné výsledky."_t,
            "Chyba použití metody ["_t + methodName + "] - nutno předefinovat z Message_Halt."_t);
    EndProgram(ctx, kExitProgramError);
}

std::vector<Text> JournalEntryLines(const DataContext& ctx, const Text& title,
                                    const std::vector<Text>& lines) {
    const DateTime now = ClockOf(ctx).Now();
    const Text header = DateText(now.day, now.month, now.year) + ' ' + TwoDigits(now.hour) + ':' +
                        TwoDigits(now.minute) + ':' + TwoDigits(now.second) + "  "_t + title;
    const Text stars(header.size(), '*');
    std::vector<Text> entry = {stars, header, stars};
    for (const Text& line : lines)
        for (Text& part : SplitLines(line, LineBreaks::kAny))
            entry.push_back(std::move(part));
    entry.emplace_back();
    return entry;
}

void AppendJournalEntry(const DataContext& ctx, const Text& title, const std::vector<Text>& lines) {
    AppendJournalLines(ctx, JournalEntryLines(ctx, title, lines));
}

Text DocumentIdentification(const Text& fileName, const Text& key) {
    const Text name = UpperCase(BaseName(fileName));
    Text identification;
    if (name.StartsWith("UDHL"_t) || name.StartsWith("UDHH"_t)) {
        identification = key.substr(1, 15);
    } else {
        static const char* const kWholeKey[] = {"SDHL", "SVDH", "PDHL", "FAHL", "LFHL"};
        bool document = false;
        for (const char* prefix : kWholeKey)
            document = document || name.StartsWith(Text::FromBytes(prefix));
        if (!document)
            return {};
        identification = key.substr(0, 15);
    }
    identification.resize(15, ' ');
    Text formatted;
    std::size_t at = 0;
    for (const std::size_t width : kIdentificationParts) {
        if (at > 0)
            formatted += '*';
        formatted += identification.substr(at, width);
        at += width;
    }
    return formatted;
}

fs::path PrintCopyPath(const DataContext& ctx) {
    const DateTime now = ClockOf(ctx).Now();
    const Text name = "ERR_"_t + TwoDigits(now.day) + TwoDigits(now.month) +
                      IntToTextZeros(now.year, 4) + "_AXO.TXT"_t;
    const fs::path& dir = ctx.workDirectory.empty() ? ctx.programDirectory : ctx.workDirectory;
    return dir / PathFromText(name);
}

std::vector<Text> PrintCopyLines(const DataContext& ctx, const ui::ReportWindow& window) {
    const std::size_t width = std::max(window.caption.size(), kPrintCopyMinWidth);
    const Text dashes(width, '-');
    const DateTime now = ClockOf(ctx).Now();
    const Text stamp = DateText(now.day, now.month, now.year) + ' ' + TwoDigits(now.hour) + ':' +
                       TwoDigits(now.minute) + ':' + TwoDigits(now.second) + '.' +
                       TwoDigits(now.millisecond / 10);
    const std::size_t indent = stamp.size() < width ? (width - stamp.size()) / 2 : 0;

    std::vector<Text> lines = {dashes, window.caption, Text(indent, ' ') + stamp, dashes};
    for (const auto& [label, value] : window.labels)
        lines.push_back(LeftJustify(label, kPrintCopyLabelWidth) + value);
    lines.push_back(dashes);
    for (Text& line : SplitLines(window.detail, LineBreaks::kAny))
        lines.push_back(std::move(line));
    lines.push_back(dashes);
    return lines;
}

fs::path WritePrintCopy(const DataContext& ctx, const ui::ReportWindow& window) {
    const fs::path file = PrintCopyPath(ctx);
    std::string bytes;
    for (const Text& line : PrintCopyLines(ctx, window))
        bytes += line.Bytes() + "\r\n";
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out)
        return {};
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        DeleteFileQuiet(file);
        return {};
    }
    return file;
}

void OpenInTextEditor(const fs::path& file) {
    if (const char* editor = NonEmptyEnv("VISUAL") ? NonEmptyEnv("VISUAL") : NonEmptyEnv("EDITOR"))
        RunShell(std::string(editor) + " \"$1\"", file);
    else if (NonEmptyEnv("DISPLAY") || NonEmptyEnv("WAYLAND_DISPLAY"))
        // The desktop's opener may stay until its editor is closed: let it run on its own.
        RunShell("xdg-open \"$1\" >/dev/null 2>&1 &", file);
}

}  // namespace axo::storage

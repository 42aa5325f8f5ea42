// The report a host uses (`TSestava`): where its template file is, loading and saving it with
// the engine's messages, the check before a run, and a run of the values over the records.
// Messages go through the UI services; without them the engine shows nothing and only the
// result codes and `OnError` tell what happened.
#pragma once

#include <filesystem>

#include "report/layout/Pagination.h"
#include "report/model/Report.h"
#include "report/run/Walk.h"

namespace axo::ui {
class UiServices;
}

namespace axo::report {

class TSestava : public TSestavaTyp {
  public:
    /// `programDirectory` is where templates are looked for while `reportDirIgnore` is set.
    explicit TSestava(ui::UiServices* ui = nullptr,
                      std::filesystem::path programDirectory = std::filesystem::current_path());

    // ---- Where the template is ----------------------------------------------------------------

    const std::filesystem::path& ReportName() const { return reportName_; }
    /// Sets the name with its extension forced to ".pts".
    void SetReportName(const std::filesystem::path& name);
    const Text& ReportAlias() const { return reportAlias_; }
    /// Setting an alias clears the report directory.
    void SetReportAlias(const Text& alias);
    const std::filesystem::path& ReportDir() const { return reportDir_; }
    /// Setting a directory clears the alias.
    void SetReportDir(const std::filesystem::path& dir);
    bool reportDirIgnore = true;
    /// The template lines are kept with the host, not in a file.
    bool isStored = false;

    /// The template file: the report directory (or, while `reportDirIgnore` is set, the
    /// program's directory) and the report name. An alias cannot be used here (there are no
    /// dataset aliases) and says so.
    std::filesystem::path GetTemplateFileName();

    // ---- Template -----------------------------------------------------------------------------

    /// Assigns and parses template lines, then raises `OnSetPredloha`.
    void SetPredloha(const std::vector<Text>& lines);
    /// Loads the template for a run (or, with `forEdit`, for the designer, offering to create
    /// a missing file). False, with the message shown and `OnError` raised with code 4, when
    /// there is no template to run with.
    bool LoadTemplate(bool forEdit = false);
    /// Saves the template under its name, keeping the previous file as ".BAK". False, with
    /// the message (unless `OnError` is assigned) and code 5, when it could not be saved.
    bool SaveTemplate();
    /// The template file read last was UTF-8 and was converted.
    bool LoadedFromUtf8() const { return loadedFromUtf8_; }

    // ---- Runs ---------------------------------------------------------------------------------

    /// Whether a run can start: a record source that can be read (data-source mode) and a
    /// template to read. kSestOk, or kSestNothingDone after the message.
    int CheckReady();
    /// Checks, loads the template and walks the records without pages, handing each printed
    /// section to `sink`; warnings of the binding go to `warnings` when given. Returns the
    /// result code (raised through `OnError` when not 0).
    int ComputeValues(const SectionSink& sink, const DateTime& now,
                      std::vector<Text>* warnings = nullptr);

    /// Prepares the pages: checks, loads the template, runs the records and lays them out with
    /// `metrics`; the pages stay in Output() until the next preparation. Warnings of the
    /// binding and messages of the layout go to `warnings` when given. Returns the result code
    /// (raised through `OnError` when not 0).
    int Prepare(TFontMetrics& metrics, const DateTime& now, const TLayoutOptions& options = {},
                std::vector<Text>* warnings = nullptr);
    /// The pages of the last preparation.
    const TSestVystup& Output() const { return output_; }

    /// The code of the last failed operation (0 after a success).
    int LastError() const { return lastError_; }

  private:
    int Fail(int code);
    void ShowError(const Text& text);

    ui::UiServices* ui_;
    std::filesystem::path programDirectory_;
    std::filesystem::path reportName_;
    Text reportAlias_;
    std::filesystem::path reportDir_;
    bool loadedFromUtf8_ = false;
    int lastError_ = 0;
    TSestVystup output_;
};

}  // namespace axo::report

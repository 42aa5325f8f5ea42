// The host's report: template location, loading, saving, readiness and the run of values.
#include "report/Sestava.h"

#include "report/template/Template.h"
#include "report/template/TemplateFile.h"
#include "ui/UiServices.h"

namespace axo::report {

namespace fs = std::filesystem;

namespace {

Text Quoted(const fs::path& file) {
    return "\""_t + FromUtf8(file.string()) + "\""_t;
}

}  // namespace

TSestava::TSestava(ui::UiServices* ui, fs::path programDirectory)
    : ui_(ui), programDirectory_(std::move(programDirectory)) {}

void TSestava::SetReportName(const fs::path& name) {
    reportName_ = name;
    if (!reportName_.empty())
        reportName_.replace_extension(".pts");
}

void TSestava::SetReportAlias(const Text& alias) {
    reportAlias_ = alias;
    if (!alias.empty())
        reportDir_.clear();
}

void TSestava::SetReportDir(const fs::path& dir) {
    reportDir_ = dir;
    if (!dir.empty()) {
        reportAlias_.clear();
        reportDir_ /= "";
    }
}

fs::path TSestava::GetTemplateFileName() {
    if (!reportAlias_.empty() && ui_)
        ui_->ShowMessage(ui::MessageKind::Info,
                         "Nelze použít alias, protože není definován zdroj dat nebo není typu "
                         "TDBDataSet"_t);
    if (reportName_.empty())
        return {};
    return (reportDirIgnore ? programDirectory_ : reportDir_) / reportName_;
}

void TSestava::ShowError(const Text& text) {
    if (ui_)
        ui_->ShowError(text);
}

int TSestava::Fail(int code) {
    lastError_ = code;
    if (code != kSestOk && events.onError)
        events.onError(*this, code);
    return code;
}

void TSestava::SetPredloha(const std::vector<Text>& lines) {
    ReadTemplate(*this, lines);
    if (events.onSetPredloha)
        events.onSetPredloha(*this);
}

bool TSestava::LoadTemplate(bool forEdit) {
    loadedFromUtf8_ = false;
    if (events.onNactiPredlohu) {
        if (events.onNactiPredlohu(*this))
            return true;
        Fail(kSestTemplateNotLoaded);
        return false;
    }
    if (isStored) {
        const std::vector<Text> lines = predloha;
        SetPredloha(lines);
        return true;
    }
    const fs::path file = GetTemplateFileName();
    TemplateFileRead read;
    if (!file.empty())
        read = ReadTemplateFile(file);
    if (file.empty() || read.error != 0) {
        // A report without its template is no report: the run is refused, not printed empty.
        if (!forEdit) {
            ShowError("Nebyl nalezen soubor s předlohou tiskové sestavy "_t + Quoted(file));
            Fail(kSestTemplateNotLoaded);
            return false;
        }
        if (!ui_ || file.empty() ||
            !ui_->YesNo("Nebyl nalezen soubor s předlohou tiskové sestavy "_t + Quoted(file) +
                            ". Založit nový?"_t,
                        "Ano"_t, "Ne"_t, 1)) {
            Fail(kSestTemplateNotLoaded);
            return false;
        }
        if (SaveTemplateFile(file, {}) != 0) {
            ShowError("Soubor s předlohou se nepodařilo vytvořit. "_t + Quoted(file));
            Fail(kSestTemplateNotLoaded);
            return false;
        }
        read = TemplateFileRead{};
    }
    loadedFromUtf8_ = read.fromUtf8;
    SetPredloha(read.lines);
    return true;
}

bool TSestava::SaveTemplate() {
    if (events.onUlozPredlohu) {
        if (events.onUlozPredlohu(*this))
            return true;
        Fail(kSestTemplateNotSaved);
        return false;
    }
    if (isStored)
        return true;
    const TemplateText text = WriteTemplate(*this);
    const fs::path file = GetTemplateFileName();
    if (text.Ok() && !file.empty() && SaveTemplateFile(file, text.lines) == 0) {
        predloha = text.lines;
        lastError_ = kSestOk;
        return true;
    }
    if (!events.onError)
        ShowError(text.Ok() ? "Soubor s předlohou se nepodařilo uložit."_t
                            : "Soubor s předlohou se nepodařilo uložit. "_t + text.error);
    Fail(kSestTemplateNotSaved);
    return false;
}

int TSestava::CheckReady() {
    if (!events.onGetData) {
        Text problem;
        if (!dataSource) {
            ShowError("Není definován zdroj dat."_t);
            return kSestNothingDone;
        }
        if (!dataSource->Ready(problem)) {
            ShowError(problem);
            return kSestNothingDone;
        }
    }
    for (TSestavaTyp* detail : Details()) {
        Text problem;
        if (!detail->events.onGetData &&
            (!detail->dataSource || !detail->dataSource->Ready(problem))) {
            ShowError(problem.empty() ? "Není definován zdroj dat."_t : problem);
            return kSestNothingDone;
        }
    }
    if (predloha.empty() && !isStored && !events.onNactiPredlohu && reportName_.empty()) {
        ShowError("Není definována cesta a název souboru s předlohou."_t);
        return kSestNothingDone;
    }
    return kSestOk;
}

int TSestava::ComputeValues(const SectionSink& sink, const DateTime& now,
                            std::vector<Text>* warnings) {
    if (const int ready = CheckReady(); ready != kSestOk)
        return Fail(ready);
    ReportComputation computation(*this);
    computation.ReadFieldLists();
    if (!LoadTemplate())
        return lastError_;
    computation.Prepare();
    if (warnings)
        *warnings = computation.Warnings();
    return Fail(WalkRecords(computation, now, sink));
}

int TSestava::Prepare(TFontMetrics& metrics, const DateTime& now, const TLayoutOptions& options,
                      std::vector<Text>* warnings) {
    if (const int ready = CheckReady(); ready != kSestOk)
        return Fail(ready);
    ReportComputation computation(*this);
    computation.ReadFieldLists();
    if (!LoadTemplate())
        return lastError_;
    computation.Prepare();
    output_ = TSestVystup{};
    const int result = BuildPages(computation, metrics, now, output_, options);
    if (warnings) {
        *warnings = computation.Warnings();
        warnings->insert(warnings->end(), output_.messages.begin(), output_.messages.end());
    }
    return Fail(result);
}

}  // namespace axo::report

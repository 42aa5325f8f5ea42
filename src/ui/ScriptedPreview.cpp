// The scripted front end's print preview: queued steps drive the preview model.
#include "report/preview/PreviewScript.h"
#include "ui/ScriptedUi.h"

namespace axo::ui {

void ScriptedUi::QueuePreview(std::string steps) {
    try {
        report::ParsePreviewSteps(steps);
    } catch (const report::PreviewScriptError& e) {
        throw ScriptError(e.what());
    }
    Queue(ScriptAnswer::Kind::Preview, 0, std::move(steps));
}

void ScriptedUi::RunReportPreview(report::TFormSestP& preview) {
    TranscriptEntry e;
    e.kind = "preview";
    e.title = "Prohlížení sestavy před tiskem";
    e.lines.push_back(report::PreviewState(preview));
    while (!preview.Closed() && !answers_.empty() &&
           answers_.front().kind == ScriptAnswer::Kind::Preview) {
        const std::string steps = answers_.front().value;
        answers_.pop_front();
        report::ApplyPreviewSteps(preview, report::ParsePreviewSteps(steps));
        e.lines.push_back(report::PreviewState(preview));
    }
    // A preview the script does not answer is closed as the user would close it.
    if (!preview.Closed())
        preview.Close();
    e.answer = preview.Result() ? "close" : "edit";
    Record(std::move(e));
}

}  // namespace axo::ui

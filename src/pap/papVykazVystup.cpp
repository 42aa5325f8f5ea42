// The output of a statement run: the result for a caller with its own progress panel, or the
// hand-over to the user - template, result-file editor, XML export and report.
#include "pap/papVykaz.h"
#include "pap/papVysledek.h"
#include "storage/WorkFiles.h"

namespace axo::pap {

namespace {

constexpr int kFormTypePapVykazy = 58;

}  // namespace

void tPAP_Vykaz::UpravZorviFile(const Text&) {
    if (oCisloVykazu <= 3 || oCisloVykazu == 15)
        return;
    ctx_.Ui().ShowMessage(ui::MessageKind::Plain,
                          "procedure   tPAP_Vykaz.UpravZorviFile; virtual"_t);
}

void tPAP_Vykaz::Vystup() {
    if (!ExterniPostup()) {
        PredejVysledek();
        return;
    }
    if (editRequested_ && ctx_.editResult)
        ctx_.editResult(oCisloVykazu, processName_, *zorvi_);
    UpravZorviFile(templateName_);
    resultText_ = zorvi_->DataFileName();
    OdevzdejZorvi();
}

Text tPAP_Vykaz::ZvolSablonu(bool& zvolena) {
    zvolena = true;
    if (batch_) {
        if (oCisloVykazu == 1)
            return batchParams_.formI;
        if (oCisloVykazu == 2 || oCisloVykazu == 3)
            return batchParams_.formII_III;
        if (oCisloVykazu >= 4 && oCisloVykazu <= 9)
            return batchParams_.formIV_IX;
        return {};
    }
    if (!ctx_.pickTemplate)
        return ctx_.defaultTemplate;
    const std::optional<Text> chosen = ctx_.pickTemplate(kFormTypePapVykazy, PodejDruhPts(),
                                                         " Vyberte formulář pro opis výkazu PAP"_t);
    // An empty name: no template fits, the rows are shown as a text printout.
    zvolena = chosen.has_value();
    return chosen.value_or(Text());
}

void tPAP_Vykaz::PredejVysledek() {
    bool zvolena = false;
    const Text sablona = ZvolSablonu(zvolena);
    // Without a template the user has left: nothing is edited, exported or printed.
    if (!zvolena)
        return;
    if (editRequested_ && ctx_.editResult)
        ctx_.editResult(oCisloVykazu, processName_, *zorvi_);
    if (xmlRequested_ && ctx_.exportXml)
        ctx_.exportXml(*zorvi_, batch_, batchParams_);
    if (batch_ && sablona.empty())
        return;
    UpravZorviFile(sablona);
    PredejReportu(sablona);
}

void tPAP_Vykaz::PredejReportu(const Text& sablona) {
    ReportHandOver handOver;
    handOver.templatePath = ctx_.templateDirectory / storage::PathFromText(sablona);
    handOver.dataFile = zorvi_->DataFilePath();
    handOver.kind = Kind();
    handOver.caption = processName_;
    handOver.modal = ctx_.modalPrint;
    OdevzdejZorvi();
    if (ctx_.runReport) {
        ctx_.runReport(handOver);
        return;
    }
    UkazVysledek(ctx_.listing, handOver);
    DeleteResultFile(handOver.dataFile);
}

void tPAP_Vykaz::OdevzdejZorvi() {
    zorvi_->Unlock();
    zorvi_->CloseFile();
    zorviPredan_ = true;
}

std::unique_ptr<tFileZorvi> OpenResultFile(const storage::DataContext& ctx,
                                           const ReportHandOver& handOver) {
    std::filesystem::path stem = handOver.dataFile;
    stem.replace_extension();
    auto file = std::make_unique<tFileZorvi>(ctx, stem, handOver.kind);
    if (!file->InitFile(1, storage::_NoWait))
        return nullptr;
    return file;
}

void DeleteResultFile(const std::filesystem::path& dataFile) {
    std::filesystem::path stem = dataFile;
    stem.replace_extension();
    storage::DeleteFileQuiet(dataFile);
    storage::DeleteTableFiles(stem);
}

}  // namespace axo::pap

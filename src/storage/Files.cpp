// tSoubor: construction, the status convention, fatal reports, retries announced at the
// service level, the wait window, and the operations of a file kind's base.
#include "storage/Files.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <thread>

#include "storage/Errors.h"
#include "storage/WorkFiles.h"
#include "ui/Screen.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::storage {

namespace {

/// A directory as a file object keeps it: a relative one is a text as the installation stores
/// it, cut to the length such texts have; an absolute one was resolved by the program from such
/// a text and is kept whole, so that the installation may lie anywhere.
Text KeptDirectory(const Text& directory) {
    if (!directory.empty() && directory.front() == '/')
        return directory;
    return directory.substr(0, kMaxDirectoryText);
}

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

}  // namespace

bool EngineTextContains(const Text& message, std::string_view needle) {
    return LowerAscii(message.View()).find(LowerAscii(needle)) != std::string::npos;
}

bool IsTransientOpenFailure(const Text& message, bool withNotIndexed) {
    using namespace engine_text;
    for (std::string_view t :
         {kNoMoreFiles, kInvalidFileName, kNotExact, kCannotAccessDirectory, kCorrupt})
        if (EngineTextContains(message, t))
            return true;
    return withNotIndexed && EngineTextContains(message, kNotIndexed);
}

tSoubor::tSoubor(const DataContext& ctx, std::shared_ptr<Engine> engine)
    : ctx_(ctx), engine_(std::move(engine)) {}

tSoubor::~tSoubor() {
    if (ended_) {
        DropTable();
        return;
    }
    try {
        if (mode_ != 0 && opened_)
            CloseFile();
    } catch (...) {
        // A fatal report while closing has ended the program already; only the tests' front
        // end lets it return here as an exception.
    }
    DropTable();
}

bool tSoubor::InitFile(int mode, int wait) {
    directoryOverride_.clear();
    ok_ = BtOpenFileBlock(mode, wait);
    return ok_;
}

bool tSoubor::InitFilePath(const Text& directory, int mode, int wait) {
    Text dir = KeptDirectory(directory);
    if (!dir.empty() && dir != Text::FromBytes(kProgramPathToken)) {
        if (dir.back() == '/')
            dir.pop_back();
        std::error_code ec;
        if (!std::filesystem::is_directory(FromCurrentDirectory(dir.empty() ? "/"_t : dir), ec)) {
            CloseFile();
            ok_ = false;
            return false;
        }
        dir += '/';
    }
    directoryOverride_ = dir;
    ok_ = BtOpenFileBlock(mode, wait);
    return ok_;
}

Text tSoubor::MakeKey(int k, const void* buffer) {
    if (k != -1 || !buffer)
        return {};
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    const std::size_t length = bytes[0];
    const Text text =
        Text::FromBytes(std::string_view(reinterpret_cast<const char*>(bytes + 1), length));
    return FixedKeyText(text, length);
}

Text tSoubor::MemoText(std::size_t, const void*) {
    return {};
}

void tSoubor::AddField(const Text& name, const Text& typeName) {
    storage::AddField(fields_, name, typeName);
}

void tSoubor::SetDirectories(const Text& dataDirectory, const Text& defaultDirectory) {
    dataDirectory_ = KeptDirectory(dataDirectory);
    defaultDirectory_ = KeptDirectory(defaultDirectory);
}

std::filesystem::path tSoubor::FromCurrentDirectory(const Text& directory) const {
    // An absolute path stays as it is.
    return ctx_.currentDirectory / PathFromText(directory);
}

Text tSoubor::DataFileName() const {
    return TextFromPath(dataPath_);
}

void tSoubor::ResetStatus() {
    ok_ = true;
    errorCode_ = 0;
    errorText_.clear();
}

void tSoubor::SetStatus(int code, const Text& text) {
    ok_ = false;
    errorCode_ = code;
    errorText_ = text.substr(0, kMaxShortText);
}

void tSoubor::SetEngineFailure(const EngineError& e) {
    SetStatus(kErrEngine, FromUtf8(e.what()));
}

bool tSoubor::Fatal(const Text& label, const Text& recordNumber, const Text& key,
                    const Text& indexNumber) {
    ended_ = true;
    ReportDataError(ctx_, errorCode_, label, DataFileName(), errorText_, recordNumber, key,
                    indexNumber);
    // Only the task table of the installation programs comes back here.
    ended_ = false;
    ok_ = false;
    return false;
}

void tSoubor::AnnounceRetry(const Text& problem) {
    if (!ctx_.serviceLevel || !ctx_.ui)
        return;
    const char centre = ui::kCentreMark;
    ctx_.ui->ShowInfo(problem + DataFileName() + centre + errorText_ + centre +
                      "Založení bude opakováno."_t + centre);
}

bool tSoubor::WaitForAccess(const Text& operation, bool interruptible) {
    if (!ctx_.ui) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return true;
    }
    ui::WaitWindow window;
    window.caption = interruptible ? "Čekání na přístup - MOŽNO přerušit klávesou <Esc>"_t
                                   : "Čekání na přístup - NELZE přerušit"_t;
    window.operation = operation;
    window.fileLine = "Jedná se o soubor ["_t + DataFileName() + "]."_t;
    window.interruptible = interruptible;
    window.timeoutMs = kWaitWindowMs;
    const ui::WaitOutcome outcome = ctx_.ui->RunWait(window);
    return !(interruptible && outcome == ui::WaitOutcome::Escaped);
}

bool tSoubor::AddNew(const void* buffer) {
    currentRecord = 0;
    return AddRec(currentRecord, buffer);
}

void tSoubor::DeleteByKey(const void* buffer) {
    const int k = FirstUniqueKey();
    if (k == 0)
        return;
    if (BtFindKey(k, currentRecord, MakeKey(k, buffer)))
        DeleteRec(currentRecord);
}

void tSoubor::StoreByKey(const void* keyBuffer, const void* dataBuffer) {
    const int k = FirstUniqueKey();
    if (k == 0)
        return;
    if (BtFindKey(k, currentRecord, MakeKey(k, keyBuffer)))
        PutRec(currentRecord, dataBuffer);
    else
        AddRec(currentRecord, dataBuffer);
}

int tSoubor::FirstUniqueKey() const {
    for (int k = 1; k <= keyCount_; ++k)
        if (!keys_[k].duplicates)
            return k;
    return 0;
}

Text tSoubor::PaddedKey(int k, const Text& key) const {
    if (k <= 0 || k > keyCount_)
        return key;
    return LeftJustify(key, keys_[k].length);
}

}  // namespace axo::storage

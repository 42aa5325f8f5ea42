// Reading and saving template files.
#include "report/template/TemplateFile.h"

#include <unistd.h>

#include <cerrno>
#include <string>

#include "report/template/Template.h"
#include "util/AtomicFile.h"

namespace axo::report {

namespace fs = std::filesystem;

TemplateFileRead ReadTemplateFile(const fs::path& file) {
    TemplateFileRead read;
    std::string bytes;
    const ReadResult result = ReadWholeFile(file, bytes);
    read.error = result.error;
    read.missing = result.error == ENOENT && !result.opened;
    if (result.error == 0)
        read.lines = TemplateLinesOf(bytes, &read.fromUtf8);
    return read;
}

fs::path BackupName(const fs::path& file) {
    fs::path backup = file;
    backup.replace_extension(".BAK");
    return backup;
}

int SaveTemplateFile(const fs::path& file, const std::vector<Text>& lines) {
    AtomicFile out;
    if (!out.Create(file))
        return out.Error();
    out.Write(TemplateBytes(lines));
    std::error_code ec;
    const fs::path backup = BackupName(file);
    fs::path pending;
    if (backup != file && fs::exists(file, ec)) {
        // The old file gets a second name before the new one takes the first, so that the
        // template is never missing; it becomes the ".BAK" only once the new one is in place,
        // so that a failed save leaves the older ".BAK" too.
        pending = file;
        pending += ".BAK-" + std::to_string(::getpid());
        fs::remove(pending, ec);
        if (::link(file.c_str(), pending.c_str()) != 0) {
            ec.clear();
            fs::copy_file(file, pending, fs::copy_options::overwrite_existing, ec);
            if (ec) {
                out.Discard();
                return ec.value();
            }
        }
    }
    if (!out.Commit()) {
        if (!pending.empty())
            fs::remove(pending, ec);
        return out.Error();
    }
    if (!pending.empty())
        fs::rename(pending, backup, ec);
    return 0;
}

}  // namespace axo::report

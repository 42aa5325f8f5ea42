// Template files on disk: reading a ".pts" file into lines, and saving lines so that a
// template is always there under its name - written beside it, synced, and renamed into
// place, with the previous file kept as ".BAK".
#pragma once

#include <filesystem>
#include <vector>

#include "util/Text.h"

namespace axo::report {

/// What reading a template file gave.
struct TemplateFileRead {
    std::vector<Text> lines;
    int error = 0;          ///< the system's error number; 0 when read
    bool missing = false;   ///< the file does not exist
    bool fromUtf8 = false;  ///< the file was UTF-8 and has been converted
};
/// Reads a template file's lines (see TemplateLinesOf).
TemplateFileRead ReadTemplateFile(const std::filesystem::path& file);

/// The name the previous file is kept under: the extension replaced by ".BAK".
std::filesystem::path BackupName(const std::filesystem::path& file);

/// Saves the lines (CR LF) under `file`: the new content goes to a temporary file beside it,
/// is synced and renamed into place; the file that stood there becomes the ".BAK" (an older
/// one is replaced). Returns 0, or the system's error number of the failure; then the file
/// under its name and the ".BAK" are the ones that stood there before.
int SaveTemplateFile(const std::filesystem::path& file, const std::vector<Text>& lines);

}  // namespace axo::report

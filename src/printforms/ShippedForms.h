// Print forms as text files, and the forms the program ships. A form file is UTF-8: a header
// of lines "Typ: ...", "Název: ...", "Druh: ...", "Popis1: ..." and "Popis2: ...", an empty
// line, then the form text. The shipped forms (data/forms/*.frm) are built into the program
// and stored into the forms files of a new installation; so are the report templates
// (data/templates/*.pts), which go into its template directory.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "printforms/FormsFile.h"
#include "storage/DataContext.h"
#include "util/EmbeddedFiles.h"

namespace axo::printforms {

/// Reads a form file. None, with the reason in `error` (Czech, naming the line), when its
/// header lacks the type or the name, names an unknown type, a kind outside 0-65535, a name
/// longer than 30 or a description longer than 80 characters, holds an unknown header line
/// or a character Windows-1250 does not have, or when the form has no printed section.
std::optional<StoredForm> ReadFormFile(std::string_view utf8, std::string& error);

/// The form as a form file (UTF-8, lines ending in LF).
std::string WriteFormFile(const StoredForm& form);

/// The forms the program ships, in the order of their file names.
std::vector<StoredForm> ShippedForms();

/// Where a forms file lies: the code-list directory of a fiscal year and its path code.
struct FormsFileLocation {
    std::filesystem::path directory;
    Text yearCode;
};

/// Stores the shipped forms into each forms file (created when missing): each replaces the
/// form of its type and name, and the users' own forms stay. False after a message when a file
/// cannot be opened or written.
bool InstallShippedForms(const storage::DataContext& ctx,
                         const std::vector<FormsFileLocation>& files);

/// Writes the report templates the program ships (data/templates/*.pts) into `directory`
/// (created when missing), each under its own file name; a template of the same name is
/// replaced, the users' other templates stay. False after a message naming the file when one
/// cannot be written.
bool InstallShippedTemplates(ui::UiServices& ui, const std::filesystem::path& directory);

/// The names of the shipped templates (UTF-8, in byte order).
std::vector<std::string> ShippedTemplateNames();

namespace detail {
/// The files of data/forms and of data/templates as the build embeds them, sorted by name.
std::span<const EmbeddedFile> EmbeddedFormFiles();
std::span<const EmbeddedFile> EmbeddedTemplateFiles();
}  // namespace detail

}  // namespace axo::printforms

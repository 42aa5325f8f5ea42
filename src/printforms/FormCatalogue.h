// The catalogue of print forms: the text forms of the forms file and the report templates
// ("*.pts") of the installation's template directory, each of a form type and a kind. For a
// type and the mask of the variant a task prints, the catalogue collects the forms that fit,
// text forms first (in the order of the forms file's key), then templates.
//
// One catalogue serves a run: the forms file, once opened, stays open, and the template list
// is built at its first use and kept (templates added later are not seen).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "printforms/FormsFile.h"
#include "storage/DataContext.h"
#include "util/Text.h"

namespace axo::printforms {

/// A report template of the template directory.
struct TemplateEntry {
    int type = 0;   ///< the number of its type word (65535 when unknown: never offered)
    Text fileName;  ///< with its extension
};

/// The report templates of a directory, listed at the first call of Entries.
class TemplateCatalogue {
  public:
    explicit TemplateCatalogue(std::filesystem::path directory);

    /// The templates: the files "*.pts" (extension in any case) that are not directories and
    /// whose upper-cased name does not contain " SQL.PTS", ordered by the type number in five
    /// digits and the upper-cased name without its extension. A second file giving the same
    /// key is left out; of such files the one whose name comes first in byte order is kept, so
    /// that the directory's order never decides.
    const std::vector<TemplateEntry>& Entries();
    bool Built() const { return built_; }

  private:
    std::filesystem::path directory_;
    std::vector<TemplateEntry> entries_;
    bool built_ = false;
};

/// A line of the picker. Text forms carry their type, kind, name and descriptions; report
/// templates the type 255 and their file name.
struct CatalogueEntry {
    std::uint16_t type = 0;
    std::uint16_t kind = 0;
    Text name;
    Text description1;
    Text description2;
    Text fileName;
    /// The type of a template's type word (the entry's own type is 255).
    int templateType = 0;

    bool IsTemplate() const { return type == 255; }
    /// The 453 bytes the document vault keeps of an entry: type and kind (16 bits each,
    /// little-endian), then name (30), the descriptions (80 each) and the file name (255), each
    /// with a leading length byte.
    std::vector<std::uint8_t> ToBlock() const;
};
inline constexpr std::size_t kCatalogueEntryBlock = 453;

class FormCatalogue {
  public:
    /// The catalogue of the forms file "FORM" + `yearCode` in `formsDirectory` and of the
    /// templates of `templateDirectory`.
    FormCatalogue(const storage::DataContext& ctx, std::filesystem::path formsDirectory,
                  Text yearCode, std::filesystem::path templateDirectory);
    ~FormCatalogue();
    FormCatalogue(const FormCatalogue&) = delete;
    FormCatalogue& operator=(const FormCatalogue&) = delete;

    /// Opens the forms file (shared) unless it is open; false after the message "Nelze otevřít
    /// soubor formulářů. Funkce tisku nebude provedena" when it cannot be.
    bool Open();
    /// Closes the forms file.
    void Close();
    bool IsOpen() const;

    /// The entries for type `type` and mask `mask`: text forms of the type whose kind is 0 or
    /// has a bit of the mask, then templates of the type whose kind has a bit of the mask or
    /// whose file name has no variant word. Requires Open.
    std::vector<CatalogueEntry> Collect(int type, std::uint16_t mask);
    /// Every entry of the type (of every type when `type` is negative), kinds not asked.
    std::vector<CatalogueEntry> All(int type);
    /// The text form of a type and name with its text. Requires Open.
    std::optional<StoredForm> FindTextForm(int type, const Text& name);

    /// Whether the sources are offered (both by default).
    bool offerTextForms = true;
    bool offerTemplates = true;

    tFileFormular& Forms() { return *forms_; }
    TemplateCatalogue& Templates() { return templates_; }

  private:
    const storage::DataContext& ctx_;
    std::unique_ptr<tFileFormular> forms_;
    TemplateCatalogue templates_;

    void AddTemplates(std::vector<CatalogueEntry>& entries, int type,
                      std::optional<std::uint16_t> mask);
};

}  // namespace axo::printforms

// The catalogue of text forms and report templates.
#include "printforms/FormCatalogue.h"

#include <algorithm>
#include <system_error>

#include "printforms/FormTypes.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::printforms {

namespace fs = std::filesystem;

namespace {

CatalogueEntry EntryOf(const StoredForm& form) {
    CatalogueEntry e;
    e.type = static_cast<std::uint16_t>(form.type);
    e.kind = form.kind;
    e.name = form.name;
    e.description1 = form.description1;
    e.description2 = form.description2;
    return e;
}

void PutText(std::vector<std::uint8_t>& block, const Text& text, std::size_t capacity) {
    const std::size_t n = std::min(text.size(), capacity);
    block.push_back(static_cast<std::uint8_t>(n));
    for (std::size_t i = 0; i < capacity; ++i)
        block.push_back(i < n ? static_cast<std::uint8_t>(text[i]) : 0);
}

}  // namespace

std::vector<std::uint8_t> CatalogueEntry::ToBlock() const {
    std::vector<std::uint8_t> block;
    block.reserve(kCatalogueEntryBlock);
    for (std::uint16_t v : {type, kind}) {
        block.push_back(static_cast<std::uint8_t>(v & 0xFF));
        block.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    PutText(block, name, 30);
    PutText(block, description1, 80);
    PutText(block, description2, 80);
    PutText(block, fileName, 255);
    return block;
}

TemplateCatalogue::TemplateCatalogue(fs::path directory) : directory_(std::move(directory)) {}

const std::vector<TemplateEntry>& TemplateCatalogue::Entries() {
    if (built_)
        return entries_;
    built_ = true;
    struct Found {
        Text key;
        Text name;
        int type;
    };
    std::vector<Found> found;
    std::error_code ec;
    for (fs::directory_iterator it(directory_, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kindError;
        if (it->is_directory(kindError))
            continue;
        const Text name = FromUtf8(it->path().filename().string());
        const Text upper = NationalUpperCase(name);
        if (!upper.EndsWith(".PTS"_t) || upper.find(" SQL.PTS"_t) != Text::npos)
            continue;
        const int type = FormTypeNumber(SplitTemplateFileName(name).typeWord);
        const Text stem = upper.substr(0, upper.size() - 4);
        found.push_back({IntToTextZeros(type, 5) + stem, name, type});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.key != b.key ? a.key < b.key : a.name < b.name;
    });
    for (std::size_t i = 0; i < found.size(); ++i)
        if (i == 0 || found[i].key != found[i - 1].key)
            entries_.push_back({found[i].type, found[i].name});
    return entries_;
}

FormCatalogue::FormCatalogue(const storage::DataContext& ctx, fs::path formsDirectory,
                             Text yearCode, fs::path templateDirectory)
    : ctx_(ctx),
      forms_(std::make_unique<tFileFormular>(ctx, formsDirectory, yearCode)),
      templates_(std::move(templateDirectory)) {}

FormCatalogue::~FormCatalogue() {
    Close();
}

bool FormCatalogue::Open() {
    if (forms_->Opened())
        return true;
    if (forms_->InitFile(1, storage::_WaitQuestion))
        return true;
    ctx_.ui->ShowError("Nelze otevřít soubor formulářů. Funkce tisku nebude provedena"_t);
    return false;
}

void FormCatalogue::Close() {
    if (forms_->Opened())
        forms_->CloseFile();
}

bool FormCatalogue::IsOpen() const {
    return forms_->Opened();
}

void FormCatalogue::AddTemplates(std::vector<CatalogueEntry>& entries, int type,
                                 std::optional<std::uint16_t> mask) {
    for (const TemplateEntry& t : templates_.Entries()) {
        if (type >= 0 && t.type != type)
            continue;
        const TemplateFileName words = SplitTemplateFileName(t.fileName);
        const std::uint16_t kind = TemplateKind(t.type, words.variantWord);
        if (mask && (kind & *mask) == 0 && !Trim(words.variantWord).empty())
            continue;
        CatalogueEntry e;
        e.type = kTemplateEntryType;
        e.kind = kind;
        e.fileName = t.fileName;
        e.templateType = t.type;
        entries.push_back(e);
    }
}

std::vector<CatalogueEntry> FormCatalogue::Collect(int type, std::uint16_t mask) {
    std::vector<CatalogueEntry> entries;
    if (offerTextForms && forms_->Opened())
        for (const StoredForm& f : FormsOfType(*forms_, type))
            if (TextFormFits(f.kind, mask))
                entries.push_back(EntryOf(f));
    if (offerTemplates)
        AddTemplates(entries, type, mask);
    return entries;
}

std::vector<CatalogueEntry> FormCatalogue::All(int type) {
    std::vector<CatalogueEntry> entries;
    if (forms_->Opened())
        for (const StoredForm& f : type >= 0 ? FormsOfType(*forms_, type) : AllForms(*forms_))
            entries.push_back(EntryOf(f));
    // Templates of all types follow the text forms of all types, each group in its own order.
    AddTemplates(entries, type, std::nullopt);
    return entries;
}

std::optional<StoredForm> FormCatalogue::FindTextForm(int type, const Text& name) {
    if (!forms_->Opened())
        return std::nullopt;
    return FindForm(*forms_, type, name);
}

}  // namespace axo::printforms

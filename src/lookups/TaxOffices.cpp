// The tax office names.
#include "lookups/TaxOffices.h"

#include <fstream>
#include <iterator>

#include "storage/WorkFiles.h"
#include "util/Retezce.h"

namespace axo::lookups {

namespace {

/// The offices since their merger into one office a region (numbers of the tax
/// administration's register).
constexpr const char* kKnownOffices =
    "013|Specializovaný finanční úřad\n"
    "451|Finanční úřad pro hlavní město Prahu\n"
    "452|Finanční úřad pro Středočeský kraj\n"
    "453|Finanční úřad pro Jihočeský kraj\n"
    "454|Finanční úřad pro Plzeňský kraj\n"
    "455|Finanční úřad pro Karlovarský kraj\n"
    "456|Finanční úřad pro Ústecký kraj\n"
    "457|Finanční úřad pro Liberecký kraj\n"
    "458|Finanční úřad pro Královéhradecký kraj\n"
    "459|Finanční úřad pro Pardubický kraj\n"
    "460|Finanční úřad pro Kraj Vysočina\n"
    "461|Finanční úřad pro Jihomoravský kraj\n"
    "462|Finanční úřad pro Olomoucký kraj\n"
    "463|Finanční úřad pro Moravskoslezský kraj\n"
    "464|Finanční úřad pro Zlínský kraj\n";

/// The number as the map keeps it: digits without leading zeros, anything else as it is.
Text Key(const Text& number) {
    const Text t = Trim(number);
    if (t.empty() || t.View().find_first_not_of("0123456789") != std::string_view::npos)
        return t;
    const std::size_t first = t.View().find_first_not_of('0');
    return first == std::string_view::npos ? "0"_t : t.substr(first);
}

}  // namespace

TaxOffices TaxOffices::Read(const std::filesystem::path& home) {
    std::ifstream in(home / kTaxOfficeFile, std::ios::binary);
    if (!in)
        return Known();
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Parse(TextFromFileBytes(std::move(bytes)));
}

TaxOffices TaxOffices::Parse(const Text& content) {
    TaxOffices offices;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.View().find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = content.size();
        const Text line = content.substr(start, end - start);
        start = end + 1;
        const std::size_t bar = line.find('|');
        const Text number = Key(line.substr(0, bar));
        if (number.empty())
            continue;
        Text name;
        if (bar != Text::npos) {
            const std::size_t next = line.find('|', bar + 1);
            name = Trim(line.substr(bar + 1, next == Text::npos ? Text::npos : next - bar - 1));
        }
        offices.names_.emplace(number, name);
    }
    return offices;
}

TaxOffices TaxOffices::Known() {
    return Parse(FromUtf8(kKnownOffices));
}

Text TaxOffices::Name(const Text& number) const {
    const auto it = names_.find(Key(number));
    return it == names_.end() ? Text() : it->second;
}

}  // namespace axo::lookups

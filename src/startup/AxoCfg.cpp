// The configuration file and its switches.
#include "startup/AxoCfg.h"

#include <fstream>
#include <iterator>

#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Lines.h"
#include "util/Retezce.h"

namespace axo::startup {

ConfigFile ConfigFile::Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Parse(TextFromFileBytes(std::move(bytes)));
}

ConfigFile ConfigFile::Parse(const Text& content) {
    ConfigFile config;
    for (const Text& line : SplitLines(content, LineBreaks::kAny)) {
        const std::size_t eq = line.find('=');
        if (eq != Text::npos) {
            config.lines_.emplace_back(NationalUpperCase(Trim(line.substr(0, eq))),
                                       Trim(line.substr(eq + 1)));
        }
    }
    return config;
}

std::optional<Text> ConfigFile::Value(const Text& key) const {
    const Text wanted = NationalUpperCase(Trim(key));
    for (const auto& [k, v] : lines_)
        if (k == wanted)
            return v;
    return std::nullopt;
}

bool ConfigFile::YesSwitch(const Text& key) const {
    return NationalUpperCase(ValueOr(key)) == "ANO"_t;
}

bool ConfigFile::DefaultOnSwitch(const Text& key) const {
    return NationalUpperCase(ValueOr(key)) != "NE"_t;
}

std::filesystem::path ConfigFileName(const std::filesystem::path& directory, bool multiClient,
                                     int station) {
    if (multiClient) {
        const std::filesystem::path own =
            directory / ("AXO" + IntToTextZeros(station, 3).Bytes() + ".CFG");
        std::error_code ec;
        if (std::filesystem::is_regular_file(own, ec))
            return own;
    }
    return directory / "AXO.CFG";
}

std::vector<int> ParseNumberList(const Text& value) {
    std::vector<int> numbers;
    std::size_t start = 0;
    while (start <= value.size() && numbers.size() < 10) {
        std::size_t end = value.find(',', start);
        if (end == Text::npos)
            end = value.size();
        const long long n = TextToInt(Trim(value.substr(start, end - start)));
        if (n > 0 && n < 1000)
            numbers.push_back(static_cast<int>(n));
        start = end + 1;
    }
    return numbers;
}

Switches ReadSwitches(const ConfigFile& config) {
    Switches s;
    s.filtersIgnoreDiacritics = config.YesSwitch("AXO_FILTRY_IGNORUJ_DIAKRITIKU"_t);
    s.dateEntryEditDay = config.YesSwitch("AXO_DATUM_VSTUP_OPRAVA_DNE"_t);
    s.printoutSystemDateTime = config.YesSwitch("AXO_SESTAVY_SYSTEMOVE_DATUM_CAS"_t);
    s.modalPrinting = config.YesSwitch("AXO_MODALNI_TISK"_t);
    s.papConsolidation = config.YesSwitch("AXO_PAP_KONSOLIDACE"_t);
    s.vatPayerCheckAllowed =
        config.DefaultOnSwitch("AXO_OVERENENI_NESPOLEHLIVOSTI_PLATCEDPH_DIC"_t);
    s.businessRegisterAllowed = config.DefaultOnSwitch("AXO_ARES_UDAJE_ICO"_t);
    s.writeVatPayerResult = config.YesSwitch("AXO_SPOLEHLIVOST_PLATCEDPH_ZAPSAT"_t);
    s.showDebtLimit = config.YesSwitch("AXO_FV_PRODEJ_LIMITNI_DLUH"_t);
    s.automaticVatPayerCheck =
        config.YesSwitch("AXO_AUTOMATICKA_KONTROLA_NESPOLEHLIVOSTI_PLATCU_DPH"_t);
    s.publicContracts = ParseNumberList(config.ValueOr("AXO_PAP_STZAKAZKA"_t));
    if (const auto program = config.Value("AXO_POSTA_PROGRAM"_t); program && !program->empty())
        s.mailProgram = *program;
    s.mailSender = config.ValueOr("AXO_POSTA_ODESILATEL"_t);
    return s;
}

}  // namespace axo::startup

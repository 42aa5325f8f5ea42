// The installation's configuration file "AXO.CFG" (or a client station's "AXOnnn.CFG"): hand-
// written KEY=VALUE lines, and the switches this program reads from it once after start-up.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "util/Text.h"

namespace axo::startup {

/// The lines of a configuration file. A missing or unreadable file has no values.
class ConfigFile {
  public:
    ConfigFile() = default;
    /// Reads the file (Windows-1250 text, or UTF-8 as Linux editors write it; any line ends); a
    /// missing file gives no values.
    static ConfigFile Read(const std::filesystem::path& file);
    /// Parses the text of a file.
    static ConfigFile Parse(const Text& content);

    /// The value of the first line whose key (trimmed, upper-cased) is `key`, trimmed; none
    /// when no line has the key.
    std::optional<Text> Value(const Text& key) const;
    /// The value, or an empty text.
    Text ValueOr(const Text& key) const { return Value(key).value_or(Text()); }

    /// Yes-switch: on only when the value, upper-cased, is "ANO".
    bool YesSwitch(const Text& key) const;
    /// Default-on switch: on unless the value is "NE".
    bool DefaultOnSwitch(const Text& key) const;

  private:
    std::vector<std::pair<Text, Text>> lines_;
};

/// The configuration file to use in `directory`: "AXO" + station (3 digits) + ".CFG" when the
/// installation is multi-client and that file exists, else "AXO.CFG".
std::filesystem::path ConfigFileName(const std::filesystem::path& directory, bool multiClient,
                                     int station);

/// The switches this program consults, read once after start-up.
struct Switches {
    bool filtersIgnoreDiacritics = false;  ///< AXO_FILTRY_IGNORUJ_DIAKRITIKU
    bool dateEntryEditDay = false;         ///< AXO_DATUM_VSTUP_OPRAVA_DNE
    bool printoutSystemDateTime = false;   ///< AXO_SESTAVY_SYSTEMOVE_DATUM_CAS
    bool modalPrinting = false;            ///< AXO_MODALNI_TISK
    bool papConsolidation = false;         ///< AXO_PAP_KONSOLIDACE
    bool vatPayerCheckAllowed = true;      ///< AXO_OVERENENI_NESPOLEHLIVOSTI_PLATCEDPH_DIC
    bool businessRegisterAllowed = true;   ///< AXO_ARES_UDAJE_ICO
    bool writeVatPayerResult = false;      ///< AXO_SPOLEHLIVOST_PLATCEDPH_ZAPSAT
    bool showDebtLimit = false;            ///< AXO_FV_PRODEJ_LIMITNI_DLUH
    bool automaticVatPayerCheck = false;   ///< AXO_AUTOMATICKA_KONTROLA_NESPOLEHLIVOSTI_PLATCU_DPH
    std::vector<int> publicContracts;      ///< AXO_PAP_STZAKAZKA: at most 10 numbers 1..999
    /// AXO_POSTA_PROGRAM: the mail submission program taking messages as "sendmail -t" does
    /// (default /usr/sbin/sendmail); AXO_POSTA_ODESILATEL: the sender address of printouts sent
    /// by e-mail (empty: the submission program's own).
    Text mailProgram = "/usr/sbin/sendmail"_t;
    Text mailSender;
};

/// Reads the switches from a configuration file.
Switches ReadSwitches(const ConfigFile& config);

/// The "AXO_PAP_STZAKAZKA" list: comma-separated numbers; zeros, numbers of 1000 or more and
/// unreadable entries are dropped; at most 10 are kept.
std::vector<int> ParseNumberList(const Text& value);

}  // namespace axo::startup

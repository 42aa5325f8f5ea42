// The engine of an installation.
#include "startup/EngineChoice.h"

#include <libpq-fe.h>

#include <memory>

#include "storage/PgEngine.h"
#include "util/Retezce.h"

namespace axo::startup {

namespace fs = std::filesystem;

bool NamesPassword(const std::string& conninfo) {
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), &error);
    PQfreemem(error);
    if (!options)
        return false;
    bool named = false;
    for (PQconninfoOption* o = options; o->keyword; ++o)
        if (std::string(o->keyword) == "password" && o->val && *o->val)
            named = true;
    PQconninfoFree(options);
    return named;
}

Text CheckConnection(const std::string& conninfo) {
    if (NamesPassword(conninfo))
        return "Heslo k databázovému serveru do instalace nepatří: uveďte je v souboru "
               "~/.pgpass (nebo v proměnné PGPASSWORD), ne v textu spojení."_t;
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), &error);
    if (!options) {
        const Text reason = FromUtf8(error ? error : "");
        PQfreemem(error);
        return "Text spojení k databázovému serveru je chybný: "_t + Trim(reason);
    }
    PQconninfoFree(options);
    PGconn* c = PQconnectdb(conninfo.c_str());
    Text refusal;
    if (PQstatus(c) != CONNECTION_OK)
        refusal =
            "K databázovému serveru se nelze připojit: "_t + Trim(FromUtf8(PQerrorMessage(c)));
    PQfinish(c);
    return refusal;
}

std::shared_ptr<storage::Engine> ConfiguredEngine(const ConfigFile& config, const fs::path& home,
                                                  Text& problem) {
    problem.clear();
    const Text engine = NationalUpperCase(config.ValueOr(Text::FromBytes(kEngineKey)));
    if (engine.empty() || engine == "SQLITE"_t)
        return nullptr;
    if (engine != Text::FromBytes(kPostgresqlName)) {
        problem = "Chyba nastavení v konfiguračním souboru AXO.CFG: neznámý databázový stroj "_t +
                  engine + " (AXO_DB_ENGINE=SQLITE nebo POSTGRESQL)."_t;
        return nullptr;
    }
    const std::string conninfo = ToUtf8(config.ValueOr(Text::FromBytes(kConnectionKey)));
    if (NamesPassword(conninfo)) {
        problem =
            "Chyba nastavení v konfiguračním souboru AXO.CFG: heslo k databázovému "
            "serveru v AXO_DB_SPOJENI nesmí být; uveďte je v souboru ~/.pgpass."_t;
        return nullptr;
    }
    return storage::MakePgEngine({conninfo, home});
}

bool UseConfiguredEngine(const fs::path& home, Text& problem) {
    std::shared_ptr<storage::Engine> engine =
        ConfiguredEngine(ConfigFile::Read(home / "AXO.CFG"), home, problem);
    storage::UseEngine(engine);
    return problem.empty();
}

}  // namespace axo::startup

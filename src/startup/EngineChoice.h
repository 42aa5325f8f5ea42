// Which engine an installation keeps its tables in: SQLite files in its directories (the
// default), or a PostgreSQL server, named in AXO.CFG by
//   AXO_DB_ENGINE=POSTGRESQL
//   AXO_DB_SPOJENI=service=axo        (a libpq connection string or service name)
// The password never stands in the installation: libpq takes it from ~/.pgpass, the service
// file or PGPASSWORD.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "startup/AxoCfg.h"
#include "storage/Engine.h"

namespace axo::startup {

inline constexpr const char* kEngineKey = "AXO_DB_ENGINE";
inline constexpr const char* kConnectionKey = "AXO_DB_SPOJENI";
inline constexpr const char* kPostgresqlName = "POSTGRESQL";

/// The engine the configuration of the installation in `home` names; null for SQLite. A
/// problem of the configuration (an unknown engine, a password in the connection) gives null
/// and the Czech text in `problem`.
std::shared_ptr<storage::Engine> ConfiguredEngine(const ConfigFile& config,
                                                  const std::filesystem::path& home, Text& problem);

/// Makes the engine the installation's configuration names the program's engine (SQLite when
/// it names none). False with the text in `problem` when the configuration is wrong: then no
/// table may be opened (the program would take empty SQLite tables for the server's).
bool UseConfiguredEngine(const std::filesystem::path& home, Text& problem);

/// Whether a libpq connection text names a password (which the installation must not keep).
bool NamesPassword(const std::string& conninfo);

/// A refusal of a connection text for the installation, or an empty text. The server is tried
/// too: a connection that fails is refused with the server's reason.
Text CheckConnection(const std::string& conninfo);

}  // namespace axo::startup

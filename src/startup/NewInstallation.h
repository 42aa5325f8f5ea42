// Creating a new, empty installation from which the start-up succeeds: the program
// installation with the fiscal years of a year and the year before, the data areas with their
// data and user installations for both years, one user, the configuration file and the work
// directory. Every path inside is relative, so the installation can be moved.
#pragma once

#include <filesystem>
#include <string>

#include "ui/UiServices.h"
#include "util/Clock.h"
#include "util/Text.h"

namespace axo::startup {

/// The user a new installation gets when none is named.
Text DefaultUserName();
Text DefaultPassword();
/// The supervisor's password when none is given (the administration asks for it).
Text DefaultSupervisorPassword();
/// The organisation's name when none is given.
Text DefaultFirmName();

/// What the new installation is to hold.
struct NewInstallation {
    std::filesystem::path directory;
    int year = 0;
    Text userName = DefaultUserName();
    Text password = DefaultPassword();
    /// "HesloSupervizora": 1 to 7 characters, not the user's password.
    Text supervisorPassword = DefaultSupervisorPassword();
    Text firmName = DefaultFirmName();
    Text ico;
    /// Rewrite the installation tables of an existing installation (its other files stay).
    bool force = false;
    /// The tables on a PostgreSQL server (AXO_DB_ENGINE=POSTGRESQL) reached by this libpq
    /// connection text (no password in it), instead of SQLite files.
    bool postgresql = false;
    std::string connection;
};

/// The roots of the data areas 0-9 in a new installation: areas 0-6 "data/", 7 "ciselniky/",
/// 8 "prubezne/", 9 "sablony/".
Text NewAreaRoot(int area);

/// Creates the installation. A directory whose path the program cannot keep (characters outside
/// Windows-1250, or too long for the tables below it) is refused before anything is made. In a
/// directory that did not exist or was empty, a failure takes away what was made; the program
/// installation is written last, so that an interrupted creation leaves no installation and can be
/// repeated. An existing installation is refused unless `force`, and also then while a program runs
/// in it. False after a message.
bool CreateInstallation(const NewInstallation& request, ui::UiServices& ui, const Clock& clock);

}  // namespace axo::startup

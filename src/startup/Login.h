// The user's password and access level, and the login into the data areas: the checks of the
// user installation file (crashed runs, conflicting, duplicate and exclusive logins), writing
// the login, logging out at the end, and the crash mark a fatal data error leaves.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "startup/InstallationFiles.h"
#include "startup/Session.h"

namespace axo::startup {

/// The user name and issuer of the supervisor and author logins.
Text SupervisorName();
Text AuthorName();

/// A stored password as typed: a password whose first character code is above 128 is stored
/// with every code increased by 81.
Text UnshiftPassword(const Text& stored);

/// The password: the command line's (cut to 7 characters) when given, else the prompt "Zadání
/// hesla" (the previous password offered when `keepPrevious`). Trimmed; false for an empty or
/// cancelled password (which is then cleared).
bool AskPassword(Session& session, bool keepPrevious);

/// Whether the entered password belongs to a user of the accounting area in any fiscal year of
/// the installation: the user files are only read, nothing is locked. Empty when no user file
/// could be read (the login then says what is wrong with the installation).
std::optional<bool> PasswordOfAnyUser(Session& session);

/// The access level of the entered password: 2 when it is the supervisor password of the
/// program installation, 3 when it is the service password, else 1; for 2 and 3 the user name
/// and issuer are fixed.
void SetAccessLevel(Session& session);

/// A login being made into one data area: the user file stays open and locked from LoginArea
/// until WriteLogin (or until the object goes, which closes it without writing).
struct AreaLogin {
    std::filesystem::path directory;
    std::unique_ptr<tSouborAXO_USER> userFile;
    tVetaAXO_USER record;  ///< the user's record (level 1)
    std::int32_t recordNumber = 0;
    bool firstUser = true;  ///< no other login is recorded in the area
};

/// Checks the user file of `login.directory` under its table write lock: every record for a
/// crash mark, another day's login (a blocking warning), duplicate passwords and names, the
/// password logged in from another computer or station, a running supervisor login, exclusive
/// logins; then finds the user's record (level 1). `requestedName` (empty: any) is the name the
/// password must belong to. False after the refusal's message; `trailing` ends the messages.
bool LoginArea(Session& session, AreaLogin& login, const Text& requestedName, const Text& trailing);

/// Writes the login checked by LoginArea into the user file (the user's record, or a new record
/// for a supervisor or author), keeps the record's rights for `area`, and unlocks and closes the
/// user file.
void WriteLogin(Session& session, AreaLogin& login, int area);

/// Logs the user out of the area's user file: one login fewer (the module code removed), the
/// login fields cleared with the last one, a supervisor or author record deleted. Problems are
/// shown with "Při dalším spuštění se pravděpodobně objeví problémy."; false then.
bool LogoutArea(Session& session, int area);

/// Sets the crash flag "Prihl_Havarie" in the user's record of every logged-in area. A failure in
/// one area does not keep the others from being marked. A user file that a logout of this run
/// holds is let go first (as the end of the program would), so the mark never waits for the
/// process itself. Called by the fatal data error report.
void MarkCrash(Session& session);

/// The login date and time of a user record as messages show them (" 5. 3.2024 09:30:00").
Text LoginStamp(const tVetaAXO_USER& record);

/// Clears every login field of a user record (state 0, count, computer, station, modules,
/// date and time, crash mark), as the last logout does.
void ClearLogin(tVetaAXO_USER& record);

/// The directory as messages show it: with a trailing "/".
Text DirectoryText(const std::filesystem::path& directory);

}  // namespace axo::startup

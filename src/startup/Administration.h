// The administration of an installation, for its supervisor: who is logged in where, the crash
// marks that fatal errors left, the work files of runs that are gone; clearing a crash mark,
// ending a login whose program no longer runs, and the index rebuild of tables. It needs no
// start-up (a crash mark would refuse one): the supervisor's password is checked against the
// program installation, which is then let go, and the user files are changed under their table
// write locks, as logins change them.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "startup/InstallationRecords.h"
#include "storage/DataContext.h"
#include "storage/Files.h"
#include "ui/UiServices.h"
#include "util/Clock.h"
#include "util/Text.h"

namespace axo::startup {

/// One record of a user installation file.
struct LoginEntry {
    std::filesystem::path directory;  ///< the area directory of the user file
    tVetaAXO_USER record;
};

/// A fiscal year of the installation and the directories of its data.
struct AdminYear {
    Text code;
    std::filesystem::path accountingDirectory;  ///< area 0
    std::filesystem::path codeListDirectory;    ///< area 7
    int unitKind = 3;                           ///< "CharakterFirmy" of area 0's installation
};

/// A table of the installation: the file object of its kind and the directory it is opened
/// from (empty: the directory its kind describes).
struct AdminTable {
    Text directory;
    std::function<std::unique_ptr<storage::tSoubor>(const storage::DataContext&)> make;
};

class Administration {
  public:
    /// The administration of the installation in `home`; `ui` and `clock` must outlive it.
    Administration(ui::UiServices& ui, const Clock& clock, std::filesystem::path home);

    /// Reads the program installation and checks `password` against its supervisor password
    /// ("HesloSupervizora"); a multi-client installation is administered for the clients whose
    /// supervisor password it is. False after a message: no installation, no supervisor
    /// password set, a wrong password.
    bool Open(const Text& password);

    const std::filesystem::path& Home() const { return ctx_.programDirectory; }
    const storage::DataContext& Context() const { return ctx_; }
    /// Whether any program has the installation open now.
    bool ProgramsRunning() const;
    /// The fiscal years of the installation whose accounting directory exists.
    const std::vector<AdminYear>& Years() const { return years_; }

    /// Every record of every user file (areas 0-7 of every fiscal year, each directory once).
    std::vector<LoginEntry> Logins();
    /// Clears the crash mark of the user (name compared trimmed, upper-cased) in every user
    /// file; the number of records changed.
    int ClearCrash(const Text& userName);
    /// Ends the logins of the user in every user file: a user's login fields are cleared (the
    /// crash mark stays), a supervisor's or author's login record is deleted. The number of
    /// records changed.
    int Logout(const Text& userName);

    /// The run's work directory (the program directory when none is set).
    std::filesystem::path WorkDirectory() const { return ctx_.WorkDirectoryOrCurrent(); }
    /// Its work files whose owner is gone.
    std::vector<std::filesystem::path> StaleWorkFiles() const;

    /// The installation's own tables: the program installation, the data and user
    /// installations of every area directory, and the vaults in the program directory.
    std::vector<AdminTable> InstallationTables() const;
    /// The tables of the list whose data file exists, described and not open (for the index
    /// rebuild, storage::RebuildIndexes).
    std::vector<std::unique_ptr<storage::tSoubor>> ExistingTables(
        const std::vector<AdminTable>& tables) const;

  private:
    /// Applies `change` to every record of every user file under the file's write lock; a
    /// record it changes (true) is written back, or deleted when `remove` says so.
    int ChangeUsers(const std::function<bool(tVetaAXO_USER&, bool& remove)>& change);
    std::vector<std::filesystem::path> UserFileDirectories() const;

    storage::DataContext ctx_;
    std::vector<tVetaAXO> clients_;
    std::vector<AdminYear> years_;
    /// Directories of areas 0-7 of every fiscal year, each once.
    std::vector<std::filesystem::path> areaDirectories_;
};

}  // namespace axo::startup

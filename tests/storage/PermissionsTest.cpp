// The permissions of a table's files: new ones follow the process's umask (so that the group of
// a shared installation can write them), a confidential table's keep every other user out, and
// an index rebuild by another user leaves the table with the owner, group and permissions it had.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TableTestSupport.h"
#include "storage/FileLocks.h"
#include "storage/Rebuild.h"

namespace axo::storage::test {
namespace {

namespace fs = std::filesystem;

/// The process's umask for the scope.
class ScopedUmask {
  public:
    explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(old_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

  private:
    mode_t old_;
};

struct stat StatOf(const fs::path& file) {
    struct stat st {};
    EXPECT_EQ(0, ::stat(file.c_str(), &st)) << file;
    return st;
}

mode_t ModeOf(const fs::path& file) {
    return StatOf(file).st_mode & 07777;
}

KindShape Shape(bool confidential) {
    KindShape shape;
    shape.fileName = confidential ? "HESLA"_t : "ITEMS"_t;
    shape.confidential = confidential;
    return shape;
}

class PermissionsTest : public TableTest {};

TEST_F(PermissionsTest, NewTableFilesFollowTheUmaskAndConfidentialOnesKeepOthersOut) {
    AXO_SQLITE_FILES_ONLY();
    struct Case {
        mode_t umask;
        mode_t table;
        mode_t confidential;
    } cases[] = {
        {002, 0664, 0660},  // a shared installation: the group writes, others only read
        {022, 0644, 0640},  // the usual default
        {027, 0640, 0640},
        {077, 0600, 0600},
    };
    for (const Case& c : cases) {
        const ScopedUmask mask(c.umask);
        for (const bool confidential : {false, true}) {
            SCOPED_TRACE(testing::Message() << "umask 0" << std::oct << c.umask
                                            << (confidential ? ", confidential" : ""));
            auto file = Open(3, Shape(confidential));
            ASSERT_TRUE(file->Ok());
            const mode_t expected = confidential ? c.confidential : c.table;
            EXPECT_EQ(expected, ModeOf(file->DataFilePath()));
            // Grouped writes under the table lock are kept in a write log beside the table: it
            // holds the same rows and gets the data file's permissions.
            ASSERT_TRUE(file->BtLockFileBlock(_NoWait));
            const ItemRecord item = Item("A", "a");
            std::int32_t n = 0;
            file->AddRec(n, &item);
            EXPECT_EQ(expected, ModeOf(file->DataFilePath().string() + "-log"));
            file->Unlock();
            // The lock file holds nothing: whoever may use the table may lock it.
            EXPECT_EQ(0666 & ~c.umask, ModeOf(LockFilePath(file->DataFilePath())));
            file->DeleteFile();
        }
    }
}

TEST_F(PermissionsTest, AnOpenedConfidentialTableLosesTheAccessOfOthers) {
    AXO_SQLITE_FILES_ONLY();
    const ScopedUmask mask(002);
    for (const bool confidential : {false, true}) {
        Open(3, Shape(confidential))->CloseFile();
        const fs::path data = dir_ / (confidential ? "HESLA.DB" : "ITEMS.DB");
        // A table made before confidential tables were kept so.
        ASSERT_EQ(0, ::chmod(data.c_str(), 0666));
        EXPECT_TRUE(Open(1, Shape(confidential))->Ok());
        EXPECT_EQ(confidential ? 0660u : 0666u, ModeOf(data)) << confidential;
    }
}

TEST_F(PermissionsTest, ARebuildKeepsTheOwnerGroupAndPermissionsOfTheTable) {
    AXO_SQLITE_FILES_ONLY();
    const bool root = ::geteuid() == 0;
    for (const bool confidential : {false, true}) {
        SCOPED_TRACE(confidential ? "confidential" : "plain");
        {
            const ScopedUmask shared(002);
            auto file = Open(3, Shape(confidential));
            const ItemRecord item = Item("A", "a");
            std::int32_t n = 0;
            file->AddRec(n, &item);
            file->CloseFile();
        }
        const fs::path data = dir_ / (confidential ? "HESLA.DB" : "ITEMS.DB");
        ASSERT_EQ(0, ::chmod(data.c_str(), 0664));
        // Made by a user of the installation's group, rebuilt by the administrator.
        if (root) {
            ASSERT_EQ(0, ::chown(data.c_str(), 4321, 4322));
        }
        const ScopedUmask strict(077);
        tTestKind file(ctx_, Shape(confidential));
        ASSERT_TRUE(file.InitFile(0, _NoWait));
        ASSERT_TRUE(RebuildIndexes(file, false));
        const struct stat st = StatOf(data);
        EXPECT_EQ(confidential ? 0660u : 0664u, st.st_mode & 07777);
        if (root) {
            EXPECT_EQ(4321u, st.st_uid);
            EXPECT_EQ(4322u, st.st_gid);
        }
        EXPECT_TRUE(Open(1, Shape(confidential))->Ok());
    }
}

}  // namespace
}  // namespace axo::storage::test

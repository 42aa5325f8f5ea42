// The files of shown printouts: named by the command or by the printout's title, never written
// over another file, and written whole or not at all. A printout whose listing lost a write (a
// full work directory) or whose copy cannot be written is reported once, with its file and the
// cause, and nothing of it is shown or left behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "ListingTestSupport.h"
#include "ui/TextListing.h"

namespace axo::ui {
namespace {

using testing::FileNames;
using testing::ListingTest;
using testing::ReadBytes;
using testing::WriteBytes;
namespace fs = std::filesystem;

/// Files of this process may not grow beyond `bytes` while the object lives: a write past it
/// fails with EFBIG, as on a full disk. The limit and the signal's handling are restored after.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        handler_ = ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        ::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    sighandler_t handler_ = SIG_DFL;
};

class PrintoutFilesTest : public ListingTest {
  protected:
    fs::path ShownDir() const { return work_ / "shown"; }
    /// A listing of `lines` framed lines (82 bytes each), titled, closed, ready to hand over.
    std::unique_ptr<TextListing> Listing(const Text& title, int lines) {
        auto listing = CreateListing(env_);
        EXPECT_NE(nullptr, listing);
        listing->Init();
        listing->printoutName = title;
        listing->columnWidths[0] = 78;
        listing->BuildFrameLines();
        for (int i = 0; i < lines; ++i)
            listing->WriteLine(listing->FramedLine({"řádek "_t + FromUtf8(std::to_string(i))}));
        return listing;
    }
    std::vector<const TranscriptEntry*> Entries(const std::string& kind) const {
        std::vector<const TranscriptEntry*> found;
        for (const TranscriptEntry& e : ui_->Transcript())
            if (e.kind == kind)
                found.push_back(&e);
        return found;
    }
};

TEST_F(PrintoutFilesTest, PrintoutsAreNamedAndNeverWrittenOverAnother) {
    WriteBytes(ShownDir() / "kontrola-01-12.txt", "starší protokol\n");
    struct Case {
        std::string name;  ///< SetPrintoutName; empty: by the title
        Text title;
        std::string file;
    } cases[] = {
        {"", "chybový protokol [od 1 do 12/2024]"_t, "chybovy-protokol-od-1-do-12-2024.txt"},
        {"", "chybový protokol [od 1 do 12/2024]"_t, "chybovy-protokol-od-1-do-12-2024-2.txt"},
        {"", "  Účtový rozvrh - ČÍSELNÍK  "_t, "uctovy-rozvrh-ciselnik.txt"},
        {"", "[]"_t, "sestava.txt"},
        // The file of an earlier run stays; the new one takes the next number.
        {"kontrola-01-12", "Kontrola účetních záznamů"_t, "kontrola-01-12-2.txt"},
        {"kontrola-01-12", "Kontrola účetních záznamů"_t, "kontrola-01-12-3.txt"},
    };
    for (const Case& c : cases) {
        ui_->SetPrintoutName(c.name);
        auto listing = Listing(c.title, 3);
        listing->CloseListingFile();
        listing->HandOver(listing->FileName());
        const ScriptedUi::ShownPrintouts shown = ui_->PrintoutsSince(0);
        ASSERT_FALSE(shown.files.empty());
        EXPECT_EQ(ShownDir() / c.file, shown.files.back());
        EXPECT_NE(std::string::npos, ReadBytes(shown.files.back()).find("│řádek 2"));
        EXPECT_EQ(0, shown.failed);
    }
    EXPECT_EQ("starší protokol\n", ReadBytes(ShownDir() / "kontrola-01-12.txt"));
    EXPECT_EQ(7u, FileNames(ShownDir()).size());  // no temporary file beside them
}

TEST_F(PrintoutFilesTest, APrintoutThatCannotBeWrittenIsReportedOnceAndLeavesNothing) {
    enum class Fault { FullWorkDirectory, FullOutputDirectory, NoOutputDirectory };
    struct Case {
        Fault fault;
        std::string cause;
    } cases[] = {
        // The listing loses its last lines: it is never shown as if it were whole.
        {Fault::FullWorkDirectory, "soubor by byl větší, než systém dovolí"},
        // The copy for the user is cut short: nothing under its name, no temporary file.
        {Fault::FullOutputDirectory, "soubor by byl větší, než systém dovolí"},
        {Fault::NoOutputDirectory, "soubor nebo adresář neexistuje"},
    };
    for (const Case& c : cases) {
        ui_->ClearTranscript();
        fs::create_directories(ShownDir());
        ui_->SetPrintoutName("vykaz4-01-12-protokol");
        fs::path failedFile = ShownDir() / "vykaz4-01-12-protokol.txt";
        {
            std::unique_ptr<TextListing> listing;
            {
                const FileSizeLimit full(c.fault == Fault::FullWorkDirectory ? 8192
                                                                             : RLIM_INFINITY);
                listing = Listing("chybový protokol"_t, 400);
                listing->CloseListingFile();
            }
            if (c.fault == Fault::FullWorkDirectory) {
                failedFile = listing->FileName();
                EXPECT_NE(0, listing->WriteError());
            }
            if (c.fault == Fault::NoOutputDirectory)
                fs::remove_all(ShownDir());
            const FileSizeLimit full(c.fault == Fault::FullOutputDirectory ? 8192 : RLIM_INFINITY);
            listing->HandOver(listing->FileName());
            listing->HandOver(listing->FileName());  // asked again: still told once
        }
        EXPECT_TRUE(Entries("printout").empty()) << ui_->TranscriptText();
        const auto failed = Entries("printout-failed");
        ASSERT_EQ(1u, failed.size()) << ui_->TranscriptText();
        EXPECT_EQ("chybový protokol", failed[0]->title);
        EXPECT_EQ(std::vector<std::string>{"Sestavu nelze zapsat do souboru [" +
                                           failedFile.string() + "]: " + c.cause + "."},
                  failed[0]->lines);
        EXPECT_EQ(1, ui_->PrintoutsSince(0).failed);
        EXPECT_TRUE(FileNames(WorkDir()).empty());
        if (fs::exists(ShownDir())) {
            EXPECT_TRUE(FileNames(ShownDir()).empty());
        }
    }
}

}  // namespace
}  // namespace axo::ui

// The word-processor, spreadsheet and e-mail outputs of the output channel: the document made
// in the work directory and handed to the desktop's opener, the mail dialog with its <F7>
// recipient and its refusal of an address that is not one, the message a stand-in sendmail
// receives, and the specified messages when sending fails.
#include <gtest/gtest.h>

#include <algorithm>

#include "office/OfficeTestSupport.h"
#include "ui/ListingOffice.h"
#include "ui/ListingOutput.h"
#include "ui/ListingTestSupport.h"

namespace axo::ui {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

class ListingOfficeTest : public testing::ListingTest {
  protected:
    ListingOfficeTest() {
        listingFile_ = WorkDir() / "!OP7654321";
        // A framed listing with a Czech caption and an amount, as the listings write it.
        WriteBytes(
            listingFile_,
            (Text::FromBytes("\x87\x81\x81\x81\x81\xA5\x81\x81\x81\x81\x81\x81\x90") + "\r\n"_t +
             Text::FromBytes("\x85") + "Účet"_t + Text::FromBytes("\x85") + "Částka"_t +
             Text::FromBytes("\x85") + "\r\n"_t +
             Text::FromBytes("\xA0\x81\x81\x81\x81\x86\x81\x81\x81\x81\x81\x81\xA3") + "\r\n"_t +
             Text::FromBytes("\x85") + "501 "_t + Text::FromBytes("\x85") + "100.10"_t +
             Text::FromBytes("\x85") + "\r\n"_t +
             Text::FromBytes("\x95\x81\x81\x81\x81\xAA\x81\x81\x81\x81\x81\x81\x9C") + "\r\n"_t)
                .Bytes());
        view_ = ListingView{"Protokol"_t, listingFile_, 13, 60, 40};
        env_.runProgram = [this](const fs::path& program, const std::vector<std::string>& args) {
            opened_.push_back(program.string() + " " + (args.empty() ? "" : args[0]));
            return result_;
        };
        result_.started = true;
        result_.exitCode = 0;
        env_.mailProgram = office::test::FakeSendmail(work_.Path());
        env_.mailSender = "ucetni@luna.cz"_t;
    }
    OutputSettings& Settings(std::uint8_t kind, std::uint8_t htmlMode = 2) {
        settings_ = OutputSettings{};
        settings_->kind = kind;
        settings_->htmlMode = htmlMode;
        return *settings_;
    }
    std::string LastText() const { return testing::MessageText(ui_->Transcript().back()); }
    std::string Mail() const {
        return office::test::ParsedMail(work_.Path(), work_ / "sendmail.eml");
    }

    fs::path listingFile_;
    ListingView view_;
    std::vector<std::string> opened_;
    ProgramResult result_;
};

TEST_F(ListingOfficeTest, DocumentsAreMadeInTheWorkDirectoryAndOpened) {
    for (const std::uint8_t kind : {3, 4}) {
        Settings(kind);
        opened_.clear();
        OutputListing(env_, view_);
        ASSERT_EQ(1u, opened_.size());
        const std::string file = opened_[0].substr(opened_[0].find(' ') + 1);
        EXPECT_EQ("xdg-open " + file, opened_[0]);
        EXPECT_EQ(WorkDir(), fs::path(file).parent_path());
        EXPECT_EQ(kind == 3 ? ".odt" : ".xlsx", fs::path(file).extension().string());
        if (kind == 3) {
            EXPECT_NE(
                std::string::npos,
                office::test::ZipPart(work_.Path(), file, "content.xml").find("│Účet│Částka│"));
        } else {
            const auto cells = office::test::SheetCells(work_.Path(), file);
            EXPECT_EQ("Částka", cells.at("B1").value);
            EXPECT_TRUE(cells.at("B2").number);
            EXPECT_EQ("100.1", cells.at("B2").value);
        }
    }
    // An opener that fails: the document stays and the user is told where it is.
    result_.exitCode = 3;
    Settings(3);
    ui_->QueueOk();
    OutputListing(env_, view_);
    EXPECT_EQ(0u, LastText().find("Dokument byl uložen do souboru [" + WorkDir().string()));
    EXPECT_NE(std::string::npos, LastText().find("], ale nepodařilo se jej otevřít programem "
                                                 "[xdg-open]."));
}

TEST_F(ListingOfficeTest, MailWithTheHtmlAsBodyOrAttachedToTheMessage) {
    const fs::path html = work_ / "sestava.htm";
    Settings(5, 0);
    ui_->QueueValue(html.string());
    ui_->QueueDialog("adresat=\"Jan Novák\" email=jan@zrizovatel.cz key:F2");
    OutputListing(env_, view_);
    EXPECT_EQ(
        "From: ucetni@luna.cz\nTo: Jan Novák <jan@zrizovatel.cz>\nSubject: sestava.htm\n"
        "part text/html utf-8 None\n",
        Mail());
    EXPECT_EQ(ReadBytes(html), ReadBytes(work_ / "part-0"));
    EXPECT_NE(std::string::npos, ReadBytes(html).find("&#9484;&#9472;"));
    const auto& dialog = ui_->Transcript()[1];
    EXPECT_EQ(" Zadejte parametry pro E-Mail", dialog.title);

    // Mode 1: the typed text with the file attached; an empty text is sent as one blank.
    for (const std::string& message : {std::string("Dobrý den"), std::string()}) {
        Settings(5, 1);
        fs::remove(html);
        ui_->QueueValue(html.string());
        ui_->QueueDialog("email=jan@zrizovatel.cz predmet=Protokol zprava=\"" + message +
                         "\" key:F2");
        OutputListing(env_, view_);
        EXPECT_EQ(
            "From: ucetni@luna.cz\nTo: jan@zrizovatel.cz\nSubject: Protokol\n"
            "part text/plain utf-8 None\npart text/html utf-8 sestava.htm\n",
            Mail());
        EXPECT_EQ(message.empty() ? " " : message, ReadBytes(work_ / "part-0"));
        EXPECT_EQ(ReadBytes(html), ReadBytes(work_ / "part-1"));
    }
}

TEST_F(ListingOfficeTest, RecipientPickedWithF7AndAnAddressThatIsNoneRefused) {
    env_.pickRecipient = [](Text& name, std::vector<MailContact>& contacts) {
        name = "Zřizovatel"_t;
        contacts = {{"Podatelna"_t, "podatelna@mesto.cz"_t},
                    {""_t, ""_t},
                    {"Účtárna"_t, "uctarna@mesto.cz"_t}};
        return true;
    };
    Settings(5, 0);
    ui_->QueueValue((work_ / "s.htm").string());
    ui_->QueueDialog("email=\"a@b.cz, c@d.cz\" key:F2");
    ui_->QueueOk();
    ui_->QueueDialog("adresat=Z key:F7");
    ui_->QueueList("line=2 key:Enter");
    ui_->QueueDialog("key:F2");
    OutputListing(env_, view_);
    EXPECT_NE(std::string::npos, Mail().find("To: Zřizovatel <uctarna@mesto.cz>\n")) << Mail();
    bool refused = false;
    bool listed = false;
    for (const TranscriptEntry& e : ui_->Transcript()) {
        refused = refused ||
                  testing::MessageText(e).find("Zadejte platnou e-mailovou adresu příjemce.") !=
                      std::string::npos;
        if (e.title.find("Vyberte adresu") != std::string::npos) {
            listed = true;
            // The contact without an address is left out.
            EXPECT_EQ(2, std::count_if(e.lines.begin(), e.lines.end(), [](const std::string& l) {
                          return l.find("@mesto.cz") != std::string::npos;
                      }));
        }
    }
    EXPECT_TRUE(refused);
    EXPECT_TRUE(listed);
}

TEST_F(ListingOfficeTest, AReportsPdfIsAttachedToTheTypedMessage) {
    std::string pdf = "%PDF-1.4\n";
    for (int i = 0; i < 300; ++i)
        pdf += static_cast<char>(i);
    WriteBytes(work_ / "sestava.pdf", pdf);
    ui_->QueueDialog("email=jan@zrizovatel.cz zprava=\"Výkaz v příloze\" key:F2");
    EXPECT_TRUE(SendFileByMail(env_, work_ / "sestava.pdf", "Výkaz I."_t));
    EXPECT_EQ(
        "From: ucetni@luna.cz\nTo: jan@zrizovatel.cz\nSubject: Výkaz I.\n"
        "part text/plain utf-8 None\npart application/pdf None sestava.pdf\n",
        Mail());
    EXPECT_EQ("Výkaz v příloze", ReadBytes(work_ / "part-0"));
    EXPECT_TRUE(pdf == ReadBytes(work_ / "part-1"));
    ui_->QueueDialog("key:Esc");
    EXPECT_FALSE(SendFileByMail(env_, work_ / "sestava.pdf", "Výkaz I."_t));
}

TEST_F(ListingOfficeTest, FailedSendingGivesTheMessagesOfEachMode) {
    struct Case {
        std::uint8_t mode;
        bool missing;
        std::string message;
    } cases[] = {
        {0, false, "Poštu se nepodařilo odeslat. Odešlete ji jako přílohu. fronta plná"},
        {1, false, "Poštu se nepodařilo odeslat. fronta plná"},
        {0, true, "Poštu se nepodařilo odeslat. Odešlete ji jako přílohu."},
    };
    for (const Case& c : cases) {
        env_.mailProgram = c.missing ? work_ / "chybi"
                                     : office::test::FakeSendmail(work_.Path(), 1, "fronta plná");
        Settings(5, c.mode);
        fs::remove(work_ / "s.htm");
        ui_->QueueValue((work_ / "s.htm").string());
        ui_->QueueDialog("email=a@b.cz key:F2");
        ui_->QueueOk();
        OutputListing(env_, view_);
        EXPECT_EQ(c.message, LastText()) << int(c.mode);
        EXPECT_TRUE(fs::exists(work_ / "s.htm"));
    }
}

}  // namespace
}  // namespace axo::ui

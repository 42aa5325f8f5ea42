// The forms the program ships: a new installation holds them in the forms files of both its
// years; each prints over the demo organisation as its golden printout (the chart of
// accounts, the PAP codes and the transaction codes from the installation, the address card
// from records fed to it by the test); and form files are read, refused and written again.
#include <gtest/gtest.h>

#include "FormsTestSupport.h"
#include "pap/DemoData.h"
#include "pap/DemoJournal.h"
#include "printforms/FormTypes.h"
#include "printforms/SessionForms.h"
#include "printforms/ShippedForms.h"
#include "startup/NewInstallation.h"
#include "startup/StartUp.h"
#include "storage/WorkFiles.h"

namespace axo::printforms {
namespace {

using testing::FixedRecords;
using testing::ReadFile;
using testing::WriteFile;
namespace fs = std::filesystem;

fs::path GoldenFile(const std::string& name) {
    return fs::path(AXO_TEST_SOURCE_DIR) / "printforms" / "golden" / name;
}

/// Compares with a golden file; with AXO_UPDATE_GOLDEN set the file is written instead.
void ExpectGolden(const std::string& name, const std::string& actual) {
    if (std::getenv("AXO_UPDATE_GOLDEN")) {
        WriteFile(GoldenFile(name), actual);
        return;
    }
    EXPECT_EQ(ReadFile(GoldenFile(name)), actual) << "golden file " << name;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines)
        text += l + "\n";
    return text;
}

/// The demo organisation in a new installation, and a session on it.
class ShippedFormsTest : public testing::FormsTest {
  protected:
    void SetUp() override {
        startup::NewInstallation request;
        request.directory = Home();
        request.year = 2024;
        request.firmName = "Základní škola Demo, p. o."_t;
        request.ico = pap::IcoWithCheckDigit(7088412);
        ASSERT_TRUE(startup::CreateInstallation(request, ui_, clock_)) << ui_.TranscriptText();
        startup::StartUpOptions options;
        options.password = startup::DefaultPassword();
        options.yearChoice = startup::StartUpOptions::YearChoice{"2024"_t, {}};
        session_ = std::make_unique<startup::Session>(ui_, clock_, Home(), "0000ABCD"_t, options);
        ASSERT_TRUE(startup::StartUp(*session_)) << ui_.TranscriptText();
        pap::DemoOptions demo;
        demo.lines = 200;
        pap::DemoResult result;
        ASSERT_TRUE(
            pap::InstallDemoData(PapLocationOf(*session_), session_->Context(), ui_, demo, result));
        forms_ = std::make_unique<SessionPrintForms>(*session_);
    }
    void TearDown() override {
        forms_.reset();
        session_.reset();
    }

    fs::path Home() const { return work_ / "axo"; }

    /// The printout of one form printed by its command.
    std::string PrintedBy(const Text& command) {
        const std::size_t before = ui_.Transcript().size();
        EXPECT_TRUE(PrintCommandStream(forms_->Environment().print, {command}, {}));
        return Joined(Shown(before));
    }

    std::unique_ptr<startup::Session> session_;
    std::unique_ptr<SessionPrintForms> forms_;
};

TEST_F(ShippedFormsTest, NewInstallationHoldsTheShippedForms) {
    std::size_t files = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(AXO_TEST_SOURCE_DIR) / ".." / "data" / "forms"))
        files += entry.path().extension() == ".frm";
    const std::vector<StoredForm> shipped = ShippedForms();
    ASSERT_EQ(files, shipped.size());  // every shipped file reads as a form
    for (const char* year : {"2023", "2024"}) {
        tFileFormular file(session_->Context(), Home() / "ciselniky" / year, FromUtf8(year));
        ASSERT_TRUE(file.InitFile(1, storage::_NoWait)) << year;
        const std::vector<StoredForm> stored = AllForms(file);
        ASSERT_EQ(shipped.size(), stored.size()) << year;
        for (const StoredForm& f : shipped) {
            const auto found = FindForm(file, f.type, f.name);
            ASSERT_TRUE(found) << ToUtf8(f.name);
            EXPECT_EQ(f.content, found->content);
            EXPECT_EQ(f.kind, found->kind);
        }
        file.CloseFile();
    }
}

TEST_F(ShippedFormsTest, SystemAcronymsOfTheSession) {
    {
        startup::tSouborAXO_USER users(session_->Context());
        ASSERT_TRUE(users.InitFilePath(storage::TextFromPath(Home() / "data" / "2024"), 1,
                                       storage::_NoWait));
        std::int32_t n = session_->AreaAt(startup::kAreaUcetnictvi).loginRecord;
        startup::tVetaAXO_USER user;
        ASSERT_TRUE(users.GetRec(n, &user));
        user.Mobil = "602 111 222"_t;
        user.Mail = "ucetni@zs-demo.cz"_t;
        ASSERT_TRUE(users.PutRec(n, &user));
        users.CloseFile();
    }
    const SystemAcronyms v = SystemAcronymsFor(*session_);
    EXPECT_EQ("15. 6.2024"_t, v.today);
    EXPECT_EQ("09:30:05"_t, v.time);
    EXPECT_EQ("2024"_t, v.yearCode);
    EXPECT_EQ("Základní škola Demo, p. o."_t, v.firmName);
    EXPECT_EQ((std::vector<double>{21, 12, 0}),
              (std::vector<double>{v.vatRates[0], v.vatRates[1], v.vatRates[2]}));
    EXPECT_EQ("UCETNI"_t, v.issuer);
    EXPECT_EQ("Kč"_t, v.currencySign);
    EXPECT_EQ("602 111 222"_t, v.mobile);
    EXPECT_EQ("ucetni@zs-demo.cz"_t, v.mail);
}

TEST_F(ShippedFormsTest, GoldenPrintoutsOverTheDemoOrganisation) {
    ExpectGolden("ucrozvrh-rozvrh-pap.txt", PrintedBy("UCROZVRH [ROZVRH PAP] "_t));
    ExpectGolden("ostatni-ciselnik-pap.txt", PrintedBy("OSTATNI [CISELNIK PAP] "_t));
    ExpectGolden("ostatni-kody-transakce.txt", PrintedBy("OSTATNI [KODY TRANSAKCE] "_t));
    // The address list of the installation is not kept here: the card prints an address fed
    // to it through the forms' data interface.
    FormPrintEnvironment print = forms_->Environment().print;
    print.dataSources = [](const StoredForm&, const Text&) {
        FixedRecords::Record address{{{"MATCH_CODE", "DODAV01"},
                                      {"ICO", "25596641"},
                                      {"DIC_FIRM", "CZ25596641"},
                                      {"NAZ_FIRM1", "Jídelní služby Morava s.r.o."},
                                      {"NAZ_FIRM2", "provozovna Brno"},
                                      {"NAZ_FIRM3", ""},
                                      {"NAZ_FIRM4", ""},
                                      {"ADR_FIRM", "Masarykova 12"},
                                      {"PSC_FIRM", "602 00"},
                                      {"MESTO_FIRM", "Brno"},
                                      {"Stat", ""},
                                      {"TELEF", "+420 541 000 111"},
                                      {"FAX", ""},
                                      {"TELEX", "+420 602 111 222"},
                                      {"EMail_ADRESA1", "objednavky@jidelni-sluzby.cz"},
                                      {"WWW", "www.jidelni-sluzby.cz"},
                                      {"BS", "123456789"},
                                      {"ZVL_DISP", "800"},
                                      {"NAZ_UST", "Česká spořitelna, a.s."},
                                      {"IBAN", "CZ6508000000000123456789"},
                                      {"SWIFT", "GIBACZPX"},
                                      {"POVAHA_TEXT", "dodavatel"},
                                      {"OSOBA_TEXT", "právnická osoba"},
                                      {"PLATNOST_TEXT", "platná adresa"}},
                                     {"Dodává obědy od září 2023.", "Fakturuje měsíčně."},
                                     {}};
        return std::make_unique<FixedRecords>(std::vector<FixedRecords::Record>{address});
    };
    const std::size_t before = ui_.Transcript().size();
    EXPECT_TRUE(PrintCommandStream(print, {"EXADRESY [KARTA ADRESY] "_t}, {}));
    ExpectGolden("exadresy-karta-adresy.txt", Joined(Shown(before)));
}

TEST_F(ShippedFormsTest, FormFilesReadRefusedAndWritten) {
    for (const StoredForm& f : ShippedForms()) {
        std::string error;
        const auto again = ReadFormFile(WriteFormFile(f), error);
        ASSERT_TRUE(again) << error;
        EXPECT_EQ(f.type, again->type);
        EXPECT_EQ(f.name, again->name);
        EXPECT_EQ(f.kind, again->kind);
        EXPECT_EQ(f.description1, again->description1);
        EXPECT_EQ(f.content, again->content);
    }
    const std::string body = "\n.RADEK\nx\n.KONEC\n";
    struct Case {
        std::string file;
        std::string error;
    } cases[] = {
        {"Typ: UCROZVRH\n" + body, "hlavička neuvádí název formuláře (Název: ...)"},
        {"Název: X\n" + body, "hlavička neuvádí typ formuláře (Typ: ...)"},
        {"Typ: FAKTURY\nNázev: X\n" + body, "řádek 1: neznámý typ formuláře \"FAKTURY\""},
        {"Typ: 36\nNázev: X\nDruh: -1\n" + body, "řádek 3: druh formuláře má být číslo 0 až 65535"},
        {"Typ: 36\nNazev: " + std::string(31, 'X') + "\n" + body,
         "řádek 2: název formuláře má mít 1 až 30 znaků"},
        {"Typ: 36\nNázev: X\nPopis2: " + std::string(81, 'x') + "\n" + body,
         "řádek 3: popis formuláře může mít nejvýše 80 znaků"},
        {"Typ: 36\nNázev: X\nBarva: modrá\n" + body, "řádek 3: neznámý údaj hlavičky \"Barva\""},
        {"Typ: 36\nNázev: X\n\n.RADEK\nx ☺\n.KONEC\n",
         "řádek 5: znak, který kódování Windows-1250 nemá"},
        {"Typ: 36\nNázev: X\n\n.FORMAT\nA=~D~3\n.KONEC\n",
         "formulář nemá žádný tištěný oddíl (.HLAVASESTAVY, .RADEK, ...)"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ReadFormFile(c.file, error)) << c.file;
        EXPECT_EQ(c.error, error) << c.file;
    }
}

}  // namespace
}  // namespace axo::printforms

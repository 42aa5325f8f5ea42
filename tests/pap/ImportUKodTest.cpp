// The text import of the transaction code list: codes with or without brackets, the partner duty
// of a third field followed by a tab, skipped repeats, files in either encoding, and a missing
// file asked about nothing.
#include "pap/ImportUKod.h"

#include "ImportTestSupport.h"

namespace axo::pap::test {
namespace {

class ImportUKodTest : public ImportTest {
  protected:
    std::vector<tVetaUKod> Codes() {
        std::vector<tVetaUKod> codes;
        for (const std::string& bytes : Dump<tFileUKod>()) {
            tVetaUKod c;
            std::memcpy(&c, bytes.data(), sizeof c);
            codes.push_back(c);
        }
        return codes;
    }
};

TEST_F(ImportUKodTest, FillsCodesNamesAndPartnerDutiesFromEitherEncoding) {
    const std::string text =
        "[401]\tPořízení\tx\t\r\n"
        "[402]\tBezúplatné nabytí\tx\r\n"  // no tab after the "x"
        "451\tVyřazení prodejem\t\t\r\n"
        "   \r\n"
        "[401]\tZnovu 401\t\t\n";
    struct Expect {
        const char* kod;
        const char* name;
        bool partner;
    } expected[] = {
        {"401", "Pořízení", true},
        {"402", "Bezúplatné nabytí", false},
        {"451", "Vyřazení prodejem", false},
    };
    // The family's files are in Windows-1250; one saved by a Linux editor is in UTF-8.
    const std::string files[] = {FromUtf8(text).Bytes(), text, "\xEF\xBB\xBF" + text};
    for (const std::string& bytes : files) {
        tVetaUKod old;
        old.Kod = "999"_t;
        Add<tFileUKod>(std::vector<tVetaUKod>{old});
        const auto file = WriteFile("UKod.txt", bytes);
        ui_.ClearTranscript();
        ui_.QueueButton(1);
        ui_.QueueOk();
        const CodeListImportResult r = ImportUKod(where_, ctx_, ui_, file);
        EXPECT_TRUE(r.done);
        EXPECT_EQ(3, r.written);
        EXPECT_EQ(1, r.skipped);
        const std::vector<tVetaUKod> codes = Codes();
        ASSERT_EQ(std::size(expected), codes.size());
        for (std::size_t i = 0; i < codes.size(); ++i) {
            EXPECT_EQ(FromUtf8(expected[i].kod), codes[i].Kod.Get());
            EXPECT_EQ(FromUtf8(expected[i].name), codes[i].Nazev.Get());
            EXPECT_EQ(expected[i].partner, codes[i].PARTNER2 != 0) << expected[i].kod;
            EXPECT_EQ("0"_t, codes[i].FILLER_STR.Get());
        }
        EXPECT_EQ((std::vector<std::string>{
                      "decision: Číselník bude smazán a předplněn obsahem souboru " +
                          file.string() + "!",
                      "message 1: HOTOVO!"}),
                  Shown());
    }
}

TEST_F(ImportUKodTest, MissingFileIsReportedBeforeAnyQuestion) {
    tVetaUKod old;
    old.Kod = "401"_t;
    Add<tFileUKod>(std::vector<tVetaUKod>{old});
    const auto before = Dump<tFileUKod>();
    ui_.QueueOk();
    EXPECT_FALSE(ImportUKod(where_, ctx_, ui_, dir_ / "UKod.txt").done);
    EXPECT_EQ(std::vector<std::string>{"message 1: Soubor " + (dir_ / "UKod.txt").string() +
                                       " neexistuje. Číselník nelze založit."},
              Shown());
    EXPECT_EQ(before, Dump<tFileUKod>());
}

}  // namespace
}  // namespace axo::pap::test

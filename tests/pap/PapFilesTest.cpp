// The tables PAP reads: their descriptions pass the structure check, records survive a round
// trip byte for byte, and the keys have the forms the statements rely on.
#include "pap/PapFiles.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ui/ScriptedUi.h"
#include "util/Clock.h"

namespace axo::pap {
namespace {

class PapFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() / ("axo_papfiles_" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        ctx_.ui = &ui_;
        ctx_.clock = &clock_;
        ctx_.programDirectory = dir_;
        ctx_.currentDirectory = dir_;
        where_ = {dir_, dir_, "2024"_t, 3};
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path dir_;
    ui::ScriptedUi ui_;
    FixedClock clock_{{2024, 3, 5, 10, 0, 0, 0}};
    storage::DataContext ctx_;
    PapLocation where_;
};

template <class Kind, class Record>
Record RoundTrip(Kind& file, const Record& record) {
    std::int32_t n = 0;
    EXPECT_TRUE(file.AddRec(n, &record));
    Record back;
    std::memset(static_cast<void*>(&back), 0x5A, sizeof back);
    EXPECT_TRUE(file.GetRec(n, &back));
    return back;
}

TEST_F(PapFilesTest, EveryTableOpensAndKeepsItsRecordsExactly) {
    tFileUDPO udpo(ctx_, where_);
    ASSERT_TRUE(udpo.InitFile(2, storage::_NoWait));
    EXPECT_EQ(dir_ / "UDPO2024.DB", udpo.DataFilePath());
    tVetaUDPO line;
    line.IDENTIFIKACE = "202403FA01 0012"_t;
    line.SU = 501;
    line.AE = 100;
    line.MA_DATI = 1234.56;
    line.PARTNER = "00000222"_t;
    line.KOD = "401"_t;
    line.SALDO_PAR.Day = 3;
    const tVetaUDPO back = RoundTrip(udpo, line);
    EXPECT_EQ(0, std::memcmp(&line, &back, sizeof line));

    tFileRozvrh chart(ctx_, where_);
    ASSERT_TRUE(chart.InitFile(2, storage::_NoWait));
    EXPECT_EQ("Rozv2024"_t, chart.FileName());
    tVetaRozvrh account;
    account.SE = 21;
    account.NAZ_UCT = "Stavby"_t;
    account.AKT_PAS = 'A';
    account.STAT_ANAL = "021"_t;
    account.VYKAZY[0] = 1;
    account.PO_CINNOST = 1;
    chart.SetNotes("poznámka"_t);
    const tVetaRozvrh chartBack = RoundTrip(chart, account);
    EXPECT_EQ(account.STAT_ANAL, chartBack.STAT_ANAL);
    EXPECT_EQ(1, chartBack.VYKAZY[0]);
    EXPECT_EQ("poznámka"_t, chart.ReadMemo("NOTES"_t));

    tFileUAPV codes(ctx_, where_);
    ASSERT_TRUE(codes.InitFile(2, storage::_NoWait));
    tVetaUAPV code;
    code.STAT_ANAL = "0211"_t;
    code.VYKAZ_I_II_III = 1;
    code.RADEK = 5;
    code.MD[1] = 1;
    code.DAL2[19] = 1;
    const tVetaUAPV codeBack = RoundTrip(codes, code);
    EXPECT_EQ(0, std::memcmp(&code, &codeBack, sizeof code));

    tFileUKod kinds(ctx_, where_);
    ASSERT_TRUE(kinds.InitFile(2, storage::_NoWait));
    tVetaUKod kod;
    kod.Kod = "401"_t;
    kod.Nazev = "Pořízení"_t;
    kod.PARTNER2 = 1;
    const tVetaUKod kodBack = RoundTrip(kinds, kod);
    EXPECT_EQ(0, std::memcmp(&kod, &kodBack, sizeof kod));

    tFileUDHL headers(ctx_, where_);
    ASSERT_TRUE(headers.InitFile(2, storage::_NoWait));
    tVetaUDHL header;
    header.IDENTIFIKACE = "202403FA01 0012"_t;
    header.DOKUMENTY[4] = "poslední"_t;
    const tVetaUDHL headerBack = RoundTrip(headers, header);
    EXPECT_EQ(0, std::memcmp(&header, &headerBack, sizeof header));
    EXPECT_TRUE(ui_.Transcript().empty());
}

TEST_F(PapFilesTest, KeysHaveTheFormsTheStatementsUse) {
    tFileUDPO udpo(ctx_, where_);
    tVetaUDPO line;
    line.PRIZNAK = 0;
    line.IDENTIFIKACE = "202303FA01 0012"_t;
    line.RADEK = 7;
    line.SU = 21;
    line.AE = 3;
    line.VS1 = "vs"_t;
    EXPECT_EQ("0202303FA01 001200007"_t, udpo.MakeKey(1, &line));
    EXPECT_EQ("021003VS             N"_t, udpo.MakeKey(2, &line));
    line.SALDO_PAR.Sec = 1;
    EXPECT_EQ('S', udpo.MakeKey(2, &line).back());

    tFileUAPV codes(ctx_, where_);
    tVetaUAPV code;
    code.VYKAZ_I_II_III = 1;
    code.RADEK = 5;
    EXPECT_EQ("10005"_t, codes.MakeKey(2, &code));
    code.VYKAZ_I_II_III = 0;
    code.RADEK = 12;
    EXPECT_EQ("00012"_t, codes.MakeKey(2, &code));
    code.STAT_ANAL = "šč1"_t;
    EXPECT_EQ("ŠČ1       "_t, codes.MakeKey(1, &code));

    struct Case {
        int kind;
        const char* name;
    } charts[] = {{0, "Rozp2024"}, {1, "Rozz2024"}, {2, "Rozr2024"},
                  {3, "Rozv2024"}, {4, "Rozn2024"}, {5, "Rozf2024"}};
    for (const Case& c : charts) {
        PapLocation where = where_;
        where.unitKind = c.kind;
        tFileRozvrh chart(ctx_, where);
        ASSERT_TRUE(chart.InitFile(0, storage::_NoWait));
        EXPECT_EQ(FromUtf8(c.name), chart.FileName());
    }
}

}  // namespace
}  // namespace axo::pap

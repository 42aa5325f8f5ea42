// What the record check tests share: a scratch directory with the tables of a fiscal year made
// through their file kinds, builders of accounts, PAP codes, transaction codes and document
// lines, and a scripted UI that keeps every shown printout byte for byte as the listing wrote
// it (Windows-1250, CR LF).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "control/papKonPAP.h"
#include "pap/PapFiles.h"
#include "ui/ScriptedUi.h"
#include "util/Clock.h"

namespace axo::control::test {

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

/// The scripted UI, keeping the listing files it is shown.
class CapturingUi : public ui::ScriptedUi {
  public:
    using ScriptedUi::ScriptedUi;
    void ShowListing(const ui::ListingView& listing, const std::function<void()>& output) override {
        listings.push_back(ReadBytes(listing.file));
        ScriptedUi::ShowListing(listing, output);
    }
    std::vector<std::string> listings;
};

inline pap::tVetaRozvrh Account(int su, int ae, const char* sa, bool kod,
                                std::initializer_list<int> vykazy = {}) {
    pap::tVetaRozvrh r;
    r.SE = static_cast<pap::Word>(su);
    r.AE = static_cast<pap::Word>(ae);
    r.STAT_ANAL = FromUtf8(sa);
    r.KOD = kod ? 1 : 0;
    for (int v : vykazy)
        r.VYKAZY[v - 1] = 1;
    return r;
}

/// A PAP code allowing the code numbers (1-20 debit, 51-70 credit); each gets a row of its own,
/// as the list's index of statement and row is unique.
inline pap::tVetaUAPV PapCode(const char* sa, std::initializer_list<int> numbers,
                              bool konsolidace = false) {
    static int row = 0;
    pap::tVetaUAPV r;
    r.STAT_ANAL = FromUtf8(sa);
    r.VYKAZ_I_II_III = 1;
    r.RADEK = static_cast<pap::Word>(++row);
    for (int n : numbers) {
        if (n >= 1 && n <= 20)
            r.MD[n - 1] = 1;
        else if (n >= 51 && n <= 70)
            r.DAL[n - 51] = 1;
    }
    r.Konsolidace = konsolidace ? 1 : 0;
    return r;
}

inline pap::tVetaUKod TransactionCode(const char* kod, bool twoPartners = false) {
    pap::tVetaUKod r;
    r.Kod = FromUtf8(kod);
    r.PARTNER2 = twoPartners ? 1 : 0;
    return r;
}

/// A document line: identification as stored (15 characters), line number, account, code and
/// amounts.
inline pap::tVetaUDPO Line(const char* id, int radek, int su, int ae, const char* kod, double md,
                           double dal) {
    pap::tVetaUDPO r;
    r.IDENTIFIKACE = FromUtf8(id);
    r.RADEK = radek;
    r.SU = static_cast<pap::Word>(su);
    r.AE = static_cast<pap::Word>(ae);
    r.KOD = FromUtf8(kod);
    r.MA_DATI = md;
    r.DAL = dal;
    return r;
}

inline pap::tVetaUDPO WithPartners(pap::tVetaUDPO r, const char* p1, const char* p2 = "",
                                   const char* vs = "") {
    r.PARTNER = FromUtf8(p1);
    r.PARTNER2 = FromUtf8(p2);
    r.VS1 = FromUtf8(vs);
    return r;
}

class RecordCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("axk" + std::to_string(::getpid()) + "_" + std::to_string(++counter_));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "out");
        ui::ScriptedUi::Options options;
        options.printoutDirectory = dir_ / "out";
        ui_ = std::make_unique<CapturingUi>(options);
        data_.ui = ui_.get();
        data_.clock = &clock_;
        data_.programDirectory = dir_;
        data_.currentDirectory = dir_;
        env_.data = &data_;
        env_.location = {dir_, dir_, "2023"_t, 3};
        env_.fiscalYear = 2023;
        env_.dialogs.programDate = "15. 6.2023"_t;
        env_.dialogs.clock = &clock_;
        env_.listing.data = &data_;
        env_.listing.firmName = "Příspěvková organizace Lípa"_t;
        env_.listing.firmAddress = "Dlouhá 12, Praha 1"_t;
        env_.listing.programDate = "15. 6.2023"_t;
        env_.listing.defaultNarrowLength = 0;
        env_.listing.defaultWideLength = 0;
        // Every table exists, so that a check finds empty ones.
        Chart();
        Codes();
        Kinds();
        Lines();
        Headers();
    }
    void TearDown() override {
        CloseTables();
        std::filesystem::remove_all(dir_);
    }

    // ---- Tables -------------------------------------------------------------------------
    storage::tSoubor& Chart() { return Open(chart_); }
    storage::tSoubor& Codes() { return Open(codes_); }
    storage::tSoubor& Kinds() { return Open(kinds_); }
    storage::tSoubor& Lines() { return Open(lines_); }
    storage::tSoubor& Headers() { return Open(headers_); }

    void Add(const pap::tVetaRozvrh& r) { Append(Chart(), &r); }
    void Add(const pap::tVetaUAPV& r) { Append(Codes(), &r); }
    void Add(const pap::tVetaUKod& r) { Append(Kinds(), &r); }
    void Add(const pap::tVetaUDPO& r) { Append(Lines(), &r); }

    void CloseTables() {
        chart_.reset();
        codes_.reset();
        kinds_.reset();
        lines_.reset();
        headers_.reset();
    }

    // ---- Running --------------------------------------------------------------------------
    /// The command with its dialog answered by `answer`; `then` queues the answers to what
    /// comes after the dialog.
    RecordCheckOutcome Check(const std::string& answer, const std::function<void()>& then = {}) {
        CloseTables();
        ui_->QueueDialog(answer);
        if (then)
            then();
        return CheckAccountingRecords(env_);
    }

    /// The lines of the last printout shown, Windows-1250 converted to UTF-8.
    std::vector<std::string> ProtocolLines() const {
        std::vector<std::string> lines;
        if (ui_->listings.empty())
            return lines;
        const std::string& raw = ui_->listings.back();
        std::size_t from = 0;
        for (std::size_t at; (at = raw.find("\r\n", from)) != std::string::npos; from = at + 2)
            lines.push_back(ListingToUtf8(Text::FromBytes(raw.substr(from, at - from))));
        return lines;
    }
    /// The framed detail lines of the last printout (not the frame or the column heading).
    std::vector<std::string> DetailLines() const {
        std::vector<std::string> rows;
        for (const std::string& line : ProtocolLines())
            if (line.rfind("│", 0) == 0 && line.find("Identifikace") == std::string::npos)
                rows.push_back(line);
        return rows;
    }
    /// The lines of the last message shown, joined by blanks.
    std::string LastMessage() const {
        std::string text;
        for (auto it = ui_->Transcript().rbegin(); it != ui_->Transcript().rend(); ++it)
            if (it->kind.rfind("message", 0) == 0) {
                for (const std::string& line : it->lines)
                    text += (text.empty() ? "" : " ") + line;
                break;
            }
        return text;
    }

    std::filesystem::path dir_;
    FixedClock clock_{{2023, 6, 15, 10, 30, 0, 0}};
    std::unique_ptr<CapturingUi> ui_;
    storage::DataContext data_;
    RecordCheckEnvironment env_;

  private:
    template <class Kind>
    storage::tSoubor& Open(std::unique_ptr<Kind>& file) {
        if (!file) {
            file = std::make_unique<Kind>(data_, env_.location);
            EXPECT_TRUE(file->InitFile(2, storage::_NoWait));
        }
        return *file;
    }
    static void Append(storage::tSoubor& file, const void* record) {
        std::int32_t n = 0;
        EXPECT_TRUE(file.AddRec(n, record));
    }

    std::unique_ptr<pap::tFileRozvrh> chart_;
    std::unique_ptr<pap::tFileUAPV> codes_;
    std::unique_ptr<pap::tFileUKod> kinds_;
    std::unique_ptr<pap::tFileUDPO> lines_;
    std::unique_ptr<pap::tFileUDHL> headers_;
    static inline int counter_ = 0;
};

}  // namespace axo::control::test

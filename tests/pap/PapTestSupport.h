// What the statement tests share: a scratch installation with the tables of fiscal year 2023
// made through their file kinds, builders of accounts, PAP codes, transaction codes and
// document lines, a statement context whose report receiver keeps the compiled rows, and the
// printouts shown during a run.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "pap/PapFiles.h"
#include "pap/StatementTitles.h"
#include "pap/Statements.h"
#include "pap/papVykaz.h"
#include "pap/papVysledek.h"
#include "ui/ScriptedUi.h"
#include "util/Cisla.h"
#include "util/Clock.h"
#include "util/Regional.h"

namespace axo::pap::test {

/// An account of the chart: (SU, AE), analytics, nature, the statements it takes part in and
/// its activity.
inline tVetaRozvrh Account(int su, int ae, const char* sa, char aktPas,
                           std::initializer_list<int> vykazy, int cinnost = 1) {
    tVetaRozvrh r;
    r.SE = static_cast<Word>(su);
    r.AE = static_cast<Word>(ae);
    r.NAZ_UCT = "Účet "_t + IntToText(su) + "/"_t + IntToText(ae);
    r.STAT_ANAL = FromUtf8(sa);
    r.AKT_PAS = static_cast<Byte>(aktPas);
    for (int v : vykazy)
        r.VYKAZY[v - 1] = 1;
    r.PO_CINNOST = static_cast<Byte>(cinnost);
    return r;
}

/// A PAP code: analytics, group and row, the statements it belongs to.
inline tVetaUAPV PapCode(const char* sa, int group, int row, std::initializer_list<int> vykazy) {
    tVetaUAPV r;
    r.STAT_ANAL = FromUtf8(sa);
    r.VYKAZ_I_II_III = static_cast<Byte>(group);
    r.RADEK = static_cast<Word>(row);
    r.POPIS = "Řádek "_t + FromUtf8(sa);
    for (int v : vykazy)
        r.VYKAZY[v - 1] = 1;
    return r;
}

/// Sets the debit flags (1-40) and credit flags (51-90) of a PAP code.
inline void Flags(tVetaUAPV& r, std::initializer_list<int> numbers) {
    for (int n : numbers) {
        if (n >= 1 && n <= 20)
            r.MD[n - 1] = 1;
        else if (n >= 21 && n <= 40)
            r.MD2[n - 21] = 1;
        else if (n >= 51 && n <= 70)
            r.DAL[n - 51] = 1;
        else if (n >= 71 && n <= 90)
            r.DAL2[n - 71] = 1;
    }
}

inline tVetaUKod TransactionCode(const char* kod, bool partner2 = false) {
    tVetaUKod r;
    r.Kod = FromUtf8(kod);
    r.Nazev = "Kód "_t + FromUtf8(kod);
    r.PARTNER2 = partner2 ? 1 : 0;
    return r;
}

/// The number of the next document Line makes (each test starts from 1).
inline int gDocumentNumber = 0;

/// A document line of period `ym` ("202303"; "202300" for the opening balances), each in a
/// document of its own ("FA01" and a number).
inline tVetaUDPO Line(const char* ym, int su, int ae, double md, double dal) {
    tVetaUDPO r;
    r.IDENTIFIKACE = FromUtf8(ym) + "FA01"_t + IntToTextZeros(++gDocumentNumber % 100000, 5);
    r.RADEK = 1;
    r.SU = static_cast<Word>(su);
    r.AE = static_cast<Word>(ae);
    r.MA_DATI = md;
    r.DAL = dal;
    return r;
}

inline tVetaUDPO WithKod(tVetaUDPO r, const char* kod) {
    r.KOD = FromUtf8(kod);
    return r;
}

inline tVetaUDPO WithPartner(tVetaUDPO r, const char* p1, const char* p2 = "",
                             const char* nazev = "") {
    r.PARTNER = FromUtf8(p1);
    r.PARTNER2 = FromUtf8(p2);
    r.POZNAMKA = FromUtf8(nazev);
    return r;
}

class StatementTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gDocumentNumber = 0;
        dir_ = std::filesystem::temp_directory_path() /
               ("axp" + std::to_string(::getpid()) + "_" + std::to_string(++counter_));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "out");
        ui::ScriptedUi::Options options;
        options.printoutDirectory = dir_ / "out";
        ui_ = std::make_unique<ui::ScriptedUi>(options);
        data_.ui = ui_.get();
        data_.clock = &clock_;
        data_.programDirectory = dir_;
        data_.currentDirectory = dir_;
        where_ = {dir_, dir_, "2023"_t, 3};
        ctx_.data = &data_;
        ctx_.location = where_;
        ctx_.fiscalYear = 2023;
        ctx_.currentMonth = 6;
        ctx_.dialogs.programDate = "15. 6.2023"_t;
        ctx_.dialogs.fiscalYearFirstDay = " 1. 1.2023"_t;
        ctx_.dialogs.fiscalYearLastDay = "31.12.2023"_t;
        ctx_.dialogs.clock = &clock_;
        ctx_.listing.data = &data_;
        ctx_.listing.firmName = "Příspěvková organizace"_t;
        ctx_.listing.programDate = "15. 6.2023"_t;
        ctx_.listing.defaultNarrowLength = 0;
        ctx_.listing.defaultWideLength = 0;
        ctx_.runReport = [this](const ReportHandOver& h) {
            handOver_ = h;
            auto file = OpenResultFile(data_, h);
            ASSERT_TRUE(file);
            rows_ = ReadResultRows(*file);
            file->CloseFile();
            DeleteResultFile(h.dataFile);
        };
        // Every table exists, so that a statement finds empty ones.
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

    // ---- Tables ---------------------------------------------------------------------------
    tFileRozvrh& Chart() { return Open(chart_); }
    tFileUAPV& Codes() { return Open(codes_); }
    tFileUKod& Kinds() { return Open(kinds_); }
    tFileUDPO& Lines() { return Open(lines_); }
    tFileUDHL& Headers() { return Open(headers_); }

    void Add(const tVetaRozvrh& r) { Append(Chart(), r); }
    void Add(const tVetaUAPV& r) { Append(Codes(), r); }
    void Add(const tVetaUKod& r) { Append(Kinds(), r); }
    void Add(const tVetaUDPO& r) { Append(Lines(), r); }

    void CloseTables() {
        chart_.reset();
        codes_.reset();
        kinds_.reset();
        lines_.reset();
        headers_.reset();
    }

    // ---- Running --------------------------------------------------------------------------
    /// Compiles statement `cislo` for months od..do (period dialog answered); true when it
    /// compiled. The rows the report would show are in rows_.
    bool Compile(int cislo, int od, int doMesic, const std::string& extra = {}) {
        CloseTables();
        rows_.clear();
        ui_->QueueDialog("mesicOd=" + std::to_string(od) + " mesicDo=" + std::to_string(doMesic) +
                         (extra.empty() ? "" : " " + extra) + " key:F2");
        Text result;
        return SestavVykazCislo(ctx_, cislo, StatementCaption(cislo), {}, nullptr, result);
    }

    /// The lines of every printout shown so far (UTF-8), printouts one after another.
    std::vector<std::string> Printouts() const {
        std::vector<std::string> lines;
        for (const ui::TranscriptEntry& e : ui_->Transcript()) {
            if (e.kind != "printout" || e.lines.empty() || e.lines[0].rfind("file: ", 0) != 0)
                continue;
            std::ifstream in(e.lines[0].substr(6));
            for (std::string line; std::getline(in, line);)
                lines.push_back(line);
        }
        return lines;
    }
    /// The detail lines of the printouts: framed lines that are not frame or caption lines.
    std::vector<std::string> ProtocolRows() const {
        std::vector<std::string> rows;
        for (const std::string& line : Printouts())
            if (line.rfind("│", 0) == 0 && line.find("Identifikace") == std::string::npos &&
                line.find("St.analytika") == std::string::npos)
                rows.push_back(line);
        return rows;
    }
    /// The legend lines after "Vysvětlivky značek:" in the printouts, trailing blanks removed.
    std::vector<std::string> LegendLines() const {
        std::vector<std::string> lines;
        bool legend = false;
        for (const std::string& line : Printouts()) {
            if (line.find("Vysvětlivky značek:") != std::string::npos) {
                legend = true;
                continue;
            }
            if (legend && line.rfind("  ", 0) == 0)
                lines.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
            else
                legend = false;
        }
        return lines;
    }
    /// The text of the last window shown, its lines joined by blanks.
    std::string LastMessage() const {
        std::string text;
        if (!ui_->Transcript().empty())
            for (const std::string& line : ui_->Transcript().back().lines)
                text += (text.empty() ? "" : " ") + line;
        return text;
    }
    int PrintoutCount() const {
        int n = 0;
        for (const ui::TranscriptEntry& e : ui_->Transcript())
            n += e.kind == "printout";
        return n;
    }

    /// The row of analytics `sa` (the first one); fails the test when there is none.
    const tVeta_Zorvi& Row(const char* sa) const {
        for (const tVeta_Zorvi& r : rows_)
            if (r.SA.Get() == FromUtf8(sa))
                return r;
        ADD_FAILURE() << "no row " << sa;
        static tVeta_Zorvi none;
        return none;
    }
    static double Col(const tVeta_Zorvi& r, int c) { return r.Sloupec[c].SLOUPEC; }

    std::filesystem::path dir_;
    FixedClock clock_{{2023, 6, 15, 10, 0, 0, 0}};
    std::unique_ptr<ui::ScriptedUi> ui_;
    storage::DataContext data_;
    PapLocation where_;
    StatementContext ctx_;
    std::vector<tVeta_Zorvi> rows_;
    ReportHandOver handOver_;
    ScopedRegionalSettings regional_{RegionalSettings{',', ' '}};

  private:
    template <class Kind>
    Kind& Open(std::unique_ptr<Kind>& file) {
        if (!file) {
            file = std::make_unique<Kind>(data_, where_);
            EXPECT_TRUE(file->InitFile(2, storage::_NoWait));
        }
        return *file;
    }
    template <class Record>
    static void Append(storage::tSoubor& file, const Record& r) {
        std::int32_t n = 0;
        EXPECT_TRUE(file.AddRec(n, &r));
    }

    std::unique_ptr<tFileRozvrh> chart_;
    std::unique_ptr<tFileUAPV> codes_;
    std::unique_ptr<tFileUKod> kinds_;
    std::unique_ptr<tFileUDPO> lines_;
    std::unique_ptr<tFileUDHL> headers_;
    static inline int counter_ = 0;
};

}  // namespace axo::pap::test

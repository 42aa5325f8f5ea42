// What the XML export tests share: a scratch program directory with a parameter vault, a fixed
// clock an hour ahead of UTC, a strict scripted front end, result files made directly through
// their file kind, the standard parameter block, golden files and the xmllint checks.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "pap/StatementTitles.h"
#include "pap/papVykazFiles.h"
#include "startup/Trezor.h"
#include "storage/WorkFiles.h"
#include "ui/ScriptedUi.h"
#include "util/Clock.h"
#include "util/Retezce.h"
#include "xml/papXML.h"

namespace axo::xml::test {

namespace fs = std::filesystem;

inline constexpr const char* kTransactionId = "0123456789abcdef0123456789abcdef";

inline std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

inline fs::path GoldenFile(const std::string& name) {
    return fs::path(AXO_TEST_SOURCE_DIR) / "xml" / "golden" / name;
}

/// Compares a file with its golden copy byte for byte; with AXO_UPDATE_GOLDEN set the golden
/// copy is rewritten instead (review the difference before committing it).
inline void ExpectGolden(const std::string& name, const fs::path& written) {
    const std::string actual = ReadBytes(written);
    if (std::getenv("AXO_UPDATE_GOLDEN")) {
        WriteBytes(GoldenFile(name), actual);
        return;
    }
    EXPECT_EQ(ReadBytes(GoldenFile(name)), actual) << "golden file " << name;
}

/// xmllint's exit code for a file: well-formedness only, or with the envelope schema.
inline int Xmllint(const fs::path& file, bool schema) {
    const fs::path xsd = fs::path(AXO_TEST_SOURCE_DIR) / ".." / "src" / "xml" / "schema" /
                         "DERIVED_iissp_messaging_anybody.xsd";
    const std::string command = std::string("xmllint --noout ") +
                                (schema ? "--schema '" + xsd.string() + "' " : std::string()) +
                                "'" + file.string() + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

/// The names of the entries of a directory, sorted.
inline std::vector<std::string> Entries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

/// A result row of statement `cislo` for months 1-12 of `rok`, with its row number and analytics.
inline pap::tVeta_Zorvi Zorvi(int cislo, int radek, const char* sa, int rok) {
    pap::tVeta_Zorvi r;
    pap::VyplnHlavicku(r, cislo, Trim(pap::StatementCaption(cislo)), 1, 12, rok);
    r.RADEK = static_cast<pap::Word>(radek);
    r.SA = FromUtf8(sa);
    return r;
}

/// Sets a cell: amount, transaction code and mark.
inline void SetCell(pap::tSloupec& cell, double amount, const char* code, int mark = 1) {
    cell.SLOUPEC = amount;
    cell.TRANSAKCE = FromUtf8(code);
    cell.KRIZEK = static_cast<pap::Byte>(mark);
}

/// Crosses out every cell of a row (mark 255), as the statements do with codes not allowed.
inline void CrossOutAll(pap::tVeta_Zorvi& r) {
    for (pap::tSloupec& c : r.Sloupec)
        c.KRIZEK = pap::kKrizekSkrtnut;
    for (pap::tSloupec& c : r.SloupecMD)
        c.KRIZEK = pap::kKrizekSkrtnut;
    for (pap::tSloupec& c : r.SloupecDAL)
        c.KRIZEK = pap::kKrizekSkrtnut;
}

class XmlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "axo-xml-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
        out_ = dir_ / "out";
        fs::create_directories(out_);
        ui_ = std::make_unique<ui::ScriptedUi>();
        ui_->RegisterStatusBar();
        ui_->SetPrintoutDirectory(dir_);
        data_.ui = ui_.get();
        data_.clock = &clock_;
        data_.programDirectory = dir_;
        data_.currentDirectory = dir_;
        vault_ = startup::OpenVault(data_, startup::VaultKind::Parameters, "UCETNI"_t, 0);
        ASSERT_TRUE(vault_);
        ctx_.data = &data_;
        ctx_.fiscalYear = 2023;
        ctx_.dialogs.programDate = "15. 1.2024"_t;
        ctx_.dialogs.clock = &clock_;
        ctx_.parameterVault = vault_.get();
        ctx_.dataDirectory = dir_ / "data";
        ctx_.firmIco = "87654321"_t;
        ctx_.firmName = "Firma z instalace"_t;
        ctx_.firmPhone = "601 222 333"_t;
        ctx_.templateDirectory = dir_ / "sablony";
        ctx_.driveReady = [this](const fs::path&) { return driveReady_; };
    }
    void TearDown() override {
        startup::CloseVault(vault_);
        fs::remove_all(dir_);
    }

    /// The block every export test works with (target: the scratch "out/").
    XmlExportParams Params() const {
        XmlExportParams p{};
        p.targetDirectory = FromUtf8((out_ / "").string());
        p.ico = "12345678"_t;
        p.unitName = "Škola & spol. \"U lípy\""_t;
        p.responsiblePerson = "Jana Nováková"_t;
        p.email = "jana@skola.cz"_t;
        p.zoNumber = "1234"_t;
        p.budgetChapter = "333"_t;
        p.telephone = "777 123 456"_t;
        p.statementDate = "30. 6.2013"_t;
        return p;
    }
    /// Stores a block in the vault, as an earlier accepted dialog would have.
    void StoreParams(const XmlExportParams& p) {
        startup::SaveSettings(vault_.get(), kParamsGroup, kParamsItem, &p, sizeof p);
    }
    XmlExportParams StoredParams() {
        XmlExportParams p{};
        startup::LoadSettings(vault_.get(), kParamsGroup, kParamsItem, &p, sizeof p);
        return p;
    }

    /// A result file of statement `cislo` holding the rows (appended in the order given).
    std::unique_ptr<pap::tFileZorvi> ResultFile(int cislo,
                                                const std::vector<pap::tVeta_Zorvi>& rows) {
        const pap::StatementKind kind{cislo, ctx_.fiscalYear > 2013};
        auto file = std::make_unique<pap::tFileZorvi>(
            data_, storage::RandomNotExistName(data_, dir_, "WK"_t), kind);
        EXPECT_TRUE(file->InitFile(3, storage::_NoWait));
        for (const pap::tVeta_Zorvi& r : rows) {
            std::int32_t n = 0;
            EXPECT_TRUE(file->AddRec(n, &r));
        }
        return file;
    }

    /// Exports a result file through the dialog (answered with the fixed transfer identifier)
    /// and the closing message; the path written.
    std::optional<fs::path> Export(int cislo, const std::vector<pap::tVeta_Zorvi>& rows) {
        StoreParams(Params());
        auto file = ResultFile(cislo, rows);
        // The fragments' dialog asks only for the directory.
        ui_->QueueDialog(cislo <= 9 ? std::string("key:F2")
                                    : std::string("transakce=") + kTransactionId + " key:F2");
        ui_->QueueOk();
        auto path = ExportStatementXml(ctx_, file.get(), false, {}, 0);
        file->DeleteFile();
        return path;
    }

    /// The lines of the transcript's messages, each window's lines joined by blanks.
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const ui::TranscriptEntry& e : ui_->Transcript()) {
            if (e.kind == "dialog" || e.kind == "printout")
                continue;
            std::string text;
            for (const std::string& line : e.lines)
                if (!line.empty())
                    text += (text.empty() ? "" : " ") + line;
            texts.push_back(text);
        }
        return texts;
    }

    /// The text of each printout shown (the files are UTF-8).
    std::vector<std::string> Printouts() const {
        std::vector<std::string> texts;
        for (const ui::TranscriptEntry& e : ui_->Transcript())
            if (e.kind == "printout" && !e.lines.empty() && e.lines.front().rfind("file: ", 0) == 0)
                texts.push_back(ReadBytes(e.lines.front().substr(6)));
        return texts;
    }

    fs::path dir_;
    fs::path out_;
    FixedClock clock_{{2024, 3, 5, 10, 7, 6, 0}, 60};
    std::unique_ptr<ui::ScriptedUi> ui_;
    storage::DataContext data_;
    std::unique_ptr<startup::tTrezor> vault_;
    XmlExportContext ctx_;
    bool driveReady_ = true;
};

}  // namespace axo::xml::test

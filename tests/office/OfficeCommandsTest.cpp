// axo-pap-cli --odt, --xlsx and --mail end to end on a demo installation: the control account
// statement as a workbook whose groups sum to their total lines, the statement's result rows
// as a sheet and mailed with the PDF and the workbook attached, the record check mailed with a
// message, and refusals and failures that send nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "office/OfficeTestSupport.h"

namespace axo::office::test {
namespace {

using axo::test::CliRun;

class OfficeCommandsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("axo-office-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "tmp");
        const CliRun demo =
            Cli("demo-install " + Home().string() + " --year 2023 --lines 400 --seed 11");
        ASSERT_EQ(0, demo.code) << demo.err;
        std::ofstream(Home() / "AXO.CFG", std::ios::app)
            << "\r\nAXO_POSTA_PROGRAM=" << (dir_ / "fake-sendmail").string()
            << "\r\nAXO_POSTA_ODESILATEL=ucetni@zs-demo.cz\r\n";
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }
    void SetUp() override {
        FakeSendmail(dir_);
        fs::remove(dir_ / "sendmail.eml");
    }

    static fs::path Home() { return dir_ / "skola"; }
    static CliRun Cli(const std::string& args) { return axo::test::RunCliTmp(dir_, args); }
    static CliRun InHome(const std::string& args) {
        return Cli(args + " --home " + Home().string() + " --password ucetni --year 2023");
    }
    static std::string Mail() { return ParsedMail(dir_, dir_ / "sendmail.eml"); }

    static inline fs::path dir_;
};

/// The fields of a CSV line (";" between them, text in double quotes when it needs them).
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ';' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

/// The cells of a sheet by row and column letter.
std::map<int, std::map<char, StoredCell>> Rows(const std::map<std::string, StoredCell>& cells) {
    std::map<int, std::map<char, StoredCell>> rows;
    for (const auto& [ref, cell] : cells)
        if (ref.size() >= 2 && std::isdigit(static_cast<unsigned char>(ref[1])))
            rows[std::stoi(ref.substr(1))][ref[0]] = cell;
    return rows;
}

TEST_F(OfficeCommandsTest, ControlStatementWorkbookGroupsSumToTheirTotalsAndTheDocumentReads) {
    const fs::path xlsx = dir_ / "vypis.xlsx";
    const fs::path odt = dir_ / "vypis.odt";
    const CliRun run = InHome("control-statement --from 1 --to 12 --xlsx " + xlsx.string() +
                              " --odt " + odt.string());
    ASSERT_EQ(0, run.code) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("Sešit: " + xlsx.string() + "\n")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("Dokument: " + odt.string() + "\n")) << run.out;
    // The rows of one analytics (column A) end with its total line: the debits (column G) of
    // its booked lines (those with an identification in column B) sum to the total's.
    const auto rows = Rows(SheetCells(dir_, xlsx));
    std::vector<std::vector<std::map<char, StoredCell>>> groups;
    std::string group = "-";
    int previous = 0;
    for (const auto& [r, row] : rows) {
        if (!row.contains('G') || !row.at('G').number || !row.contains('A'))
            continue;
        if (row.at('A').value != group || r != previous + 1)
            groups.emplace_back();
        group = row.at('A').value;
        groups.back().push_back(row);
        previous = r;
    }
    for (const auto& rowsOfGroup : groups) {
        double sum = 0;
        for (const auto& row : rowsOfGroup)
            if (row.contains('B'))
                sum += std::stod(row.at('G').value);
        ASSERT_FALSE(rowsOfGroup.back().contains('B')) << rowsOfGroup.back().at('A').value;
        EXPECT_NEAR(sum, std::stod(rowsOfGroup.back().at('G').value), 0.005)
            << rowsOfGroup.back().at('A').value;
    }
    EXPECT_GT(groups.size(), 10u);
    EXPECT_GT(previous, 100);
    EXPECT_EQ("IDENTIFIKACE", rows.at(rows.begin()->first + 5).at('B').value);
    for (const char* part : {"content.xml", "styles.xml", "meta.xml", "META-INF/manifest.xml"})
        EXPECT_TRUE(WellFormed(dir_, odt, part)) << part;
    EXPECT_NE(std::string::npos,
              ZipPart(dir_, odt, "content.xml").find("Kontrolní výpis z účtu od 1 do 12/2023"));
}

TEST_F(OfficeCommandsTest, StatementRowsAsASheetMailedWithThePdfAndTheWorkbook) {
    const fs::path xlsx = dir_ / "vykaz1.xlsx";
    const fs::path pdf = dir_ / "vykaz1.pdf";
    const fs::path csv = dir_ / "vykaz1.csv";
    const CliRun run =
        InHome("statement 1 --from 1 --to 12 --csv " + csv.string() + " --pdf " + pdf.string() +
               " --xlsx " + xlsx.string() + " --mail reditel@zrizovatel.cz");
    ASSERT_EQ(0, run.code) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("Odesláno: reditel@zrizovatel.cz\n")) << run.out;
    // The result rows: the field names as bold headings, the amounts as numbers whose sum is
    // the CSV's.
    std::ifstream in(csv);
    std::string line;
    std::getline(in, line);
    const std::vector<std::string> names = CsvFields(line);
    const auto found = std::find(names.begin(), names.end(), "SLOUPEC01");
    ASSERT_NE(names.end(), found);
    const std::size_t column = static_cast<std::size_t>(found - names.begin());
    ASSERT_LT(column, 26u);
    double csvSum = 0;
    int csvRows = 0;
    for (; std::getline(in, line); ++csvRows)
        csvSum += std::stod(CsvFields(line).at(column));
    const auto rows = Rows(SheetCells(dir_, xlsx));
    const char letter = static_cast<char>('A' + column);
    EXPECT_EQ("SLOUPEC01", rows.at(1).at(letter).value);
    EXPECT_NE(0, rows.at(1).at(letter).style);
    double sheetSum = 0;
    for (int r = 2; r <= csvRows + 1; ++r) {
        ASSERT_TRUE(rows.at(r).at(letter).number) << r;
        sheetSum += std::stod(rows.at(r).at(letter).value);
    }
    EXPECT_EQ(static_cast<std::size_t>(csvRows + 1), rows.size() >= 1 ? rows.rbegin()->first : 0);
    EXPECT_NEAR(csvSum, sheetSum, 0.005);
    // The mail: the rows and the protocol as the HTML body, the files attached byte for byte.
    EXPECT_EQ(
        "From: ucetni@zs-demo.cz\nTo: reditel@zrizovatel.cz\n"
        "Subject: I. Počáteční a koncové stavy a obraty na vybraných rozvahových účtech\n"
        "part text/html utf-8 None\n"
        "part application/pdf None vykaz1.pdf\n"
        "part text/csv utf-8 vykaz1.csv\n"
        "part application/vnd.openxmlformats-officedocument.spreadsheetml.sheet None "
        "vykaz1.xlsx\n",
        Mail());
    EXPECT_TRUE(ReadFile(pdf) == ReadFile(dir_ / "part-1"));
    EXPECT_TRUE(ReadFile(csv) == ReadFile(dir_ / "part-2"));
    EXPECT_TRUE(ReadFile(xlsx) == ReadFile(dir_ / "part-3"));
    EXPECT_NE(std::string::npos,
              ReadFile(dir_ / "part-0").find("chybov&#253; protokol [od 1 do 12/2023]"));
}

TEST_F(OfficeCommandsTest, CheckProtocolMailedWithAMessage) {
    const CliRun run = InHome(
        "check --from 1 --to 12 --mail reditel@zrizovatel.cz --subject 'Kontrola 2023' "
        "--message 'Dobrý den, posílám protokol.'");
    ASSERT_EQ(0, run.code) << run.err;
    EXPECT_EQ(
        "From: ucetni@zs-demo.cz\nTo: reditel@zrizovatel.cz\nSubject: Kontrola 2023\n"
        "part text/plain utf-8 None\n"
        "part text/html utf-8 kontrola-01-12.htm\n",
        Mail());
    EXPECT_EQ("Dobrý den, posílám protokol.", ReadFile(dir_ / "part-0"));
    EXPECT_EQ(0u, ReadFile(dir_ / "part-1").find("<HTML><HEAD>"));
    EXPECT_EQ("-t -oi\n", ReadFile(dir_ / "sendmail.args"));
}

TEST_F(OfficeCommandsTest, RefusalsAndFailuresSendNothing) {
    struct Case {
        std::string args;
        int code;
        std::string message;
    } cases[] = {
        {"check --mail 'a@b.cz,c@d.cz'", 2, "Volba --mail čeká e-mailovou adresu"},
        {"check --subject S", 2, "Volby --subject a --message patří k volbě --mail."},
        {"control-statement --mail nikdo", 2, "Volba --mail čeká e-mailovou adresu"},
        {"check --from 1 --to 12 --xlsx " + (dir_ / "chybi/k.xlsx").string() + " --mail a@b.cz", 1,
         "Soubor " + (dir_ / "chybi/k.xlsx").string() + " nelze zapsat"},
    };
    for (const Case& c : cases) {
        const CliRun run = InHome(c.args);
        EXPECT_EQ(c.code, run.code) << c.args << "\n" << run.err;
        EXPECT_NE(std::string::npos, run.err.find(c.message)) << c.args << "\n" << run.err;
        EXPECT_FALSE(fs::exists(dir_ / "sendmail.eml")) << c.args;
    }
    FakeSendmail(dir_, 75, "queue full");
    const CliRun failed = InHome("check --from 1 --to 12 --mail a@b.cz");
    EXPECT_EQ(1, failed.code);
    EXPECT_NE(std::string::npos,
              failed.err.find("Poštu se nepodařilo odeslat. Odešlete ji jako přílohu.\nqueue full"))
        << failed.err;
}

}  // namespace
}  // namespace axo::office::test

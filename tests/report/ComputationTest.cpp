// A report run over small record sets with results worked out by hand: aggregations and the
// moments functions restart (report, group, the first record of a new group included), nulls
// skipped or taken, references to other functions, group counters; host-fed records and the
// ends of a run; references that do not resolve; the fields of a statement's result file.
#include <cmath>

#include "ReportTestSupport.h"
#include "pap/papVykazFiles.h"
#include "report/data/RecordBridge.h"
#include "report/data/StatementSource.h"

namespace axo::report::test {
namespace {

using Cell = RowsBridge::Cell;

/// Two groups over five records, one amount null. Footers show the group functions and
/// counters, the report end the report-level ones.
const char* const kGroups = R"pts(I,4,0,"SKUPINA",1,10,1,10,0
I,4,1,"PODSKUPINA",1,10,1,10,0
F,0,Vse,"",0,"0",0,"#CASTKA",2,15,2,2
F,1,Sk0,"",0,"0",2,"#CASTKA",2,15,2,2
F,2,Sk1,"",0,"0",3,"#CASTKA",2,15,2,2
F,3,Pocet0,"",0,"0",2,"#CASTKA",1,15,0,2
F,4,Min0,"",0,"0",2,"#CASTKA",4,15,2,2
F,5,Max0,"",0,"0",2,"#CASTKA",5,15,2,2
F,6,Prumer,"",0,"0",0,"#CASTKA",3,15,2,2
F,7,Odchylka,"",0,"0",0,"#CASTKA",6,15,4,2
F,8,Predchozi,"",0,"0",0,"@10",0,15,2,2
F,9,Castka,"",0,"0",0,"#CASTKA",0,15,2,2
T,6,Castka
T,5,7
U1,6,Sk1
U0,6,Sk0
U0,6,Pocet0
U0,6,Min0
U0,6,Max0
U0,5,5
U0,5,6
K,6,Vse
K,6,Prumer
K,6,Odchylka
K,6,Predchozi
K,6,Castka
K,5,2)pts";

class ComputationTest : public ::testing::Test {
  protected:
    std::vector<Printed> RunGroups(bool skipNulls) {
        report_.dataSource = &rows_;
        report_.allowNullValues = skipNulls;
        ReadTemplate(report_, Lines(kGroups));
        return RunReport(report_);
    }
    /// The texts of the printed sections of one number, in print order.
    static std::vector<std::vector<std::string>> Of(const std::vector<Printed>& printed,
                                                    int section) {
        std::vector<std::vector<std::string>> texts;
        for (const Printed& p : printed)
            if (p.section == section)
                texts.push_back(p.texts);
        return texts;
    }

    ScopedRegionalSettings regional_{RegionalSettings{',', ' '}};
    RowsBridge rows_{{{"SKUPINA", kFtString}, {"PODSKUPINA", kFtString}, {"CASTKA", kFtFloat}},
                     {{"A", "a1", "10"},
                      {"A", "a1", "20"},
                      {"A", "a2", std::nullopt},
                      {"A", "a2", "4"},
                      {"B", "b1", "6"}}};
    TSestavaTyp report_;
};

TEST_F(ComputationTest, SectionsPrintInOrderAndFunctionsRestartWithTheirGroups) {
    const std::vector<Printed> printed = RunGroups(true);
    std::vector<int> order;
    for (const Printed& p : printed)
        order.push_back(p.section);
    const int S0 = GroupHeaderSection(0), U0 = GroupFooterSection(0);
    const int S1 = GroupHeaderSection(1), U1 = GroupFooterSection(1);
    EXPECT_EQ((std::vector<int>{kReportStart, kPageHeader, S0, S1, kBody, kBody, U1, S1, kBody,
                                kBody, U1, U0, S0, S1, kBody, U1, U0, kReportEnd, kPageFooter}),
              order);
    // Bodies: the amount (a skipped null prints empty) and the row inside group 1.
    EXPECT_EQ((std::vector<std::vector<std::string>>{
                  {"10,00", "1"}, {"20,00", "2"}, {"", "1"}, {"4,00", "2"}, {"6,00", "1"}}),
              Of(printed, kBody));
    // Group 1 restarts at each change, the new group's first record included.
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"30,00"}, {"4,00"}, {"6,00"}}),
              Of(printed, U1));
    // Group 0: sum, count, minimum and maximum of the values taken (the null is not), the row
    // in the group and the group's running number.
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"34,00", "3", "4,00", "20,00", "4", "1"},
                                                     {"6,00", "1", "6,00", "6,00", "1", "2"}}),
              Of(printed, U0));
    // Report: sum, average of four values, their standard deviation (sqrt(152 / 3)), the
    // previous record's value of a later function, the last value, the row number.
    EXPECT_EQ(
        (std::vector<std::vector<std::string>>{{"40,00", "10,00", "7,1181", "4,00", "6,00", "5"}}),
        Of(printed, kReportEnd));
}

TEST_F(ComputationTest, NullsAreTakenAsZeroWhenNotSkipped) {
    const std::vector<Printed> printed = RunGroups(false);
    EXPECT_EQ("0,00", Of(printed, kBody)[2][0]);
    EXPECT_EQ((std::vector<std::string>{"34,00", "4", "0,00", "20,00", "4", "1"}),
              Of(printed, GroupFooterSection(0))[0]);
    EXPECT_EQ("8,00", Of(printed, kReportEnd)[0][1]);  // 40 / 5
}

TEST(AggregationTest, ValuesOverRecords) {
    const auto null = std::numeric_limits<double>::quiet_NaN();  // stands for a null value
    struct Case {
        const char* name;
        int aggregation;
        bool skipNulls;
        std::vector<double> values;
        double expected;
    } cases[] = {
        {"deviation of equal values is 0, not NaN", kAggStdDeviation, false, {0.1, 0.1, 0.1}, 0},
        {"deviation of large amounts", kAggStdDeviation, false, {1e9 + 1, 1e9 + 2, 1e9 + 3}, 1},
        {"deviation of one value is empty", kAggStdDeviation, false, {5}, 0},
        {"variation", kAggVariation, false, {1, 2, 3}, 0.5},
        {"variation with a total of 0 is empty", kAggVariation, false, {-1, 1}, 0},
        {"minimum skips nulls", kAggMinimum, true, {null, 5, 3}, 3},
        {"maximum skips nulls", kAggMaximum, true, {null, -5, -3}, -3},
        {"minimum takes nulls as 0 otherwise", kAggMinimum, false, {5, null, 3}, 0},
        {"count skips nulls", kAggCount, true, {1, null, 2}, 2},
        {"count takes nulls otherwise", kAggCount, false, {1, null, 2}, 3},
        {"average of nothing taken", kAggAverage, true, {null, null}, 0},
        {"average", kAggAverage, true, {1, null, 2}, 1.5},
        {"sum starts at zero, not at the initial value", kAggSum, false, {1, 2}, 3},
        {"value", kAggValue, false, {1, 7}, 7},
    };
    for (const Case& c : cases) {
        TRadekFunkce f;
        f.aggregation = c.aggregation;
        f.skipNulls = c.skipNulls;
        f.initialValue = "100"_t;
        f.resetPending = true;
        for (double x : c.values)
            f.Take(std::isnan(x) ? TCalcType::Null() : TCalcType::Number(x));
        EXPECT_NEAR(c.expected, f.value.number, 1e-9) << c.name;
        EXPECT_TRUE(std::isfinite(f.value.number)) << c.name;
    }
}

TEST(HostFedTest, TheHostStepsAndFillsTheValues) {
    const std::vector<std::vector<const char*>> records = {{"A", "12,5"}, {"B", "7.5"}, {"C", "1"}};
    struct Case {
        const char* name;
        bool detail;
        bool noRecords;
        int bodies;
        const char* total;
    } cases[] = {
        {"three records", false, false, 3, "21,00"},
        {"a master without records prints one empty body", false, true, 1, "0,00"},
        {"a detail without records prints nothing", true, true, 0, nullptr},
    };
    for (const Case& c : cases) {
        ScopedRegionalSettings regional{RegionalSettings{',', ' '}};
        std::unique_ptr<TSestavaTyp> report =
            c.detail ? std::make_unique<TSestDetail>() : std::make_unique<TSestavaTyp>();
        report->SetFieldNames({"NAZEV"_t, "CASTKA"_t});
        EXPECT_EQ("Položka 2", ToUtf8(report->fieldValues[1]));
        std::size_t pos = 0;
        report->events.onStepData = [&](TSestavaTyp&, int dir) {
            if (c.noRecords)
                return kBeforeFirstAndAfterLast;
            if (dir == kStepFirst)
                pos = 0;
            else if (pos + 1 < records.size())
                ++pos;
            else
                return kAfterLast;
            return 0;
        };
        report->events.onGetData = [&](TSestavaTyp& r) {
            r.fieldValues = {c.noRecords ? Text() : FromUtf8(records[pos][0]),
                             c.noRecords ? Text() : FromUtf8(records[pos][1])};
        };
        ReadTemplate(*report, Lines("F,0,Celkem,\"\",0,\"0\",0,\"#CASTKA\",2,15,2,2\n"
                                    "T,2,NAZEV\nK,6,Celkem"));
        const std::vector<Printed> printed = RunReport(*report);
        int bodies = 0;
        std::string total;
        for (const Printed& p : printed) {
            bodies += p.section == kBody;
            if (p.section == kReportEnd)
                total = p.texts.at(0);
        }
        EXPECT_EQ(c.bodies, bodies) << c.name;
        if (c.total) {
            EXPECT_EQ(c.total, total) << c.name;
        } else {
            EXPECT_TRUE(printed.empty()) << c.name;
        }
    }
}

TEST(UnresolvedTest, UnknownReferencesPrintEmptyAndAreNamed) {
    RowsBridge rows({{"CISLO", kFtInteger}, {"NAZEV", kFtString}}, {{"7", "Sedm"}});
    TSestavaTyp report;
    report.dataSource = &rows;
    ReadTemplate(report,
                 Lines("F,0,Jedna,\"\",0,\"0\",0,\"1\",0,15,0,2\n"
                       "T,2,NEZNAMA\nT,2,99\nT,6,Chybi\nT,6,5\nT,3,NAZEV\nT,2,1\n"
                       "T,1,0,0,0,10,10,Arial,8,0,0,0,0,0,\"x\",0,0,0,\"#NIC = 1\",0,\"\""));
    std::vector<Text> warnings;
    const std::vector<Printed> printed = RunReport(report, &warnings);
    // No record number where an amount belongs: the unknown ones print empty.
    for (const Printed& p : printed) {
        if (p.section == kBody) {
            EXPECT_EQ((std::vector<std::string>{"", "", "", "", "NAZEV", "Sedm", "-"}), p.texts);
        }
    }
    const char* expected[] = {
        "Prvek 1 oddílu \"Tělo sestavy\" (Položka tabulky): neznámá položka \"NEZNAMA\"; tiskne "
        "se prázdný.",
        "Prvek 2 oddílu \"Tělo sestavy\" (Položka tabulky): položka číslo 99 (zdroj dat jich má "
        "2); tiskne se prázdný.",
        "Prvek 3 oddílu \"Tělo sestavy\" (Funkce): neznámá funkce \"Chybi\"; tiskne se prázdný.",
        "Prvek 4 oddílu \"Tělo sestavy\" (Funkce): neznámá funkce \"5\"; tiskne se prázdný.",
        "Prvek 7 oddílu \"Tělo sestavy\" (Grafický text): podmínka tisku: Chyba : \"Neznámý "
        "název\" na pozici 1",
    };
    ASSERT_EQ(std::size(expected), warnings.size());
    for (std::size_t i = 0; i < warnings.size(); ++i)
        EXPECT_EQ(expected[i], ToUtf8(warnings[i]));
}

TEST(StatementFieldsTest, SystemColumnsComeFirstAndNamesFindTheirFields) {
    ScopedRegionalSettings regional{RegionalSettings{',', ' '}};
    MemoryRecordBridge rows(StatementColumns(), sizeof(pap::tVeta_Zorvi));
    for (int i = 0; i < 2; ++i) {
        pap::tVeta_Zorvi v;
        pap::VyplnHlavicku(v, 1, "I. Výkaz"_t, 1, 12, 2024);
        v.SA = i == 0 ? "021"_t : "0211"_t;
        v.Soucet = i == 0 ? 1 : 0;
        v.Sloupec[1].SLOUPEC = i == 0 ? 100.5 : 200;
        rows.Add(&v);
    }
    TSestavaTyp report;
    report.dataSource = &rows;
    ReadTemplate(report,
                 Lines("F,0,Suma,\"\",0,\"0\",0,\"#SLOUPEC01\",2,15,2,2\n"
                       "T,2,3\nT,2,CisloVykazu\nT,2,W_INDEX_PR\nT,2,SA\nT,2,KDatu\nT,2,Soucet\n"
                       "T,1,0,0,0,10,10,Arial,8,0,0,0,0,0,\"\",0,0,0,\"#4 = #CisloVykazu AND "
                       "#Soucet = 1\",0,\"\"\nK,6,Suma"));
    std::vector<Text> warnings;
    const std::vector<Printed> printed = RunReport(report, &warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ("W_INDEX_PR", ToUtf8(report.GetFieldName(0)));
    EXPECT_EQ("CisloVykazu", ToUtf8(report.GetFieldName(3)));
    std::vector<std::vector<std::string>> bodies;
    for (const Printed& p : printed)
        if (p.section == kBody || p.section == kReportEnd)
            bodies.push_back(p.texts);
    EXPECT_EQ(
        (std::vector<std::vector<std::string>>{{"1", "1", "1", "021", "31.12.2024", "1", ""},
                                               {"1", "1", "2", "0211", "31.12.2024", "0", "-"},
                                               {"300,50"}}),
        bodies);
}

}  // namespace
}  // namespace axo::report::test

namespace axo::report::test {
namespace {

TEST(EventsTest, TheHostDecidesElementsSectionsAndFunctionValues) {
    RowsBridge rows({{"CASTKA", kFtFloat}}, {{"1"}, {"2"}});
    TSestavaTyp report;
    report.dataSource = &rows;
    ReadTemplate(report, Lines("F,0,Suma,\"\",0,\"0\",0,\"#CASTKA\",2,15,0,2\n"
                               "T,1,0,0,0,10,10,Arial,8,0,0,0,0,0,\"a\",0,0,0,\"\",1,\"A\"\n"
                               "T,1,0,0,0,10,10,Arial,8,0,0,0,0,0,\"b\",0,0,0,\"\",1,\"B\"\n"
                               "T,1,0,0,0,10,10,Arial,8,0,0,0,0,0,\"c\",0,0,0,\"\",0,\"A\"\n"
                               "T,6,Suma\nK,6,Suma\nP,1"));
    std::vector<std::string> asked;
    report.events.onPrintElement = [&asked](TSestavaTyp&, TFontSpec& font, const Text& ident,
                                            bool& canPrint) {
        asked.push_back(ToUtf8(ident));
        canPrint = ident != "A"_t;
        font.style = kBold;
    };
    report.events.onTiskOddilu = [](TSestavaTyp&, int section, bool& print) {
        print = section != kPageFooter;
    };
    // The host doubles the sum after each record's computation.
    report.events.onVypoctiFunkce = [](TSestavaTyp& r) { r.functions[0].value.number *= 2; };
    report.events.onGetAlignment = [](TSestavaTyp&, int, int& alignment) { alignment = 2; };
    ReportComputation c(report);
    c.Prepare();
    EXPECT_EQ(2, c.FieldAlignment(0));
    std::vector<Printed> printed;
    WalkRecords(c, {2024, 1, 1, 0, 0, 0, 0}, Recorder(printed));
    // Only elements whose host decides are asked, once per record (and at the start).
    EXPECT_EQ((std::vector<std::string>{"A", "B", "A", "B"}), asked);
    EXPECT_EQ(kBold, report.Section(kBody)->elements[1].font.style);
    std::vector<int> sections;
    for (const Printed& p : printed)
        sections.push_back(p.section);
    EXPECT_EQ((std::vector<int>{kReportStart, kPageHeader, kBody, kBody, kReportEnd}), sections);
    // 1 * 2 = 2, then (1 + 2) * 2 = 6: the host changes the value, the sum goes on from its
    // total.
    EXPECT_EQ((std::vector<std::string>{"-", "b", "c", "2"}), printed[2].texts);
    EXPECT_EQ((std::vector<std::string>{"-", "b", "c", "6"}), printed[3].texts);
}

}  // namespace
}  // namespace axo::report::test

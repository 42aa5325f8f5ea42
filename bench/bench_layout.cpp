// Benchmark of the report layout and the PDF, side by side in one run: 10,000 rows of a
// statement result (in memory), a template of 8 body elements, 2 groups and 4 sums printed in
// the inner group's footer, page header and footer. Three kinds of work:
//   bare    a loop that reads the same records and formats the same values (the fields'
//           texts, the sums with their number format) without pages;
//   layout  the engine preparing the pages (values, conditions, text layout, pagination)
//           with the metrics of the font files;
//   pdf     the prepared pages written as PDF (to a counting sink, not the disk).
// Limits: layout at most 4 x bare, pdf at most 3 x layout. Memory: the heap the page models
// take (kept for the preview) for 1 x and 2 x the rows, and what writing the PDF holds beyond
// them, which must not grow with the pages.
// Usage: bench_layout [rows, default 10000] [layout]  (layout: no PDF)
#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include "ReportBench.h"
#include "report/data/StatementSource.h"
#include "report/layout/Pagination.h"
#include "report/model/NumberMask.h"
#include "report/output/CairoOutput.h"
#include "report/template/Template.h"
#include "report/template/TemplateFile.h"

namespace axo::report::bench {
namespace {

const char* const kTemplate =
    "I,2,0,827,1169,40,40,40,40,1,0\r\n"
    "I,3,1,1,30,0\r\n"
    "I,3,2,1,14,0\r\n"
    "I,3,4,1,20,0\r\n"
    "I,4,0,\"LEFT(#SA, 1)\",0,0,0,0,0\r\n"
    "I,4,1,\"LEFT(#SA, 3)\",0,0,1,16,0\r\n"
    "F,0,G1,\"\",0,\"0\",3,\"#SLOUPEC01\",2,15,2,3\r\n"
    "F,1,G2,\"\",0,\"0\",3,\"#SLOUPEC02\",2,15,2,3\r\n"
    "F,2,G3,\"\",0,\"0\",3,\"#SLOUPEC03\",2,15,2,3\r\n"
    "F,3,G4,\"\",0,\"0\",3,\"#SLOUPEC04\",2,15,2,3\r\n"
    "H,1,0,0,0,300,14,Arial,10,0,1,0,0,238,\"Přehled\",0,0,0,\"\",0,\"\"\r\n"
    "H,5,3,600,0,40,14,Arial,8,0,0,1,0,238,\"\",0,0,0,\"\",0,\"\"\r\n"
    "T,2,RADEK,0,0,35,14,Arial,7,0,0,1,15,238,\"\",0,0,0,\"\",0,\"\"\r\n"
    "T,2,SA,35,0,60,14,Arial,7,0,0,0,15,238,\"\",0,0,0,\"\",0,\"\"\r\n"
    "T,2,POPIS,95,0,272,14,Arial,7,0,0,0,15,238,\"\",0,0,0,\"\",0,\"\"\r\n"
    "T,2,SLOUPEC01,367,0,95,14,Arial,7,0,0,1,15,238,\"\",0,0,0,\"\",0,\"\"\r\n"
    "T,2,SLOUPEC02,462,0,95,14,Arial,7,0,0,1,15,238,\"\",0,0,0,\"\",0,\"\"\r\n"
    "T,2,SLOUPEC03,557,0,95,14,Arial,7,0,0,1,15,238,\"\",0,0,0,\"\",0,\"\"\r\n"
    "T,2,SLOUPEC04,652,0,95,14,Arial,7,0,0,1,15,238,\"\",0,0,0,\"\",0,\"\"\r\n"
    "T,7,0,0,13,747,1,,1,0,0,8,15,0,\"\",,,,\"\",0,\"\"\r\n"
    "U1,6,G1,367,0,95,14,Arial,7,0,1,1,0,238,\"\",0,0,0,\"\",0,\"\"\r\n"
    "U1,6,G2,462,0,95,14,Arial,7,0,1,1,0,238,\"\",0,0,0,\"\",0,\"\"\r\n"
    "U1,6,G3,557,0,95,14,Arial,7,0,1,1,0,238,\"\",0,0,0,\"\",0,\"\"\r\n"
    "U1,6,G4,652,0,95,14,Arial,7,0,1,1,0,238,\"\",0,0,0,\"\",0,\"\"\r\n"
    "P,5,3,700,0,40,14,Arial,6,0,0,1,0,238,\"\",0,0,0,\"\",0,\"\"\r\n";

/// The bare pass: every record's seven field texts and, at each change of the inner group, the
/// four sums formatted as the functions format them.
long long Bare(MemoryRecordBridge& records) {
    const auto index = [&records](const char* name) {
        for (int f = 0; f < records.FieldCount(); ++f)
            if (records.FieldName(f) == Text::FromBytes(name))
                return f;
        return 0;
    };
    const int fields[7] = {index("RADEK"),     index("SA"),        index("POPIS"),
                           index("SLOUPEC01"), index("SLOUPEC02"), index("SLOUPEC03"),
                           index("SLOUPEC04")};
    long long checksum = 0;
    double sums[4] = {};
    Text group;
    bool first = true;
    int step = records.Step(kStepFirst);
    while (step == 0) {
        const Text sa = records.FieldText(fields[1]).substr(0, 3);
        if (!first && sa != group) {
            for (double& s : sums) {
                checksum += static_cast<long long>(FormatNumber(s, 3, 15, 2).size());
                s = 0;
            }
        }
        group = sa;
        first = false;
        for (int f : fields)
            checksum += static_cast<long long>(records.FieldText(f).size());
        for (int c = 0; c < 4; ++c)
            sums[c] += records.FieldNumber(fields[3 + c]);
        step = records.Step(kStepNext);
    }
    return checksum;
}

/// The bytes the heap holds now, in kB.
long long HeapKilobytes() {
    return static_cast<long long>(mallinfo2().uordblks / 1024);
}

long long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace
}  // namespace axo::report::bench

int main(int argc, char** argv) {
    using namespace axo;
    using namespace axo::report;
    using namespace axo::report::bench;
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const std::vector<pap::tVeta_Zorvi> rows = Rows(count);
    MemoryRecordBridge records(StatementColumns(), sizeof(pap::tVeta_Zorvi));
    for (const pap::tVeta_Zorvi& v : rows)
        records.Add(&v);
    TSestavaTyp report;
    report.dataSource = &records;
    ReadTemplate(report, TemplateLinesOf(kTemplate));
    TFontFiles fonts;
    fonts.Face("Arial"_t, 0);  // the font files are read before the clock runs
    fonts.Face("Arial"_t, kBold);

    long long checksum = 0;
    TSestVystup pages;
    const auto layOut = [&](TSestVystup& into) {
        ReportComputation computation(report);
        computation.Prepare();
        BuildPages(computation, fonts, {2024, 12, 31, 12, 0, 0, 0}, into);
    };
    std::size_t pdfBytes = 0;
    Text error;
    const auto pdf = [&] {
        pdfBytes = 0;
        RenderPdf(
            pages, fonts, 1, pages.PageCount(), [&](std::string_view b) { pdfBytes += b.size(); },
            error);
    };
    const bool layoutOnly = argc > 2 && std::string(argv[2]) == "layout";
    // The three kinds of work run turn about, so that all meet the same load; the pages of
    // the round before are freed outside the clock.
    double bareSeconds = 1e100, layoutSeconds = 1e100, pdfSeconds = 1e100;
    for (int round = 0; round < 7; ++round) {
        // The bare pass is short: five of them in a row meet the load as the layout does.
        bareSeconds = std::min(bareSeconds, Seconds([&] {
                                                for (int i = 0; i < 5; ++i)
                                                    checksum += Bare(records);
                                            }) / 5);
        pages = TSestVystup{};
        layoutSeconds = std::min(layoutSeconds, Seconds([&] { layOut(pages); }));
        if (!layoutOnly)
            pdfSeconds = std::min(pdfSeconds, Seconds(pdf));
    }
    if (layoutOnly) {
        std::printf("layout %.4f s, bare %.4f s: %.2f x\n", layoutSeconds, bareSeconds,
                    layoutSeconds / bareSeconds);
        return 0;
    }
    // Memory: the page models of 1 x and 2 x the rows, and what writing their PDF holds at
    // its most beyond them (sampled at every piece the writer hands over).
    const std::vector<pap::tVeta_Zorvi> more = Rows(2 * count);
    MemoryRecordBridge moreRecords(StatementColumns(), sizeof(pap::tVeta_Zorvi));
    for (const pap::tVeta_Zorvi& v : more)
        moreRecords.Add(&v);
    const auto pdfWorkingKilobytes = [&](const TSestVystup& out) {
        const long long base = HeapKilobytes();
        long long most = base;
        RenderPdf(
            out, fonts, 1, out.PageCount(),
            [&](std::string_view) { most = std::max(most, HeapKilobytes()); }, error);
        return most - base;
    };
    const long long pdfSmall = pdfWorkingKilobytes(pages);
    pages = TSestVystup{};
    const long long empty = HeapKilobytes();
    layOut(pages);
    const long long modelSmall = HeapKilobytes() - empty;
    pages = TSestVystup{};
    report.dataSource = &moreRecords;
    TSestVystup morePages;
    layOut(morePages);
    const long long modelLarge = HeapKilobytes() - empty;
    const long long pdfLarge = pdfWorkingKilobytes(morePages);
    report.dataSource = &records;
    layOut(pages);

    const double layoutRatio = layoutSeconds / bareSeconds;
    const double pdfRatio = pdfSeconds / layoutSeconds;
    std::printf(
        "bench_layout: %d rows, 8 body elements, 2 groups, 4 sums: %d pages (checksum %lld)\n",
        count, pages.PageCount(), checksum % 1000);
    std::printf("  bare pass (read, format)  %8.4f s\n", bareSeconds);
    std::printf("  layout (pages)            %8.4f s\n", layoutSeconds);
    std::printf("  PDF (%zu kB)            %8.4f s\n", pdfBytes / 1024, pdfSeconds);
    std::printf("  layout / bare             %8.2f x (limit 4 x) %s\n", layoutRatio,
                layoutRatio <= 4 ? "ok" : "OVER THE LIMIT");
    std::printf("  PDF / layout              %8.2f x (limit 3 x) %s\n", pdfRatio,
                pdfRatio <= 3 ? "ok" : "OVER THE LIMIT");
    std::printf("  page models: %lld kB for %d pages, %lld kB for %d pages (%.1f kB a page)\n",
                modelSmall, pages.PageCount(), modelLarge, morePages.PageCount(),
                static_cast<double>(modelLarge - modelSmall) /
                    std::max(1, morePages.PageCount() - pages.PageCount()));
    std::printf("  PDF writing holds at most %lld kB for %d pages, %lld kB for %d pages\n",
                pdfSmall, pages.PageCount(), pdfLarge, morePages.PageCount());
    std::printf("  peak resident size %lld kB\n", PeakKilobytes());
    return layoutRatio <= 4 && pdfRatio <= 3 ? 0 : 1;
}

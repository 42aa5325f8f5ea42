// A mutation fuzzer of the report templates and the expression language, built with
// AddressSanitizer and UBSan. It mutates the shipped templates and a set of expressions
// (bit flips, bytes and tokens inserted, ranges deleted, doubled or spliced from another seed)
// and for each input:
//   - reads the template, writes it, reads the written lines and writes them again: the two
//     writings must be equal (a read-write cycle is stable);
//   - checks the template as `template check` does;
//   - runs the report over a few records, asking every element for its text;
//   - evaluates a mutated expression against the running report.
// A crash, a sanitizer report, a leak or an input that takes more than ten seconds ends the
// run with the input written beside the working directory ("fuzz-failure.pts").
// Usage: fuzz_report [--seconds N] [--seed N] [--runs N] [SEEDS.pts ...]
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "report/run/Walk.h"
#include "report/template/Template.h"
#include "report/template/TemplateCheck.h"
#include "report/template/TemplateFile.h"

namespace axo::report::fuzz {
namespace {

/// The input being tried, for the alarm and the failure report.
std::string gCurrent;

void WriteFailure(const char* why) {
    std::ofstream("fuzz-failure.pts", std::ios::binary) << gCurrent;
    std::fprintf(stderr, "fuzz_report: %s; the input is in fuzz-failure.pts\n", why);
}

extern "C" void OnAlarm(int) {
    WriteFailure("an input took more than ten seconds");
    std::_Exit(3);
}

/// A few records of every kind of field the engine reads.
class Records : public TBridge {
  public:
    int FieldCount() const override { return 4; }
    Text FieldName(int f) const override {
        static const char* const kNames[] = {"SA", "SLOUPEC01", "RADEK", "Soucet"};
        return f >= 0 && f < 4 ? Text::FromBytes(kNames[f]) : Text();
    }
    int FieldType(int f) const override {
        static const int kTypes[] = {kFtString, kFtFloat, kFtWord, kFtBoolean};
        return f >= 0 && f < 4 ? kTypes[f] : kFtUnknown;
    }
    Text FieldText(int f) const override {
        if (f == 0)
            return Text::FromBytes(pos_ < 2 ? "021" : "0211");
        return NumberToText(FieldNumber(f));
    }
    double FieldNumber(int f) const override {
        static const double kValues[3][4] = {{0, 1234.5, 1, 1}, {0, -0.1, 2, 0}, {0, 1e300, 3, 0}};
        return f > 0 && f < 4 ? kValues[pos_][f] : 0;
    }
    bool FieldIsNull(int f) const override { return pos_ == 1 && f == 1; }
    int Step(int dir) override {
        if (dir == kStepFirst) {
            pos_ = 0;
        } else if (dir == kStepNext) {
            if (pos_ == 2)
                return kAfterLast;
            ++pos_;
        }
        return 0;
    }

  private:
    int pos_ = 0;
};

const char* const kExpressions[] = {
    "2+3*4",
    "-2^2",
    "IIF(#Soucet = 1, 'Součet', FORMAT(#SLOUPEC01, '# ##0.00;(0);nula'))",
    "SUBSTR(#SA, 2, 99999999999) + LEFT(#SA, -5) + RIGHT('abc', 1E99)",
    "FORMATDT([31.12.2023 23:59:59], 'dddd d. mmmm yyyy hh:mm:ss zzz')",
    "EXROUND(#SLOUPEC01, -0.0000001) + EXROUND(1E300, 1E-300)",
    "'a' IN 'a, b,, c' AND NOT ISNULL(#SLOUPEC01) OR @1 >= %3",
    "FORMAT(1E300, '0.000000000000000000000000000E+0000')",
    "CHR(ORD('Ž')) + UPPER(LOWER('ŽLUŤOUČKÝ')) + ALLTRIM('  x  ')",
    "((((((((((1))))))))))",
    "YEAR(#SA) + MONTH('31.2.2024') + STRTONUM('-1,5') + NUMTOSTR(-0.0)",
};

const char* const kTokens[] = {
    "\"",          ",",    "\r\n", "\n",   "'",    "[",       "]",        "(",
    ")",           "#",    "@",    "&",    "%",    "I,2,",    "I,4,0,\"", "D0,",
    "D1,",         "S0,",  "U1,",  "F,0,", "T,2,", "T,15,",   "K,12,",    "99999999999",
    "-2147483648", "E+99", "''",   "\"\"", "IIF(", "SUBSTR(", "FORMAT(",  "^",
    "/0",          "1E-9", "@999", "#999", "%999",
};

class Fuzzer {
  public:
    explicit Fuzzer(std::uint64_t seed) : random_(seed) {}

    void AddSeed(std::string bytes) { seeds_.push_back(std::move(bytes)); }
    void Run(double seconds, long long runs);

  private:
    std::size_t Below(std::size_t n) { return n == 0 ? 0 : random_() % n; }
    std::string Mutate(std::string s);
    void Try(const std::string& input, const std::string& expression);
    void Fail(const char* why) {
        WriteFailure(why);
        std::abort();
    }

    std::mt19937_64 random_;
    std::vector<std::string> seeds_;
};

std::string Fuzzer::Mutate(std::string s) {
    const std::size_t steps = 1 + Below(8);
    for (std::size_t k = 0; k < steps; ++k) {
        const std::size_t at = Below(s.size() + 1);
        switch (Below(7)) {
            case 0:
                if (!s.empty())
                    s[Below(s.size())] ^= static_cast<char>(1 << Below(8));
                break;
            case 1:
                s.insert(at, 1, static_cast<char>(Below(256)));
                break;
            case 2:
                s.insert(at, kTokens[Below(std::size(kTokens))]);
                break;
            case 3:
                s.erase(at, Below(64));
                break;
            case 4: {
                const std::size_t from = Below(s.size() + 1);
                s.insert(at, s.substr(from, Below(128)));
                break;
            }
            case 5: {
                const std::string& other = seeds_[Below(seeds_.size())];
                const std::size_t from = Below(other.size() + 1);
                s.insert(at, other.substr(from, Below(512)));
                break;
            }
            default:
                s.insert(at, std::string(Below(300), "9'(#,\"-"[Below(7)]));
                break;
        }
    }
    if (s.size() > (1 << 16))
        s.resize(1 << 16);
    return s;
}

void Fuzzer::Try(const std::string& input, const std::string& expression) {
    const std::vector<Text> lines = TemplateLinesOf(input);
    TSestavaTyp report;
    TSestDetail detail;
    report.AttachDetail(detail);
    ReadTemplate(report, lines);
    const TemplateText first = WriteTemplate(report);
    if (first.Ok()) {
        TSestavaTyp again;
        TSestDetail againDetail;
        again.AttachDetail(againDetail);
        ReadTemplate(again, first.lines);
        const TemplateText second = WriteTemplate(again);
        if (!second.Ok() || second.lines != first.lines)
            Fail("a template read back from its own writing is written differently");
    }
    CheckTemplate(report, {"SA"_t, "SLOUPEC01"_t}, 15);

    Records records;
    report.dataSource = &records;
    report.parametry = {"Firma"_t, "12345678"_t};
    report.allowNullValues = (input.size() % 2) == 0;
    ReportComputation computation(report);
    computation.Prepare();
    WalkRecords(computation, {2024, 2, 29, 23, 59, 59, 999}, [](int section, ReportComputation& c) {
        const TOddilSestavy* s = c.Report().Section(section);
        for (std::size_t i = 0; s && i < s->elements.size(); ++i)
            c.ElementText(section, static_cast<int>(i));
    });
    for (Need need : {Need::kNumber, Need::kTyped, Need::kText})
        computation.EvaluateText(Text::FromBytes(expression), need);
}

void Fuzzer::Run(double seconds, long long runs) {
    const auto start = std::chrono::steady_clock::now();
    long long done = 0;
    for (; runs <= 0 || done < runs; ++done) {
        if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() >
            seconds)
            break;
        const std::string input = Mutate(seeds_[Below(seeds_.size())]);
        std::string expression = kExpressions[Below(std::size(kExpressions))];
        if (Below(4) != 0)
            expression = Mutate(expression).substr(0, 400);
        gCurrent = input + "\n--- expression ---\n" + expression;
        ::alarm(10);
        Try(input, expression);
    }
    ::alarm(0);
    std::printf("fuzz_report: %lld inputs, no failure\n", done);
}

std::string ReadFile(const char* file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace
}  // namespace axo::report::fuzz

int main(int argc, char** argv) {
    using namespace axo::report::fuzz;
    double seconds = 5;
    long long runs = 0;
    std::uint64_t seed = 1;
    std::vector<std::string> seeds;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seconds" && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (arg == "--seed" && i + 1 < argc)
            seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--runs" && i + 1 < argc)
            runs = std::atoll(argv[++i]);
        else
            seeds.push_back(ReadFile(argv[i]));
    }
    ::signal(SIGALRM, OnAlarm);
    Fuzzer fuzzer(seed);
    for (std::string& s : seeds)
        fuzzer.AddSeed(std::move(s));
    for (const char* e : kExpressions)
        fuzzer.AddSeed("F,0,F,\"\",0,\"0\",0,\"" + std::string(e) + "\",2,15,2,3\r\nT,6,F\r\n");
    fuzzer.Run(seconds, runs);
    return 0;
}

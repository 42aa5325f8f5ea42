// The print module and the print manager: their command lines and printing through CUPS.
#include "ui/ListingPrint.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <ostream>

#include "ui/ChildProcess.h"
#include "util/Lines.h"
#include "util/Prevody.h"
#include "util/Text.h"

namespace axo::ui {

namespace {

// The printable area of an A4 sheet inside the text filter's half-inch margins, in inches.
constexpr double kPortraitWidth = 7.5;
constexpr double kPortraitHeight = 10.5;
constexpr double kLandscapeWidth = 10.5;
constexpr double kLandscapeHeight = 7.0;

const char* kModuleUsage =
    "Použití: Axo_Tisk /T /D<šířka řádku> /P<řádků na stranu> /L<řádků na stranu na šířku> "
    "/N<soubor> /C\"<tiskárna>\" /K\"<cesta>\" /Z<měřítko v %> [/M]";
const char* kManagerUsage = "Použití: Axo_PrMa <soubor> <K|L|0> <šířka řádku> /WIN";

std::optional<int> Number(const std::string& digits) {
    if (digits.empty() || digits.size() > 6)
        return std::nullopt;
    for (char c : digits)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
    return std::stoi(digits);
}

std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

/// Applies one switch of the print module; the Czech error, or empty.
std::string ApplySwitch(const std::string& arg, PrintRequest& r, bool& haveFile) {
    if (arg.size() < 2 || arg[0] != '/')
        return "Neznámý přepínač [" + arg + "].";
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(arg[1])));
    const std::string value = arg.substr(2);
    auto number = [&](int& target, int least) -> std::string {
        const auto n = Number(value);
        if (!n || *n < least)
            return "Chybná hodnota přepínače [" + arg + "].";
        target = *n;
        return {};
    };
    switch (letter) {
        case 'T':
            return value.empty() ? "" : "Neznámý přepínač [" + arg + "].";
        case 'M':
            r.monochrome = true;
            return value.empty() ? "" : "Neznámý přepínač [" + arg + "].";
        case 'D':
            return number(r.lineWidth, 1);
        case 'P':
            return number(r.narrowLength, 0);
        case 'L':
            return number(r.wideLength, 0);
        case 'Z':
            return number(r.scale, 0);
        case 'N':
            r.file = Unquoted(value);
            haveFile = !r.file.empty();
            return {};
        case 'C':
            r.printer = Unquoted(value);
            return {};
        case 'K':
            r.root = Unquoted(value);
            return {};
        default:
            return "Neznámý přepínač [" + arg + "].";
    }
}

/// x rounded up to two decimals, without trailing zeros ("10.67", "12.5", "10").
std::string Decimal(double x) {
    const double up = std::ceil(x * 100.0 - 1e-9) / 100.0;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", up);
    std::string text = buffer;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

std::string SearchPath() {
    return Environment("PATH").value_or("/usr/local/bin:/usr/bin:/bin");
}

/// Whether CUPS names a default destination.
bool HaveDefaultDestination() {
    const std::filesystem::path lpstat = FindProgram("lpstat", SearchPath());
    if (lpstat.empty())
        return false;
    const ProgramResult r = RunProgram(lpstat, {"-d"});
    return r.started && r.exitCode == 0 &&
           r.output.find("system default destination:") != std::string::npos;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    return text;
}

}  // namespace

ParsedPrintRequest ParsePrintModuleArguments(const std::vector<std::string>& arguments) {
    PrintRequest r;
    bool haveFile = false;
    for (const std::string& arg : arguments) {
        if (std::string error = ApplySwitch(arg, r, haveFile); !error.empty())
            return {std::nullopt, error};
    }
    if (!haveFile)
        return {std::nullopt, "Chybí přepínač /N s tiskovým souborem."};
    return {r, {}};
}

ParsedPrintRequest ParsePrintManagerArguments(const std::vector<std::string>& arguments) {
    const std::size_t n = arguments.size();
    if (n < 3 || n > 4 || (n == 4 && arguments[3] != "/WIN" && arguments[3] != "/win"))
        return {std::nullopt, "Chybný počet nebo tvar parametrů."};
    PrintRequest r;
    r.file = arguments[0];
    const std::string& code = arguments[1];
    if (code == "K" || code == "k")
        r.encoding = PrintEncoding::Kamenicky;
    else if (code == "L" || code == "l")
        r.encoding = PrintEncoding::Cp852;
    else if (code != "0")
        return {std::nullopt, "Neznámý kód tiskárny [" + code + "]."};
    const auto width = Number(arguments[2]);
    if (!width || *width < 1 || r.file.empty())
        return {std::nullopt, "Chybná šířka řádku [" + arguments[2] + "]."};
    r.lineWidth = *width;
    return {r, {}};
}

std::vector<std::string> LpOptions(const PrintRequest& r) {
    std::vector<std::string> options;
    if (r.encoding != PrintEncoding::Text) {
        options = {"-o", "raw"};
    } else {
        const bool wide = r.lineWidth > 80;
        const double scale = 100.0 / (r.scale >= 25 && r.scale <= 400 ? r.scale : 100);
        const double cpi =
            std::max(10.0, r.lineWidth / (wide ? kLandscapeWidth : kPortraitWidth)) * scale;
        const int lines = wide ? r.wideLength : r.narrowLength;
        options = {"-o", "media=A4"};
        if (wide)
            options.insert(options.end(), {"-o", "landscape"});
        options.insert(options.end(), {"-o", "cpi=" + Decimal(cpi)});
        if (lines > 0) {
            const double lpi = lines / (wide ? kLandscapeHeight : kPortraitHeight) * scale;
            options.insert(options.end(), {"-o", "lpi=" + Decimal(lpi)});
        }
        if (r.monochrome)
            options.insert(options.end(), {"-o", "print-color-mode=monochrome"});
    }
    if (!r.printer.empty())
        options.insert(options.end(), {"-d", r.printer});
    options.insert(options.end(), {"-t", r.file.filename().string()});
    return options;
}

std::string PrintData(const std::string& listing, PrintEncoding encoding) {
    std::string out;
    ForEachLine(listing, [&](std::string_view line, int) {
        if (line == "\f") {
            out += '\f';
            return;
        }
        const Text text = Text::FromBytes(line);
        if (encoding == PrintEncoding::Text)
            out += ListingToUtf8(text) + "\n";
        else
            out += ConvertCodePage(text, encoding == PrintEncoding::Kamenicky
                                             ? CodePageDirection::kWin1250ToKamenicky
                                             : CodePageDirection::kWin1250ToCp852)
                       .Bytes() +
                   "\r\n";
    });
    // A printer fed raw keeps the last page in until it gets a form feed.
    if (encoding != PrintEncoding::Text && (out.empty() || out.back() != '\f'))
        out += '\f';
    return out;
}

std::filesystem::path PrintProgram(const std::string& printer, std::string& error) {
    const std::optional<std::string> forced = Environment("AXO_LP");
    const std::filesystem::path lp = FindProgram(forced.value_or("lp"), SearchPath());
    if (lp.empty()) {
        error = forced
                    ? "Tisk nelze provést: program [" + *forced + "] z proměnné AXO_LP neexistuje."
                    : "Tisk nelze provést: na tomto počítači chybí tiskový systém CUPS "
                      "(program lp).";
        return {};
    }
    if (!forced && printer.empty() && !HaveDefaultDestination()) {
        error =
            "Tisk nelze provést: není nastavena výchozí tiskárna (lpstat -d žádnou "
            "neuvádí).";
        return {};
    }
    return lp;
}

int PrintThroughCups(const PrintRequest& r, std::ostream& out, std::ostream& errors) {
    std::ifstream in(r.file, std::ios::binary);
    std::error_code ec;
    if (!in || !std::filesystem::is_regular_file(r.file, ec)) {
        errors << "Tiskový soubor [" << r.file.string() << "] nelze otevřít.\n";
        return 3;
    }
    const std::string listing{std::istreambuf_iterator<char>(in), {}};
    std::string why;
    const std::filesystem::path lp = PrintProgram(r.printer, why);
    if (lp.empty()) {
        errors << why << "\n";
        return 4;
    }
    const ProgramResult result = RunProgram(lp, LpOptions(r), PrintData(listing, r.encoding));
    if (!result.started || result.exitCode != 0) {
        errors << "Tisk se nezdařil";
        if (result.started)
            errors << " (lp skončil s kódem " << result.exitCode << ")";
        const std::string said = Trimmed(result.errorOutput);
        errors << (said.empty() ? "." : ": " + said) << "\n";
        return 5;
    }
    out << result.output;
    return 0;
}

namespace {

int Main(int argc, char** argv, ParsedPrintRequest (*parse)(const std::vector<std::string>&),
         const char* usage) {
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const ParsedPrintRequest parsed = parse(arguments);
    if (!parsed.request) {
        std::cerr << parsed.error << "\n" << usage << "\n";
        return 2;
    }
    return PrintThroughCups(*parsed.request, std::cout, std::cerr);
}

}  // namespace

int PrintModuleMain(int argc, char** argv) {
    return Main(argc, argv, ParsePrintModuleArguments, kModuleUsage);
}

int PrintManagerMain(int argc, char** argv) {
    return Main(argc, argv, ParsePrintManagerArguments, kManagerUsage);
}

}  // namespace axo::ui

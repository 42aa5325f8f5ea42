// Paper formats and the settings file.
#include "report/output/PaperFormats.h"

#include <cmath>
#include <sstream>

#include "report/output/OutputFiles.h"
#include "util/Cisla.h"

namespace axo::report {

namespace fs = std::filesystem;

namespace {

const char* const kSection = "FormatyPapiru";

/// The lines of a settings file in Windows-1250 (a UTF-8 file is converted).
std::vector<Text> IniLines(const fs::path& ini) {
    std::string bytes;
    if (ReadWholeFile(ini, bytes).error != 0)
        return {};
    bool lost = false;
    const Text utf8 = FromUtf8(bytes, '?', &lost);
    const Text text = lost ? Text::FromBytes(bytes) : utf8;
    std::vector<Text> lines;
    Text line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

bool IsSection(const Text& line, Text* name = nullptr) {
    if (line.size() < 2 || line[0] != '[' || line.back() != ']')
        return false;
    if (name)
        *name = line.substr(1, line.size() - 2);
    return true;
}

bool Near(int a, int b) {
    return std::abs(a - b) <= b / 100.0;
}

}  // namespace

TListFormatu::TListFormatu() {
    formats = {
        {"Skládaný (8.5 x 12\")"_t, 850, 1200},     {"Skládaný (15 x 12\")"_t, 1500, 1200},
        {"Letter (8.5 x 11\")"_t, 850, 1100},       {"Legal (8.5 x 14\")"_t, 850, 1400},
        {"Executive (7.25 x 10.5\")"_t, 725, 1050}, {"A2 (420 x 594 mm)"_t, 1652, 2338},
        {"A3 (297 x 420 mm)"_t, 1169, 1652},        {"A4 (210 x 297 mm)"_t, 826, 1169},
        {"A5 (148.5 x 210 mm)"_t, 584, 826},        {"A6 (105 x 148.5mm)"_t, 413, 584},
        {"B5 (182 x 257 mm)"_t, 716, 1011},         {"Obálka (162 x 114 mm)"_t, 637, 433},
        {"Obálka (220 x 110 mm)"_t, 866, 433},      {"Obálka (228 x 162 mm)"_t, 896, 637},
        {"Obálka otoč.(114 x 162 mm)"_t, 433, 637}, {"Obálka otoč.(110 x 220 mm)"_t, 433, 866},
        {"Obálka otoč.(162 x 228 mm)"_t, 637, 896},
    };
}

void TListFormatu::Load(const fs::path& ini) {
    std::vector<Text> lines = IniLines(ini);
    std::vector<std::pair<Text, Text>> keys;
    bool inSection = false;
    for (const Text& line : lines) {
        Text name;
        if (IsSection(line, &name)) {
            inSection = name == Text::FromBytes(kSection);
            continue;
        }
        const std::size_t eq = line.find('=');
        if (inSection && eq != Text::npos)
            keys.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }
    auto value = [&](const Text& key) -> std::optional<Text> {
        for (const auto& [k, v] : keys)
            if (k == key)
                return v;
        return std::nullopt;
    };
    const int count = static_cast<int>(TextToInt(value("PocetFormatu"_t).value_or(Text())));
    for (int i = 1; i <= count && i <= 1000; ++i) {
        const Text v = value("Format"_t + IntToText(i)).value_or("Uživat. unknown"_t);
        TFormatPapiru f;
        const std::size_t c1 = v.find(',');
        const std::size_t c2 = c1 == Text::npos ? Text::npos : v.find(',', c1 + 1);
        f.name = v.substr(0, c1).substr(0, 31);
        if (c1 != Text::npos) {
            f.width = static_cast<int>(TextToInt(v.substr(c1 + 1, c2 - c1 - 1)));
            if (c2 != Text::npos)
                f.height = static_cast<int>(TextToInt(v.substr(c2 + 1)));
        }
        formats.push_back(f);
    }
}

bool TListFormatu::Save(const fs::path& ini, Text& error) const {
    std::vector<Text> lines = IniLines(ini);
    std::vector<Text> own;
    const int count = static_cast<int>(formats.size()) - kBuiltInFormats;
    own.push_back("PocetFormatu="_t + IntToText(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        const TFormatPapiru& f = formats[static_cast<std::size_t>(kBuiltInFormats + i)];
        own.push_back("Format"_t + IntToText(i + 1) + "="_t + f.name + ","_t + IntToText(f.width) +
                      ","_t + IntToText(f.height));
    }
    std::vector<Text> result;
    bool inSection = false, written = false;
    for (const Text& line : lines) {
        Text name;
        if (IsSection(line, &name)) {
            inSection = name == Text::FromBytes(kSection);
            result.push_back(line);
            if (inSection) {
                result.insert(result.end(), own.begin(), own.end());
                written = true;
            }
            continue;
        }
        const bool ownKey = line.StartsWith("PocetFormatu="_t) || line.StartsWith("Format"_t);
        if (!(inSection && ownKey))
            result.push_back(line);
    }
    if (!written) {
        result.push_back("["_t + Text::FromBytes(kSection) + "]"_t);
        result.insert(result.end(), own.begin(), own.end());
    }
    std::string bytes;
    for (const Text& line : result)
        bytes += line.Bytes() + "\r\n";
    return WriteOutputFile(ini, bytes, error);
}

const TFormatPapiru* TListFormatu::Match(int width, int height) const {
    for (const TFormatPapiru& f : formats)
        if (Near(f.width, width) && Near(f.height, height))
            return &f;
    return nullptr;
}

std::string CupsMedia(int width, int height) {
    struct Media {
        const char* name;
        int w, h;
    };
    static const Media kMedia[] = {
        {"A3", 1169, 1654}, {"A4", 827, 1169},     {"A5", 583, 827},     {"A6", 413, 583},
        {"B5", 717, 1012},  {"Letter", 850, 1100}, {"Legal", 850, 1400}, {"Executive", 725, 1050}};
    for (const Media& m : kMedia)
        if ((Near(width, m.w) && Near(height, m.h)) || (Near(width, m.h) && Near(height, m.w)))
            return m.name;
    return {};
}

}  // namespace axo::report

// Output file names and whole writes.
#include "report/output/OutputFiles.h"

#include <algorithm>
#include <cctype>

#include "util/SystemError.h"

namespace axo::report {

namespace fs = std::filesystem;

fs::path NumberedName(const fs::path& name, int n) {
    fs::path numbered = name;
    numbered.replace_filename(name.stem().string() + std::to_string(n) + name.extension().string());
    return numbered;
}

bool HasExtension(const fs::path& name, std::string_view ext) {
    const std::string own = name.extension().string();
    return own.size() == ext.size() &&
           std::equal(own.begin(), own.end(), ext.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

TPageRange ClampPages(int start, int end, int pages) {
    TPageRange r;
    r.first = std::max(start, 1);
    r.last = std::min(end, pages);
    return r;
}

Text WriteErrorText(const fs::path& file, int error) {
    return "Soubor "_t + FromUtf8(file.string()) + " nelze zapsat: "_t + SystemErrorText(error) +
           "."_t;
}

bool WriteOutputFile(const fs::path& file, std::string_view bytes, Text& error) {
    if (const int e = WriteWholeFile(file, bytes); e != 0) {
        error = WriteErrorText(file, e);
        return false;
    }
    return true;
}

}  // namespace axo::report

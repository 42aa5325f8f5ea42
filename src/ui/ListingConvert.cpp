// Converting listings for the text and HTML outputs.
#include "ui/ListingConvert.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "storage/WorkFiles.h"
#include "ui/ProgressPanel.h"
#include "util/Prevody.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

constexpr char kFormFeed = '\f';

bool IsFrameCode(unsigned char code) {
    return std::any_of(kFrameChars.begin(), kFrameChars.end(),
                       [code](const FrameChar& f) { return f.code == code; });
}

char FrameReplacement(unsigned char code, int option) {
    switch (option) {
        case 1:
            return '*';
        case 2:
            if (code == 129 || code == 172)
                return '-';
            if (code == 133 || code == 176)
                return '|';
            return '+';
        default:
            return ' ';
    }
}

Text ReplaceFrames(const Text& line, int option) {
    if (option < 1 || option > 3)
        return line;
    Text out = line;
    for (std::size_t i = 0; i < out.size(); ++i)
        if (IsFrameCode(out.Code(i)))
            out[i] = FrameReplacement(out.Code(i), option);
    return out;
}

Text ToCodePage(const Text& line, int option) {
    switch (option) {
        case 0:
            return ConvertCodePage(line, CodePageDirection::kWin1250ToPlain);
        case 1:
            return ConvertCodePage(line, CodePageDirection::kWin1250ToKamenicky);
        case 2:
            return ConvertCodePage(line, CodePageDirection::kWin1250ToCp852);
        case 4:
            return Text::FromBytes(ListingToUtf8(line));
        default:
            return line;
    }
}

/// The permissions the finished file gets: those of the file it replaces, else the usual ones
/// of a new file.
mode_t NewFileMode(const std::filesystem::path& target, bool exists) {
    struct stat st {};
    if (exists && ::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

Text Message(const char* before, const std::filesystem::path& file) {
    return FromUtf8(before) + storage::TextFromPath(file) + "]. Funkci nelze provést."_t;
}

/// The output file of a conversion. A new file is written beside the target and renamed over
/// it at the end, so that a failure leaves an existing file as it was; an appended file is cut
/// back to its old size on failure. Devices and the like are written directly.
class OutputFile {
  public:
    bool Open(const std::filesystem::path& target, bool append) {
        target_ = target;
        std::error_code ec;
        const bool regular = std::filesystem::is_regular_file(target, ec);
        const bool exists = std::filesystem::exists(target, ec);
        if (append) {
            file_ = std::fopen(target.c_str(), "ab");
            if (file_ && regular)
                oldSize_ = static_cast<long long>(std::filesystem::file_size(target, ec));
            return file_ != nullptr;
        }
        if (exists && !regular) {
            file_ = std::fopen(target.c_str(), "wb");
            return file_ != nullptr;
        }
        std::string pattern =
            (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            // A directory that takes no new file may still let an existing file be rewritten.
            file_ = exists ? std::fopen(target.c_str(), "wb") : nullptr;
            return file_ != nullptr;
        }
        temporary_ = pattern;
        ::fchmod(fd, NewFileMode(target, exists));
        file_ = ::fdopen(fd, "wb");
        if (!file_) {
            ::close(fd);
            Discard();
        }
        return file_ != nullptr;
    }
    bool Write(std::string_view bytes) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    }
    /// Closes and puts the file in place; false on a write error.
    bool Commit() {
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!closed) {
            Discard();
            return false;
        }
        if (!temporary_.empty()) {
            std::error_code ec;
            std::filesystem::rename(temporary_, target_, ec);
            if (ec) {
                Discard();
                return false;
            }
            temporary_.clear();
        }
        return true;
    }
    /// Gives up: nothing of this conversion stays.
    void Discard() {
        if (file_)
            std::fclose(file_);
        file_ = nullptr;
        if (!temporary_.empty())
            storage::DeleteFileQuiet(temporary_);
        temporary_.clear();
        if (oldSize_ >= 0)
            (void)!::truncate(target_.c_str(), oldSize_);
        oldSize_ = -1;
    }
    ~OutputFile() {
        if (file_ || !temporary_.empty())
            Discard();
    }

  private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    long long oldSize_ = -1;
};

struct InputFile {
    std::FILE* file = nullptr;
    ~InputFile() {
        if (file)
            std::fclose(file);
    }
};

using LineWriter = std::function<std::string(const Text& line)>;

/// The run both conversions share: open, head, converted lines, tail, close, messages.
bool Convert(UiServices& ui, const std::filesystem::path& listing,
             const std::filesystem::path& output, const LineConversion& conversion, bool append,
             const std::string& head, const std::string& tail, const LineWriter& write) {
    auto plain = [&ui](const Text& text) { ui.ShowMessage(MessageKind::Plain, text); };
    InputFile in;
    std::error_code ec;
    if (std::filesystem::is_regular_file(listing, ec))
        in.file = std::fopen(listing.c_str(), "rb");
    if (!in.file) {
        plain(Message("Nelze otevřít vstupní textový soubor [", listing));
        return false;
    }
    OutputFile out;
    if (!out.Open(output, append)) {
        plain(Message("Nelze otevřít výstupní textový soubor [", output));
        return false;
    }
    const auto size = std::filesystem::file_size(listing, ec);
    ProgressPanel panel(ui, false,
                        static_cast<int>(std::min<std::uintmax_t>(ec ? 0 : size, 1 << 30)), {},
                        " Konverze sestavy do příslušného tvaru"_t);
    bool ok = (!append || out.Write("\r\n\r\n\r\n")) && out.Write(head);
    char* buffer = nullptr;
    std::size_t capacity = 0;
    long long position = 0;
    ssize_t n = 0;
    while (ok && (n = ::getline(&buffer, &capacity, in.file)) >= 0) {
        std::string_view raw(buffer, static_cast<std::size_t>(n));
        if (!raw.empty() && raw.back() == '\n')
            raw.remove_suffix(1);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        position += static_cast<long long>(raw.size()) + 2;
        panel.StepTo(static_cast<int>(std::min<long long>(position, 1 << 30)));
        if (const auto line = ConvertListingLine(Text::FromBytes(raw), conversion))
            ok = out.Write(write(*line));
    }
    std::free(buffer);
    if (ok && std::ferror(in.file)) {
        out.Discard();
        plain(Message("Chyba při čtení vstupního textového souboru [", listing));
        return false;
    }
    if (!ok || !out.Write(tail) || !out.Commit()) {
        out.Discard();
        plain(Message("Chyba při zápisu výstupního textového souboru [", output));
        return false;
    }
    return true;
}

}  // namespace

std::optional<Text> ConvertListingLine(const Text& line, const LineConversion& conversion) {
    Text out = line;
    const bool onlyFormFeed = Trim(line) == Text(1, kFormFeed);
    if (conversion.kind == OutputKind::Html) {
        if (onlyFormFeed)
            out = ReplaceChar(out, kFormFeed, ' ');
    } else if (conversion.noPageBreak) {
        if (onlyFormFeed)
            return std::nullopt;
        out = RemoveChar(out, kFormFeed);
    }
    out = ReplaceFrames(out, conversion.frameOption);
    if (conversion.kind == OutputKind::TextFile)
        out = ToCodePage(out, conversion.codePage);
    return out;
}

std::string HtmlLine(const Text& line) {
    Text escaped;
    for (char ch : line) {
        if (ch == '&')
            escaped += "&amp;"_t;
        else if (ch == '<')
            escaped += "&lt;"_t;
        else if (ch == '>')
            escaped += "&gt;"_t;
        else
            escaped += ch;
    }
    const Text framed = BoxCharsToHtml(escaped);
    std::string out;
    for (char ch : framed) {
        const auto code = static_cast<unsigned char>(ch);
        if (code < 0x80)
            out += ch;
        else
            out += "&#" + std::to_string(static_cast<unsigned>(Cp1250ToUnicode(code))) + ";";
    }
    return out;
}

bool ConvertListingToText(UiServices& ui, const std::filesystem::path& listing,
                          const std::filesystem::path& output, const LineConversion& conversion,
                          bool append) {
    return Convert(ui, listing, output, conversion, append, {}, {},
                   [](const Text& line) { return line.Bytes() + "\r\n"; });
}

bool ConvertListingToHtml(UiServices& ui, const std::filesystem::path& listing,
                          const std::filesystem::path& output, const LineConversion& conversion,
                          bool append) {
    LineConversion html = conversion;
    html.kind = OutputKind::Html;
    return Convert(ui, listing, output, html, append, std::string(kHtmlHead) + "\r\n",
                   std::string(kHtmlTail) + "\r\n",
                   [](const Text& line) { return HtmlLine(line) + "\r\n"; });
}

}  // namespace axo::ui

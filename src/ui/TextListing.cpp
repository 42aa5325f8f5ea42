// The listing object: its file, its lines, frames, page breaks and page heading, and the run of
// a descendant.
#include "ui/TextListing.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "storage/WorkFiles.h"
#include "ui/ListingOutput.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

constexpr char kFormFeed = '\f';
constexpr char kHorizontal = '\x81';  // ─
constexpr char kVertical = '\x85';    // │

/// The frame line of a set of widths: `first`, then per column the fill and the joint; the
/// last joint becomes `last`.
Text FrameLine(const std::vector<int>& widths, char first, char fill, char joint, char last) {
    std::string line(1, first);
    for (int w : widths) {
        line.append(static_cast<std::size_t>(w), fill);
        line.push_back(joint);
    }
    line.back() = last;
    return Text::FromBytes(line.substr(0, kMaxShortText));
}

/// `left` padded with blanks so that `right` ends the line at `width`.
Text HeadingLine(const Text& left, const Text& right, std::size_t width) {
    const std::size_t room = width > right.size() ? width - right.size() : 0;
    return LeftJustify(left, room) + right;
}

Text Centred(const Text& text, std::size_t width) {
    if (text.size() >= width)
        return text;
    const std::size_t left = (width - text.size()) / 2;
    return Blanks(left) + text + Blanks(width - text.size() - left);
}

}  // namespace

TextListing::TextListing(const ListingEnvironment& env) : env_(env) {}

TextListing::~TextListing() {
    CloseListingFile();
    if (!handedOver_ && !fileName_.empty())
        storage::DeleteFileQuiet(fileName_);
    progress_.reset();
    FreeSortFile();
}

bool TextListing::Open() {
    const PageLengths lengths = CurrentPageLengths(env_);
    narrowLength = lengths.narrow;
    wideLength = lengths.wide;
    const storage::DataContext& ctx = *env_.data;
    const std::filesystem::path dir = ctx.WorkDirectoryOrCurrent();
    fileName_ = storage::RandomNotExistKomplName(ctx, dir, "OP"_t, {});
    // The probe tells a work directory that takes no new file before the listing is made.
    const std::filesystem::path probe = storage::RandomNotExistKomplName(ctx, dir, "PS"_t, {});
    int error = 0;
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        error = errno;
    else
        ::close(fd);
    storage::DeleteFileQuiet(probe);
    if (error == 0) {
        file_ = std::fopen(fileName_.c_str(), "wb");
        if (!file_)
            error = errno;
    }
    if (error != 0) {
        storage::DeleteFileQuiet(fileName_);
        fileName_.clear();
        Ui().ShowErrorLine("Chyba "_t + IntToText(error) +
                           ", při zakládání textového souboru pro výstup."_t);
        return false;
    }
    outputMode = 0;
    printoutName.clear();
    progressCaption.clear();
    dateLabel = "Datum  : "_t;
    pageLabel = "Strana : "_t;
    return true;
}

void TextListing::Init() {
    lineCounter = 0;
    pageNumber = 1;
    titles = {};
    plainHeader = {};
    lineWidth = 78;
    failed = true;
    stopped = false;
    progress_.reset();
    FreeSortFile();
    columnWidths = {};
    framedHeader = {};
    topLine.clear();
    separatorLine.clear();
    bottomLine.clear();
    emptyRowLine.clear();
}

void TextListing::BuildFrameLines() {
    std::vector<int> widths;
    for (std::uint8_t w : columnWidths) {
        if (w == kEndOfColumns)
            break;
        if (w != kSkippedColumn)
            widths.push_back(w);
    }
    if (widths.empty())
        return;
    int width = 1;
    for (int w : widths)
        width += w + 1;
    lineWidth = static_cast<std::uint16_t>(width);
    topLine = FrameLine(widths, '\x87', kHorizontal, '\xA5', '\x90');        // ┌ ┬ ┐
    separatorLine = FrameLine(widths, '\xA0', kHorizontal, '\x86', '\xA3');  // ├ ┼ ┤
    bottomLine = FrameLine(widths, '\x95', kHorizontal, '\xAA', '\x9C');     // └ ┴ ┘
    emptyRowLine = FrameLine(widths, kVertical, ' ', kVertical, kVertical);
}

Text TextListing::FramedLine(const std::vector<Text>& cells) const {
    std::string line(1, kVertical);
    std::size_t cell = 0;
    for (std::uint8_t w : columnWidths) {
        if (w == kEndOfColumns)
            break;
        if (w == kSkippedColumn)
            continue;
        const Text text = cell < cells.size() ? cells[cell] : Text();
        ++cell;
        line += LeftJustify(text, w).Bytes();
        line.push_back(kVertical);
    }
    return Text::FromBytes(line.substr(0, kMaxShortText));
}

bool TextListing::HasRoom(int lines) const {
    if (narrowLength == 0 && wideLength == 0)
        return true;
    const int length = lineWidth > 80 ? wideLength : narrowLength;
    // Only one of the lengths set: the other width prints on endless paper rather than
    // breaking the page before every line.
    if (length == 0)
        return true;
    return lineCounter + lines < length;
}

bool TextListing::Put(const Text& line) {
    // After the first failure nothing more is written: a later line that fits again (space
    // freed meanwhile) must not make the gap look like a whole printout.
    if (!file_ || writeError_ != 0)
        return false;
    const std::string bytes = line.Bytes() + "\r\n";
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size())
        return true;
    writeError_ = errno != 0 ? errno : EIO;
    return false;
}

void TextListing::WriteLine(const Text& text) {
    if ((!text.empty() && text[0] == kFormFeed) || text == "\r\n\f"_t) {
        Put(Text(1, kFormFeed));
        lineCounter = 0;
        ++pageNumber;
        return;
    }
    if (Put(text))
        ++lineCounter;
}

void TextListing::WriteLineWithRoom(const Text& text, int lines) {
    if (!HasRoom(lines)) {
        WriteLine(bottomLine);
        WriteLine(Text(1, kFormFeed));
        PageHeading();
    }
    WriteLine(text);
}

Text TextListing::DateLine() const {
    const Clock& clock = env_.GetClock();
    if (env_.systemDateTime)
        return TodayText(clock) + " "_t + TimeText(3, clock);
    return dateLabel + (env_.programDate.empty() ? TodayText(clock) : env_.programDate);
}

void TextListing::PageHeading() {
    const std::size_t width = lineWidth;
    WriteLine(
        HeadingLine(env_.firmName, pageLabel + RightJustify(IntToText(pageNumber), 10), width));
    WriteLine(HeadingLine(env_.firmAddress, DateLine(), width));
    WriteLine({});
    AfterDateLines();
    for (const Text& title : titles)
        if (!title.empty())
            WriteLine(Centred(title, width));
    WriteLine({});
    BeforeColumnHeader();
    if (!framedHeader[0].empty()) {
        WriteLine(TopFrameLine());
        for (const Text& line : framedHeader)
            if (!line.empty())
                WriteLine(line);
        WriteLine(SeparatorLine());
    }
    if (!plainHeader[0].empty()) {
        WriteLine(plainHeader[0]);
        if (!plainHeader[1].empty())
            WriteLine(plainHeader[1]);
        WriteLine(plainHeader[2].empty() ? Repeat(kHorizontal, width) : plainHeader[2]);
    }
}

void TextListing::PrepareHeading() {
    titles = {};
    plainHeader = {};
}

void TextListing::CloseListingFile() {
    if (!file_)
        return;
    // The last buffered lines are written only now: a full disk often shows itself here.
    errno = 0;
    if ((std::fflush(file_) != 0 || std::ferror(file_)) && writeError_ == 0)
        writeError_ = errno != 0 ? errno : EIO;
    errno = 0;
    if (std::fclose(file_) != 0 && writeError_ == 0)
        writeError_ = errno != 0 ? errno : EIO;
    file_ = nullptr;
}

ListingView TextListing::View(const std::filesystem::path& file) const {
    return ListingView{printoutName, file, lineWidth, narrowLength, wideLength};
}

std::optional<ListingView> TextListing::Keep() {
    CloseListingFile();
    if (writeError_ != 0 || fileName_.empty() || !storage::FileExists(fileName_))
        return std::nullopt;
    handedOver_ = true;
    return View(fileName_);
}

void TextListing::HandOver(const std::filesystem::path& file) {
    if (file == fileName_) {
        CloseListingFile();
        // A listing cut short is never shown as if it were the printout; the file goes with
        // the object.
        if (writeError_ != 0) {
            if (!failureReported_)
                Ui().PrintoutFailed(View(file), file, writeError_);
            failureReported_ = true;
            return;
        }
    }
    if (!storage::FileExists(file))
        return;
    if (file == fileName_)
        handedOver_ = true;
    HandListingOver(env_, View(file));
}

void TextListing::Run() {
    if (!MayRun())
        return;
    Init();
    if (OpenInputs()) {
        PrepareHeading();
        if (Collect())
            failed = !Body();
    }
    if (outputMode != kOutputOwn)
        CloseListingFile();
    CloseInputs();
    if (failed) {
        OnFailed();
    } else if (MayShow()) {
        if (outputMode == kOutputOwn)
            OwnOutput();
        else
            HandOver(fileName_);
    }
}

void TextListing::CloseInputs() {
    progress_.reset();
    FreeSortFile();
}

}  // namespace axo::ui

// The RTF subset of text elements: groups, control words and symbols, the font and colour
// tables, character and paragraph settings; everything else is skipped or ignored.
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "report/layout/TextBuilder.h"

namespace axo::report {

namespace {

enum class Destination { kText, kFontTable, kColourTable, kSkip };

struct GroupState {
    TCharStyle chars;
    TParagraph paragraph;
    Destination destination = Destination::kText;
};

struct FontEntry {
    Text name;
    int charset = 0;
};

const std::set<std::string_view>& SkippedGroups() {
    static const std::set<std::string_view> words = {
        "author",  "buptim",   "comment",  "creatim", "doccomm",    "footer",   "footerf",
        "footerl", "footerr",  "footnote", "ftncn",   "ftnsep",     "ftnsepc",  "header",
        "headerf", "headerl",  "headerr",  "info",    "keywords",   "operator", "pict",
        "printim", "private1", "revtim",   "rxe",     "stylesheet", "subject",  "tc",
        "title",   "txe",      "xe"};
    return words;
}

bool FontFamilyWord(std::string_view w) {
    return w == "fnil" || w == "froman" || w == "fswiss" || w == "fmodern" || w == "fscript" ||
           w == "fdecor" || w == "ftech";
}

const std::set<std::string_view>& KnownWords() {
    static const std::set<std::string_view> words = {
        "b", "i", "ul", "ulnone", "plain", "f", "fcharset", "fs", "cf", "pard", "li", "ri", "fi",
        "pnindent", "ql", "qr", "qc", "qj", "deftab", "par", "row", "tab", "cell", "ldblquote",
        "rdblquote", "fonttbl", "colortbl", "red", "green", "blue", "bin",
        // accepted without effect
        "cols", "sbknone", "sbkcol", "sbkeven", "sbkodd", "sbkpage", "pgnx", "pgny", "pgndec",
        "pgnucrm", "pgnlcrm", "pgnucltr", "pgnlcltr", "paperw", "paperh", "margl", "margr", "margt",
        "margb", "pgnstart", "facingp", "landscape", "fnil", "froman", "fswiss", "fmodern",
        "fscript", "fdecor", "ftech"};
    return words;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

class RtfReader {
  public:
    RtfReader(const Text& rtf, TextBuilder& b) : s_(rtf.View()), b_(b) {}

    void Run() {
        GroupState state{b_.Chars(), b_.paragraph, Destination::kText};
        while (pos_ < s_.size() && !b_.Stopped()) {
            const char c = s_[pos_];
            if (c == '{') {
                ++pos_;
                Sync(state);
                stack_.push_back(state);
                starred_ = false;
            } else if (c == '}') {
                ++pos_;
                if (stack_.empty())
                    return;  // a closing brace without an opening one stops the layout
                if (state.destination == Destination::kColourTable && colourOpen_)
                    EndColour();
                state = stack_.back();
                stack_.pop_back();
                // The document's own group ends: its last line keeps the settings it had.
                if (stack_.empty() && !seenOuterEnd_) {
                    seenOuterEnd_ = true;
                    continue;
                }
                b_.EditChars() = state.chars;
                b_.paragraph = state.paragraph;
            } else if (c == '\\') {
                if (!ControlWord(state))
                    return;
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                Character(state, static_cast<unsigned char>(c));
            }
        }
    }

  private:
    void Sync(GroupState& state) {
        state.chars = b_.Chars();
        state.paragraph = b_.paragraph;
    }

    void Character(GroupState& state, unsigned char c) {
        switch (state.destination) {
            case Destination::kSkip:
                return;
            case Destination::kFontTable:
                if (c == ';') {
                    fonts_[fontEntry_].name = fontName_;
                    fontName_.clear();
                } else if (c != ' ' || !fontName_.empty()) {
                    fontName_ += static_cast<char>(c);
                }
                return;
            case Destination::kColourTable:
                if (c == ';')
                    EndColour();
                return;
            case Destination::kText:
                if (c == '\t')
                    b_.Tab();
                else
                    b_.Put(c);
                return;
        }
    }

    void EndColour() {
        colours_.push_back(static_cast<Colour>((blue_ << 16) | (green_ << 8) | red_));
        red_ = green_ = blue_ = 0;
        colourOpen_ = false;
    }

    /// Reads one control word or symbol at pos_; false when the text is malformed.
    bool ControlWord(GroupState& state) {
        ++pos_;
        if (pos_ >= s_.size())
            return false;
        const char c = s_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            return Symbol(state, c);
        }
        const std::size_t start = pos_;
        while (pos_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[pos_])))
            ++pos_;
        const std::string_view word = s_.substr(start, pos_ - start);
        bool hasNumber = false;
        long number = 0;
        const std::size_t numberStart = pos_;
        if (pos_ < s_.size() && s_[pos_] == '-')
            ++pos_;
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) {
            number = number * 10 + (s_[pos_] - '0');
            hasNumber = true;
            ++pos_;
        }
        if (hasNumber && s_[numberStart] == '-')
            number = -number;
        else if (!hasNumber)
            pos_ = numberStart;
        if (pos_ < s_.size() && s_[pos_] == ' ')
            ++pos_;
        const bool starred = starred_;
        starred_ = false;
        if (starred && !KnownWords().count(word)) {
            state.destination = Destination::kSkip;
            return true;
        }
        Apply(state, word, hasNumber, static_cast<int>(number));
        return true;
    }

    bool Symbol(GroupState& state, char c) {
        switch (c) {
            case '\'': {
                if (pos_ + 2 > s_.size())
                    return false;
                const int hi = HexDigit(s_[pos_]);
                const int lo = HexDigit(s_[pos_ + 1]);
                if (hi < 0 || lo < 0)
                    return false;
                pos_ += 2;
                Character(state, static_cast<unsigned char>(hi * 16 + lo));
                return true;
            }
            case '*':
                starred_ = true;
                return true;
            case '~':
                Character(state, ' ');
                return true;
            case '\\':
            case '{':
            case '}':
                Character(state, static_cast<unsigned char>(c));
                return true;
            case '\r':
            case '\n':
                if (state.destination == Destination::kText)
                    b_.ParagraphEnd();
                return true;
            default:
                return true;
        }
    }

    void Apply(GroupState& state, std::string_view w, bool hasNumber, int n) {
        if (state.destination == Destination::kSkip)
            return;
        if (SkippedGroups().count(w)) {
            state.destination = Destination::kSkip;
            return;
        }
        TCharStyle& ch = b_.EditChars();
        TParagraph& p = b_.paragraph;
        const bool on = !hasNumber || n != 0;
        if (w == "fonttbl") {
            state.destination = Destination::kFontTable;
        } else if (w == "colortbl") {
            state.destination = Destination::kColourTable;
        } else if (state.destination == Destination::kFontTable) {
            if (w == "f") {
                fontEntry_ = n;
                fontName_.clear();
            } else if (w == "fcharset") {
                fonts_[fontEntry_].charset = n;
            }
        } else if (state.destination == Destination::kColourTable) {
            colourOpen_ = true;
            if (w == "red")
                red_ = n & 0xFF;
            else if (w == "green")
                green_ = n & 0xFF;
            else if (w == "blue")
                blue_ = n & 0xFF;
        } else if (FontFamilyWord(w)) {
            state.destination = Destination::kSkip;
        } else if (w == "bin") {
            pos_ = std::min(s_.size(), pos_ + static_cast<std::size_t>(std::max(n, 0)));
        } else if (w == "b") {
            ch.style = on ? ch.style | kBold : ch.style & ~kBold;
        } else if (w == "i") {
            ch.style = on ? ch.style | kItalic : ch.style & ~kItalic;
        } else if (w == "ul") {
            ch.style = on ? ch.style | kUnderline : ch.style & ~kUnderline;
        } else if (w == "ulnone") {
            ch.style &= ~kUnderline;
        } else if (w == "plain") {
            ch.style &= ~(kBold | kItalic | kUnderline);
            ch.colour = kBlack;
        } else if (w == "f") {
            const auto it = fonts_.find(n);
            if (it != fonts_.end()) {
                ch.face = it->second.name;
                ch.charset = it->second.charset;
            }
        } else if (w == "fs") {
            ch.size = hasNumber ? n / 2.0 : 12;
        } else if (w == "cf") {
            ch.colour = n >= 0 && n < static_cast<int>(colours_.size())
                            ? colours_[static_cast<std::size_t>(n)]
                            : kBlack;
        } else if (w == "pard") {
            const int tab = p.tabWidth;
            p = TParagraph{};
            p.tabWidth = tab;
        } else if (w == "li") {
            p.leftIndent = n;
        } else if (w == "ri") {
            p.rightIndent = n;
        } else if (w == "fi") {
            p.firstIndent = n;
        } else if (w == "pnindent") {
            p.numberIndent = n == 0 ? 200 : n;
        } else if (w == "ql") {
            p.alignment = kAlignLeft;
        } else if (w == "qr") {
            p.alignment = kAlignRight;
        } else if (w == "qc") {
            p.alignment = kAlignCentre;
        } else if (w == "qj") {
            p.alignment = kAlignJustified;
        } else if (w == "deftab") {
            p.tabWidth = hasNumber ? n : 512;
        } else if (w == "par" || w == "row") {
            b_.ParagraphEnd();
        } else if (w == "tab" || w == "cell") {
            b_.Tab();
        } else if (w == "ldblquote" || w == "rdblquote") {
            Character(state, '\'');
        }
    }

    std::string_view s_;
    TextBuilder& b_;
    std::size_t pos_ = 0;
    std::vector<GroupState> stack_;
    bool starred_ = false;
    bool seenOuterEnd_ = false;
    std::map<int, FontEntry> fonts_;
    int fontEntry_ = 0;
    Text fontName_;
    std::vector<Colour> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourOpen_ = false;
};

}  // namespace

void FeedRtf(const Text& rtf, TextBuilder& builder) {
    RtfReader(rtf, builder).Run();
}

}  // namespace axo::report

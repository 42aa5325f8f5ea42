// Text layout: the line builder and plain text.
#include "report/layout/TextLayout.h"

#include <algorithm>
#include <cmath>

#include "report/layout/TextBuilder.h"

namespace axo::report {

// ---- Laid-out text --------------------------------------------------------------------------

int TRadky::Height(int from, int to) const {
    if (lines.empty())
        return 0;
    if (to < 0 || to >= static_cast<int>(lines.size()))
        to = static_cast<int>(lines.size()) - 1;
    long long sum = kSubUnits;
    for (int i = std::max(from, 0); i <= to; ++i)
        sum += lines[static_cast<std::size_t>(i)].height;
    return static_cast<int>(sum / kSubUnits);
}

int TRadky::LinesThatFit(int from, int height) const {
    long long sum = kSubUnits;
    int n = 0;
    for (int i = from; i < static_cast<int>(lines.size()); ++i, ++n) {
        sum += lines[static_cast<std::size_t>(i)].height;
        if (sum > static_cast<long long>(height) * kSubUnits)
            break;
    }
    return n;
}

Text TRadky::LineText(int n) const {
    Text text;
    const TRadek& line = lines[static_cast<std::size_t>(n)];
    for (int f = 0; f < line.fragmentCount; ++f) {
        const TFragment& fr = fragments[static_cast<std::size_t>(line.firstFragment + f)];
        text +=
            chars.substr(static_cast<std::size_t>(fr.first), static_cast<std::size_t>(fr.count));
    }
    return text;
}

// ---- The builder ----------------------------------------------------------------------------

TextBuilder::TextBuilder(const TTextInput& input, TFontMetrics& metrics)
    : input_(input),
      metrics_(metrics),
      chars_(input.font),
      W_(input.boxWidth * kSubUnits),
      pitch_(static_cast<int>(std::lround(input.pitch * kSubUnits))),
      fixedHeight_(static_cast<int>(input.fixedLineHeight * kSubUnits + 0.5)) {
    paragraph.alignment = input.alignment;
    glyphs_.swap(Spares().glyphs);
    measures_.swap(Spares().measures);
    out_.chars.reserve(input.text.size());
    out_.x.reserve(input.text.size());
}

TextBuilder::~TextBuilder() {
    glyphs_.clear();
    glyphs_.swap(Spares().glyphs);
    measures_.clear();
    measures_.swap(Spares().measures);
}

TextBuilder::Spare& TextBuilder::Spares() {
    // Texts are laid out one after another by the thousand: the buffers of the last one
    // serve the next instead of being allocated anew.
    static thread_local Spare spare;
    return spare;
}

int TextBuilder::StyleIndex() {
    if (lastStyle_ >= 0)
        return lastStyle_;
    int index = -1;
    for (std::size_t i = 0; i < out_.styles.size(); ++i)
        if (out_.styles[i] == chars_)
            index = static_cast<int>(i);
    if (index < 0) {
        index = static_cast<int>(out_.styles.size());
        out_.styles.push_back(chars_);
        const TFaceMetrics& face = metrics_.Face(chars_.face, chars_.style & (kBold | kItalic));
        measures_.push_back({&face, face.TextHeight(chars_.size)});
    }
    lastStyle_ = index;
    return index;
}

int TextBuilder::Available() const {
    int w = W_ - kSubUnits - Sub(paragraph.leftIndent + paragraph.rightIndent);
    if (paragraphStart_)
        w -= Sub(paragraph.firstIndent);
    return w;
}

void TextBuilder::NewLine(bool paragraphStart) {
    glyphs_.clear();
    x_ = 0;
    height_ = fixedHeight_ > 0 ? fixedHeight_ : 2 * kSubUnits;
    paragraphStart_ = paragraphStart;
    break_.reset();
    lineOpen_ = true;
}

int TextBuilder::Offset(int width) const {
    const TParagraph& p = paragraph;
    const int first = paragraphStart_ ? Sub(p.firstIndent + p.numberIndent) : 0;
    switch (p.alignment) {
        case kAlignLeft:
        case kAlignJustified:
            return kSubUnits + Sub(p.leftIndent) + first;
        case kAlignRight:
            return W_ - kSubUnits - width - Sub(p.rightIndent);
        case kAlignCentre:
            return (W_ - width - Sub(p.leftIndent + p.rightIndent)) / 2 + Sub(p.leftIndent) +
                   Sub(p.numberIndent);
        default:
            return kSubUnits;
    }
}

void TextBuilder::Emit(std::size_t count, int width, bool wrapped) {
    TRadek line;
    line.firstFragment = static_cast<int>(out_.fragments.size());
    line.height = height_;
    line.width = width;
    line.wrapped = wrapped;
    line.paragraphStart = paragraphStart_;
    line.offset = Offset(width);
    double stretch = 1;
    if (wrapped && paragraph.alignment == kAlignJustified && width > 0) {
        const TParagraph& p = paragraph;
        const int s = kSubUnits + Sub(p.leftIndent + p.numberIndent) +
                      (paragraphStart_ ? Sub(p.firstIndent) : 0);
        stretch = static_cast<double>(W_ - Sub(p.rightIndent) - s) / width;
    }
    auto place = [&](int x) {
        return stretch == 1 ? x : static_cast<int>(std::trunc(x * stretch));
    };
    for (std::size_t i = 0; i < count; ++i) {
        const Glyph& g = glyphs_[i];
        if (i == 0 || g.style != glyphs_[i - 1].style) {
            if (i > 0)
                out_.fragments.back().end = place(g.x);
            out_.fragments.push_back({g.style, static_cast<int>(out_.chars.size()), 0, 0});
            ++line.fragmentCount;
        }
        out_.chars += static_cast<char>(g.c);
        out_.x.push_back(place(g.x));
        ++out_.fragments.back().count;
    }
    if (line.fragmentCount > 0)
        out_.fragments.back().end = place(width);
    if (stretch != 1)
        line.width = place(width);
    out_.lines.push_back(line);
}

void TextBuilder::Put(unsigned char c) {
    if (stopped_)
        return;
    if (!lineOpen_)
        NewLine(paragraphStart_);
    const int style = StyleIndex();
    const TCharStyle& s = out_.styles[static_cast<std::size_t>(style)];
    const TFaceMetrics& face = *measures_[static_cast<std::size_t>(style)].face;
    const int w = face.Advance(c, s.size);
    const int textHeight = measures_[static_cast<std::size_t>(style)].height;
    const int start = x_;
    glyphs_.push_back({c, x_, style, textHeight});
    if (pitch_ > 0) {
        const double p = pitch_;
        x_ = static_cast<int>(std::lround(std::round((x_ + p) / p) * p));
    } else {
        x_ += w;
    }
    if (fixedHeight_ == 0)
        height_ = std::max(height_, textHeight);
    if (c == ' ' || !input_.multiLine)
        break_ = Break{glyphs_.size(), x_};
    const int end = pitch_ > 0 ? x_ : start + w;
    if (end + 2 > Available()) {
        if (!break_)
            break_ = Break{glyphs_.size(), x_};
        EndAtBreak();
    }
}

void TextBuilder::Tab() {
    if (stopped_)
        return;
    if (!lineOpen_)
        NewLine(paragraphStart_);
    const int t = x_ * 15 / kSubUnits;
    const int tab = paragraph.tabWidth > 0 ? paragraph.tabWidth : 720;
    const int next = (t + tab) / tab * tab;
    const int li = paragraph.leftIndent;
    x_ = Sub(t < li && li < next ? li : next);
    break_ = Break{glyphs_.size(), x_};
    if (x_ > Available())
        EndAtBreak();
}

void TextBuilder::EndAtBreak() {
    const Break b = *break_;
    Emit(b.count, b.x, true);
    if (!input_.multiLine) {
        stopped_ = true;
        lineOpen_ = false;
        return;
    }
    std::vector<Glyph> carried(glyphs_.begin() + static_cast<std::ptrdiff_t>(b.count),
                               glyphs_.end());
    const int x = x_ - b.x;
    NewLine(false);
    for (Glyph& g : carried) {
        g.x -= b.x;
        if (fixedHeight_ == 0)
            height_ = std::max(height_, g.height);
    }
    glyphs_ = std::move(carried);
    x_ = x;
}

void TextBuilder::ParagraphEnd() {
    if (stopped_)
        return;
    if (!lineOpen_)
        NewLine(paragraphStart_);
    const int style = StyleIndex();
    height_ = std::max({height_, measures_[static_cast<std::size_t>(style)].height, fixedHeight_});
    Emit(glyphs_.size(), x_, false);
    lineOpen_ = false;
    if (!input_.multiLine) {
        stopped_ = true;
        return;
    }
    paragraphStart_ = true;
    NewLine(true);
}

TRadky TextBuilder::Finish() {
    if (lineOpen_ && !stopped_) {
        // The end of the text ends the last line as a paragraph end does, without a new one.
        const int style = StyleIndex();
        height_ =
            std::max({height_, measures_[static_cast<std::size_t>(style)].height, fixedHeight_});
        Emit(glyphs_.size(), x_, false);
    }
    out_.first = 0;
    out_.last = static_cast<int>(out_.lines.size()) - 1;
    return std::move(out_);
}

// ---- Plain text -----------------------------------------------------------------------------

TTextInput TextInputOf(const TSiReportElement& e, Text text, bool multiLine) {
    TTextInput in;
    in.text = std::move(text);
    in.boxWidth = e.width;
    in.font = {e.font.name, e.font.charset, static_cast<double>(e.font.size), e.font.colour,
               e.font.style};
    in.alignment = e.Alignment();
    in.multiLine = multiLine;
    in.rtf = (e.textOptions & kTextRtf) != 0;
    in.pitch = e.pitch;
    if (const auto device = DeviceFontOf(e.font.name)) {
        in.font.face = device->screenFace;
        in.font.size = device->screenSize;
        in.font.charset = device->charset;
        in.pitch = device->cellWidth;
        in.fixedLineHeight = device->lineHeight;
    }
    return in;
}

TRadky LayOutText(const TTextInput& input, TFontMetrics& metrics) {
    if (input.text.empty())
        return {};
    TextBuilder b(input, metrics);
    if (input.rtf) {
        FeedRtf(input.text, b);
        return b.Finish();
    }
    for (std::size_t i = 0; i < input.text.size() && !b.Stopped(); ++i) {
        const unsigned char c = input.text.Code(i);
        if (c == '\n')
            b.ParagraphEnd();
        else if (c == '\t')
            b.Tab();
        else if (c != '\r')
            b.Put(c);
    }
    return b.Finish();
}

TRadky LayOutSingleLine(const TTextInput& input, TFontMetrics& metrics) {
    TTextInput one = input;
    one.multiLine = true;
    one.boxWidth = 1 << 20;  // never full
    one.alignment = kAlignLeft;
    one.rtf = false;
    Text flat;
    for (char c : input.text)
        if (c != '\r' && c != '\n')
            flat += c;
    one.text = flat;
    TRadky r = LayOutText(one, metrics);
    for (TRadek& line : r.lines)
        line.offset = 0;
    return r;
}

}  // namespace axo::report

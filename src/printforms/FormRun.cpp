// Printing one form: substituting acronyms into the lines of its sections, page breaks with
// the page footer and header, page ends, keeping records together, and the fill of the last
// page before the report footer.
#include <optional>

#include "printforms/FormConditions.h"
#include "printforms/FormFunctions.h"
#include "printforms/FormPrinter.h"
#include "util/Retezce.h"

namespace axo::printforms {

namespace {

constexpr char kMarker = '$';

bool IsAcronymChar(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')
        return true;
    // The Czech letters of Windows-1250 (none of them is a frame character).
    static const Text kCzech = "ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽáčďéěíňóřšťúůýž"_t;
    return kCzech.find(ch) != Text::npos;
}

/// Sections after whose lines the page may be full.
bool BreaksPages(FormSection s) {
    return s != FormSection::ReportHeader && s != FormSection::PageHeader &&
           s != FormSection::PageFooter && s != FormSection::ReportFooter;
}

bool Blank(const Text& text) {
    return text.View().find_first_not_of(' ') == std::string_view::npos;
}

/// A line after substitution.
struct Substituted {
    Text text;
    bool pageEnd = false;  ///< it holds the acronym KONECSTRANY
    /// It holds nothing but the blanks of failed conditions: it is not printed.
    bool onlyFailed = false;
};

}  // namespace

class FormPrintout::Run {
  public:
    Run(FormPrintout& printout, const TextForm& form) : p_(printout), form_(form) {
        const ui::TextListing& listing = *p_.listing_;
        const int length = form.Width() > 80 ? listing.wideLength : listing.narrowLength;
        endless_ = form.endlessPaper || length == 0;
        pageLength_ = length;
    }

    void Print(FormDataSource* source) {
        for (const auto& [name, value] : form_.external)
            p_.acronyms_.Set(name, value);
        if (form_.LineCount(FormSection::ReportHeader) > 0)
            Section(FormSection::ReportHeader);
        else
            PageHeader();
        if (source) {
            while (source->NextRecord(p_.acronyms_))
                Record(*source);
        } else {
            Section(FormSection::Body);
        }
        End();
    }

  private:
    FormPrintout& p_;
    const TextForm& form_;
    bool endless_ = true;
    int pageLength_ = 0;
    bool inPageHeader_ = false;

    int FooterLength() const { return form_.LineCount(FormSection::PageFooter); }
    bool PageFull() const { return !endless_ && p_.counter_ + FooterLength() >= pageLength_; }

    void Record(FormDataSource& source) {
        if (source.KeepTogether() && !endless_ && p_.counter_ > 0 &&
            p_.counter_ + form_.LineCount(FormSection::Body) + source.ExtraLines() +
                    FooterLength() >=
                pageLength_)
            BreakPage();
        Section(FormSection::Body);
        for (const Text& note : source.NoteLines()) {
            p_.acronyms_.Set("RADEKPOZNAMKY"_t, note);
            Section(FormSection::Notes);
        }
        if (source.NextSpecialRow(p_.acronyms_)) {
            Section(FormSection::SpecialHeader);
            do {
                Section(FormSection::Special);
            } while (source.NextSpecialRow(p_.acronyms_));
            Section(FormSection::SpecialFooter);
        }
    }

    void End() {
        const int footer = form_.LineCount(FormSection::ReportFooter);
        if (footer > 0 && !endless_ && p_.counter_ + footer > pageLength_) {
            // The fill repeats a line of blanks: a body without a printable line (or the
            // values of the last record) must not be repeated.
            if (const std::optional<Text> filler = FillerLine()) {
                while (p_.counter_ + FooterLength() < pageLength_) {
                    p_.Write(*filler);
                    ++p_.counter_;
                }
            }
            BreakPage();
        }
        Section(FormSection::ReportFooter);
    }

    void PageHeader() {
        inPageHeader_ = true;
        Section(FormSection::PageHeader);
        inPageHeader_ = false;
    }

    void BreakPage() {
        Section(FormSection::PageFooter);
        p_.counter_ = 0;
        p_.AdvancePage();
        PageHeader();
    }

    void Section(FormSection s) {
        for (const Text& line : form_.Lines(s)) {
            const Substituted sub = Substitute(line, s, false);
            if (sub.onlyFailed || (!sub.text.empty() && sub.text[0] == '@'))
                continue;
            p_.Write(sub.text);
            ++p_.counter_;
            if (sub.pageEnd) {
                if (s == FormSection::PageFooter || s == FormSection::ReportFooter)
                    continue;
                p_.counter_ = 0;
                p_.AdvancePage();
                // A page end inside the page header itself does not print the header again.
                if (s != FormSection::ReportHeader && !inPageHeader_)
                    PageHeader();
            } else if (BreaksPages(s) && PageFull()) {
                BreakPage();
            }
        }
    }

    /// The first body line that does not begin with "@", every acronym as blanks.
    std::optional<Text> FillerLine() {
        for (const Text& line : form_.Lines(FormSection::Body))
            if (line.empty() || line[0] != '@')
                return Substitute(line, FormSection::Body, true).text;
        return std::nullopt;
    }

    int FieldWidth(const Text& name, int markerWidth) const {
        const ValueFormat* f = form_.FormatOf(name);
        return f && f->hasWidth ? f->FieldWidth() : markerWidth;
    }

    Substituted Substitute(const Text& line, FormSection s, bool filler) {
        Substituted out;
        bool failed = false;
        bool othersBlank = true;
        std::size_t literalStart = 0;
        std::size_t i = 0;
        auto literal = [&](std::size_t end) {
            const Text piece = line.substr(literalStart, end - literalStart);
            othersBlank = othersBlank && Blank(piece);
            out.text += piece;
        };
        while (i < line.size()) {
            std::size_t end = i + 1;
            if (line[i] != kMarker) {
                ++i;
                continue;
            }
            while (end < line.size() && IsAcronymChar(line[end]))
                ++end;
            if (end == i + 1) {
                ++i;
                continue;
            }
            literal(i);
            const Text name = NationalUpperCase(line.substr(i + 1, end - i - 1));
            const int markerWidth = static_cast<int>(end - i);
            bool markerFailed = false;
            const Text value = Value(name, markerWidth, s, filler, markerFailed, out.pageEnd);
            failed = failed || markerFailed;
            if (!markerFailed)
                othersBlank = othersBlank && Blank(value);
            out.text += value;
            i = literalStart = end;
        }
        literal(line.size());
        out.onlyFailed = failed && othersBlank;
        return out;
    }

    Text Value(const Text& name, int markerWidth, FormSection s, bool filler, bool& failed,
               bool& pageEnd) {
        int width = FieldWidth(name, markerWidth);
        if (filler)
            return Blanks(static_cast<std::size_t>(std::max(width, 0)));
        const Text* stored = p_.acronyms_.Find(name);
        if (!stored)
            return Text(static_cast<std::size_t>(std::max(width, 0)), '#');
        if (const Text* condition = form_.ConditionOf(name);
            condition && !ConditionHolds(*condition, p_.acronyms_)) {
            failed = true;
            return Blanks(static_cast<std::size_t>(std::max(width, 0)));
        }
        const Text raw = *stored;
        Text value = EvaluateValue(raw, p_.acronyms_);
        bool clearAfter = false;
        if (const ValueFormat* f = form_.FormatOf(name))
            value = FormatValue(value, *f, form_.UnitDecimals(), width, clearAfter);
        if (s != FormSection::PageFooter)
            value = FitValue(value, width);
        if (clearAfter)
            p_.acronyms_.Set(name, {});
        if (name == "KONECSTRANY"_t)
            pageEnd = true;
        return value;
    }
};

void FormPrintout::PrintForm(const TextForm& form, FormDataSource* source) {
    Run(*this, form).Print(source);
}

}  // namespace axo::printforms

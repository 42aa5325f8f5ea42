// The printout of forms: system acronyms, commands, pages and the hand-over.
#include "printforms/FormPrinter.h"

#include "printforms/FormTypes.h"
#include "util/AtomicFile.h"
#include "util/Cisla.h"
#include "util/Lines.h"
#include "util/Retezce.h"

namespace axo::printforms {

namespace {

constexpr char kFormFeed = '\f';

Text Rate(double rate) {
    return ShortestRealText(rate) + "%"_t;
}

}  // namespace

void SetSystemAcronyms(AcronymTable& a, const SystemAcronyms& v, int page) {
    a.Set("KONECSTRANY"_t, "\r\n\f"_t);
    a.Set("DNES"_t, v.today);
    a.Set("CAS"_t, v.time);
    a.Set("STRANA"_t, IntToText(page));
    a.Set("STR"_t, IntToText(page));
    a.Set("UR"_t, v.yearCode);
    a.Set("SETUPNAZEV"_t, v.firmName);
    a.Set("SETUPADRESA"_t, v.firmAddress);
    a.Set("SETUPICO"_t, v.ico);
    a.Set("SETUPDIC"_t, v.dic);
    a.Set("SETUPTEL"_t, v.phone);
    a.Set("SETUPFAX"_t, v.fax);
    a.Set("SETUPOBREJ1"_t, v.register1);
    a.Set("SETUPOBREJ2"_t, v.register2);
    // The VAT slots 0-5 print as P0, P3, P2, P5, P1 and P4; slot 4 is never filled.
    a.Set("P0"_t, "NED"_t);
    a.Set("P3"_t, Rate(v.vatRates[0]));
    a.Set("P2"_t, Rate(v.vatRates[1]));
    a.Set("P5"_t, Rate(v.vatRates[2]));
    a.Set("P1"_t, Rate(0));
    a.Set("P4"_t, "PDP"_t);
    a.Set("GLOBVYSTAVIL"_t, v.issuer);
    a.Set("NM"_t, v.currencySign);
    a.Set("MOBIL"_t, v.mobile);
    a.Set("MAIL"_t, v.mail);
    a.Set("SETUPTVARMJ"_t, IntToText(v.unitPriceDecimals));
}

std::optional<FormCommand> ParseFormCommand(const Text& line) {
    const std::size_t open = line.find('[');
    const std::size_t close = open == Text::npos ? Text::npos : line.find(']', open + 1);
    if (close == Text::npos)
        return std::nullopt;
    FormCommand c;
    c.kind = NationalUpperCase(Trim(line.substr(0, open)));
    c.name = Trim(line.substr(open + 1, close - open - 1));
    const Text rest = line.substr(close + 1);
    c.value = c.kind == "AKRONYM"_t ? TrimRight(rest) : Trim(rest);
    return c;
}

FormPrintout::FormPrintout(const FormPrintEnvironment& env) : env_(env) {}

FormPrintout::~FormPrintout() = default;

std::unique_ptr<FormPrintout> FormPrintout::Create(const FormPrintEnvironment& env) {
    std::unique_ptr<FormPrintout> printout(new FormPrintout(env));
    printout->listing_ = ui::CreateListing(*env.listing);
    if (!printout->listing_)
        return nullptr;
    printout->listing_->Init();
    printout->listing_->printoutName = env.title;
    SetSystemAcronyms(printout->acronyms_, env.system, printout->page_);
    return printout;
}

void FormPrintout::AdvancePage() {
    ++page_;
    acronyms_.Set("STRANA"_t, IntToText(page_));
    acronyms_.Set("STR"_t, IntToText(page_));
}

void FormPrintout::Write(const Text& line) {
    // A page-end value written with a line ends it: its line break and form feed make lines
    // of their own in the listing.
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find("\r\n"_t, start);
        const Text piece =
            TrimRight(line.substr(start, end == Text::npos ? Text::npos : end - start));
        listing_->WriteLine(piece);
        widest_ = std::max(widest_, piece.size());
        ++written_;
        if (end == Text::npos)
            break;
        start = end + 2;
    }
}

void FormPrintout::NewPage() {
    listing_->WriteLine(Text(1, kFormFeed));
    ++written_;
    counter_ = 0;
    AdvancePage();
}

void FormPrintout::CopyTextFile(const std::filesystem::path& file) {
    NewPage();
    std::string bytes;
    if (file.empty() || ReadWholeFile(file, bytes).error != 0) {
        env_.Ui().ShowErrorLine("Nelze otevřít vstupní textový soubor ["_t +
                                FromUtf8(file.string()) + "]."_t);
        return;
    }
    for (const Text& line : SplitLines(Text::FromBytes(std::move(bytes)))) {
        Write(line);
        ++counter_;
    }
}

void FormPrintout::PrintByCommand(int type, const FormCommand& command) {
    const std::optional<StoredForm> stored =
        env_.findForm ? env_.findForm(type, command.name) : std::nullopt;
    if (!stored) {
        env_.Ui().ShowError("Nebyl nalezen formulář :"_t + command.name);
        return;
    }
    const TextForm form = ParseTextForm(stored->content);
    std::unique_ptr<FormDataSource> source =
        env_.dataSources ? env_.dataSources(*stored, command.value) : nullptr;
    PrintForm(form, source.get());
}

void FormPrintout::Command(const Text& line, const Text& defaultValue) {
    std::optional<FormCommand> command = ParseFormCommand(line);
    if (!command)
        return;
    if (command->value == "%"_t)
        command->value = defaultValue;
    if (command->kind == "AKRONYM"_t) {
        acronyms_.Set(command->name, command->value);
    } else if (command->kind == "PRIKAZ"_t) {
        const Text order = NationalUpperCase(command->name);
        if (order == "NULUJAKRONYM"_t)
            acronyms_.Clear();
        else if (order == "NOVASTRANA"_t)
            NewPage();
        else if (order == "OPISTEXTSOUBOR"_t)
            CopyTextFile(command->value.empty() ? env_.textFile
                                                : std::filesystem::path(ToUtf8(command->value)));
    } else if (const int type = FormTypeNumber(command->kind); type != kUnknownFormType) {
        PrintByCommand(type, *command);
    }
}

bool FormPrintout::Finish() {
    listing_->lineWidth = static_cast<std::uint16_t>(std::max<std::size_t>(widest_, 1));
    listing_->CloseListingFile();
    if (written_ == 0)
        return false;
    listing_->HandOver(listing_->FileName());
    return true;
}

bool PrintCommandStream(const FormPrintEnvironment& env, const std::vector<Text>& commands,
                        const Text& defaultValue) {
    std::unique_ptr<FormPrintout> printout = FormPrintout::Create(env);
    if (!printout)
        return false;
    {
        const auto wait = env.Ui().ShowWait(" Č E K E J T E"_t);
        for (const Text& line : commands)
            printout->Command(line, defaultValue);
    }
    return printout->Finish();
}

}  // namespace axo::printforms

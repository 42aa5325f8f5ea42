// The registry lookup commands: the session's lookup context, the external address list read
// for the whole-list variants, and the results written as text.
#include "RegistryCommands.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "CliSession.h"
#include "CliUi.h"
#include "codelists/ExAdRegistry.h"
#include "codelists/SessionAddresses.h"
#include "lookups/AresLookup.h"
#include "lookups/RegistryIds.h"
#include "lookups/UnreliablePayers.h"
#include "lookups/VatPayerCheck.h"
#include "startup/SessionListing.h"
#include "util/Retezce.h"

namespace axo::cli {

namespace {

constexpr const char* kUsage =
    "Použití: axo-pap-cli registry vat DIČ... | registry vat --addresses | registry ares IČO | "
    "registry unreliable [--addresses] [--details]\n";

/// A text of the program (CR LF lines) as UTF-8 lines.
std::string Lines(const Text& text) {
    std::string utf8 = ToUtf8(text);
    std::string out;
    for (const char c : utf8)
        if (c != '\r')
            out += c;
    return out;
}

void PrintAddress(const lookups::AresAddress& a, std::ostream& out) {
    out << "IČO:   " << ToUtf8(a.ico) << "\nDIČ:   " << ToUtf8(a.dic) << "\n";
    for (const Text& line : a.names)
        if (!line.empty())
            out << "Název: " << ToUtf8(line) << "\n";
    out << "Ulice: " << ToUtf8(a.street) << "\nPSČ:   " << ToUtf8(a.postcode)
        << "\nObec:  " << ToUtf8(a.town) << "\nStát:  " << ToUtf8(a.stateCode) << " "
        << ToUtf8(a.stateName) << "\n";
}

/// The checked payers' results, each as the notes text.
int PrintVatResults(lookups::LookupContext& ctx, const std::vector<lookups::VatPayerRecord>& all,
                    std::ostream& out) {
    Text previous;
    bool first = true;
    for (const lookups::VatPayerRecord& r : all) {
        if (!first && r.dic == previous)
            continue;
        const std::optional<Text> notes =
            lookups::VatPayerNotes(ctx, lookups::RecordsOf(all, r.dic));
        if (notes)
            out << (first ? "" : "\n") << Lines(*notes);
        previous = r.dic;
        first = false;
    }
    return 0;
}

int Check(const Options& options, const std::vector<std::string>& words, std::ostream& err) {
    std::vector<std::string> known = SessionOptionNames();
    known.insert(known.end(), {"addresses", "details", "help", "version"});
    for (const std::string& name : options.Unknown(known)) {
        err << "Neznámá volba --" << name << ".\n";
        return 2;
    }
    if (words.size() < 2) {
        err << kUsage;
        return 2;
    }
    const std::string& action = words[1];
    const bool addresses = options.Has("addresses");
    if (action == "vat") {
        if (addresses != (words.size() == 2)) {
            err << "Zadejte DIČ (CZ a 8 až 10 číslic), nebo volbu --addresses.\n";
            return 2;
        }
        for (std::size_t i = 2; i < words.size(); ++i)
            if (const Text problem = lookups::DicProblem(UpperCase(Trim(FromUtf8(words[i]))));
                !problem.empty()) {
                err << ToUtf8(ReplaceChar(problem, '\r', ' ')) << "\n";
                return 2;
            }
    } else if (action == "ares") {
        if (words.size() != 3 || addresses) {
            err << kUsage;
            return 2;
        }
    } else if (action == "unreliable") {
        if (words.size() != 2) {
            err << kUsage;
            return 2;
        }
        if (addresses && options.Has("details")) {
            err << "Seznam plátců z číselníku externích adres se vypisuje jen s DIČ; volbu "
                   "--details nelze použít s --addresses.\n";
            return 2;
        }
    } else {
        err << "Neznámá akce \"" << action << "\".\n" << kUsage;
        return 2;
    }
    return 0;
}

}  // namespace

int RunRegistry(const Options& options, std::ostream& out, std::ostream& err) {
    const std::vector<std::string>& words = options.Positional();
    if (const int refused = Check(options, words, err))
        return refused;
    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    const startup::Session& session = *opened.session;
    const ui::ListingEnvironment listing = startup::ListingEnvironmentFor(session);
    lookups::LookupContext ctx = lookups::LookupContextFor(session, listing);
    const std::unique_ptr<lookups::HttpTransport> transport =
        lookups::MakeCurlTransport(ctx.settings.caFile);
    ctx.transport = transport.get();
    const codelists::SessionAddresses book(session);
    codelists::BookAddresses addresses(book.Book());
    const std::string& action = words[1];
    int code = 0;
    if (action == "vat" && options.Has("addresses")) {
        const lookups::VatCheckResult result = lookups::CheckVatPayers(ctx, addresses);
        if (result.skipped > 0)
            err << "Adres s DIČ, které nemá za CZ 8 až 10 číslic (neověřeno): " << result.skipped
                << ".\n";
        code = result.outcome == lookups::VatCheckOutcome::Found
                   ? PrintVatResults(ctx, result.records, out)
                   : 1;
    } else if (action == "vat") {
        for (std::size_t i = 2; i < words.size(); ++i) {
            const lookups::VatCheckResult result = lookups::CheckVatPayer(ctx, FromUtf8(words[i]));
            if (result.outcome == lookups::VatCheckOutcome::Found)
                PrintVatResults(ctx, result.records, out);
            else if (result.outcome == lookups::VatCheckOutcome::NotFound)
                out << ToUtf8(UpperCase(Trim(FromUtf8(words[i])))) << ": NENALEZEN\n";
            else
                code = 1;
        }
    } else if (action == "ares") {
        if (const auto address = lookups::FillFromAres(ctx, FromUtf8(words[2])))
            PrintAddress(*address, out);
        else
            code = 1;
    } else {
        ui.SetPrintoutName("nespolehlivi-platci");
        const std::size_t before = ui.Transcript().size();
        // The menu's question is answered by the options: details, or only the DIČs.
        if (!options.Has("addresses"))
            ui.QueueButton(options.Has("details") ? 1 : 2);
        const lookups::UnreliableListResult result = lookups::ListUnreliablePayers(
            ctx, &addresses,
            options.Has("addresses") ? lookups::UnreliableListStart::AddressList
                                     : lookups::UnreliableListStart::Menu);
        for (const std::filesystem::path& printout : ui.PrintoutsSince(before).files)
            out << "Sestava: " << printout.string() << "\n";
        if (result.shown) {
            out << "Plátců: " << result.payers << "\n";
            out << "V číselníku externích adres: " << result.inAddressList << "\n";
        }
        code = result.shown ? 0 : 1;
    }
    CloseSession(*opened.session);
    return code;
}

}  // namespace axo::cli

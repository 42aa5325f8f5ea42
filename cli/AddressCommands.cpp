// The addresses command: the list of the session's fiscal year, its addresses one by one, the
// next free classification, and the transfers.
#include "AddressCommands.h"

#include <ostream>
#include <string>
#include <vector>

#include "CliSession.h"
#include "CliUi.h"
#include "codelists/ExAdCsv.h"
#include "codelists/ExAdFields.h"
#include "codelists/ExAdTransfer.h"
#include "codelists/OknoEA.h"
#include "codelists/SessionAddresses.h"
#include "util/AtomicFile.h"
#include "util/Retezce.h"

namespace axo::cli {

namespace {

using codelists::AddressBook;
using codelists::tExtAdresy;
using codelists::tVetaExtAdresa;

constexpr const char* kUsage =
    "addresses list [--order N] [--validity N] [--type N] [--with-notes] [--csv SOUBOR]\n"
    "       axo-pap-cli addresses show ZATŘÍDĚNÍ\n"
    "       axo-pap-cli addresses add|edit ZATŘÍDĚNÍ --POLOŽKA HODNOTA ... [--notes TEXT]\n"
    "       axo-pap-cli addresses next-classification\n"
    "       axo-pap-cli addresses export ADRESÁŘ [--renumber] [--recreate]\n"
    "       axo-pap-cli addresses import ADRESÁŘ [--renumber] [--overwrite]\n"
    "       axo-pap-cli addresses import-csv SOUBOR";

struct Action {
    const char* name;
    std::size_t arguments;
    std::vector<std::string> options;
    bool fields;  ///< takes record fields as options
};

const Action kActions[] = {
    {"list", 0, {"order", "validity", "type", "with-notes", "csv"}, false},
    {"show", 1, {}, false},
    {"add", 1, {"notes"}, true},
    {"edit", 1, {"notes"}, true},
    {"next-classification", 0, {}, false},
    {"export", 1, {"renumber", "recreate"}, false},
    {"import", 1, {"renumber", "overwrite"}, false},
    {"import-csv", 1, {}, false},
};

std::string Utf8(const Text& t) {
    return ToUtf8(t);
}

/// The table of the book, opened shared (made when missing); none after a message.
std::unique_ptr<tExtAdresy> OpenList(const AddressBook& book, std::ostream& err) {
    std::unique_ptr<tExtAdresy> table = book.MakeTable();
    if (!table->InitFile(2, storage::_WaitQuestion)) {
        err << "Číselník externích adres nelze otevřít.\n";
        return nullptr;
    }
    return table;
}

/// A filter option 0-2; false after a message when it is something else.
bool FilterOption(const Options& options, const char* name, int& value, std::ostream& err) {
    if (!options.Has(name))
        return true;
    const std::optional<int> n = Options::WholeNumber(options.GetOr(name, ""));
    if (!n || *n < 0 || *n > 2) {
        err << "Volba --" << name << " čeká 0, 1 nebo 2.\n";
        return false;
    }
    value = *n;
    return true;
}

bool List(const Options& options, const AddressBook& book, std::ostream& out, std::ostream& err) {
    codelists::AddressFilters filters;
    filters.notesOnly = options.Has("with-notes");
    const std::optional<int> order = options.Has("order")
                                         ? Options::WholeNumber(options.GetOr("order", ""))
                                         : std::optional<int>(2);
    if (!order || *order < 1 || *order > 9) {
        err << "Volba --order čeká číslo třídění 1 až 9.\n";
        return false;
    }
    if (!FilterOption(options, "validity", filters.validity, err) ||
        !FilterOption(options, "type", filters.type, err))
        return false;
    const std::unique_ptr<tExtAdresy> table = OpenList(book, err);
    if (!table)
        return false;
    const std::vector<codelists::AddressColumn> columns =
        codelists::ParseAddressColumns(book.columns);
    AtomicFile csv;
    const bool withCsv = options.Has("csv");
    if (withCsv && !csv.Create(options.GetOr("csv", ""))) {
        err << "Soubor " << options.GetOr("csv", "") << " nelze založit.\n";
        table->CloseFile();
        return false;
    }
    if (withCsv)
        csv.Line(codelists::AddressCsvHeader());
    out << Utf8(codelists::AddressListHeader(columns)) << "\n";
    int count = 0;
    std::int32_t n = 0;
    Text key;
    tVetaExtAdresa r{};
    table->BtClearKey(*order);
    while (table->BtNextKey(*order, n, key)) {
        table->GetRec(n, &r);
        const bool notes = !table->Notes().empty();
        if (!codelists::AddressPasses(filters, r, notes))
            continue;
        out << Utf8(TrimRight(codelists::AddressRowText(r, notes, columns))) << "\n";
        if (withCsv)
            csv.Line(codelists::AddressCsvLine(r, table->Notes()));
        ++count;
    }
    table->CloseFile();
    if (withCsv && !csv.Commit()) {
        err << "Soubor " << options.GetOr("csv", "") << " nelze zapsat.\n";
        return false;
    }
    out << "Adres: " << count << "\n";
    return true;
}

bool Show(const AddressBook& book, const Text& code, std::ostream& out, std::ostream& err) {
    const std::unique_ptr<tExtAdresy> table = OpenList(book, err);
    if (!table)
        return false;
    tVetaExtAdresa r{};
    const bool found = codelists::FindAddressByClassification(code, *table, r);
    const Text notes = table->Notes();
    table->CloseFile();
    if (!found) {
        err << "Adresa se zatříděním " << Utf8(code) << " v číselníku není.\n";
        return false;
    }
    for (const codelists::AddressField& f : codelists::AddressFields()) {
        const Text value = codelists::AddressFieldText(r, f);
        if (!Trim(value).empty() && value != "0"_t)
            out << Utf8(f.name) << ": " << Utf8(value) << "\n";
    }
    if (!notes.empty())
        out << "NOTES: " << Utf8(notes) << "\n";
    return true;
}

/// Sets the fields the options name; false after a message for an unknown field or a value
/// that does not fit.
bool SetFields(const Options& options, const std::vector<std::string>& fieldOptions,
               tVetaExtAdresa& r, std::ostream& err) {
    for (const std::string& name : fieldOptions) {
        const codelists::AddressField* f = codelists::FindAddressField(FromUtf8(name));
        if (!f || UpperCase(f->name) == "NOTES"_t) {
            err << "Adresa nemá položku " << name << ".\n";
            return false;
        }
        Text reason;
        if (!codelists::SetAddressField(r, *f, FromUtf8(options.GetOr(name, "")), reason)) {
            err << "Položka " << name << ": " << Utf8(reason) << ".\n";
            return false;
        }
    }
    return true;
}

bool AddOrEdit(const Options& options, const std::vector<std::string>& fieldOptions,
               const AddressBook& book, bool insert, const Text& code, std::ostream& out,
               std::ostream& err) {
    const std::unique_ptr<tExtAdresy> table = OpenList(book, err);
    if (!table)
        return false;
    tVetaExtAdresa r{};
    std::int32_t n = 0;
    Text notes;
    if (insert) {
        r.MATCH_CODE = code;
    } else {
        if (!codelists::FindAddressByClassification(code, *table, r, &n)) {
            err << "Adresa se zatříděním " << Utf8(code) << " v číselníku není.\n";
            table->CloseFile();
            return false;
        }
        notes = table->Notes();
        if (!table->BtLockRec(storage::_NoWait, n)) {
            err << "Adresu " << Utf8(code) << " právě upravuje jiný uživatel.\n";
            table->CloseFile();
            return false;
        }
    }
    if (options.Has("notes"))
        notes = FromUtf8(options.GetOr("notes", ""));
    if (!SetFields(options, fieldOptions, r, err)) {
        table->UnlockAllRecs();
        table->CloseFile();
        return false;
    }
    Text fault;
    const codelists::StoreOutcome outcome =
        codelists::StoreAddress(*table, insert, n, r, notes, book.programDate, fault);
    table->UnlockAllRecs();
    table->CloseFile();
    if (outcome != codelists::StoreOutcome::Stored) {
        err << Utf8(fault) << "\n";
        return false;
    }
    out << "Adresa uložena se zatříděním " << Utf8(Trim(r.MATCH_CODE)) << ".\n";
    return true;
}

bool Transfer(const std::filesystem::path& other, const Options& options, const AddressBook& book,
              bool exporting, std::ostream& out, std::ostream& err) {
    std::error_code ec;
    if (!std::filesystem::is_directory(other, ec)) {
        err << "Adresář " << other.string() << " neexistuje.\n";
        return false;
    }
    codelists::TransferOptions o;
    o.renumber = options.Has("renumber");
    o.recreate = options.Has(exporting ? "recreate" : "overwrite");
    const codelists::TransferReport report =
        codelists::CopyAddresses(*book.ctx, book.Ui(), exporting ? book.directory : other,
                                 exporting ? other : book.directory, book.yearCode, {}, o);
    if (!report.done) {
        err << Utf8(report.failure) << "\n";
        return false;
    }
    out << "Přeneseno adres: " << report.copied << ".\n";
    if (!report.clashes.empty() || !report.noNumber.empty() || !report.missing.empty())
        out << Utf8(ReplaceChar(codelists::TransferSkippedText(report), '\r', '\n')) << "\n";
    return true;
}

}  // namespace

int RunAddresses(const Options& options, std::ostream& out, std::ostream& err) {
    const std::vector<std::string>& words = options.Positional();
    const Action* action = nullptr;
    if (words.size() >= 2)
        for (const Action& a : kActions)
            if (words[1] == a.name)
                action = &a;
    if (!action || words.size() != action->arguments + 2) {
        err << "Použití: axo-pap-cli " << kUsage << "\n";
        return 2;
    }
    std::vector<std::string> known = SessionOptionNames();
    known.insert(known.end(), action->options.begin(), action->options.end());
    known.insert(known.end(), {"help", "version"});
    const std::vector<std::string> unknown = options.Unknown(known);
    if (!action->fields && !unknown.empty()) {
        err << "Neznámá volba --" << unknown.front() << ".\n";
        return 2;
    }
    // A directory or file given is taken from where the command was started.
    std::error_code ec;
    const std::filesystem::path given =
        words.size() > 2 ? std::filesystem::absolute(words[2], ec) : std::filesystem::path();
    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    bool done = false;
    {
        const codelists::SessionAddresses addresses(*opened.session);
        const AddressBook& book = addresses.Book();
        const std::string name = action->name;
        const Text argument = words.size() > 2 ? Trim(FromUtf8(words[2])) : Text();
        if (name == "list") {
            done = List(options, book, out, err);
        } else if (name == "show") {
            done = Show(book, argument, out, err);
        } else if (name == "add" || name == "edit") {
            done = AddOrEdit(options, unknown, book, name == "add", argument, out, err);
        } else if (name == "next-classification") {
            const std::unique_ptr<tExtAdresy> table = OpenList(book, err);
            if (table) {
                const std::optional<Text> next = codelists::NextFreeClassification(*table);
                table->CloseFile();
                if (next)
                    out << Utf8(*next) << "\n";
                else
                    err << "Volné zatřídění v číselníku externích adres už není.\n";
                done = next.has_value();
            }
        } else if (name == "export" || name == "import") {
            done = Transfer(given, options, book, name == "export", out, err);
        } else {
            const codelists::PartnerImportResult r = codelists::ImportPartnersCsv(book, given);
            if (r.done)
                out << "Přidáno externích adres: " << r.added << ".\n";
            done = r.done;
        }
    }
    CloseSession(*opened.session);
    return done ? 0 : 1;
}

}  // namespace axo::cli

// Printing text print forms into a text printout: the system acronyms, the data a printing
// task feeds a form with (one record after another, each with its note lines and special
// rows), the substitution of acronyms into the lines of a section, pagination with page
// headers and footers, page ends, endless paper and the fill of the last page before the
// report footer, and the command stream that sets acronyms, starts pages and prints forms.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "printforms/FormText.h"
#include "printforms/FormValues.h"
#include "printforms/FormsFile.h"
#include "ui/ListingEnvironment.h"
#include "ui/TextListing.h"
#include "util/Text.h"

namespace axo::printforms {

/// The values of the system acronyms of a run.
struct SystemAcronyms {
    Text today;     ///< "DNES": the date of the run
    Text time;      ///< "CAS": hh:mm:ss
    Text yearCode;  ///< "UR": the fiscal year's path code
    Text firmName, firmAddress, ico, dic, phone, fax, register1, register2;  ///< "SETUP..."
    /// The three VAT rates of the program date (all 0 when no entry covers it).
    double vatRates[3] = {0, 0, 0};
    Text issuer;                ///< "GLOBVYSTAVIL"
    Text currencySign;          ///< "NM"
    Text mobile;                ///< "MOBIL"
    Text mail;                  ///< "MAIL"
    int unitPriceDecimals = 0;  ///< "SETUPTVARMJ"
};

/// Sets the system acronyms in their order: KONECSTRANY (CR LF form feed), DNES, CAS, STRANA
/// and STR (`page`), UR, the SETUP texts, the VAT slots P0 "NED", P3, P2 and P5 (the three
/// rates with "%"), P1 "0%" and P4 "PDP", GLOBVYSTAVIL, NM, MOBIL, MAIL and SETUPTVARMJ.
void SetSystemAcronyms(AcronymTable& acronyms, const SystemAcronyms& values, int page);

/// What a printing task feeds a form with. The base prints nothing.
class FormDataSource {
  public:
    virtual ~FormDataSource() = default;
    /// Moves to the next record and sets its acronyms; false after the last.
    virtual bool NextRecord(AcronymTable& acronyms) = 0;
    /// The note lines of the current record: ".POZNRADEK" is printed for each with the line
    /// as "RADEKPOZNAMKY".
    virtual std::vector<Text> NoteLines() { return {}; }
    /// The next special row of the current record: sets its acronyms; false after the last.
    virtual bool NextSpecialRow(AcronymTable&) { return false; }
    /// Whether a record's body is to start on a new page rather than be split.
    virtual bool KeepTogether() const { return false; }
    /// The lines the current record prints besides its body (with KeepTogether).
    virtual int ExtraLines() { return 0; }
};

/// The data a form prints for a printing task's data text (the value of its command); none
/// when the form's type has no data of its own: the form's body is then printed once over the
/// acronyms as they stand.
using DataSourceProvider =
    std::function<std::unique_ptr<FormDataSource>(const StoredForm& form, const Text& data)>;

/// The text form of a type and name; none when the forms file has no such form.
using FormFinder = std::function<std::optional<StoredForm>(int type, const Text& name)>;

/// What a printout of forms needs.
struct FormPrintEnvironment {
    const ui::ListingEnvironment* listing = nullptr;  ///< required
    SystemAcronyms system;
    FormFinder findForm;
    DataSourceProvider dataSources;
    /// The printout's name.
    Text title;
    /// The printout's text file, copied by "OPISTEXTSOUBOR" without a file of its own.
    std::filesystem::path textFile;

    ui::UiServices& Ui() const { return listing->Ui(); }
};

/// One command line: kind "[" name "]" value.
struct FormCommand {
    Text kind;  ///< trimmed, upper-cased
    Text name;  ///< trimmed
    Text value;
};
/// Reads a command line; none when it has no "[" ... "]". The value is trimmed, except that
/// an "AKRONYM" value keeps its leading blanks.
std::optional<FormCommand> ParseFormCommand(const Text& line);

/// One printout made of forms and commands.
class FormPrintout {
  public:
    /// Creates the printout's listing file and sets the system acronyms; none (after the
    /// listing's message) when the file cannot be created.
    static std::unique_ptr<FormPrintout> Create(const FormPrintEnvironment& env);
    ~FormPrintout();

    /// Runs one command; "%" as its value stands for `defaultValue`. "AKRONYM" sets an
    /// acronym, "PRIKAZ" "NULUJAKRONYM" clears them all, "NOVASTRANA" starts a page,
    /// "OPISTEXTSOUBOR" copies a text file after a new page, and a form type name prints the
    /// form of that type and name with the value as its data. Other lines do nothing.
    void Command(const Text& line, const Text& defaultValue);
    /// Prints a form with the records of `source` (none: the body once).
    void PrintForm(const TextForm& form, FormDataSource* source);
    /// A form-feed line: a new page without any heading.
    void NewPage();
    /// Hands the printout to the user when anything was written; false when nothing was.
    bool Finish();

    AcronymTable& Acronyms() { return acronyms_; }
    int PageNumber() const { return page_; }
    int LineCounter() const { return counter_; }
    ui::TextListing& Listing() { return *listing_; }

  private:
    class Run;

    explicit FormPrintout(const FormPrintEnvironment& env);
    void AdvancePage();
    void Write(const Text& line);
    void CopyTextFile(const std::filesystem::path& file);
    void PrintByCommand(int type, const FormCommand& command);

    const FormPrintEnvironment& env_;
    std::unique_ptr<ui::TextListing> listing_;
    AcronymTable acronyms_;
    int page_ = 1;
    int counter_ = 0;
    int written_ = 0;
    std::size_t widest_ = 0;
};

/// Prints a command stream into one printout and hands it over. False when the printout could
/// not be made or nothing was printed.
bool PrintCommandStream(const FormPrintEnvironment& env, const std::vector<Text>& commands,
                        const Text& defaultValue);

}  // namespace axo::printforms

// The command "Kontrola účetních záznamů": its dialog (period, document kind and number, and the
// consolidation options of the older rule set), the walk over the booked document lines of the
// period with the rules of CheckRecordPap, and the protocol "Protokol o kontrole vyplnění údajů
// pro POMOCNÝ ANALYTICKÝ PŘEHLED" listing each faulty line with its marks. Changes no data.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "control/CheckRecordPap.h"
#include "control/ControlEnvironment.h"
#include "ui/TextListing.h"

namespace axo::control {

/// What the check needs from the running program.
struct RecordCheckEnvironment : ControlEnvironment {
    /// Switch AXO_PAP_KONSOLIDACE: consolidation lines show "K" for a missing partner.
    bool consolidationSwitch = false;
    /// The chooser of document kinds offered on the kind field; none: no chooser.
    std::optional<ui::Ciselnik> documentKinds;
};

/// The environment of a started session (which must outlive it).
RecordCheckEnvironment RecordCheckEnvironmentFor(const startup::Session& session);

/// The values of the dialog.
struct RecordCheckParams {
    std::uint16_t year = 0;
    std::uint16_t monthFrom = 1;  ///< 0 takes the opening balances in
    std::uint16_t monthTo = 3;
    Text kind;    ///< document kind, "?" for any character; filled to 4 with "?"
    Text number;  ///< document number, likewise filled to 5
    ConsolidationOptions options;
};

/// The defaults: the fiscal year, months 1 to DefaultMonthTo, any kind and number, both
/// consolidation options on.
RecordCheckParams DefaultRecordCheckParams(int fiscalYear, int programMonth);

/// Shows the dialog "Kontrola účetních záznamů" on `params` (the consolidation options only for
/// the older rule set). True when the check is to start; `params` then holds the values with
/// kind and number filled with "?". False when the dialog was left.
bool AskRecordCheckParams(const RecordCheckEnvironment& env, RuleSet rules,
                          RecordCheckParams& params);

/// The mask a line's identification must fit: year + "??" + kind + number.
Text DocumentMask(const RecordCheckParams& params);
/// Whether a line belongs to the run: state 0, identification fitting the mask (letters in
/// either case), month of the identification (unreadable: 0) within the period.
bool LineSelected(const pap::tVetaUDPO& line, const Text& mask, const RecordCheckParams& params);

/// The protocol's subtitle: "od 1 do 3/2024", with " druh dokladu: " + kind and " číslo
/// dokladu: " + number when they hold more than "?".
Text ProtocolSubtitle(const RecordCheckParams& params);

/// How a run ended.
enum class RecordCheckEnd {
    Left,        ///< the dialog was left
    NotOpened,   ///< an input could not be opened
    NoProtocol,  ///< the protocol could not be created
    Stopped,     ///< the user stopped the pass; nothing was shown
    Clean,       ///< no faulty line: the message said so
    Faults,      ///< the protocol was handed to the user
};

struct RecordCheckOutcome {
    RecordCheckEnd end = RecordCheckEnd::Left;
    int checkedLines = 0;  ///< lines of the period checked
    int faultyLines = 0;   ///< lines in the protocol
};

/// The protocol: a text printout with the column heading of the marks, one line per faulty
/// document line and the legend at the end.
class tProtokolKontroly {
  public:
    /// Creates the printout for the run's parameters; none when the listing file cannot be
    /// made (the user has been told).
    static std::unique_ptr<tProtokolKontroly> Zaloz(const ui::ListingEnvironment& env,
                                                    const RecordCheckParams& params,
                                                    bool consolidationSwitch);

    /// Writes the page heading and opens the progress panel over `lines` document lines.
    void Zacni(int lines);
    /// One step of the panel; false once the user has stopped the pass.
    bool Krok();
    /// The step text " doklad " + identification + " řádek " + number + ". ".
    void TextKroku(const pap::tVetaUDPO& line);
    /// The line of a faulty document line; `analytics` is its account's.
    void ZapisChybu(const pap::tVetaUDPO& line, const Text& analytics, const RecordCheck& check);
    /// Closes the progress panel.
    void KonecPrubehu();
    /// The bottom frame line and the legend.
    void Ukonci();
    /// Hands the printout to the user.
    void Ukaz();

    int Chybnych() const { return faults_; }
    bool Zastaveno() const { return listing_->stopped; }

    /// The detail line of a faulty document line; `sameDocument` leaves the identification out.
    Text RadekChyby(const pap::tVetaUDPO& line, const Text& analytics, const RecordCheck& check,
                    bool sameDocument) const;

  private:
    tProtokolKontroly(std::unique_ptr<ui::TextListing> listing, bool consolidationSwitch);

    std::unique_ptr<ui::TextListing> listing_;
    bool consolidationSwitch_;
    Text lastDocument_;
    int faults_ = 0;
};

/// Steps 2 to 7 of the command: opens the inputs, walks the document lines in document order,
/// checks the selected ones under `rules` and shows the protocol, or the message that no line
/// is faulty. Messages go to the user; nothing is thrown.
RecordCheckOutcome RunRecordCheck(const RecordCheckEnvironment& env,
                                  const RecordCheckParams& params, RuleSet rules);

/// The menu command: names the process, asks for the parameters with the defaults of the
/// program date, and runs the check.
RecordCheckOutcome CheckAccountingRecords(const RecordCheckEnvironment& env);

}  // namespace axo::control

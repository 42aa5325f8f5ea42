// Print forms in a started session: the system acronyms of the run, the code-list data of the
// fiscal year, and one object that holds what the picker and the printing of forms need for
// the whole run (the catalogue with its forms file open once it has been used).
#pragma once

#include "pap/PapFiles.h"
#include "printforms/FormCatalogue.h"
#include "printforms/FormPicker.h"
#include "startup/Session.h"
#include "ui/ListWindow.h"
#include "ui/ListingEnvironment.h"

namespace axo::printforms {

/// The system acronyms of the session: the date and time of the run, the fiscal year, the
/// organisation of the combined data installation, the VAT rates of the program date, and the
/// user's issuer name, mobile and e-mail (read from the user's login record).
SystemAcronyms SystemAcronymsFor(const startup::Session& session);

/// Where the session's fiscal year keeps its code lists (and documents).
pap::PapLocation PapLocationOf(const startup::Session& session);

/// The list window environment of the session: its listing environment, dialogs, and window
/// settings in the parameter vault.
ui::ListWindowEnvironment ListWindowEnvironmentFor(const startup::Session& session,
                                                   const ui::ListingEnvironment& listing);

/// What printing with forms needs in a session, kept for the run. The session must outlive it.
class SessionPrintForms {
  public:
    explicit SessionPrintForms(const startup::Session& session);
    SessionPrintForms(const SessionPrintForms&) = delete;
    SessionPrintForms& operator=(const SessionPrintForms&) = delete;

    /// The picker's and printing's environment (catalogue, windows, acronyms, code-list data,
    /// the document vault's picker entries).
    const FormPickerEnvironment& Environment() const { return env_; }
    FormCatalogue& Catalogue() { return catalogue_; }
    const ui::ListingEnvironment& Listing() const { return listing_; }

  private:
    ui::ListingEnvironment listing_;
    ui::ListWindowEnvironment listWindow_;
    FormCatalogue catalogue_;
    FormPickerEnvironment env_;
};

}  // namespace axo::printforms

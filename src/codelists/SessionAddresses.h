// The external address list in a started session: where the list lives, the configured columns
// and switches, who may transfer addresses, and the printing through the print form picker.
#pragma once

#include <memory>

#include "codelists/a_Anc_EA.h"
#include "printforms/SessionForms.h"
#include "startup/Session.h"

namespace axo::codelists {

/// What the address list needs in a session, kept for the run. The session must outlive it.
class SessionAddresses {
  public:
    explicit SessionAddresses(const startup::Session& session);
    SessionAddresses(const SessionAddresses&) = delete;
    SessionAddresses& operator=(const SessionAddresses&) = delete;

    const AddressBook& Book() const { return book_; }

  private:
    printforms::SessionPrintForms forms_;
    printforms::FormPickerEnvironment picker_;
    AddressBook book_;
};

/// <F7> on the recipient of a printout sent by e-mail: the address list by name; the chosen
/// address's first name line and its e-mail contacts.
ui::RecipientPicker RecipientPickerFor(const startup::Session& session);

/// The list window from the menu: the list of the session's fiscal year.
void ExterniAdresy(const startup::Session& session);

}  // namespace axo::codelists

// What text printouts need from the running installation: the organisation for the page
// heading, the dates, the default page lengths, the printer set-up and where the print
// programs live. The start-up fills one of these; listings and list windows take it by
// reference.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "storage/DataContext.h"
#include "ui/ChildProcess.h"
#include "ui/DialogElement.h"
#include "ui/UiServices.h"
#include "util/Clock.h"
#include "util/Text.h"

namespace axo::ui {

/// Runs a program and waits for it (tests replace it to capture command lines).
using ProgramRunner = std::function<ProgramResult(const std::filesystem::path& program,
                                                  const std::vector<std::string>& arguments)>;

/// One e-mail contact of an external address.
struct MailContact {
    Text name;
    Text address;
};

/// Picks a recipient from the external addresses: the chosen address's name into `name` and
/// its e-mail contacts (up to five) into `contacts`; false when nothing was chosen.
using RecipientPicker = std::function<bool(Text& name, std::vector<MailContact>& contacts)>;

struct ListingEnvironment {
    /// The UI services, the clock, the work directory (listing and sort files) and the
    /// installation home (the second place the print programs are looked for). Required.
    const storage::DataContext* data = nullptr;
    /// "NazevFirmy" and "AdresaFirmy" of the data installation record.
    Text firmName;
    Text firmAddress;
    /// The program date (" 5. 3.2024"); empty means today.
    Text programDate;
    /// Configuration switch "AXO_SESTAVY_SYSTEMOVE_DATUM_CAS": the heading shows the system
    /// date and time instead of the program date.
    bool systemDateTime = false;
    /// "MaxFPMRadekPortrait" and "MaxFPMRadekLandScape": the page lengths when the printer
    /// set-up gives none.
    std::uint8_t defaultNarrowLength = 60;
    std::uint8_t defaultWideLength = 40;
    /// "CA_T_Cesta": the installation's root path handed to the print module.
    Text templateRoot;
    /// "CsKod_PrManDos": the printer kind of the print manager (2 Kamenický, 3 Latin 2).
    int printerKind = 0;
    /// Reads the printer set-up's output settings block (parameter vault group 20, item 2,
    /// station 0) into `block`; false when there is none.
    std::function<bool(void* block, std::size_t length)> loadOutputSettings;
    /// Where the print programs are looked for first; empty: the running program's directory.
    std::filesystem::path programFileDirectory;
    /// Runs the print programs and the desktop's opener of documents; empty: `RunProgram`.
    ProgramRunner runProgram;
    /// The program that opens a document with the desktop's application for it.
    std::filesystem::path documentOpener = "xdg-open";
    /// The mail submission program ("sendmail -t" interface) and the sender address, from
    /// "AXO_POSTA_PROGRAM" and "AXO_POSTA_ODESILATEL" of "AXO.CFG".
    std::filesystem::path mailProgram = "/usr/sbin/sendmail";
    Text mailSender;
    /// <F7> on the recipient of a printout sent by e-mail; empty: the address is typed.
    RecipientPicker pickRecipient;
    /// For the dialogs of the output channel.
    DialogEnvironment dialogs;

    UiServices& Ui() const { return *data->ui; }
    const Clock& GetClock() const { return data->clock ? *data->clock : SystemClock(); }
};

}  // namespace axo::ui

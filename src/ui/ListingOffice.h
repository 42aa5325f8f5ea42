// The office outputs of the output channel: the printout as a word-processor document (kind 3,
// OpenDocument text) or a spreadsheet (kind 4, .xlsx) opened with the desktop's application,
// and the printout as HTML sent by e-mail (kind 5, modes 0 and 1) through the installation's
// mail submission program.
#pragma once

#include <filesystem>

#include "ui/ListingEnvironment.h"
#include "ui/OutputSettings.h"

namespace axo::ui {

/// Kinds 3 and 4: writes the document into the work directory and opens it with the
/// desktop's opener. The document stays there for the application, which reads it after the
/// opener has returned. Failures are shown.
void OfficeDocumentOutput(const ListingEnvironment& env, const ListingView& listing,
                          const OutputSettings& settings, OutputKind kind);

/// Kind 5, modes 0 and 1: asks for the recipient, the subject and (mode 1) the message, writes
/// the HTML file `htmlFile` and sends it, as the body (mode 0) or attached to the typed text
/// (mode 1). Failures are shown.
void MailOutput(const ListingEnvironment& env, const ListingView& listing,
                const OutputSettings& settings, const std::filesystem::path& htmlFile);

/// Sends a file by e-mail (a report's PDF): the same dialog with the subject preset to
/// `subject` and a message for the recipient; the file is attached to the typed text. Failures
/// are shown; false when nothing was sent.
bool SendFileByMail(const ListingEnvironment& env, const std::filesystem::path& file,
                    const Text& subject);

}  // namespace axo::ui

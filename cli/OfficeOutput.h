// The office outputs of the commands that write printouts: --odt FILE (an OpenDocument text),
// --xlsx FILE (a workbook, one sheet a printout or result) and --mail TO [--subject S]
// [--message T] (the printouts sent through the installation's mail submission program: as the
// HTML body, or with --message as attached HTML files beside the typed text; the other files the
// command wrote are attached in both cases).
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "Options.h"
#include "office/ListingDocument.h"
#include "office/MailMessage.h"
#include "office/SheetTable.h"
#include "startup/Session.h"

namespace axo::cli {

/// The names of the office output options.
std::vector<std::string> OfficeOptionNames();

struct OfficeTargets {
    std::optional<std::filesystem::path> odt;
    std::optional<std::filesystem::path> xlsx;
    std::optional<std::string> mailTo;
    std::optional<std::string> subject;
    std::optional<std::string> message;

    bool Any() const { return odt || xlsx || mailTo; }
};

/// The targets the options ask for. A recipient that is not a plain address, or --subject or
/// --message without --mail, throws std::invalid_argument with a Czech message.
OfficeTargets OfficeTargetsOf(const Options& options);

/// The mail program and sender the session's configuration names.
office::MailSettings MailSettingsOf(const startup::Session& session);

/// What a command hands to its office outputs.
struct OfficeContent {
    std::string title;  ///< names the document and the mail subject
    std::vector<office::ListingDocument> printouts;
    std::vector<office::SheetTable> tables;       ///< sheets ahead of the printouts' sheets
    std::vector<std::filesystem::path> attached;  ///< files the command wrote, for the mail
};

/// The printouts the command wrote (UTF-8 text files), titled by their file names.
std::vector<office::ListingDocument> PrintoutDocuments(
    const std::vector<std::filesystem::path>& files);

/// Writes the document and the workbook and sends the mail the targets ask for. Names each
/// file written on `out`, each failure on `err`; false when any failed.
bool WriteOfficeOutputs(const OfficeTargets& targets, const OfficeContent& content,
                        const office::MailSettings& mail, std::ostream& out, std::ostream& err);

}  // namespace axo::cli

// E-mail of printouts: a MIME message in UTF-8 (an HTML body, or a text body with attached
// files) handed to the local mail submission program through its "sendmail -t" interface,
// which reads the recipients from the message's headers. No mail is sent by this program
// itself.
#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace axo::office {

struct MailAttachment {
    std::string fileName;     ///< the name the recipient sees (UTF-8)
    std::string contentType;  ///< e.g. "application/pdf"
    std::string bytes;
};

struct MailMessage {
    std::string fromAddress;  ///< the sender address of the configuration
    std::string toName;       ///< the recipient's name (UTF-8), may be empty
    std::string toAddress;
    std::string subject;  ///< UTF-8
    std::string html;     ///< the HTML body; used when `text` is empty
    std::string text;     ///< the text body (UTF-8)
    std::vector<MailAttachment> attachments;
};

/// Whether an address can stand in a header: "local@domain", no blanks, no control characters,
/// no angle brackets, quotes, commas or semicolons (a typed address never adds recipients or
/// headers).
bool ValidMailAddress(std::string_view address);

/// The content type of a file by its extension (".pdf", ".htm", ".odt", ".xlsx", ...);
/// "application/octet-stream" for others.
std::string ContentTypeOf(const std::filesystem::path& file);

/// The message as the submission program takes it (CR LF line ends), dated `when`. Header
/// texts are encoded words when not plain ASCII; bodies and attachments base64.
std::string MimeBytes(const MailMessage& message, std::time_t when);

/// The program and the sender of the configuration.
struct MailSettings {
    std::filesystem::path program = "/usr/sbin/sendmail";
    std::string sender;  ///< empty: the submission program's own
};

/// How the submission went.
enum class MailOutcome { Sent, NoProgram, Failed };

/// Hands the message to the submission program ("PROGRAM -t -oi", the message on its
/// standard input). `detail` gets what the program said when it failed.
MailOutcome SendMail(const MailSettings& settings, const MailMessage& message,
                     std::string* detail = nullptr);

}  // namespace axo::office

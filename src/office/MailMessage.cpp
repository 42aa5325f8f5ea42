// Building MIME messages and handing them to the submission program.
#include "office/MailMessage.h"

#include <algorithm>
#include <atomic>
#include <cctype>

#include "ui/ChildProcess.h"

namespace axo::office {

namespace {

constexpr const char* kBase64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Base64(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t v = 0;
        for (std::size_t k = 0; k < 3; ++k)
            v = (v << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        out += kBase64[(v >> 18) & 63];
        out += kBase64[(v >> 12) & 63];
        out += n > 1 ? kBase64[(v >> 6) & 63] : '=';
        out += n > 2 ? kBase64[v & 63] : '=';
    }
    return out;
}

/// Base64 in lines of 76 characters, each ended by CR LF.
std::string Base64Lines(std::string_view bytes) {
    const std::string all = Base64(bytes);
    std::string out;
    for (std::size_t i = 0; i < all.size(); i += 76)
        out += all.substr(i, 76) + "\r\n";
    return out;
}

bool PlainAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u < 0x7F;
    });
}

/// A header text: as it is when plain ASCII, else encoded words of whole UTF-8 characters.
/// Line breaks become blanks.
std::string HeaderText(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    if (PlainAscii(text))
        return text;
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        // 45 bytes give 60 base64 characters: each word fits a folded header line.
        std::size_t end = std::min(text.size(), i + 45);
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
        out += (out.empty() ? "" : "\r\n ") + std::string("=?UTF-8?B?") +
               Base64(std::string_view(text).substr(i, end - i)) + "?=";
        i = end;
    }
    return out;
}

/// A quoted file name parameter (RFC 2231 would be stricter; mail programs read this form).
std::string FileNameParameter(const std::string& name) {
    std::string safe;
    for (const char c : name)
        if (c != '"' && c != '\\' && c != '\r' && c != '\n')
            safe += c;
    return "\"" + HeaderText(safe) + "\"";
}

std::string DateHeader(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char zone[8];
    std::strftime(zone, sizeof zone, "%z", &local);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s, %d %s %04d %02d:%02d:%02d %s", kDays[local.tm_wday],
                  local.tm_mday, kMonths[local.tm_mon], local.tm_year + 1900, local.tm_hour,
                  local.tm_min, local.tm_sec, zone);
    return buffer;
}

std::string Boundary(std::time_t when) {
    static std::atomic<unsigned> counter{0};
    // "=_" never occurs in base64 text, so no body line can end the part.
    return "=_axo_" + std::to_string(static_cast<long long>(when)) + "_" +
           std::to_string(++counter);
}

std::string Body(const MailMessage& m) {
    const bool text = !m.text.empty() || m.html.empty();
    return std::string("Content-Type: ") + (text ? "text/plain" : "text/html") +
           "; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
           Base64Lines(text ? m.text : m.html);
}

}  // namespace

bool ValidMailAddress(std::string_view address) {
    const std::size_t at = address.find('@');
    if (at == 0 || at == std::string_view::npos || at + 1 >= address.size() ||
        address.find('@', at + 1) != std::string_view::npos || address.size() > 254)
        return false;
    return std::all_of(address.begin(), address.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u > 0x20 && u != 0x7F &&
               std::string_view("<>\"(),;:\\[]").find(c) == std::string_view::npos;
    });
}

std::string ContentTypeOf(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static constexpr std::pair<const char*, const char*> kTypes[] = {
        {".pdf", "application/pdf"},
        {".htm", "text/html; charset=UTF-8"},
        {".html", "text/html; charset=UTF-8"},
        {".txt", "text/plain; charset=UTF-8"},
        {".csv", "text/csv; charset=UTF-8"},
        {".xml", "application/xml"},
        {".rtf", "application/rtf"},
        {".odt", "application/vnd.oasis.opendocument.text"},
        {".xlsx", "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"},
        {".png", "image/png"},
        {".svg", "image/svg+xml"},
    };
    for (const auto& [e, type] : kTypes)
        if (ext == e)
            return type;
    return "application/octet-stream";
}

std::string MimeBytes(const MailMessage& m, std::time_t when) {
    std::string out;
    if (!m.fromAddress.empty())
        out += "From: " + m.fromAddress + "\r\n";
    out += "To: " +
           (m.toName.empty() ? m.toAddress : HeaderText(m.toName) + " <" + m.toAddress + ">") +
           "\r\n";
    out += "Subject: " + HeaderText(m.subject) + "\r\n";
    out += "Date: " + DateHeader(when) + "\r\nMIME-Version: 1.0\r\n";
    if (m.attachments.empty())
        return out + Body(m);
    const std::string boundary = Boundary(when);
    out += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
    out += "--" + boundary + "\r\n" + Body(m);
    for (const MailAttachment& a : m.attachments) {
        out += "--" + boundary + "\r\nContent-Type: " + a.contentType +
               "; name=" + FileNameParameter(a.fileName) +
               "\r\nContent-Transfer-Encoding: base64\r\nContent-Disposition: attachment; "
               "filename=" +
               FileNameParameter(a.fileName) + "\r\n\r\n" + Base64Lines(a.bytes);
    }
    return out + "--" + boundary + "--\r\n";
}

MailOutcome SendMail(const MailSettings& settings, const MailMessage& message,
                     std::string* detail) {
    if (settings.program.empty() ||
        (settings.program.has_parent_path() && !ui::IsExecutableFile(settings.program)))
        return MailOutcome::NoProgram;
    const ui::ProgramResult result =
        ui::RunProgram(settings.program, {"-t", "-oi"}, MimeBytes(message, std::time(nullptr)));
    if (!result.started)
        return MailOutcome::NoProgram;
    if (result.exitCode != 0) {
        if (detail)
            *detail = result.errorOutput.empty() ? result.output : result.errorOutput;
        return MailOutcome::Failed;
    }
    return MailOutcome::Sent;
}

}  // namespace axo::office

// The OpenDocument text of a printout: our own XML in a zip container.
#include "office/OdtDocument.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "office/XmlText.h"
#include "office/ZipArchive.h"
#include "util/AtomicFile.h"

namespace axo::office {

namespace {

constexpr const char* kMimeType = "application/vnd.oasis.opendocument.text";
constexpr double kMarginCm = 1.5;
constexpr double kA4ShortCm = 21.0;
constexpr double kA4LongCm = 29.7;
/// The advance of a monospace character in em.
constexpr double kMonospaceAdvance = 0.6;
constexpr double kPointsPerCm = 72.0 / 2.54;

constexpr const char* kOfficeNamespaces =
    " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
    " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
    " xmlns:meta=\"urn:oasis:names:tc:opendocument:xmlns:meta:1.0\""
    " xmlns:dc=\"http://purl.org/dc/elements/1.1/\""
    " xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\""
    " office:version=\"1.2\"";

std::string Cm(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2fcm", value);
    return buffer;
}

/// A line as paragraph content: runs of blanks as <text:s/>, characters escaped.
std::string ParagraphText(const std::string& line) {
    std::string out;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] != ' ') {
            const std::size_t end = std::min(line.find(' ', i), line.size());
            out += XmlEscaped(line.substr(i, end - i));
            i = end;
            continue;
        }
        std::size_t end = line.find_first_not_of(' ', i);
        if (end == std::string::npos)
            end = line.size();
        // A single blank between words stands as it is; readers collapse longer runs and
        // drop blanks at the start, so those are counted.
        const std::size_t n = end - i;
        out += n == 1 && i > 0 ? std::string(" ")
               : n == 1        ? std::string("<text:s/>")
                               : "<text:s text:c=\"" + std::to_string(n) + "\"/>";
        i = end;
    }
    return out;
}

}  // namespace

double OdtFontSize(int lineWidth, bool landscape) {
    const double textCm = (landscape ? kA4LongCm : kA4ShortCm) - 2 * kMarginCm;
    const double fits = textCm * kPointsPerCm / (std::max(lineWidth, 1) * kMonospaceAdvance);
    return std::clamp(std::floor(fits * 10) / 10, 5.0, 10.0);
}

std::string OdtContent(const ListingDocument& doc) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content";
    xml += kOfficeNamespaces;
    xml +=
        "><office:automatic-styles>"
        "<style:style style:name=\"Zlom\" style:family=\"paragraph\" "
        "style:parent-style-name=\"Sestava\"><style:paragraph-properties "
        "fo:break-before=\"page\"/></style:style>"
        "</office:automatic-styles><office:body><office:text>\n";
    bool breakBefore = false;
    for (const std::string& line : doc.lines) {
        if (line == kPageBreak) {
            breakBefore = true;
            continue;
        }
        xml += breakBefore ? "<text:p text:style-name=\"Zlom\">"
                           : "<text:p text:style-name=\"Sestava\">";
        xml += ParagraphText(line) + "</text:p>\n";
        breakBefore = false;
    }
    xml += "</office:text></office:body></office:document-content>\n";
    return xml;
}

std::string OdtStyles(const ListingDocument& doc) {
    const bool landscape = doc.Landscape();
    char size[16];
    std::snprintf(size, sizeof size, "%.1fpt", OdtFontSize(doc.lineWidth, landscape));
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-styles";
    xml += kOfficeNamespaces;
    xml +=
        "><office:font-face-decls><style:font-face style:name=\"Liberation Mono\" "
        "svg:font-family=\"'Liberation Mono'\" style:font-family-generic=\"modern\" "
        "style:font-pitch=\"fixed\"/></office:font-face-decls><office:styles>"
        "<style:style style:name=\"Sestava\" style:family=\"paragraph\">"
        "<style:paragraph-properties fo:margin-top=\"0cm\" fo:margin-bottom=\"0cm\" "
        "fo:line-height=\"100%\"/><style:text-properties style:font-name=\"Liberation Mono\" "
        "fo:font-size=\"";
    xml += size;
    xml +=
        "\"/></style:style></office:styles><office:automatic-styles>"
        "<style:page-layout style:name=\"Strana\"><style:page-layout-properties fo:page-width=\"";
    xml += Cm(landscape ? kA4LongCm : kA4ShortCm) + "\" fo:page-height=\"" +
           Cm(landscape ? kA4ShortCm : kA4LongCm) + "\" style:print-orientation=\"" +
           (landscape ? "landscape" : "portrait") + "\" fo:margin-top=\"" + Cm(kMarginCm) +
           "\" fo:margin-bottom=\"" + Cm(kMarginCm) + "\" fo:margin-left=\"" + Cm(kMarginCm) +
           "\" fo:margin-right=\"" + Cm(kMarginCm) + "\"/></style:page-layout>";
    xml +=
        "</office:automatic-styles><office:master-styles><style:master-page "
        "style:name=\"Standard\" style:page-layout-name=\"Strana\"/></office:master-styles>"
        "</office:document-styles>\n";
    return xml;
}

std::string OdtMeta(const ListingDocument& doc) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-meta";
    xml += kOfficeNamespaces;
    xml += "><office:meta><meta:generator>AXO_PAP</meta:generator><dc:title>" +
           XmlEscaped(doc.title) + "</dc:title></office:meta></office:document-meta>\n";
    return xml;
}

std::string OdtManifest() {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<manifest:manifest "
        "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
        "manifest:version=\"1.2\">\n"
        " <manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
        "manifest:media-type=\"";
    xml += kMimeType;
    xml += "\"/>\n";
    for (const char* part : {"content.xml", "styles.xml", "meta.xml"}) {
        xml += " <manifest:file-entry manifest:full-path=\"";
        xml += part;
        xml += "\" manifest:media-type=\"text/xml\"/>\n";
    }
    xml += "</manifest:manifest>\n";
    return xml;
}

int WriteOdt(const ListingDocument& doc, const std::filesystem::path& target) {
    const std::optional<std::string> bytes = ZipBytes({
        {"mimetype", kMimeType, true},
        {"META-INF/manifest.xml", OdtManifest()},
        {"content.xml", OdtContent(doc)},
        {"styles.xml", OdtStyles(doc)},
        {"meta.xml", OdtMeta(doc)},
    });
    if (!bytes)
        return ENOMEM;
    return WriteWholeFile(target, *bytes);
}

}  // namespace axo::office

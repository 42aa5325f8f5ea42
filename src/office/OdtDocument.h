// A printout as an OpenDocument text (.odt) for the word processor: every line one paragraph
// in a monospace font sized so that the line width fits the page, the frame characters kept as
// box-drawing characters, page breaks kept, an A4 page turned to landscape for printouts wider
// than 80 characters.
#pragma once

#include <filesystem>
#include <string>

#include "office/ListingDocument.h"

namespace axo::office {

/// The font size in points (tenths rounded) that fits `lineWidth` characters of a monospace
/// font across the text area of the page: at most 10, at least 5.
double OdtFontSize(int lineWidth, bool landscape);

/// The parts of the document: "content.xml", "styles.xml", "meta.xml", "manifest.xml".
std::string OdtContent(const ListingDocument& doc);
std::string OdtStyles(const ListingDocument& doc);
std::string OdtMeta(const ListingDocument& doc);
std::string OdtManifest();

/// Writes the document whole or not at all (beside the target, then renamed into place). The
/// system's error number of a failure; 0 when written.
int WriteOdt(const ListingDocument& doc, const std::filesystem::path& target);

}  // namespace axo::office

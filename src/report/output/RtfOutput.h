// The pages as one RTF document: a font and a colour table of everything used, one RTF page
// per page, every laid-out text line as a positioned paragraph and lines and shapes as drawing
// shapes. Pictures, barcodes and drawing areas are not written.
#pragma once

#include <string>

#include "report/layout/PageModel.h"

namespace axo::report {

/// The document's bytes (Windows-1250 text with RTF escapes, CR LF line breaks).
std::string RtfDocument(const TSestVystup& out);

/// A text escaped for RTF: characters below 32 dropped, those of 128 and above as \'xx, and
/// "\", "{", "}" with a backslash.
std::string RtfEscaped(const Text& text);

}  // namespace axo::report

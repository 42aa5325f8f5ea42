// Text for the XML and HTML the office outputs write.
#pragma once

#include <string>
#include <string_view>

namespace axo::office {

/// UTF-8 text with "&", "<", ">" and '"' escaped, and control characters other than tab left
/// out (XML cannot carry them).
std::string XmlEscaped(std::string_view text);

}  // namespace axo::office

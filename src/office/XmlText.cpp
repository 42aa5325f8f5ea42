#include "office/XmlText.h"

namespace axo::office {

std::string XmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t')
                    out += ch;
                break;
        }
    }
    return out;
}

}  // namespace axo::office

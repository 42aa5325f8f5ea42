// The check every XML file passes before it is saved: it must be a well-formed document without
// a document type declaration, and a complete message must have an envelope that the central
// system's published schema accepts. The schemas are built into the program; nothing is loaded
// from the network or from any other file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "util/Text.h"

namespace axo::xml {

/// What is checked: a fragment of parts I-IX (well-formed only) or a complete message (also
/// the envelope schema).
enum class XmlKind { Fragment, Message };

/// The first thing wrong with a file.
struct XmlProblem {
    bool schema = false;  ///< the schema refused it (else it is no well-formed document)
    int line = 0;         ///< 0 when unknown
    std::string element;  ///< the element the schema refused, with its prefix (UTF-8)
    std::string detail;   ///< the parser's or validator's own words (UTF-8)
};

/// Checks the bytes of an XML file; none when they pass.
std::optional<XmlProblem> CheckXml(std::string_view bytes, XmlKind kind);

/// What the user is told about a problem of the file `fileName`, in Czech: what kind of fault,
/// where, and what the schema wanted.
Text DescribeXmlProblem(const Text& fileName, const XmlProblem& problem);

}  // namespace axo::xml

// The check of an XML file with libxml2, in the process: the document is parsed without network
// access and without loading anything it names, and a message is validated against the envelope
// schema compiled into the program once; its imports are served from the built-in copies only.
#include "xml/papXMLCheck.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlschemas.h>

#include <string>

#include "ui/Screen.h"
#include "util/Cisla.h"
#include "util/Retezce.h"
#include "xml/papXMLSchemas.h"

namespace axo::xml {

namespace {

constexpr std::string_view kEnvelopeSchema = "DERIVED_iissp_messaging_anybody.xsd";

#if LIBXML_VERSION >= 21200
using ErrorArg = const xmlError*;
#else
using ErrorArg = xmlErrorPtr;
#endif

/// The first error libxml2 reports; warnings do not count.
struct FirstError {
    bool seen = false;
    XmlProblem problem;
};

std::string TrimmedMessage(const char* message) {
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

void Collect(void* data, ErrorArg error) {
    auto* first = static_cast<FirstError*>(data);
    if (first->seen || !error || error->level < XML_ERR_ERROR)
        return;
    first->seen = true;
    XmlProblem& p = first->problem;
    p.line = error->line;
    p.detail = TrimmedMessage(error->message);
    const auto* node = static_cast<const xmlNode*>(error->node);
    if (node && node->type == XML_ELEMENT_NODE && node->name) {
        if (node->ns && node->ns->prefix)
            p.element = reinterpret_cast<const char*>(node->ns->prefix) + std::string(":");
        p.element += reinterpret_cast<const char*>(node->name);
        if (p.line == 0)
            p.line = static_cast<int>(xmlGetLineNo(node));
    }
}

void Silent(void*, const char*, ...) {}

/// Serves the built-in schemas by their file name and refuses everything else, so that neither
/// a schema nor a checked document can make the check read a file or the network.
xmlParserInputPtr BuiltInOnly(const char* url, const char*, xmlParserCtxtPtr ctxt) {
    if (!url)
        return nullptr;
    std::string_view name(url);
    if (const std::size_t slash = name.find_last_of('/'); slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    for (const EmbeddedFile& schema : EmbeddedSchemas()) {
        if (schema.name != name)
            continue;
        xmlParserInputBufferPtr buffer =
            xmlParserInputBufferCreateMem(reinterpret_cast<const char*>(schema.data),
                                          static_cast<int>(schema.size), XML_CHAR_ENCODING_NONE);
        if (!buffer)
            return nullptr;
        xmlParserInputPtr input = xmlNewIOInputStream(ctxt, buffer, XML_CHAR_ENCODING_NONE);
        if (!input) {
            xmlFreeParserInputBuffer(buffer);
            return nullptr;
        }
        input->filename = reinterpret_cast<const char*>(
            xmlStrdup(reinterpret_cast<const xmlChar*>(std::string(schema.name).c_str())));
        return input;
    }
    return nullptr;
}

/// libxml2's global handlers set for one check and given back after it.
class Handlers {
  public:
    explicit Handlers(FirstError& first)
        : loader_(xmlGetExternalEntityLoader()),
          structured_(xmlStructuredError),
          structuredContext_(xmlStructuredErrorContext),
          generic_(xmlGenericError),
          genericContext_(xmlGenericErrorContext) {
        xmlSetExternalEntityLoader(BuiltInOnly);
        xmlSetStructuredErrorFunc(&first, Collect);
        xmlSetGenericErrorFunc(nullptr, Silent);
    }
    ~Handlers() {
        xmlSetExternalEntityLoader(loader_);
        xmlSetStructuredErrorFunc(structuredContext_, structured_);
        xmlSetGenericErrorFunc(genericContext_, generic_);
    }
    Handlers(const Handlers&) = delete;
    Handlers& operator=(const Handlers&) = delete;

  private:
    xmlExternalEntityLoader loader_;
    xmlStructuredErrorFunc structured_;
    void* structuredContext_;
    xmlGenericErrorFunc generic_;
    void* genericContext_;
};

/// The envelope schema, compiled on first use and kept for the life of the program.
class EnvelopeSchema {
  public:
    EnvelopeSchema() {
        xmlInitParser();
        for (const EmbeddedFile& s : EmbeddedSchemas()) {
            if (s.name != kEnvelopeSchema)
                continue;
            FirstError first;
            Handlers handlers(first);
            xmlSchemaParserCtxtPtr parser = xmlSchemaNewMemParserCtxt(
                reinterpret_cast<const char*>(s.data), static_cast<int>(s.size));
            if (parser) {
                schema_ = xmlSchemaParse(parser);
                xmlSchemaFreeParserCtxt(parser);
            }
            error_ = first.problem.detail;
        }
    }
    ~EnvelopeSchema() {
        if (schema_)
            xmlSchemaFree(schema_);
    }
    EnvelopeSchema(const EnvelopeSchema&) = delete;
    EnvelopeSchema& operator=(const EnvelopeSchema&) = delete;

    xmlSchemaPtr Get() const { return schema_; }
    const std::string& Error() const { return error_; }

  private:
    xmlSchemaPtr schema_ = nullptr;
    std::string error_;
};

const EnvelopeSchema& Envelope() {
    static const EnvelopeSchema schema;
    return schema;
}

/// The k-th text in apostrophes of a message (from 0); empty when there is none.
std::string Quoted(const std::string& text, int k) {
    std::size_t start = 0;
    for (int i = 0;; ++i) {
        const std::size_t open = text.find('\'', start);
        const std::size_t close =
            open == std::string::npos ? std::string::npos : text.find('\'', open + 1);
        if (close == std::string::npos)
            return {};
        if (i == k)
            return text.substr(open + 1, close - open - 1);
        start = close + 1;
    }
}

bool Has(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

/// The validator's words about a value in Czech; its own words when no rule fits.
Text SchemaReason(std::string d) {
    // "Element '{namespace}name': " names what the message already has in front of it.
    if (d.rfind("Element '", 0) == 0)
        if (const std::size_t end = d.find("': "); end != std::string::npos)
            d.erase(0, end + 3);
    if (Has(d, "[facet 'pattern']"))
        return "hodnota „"_t + FromUtf8(Quoted(d, 1)) + "“ nemá tvar, který schéma předepisuje"_t;
    if (Has(d, "[facet 'maxLength']"))
        return "hodnota má "_t + FromUtf8(Quoted(d, 1)) + " znaků, schéma dovoluje nejvýše "_t +
               FromUtf8(Quoted(d, 2));
    if (Has(d, "[facet 'minLength']"))
        return "hodnota má "_t + FromUtf8(Quoted(d, 1)) + " znaků, schéma žádá nejméně "_t +
               FromUtf8(Quoted(d, 2));
    if (Has(d, "This element is not expected"))
        return "prvek na tomto místě schéma nepřipouští"_t;
    if (Has(d, "Missing child element"))
        return "chybí povinný prvek ("_t + FromUtf8(d) + ")"_t;
    if (Has(d, "is not a valid value of the atomic type"))
        return "hodnota „"_t + FromUtf8(Quoted(d, 0)) + "“ nemá správný formát"_t;
    return FromUtf8(d);
}

}  // namespace

std::optional<XmlProblem> CheckXml(std::string_view bytes, XmlKind kind) {
    const EnvelopeSchema& envelope = Envelope();
    FirstError first;
    Handlers handlers(first);
    xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_BIG_LINES);
    if (!doc) {
        if (!first.seen)
            first.problem.detail = "soubor je prázdný";
        return first.problem;
    }
    std::optional<XmlProblem> problem;
    if (doc->intSubset || doc->extSubset) {
        problem = XmlProblem{false, 0, {}, "deklarace typu dokumentu (DOCTYPE) není dovolena"};
    } else if (kind == XmlKind::Message) {
        if (!envelope.Get()) {
            problem = XmlProblem{true, 0, {}, "schéma obálky nelze načíst: " + envelope.Error()};
        } else {
            xmlSchemaValidCtxtPtr valid = xmlSchemaNewValidCtxt(envelope.Get());
            xmlSchemaSetValidStructuredErrors(valid, Collect, &first);
            const int rc = valid ? xmlSchemaValidateDoc(valid, doc) : -1;
            if (valid)
                xmlSchemaFreeValidCtxt(valid);
            if (rc != 0) {
                problem = first.problem;
                problem->schema = true;
                if (problem->detail.empty())
                    problem->detail = "kontrolu schématem nelze provést";
            }
        }
    }
    xmlFreeDoc(doc);
    return problem;
}

Text DescribeXmlProblem(const Text& fileName, const XmlProblem& p) {
    const Text where = p.line > 0 ? "řádek "_t + IntToText(p.line) : Text();
    if (!p.schema) {
        return "Soubor "_t + fileName + " není správně utvořený dokument XML."_t +
               ui::kLineBreakMark + (where.empty() ? Text() : where + ": "_t) + FromUtf8(p.detail);
    }
    Text place = where;
    if (!p.element.empty())
        place += (place.empty() ? "prvek "_t : ", prvek "_t) + FromUtf8(p.element);
    return "Obálka zprávy v souboru "_t + fileName + " neodpovídá schématu ústředního systému."_t +
           ui::kLineBreakMark + (place.empty() ? Text() : place + ": "_t) + SchemaReason(p.detail);
}

}  // namespace axo::xml

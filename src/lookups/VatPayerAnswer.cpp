// Reading the VAT payer register's SOAP answers with libxml2, and writing its requests.
#include "lookups/VatPayerAnswer.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <functional>

#include "util/Datum.h"
#include "util/Prevody.h"

namespace axo::lookups {

namespace {

constexpr const char* kEnvelopeStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\" "
    "xmlns:roz=\"http://adis.mfcr.cz/rozhraniCRPDPH/\"><soapenv:Body>";
constexpr const char* kEnvelopeEnd = "</soapenv:Body></soapenv:Envelope>\n";

bool Named(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

/// The first element of that local name at or below `node`, in document order.
const xmlNode* FindElement(const xmlNode* node, const char* name) {
    for (; node; node = node->next) {
        if (Named(node, name))
            return node;
        if (const xmlNode* inner = FindElement(node->children, name))
            return inner;
    }
    return nullptr;
}

/// Calls `visit` for every element of that local name below `parent`, not looking inside them.
void ForEachElement(const xmlNode* parent, const char* name,
                    const std::function<void(const xmlNode*)>& visit) {
    for (const xmlNode* node = parent->children; node; node = node->next) {
        if (Named(node, name))
            visit(node);
        else if (node->type == XML_ELEMENT_NODE)
            ForEachElement(node, name, visit);
    }
}

/// The value of the attribute of that local name (any namespace), as UTF-8; empty when the
/// element has none.
std::string Attribute(const xmlNode* node, const char* name) {
    for (const xmlAttr* a = node->properties; a; a = a->next) {
        if (std::strcmp(reinterpret_cast<const char*>(a->name), name) != 0)
            continue;
        xmlChar* value = xmlNodeListGetString(node->doc, a->children, 1);
        std::string text = value ? reinterpret_cast<const char*>(value) : "";
        xmlFree(value);
        return text;
    }
    return {};
}

/// The attribute looked for on the element and then on the elements inside it.
std::string DeepAttribute(const xmlNode* node, const char* name) {
    if (std::string value = Attribute(node, name); !value.empty())
        return value;
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        if (std::string value = DeepAttribute(child, name); !value.empty())
            return value;
    }
    return {};
}

Text Field(const std::string& utf8, std::size_t capacity) {
    return FromUtf8(utf8).substr(0, capacity);
}

Reliability ReliabilityOf(const std::string& word) {
    if (word == "NE")
        return Reliability::Reliable;
    if (word == "ANO")
        return Reliability::Unreliable;
    if (word == "NENALEZEN")
        return Reliability::NotFound;
    return Reliability::Unknown;
}

void ReadPayer(const xmlNode* payer, const VatAnswer& answer, std::vector<VatPayerRecord>& out) {
    VatPayerRecord base;
    base.statusText = answer.statusText;
    base.statusCode = answer.statusCode;
    base.answerDate = answer.answerDate;
    base.taxOffice = Field(Attribute(payer, "cisloFu"), 3);
    base.unreliableSince = DateFromIso(Attribute(payer, "datumZverejneniNespolehlivosti"));
    base.reliability = ReliabilityOf(Attribute(payer, "nespolehlivyPlatce"));
    base.dic = Field(Attribute(payer, "dic"), 15);
    const std::size_t before = out.size();
    if (const xmlNode* accounts = FindElement(payer->children, "zverejneneUcty")) {
        ForEachElement(accounts, "ucet", [&](const xmlNode* account) {
            VatPayerRecord r = base;
            r.hasAccount = true;
            r.accountDate = DateFromIso(DeepAttribute(account, "datumZverejneni"));
            if (const xmlNode* odd = FindElement(account->children, "nestandardniUcet")) {
                r.nonStandard = Field(DeepAttribute(odd, "cislo"), 42);
            } else {
                r.prefix = Field(DeepAttribute(account, "predcisli"), 10);
                r.number = Field(DeepAttribute(account, "cislo"), 50);
                r.bankCode = Field(DeepAttribute(account, "kodBanky"), 10);
            }
            out.push_back(std::move(r));
        });
    }
    if (out.size() == before)
        out.push_back(std::move(base));
}

std::string ElementText(const xmlNode* node) {
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return text;
}

}  // namespace

Text ReliabilityWord(Reliability reliability) {
    switch (reliability) {
        case Reliability::Reliable:
            return "NE"_t;
        case Reliability::Unreliable:
            return "ANO"_t;
        case Reliability::NotFound:
            return "NENALEZEN"_t;
        case Reliability::Unknown:
            break;
    }
    return {};
}

VatAnswer ParseVatAnswer(std::string_view xml, std::string_view response) {
    VatAnswer answer;
    // SOAP has no place for a DTD; one in an answer is refused before anything of it is read.
    if (xml.find("<!DOCTYPE") != std::string_view::npos) {
        answer.problem = "Odpověď registru obsahuje nepřípustnou definici typu dokumentu."_t;
        return answer;
    }
    if (xml.size() > static_cast<std::size_t>(INT32_MAX)) {
        answer.problem = "Odpověď registru je příliš velká."_t;
        return answer;
    }
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE;
    xmlDoc* doc =
        xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "answer.xml", nullptr, options);
    if (!doc || doc->intSubset) {
        if (doc)
            xmlFreeDoc(doc);
        answer.problem = "Odpověď registru není úplná nebo ji nelze přečíst jako XML."_t;
        return answer;
    }
    const xmlNode* root = xmlDocGetRootElement(doc);
    const std::string name(response);
    const xmlNode* body = FindElement(root, name.c_str());
    if (!body) {
        const xmlNode* fault = FindElement(root, "Fault");
        const xmlNode* text = fault ? FindElement(fault->children, "faultstring") : nullptr;
        answer.problem = text ? "Registr ohlásil chybu: "_t + FromUtf8(ElementText(text))
                              : "Odpověď registru neobsahuje očekávané údaje."_t;
        xmlFreeDoc(doc);
        return answer;
    }
    if (const xmlNode* status = FindElement(body->children, "status")) {
        answer.statusText = FromUtf8(Attribute(status, "statusText"));
        const std::string code = Attribute(status, "statusCode");
        if (code.size() == 1 && code[0] >= '0' && code[0] <= '3')
            answer.statusCode = code[0] - '0' + 1;
        answer.answerDate = DateFromIso(Attribute(status, "odpovedGenerovana"));
    }
    ForEachElement(body, "statusPlatceDPH",
                   [&](const xmlNode* payer) { ReadPayer(payer, answer, answer.records); });
    xmlFreeDoc(doc);
    return answer;
}

std::string StatusRequest(const std::vector<Text>& dics) {
    std::string xml = kEnvelopeStart;
    xml += "<roz:StatusNespolehlivyPlatceRequest>";
    for (const Text& dic : dics)
        xml += "<roz:dic>" + TextToXml(dic.StartsWith("CZ"_t) ? dic.substr(2) : dic) + "</roz:dic>";
    xml += "</roz:StatusNespolehlivyPlatceRequest>";
    return xml + kEnvelopeEnd;
}

std::string ListRequest() {
    return std::string(kEnvelopeStart) + "<roz:SeznamNespolehlivyPlatceRequest/>" + kEnvelopeEnd;
}

Text DateFromIso(std::string_view iso) {
    if (iso.size() < 10 || iso[4] != '-' || iso[7] != '-')
        return {};
    auto number = [&](std::size_t at, std::size_t n) {
        int value = 0;
        for (std::size_t i = at; i < at + n; ++i) {
            if (iso[i] < '0' || iso[i] > '9')
                return -1;
            value = value * 10 + (iso[i] - '0');
        }
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 0 || month < 0 || day < 0 || CheckDate(day, month, year) != kDateValid)
        return {};
    return DateText(day, month, year);
}

Text AccountText(const VatPayerRecord& record, const Text& separator) {
    if (!record.nonStandard.empty())
        return record.nonStandard;
    const Text number =
        record.prefix.empty() ? record.number : record.prefix + "-"_t + record.number;
    return number + separator + record.bankCode;
}

}  // namespace axo::lookups

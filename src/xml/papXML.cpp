// The conventions every XML file of the export shares: the part files and record types, the
// formatting of texts, amounts and dates, the message envelope, the body's opening lines and
// the statement header; and the export context of a running session.
#include "xml/papXML.h"

#include <cstdio>
#include <random>

#include "startup/Session.h"
#include "startup/SessionListing.h"
#include "util/Cisla.h"
#include "util/Prevody.h"
#include "util/Retezce.h"

namespace axo::xml {

namespace {

constexpr std::string_view kXsiNamespace = "http://www.w3.org/2001/XMLSchema-instance";
constexpr std::string_view kSignatureNamespace = "http://www.w3.org/2000/09/xmldsig#";
/// The contact address of the receiving system's administrator.
constexpr std::string_view kRecipientEmail = "csuis@mfcr.cz";

const PartFile kParts[] = {
    {0, "030", "PAP_souhrn.xml", "VykazPAPSouhrn", "urn:cz:isvs:micr:schemas:PAP:Prehled:v1",
     "CV30_PAP_souhrn.xsd"},
    {1, "030", "PAP_Cast1.xml", {}, {}, {}},
    {2, "030", "PAP_Cast2.xml", {}, {}, {}},
    {3, "030", "PAP_Cast3.xml", {}, {}, {}},
    {4, "030", "PAP_Cast4.xml", {}, {}, {}},
    {5, "030", "PAP_Cast5.xml", {}, {}, {}},
    {6, "030", "PAP_Cast6.xml", {}, {}, {}},
    {7, "030", "PAP_Cast7.xml", {}, {}, {}},
    {8, "030", "PAP_Cast8.xml", {}, {}, {}},
    {9, "030", "PAP_Cast9.xml", {}, {}, {}},
    {10, "031", "PAP_CastX.xml", "VykazPAPDetailP10", "urn:cz:isvs:micr:schemas:PAP:Cast10:v1",
     "CV31_PAP_castX.xsd"},
    {11, "032", "PAP_CastXI.xml", "VykazPAPDetailP11", "urn:cz:isvs:micr:schemas:PAP:Cast11:v1",
     "CV32_PAP_castXI.xsd"},
    {12, "033", "PAP_CastXII.xml", "VykazPAPDetailP12", "urn:cz:isvs:micr:schemas:PAP:Cast12:v1",
     "CV33_PAP_castXII.xsd"},
    {13, "034", "PAP_CastXIII.xml", "VykazPAPDetailP13", "urn:cz:isvs:micr:schemas:PAP:Cast13:v1",
     "CV34_PAP_castXIII.xsd"},
    {14, "035", "PAP_CastXIV.xml", "VykazPAPDetailP14", "urn:cz:isvs:micr:schemas:PAP:Cast14:v1",
     "CV35_PAP_castXIV.xsd"},
    {15, "036", "PAP_CastXV.xml", "VykazPAPDetailP15", "urn:cz:isvs:micr:schemas:PAP:Cast15:v1",
     "CV36_PAP_castXV.xsd"},
    {16, "037", "PAP_CastXVI.xml", "VykazPAPDetailP16", "urn:cz:isvs:micr:schemas:PAP:Cast16:v1",
     "CV37_PAP_castXVI.xsd"},
    {17, "038", "PAP_CastXVII.xml", "VykazPAPDetailP17", "urn:cz:isvs:micr:schemas:PAP:Cast17:v1",
     "CV38_PAP_castXVII.xsd"},
};

std::string Str(std::string_view s) {
    return std::string(s);
}

std::string Tabs(int n) {
    return std::string(static_cast<std::size_t>(n), '\t');
}

}  // namespace

std::string Element(std::string_view indent, std::string_view name, std::string_view content) {
    return Str(indent) + "<" + Str(name) + ">" + Str(content) + "</" + Str(name) + ">";
}

Text EnvelopePhone(const Text& typed) {
    const Text compact = RemoveBlanks(typed);
    Text phone;
    std::size_t i = 0;
    if (compact.StartsWith("TE"_t) || compact.StartsWith("FX"_t)) {
        phone = compact.substr(0, 2);
        i = 2;
    }
    if (i < compact.size() && compact[i] == '+') {
        phone += "00"_t;
        ++i;
    }
    for (; i < compact.size(); ++i)
        if (compact[i] >= '0' && compact[i] <= '9')
            phone += compact[i];
    // The envelope takes at least 3 characters; anything shorter is left out.
    return phone.size() < 3 ? Text() : phone;
}

namespace {

void WriteSender(XmlLines& f, const XmlExportParams& p) {
    f.Line(Tabs(2) + "<msg:Sender>");
    f.Line(Element(Tabs(3), "iissp:IC", XmlText(p.ico)));
    f.Line(Element(Tabs(3), "iissp:SubjectName", XmlText(p.unitName)));
    f.Line(Tabs(3) + "<iissp:ResponsiblePerson>");
    f.Line(Element(Tabs(4), "iissp:PersonName", XmlText(p.responsiblePerson)));
    f.Line(Element(Tabs(4), "iissp:Email", XmlText(p.email)));
    f.Line(Element(Tabs(4), "iissp:PersonId", XmlText(p.zoNumber)));
    const Text phone = EnvelopePhone(p.telephone);
    if (!phone.empty())
        f.Line(Element(Tabs(4), "iissp:PhoneNumber", XmlText(phone)));
    f.Line(Tabs(3) + "</iissp:ResponsiblePerson>");
    f.Line(Tabs(2) + "</msg:Sender>");
}

void WriteRecipient(XmlLines& f) {
    f.Line(Tabs(2) + "<msg:Recipient>");
    f.Line(Tabs(3) + "<iissp:SubjectId>1</iissp:SubjectId>");
    f.Line(Element(Tabs(3), "iissp:SubjectName", XmlText("Ministerstvo financí ČR"_t)));
    f.Line(Tabs(3) + "<iissp:Module>CSUIS</iissp:Module>");
    f.Line(Tabs(3) + "<iissp:ResponsiblePerson>");
    f.Line(Tabs(4) + "<iissp:PersonName>Administrator CSUIS</iissp:PersonName>");
    f.Line(Element(Tabs(4), "iissp:Email", kRecipientEmail));
    f.Line(Tabs(4) + "<iissp:PersonId>1</iissp:PersonId>");
    f.Line(Tabs(3) + "</iissp:ResponsiblePerson>");
    f.Line(Tabs(2) + "</msg:Recipient>");
}

}  // namespace

const PartFile* FindPart(int part) {
    for (const PartFile& p : kParts)
        if (p.part == part)
            return &p;
    return nullptr;
}

std::string XmlText(const Text& text) {
    return TextToXml(text);
}

std::string XmlAmount(double value) {
    return RealToText(value, 0, 2).Bytes();
}

std::string Indent(std::string_view runs) {
    std::string out;
    std::size_t count = 0;
    for (char ch : runs) {
        if (ch >= '0' && ch <= '9') {
            count = count * 10 + static_cast<std::size_t>(ch - '0');
        } else if (ch == 't' || ch == 's') {
            out.append(count, ch == 't' ? '\t' : ' ');
            count = 0;
        }
    }
    return out;
}

std::string StatementDateIso(const Text& date) {
    const Text d = ReplaceChar(LeftJustify(date, 10), ' ', '0');
    return d.substr(6, 4).Bytes() + "-" + d.substr(3, 2).Bytes() + "-" + d.substr(0, 2).Bytes();
}

std::string FragmentPeriodLine(const FragmentPeriod& p) {
    return "<?axo-pap obdobi=\"" + std::to_string(p.from) + "-" + std::to_string(p.to) +
           "\" rok=\"" + std::to_string(p.year) + "\"?>";
}

std::optional<FragmentPeriod> ParseFragmentPeriod(std::string_view line) {
    FragmentPeriod p;
    char end = 0;
    const std::string text(line);
    if (std::sscanf(text.c_str(), "<?axo-pap obdobi=\"%d-%d\" rok=\"%d\"?%c", &p.from, &p.to,
                    &p.year, &end) != 4 ||
        end != '>')
        return std::nullopt;
    return p;
}

Text PeriodText(const FragmentPeriod& p) {
    return "od "_t + IntToText(p.from) + " do "_t + IntToText(p.to) + "/"_t +
           IntToTextZeros(p.year, 4);
}

Text NewTransactionId() {
    std::random_device device;
    static const char kHex[] = "0123456789abcdef";
    std::string id;
    for (int i = 0; i < 32; ++i)
        id += kHex[device() % 16];
    return Text::FromBytes(id);
}

std::string LastDayIso(int month, int year) {
    return IntToTextZeros(year, 4).Bytes() + "-" + IntToTextZeros(month, 2).Bytes() + "-" +
           IntToTextZeros(DaysInMonth(month, year), 2).Bytes();
}

void WriteEnvelopeHead(XmlLines& f, std::string_view recordType, const XmlExportParams& p,
                       const TransferIds& ids, const std::string& stamp) {
    f.Line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    f.Line(
        "<msg:Envelope xsi:schemaLocation=\"urn:cz:mfcr:iissp:schemas:Messaging:v1 "
        "iissp_messaging.xsd\"");
    f.Line("xmlns:msg=\"urn:cz:mfcr:iissp:schemas:Messaging:v1\"");
    f.Line("xmlns:iissp=\"urn:cz:mfcr:iissp:schemas:Common:v1\"");
    f.Line("xmlns:xsi=\"" + Str(kXsiNamespace) + "\"");
    f.Line("xmlns:cus=\"urn:cz:mfcr:iissp:schemas:Cus:v1\"");
    f.Line("xmlns:sig=\"" + Str(kSignatureNamespace) + "\">");
    f.Line(Tabs(1) + "<msg:EnvelopeHeader>");
    f.Line(Element(Tabs(2), "iissp:TransactionId", XmlText(ids.transactionId)));
    if (!ids.referenceId.empty())
        f.Line(Element(Tabs(2), "iissp:ReferenceTransactionId", XmlText(ids.referenceId)));
    f.Line(Element(Tabs(2), "msg:DateTimeCreated", stamp));
    WriteSender(f, p);
    WriteRecipient(f);
    f.Line(Tabs(1) + "</msg:EnvelopeHeader>");
    f.Line(Tabs(1) + "<msg:EnvelopeBody>");
    f.Line(Tabs(2) + "<cus:Message>");
    f.Line(Tabs(3) + "<cus:MessageHeader>");
    f.Line(Element(Tabs(4), "cus:MessageId", XmlText(ids.transactionId)));
    f.Line(Element(Tabs(4), "cus:DateTimeCreated", stamp));
    f.Line(Element(Tabs(4), "cus:RecordType", recordType));
    f.Line(Tabs(3) + "</cus:MessageHeader>");
}

void WriteEnvelopeTail(XmlLines& f) {
    f.Line(Tabs(3) + "</cus:MessageBody>");
    f.Line(Tabs(3) + "<cus:MessageFooter/>");
    f.Line(Tabs(2) + "</cus:Message>");
    f.Line(Tabs(1) + "</msg:EnvelopeBody>");
    f.Line("</msg:Envelope>");
}

void WriteBodyOpening(XmlLines& f, const PartFile& part) {
    f.Line(Tabs(3) + "<cus:MessageBody>");
    f.Line(Tabs(4) + "<" + Str(part.root) + " xsi:schemaLocation=\"" + Str(part.nameSpace) + " " +
           Str(part.schema) + "\"");
    f.Line(Tabs(4) + "xmlns=\"" + Str(part.nameSpace) + "\"");
    f.Line(Tabs(4) + "xmlns:xsi=\"" + Str(kXsiNamespace) + "\"");
    f.Line(Tabs(4) + "xmlns:acc=\"urn:cz:isvs:micr:schemas:AccountTypes:v1\"");
    f.Line(Tabs(4) + "xmlns:cmn=\"urn:cz:isvs:micr:schemas:CommonTypes:v1\"");
    f.Line(Tabs(4) + "xmlns:bus=\"urn:cz:isvs:micr:schemas:BusinessTypes:v2\"");
    f.Line(Tabs(4) + "xmlns:stm=\"urn:cz:isvs:micr:schemas:StatementTypes:v1\">");
}

void WriteStatementHeader(XmlLines& f, const XmlExportParams& p, const HeaderDates& dates,
                          bool contact) {
    f.Line(Tabs(5) + "<VykazHlavicka>");
    f.Line(Element(Tabs(6), "bus:SubjektICO", XmlText(p.ico)));
    if (!Trim(p.budgetChapter).empty())
        f.Line(Element(Tabs(6), "stm:Kapitola", XmlText(p.budgetChapter)));
    f.Line(Element(Tabs(6), "stm:DatumSestaveni", dates.today));
    f.Line(Element(Tabs(6), "stm:DatumVykaz", dates.statementDate));
    f.Line(Tabs(6) + "<stm:FinancniCastkaRad>1</stm:FinancniCastkaRad>");
    if (contact) {
        const std::string inner = Indent("6t 5s");
        f.Line(Tabs(6) + "<stm:OsobaKontaktni>");
        f.Line(Element(inner, "stm:OsobaKontaktniJmeno", XmlText(p.responsiblePerson)));
        f.Line(Element(inner, "stm:OsobaKontaktniEmail", XmlText(p.email)));
        f.Line(Element(inner, "stm:OsobaKontaktniTelefon", XmlText(p.telephone)));
        f.Line(Tabs(6) + "</stm:OsobaKontaktni>");
    }
    f.Line(Tabs(5) + "</VykazHlavicka>");
}

std::vector<pap::tVeta_Zorvi> ReadRowsByKey(pap::tFileZorvi& result) {
    std::vector<pap::tVeta_Zorvi> rows;
    std::int32_t n = 0;
    Text key;
    result.BtClearKey(1);
    while (result.BtNextKey(1, n, key)) {
        rows.emplace_back();
        result.GetRec(n, &rows.back());
    }
    return rows;
}

XmlExportContext MakeXmlExportContext(const startup::Session& s) {
    XmlExportContext ctx;
    ctx.data = &s.Context();
    ctx.fiscalYear = s.FiscalYear().firstYear;
    ctx.dialogs = s.DialogEnv();
    ctx.parameterVault = s.ParameterVault();
    ctx.dataDirectory = s.AreaAt(startup::kAreaUcetnictvi).root;
    ctx.firmIco = s.Ico();
    ctx.firmName = s.FirmName();
    ctx.firmPhone = s.DataInstallation().TelefonFirmy;
    ctx.templateDirectory = s.TemplateDirectory();
    ctx.listing = startup::ListingEnvironmentFor(s);
    return ctx;
}

void ConnectXmlExport(pap::StatementContext& statements, const XmlExportContext& ctx,
                      std::function<void(const std::filesystem::path&)> written) {
    statements.exportXml = [&ctx, written](pap::tFileZorvi& result, bool batch,
                                           const XmlExportParams& params) {
        const auto path = ExportStatementXml(ctx, &result, batch, params, 0);
        if (path && written)
            written(*path);
    };
}

}  // namespace axo::xml

// The VAT payer check, its kept results and the notes text.
#include "lookups/VatPayerCheck.h"

#include <algorithm>
#include <map>

#include "lookups/RegistryIds.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::lookups {

namespace {

/// The register takes at most this many DIČs in one query.
constexpr std::size_t kDicsPerQuery = 100;
constexpr int kVaultGroup = 91;
constexpr char kFieldEnd = '\x1F';
constexpr char kRecordEnd = '\x1E';

Text ForbiddenText() {
    return "ověření NESPOLEHLIVOSTI PLÁTCE DPH\r(viz. Novela zákona 235/2004 Sb. o DPH §106a)\r"
           "a informace o zveřejněných účtech v Registru plátců DPH\rpodle DIČ\r\r"
           "je ve Vaší konfiguraci zakázáno"_t;
}

/// Asks the register about the DIČs while the wait window shows; none after the message when
/// a query fails or its answer cannot be read.
std::optional<VatAnswer> QueryStatus(LookupContext& ctx, const std::vector<Text>& dics,
                                     const Text& waitText) {
    VatAnswer all;
    {
        const auto wait =
            ctx.Ui().ShowWait("Čekejte, hledám údaje o případné nespolehlivosti\r\r"_t + waitText +
                              "\r\r  VYHLEDÁVÁNÍ NELZE PŘERUŠIT!"_t);
        for (std::size_t from = 0; from < dics.size(); from += kDicsPerQuery) {
            const std::vector<Text> part(dics.begin() + static_cast<std::ptrdiff_t>(from),
                                         dics.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                            dics.size(), from + kDicsPerQuery)));
            const HttpRequest request{ctx.settings.vatServiceUrl, StatusRequest(part),
                                      "text/xml; charset=UTF-8", "getStatusNespolehlivyPlatce"};
            const HttpResponse response = ctx.transport->Send(request, ctx.settings.query);
            Text problem = FailureCause(response, request.url);
            VatAnswer answer;
            if (problem.empty()) {
                answer = ParseVatAnswer(response.body, "StatusNespolehlivyPlatceResponse");
                problem = answer.problem;
            }
            if (problem.empty() && answer.records.empty() && answer.statusCode != 1)
                problem = "Registr odpověděl: "_t + answer.statusText;
            if (!problem.empty()) {
                all.problem = problem;
                break;
            }
            all.statusText = answer.statusText;
            all.statusCode = answer.statusCode;
            all.answerDate = answer.answerDate;
            all.records.insert(all.records.end(), answer.records.begin(), answer.records.end());
        }
    }
    if (!all.problem.empty()) {
        ctx.Ui().ShowErrorLine("Ověření v Registru plátců DPH se nezdařilo.\r\r"_t + all.problem);
        return std::nullopt;
    }
    return all;
}

/// A check that got its answer keeps its records in place of the previous ones.
VatCheckResult Finish(LookupContext& ctx, const std::optional<VatAnswer>& answer,
                      VatCheckResult result) {
    if (!answer) {
        result.outcome = VatCheckOutcome::Failed;
        return result;
    }
    result.outcome = VatCheckOutcome::Found;
    result.records = answer->records;
    StoreVatResults(ctx.documentVault, result.records);
    return result;
}

Text Serialise(const std::vector<VatPayerRecord>& records) {
    Text out;
    for (const VatPayerRecord& r : records) {
        for (const Text& field :
             {r.statusText, IntToText(r.statusCode), r.answerDate, r.taxOffice, r.unreliableSince,
              IntToText(static_cast<int>(r.reliability)), r.dic, IntToText(r.hasAccount ? 1 : 0),
              r.accountDate, r.prefix, r.number, r.bankCode, r.nonStandard})
            out += field + kFieldEnd;
        out += kRecordEnd;
    }
    return out;
}

std::vector<VatPayerRecord> Deserialise(const Text& text) {
    std::vector<VatPayerRecord> records;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(kRecordEnd, start);
        if (end == Text::npos)
            break;
        std::vector<Text> f;
        for (std::size_t p = start; p < end;) {
            const std::size_t q = text.find(kFieldEnd, p);
            if (q == Text::npos || q > end)
                break;
            f.push_back(text.substr(p, q - p));
            p = q + 1;
        }
        start = end + 1;
        if (f.size() != 13)
            continue;
        VatPayerRecord r{
            f[0],  static_cast<int>(TextToInt(f[1])),
            f[2],  f[3],
            f[4],  static_cast<Reliability>(std::clamp<long long>(TextToInt(f[5]), 0, 3)),
            f[6],  TextToInt(f[7]) != 0,
            f[8],  f[9],
            f[10], f[11],
            f[12]};
        records.push_back(std::move(r));
    }
    return records;
}

/// The text padded with blanks to `n`; a longer one is kept whole.
Text PadTo(const Text& text, std::size_t n) {
    return text.size() >= n ? text : LeftJustify(text, n);
}

Text Labelled(const char* label, const Text& value) {
    return LeftJustify(FromUtf8(label), 21) + value + "\r\n"_t;
}

Text NowText(const Clock& clock) {
    const DateTime now = clock.Now();
    return DateText(now.day, now.month, now.year) + " "_t + IntToTextZeros(now.hour, 2) + ":"_t +
           IntToTextZeros(now.minute, 2) + ":"_t + IntToTextZeros(now.second, 2);
}

}  // namespace

VatCheckResult CheckVatPayer(LookupContext& ctx, const Text& dicGiven) {
    VatCheckResult result;
    if (!ctx.vatPayerCheckAllowed) {
        ctx.Ui().ShowInfo(ForbiddenText());
        return result;
    }
    const Text dic = UpperCase(Trim(dicGiven));
    if (const Text problem = DicProblem(dic); !problem.empty()) {
        ctx.Ui().ShowErrorLine(problem);
        return result;
    }
    const std::optional<VatAnswer> answer = QueryStatus(ctx, {dic}, "DIČ "_t + dic);
    const std::vector<VatPayerRecord> own =
        answer ? RecordsOf(answer->records, dic) : std::vector<VatPayerRecord>();
    if (!own.empty() && own.front().reliability == Reliability::NotFound) {
        ctx.Ui().ShowInfo("DIČ "_t + dic + "\r\rNENALEZEN"_t);
        result.outcome = VatCheckOutcome::NotFound;
        return result;
    }
    return Finish(ctx, answer, result);
}

VatCheckResult CheckVatPayers(LookupContext& ctx, AddressListSource& source) {
    VatCheckResult result;
    if (!ctx.vatPayerCheckAllowed) {
        ctx.Ui().ShowInfo(ForbiddenText());
        return result;
    }
    std::vector<AddressEntry> addresses;
    if (!source.ReadAll(addresses))
        return result;
    if (addresses.empty()) {
        ctx.Ui().ShowInfo("Číselník externích adres je prázdný."_t);
        return result;
    }
    std::vector<Text> dics;
    for (const AddressEntry& a : addresses) {
        const Text dic = Trim(a.dic);
        if (!dic.StartsWith("CZ"_t) || dic.size() <= 2)
            continue;
        // Only what is a DIČ goes into the request; the rest is counted and reported.
        if (!DicValid(dic))
            ++result.skipped;
        else if (std::find(dics.begin(), dics.end(), dic) == dics.end())
            dics.push_back(dic);
    }
    if (dics.empty()) {
        ctx.Ui().ShowInfo("Číselník externích adres neobsahuje žádné DIČ plátce z ČR."_t);
        return result;
    }
    const std::optional<VatAnswer> answer = QueryStatus(
        ctx, dics,
        "DIČ "_t + IntToText(static_cast<long long>(dics.size())) + " adres číselníku"_t);
    return Finish(ctx, answer, result);
}

std::vector<VatPayerRecord> RecordsOf(const std::vector<VatPayerRecord>& records, const Text& dic) {
    const Text digits = dic.StartsWith("CZ"_t) ? dic.substr(2) : dic;
    std::vector<VatPayerRecord> own;
    for (const VatPayerRecord& r : records)
        if (r.dic == digits)
            own.push_back(r);
    return own;
}

std::vector<VatPayerRecord> LoadVatResults(startup::tTrezor* vault) {
    Text text;
    std::vector<char> block(startup::kVaultMaxBlock);
    for (int item = 1; vault && startup::LoadBlock(vault, kVaultGroup, item, block.data(),
                                                   static_cast<int>(block.size()));
         ++item) {
        const auto end = std::find(block.begin(), block.end(), '\0');
        text += Text::FromBytes(std::string(block.begin(), end));
        std::fill(block.begin(), block.end(), '\0');
    }
    return Deserialise(text);
}

void StoreVatResults(startup::tTrezor* vault, const std::vector<VatPayerRecord>& records) {
    if (!vault)
        return;
    startup::DeleteBlocks(vault, kVaultGroup, -1);
    const Text text = Serialise(records);
    const std::size_t chunk = startup::kVaultMaxBlock;
    for (std::size_t at = 0, item = 1; at < text.size(); at += chunk, ++item) {
        const Text part = text.substr(at, chunk);
        startup::StoreBlock(vault, kVaultGroup, static_cast<int>(item), part.data(),
                            static_cast<int>(part.size()));
    }
}

std::optional<Text> VatPayerNotes(LookupContext& ctx, const std::vector<VatPayerRecord>& records) {
    if (records.empty()) {
        ctx.Ui().ShowInfo("Žádné údaje spolehlivosti plátců DPH nejsou k dispozici."_t);
        return std::nullopt;
    }
    const VatPayerRecord& r = records.front();
    Text text = "NESPOLEHLIVOST PLÁTCE DPH (Novela zákona 235/2004 Sb. o DPH §106a)\r\n"_t;
    text += Repeat('-', 66) + "\r\n"_t;
    text += Labelled("DIČ", "CZ"_t + r.dic);
    text += Labelled("Okamžik ověření", NowText(*ctx.clock));
    text += Labelled("Datum odpovědi", r.answerDate);
    if (r.statusText != "OK"_t)
        text += Labelled("Status", r.statusText);
    text += Labelled("Finanční úřad", Trim(r.taxOffice + " "_t + ctx.offices.Name(r.taxOffice)));
    text += "NESPOLEHLIVÝ PLÁTCE  "_t + ReliabilityWord(r.reliability) + "\r\n"_t;
    if (!r.unreliableSince.empty()) {
        text += "Datum zveřejnění\r\n"_t;
        text += Labelled("nespolehlivosti", r.unreliableSince);
    }
    text += Repeat('-', 56) + "\r\n"_t;
    text += "Bankovní účty určené ke zveřejnění v Registru plátců DPH\r\n"_t;
    bool any = false;
    for (const VatPayerRecord& a : records) {
        if (!a.hasAccount)
            continue;
        any = true;
        text += PadTo(AccountText(a, "/"_t), 45) + " "_t + a.accountDate + "\r\n"_t;
    }
    if (!any)
        text +=
            "Žádné číslo účtu ve smyslu §96 odst. 1 zákona o DPH nebylo ke zveřejnění určeno.\r\n"_t;
    return text;
}

}  // namespace axo::lookups

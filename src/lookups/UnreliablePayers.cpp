// The printout of the unreliable VAT payers.
#include "lookups/UnreliablePayers.h"

#include <map>
#include <optional>

#include "lookups/AresLookup.h"
#include "lookups/RegistryIds.h"
#include "ui/TextListing.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::lookups {

namespace {

enum class Variant { OnlyDic, Details, AddressList };

struct Payer {
    Text dic;
    Text office;
    Text since;
};

/// The payers of the answer, each once, in its order.
std::vector<Payer> Payers(const std::vector<VatPayerRecord>& records) {
    std::vector<Payer> payers;
    for (const VatPayerRecord& r : records)
        if (payers.empty() || payers.back().dic != r.dic)
            payers.push_back({r.dic, r.taxOffice, r.unreliableSince});
    return payers;
}

std::optional<VatAnswer> FetchList(LookupContext& ctx) {
    HttpResponse response;
    const HttpRequest request{ctx.settings.vatServiceUrl, ListRequest(), "text/xml; charset=UTF-8",
                              "getSeznamNespolehlivyPlatce"};
    {
        const auto wait = ctx.Ui().ShowWait(
            "Čekejte, stahuji seznam nespolehlivých plátců DPH\r\r  VYHLEDÁVÁNÍ NELZE PŘERUŠIT!"_t);
        response = ctx.transport->Send(request, ctx.settings.list);
    }
    if (!response.Ok()) {
        ctx.Ui().ShowInfo("Seznam nespolehlivých plátců DPH nelze získat.\r\r"_t +
                          FailureCause(response, request.url));
        return std::nullopt;
    }
    VatAnswer answer = ParseVatAnswer(response.body, "SeznamNespolehlivyPlatceResponse");
    if (!answer.problem.empty() || answer.statusCode != 1) {
        ctx.Ui().ShowErrorLine("Zjištění seznamu nespolehlivých plátců se nezdařilo."_t +
                               (answer.problem.empty() ? Text() : "\r\r"_t + answer.problem));
        return std::nullopt;
    }
    return answer;
}

Text NameAndAddress(const AresAddress& a) {
    Text name;
    for (const Text& line : a.names)
        if (!line.empty())
            name += (name.empty() ? Text() : " "_t) + line;
    return name + ", "_t + a.street + ", "_t + a.postcode + " "_t + a.town;
}

Text ColumnCaption(const char* caption, std::uint8_t width) {
    return JustifyWithChar(FromUtf8(caption), width, ' ', Alignment::kCentre);
}

class UnreliableListing {
  public:
    UnreliableListing(LookupContext& ctx, ui::TextListing& listing, Variant variant,
                      const std::map<Text, AddressEntry>& byDic)
        : ctx_(ctx), l_(listing), variant_(variant), byDic_(byDic) {}

    void Heading(const VatAnswer& answer) {
        l_.Init();
        l_.printoutName = "nespolehlivé plátce DPH"_t;
        const DateTime now = ctx_.clock->Now();
        l_.titles[0] = "Seznam nespolehlivých plátců DPH platný "_t +
                       DateText(now.day, now.month, now.year) + " "_t +
                       IntToTextZeros(now.hour, 2) + ":"_t + IntToTextZeros(now.minute, 2);
        if (!answer.answerDate.empty() &&
            answer.answerDate != DateText(now.day, now.month, now.year))
            l_.titles[1] = "odpověď generována: "_t + answer.answerDate;
        else if (variant_ == Variant::AddressList)
            l_.titles[1] = "obsažených v číselníku externích adres"_t;
        l_.columnWidths.fill(0);
        std::vector<Text> captions;
        auto column = [&](std::size_t i, std::uint8_t width, const char* caption) {
            l_.columnWidths[i] = width;
            captions.push_back(ColumnCaption(caption, width));
        };
        column(0, 15, "DIČ");
        column(1, 3, "FÚ");
        column(2, 10, "od data");
        if (variant_ == Variant::AddressList) {
            column(3, 10, "Zatřídění");
            column(4, 35, "Firma");  // up to a line of 79
        } else if (variant_ == Variant::Details) {
            column(3, 117, "Název a adresa");  // up to a line of 150
        }
        l_.BuildFrameLines();
        l_.framedHeader[0] = l_.FramedLine(captions);
        l_.PageHeading();
    }

    UnreliableListResult Body(const std::vector<Payer>& payers) {
        UnreliableListResult result;
        if (variant_ == Variant::Details)
            l_.StartProgress(static_cast<int>(payers.size()), 1);
        for (const Payer& p : payers) {
            const auto own = byDic_.find("CZ"_t + p.dic);
            const AddressEntry* address = own == byDic_.end() ? nullptr : &own->second;
            if (variant_ == Variant::AddressList) {
                if (!address)
                    continue;
                Line(p, {address->classification, address->name});
                ++result.inAddressList;
            } else if (variant_ == Variant::OnlyDic) {
                Line(p, {});
            } else {
                if (!l_.ProgressStep()) {
                    result.stopped = true;
                    l_.WriteLine(JustifyWithChar(" přerušeno uživatelem ---"_t, l_.lineWidth, '-',
                                                 Alignment::kRight));
                    break;
                }
                Line(p, {Details(p)});
                if (address) {
                    ++result.inAddressList;
                    l_.WriteLineWithRoom(l_.FramedLine({{},
                                                        {},
                                                        {},
                                                        "!!!: "_t + address->classification +
                                                            " "_t + address->name}),
                                         2);
                }
            }
            ++result.payers;
        }
        l_.EndProgress();
        if (!result.stopped)
            l_.WriteLine(l_.bottomLine);
        if (variant_ != Variant::OnlyDic) {
            const Text count = "Stávající číselník externích adres obsahuje "_t +
                               IntToText(result.inAddressList) + " nespolehlivých plátců DPH!"_t;
            l_.WriteLine({});
            if (variant_ == Variant::AddressList) {
                l_.WriteLine(count);
                l_.WriteLine("(viz. zatřídění a firma)"_t);
            } else {
                l_.WriteLine(count + " (viz. !!!: zatřídění a firma)"_t);
            }
        }
        return result;
    }

  private:
    LookupContext& ctx_;
    ui::TextListing& l_;
    Variant variant_;
    const std::map<Text, AddressEntry>& byDic_;
    bool detailsBroken_ = false;

    void Line(const Payer& p, std::vector<Text> more) {
        std::vector<Text> cells{"CZ"_t + p.dic, p.office, p.since};
        cells.insert(cells.end(), more.begin(), more.end());
        l_.WriteLineWithRoom(l_.FramedLine(cells), 2);
    }

    /// The payer's name and address from ARES. After a failure of the network the rest of the
    /// list goes without details, rather than waiting for every payer in turn.
    Text Details(const Payer& p) {
        if (detailsBroken_)
            return {};
        if (l_.Progress())
            l_.Progress()->SetStepText("Hledám detaily k IČO "_t + p.dic);
        if (!IcoValidForLookup(p.dic))
            return "--- nenalezeno ---"_t;
        const AresOutcome outcome = LookUpAres(ctx_, p.dic);
        if (outcome.result == AresResult::Found)
            return NameAndAddress(outcome.address);
        if (outcome.result == AresResult::NotFound)
            return "--- nenalezeno ---"_t;
        detailsBroken_ = true;
        l_.WriteLine(JustifyWithChar(
            "--- chyba při dohledávání identifikačních údajů nespolehlivých plátců ---"_t,
            l_.lineWidth, ' ', Alignment::kCentre));
        l_.WriteLine(JustifyWithChar(outcome.problem, l_.lineWidth, ' ', Alignment::kCentre));
        return {};
    }
};

}  // namespace

UnreliableListResult ListUnreliablePayers(LookupContext& ctx, AddressListSource* addresses,
                                          UnreliableListStart start) {
    UnreliableListResult result;
    Variant variant = Variant::AddressList;
    std::map<Text, AddressEntry> byDic;
    if (start == UnreliableListStart::Menu) {
        const int choice = ctx.Ui().Decide(
            "Zobrazení kompletního seznamu NESPOLEHLIVÝCH PLÁTCŮ K DPH \rvčetně evidenčních "
            "údajů o plátci\rje poměrně časově náročné (několik minut)."_t,
            {"Pokračovat"_t, "Pouze DIČ"_t, "<Esc> zpět"_t}, 2);
        if (choice != 1 && choice != 2)
            return result;
        variant = choice == 1 ? Variant::Details : Variant::OnlyDic;
    }
    if (addresses && variant != Variant::OnlyDic) {
        std::vector<AddressEntry> entries;
        if (!addresses->ReadAll(entries) && variant == Variant::AddressList)
            return result;
        if (entries.empty() && variant == Variant::AddressList) {
            ctx.Ui().ShowInfo("Číselník externích adres je prázdný."_t);
            return result;
        }
        for (const AddressEntry& e : entries)
            byDic.emplace(Trim(e.dic), e);
    } else if (variant == Variant::AddressList) {
        ctx.Ui().ShowInfo("Číselník externích adres je prázdný."_t);
        return result;
    }
    const std::optional<VatAnswer> answer = FetchList(ctx);
    if (!answer)
        return result;
    auto listing = ui::CreateListing(*ctx.listing);
    if (!listing)
        return result;
    UnreliableListing printout(ctx, *listing, variant, byDic);
    printout.Heading(*answer);
    result = printout.Body(Payers(answer->records));
    listing->CloseListingFile();
    listing->HandOver(listing->FileName());
    result.shown = listing->HandedOver();
    if (start == UnreliableListStart::Menu && result.inAddressList > 0)
        ctx.Ui().ShowInfo("Stávající adresář externích adres obsahuje\r"_t +
                          IntToText(result.inAddressList) + "\rnespolehlivých plátců DPH!"_t);
    return result;
}

}  // namespace axo::lookups

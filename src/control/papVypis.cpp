// The control account statement: selection of the lines into the sort file, and the body with
// its four levels of totals.
#include "control/papVypis.h"

#include <cstring>

#include "pap/PapData.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::control {

namespace {

/// Sort key: analytics 10, code 3, partner 10, SU 3, AE 3, identification 15, line 5.
constexpr std::size_t kKeyLength = 49;
/// The key prefixes of the groups: account, partner, transaction code, analytics.
constexpr std::size_t kAccountKey = 29;
constexpr std::size_t kPartnerKey = 23;
constexpr std::size_t kCodeKey = 13;
constexpr std::size_t kAnalyticsKey = 10;

#pragma pack(push, 1)
/// A selected line in the sort file; its account's analytics is kept in DOPLNEK.
struct WorkRecord {
    char key[kKeyLength];
    pap::tVetaUDPO line;
    std::uint8_t creditSide;
};
#pragma pack(pop)

std::vector<ControlColumn> Columns() {
    return {{10, "P A P"_t}, {18, "IDENTIFIKACE"_t}, {5, "ŘÁDEK"_t},      {7, " SÚ  AE"_t},
            {3, "KÓD"_t},    {10, "PARTNER"_t},      {14, "MD"_t},        {14, "DAL"_t},
            {15, "VS"_t},    {30, "POZNÁMKA"_t},     {10, "PARTNER II"_t}};
}
/// The frame character after the last column.
constexpr int kClosingFrame = 11;

Text BalanceCell(double balance) {
    return RealToText(balance, 15, 2);
}

}  // namespace

struct tKontrolniVypis::Groups {
    GroupSum account, partner, code, analytics;
    WorkRecord last;
};

tKontrolniVypis::tKontrolniVypis(const ui::ListingEnvironment& listing,
                                 const ControlEnvironment& env,
                                 const ControlStatementParams& params)
    : ControlListing(listing, env), params_(params) {
    params_.FillMasks();
}

tKontrolniVypis::~tKontrolniVypis() = default;

void tKontrolniVypis::Init() {
    ControlListing::Init();
    printoutName = "Kontrolní výpis z účtu"_t;
}

bool tKontrolniVypis::OpenInputs() {
    if (!ControlListing::OpenInputs())
        return false;
    // Without the list of external addresses the partners' names stay blank.
    partners_ = std::make_unique<PartnerNames>(*env_.data, env_.location);
    partners_->Open();
    return true;
}

void tKontrolniVypis::PrepareHeading() {
    ControlListing::PrepareHeading();
    titles[0] = "Kontrolní výpis z účtu od "_t + IntToText(params_.monthFrom) + " do "_t +
                IntToText(params_.monthTo) + "/"_t + IntToText(params_.year);
    SetColumns(Columns());
}

bool tKontrolniVypis::Collect() {
    const bool fold = true;
    const FieldMask analytics(params_.analytics, 10, fold), code(params_.code, 3, fold),
        partner1(params_.partner1, 10, fold), partner2(params_.partner2, 10, fold),
        su(params_.su, 3, fold), ae(params_.ae, 3, fold);
    const std::int32_t from = params_.PeriodFrom(), to = params_.PeriodTo();
    pap::tFileUDPO& lines = StartCollect(sizeof(WorkRecord), kKeyLength);
    WorkRecord w{};
    std::string key;
    key.reserve(kKeyLength);
    std::int32_t n = 0;
    Text lineKey;
    lines.BtClearKey(1);
    while (lines.BtNextKey(1, n, lineKey)) {
        if (!Step())
            break;
        // The state leads the key: other states are passed without reading the record.
        if (lineKey.empty() || lineKey[0] != '0')
            continue;
        pap::tVetaUDPO& line = w.line;
        lines.GetRec(n, &line);
        const Text id = line.IDENTIFIKACE;
        if (line.PRIZNAK != 0 || ExcludedDocumentKind(id))
            continue;
        const int period = PeriodOf(id);
        if (period < from || period > to)
            continue;
        if (!code.Fits(line.KOD) || !partner1.Fits(line.PARTNER) || !partner2.Fits(line.PARTNER2) ||
            !su.Fits(IntToTextZeros(line.SU, 3)) || !ae.Fits(IntToTextZeros(line.AE, 3)))
            continue;
        const AccountFacts& facts = in_->lookups.Account(line.SU, line.AE);
        const Text sa = facts.Analytics();
        if ((params_.skipWithoutAnalytics && sa.empty()) || !analytics.Fits(sa))
            continue;
        line.DOPLNEK = sa;
        w.creditSide = CreditSideAccount(facts.account.AKT_PAS, line.SU) ? 1 : 0;
        key.clear();
        AppendSortKey(key, sa, 10);
        AppendSortKey(key, params_.noCodeTotals ? Text() : line.KOD.Get(), 3);
        AppendSortKey(key, line.PARTNER, 10);
        AppendSortKey(key, IntToTextZeros(line.SU, 3) + IntToTextZeros(line.AE, 3), 6);
        AppendSortKey(key, id, 15);
        AppendSortKey(key, IntToTextZeros(line.RADEK, 5), 5);
        std::memcpy(w.key, key.data(), kKeyLength);
        if (!Sort().Add(&w))
            break;
    }
    EndProgress();
    return EndCollect("Kontrolní výpis nebude vytvořen."_t);
}

void tKontrolniVypis::PrintDetail(const pap::tVetaUDPO& line) {
    Put(FramedLine({line.DOPLNEK, pap::DocumentIdText(line.IDENTIFIKACE, {}),
                    IntToText(line.RADEK, 5), AccountText(line), line.KOD, line.PARTNER,
                    AmountCell(line.MA_DATI), AmountCell(line.DAL), line.VS1, line.POZNAMKA,
                    line.PARTNER2}),
        2);
}

void tKontrolniVypis::CloseGroups(Groups& g, const char* key, bool all) {
    const pap::tVetaUDPO& line = g.last.line;
    const auto changed = [&](std::size_t prefix) {
        return GroupEnds(g.last.key, key, prefix, all);
    };
    const Text sa = line.DOPLNEK;
    if (changed(kAccountKey)) {
        if (g.account.count > 1) {
            const Text name = in_->lookups.Account(line.SU, line.AE).account.NAZ_UCT;
            Put(MarkedLine({sa,
                            {},
                            {},
                            AccountText(line),
                            line.KOD,
                            line.PARTNER,
                            AmountCell(g.account.debit),
                            AmountCell(g.account.credit),
                            {},
                            name,
                            {}},
                           {3, kClosingFrame}),
                2);
        }
        g.account.Clear();
    }
    if (changed(kPartnerKey)) {
        Put(MarkedLine({sa,
                        {},
                        {},
                        {},
                        line.KOD,
                        line.PARTNER,
                        AmountCell(g.partner.debit),
                        AmountCell(g.partner.credit),
                        BalanceCell(g.partner.Balance()),
                        partners_->Name(line.PARTNER),
                        {}},
                       {5, kClosingFrame}),
            2);
        g.partner.Clear();
    }
    if (changed(kCodeKey)) {
        if (g.code.count > 1 && !params_.noCodeTotals) {
            const pap::tVetaUKod* kod = in_->lookups.TransactionCode(line.KOD);
            Put(MarkedLine({sa,
                            {},
                            {},
                            {},
                            line.KOD,
                            {},
                            AmountCell(g.code.debit),
                            AmountCell(g.code.credit),
                            {},
                            kod ? kod->Nazev.Get() : Text(),
                            {}},
                           {4, kClosingFrame}),
                2);
        }
        g.code.Clear();
    }
    if (changed(kAnalyticsKey)) {
        const pap::tVetaUAPV* pap = in_->lookups.PapCode(sa);
        Put(MarkedLine({sa,
                        {},
                        {},
                        {},
                        {},
                        {},
                        AmountCell(g.analytics.debit),
                        AmountCell(g.analytics.credit),
                        BalanceCell(g.analytics.Balance()),
                        pap ? pap->POPIS.Get() : Text(),
                        {}},
                       {0, kClosingFrame}),
            3);
        // After the last group the bottom frame line closes the printout.
        if (!all)
            WriteLine(separatorLine);
        g.analytics.Clear();
    }
}

bool tKontrolniVypis::Body() {
    Groups g{};
    return GroupedBody<WorkRecord>(
        "Vytváření kontrolního výpisu"_t,
        [&](const char* key, bool all) { CloseGroups(g, key, all); },
        [&](const WorkRecord& w) {
            PrintDetail(w.line);
            const bool side = w.creditSide != 0;
            for (GroupSum* sum : {&g.account, &g.partner, &g.code, &g.analytics})
                sum->Add(w.line.MA_DATI, w.line.DAL, side);
            g.last = w;
        });
}

void tKontrolniVypis::CloseInputs() {
    if (partners_)
        partners_->Close();
    partners_.reset();
    ControlListing::CloseInputs();
}

ControlOutcome RunControlStatement(const ControlEnvironment& env,
                                   const ControlStatementParams& params) {
    return RunControlListing<tKontrolniVypis>(env, params);
}

ControlOutcome ControlAccountStatement(const ControlEnvironment& env) {
    return RunControlCommand(env, "Kontrolní výpis z účtu"_t, LoadControlStatementParams,
                             AskControlStatementParams, RunControlStatement);
}

}  // namespace axo::control

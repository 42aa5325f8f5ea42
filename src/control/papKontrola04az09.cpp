// The control breakdown: the lines of the statement's accounts into the sort file, and the body
// in one of its three layouts.
#include "control/papKontrola04az09.h"

#include <cstring>

#include "control/CheckRecordPap.h"
#include "pap/PapData.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::control {

namespace {

/// Sort key: analytics 10, code 3 and account 6 (or account and code), identification 15,
/// line 5.
constexpr std::size_t kKeyLength = 39;
constexpr std::size_t kInnerKey = 19;     ///< analytics, code, account (or account, code)
constexpr std::size_t kAccountKey2 = 16;  ///< analytics, account (the account-first layout)
constexpr std::size_t kCodeKey = 13;      ///< analytics, code
constexpr std::size_t kAnalyticsKey = 10;
/// Width of the detailed layout's line.
constexpr int kDetailLineWidth = 150;

#pragma pack(push, 1)
/// A selected line; its account's analytics is kept in DOPLNEK.
struct WorkRecord {
    char key[kKeyLength];
    pap::tVetaUDPO line;
    std::uint8_t permitted;
};
#pragma pack(pop)

std::vector<ControlColumn> Columns(BreakdownLayout layout) {
    switch (layout) {
        case BreakdownLayout::Detail: {
            std::vector<ControlColumn> c = {
                {10, "P A P"_t}, {3, "KÓD"_t}, {7, " SÚ  AE"_t}, {18, "IDENTIFIKACE"_t},
                {5, "ŘÁDEK"_t},  {14, "MD"_t}, {14, "DAL"_t},    {15, "VS"_t}};
            int width = 1;
            for (const ControlColumn& col : c)
                width += col.width + 1;
            c.push_back({static_cast<std::uint8_t>(std::max(30, kDetailLineWidth - width - 1)),
                         "POZNÁMKA"_t});
            return c;
        }
        case BreakdownLayout::CodeAccount:
            return {{10, "P A P"_t}, {3, "KÓD"_t}, {7, " SÚ  AE"_t}, {14, "MD"_t}, {14, "DAL"_t}};
        case BreakdownLayout::AccountCode:
            return {{10, "P A P"_t}, {7, " SÚ  AE"_t}, {3, "KÓD"_t}, {14, "MD"_t}, {14, "DAL"_t}};
    }
    return {};
}

}  // namespace

struct tRozklad_IVazIX::Groups {
    GroupSum inner, middle, analytics;
    WorkRecord last;
};

tRozklad_IVazIX::tRozklad_IVazIX(const ui::ListingEnvironment& listing,
                                 const ControlEnvironment& env,
                                 const ControlBreakdownParams& params)
    : ControlListing(listing, env), params_(params) {
    params_.FillMasks();
    // The statement picks a flag of the PAP code: only IV to IX have a breakdown.
    if (params_.statement < 4 || params_.statement > 9)
        params_.statement = 4;
}

tRozklad_IVazIX::~tRozklad_IVazIX() = default;

void tRozklad_IVazIX::Init() {
    ControlListing::Init();
    printoutName = "Kontrolní rozklad výkazu "_t + Trim(RomanNumeral(params_.statement));
}

void tRozklad_IVazIX::PrepareHeading() {
    ControlListing::PrepareHeading();
    titles[0] = "Kontrolní rozklad výkazu "_t + Trim(RomanNumeral(params_.statement)) + " od "_t +
                IntToText(params_.monthFrom) + " do "_t + IntToText(params_.monthTo) + "/"_t +
                IntToText(params_.year);
    SetColumns(Columns(params_.layout));
}

bool tRozklad_IVazIX::Collect() {
    const FieldMask analytics(params_.analytics, 10, true), code(params_.code, 3, true),
        su(params_.su, 3, true), ae(params_.ae, 3, true);
    const std::int32_t from = params_.PeriodFrom(), to = params_.PeriodTo();
    const int statement = params_.statement;
    const bool accountFirst = params_.layout == BreakdownLayout::AccountCode;
    pap::tFileUDPO& lines = StartCollect(sizeof(WorkRecord), kKeyLength);
    WorkRecord w{};
    std::string key;
    Text lineKey, lastAccount;
    const AccountFacts* account = nullptr;
    bool accepted = false;
    std::int32_t n = 0;
    lines.BtClearKey(2);
    while (lines.BtNextKey(2, n, lineKey)) {
        if (!Step())
            break;
        const Text accountKey = lineKey.substr(0, 6);
        if (!account || accountKey != lastAccount) {
            lastAccount = accountKey;
            pap::tVetaUDPO first;
            lines.GetRec(n, &first);
            account = &in_->lookups.Account(first.SU, first.AE);
            const Text sa = account->Analytics();
            accepted = su.Fits(IntToTextZeros(first.SU, 3)) &&
                       ae.Fits(IntToTextZeros(first.AE, 3)) && account->found && !sa.empty() &&
                       analytics.Fits(sa) && account->papFound &&
                       account->papCode.VYKAZY[statement - 1] != 0;
        }
        if (!accepted)
            continue;
        pap::tVetaUDPO& line = w.line;
        lines.GetRec(n, &line);
        const Text id = line.IDENTIFIKACE;
        if (line.PRIZNAK != 0 || ExcludedDocumentKind(id))
            continue;
        const int period = PeriodOf(id);
        if (period < from || period > to || Trim(line.KOD).empty() || !code.Fits(line.KOD))
            continue;
        const Text sa = account->Analytics();
        line.DOPLNEK = sa;
        w.permitted = CodePermittedForStatement(account->papCode, line.KOD, statement) ? 1 : 0;
        const Text accountDigits = IntToTextZeros(line.SU, 3) + IntToTextZeros(line.AE, 3);
        key.clear();
        AppendSortKey(key, sa, 10);
        if (accountFirst) {
            AppendSortKey(key, accountDigits, 6);
            AppendSortKey(key, line.KOD, 3);
        } else {
            AppendSortKey(key, line.KOD, 3);
            AppendSortKey(key, accountDigits, 6);
        }
        AppendSortKey(key, id, 15);
        AppendSortKey(key, IntToTextZeros(line.RADEK, 5), 5);
        std::memcpy(w.key, key.data(), kKeyLength);
        if (!Sort().Add(&w))
            break;
    }
    EndProgress();
    return EndCollect("Kontrolní rozklad nebude vytvořen."_t);
}

void tRozklad_IVazIX::PrintDetail(const pap::tVetaUDPO& line, bool permitted) {
    const std::vector<Text> cells = {line.DOPLNEK,
                                     line.KOD,
                                     AccountText(line),
                                     pap::DocumentIdText(line.IDENTIFIKACE, {}),
                                     IntToText(line.RADEK, 5),
                                     AmountCell(line.MA_DATI),
                                     AmountCell(line.DAL),
                                     line.VS1,
                                     line.POZNAMKA};
    Put(permitted ? FramedLine(cells) : MarkedLine(cells, {2}, 'X'), 2);
}

Text tRozklad_IVazIX::AccountLine(const Groups& g) const {
    const pap::tVetaUDPO& line = g.last.line;
    const GroupSum& sum = params_.layout == BreakdownLayout::AccountCode ? g.middle : g.inner;
    const Text debit = AmountCell(sum.debit), credit = AmountCell(sum.credit);
    switch (params_.layout) {
        case BreakdownLayout::Detail: {
            const Text name = in_->lookups.Account(line.SU, line.AE).account.NAZ_UCT;
            return MarkedLine(
                {line.DOPLNEK, line.KOD, AccountText(line), {}, {}, debit, credit, {}, name},
                {2, 9});
        }
        case BreakdownLayout::CodeAccount:
            return FramedLine({line.DOPLNEK, line.KOD, AccountText(line), debit, credit});
        case BreakdownLayout::AccountCode:
            return FramedLine({line.DOPLNEK, AccountText(line), {}, debit, credit});
    }
    return {};
}

Text tRozklad_IVazIX::CodeLine(const Groups& g) const {
    const pap::tVetaUDPO& line = g.last.line;
    const GroupSum& sum = params_.layout == BreakdownLayout::AccountCode ? g.inner : g.middle;
    const Text debit = AmountCell(sum.debit), credit = AmountCell(sum.credit);
    switch (params_.layout) {
        case BreakdownLayout::Detail: {
            const pap::tVetaUKod* kod = in_->lookups.TransactionCode(line.KOD);
            return MarkedLine({line.DOPLNEK,
                               line.KOD,
                               {},
                               {},
                               {},
                               debit,
                               credit,
                               {},
                               kod ? kod->Nazev.Get() : Text()},
                              {1, 9});
        }
        case BreakdownLayout::CodeAccount:
            return FramedLine({line.DOPLNEK, line.KOD, {}, debit, credit});
        case BreakdownLayout::AccountCode:
            return FramedLine({line.DOPLNEK, AccountText(line), line.KOD, debit, credit});
    }
    return {};
}

Text tRozklad_IVazIX::AnalyticsLine(const Groups& g) const {
    const Text sa = g.last.line.DOPLNEK;
    const Text debit = AmountCell(g.analytics.debit), credit = AmountCell(g.analytics.credit);
    if (params_.layout != BreakdownLayout::Detail)
        return FramedLine({sa, {}, {}, debit, credit});
    const pap::tVetaUAPV* pap = in_->lookups.PapCode(sa);
    return MarkedLine({sa, {}, {}, {}, {}, debit, credit, {}, pap ? pap->POPIS.Get() : Text()},
                      {0, 9});
}

void tRozklad_IVazIX::CloseGroups(Groups& g, const char* key, bool all) {
    const auto changed = [&](std::size_t prefix) {
        return GroupEnds(g.last.key, key, prefix, all);
    };
    const bool accountFirst = params_.layout == BreakdownLayout::AccountCode;
    if (changed(kInnerKey)) {
        Put(accountFirst ? CodeLine(g) : AccountLine(g), 2);
        g.inner.Clear();
    }
    if (changed(accountFirst ? kAccountKey2 : kCodeKey)) {
        Put(accountFirst ? AccountLine(g) : CodeLine(g), 2);
        g.middle.Clear();
    }
    if (changed(kAnalyticsKey)) {
        Put(AnalyticsLine(g), 3);
        g.analytics.Clear();
    }
}

bool tRozklad_IVazIX::Body() {
    Groups g{};
    // The bottom frame line of EndBody is the closing line.
    return GroupedBody<WorkRecord>(
        "Vytváření kontrolního rozkladu pro výkaz "_t + Trim(RomanNumeral(params_.statement)),
        [&](const char* key, bool all) { CloseGroups(g, key, all); },
        [&](const WorkRecord& w) {
            if (params_.layout == BreakdownLayout::Detail)
                PrintDetail(w.line, w.permitted != 0);
            for (GroupSum* sum : {&g.inner, &g.middle, &g.analytics})
                sum->Add(w.line.MA_DATI, w.line.DAL, false);
            g.last = w;
        });
}

ControlOutcome RunControlBreakdown(const ControlEnvironment& env,
                                   const ControlBreakdownParams& params) {
    return RunControlListing<tRozklad_IVazIX>(env, params);
}

ControlOutcome ControlBreakdown(const ControlEnvironment& env) {
    return RunControlCommand(env, "Kontrolní rozklad pro výkazy IV až XI"_t,
                             LoadControlBreakdownParams, AskControlBreakdownParams,
                             RunControlBreakdown);
}

}  // namespace axo::control

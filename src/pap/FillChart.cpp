// The fill of the chart of accounts from the list of PAP codes, its question and its protocol.
#include "pap/FillChart.h"

#include <cstring>

#include "ui/TextListing.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

/// The PAP code of the account's analytics; false when the analytics is empty or unknown.
bool FindCode(tFileUAPV& codes, const tVetaRozvrh& account, tVetaUAPV& code) {
    if (Trim(account.STAT_ANAL).empty())
        return false;
    code.STAT_ANAL = Trim(account.STAT_ANAL);
    std::int32_t n = 0;
    return codes.BtFindKey(1, n, codes.MakeKey(1, &code)) && codes.GetRec(n, &code);
}

bool SameAttributes(const tVetaRozvrh& a, const tVetaRozvrh& b) {
    return a.STAT_ANAL.Get() == b.STAT_ANAL.Get() && a.PARTNER == b.PARTNER &&
           a.CojePartner == b.CojePartner && a.PARTNER2 == b.PARTNER2 && a.KOD == b.KOD &&
           std::memcmp(a.VYKAZY, b.VYKAZY, sizeof a.VYKAZY) == 0;
}

/// Walks the chart in account order and computes each account's new attributes; writes the
/// changed ones back when `write` is set.
std::vector<ChartChange> WalkChart(tFileRozvrh& chart, tFileUAPV& codes, bool write) {
    // The record numbers are taken first in account order: rewriting an account must not move
    // it back into the walk.
    std::vector<std::int32_t> accounts;
    std::int32_t n = 0;
    Text key;
    chart.BtClearKey(1);
    while (chart.BtNextKey(1, n, key))
        accounts.push_back(n);
    std::vector<ChartChange> changes;
    for (std::int32_t account : accounts) {
        ChartChange change;
        chart.GetRec(account, &change.before);
        change.after = change.before;
        tVetaUAPV code;
        CopyPapAttributes(change.after, FindCode(codes, change.before, code) ? &code : nullptr);
        if (SameAttributes(change.before, change.after))
            continue;
        change.se = change.before.SE;
        change.ae = change.before.AE;
        if (write) {
            // The note text goes with every rewrite of the record; it must stay as it is.
            chart.SetNotes(chart.ReadMemo("NOTES"_t));
            chart.PutRec(account, &change.after);
        }
        changes.push_back(change);
    }
    return changes;
}

/// The analytics as the protocol shows it; a cleared one is named so.
Text AnalyticsText(const tVetaRozvrh& account) {
    const Text a = Trim(account.STAT_ANAL);
    return a.empty() ? "-"_t : a;
}

/// The protocol of the changes: two lines per account, the attributes before and after.
void ShowProtocol(const ui::ListingEnvironment& env, const std::vector<ChartChange>& changes) {
    auto listing = ui::CreateListing(env);
    if (!listing)
        return;
    ui::TextListing& l = *listing;
    l.Init();
    l.printoutName = "Protokol změn účtového rozvrhu"_t;
    l.titles[0] = l.printoutName;
    l.titles[1] = FillChartTitle();
    const std::vector<std::pair<std::uint8_t, Text>> columns = {
        {7, " SÚ  AE"_t}, {5, {}}, {10, "Stat.anal."_t}, {11, "Povinnosti"_t}, {40, "Výkazy PAP"_t},
    };
    std::vector<Text> captions;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        l.columnWidths[i] = columns[i].first;
        captions.push_back(
            JustifyWithChar(columns[i].second, columns[i].first, ' ', Alignment::kLeft));
    }
    l.BuildFrameLines();
    l.framedHeader[0] = l.FramedLine(captions);
    l.PageHeading();
    for (const ChartChange& c : changes) {
        const Text cleared =
            c.AnalyticsCleared() ? "analytika není v číselníku PAP, vymazána"_t : Text();
        l.WriteLineWithRoom(
            l.FramedLine({ChartAccountText(c.se, c.ae), "dosud"_t, AnalyticsText(c.before),
                          PapDutiesText(c.before), PapStatementsText(c.before)}),
            2);
        const Text statements = PapStatementsText(c.after);
        l.WriteLine(l.FramedLine({{},
                                  "nově"_t,
                                  AnalyticsText(c.after),
                                  PapDutiesText(c.after),
                                  cleared.empty() ? statements : cleared}));
    }
    l.WriteLine(l.bottomLine);
    l.WriteLine("Změněných účtů: "_t + IntToText(static_cast<long long>(changes.size())));
    l.CloseListingFile();
    l.HandOver(l.FileName());
}

/// The question before anything is written; true when the user lets the accounts change.
bool AskToChange(ui::UiServices& ui, const std::vector<ChartChange>& changes) {
    std::size_t cleared = 0;
    for (const ChartChange& c : changes)
        cleared += c.AnalyticsCleared() ? 1 : 0;
    Text text = "Doplnění údajů PAP z číselníku pomocného analytického přehledu změní "_t +
                "údaje PAP u "_t + IntToText(static_cast<long long>(changes.size())) +
                " účtů účtového rozvrhu."_t;
    if (cleared > 0)
        text += ui::kLineBreakMark + "U "_t + IntToText(static_cast<long long>(cleared)) +
                " z nich bude vymazána statistická analytika, která v číselníku PAP není; "_t +
                "jejich zaúčtování pak výkazy ani kontroly neuvidí."_t;
    text += Text(2, ui::kLineBreakMark) + "Změněné účty budou vypsány v protokolu změn."_t;
    return ui.YesNo(text, " ~Z~měnit účty "_t, " <Esc> ~n~ic neměnit "_t, 2);
}

}  // namespace

bool ChartChange::AnalyticsCleared() const {
    return !Trim(before.STAT_ANAL).empty() && Trim(after.STAT_ANAL).empty();
}

std::vector<ChartChange> FillChartAccounts(tFileRozvrh& chart, tFileUAPV& codes) {
    // The write lock groups the rewrites into few commits.
    chart.BtLockFileBlock(storage::_NoWait);
    std::vector<ChartChange> changes = WalkChart(chart, codes, true);
    chart.Unlock();
    return changes;
}

std::vector<ChartChange> PlannedChartChanges(tFileRozvrh& chart, tFileUAPV& codes) {
    return WalkChart(chart, codes, false);
}

Text FillChartTitle() {
    return "Doplnění údajů pro PAP do účtového rozvrhu"_t;
}

void CopyPapAttributes(tVetaRozvrh& account, const tVetaUAPV* code) {
    const tVetaUAPV empty;
    const tVetaUAPV& from = code ? *code : empty;
    account.STAT_ANAL = from.STAT_ANAL;
    account.PARTNER = from.PARTNER;
    account.CojePartner = from.CojePartner;
    account.PARTNER2 = from.PARTNER2;
    account.KOD = from.KOD;
    for (int i = 0; i < 20; ++i)
        account.VYKAZY[i] = from.VYKAZY[i];
}

Text ChartAccountText(Word se, Word ae) {
    return IntToTextZeros(se, 3) + "/"_t + IntToTextZeros(ae, 3);
}

Text PapDutiesText(const tVetaRozvrh& account) {
    Text out;
    const auto add = [&out](const Text& duty) { out += (out.empty() ? Text() : " "_t) + duty; };
    if (account.KOD)
        add("KT"_t);
    if (account.PARTNER)
        add(account.CojePartner == 1 ? "P1-AP"_t : "P1-T"_t);
    if (account.PARTNER2)
        add("P2"_t);
    return out;
}

Text PapStatementsText(const tVetaRozvrh& account) {
    Text out;
    for (int i = 0; i < 20; ++i)
        if (account.VYKAZY[i])
            out += (out.empty() ? Text() : ","_t) + IntToText(i + 1);
    return out;
}

Text ChartChangeLine(const ChartChange& c) {
    const auto side = [](const tVetaRozvrh& a) {
        Text out = AnalyticsText(a);
        if (const Text duties = PapDutiesText(a); !duties.empty())
            out += " "_t + duties;
        if (const Text statements = PapStatementsText(a); !statements.empty())
            out += " výk. "_t + statements;
        return out;
    };
    return ChartAccountText(c.se, c.ae) + "  "_t + side(c.before) + " -> "_t +
           (c.AnalyticsCleared() ? "vymazáno (analytika není v číselníku PAP)"_t : side(c.after));
}

FillChartOutcome FillChartFromPap(const PapLocation& where, const storage::DataContext& ctx,
                                  ui::UiServices& ui, const ui::ListingEnvironment* listing) {
    FillChartOutcome outcome;
    tFileRozvrh chart(ctx, where);
    if (!chart.InitFile(4, storage::_NoWait)) {
        ui.ShowError("Účtový rozvrh nelze EXCLUSIVNĚ otevřít!"_t);
        return outcome;
    }
    tFileUAPV codes(ctx, where);
    if (!codes.InitFile(1, storage::_NoWait)) {
        chart.CloseFile();
        ui.ShowError("Číselník pomocného analytického přehledu pro výkazy nelze otevřít!"_t);
        return outcome;
    }
    const std::vector<ChartChange> planned = PlannedChartChanges(chart, codes);
    if (planned.empty()) {
        codes.CloseFile();
        chart.CloseFile();
        ui.ShowInfo("HOTOVO!"_t + ui::kLineBreakMark +
                    "Údaje PAP všech účtů již odpovídají číselníku PAP, nic se nezměnilo."_t);
        outcome.done = true;
        return outcome;
    }
    if (!AskToChange(ui, planned)) {
        codes.CloseFile();
        chart.CloseFile();
        return outcome;
    }
    outcome.changes = FillChartAccounts(chart, codes);
    codes.CloseFile();
    chart.CloseFile();
    outcome.done = true;
    if (listing)
        ShowProtocol(*listing, outcome.changes);
    ui.ShowInfo("HOTOVO!"_t + ui::kLineBreakMark + "Změněných účtů: "_t +
                IntToText(static_cast<long long>(outcome.changes.size())) + "."_t);
    return outcome;
}

}  // namespace axo::pap

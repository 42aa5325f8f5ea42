// The accounting record check: the command, its environment, and the walk over the document
// lines with the look-ups each line's check needs.
#include "control/papKonPAP.h"

#include <map>

#include "pap/PapData.h"
#include "startup/DataAreas.h"
#include "startup/SessionListing.h"
#include "util/Retezce.h"

namespace axo::control {

namespace {

/// The account of a line with its PAP code, looked up once per account of the run.
struct AccountFacts {
    bool found = false;
    pap::tVetaRozvrh account;
    bool papFound = false;
    pap::tVetaUAPV papCode;
    bool papIsSum = false;
};

/// The look-ups of the run, remembered: most documents touch few accounts and codes.
class Lookups {
  public:
    explicit Lookups(pap::CodeLists& lists) : lists_(lists) {}

    const AccountFacts& Account(pap::Word su, pap::Word ae) {
        const int key = su * 1000 + ae;
        auto it = accounts_.find(key);
        if (it != accounts_.end())
            return it->second;
        AccountFacts facts;
        const int found = lists_.FindAccount(su, ae, facts.account);
        facts.found = found == pap::kUcetNalezen || found == pap::kUcetSAnalytikami;
        const Text analytics = Trim(facts.account.STAT_ANAL);
        if (facts.found && !analytics.empty())
            facts.papFound = lists_.FindPapCodeWithSum(analytics, facts.papCode, facts.papIsSum);
        return accounts_.emplace(key, facts).first->second;
    }

    const pap::tVetaUKod* TransactionCode(const Text& kod) {
        auto it = codes_.find(kod);
        if (it == codes_.end()) {
            Code code;
            code.found = lists_.FindTransactionCode(kod, code.record);
            it = codes_.emplace(kod, code).first;
        }
        return it->second.found ? &it->second.record : nullptr;
    }

  private:
    struct Code {
        bool found = false;
        pap::tVetaUKod record;
    };
    pap::CodeLists& lists_;
    std::map<int, AccountFacts> accounts_;
    std::map<Text, Code> codes_;
};

/// The name of the current process for the length of the command: a pushed entry is renamed,
/// and without one an entry is pushed and popped again.
class ProcessName {
  public:
    ProcessName(ui::UiServices& ui, const Text& name) : ui_(ui) {
        if (ui_.ProcessDepth() > 0)
            ui_.PopProcess();
        else
            pushed_ = true;
        ui_.PushProcess(name);
    }
    ~ProcessName() {
        if (pushed_)
            ui_.PopProcess();
    }
    ProcessName(const ProcessName&) = delete;
    ProcessName& operator=(const ProcessName&) = delete;

  private:
    ui::UiServices& ui_;
    bool pushed_ = false;
};

/// Checks the selected lines into the protocol; the count of checked lines.
int Walk(const RecordCheckEnvironment& env, const RecordCheckParams& params, RuleSet rules,
         pap::CodeLists& lists, pap::tFileUDPO& lines, tProtokolKontroly& protocol) {
    Lookups lookups(lists);
    const Text mask = DocumentMask(params);
    int checked = 0;
    protocol.Zacni(lines.BtUsedRecs());
    lines.BtClearKey(1);
    std::int32_t n = 0;
    Text key;
    while (lines.BtNextKey(1, n, key)) {
        if (!protocol.Krok())
            break;
        // The state leads the key: other states are passed without reading the record.
        if (key.empty() || key[0] != '0')
            continue;
        pap::tVetaUDPO line;
        lines.GetRec(n, &line);
        if (!LineSelected(line, mask, params))
            continue;
        protocol.TextKroku(line);
        const AccountFacts& facts = lookups.Account(line.SU, line.AE);
        RecordContext c;
        c.line = &line;
        c.openingBalance = line.IDENTIFIKACE.Get().substr(4, 2) == "00"_t;
        c.account = facts.found ? &facts.account : nullptr;
        c.papCode = facts.papFound ? &facts.papCode : nullptr;
        c.papCodeIsSum = facts.papIsSum;
        if (!Trim(line.KOD).empty())
            c.transactionCode = lookups.TransactionCode(line.KOD);
        c.consolidationSwitch = env.consolidationSwitch;
        c.rules = rules;
        const RecordCheck check = CheckRecordPap(c, params.options);
        ++checked;
        if (!check.Passes())
            protocol.ZapisChybu(line, facts.account.STAT_ANAL, check);
    }
    return checked;
}

}  // namespace

RecordCheckEnvironment RecordCheckEnvironmentFor(const startup::Session& session) {
    RecordCheckEnvironment env;
    env.data = &session.Context();
    env.location = {session.AccountingDirectory(), session.CodeListDirectory(),
                    startup::FiscalYearDirectoryName(session),
                    session.DataInstallation().CharakterFirmy};
    env.fiscalYear = session.FiscalYear().firstYear;
    env.dialogs = session.DialogEnv();
    env.listing = startup::ListingEnvironmentFor(session);
    env.consolidationSwitch = session.GetSwitches().papConsolidation;
    return env;
}

RecordCheckOutcome RunRecordCheck(const RecordCheckEnvironment& env,
                                  const RecordCheckParams& params, RuleSet rules) {
    RecordCheckOutcome outcome;
    outcome.end = RecordCheckEnd::NotOpened;
    std::unique_ptr<tProtokolKontroly> protocol;
    {
        pap::CodeLists lists(*env.data, env.location);
        if (!lists.OpenChart() || !lists.OpenPapCodes())
            return outcome;
        // Without the transaction code list every code is unknown (mark 4): a finding, so the
        // check runs on.
        lists.OpenTransactionCodes();
        pap::DocumentTables documents(*env.data, env.location);
        if (!documents.Open(false))
            return outcome;
        protocol = tProtokolKontroly::Zaloz(env.listing, params, env.consolidationSwitch);
        if (!protocol) {
            env.Ui().ShowInfo("Nelze založit protokol.\rKontrolu nelze provést."_t);
            outcome.end = RecordCheckEnd::NoProtocol;
            return outcome;
        }
        outcome.checkedLines = Walk(env, params, rules, lists, documents.Lines(), *protocol);
        outcome.faultyLines = protocol->Chybnych();
        protocol->KonecPrubehu();
        if (outcome.faultyLines > 0 && !protocol->Zastaveno())
            protocol->Ukonci();
        documents.Close();
    }
    if (protocol->Zastaveno()) {
        outcome.end = RecordCheckEnd::Stopped;
    } else if (outcome.faultyLines > 0) {
        protocol->Ukaz();
        outcome.end = RecordCheckEnd::Faults;
    } else {
        env.Ui().ShowInfo("Dle zadaných parametrů nebyly nalezeny žádné chybné účetní záznamy."_t);
        outcome.end = RecordCheckEnd::Clean;
    }
    return outcome;
}

RecordCheckOutcome CheckAccountingRecords(const RecordCheckEnvironment& env) {
    ProcessName process(env.Ui(), "Kontrola účetních záznamů, PAP"_t);
    const int programMonth = env.dialogs.ProgramDate().month;
    const RuleSet rules = RuleSetFor(env.fiscalYear, programMonth);
    RecordCheckParams params = DefaultRecordCheckParams(env.fiscalYear, programMonth);
    if (!AskRecordCheckParams(env, rules, params))
        return {};
    return RunRecordCheck(env, params, rules);
}

}  // namespace axo::control

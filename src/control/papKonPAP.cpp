// The accounting record check: the command, its environment, and the walk over the document
// lines with the look-ups each line's check needs.
#include "control/papKonPAP.h"

#include "pap/PapData.h"
#include "util/Retezce.h"

namespace axo::control {

namespace {

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
    static_cast<ControlEnvironment&>(env) = ControlEnvironmentFor(session);
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

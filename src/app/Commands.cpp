// The routines of the menu commands.
#include "app/Commands.h"

#include "app/CodeListCommands.h"
#include "app/StatementContextFor.h"
#include "app/StatementReport.h"
#include "codelists/SessionAddresses.h"
#include "control/papKonPAP.h"
#include "control/papKontrola04az09.h"
#include "control/papVypis.h"
#include "pap/FillChart.h"
#include "pap/KontrolniVazby.h"
#include "pap/a_FiKody.h"
#include "pap/a_Fi_PAP.h"
#include "pap/papVykaz01.h"
#include "pap/papVykaz02a03.h"
#include "pap/papVykaz04az09.h"
#include "pap/papVykaz10az13.h"
#include "pap/papVykaz10az13_od2014.h"
#include "pap/papVykaz16.h"
#include "printforms/SessionForms.h"
#include "startup/SessionListing.h"
#include "xml/papXML.h"
#include "xml/papXML01az09.h"

namespace axo::app {

namespace {

/// Calls a statement entry routine as the menu does: no template, no external progress panel,
/// a result text the menu ignores, no batch parameters.
void RunStatement(startup::Session& s, const RoutineCall& call, const Text& caption) {
    pap::StatementContext ctx = StatementContextFor(s);
    // The period dialog's XML option writes the part file through the export.
    const xml::XmlExportContext xmlCtx = xml::MakeXmlExportContext(s);
    xml::ConnectXmlExport(ctx, xmlCtx);
    // The compiled statement goes through the picker into the print preview.
    ConnectStatementPrinting(ctx, s);
    Text result;
    const Text noTemplate;
    switch (call.routine) {
        case Routine::SestavVykazI:
            pap::SestavVykazI(ctx, caption, noTemplate, nullptr, result, nullptr, false);
            break;
        case Routine::SestavVykazII_III:
            pap::SestavVykazII_III(ctx, call.number, caption, noTemplate, nullptr, result, nullptr,
                                   false);
            break;
        case Routine::SestavVykazIV_IX:
            pap::SestavVykazIV_IX(ctx, call.number, caption, noTemplate, nullptr, result, nullptr,
                                  false);
            break;
        case Routine::SestavVykazX:
            pap::SestavVykazX(ctx, caption, noTemplate, nullptr, result);
            break;
        case Routine::SestavVykazX_2013:
            pap::SestavVykazX_2013(ctx, caption, noTemplate, nullptr, result);
            break;
        case Routine::SestavVykazXI:
            pap::SestavVykazXI(ctx, caption, noTemplate, nullptr, result);
            break;
        case Routine::SestavVykazXI_2013:
            pap::SestavVykazXI_2013(ctx, caption, noTemplate, nullptr, result);
            break;
        case Routine::SestavVykazXII_XIII:
            pap::SestavVykazXII_XIII(ctx, call.number, caption, noTemplate, result, nullptr);
            break;
        case Routine::SestavVykazXV:
            pap::SestavVykazXV(ctx, caption, noTemplate, nullptr, result, nullptr, false);
            break;
        case Routine::SestavVykazXVI:
            pap::SestavVykazXVI(ctx, caption, noTemplate, nullptr, result);
            break;
        default:
            break;
    }
}

bool IsStatement(Routine routine) {
    return routine >= Routine::SestavVykazI && routine <= Routine::SestavVykazXVI;
}

/// The control printouts with the code-list pickers on their masks.
void RunControlPrintout(startup::Session& s, Routine routine) {
    const ui::ListingEnvironment listing = startup::ListingEnvironmentFor(s);
    printforms::SessionPrintForms forms(s);
    const pap::CodeListEnvironment codes = CodeListEnvironmentFor(s, listing, &forms);
    control::ControlEnvironment env = control::ControlEnvironmentFor(s);
    env.pickAnalytics = [&codes](Text& value) {
        return pap::VyberPAPproVykazy(codes, value) ? ui::PickResult::Chosen : ui::PickResult::None;
    };
    env.pickCode = [&codes](Text& value) {
        return pap::VyberPAP_Kod(codes, value) ? ui::PickResult::Chosen : ui::PickResult::None;
    };
    if (routine == Routine::KontrolniVypis)
        control::ControlAccountStatement(env);
    else
        control::ControlBreakdown(env);
}

}  // namespace

Text NotAvailableText() {
    return "Funkce zatím není k dispozici."_t;
}

bool RoutineAvailable(Routine /*routine*/) {
    // Every routine of the menu is built; a routine added to the menu before its
    // function is listed here and says so when chosen.
    return true;
}

void RunRoutine(startup::Session& s, const RoutineCall& call, const Text& caption) {
    if (IsStatement(call.routine)) {
        RunStatement(s, call, caption);
        return;
    }
    if (IsCodeListRoutine(call.routine)) {
        RunCodeListWindow(s, call.routine);
        return;
    }
    switch (call.routine) {
        case Routine::XmlCast:
            xml::ExportStatementXml(xml::MakeXmlExportContext(s), nullptr, false, {}, call.number);
            return;
        case Routine::XmlSouhrnDavka: {
            xml::XmlExportContext xmlCtx = xml::MakeXmlExportContext(s);
            ConnectBatchForms(xmlCtx, s);
            pap::StatementContext statements = StatementContextFor(s);
            // "Zobrazit výkazy k tisku": each statement is shown through its print form.
            ConnectStatementPrinting(statements, s);
            xml::BatchSummaryXml(xmlCtx, statements);
            return;
        }
        case Routine::XmlSehrani:
        case Routine::XmlSehrani_2013:
            // The summary follows the methodology of the context's fiscal year.
            xml::BuildSummaryXml(xml::MakeXmlExportContext(s), {}, {}, false);
            return;
        case Routine::KontrolaUcetnichZaznamu:
            control::CheckAccountingRecords(control::RecordCheckEnvironmentFor(s));
            return;
        case Routine::KontrolniVazby: {
            // The period the statements offer: from January to the last full quarter.
            pap::StatementContext statements = StatementContextFor(s);
            pap::KontrolaVazeb(statements, 1,
                               pap::VychoziDoMesic(statements.dialogs.ProgramDate().month,
                                                   statements.currentMonth));
            return;
        }
        case Routine::KontrolniVypis:
        case Routine::KontrolniRozklad:
            RunControlPrintout(s, call.routine);
            return;
        case Routine::DoplneniRozvrhu: {
            const pap::StatementContext statements = StatementContextFor(s);
            pap::FillChartFromPap(statements.location, s.Context(), s.Ui(), &statements.listing);
            return;
        }
        case Routine::ExterniAdresy:
            codelists::ExterniAdresy(s);
            return;
        case Routine::Konec:
            return;
        default:
            s.Ui().ShowInfo(NotAvailableText());
            return;
    }
}

}  // namespace axo::app

// The command table of axo-pap-cli: each command is a name, a line of help and a routine.
#include "Commands.h"

#include <algorithm>
#include <ostream>

#include "AddressCommands.h"
#include "AdminCommands.h"
#include "BrowseCommands.h"
#include "CodeListCommands.h"
#include "ControlCommands.h"
#include "ControlPrintCommands.h"
#include "DataCommands.h"
#include "FormsCommands.h"
#include "RegistryCommands.h"
#include "StartupCommands.h"
#include "StatementCommands.h"
#include "StatementSetCommands.h"
#include "TemplateCommands.h"
#include "XmlCommands.h"
#include "util/Text.h"
#include "util/Version.h"

namespace axo::cli {

namespace {

/// A line of the help: how the command or option is written and what it does.
struct Entry {
    const char* usage;
    const char* help;
};

struct Command {
    const char* name;
    const char* usage;
    const char* help;
    int (*run)(const Options& options, std::ostream& out, std::ostream& err);
};

int RunVersion(const Options&, std::ostream& out, std::ostream&) {
    out << "AXO_PAP " << ToUtf8(ProgramVersionText()) << " (sestavení " << BuildVersion() << ")\n";
    return 0;
}

int RunHelp(const Options&, std::ostream& out, std::ostream&);

const Command kCommands[] = {
    {"help", "help", "tato nápověda", RunHelp},
    {"version", "version", "verze programu", RunVersion},
    {"init", "init ADRESÁŘ --year RRRR",
     "založí prázdnou instalaci (roky RRRR-1 a RRRR; volby --user, --password, --supervisor, "
     "--firm, --ico, --force; bez nich uživatel UCETNI s heslem ucetni, heslo správce spravce; "
     "--engine postgresql --db \"service=JMÉNO\" uloží tabulky na databázový server)",
     RunInit},
    {"info", "info", "spustí program v instalaci a vypíše informace o systému", RunInfo},
    {"migrate", "migrate --to postgresql|sqlite --db \"service=JMÉNO\"",
     "přesune všechny tabulky instalace na databázový server nebo zpět do souborů (vše, nebo nic; "
     "původní tabulky zůstanou)",
     RunMigrate},
    {"admin", "admin AKCE",
     "správa instalace s heslem správce: status, clear-crash JMÉNO, logout JMÉNO [--force], "
     "rebuild TABULKA|--all",
     RunAdmin},
    {"import-upap", "import-upap SOUBOR",
     "číselník PAP z UPAP.txt či UPAP_04..09 (--replace nahradí neprázdný)", RunImportUpap},
    {"import-ukod", "import-ukod SOUBOR",
     "číselník kódů transakce z UKod.txt (--replace nahradí neprázdný)", RunImportUkod},
    {"fill-chart", "fill-chart", "doplnění údajů pro PAP do účtového rozvrhu", RunFillChart},
    {"import-chart", "import-chart SOUBOR.csv", "účty účtového rozvrhu z CSV", RunImportChart},
    {"import-journal", "import-journal SOUBOR.csv",
     "doklady z CSV (--replace, --strict odmítne nevyvážené)", RunImportJournal},
    {"demo-install", "demo-install ADRESÁŘ", "ukázková instalace (--lines, --seed)",
     RunDemoInstall},
    {"statement", "statement N",
     "sestaví výkaz N (--from M, --to M, --csv SOUBOR, --template F; výkaz 11: --margin "
     "ANALYTIKA/PARTNER=MARŽE, opakovatelně; sestava předlohou F do --pdf, --png, --svg, "
     "--html, --rtf, --emf, --wmf, --txt, --layout, --print; řádky a protokoly do --odt, "
     "--xlsx, e-mailem --mail ADRESA [--subject, --message])",
     RunStatement},
    {"statements", "statements",
     "sestaví všechny výkazy roku v jednom průchodu doklady (--from M, --to M, --csv-dir "
     "ADRESÁŘ: výkazN.csv)",
     RunStatements},
    {"crosscheck", "crosscheck",
     "kontrolní vazby mezi částmi PAP (--from M, --to M; při rozdílu končí kódem 1)",
     RunCrosscheck},
    {"check", "check",
     "kontrola účetních záznamů (--from M, --to M, --kind MASKA, --number MASKA, --odt, --xlsx, "
     "--mail)",
     RunCheck},
    {"control-statement", "control-statement",
     "kontrolní výpis z účtu (--from M, --to M, --analytics, --code, --partner1, --partner2, --su, "
     "--ae MASKA, --skip-without-analytics, --no-code-totals, --odt, --xlsx, --mail)",
     RunControlStatement},
    {"control-breakdown", "control-breakdown",
     "kontrolní rozklad výkazu IV až IX (--statement N, --layout 0|1|2, --from M, --to M, "
     "--analytics, --code, --su, --ae MASKA, --odt, --xlsx, --mail)",
     RunControlBreakdown},
    {"xml", "xml N", "výkaz N do XML pro CSÚIS (--from M, --to M, volby dialogu XML)", RunXml},
    {"xml14", "xml14", "výkaz XIV z PAP_CastXIV.csv do XML (volby dialogu XML)", RunXml14},
    {"xml17", "xml17", "výkaz XVII z PAP_CastXVII.csv do XML (volby dialogu XML)", RunXml17},
    {"summary", "summary", "sehrání výkazů I až IX do PAP_souhrn.xml (volby dialogu XML)",
     RunSummary},
    {"batch", "batch", "dávkové generování PAP_souhrn.xml (--month M, volby dialogu XML)",
     RunBatch},
    {"template", "template check|normalize", "kontrola předlohy sestavy (.pts), přepis předlohy",
     RunTemplate},
    {"forms", "forms list|import|export|print", "tiskové formuláře: seznam, import, export a tisk",
     RunForms},
    {"codes", "codes pap|transactions AKCE",
     "číselník PAP pro výkazy či kódů transakce: list [--order N], add KÓD, edit KÓD, delete KÓD "
     "(pap: --popis, --vykazy 1,15, --radek, --partner 0|T|AP, --partner2, --kod, --konsolidace, "
     "--bez-obratu 0|1, --md, --dal, --md-netestp, --dal-netestp, --sa NOVÝ; transactions: "
     "--nazev, --partner 0|1, --dva-partneri 0|1, --novy-kod)",
     RunCodes},
    {"chart", "chart list|edit SU/AE",
     "účtový rozvrh: seznam (--order N), oprava účtu (--stat-anal KÓD převezme údaje kódu PAP; "
     "--kod, --partner 0|T|AP, --partner2, --vykazy, --povaha, --cinnost, --nazev, --cizi-nazev, "
     "--saldo, --mena)",
     RunChart},
    {"browse", "browse TABULKA",
     "stránka tabulky doklady, rozvrh, pap či kody (--order N, --start TEXT, --keys \"CtrlEnd "
     "PageUp\", --find TEXT, --whole-words)",
     RunBrowse},
    {"addresses", "addresses AKCE",
     "číselník externích adres: list, show, add, edit, next-classification, export, import, "
     "import-csv",
     RunAddresses},
    {"registry", "registry vat|ares|unreliable",
     "registry: ověření plátců DPH (vat DIČ... nebo --addresses), adresa z ARES (ares IČO), "
     "seznam nespolehlivých plátců (unreliable [--addresses] [--details])",
     RunRegistry},
};

/// The options every command takes, as the help lists them.
const Entry kGlobalOptions[] = {
    {"--help", "tato nápověda"},
    {"--version", "verze programu"},
    {"--home ADRESÁŘ",
     "instalace (jinak AXO_HOME, jinak cesta v ~/.config/axo-pap/home či /etc/axo-pap/home, "
     "jinak adresář programu)"},
    {"--user JMÉNO", "uživatel, jemuž heslo patří"},
    {"--password HESLO", "heslo (jinak proměnná prostředí AXO_PASSWORD)"},
    {"--station ČÍSLO", "stanice zákazníka víceklientské instalace"},
    {"--year KÓD", "hospodářský rok (kód cesty, např. 2024)"},
    {"--date D.M.RRRR", "datum pro program (jinak dle roku, jinak dnešní)"},
    {"--output ADRESÁŘ",
     "kam se zapisují protokoly a opisy (jinak vystupy/ v instalaci); jméno dává příkaz a období "
     "(vykaz1-01-12-protokol.txt, kontrola-01-12.txt), starší soubor se nepřepíše: nový dostane "
     "číslo (kontrola-01-12-2.txt)"},
    {"--wait SEKUNDY",
     "jak dlouho čekat na soubor zamčený jinou stanicí (jinak 60, 0 bez omezení)"},
};

/// A help line: the usage padded to a column by characters, not bytes (usages hold Czech
/// letters), then the text.
void HelpLine(std::ostream& out, const char* written, const char* help) {
    std::string usage = written;
    const auto characters = static_cast<std::size_t>(
        std::count_if(usage.begin(), usage.end(), [](char ch) { return (ch & 0xC0) != 0x80; }));
    usage.append(characters < 28 ? 28 - characters : 0, ' ');
    out << "  " << usage << " " << help << "\n";
}

/// The help as a table for the build, which makes the manual page and the shell completion
/// from it: "command", "option" and "flag" lines with tab-separated fields.
void HelpTable(std::ostream& out) {
    for (const Command& c : kCommands)
        out << "command\t" << c.name << "\t" << c.usage << "\t" << c.help << "\n";
    for (const Entry& e : kGlobalOptions)
        out << "option\t" << e.usage << "\t" << e.help << "\n";
    for (const std::string& flag : FlagNames())
        out << "flag\t--" << flag << "\n";
    std::string dialog = XmlDialogOptionsHelp();
    std::replace(dialog.begin(), dialog.end(), '\n', ' ');
    out << "dialog\tvolby dialogu XML\t" << dialog << "\n";
}

int RunHelp(const Options& options, std::ostream& out, std::ostream&) {
    if (options.Has("table")) {
        HelpTable(out);
        return 0;
    }
    out << "axo-pap-cli - POMOCNÝ ANALYTICKÝ PŘEHLED bez okna\n\n"
           "Použití: axo-pap-cli [globální volby] příkaz [argumenty a volby]\n\n"
           "Příkazy:\n";
    for (const Command& c : kCommands)
        HelpLine(out, c.usage, c.help);
    out << "\nGlobální volby:\n";
    for (const Entry& e : kGlobalOptions)
        HelpLine(out, e.usage, e.help);
    out << "\n" << XmlDialogOptionsHelp();
    return 0;
}

}  // namespace

std::vector<std::string> FlagNames() {
    return {"help",
            "version",
            "force",
            "replace",
            "strict",
            "csv-only",
            "all",
            "whole-words",
            "skip-without-analytics",
            "no-code-totals",
            "print",
            "renumber",
            "recreate",
            "overwrite",
            "with-notes",
            "addresses",
            "details",
            "table"};
}

int RunCommand(const Options& options, std::ostream& out, std::ostream& err) {
    if (options.Has("version"))
        return RunVersion(options, out, err);
    if (options.Has("help"))
        return RunHelp(options, out, err);
    if (options.Positional().empty()) {
        RunHelp(options, err, err);
        return 2;
    }
    const std::string& name = options.Positional().front();
    for (const Command& c : kCommands)
        if (name == c.name)
            return c.run(options, out, err);
    err << "Neznámý příkaz \"" << name << "\". Seznam příkazů vypíše axo-pap-cli --help.\n";
    return 2;
}

}  // namespace axo::cli

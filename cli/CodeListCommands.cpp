// The code-list commands: the options turned into the attributes of a record, and the record
// written through the window of its list, whose checks and messages the desktop's editor has.
#include "CodeListCommands.h"

#include <functional>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "CliSession.h"
#include "CliUi.h"
#include "app/CodeListCommands.h"
#include "pap/CodeListLines.h"
#include "pap/FillChart.h"
#include "pap/a_FiKody.h"
#include "pap/a_FiRozv.h"
#include "pap/a_Fi_PAP.h"
#include "startup/SessionListing.h"
#include "util/Retezce.h"

namespace axo::cli {

namespace {

constexpr const char* kCodesUsage =
    "codes pap|transactions list [--order N] | add KÓD ... | edit KÓD ... | delete KÓD";
constexpr const char* kChartUsage = "chart list [--order N] | chart edit SU/AE ...";

const std::vector<std::string> kPapOptions = {
    "popis",      "vykazy", "radek", "partner",    "partner2",    "kod", "konsolidace",
    "bez-obratu", "md",     "dal",   "md-netestp", "dal-netestp", "sa"};
const std::vector<std::string> kKodOptions = {"nazev", "partner", "dva-partneri", "novy-kod"};
const std::vector<std::string> kChartOptions = {"stat-anal",  "kod",    "partner", "partner2",
                                                "vykazy",     "povaha", "cinnost", "nazev",
                                                "cizi-nazev", "saldo",  "mena"};

/// A refusal of an option's value, with its Czech message.
struct BadValue {
    std::string message;
};

/// "1"/"ano" or "0"/"ne".
bool Switch(const Options& options, const std::string& name) {
    const std::string v = *options.Get(name);
    if (v == "1" || v == "ano")
        return true;
    if (v == "0" || v == "ne")
        return false;
    throw BadValue{"Volba --" + name + " čeká 1 (ano) nebo 0 (ne), ne \"" + v + "\"."};
}

/// Sets the flag of a boolean option that was given.
template <class Flag>
void SetSwitch(const Options& options, const std::string& name, Flag& flag) {
    if (options.Has(name))
        flag = Switch(options, name) ? 1 : 0;
}

/// A list of numbers "1,15" (empty: none) within first..last; every flag of `flags` (numbered
/// from `first`) is set to whether its number is listed.
template <class Flag>
void SetList(const Options& options, const std::string& name, Flag (&flags)[20], int first,
             int last) {
    if (!options.Has(name))
        return;
    std::vector<int> numbers;
    std::istringstream in(*options.Get(name));
    for (std::string word; std::getline(in, word, ',');) {
        const std::optional<int> n = Options::WholeNumber(word);
        if (!n || *n < first || *n > last)
            throw BadValue{"Volba --" + name + " čeká čísla " + std::to_string(first) + " až " +
                           std::to_string(last) + " oddělená čárkou, ne \"" + *options.Get(name) +
                           "\"."};
        numbers.push_back(*n);
    }
    for (int i = 0; i < 20; ++i)
        flags[i] = 0;
    for (int n : numbers)
        if (n - first < 20)
            flags[n - first] = 1;
}

Text TextOption(const Options& options, const std::string& name) {
    return FromUtf8(*options.Get(name));
}

/// --partner 0 (no duty), T (partner of the transaction) or AP (of the asset or liability).
template <class Record>
void SetPartner(const Options& options, Record& r) {
    if (!options.Has("partner"))
        return;
    const std::string v = *options.Get("partner");
    if (v != "0" && v != "T" && v != "AP")
        throw BadValue{
            "Volba --partner čeká 0, T (partner transakce) nebo AP (partner "
            "aktiv/pasiv), ne \"" +
            v + "\"."};
    r.PARTNER = v == "0" ? 0 : 1;
    r.CojePartner = v == "AP" ? 1 : 0;
}

void ApplyPap(const Options& o, pap::tVetaUAPV& r) {
    if (o.Has("sa"))
        r.STAT_ANAL = TextOption(o, "sa");
    if (o.Has("popis"))
        r.POPIS = TextOption(o, "popis");
    SetList(o, "vykazy", r.VYKAZY, 1, 17);
    if (o.Has("radek")) {
        const std::optional<int> row = Options::WholeNumber(*o.Get("radek"));
        if (!row || *row < 0 || *row > 9999)
            throw BadValue{"Volba --radek čeká číslo řádku 0 až 9999."};
        r.RADEK = static_cast<pap::Word>(*row);
    }
    SetPartner(o, r);
    SetSwitch(o, "partner2", r.PARTNER2);
    SetSwitch(o, "kod", r.KOD);
    SetSwitch(o, "konsolidace", r.Konsolidace);
    SetSwitch(o, "bez-obratu", r.X_BezObratu);
    SetList(o, "md", r.MD, 1, 20);
    SetList(o, "dal", r.DAL, 51, 70);
    SetList(o, "md-netestp", r.MD_NETESTP, 1, 20);
    SetList(o, "dal-netestp", r.DAL_NETESTP, 51, 70);
}

void ApplyKod(const Options& o, pap::tVetaUKod& r, int accessLevel) {
    if (o.Has("novy-kod"))
        r.Kod = TextOption(o, "novy-kod");
    if (o.Has("nazev"))
        r.Nazev = TextOption(o, "nazev");
    SetSwitch(o, "partner", r.PARTNER2);
    if (o.Has("dva-partneri")) {
        // The editor offers this duty at the highest access level only.
        if (accessLevel < 3)
            throw BadValue{
                "Povinnost dvou partnerů transakce smí měnit jen uživatel s "
                "nejvyšší úrovní přístupu."};
        r.FILLER_STR = Switch(o, "dva-partneri") ? "1"_t : "0"_t;
    }
}

void ApplyAccount(const Options& o, pap::tVetaRozvrh& r, pap::tFileUAPV* codes) {
    if (o.Has("stat-anal")) {
        // As the picker in the editor: a code of the list gives the account its duties and
        // statements; another analytics is taken as typed.
        pap::tVetaUAPV code;
        code.STAT_ANAL = Trim(TextOption(o, "stat-anal"));
        std::int32_t n = 0;
        if (codes && !Trim(code.STAT_ANAL).empty() &&
            codes->BtFindKey(1, n, codes->MakeKey(1, &code)) && codes->GetRec(n, &code))
            pap::CopyPapAttributes(r, &code);
        else
            r.STAT_ANAL = code.STAT_ANAL;
    }
    SetSwitch(o, "kod", r.KOD);
    SetPartner(o, r);
    SetSwitch(o, "partner2", r.PARTNER2);
    SetList(o, "vykazy", r.VYKAZY, 1, 17);
    if (o.Has("povaha")) {
        const std::string v = *o.Get("povaha");
        if (v.size() != 1 || pap::NatureIndex(static_cast<std::uint8_t>(v[0])) < 0)
            throw BadValue{"Volba --povaha čeká jedno z písmen A P R N M V W Z X."};
        r.AKT_PAS = static_cast<pap::Byte>(v[0]);
    }
    if (o.Has("cinnost")) {
        const std::optional<int> kind = Options::WholeNumber(*o.Get("cinnost"));
        if (!kind || *kind < 0 || *kind > 2)
            throw BadValue{"Volba --cinnost čeká 0, 1 (hlavní) nebo 2 (hospodářská)."};
        r.PO_CINNOST = static_cast<pap::Byte>(*kind);
    }
    if (o.Has("nazev"))
        r.NAZ_UCT = TextOption(o, "nazev");
    if (o.Has("cizi-nazev"))
        r.CIZI_NAZEV_UCTU = TextOption(o, "cizi-nazev");
    SetSwitch(o, "saldo", r.SALDO);
    if (o.Has("mena"))
        r.MENA = TextOption(o, "mena");
}

/// The session, the code-list environment and the window of one list, opened for `work`.
template <class Window>
int WithWindow(const Options& options, std::ostream& err,
               const std::function<bool(Window&, startup::Session&)>& work) {
    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    startup::Session& session = *opened.session;
    const ui::ListingEnvironment listing = startup::ListingEnvironmentFor(session);
    const pap::CodeListEnvironment env = app::CodeListEnvironmentFor(session, listing, nullptr);
    bool done = false;
    {
        Window window(env);
        if (window.OtevriData()) {
            done = work(window, session);
            window.ZavriData();
        } else {
            err << "Číselník nelze otevřít.\n";
        }
    }
    CloseSession(session);
    return done ? 0 : 1;
}

/// Prints the list in key order `k`: the header, then a line per record, blanks at the end
/// cut.
template <class File, class Record, class LineOf>
void PrintList(File& file, int k, const Text& header, std::ostream& out, LineOf lineOf) {
    out << ToUtf8(TrimRight(header)) << "\n";
    std::int32_t n = 0;
    Text key;
    Record record;
    file.BtClearKey(k);
    while (file.BtNextKey(k, n, key))
        if (file.GetRec(n, &record))
            out << ToUtf8(TrimRight(lineOf(record, n))) << "\n";
}

/// The key order of --order within 1..keys; false after the message.
bool OrderOf(const Options& options, int keys, int& k, std::ostream& err) {
    k = options.GetInt("order").value_or(1);
    if (k >= 1 && k <= keys)
        return true;
    err << "Volba --order čeká číslo třídění 1 až " << keys << ".\n";
    return false;
}

bool OnlyKnown(const Options& options, const std::vector<std::string>& own, std::ostream& err) {
    std::vector<std::string> known = SessionOptionNames();
    known.insert(known.end(), own.begin(), own.end());
    known.insert(known.end(), {"order", "help", "version"});
    const std::vector<std::string> unknown = options.Unknown(known);
    for (const std::string& name : unknown)
        err << "Neznámá volba --" << name << ".\n";
    return unknown.empty();
}

/// list, add, edit and delete over one list of codes keyed by a text (key 1).
template <class Window, class Record>
int RunCodeList(const Options& options, std::ostream& out, std::ostream& err, int keys,
                const std::function<Text()>& header,
                const std::function<Text(const Record&)>& lineOf,
                const std::function<void(Record&, const Text& key)>& setKey,
                const std::function<void(const Options&, Record&, int accessLevel)>& apply) {
    const std::vector<std::string>& words = options.Positional();
    const std::string action = words.size() > 2 ? words[2] : "";
    const bool keyed = action == "add" || action == "edit" || action == "delete";
    if ((action != "list" && !keyed) || words.size() != (keyed ? 4u : 3u)) {
        err << "Použití: axo-pap-cli " << kCodesUsage << "\n";
        return 2;
    }
    int order = 1;
    if (!OrderOf(options, keys, order, err))
        return 2;
    const Text key = FromUtf8(keyed ? words[3] : "");
    return WithWindow<Window>(options, err, [&](Window& w, startup::Session& s) {
        if (action == "list") {
            PrintList<decltype(w.Table()), Record>(
                w.Table(), order, header(), out,
                [&](const Record& r, std::int32_t) { return lineOf(r); });
            return true;
        }
        Record record;
        setKey(record, key);
        std::int32_t n = 0;
        const bool found = w.Najdi(1, w.Table().MakeKey(1, &record), record, n);
        if (action == "add" && found) {
            err << "Kód " << ToUtf8(key) << " v číselníku již je.\n";
            return false;
        }
        if (action != "add" && !found) {
            err << "Kód " << ToUtf8(key) << " v číselníku není.\n";
            return false;
        }
        if (action == "delete") {
            if (!w.ZrusBezDialogu(n))
                return false;
            out << "Kód " << ToUtf8(key) << " je zrušen.\n";
            return true;
        }
        if (action == "add") {
            record = Record{};
            setKey(record, key);
            n = 0;
        }
        try {
            apply(options, record, s.AccessLevel());
        } catch (const BadValue& bad) {
            err << bad.message << "\n";
            return false;
        }
        if (!w.UlozBezDialogu(record, n))
            return false;
        out << ToUtf8(TrimRight(lineOf(record))) << "\n";
        return true;
    });
}

}  // namespace

int RunCodes(const Options& options, std::ostream& out, std::ostream& err) {
    const std::vector<std::string>& words = options.Positional();
    const std::string list = words.size() > 1 ? words[1] : "";
    if (list == "pap") {
        if (!OnlyKnown(options, kPapOptions, err))
            return 2;
        return RunCodeList<pap::tAktualizaceFilePAPproVykazy, pap::tVetaUAPV>(
            options, out, err, 3, pap::PapCodeHeader,
            [](const pap::tVetaUAPV& r) { return pap::PapCodeLine(r); },
            [](pap::tVetaUAPV& r, const Text& key) { r.STAT_ANAL = key; },
            [](const Options& o, pap::tVetaUAPV& r, int) { ApplyPap(o, r); });
    }
    if (list == "transactions") {
        if (!OnlyKnown(options, kKodOptions, err))
            return 2;
        return RunCodeList<pap::tAktualizaceFilePAP_Kody, pap::tVetaUKod>(
            options, out, err, 2, pap::TransactionCodeHeader,
            [](const pap::tVetaUKod& r) { return pap::TransactionCodeLine(r); },
            [](pap::tVetaUKod& r, const Text& key) { r.Kod = key; }, ApplyKod);
    }
    err << "Použití: axo-pap-cli " << kCodesUsage << "\n";
    return 2;
}

int RunChart(const Options& options, std::ostream& out, std::ostream& err) {
    if (!OnlyKnown(options, kChartOptions, err))
        return 2;
    const std::vector<std::string>& words = options.Positional();
    const std::string action = words.size() > 1 ? words[1] : "";
    pap::Word synthetic = 0;
    pap::Word analytic = 0;
    if (action == "edit" && words.size() == 3) {
        const std::size_t slash = words[2].find('/');
        const auto su = Options::WholeNumber(words[2].substr(0, slash));
        const auto ae = slash == std::string::npos
                            ? std::optional<int>(0)
                            : Options::WholeNumber(words[2].substr(slash + 1));
        if (!su || !ae || *su < 0 || *su > 999 || *ae < 0 || *ae > 999) {
            err << "Účet se zadává jako SU/AE, např. 501/100.\n";
            return 2;
        }
        synthetic = static_cast<pap::Word>(*su);
        analytic = static_cast<pap::Word>(*ae);
    } else if (action != "list" || words.size() != 2) {
        err << "Použití: axo-pap-cli " << kChartUsage << "\n";
        return 2;
    }
    int order = 1;
    if (!OrderOf(options, 3, order, err))
        return 2;
    using Window = pap::tAktualizaceUcRozvrhu;
    return WithWindow<Window>(options, err, [&](Window& w, startup::Session&) {
        const int kind = w.Env().location.unitKind;
        if (action == "list") {
            PrintList<pap::tFileRozvrh, pap::tVetaRozvrh>(
                w.Table(), order, pap::ChartHeader(kind), out,
                [&](const pap::tVetaRozvrh& r, std::int32_t n) {
                    return pap::ChartLine(r, w.PoznamkaZaznamu(n), kind);
                });
            return true;
        }
        pap::tVetaRozvrh record;
        record.SE = synthetic;
        record.AE = analytic;
        std::int32_t n = 0;
        if (!w.Najdi(1, w.Table().MakeKey(1, &record), record, n)) {
            err << "Účet " << words[2] << " v účtovém rozvrhu není.\n";
            return false;
        }
        pap::tFileUAPV codes(*w.Env().data, w.Env().location);
        const bool codesOpen = codes.InitFile(1, storage::_NoWait);
        try {
            ApplyAccount(options, record, codesOpen ? &codes : nullptr);
        } catch (const BadValue& bad) {
            err << bad.message << "\n";
            if (codesOpen)
                codes.CloseFile();
            return false;
        }
        if (codesOpen)
            codes.CloseFile();
        // The note stays as it is.
        w.NastavPoznamku(w.PoznamkaZaznamu(n));
        if (!w.UlozBezDialogu(record, n))
            return false;
        out << ToUtf8(TrimRight(pap::ChartLine(record, w.PoznamkaZaznamu(n), kind))) << "\n";
        return true;
    });
}

}  // namespace axo::cli

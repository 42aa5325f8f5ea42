// The statement compiler `tPAP_Vykaz`: asks for the period, opens the code lists and the
// documents of the fiscal year, accumulates the booked document lines into the work file, walks
// the PAP code list in statement order and lets the statement family fill the rows of the
// result file, lists what cannot be assigned in the error protocol, and hands the result over
// (result-file editor, XML export, report). The families override three operations.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "pap/PapData.h"
#include "pap/StatementContext.h"
#include "pap/papProtokol.h"
#include "pap/papVykazFiles.h"
#include "ui/ProgressPanel.h"
#include "util/Cisla.h"

namespace axo::pap {

/// What the caller of an entry routine passes besides the statement number.
struct VolaniVykazu {
    Text caption;                                   ///< the statement caption (menu item)
    Text templateName;                              ///< empty from the menu
    ui::ProgressPanel* externalProgress = nullptr;  ///< a caller's panel: no printing
    const XmlExportParams* batchParams = nullptr;   ///< the batch run's parameter block
    bool batch = false;
    /// Months of the fiscal year the caller gives (first, last): no period dialog, no XML.
    int odMesic = 0;
    int doMesic = 0;
};

/// A document line of the accumulation pass with its place in the account order: lines are
/// read in storage order, and where the order matters (the first line of a work record, the
/// order of the protocol lines) the account key decides, then the record number.
class RadekPruchodu {
  public:
    RadekPruchodu(tFileUDPO& file, const tVetaUDPO& radek, std::int32_t n)
        : file_(file), radek_(radek), n_(n) {}
    const tVetaUDPO& Radek() const { return radek_; }
    std::int32_t Cislo() const { return n_; }
    /// The account key of the line as the index compares it (made on first use).
    const std::string& Klic() const;

  private:
    tFileUDPO& file_;
    const tVetaUDPO& radek_;
    std::int32_t n_;
    mutable std::string klic_;
};

/// The place of a line in the account order, kept with what it decided.
struct PoradiRadku {
    std::string klic;
    std::int32_t n = 0;
    /// Whether the line `r` comes before this place in the account order.
    bool Za(const RadekPruchodu& r) const;
};

/// Why a document line goes into the error protocol.
enum class DuvodChyby {
    UcetChybi,  ///< the account does not exist
    Nezadana,   ///< the account has no analytics: "nezad."
    Analytika,  ///< the analytics is no code, or a sum code: "neex." or "součet"
    Partner,    ///< a partner or transaction code is missing or wrong
};

class tPAP_Vykaz {
  public:
    tPAP_Vykaz(StatementContext& ctx, int cisloVykazu, const VolaniVykazu& volani);
    /// Deletes the work file and a result file that was not handed over.
    virtual ~tPAP_Vykaz();
    tPAP_Vykaz(const tPAP_Vykaz&) = delete;
    tPAP_Vykaz& operator=(const tPAP_Vykaz&) = delete;

    /// Runs the statement: the period and the tables, the accumulation of the document lines
    /// in a pass of its own, then the rows and the output (`Sestav`); true when it compiled
    /// to its end.
    bool Zpracuj();
    /// Fills the amount columns of `oVeta_Zorvi` for the current PAP code row.
    virtual void PodejSloupceDo_oVeta_Zorvi() {}
    /// The template-kind mask of the statement (filters the report templates).
    virtual Word PodejDruhPts() = 0;
    /// Adapts the result file to the chosen template before printing.
    virtual void UpravZorviFile(const Text& templateName);

    int CisloVykazu() const { return oCisloVykazu; }
    StatementContext& Context() const { return ctx_; }
    const Text& ProcessName() const { return processName_; }
    /// With a caller's progress panel: the result file's full name after a successful run.
    const Text& ResultText() const { return resultText_; }
    void SetSubtitle(const Text& subtitle) { subtitle_ = subtitle; }
    /// The process name shown in the status bar and the result header.
    void SetProcessName(const Text& name) { processName_ = name; }

    /// The run up to the accumulation: the period (dialog or batch block) and the tables;
    /// false when cancelled or a table cannot be opened (what was opened is closed again).
    bool Priprav();
    /// The run after the accumulation: the accumulation's protocol, the rows of the result
    /// (run procedure A by default) and the output; the tables are closed at the end.
    bool Dokonci();
    /// Closes the tables of a prepared run that goes no further.
    void ZavriTabulky() { ZavriSoubory(); }

  protected:
    friend bool KumulujSpolecne(std::span<tPAP_Vykaz* const> vykazy, bool poradiUctu);

    /// The rows and the output after the accumulation: run procedure A, B or C.
    virtual bool Sestav() { return SestavA(); }

    // ---- Run procedures and their steps -----------------------------------------------------
    bool SestavA();
    bool SestavB();
    /// The period dialog (or the batch block's date); false when cancelled.
    bool NactiObdobi();
    bool OtevriSoubory();
    void ZavriSoubory();
    /// The accumulation, fed line by line by the pass: started, one line, finished (the
    /// work file written, the protocol lines in account order), or dropped after an abort.
    void ZacniKumulaci();
    void KumulujRadekPruchodu(const RadekPruchodu& radek);
    void DokonciKumulaci();
    void ZrusKumulaci();
    /// A protocol line about the current document line `oVetaUD` (only lines of the period
    /// or of the opening balances are reported).
    void ZapisChybu(DuvodChyby duvod, bool soucet = false);
    void PredejVysledek();
    /// Steps 7 and 8 of the run procedures: the caller's result or the hand-over.
    void Vystup();

    // ---- Helpers for the families --------------------------------------------------------
    /// The methodology from 2014 (X and XI): by the fiscal year unless the family fixes it.
    virtual bool Od2014() const { return ctx_.fiscalYear > 2013; }
    StatementKind Kind() const { return {oCisloVykazu, Od2014()}; }
    /// The header of every result row (statement, caption, period, closing date).
    void VyplnHlavicku();
    /// Appends `oVeta_Zorvi` to the result file.
    void PridejVetuZorvi();
    /// Appends a row with only the header filled.
    void PridejPrazdnouVetu();
    /// The record numbers of the result file in the order of `order` (0 record numbers, 1 its
    /// key): a pass that rewrites rows walks this list.
    std::vector<std::int32_t> CislaVetZorvi(int order);
    /// Visits the work records whose key begins with the key text of `prefix` (width
    /// `width`), in key order; `visit` gets each record.
    void ProjdiWork(const Text& prefix, std::size_t width,
                    const std::function<void(const tVetaWork&)>& visit);
    /// The work record of the analytics alone (statements keyed by it); false when none.
    bool NajdiWork(const Text& sa, tVetaWork& veta);
    /// A progress panel of the run (the caller's when given): false when aborted.
    class Postup;
    /// Where the error protocol is, created on first use; none when it cannot be made.
    tChybovyProtokol* Protokol();
    /// Shows the protocol (unless in batch or for a caller's panel) and drops it.
    void UkazProtokol();
    bool ExterniPostup() const { return externalProgress_ != nullptr; }

    StatementContext& ctx_;
    ui::ProgressPanel* externalProgress_ = nullptr;
    Text templateName_;
    Text resultText_;
    int oCisloVykazu = 0;
    Text processName_;
    Text subtitle_;
    Word OdMesic = 0;
    Word DoMesic = 0;
    Word Rok = 0;
    std::int32_t obdobiOd_ = 0;
    std::int32_t obdobiDo_ = 0;
    std::unique_ptr<tChybovyProtokol> protokol_;
    std::unique_ptr<tFileZorvi> zorvi_;
    std::unique_ptr<tFileWork> work_;
    std::unique_ptr<DocumentTables> doklady_;
    std::unique_ptr<CodeLists> ciselniky_;
    bool ciselnikyOtevreny_[3] = {false, false, false};
    tVetaUDPO oVetaUD;
    tVetaRozvrh oVetaRozvrh;  ///< the account of the lines being accumulated
    tVetaWork oVetaWork;
    tVetaUAPV oVetaPAP;
    tVeta_Zorvi oVeta_Zorvi;
    bool xmlRequested_ = false;
    bool batch_ = false;
    bool editRequested_ = false;
    XmlExportParams batchParams_{};
    bool editButton_ = false;  ///< the period dialog offers "Editovat" (XI from 2014)
    int danyOd_ = 0;           ///< the caller's period (0: none)
    int danyDo_ = 0;

  private:
    /// What the first counted line of an account decided about the account.
    struct UcetStav {
        bool prijat = false;
        bool protokolovat = false;  ///< a rejected account's lines go to the protocol
        DuvodChyby duvod = DuvodChyby::UcetChybi;
        bool soucet = false;
        Text saKlic;  ///< the analytics as a key text
    };
    /// An account met by the accumulation, with the chart record and PAP code its lines use.
    struct UcetKumulace {
        UcetStav stav;
        tVetaRozvrh rozvrh;
        tVetaUAPV pap;
    };
    struct Akumulator {
        tVetaWork veta;
        PoradiRadku prvni;  ///< the line that made the record (its partner name stands)
    };
    struct OdlozenyRadek {
        PoradiRadku poradi;
        std::size_t poradiZapisu = 0;
        RadekProtokolu radek;
    };

    bool DialogObdobi();
    bool OtevriCiselniky();
    bool VytvorDocasne(std::unique_ptr<tFileWork>& work, std::unique_ptr<tFileZorvi>& zorvi);
    bool ProjdiSkupinu(int skupina);
    void ZpracujKodA(bool soucet);
    bool ProjdiKodyB();
    void PripravStavUctu(UcetStav& stav);
    void KumulujRadek(const UcetStav& stav);
    /// Whether the work records carry the partner name of a line (set by their first line).
    bool JmenoPartnera() const;
    bool PripravWork();
    bool PripravWork2014();
    bool PripravWorkXII();
    bool PripravWorkXIII();
    bool KodSPartnerem(const Text& kod);
    void Zauctuj(tVetaWork& veta, std::int32_t obdobi) const;
    void KontrolaKodu();
    Text DuvodText(DuvodChyby duvod, bool soucet) const;
    Text ZvolSablonu(bool& zvolena);
    void PredejReportu(const Text& sablona);
    void OdevzdejZorvi();

    std::unordered_map<Text, bool> kodySPartnerem_;
    /// The accumulation: the accounts met, the work records by work key, the protocol lines
    /// waiting for their place, and the line being accumulated.
    std::unordered_map<std::uint32_t, std::unique_ptr<UcetKumulace>> ucty_;
    std::unordered_map<Text, Akumulator> akumulatory_;
    std::vector<OdlozenyRadek> odlozene_;
    const RadekPruchodu* radekPruchodu_ = nullptr;
    bool zorviPredan_ = false;
    bool protokolSelhal_ = false;
};

/// A progress panel of a run: the caller's when the run has one, else its own (with STOP
/// unless in batch).
class tPAP_Vykaz::Postup {
  public:
    /// `stop` false: the pass cannot be stopped (it rewrites the result).
    Postup(tPAP_Vykaz& vykaz, int maximum, const Text& caption, bool stop = true);
    /// One step; false when the user aborted the run.
    bool Step();

  private:
    ui::ProgressPanel* external_;
    std::unique_ptr<ui::ProgressPanel> own_;
};

/// The accumulation of several prepared statements (`Priprav`) in one pass over the document
/// lines: every line is read once, in storage order (with `poradiUctu` through the account
/// index instead), and fed to each statement, which keeps its own rules and work file. The
/// result does not depend on the order. False when the pass was aborted or the lines cannot
/// be read; the statements are then left without accumulation.
bool KumulujSpolecne(std::span<tPAP_Vykaz* const> vykazy, bool poradiUctu);

/// Runs a statement object the way every entry routine does: renames the current process to
/// the trimmed caption, runs it and copies its result text on success.
bool SpustVykaz(tPAP_Vykaz& vykaz, Text& resultText);

/// The end of a run prepared and accumulated with other statements (`Dokonci`), under the
/// statement's caption as the process name; its result text on success.
bool DokonciVykaz(tPAP_Vykaz& vykaz, Text& resultText);

/// The result file a report receiver gets, opened again (record-number order); none when it
/// cannot be opened.
std::unique_ptr<tFileZorvi> OpenResultFile(const storage::DataContext& ctx,
                                           const ReportHandOver& handOver);
/// Deletes a handed-over result file with everything the table layer keeps beside it.
void DeleteResultFile(const std::filesystem::path& dataFile);

/// The fixed transaction code numbers of statements IV-IX, accepted besides 01-20 and 51-70:
/// two debit-side positions (table A) and two credit-side ones (table B); 0 is a free position.
struct PevneKody {
    int md[2] = {0, 0};
    int dal[2] = {0, 0};
};
PevneKody PevneKodyVykazu(int vykaz);
/// Whether code number `n` is one of the statement's fixed codes.
bool JePevnyKod(int vykaz, int n);

/// The last month of the default period: the end of the quarter of the program date's month
/// (`mesicData`) when the accounting period's month (`aktualniMesic`) closes a quarter or the
/// quarter is the first, else the end of the quarter before; December without a valid month.
int VychoziDoMesic(int mesicData, int aktualniMesic);
/// The number formed by the first 3 characters of an analytics (0 when they are no number).
int CisloAnalytiky(const Text& sa);
/// The code number of a transaction code: its characters 2-3 as a number (0 when none).
int CisloKodu(const Text& kod);
/// The sum a rounded amount makes with another, rounded again to 2 decimals.
inline double Pricti(double suma, double castka) {
    return Round(suma + castka, 2);
}

}  // namespace axo::pap

// The statement compiler `tPAP_Vykaz`: asks for the period, opens the code lists and the
// documents of the fiscal year, accumulates the booked document lines into the work file, walks
// the PAP code list in statement order and lets the statement family fill the rows of the
// result file, lists what cannot be assigned in the error protocol, and hands the result over
// (result-file editor, XML export, report). The families override three operations.
#pragma once

#include <functional>
#include <memory>
#include <unordered_map>

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

    /// Runs the statement (run procedure A by default); true when it compiled to its end.
    virtual bool Zpracuj();
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

  protected:
    // ---- Run procedures and their steps -----------------------------------------------------
    bool ZpracujA();
    bool ZpracujB();
    /// The period dialog (or the batch block's date); false when cancelled.
    bool NactiObdobi();
    bool OtevriSoubory();
    void ZavriSoubory();
    bool KumulujUcetniZaznamy();
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
    /// How many work records the accumulation keeps in memory at most.
    std::size_t workCacheLimit_ = 16384;

  private:
    struct UcetStav;
    class WorkCache;

    bool DialogObdobi();
    bool OtevriCiselniky();
    bool VytvorDocasne(std::unique_ptr<tFileWork>& work, std::unique_ptr<tFileZorvi>& zorvi);
    bool ProjdiSkupinu(int skupina);
    void ZpracujKodA(bool soucet);
    bool ProjdiKodyB();
    void PripravStavUctu(UcetStav& stav, const Text& klic);
    void KumulujRadek(const UcetStav& stav, WorkCache& cache);
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

/// Runs a statement object the way every entry routine does: renames the current process to
/// the trimmed caption, runs it and copies its result text on success.
bool SpustVykaz(tPAP_Vykaz& vykaz, Text& resultText);

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

// The statement compiler: construction, opening and closing the tables, run procedures A and
// B, and the helpers the statement families share.
#include "pap/papVykaz.h"

#include <span>

#include "storage/WorkFiles.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

/// Walks the PAP code list in one of its orders with one code of look-ahead.
class KodKurzor {
  public:
    KodKurzor(tFileUAPV& file, int order, const Text& start) : file_(file), order_(order) {
        key_ = start;
        std::int32_t n = 0;
        if (start.empty()) {
            file_.BtClearKey(order_);
            pending_ = file_.BtNextKey(order_, n, key_);
        } else {
            pending_ = file_.BtSearchKey(order_, n, key_);
        }
        if (pending_)
            file_.GetRec(n, &record_);
    }
    /// The next code; false at the end of the list.
    bool Next(tVetaUAPV& record, Text& key) {
        if (!Peek())
            return false;
        record = record_;
        key = key_;
        pending_ = false;
        taken_ = true;
        return true;
    }
    /// The code after the one last taken, without taking it; none at the end.
    const tVetaUAPV* Peek() {
        if (!pending_ && taken_ && !ended_) {
            std::int32_t n = 0;
            pending_ = file_.BtNextKey(order_, n, key_);
            if (pending_)
                file_.GetRec(n, &record_);
            else
                ended_ = true;
        }
        return pending_ ? &record_ : nullptr;
    }
    /// The key of the code Peek gave.
    const Text& PeekKey() const { return key_; }

  private:
    tFileUAPV& file_;
    int order_;
    tVetaUAPV record_;
    Text key_;
    bool pending_ = false;
    bool taken_ = false;
    bool ended_ = false;
};

/// The highest row number of a group of the PAP code list (0 when the group is empty).
int NejvyssiRadek(tFileUAPV& file, int skupina) {
    Text key = KeyNumber(skupina + 1, 1) + "0000"_t;
    std::int32_t n = 0;
    const bool found = file.BtSearchKey(2, n, key);
    if (!found)
        file.BtClearKey(2);
    if (!file.BtPrevKey(2, n, key) || key.empty() || key[0] != KeyNumber(skupina, 1)[0])
        return 0;
    return static_cast<int>(TextToInt(key.substr(1, 4)));
}

/// Whether the next code of the list begins with the 3 characters of a sum code.
bool ZacinaStejne(const tVetaUAPV* dalsi, const tVetaUAPV& kod) {
    return dalsi && KeyText(dalsi->STAT_ANAL, 10).substr(0, 3) == KeyText(kod.STAT_ANAL, 3);
}

/// The name of the current process for the length of a run: a pushed entry is renamed, and
/// without one an entry is pushed and popped again.
class JmenoProcesu {
  public:
    JmenoProcesu(ui::UiServices& ui, const Text& name) : ui_(ui) {
        if (ui_.ProcessDepth() > 0)
            ui_.PopProcess();
        else
            pushed_ = true;
        ui_.PushProcess(name);
    }
    ~JmenoProcesu() {
        if (pushed_)
            ui_.PopProcess();
    }
    JmenoProcesu(const JmenoProcesu&) = delete;
    JmenoProcesu& operator=(const JmenoProcesu&) = delete;

  private:
    ui::UiServices& ui_;
    bool pushed_ = false;
};

}  // namespace

// ---- Construction ----------------------------------------------------------------------------

tPAP_Vykaz::tPAP_Vykaz(StatementContext& ctx, int cisloVykazu, const VolaniVykazu& volani)
    : ctx_(ctx),
      externalProgress_(volani.externalProgress),
      templateName_(volani.templateName),
      oCisloVykazu(cisloVykazu),
      processName_(Trim(volani.caption)),
      batch_(volani.batch),
      danyOd_(volani.odMesic),
      danyDo_(volani.doMesic) {
    if (volani.batch && volani.batchParams)
        batchParams_ = *volani.batchParams;
}

tPAP_Vykaz::~tPAP_Vykaz() {
    ZavriSoubory();
    if (work_)
        work_->DeleteFile();
    if (zorvi_ && !zorviPredan_)
        zorvi_->DeleteFile();
}

bool SpustVykaz(tPAP_Vykaz& vykaz, Text& resultText) {
    JmenoProcesu jmeno(*vykaz.Context().data->ui, vykaz.ProcessName());
    const bool ok = vykaz.Zpracuj();
    if (ok)
        resultText = vykaz.ResultText();
    return ok;
}

bool DokonciVykaz(tPAP_Vykaz& vykaz, Text& resultText) {
    JmenoProcesu jmeno(*vykaz.Context().data->ui, vykaz.ProcessName());
    const bool ok = vykaz.Dokonci();
    if (ok)
        resultText = vykaz.ResultText();
    return ok;
}

tPAP_Vykaz::Postup::Postup(tPAP_Vykaz& vykaz, int maximum, const Text& caption, bool stop)
    : external_(vykaz.externalProgress_) {
    if (!external_)
        own_ = std::make_unique<ui::ProgressPanel>(vykaz.ctx_.Ui(), stop && !vykaz.batch_, maximum,
                                                   caption, vykaz.processName_);
}

bool tPAP_Vykaz::Postup::Step() {
    return own_ ? own_->Step() : external_->Step();
}

// ---- Tables -----------------------------------------------------------------------------------

bool tPAP_Vykaz::OtevriCiselniky() {
    ciselniky_ = std::make_unique<CodeLists>(*ctx_.data, ctx_.location);
    storage::tSoubor* lists[3] = {&ciselniky_->Chart(), &ciselniky_->PapCodes(),
                                  &ciselniky_->TransactionCodes()};
    for (int i = 0; i < 3; ++i) {
        const bool ok = i == 0   ? ciselniky_->OpenChart()
                        : i == 1 ? ciselniky_->OpenPapCodes()
                                 : ciselniky_->OpenTransactionCodes();
        if (!ok) {
            // A missing list is no failure of the table layer, which would have reported it.
            ctx_.Ui().ShowErrorLine(lists[i]->Title() + " ["_t + lists[i]->DataFileName() +
                                    "] nelze otevřít.\rAkce končí."_t);
            return false;
        }
        ciselnikyOtevreny_[i] = true;
    }
    return true;
}

bool tPAP_Vykaz::VytvorDocasne(std::unique_ptr<tFileWork>& work,
                               std::unique_ptr<tFileZorvi>& zorvi) {
    const storage::DataContext& data = *ctx_.data;
    const std::filesystem::path dir = data.WorkDirectoryOrCurrent();
    work =
        std::make_unique<tFileWork>(data, storage::RandomNotExistName(data, dir, "WK"_t), Kind());
    if (!work->InitFile(3, storage::_NoWait))
        return false;
    zorvi =
        std::make_unique<tFileZorvi>(data, storage::RandomNotExistName(data, dir, "WK"_t), Kind());
    if (!zorvi->InitFile(3, storage::_NoWait))
        return false;
    // Nobody else knows these files: the write locks only group the many writes of the run.
    work->BtLockFileBlock(storage::_NoWait);
    zorvi->BtLockFileBlock(storage::_NoWait);
    return true;
}

bool tPAP_Vykaz::OtevriSoubory() {
    if (DelkaKliceWork(Kind()) == 0) {
        ctx_.Ui().ShowError("Neznámý výkaz číslo "_t + IntToText(oCisloVykazu) + "!!!"_t);
        return false;
    }
    if (!OtevriCiselniky())
        return false;
    doklady_ = std::make_unique<DocumentTables>(*ctx_.data, ctx_.location);
    if (!doklady_->Open(false)) {
        doklady_.reset();
        return false;
    }
    return VytvorDocasne(work_, zorvi_);
}

void tPAP_Vykaz::ZavriSoubory() {
    if (doklady_) {
        doklady_->Close();
        doklady_.reset();
    }
    if (ciselniky_) {
        if (ciselnikyOtevreny_[0])
            ciselniky_->CloseChart();
        if (ciselnikyOtevreny_[1])
            ciselniky_->ClosePapCodes();
        if (ciselnikyOtevreny_[2])
            ciselniky_->CloseTransactionCodes();
        for (bool& open : ciselnikyOtevreny_)
            open = false;
    }
}

// ---- Run procedures -------------------------------------------------------------------------

bool tPAP_Vykaz::Zpracuj() {
    if (!Priprav())
        return false;
    tPAP_Vykaz* const jen[] = {this};
    if (!KumulujSpolecne(jen, ctx_.accountOrderPass)) {
        ZavriSoubory();
        return false;
    }
    return Dokonci();
}

bool tPAP_Vykaz::Priprav() {
    if (!NactiObdobi())
        return false;
    if (OtevriSoubory())
        return true;
    ZavriSoubory();
    return false;
}

bool tPAP_Vykaz::Dokonci() {
    // The accumulation's protocol comes before anything of the statement itself.
    UkazProtokol();
    const bool ok = Sestav();
    ZavriSoubory();
    return ok;
}

bool tPAP_Vykaz::SestavA() {
    VyplnHlavicku();
    const int skupina = oCisloVykazu == 10 ? 1 : oCisloVykazu == 11 ? 2 : oCisloVykazu;
    const bool ok = ProjdiSkupinu(skupina);
    if (ok)
        Vystup();
    return ok;
}

bool tPAP_Vykaz::ProjdiSkupinu(int skupina) {
    tFileUAPV& pap = ciselniky_->PapCodes();
    const bool xi = oCisloVykazu == 11;
    const int maximum = NejvyssiRadek(pap, skupina) + (xi ? NejvyssiRadek(pap, 3) : 0);
    Postup postup(*this, maximum, "příprava výkazu"_t);
    KodKurzor kurzor(pap, 2, KeyNumber(skupina, 1) + "0000"_t);
    Text key;
    while (kurzor.Next(oVetaPAP, key)) {
        const int digit = key[0] - '0';
        if (digit != skupina) {
            if (!(xi && skupina == 2 && digit == 3))
                break;
            skupina = 3;
        }
        if (!postup.Step())
            return false;
        bool soucet = false;
        if (TrimRight(oVetaPAP.STAT_ANAL).size() == 3) {
            const tVetaUAPV* dalsi = kurzor.Peek();
            soucet = dalsi && kurzor.PeekKey()[0] - '0' == skupina && ZacinaStejne(dalsi, oVetaPAP);
        }
        ZpracujKodA(soucet);
    }
    return true;
}

void tPAP_Vykaz::ZpracujKodA(bool soucet) {
    oVeta_Zorvi.RADEK = oVetaPAP.RADEK;
    oVeta_Zorvi.SA = oVetaPAP.STAT_ANAL;
    oVeta_Zorvi.POPIS = oVetaPAP.POPIS;
    oVeta_Zorvi.X_BezObratu = oVetaPAP.X_BezObratu;
    oVeta_Zorvi.P10 = oVetaPAP.VYKAZY[9];
    oVeta_Zorvi.P11 = oVetaPAP.VYKAZY[10];
    oVeta_Zorvi.Soucet = soucet;
    VymazSloupce(oVeta_Zorvi);
    const bool partnerske = oCisloVykazu == 10 || oCisloVykazu == 11;
    if (soucet) {
        // X and XI break rows down by partner; a sum has no partner of its own.
        if (!partnerske) {
            PodejSloupceDo_oVeta_Zorvi();
            PridejVetuZorvi();
        }
        return;
    }
    PodejSloupceDo_oVeta_Zorvi();
    if (!partnerske)
        PridejVetuZorvi();
}

namespace {

/// The fixed columns of analytics "363" in statements VI and VII, overriding the code list.
void PevneSloupce363(int vykaz, tVetaUAPV& kod) {
    static constexpr int kMdVI[] = {1, 6, 8, 9, 13, 14, 19, 20};
    static constexpr int kDalVI[] = {51, 56, 58, 59, 63, 64, 65, 66, 67, 69, 70};
    static constexpr int kMdVII[] = {1, 8, 9, 14, 15, 19, 20};
    static constexpr int kDalVII[] = {51, 58, 59, 64, 65, 69, 70};
    for (int i = 0; i < 20; ++i)
        kod.MD[i] = kod.MD2[i] = kod.DAL[i] = kod.DAL2[i] = 0;
    const std::span<const int> md = vykaz == 6 ? std::span<const int>(kMdVI) : kMdVII;
    const std::span<const int> dal = vykaz == 6 ? std::span<const int>(kDalVI) : kDalVII;
    for (int n : md)
        kod.MD[n - 1] = 1;
    for (int n : dal)
        kod.DAL[n - 51] = 1;
}

}  // namespace

bool tPAP_Vykaz::SestavB() {
    VyplnHlavicku();
    const bool ok = ProjdiKodyB();
    if (ok) {
        if (!ExterniPostup())
            UkazProtokol();
        Vystup();
    }
    return ok;
}

bool tPAP_Vykaz::ProjdiKodyB() {
    tFileUAPV& pap = ciselniky_->PapCodes();
    Postup postup(*this, pap.BtUsedRecs(), "příprava výkazu"_t);
    KodKurzor kurzor(pap, 1, {});
    Text key;
    while (kurzor.Next(oVetaPAP, key)) {
        if (!postup.Step())
            return false;
        if (!oVetaPAP.VYKAZY[oCisloVykazu - 1])
            continue;
        if ((oCisloVykazu == 6 || oCisloVykazu == 7) && TrimRight(oVetaPAP.STAT_ANAL) == "363"_t)
            PevneSloupce363(oCisloVykazu, oVetaPAP);
        oVeta_Zorvi.RADEK = oVetaPAP.RADEK;
        oVeta_Zorvi.SA = oVetaPAP.STAT_ANAL;
        oVeta_Zorvi.POPIS = oVetaPAP.POPIS;
        oVeta_Zorvi.Soucet = TrimRight(oVetaPAP.STAT_ANAL).size() == 3;
        oVeta_Zorvi.X_BezObratu = oVetaPAP.X_BezObratu;
        oVeta_Zorvi.P24 = oVetaPAP.PARTNER && oVetaPAP.Konsolidace == 1;
        VymazSloupce(oVeta_Zorvi);
        VymazSpecialniSloupce(oVeta_Zorvi);
        if (oCisloVykazu == 16) {
            PodejSloupceDo_oVeta_Zorvi();
            continue;
        }
        if (oVeta_Zorvi.Soucet)
            oVeta_Zorvi.Soucet = ZacinaStejne(kurzor.Peek(), oVetaPAP);
        PodejSloupceDo_oVeta_Zorvi();
        PridejVetuZorvi();
    }
    if (oCisloVykazu == 16 && zorvi_->BtUsedRecs() == 0)
        PridejPrazdnouVetu();
    return true;
}

// ---- Helpers ----------------------------------------------------------------------------------

void tPAP_Vykaz::VyplnHlavicku() {
    oVeta_Zorvi = tVeta_Zorvi{};
    pap::VyplnHlavicku(oVeta_Zorvi, oCisloVykazu, processName_, OdMesic, DoMesic, Rok);
}

void tPAP_Vykaz::PridejPrazdnouVetu() {
    VyplnHlavicku();
    PridejVetuZorvi();
}

void tPAP_Vykaz::PridejVetuZorvi() {
    std::int32_t n = 0;
    zorvi_->AddRec(n, &oVeta_Zorvi);
}

void tPAP_Vykaz::ProjdiWork(const Text& prefix, std::size_t width,
                            const std::function<void(const tVetaWork&)>& visit) {
    const Text start = KeyText(prefix, width);
    Text key = start;
    std::int32_t n = 0;
    if (!work_->BtSearchKey(1, n, key))
        return;
    do {
        if (key.substr(0, width) != start)
            break;
        tVetaWork veta;
        work_->GetRec(n, &veta);
        visit(veta);
    } while (work_->BtNextKey(1, n, key));
}

std::vector<std::int32_t> tPAP_Vykaz::CislaVetZorvi(int order) {
    std::vector<std::int32_t> cisla;
    std::int32_t n = 0;
    Text key;
    zorvi_->BtClearKey(order);
    while (zorvi_->BtNextKey(order, n, key))
        cisla.push_back(n);
    return cisla;
}

bool tPAP_Vykaz::NajdiWork(const Text& sa, tVetaWork& veta) {
    std::int32_t n = 0;
    if (!work_->BtFindKey(1, n, KeyText(sa, 10)))
        return false;
    return work_->GetRec(n, &veta);
}

tChybovyProtokol* tPAP_Vykaz::Protokol() {
    // A printout that cannot be made is reported once, not once per line.
    if (!protokol_ && !protokolSelhal_) {
        protokol_ = tChybovyProtokol::Zaloz(
            ctx_.listing, tChybovyProtokol::Titulek(OdMesic, DoMesic, Rok), processName_);
        protokolSelhal_ = !protokol_;
    }
    return protokol_.get();
}

void tPAP_Vykaz::UkazProtokol() {
    if (protokol_ && !batch_ && !ExterniPostup())
        protokol_->Ukaz();
    // The batch shows no protocol on its way; it gathers them for its end.
    if (protokol_ && batch_ && ctx_.batchProtocol && !protokol_->Prazdny())
        if (const std::optional<ui::ListingView> kept = protokol_->Odloz())
            ctx_.batchProtocol(oCisloVykazu, *kept, protokol_->Radku());
    protokol_.reset();
}

int CisloAnalytiky(const Text& sa) {
    const std::optional<long long> n = TryTextToInt(sa.substr(0, 3));
    return n ? static_cast<int>(*n) : 0;
}

int CisloKodu(const Text& kod) {
    const std::optional<long long> n = TryTextToInt(kod.substr(1, 2));
    return n ? static_cast<int>(*n) : 0;
}

}  // namespace axo::pap

// The chart of accounts, the PAP codes and the transaction codes as data of print forms.
#include "printforms/CodeListSources.h"

#include "printforms/FormTypes.h"
#include "util/Cisla.h"
#include "util/Lines.h"
#include "util/Retezce.h"

namespace axo::printforms {

namespace {

using pap::tVetaRozvrh;
using pap::tVetaUAPV;
using pap::tVetaUKod;

Text Mark(bool set, const Text& mark) {
    return set ? mark : Text();
}

/// The numbers of the flags set, separated by blanks (flag i stands for `first` + i).
template <std::size_t N>
Text Numbers(const std::uint8_t (&flags)[N], int first, int digits) {
    Text text;
    for (std::size_t i = 0; i < N; ++i)
        if (flags[i])
            text += (text.empty() ? Text() : " "_t) +
                    IntToTextZeros(first + static_cast<int>(i), digits);
    return text;
}

/// A table walked in one of its key orders; each record sets the acronyms.
template <class File, class Record>
class TableSource : public FormDataSource {
  public:
    TableSource(const storage::DataContext& ctx, const pap::PapLocation& where, const Text& data)
        : file_(ctx, where) {
        const long long order = TextToInt(Trim(data));
        if (!file_.InitFile(1, storage::_WaitQuestion)) {
            ctx.ui->ShowError("Soubor "_t + file_.FileName() + " nelze otevřít."_t);
            return;
        }
        order_ = order >= 1 && order <= file_.KeyCount() ? static_cast<int>(order) : 1;
        file_.BtClearKey(order_);
    }
    ~TableSource() override {
        if (file_.Opened())
            file_.CloseFile();
    }

    bool NextRecord(AcronymTable& acronyms) override {
        std::int32_t n = 0;
        Text key;
        if (!file_.Opened() || !file_.BtNextKey(order_, n, key) || !file_.GetRec(n, &record_))
            return false;
        Set(acronyms, record_);
        return true;
    }

  protected:
    virtual void Set(AcronymTable& acronyms, const Record& r) = 0;
    File file_;
    Record record_;

  private:
    int order_ = 1;
};

Text NatureText(char nature) {
    switch (nature) {
        case 'A':
            return "Aktivní"_t;
        case 'P':
            return "Pasivní"_t;
        case 'R':
            return "Rozvahový"_t;
        case 'N':
            return "Nákladový - daňový"_t;
        case 'M':
            return "Nákladový - nedaňový"_t;
        case 'V':
            return "Výnosový - daňový"_t;
        case 'W':
            return "Výnosový - nedaňový"_t;
        case 'Z':
            return "Závěrkový"_t;
        case 'X':
            return "Ostatní tj. podrozvahový, vnitropodnikový atd."_t;
        default:
            return {};
    }
}

class ChartSource : public TableSource<pap::tFileRozvrh, tVetaRozvrh> {
  public:
    using TableSource::TableSource;

    std::vector<Text> NoteLines() override {
        std::vector<Text> lines;
        for (const Text& line : SplitLines(notes_))
            lines.push_back(line.substr(0, 255));
        return lines;
    }

  protected:
    void Set(AcronymTable& a, const tVetaRozvrh& r) override {
        notes_ = file_.ReadMemo("NOTES"_t);
        const Text account = IntToTextZeros(r.SE, 3) + "."_t + IntToTextZeros(r.AE, 3);
        a.Set("SE"_t, IntToTextZeros(r.SE, 3));
        a.Set("AE"_t, IntToTextZeros(r.AE, 3));
        a.Set("UCET"_t, account);
        a.Set("IDENTIFIKACE"_t, account);
        a.Set("POZNAMKYZAHLAVI"_t, "Poznámkový blok účtu "_t + account);
        a.Set("NAZ_UCT"_t, r.NAZ_UCT);
        a.Set("CIZI_NAZEV_UCTU"_t, r.CIZI_NAZEV_UCTU);
        a.Set("AKT_PAS"_t, r.AKT_PAS ? Text(1, static_cast<char>(r.AKT_PAS)) : Text());
        a.Set("POVAHA"_t, NatureText(static_cast<char>(r.AKT_PAS)));
        a.Set("MENA"_t, r.MENA);
        a.Set("SALDO"_t, Mark(r.SALDO, "x"_t));
        a.Set("STAT_ANAL"_t, r.STAT_ANAL);
        a.Set("KOD"_t, Mark(r.KOD, "X"_t));
        a.Set("PARTNER"_t, !r.PARTNER           ? Text()
                           : r.CojePartner == 0 ? "P-T"_t
                           : r.CojePartner == 1 ? "P-AP"_t
                                                : "P"_t);
        a.Set("PARTNER2"_t, Mark(r.PARTNER2, "X"_t));
        a.Set("VYKAZY"_t, Numbers(r.VYKAZY, 1, 1));
        a.Set("CINNOST"_t, r.PO_CINNOST == 1   ? "Hlavní činnost"_t
                           : r.PO_CINNOST == 2 ? "Hospodářská činnost"_t
                                               : Text());
    }

  private:
    Text notes_;
};

class PapCodeSource : public TableSource<pap::tFileUAPV, tVetaUAPV> {
  public:
    using TableSource::TableSource;

  protected:
    void Set(AcronymTable& a, const tVetaUAPV& r) override {
        static const Text kGroups[] = {" XV"_t, "  I"_t, " II"_t, "III"_t};
        a.Set("STAT_ANAL"_t, r.STAT_ANAL);
        a.Set("POPIS"_t, r.POPIS);
        a.Set("SKUPINA"_t, kGroups[r.VYKAZ_I_II_III <= 3 ? r.VYKAZ_I_II_III : 0]);
        a.Set("RADEK"_t, IntToText(r.RADEK));
        a.Set("PARTNER"_t, !r.PARTNER ? Text() : r.CojePartner == 0 ? "T"_t : "AP"_t);
        a.Set("PARTNER2"_t, Mark(r.PARTNER2, "x"_t));
        a.Set("KONSOLIDACE"_t, Mark(r.Konsolidace == 1, "x"_t));
        a.Set("KOD"_t, Mark(r.KOD, "x"_t));
        a.Set("VYKAZY"_t, Numbers(r.VYKAZY, 1, 1));
        a.Set("KODY_MD"_t, Numbers(r.MD, 1, 2));
        a.Set("KODY_DAL"_t, Numbers(r.DAL, 51, 2));
        const Text md = Numbers(r.MD, 1, 2);
        const Text dal = Numbers(r.DAL, 51, 2);
        a.Set("KODY_TRANSAKCI"_t,
              md.empty() && dal.empty()
                  ? Text()
                  : "MD "_t + (md.empty() ? "-"_t : md) + "  D "_t + (dal.empty() ? "-"_t : dal));
    }
};

class TransactionCodeSource : public TableSource<pap::tFileUKod, tVetaUKod> {
  public:
    using TableSource::TableSource;

  protected:
    void Set(AcronymTable& a, const tVetaUKod& r) override {
        const Text two = r.FILLER_STR.Get().substr(0, 1);
        a.Set("KOD"_t, r.Kod);
        a.Set("NAZEV"_t, r.Nazev);
        a.Set("PARTNER"_t, Mark(r.PARTNER2, "Partner"_t));
        a.Set("DVA_PARTNERI"_t, Mark(!two.empty() && two[0] >= '1' && two[0] <= '9', "2PT"_t));
    }
};

}  // namespace

DataSourceProvider CodeListSources(const storage::DataContext& ctx, const pap::PapLocation& where) {
    return [&ctx, where](const StoredForm& form,
                         const Text& data) -> std::unique_ptr<FormDataSource> {
        if (form.type == kTypeUcRozvrh)
            return std::make_unique<ChartSource>(ctx, where, data);
        if (form.type != kTypeOstatni)
            return nullptr;
        const Text word = NationalUpperCase(Trim(data));
        const Text codes = Text::FromBytes(kTransactionCodesData);
        if (word.StartsWith(codes))
            return std::make_unique<TransactionCodeSource>(ctx, where, word.substr(codes.size()));
        if ((form.kind & kKindTransactionCodes) != 0 && (form.kind & kKindPapCodes) == 0)
            return std::make_unique<TransactionCodeSource>(ctx, where, data);
        return std::make_unique<PapCodeSource>(ctx, where, data);
    };
}

}  // namespace axo::printforms

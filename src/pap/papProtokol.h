// The error protocol of a statement run: a text printout listing the document lines that could
// not be assigned (with the reason), the work records whose transaction code has no place in
// statements IV to IX ("nekorektní kódy transakce"), and the amounts of statements IV to IX that
// their XML does not carry ("částky nepřenesené do XML"); at its end a legend of the marks it
// used.
#pragma once

#include <bitset>
#include <memory>

#include "ui/TextListing.h"

namespace axo::pap {

/// One line of the protocol about a document line.
struct RadekProtokolu {
    Text identifikace;  ///< the line's document identification as stored
    std::int32_t radek = 0;
    std::uint16_t su = 0;
    std::uint16_t ae = 0;
    double md = 0;
    double dal = 0;
    Text analytika;          ///< the account's analytics
    bool ucetChybi = false;  ///< the account does not exist: the analytics column shows "???"
    Text duvod;              ///< the reason, at most 7 characters
};

class tChybovyProtokol {
  public:
    /// Creates the printout titled `title` with the process name as subtitle; none when the
    /// listing file cannot be made (the user has been told).
    static std::unique_ptr<tChybovyProtokol> Zaloz(const ui::ListingEnvironment& env,
                                                   const Text& title, const Text& processName);

    /// A line about a document line; the column header comes first on its first use.
    void ZapisRadek(const RadekProtokolu& radek);
    /// A line about a work record with an incorrect transaction code; the heading "nekorektní
    /// kódy transakce" and its column header come first on its first use.
    void ZapisNekorektniKod(const Text& analytika, const Text& transakce, double md, double dal);
    /// A line about an amount of the printed statement that the part's XML does not carry (the
    /// part, the row's analytics, the cell's code, the amount and why); the heading "částky
    /// nepřenesené do XML" and its column header come first on its first use.
    void ZapisNeprenesenou(const Text& vykaz, const Text& analytika, const Text& transakce,
                           double castka, const Text& duvod);
    /// Whether any line was written.
    bool Prazdny() const { return sekce_ == Sekce::Zadna; }
    /// Ends the printout and hands it to the user.
    void Ukaz();
    /// Ends the printout and keeps its file for the caller (a batch shows it at its end).
    std::optional<ui::ListingView> Odloz();
    /// The lines written about document lines, codes and amounts.
    int Radku() const { return radku_; }

    /// The title of a period's protocol: "chybový protokol [od 1 do 6/2023]".
    static Text Titulek(int odMesic, int doMesic, int rok);
    /// The identification column: the short display form, a blank in character 7 shown "_".
    static Text IdentifikaceText(const Text& identifikace);

    /// The legend lines of the marks used so far (without the heading), in a fixed order.
    std::vector<Text> Legenda() const;

  private:
    enum class Sekce { Zadna, Radky, Kody, Neprenesene };

    explicit tChybovyProtokol(std::unique_ptr<ui::TextListing> listing);
    void ZacniSekci(Sekce sekce);
    /// Notes the mark of a document line's reason for the legend.
    void PoznamenejZnacku(const RadekProtokolu& radek);
    /// The bottom frame line and the legend after it.
    void Zakonci();

    std::unique_ptr<ui::TextListing> listing_;
    Sekce sekce_ = Sekce::Zadna;
    int radku_ = 0;
    std::bitset<16> znacky_;  ///< the marks used, indexed as the legend's lines
};

}  // namespace axo::pap

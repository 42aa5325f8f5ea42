// What the demo organisation's documents are written with: a random source that gives the same
// numbers for a seed everywhere, partners and accounts, and the books being written - documents
// and their lines, partners filled as the accounts and codes demand, and the balances and the
// result of everything written so far, so that the year can keep stock, cash and liabilities
// on their proper side.
#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "pap/ImportJournal.h"

namespace axo::pap::demo {

/// splitmix64: the same numbers for a seed on every platform and library.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    /// An amount in whole hellers between `lo` and `hi`.
    double Amount(double lo, double hi);
    /// A factor between `lo` and `hi` in steps of a thousandth.
    double Factor(double lo, double hi);
    template <class T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }

  private:
    std::uint64_t state_;
};

struct Partner {
    Text id;
    Text name;
};

struct Acc {
    int su;
    int ae;
    auto operator<=>(const Acc&) const = default;
};

/// The documents as they are written, in booking order.
class Books {
  public:
    explicit Books(int year) : year_(year) {}

    /// Starts a document of `month` (0: the opening balances) dated `day`; its number follows
    /// the last one of its kind.
    void Begin(int month, int day, const char* kind, const Text& description, Byte state = 0,
               const Text& vs = {});
    /// A line as given, partners included.
    void Put(Acc a, double md, double dal, const char* kod, const Text& p1, const Text& p2,
             const Text& note = {});
    /// A line whose partners follow the duties of its account and its code.
    void Add(Acc a, double md, double dal, const char* kod = "", const Partner* p1 = nullptr,
             const Partner* p2 = nullptr);
    /// A debit and a credit line of the same amount.
    void Pair(Acc debit, const char* debitKod, Acc credit, const char* creditKod, double amount,
              const Partner* partner = nullptr, const Partner* partner2 = nullptr);

    JournalDocument& Current() { return docs_.back(); }
    /// The number of the next document of a kind.
    int NextNumber(const char* kind) const;
    int Lines() const { return lines_; }
    /// Debit minus credit of an account over every line written so far.
    double Balance(Acc a) const;
    /// Revenues minus costs of the lines the statements count (state 0, no adjusting
    /// documents).
    double Result() const { return result_; }
    std::vector<JournalDocument> Take() { return std::move(docs_); }

  private:
    int year_;
    std::vector<JournalDocument> docs_;
    std::map<std::string, int> numbers_;
    std::map<Acc, double> balances_;
    double result_ = 0;
    Text vs_;
    int lines_ = 0;
};

}  // namespace axo::pap::demo

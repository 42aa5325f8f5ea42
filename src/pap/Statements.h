// Every statement the compiler makes, reached by its number as the menu reaches it: X and XI by
// the methodology of the fiscal year.
#pragma once

#include <memory>
#include <vector>

#include "pap/StatementContext.h"
#include "pap/papVykaz.h"
#include "ui/ProgressPanel.h"

namespace axo::pap {

/// Whether statement `cislo` is compiled (I-XIII, XV, XVI; XIV and XVII are XML parts only).
bool JeSestavovanyVykaz(int cislo);

/// Compiles statement `cislo` with the entry routine the menu calls for it (caption: the menu
/// item's). False when it was not compiled: cancelled, refused, a table missing, or a number
/// that is no compiled statement.
bool SestavVykazCislo(StatementContext& ctx, int cislo, const Text& caption,
                      const Text& templateName, ui::ProgressPanel* externalProgress,
                      Text& resultText);

/// The statement object of number `cislo` as its entry routine makes it (X and XI by the
/// methodology of the fiscal year; only I-IX and XV take the batch block); none for a number
/// that is no compiled statement, and none after the message for IX from 2022.
std::unique_ptr<tPAP_Vykaz> VytvorVykaz(StatementContext& ctx, int cislo,
                                        const VolaniVykazu& volani);

/// Statements compiled together: every one asks for its period and opens its tables, one
/// pass over the document lines accumulates them all, and then each makes its rows and its
/// output in the order they were added - with the same results and protocols as when each is
/// compiled on its own.
class SadaVykazu {
  public:
    explicit SadaVykazu(StatementContext& ctx) : ctx_(ctx) {}
    /// Adds statement `cislo`; false when it is no compiled statement or refused.
    bool Pridej(int cislo, const VolaniVykazu& volani);
    /// Prepares every statement and runs the shared pass; false when a statement was
    /// cancelled or could not open its tables, or the pass was aborted (nothing is output).
    bool Kumuluj();
    std::size_t Pocet() const { return vykazy_.size(); }
    int Cislo(std::size_t i) const { return vykazy_[i]->CisloVykazu(); }
    /// The rows and the output of the i-th statement (after Kumuluj); its result text on
    /// success. False when it did not compile to its end.
    bool Dokonci(std::size_t i, Text& resultText);

  private:
    StatementContext& ctx_;
    std::vector<std::unique_ptr<tPAP_Vykaz>> vykazy_;
};

}  // namespace axo::pap

// Every statement the compiler makes, reached by its number as the menu reaches it: X and XI by
// the methodology of the fiscal year.
#pragma once

#include "pap/StatementContext.h"
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

}  // namespace axo::pap

// The error protocols of the statements compiled in the batch: gathered while it runs (the
// batch shows no window on its way), counted per statement at its end, and shown on request.
#pragma once

#include <map>
#include <vector>

#include "pap/StatementContext.h"
#include "xml/papXML.h"

namespace axo::xml {

class BatchProtocols {
  public:
    /// Connects to the statements' batch hook for the life of the object.
    explicit BatchProtocols(pap::StatementContext& statements);
    /// Deletes the protocol files that were not shown and disconnects.
    ~BatchProtocols();
    BatchProtocols(const BatchProtocols&) = delete;
    BatchProtocols& operator=(const BatchProtocols&) = delete;

    /// The lines of the protocols per statement number.
    const std::map<int, int>& Lines() const { return lines_; }
    /// Tells how many lines each statement's protocol holds and offers to show them; nothing
    /// when every protocol is empty.
    void Report(const XmlExportContext& ctx);

  private:
    pap::StatementContext& statements_;
    std::vector<ui::ListingView> kept_;
    std::map<int, int> lines_;
};

}  // namespace axo::xml

// The records of a compiled statement as a report reads them: the result file of the statement
// compiler in the order its rows were written, with the table's columns in table order - the
// record number "W_INDEX_PR", the key "W_INDEX_01" and the lock flag "W_LOCKREC" first, then
// the result record's fields "CisloVykazu" ... "Partner_Nazev". So "#4" (counted from 1) and
// "#CisloVykazu" are the same field, and a data-field element with number 3 (counted from 0)
// shows it too.
#pragma once

#include <memory>

#include "pap/StatementContext.h"
#include "report/data/RecordBridge.h"

namespace axo::report {

/// The columns of a statement's result file.
std::vector<RecordColumn> StatementColumns();
/// Their names, in field order.
std::vector<Text> StatementFieldNames();

/// A result file opened for a report; the file closes with the source.
class StatementSource : public FileRecordBridge {
  public:
    explicit StatementSource(std::unique_ptr<pap::tFileZorvi> file);
    ~StatementSource() override;

  private:
    std::unique_ptr<pap::tFileZorvi> file_;
};

/// Opens the result file of a handed-over statement as the records of a report; nullptr when
/// it cannot be opened.
std::unique_ptr<StatementSource> OpenStatementSource(const storage::DataContext& ctx,
                                                     const pap::ReportHandOver& handOver);

}  // namespace axo::report

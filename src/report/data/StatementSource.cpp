// The result file of a statement as report records.
#include "report/data/StatementSource.h"

#include "pap/papVykaz.h"
#include "pap/papVykazFiles.h"

namespace axo::report {

std::vector<RecordColumn> StatementColumns() {
    std::vector<Text> names;
    std::vector<storage::FieldLayout> layout;
    for (const pap::ResultField& f : pap::ResultFields()) {
        names.push_back(f.name);
        layout.push_back(f.layout);
    }
    return TableColumns(names, layout, 1);
}

std::vector<Text> StatementFieldNames() {
    std::vector<Text> names;
    for (const RecordColumn& c : StatementColumns())
        names.push_back(c.name);
    return names;
}

StatementSource::StatementSource(std::unique_ptr<pap::tFileZorvi> file)
    : FileRecordBridge(*file, StatementColumns(), sizeof(pap::tVeta_Zorvi)),
      file_(std::move(file)) {}

StatementSource::~StatementSource() {
    file_->CloseFile();
}

std::unique_ptr<StatementSource> OpenStatementSource(const storage::DataContext& ctx,
                                                     const pap::ReportHandOver& handOver) {
    std::unique_ptr<pap::tFileZorvi> file = pap::OpenResultFile(ctx, handOver);
    if (!file)
        return nullptr;
    return std::make_unique<StatementSource>(std::move(file));
}

}  // namespace axo::report

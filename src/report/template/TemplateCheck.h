// The check of a template as its author reads it: the report described line by line (page,
// sections and their elements, groups, functions, details), every reference that does not
// resolve against the record fields and parameters, and every expression checked - parsed, and
// evaluated with every referenced value empty so that errors of the expression itself (a
// division by a zero constant) show while nothing depends on data.
#pragma once

#include <vector>

#include "report/model/Report.h"
#include "util/Text.h"

namespace axo::report {

struct TemplateCheckResult {
    std::vector<Text> lines;  ///< Windows-1250
    int errors = 0;
};

/// Describes and checks a report read from a template. `fieldNames` are the fields of the
/// records the template is meant for (empty: every field reference is unresolved);
/// `parameterCount` the parameters its host supplies.
TemplateCheckResult CheckTemplate(const TSestavaTyp& report, const std::vector<Text>& fieldNames,
                                  int parameterCount);

}  // namespace axo::report

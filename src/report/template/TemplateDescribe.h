// The readable description of a report model, for the template check.
#pragma once

#include <vector>

#include "report/model/Report.h"

namespace axo::report {

/// One element in words: kind, box, content, font and condition.
Text ElementDescription(const TSestavaTyp& report, const TSiReportElement& e);
/// The report's settings, sections with their elements, groups, functions and the lines the
/// program does not know, each line preceded by `indent`.
void DescribeReport(const TSestavaTyp& report, const Text& indent, std::vector<Text>& out);

}  // namespace axo::report

// The XML export parameter block as the parameter vault keeps it (group 1, item 71; 1305 bytes).
// The statements read from it, in the batch run, the statement date and the report templates of
// parts I, II-III and IV-IX; the XML export (src/xml) fills it in its dialog and reads the rest.
#pragma once

#include <cstddef>

#include "util/Text.h"

namespace axo::pap {

#pragma pack(push, 1)

/// The export parameters: length-prefixed texts, the bytes after a text zero.
struct XmlExportParams {
    StrN<255> targetDirectory;  ///< where the files go and the CSV inputs are; ends with "/"
    StrN<10> ico;               ///< IČO of the accounting unit (at most 8 characters accepted)
    StrN<75> unitName;          ///< "Název účetní jednotky"
    StrN<75> responsiblePerson;
    StrN<75> email;
    StrN<20> zoNumber;       ///< "Identifikační číslo ZO" (digits only)
    StrN<3> budgetChapter;   ///< "Kapitola st. rozpočtu" (optional)
    StrN<20> telephone;      ///< optional
    StrN<10> statementDate;  ///< "Výkaz sestaven ke dni": dd.mm.yyyy, a blank may lead
    StrN<250> formI;         ///< report template of part I
    StrN<250> formII_III;    ///< report template of parts II and III
    StrN<250> formIV_IX;     ///< report template of parts IV to IX
};

#pragma pack(pop)

static_assert(sizeof(XmlExportParams) == 1305);
static_assert(offsetof(XmlExportParams, ico) == 256);
static_assert(offsetof(XmlExportParams, unitName) == 267);
static_assert(offsetof(XmlExportParams, responsiblePerson) == 343);
static_assert(offsetof(XmlExportParams, email) == 419);
static_assert(offsetof(XmlExportParams, zoNumber) == 495);
static_assert(offsetof(XmlExportParams, budgetChapter) == 516);
static_assert(offsetof(XmlExportParams, telephone) == 520);
static_assert(offsetof(XmlExportParams, statementDate) == 541);
static_assert(offsetof(XmlExportParams, formI) == 552);
static_assert(offsetof(XmlExportParams, formII_III) == 803);
static_assert(offsetof(XmlExportParams, formIV_IX) == 1054);

}  // namespace axo::pap

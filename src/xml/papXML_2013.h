// The part files of the methodology up to 2013 (parts I-XIII): fragments whose columns are
// containers of rows, and the bodies of parts X-XIII with the short statement header and the
// partners written as bare identification numbers.
#pragma once

#include "xml/papXML_2014.h"

namespace axo::xml {

/// The fragment of part 1-9: one container per column, each a full pass over the rows.
void WriteFragment2013(XmlLines& file, int part, const Rows& rows);
/// The body of part 10-13.
void WriteBody2013(XmlLines& file, const PartFile& part, const Rows& rows, const XmlExportParams& p,
                   const HeaderDates& dates);

}  // namespace axo::xml

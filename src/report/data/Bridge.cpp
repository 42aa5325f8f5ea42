// How the field data types are read.
#include "report/data/Bridge.h"

namespace axo::report {

bool ReadsNumberDirectly(int t) {
    return (t >= kFtSmallint && t <= kFtWord) || (t >= kFtFloat && t <= kFtDateTime) ||
           t == kFtLargeint || t == kFtFmtBcd;
}

bool ReadsNumberFromText(int t) {
    return t == kFtString || t == kFtWideString;
}

bool IsNumberValueType(int t) {
    return (t >= kFtSmallint && t <= kFtWord) || (t >= kFtFloat && t <= kFtBcd) ||
           t == kFtAutoInc || t == kFtFmtBcd;
}

bool IsTextValueType(int t) {
    return t == kFtString;
}

bool IsPictureType(int t) {
    return t == kFtBlob || t == kFtGraphic || t == kFtTypedBinary;
}

bool IsMultiLineType(int t) {
    return t == kFtMemo || t == kFtFmtMemo;
}

bool IsMemoType(int t) {
    return t >= kFtBlob && t <= kFtTypedBinary;
}

}  // namespace axo::report

// The link between a report and its records (`TBridge`): field names, captions, types and the
// values of the current record, and the moves through the records. The data field types are
// numbered like the dataset types the templates were written against (`TFieldTypeS`), and
// decide how a field is read as a number, a text or a memo.
#pragma once

#include "util/Text.h"

namespace axo::report {

/// Field data types.
enum FieldTypeS : int {
    kFtUnknown = 0,
    kFtString = 1,
    kFtSmallint = 2,
    kFtInteger = 3,
    kFtWord = 4,
    kFtBoolean = 5,
    kFtFloat = 6,
    kFtCurrency = 7,
    kFtBcd = 8,
    kFtDate = 9,
    kFtTime = 10,
    kFtDateTime = 11,
    kFtAutoInc = 14,
    kFtBlob = 15,
    kFtMemo = 16,
    kFtGraphic = 17,
    kFtFmtMemo = 18,
    kFtTypedBinary = 21,
    kFtWideString = 24,
    kFtLargeint = 25,
    kFtFmtBcd = 37,
};

/// Directions of a step through the records.
enum StepDir : int { kStepFirst = 0, kStepPrior = 1, kStepNext = 2, kStepLast = 3 };
/// Step result bits: before the first record, after the last; 0 means a record is current.
inline constexpr int kBeforeFirst = 1;
inline constexpr int kAfterLast = 2;
inline constexpr int kBeforeFirstAndAfterLast = 3;  ///< no records

/// The field's own number is its value (2-4, 6-11, 25, 37).
bool ReadsNumberDirectly(int type);
/// The number is read from the field's text (1, 24).
bool ReadsNumberFromText(int type);
/// Expressions take the value as a number (2-4, 6-8, 14, 37).
bool IsNumberValueType(int type);
/// Expressions take the value as a text (1).
bool IsTextValueType(int type);
/// A data-field element shows a picture (15, 17, 21).
bool IsPictureType(int type);
/// A data-field element wraps its text (16, 18).
bool IsMultiLineType(int type);
/// The value is the whole content rather than the display text (16, 18 and every blob).
bool IsMemoType(int type);

/// A record source. Field indexes count from 0. Before the first step, and when there are no
/// records, values are empty.
class TBridge {
  public:
    virtual ~TBridge() = default;

    virtual int FieldCount() const = 0;
    virtual Text FieldName(int field) const = 0;
    /// The display label; the name unless the source has one.
    virtual Text FieldCaption(int field) const { return FieldName(field); }
    virtual int FieldType(int field) const = 0;
    /// 0 left, 1 right, 2 centre.
    virtual int FieldAlignment(int /*field*/) const { return 0; }
    virtual int FieldWidth(int /*field*/) const { return 10; }

    /// The display text of the field in the current record.
    virtual Text FieldText(int field) const = 0;
    /// The field's own number in the current record (numeric types; 0 for others).
    virtual double FieldNumber(int field) const = 0;
    virtual bool FieldIsNull(int /*field*/) const { return false; }
    /// Whether the field can be null at all (asked once per run; false spares the question
    /// for every record).
    virtual bool MayBeNull(int /*field*/) const { return true; }
    /// The whole content of a memo or blob field.
    virtual Text FieldMemo(int field) const { return FieldText(field); }

    /// Moves to the first, prior, next or last record (`StepDir`); returns the step result bits:
    /// 1 before the first record, 2 after the last, 3 no records, 0 a record is current. A
    /// move past either end keeps the record that was current.
    virtual int Step(int dir) = 0;
    /// Whether the source can be read; otherwise the Czech reason.
    virtual bool Ready(Text& /*problem*/) const { return true; }
};

}  // namespace axo::report

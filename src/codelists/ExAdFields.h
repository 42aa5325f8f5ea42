// The fields of an external address by name, as the command line and the CSV files reach them:
// each field's value as a text and the setting of a value with its checks, and the checks an
// address must pass before it is stored.
#pragma once

#include <optional>
#include <vector>

#include "codelists/a_FiExAd.h"
#include "storage/RecordStructure.h"

namespace axo::codelists {

/// A field of the record: its name as the table describes it and where it lies.
struct AddressField {
    Text name;
    storage::FieldLayout layout;
};

/// Every field of the record (the notes memo included, named "NOTES").
const std::vector<AddressField>& AddressFields();

/// The field of that name (compared without regard to case); none when there is no such field.
const AddressField* FindAddressField(const Text& name);

/// The field's value as a text: a text field as stored, a number in digits ("12.5" for a
/// fraction). The notes are not in the record: "NOTES" gives an empty text.
Text AddressFieldText(const tVetaExtAdresa& record, const AddressField& field);

/// Stores a value into the field. False with the reason ("je delší než 30 znaků", "není
/// číslo 0 až 255", ...) when the value does not fit; the record is then unchanged. "NOTES"
/// cannot be set here (false).
bool SetAddressField(tVetaExtAdresa& record, const AddressField& field, const Text& value,
                     Text& reason);

/// A fault of an address that keeps it from being stored: the field and the message.
struct AddressFault {
    Text field;
    Text message;
};

/// The checks of an address before it is stored: a classification is required; the choices
/// (validity, person, nature, type) must name one of their items; IČO holds digits only; the
/// bank code has at most four digits; DIČ begins with the two letters of its country; the
/// e-mail addresses hold "@". None when the address passes.
std::optional<AddressFault> CheckAddress(const tVetaExtAdresa& record);

}  // namespace axo::codelists

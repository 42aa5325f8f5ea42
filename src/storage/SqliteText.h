// Texts in SQLite: Windows-1250 bytes of the program to UTF-8 columns and back (lossless for
// all 256 byte values, fast enough for scans of whole tables), and the key collation "AXOKEY".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct sqlite3;

namespace axo::storage {

/// The name of the collation of key columns.
inline constexpr const char* kKeyCollation = "AXOKEY";

/// Appends the UTF-8 form of Windows-1250 bytes to `out`.
void AppendCp1250AsUtf8(std::string& out, std::string_view cp1250);
/// Converts UTF-8 to Windows-1250 into `out`, at most `capacity` characters; returns how many
/// were written. A character without a Windows-1250 code becomes "?".
std::size_t Utf8ToCp1250(std::string_view utf8, char* out, std::size_t capacity);

/// Compares two UTF-8 key texts as the key indexes order them: case-insensitively, letters
/// with acute accents, umlauts, Ď, Ň, Ť and Ů as their plain letters, Č after C, Ř after R,
/// Š after S and Ž after Z, and trailing blanks insignificant (the shorter text counts as padded
/// with blanks). Returns <0, 0 or >0.
int CompareKeys(std::string_view a, std::string_view b);

/// The sorting weight of a Windows-1250 character in the key collation: characters of equal
/// weight compare equal, the blank's weight pads the shorter key.
unsigned KeyWeight(unsigned char code);

/// Registers the key collation on a connection; returns the SQLite result code.
int RegisterKeyCollation(sqlite3* db);

}  // namespace axo::storage

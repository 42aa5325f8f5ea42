// The index rebuild: a table is moved aside, created anew with fresh indexes and filled again
// from its moved data, renumbered 1..n and with every record-lock flag cleared. Until the new
// table is complete the moved data stay on disk, so an interrupted rebuild loses nothing: the
// next rebuild, or the next opening of the table, restores from them.
#pragma once

#include <filesystem>

#include "storage/Files.h"

namespace axo::storage {

/// The largest record the rebuild reads.
inline constexpr int kRebuildRecordLimit = 10000;

/// Rebuilds the table of `file`, which is described and not open in this object. With
/// `showProgress` a progress panel "Rekonstrukce indexů " + data file counts the records (and
/// the panel registered for the run is restarted with the same maximum). Returns true when the
/// table was rebuilt or there is none; false for a record longer than 10000 bytes (after a
/// message) or when the user gave up waiting for other users of the table. Structure and engine
/// failures are reported as fatal ("Rekonstrukce indexů"), transient ones after 10 repetitions.
bool RebuildIndexes(tSoubor& file, bool showProgress);

/// Where the rebuild keeps the data moved aside: the data file's directory + "!RE_" + file
/// name + ".DB".
std::filesystem::path RebuildCopyPath(const tSoubor& file);

}  // namespace axo::storage

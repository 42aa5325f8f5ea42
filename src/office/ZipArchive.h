// Zip containers built in memory (the OpenDocument file of a printout): the entries in the
// order given, the first one stored uncompressed when asked (OpenDocument's "mimetype").
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace axo::office {

struct ZipEntry {
    std::string name;     ///< the path inside the archive
    std::string bytes;    ///< its content
    bool stored = false;  ///< kept uncompressed
};

/// The bytes of a zip archive holding `entries`; none when the archive could not be built.
std::optional<std::string> ZipBytes(const std::vector<ZipEntry>& entries);

}  // namespace axo::office

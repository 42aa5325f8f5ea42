// Paper formats (`TFormatPapiru`, `TListFormatu`): the seventeen built-in formats and the
// user's own from the engine's settings file ("SestDLL.ini", section "FormatyPapiru"), the
// format a paper size matches, and the CUPS media of a paper size.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "util/Text.h"

namespace axo::report {

struct TFormatPapiru {
    Text name;                  ///< up to 31 characters
    int width = 0, height = 0;  ///< units
};

inline constexpr int kBuiltInFormats = 17;

class TListFormatu {
  public:
    /// The built-in formats.
    TListFormatu();

    /// Appends the user formats of a settings file; a file that cannot be read adds none.
    void Load(const std::filesystem::path& ini);
    /// Writes the user formats into the settings file ("PocetFormatu" and every "Format"
    /// key), keeping its other sections and keys; false with the message in `error`.
    bool Save(const std::filesystem::path& ini, Text& error) const;

    /// The first format whose width and height both lie within 1 % of the paper's; nullptr
    /// when none does.
    const TFormatPapiru* Match(int width, int height) const;

    std::vector<TFormatPapiru> formats;
};

/// The CUPS media name ("A4", "Letter" ...) of a paper size in either orientation; empty when
/// no standard size matches.
std::string CupsMedia(int width, int height);

}  // namespace axo::report

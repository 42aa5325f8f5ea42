// The envelope schemas of the central system, built into the program from src/xml/schema.
#pragma once

#include <span>

#include "util/EmbeddedFiles.h"

namespace axo::xml {

/// Every schema file (named as the other schemas import it), sorted by name.
std::span<const EmbeddedFile> EmbeddedSchemas();

}  // namespace axo::xml

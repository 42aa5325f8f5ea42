// The envelope schemas of the central system, built into the program from src/xml/schema.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace axo::xml {

/// One schema file: its name (as the other schemas import it) and its bytes.
struct EmbeddedSchema {
    std::string_view name;
    const unsigned char* bytes;
    std::size_t size;
};

/// Every schema file, sorted by name.
const std::vector<EmbeddedSchema>& EmbeddedSchemas();

}  // namespace axo::xml

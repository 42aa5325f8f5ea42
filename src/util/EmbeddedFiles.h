// Files built into the program by the build (cmake/EmbedFiles.cmake): a generated source
// defines a function that returns them, declared in the header of the part that uses them.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace axo {

/// A file built into the program: its name (without directories) and its bytes.
struct EmbeddedFile {
    std::string_view name;
    const unsigned char* data;
    std::size_t size;

    /// The file's bytes.
    std::string_view Bytes() const { return {reinterpret_cast<const char*>(data), size}; }
};

}  // namespace axo

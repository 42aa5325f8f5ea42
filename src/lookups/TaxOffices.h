// The names of the tax offices the VAT payer register names by number: the text file
// "Finu_001.txt" in the installation directory, lines of "|"-separated fields (the office
// number, its name), and the offices the program knows when the installation has no such file.
#pragma once

#include <filesystem>
#include <map>

#include "util/Text.h"

namespace axo::lookups {

inline constexpr const char* kTaxOfficeFile = "Finu_001.txt";

class TaxOffices {
  public:
    /// Reads "Finu_001.txt" in `home` (Windows-1250 or UTF-8, any line ends); without the file,
    /// the offices the program knows.
    static TaxOffices Read(const std::filesystem::path& home);
    /// Reads the text of such a file: field 1 the number, field 2 the name, both trimmed; lines
    /// without a number are skipped, the first line of a number counts.
    static TaxOffices Parse(const Text& content);
    /// The offices the program knows.
    static TaxOffices Known();

    /// The name of the office; empty when it is not known. Numbers are compared as numbers
    /// when both are digits ("13" and "013" are one office).
    Text Name(const Text& number) const;
    std::size_t Size() const { return names_.size(); }

  private:
    std::map<Text, Text> names_;
};

}  // namespace axo::lookups

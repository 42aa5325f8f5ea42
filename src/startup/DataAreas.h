// The data areas of the installation: their roots resolved against the program directory, the
// areas that share a root, and the data installation file of an area's fiscal-year directory
// with its checks against the program installation.
#pragma once

#include <filesystem>
#include <memory>

#include "startup/InstallationFiles.h"
#include "startup/Session.h"

namespace axo::startup {

/// A root as stored ("data/", "C:\AXO\DATA\" is not meant for this system): trimmed, "\" read as
/// "/", relative roots taken from the program directory (so that an installation can be moved),
/// made absolute and normal, without a trailing "/". An empty root is the program directory.
std::filesystem::path ResolveRoot(const Text& stored,
                                  const std::filesystem::path& programDirectory);

/// Fills the roots of the ten areas from the program installation and notes which areas share
/// a root with an earlier one (compared as resolved paths, links followed).
void ResolveAreaRoots(Session& session);

/// Whether two areas have the same root.
bool SameRoot(const Session& session, int a, int b);

/// An area's directory as the installation gives it: the stored root ("\" read as "/", ending
/// in "/") and, for areas 0-7, the fiscal year's path code + "/". A relative root stays relative
/// to the program directory, so that the table layer's limit on directory texts
/// (storage::kMaxDirectoryText) does not depend on where the installation lies.
Text StoredAreaDirectory(const Session& session, int area);

/// The data installation file of an area's directory, opened shared and write-locked, and its
/// first record. A directory whose stored text (StoredAreaDirectory) is longer than the table
/// layer takes is refused. The messages end with `trailing`; false after one.
bool OpenDataInstallation(Session& session, int area, std::unique_ptr<tSouborAXO_DATA>& file,
                          tVetaAXO_DATA& record, const Text& trailing);

/// Checks the data installation of `area` against the program installation (version, fiscal
/// year) and the other areas (VAT payer, kind of firm), and takes its overrides into the
/// combined record (area 0's record becomes it). False after the message.
bool CheckDataInstallation(Session& session, int area, const std::filesystem::path& directory,
                           const tVetaAXO_DATA& record);

/// The fiscal year's path code as the table holds it (trimmed): the name of its directories.
Text FiscalYearDirectoryName(const Session& session);

}  // namespace axo::startup

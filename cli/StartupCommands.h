// The commands of axo-pap-cli that create an installation and show its environment.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "Options.h"

namespace axo::cli {

/// init DIR --year YYYY [--user NAME --password P --supervisor P --firm NAME --ico ICO] [--force]
int RunInit(const Options& options, std::ostream& out, std::ostream& err);
/// migrate --to postgresql|sqlite --db CONNECTION: the installation's tables to the other engine.
int RunMigrate(const Options& options, std::ostream& out, std::ostream& err);
/// info: the system information of a started session.
int RunInfo(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli

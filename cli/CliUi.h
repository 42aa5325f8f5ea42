// The UI services of the command line: the scripted front end with default answers, messages
// echoed to standard error, a progress bar when standard error is a terminal, and an immediate
// exit when the program must end.
#pragma once

#include "ui/ScriptedUi.h"

namespace axo::cli {

class CliUi : public ui::ScriptedUi {
  public:
    CliUi();
    [[noreturn]] void Terminate(int exitCode) override;
};

}  // namespace axo::cli

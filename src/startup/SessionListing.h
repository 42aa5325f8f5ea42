// What text printouts need from a started session: the organisation, the program date, the
// date switch, the default page lengths, the printer set-up in the parameter vault and the
// installation's root path for the print programs.
#pragma once

#include <cstddef>
#include <functional>

#include "startup/Session.h"
#include "ui/ListingEnvironment.h"

namespace axo::startup {

/// The listing environment of `session`. It refers to the session (its context and its
/// parameter vault), which must outlive it.
ui::ListingEnvironment ListingEnvironmentFor(const Session& session);

/// The parameter vault of a session as the settings hooks windows and runs keep their blocks
/// through (load, store, delete a block by group and item). They refer to the session.
struct SettingsHooks {
    std::function<bool(int group, int item, void* block, std::size_t length)> load;
    std::function<void(int group, int item, const void* block, std::size_t length)> save;
    std::function<void(int group, int item)> remove;
};
SettingsHooks SettingsHooksFor(const Session& session);

}  // namespace axo::startup

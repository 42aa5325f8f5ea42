// The listing environment of a started session.
#include "startup/SessionListing.h"

#include "startup/Trezor.h"
#include "storage/WorkFiles.h"

namespace axo::startup {

ui::ListingEnvironment ListingEnvironmentFor(const Session& session) {
    ui::ListingEnvironment env;
    env.data = &session.Context();
    env.firmName = session.FirmName();
    env.firmAddress = session.FirmAddress();
    env.programDate = session.ProgramDate();
    env.systemDateTime = session.GetSwitches().printoutSystemDateTime;
    const tVetaAXO& program = session.ProgramInstallation();
    env.defaultNarrowLength = program.MaxFPMRadekPortrait;
    env.defaultWideLength = program.MaxFPMRadekLandScape;
    env.templateRoot = program.CA_Cesta[kAreaSablony];
    env.printerKind = program.CsKod_PrManDos;
    env.loadOutputSettings = [&session](void* block, std::size_t length) {
        return LoadSettings(session.ParameterVault(), 20, 2, block, static_cast<int>(length));
    };
    env.mailProgram = storage::PathFromText(session.GetSwitches().mailProgram);
    env.mailSender = session.GetSwitches().mailSender;
    env.pickRecipient = session.RecipientPicker();
    env.dialogs = session.DialogEnv();
    return env;
}

SettingsHooks SettingsHooksFor(const Session& session) {
    SettingsHooks hooks;
    hooks.load = [&session](int group, int item, void* block, std::size_t length) {
        return LoadSettings(session.ParameterVault(), group, item, block, static_cast<int>(length));
    };
    hooks.save = [&session](int group, int item, const void* block, std::size_t length) {
        SaveSettings(session.ParameterVault(), group, item, block, static_cast<int>(length));
    };
    hooks.remove = [&session](int group, int item) {
        DeleteSettings(session.ParameterVault(), group, item);
    };
    return hooks;
}

}  // namespace axo::startup

// The listing environment of a started session.
#include "startup/SessionListing.h"

#include "startup/Trezor.h"

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
    return env;
}

}  // namespace axo::startup

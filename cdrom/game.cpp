// The game's stand-in (MirelP.exe): shows the settings the launcher left for it, then ends.
#include "cdrom/standin.h"

namespace {

const StandInIdentity kGame = {
    "MirelP.exe",
    "QUARLOCK2 (stand-in)",
    "QUARLOCK2 is running with these settings:",
    "QUARLOCK2 PC DoubleStart Check",
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    StandIn standIn(kGame);
    standIn.noteSettingsKey(StandIn::KeyShown::InWindowToo);
    standIn.run();
    return standIn.finish(true);
}

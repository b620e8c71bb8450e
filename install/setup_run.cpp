// "Install": running the CD's setup.
#include "install/setup_run.h"

#include "common/launcher_texts.h"
#include "install/component_rules.h"
#include "install/program_start.h"

namespace {
constexpr CdProgram kSetupProgram = {kSetupRelativeName, kSetupStartError, nullptr, false};
}

int runSetup(HWND owner, bool uninstallRunning) {
    if (uninstallRunning) return 0;
    return runCdProgram(kSetupProgram, owner);
}

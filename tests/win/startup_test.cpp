// Start-up: the launch mutex claimed by one launcher only, and the end of a start whose title
// window cannot be made.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/module_instance.h"
#include "launcher/startup.h"
#include "tests/support/processes.h"
#include "tests/support/stand_ins.h"

namespace {

// A second launcher may create the mutex between the first one's checks and its claim: the
// later claim then refuses the start, as a mutex found by the checks does.
TEST(Startup, TheLaunchMutexIsClaimedByOneLauncherOnly) {
    ASSERT_FALSE(mutexExists(kLauncherMutexName));
    ASSERT_EQ(1, claimLauncherMutex());
    KernelHandle first(launcherMutex.release());
    ASSERT_TRUE(first.valid());

    EXPECT_EQ(0, claimLauncherMutex());
    EXPECT_FALSE(launcherMutex.valid());
    first.reset();
    EXPECT_FALSE(mutexExists(kLauncherMutexName)) << "the refused claim kept its handle";
}

// A program of another account, or an elevated one, holds a mutex that refuses this launcher
// access: it runs all the same.
TEST(Startup, AMutexThatRefusesAccessCountsAsItsProgramRunning) {
    for (const char* name : {kGameMutex, kSetupMutex, kUninstallerMutex, kLauncherMutexName}) {
        SCOPED_TRACE(name);
        KernelHandle foreign(createMutexGrantingOnlySynchronize(name));
        ASSERT_TRUE(foreign.valid());
        ASSERT_EQ(nullptr, OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name)) << "Wine no longer keeps the access list";
        EXPECT_EQ(1, anotherProgramRunning());
        if (name == kLauncherMutexName) {
            EXPECT_EQ(0, claimLauncherMutex());
        }
        EXPECT_FALSE(launcherMutex.valid());
    }
}

// A module without the title window's template stands for a window that cannot be made.
TEST(Startup, AStartWithoutItsTitleWindowEndsWithOne) {
    EXPECT_EQ(1, runLauncher(GetModuleHandleA("kernel32.dll")));
    EXPECT_FALSE(mutexExists(kLauncherMutexName));
    appInstance = GetModuleHandleA(nullptr);
}

}  // namespace

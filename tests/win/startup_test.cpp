// Start-up: the launch mutex claimed by one launcher only, the end of a start whose title
// window cannot be made, comctl32.dll taken from the system folder and the DLL search narrowed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/module_instance.h"
#include "common/path_buffer.h"
#include "common/system_libraries.h"
#include "launcher/startup.h"
#include "tests/support/files.h"
#include "tests/support/processes.h"
#include "tests/support/stand_ins.h"

namespace {

template <typename Function>
FARPROC asFarProc(Function function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

bool noneTaken(const CommonControls& functions) {
    return !functions.initCommonControls && !functions.propertySheet && !functions.createPropertySheetPage &&
           !functions.destroyPropertySheetPage;
}

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

// Each function is the one of its name in the system folder's comctl32.dll; a file that is not
// there, a library without them or a path too long for a path buffer gives none of them.
TEST(Startup, TheCommonControlsComeWholeFromTheSystemFolderOrNotAtAll) {
    const struct {
        const char* what;
        std::string fileName;
    } refused[] = {
        {"no such file", "no-such-library.dll"},
        {"a library without the functions", "kernel32.dll"},
        // Cut to fit a path buffer, it would still name the library: a path's trailing spaces drop.
        {"a path longer than a path buffer", "comctl32.dll" + std::string(kPathBufferSize, ' ')},
    };
    for (const auto& library : refused) {
        SCOPED_TRACE(library.what);
        CommonControls functions = {};
        EXPECT_EQ(0, loadCommonControlsFrom(library.fileName.c_str(), functions));
        EXPECT_TRUE(noneTaken(functions));
    }

    CommonControls functions = {};
    ASSERT_EQ(1, loadCommonControlsFrom("comctl32.dll", functions));
    const HMODULE library = GetModuleHandleA("comctl32.dll");
    char loaded[MAX_PATH] = "", system[MAX_PATH] = "";
    GetModuleFileNameA(library, loaded, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_STRCASEEQ((system + std::string("\\comctl32.dll")).c_str(), loaded);
    EXPECT_EQ(GetProcAddress(library, "InitCommonControls"), asFarProc(functions.initCommonControls));
    EXPECT_EQ(GetProcAddress(library, "PropertySheetA"), asFarProc(functions.propertySheet));
    EXPECT_EQ(GetProcAddress(library, "CreatePropertySheetPageA"), asFarProc(functions.createPropertySheetPage));
    EXPECT_EQ(GetProcAddress(library, "DestroyPropertySheetPage"), asFarProc(functions.destroyPropertySheetPage));
}

// Windows takes the current folder out of the DLL search when the DLL directory is set to an
// empty text; Wine keeps it in, so what shows here is that the start empties the directory.
TEST(Startup, TheStartEmptiesTheDllDirectory) {
    ASSERT_TRUE(SetDllDirectoryA("C:\\windows"));
    narrowDllSearch();
    char directory[MAX_PATH] = "unchanged";
    EXPECT_EQ(0u, GetDllDirectoryA(MAX_PATH, directory));
    EXPECT_STREQ("", directory);
    SetDllDirectoryA(nullptr);
}

}  // namespace

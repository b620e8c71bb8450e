// Entry point of the Windows test programs: they run only under Wine, never on a real
// machine whose registry they would change.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "common/system_libraries.h"

namespace {

// "--sleep-ms=N": the program only sleeps N milliseconds and exits with 0, so that tests
// have a real child process to start and watch.
bool runAsSleepingChild(int argc, char** argv) {
    const char kOption[] = "--sleep-ms=";
    if (argc != 2 || std::strncmp(argv[1], kOption, sizeof kOption - 1) != 0) return false;
    Sleep(static_cast<DWORD>(std::strtoul(argv[1] + sizeof kOption - 1, nullptr, 10)));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (runAsSleepingChild(argc, argv)) return 0;
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) {
        std::fprintf(stderr, "These tests change the registry and run only under Wine.\n");
        return 2;
    }
    // As the launcher starts: the sheet's and the tree view's code calls comctl32 through these.
    if (!loadCommonControls()) {
        std::fprintf(stderr, "comctl32.dll could not be loaded from the system folder.\n");
        return 2;
    }
    commonControls.initCommonControls();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

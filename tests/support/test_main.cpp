// Entry point of the Windows test programs: they run only under Wine, never on a real
// machine whose registry they would change.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) {
        std::fprintf(stderr, "These tests change the registry and run only under Wine.\n");
        return 2;
    }
    InitCommonControls();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

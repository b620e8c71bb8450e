// Entry point of the launcher, which no C runtime starts: it does the little that one did.
#include <windows.h>

#include "launcher/startup.h"

using StaticFunction = void (*)();

// The linker's tables, each -1, the entries of every object's section (.ctors, .dtors), then 0.
// The launcher's globals are constant-initialised, so the first is empty; the second holds the
// destructors of the global holders (cmake/windows.cmake: -fno-use-cxa-atexit).
extern "C" StaticFunction __CTOR_LIST__[];
extern "C" StaticFunction __DTOR_LIST__[];

namespace {

// In the C runtime's orders: constructors last first, destructors first first.
void runStaticConstructors() {
    int count = 0;
    while (__CTOR_LIST__[count + 1]) ++count;
    for (int entry = count; entry >= 1; --entry) __CTOR_LIST__[entry]();
}

void runStaticDestructors() {
    for (StaticFunction* entry = __DTOR_LIST__ + 1; *entry; ++entry) (*entry)();
}

}  // namespace

// Named as the program's entry by the link (cmake/windows.cmake). The launcher ignores the show
// command: its title window shows itself, and Windows applies the one it was started with.
extern "C" [[noreturn]] void launcherEntry() {
    // The x87 unit as the C runtime left it: initialised, 64-bit precision.
    __asm__ volatile("fninit");
    runStaticConstructors();
    const int exitCode = runLauncher(GetModuleHandleA(nullptr));
    runStaticDestructors();
    ExitProcess(static_cast<UINT>(exitCode));
}

// The DLLs the launcher loads itself, and the DLL search narrowed before them.
#include "common/system_libraries.h"

#include <cstring>

#include "common/path_buffer.h"
#include "common/text_format.h"

CommonControls commonControls;

namespace {

// In the order of CommonControls' members.
const char* const kCommonControlsFunctions[] = {"InitCommonControls", "PropertySheetA", "CreatePropertySheetPageA",
                                                "DestroyPropertySheetPage"};
constexpr int kCommonControlsFunctionCount = sizeof kCommonControlsFunctions / sizeof kCommonControlsFunctions[0];
static_assert(sizeof(CommonControls) == kCommonControlsFunctionCount * sizeof(FARPROC), "a name for each member");

// A function of kernel32.dll that the first Windows 95 lacks, taken by its name so that the
// launcher's imports stay those of the first Windows 95; nullptr where this Windows lacks it.
template <typename Function>
Function laterKernelFunction(const char* name) {
    // Through the one function type that converts to any other without a warning.
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

}  // namespace

void narrowDllSearch() {
    using SetDllDirectoryFunction = decltype(&SetDllDirectoryA);
    if (auto setDllDirectory = laterKernelFunction<SetDllDirectoryFunction>("SetDllDirectoryA")) setDllDirectory("");
}

int loadCommonControls() { return loadCommonControlsFrom("comctl32.dll", commonControls); }

int loadCommonControlsFrom(const char* fileName, CommonControls& functions) {
    char path[kPathBufferSize];
    // An answer as long as the buffer, or longer, is the size the folder's name would need.
    const UINT folderLength = GetSystemDirectoryA(path, kPathBufferSize);
    if (folderLength == 0 || folderLength >= kPathBufferSize) return 0;
    const int room = kPathBufferSize - static_cast<int>(folderLength);
    if (formatText(path + folderLength, room, "\\%s", fileName) >= room) return 0;
    const HMODULE library = LoadLibraryA(path);
    if (!library) return 0;
    FARPROC found[kCommonControlsFunctionCount];
    for (int index = 0; index < kCommonControlsFunctionCount; ++index) {
        found[index] = GetProcAddress(library, kCommonControlsFunctions[index]);
        if (!found[index]) return 0;
    }
    std::memcpy(&functions, found, sizeof functions);
    return 1;
}

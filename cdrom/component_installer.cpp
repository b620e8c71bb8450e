// The runtime component installers' stand-in, built once per component: DXINST.bin (DirectX 6),
// iv5play.exe (Indeo Video 5.06) and enduser.exe (DirectX Media 6). They install nothing.
#include "cdrom/standin.h"

namespace {

#if defined(COMPONENT_DIRECTX)
const StandInIdentity kComponent = {"DXINST.bin", "DirectX 6 Setup (stand-in)",
                                    "Installing DirectX 6 (nothing is changed)", nullptr};
#elif defined(COMPONENT_INDEO)
const StandInIdentity kComponent = {"iv5play.exe", "Indeo Video 5.06 Setup (stand-in)",
                                    "Installing Indeo Video 5.06 (nothing is changed)", nullptr};
#elif defined(COMPONENT_DIRECTX_MEDIA)
const StandInIdentity kComponent = {"enduser.exe", "DirectX Media 6 Setup (stand-in)",
                                    "Installing DirectX Media 6 (nothing is changed)", nullptr};
#else
#error "Define which component installer this build is."
#endif

#if defined(COMPONENT_DIRECTX)
std::string unquoted(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    while (!text.empty() && text.front() == ' ') text.erase(0, 1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

// The launcher passes the folder of the DirectX files as the whole command line; started by
// hand, the program's own name comes first.
std::string sourceFolder() {
    std::string commandLine = GetCommandLineA();
    std::string whole = unquoted(commandLine);
    if (isFolder(whole)) return whole;
    size_t nameEnd = commandLine.find(commandLine[0] == '"' ? '"' : ' ', 1);
    if (nameEnd == std::string::npos) return whole;
    std::string rest = unquoted(commandLine.substr(nameEnd + 1));
    return rest.empty() ? whole : rest;
}
#endif

// DirectX is installed from the folder named on the command line; the other two components
// carry their files inside.
bool findSourceFiles(StandIn& standIn) {
#if defined(COMPONENT_DIRECTX)
    std::string folder = sourceFolder();
    bool found = isFolder(folder);
    standIn.note("source_folder", folder);
    standIn.note("source_folder_exists", found ? "1" : "0");
    standIn.display("DirectX files: " + folder + (found ? "" : " (not found)"));
    return found;
#else
    (void)standIn;
    return true;
#endif
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    StandIn standIn(kComponent);
    bool ready = findSourceFiles(standIn);
    standIn.run();
    return standIn.finish(ready);
}

// The install layout shared by setup's and the uninstaller's stand-ins.
#include "cdrom/install_layout.h"

#include "cdrom/standin.h"

const char* const kGameFileName = "MirelP.exe";

std::string installedGamePath(const std::string& installFolder) {
    return installFolder + "\\regist\\" + kGameFileName;
}

std::string publisherFolder() {
    std::string programFiles =
        readMachineString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
    while (!programFiles.empty() && programFiles.back() == '\\') programFiles.pop_back();
    return programFiles.empty() ? programFiles : programFiles + "\\ORVANE";
}

std::string defaultInstallFolder() {
    std::string publisher = publisherFolder();
    return publisher.empty() ? publisher : publisher + "\\QUARLOCK2";
}

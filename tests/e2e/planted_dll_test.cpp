// A comctl32.dll lying beside a copy of the launcher, as in a copy of the CD in a downloads
// folder: the launcher loads the system's own and shows its sheet and its folder chooser with it.
// Wine looks in the program's folder for a system DLL only when told to prefer a DLL found
// there, which the launcher's start is told.
#include "tests/support/launcher_e2e.h"

#include <commctrl.h>
#include <prsht.h>

#include "tests/support/processes.h"

namespace {

// The CD's top-level files copied into a folder of the test's own, with the planted DLL (built
// beside the test program) named comctl32.dll beside the copy of the launcher.
class PlantedDll : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        WIN32_FIND_DATAA found;
        FindHandle files(FindFirstFileA((std::string(kCdRoot) + "*").c_str(), &found));
        ASSERT_TRUE(files.valid());
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const std::string name = found.cFileName;
            ASSERT_TRUE(CopyFileA((kCdRoot + name).c_str(), (copy_ / name).c_str(), FALSE)) << name;
        } while (FindNextFileA(files.get(), &found));
        ASSERT_TRUE(CopyFileA(plantedDllPath().c_str(), planted_.c_str(), FALSE));
    }

    bool plantedLoaded() const {
        return GetFileAttributesA((planted_ + ".loaded").c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    ScratchFolder copy_{"planted-dll-cd-copy"};
    const std::string planted_ = copy_ / "comctl32.dll";
};

TEST_F(PlantedDll, TheLauncherLoadsTheSystemsComctl32AndShowsItsSheetAndChooser) {
    LauncherDllOverride preferPlanted("comctl32", "native,builtin");
    ASSERT_TRUE(preferPlanted.set());
    LauncherOptions options;
    options.program = copy_ / "Qlk2_launch.exe";
    options.directory = copy_.root();
    ASSERT_TRUE(startAtTitleScreen(options)) << "the planted DLL was " << (plantedLoaded() ? "" : "not ") << "loaded";
    EXPECT_FALSE(plantedLoaded());
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_STRCASEEQ((system + std::string("\\comctl32.dll")).c_str(),
                     loadedModulePath(launcher_.id(), "comctl32.dll").c_str());

    HWND sheet = openOptionsSheet();
    ASSERT_TRUE(sheet);
    closeOptionsSheet(sheet, PSBTN_CANCEL);

    postClick(title_, 400, 290);
    HWND chooser = waitForDialog(launcher_.id(), IDC_FOLDER_TREE);
    ASSERT_TRUE(chooser) << describeWindows(launcher_.id());
    EXPECT_GT(SendDlgItemMessageA(chooser, IDC_FOLDER_TREE, TVM_GETCOUNT, 0, 0), 0) << "the tree is empty";
    clickButton(chooser, IDCANCEL);
    EXPECT_TRUE(waitUntilGone(chooser));

    EXPECT_FALSE(plantedLoaded());
    closeLauncher();
}

}  // namespace

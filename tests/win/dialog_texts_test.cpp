// Every text the dialogs set when they open, read from the open dialogs and compared with the
// texts the launcher is meant to show.
#include <windows.h>

#include <cstring>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/configuration_sheet.h"
#include "resources/resource_ids.h"
#include "savefolder/new_folder_dialog.h"
#include "savefolder/save_folder_dialog.h"
#include "tests/support/launcher_state.h"
#include "tests/support/window_driver.h"

namespace {

struct ShownText {
    int id;  // 0: the caption
    const char* text;
};

void expectTexts(HWND dialog, const std::vector<ShownText>& texts) {
    for (const ShownText& shown : texts) {
        std::string text = shown.id ? dialogItemText(dialog, shown.id) : windowText(dialog);
        for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
        EXPECT_EQ(text, shown.text) << "control " << shown.id;
    }
}

TEST(DialogTexts, EachDialogShowsItsOwnTexts) {
    SavedLauncherState saved;
    std::memset(driveTable.fixedDrives, 0, sizeof driveTable.fixedDrives);
    std::strcpy(driveTable.fixedDrives[0].name, "C:");
    std::strcpy(launcherSettings.savePath, "C:\\");

    auto chooser = whenDialogAppears(IDC_FOLDER_TREE, [](HWND dialog) {
        expectTexts(dialog, {{0, "QUARLOCK2"}, {IDOK, "OK"}, {IDCANCEL, "CANCEL"}, {IDC_FOLDER_NEW, "&New Folder"},
                             {IDC_FOLDER_PROMPT, "Please specify the folder for save game data."}});
        pressButton(dialog, IDCANCEL);
    });
    chooseSaveFolder(nullptr);
    EXPECT_TRUE(chooser.get());

    auto name = whenDialogAppears(IDC_NEW_FOLDER_PROMPT, [](HWND dialog) {
        expectTexts(dialog, {{0, "QUARLOCK2"}, {IDOK, "OK"}, {IDCANCEL, "CANCEL"},
                             {IDC_NEW_FOLDER_PROMPT, "Enter folder name to be created under C:\\ folder."}});
        pressButton(dialog, IDCANCEL);
    });
    runNewFolderNameDialog(nullptr, launcherSettings.savePath);
    EXPECT_TRUE(name.get());

    const std::vector<ShownText> pages[] = {
        {{IDC_SCREEN_DEVICE_LABEL, "Device Setup"},
         {IDC_SCREEN_DRIVER_HELP, "Choose \"SOFTWARE VERSION (VIDEO MEMORY)\" to run the game without any hardware "
                                  "acceleration.\nIf this doesn't work please try SOFTWARE VERSION (SYSTEM MEMORY)."},
         {IDC_SCREEN_DETECT_LABEL, "3D accelerator card automatically detected."},
         {IDC_SCREEN_DETECT, "Detect."},
         {IDC_SCREEN_MODE_LABEL, "Screen Resolution"}},
        {{IDC_FEATURES_LABEL, "Features"},
         {IDC_FEATURES_DESCRIPTION_LABEL, "Description"},
         {IDC_FEATURES_QUALITY, "Graphic quality priority"},
         {IDC_FEATURES_PERFORMANCE, "Performance priority"},
         {IDC_FEATURES_QUALITY_TEXT, "Increase the priority for the graphic and sound quality if possible but "
                                     "decrease the game's performance (game runs less smoothly)."},
         {IDC_FEATURES_PERFORMANCE_TEXT, "Increase the priority for the game's performance if possible (make the "
                                         "game run smoother) but decrease the quality of the graphics and sound."}},
        {{IDC_FUTURE_HELP, "Future card support. Only to be used with patches to support the latest 3D accelerator "
                           "cards.\nCheck the Orvane or Briskel web sites for the latest information."},
         {IDC_FUTURE_DATA1_LABEL, "DATA1"},
         {IDC_FUTURE_DATA2_LABEL, "DATA2"},
         {IDC_FUTURE_DATA3_LABEL, "DATA3"},
         {IDC_FUTURE_DATA4_LABEL, "DATA4"},
         {IDC_FUTURE_DEFAULT, "DEFAULT"}},
    };
    TestWindow owner(true);
    auto sheet = whenWindowAppears("#32770", "QUARLOCK2", [&pages](HWND sheet) {
        for (int page = 0; page < 3; ++page) {
            SCOPED_TRACE(page);
            selectSheetPage(sheet, page);
            expectTexts(sheetPage(sheet, page), pages[page]);
        }
        pressSheetButton(sheet, PSBTN_CANCEL);
    });
    runConfigurationSheet(owner);
    EXPECT_TRUE(sheet.get());
}

}  // namespace

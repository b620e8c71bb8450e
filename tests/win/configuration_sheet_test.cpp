// The OPTIONS sheet driven through Wine's property sheet: its frame, the three pages, what
// OK stores in the registry and what Cancel puts back.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdint>
#include <functional>
#include <future>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "config/configuration_sheet.h"
#include "config/screen_modes.h"
#include "common/launcher_texts.h"
#include "resources/resource_ids.h"
#include "settings/launcher_settings.h"
#include "tests/support/launcher_state.h"
#include "tests/support/registry_expect.h"
#include "tests/support/window_driver.h"

namespace {

constexpr const char* kSheetCaption = "QUARLOCK2";
constexpr int kApplyButtonId = 0x3021;
constexpr int kScreenPage = 0, kFeaturesPage = 1, kFuturePage = 2;
constexpr int kSoftwareVideoPosition = 18, kSoftwareSystemPosition = 19;
constexpr int kVoodooPosition = 0, kVoodoo2Position = 1, kRiva128Position = 10, kRivaTntPosition = 11;
constexpr int kSavagePosition = 16;
constexpr const char* kNoMode = "Choose a screen resolution from the list above.";

constexpr const char* kVoodoo2Id = "PCI\\VEN_121A&DEV_0002&SUBSYS_00000000&REV_02";
constexpr const char* kRivaTntId = "PCI\\VEN_10DE&DEV_0020&SUBSYS_00000000&REV_04";

// ---- Reading and working the pages from the helper thread ---------------------------------

// Switching tabs repaints the page on a real desktop; under a loaded Xvfb the expose can
// come late, so the page is painted here, before the next step (the Features page follows the
// driver only when it paints).
HWND showPage(HWND sheet, int index) {
    selectSheetPage(sheet, index);
    HWND page = sheetPage(sheet, index);
    InvalidateRect(page, nullptr, FALSE);
    UpdateWindow(page);
    return page;
}

std::vector<std::string> itemTexts(HWND page, int id, UINT countMessage, UINT textMessage) {
    std::vector<std::string> texts;
    const LRESULT count = SendDlgItemMessageA(page, id, countMessage, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        char text[512] = "";
        SendDlgItemMessageA(page, id, textMessage, index, reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

std::vector<std::string> comboTexts(HWND page, int id) { return itemTexts(page, id, CB_GETCOUNT, CB_GETLBTEXT); }

std::string text(HWND page, int id) { return dialogItemText(page, id); }

bool checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
bool visible(HWND page, int id) { return IsWindowVisible(GetDlgItem(page, id)) != FALSE; }

void selectFeature(HWND page, int position) {
    HWND list = GetDlgItem(page, IDC_FEATURES_LIST);
    SendMessageA(list, LB_SETCURSEL, position, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_FEATURES_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Which of the three choice buttons are checked, "100" for the first only.
std::string choiceChecks(HWND page) {
    std::string marks;
    for (int id : {IDC_FEATURES_CHOICE1, IDC_FEATURES_CHOICE2, IDC_FEATURES_CHOICE3})
        marks += checked(page, id) ? '1' : '0';
    return marks;
}

// The Features page refreshes itself when it is painted, which happens some time after it
// has been shown.
std::string choiceChecksOnceSettled(HWND page, const std::string& expected) {
    waitUntil([&] { return choiceChecks(page) == expected; }, 2000);
    return choiceChecks(page);
}

const std::vector<std::string> kStandardModes = {
    "320 x 240 16BitColour FullScreen",
    "640 x 480 16BitColour FullScreen",
    "320 x 240 (640 x 480) 16BitColour FullScreen",
    "320 x 240 -> 640 x 480 16BitColour FullScreen",
    "320 x 240 16BitColour Window",
    "640 x 480 16BitColour Window",
    "320 x 240 -> 640 x 480 16BitColour Window",
};
const std::vector<std::string> kVoodooModes = {"640 x 480 16BitColour FullScreen"};

void expectModeListAt(const char* file, int line, HWND page, const std::vector<std::string>& names, int selection,
                      const char* description) {
    const std::vector<std::string> seen = comboTexts(page, IDC_SCREEN_MODES);
    if (seen != names) ADD_FAILURE_AT(file, line) << "the mode list holds " << seen.size() << " entries";
    const int selected = comboSelection(page, IDC_SCREEN_MODES);
    if (selected != selection) ADD_FAILURE_AT(file, line) << "mode " << selected << " selected";
    const std::string shown = text(page, IDC_SCREEN_MODE_TEXT);
    if (shown != description) ADD_FAILURE_AT(file, line) << "description \"" << shown << '"';
}
#define expectModeList(page, names, selection, description) \
    expectModeListAt(__FILE__, __LINE__, page, names, selection, description)

// ---- The fixture --------------------------------------------------------------------------

// The record every test starts from.
const LauncherSettings kStartRecord = {19, 5, "C:\\Saves\\", 0x07970797, 9, 0.1f, 2.5f, 0xAB, 0xCD, 15, ""};

// The start record with another display driver and mode.
LauncherSettings withDisplay(int32_t driver, uint32_t mode = kStartRecord.displayMode) {
    LauncherSettings record = kStartRecord;
    record.displayDriver = driver;
    record.displayMode = mode;
    return record;
}

class ConfigurationSheetTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(deleteRegTree(kSettingsKey));
        ASSERT_NE(nullptr, owner_.get());
        launcherSettings = kStartRecord;
    }
    void TearDown() override { EXPECT_TRUE(deleteRegTree(kSettingsKey)); }

    // Runs the sheet on this thread while drive works it from a helper thread. A sheet that
    // drive leaves open is cancelled, so that a failing test cannot hang.
    void runSheet(std::function<void(HWND sheet)> drive) {
        std::future<bool> driven = whenWindowAppears("#32770", kSheetCaption, [drive](HWND sheet) {
            drive(sheet);
            if (!waitUntilGone(sheet, 5000)) {
                ADD_FAILURE() << "the sheet is still open";
                pressSheetButton(sheet, PSBTN_CANCEL);
                waitUntilGone(sheet, 5000);
            }
        });
        EXPECT_EQ(0, runConfigurationSheet(owner_));
        EXPECT_TRUE(driven.get()) << "no sheet came";
        EXPECT_EQ(nullptr, sheetFont.get()) << "the sheet's font outlives it";
    }
    // Runs the sheet with that page shown (it opens on the first), works the page, then presses
    // the button.
    void runPage(int index, std::function<void(HWND page)> work, int button = PSBTN_OK) {
        runSheet([&](HWND sheet) {
            work(index == kScreenPage ? sheetPage(sheet, index) : showPage(sheet, index));
            pressSheetButton(sheet, button);
        });
    }

    // Changes something on every page, sees the record changed while the sheet is open, and
    // closes it: nothing is written, and the record is what it was.
    void changeEveryPageThen(std::function<void(HWND sheet)> close) {
        runSheet([&](HWND sheet) {
            chooseComboEntry(sheetPage(sheet, kScreenPage), IDC_SCREEN_DRIVERS, kVoodoo2Position);
            HWND features = showPage(sheet, kFeaturesPage);
            pressButton(features, IDC_FEATURES_CHOICE2);  // SHADING off
            selectFeature(features, 5);
            pressButton(features, IDC_FEATURES_CHOICE1);  // high quality
            selectFeature(features, 6);
            pressButton(features, IDC_FEATURES_CHOICE2);  // mono
            HWND future = showPage(sheet, kFuturePage);
            pressButton(future, IDC_FUTURE_DEFAULT);
            for (int id : {IDC_FUTURE_DATA1, IDC_FUTURE_DATA2, IDC_FUTURE_DATA3, IDC_FUTURE_DATA4})
                setEditText(future, id, "77");
            EXPECT_EQ(17, launcherSettings.displayDriver);
            EXPECT_EQ(0u, launcherSettings.displayMode);
            EXPECT_EQ(0x07970796u, launcherSettings.optionBits);
            EXPECT_EQ(2u, launcherSettings.soundSetting);
            close(sheet);
        });
        EXPECT_FALSE(regKeyExists(kSettingsKey)) << "the sheet wrote to the registry";
        expectRecordAt(__FILE__, __LINE__, kStartRecord);
    }

    // The values OK stores for the record, and the record itself.
    static void expectSavedAt(const char* file, int line, const LauncherSettings& record) {
        const uint32_t sound = record.soundSetting;
        const DWORD installFlag = ((sound & 3) == 1 ? 0x100 : (sound & 3) == 2 ? 0x180 : 0) | (sound & 8 ? 0x200 : 0);
        expectRegDwordsAt(file, line, kSettingsKey,
                          {{"Display Driver", static_cast<DWORD>(record.displayDriver)},
                           {"Display Mode", record.displayMode}, {"Option", record.optionBits},
                           {"Install Flag", installFlag}, {"DATA1", floatBits(record.data1)},
                           {"DATA2", floatBits(record.data2)}, {"DATA3", record.data3}, {"DATA4", record.data4}});
        expectRecordAt(file, line, record);
    }

    static void expectRecordAt(const char* file, int line, const LauncherSettings& record) {
        SCOPED_TRACE(testing::Message() << "record at " << file << ":" << line);
        EXPECT_EQ(storedValues(record), storedValues(launcherSettings));
    }

    SavedLauncherState saved_;
    TestWindow owner_{true};
};
#define expectSaved(record) expectSavedAt(__FILE__, __LINE__, record)
#define expectRecord(record) expectRecordAt(__FILE__, __LINE__, record)
#define expectNothingWritten() EXPECT_FALSE(regKeyExists(kSettingsKey)) << "the sheet wrote to the registry"

// ---- The frame ----------------------------------------------------------------------------

TEST_F(ConfigurationSheetTest, OpensOnTheFirstOfThreePagesWithOkAndCancelOnly) {
    runSheet([this](HWND sheet) {  // found by its caption
        EXPECT_EQ(owner_.get(), GetWindow(sheet, GW_OWNER));
        HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
        std::vector<std::string> titles;
        const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            char title[128] = "";
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = title;
            item.cchTextMax = sizeof title;
            SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
            titles.push_back(title);
        }
        EXPECT_EQ((std::vector<std::string>{"Screen adjustment.", "Features", "Future Support"}), titles);
        EXPECT_EQ(0, SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
        HWND page = sheetPage(sheet, kScreenPage);
        EXPECT_TRUE(page && currentSheetPage(sheet) == page);
        HWND apply = GetDlgItem(sheet, kApplyButtonId);
        EXPECT_FALSE(apply && IsWindowVisible(apply));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDOK)));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDCANCEL)));
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(page, IDC_SCREEN_DRIVER_HELP, WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(15, font.lfHeight);
        EXPECT_EQ(100, font.lfWeight);
        EXPECT_EQ(FF_ROMAN | DEFAULT_PITCH, font.lfPitchAndFamily);
        EXPECT_STREQ("Times New Roman", font.lfFaceName);
        pressSheetButton(sheet, PSBTN_CANCEL);
    });
    // Cancel at once: nothing written, nothing changed.
    expectNothingWritten();
    expectRecord(kStartRecord);

    // Closed on another page, it opens on the first again.
    runSheet([](HWND sheet) {
        selectSheetPage(sheet, kFuturePage);
        pressSheetButton(sheet, PSBTN_OK);
    });
    runSheet([](HWND sheet) {
        EXPECT_EQ(sheetPage(sheet, kScreenPage), currentSheetPage(sheet));
        pressSheetButton(sheet, PSBTN_CANCEL);
    });
}

TEST_F(ConfigurationSheetTest, CancelPutsBackWhatThePagesChanged) {
    changeEveryPageThen([](HWND sheet) { pressSheetButton(sheet, PSBTN_CANCEL); });
}

TEST_F(ConfigurationSheetTest, TheCloseBoxPutsBackWhatThePagesChanged) {
    changeEveryPageThen([](HWND sheet) { PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0); });
}

// The ends of the dialog initialisations and of the change reports on this thread, in their
// order: "init" and the dialog, "changed" and the page named by the report.
std::vector<std::pair<std::string, HWND>> pageEvents;
LRESULT CALLBACK recordPageEvent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_INITDIALOG) pageEvents.emplace_back("init", sent->hwnd);
    if (code == HC_ACTION && sent->message == PSM_CHANGED)
        pageEvents.emplace_back("changed", reinterpret_cast<HWND>(sent->wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// OK always saves the whole record, changed or not, whichever pages were shown. The first page
// tells the sheet it changed once it has been initialised (a change reported during its
// initialisation is forgotten), so that OK answers at least 1 on a comctl32 that answers 0
// when no page reported one, as documented.
TEST_F(ConfigurationSheetTest, OkOnTheFirstPageSavesTheWholeRecord) {
    pageEvents.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, recordPageEvent, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    HWND first = nullptr;
    runPage(kScreenPage, [&](HWND page) { first = page; });
    UnhookWindowsHookEx(hook);
    expectSaved(kStartRecord);
    std::vector<std::string> firstPageEvents;
    for (const auto& event : pageEvents)
        if (event.second == first) firstPageEvents.push_back(event.first);
    EXPECT_EQ((std::vector<std::string>{"init", "changed"}), firstPageEvents);
}

TEST_F(ConfigurationSheetTest, OkOnTheFutureSupportPageSavesTheWholeRecord) {
    runPage(kFuturePage, [](HWND) {});
    expectSaved(kStartRecord);
}

TEST_F(ConfigurationSheetTest, OkAfterEveryPageWasShownSavesTheWholeRecord) {
    runSheet([](HWND sheet) {
        showPage(sheet, kFeaturesPage);
        showPage(sheet, kFuturePage);
        pressSheetButton(sheet, PSBTN_OK);
    });
    expectSaved(kStartRecord);
}

// ---- What the pages show ------------------------------------------------------------------

// Why a control's text does not fit inside it, laid out as the control lays it out; empty
// when it fits. spare: width the control keeps for itself (an arrow button, a frame).
std::string overflow(HWND control, const std::string& shown, UINT format, int spare) {
    RECT client = {};
    GetClientRect(control, &client);
    const int width = client.right - spare;
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT needed = {0, 0, width, 0};
    DrawTextA(dc, shown.c_str(), -1, &needed, format | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    if (needed.right <= width && needed.bottom <= client.bottom) return "";
    return "control " + std::to_string(GetDlgCtrlID(control)) + ": \"" + shown.substr(0, 48) + "...\" needs " +
           std::to_string(needed.right) + " x " + std::to_string(needed.bottom) + " pixels, has " +
           std::to_string(width) + " x " + std::to_string(client.bottom);
}

// Every static text and button caption of the page as it shows now, and every entry of its
// lists; the reasons of those that do not fit.
std::vector<std::string> overflowsOf(HWND page) {
    std::vector<std::string> found;
    auto note = [&found](const std::string& reason) {
        if (!reason.empty()) found.push_back(reason);
    };
    for (HWND control = GetWindow(page, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsWindowVisible(control)) continue;
        const std::string kind = windowClass(control);
        const int id = GetDlgCtrlID(control);
        if (kind == "Static") note(overflow(control, windowText(control), DT_WORDBREAK | DT_EXPANDTABS, 0));
        if (kind == "Button") note(overflow(control, windowText(control), DT_SINGLELINE, 8));
        if (kind == "ComboBox") {
            for (const std::string& entry : comboTexts(page, id))
                note(overflow(control, entry, DT_SINGLELINE, GetSystemMetrics(SM_CXVSCROLL) + 6));
        }
        if (kind == "ListBox") {
            for (const std::string& entry : itemTexts(page, id, LB_GETCOUNT, LB_GETTEXT))
                note(overflow(control, entry, DT_SINGLELINE, 4));
        }
    }
    return found;
}

// Saves a picture of the sheet under SHEET_SCREENSHOT_DIR (a Windows path), when it is set.
void savePicture(HWND sheet, const char* name) {
    char folder[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("SHEET_SCREENSHOT_DIR", folder, sizeof folder)) return;
    Sleep(300);  // painting has settled
    RECT area = {};
    GetWindowRect(sheet, &area);
    const std::string path = std::string(folder) + "\\" + name;
    EXPECT_TRUE(ScreenPixels(area).writeBmp(path.c_str())) << path;
}

// Each page with each of its descriptions: every text is readable in full in its control.
TEST_F(ConfigurationSheetTest, EveryTextFitsItsControl) {
    std::vector<std::string> overflows;
    auto check = [&overflows](HWND page, const std::string& where) {
        for (const std::string& reason : overflowsOf(page)) overflows.push_back(where + ": " + reason);
    };
    runSheet([&](HWND sheet) {
        HWND screen = sheetPage(sheet, kScreenPage);
        savePicture(sheet, "sheet_screen_adjustment.bmp");
        for (int mode = 0; mode < 7; ++mode) {
            chooseComboEntry(screen, IDC_SCREEN_MODES, mode);
            check(screen, "mode " + std::to_string(mode));
        }

        HWND features = showPage(sheet, kFeaturesPage);
        savePicture(sheet, "sheet_features.bmp");
        for (int feature = 0; feature < 11; ++feature) {
            selectFeature(features, feature);
            check(features, "feature " + std::to_string(feature));
        }
        selectFeature(features, 5);
        for (int level : {IDC_FEATURES_CHOICE1, IDC_FEATURES_CHOICE2, IDC_FEATURES_CHOICE3}) {
            pressButton(features, level);
            check(features, "sound quality " + std::to_string(level));
        }
        pressButton(features, IDC_FEATURES_CHOICE1);
        savePicture(sheet, "sheet_features_sound_quality.bmp");

        check(showPage(sheet, kFuturePage), "Future Support");
        savePicture(sheet, "sheet_future_support.bmp");
        pressSheetButton(sheet, PSBTN_CANCEL);
    });
    for (const std::string& reason : overflows) ADD_FAILURE() << reason;
}

// The lists keep their order, and the third choice shows only for the sound quality.
TEST_F(ConfigurationSheetTest, ListsAreUnsortedAndTheThirdChoiceStartsHidden) {
    runSheet([](HWND sheet) {
        HWND screen = sheetPage(sheet, kScreenPage);
        const std::vector<std::string> drivers = comboTexts(screen, IDC_SCREEN_DRIVERS);
        ASSERT_EQ(20u, drivers.size());
        for (int position = 0; position < kDriverListCount; ++position)
            EXPECT_EQ(driverListText(position), drivers[position]);
        for (int id : {IDC_SCREEN_DRIVERS, IDC_SCREEN_MODES}) {
            const LONG_PTR style = GetWindowLongPtrA(GetDlgItem(screen, id), GWL_STYLE);
            EXPECT_EQ(CBS_DROPDOWNLIST, style & 3);
            EXPECT_FALSE(style & CBS_SORT);
        }
        HWND features = showPage(sheet, kFeaturesPage);
        EXPECT_FALSE(visible(features, IDC_FEATURES_CHOICE3));
        const std::vector<std::string> names = itemTexts(features, IDC_FEATURES_LIST, LB_GETCOUNT, LB_GETTEXT);
        ASSERT_EQ(11u, names.size());
        EXPECT_EQ("SHADING", names[0]);
        EXPECT_EQ("PERSPECTIVE-CORRECTION", names[10]);
        const LONG_PTR style = GetWindowLongPtrA(GetDlgItem(features, IDC_FEATURES_LIST), GWL_STYLE);
        EXPECT_FALSE(style & LBS_SORT);
        EXPECT_TRUE(style & LBS_NOTIFY);
        pressSheetButton(sheet, PSBTN_CANCEL);
    });
}

// ---- Screen adjustment --------------------------------------------------------------------

TEST_F(ConfigurationSheetTest, VoodooFamilyOffersOneModeAndOtherCardsSeven) {
    for (const int voodoo : {kVoodooPosition, kVoodoo2Position}) {
        SCOPED_TRACE(voodoo == kVoodooPosition ? "Voodoo" : "Voodoo2");
        launcherSettings = kStartRecord;
        runPage(kScreenPage, [&](HWND page) {
            expectModeList(page, kStandardModes, 5, "Launch on 640x480 window.");
            chooseComboEntry(page, IDC_SCREEN_MODES, 3);
            expectModeList(page, kStandardModes, 3, "Launch on 640x480 full-screen but game running on 320x240.");
            EXPECT_EQ(5u, launcherSettings.displayMode) << "a mode is taken only on OK";

            chooseComboEntry(page, IDC_SCREEN_DRIVERS, voodoo);
            expectModeList(page, kVoodooModes, 0, "Launch on 640x480 full-screen.");
            EXPECT_EQ(voodoo == kVoodooPosition ? 0 : 17, launcherSettings.displayDriver);
            EXPECT_EQ(0u, launcherSettings.displayMode);

            chooseComboEntry(page, IDC_SCREEN_DRIVERS, kRiva128Position);
            expectModeList(page, kStandardModes, 0, "Launch on 320x240 full-screen.");
            EXPECT_EQ(11, launcherSettings.displayDriver);
        });
        expectSaved(withDisplay(11, 0));

        // OK right after choosing the Voodoo card stores its one mode.
        launcherSettings = kStartRecord;
        runPage(kScreenPage, [&](HWND page) {
            chooseComboEntry(page, IDC_SCREEN_DRIVERS, voodoo);
            chooseComboEntry(page, IDC_SCREEN_MODES, 0);
        });
        expectSaved(withDisplay(voodoo == kVoodooPosition ? 0 : 17, 0));
    }
}

// A mode picked but not applied is not carried over to the list of another card.
TEST_F(ConfigurationSheetTest, AnotherCardShowsTheStoredModeNotThePickedOne) {
    runPage(kScreenPage, [](HWND page) {
        chooseComboEntry(page, IDC_SCREEN_MODES, 3);
        chooseComboEntry(page, IDC_SCREEN_DRIVERS, kSavagePosition);
        expectModeList(page, kStandardModes, 5, "Launch on 640x480 window.");
    });
    expectSaved(withDisplay(22));
}

TEST_F(ConfigurationSheetTest, StoredValuesOutsideTheListsAreShownSafely) {
    const struct {
        int32_t driver;
        uint32_t mode;
        int driverSelected;
        int modeSelected;
        const char* description;
        int32_t storedDriver;
        uint32_t storedMode;
    } cases[] = {
        {99, 2, kSoftwareSystemPosition, 2, "Launch on 640x480 full-screen but on 320x240 game running.", 7, 2},
        {3, 0, kSoftwareSystemPosition, 0, "Launch on 320x240 full-screen.", 7, 0},
        {19, 7, kRivaTntPosition, -1, kNoMode, 19, 0xFFFFFFFF},
        {19, 0xFFFFFFFF, kRivaTntPosition, -1, kNoMode, 19, 0xFFFFFFFF},
        {17, 4, kVoodoo2Position, 0, "Launch on 640x480 full-screen.", 17, 0},
        {0, 0xFFFFFFFF, kVoodooPosition, 0, "Launch on 640x480 full-screen.", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "driver " << c.driver << ", mode " << c.mode);
        launcherSettings = withDisplay(c.driver, c.mode);
        runPage(kScreenPage, [&](HWND page) {
            EXPECT_EQ(c.driverSelected, comboSelection(page, IDC_SCREEN_DRIVERS));
            EXPECT_EQ(c.modeSelected, comboSelection(page, IDC_SCREEN_MODES));
            EXPECT_EQ(c.description, text(page, IDC_SCREEN_MODE_TEXT));
            EXPECT_EQ(std::vector<std::string>(), overflowsOf(page));
        });
        expectSaved(withDisplay(c.storedDriver, c.storedMode));
    }
}

TEST_F(ConfigurationSheetTest, DetectAsksBeforeItSelectsTheCard) {
    const std::string detected = " has been detected in your system, would you like to use it?";
    const struct {
        const char* what;
        std::vector<const char*> devices;
        int answer;
        std::string question;
        int driverSelected;
        const std::vector<std::string>* modes;
        int32_t storedDriver;
        uint32_t storedMode;
    } cases[] = {
        {"Voodoo2 and RIVA TNT", {kVoodoo2Id, kRivaTntId}, IDOK, "VooDoo2" + detected, kVoodoo2Position,
         &kVoodooModes, 17, 0},
        {"no card", {}, IDOK, "SOFTWARE VERSION (SYSTEM MEMORY)" + detected, kSoftwareSystemPosition,
         &kStandardModes, 7, 5},
        {"RIVA TNT, answered Cancel", {kRivaTntId}, IDCANCEL, "RIVA TNT" + detected, kSavagePosition,
         &kStandardModes, 22, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceKeys devices;
        char name[] = "QLK2_A";
        for (const char* device : c.devices) {
            ASSERT_TRUE(devices.add(name, device));
            ++name[5];
        }
        launcherSettings = withDisplay(22);  // Savage
        runSheet([&](HWND sheet) {
            HWND page = sheetPage(sheet, kScreenPage);
            const std::string descriptionBefore = text(page, IDC_SCREEN_MODE_TEXT);
            // A box owned by a page belongs to the sheet, the page's top-level window.
            expectBox(pressAndAnswer(page, IDC_SCREEN_DETECT, c.answer), c.question, kGameTitle, sheet,
                      {IDOK, IDCANCEL});
            EXPECT_EQ(c.driverSelected, comboSelection(page, IDC_SCREEN_DRIVERS));
            EXPECT_EQ(*c.modes, comboTexts(page, IDC_SCREEN_MODES));
            if (c.answer == IDCANCEL) {
                EXPECT_EQ(descriptionBefore, text(page, IDC_SCREEN_MODE_TEXT));
            }
            // Until OK the record keeps the driver it had; the Features page still sees it.
            EXPECT_EQ(22, launcherSettings.displayDriver);
            pressSheetButton(sheet, PSBTN_OK);
        });
        expectSaved(withDisplay(c.storedDriver, c.storedMode));
    }
}

// Without the Plug and Play list the question offers the software mode.
TEST_F(ConfigurationSheetTest, DetectWithoutTheDeviceListOffersSoftwareMode) {
    {
        DeviceListRemoved noDeviceList;
        ASSERT_TRUE(noDeviceList.removed());
        runPage(kScreenPage, [](HWND page) {
            EXPECT_EQ("Unable to detect 3D hardware, would you like to use Software Mode (system memory)?",
                      pressAndAnswer(page, IDC_SCREEN_DETECT).text);
            EXPECT_EQ(kSoftwareSystemPosition, comboSelection(page, IDC_SCREEN_DRIVERS));
        });
    }
    // The other tests find the list as they expect it: devices can be added again.
    {
        DeviceKeys devices;
        EXPECT_TRUE(devices.add("QLK2_A", kRivaTntId));
    }
    expectSaved(withDisplay(7));
}

// ---- Features -----------------------------------------------------------------------------

// The page edits the half that belongs to the driver in the record at the moment it paints.
TEST_F(ConfigurationSheetTest, FeaturesFollowTheDriverChosenOnTheFirstPage) {
    LauncherSettings record = kStartRecord;
    record.optionBits = 0x07970796;  // SHADING off for the cards, on for the software renderers
    launcherSettings = record;
    runSheet([](HWND sheet) {
        HWND features = showPage(sheet, kFeaturesPage);
        EXPECT_EQ("010", choiceChecksOnceSettled(features, "010"));
        HWND screen = showPage(sheet, kScreenPage);
        chooseComboEntry(screen, IDC_SCREEN_DRIVERS, kSoftwareVideoPosition);
        showPage(sheet, kFeaturesPage);
        EXPECT_EQ("100", choiceChecksOnceSettled(features, "100"));
        pressButton(features, IDC_FEATURES_CHOICE2);  // SHADING off for the software renderers
        EXPECT_EQ(0x07960796u, launcherSettings.optionBits);

        chooseComboEntry(screen, IDC_SCREEN_DRIVERS, kRivaTntPosition);
        showPage(sheet, kFeaturesPage);
        EXPECT_EQ("010", choiceChecksOnceSettled(features, "010"));
        pressButton(features, IDC_FEATURES_CHOICE1);  // SHADING on for the cards
        EXPECT_EQ(0x07960797u, launcherSettings.optionBits);
        pressSheetButton(sheet, PSBTN_OK);
    });
    record.optionBits = 0x07960797;
    expectSaved(record);
}

TEST_F(ConfigurationSheetTest, EachFeatureShowsItsChoicesAndClicksChangeOnlyItsBit) {
    const struct {
        int position;
        const char* set;
        const char* clear;
        uint32_t bit;
    } cases[] = {
        {0, "ON", "OFF", 0x1},           {1, "Alpha Blending", "Mesh", 0x2}, {2, "ON", "OFF", 0x4},
        {3, "ON", "OFF", 0x8},           {4, "ON", "OFF", 0x10},             {7, "ON", "OFF", 0x80},
        {8, "Standard", "Reduced", 0x100}, {9, "Standard", "Reduced", 0x200}, {10, "ON", "OFF", 0x400},
    };
    runPage(kFeaturesPage, [&](HWND page) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << "feature " << c.position);
            const uint32_t before = launcherSettings.optionBits;
            selectFeature(page, c.position);
            EXPECT_EQ(c.set, text(page, IDC_FEATURES_CHOICE1));
            EXPECT_EQ(c.clear, text(page, IDC_FEATURES_CHOICE2));
            EXPECT_FALSE(visible(page, IDC_FEATURES_CHOICE3));
            EXPECT_EQ((before & c.bit) ? "100" : "010", choiceChecks(page));
            const std::string description = text(page, IDC_FEATURES_DESCRIPTION);
            pressButton(page, (before & c.bit) ? IDC_FEATURES_CHOICE2 : IDC_FEATURES_CHOICE1);
            EXPECT_EQ(before ^ c.bit, launcherSettings.optionBits);
            EXPECT_EQ(description, text(page, IDC_FEATURES_DESCRIPTION));
        }
    });
    LauncherSettings saved = kStartRecord;
    saved.optionBits = 0x07970797 ^ 0x79F;
    expectSaved(saved);
}

TEST_F(ConfigurationSheetTest, SoundQualityHasThreeChoicesAndKeepsStereo) {
    runSheet([](HWND sheet) {
        HWND page = showPage(sheet, kFeaturesPage);
        selectFeature(page, 5);
        EXPECT_TRUE(visible(page, IDC_FEATURES_CHOICE3));
        EXPECT_EQ("High quality", text(page, IDC_FEATURES_CHOICE1));
        EXPECT_EQ("Standard quality", text(page, IDC_FEATURES_CHOICE2));
        EXPECT_EQ("Low quality", text(page, IDC_FEATURES_CHOICE3));
        EXPECT_EQ("010", choiceChecks(page));
        EXPECT_EQ(0u, text(page, IDC_FEATURES_DESCRIPTION).find("This is recommended"));
        pressButton(page, IDC_FEATURES_CHOICE1);
        EXPECT_EQ(10u, launcherSettings.soundSetting);
        EXPECT_EQ(0u, text(page, IDC_FEATURES_DESCRIPTION).find("You can expect the highest"));
        pressButton(page, IDC_FEATURES_CHOICE3);
        EXPECT_EQ(8u, launcherSettings.soundSetting);
        EXPECT_EQ(0u, text(page, IDC_FEATURES_DESCRIPTION).find("Lower sound quality."));

        selectFeature(page, 6);
        EXPECT_FALSE(visible(page, IDC_FEATURES_CHOICE3));
        EXPECT_EQ("Stereo", text(page, IDC_FEATURES_CHOICE1));
        EXPECT_EQ("Mono", text(page, IDC_FEATURES_CHOICE2));
        EXPECT_EQ("100", choiceChecks(page));
        pressButton(page, IDC_FEATURES_CHOICE2);
        EXPECT_EQ(0u, launcherSettings.soundSetting);
        EXPECT_EQ(0x07970797u, launcherSettings.optionBits) << "sound choices leave the option bits alone";

        selectFeature(page, 5);
        EXPECT_EQ("001", choiceChecks(page));
        pressButton(page, IDC_FEATURES_CHOICE2);
        EXPECT_EQ(1u, launcherSettings.soundSetting);

        // One sound setting for both halves: the software renderers show the same choices.
        HWND screen = showPage(sheet, kScreenPage);
        chooseComboEntry(screen, IDC_SCREEN_DRIVERS, kSoftwareVideoPosition);
        showPage(sheet, kFeaturesPage);
        EXPECT_EQ("010", choiceChecksOnceSettled(page, "010")) << "standard quality";
        selectFeature(page, 6);
        EXPECT_EQ("010", choiceChecks(page)) << "mono";
        chooseComboEntry(screen, IDC_SCREEN_DRIVERS, kRivaTntPosition);
        showPage(sheet, kFeaturesPage);
        selectFeature(page, 0);
        EXPECT_FALSE(visible(page, IDC_FEATURES_CHOICE3));
        pressSheetButton(sheet, PSBTN_OK);
    });
    LauncherSettings saved = kStartRecord;
    saved.soundSetting = 1;
    expectSaved(saved);
}

TEST_F(ConfigurationSheetTest, PresetsTurnPaletteChangeOffInTheActiveHalfOnly) {
    const struct {
        const char* what;
        int32_t driver;
        int preset;
        uint32_t afterPalette, afterPreset, sound;
    } cases[] = {
        {"quality, card", 19, IDC_FEATURES_QUALITY, 0x0797079F, 0x07970797, 9},
        {"quality, software", 7, IDC_FEATURES_QUALITY, 0x079F0797, 0x07970797, 9},
        {"performance, card", 19, IDC_FEATURES_PERFORMANCE, 0x0797079F, 0x07970090, 0},
        {"performance, software", 5, IDC_FEATURES_PERFORMANCE, 0x079F0797, 0x00900797, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LauncherSettings record = withDisplay(c.driver);
        record.soundSetting = 2;  // high quality, mono: the presets replace it
        launcherSettings = record;
        runPage(kFeaturesPage, [&](HWND page) {
            selectFeature(page, 3);
            pressButton(page, IDC_FEATURES_CHOICE1);
            EXPECT_EQ(c.afterPalette, launcherSettings.optionBits);
            pressButton(page, c.preset);
            EXPECT_EQ(c.afterPreset, launcherSettings.optionBits);
            EXPECT_EQ(c.sound, launcherSettings.soundSetting);
            EXPECT_EQ("010", choiceChecks(page)) << "PALETTE-CHANGE shows OFF";
        });
        record.optionBits = c.afterPreset;
        record.soundSetting = c.sound;
        expectSaved(record);
    }
}

// ---- Future Support -----------------------------------------------------------------------

TEST_F(ConfigurationSheetTest, FutureSupportShowsTheValuesAndReadsThemOnOk) {
    struct Edit {
        int id;
        std::string text;
    };
    const struct {
        const char* what;
        std::vector<Edit> edits;
        bool pressDefault;
        float data1, data2;  // stored
        uint32_t data3, data4;
    } cases[] = {
        {"1.5abc in DATA2", {{IDC_FUTURE_DATA2, "1.5abc"}}, false, 0.1f, 1.5f, 0xAB, 0xCD},
        {"abc in DATA2 keeps the value", {{IDC_FUTURE_DATA2, "abc"}}, false, 0.1f, 2.5f, 0xAB, 0xCD},
        {"0x1F in DATA3", {{IDC_FUTURE_DATA3, "0x1F"}}, false, 0.1f, 2.5f, 0x1F, 0xCD},
        {"nine digits in DATA3", {{IDC_FUTURE_DATA3, "123456789"}}, false, 0.1f, 2.5f, 0x23456789, 0xCD},
        {"FFFFFFFF in DATA4", {{IDC_FUTURE_DATA4, "FFFFFFFF"}}, false, 0.1f, 2.5f, 0xAB, 0xFFFFFFFF},
        {"empty DATA1 keeps, empty DATA3 gives 0", {{IDC_FUTURE_DATA1, ""}, {IDC_FUTURE_DATA3, ""}}, false, 0.1f,
         2.5f, 0, 0xCD},
        {"a DATA4 text longer than 31 characters counts by its end",
         {{IDC_FUTURE_DATA4, std::string(40, '0') + "beef"}}, false, 0.1f, 2.5f, 0xAB, 0xBEEF},
        {"DATA1 with exponent and sign", {{IDC_FUTURE_DATA1, " -2.5e1 "}}, false, -25.0f, 2.5f, 0xAB, 0xCD},
        {"DEFAULT then OK", {}, true, 0.0f, 0.0f, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(deleteRegTree(kSettingsKey));
        launcherSettings = kStartRecord;
        runPage(kFuturePage, [&](HWND page) {
            // Typing stops at the length the page reads back, so what is read is always the whole text.
            for (int id : {IDC_FUTURE_DATA1, IDC_FUTURE_DATA2, IDC_FUTURE_DATA3, IDC_FUTURE_DATA4})
                EXPECT_EQ(1023, SendDlgItemMessageA(page, id, EM_GETLIMITTEXT, 0, 0)) << "box " << id;
            EXPECT_EQ("0.100000", text(page, IDC_FUTURE_DATA1));
            EXPECT_EQ("2.500000", text(page, IDC_FUTURE_DATA2));
            EXPECT_EQ("ab", text(page, IDC_FUTURE_DATA3));
            EXPECT_EQ("cd", text(page, IDC_FUTURE_DATA4));
            if (c.pressDefault) {
                pressButton(page, IDC_FUTURE_DEFAULT);
                EXPECT_EQ("0.000000", text(page, IDC_FUTURE_DATA1));
                EXPECT_EQ("0.000000", text(page, IDC_FUTURE_DATA2));
                EXPECT_EQ("0", text(page, IDC_FUTURE_DATA3));
                EXPECT_EQ("0", text(page, IDC_FUTURE_DATA4));
                EXPECT_EQ(floatBits(0.1f), floatBits(launcherSettings.data1)) << "DEFAULT changes only the boxes";
            }
            for (const Edit& edit : c.edits) setEditText(page, edit.id, edit.text.c_str());
        });
        LauncherSettings stored = kStartRecord;
        std::tie(stored.data1, stored.data2, stored.data3, stored.data4) = std::tie(c.data1, c.data2, c.data3, c.data4);
        expectSaved(stored);
    }
}

}  // namespace

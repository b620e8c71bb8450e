// The Screen adjustment page: the driver list, "Detect." and the screen mode list.
#include "config/screen_adjustment_page.h"

#include "common/message_catalogue.h"
#include "common/text_format.h"
#include "config/card_detection.h"
#include "config/screen_modes.h"
#include "config/sheet_page.h"
#include "resources/resource_ids.h"
#include "settings/launcher_settings.h"

namespace {

constexpr int kQuestionSize = 256;

int selectedDriverPosition(HWND page) {
    return static_cast<int>(SendDlgItemMessageA(page, IDC_SCREEN_DRIVERS, CB_GETCURSEL, 0, 0));
}

int selectedModePosition(HWND page) {
    return static_cast<int>(SendDlgItemMessageA(page, IDC_SCREEN_MODES, CB_GETCURSEL, 0, 0));
}

void selectDriverPosition(HWND page, int position) {
    SendDlgItemMessageA(page, IDC_SCREEN_DRIVERS, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

// The mode list was filled for the driver selected in the driver list, so that selection
// tells which descriptions apply.
void showModeDescription(HWND page) {
    const bool voodoo = voodooFamily(driverForListPosition(selectedDriverPosition(page)));
    SetDlgItemTextA(page, IDC_SCREEN_MODE_TEXT, modeDescription(selectedModePosition(page), voodoo));
}

void refillModes(HWND page, DisplayDriverCode driver) {
    fillDisplayModeList(page, voodooFamily(driver));
    showModeDescription(page);
}

void initialiseScreenAdjustmentPage(HWND page, HFONT sheetFont) {
    SendMessageA(page, WM_SETFONT, reinterpret_cast<WPARAM>(sheetFont), TRUE);
    SetDlgItemTextA(page, IDC_SCREEN_DEVICE_LABEL, kDeviceLabel);
    SetDlgItemTextA(page, IDC_SCREEN_DRIVER_HELP, kDriverHelp);
    SetDlgItemTextA(page, IDC_SCREEN_MODE_LABEL, kResolutionLabel);
    SetDlgItemTextA(page, IDC_SCREEN_DETECT_LABEL, kDetectLabel);
    SetDlgItemTextA(page, IDC_SCREEN_DETECT, kDetectButton);
    for (int position = 0; position < kDriverListCount; ++position) {
        SendDlgItemMessageA(page, IDC_SCREEN_DRIVERS, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(driverListText(position)));
    }
    selectDriverPosition(page, listPositionForDriver(launcherSettings.displayDriver));
    refillModes(page, launcherSettings.displayDriver);
}

// The choice takes effect in the record at once, so that the Features page follows it.
void onDriverChosen(HWND page) {
    launcherSettings.displayDriver = driverForListPosition(selectedDriverPosition(page));
    refillModes(page, launcherSettings.displayDriver);
}

void onModeChosen(HWND page) {
    if (selectedModePosition(page) != CB_ERR) showModeDescription(page);
}

// Selects the detected card in the list only; the record takes it on OK, or when the user
// then picks a driver by hand.
void onDetectClicked(HWND page) {
    const DisplayDriverCode detected = detectDisplayCard();
    char question[kQuestionSize];
    if (detected < 0) {
        formatText(question, sizeof question, "%s", kNoCardDetectedQuestion);
    } else {
        formatText(question, sizeof question, kCardDetectedQuestion, driverName(detected));
    }
    if (showBox(page, question, MB_OKCANCEL) != IDOK) return;
    selectDriverPosition(page, detected < 0 ? kSoftwareSystemMemoryPosition : listPositionForDriver(detected));
    refillModes(page, detected);
}

void onApply(HWND page) {
    launcherSettings.displayDriver = driverForListPosition(selectedDriverPosition(page));
    // No selection stores -1, as the game has always been given.
    launcherSettings.displayMode = static_cast<uint32_t>(selectedModePosition(page));
}

INT_PTR onCommand(HWND page, WPARAM wParam) {
    const int id = LOWORD(wParam);
    switch (HIWORD(wParam)) {
    case CBN_SELENDOK:
        switch (id) {
        case IDC_SCREEN_DRIVERS: onDriverChosen(page); return TRUE;
        case IDC_SCREEN_MODES: onModeChosen(page); return TRUE;
        }
        break;
    }
    // Any command from the button, whatever its notification.
    if (id == IDC_SCREEN_DETECT) {
        onDetectClicked(page);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void fillDisplayModeList(HWND page, bool voodooFamilyCard) {
    buildDisplayModeTable(voodooFamilyCard);
    if (voodooFamilyCard) launcherSettings.displayMode = 0;
    SendDlgItemMessageA(page, IDC_SCREEN_MODES, CB_RESETCONTENT, 0, 0);
    const int count = displayModeCount();
    for (int row = 0; row < count; ++row) {
        SendDlgItemMessageA(page, IDC_SCREEN_MODES, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(displayModeTable[row].name));
    }
    // A stored mode the list does not offer leaves it without a selection.
    const uint32_t mode = launcherSettings.displayMode;
    const WPARAM selection = mode < static_cast<uint32_t>(count) ? mode : static_cast<WPARAM>(-1);
    SendDlgItemMessageA(page, IDC_SCREEN_MODES, CB_SETCURSEL, selection, 0);
}

const SheetPage kScreenAdjustmentPage = {IDD_SCREEN_PAGE, kScreenPageTitle, initialiseScreenAdjustmentPage, onCommand,
                                         onApply, nullptr};

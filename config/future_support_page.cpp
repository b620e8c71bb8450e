// The Future Support page: DATA1 to DATA4 in edit boxes, stored back only on OK.
#include "config/future_support_page.h"

#include "common/launcher_texts.h"
#include "config/future_values.h"
#include "config/sheet_page.h"
#include "resources/resource_ids.h"
#include "settings/launcher_settings.h"

namespace {


struct ValueBox {
    int editId;
    int labelId;
    const char* label;
};

// The edit boxes' ids do not follow the values' order: 1054 holds DATA1.
const ValueBox kValueBoxes[] = {
    {IDC_FUTURE_DATA1, IDC_FUTURE_DATA1_LABEL, kData1Label},
    {IDC_FUTURE_DATA2, IDC_FUTURE_DATA2_LABEL, kData2Label},
    {IDC_FUTURE_DATA3, IDC_FUTURE_DATA3_LABEL, kData3Label},
    {IDC_FUTURE_DATA4, IDC_FUTURE_DATA4_LABEL, kData4Label},
};

void showFloat(HWND page, int id, float value) {
    char text[kFloatTextSize];
    formatFloatValue(value, text, sizeof text);
    SetDlgItemTextA(page, id, text);
}

void showHex(HWND page, int id, uint32_t value) {
    char text[kHexTextSize];
    formatHexValue(value, text, sizeof text);
    SetDlgItemTextA(page, id, text);
}

void showValues(HWND page, float data1, float data2, uint32_t data3, uint32_t data4) {
    showFloat(page, IDC_FUTURE_DATA1, data1);
    showFloat(page, IDC_FUTURE_DATA2, data2);
    showHex(page, IDC_FUTURE_DATA3, data3);
    showHex(page, IDC_FUTURE_DATA4, data4);
}

// Reads the whole text of a box: typing cannot make it longer than the buffer holds.
void readBox(HWND page, int id, char (&text)[kValueTextSize]) {
    text[0] = '\0';
    GetDlgItemTextA(page, id, text, kValueTextSize);
}

void initialiseFutureSupportPage(HWND page, HFONT) {
    const LauncherSettings& settings = launcherSettings;
    showValues(page, settings.data1, settings.data2, settings.data3, settings.data4);
    for (const ValueBox& box : kValueBoxes) {
        SetDlgItemTextA(page, box.labelId, box.label);
        SendDlgItemMessageA(page, box.editId, EM_LIMITTEXT, kValueTextSize - 1, 0);
    }
    SetDlgItemTextA(page, IDC_FUTURE_HELP, kFutureHelp);
    SetDlgItemTextA(page, IDC_FUTURE_DEFAULT, kDefaultButton);
}

// Only the boxes change; the record takes them on OK.
void onDefaultClicked(HWND page) { showValues(page, 0.0f, 0.0f, 0, 0); }

// A box that holds no number keeps its float value; the hexadecimal parse always gives one.
void onApply(HWND page) {
    LauncherSettings& settings = launcherSettings;
    char text[kValueTextSize];
    readBox(page, IDC_FUTURE_DATA1, text);
    scanFloatValue(text, &settings.data1);
    readBox(page, IDC_FUTURE_DATA2, text);
    scanFloatValue(text, &settings.data2);
    readBox(page, IDC_FUTURE_DATA3, text);
    settings.data3 = parseHexTail(text);
    readBox(page, IDC_FUTURE_DATA4, text);
    settings.data4 = parseHexTail(text);
}

INT_PTR onCommand(HWND page, WPARAM wParam) {
    // Any command from the button, whatever its notification.
    if (LOWORD(wParam) == IDC_FUTURE_DEFAULT) {
        onDefaultClicked(page);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

const SheetPage kFutureSupportPage = {IDD_FUTURE_PAGE, kFuturePageTitle, initialiseFutureSupportPage, onCommand,
                                      onApply, nullptr};

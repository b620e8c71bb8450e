// The OPTIONS property sheet: builds and runs it, then saves or restores the settings record.
#include "config/configuration_sheet.h"

#include <cstdint>

#include "common/child_font.h"
#include "common/message_catalogue.h"
#include "common/module_instance.h"
#include "common/system_libraries.h"
#include "common/text_format.h"
#include "config/features_page.h"
#include "config/future_support_page.h"
#include "config/screen_adjustment_page.h"
#include "resources/resource_ids.h"
#include "settings/launcher_settings.h"
#include "settings/settings_store.h"

GdiObject<HFONT> sheetFont;

namespace {

constexpr int kPageCount = 3;
constexpr int kCaptionSize = 260;

// The fields the pages change while the sheet is open; the DATA values are written only on
// OK, so they need no copy.
struct SettingsSnapshot {
    int32_t displayDriver;
    uint32_t displayMode;
    uint32_t soundSetting;
    uint32_t optionBits;
};

struct SheetPage {
    int templateId;
    DLGPROC procedure;
    const char* title;
};

const SheetPage kPages[kPageCount] = {
    {IDD_SCREEN_PAGE, screenAdjustmentPageProc, "Screen adjustment."},
    {IDD_FEATURES_PAGE, featuresPageProc, "Features"},
    {IDD_FUTURE_PAGE, futureSupportPageProc, "Future Support"},
};

HFONT createSheetFont() {
    return CreateFontA(15, 0, 0, 0, 100, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN | DEFAULT_PITCH, "Times New Roman");
}

// The version 1 layouts, which every comctl32 since Windows 95 accepts.
HPROPSHEETPAGE createPage(const SheetPage& sheetPage) {
    PROPSHEETPAGEA page = {};
    page.dwSize = PROPSHEETPAGEA_V1_SIZE;
    page.dwFlags = PSP_USETITLE;
    page.hInstance = appInstance;
    page.pszTemplate = MAKEINTRESOURCEA(sheetPage.templateId);
    page.pfnDlgProc = sheetPage.procedure;
    page.pszTitle = sheetPage.title;
    return commonControls.createPropertySheetPage(&page);
}

// Answers what PropertySheetA answers; -1 when a page could not be made, as when the sheet
// itself cannot be shown.
INT_PTR showSheet(HWND owner, const char* caption) {
    HPROPSHEETPAGE pages[kPageCount] = {};
    for (int index = 0; index < kPageCount; ++index) {
        pages[index] = createPage(kPages[index]);
        if (!pages[index]) {
            for (int made = 0; made < index; ++made) commonControls.destroyPropertySheetPage(pages[made]);
            return -1;
        }
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = appInstance;
    header.pszCaption = caption;
    header.nPages = kPageCount;
    header.nStartPage = 0;
    header.phpage = pages;
    return commonControls.propertySheet(&header);
}

}  // namespace

int runConfigurationSheet(HWND owner) {
    sheetFont.reset(createSheetFont());
    char caption[kCaptionSize];
    formatText(caption, sizeof caption, "%s", kGameTitle);

    LauncherSettings& settings = launcherSettings;
    const SettingsSnapshot snapshot = {settings.displayDriver, settings.displayMode, settings.soundSetting,
                                       settings.optionBits};
    // Any non-zero answer counts as OK, even -1 when the sheet could not be shown: the
    // record then still holds what was loaded, and saving it rewrites the same values.
    if (showSheet(owner, caption) != 0) {
        saveSettings();
    } else {
        settings.displayDriver = snapshot.displayDriver;
        settings.displayMode = snapshot.displayMode;
        settings.soundSetting = snapshot.soundSetting;
        settings.optionBits = snapshot.optionBits;
    }
    sheetFont.reset();
    return 0;
}

void applySheetFont(HWND page) {
    EnumChildWindows(page, setChildFont, reinterpret_cast<LPARAM>(sheetFont.get()));
}

void releaseSheetFont(HWND) { sheetFont.reset(); }

void reportSheetChanged(HWND sheet, HWND page) { PropSheet_Changed(sheet, page); }

INT_PTR acceptSheetNotification(HWND page) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

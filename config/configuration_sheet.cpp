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
#include "config/sheet_page.h"
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

const SheetPage* const kPages[kPageCount] = {&kScreenAdjustmentPage, &kFeaturesPage, &kFutureSupportPage};
constexpr int kFirstPage = 0;

// The window of each page the sheet has made in this run: the one procedure of the three pages
// tells them apart by it.
HWND pageWindows[kPageCount];

HFONT createSheetFont() {
    return CreateFontA(15, 0, 0, 0, 100, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN | DEFAULT_PITCH, "Times New Roman");
}

void applySheetFont(HWND page) {
    EnumChildWindows(page, setChildFont, reinterpret_cast<LPARAM>(sheetFont.get()));
}

void releaseSheetFont() { sheetFont.reset(); }

int pageIndex(HWND page) {
    for (int index = 0; index < kPageCount; ++index)
        if (pageWindows[index] == page) return index;
    return -1;
}

void initialisePage(HWND page, const PROPSHEETPAGEA& description) {
    const int index = static_cast<int>(description.lParam);
    pageWindows[index] = page;
    applySheetFont(page);
    kPages[index]->initialise(page, sheetFont.get());
}

// OK and Cancel are never vetoed: either always closes the sheet.
INT_PTR onPageNotify(HWND page, int index, const NMHDR& header) {
    switch (header.code) {
    // comctl32 documents that the sheet answers 0 to an OK when no page reported a change,
    // which would undo every choice; the first page reports one once it shows. Not earlier: the
    // sheet forgets a change reported before a page's initialisation has returned.
    case PSN_SETACTIVE:
        if (index == kFirstPage) PropSheet_Changed(header.hwndFrom, page);
        return FALSE;
    case PSN_APPLY:
        if (kPages[index]->apply) kPages[index]->apply(page);
        releaseSheetFont();
        break;
    case PSN_QUERYCANCEL: releaseSheetFont(); break;
    default: return FALSE;
    }
    SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

INT_PTR CALLBACK sheetPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        initialisePage(page, *reinterpret_cast<const PROPSHEETPAGEA*>(lParam));
        return TRUE;
    }
    const int index = pageIndex(page);
    if (index < 0) return FALSE;
    const SheetPage& described = *kPages[index];
    switch (message) {
    case WM_NOTIFY: return onPageNotify(page, index, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND: return described.command(page, wParam);
    // Brought up to date, then painted as usual.
    case WM_PAINT:
        if (described.refresh) described.refresh(page);
        return FALSE;
    }
    return FALSE;
}

// The version 1 layouts, which every comctl32 since Windows 95 accepts.
HPROPSHEETPAGE createPage(int index) {
    PROPSHEETPAGEA page = {};
    page.dwSize = PROPSHEETPAGEA_V1_SIZE;
    page.dwFlags = PSP_USETITLE;
    page.hInstance = appInstance;
    page.pszTemplate = MAKEINTRESOURCEA(kPages[index]->templateId);
    page.pfnDlgProc = sheetPageProc;
    page.pszTitle = kPages[index]->title;
    page.lParam = index;
    return commonControls.createPropertySheetPage(&page);
}

// Answers what PropertySheetA answers; -1 when a page could not be made, as when the sheet
// itself cannot be shown.
INT_PTR showSheet(HWND owner, const char* caption) {
    HPROPSHEETPAGE pages[kPageCount] = {};
    for (int index = 0; index < kPageCount; ++index) {
        pageWindows[index] = nullptr;
        pages[index] = createPage(index);
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

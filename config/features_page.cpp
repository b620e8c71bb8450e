// The Features page: the feature list, its choice buttons and the quality and performance presets.
#include "config/features_page.h"

#include <cstring>

#include "common/launcher_texts.h"
#include "config/feature_options.h"
#include "config/sheet_page.h"
#include "resources/resource_ids.h"
#include "settings/launcher_settings.h"

namespace {

// Longer than any caption or description the page shows.
constexpr int kTextCompareSize = 512;

// Which half of optionBits the page edits: computed at initialisation and at every repaint,
// so it follows a driver chosen on the Screen adjustment page.
bool softwareHalf = false;

bool currentDriverIsSoftware() { return softwareRendering(launcherSettings.displayDriver); }

// The page refreshes its buttons on every repaint; a text set only when it changes keeps
// that from redrawing them each time.
void setText(HWND page, int id, const char* text) {
    char current[kTextCompareSize];
    GetDlgItemTextA(page, id, current, sizeof current);
    if (std::strlen(text) < sizeof current && std::strcmp(current, text) == 0) return;
    SetDlgItemTextA(page, id, text);
}

void setCheck(HWND page, int id, bool checked) {
    CheckDlgButton(page, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void showThirdChoice(HWND page, bool shown) {
    ShowWindow(GetDlgItem(page, IDC_FEATURES_CHOICE3), shown ? SW_SHOW : SW_HIDE);
}

int selectedFeature(HWND page) {
    return static_cast<int>(SendDlgItemMessageA(page, IDC_FEATURES_LIST, LB_GETCURSEL, 0, 0));
}

void showDescription(HWND page, const char* text) { setText(page, IDC_FEATURES_DESCRIPTION, text); }

// One bit of the active half: the first choice set, the second clear.
void showSwitch(HWND page, const FeatureEntry& feature, bool set, const char* description) {
    setText(page, IDC_FEATURES_CHOICE1, feature.setCaption);
    setText(page, IDC_FEATURES_CHOICE2, feature.clearCaption);
    showThirdChoice(page, false);
    setCheck(page, IDC_FEATURES_CHOICE1, set);
    setCheck(page, IDC_FEATURES_CHOICE2, !set);
    setCheck(page, IDC_FEATURES_CHOICE3, false);
    showDescription(page, description);
}

void showSoundQuality(HWND page) {
    setText(page, IDC_FEATURES_CHOICE1, kHighQualityCaption);
    setText(page, IDC_FEATURES_CHOICE2, kStandardQualityCaption);
    setText(page, IDC_FEATURES_CHOICE3, kLowQualityCaption);
    showThirdChoice(page, true);
    const uint32_t level = launcherSettings.soundSetting & kSoundLevelMask;
    if (level > kSoundLevelHigh) return;
    setCheck(page, IDC_FEATURES_CHOICE1, level == kSoundLevelHigh);
    setCheck(page, IDC_FEATURES_CHOICE2, level == kSoundLevelStandard);
    setCheck(page, IDC_FEATURES_CHOICE3, level == kSoundLevelLow);
    showDescription(page, soundLevelDescription(level));
}

void initialiseFeaturesPage(HWND page, HFONT) {
    SetDlgItemTextA(page, IDC_FEATURES_LABEL, kFeaturesLabel);
    SetDlgItemTextA(page, IDC_FEATURES_DESCRIPTION_LABEL, kDescriptionLabel);
    SetDlgItemTextA(page, IDC_FEATURES_QUALITY_TEXT, kQualityPresetText);
    SetDlgItemTextA(page, IDC_FEATURES_PERFORMANCE_TEXT, kPerformancePresetText);
    softwareHalf = currentDriverIsSoftware();
    fillFeatureList(page, softwareHalf);
}

void refreshFeatures(HWND page) {
    softwareHalf = currentDriverIsSoftware();
    showSelectedFeature(page, softwareHalf);
}

// The button's own click has already moved the check within the group.
void onChoiceClicked(HWND page, int button) {
    const int feature = selectedFeature(page);
    LauncherSettings& settings = launcherSettings;
    if (feature == kFeatureSoundQuality) {
        const uint32_t level = button == IDC_FEATURES_CHOICE1   ? kSoundLevelHigh
                               : button == IDC_FEATURES_CHOICE2 ? kSoundLevelStandard
                                                                : kSoundLevelLow;
        settings.soundSetting = soundWithLevel(settings.soundSetting, level);
        showDescription(page, soundLevelDescription(level));
    } else if (feature == kFeatureStereo) {
        settings.soundSetting = soundWithStereo(settings.soundSetting, button == IDC_FEATURES_CHOICE1);
    } else {
        const uint32_t bit = featureBit(feature, softwareHalf);
        if (button == IDC_FEATURES_CHOICE1) {
            settings.optionBits |= bit;
        } else {
            settings.optionBits &= ~bit;
        }
    }
}

void onQualityPresetClicked(HWND page) {
    launcherSettings.optionBits = applyQualityPreset(launcherSettings.optionBits, softwareHalf);
    launcherSettings.soundSetting = kQualityPresetSound;
    showSelectedFeature(page, softwareHalf);
}

void onPerformancePresetClicked(HWND page) {
    launcherSettings.optionBits = applyPerformancePreset(launcherSettings.optionBits, softwareHalf);
    launcherSettings.soundSetting = kPerformancePresetSound;
    showSelectedFeature(page, softwareHalf);
}

INT_PTR onCommand(HWND page, WPARAM wParam) {
    const int id = LOWORD(wParam);
    switch (HIWORD(wParam)) {
    case BN_CLICKED:
        switch (id) {
        case IDC_FEATURES_CHOICE1:
        case IDC_FEATURES_CHOICE2:
        case IDC_FEATURES_CHOICE3: onChoiceClicked(page, id); return TRUE;
        }
        break;
    case LBN_SELCHANGE:
        if (id == IDC_FEATURES_LIST) {
            showSelectedFeature(page, softwareHalf);
            return TRUE;
        }
        break;
    }
    // Any command from the preset buttons, whatever its notification.
    switch (id) {
    case IDC_FEATURES_QUALITY: onQualityPresetClicked(page); return TRUE;
    case IDC_FEATURES_PERFORMANCE: onPerformancePresetClicked(page); return TRUE;
    }
    return FALSE;
}

}  // namespace

void fillFeatureList(HWND page, bool software) {
    SendDlgItemMessageA(page, IDC_FEATURES_LIST, LB_RESETCONTENT, 0, 0);
    SetDlgItemTextA(page, IDC_FEATURES_QUALITY, kQualityPresetButton);
    SetDlgItemTextA(page, IDC_FEATURES_PERFORMANCE, kPerformancePresetButton);
    for (int position = 0; position < kFeatureCount; ++position) {
        SendDlgItemMessageA(page, IDC_FEATURES_LIST, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(featureEntry(position)->name));
    }
    showSwitch(page, *featureEntry(0), (launcherSettings.optionBits & featureBit(0, software)) != 0,
               featureDescription(0));
    SendDlgItemMessageA(page, IDC_FEATURES_LIST, LB_SETCURSEL, 0, 0);
}

void showSelectedFeature(HWND page, bool software) {
    const int feature = selectedFeature(page);
    if (feature == kFeatureSoundQuality) {
        showSoundQuality(page);
        return;
    }
    const FeatureEntry* entry = featureEntry(feature);
    if (!entry) return;
    const bool set = feature == kFeatureStereo ? (launcherSettings.soundSetting & kSoundStereo) != 0
                                               : (launcherSettings.optionBits & featureBit(feature, software)) != 0;
    showSwitch(page, *entry, set, featureDescription(feature));
}

// The choices reach the record as they are made: OK has nothing to store. The page follows the
// driver chosen on the first page each time it paints.
const SheetPage kFeaturesPage = {IDD_FEATURES_PAGE, kFeaturesPageTitle, initialiseFeaturesPage, onCommand, nullptr,
                                 refreshFeatures};

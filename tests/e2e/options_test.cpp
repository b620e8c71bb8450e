// OPTIONS from the title screen: the sheet opens over it, Cancel keeps the display driver,
// OK stores the new one and the title screen names it under "OPTIONS".
#include "tests/support/launcher_e2e.h"

#include <prsht.h>

#include "config/display_drivers.h"
#include "config/screen_modes.h"

namespace {

class Options : public LauncherTest {
protected:
    // Where the driver line's glyphs lie once the title screen shows that name centred in its
    // column; the screen is saved as it was then (the last one is kept).
    void expectDriverLineAt(const char* file, int line, const std::string& name) {
        const MenuTextLine driverLine = menuLineOf(MenuTextKind::DriverName);
        const int x = centredTextX(driverLine.columnLeft, driverLine.columnWidth, measureMenuText(name).extent);
        const TitleShot shot = waitForTextAt(title_, driverLine, name, x);
        saveScreenshot(shot, "options_driver_changed.bmp");
        const testing::AssertionResult shown = textAt(shot, driverLine, name, x);
        if (!shown) ADD_FAILURE_AT(file, line) << shown.message();
    }
};
#define expectDriverLine(name) expectDriverLineAt(__FILE__, __LINE__, name)

TEST_F(Options, OkStoresTheChosenDriverAndTheTitleScreenNamesIt) {
    // A stored driver, so that the start does not depend on the machine's cards.
    ASSERT_TRUE(setRegDword(kSettingsKey, "Display Driver", 22));
    ASSERT_TRUE(startAtTitleScreen());
    expectDriverLine(driverName(22));

    HWND sheet = openOptionsSheet();
    ASSERT_TRUE(sheet);
    chooseComboEntry(currentSheetPage(sheet), IDC_SCREEN_DRIVERS, listPositionForDriver(19));
    closeOptionsSheet(sheet, PSBTN_CANCEL);
    expectRegDword(kSettingsKey, "Display Driver", 22);
    expectRegMissing(kSettingsKey, "Option");
    expectDriverLine(driverName(22));

    ASSERT_TRUE(sheet = openOptionsSheet());
    HWND page = currentSheetPage(sheet);
    EXPECT_EQ(listPositionForDriver(22), comboSelection(page, IDC_SCREEN_DRIVERS));
    chooseComboEntry(page, IDC_SCREEN_DRIVERS, listPositionForDriver(19));
    closeOptionsSheet(sheet, PSBTN_OK);
    expectRegDword(kSettingsKey, "Display Driver", 19);
    expectRegDword(kSettingsKey, "Display Mode", 0);
    expectRegDword(kSettingsKey, "Option", 0x07970797);
    expectRegDword(kSettingsKey, "Install Flag", 0x300);
    expectDriverLine(driverName(19));
    expectStillRunning();
}

}  // namespace

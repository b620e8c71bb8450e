// The title screen as it shows on a 24-bit display: the menu texts in their colours and columns,
// and the highlight panel behind the highlighted item.
#include "tests/support/launcher_e2e.h"

namespace {

class TitleScreen : public LauncherTest {};

std::string describe(const RECT& rect) {
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ", " + std::to_string(rect.right) +
           ", " + std::to_string(rect.bottom) + ")";
}

constexpr const char* kShortSavePath = "C:\\QUARLOCK2 Saves\\";
constexpr const char* kLongSavePath =
    "C:\\Program Files\\ORVANE\\QUARLOCK2\\Saved Games of the Shadowed Throne\\Chapter One\\";

int centredX(const MenuTextLine& line, const std::string& text) {
    return centredTextX(line.columnLeft, line.columnWidth, measureMenuText(text).extent);
}

TEST_F(TitleScreen, EveryLineShowsInItsColourAndColumn) {
    ASSERT_TRUE(setRegString(kSettingsKey, "Save Path", kShortSavePath));
    ASSERT_TRUE(startAtTitleScreen());
    TitleShot shot = waitForHighlight(title_, 0);
    saveScreenshot(shot, "title_screen.bmp");
    ASSERT_EQ(shot.inkSummary(), expectedInk(0));
    for (const MenuTextLine& line : menuTextLines()) {
        if (line.kind == MenuTextKind::Label) {
            EXPECT_TRUE(textAt(shot, line, line.label, centredX(line, line.label)));
        }
    }
    const MenuTextLine path = menuLineOf(MenuTextKind::SavePath);
    EXPECT_TRUE(textAt(shot, path, kShortSavePath, centredX(path, kShortSavePath)));
}

// A save path wider than the clip starts at its left edge and is cut at its right one.
TEST_F(TitleScreen, LongSavePathIsCutAtTheColumnEdge) {
    const TextMeasure measure = measureMenuText(kLongSavePath);
    ASSERT_GT(measure.extent, kSavePathClip.right - kSavePathClip.left + 20) << "the path must be long enough";
    ASSERT_TRUE(setRegString(kSettingsKey, "Save Path", kLongSavePath));
    ASSERT_TRUE(startAtTitleScreen());
    const TitleShot::Ink ink = waitForHighlight(title_, 0).ink(menuLineOf(MenuTextKind::SavePath));
    EXPECT_EQ(ink.left, savePathTextX(measure.extent) + measure.inkLeft);
    EXPECT_LT(ink.right, kSavePathClip.right);
    EXPECT_GE(ink.right, kSavePathClip.right - 10) << "the path runs up to the cut";
}

// Walks the highlight over every item and compares each capture with one where an item far
// away is highlighted: only the two panels differ, and each panel covers exactly its place.
TEST_F(TitleScreen, EachItemHighlightedShowsItsPanelAndOrangeLines) {
    ASSERT_TRUE(startAtTitleScreen());
    std::vector<TitleShot> shots;
    for (int item = 0; item < 8; ++item) {
        if (item > 0) PostMessageA(title_, WM_KEYDOWN, VK_DOWN, 1);
        shots.push_back(waitForHighlight(title_, item));
        EXPECT_EQ(shots.back().inkSummary(), expectedInk(item)) << "item " << item;
    }
    saveScreenshot(shots[7], "title_screen_item7.bmp");

    const RECT whole = {0, 0, shots[0].width(), shots[0].height()};
    for (int item = 0; item < 8; ++item) {
        int other = item < 6 ? (item + 3) % 6 : 13 - item;
        RECT mine = highlightPanel(item), theirs = highlightPanel(other);
        SCOPED_TRACE("item " + std::to_string(item) + " against item " + std::to_string(other));

        Difference all = difference(shots[item], shots[other], whole);
        Difference outside = all;
        outside.count -= difference(shots[item], shots[other], mine).count;
        outside.count -= difference(shots[item], shots[other], theirs).count;
        EXPECT_EQ(outside.count, 0) << "pixels changed outside both panels";

        // Around this panel, a pixel wider on each side but clear of the other panel.
        RECT around = {mine.left - 1, mine.top - 1, mine.right + 1, mine.bottom + 1}, common;
        if (IntersectRect(&common, &around, &theirs)) {
            if (theirs.left >= mine.right) around.right = theirs.left;
            if (theirs.right <= mine.left) around.left = theirs.right;
        }
        Difference closeBy = difference(shots[item], shots[other], around);
        EXPECT_EQ(describe(closeBy.bounds), describe(mine)) << "the panel's place";
        EXPECT_GT(closeBy.count, (mine.right - mine.left) * (mine.bottom - mine.top) / 2)
            << "the panel covers its place";
    }
}

}  // namespace

// The composed title screen, drawn into a 32-bit memory picture and compared with the
// bitmap resources pixel by pixel: background, highlight panels and the colours and places
// of the menu texts.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/module_instance.h"
#include "config/display_drivers.h"
#include "launcher/title_render.h"
#include "resources/resource_ids.h"
#include "settings/launcher_settings.h"
#include "tests/support/launcher_state.h"
#include "tests/support/menu_lines.h"
#include "tests/support/window_driver.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr COLORREF kBlack = RGB(0, 0, 0);

// An 8-bit bitmap resource of the test program, read straight from its bytes.
class ResourceBitmap {
public:
    explicit ResourceBitmap(WORD id) {
        HMODULE module = GetModuleHandleA(nullptr);
        HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
        if (!resource) return;
        header_ = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, resource)));
    }
    bool loaded() const { return header_ && header_->biBitCount == 8 && header_->biHeight > 0; }
    int width() const { return header_->biWidth; }
    int height() const { return header_->biHeight; }
    COLORREF at(int x, int y) const {
        DWORD colours = header_->biClrUsed ? header_->biClrUsed : 256;
        auto table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header_) + header_->biSize);
        auto pixels = reinterpret_cast<const BYTE*>(table + colours);
        int stride = (width() + 3) & ~3;
        BYTE index = pixels[(height() - 1 - y) * stride + x];
        return RGB(table[index].rgbRed, table[index].rgbGreen, table[index].rgbBlue);
    }

private:
    const BITMAPINFOHEADER* header_ = nullptr;
};

// The title screen's size, white: neither of the text colours nor black.
class TitleCanvas : public Canvas {
public:
    TitleCanvas() : Canvas(kWidth, kHeight, RGB(255, 255, 255)) {}
};

// Wine gives the 14-pixel menu font a text cell of 15 rows.
constexpr int kLineHeight = 15;

// The pixels that the text pass changed within a band of rows, by colour.
struct TextPixels {
    int orange = 0, grey = 0, other = 0;
    int minX = kWidth, maxX = -1;
    int total() const { return orange + grey + other; }
};

TextPixels textPixels(const Canvas& withText, const Canvas& imagesOnly, int left, int right, int top, int bottom) {
    TextPixels found;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            COLORREF pixel = withText.at(x, y);
            if (pixel == imagesOnly.at(x, y)) continue;
            if (pixel == kOrange) ++found.orange;
            else if (pixel == kGrey) ++found.grey;
            else ++found.other;
            if (x < found.minX) found.minX = x;
            if (x > found.maxX) found.maxX = x;
        }
    }
    return found;
}

// The text cell of a line, across its whole column.
TextPixels linePixels(const Canvas& withText, const Canvas& imagesOnly, const MenuTextLine& line) {
    return textPixels(withText, imagesOnly, line.columnLeft, line.columnLeft + line.columnWidth, line.y,
                      line.y + kLineHeight);
}

class TitleRenderTest : public testing::Test {
protected:
    void SetUp() override {
        launcherSettings.displayDriver = 0;
        setSavePath("C:\\Program Files\\ORVANE\\QUARLOCK2\\");
        ASSERT_NE(nullptr, window_.get());
        ASSERT_EQ(1, loadTitlePalettes());
    }
    void TearDown() override { deleteTitlePalettes(); }

    static void setSavePath(const std::string& path) {
        ASSERT_LT(path.size(), sizeof launcherSettings.savePath);
        std::strcpy(launcherSettings.savePath, path.c_str());
    }
    void highlightOnly(int item) {
        std::memset(highlight_, 0, sizeof highlight_);
        if (item >= 0) highlight_[item] = 1;
    }

    // The pictures alone, then the pictures with the texts.
    void compose(Canvas& imagesOnly, Canvas& withText) {
        EXPECT_EQ(1, drawTitleImages(window_, imagesOnly.dc(), highlight_));
        EXPECT_EQ(1, drawTitleImages(window_, withText.dc(), highlight_));
        EXPECT_EQ(1, drawMenuTexts(window_, withText.dc(), highlight_));
    }

    SavedLauncherState saved_;
    TestWindow window_;
    MenuHighlight highlight_ = {};
};

TEST_F(TitleRenderTest, BackgroundAndThePanelOfTheHighlightedItemAreTheBitmapsPixelForPixel) {
    ResourceBitmap background(IDB_TITLE), wide(IDB_HIGHLIGHT_WIDE), narrow(IDB_HIGHLIGHT_NARROW);
    ASSERT_TRUE(background.loaded() && wide.loaded() && narrow.loaded());
    ASSERT_EQ(kWidth, background.width());
    ASSERT_EQ(kHeight, background.height());
    EXPECT_EQ((std::vector<int>{295, 60, 147, 60}),
              (std::vector<int>{wide.width(), wide.height(), narrow.width(), narrow.height()}));

    for (int item = -1; item < 8; ++item) {
        SCOPED_TRACE("highlighted item " + std::to_string(item));
        highlightOnly(item);
        TitleCanvas canvas;
        ASSERT_EQ(1, drawTitleImages(window_, canvas.dc(), highlight_));

        const PanelPlace panel = item >= 0 ? highlightPanelPlace(item) : PanelPlace{true, -1000, -1000};
        const ResourceBitmap& panelBitmap = panel.wide ? wide : narrow;
        int mismatches = 0;
        for (int y = 0; y < kHeight && mismatches < 5; ++y) {
            for (int x = 0; x < kWidth && mismatches < 5; ++x) {
                bool inPanel = item >= 0 && x >= panel.x && x < panel.x + panelBitmap.width() && y >= panel.y &&
                               y < panel.y + panelBitmap.height();
                COLORREF expected = inPanel ? panelBitmap.at(x - panel.x, y - panel.y) : background.at(x, y);
                if (canvas.at(x, y) != expected) {
                    ++mismatches;
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is 0x" << std::hex << canvas.at(x, y)
                                  << ", expected 0x" << expected << (inPanel ? " (panel)" : " (background)");
                }
            }
        }
    }
}

TEST_F(TitleRenderTest, TheLinesOfTheHighlightedItemAreOrangeAndAllOthersGrey) {
    for (int item = 0; item < 8; ++item) {
        SCOPED_TRACE("highlighted item " + std::to_string(item));
        highlightOnly(item);
        TitleCanvas imagesOnly, withText;
        compose(imagesOnly, withText);
        for (const MenuTextLine& line : menuTextLines()) {
            SCOPED_TRACE(menuLineName(line));
            TextPixels pixels = linePixels(withText, imagesOnly, line);
            const bool lit = line.item == item;
            EXPECT_GT(lit ? pixels.orange : pixels.grey, 20) << (lit ? "orange" : "grey");
            EXPECT_EQ(0, lit ? pixels.grey : pixels.orange) << (lit ? "grey" : "orange");
        }
    }
}

// Where in its column each line's glyphs lie is checked on the screen, to the pixel, end to end.
TEST_F(TitleRenderTest, NothingIsDrawnOutsideTheLines) {
    TitleCanvas imagesOnly, withText;
    compose(imagesOnly, withText);
    const std::vector<MenuTextLine> lines = menuTextLines();
    int outside = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (withText.at(x, y) == imagesOnly.at(x, y)) continue;
            bool inLine = false;
            for (const MenuTextLine& line : lines)
                inLine |= x >= line.columnLeft && x < line.columnLeft + line.columnWidth && y >= line.y &&
                          y < line.y + kLineHeight;
            outside += !inLine;
        }
    }
    EXPECT_EQ(0, outside);
}

// The widest card name, spaced out until it is wider than its column, is centred all the same:
// it starts left of the column and ends right of it (only the save path is held inside).
TEST_F(TitleRenderTest, ATextWiderThanItsColumnCrossesBothEdges) {
    launcherSettings.displayDriver = kDriverSoftwareSystemMemory;
    TitleCanvas imagesOnly, withText;
    SetTextCharacterExtra(withText.dc(), 4);
    compose(imagesOnly, withText);
    const MenuTextLine line = menuLineOf(MenuTextKind::DriverName);
    const TextPixels pixels = textPixels(withText, imagesOnly, 0, kWidth, line.y, line.y + kLineHeight);
    EXPECT_LT(pixels.minX, line.columnLeft);
    EXPECT_GE(pixels.maxX, line.columnLeft + line.columnWidth);
}

// Where it starts and is cut is checked on the screen, to the pixel, end to end.
TEST_F(TitleRenderTest, ALongSavePathDrawsNothingBeyondItsClip) {
    std::string path = "C:\\";
    while (path.size() < 230) path += "A Very Long Folder Name\\";
    setSavePath(path);
    highlightOnly(4);
    TitleCanvas imagesOnly, withText;
    compose(imagesOnly, withText);

    const int top = menuLineOf(MenuTextKind::SavePath).y, nextItem = menuItemRect(kItemReadme).top;
    TextPixels row = textPixels(withText, imagesOnly, 0, kWidth, top, top + kLineHeight);
    EXPECT_GT(row.orange, 100);
    // Not a pixel beyond the clip anywhere down to the next item, and the line above is untouched.
    EXPECT_EQ(0, textPixels(withText, imagesOnly, kSavePathClip.right, kWidth, kSavePathClip.top, nextItem).total());
    EXPECT_EQ(0, textPixels(withText, imagesOnly, 0, kSavePathClip.left, top, nextItem).total());
}

// A palette is deleted only when no context holds it: the context gets its own one back first.
TEST_F(TitleRenderTest, ThePalettesAreDeletedOnlyAfterTheContextHasItsOwnBack) {
    TitleCanvas canvas;
    const HGDIOBJ original = GetCurrentObject(canvas.dc(), OBJ_PAL);
    highlightOnly(0);
    ASSERT_EQ(1, drawTitleImages(window_, canvas.dc(), highlight_));
    const HGDIOBJ selected = GetCurrentObject(canvas.dc(), OBJ_PAL);
    ASSERT_NE(original, selected);

    deleteTitlePalettes();

    EXPECT_EQ(original, GetCurrentObject(canvas.dc(), OBJ_PAL));
    EXPECT_EQ(0u, GetObjectType(selected)) << "the palette lives on: it was deleted while selected";
}

TEST_F(TitleRenderTest, ADriverCodeOutsideTheTableShowsTheUnknownCardText) {
    const MenuTextLine driverLine = menuLineOf(MenuTextKind::DriverName);
    launcherSettings.displayDriver = 18;  // "Unknown Card"
    TitleCanvas unknownImages, unknownText;
    compose(unknownImages, unknownText);
    TextPixels unknown = linePixels(unknownText, unknownImages, driverLine);
    ASSERT_GT(unknown.grey, 20);

    for (int32_t code : {24, 1000, -1, -5, INT32_MIN}) {
        SCOPED_TRACE(code);
        launcherSettings.displayDriver = code;
        TitleCanvas imagesOnly, withText;
        compose(imagesOnly, withText);
        int differences = 0;
        for (int y = driverLine.y; y < driverLine.y + kLineHeight; ++y)
            for (int x = 0; x < kWidth; ++x) differences += withText.at(x, y) != unknownText.at(x, y);
        EXPECT_EQ(0, differences);
    }
}

TEST_F(TitleRenderTest, WithoutItsBitmapsTheScreenIsBlackWithTheTextsOnIt) {
    deleteTitlePalettes();
    appInstance = GetModuleHandleA("kernel32.dll");
    EXPECT_EQ(0, loadTitlePalettes());

    highlightOnly(0);
    TitleCanvas imagesOnly, withText;
    compose(imagesOnly, withText);
    int notBlack = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) notBlack += imagesOnly.at(x, y) != kBlack;
    EXPECT_EQ(0, notBlack);
    for (const MenuTextLine& line : menuTextLines()) {
        SCOPED_TRACE(menuLineName(line));
        TextPixels pixels = linePixels(withText, imagesOnly, line);
        EXPECT_GT(line.item == 0 ? pixels.orange : pixels.grey, 20);
    }

    deleteTitlePalettes();
    appInstance = GetModuleHandleA(nullptr);
    EXPECT_EQ(1, loadTitlePalettes());
}

}  // namespace

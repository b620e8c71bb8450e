// The readme viewer against real files and Wine's dialog manager: what it shows, how it
// closes, and which readme.txt it finds.
#include <windows.h>

#include <functional>
#include <future>
#include <string>

#include <gtest/gtest.h>

#include "launcher/readme_viewer.h"
#include "resources/resource_ids.h"
#include "tests/support/files.h"
#include "tests/support/launcher_state.h"
#include "tests/support/window_driver.h"

namespace {

void writeReadme(const std::string& bytes) { ASSERT_TRUE(writeFile("readme.txt", bytes)); }

// Where the text after the first tab of the line "Name\tValue" starts, from the line's start,
// and the first tab stop: 32 dialog template units of the box's font. The box's own metrics
// give the average character width of its font, as the system measures it to turn dialog
// template units into pixels (four units to the character).
void expectTabStopsOfTheFont(HWND edit, HFONT font, const std::string& text) {
    const size_t line = text.find("Name\tValue");
    if (line == std::string::npos) return;
    auto x = [edit](size_t index) {
        return static_cast<int>(static_cast<short>(LOWORD(SendMessageA(edit, EM_POSFROMCHAR, index, 0))));
    };
    const int tabAdvance = x(line + 5) - x(line);
    WindowDC dc(edit);
    SelectedObject selected(dc.get(), font);
    SIZE alphabet = {};
    GetTextExtentPoint32A(dc.get(), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &alphabet);
    EXPECT_NEAR(MulDiv(32, (alphabet.cx / 26 + 1) / 2, 4), tabAdvance, 1);
}

// On a helper thread: waits for the viewer, runs check on it, then close. A viewer that close
// did not end within 3 s is cancelled, so that a failing test cannot hang. The future tells
// whether it came.
std::future<bool> driveViewer(std::function<void(HWND)> close, std::function<void(HWND)> check = [](HWND) {}) {
    return whenDialogAppears(IDC_README_TEXT, [close, check](HWND viewer) {
        check(viewer);
        close(viewer);
        waitUntilGone(viewer, 3000);
    });
}

void pressOk(HWND viewer) { clickButton(viewer, IDOK); }

class ReadmeViewerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, owner_.get()); }

    // Shows a readme that close closes; what the viewer answers. The helper cancels a viewer that
    // did not close by itself after 3 s, which the time taken would show.
    INT_PTR showReadmeClosedBy(void (*close)(HWND)) {
        writeReadme("Read me.\r\n");
        auto shown = driveViewer(close);
        const DWORD start = GetTickCount();
        const INT_PTR result = showReadme(owner_);
        EXPECT_TRUE(shown.get());
        EXPECT_LT(GetTickCount() - start, 3000u);
        return result;
    }

    SavedLauncherState saved_;
    TestWindow owner_{true};
    CurrentFolder folder_{"readme-viewer"};
};

TEST_F(ReadmeViewerTest, ShowsTheWholeFileAsItIsInAModalBox) {
    std::string longLine(700, 'w');
    std::string large;
    for (int line = 0; line < 900; ++line)
        large += "Line " + std::to_string(line) + " of a readme larger than an edit box holds by default.\r\n";
    large += "end";
    const struct {
        const char* what;
        std::string bytes;
        LRESULT lines;
    } cases[] = {
        {"empty file", "", 1},
        {"lines, tabs and ANSI bytes",
         "QUARLOCK2\r\n\r\nName\tValue\r\nCaf\xE9 \xA9 1999\r\n" + longLine + "\r\nlast line", 6},
        {"larger than 32 KB", large, 901},
    };
    ASSERT_GT(large.size(), 32768u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeReadme(c.bytes);
        auto shown = driveViewer(pressOk, [&](HWND viewer) {
            SCOPED_TRACE(c.what);  // on the helper thread too
            EXPECT_EQ("QUARLOCK2", windowText(viewer));
            HWND edit = GetDlgItem(viewer, IDC_README_TEXT);
            const std::string text = controlText(edit);
            EXPECT_EQ(c.bytes, text);
            // Lines are not wrapped: the long one stays one line.
            EXPECT_EQ(c.lines, SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
            HWND owner = GetWindow(viewer, GW_OWNER);
            EXPECT_EQ(owner_.get(), owner);
            EXPECT_FALSE(owner && IsWindowEnabled(owner));
            GUITHREADINFO thread = {};
            thread.cbSize = sizeof thread;
            GetGUIThreadInfo(GetWindowThreadProcessId(viewer, nullptr), &thread);
            EXPECT_EQ(GetDlgItem(viewer, IDOK), thread.hwndFocus) << "the focus is on OK";
            const LONG_PTR style = GetWindowLongPtrA(edit, GWL_STYLE);
            EXPECT_TRUE(style & ES_READONLY);
            EXPECT_FALSE(style & WS_TABSTOP) << "Tab would stop in the text";
            HFONT font = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
            LOGFONTA face = {};
            if (font) GetObjectA(font, sizeof face, &face);
            EXPECT_EQ(18, face.lfHeight);
            EXPECT_STREQ("Times New Roman", face.lfFaceName);
            expectTabStopsOfTheFont(edit, font, text);
        });
        EXPECT_EQ(0, showReadme(owner_));
        ASSERT_TRUE(shown.get());
        EXPECT_TRUE(IsWindowEnabled(owner_));
    }
}

TEST_F(ReadmeViewerTest, OkAnswersZero) { EXPECT_EQ(0, showReadmeClosedBy(pressOk)); }

// Posted to the focused button, so that the dialog manager turns it into IDCANCEL.
TEST_F(ReadmeViewerTest, EscapeAnswersMinusOne) {
    EXPECT_EQ(-1, showReadmeClosedBy([](HWND viewer) {
        PostMessageA(GetDlgItem(viewer, IDOK), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    }));
}

TEST_F(ReadmeViewerTest, ACloseRequestAnswersMinusOne) {
    EXPECT_EQ(-1, showReadmeClosedBy([](HWND viewer) { PostMessageA(viewer, WM_CLOSE, 0, 0); }));
}

TEST_F(ReadmeViewerTest, AReadmeThatCannotBeReadAtOpeningGivesAnEmptyBox) {
    writeReadme("Text nobody will see.\r\n");
    ASSERT_EQ(1, readmeExists());
    // Someone takes the file for himself between the check and the opening.
    HeldFile exclusive("readme.txt");
    ASSERT_TRUE(exclusive.held());
    MessageBoxWatch boxes;
    auto shown = driveViewer(pressOk, [](HWND viewer) {
        EXPECT_EQ("", controlText(GetDlgItem(viewer, IDC_README_TEXT)));
        EXPECT_EQ("QUARLOCK2", windowText(viewer));
    });
    EXPECT_EQ(0, showReadme(owner_));
    ASSERT_TRUE(shown.get());
    EXPECT_TRUE(boxes.stop().empty());
}

TEST_F(ReadmeViewerTest, ReadmeExistsLooksInTheCurrentFolderOnly) {
    EXPECT_EQ(0, readmeExists());

    writeReadme("x");
    EXPECT_EQ(1, readmeExists());
    {
        // From another folder the file is not found.
        CurrentFolder elsewhere;
        EXPECT_EQ(0, readmeExists());
    }
    EXPECT_EQ(1, readmeExists());

    // A reader that lets others read does not hide the file; an exclusive one does.
    HANDLE sharing = CreateFileA("readme.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, sharing);
    EXPECT_EQ(1, readmeExists());
    CloseHandle(sharing);
    HANDLE exclusive = CreateFileA("readme.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, exclusive);
    EXPECT_EQ(0, readmeExists());
    CloseHandle(exclusive);

    // The check opens, never creates.
    ASSERT_TRUE(DeleteFileA("readme.txt"));
    EXPECT_EQ(0, readmeExists());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("readme.txt"));

    // A folder of that name is no readme.
    ASSERT_TRUE(CreateDirectoryA("readme.txt", nullptr));
    EXPECT_EQ(0, readmeExists());
}

}  // namespace

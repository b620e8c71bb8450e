// Benchmark of the save folder chooser's tree fill: a generated hierarchy of folders is read
// into the chooser's own tree view, and the time is set beside a bare recursive listing of
// the same folders and beside the tree view's own cost of taking as many items.
//
//   folder_tree_bench.exe [folder [count]]     default C:\folderbench, 20000 folders
//   folder_tree_bench.exe C:\folderbench 70000  a disk of today: more folders than the tree
//                                              can show, so the fill stops at its limit
//
// The hierarchy is made on the first run (a marker file remembers it) and kept for the next.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/module_instance.h"
#include "resources/resource_ids.h"
#include "savefolder/folder_tree.h"

namespace {

constexpr int kRuns = 5;

double now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Mixed depth and breadth from a fixed seed: most folders go under one of the last few made
// (chains up to 24 levels, at most 183 characters), the rest under any folder so far (wide
// folders near the top).
std::vector<std::string> planHierarchy(int count) {
    struct Planned {
        std::string path;
        int depth;
    };
    std::vector<Planned> planned = {{"", 0}};
    unsigned state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7FFF;
    };
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        size_t parent;
        if (next() % 100 < 55) {
            const size_t recent = std::min<size_t>(planned.size(), 8);
            parent = planned.size() - 1 - next() % recent;
        } else {
            parent = next() % std::min<size_t>(planned.size(), 200 + planned.size() / 4);
        }
        if (planned[parent].depth >= 24) parent = next() % std::min<size_t>(planned.size(), 50);
        char name[32];
        std::snprintf(name, sizeof name, "d%05d", i);
        planned.push_back({planned[parent].path + "\\" + name, planned[parent].depth + 1});
        paths.push_back(planned.back().path);
    }
    return paths;
}

bool makeHierarchy(const std::string& root, int count) {
    const std::string marker = root + "\\hierarchy-" + std::to_string(count) + ".ready";
    if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    std::printf("making %d folders under %s ...\n", count, root.c_str());
    CreateDirectoryA(root.c_str(), nullptr);
    for (const std::string& path : planHierarchy(count)) {
        if (!CreateDirectoryA((root + path).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            std::printf("cannot make %s%s\n", root.c_str(), path.c_str());
            return false;
        }
    }
    HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(file);
    return true;
}

// The bare listing: every sub-folder, recursively, with nothing done for it.
int listFolders(const std::string& path, std::vector<std::string>* names = nullptr, int depth = 0) {
    WIN32_FIND_DATAA entry;
    HANDLE listing = FindFirstFileA((path + "*.*").c_str(), &entry);
    if (listing == INVALID_HANDLE_VALUE) return 0;
    int folders = 0;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (entry.cFileName[0] == '.' && (!entry.cFileName[1] || (entry.cFileName[1] == '.' && !entry.cFileName[2])))
            continue;
        if (names) names->push_back(std::to_string(depth) + '|' + entry.cFileName);
        folders += 1 + listFolders(path + entry.cFileName + "\\", names, depth + 1);
    } while (FindNextFileA(listing, &entry));
    FindClose(listing);
    return folders;
}

INT_PTR CALLBACK quietDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

HWND treeOf(HWND dialog) { return GetDlgItem(dialog, IDC_FOLDER_TREE); }

int countItems(HWND tree) { return static_cast<int>(SendMessageA(tree, TVM_GETCOUNT, 0, 0)); }

void clearTree(HWND tree) {
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
}

void pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// The chooser's fill of the whole hierarchy into its tree, as at opening or after a drive change.
double timeFill(HWND dialog, const std::string& root, int& items) {
    HWND tree = treeOf(dialog);
    clearTree(tree);
    pump();
    const double start = now();
    HTREEITEM rootItem = insertTreeItem(tree, TVI_ROOT, root.c_str());
    fillFolderTree(root.c_str(), rootItem, tree);
    pump();  // the repaint the fill leaves behind belongs to it
    const double elapsed = now() - start;
    items = countItems(tree) - 1;
    return elapsed;
}

// The same items straight from memory, depth first, with or without redrawing on the way.
double timeInserts(HWND dialog, const std::string& root, const std::vector<std::string>& listed, bool redraw) {
    HWND tree = treeOf(dialog);
    clearTree(tree);
    pump();
    const double start = now();
    if (!redraw) SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    std::vector<HTREEITEM> parents = {insertTreeItem(tree, TVI_ROOT, root.c_str())};
    for (const std::string& entry : listed) {
        const size_t bar = entry.find('|');
        const size_t depth = static_cast<size_t>(std::atoi(entry.c_str()));
        parents.resize(depth + 1);
        parents.push_back(insertTreeItem(tree, parents[depth], entry.c_str() + bar + 1));
    }
    if (!redraw) {
        SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(tree, nullptr, TRUE);
    }
    pump();
    return now() - start;
}

double timeDeleteAll(HWND dialog, bool redraw) {
    HWND tree = treeOf(dialog);
    const double start = now();
    if (redraw) SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    else clearTree(tree);
    pump();
    return now() - start;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Measure>
double medianOf(Measure measure) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) times.push_back(measure());
    return median(times);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "C:\\folderbench";
    const int count = argc > 2 ? std::atoi(argv[2]) : 20000;
    appInstance = GetModuleHandleA(nullptr);
    InitCommonControls();
    if (!makeHierarchy(folder, count)) return 1;
    const std::string root = folder + "\\";

    std::vector<std::string> listed;
    const int folders = listFolders(root, &listed);
    HWND dialog = CreateDialogParamA(appInstance, MAKEINTRESOURCEA(IDD_SAVE_FOLDER), nullptr, quietDialogProc, 0);
    if (!dialog) {
        std::printf("the chooser's template did not load\n");
        return 1;
    }

    // Interleaved, so that a busy spell of the machine weighs on every figure alike.
    std::vector<double> bare, hiddenFill, shownFill;
    int items = 0;
    for (int run = 0; run < kRuns; ++run) {
        const double start = now();
        listFolders(root);
        bare.push_back(now() - start);
        ShowWindow(dialog, SW_HIDE);
        hiddenFill.push_back(timeFill(dialog, root, items));
        ShowWindow(dialog, SW_SHOW);
        shownFill.push_back(timeFill(dialog, root, items));
    }
    const double shownInserts = medianOf([&] { return timeInserts(dialog, root, listed, false); });
    const double shownInsertsRedrawing = medianOf([&] { return timeInserts(dialog, root, listed, true); });
    const double deleteQuiet = medianOf([&] {
        timeInserts(dialog, root, listed, false);
        return timeDeleteAll(dialog, false);
    });
    const double deleteRedrawing = medianOf([&] {
        timeInserts(dialog, root, listed, false);
        return timeDeleteAll(dialog, true);
    });
    // The two working buffers each listed folder takes from movable global memory.
    const double buffers = medianOf([&] {
        const double start = now();
        for (int i = 0; i < 2 * (folders + 1); ++i) {
            HGLOBAL block = GlobalAlloc(GHND, MAX_PATH);
            GlobalLock(block);
            GlobalUnlock(block);
            GlobalFree(block);
        }
        return now() - start;
    });
    DestroyWindow(dialog);

    const double listing = median(bare);
    // The tree holds at most kTreeItemLimit items, its root among them.
    const int expectedItems = std::min(folders, static_cast<int>(kTreeItemLimit) - 1);
    std::printf("folders under %s: %d listed, %d items in the tree (at most %u with its root)\n", folder.c_str(),
                folders, items, kTreeItemLimit);
    std::printf("median of %d runs, milliseconds:\n", kRuns);
    std::printf("  bare recursive listing                     %9.1f\n", listing);
    std::printf("  fill, dialog hidden (as at opening)        %9.1f   ratio to the listing %5.2f\n",
                median(hiddenFill), median(hiddenFill) / listing);
    std::printf("  fill, dialog shown (as at a drive change)  %9.1f   ratio to the listing %5.2f\n",
                median(shownFill), median(shownFill) / listing);
    std::printf("  parts of the fill beyond the listing:\n");
    std::printf("    the same items inserted from memory      %9.1f\n", shownInserts);
    std::printf("      ... redrawing after every insert       %9.1f\n", shownInsertsRedrawing);
    std::printf("    the working buffers of every level       %9.1f\n", buffers);
    std::printf("  delete all items, redraw off               %9.1f\n", deleteQuiet);
    std::printf("  delete all items, redraw on                %9.1f\n", deleteRedrawing);
    return items == expectedItems ? 0 : 1;
}

// The save folder chooser's window-free rules: typed paths, names, the search for the save
// path's item on a model of the folder tree, and the bounded paths.
#include "savefolder/folder_rules.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/path_buffer.h"

namespace {

using V = TypedPathVerdict;

TEST(TypedPath, RulesApplyInTheirOrder) {
    DriveTable drives = {};  // fixed disks C: and E:; D: is a CD-ROM drive, N: a network one
    std::strcpy(drives.fixedDrives[0].name, "C:");
    std::strcpy(drives.fixedDrives[1].name, "E:");
    std::strcpy(drives.cdromDrives[0].name, "D:");
    const struct {
        const char* path;
        V forOk, forNewFolder;
    } cases[] = {
        {"c:\\games\\", V::Accepted, V::Accepted},   {"E:\\Saves", V::Accepted, V::Accepted},
        {"D:\\games\\", V::Refused, V::Refused},     {"N:\\games\\", V::Refused, V::Refused},
        {"", V::Refused, V::Refused},                {"C", V::Refused, V::Refused},
        {"C:Games", V::Accepted, V::Refused},        {"C:\\A\\\\B\\", V::Refused, V::Refused},
        {"C:\\A;B\\", V::ForbiddenCharacter, V::ForbiddenCharacter},
        // The drive before the characters, the characters before the doubled backslash, the
        // root separator before the characters.
        {"D:\\A;B\\", V::Refused, V::Refused},
        {"C:\\A;\\\\B\\", V::ForbiddenCharacter, V::ForbiddenCharacter},
        {"C::Games", V::ForbiddenCharacter, V::Refused},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.forOk, judgeTypedPath(c.path, false, drives)) << c.path;
        EXPECT_EQ(c.forNewFolder, judgeTypedPath(c.path, true, drives)) << c.path;
    }
    for (char c : std::string(":,;/*?\"<>|")) {
        const std::string inside = std::string("a") + c + "b";
        EXPECT_EQ(V::ForbiddenCharacter, judgeTypedPath(("C:\\" + inside).c_str(), false, drives)) << c;
        EXPECT_TRUE(nameHasForbiddenCharacter(inside.c_str())) << c;
    }
    EXPECT_TRUE(nameHasForbiddenCharacter("a\\b"));
    EXPECT_FALSE(nameHasForbiddenCharacter("My Saves.1 (a-b_c)[!@#$%^&'+=~`]"));
}

// A folder that may not be looked into lists as empty as one without entries; any other error
// is told.
TEST(FolderListing, OnlyTheEndNothingFoundAndAccessDeniedAreQuiet) {
    for (unsigned long error : {2ul, 5ul, 18ul}) EXPECT_TRUE(listingEndsQuietly(error)) << error;
    for (unsigned long error : {0ul, 3ul, 21ul, 53ul, 1920ul}) EXPECT_FALSE(listingEndsQuietly(error)) << error;
}

// A folder tree as the chooser builds it; items are numbered from 1 (the drive root), 0 is none.
struct ModelTree {
    std::vector<std::pair<std::string, int>> nodes{{"C:\\", 0}};  // name and parent
    int add(int parent, const std::string& name) {
        nodes.push_back({name, parent});
        return static_cast<int>(nodes.size());
    }
    int following(int parentItem, int after) const {
        for (size_t i = after; i < nodes.size(); ++i)
            if (nodes[i].second == parentItem) return static_cast<int>(i) + 1;
        return 0;
    }
    int firstChild(int item) const { return following(item, item); }
    int nextSibling(int item) const { return following(parent(item), item); }
    int parent(int item) const { return nodes[item - 1].second; }
    void text(int item, char* out, int size) const { std::snprintf(out, size, "%s", nodes[item - 1].first.c_str()); }
    static void toUpper(char* text) {
        for (; *text; ++text) *text = static_cast<char>(std::toupper(static_cast<unsigned char>(*text)));
    }
};

TEST(FindFolder, EntersTheFirstChildWhosePathOccursInTheSavePath) {
    ModelTree tree;
    const int program = tree.add(1, "Program");
    tree.add(tree.add(1, "Program Files"), "ORVANE");
    const int games = tree.add(1, "Games");
    const int saves = tree.add(games, "Saves");
    tree.add(tree.add(tree.add(1, "Games Old"), "A"), "B");
    const int longName = tree.add(1, std::string(250, 'n'));
    tree.add(longName, std::string(250, 'n'));  // its path would not fit a buffer
    const struct {
        std::string savePath;
        int expected;
    } cases[] = {
        {"c:\\games\\saves\\slot1\\", saves},   {"C:\\Games\\Other\\", games},
        {"C:\\Nothing\\", 1},                   {"D:\\Games\\", 1},
        {"C:\\Program Files\\ORVANE\\QUARLOCK2\\", program},  // containment, not a prefix
        {"C:\\Games Old\\A\\B\\", games},       // the first qualifying child, no backtracking
        {"X:\\C:\\GamesX\\", games},            {"C:\\" + std::string(250, 'n'), longName},
    };
    for (auto c : cases) {
        ModelTree::toUpper(&c.savePath[0]);
        EXPECT_EQ(c.expected, findContainedFolder(tree, c.savePath.c_str(), "C:\\", 1)) << c.savePath;
    }
}

TEST(BoundedPaths, WhatDoesNotFitIsRefusedWithoutOverflow) {
    // The final backslash only while the folder plus "*.*" still fits 260 characters.
    const std::string longest(kPathBufferSize - 1 - kListingPatternLength - 1, 'p');
    for (const auto& c : {std::make_pair(std::string("C:Games"), 1), {longest, 1}, {longest + "\\", 1},
                          {longest + "p", 0}, {std::string(kPathBufferSize - 1, 'p'), 0}}) {
        auto path = pathBuffer(c.first);
        EXPECT_EQ(c.second, finishFolderPath(path.get())) << c.first.size();
        EXPECT_EQ(c.second && c.first.back() != '\\' ? c.first + "\\" : c.first, path.get());
    }

    // Parent and name within 245 characters, however long the two are.
    const std::string parent240 = "C:\\" + std::string(236, 'p') + "\\";
    for (const auto& c : {std::make_tuple(parent240, std::string("abcde"), 1), {parent240, "abcdef", 0},
                          {parent240, std::string(kPathBufferSize - 2, 'n'), 0}, {std::string(5000, 'p'), "x", 0}}) {
        auto out = pathBuffer();
        EXPECT_EQ(std::get<2>(c), composeNewFolderPath(std::get<0>(c).c_str(), std::get<1>(c).c_str(), out.get()));
        EXPECT_EQ(std::get<2>(c) ? std::get<0>(c) + std::get<1>(c) : "", out.get());
    }

    // A composed path: the drive from the list, then the names below the root.
    ModelTree tree;
    const int second = tree.add(tree.add(1, std::string(120, 'n')), std::string(120, 'n'));
    const int deepest = tree.add(tree.add(second, "abcdefghijkl"), "m");  // 258, then 260 characters
    const std::string path258 = "E:\\" + std::string(120, 'n') + "\\" + std::string(120, 'n') + "\\abcdefghijkl\\";
    for (const auto& c : {std::make_pair(0, std::string("E:\\")), {1, "E:\\"}, {deepest - 1, path258}, {deepest, ""}}) {
        auto out = pathBuffer();
        EXPECT_EQ(!c.second.empty(), composeFolderPath(tree, c.first, 1, "E:", out.get()) == 1);
        EXPECT_EQ(c.second, out.get());
    }
}

}  // namespace

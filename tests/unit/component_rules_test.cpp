// The window-free rules of the component offers: their order and what their sequence does with
// each event, the room DirectX needs, and the paths made for the installers, each within one
// path buffer or not made at all.
#include "install/component_rules.h"

#include <string>

#include <gtest/gtest.h>

#include "settings/launcher_settings.h"
#include "tests/support/path_buffer.h"

namespace {

TEST(OfferSequence, TheFirstComponentNotYetOfferedComesNext) {
    using C = RuntimeComponent;
    const struct {
        uint32_t promptFlags;
        bool any;
        RuntimeComponent next;
    } cases[] = {
        {0, true, C::DirectX},
        {kPromptReadmeShown, true, C::DirectX},
        {kPromptDirectXOffered, true, C::Indeo},
        {kPromptDirectXOffered | kPromptIndeoOffered, true, C::DirectXMedia},
        {kPromptIndeoOffered, true, C::DirectX},
        {kPromptDirectXOffered | kPromptDirectXMediaOffered, true, C::Indeo},
        {kPromptDirectXOffered | kPromptIndeoOffered | kPromptDirectXMediaOffered, false, C::DirectX},
        {0xFFFFFFFF, false, C::DirectX},
    };
    for (const auto& c : cases) {
        RuntimeComponent next = C::DirectX;
        EXPECT_EQ(c.any, nextOffer(c.promptFlags, &next)) << c.promptFlags;
        EXPECT_EQ(c.next, next) << c.promptFlags;
    }
}

// A question never comes over an action's dialog, nor while an installer runs; an installer's
// end and the end of the last running action each bring the resume message once.
TEST(OfferSequence, EachStateAnswersEachEvent) {
    using S = OfferState;
    using E = OfferEvent;
    using O = OfferStep;
    const struct {
        OfferState state;
        OfferEvent event;
        bool actionRunning;
        OfferStep step;
    } cases[] = {
        {S::NextOffer, E::ResumeMessage, false, O::Offer},
        {S::NextOffer, E::ResumeMessage, true, O::Defer},
        {S::NextOffer, E::ActionEnded, false, O::Nothing},
        {S::NextOffer, E::InstallerEnded, false, O::Nothing},
        {S::WaitingForInstaller, E::ResumeMessage, false, O::Nothing},
        {S::WaitingForInstaller, E::InstallerEnded, false, O::PostResume},
        {S::WaitingForInstaller, E::ActionEnded, false, O::Nothing},
        {S::DeferredUntilActionEnds, E::ResumeMessage, true, O::Defer},
        {S::DeferredUntilActionEnds, E::ActionEnded, true, O::Nothing},
        {S::DeferredUntilActionEnds, E::ActionEnded, false, O::PostResume},
        {S::DeferredUntilActionEnds, E::InstallerEnded, false, O::Nothing},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.step, offerStep(c.state, c.event, c.actionRunning))
            << static_cast<int>(c.state) << " " << static_cast<int>(c.event) << " " << c.actionRunning;
    }
}

TEST(DirectXRoom, FifteenMegabytesOrMoreOnTheSystemDrive) {
    const struct {
        uint32_t bytesPerSector, freeClusters, sectorsPerCluster;
        bool enough;
    } cases[] = {
        {512, 30720, 1, true},   // 15 MB exactly
        {512, 30719, 1, false},  // half a kilobyte short
        {512, 1280, 8, false},   // 5 MB
        {0, 0, 0, false},        // what a failed query counts as
        // Far beyond 32 bits: computed in floating point, never wrapped round to a small figure.
        {4096, 0xFFFFFFFFu, 64, true},
        {0x10000, 0x10000, 0x10000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bytesPerSector << " x " << c.freeClusters << " x " << c.sectorsPerCluster);
        EXPECT_EQ(c.enough, enoughRoomForDirectX(freeMegabytes(c.bytesPerSector, c.freeClusters, c.sectorsPerCluster)));
    }
}

TEST(InstallerPaths, AreMadeWhenTheyFitAndOtherwiseNot) {
    using Rule = int (*)(const char*, char*);
    const std::string longFolder(kPathBufferSize - 1 - 7, 'f');  // + "\regist": 259, the most that fits
    const std::string longRoot(kPathBufferSize - 2, 'r');        // + "\": 259
    const struct {
        const char* what;
        Rule rule;
        std::string in;
        int made;
        std::string out;  // emptied when not made
    } cases[] = {
        {"installer folder", installerFolder, "D:", 1, "D:\\regist"},
        {"installer folder of a hard-disk copy", installerFolder, "C:\\Games\\Q2", 1, "C:\\Games\\Q2\\regist"},
        {"installer folder, longest", installerFolder, longFolder, 1, longFolder + "\\regist"},
        {"installer folder, too long", installerFolder, longFolder + "f", 0, ""},
        {"DirectX files", directXSourceFolder, "D:\\regist\\Dsetup.dll", 1, "D:\\regist\\Directx"},
        // Cut back to 252 characters, then "\Directx" makes 260: one too many.
        {"DirectX files, too long", directXSourceFolder, longFolder + "\\Dsetup", 0, ""},
        {"system drive", systemDriveRoot, "C:\\WINDOWS\\SYSTEM", 1, "C:\\"},
        {"system drive of a bare drive", systemDriveRoot, "C:", 1, "C:\\"},
        {"system drive without backslash, longest", systemDriveRoot, longRoot, 1, longRoot + "\\"},
        {"system drive without backslash, too long", systemDriveRoot, longRoot + "r", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto out = pathBuffer();
        EXPECT_EQ(c.made, c.rule(c.in.c_str(), out.get()));
        EXPECT_EQ(c.out, out.get());
    }
}

}  // namespace

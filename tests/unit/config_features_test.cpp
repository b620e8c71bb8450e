// The Features page's rules: feature bits per half, the two presets and the sound setting.
#include "config/feature_options.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kDefaultOptions = 0x07970797;

TEST(Features, SoftwareRenderersUseTheHighHalf) {
    for (DisplayDriverCode driver = -2; driver < 30; ++driver) {
        EXPECT_EQ(driver == 5 || driver == 7, softwareRendering(driver)) << "driver " << driver;
    }
    const struct {
        int position;
        uint32_t card, software;
    } cases[] = {
        {0, 0x1, 0x10000},     {1, 0x2, 0x20000},     {2, 0x4, 0x40000},   {3, 0x8, 0x80000},
        {4, 0x10, 0x100000},   {5, 0, 0},             {6, 0, 0},           {7, 0x80, 0x800000},
        {8, 0x100, 0x1000000}, {9, 0x200, 0x2000000}, {10, 0x400, 0x4000000},
        {-1, 0, 0},            {11, 0, 0},            {31, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.card, featureBit(c.position, false)) << "position " << c.position;
        EXPECT_EQ(c.software, featureBit(c.position, true)) << "position " << c.position;
    }
    // The default switches every feature on except PALETTE-CHANGE, in both halves.
    for (int position = 0; position < kFeatureCount; ++position) {
        for (const bool software : {false, true}) {
            const uint32_t bit = featureBit(position, software);
            if (bit) {
                EXPECT_EQ(position != 3, (kDefaultOptions & bit) != 0) << "position " << position;
            }
        }
    }
}

TEST(Presets, ChangeOnlyTheActiveHalf) {
    const struct {
        uint32_t before;
        bool software;
        uint32_t quality, performance;
    } cases[] = {
        {kDefaultOptions, false, 0x07970797, 0x07970090},
        {kDefaultOptions, true, 0x07970797, 0x00900797},
        // PALETTE-CHANGE and the bits of no feature are cleared, SOUND and MOVIE kept.
        {0xFFFFFFFF, false, 0xFFFF0797, 0xFFFF0090},
        {0xFFFFFFFF, true, 0x0797FFFF, 0x0090FFFF},
        {0x00000000, false, 0x00000707, 0x00000000},
        {0x00000000, true, 0x07070000, 0x00000000},
        {0x0008F86F, false, 0x00080707, 0x00080000},
        {0x12340010, true, 0x07170010, 0x00100010},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "0x" << c.before << (c.software ? " software" : " card"));
        EXPECT_EQ(c.quality, applyQualityPreset(c.before, c.software));
        EXPECT_EQ(c.performance, applyPerformancePreset(c.before, c.software));
    }
    EXPECT_EQ(9u, kQualityPresetSound);
    EXPECT_EQ(0u, kPerformancePresetSound);
}

TEST(SoundSetting, StereoSurvivesEveryQualityChangeAndLevelEveryStereoChange) {
    for (const uint32_t before : {0u, 1u, 2u, 8u, 9u, 10u}) {
        const uint32_t stereo = before & 8;
        for (const uint32_t level : {kSoundLevelLow, kSoundLevelStandard, kSoundLevelHigh}) {
            EXPECT_EQ(stereo + level, soundWithLevel(before, level)) << "from " << before << " to level " << level;
        }
        EXPECT_EQ((before & 3) | 8, soundWithStereo(before, true)) << "from " << before;
        EXPECT_EQ(before & 3, soundWithStereo(before, false)) << "from " << before;
    }
    // A quality choice keeps nothing but the stereo flag; a stereo choice changes nothing else.
    EXPECT_EQ(10u, soundWithLevel(0xFF, kSoundLevelHigh));
    EXPECT_EQ(0xF7u, soundWithStereo(0xFF, false));
}

}  // namespace

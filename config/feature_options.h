// The Features page's rules: the eleven features, where each is stored, the two presets and
// the sound setting's changes.
#pragma once

#include <cstdint>

#include "config/display_drivers.h"

constexpr int kFeatureCount = 11;
constexpr int kFeatureSoundQuality = 5;
constexpr int kFeatureStereo = 6;

// Captions of the choice buttons: the first stands for a set bit, the second for a clear one.
// Only "SOUND QUALITY" has a third choice.
struct FeatureEntry {
    const char* name;
    const char* setCaption;
    const char* clearCaption;
};

// The feature at a list position, or nullptr outside the list.
const FeatureEntry* featureEntry(int position);

constexpr const char* kHighQualityCaption = "High quality";
constexpr const char* kStandardQualityCaption = "Standard quality";
constexpr const char* kLowQualityCaption = "Low quality";

// The software renderers keep their feature switches in the high half of optionBits, every
// card in the low half.
bool softwareRendering(DisplayDriverCode driver);
// The bit of optionBits that holds the feature at a position; 0 for the two sound features
// and any position outside the list.
uint32_t featureBit(int position, bool software);

// The presets change only the active half; SOUND and MOVIE keep their state, the bits of no
// feature are cleared.
uint32_t applyQualityPreset(uint32_t optionBits, bool software);
uint32_t applyPerformancePreset(uint32_t optionBits, bool software);
constexpr uint32_t kQualityPresetSound = 9;      // standard quality, stereo
constexpr uint32_t kPerformancePresetSound = 0;  // low quality, mono

// Sound quality levels as soundSetting stores them.
constexpr uint32_t kSoundLevelLow = 0;
constexpr uint32_t kSoundLevelStandard = 1;
constexpr uint32_t kSoundLevelHigh = 2;

// Both keep the stereo flag or the level respectively.
uint32_t soundWithLevel(uint32_t soundSetting, uint32_t level);
uint32_t soundWithStereo(uint32_t soundSetting, bool stereo);

// The description of the feature at a position; "" for "SOUND QUALITY", whose descriptions
// go by level, and for positions outside the list.
const char* featureDescription(int position);
// The description of a sound quality level 0 to 2; "" for any other level.
const char* soundLevelDescription(uint32_t level);

// The features of the Features page, their bits in optionBits, the presets and the sound setting.
#include "config/feature_options.h"

#include "settings/launcher_settings.h"

namespace {

const FeatureEntry kFeatures[kFeatureCount] = {
    {"SHADING", "ON", "OFF"},
    {"MESH PATTERN AS ALPHA BLENDING", "Alpha Blending", "Mesh"},
    {"BILINEAR-FILTERING", "ON", "OFF"},
    {"PALETTE-CHANGE", "ON", "OFF"},
    {"SOUND", "ON", "OFF"},
    {"SOUND QUALITY", kHighQualityCaption, kStandardQualityCaption},
    {"STEREO / MONO", "Stereo", "Mono"},
    {"MOVIE", "ON", "OFF"},
    {"SPECIAL EFFETCS", "Standard", "Reduced"},
    {"NUMBER OF ENEMIES", "Standard", "Reduced"},
    {"PERSPECTIVE-CORRECTION", "ON", "OFF"},
};

constexpr int kSoftwareHalfShift = 16;
constexpr uint32_t kHalfMask = 0xFFFF;
// SOUND (bit 4) and MOVIE (bit 7) are the only switches the presets leave alone.
constexpr uint32_t kPresetKeptBits = 0x0090;
// SHADING, Alpha Blending, BILINEAR-FILTERING, SPECIAL EFFETCS, NUMBER OF ENEMIES and
// PERSPECTIVE-CORRECTION.
constexpr uint32_t kQualityPresetBits = 0x0707;

const char* const kFeatureDescriptions[kFeatureCount] = {
    "This enables/disables proper shading of the 3D characters.\nDisabled it won't look as good but "
    "you can expect a higher performance.",
    "This option is only available when using either of the SOFTWARE VERSION modes(but some "
    "accelerator cards such as the Mystique also apply).\nAlpha-Blending allows for transparency "
    "effects such as fire and smoke. Using a mesh effect will use less processor power and result "
    "in a better game performance.",
    "This is a form of anti-aliasing where the graphic images are smoothed by combining the 4 "
    "nearest texels.\nBy doing this the textures should look less blocky when the characters "
    "approach the screen and become larger.\nPlease Note: This may cause a problem with some "
    "accelerator cards.",
    "Changing the color palette may improve the graphic quality. Some 3D accelerator cards may have "
    "a problem with this.",
    "As QUARLOCK2 takes advantage of DirectSound(R) to produce the sound effects there is a small "
    "possibility that the game won't run properly on some machines.\nIf this happens please turn it "
    "off with this option.",
    "",
    "Selecting Mono rather than Stereo may reduce memory consumption.",
    "Choose movie playback on/off. In some situations there could be problems when playing the "
    "movie files. If so you may turn them off.",
    "Reduce the amount of sprite effects (such as fire and smoke) to help lower spec machines run "
    "the game more smoothly.",
    "Reduce the amount of zombies to help lower spec machines keep a decent frame rate and run the "
    "game more smoothly.",
    "As a 3D object moves away from the screen this will ensure the image is correctly "
    "generated.\nThis can cause problems on some machine configurations.\nTurn this off if screen "
    "corruption appears.",
};

// Indexed by level: low, standard, high.
const char* const kSoundLevelDescriptions[3] = {
    "Lower sound quality.\nRequires at least 16MB memory.\n"
    "NOTE:\nSelecting mono instead of stereo sound or turning the sound off altogether will cause "
    "less delays in loading and may allow for smoother game-play.",
    "This is recommended for good overall memory usage and sound quality, but it requires at least "
    "32MB memory.\n"
    "NOTE:\nSelecting mono instead of stereo sound or turning the sound off altogether will cause "
    "less delays in loading and may allow for smoother game-play.",
    "You can expect the highest quality sound but by doing so may cause a problem. This is only "
    "recommended for machines with at least 64MB memory.\n"
    "NOTE:\nSelecting mono instead of stereo sound or turning the sound off altogether will cause "
    "less delays in loading and may allow for smoother game-play.",
};

int halfShift(bool software) { return software ? kSoftwareHalfShift : 0; }

uint32_t replaceActiveHalf(uint32_t optionBits, bool software, uint32_t half) {
    const int shift = halfShift(software);
    return (optionBits & ~(kHalfMask << shift)) | ((half & kHalfMask) << shift);
}

uint32_t activeHalf(uint32_t optionBits, bool software) {
    return (optionBits >> halfShift(software)) & kHalfMask;
}

}  // namespace

const FeatureEntry* featureEntry(int position) {
    if (position < 0 || position >= kFeatureCount) return nullptr;
    return &kFeatures[position];
}

bool softwareRendering(DisplayDriverCode driver) {
    return driver == kDriverSoftwareSystemMemory || driver == kDriverSoftwareVideoMemory;
}

uint32_t featureBit(int position, bool software) {
    if (position < 0 || position >= kFeatureCount) return 0;
    if (position == kFeatureSoundQuality || position == kFeatureStereo) return 0;
    return uint32_t{1} << (position + halfShift(software));
}

uint32_t applyQualityPreset(uint32_t optionBits, bool software) {
    const uint32_t half = (activeHalf(optionBits, software) & kPresetKeptBits) | kQualityPresetBits;
    return replaceActiveHalf(optionBits, software, half);
}

uint32_t applyPerformancePreset(uint32_t optionBits, bool software) {
    return replaceActiveHalf(optionBits, software, activeHalf(optionBits, software) & kPresetKeptBits);
}

uint32_t soundWithLevel(uint32_t soundSetting, uint32_t level) {
    return (soundSetting & kSoundStereo) + (level & kSoundLevelMask);
}

uint32_t soundWithStereo(uint32_t soundSetting, bool stereo) {
    return stereo ? (soundSetting | kSoundStereo) : (soundSetting & ~kSoundStereo);
}

const char* featureDescription(int position) {
    if (position < 0 || position >= kFeatureCount) return "";
    return kFeatureDescriptions[position];
}

const char* soundLevelDescription(uint32_t level) {
    return level <= kSoundLevelHigh ? kSoundLevelDescriptions[level] : "";
}

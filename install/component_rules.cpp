// Rules of setup and the runtime component offers.
#include "install/component_rules.h"

#include <cstring>
#include <initializer_list>

#include "common/launcher_texts.h"
#include "install/path_rules.h"
#include "settings/launcher_settings.h"

namespace {

const ComponentOffer kOffers[] = {
    {kPromptDirectXOffered, "DXINST.bin", kDirectXQuestionExplained, kDirectXQuestion},
    {kPromptIndeoOffered, "iv5play.exe", kIndeoQuestionExplained, kIndeoQuestion},
    {kPromptDirectXMediaOffered, "enduser.exe", kDirectXMediaQuestionExplained, kDirectXMediaQuestion},
};

const DirectXSetupMessage kLowSpace = {kDirectXLowSpaceText, true};
const DirectXSetupMessage kUnsupportedWindows = {kDirectXUnsupportedWindowsText, false};
const DirectXSetupMessage kDamagedCd = {kDirectXDamagedCdText, false};
const DirectXSetupMessage kSystemError = {kDirectXSystemErrorText, false};
const DirectXSetupMessage kNoRoomOnWindowsDrive = {kDirectXNoRoomText, false};
const DirectXSetupMessage kNoCd = {kDirectXNoCdText, true};

}  // namespace

bool nextOffer(uint32_t promptFlags, RuntimeComponent* component) {
    for (RuntimeComponent candidate :
         {RuntimeComponent::DirectX, RuntimeComponent::Indeo, RuntimeComponent::DirectXMedia}) {
        if (!(promptFlags & componentOffer(candidate).offeredFlag)) {
            *component = candidate;
            return true;
        }
    }
    return false;
}

// A question never comes over a menu action's dialog; an installer's end and an action's end
// each let the next offer follow once, through the resume message.
OfferStep offerStep(OfferState state, OfferEvent event, bool actionRunning) {
    switch (event) {
    case OfferEvent::ResumeMessage:
        if (state == OfferState::WaitingForInstaller) return OfferStep::Nothing;
        return actionRunning ? OfferStep::Defer : OfferStep::Offer;
    case OfferEvent::InstallerEnded:
        return state == OfferState::WaitingForInstaller ? OfferStep::PostResume : OfferStep::Nothing;
    case OfferEvent::ActionEnded:
        return state == OfferState::DeferredUntilActionEnds && !actionRunning ? OfferStep::PostResume
                                                                            : OfferStep::Nothing;
    }
    return OfferStep::Nothing;
}

const ComponentOffer& componentOffer(RuntimeComponent component) {
    return kOffers[static_cast<int>(component)];
}

const char* offerQuestion(RuntimeComponent component, int explainRequirement) {
    const ComponentOffer& offer = componentOffer(component);
    return explainRequirement ? offer.questionExplained : offer.questionShort;
}

const DirectXSetupMessage* directXSetupMessage(int code) {
    switch (code) {
    case kDirectXLowSpaceCode: return &kLowSpace;
    case -1: return &kUnsupportedWindows;
    case -2:
    case -3:
    case -4:
    case -7: return &kDamagedCd;
    case -5:
    case -9: return &kSystemError;
    case -6: return &kNoRoomOnWindowsDrive;
    case -8: return &kNoCd;
    default: return nullptr;
    }
}

double freeMegabytes(uint32_t bytesPerSector, uint32_t freeClusters, uint32_t sectorsPerCluster) {
    return static_cast<double>(bytesPerSector) * freeClusters * sectorsPerCluster / 1048576.0;
}

bool enoughRoomForDirectX(double megabytes) { return megabytes >= kDirectXMinimumFreeMegabytes; }

int systemDriveRoot(const char* systemFolder, char* root) {
    const char* backslash = std::strchr(systemFolder, '\\');
    const size_t length = backslash ? static_cast<size_t>(backslash - systemFolder) : std::strlen(systemFolder);
    if (length >= static_cast<size_t>(kPathBufferSize)) {
        root[0] = '\0';
        return 0;
    }
    return formatPath(root, "%.*s\\", static_cast<int>(length), systemFolder);
}

int installerFolder(const char* programFolder, char* out) { return joinPath(out, programFolder, "regist"); }

int directXSourceFolder(const char* setupLibraryPath, char* out) {
    char folder[kPathBufferSize];
    if (!formatPath(folder, "%s", setupLibraryPath)) {
        out[0] = '\0';
        return 0;
    }
    cutAtLastBackslash(folder);
    return joinPath(out, folder, "Directx");
}

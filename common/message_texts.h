// The launcher's own texts: the game title, the two start-up notices and the numbered user messages.
#pragma once

#include <cstdint>

// The caption of every box and the title of every window the launcher shows.
constexpr const char* kGameTitle = "QUARLOCK2";

// Shown by start-up on a display of fewer than 16 bits per pixel, and by the title window while
// a runtime component has not yet been offered; neither is a numbered message.
constexpr const char* kColourDepthWarning =
    "QUARLOCK2 can be run in 16-bit depth only.\nPlease change the color depth to 16-bit.";
constexpr const char* kRequirementsNotice =
    "You are required to have DirectX(R)6 (or later), Intel(R)Indeo(R)Video5.06 (or later) and "
    "DirectX(R)Media6 (or later) installed before playing.";

constexpr uint32_t kMessageCount = 19;

enum MessageCode : uint32_t {
    kMsgCannotCreateFolder = 0,
    kMsgCannotFindFile = 1,
    kMsgCannotCloseFile = 2,
    kMsgCannotLockMemory = 3,
    kMsgGeneralError = 4,
    kMsgPathTooLong = 5,
    kMsgNoCdromDrive = 6,
    kMsgRunFromCdrom = 7,
    kMsgNoCdromSetupStops = 8,
    kMsgCannotWriteRegistry = 9,
    kMsgRebootBeforeStart = 10,
    kMsgInstallComplete = 11,
    kMsgForbiddenPathCharacters = 12,
    kMsgFolderMayExist = 13,
    kMsgForbiddenCharacters = 14,
    kMsgNotEnoughRoom = 15,
    kMsgNone = 16,
    kMsgForbiddenNameCharacters = 17,
    kMsgRestartWindows = 18,
};

// The text of a code, or nullptr for a code that shows nothing (16 and above 18).
const char* messageText(uint32_t code);

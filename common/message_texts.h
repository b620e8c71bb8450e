// The launcher's numbered user messages.
#pragma once

#include <cstdint>

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

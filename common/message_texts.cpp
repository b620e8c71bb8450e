// The launcher's numbered user messages.
#include "common/message_texts.h"

namespace {

const char* const kTexts[kMessageCount] = {
    "Unable to create the folder. Please reboot and try again.",
    "Unable to find the file. Please reboot and try again.",
    "Unable to close the file. Please reboot and try again.",
    "Unable to lock the memory. Please reboot and try again.",
    "There was an Error. Please reboot and try again.",
    "The PATH is too long. It must be within 245 characters.",
    "Cannot find a CD-ROM drive.",
    "Please execute the program from the CD-ROM.",
    "Cannot find a CD-ROM drive.\nSetup discontinues.",
    "Unable to write to the registry. Please reboot and try again.",
    "QUARLOCK2 will not start until rebooted. Setup complete.",
    "Installation completed successfully.",
    "Cannot create folder as specified. \n, : * ; ? \" < > | / are not valid characters.",
    "Cannot create folder as specified. Same name folder may already exist.",
    ", : * ; ? \" < > | / are not valid characters.",
    "There is not enough free room to install QUARLOCK2 on the hard drive you have selected.",
    nullptr,
    "Cannot create folder as specified. \n, : * ; ? \" < > | / \\ are not valid characters.",
    "Push OK button to restart Windows.",
};

}  // namespace

const char* messageText(uint32_t code) { return code < kMessageCount ? kTexts[code] : nullptr; }

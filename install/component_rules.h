// Rules of setup and the runtime component offers: the files on the CD, the questions, the order
// of the offers and what their sequence does with each event, the DirectX setup messages, the
// room DirectX needs and where the installers lie. No Win32 here.
#pragma once

#include <cstdint>

// Looked up on the CD (and wherever else the file lookup searches).
constexpr const char* kSetupRelativeName = "regist\\Qlk2_inst.exe";
constexpr const char* kDirectXSetupLibraryName = "regist\\Dsetup.dll";

// The DirectX installer asks for a restart of Windows with this exit code.
constexpr uint32_t kRestartNeededExitCode = 3010;

enum class RuntimeComponent { DirectX, Indeo, DirectXMedia };

// A component offered once per machine: its bit in promptFlags, its installer in the
// program's own "regist" folder and the two forms of its question.
struct ComponentOffer {
    uint32_t offeredFlag;
    const char* installerName;
    const char* questionExplained;  // when the user is also told that the game needs it
    const char* questionShort;
};
const ComponentOffer& componentOffer(RuntimeComponent component);
const char* offerQuestion(RuntimeComponent component, int explainRequirement);

// ---- The sequence of offers ------------------------------------------------------------------

// The component to offer next: the first of DirectX, Indeo and DirectX Media whose offer
// promptFlags does not record. false when all three were offered on this machine.
bool nextOffer(uint32_t promptFlags, RuntimeComponent* component);

enum class OfferState {
    NextOffer,                // ready to make the next offer when the resume message comes
    WaitingForInstaller,      // an installer runs under the child watch
    DeferredUntilActionEnds,  // the resume message came while a menu action ran
};
enum class OfferEvent { ResumeMessage, InstallerEnded, ActionEnded };
enum class OfferStep {
    Nothing,
    Defer,       // wait for the running action to end
    Offer,       // make the outstanding offers now
    PostResume,  // post the resume message, so that the next offer follows
};
// What the sequence does with an event; actionRunning: a menu action is still running.
OfferStep offerStep(OfferState state, OfferEvent event, bool actionRunning);

// ---- DirectX setup messages -----------------------------------------------------------------

// Too little room on the system drive; the negative codes are the DirectX setup library's own
// failure codes (-1 unsupported Windows ... -9 internal error).
constexpr int kDirectXLowSpaceCode = 99;

struct DirectXSetupMessage {
    const char* text;
    bool offersCancel;  // OK and Cancel; otherwise OK alone
};
// The message for a code, or nullptr for a code that shows none.
const DirectXSetupMessage* directXSetupMessage(int code);

// ---- Room for DirectX ------------------------------------------------------------------------

constexpr double kDirectXMinimumFreeMegabytes = 15.0;

// The free space the system reports, in megabytes of 1,048,576 bytes, not rounded.
double freeMegabytes(uint32_t bytesPerSector, uint32_t freeClusters, uint32_t sectorsPerCluster);
bool enoughRoomForDirectX(double freeMegabytes);

// The root of the drive that holds the system folder: the folder cut before its first
// backslash, and a backslash ("C:\WINDOWS\SYSTEM" -> "C:\"); a folder without backslash is
// taken whole. root: kPathBufferSize characters; 0 (root emptied) when it does not fit.
int systemDriveRoot(const char* systemFolder, char* root);

// ---- Where the installers lie ----------------------------------------------------------------

// The folder the component installers run in: programFolder + "\regist".
// out: kPathBufferSize characters; 0 (out emptied) when the path does not fit.
int installerFolder(const char* programFolder, char* out);
// The DirectX files beside the setup library that the lookup found:
// "D:\regist\Dsetup.dll" -> "D:\regist\Directx". 0 (out emptied) when it does not fit.
int directXSourceFolder(const char* setupLibraryPath, char* out);

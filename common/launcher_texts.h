// Every text the launcher shows, grouped by the window or box that shows it, as
// resources/resource_ids.h groups the ids. Not here: the numbered messages
// (common/message_texts.h) and the rows of the launcher's tables, each kept with its table: the
// driver names and the driver list (config/display_drivers.cpp, config/screen_modes.cpp), the
// screen modes (config/screen_modes.cpp) and the features (config/feature_options.cpp).
// The dialog templates hold no text of their own: every dialog sets its texts from here when it
// opens, so a template can never show one thing and the screen another. Each text is one object
// (inline), which the program holds once however many files use it. No Win32 here.
#pragma once

// ---- Every box and window ----------------------------------------------------------------------

// The caption of every box and the title of every window the launcher shows.
inline constexpr char kGameTitle[] = "QUARLOCK2";
// The caption of the low-level errors below: the system's default one, "Error".
constexpr const char* kSystemCaption = nullptr;

// The buttons of the dialogs that name theirs.
inline constexpr char kOkButton[] = "OK";
inline constexpr char kCancelButton[] = "CANCEL";

// ---- Start-up ----------------------------------------------------------------------------------

// Shown on a display of fewer than 16 bits per pixel.
inline constexpr char kColourDepthWarning[] =
    "QUARLOCK2 can be run in 16-bit depth only.\nPlease change the color depth to 16-bit.";

// ---- Title window (IDD_TITLE) ------------------------------------------------------------------

inline constexpr char kPlayLabel[] = "Play QUARLOCK2";
inline constexpr char kOptionsLabel[] = "OPTIONS";
inline constexpr char kInstallLabel[] = "Install QUARLOCK2";
inline constexpr char kUninstallLabel[] = "Uninstall QUARLOCK2";
inline constexpr char kSaveFolderLabel[] = "SAVE GAME FOLDER";
inline constexpr char kReadmeLabel[] = "View Readme.txt";
inline constexpr char kQuitLabel[] = "Quit";
inline constexpr char kHomePageLabel[] = "Briskel's HomePage.";
// Shown at start-up while a runtime component has not yet been offered.
inline constexpr char kRequirementsNotice[] =
    "You are required to have DirectX(R)6 (or later), Intel(R)Indeo(R)Video5.06 (or later) and "
    "DirectX(R)Media6 (or later) installed before playing.";

// ---- Readme viewer (IDD_README): the game title and kOkButton ----------------------------------

// ---- Please wait (IDD_PLEASE_WAIT) -------------------------------------------------------------

inline constexpr char kPleaseWaitText[] = "Please wait for a while.";

// ---- The runtime component offers --------------------------------------------------------------

// Each question with the reason the game needs the component, and without it, as the offers at
// start-up ask it.
inline constexpr char kDirectXQuestionExplained[] =
    "QUARLOCK2 requires DirectX(R)6.\nWould you like to install DirectX(R)6 now?";
inline constexpr char kDirectXQuestion[] = "Would you like to install DirectX(R)6 now?";
inline constexpr char kIndeoQuestionExplained[] =
    "QUARLOCK2 requires Intel(R) Indeo(R) Video5.06.\nWould you like to install Intel(R) Indeo(R) Video5.06 now?";
inline constexpr char kIndeoQuestion[] = "Would you like to install Intel(R) Indeo(R) Video5.06 now?";
inline constexpr char kDirectXMediaQuestionExplained[] =
    "QUARLOCK2 requires DirectX(R)Media6.\nWould you like to install DirectX(R)Media6 now?";
inline constexpr char kDirectXMediaQuestion[] = "Would you like to install DirectX(R)Media6 now?";

// The DirectX setup messages: too little room for DirectX, and the DirectX setup library's failures.
inline constexpr char kDirectXLowSpaceText[] =
    "You need at least 15MB system drive space to install DirectX6.\n"
    "Please clear enough free space and click OK.\nClick CANCEL to not install DirectX6.";
inline constexpr char kDirectXUnsupportedWindowsText[] = "Your Windows(OS) is not support DirectX. Setup discontinued.";
inline constexpr char kDirectXDamagedCdText[] = "The CD-ROM may be dirty or be damaged.";
inline constexpr char kDirectXSystemErrorText[] = "There was an Error in system. Please reboot and try again.";
inline constexpr char kDirectXNoRoomText[] =
    "Not enough free space in Windows'95 drive. Please make some room and try again.";
inline constexpr char kDirectXNoCdText[] = "Cannot find a CD. Please insert a CD and try again.";

// ---- The file lookup: the name looked for goes between the two ---------------------------------

inline constexpr char kFileNotFoundBefore[] = "Could not find the file: ";
inline constexpr char kFileNotFoundAfter[] =
    ".\nPlease check that you have inserted the QUARLOCK2 CD in your CD-ROM drive and click OK.";

// ---- Folder chooser (IDD_SAVE_FOLDER): the game title, kOkButton, kCancelButton ----------------

inline constexpr char kFolderChooserPrompt[] = "Please specify the folder for save game data.";
inline constexpr char kNewFolderButton[] = "&New Folder";
// Asked before a missing folder is made; %s is the path.
inline constexpr char kCreateFolderQuestion[] = "Ok to create %s folder?";

// ---- New folder name (IDD_NEW_FOLDER): the game title, kOkButton, kCancelButton ----------------

// %s is the parent folder's path.
inline constexpr char kNewFolderPrompt[] = "Enter folder name to be created under %s folder.";
inline constexpr char kFolderNameTooLong[] = "The folder name is too long.";

// ---- OPTIONS sheet: the game title as its caption, and its three pages -------------------------

inline constexpr char kScreenPageTitle[] = "Screen adjustment.";
inline constexpr char kFeaturesPageTitle[] = "Features";
inline constexpr char kFuturePageTitle[] = "Future Support";

// Screen adjustment (IDD_SCREEN_PAGE)
inline constexpr char kDeviceLabel[] = "Device Setup";
inline constexpr char kDriverHelp[] =
    "Choose \"SOFTWARE VERSION (VIDEO MEMORY)\" to run the game without any hardware acceleration.\n"
    "If this doesn't work please try SOFTWARE VERSION (SYSTEM MEMORY).";
inline constexpr char kDetectLabel[] = "3D accelerator card automatically detected.";
inline constexpr char kDetectButton[] = "Detect.";
inline constexpr char kResolutionLabel[] = "Screen Resolution";
// %s is the detected card's name.
inline constexpr char kCardDetectedQuestion[] = "%s has been detected in your system, would you like to use it?";
inline constexpr char kNoCardDetectedQuestion[] =
    "Unable to detect 3D hardware, would you like to use Software Mode (system memory)?";

// Features (IDD_FEATURES_PAGE)
inline constexpr char kFeaturesLabel[] = "Features";
inline constexpr char kDescriptionLabel[] = "Description";
inline constexpr char kQualityPresetButton[] = "Graphic quality priority";
inline constexpr char kPerformancePresetButton[] = "Performance priority";
inline constexpr char kQualityPresetText[] =
    "Increase the priority for the graphic and sound quality if possible but decrease the game's "
    "performance (game runs less smoothly).";
inline constexpr char kPerformancePresetText[] =
    "Increase the priority for the game's performance if possible (make the game run smoother) but "
    "decrease the quality of the graphics and sound.";

// Future Support (IDD_FUTURE_PAGE)
inline constexpr char kFutureHelp[] =
    "Future card support. Only to be used with patches to support the latest 3D accelerator cards.\n"
    "Check the Orvane or Briskel web sites for the latest information.";
inline constexpr char kData1Label[] = "DATA1";
inline constexpr char kData2Label[] = "DATA2";
inline constexpr char kData3Label[] = "DATA3";
inline constexpr char kData4Label[] = "DATA4";
inline constexpr char kDefaultButton[] = "DEFAULT";

// ---- Low-level errors, with kSystemCaption -----------------------------------------------------

inline constexpr char kSetupStartError[] = "Error:CreateProcess Setup";
inline constexpr char kGameStartError[] = "Error:CreateProcess QUARLOCK2";
inline constexpr char kUninstallStartError[] = "Error:CreateProcess Uninstall.exe";
inline constexpr char kLaunchValuesError[] = "Error:Registory KAVRIS2";
inline constexpr char kProgramFilesOpenError[] = "Reg Open Error. ProgramFilesDir";
inline constexpr char kProgramFilesQueryError[] = "Reg Query Error. ProgramFilesDir";

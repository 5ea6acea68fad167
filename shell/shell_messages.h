// The shell's part of the string table: texts shown to the author exactly as here.
#pragma once

// Start-up refusals; their boxes are captioned with the program's name alone.
inline constexpr const char* SStartupCaption = "Velmora Studio";
inline constexpr const char* SDisplayTooSmall = "Set your display to 800 x 600 High Color";
inline constexpr const char* SInstallRtp = "Velmora Studio Error: Install English RTP";

// Projects.
inline constexpr const char* SProjectMakingFailure = "Project Making Failure";
inline constexpr const char* SBadFolderNameChar =
    "The character which can't be used for the folder name is contained";
inline constexpr const char* SCannotMakeProjectFolder = "A project folder can't be made";
inline constexpr const char* SCannotRenameProjectFolder =
    "The name change of the project folder can't be done";
inline constexpr const char* SCannotDeleteProjectFolder = "The project folder can't be deleted";
inline constexpr const char* SDeleteProjectQuery =
    "Delete '%1'. A deleted project can't be restored again. Delete it?";
inline constexpr const char* SCannotSetUpPath = "It can't be set up in the specified path";
// The game disk's destination dialog has its own spelling of the refusal.
inline constexpr const char* SCannotSetUpPass = "It can't be set up in the specified pass";
inline constexpr const char* SDeviceNotReady = "Device not ready";
inline constexpr const char* SCreateFolderQuery = "A folder doesn't exist. Create it?";
inline constexpr const char* SCannotMakeFolder = "A folder couldn't be made";

// Captions and labels of the project dialogs.
inline constexpr const char* SProjectNewCaption = "Create New Project";
inline constexpr const char* SProjectOpenCaption = "Open Project";
inline constexpr const char* SProjectRenameCaption = "Change Name";
inline constexpr const char* SProjectBasePathCaption = "Default Project Path";
inline constexpr const char* SProjectDiskPathCaption = "Choose Disk Path";
inline constexpr const char* SProjectPackCaption = "Pack Project";
inline constexpr const char* SProjectPackLabel = "Packing Game Data and Making Setup File...";
inline constexpr const char* SProjectPackPathGroup = "Choose Path";
inline constexpr const char* SProjectPackOptionsGroup = "Options";
inline constexpr const char* SProjectPackIncludeRtp = "Include all RTP files in the Game Disk";
inline constexpr const char* SProjectPackStart = "Start";
inline constexpr const char* SFolderNameLabel = "Folder Name";
inline constexpr const char* SGameTitleLabel = "Game Title";
inline constexpr const char* SNewProjectFolderPrefix = "Project";

// The wait for the game runtime, the about box.
inline constexpr const char* STestPlayCloseCaption = "Test Play - Close";
inline constexpr const char* SProcessWaitText = "Close the game to return to the editor.";
inline constexpr const char* SAboutCaption = "Velmora Studio version info";

// The main window.
inline constexpr const char* SMapsChangedQuery = "Maps were changed. Save them?";
inline constexpr const char* SDiscardChangesQuery = "Discard all changes. Ok?";
inline constexpr const char* STestPlayFailed = "Initialization failed. Test play impossible";
inline constexpr const char* SLowerLayerMode = "Lower Layer editing mode";
inline constexpr const char* SUpperLayerMode = "Upper Layer editing mode";
inline constexpr const char* SEventMode = "Event editing mode";

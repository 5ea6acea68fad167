// Texts of the scroll, panning, splitter, folder, file-operation, list-routine and
// file-dialog controls, shown to the author exactly as here.
#pragma once

// Count dialogs of the database pages.
inline constexpr const char* SDataMaxChangeCaption = "Data Maximum (30,000)";
inline constexpr const char* SDataMaxChangeGroup = "Max Data Num.";
inline constexpr const char* SDataMultiCopyCaption = "Multi Copy";
inline constexpr const char* SDataMultiCopyGroup = "How many";
inline constexpr const char* SDataMaxChangeLoss =
    "All fields above the Max Field Number will be lost. Continue?";
// The name of an entry that does not exist.
inline constexpr const char* SMissingEntryName = "?";

// The picture-preview open dialog.
inline constexpr const char* SPictureLabel = "Picture:";
inline constexpr const char* SPictureSize = " (%1x%2)";
inline constexpr const char* SPictureNone = "(None)";
// Save dialogs ask before replacing a file.
inline constexpr const char* SReplaceFileQuestion =
    "%1 already exists.\nDo you want to replace it?";

// File operations.
inline constexpr const char* SFileOperationProgress = "Copying files...";
inline constexpr const char* SFileOperationCancel = "Cancel";
inline constexpr const char* SFileOperationReplace =
    "The file \"%1\" already exists.\nDo you want to replace it?";
inline constexpr const char* SFileOperationMakeFolder =
    "The folder \"%1\" does not exist.\nDo you want to create it?";
inline constexpr const char* SFileOperationFailed = "Cannot process \"%1\": %2";
inline constexpr const char* SFileOperationNotFound = "the file does not exist";
inline constexpr const char* SFileOperationCopyOf = "Copy of %1";
inline constexpr const char* SFileOperationCopyNOf = "Copy (%1) of %2";

// Texts of the file, folder and settings routines, shown to the author as they stand.
// "%s" is the path concerned.
#pragma once

inline constexpr const char* SCannotCreateFile = "Cannot create file %s";
inline constexpr const char* SCannotOpenFile = "Cannot open file %s";
inline constexpr const char* SCannotReadFile = "Cannot read file %s";
inline constexpr const char* SCannotWriteFile = "Cannot write file %s";
inline constexpr const char* SCannotReplaceFile = "Cannot replace file %s";
inline constexpr const char* SFileTooLarge = "File %s is too large";
inline constexpr const char* SCannotCreateFolder = "Cannot create folder %s";
inline constexpr const char* SUnsafeTempFolder = "The temporary folder %s is not private";
inline constexpr const char* SInvalidPieceSize = "Invalid piece size";

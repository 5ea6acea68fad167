// Paths, folders and files shared by every part of the editor.
// Folder paths that are kept "with a trailing separator" end in '/'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/path_names.h"

// The running program file, from /proc/self/exe unless a test has set another one
// (an empty Path goes back to the real one).
std::string GetProgramFile();
void OverrideProgramFile(const std::string& path);
// The folder of the program file, with a trailing separator.
std::string GetProgramFolder();
// The program file's path with the extension ".ini" when the program folder is writable
// (a portable set-up), otherwise the same name in the user's configuration folder.
std::string GetProgramIniPath();
// $XDG_CONFIG_HOME/Orvane/ (default ~/.config/Orvane/), with a trailing separator. Not
// created here: writers create it when they first save.
std::string GetUserConfigFolder();
// The home folder: $HOME, else the password database.
std::string GetHomeFolder();

// A name from the game data (code-page bytes, '\' as separator) as a path on disk.
std::string DataNameToPath(std::string_view name);

bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);
bool IsFolderWritable(const std::string& path);
// Creates Path and its missing parents with Mode; raises EFileError when it cannot.
void ForceDirectories(const std::string& path, unsigned mode = 0755);
// The whole file into Bytes. False when the file does not exist; raises EFileError when
// it cannot be read or holds more than MaxBytes.
bool ReadFileBytes(const std::string& path, std::string& bytes, uint64_t maxBytes);
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes);

// True when both paths name the same existing file (same device and inode), however they
// are spelt and whatever links lead there.
bool IsSameFile(const std::string& a, const std::string& b);
// Copies Source over Target: the bytes go to a temporary file beside Target, which is then
// renamed over it, and the copy is readable and writable by its owner whatever the
// source's permissions. A copy of a file onto itself is refused: false, nothing written.
// Raises EFileError when anything fails; Target is then as it was.
bool CopyFileReplacing(const std::string& source, const std::string& target);

// What identifies one version of a file on disk: its size, its modification time to
// the nanosecond and its inode (every atomic save makes a new one). Equal stamps mean
// the file was not rewritten in between.
struct TFileStamp {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  int64_t Size = 0;
  int64_t ModifiedSeconds = 0;
  int64_t ModifiedNanoseconds = 0;
  bool operator==(const TFileStamp&) const = default;
};

// The stamp of the file at Path; raises EFileError when it cannot be read.
TFileStamp GetFileStamp(const std::string& path);

// The user's private temporary folder, $TMPDIR/velmora-<uid>/ (TMPDIR defaulting to
// /tmp), created with mode 0700. Raises EFileError when the name is taken by anything
// but a real folder of ours, so that nobody can plant a link or read our files there.
std::string GetTempFolder();
// The working folder "VELM_TEMP" inside it (the path only; the main window makes it).
std::string GetWorkingFolder();

// Deletes Folder and everything in it, names beginning with "." included. A symbolic
// link is removed as a link and never followed, so nothing outside the tree is touched.
// True when the folder is gone afterwards (also when it never existed).
bool DeleteFolderTree(const std::string& folder);

inline int ClampInt(int value, int min, int max) {
  return value < min ? min : value > max ? max : value;
}
inline bool IsLatinLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
inline bool IsDigitChar(char c) {
  return c >= '0' && c <= '9';
}

// Drive tests for game disks. Linux has no drive letters and no floppy drives behind
// them: a "drive" is the folder the path names, IsFloppyDrive is always false and
// FindFloppyDrive leaves its argument as it is (so a disk goes to a folder, whole).
bool IsDriveReady(const std::string& path);
bool IsDriveEmpty(const std::string& path);
bool IsFloppyDrive(const std::string& path);
void FindFloppyDrive(std::string& drive);

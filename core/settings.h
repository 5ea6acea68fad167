// The editor's settings in their three stores, all written by our own ini codec:
// - the user store (on Windows a registry key): $XDG_CONFIG_HOME/Orvane/VELMORA.ini,
//   one section; keys the installer would set are also looked up in a defaults file
//   beside the program;
// - the program ini (GetProgramIniPath), section "VELMORA";
// - the project's "KOVAX.ini", section "KOVAX", which the game runtime reads too.
// Every reader opens its store, reads one value and closes it; every writer saves at
// once, so a crash never loses a setting that was already changed.
#pragma once

#include <string>
#include <string_view>

#include "core/option.h"

inline constexpr const char* SettingsSection = "VELMORA";
inline constexpr const char* ProgramIniSection = "VELMORA";
inline constexpr const char* ProjectIniSection = "KOVAX";
inline constexpr const char* DefaultGameTitle = "Untitled";

// The user store, keyed by value name ("RuntimePackagePath", "ApplicationPath",
// "MaterialPath", "IncludeRtpOption", "<form name>_Placement" and the flags below).
class TSettings {
public:
  // The file that holds the user's values.
  static std::string FileName();
  // The installer's defaults beside the program, consulted for keys the user file lacks.
  static std::string DefaultsFileName();

  bool ValueExists(std::string_view key) const;
  std::string ReadString(std::string_view key, std::string_view defaultValue) const;
  int ReadInteger(std::string_view key, int defaultValue) const;
  bool ReadBool(std::string_view key, bool defaultValue) const;
  void WriteString(std::string_view key, std::string_view value);
  void WriteInteger(std::string_view key, int value);
  void WriteBool(std::string_view key, bool value);
  void DeleteValue(std::string_view key);
};

// The process-wide user store.
TSettings& Settings();

// The values remembered in the user store that more than one part of the editor uses.
inline const TOption<std::string> RuntimePackageOption{SettingsSection, "RuntimePackagePath", ""};
inline const TOption<std::string> ApplicationPathOption{SettingsSection, "ApplicationPath", ""};
inline const TOption<bool> FullScreenOption{SettingsSection, "FullScreenFlag", true};
inline const TOption<bool> ShowTitleOption{SettingsSection, "ShowTitleFlag", false};

// "RuntimePackagePath" with a trailing separator, or empty when not set (start-up then
// refuses to run). A relative path lies in the program folder, so a program folder that
// is copied or moved keeps its own package.
std::string GetRuntimePackagePath();

// The program ini's values; their defaults are only worked out when they are absent.
inline const TOption<std::string> ProjectBaseOption{ProgramIniSection, "ProjectBasePath", "",
                                                    TOptionStore::Program};
inline const TOption<std::string> OpenedProjectOption{ProgramIniSection, "OpenedProjectFolder", "",
                                                      TOptionStore::Program};

// The program folder when it is writable, otherwise ~/VelmoraProjects/, created when it
// is first asked for.
std::string GetDefaultProjectBasePath();
// ProjectBaseOption, or else the default base.
std::string GetProjectBasePath();
// OpenedProjectOption, or else the program folder.
std::string GetOpenedProjectFolder();

// Folder's "KOVAX.ini" (Folder gets a trailing separator first), spelt as on disk when it
// exists in another case.
std::string GetProjectIniPath(const std::string& folder);
// True writes "FullPackageFlag" into the open project's ini; False deletes the key.
void WriteFullPackageFlag(bool flag);
std::string ReadGameTitle(const std::string& folder);
// The map editor's mode and zoom index of the open project, read when it opens and
// written when it closes.
inline const TOption<int> MapEditModeOption{ProjectIniSection, "MapEditMode", 0,
                                            TOptionStore::Project};
inline const TOption<int> MapEditZoomOption{ProjectIniSection, "MapEditZoom", 0,
                                            TOptionStore::Project};
void WriteGameTitle(const std::string& folder, std::string_view title);

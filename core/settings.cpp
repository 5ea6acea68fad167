#include "core/settings.h"

#include <algorithm>

#include "core/file_utils.h"
#include "core/ini_file.h"
#include "core/path_resolver.h"
#include "core/project_path.h"

namespace {

// Opens the ini at Path, applies Change and saves it when it changed.
template <class F> void ChangeIni(const std::string& path, F change) {
  TIniFile ini(path);
  change(ini);
  ini.UpdateFile();
}

} // namespace

std::string TSettings::FileName() {
  return UserStoreFileName();
}

std::string TSettings::DefaultsFileName() {
  return DefaultsStoreFileName();
}

bool TSettings::ValueExists(std::string_view key) const {
  return UserValueExists(SettingsSection, key);
}

std::string TSettings::ReadString(std::string_view key, std::string_view defaultValue) const {
  return ReadUserString(SettingsSection, key, defaultValue);
}

int TSettings::ReadInteger(std::string_view key, int defaultValue) const {
  return ReadUserInteger(SettingsSection, key, defaultValue);
}

bool TSettings::ReadBool(std::string_view key, bool defaultValue) const {
  return ReadInteger(key, defaultValue ? 1 : 0) != 0;
}

void TSettings::WriteString(std::string_view key, std::string_view value) {
  WriteUserString(SettingsSection, key, value);
}

void TSettings::WriteInteger(std::string_view key, int value) {
  WriteString(key, std::to_string(value));
}

void TSettings::WriteBool(std::string_view key, bool value) {
  WriteString(key, value ? "1" : "0");
}

void TSettings::DeleteValue(std::string_view key) {
  DeleteUserValue(SettingsSection, key);
}

TSettings& Settings() {
  static TSettings settings;
  return settings;
}

std::string GetRuntimePackagePath() {
  std::string path = RuntimePackageOption.Get();
  if (path.empty()) return path;
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.front() != '/') path = GetProgramFolder() + path;
  return IncludeTrailingBackslash(path);
}

std::string GetDefaultProjectBasePath() {
  const std::string program = GetProgramFolder();
  if (IsFolderWritable(program)) return program;
  const std::string fallback = IncludeTrailingBackslash(GetHomeFolder()) + "VelmoraProjects/";
  ForceDirectories(fallback);
  return fallback;
}

std::string GetProjectBasePath() {
  return ProjectBaseOption.Exists() ? ProjectBaseOption.Get() : GetDefaultProjectBasePath();
}

std::string GetOpenedProjectFolder() {
  return OpenedProjectOption.Exists() ? OpenedProjectOption.Get() : GetProgramFolder();
}

std::string GetProjectIniPath(const std::string& folder) {
  return ResolvePath(IncludeTrailingBackslash(folder) + ProjectIniName).Path;
}

void WriteFullPackageFlag(bool flag) {
  ChangeIni(ResolvePath(ProjectPath + ProjectIniName).Path, [&](TIniFile& ini) {
    if (flag)
      ini.WriteBool(ProjectIniSection, "FullPackageFlag", true);
    else
      ini.DeleteKey(ProjectIniSection, "FullPackageFlag");
  });
}

std::string ReadGameTitle(const std::string& folder) {
  return TIniFile(GetProjectIniPath(folder))
      .ReadString(ProjectIniSection, "GameTitle", DefaultGameTitle);
}

void WriteGameTitle(const std::string& folder, std::string_view title) {
  ChangeIni(GetProjectIniPath(folder),
            [&](TIniFile& ini) { ini.WriteString(ProjectIniSection, "GameTitle", title); });
}

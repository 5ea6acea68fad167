#include "core/option.h"

#include "core/file_utils.h"
#include "core/ini_file.h"
#include "core/path_resolver.h"
#include "core/project_path.h"

#include <type_traits>

std::string UserStoreFileName() {
  return GetUserConfigFolder() + "VELMORA.ini";
}

std::string DefaultsStoreFileName() {
  return GetProgramFolder() + DefaultsIniName;
}

namespace {

// The store that holds Key: the user's file, or else the installer's defaults.
TIniFile StoreWith(std::string_view section, std::string_view key) {
  TIniFile user(UserStoreFileName());
  if (user.ValueExists(section, key)) return user;
  return TIniFile(DefaultsStoreFileName());
}

} // namespace

bool UserValueExists(std::string_view section, std::string_view key) {
  return StoreWith(section, key).ValueExists(section, key);
}

std::string ReadUserString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) {
  return StoreWith(section, key).ReadString(section, key, defaultValue);
}

int ReadUserInteger(std::string_view section, std::string_view key, int defaultValue) {
  return StoreWith(section, key).ReadInteger(section, key, defaultValue);
}

void WriteUserString(std::string_view section, std::string_view key, std::string_view value) {
  ForceDirectories(GetUserConfigFolder(), 0700);
  TIniFile ini(UserStoreFileName());
  ini.WriteString(section, key, value);
  ini.UpdateFile();
}

void DeleteUserValue(std::string_view section, std::string_view key) {
  if (!FileExists(UserStoreFileName())) return;
  TIniFile ini(UserStoreFileName());
  ini.DeleteKey(section, key);
  ini.UpdateFile();
}

namespace {

// The open project's ini, spelt as on disk when it exists in another case.
std::string ProjectIniFile() {
  return ResolvePath(IncludeTrailingBackslash(ProjectPath) + ProjectIniName).Path;
}

// The file an option of Store is read from.
TIniFile ReadStore(TOptionStore store, std::string_view section, std::string_view key) {
  switch (store) {
  case TOptionStore::User:
    return StoreWith(section, key);
  case TOptionStore::Program:
    return TIniFile(GetProgramIniPath());
  default:
    return TIniFile(ProjectIniFile());
  }
}

void WriteStore(TOptionStore store, std::string_view section, std::string_view key,
                std::string_view value) {
  if (store == TOptionStore::User) return WriteUserString(section, key, value);
  const std::string path = store == TOptionStore::Program ? GetProgramIniPath() : ProjectIniFile();
  if (store == TOptionStore::Program) ForceDirectories(ExtractFilePath(path), 0700);
  TIniFile ini(path);
  ini.WriteString(section, key, value);
  ini.UpdateFile();
}

} // namespace

template <class T> bool TOption<T>::Exists() const {
  return ReadStore(Store, Section, Key).ValueExists(Section, Key);
}

template <class T> T TOption<T>::Get() const {
  const TIniFile ini = ReadStore(Store, Section, Key);
  if constexpr (std::is_same_v<T, bool>)
    return ini.ReadInteger(Section, Key, Default ? 1 : 0) != 0;
  else if constexpr (std::is_same_v<T, int>)
    return ini.ReadInteger(Section, Key, Default);
  else
    return ini.ReadString(Section, Key, Default);
}

template <class T> void TOption<T>::Set(const T& value) const {
  if constexpr (std::is_same_v<T, bool>)
    WriteStore(Store, Section, Key, value ? "1" : "0");
  else if constexpr (std::is_same_v<T, int>)
    WriteStore(Store, Section, Key, std::to_string(value));
  else
    WriteStore(Store, Section, Key, value);
}

template struct TOption<bool>;
template struct TOption<int>;
template struct TOption<std::string>;

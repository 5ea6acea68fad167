#include "core/option.h"

#include "core/file_utils.h"
#include "core/ini_file.h"

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

template <class T> T TOption<T>::Get() const {
  if constexpr (std::is_same_v<T, bool>)
    return ReadUserInteger(Section, Key, Default ? 1 : 0) != 0;
  else if constexpr (std::is_same_v<T, int>)
    return ReadUserInteger(Section, Key, Default);
  else
    return ReadUserString(Section, Key, Default);
}

template <class T> void TOption<T>::Set(const T& value) const {
  if constexpr (std::is_same_v<T, bool>)
    WriteUserString(Section, Key, value ? "1" : "0");
  else if constexpr (std::is_same_v<T, int>)
    WriteUserString(Section, Key, std::to_string(value));
  else
    WriteUserString(Section, Key, value);
}

template struct TOption<bool>;
template struct TOption<int>;
template struct TOption<std::string>;

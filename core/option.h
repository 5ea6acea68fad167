// The user store (on Windows a registry key): $XDG_CONFIG_HOME/Orvane/VELMORA.ini, written
// by our ini codec; keys the installer would set are also looked up in the defaults file
// beside the program. A remembered value is one typed option over it:
//   inline const TOption<bool> FullScreenOption{"VELMORA", "FullScreenFlag", true};
// Get reads the value (Default when absent), Set writes it at once; booleans are spelt
// 1 and 0, integers in decimal, strings as they are.
#pragma once

#include <string>
#include <string_view>

inline constexpr const char* DefaultsIniName = "velmora-studio.defaults.ini";

// The file that holds the user's values, and the installer's defaults beside the program.
std::string UserStoreFileName();
std::string DefaultsStoreFileName();

bool UserValueExists(std::string_view section, std::string_view key);
std::string ReadUserString(std::string_view section, std::string_view key,
                           std::string_view defaultValue);
int ReadUserInteger(std::string_view section, std::string_view key, int defaultValue);
void WriteUserString(std::string_view section, std::string_view key, std::string_view value);
void DeleteUserValue(std::string_view section, std::string_view key);

template <class T> struct TOption {
  const char* Section;
  const char* Key;
  T Default;

  T Get() const;
  void Set(const T& value) const;
};

extern template struct TOption<bool>;
extern template struct TOption<int>;
extern template struct TOption<std::string>;

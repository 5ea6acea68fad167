// A remembered value is one typed option over our ini codec:
//   inline const TOption<bool> FullScreenOption{"VELMORA", "FullScreenFlag", true};
// Get reads the value (Default when absent), Set writes it at once; booleans are spelt
// 1 and 0, integers in decimal, strings as they are. It lives in the user store (on
// Windows a registry key): $XDG_CONFIG_HOME/Orvane/VELMORA.ini, where keys the installer
// would set are also looked up in the defaults file beside the program; or, when its
// Store says so, in the program ini (GetProgramIniPath) or the open project's "KOVAX.ini".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr const char* DefaultsIniName = "velmora-studio.defaults.ini";
inline constexpr const char* ProjectIniName = "KOVAX.ini";

// The file that holds the user's values, and the installer's defaults beside the program.
std::string UserStoreFileName();
std::string DefaultsStoreFileName();

bool UserValueExists(std::string_view section, std::string_view key);
std::string ReadUserString(std::string_view section, std::string_view key,
                           std::string_view defaultValue);
int ReadUserInteger(std::string_view section, std::string_view key, int defaultValue);
void WriteUserString(std::string_view section, std::string_view key, std::string_view value);
void DeleteUserValue(std::string_view section, std::string_view key);

enum class TOptionStore : uint8_t { User, Program, Project };

template <class T> struct TOption {
  const char* Section;
  const char* Key;
  T Default;
  TOptionStore Store = TOptionStore::User;

  bool Exists() const;
  T Get() const;
  void Set(const T& value) const;
};

extern template struct TOption<bool>;
extern template struct TOption<int>;
extern template struct TOption<std::string>;

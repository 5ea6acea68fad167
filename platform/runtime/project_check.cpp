#include "platform/runtime/project_check.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>

#include "core/database.h"
#include "core/errors.h"
#include "core/map_messages.h"
#include "core/path_resolver.h"
#include "core/stream.h"
#include "core/var_int.h"

namespace {

constexpr const char* MapTreeFileName = SMapTreeFileName;
constexpr const char* MapTreeHeader = SMapTreeHeader;
constexpr const char* MapFileHeader = SMapHeader;

// A problem line for Path, or nothing when the file begins with Header.
std::optional<std::string> CheckHeader(const std::filesystem::path& path, const std::string& header,
                                       const char* kind) {
  const std::string name = path.filename().string();
  std::ifstream file(path, std::ios::binary);
  if (!file) return name + " is missing or cannot be read.";
  // The header is a length byte and the string: a few bytes more than it always suffice.
  std::vector<uint8_t> head(header.size() + 8);
  file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(file.gcount()));
  try {
    TMemoryStream stream(std::move(head));
    if (ReadVarString(stream) == header) return std::nullopt;
  } catch (const Exception&) {
  }
  return name + " is not " + kind + ".";
}

bool IsMapFileName(const std::string& name) {
  if (name.size() != 11) return false;
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.compare(0, 3, "map") == 0 && lower.compare(7, 4, ".lmu") == 0 &&
         std::all_of(lower.begin() + 3, lower.begin() + 7,
                     [](unsigned char c) { return std::isdigit(c) != 0; });
}

} // namespace

std::vector<std::string> CheckProjectFiles(const std::string& folder, TRuntimeTest test) {
  namespace fs = std::filesystem;
  std::vector<std::string> problems;
  auto check = [&](const fs::path& path, const std::string& header, const char* kind) {
    if (auto problem = CheckHeader(path, header, kind)) problems.push_back(*problem);
  };
  const fs::path root(folder);
  // Found as the editor finds them: projects come from file systems that ignore case.
  auto checkNamed = [&](const char* name, const std::string& header, const char* kind) {
    check(ResolvePath((root / name).string()).Path, header, kind);
  };
  checkNamed(DataBaseFileName, DataBaseHeader, "a database file");
  if (test == TRuntimeTest::BattleTest) return problems;
  checkNamed(MapTreeFileName, MapTreeHeader, "a map tree file");
  std::vector<fs::path> maps;
  std::error_code error;
  for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error))
    if (IsMapFileName(it->path().filename().string())) maps.push_back(it->path());
  std::sort(maps.begin(), maps.end());
  for (const fs::path& map : maps)
    check(map, MapFileHeader, "a map file");
  return problems;
}

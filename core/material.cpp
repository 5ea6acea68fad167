#include "core/material.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <unordered_set>

#include "core/code_page.h"
#include "core/file_utils.h"
#include "core/path_resolver.h"
#include "core/project_path.h"
#include "core/settings.h"

namespace {

// The five bytes the code page leaves without a character.
bool IsCodePageHole(uint8_t b) {
  return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

// A name that stays one file name inside its folder: no folder part (which also rules out
// an absolute path), no "." or "..", and no control character (a NUL would cut the path
// short) or byte the code page cannot spell.
bool IsPlainName(std::string_view name) {
  if (name == "." || name == "..") return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    const uint8_t b = uint8_t(c);
    return c == '/' || c == '\\' || b < 0x20 || b == 0x7F || IsCodePageHole(b);
  });
}

// The folders to search, project first; an unset package folder is skipped.
std::vector<std::string> MaterialRoots() {
  std::vector<std::string> roots{ProjectPath};
  const std::string package = GetRuntimePackagePath();
  if (!package.empty()) roots.push_back(package);
  return roots;
}

// The material names in one folder, each once (of names that differ only in case, the
// first in byte order), sorted.
std::vector<std::string> NamesInFolder(const std::string& folder, TExtensionTable extensions) {
  std::vector<std::string> names;
  const TResolvedPath resolved = ResolvePath(folder);
  if (!resolved.Exists) return names;
  DIR* dir = opendir(resolved.Path.c_str());
  if (!dir) return names;
  const std::string prefix = IncludeTrailingBackslash(resolved.Path);
  while (const dirent* entry = readdir(dir)) {
    const std::string fileName = entry->d_name;
    // Hidden files stay hidden, as they do in the Windows lists.
    if (fileName.empty() || fileName[0] == '.' || !HasExtension(fileName, extensions)) continue;
    if (!FileExists(prefix + fileName)) continue;
    const std::string stem = ChangeFileExt(fileName, "");
    const std::string name = Utf8ToCodePage(stem);
    // A file name the code page cannot spell could never be named by the game data, nor
    // one that lookup would refuse.
    if (CodePageToUtf8(name) == stem && IsPlainName(name)) names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  std::unordered_set<std::string> seen;
  std::erase_if(names,
                [&](const std::string& n) { return !seen.insert(CodePageLowerCase(n)).second; });
  SortMaterialNames(names);
  return names;
}

// The trailing digits of Name without their leading zeros, and where they begin.
std::string_view TrailingNumber(std::string_view name, size_t& start) {
  start = name.size();
  while (start > 0 && IsDigitChar(name[start - 1]))
    --start;
  size_t first = start;
  while (first < name.size() && name[first] == '0')
    ++first;
  return name.substr(first);
}

} // namespace

bool HasExtension(const std::string& fileName, TExtensionTable extensions) {
  const std::string ext = FoldCaseUtf8(ExtractFileExt(fileName));
  for (const char* candidate : extensions)
    if (ext == std::string(".") + candidate) return true;
  return false;
}

bool FindMaterialFile(std::string_view name, std::string_view folder, TExtensionTable extensions,
                      std::string& path) {
  path.clear();
  if (name.empty() || !IsPlainName(name)) return false;
  const std::string base = DataNameToPath(folder) + "/" + DataNameToPath(name) + ".";
  for (const std::string& root : MaterialRoots()) {
    for (const char* ext : extensions) {
      const TResolvedPath found = ResolvePath(root + base + ext);
      if (found.Exists && FileExists(found.Path)) {
        path = found.Path;
        return true;
      }
    }
  }
  return false;
}

void ListMaterialFiles(std::vector<std::string>& items, std::string_view folder,
                       TExtensionTable extensions) {
  items.clear();
  const std::string sub = DataNameToPath(folder);
  const std::vector<std::string> roots = MaterialRoots();
  items = NamesInFolder(roots[0] + sub, extensions);
  if (roots.size() < 2) return;
  std::unordered_set<std::string> inProject;
  for (const std::string& name : items)
    inProject.insert(CodePageLowerCase(name));
  for (const std::string& name : NamesInFolder(roots[1] + sub, extensions))
    if (!inProject.count(CodePageLowerCase(name))) items.push_back(name + std::string(RtpSuffix));
}

bool HasRtpSuffix(std::string_view entry) {
  return entry.ends_with(RtpSuffix);
}

std::string StripRtpSuffix(std::string_view entry) {
  if (HasRtpSuffix(entry)) entry.remove_suffix(RtpSuffix.size());
  return std::string(entry);
}

void SortMaterialNames(std::vector<std::string>& names) {
  // Numbers are written with at least ten digits, and with as many as the longest
  // number needs, so that every key has its number in the same width.
  size_t width = 10;
  for (const std::string& name : names) {
    size_t start;
    width = std::max(width, TrailingNumber(name, start).size());
  }
  struct TKeyed {
    std::string Key, Lower;
    std::string* Name;
  };
  std::vector<TKeyed> keyed;
  keyed.reserve(names.size());
  for (std::string& name : names) {
    size_t start;
    const std::string_view number = TrailingNumber(name, start);
    std::string key = CodePageLowerCase(std::string_view(name).substr(0, start));
    key.append(width - number.size(), '0');
    key.append(number);
    keyed.push_back({std::move(key), CodePageLowerCase(name), &name});
  }
  std::sort(keyed.begin(), keyed.end(), [](const TKeyed& a, const TKeyed& b) {
    if (a.Key != b.Key) return a.Key < b.Key;
    if (a.Lower != b.Lower) return a.Lower < b.Lower;
    return *a.Name < *b.Name;
  });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (const TKeyed& k : keyed)
    sorted.push_back(*k.Name);
  names = std::move(sorted);
}

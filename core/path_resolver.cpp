#include "core/path_resolver.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "core/code_page.h"

namespace {

constexpr int64_t kSecondNs = 1000000000;
// Folders are few (the material folders of a project and of the run-time package);
// the bound only keeps a long session from collecting listings without end.
constexpr size_t kMaxFolders = 512;

int64_t Nanoseconds(const timespec& t) {
  return int64_t(t.tv_sec) * kSecondNs + t.tv_nsec;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

} // namespace

TPathResolver& PathResolver() {
  static TPathResolver resolver;
  return resolver;
}

void TPathResolver::Clear() {
  std::lock_guard lock(mutex_);
  folders_.clear();
}

TResolvedPath TPathResolver::Resolve(const std::string& path) {
  struct stat st;
  if (path.empty()) return {};
  if (stat(path.c_str(), &st) == 0) return {path, true};

  std::vector<std::string> parts;
  for (size_t at = 0; at <= path.size();) {
    size_t slash = path.find('/', at);
    if (slash == std::string::npos) slash = path.size();
    if (slash > at) parts.push_back(path.substr(at, slash - at));
    at = slash + 1;
  }
  std::lock_guard lock(mutex_);
  std::string current = path[0] == '/' ? "/" : "";
  bool exists = true;
  for (const std::string& part : parts) {
    const std::string exact = Join(current, part);
    if (!exists || part == "." || part == ".." || stat(exact.c_str(), &st) == 0) {
      current = exact;
      continue;
    }
    const std::string* found = FindInFolder(current.empty() ? "." : current, part);
    exists = found != nullptr;
    current = Join(current, found ? *found : part);
  }
  if (path.back() == '/' && !current.empty() && current.back() != '/') current += '/';
  return {current, exists};
}

const std::string* TPathResolver::FindInFolder(const std::string& folder, const std::string& name) {
  struct stat st;
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return nullptr;
  auto it = folders_.find(folder);
  const bool fresh = it != folders_.end() && it->second.Stable && it->second.Device == st.st_dev &&
                     it->second.Inode == st.st_ino &&
                     it->second.ModifiedNs == Nanoseconds(st.st_mtim) &&
                     it->second.ChangedNs == Nanoseconds(st.st_ctim);
  if (!fresh) {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    DIR* dir = opendir(folder.c_str());
    if (!dir) return nullptr;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
      const std::string entryName = entry->d_name;
      if (entryName != "." && entryName != "..") names.push_back(entryName);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    if (folders_.size() >= kMaxFolders) folders_.clear();
    TFolderListing& listing = folders_[folder];
    listing = TFolderListing{};
    listing.Device = st.st_dev;
    listing.Inode = st.st_ino;
    listing.ModifiedNs = Nanoseconds(st.st_mtim);
    listing.ChangedNs = Nanoseconds(st.st_ctim);
    listing.Stable = Nanoseconds(now) - listing.ModifiedNs >= 2 * kSecondNs;
    for (std::string& entryName : names)
      listing.Names.emplace(FoldCaseUtf8(entryName), entryName);
    it = folders_.find(folder);
  }
  const auto match = it->second.Names.find(FoldCaseUtf8(name));
  return match == it->second.Names.end() ? nullptr : &match->second;
}

// Finds existing files and folders by names that may differ in case from the names on
// disk: projects come from file systems that ignore case, and their data and settings
// name files in whatever case the author typed. Within a folder the exact spelling wins;
// otherwise the first name in byte order whose folded form matches.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

struct TResolvedPath {
  // Every component that exists, in some case, spelt as on disk; from the first one that
  // does not exist on, the components are kept as given (so the path can be created).
  std::string Path;
  bool Exists = false;
};

class TPathResolver {
public:
  TResolvedPath Resolve(const std::string& path);
  // Forgets every folder listing.
  void Clear();

private:
  struct TFolderListing {
    uint64_t Device = 0, Inode = 0;
    int64_t ModifiedNs = 0, ChangedNs = 0;
    // False when the folder changed so shortly before it was listed that a later change
    // might carry the same time stamp; such a listing is read again on the next lookup.
    bool Stable = false;
    // Folded name to the first name in byte order that folds to it.
    std::unordered_map<std::string, std::string> Names;
  };
  // The spelling on disk of Name inside Folder, or nullptr when there is none.
  const std::string* FindInFolder(const std::string& folder, const std::string& name);

  std::mutex mutex_;
  std::unordered_map<std::string, TFolderListing> folders_;
};

// The process-wide resolver that every lookup goes through.
TPathResolver& PathResolver();
inline TResolvedPath ResolvePath(const std::string& path) {
  return PathResolver().Resolve(path);
}

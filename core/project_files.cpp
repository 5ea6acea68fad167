#include "core/project_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/atomic_file.h"
#include "core/code_page.h"
#include "core/file_utils.h"
#include "core/material_folders.h"

namespace {

// Names as the game compares them: without regard to case.
bool SameName(std::string_view a, std::string_view b) {
  return FoldCaseUtf8(a) == FoldCaseUtf8(b);
}

// The files the editor writes in a project's own folder: the database, the map tree,
// the game's ini file and program (copied from the templates), and "Map%.4d.lmu".
bool IsProjectFileName(std::string_view name) {
  for (const char* file : {"KOVAX.ldb", "KOVAX.lmt", "KOVAX.ini", "KOVAX.exe"})
    if (SameName(name, file)) return true;
  constexpr std::string_view prefix = "Map", suffix = ".lmu";
  if (name.size() < prefix.size() + 4 + suffix.size() ||
      !SameName(name.substr(0, prefix.size()), prefix) ||
      !SameName(name.substr(name.size() - suffix.size()), suffix))
    return false;
  const std::string_view digits =
      name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  return std::all_of(digits.begin(), digits.end(), IsDigitChar);
}

// A material of a folder whose files carry one of Extensions; hidden files are none.
bool IsMaterialFileName(std::string_view name, TExtensionTable extensions) {
  return !name.empty() && name[0] != '.' && HasExtension(std::string(name), extensions);
}

// Removes from the folder open as Fd the plain files that saves of Ours-accepted files
// left when they were cut short. Returns the names of the entries that are folders.
template <class Ours> std::vector<std::string> RemoveStaleTemporaryFilesAt(int fd, Ours&& ours) {
  std::vector<std::string> stale, folders;
  DIR* dir = fdopendir(fd);
  if (!dir) {
    close(fd);
    return folders;
  }
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    const std::string_view target = AtomicTemporaryTarget(name);
    struct stat st;
    // Plain files only: a folder is never removed, and a link is not followed.
    if (fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISDIR(st.st_mode) && name != "." && name != "..")
      folders.emplace_back(name);
    else if (S_ISREG(st.st_mode) && !target.empty() && ours(target))
      stale.emplace_back(name);
  }
  // unlinkat without AT_REMOVEDIR cannot remove a folder put there meanwhile, and removes
  // a link itself, never what it names.
  for (const std::string& name : stale)
    unlinkat(fd, name.c_str(), 0);
  closedir(dir);
  return folders;
}

} // namespace

void RemoveStaleTemporaryFiles(const std::string& projectFolder) {
  const int fd = open(projectFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // Kept open for the material folders below, which are opened relative to it.
  const int project = dup(fd);
  const std::vector<std::string> folders = RemoveStaleTemporaryFilesAt(fd, IsProjectFileName);
  if (project < 0) return;
  for (const std::string& folder : folders)
    for (int i = 0; i < MaterialFolderCount; ++i) {
      if (!SameName(folder, MaterialFolderNames[i])) continue;
      const int at =
          openat(project, folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (at >= 0)
        RemoveStaleTemporaryFilesAt(at, [i](std::string_view target) {
          return IsMaterialFileName(target, MaterialFolderExtensions[i]);
        });
    }
  close(project);
}

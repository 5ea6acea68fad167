#include "shell/project_manager.h"

#include <QString>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/database.h"
#include "core/errors.h"
#include "core/file_utils.h"
#include "core/path_resolver.h"
#include "core/project_files.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "framework/controls/folder_view.h"
#include "shell/game_disk.h"
#include "shell/shell_messages.h"

namespace {

// A name that stands for one folder inside the base folder and nothing else, so that
// removing a failed project can never reach the base folder itself or beyond it.
bool NamesOneSubFolder(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// The longest mount point that holds Path, or none.
const TMountPoint* MountHolding(const std::string& path, const TMountTable& mounts) {
  const TMountPoint* best = nullptr;
  for (const TMountPoint& mount : mounts) {
    const std::string folder = IncludeTrailingBackslash(mount.Path);
    if (path.compare(0, folder.size(), folder) != 0) continue;
    if (!best || mount.Path.size() > best->Path.size()) best = &mount;
  }
  return best;
}

} // namespace

TDataBaseReadAhead* DataBaseReadAhead = nullptr;

std::string LastProjectFolder() {
  const std::string folderName = GetOpenedProjectFolder();
  return folderName.empty() ? std::string()
                            : IncludeTrailingBackslash(ProjectBaseFolder() + folderName);
}

TDataBaseReadAhead::TDataBaseReadAhead() {
  // The file as OpenProject will name it.
  const std::string folder = LastProjectFolder();
  if (folder.empty()) return;
  read_ = std::async(std::launch::async | std::launch::deferred, [folder] {
    TRead read;
    read.File = ResolvePath(folder + DataBaseFileName).Path;
    auto dataBase = std::make_unique<TXelDataBase>(TXelDataBase::TUnpublished{});
    try {
      dataBase->LoadDataBaseFileStrict(read.File);
      read.DataBase = std::move(dataBase);
    } catch (...) {
      // The project's own load reads it again and reports why it fails.
    }
    return read;
  });
}

// The future waits for a read that runs on its own thread.
TDataBaseReadAhead::~TDataBaseReadAhead() = default;

void TDataBaseReadAhead::Wait() const {
  if (read_.valid()) read_.wait();
}

void TDataBaseReadAhead::Discard() {
  read_ = {};
}

bool TDataBaseReadAhead::TakeInto(TXelDataBase& into, const std::string& file) {
  if (!read_.valid()) return false;
  TRead read = read_.get();
  if (!read.DataBase || read.File != file || !(into.CachedStamp() == TFileStamp{})) return false;
  try {
    if (!(GetFileStamp(file) == read.DataBase->CachedStamp())) return false;
  } catch (const std::exception&) {
    return false;
  }
  into.TakeTablesOf(*read.DataBase);
  return true;
}

std::string ProjectBaseFolder() {
  return IncludeTrailingBackslash(GetProjectBasePath());
}

bool SetCurrentFolder(const std::string& folder) {
  return !folder.empty() && chdir(folder.c_str()) == 0;
}

bool IsValidFolderName(const std::string& name) {
  // A name of blanks only would make a folder whose name looks empty in every list.
  if (!name.empty() && name.find_first_not_of(" \t") == std::string::npos) return false;
  return name.find_first_of("\\/:?*<>|\"") == std::string::npos;
}

bool IsProjectFolder(const std::string& folder) {
  return PathResolver().Resolve(IncludeTrailingBackslash(folder) + "KOVAX.exe").Exists;
}

TProjectManager::TProjectManager(QWidget* owner) : Owner(owner) {
  ApplicationPathOption.Set(GetProgramFolder());
}

void TProjectManager::NewProject(const std::string& folderName, const std::string& title) {
  if (IsOpen) return;
  const std::string base = ProjectBaseFolder();
  ProjectFolderName = folderName;
  ProjectPath = base + folderName + "/";
  bool ok = true;
  try {
    if (OnCreateProject) OnCreateProject(this, title, ok);
    if (ok) OpenProject(folderName);
  } catch (...) {
    ok = false;
  }
  if (ok) return;
  SetCurrentFolder(base);
  if (NamesOneSubFolder(folderName)) DeleteFolderTree(base + folderName);
  ProjectFolderName.clear();
  ProjectPath.clear();
  throw Exception(SProjectMakingFailure);
}

void TProjectManager::OpenProject(const std::string& folderName) {
  if (IsOpen || folderName.empty()) return;
  const std::string folder = ProjectBaseFolder() + folderName;
  if (!SetCurrentFolder(folder)) return;
  ProjectPath = IncludeTrailingBackslash(folder);
  ProjectFolderName = folderName;
  // What saves that were cut short left beside the project's files and its materials;
  // nothing else reads them.
  RemoveStaleTemporaryFiles(folder);
  bool ok = false;
  try {
    if (OnOpenProject) OnOpenProject(this, ok);
  } catch (...) {
    ForgetProject();
    throw;
  }
  if (!ok) {
    ForgetProject();
    return;
  }
  IsOpen = true;
  OpenedProjectOption.Set(ExtractFileName(ProjectPath.substr(0, ProjectPath.size() - 1)));
}

void TProjectManager::CloseProject() {
  if (!IsOpen) return;
  if (OnCloseProject) OnCloseProject(this);
  SetCurrentFolder(ProjectBaseFolder());
  ProjectPath.clear();
  OpenedProjectOption.Set("");
  IsOpen = false;
}

void TProjectManager::OpenLastProject() {
  try {
    OpenProject(GetOpenedProjectFolder());
  } catch (...) {
    // A project that cannot be reopened is simply not open at start.
  }
}

void TProjectManager::ForgetProject() {
  SetCurrentFolder(ProjectBaseFolder());
  ProjectPath.clear();
  ProjectFolderName.clear();
}

void TProjectManager::ShowGameDiskDialog() {
  if (IsOpen && GameDiskDialog) GameDiskDialog(this);
}

void TProjectManager::ShowNewProjectDialog() {
  std::string folderName, title;
  if (QueryNewProject && QueryNewProject(this, folderName, title)) NewProject(folderName, title);
}

void TProjectManager::ShowOpenProjectDialog() {
  std::string folderName;
  if (QueryOpenProject && QueryOpenProject(this, folderName)) OpenProject(folderName);
}

std::string ProposeProjectFolderName(const std::string& base) {
  int n = 1;
  while (FolderExists(base + SNewProjectFolderPrefix + std::to_string(n)))
    ++n;
  return SNewProjectFolderPrefix + std::to_string(n);
}

void MakeProjectFolder(const std::string& base, const std::string& folderName) {
  if (!IsValidFolderName(folderName)) throw Exception(SBadFolderNameChar);
  if (folderName.empty() || mkdir((base + folderName).c_str(), 0755) != 0)
    throw Exception(SCannotMakeProjectFolder);
}

std::vector<TProjectListing> ListProjects(const std::string& base) {
  std::vector<TProjectListing> projects;
  DIR* dir = opendir(base.c_str());
  if (!dir) return projects;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') continue;
    const std::string folder = base + name;
    if (!FolderExists(folder) || !IsProjectFolder(folder)) continue;
    std::string title;
    try {
      title = ReadGameTitle(folder);
    } catch (const std::exception&) {
      title = DefaultGameTitle;
    }
    projects.push_back({name, title});
  }
  closedir(dir);
  // Directory order is arbitrary on Linux; the author expects the names in order.
  std::sort(
      projects.begin(), projects.end(), [](const TProjectListing& a, const TProjectListing& b) {
        const int order = QString::fromStdString(a.FolderName)
                              .compare(QString::fromStdString(b.FolderName), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.FolderName < b.FolderName;
      });
  return projects;
}

void RenameProject(const std::string& base, const std::string& oldName, const std::string& newName,
                   const std::string& title) {
  if (!IsValidFolderName(newName)) throw Exception(SBadFolderNameChar);
  // An empty name would stand for the base folder itself.
  if (newName.empty() || oldName.empty()) throw Exception(SCannotRenameProjectFolder);
  const std::string folder = IncludeTrailingBackslash(base);
  if (newName != oldName && !RenameFolderNoReplace(folder + oldName, folder + newName))
    throw Exception(SCannotRenameProjectFolder);
  WriteGameTitle(folder + newName, title);
}

bool DeleteProject(const std::string& base, const std::string& folderName) {
  if (!NamesOneSubFolder(folderName)) return false;
  SetCurrentFolder(base);
  return DeleteFolderTree(base + folderName);
}

void CheckProjectBasePath(const std::string& path) {
  if (IsFloppyDrive(path) || IsOnOpticalDisc(path)) throw Exception(SCannotSetUpPath);
  if (!IsDriveReady(path)) throw Exception(SDeviceNotReady);
}

void MakeProjectBaseFolder(const std::string& path) {
  try {
    ForceDirectories(path);
  } catch (const std::exception&) {
    // Reported below as the folder that could not be made.
  }
  if (!FolderExists(path)) throw Exception(SCannotMakeFolder);
}

bool RenameFolderNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: check first (a race here only makes the rename fail
  // on a target that appeared meanwhile, as plain rename refuses a non-empty folder).
  struct stat st;
  if (lstat(to.c_str(), &st) == 0) return false;
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool IsOnOpticalDisc(const std::string& path) {
  return IsOnOpticalDisc(path, ReadMountTable());
}

bool IsOnOpticalDisc(const std::string& path, const TMountTable& mounts) {
  const TMountPoint* mount = MountHolding(path, mounts);
  return mount && mount->Kind == ddCDRom;
}

std::string DriveRootOf(const std::string& path, const TMountTable& mounts) {
  const TMountPoint* mount = MountHolding(path, mounts);
  return IncludeTrailingBackslash(mount ? mount->Path : "/");
}

bool CheckGameDiskPath(const std::string& path, TGameDiskDrive& drive, const TMountTable& mounts) {
  const std::string folder = IncludeTrailingBackslash(path);
  if (drive.IsFloppyDrive(folder)) {
    if (folder != DriveRootOf(folder, mounts)) throw Exception(SCannotSetUpPass);
    return true;
  }
  if (IsOnOpticalDisc(folder, mounts)) throw Exception(SCannotSetUpPass);
  if (!IsDriveReady(DriveRootOf(folder, mounts))) throw Exception(SDeviceNotReady);
  return false;
}

#include "shell/project_manager.h"

#include <unistd.h>

#include "core/errors.h"
#include "core/file_utils.h"
#include "core/path_resolver.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "framework/controls/window_placement.h"
#include "shell/project_dialogs.h"
#include "shell/shell_messages.h"

namespace {

// A name that stands for one folder inside the base folder and nothing else, so that
// removing a failed project can never reach the base folder itself or beyond it.
bool NamesOneSubFolder(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

} // namespace

std::string ProjectBaseFolder() {
  return IncludeTrailingBackslash(GetProjectBasePath());
}

bool SetCurrentFolder(const std::string& folder) {
  return !folder.empty() && chdir(folder.c_str()) == 0;
}

bool IsValidFolderName(const std::string& name) {
  return name.find_first_of("\\/:?*<>|\"") == std::string::npos;
}

bool IsProjectFolder(const std::string& folder) {
  return PathResolver().Resolve(IncludeTrailingBackslash(folder) + "KOVAX.exe").Exists;
}

TProjectManager::TProjectManager(QWidget* owner) : Owner(owner) {
  Settings().WriteString("ApplicationPath", GetProgramFolder());
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
  SetOpenedProjectFolder(ExtractFileName(ProjectPath.substr(0, ProjectPath.size() - 1)));
}

void TProjectManager::CloseProject() {
  if (!IsOpen) return;
  if (OnCloseProject) OnCloseProject(this);
  SetCurrentFolder(ProjectBaseFolder());
  ProjectPath.clear();
  SetOpenedProjectFolder("");
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

void TProjectManager::ShowNewProjectDialog() {
  TFormProjectNew dialog(Owner);
  CenterFormOverOwner(&dialog);
  if (dialog.exec() == mrOk) NewProject(dialog.FolderName, dialog.Title);
}

void TProjectManager::ShowOpenProjectDialog() {
  TFormProjectOpen dialog(Owner);
  CenterFormOverOwner(&dialog);
  if (dialog.exec() == mrOk) OpenProject(dialog.ChosenFolder);
}

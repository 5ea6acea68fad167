// Opens, creates and closes projects: folders directly under the projects base folder.
// The main window says what creating, opening and closing mean through the three events;
// the manager keeps ProjectPath, the current folder and "OpenedProjectFolder" in step.
#pragma once

#include <functional>
#include <string>

class QWidget;

class TProjectManager {
public:
  using TCreateProjectEvent =
      std::function<void(TProjectManager* sender, const std::string& title, bool& ok)>;
  using TOpenProjectEvent = std::function<void(TProjectManager* sender, bool& ok)>;
  using TCloseProjectEvent = std::function<void(TProjectManager* sender)>;

  // Writes "ApplicationPath" (the program's folder).
  explicit TProjectManager(QWidget* owner);

  QWidget* Owner;
  bool IsOpen = false;
  // The open project's folder name, without a path.
  std::string ProjectFolderName;
  TCreateProjectEvent OnCreateProject;
  TOpenProjectEvent OnOpenProject;
  TCloseProjectEvent OnCloseProject;

  // Lays out and opens FolderName (already made under the base folder) through
  // OnCreateProject. When that refuses or raises, the folder is removed again and
  // "Project Making Failure" is raised. Nothing happens while a project is open.
  void NewProject(const std::string& folderName, const std::string& title);
  // Makes FolderName under the base folder current and asks OnOpenProject. A folder that
  // cannot be entered is silently not opened; a refusal leaves no project half-set.
  void OpenProject(const std::string& folderName);
  void CloseProject();
  // The project that was open when the editor last closed; every error is swallowed.
  void OpenLastProject();

  void ShowNewProjectDialog();
  void ShowOpenProjectDialog();

private:
  // Back to the base folder with no project set.
  void ForgetProject();
};

// The projects base folder with a trailing separator.
std::string ProjectBaseFolder();
// Makes Folder the process's current folder; false when it cannot be entered.
bool SetCurrentFolder(const std::string& folder);
// A project folder name that holds none of \ / : ? * < > | " .
bool IsValidFolderName(const std::string& name);
// Folder counts as a project when it holds "KOVAX.exe" (in any case).
bool IsProjectFolder(const std::string& folder);

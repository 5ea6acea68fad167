// Opens, creates and closes projects: folders directly under the projects base folder.
// The main window says what creating, opening and closing mean through the three events;
// the manager keeps ProjectPath, the current folder and "OpenedProjectFolder" in step.
#pragma once

#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/folder_view.h"

class QWidget;
class TGameDiskDrive;
class TXelDataBase;

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

  // The main window opens the project dialogs: the manager asks through these two (each
  // true when the author chose), so it knows nothing of the dialogs.
  std::function<bool(TProjectManager* sender, std::string& folderName, std::string& title)>
      QueryNewProject;
  std::function<bool(TProjectManager* sender, std::string& folderName)> QueryOpenProject;
  // Runs the game disk dialog.
  std::function<void(TProjectManager* sender)> GameDiskDialog;

  // Asks for a new project and makes it; asks for a project and opens it.
  void ShowNewProjectDialog();
  void ShowOpenProjectDialog();
  // Packs the open project into a game disk through the dialog; nothing without a project.
  void ShowGameDiskDialog();

private:
  // Back to the base folder with no project set.
  void ForgetProject();
};

// The database of the project that OpenLastProject will open, read on a side thread while
// the editor starts. Nothing is read when no project was open at the last close.
class TDataBaseReadAhead {
public:
  TDataBaseReadAhead();
  ~TDataBaseReadAhead();
  TDataBaseReadAhead(const TDataBaseReadAhead&) = delete;
  TDataBaseReadAhead& operator=(const TDataBaseReadAhead&) = delete;

  // When the read loaded File, which is unchanged since, and Into has loaded no file yet,
  // Into takes the tables read and the result is true; otherwise Into is left as it was,
  // to load the file itself (and report what fails). Waits for the read; only the first
  // call can succeed.
  bool TakeInto(TXelDataBase& into, const std::string& file);
  void Wait() const;
  // Frees what was read unless it was taken; nothing can be taken afterwards.
  void Discard();

private:
  struct TRead {
    std::string File;
    std::unique_ptr<TXelDataBase> DataBase; // none when the read failed
  };
  std::future<TRead> read_;
};

// The read-ahead of this run, or nothing.
extern TDataBaseReadAhead* DataBaseReadAhead;

// The folder of the project the last run had open, as OpenProject will name it (with its
// trailing separator), or empty when there was none.
std::string LastProjectFolder();

// The projects base folder with a trailing separator.
std::string ProjectBaseFolder();
// Makes Folder the process's current folder; false when it cannot be entered.
bool SetCurrentFolder(const std::string& folder);
// A project folder name that holds none of \ / : ? * < > | " .
bool IsValidFolderName(const std::string& name);
// Folder counts as a project when it holds "KOVAX.exe" (in any case).
bool IsProjectFolder(const std::string& folder);

// What the project dialogs do to the folders; each failure raises the message the dialog
// shows, so the dialog stays open.

// The first "Project<n>" (n from 1) that is not a folder under Base yet.
std::string ProposeProjectFolderName(const std::string& base);
// Makes the folder of a new project under Base; raises on a forbidden character or when
// the folder cannot be made (it exists already, or the name is empty).
void MakeProjectFolder(const std::string& base, const std::string& folderName);

struct TProjectListing {
  std::string FolderName; // as on disk (UTF-8)
  std::string Title;      // code page; "Untitled" when the project has none
};
// Every project folder under Base whose name does not begin with ".", by name ignoring case.
std::vector<TProjectListing> ListProjects(const std::string& base);

// Gives the project OldName under Base the name NewName and writes Title into it; the
// same name only rewrites the title. Raises on a forbidden character, an empty name, or
// when the target exists in any form.
void RenameProject(const std::string& base, const std::string& oldName, const std::string& newName,
                   const std::string& title);
// Deletes the project folder with everything in it, never following links; false when
// that failed.
bool DeleteProject(const std::string& base, const std::string& folderName);

// Refuses a projects base folder on a floppy drive or an optical disc, or on a device that
// is not ready.
void CheckProjectBasePath(const std::string& path);
// Makes a missing base folder; raises when it still does not exist afterwards.
void MakeProjectBaseFolder(const std::string& path);

// Whether Path lies on a mounted CD or DVD (the longest mount point that holds it), of the
// system's mounts or of Mounts.
bool IsOnOpticalDisc(const std::string& path);
bool IsOnOpticalDisc(const std::string& path, const TMountTable& mounts);
// The root of the drive Path lies on: the longest mount point of Mounts that holds it, or
// "/" when none does; with a trailing separator.
std::string DriveRootOf(const std::string& path, const TMountTable& mounts);
// Refuses a game disk destination on an optical disc, anywhere on a floppy drive but its
// root ("It can't be set up in the specified pass"), or on a drive whose root is missing
// ("Device not ready"). True for a floppy drive's root, which needs no further checks.
bool CheckGameDiskPath(const std::string& path, TGameDiskDrive& drive, const TMountTable& mounts);
// Renames From to To unless To exists in any form, even as an empty folder.
bool RenameFolderNoReplace(const std::string& from, const std::string& to);

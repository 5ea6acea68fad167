// The project dialogs: making a new project, choosing one to open (and renaming or
// deleting it there), and choosing the projects base folder. The main window opens them;
// what they do to the folders is the project manager's.
#pragma once

#include <QString>
#include <string>

#include "framework/controls/folder_view.h"
#include "framework/forms/form_xel_base.h"

class QTreeWidget;
class QTreeWidgetItem;

// Proposes the first "Project<n>" that is not a folder under the base folder yet, and
// makes the one the author settles on.
class TFormProjectNew : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormProjectNew(QWidget* owner = nullptr);

  // The result on OK: the folder name (UTF-8, as on disk) and the game title (code page).
  std::string FolderName;
  std::string Title;

  void FormShow() override;
  void DashBox1Click();
  void ButtonOkClick() override;

private:
  QString folder_;
  std::string title_;
  QString base_;
};

// Lists the projects under the base folder with their game titles.
class TFormProjectOpen : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormProjectOpen(QWidget* owner = nullptr);

  // The result on OK: the chosen project's folder name.
  std::string ChosenFolder;

  // Refills the list from the base folder; the first item becomes the current one.
  void FillList();
  void DashBox1Click();
  void ButtonOkClick() override;
  void ButtonRenameClick();
  void ButtonDeleteClick();

protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QTreeWidgetItem* FindItem(const QString& folderName) const;
  void FitTitleColumn();
  void SelectItem(QTreeWidgetItem* item);

  QString base_;
  QTreeWidget* ListView1;
};

// Renames a project's folder and changes its game title.
class TFormProjectRename : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormProjectRename(QWidget* owner = nullptr);

  // In: the base folder, the project's folder name and its title. Out on OK: the new
  // folder name.
  std::string BaseFolder;
  std::string OldName;
  std::string Title;
  std::string FolderName;

  void FormShow() override;
  void ButtonOkClick() override;

private:
  QString folder_;
  std::string title_;
};

// Chooses the projects base folder, making it when it does not exist.
class TFormProjectBasePath : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormProjectBasePath(QWidget* owner = nullptr);

  // In: the folder to start at. Out on OK: the chosen folder with a trailing separator.
  std::string Path;
  std::string CallerData() const { return Path; }

  void FormShow() override;
  void FolderView1Change();
  void ButtonOkClick() override;

protected:
  // The folder tree, the path and OK, under another name and caption.
  TFormProjectBasePath(QWidget* owner, const char* name, const char* caption);
  // Whether OK may be pressed for the typed path: an existing absolute folder here.
  virtual bool PathAllowed(const std::string& path) const;
  // Refuses a place the folder cannot go by raising the message to show; true when the
  // place is taken as it is, without the checks and the making of the folder.
  virtual bool CheckPath(const std::string& path);

private:
  QString path_;
  TFolderView* FolderView1;
};

// Chooses where a game disk goes: any absolute folder, made when it does not exist, but
// neither on an optical disc nor on a floppy drive except at its root.
class TFormProjectDiskPath : public TFormProjectBasePath {
  Q_OBJECT
public:
  explicit TFormProjectDiskPath(QWidget* owner = nullptr);

  // The mounted volumes the checks look at.
  TMountTableSource Mounts = &ReadMountTable;

protected:
  bool PathAllowed(const std::string& path) const override;
  bool CheckPath(const std::string& path) override;
};

// The base folder dialog over Owner, starting at Path; on OK the chosen folder becomes the
// projects base folder and Path. True when the author chose one.
bool ChooseProjectBasePath(QWidget* owner, QString& path);

// The project dialogs: making a new project, choosing one to open (and renaming or
// deleting it there), and choosing the projects base folder.
#pragma once

#include <string>

#include "framework/controls/form_xel_base.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TDashBox;
class TFolderView;
class TOverEdit;

// Proposes the first "Project<n>" that is not a folder under the base folder yet, and
// makes the one the author settles on.
class TFormProjectNew : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormProjectNew(QWidget* owner = nullptr);

  // The result on OK: the folder name (UTF-8, as on disk) and the game title (code page).
  std::string FolderName;
  std::string Title;

  TOverEdit* OverEdit1;
  TOverEdit* OverEdit2;
  TDashBox* DashBox1;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;

  void FormShow() override;
  void DashBox1Click();
  void ButtonOkClick() override;
};

// Lists the projects under the base folder with their game titles.
class TFormProjectOpen : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormProjectOpen(QWidget* owner = nullptr);

  // The result on OK: the chosen project's folder name.
  std::string ChosenFolder;

  TDashBox* DashBox1;
  QTreeWidget* ListView1;
  QPushButton* ButtonOk;
  QPushButton* ButtonRename;
  QPushButton* ButtonDelete;
  QPushButton* ButtonCancel;

  // Refills the list from the base folder; the first item becomes the current one.
  void FillList();
  // The item of that folder name, or nothing.
  QTreeWidgetItem* FindItem(const QString& folderName) const;
  void DashBox1Click();
  void ButtonOkClick() override;
  void ButtonRenameClick();
  void ButtonDeleteClick();

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void FitTitleColumn();
  void SelectItem(QTreeWidgetItem* item);
};

// Renames a project's folder and changes its game title.
class TFormProjectRename : public TFormXelBase {
  Q_OBJECT
public:
  // BaseFolder (with a trailing separator) holds OldName, whose title is Title.
  TFormProjectRename(QWidget* owner, const std::string& baseFolder, const std::string& oldName,
                     const std::string& title);

  // The new folder name on OK.
  std::string FolderName;

  TOverEdit* OverEdit1;
  TOverEdit* OverEdit2;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;

  void ButtonOkClick() override;

private:
  std::string baseFolder_;
  std::string oldName_;
};

// Chooses the projects base folder, making it when it does not exist.
class TFormProjectBasePath : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormProjectBasePath(QWidget* owner = nullptr);

  // In: the folder to start at. Out on OK: the chosen folder with a trailing separator.
  std::string Path;

  TFolderView* FolderView1;
  QLineEdit* Edit1;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;

  void FormShow() override;
  void FolderView1Change();
  void Edit1Change();
  void ButtonOkClick() override;
};

// Whether Path lies on a mounted CD or DVD (the longest mount point that holds it).
bool IsOnOpticalDisc(const std::string& path);

// Renames From to To unless To exists in any form, even as an empty folder.
bool RenameFolderNoReplace(const std::string& from, const std::string& to);

#include "shell/project_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTreeWidget>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "core/busy_cursor.h"
#include "core/file_utils.h"
#include "core/settings.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/error_guard.h"
#include "framework/controls/folder_view.h"
#include "framework/controls/form_builder.h"
#include "framework/controls/message_box.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/window_placement.h"
#include "shell/project_manager.h"
#include "shell/shell_messages.h"
#include "shell/shell_pictures.h"

namespace {

constexpr int MaxNameLength = 40;
constexpr int MaxPathLength = 250;

QString PathText(const std::string& path) {
  return QString::fromStdString(path);
}

std::string TextPath(const QString& text) {
  return text.toStdString();
}

// The two name fields of the new-project and rename dialogs, with their labels.
void AddNameFields(TFormBuilder& b, TOverEdit*& folderEdit, TOverEdit*& titleEdit) {
  b.Label("Label1", QString::fromLatin1(SFolderNameLabel));
  folderEdit = b.Add<TOverEdit>("OverEdit1");
  folderEdit->setMaxLength(MaxNameLength);
  b.Label("Label2", QString::fromLatin1(SGameTitleLabel));
  titleEdit = b.Add<TOverEdit>("OverEdit2");
  titleEdit->setMaxLength(MaxNameLength);
}

// The OK and Cancel buttons in a column of their own at the right.
void AddButtonColumn(TFormBuilder& b, QPushButton*& ok, QPushButton*& cancel) {
  b.Column([&] {
    ok = b.OkButton();
    cancel = b.CancelButton();
    b.Stretch();
  });
}

// A slot that runs the form's handler inside the error guard.
template <class Form> auto Guarded(Form* form, void (Form::*handler)()) {
  return [form, handler] { GuardHandler(form, [form, handler] { (form->*handler)(); }); };
}

} // namespace

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
  const TMountPoint* best = nullptr;
  const TMountTable mounts = ReadMountTable();
  for (const TMountPoint& mount : mounts) {
    const std::string folder = IncludeTrailingBackslash(mount.Path);
    if (path.compare(0, folder.size(), folder) != 0) continue;
    if (!best || mount.Path.size() > best->Path.size()) best = &mount;
  }
  return best && best->Kind == ddCDRom;
}

// ---- TFormProjectNew ----

TFormProjectNew::TFormProjectNew(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormProjectNew", QString::fromLatin1(SProjectNewCaption), 385, 145);
  b.Row([&] {
    b.Column([&] {
      AddNameFields(b, OverEdit1, OverEdit2);
      b.Group("GroupBox1", QString::fromLatin1(SProjectBasePathCaption),
              [&] { DashBox1 = b.Add<TDashBox>("DashBox1"); });
    });
    AddButtonColumn(b, ButtonOk, ButtonCancel);
  });
  connect(DashBox1, &TDashBox::Clicked, this, Guarded(this, &TFormProjectNew::DashBox1Click));
}

void TFormProjectNew::FormShow() {
  const std::string base = ProjectBaseFolder();
  int n = 1;
  while (FolderExists(base + SNewProjectFolderPrefix + std::to_string(n)))
    ++n;
  OverEdit1->setText(QString::fromLatin1(SNewProjectFolderPrefix) + QString::number(n));
  OverEdit2->setText(QString::fromLatin1(DefaultGameTitle));
  DashBox1->SetText(PathText(base));
}

void TFormProjectNew::DashBox1Click() {
  TFormProjectBasePath dialog(this);
  dialog.Path = TextPath(DashBox1->Text());
  CenterFormOverOwner(&dialog);
  if (dialog.exec() != mrOk) return;
  SetProjectBasePath(dialog.Path);
  DashBox1->SetText(PathText(dialog.Path));
}

void TFormProjectNew::ButtonOkClick() {
  const std::string name = TextPath(OverEdit1->text());
  const std::string title = FromQString(OverEdit2->text());
  if (!IsValidFolderName(name)) {
    ShowErrorBox(QString::fromLatin1(SBadFolderNameChar), this);
    return;
  }
  const std::string base = ProjectBaseFolder();
  if (mkdir((base + name).c_str(), 0755) != 0) {
    ShowErrorBox(QString::fromLatin1(SCannotMakeProjectFolder), this);
    return;
  }
  SetProjectBasePath(base);
  FolderName = name;
  Title = title;
  done(mrOk);
}

// ---- TFormProjectOpen ----

TFormProjectOpen::TFormProjectOpen(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormProjectOpen", QString::fromLatin1(SProjectOpenCaption), 385, 245);
  b.Group("GroupBox1", QString::fromLatin1(SProjectBasePathCaption),
          [&] { DashBox1 = b.Add<TDashBox>("DashBox1"); });
  b.Row([&] {
    ListView1 = b.Add<QTreeWidget>("ListView1");
    b.Column([&] {
      ButtonOk = b.Button("ButtonOk", QStringLiteral("&Open"));
      ButtonOk->setDefault(true);
      ButtonRename = b.Button("ButtonRename", QStringLiteral("&Rename..."));
      ButtonDelete = b.Button("ButtonDelete", QStringLiteral("&Delete..."));
      b.Stretch();
      ButtonCancel = b.CancelButton();
    });
  });

  ListView1->setColumnCount(2);
  ListView1->setHeaderLabels(
      {QString::fromLatin1(SFolderNameLabel), QString::fromLatin1(SGameTitleLabel)});
  ListView1->setRootIsDecorated(false);
  ListView1->setItemsExpandable(false);
  ListView1->setUniformRowHeights(true);
  ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView1->header()->setStretchLastSection(false);
  ListView1->setColumnWidth(0, 88);
  ListView1->setIconSize(QSize(16, 16));
  ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  connect(DashBox1, &TDashBox::Clicked, this, Guarded(this, &TFormProjectOpen::DashBox1Click));
  connect(ButtonOk, &QPushButton::clicked, this, Guarded(this, &TFormProjectOpen::ButtonOkClick));
  connect(ButtonRename, &QPushButton::clicked, this,
          Guarded(this, &TFormProjectOpen::ButtonRenameClick));
  connect(ButtonDelete, &QPushButton::clicked, this,
          Guarded(this, &TFormProjectOpen::ButtonDeleteClick));
  connect(ListView1, &QTreeWidget::itemDoubleClicked, this,
          Guarded(this, &TFormProjectOpen::ButtonOkClick));

  GuardHandler(this, [this] {
    DashBox1->SetText(PathText(ProjectBaseFolder()));
    FillList();
  });
}

void TFormProjectOpen::FillList() {
  ListView1->clear();
  const std::string base = ProjectBaseFolder();
  const QIcon icon(FolderIconPixmap());
  if (DIR* dir = opendir(base.c_str())) {
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
      auto* item = new QTreeWidgetItem(ListView1, {PathText(name), ToQString(title)});
      item->setIcon(0, icon);
    }
    closedir(dir);
  }
  if (ListView1->topLevelItemCount() > 0) SelectItem(ListView1->topLevelItem(0));
  FitTitleColumn();
}

QTreeWidgetItem* TFormProjectOpen::FindItem(const QString& folderName) const {
  for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
    if (ListView1->topLevelItem(i)->text(0) == folderName) return ListView1->topLevelItem(i);
  return nullptr;
}

void TFormProjectOpen::SelectItem(QTreeWidgetItem* item) {
  if (!item) return;
  ListView1->setCurrentItem(item);
  item->setSelected(true);
  ListView1->scrollToItem(item);
}

void TFormProjectOpen::FitTitleColumn() {
  // The viewport already leaves out the vertical bar when the items do not all fit.
  const int width = ListView1->viewport()->width() - ListView1->columnWidth(0);
  ListView1->setColumnWidth(1, std::max(width, 149));
}

void TFormProjectOpen::resizeEvent(QResizeEvent* event) {
  TFormXelBase::resizeEvent(event);
  FitTitleColumn();
}

void TFormProjectOpen::DashBox1Click() {
  TFormProjectBasePath dialog(this);
  dialog.Path = TextPath(DashBox1->Text());
  CenterFormOverOwner(&dialog);
  if (dialog.exec() != mrOk || dialog.Path == TextPath(DashBox1->Text())) return;
  SetProjectBasePath(dialog.Path);
  DashBox1->SetText(PathText(dialog.Path));
  FillList();
}

void TFormProjectOpen::ButtonOkClick() {
  QTreeWidgetItem* item = ListView1->currentItem();
  if (!item || !item->isSelected()) return;
  SetProjectBasePath(ProjectBaseFolder());
  ChosenFolder = TextPath(item->text(0));
  done(mrOk);
}

void TFormProjectOpen::ButtonRenameClick() {
  QTreeWidgetItem* item = ListView1->currentItem();
  if (!item || !item->isSelected()) return;
  TFormProjectRename dialog(this, ProjectBaseFolder(), TextPath(item->text(0)),
                            FromQString(item->text(1)));
  CenterFormOverOwner(&dialog);
  if (dialog.exec() != mrOk) return;
  FillList();
  SelectItem(FindItem(PathText(dialog.FolderName)));
}

void TFormProjectOpen::ButtonDeleteClick() {
  QTreeWidgetItem* item = ListView1->currentItem();
  if (!item || !item->isSelected()) return;
  const QString name = item->text(0);
  if (ShowMessageBox(QString::fromLatin1(SDeleteProjectQuery).arg(name),
                     MB_YESNO | MB_ICONEXCLAMATION, this) != IDYES)
    return;
  bool deleted;
  {
    TBusyCursor busy;
    const std::string base = ProjectBaseFolder();
    SetCurrentFolder(base);
    deleted = DeleteFolderTree(base + TextPath(name));
    FillList();
  }
  if (!deleted) ShowErrorBox(QString::fromLatin1(SCannotDeleteProjectFolder), this);
}

// ---- TFormProjectRename ----

TFormProjectRename::TFormProjectRename(QWidget* owner, const std::string& baseFolder,
                                       const std::string& oldName, const std::string& title)
    : TFormXelBase(owner), baseFolder_(IncludeTrailingBackslash(baseFolder)), oldName_(oldName) {
  TFormBuilder b(this, "FormProjectRename", QString::fromLatin1(SProjectRenameCaption), 281, 137);
  b.Row([&] {
    b.Column([&] {
      AddNameFields(b, OverEdit1, OverEdit2);
      b.Stretch();
    });
    AddButtonColumn(b, ButtonOk, ButtonCancel);
  });
  OverEdit1->setText(PathText(oldName));
  OverEdit2->setText(ToQString(title));
}

void TFormProjectRename::ButtonOkClick() {
  const std::string name = TextPath(OverEdit1->text());
  if (!IsValidFolderName(name)) {
    ShowErrorBox(QString::fromLatin1(SBadFolderNameChar), this);
    return;
  }
  if (name != oldName_ && !RenameFolderNoReplace(baseFolder_ + oldName_, baseFolder_ + name)) {
    ShowErrorBox(QString::fromLatin1(SCannotRenameProjectFolder), this);
    return;
  }
  FolderName = name;
  WriteGameTitle(baseFolder_ + name, FromQString(OverEdit2->text()));
  done(mrOk);
}

// ---- TFormProjectBasePath ----

TFormProjectBasePath::TFormProjectBasePath(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormProjectBasePath", QString::fromLatin1(SProjectBasePathCaption), 385,
                 305);
  FolderView1 = b.Add<TFolderView>("FolderView1");
  Edit1 = b.Add<QLineEdit>("Edit1");
  Edit1->setMaxLength(MaxPathLength);
  b.Row([&] {
    b.Stretch();
    ButtonOk = b.OkButton();
    ButtonCancel = b.CancelButton();
  });
  connect(FolderView1, &QTreeWidget::currentItemChanged, this, [this] { FolderView1Change(); });
  connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
  Edit1Change();
}

void TFormProjectBasePath::FormShow() {
  TBusyCursor busy;
  Edit1->setText(PathText(Path));
  FolderView1->SetSelectedPath(PathText(Path));
}

void TFormProjectBasePath::FolderView1Change() {
  const QString path = FolderView1->GetSelectedPath();
  if (!path.isEmpty()) Edit1->setText(path);
}

void TFormProjectBasePath::Edit1Change() {
  const std::string text = TextPath(Edit1->text());
  ButtonOk->setEnabled(!text.empty() && text[0] == '/' && FolderExists(text));
}

void TFormProjectBasePath::ButtonOkClick() {
  const std::string path = IncludeTrailingBackslash(
      TextPath(QDir::cleanPath(QFileInfo(Edit1->text()).absoluteFilePath())));
  if (IsFloppyDrive(path) || IsOnOpticalDisc(path)) {
    ShowErrorBox(QString::fromLatin1(SCannotSetUpPath), this);
    return;
  }
  if (!IsDriveReady(path)) {
    ShowErrorBox(QString::fromLatin1(SDeviceNotReady), this);
    return;
  }
  if (!FolderExists(path)) {
    if (ShowYesNoBox(QString::fromLatin1(SCreateFolderQuery), this) == IDNO) return;
    {
      TBusyCursor busy;
      try {
        ForceDirectories(path);
      } catch (const std::exception&) {
        // Reported below as the folder that could not be made.
      }
    }
    if (!FolderExists(path)) {
      ShowErrorBox(QString::fromLatin1(SCannotMakeFolder), this);
      return;
    }
  }
  Path = path;
  done(mrOk);
}

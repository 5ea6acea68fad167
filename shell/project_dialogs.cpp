#include "shell/project_dialogs.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include "core/busy_cursor.h"
#include "core/errors.h"
#include "core/file_utils.h"
#include "core/settings.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/folder_view.h"
#include "framework/controls/message_box.h"
#include "framework/controls/qt_text.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "shell/common/shell_pictures.h"
#include "shell/game_disk.h"
#include "shell/project_manager.h"
#include "shell/shell_messages.h"

namespace {

constexpr int MaxNameLength = 40;
constexpr int MaxPathLength = 250;

// Folder names and paths are UTF-8 on disk; game titles are code-page text.
QString PathText(const std::string& path) {
  return QString::fromStdString(path);
}

std::string TextPath(const QString& text) {
  return text.toStdString();
}

QString Text(const char* text) {
  return QString::fromLatin1(text);
}

// The two name fields of the new-project and rename dialogs, with their labels.
void AddNameFields(TFormBuilder& b, QString* folder, std::string* title) {
  b.Label("Label1", Text(SFolderNameLabel));
  b.Edit("OverEdit1", folder, MaxNameLength);
  b.Label("Label2", Text(SGameTitleLabel));
  b.Edit("OverEdit2", title, MaxNameLength);
}

} // namespace

bool ChooseProjectBasePath(QWidget* owner, QString& path) {
  TFormProjectBasePath dialog(owner);
  dialog.Path = TextPath(path);
  if (!dialog.Execute()) return false;
  ProjectBaseOption.Set(dialog.Path);
  path = PathText(dialog.Path);
  return true;
}

// ---- TFormProjectNew ----

TFormProjectNew::TFormProjectNew(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormProjectNew", Text(SProjectNewCaption), 385, 145);
  b.Row([&] {
    b.Column([&] {
      AddNameFields(b, &folder_, &title_);
      b.Group("GroupBox1", Text(SProjectBasePathCaption), [&] {
        On(b.ValueBox("DashBox1", &base_), &TDashBox::Clicked, &TFormProjectNew::DashBox1Click);
      });
    });
    b.ButtonColumn(false);
  });
}

void TFormProjectNew::FormShow() {
  const std::string base = ProjectBaseFolder();
  base_ = PathText(base);
  folder_ = PathText(ProposeProjectFolderName(base));
  title_ = DefaultGameTitle;
  UpdateControls();
}

void TFormProjectNew::DashBox1Click() {
  // The proposed folder name stays as it is.
  if (ChooseProjectBasePath(this, base_)) UpdateControls();
}

void TFormProjectNew::ButtonOkClick() {
  const std::string base = ProjectBaseFolder();
  MakeProjectFolder(base, TextPath(folder_));
  ProjectBaseOption.Set(base);
  FolderName = TextPath(folder_);
  Title = title_;
  done(mrOk);
}

VELMORA_REGISTER_FORM(TFormProjectNew, TFormGroup::Dialog, 0);

// ---- TFormProjectOpen ----

TFormProjectOpen::TFormProjectOpen(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormProjectOpen", Text(SProjectOpenCaption), 385, 245);
  b.Group("GroupBox1", Text(SProjectBasePathCaption), [&] {
    On(b.ValueBox("DashBox1", &base_), &TDashBox::Clicked, &TFormProjectOpen::DashBox1Click);
  });
  b.Row([&] {
    ListView1 = b.Add<QTreeWidget>("ListView1");
    b.Column([&] {
      b.OkButton()->setText(QStringLiteral("&Open"));
      On(b.Button("ButtonRename", QStringLiteral("&Rename...")), &QPushButton::clicked,
         &TFormProjectOpen::ButtonRenameClick);
      On(b.Button("ButtonDelete", QStringLiteral("&Delete...")), &QPushButton::clicked,
         &TFormProjectOpen::ButtonDeleteClick);
      b.Stretch();
      b.CancelButton();
    });
  });

  ListView1->setColumnCount(2);
  ListView1->setHeaderLabels({Text(SFolderNameLabel), Text(SGameTitleLabel)});
  ListView1->setRootIsDecorated(false);
  ListView1->setItemsExpandable(false);
  ListView1->setUniformRowHeights(true);
  ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView1->header()->setStretchLastSection(false);
  ListView1->setColumnWidth(0, 88);
  ListView1->setIconSize(QSize(16, 16));
  ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The title column follows the list's own size, which settles after the form's.
  ListView1->viewport()->installEventFilter(this);
  On(ListView1, &QTreeWidget::itemDoubleClicked, &TFormProjectOpen::ButtonOkClick);

  GuardHandler(this, [this] {
    base_ = PathText(ProjectBaseFolder());
    UpdateControls();
    FillList();
  });
}

void TFormProjectOpen::FillList() {
  ListView1->clear();
  const QIcon icon(FolderIconPixmap());
  for (const TProjectListing& project : ListProjects(ProjectBaseFolder())) {
    auto* item =
        new QTreeWidgetItem(ListView1, {PathText(project.FolderName), ToQString(project.Title)});
    item->setIcon(0, icon);
  }
  if (ListView1->topLevelItemCount() > 0) SelectItem(ListView1->topLevelItem(0));
  // Folder names read whole, icon and all.
  ListView1->resizeColumnToContents(0);
  ListView1->setColumnWidth(0, std::max(ListView1->columnWidth(0), 88));
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

bool TFormProjectOpen::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListView1->viewport() && event->type() == QEvent::Resize) FitTitleColumn();
  return TFormXelBase::eventFilter(watched, event);
}

void TFormProjectOpen::DashBox1Click() {
  if (!ChooseProjectBasePath(this, base_)) return;
  UpdateControls();
  FillList();
}

void TFormProjectOpen::ButtonOkClick() {
  QTreeWidgetItem* item = ListView1->currentItem();
  if (!item || !item->isSelected()) return;
  ProjectBaseOption.Set(ProjectBaseFolder());
  ChosenFolder = TextPath(item->text(0));
  done(mrOk);
}

void TFormProjectOpen::ButtonRenameClick() {
  QTreeWidgetItem* item = ListView1->currentItem();
  if (!item || !item->isSelected()) return;
  TFormProjectRename dialog(this);
  dialog.BaseFolder = ProjectBaseFolder();
  dialog.OldName = TextPath(item->text(0));
  dialog.Title = FromQString(item->text(1));
  if (!dialog.Execute()) return;
  FillList();
  SelectItem(FindItem(PathText(dialog.FolderName)));
}

void TFormProjectOpen::ButtonDeleteClick() {
  QTreeWidgetItem* item = ListView1->currentItem();
  if (!item || !item->isSelected()) return;
  const QString name = item->text(0);
  if (ShowMessageBox(Text(SDeleteProjectQuery).arg(name), MB_YESNO | MB_ICONEXCLAMATION, this) !=
      IDYES)
    return;
  bool deleted;
  {
    TBusyCursor busy;
    deleted = DeleteProject(ProjectBaseFolder(), TextPath(name));
    FillList();
  }
  if (!deleted) throw Exception(SCannotDeleteProjectFolder);
}

VELMORA_REGISTER_FORM(TFormProjectOpen, TFormGroup::Dialog, 0);

// ---- TFormProjectRename ----

TFormProjectRename::TFormProjectRename(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormProjectRename", Text(SProjectRenameCaption), 281, 137);
  b.Row([&] {
    b.Column([&] {
      AddNameFields(b, &folder_, &title_);
      b.Stretch();
    });
    b.ButtonColumn(false);
  });
}

void TFormProjectRename::FormShow() {
  folder_ = PathText(OldName);
  title_ = Title;
  UpdateControls();
}

void TFormProjectRename::ButtonOkClick() {
  const std::string name = TextPath(folder_);
  RenameProject(BaseFolder, OldName, name, title_);
  FolderName = name;
  done(mrOk);
}

VELMORA_REGISTER_FORM(TFormProjectRename, TFormGroup::Dialog, 0);

// ---- TFormProjectBasePath ----

TFormProjectBasePath::TFormProjectBasePath(QWidget* owner)
    : TFormProjectBasePath(owner, "FormProjectBasePath", SProjectBasePathCaption) {}

TFormProjectBasePath::TFormProjectBasePath(QWidget* owner, const char* name, const char* caption)
    : TFormXelBase(owner) {
  TFormBuilder b(this, name, Text(caption), 385, 305);
  FolderView1 = b.Add<TFolderView>("FolderView1");
  b.Edit("Edit1", &path_, MaxPathLength);
  QPushButton* ok = nullptr;
  b.Row([&] {
    b.Stretch();
    ok = b.OkButton();
    b.CancelButton();
  });
  On(FolderView1, &QTreeWidget::currentItemChanged, &TFormProjectBasePath::FolderView1Change);
  EnableWhen({ok}, [this] { return PathAllowed(TextPath(path_)); });
}

bool TFormProjectBasePath::PathAllowed(const std::string& path) const {
  return !path.empty() && path[0] == '/' && FolderExists(path);
}

bool TFormProjectBasePath::CheckPath(const std::string& path) {
  CheckProjectBasePath(path);
  return false;
}

void TFormProjectBasePath::FormShow() {
  TBusyCursor busy;
  path_ = PathText(Path);
  UpdateControls();
  FolderView1->SetSelectedPath(path_);
}

void TFormProjectBasePath::FolderView1Change() {
  const QString path = FolderView1->GetSelectedPath();
  if (path.isEmpty()) return;
  path_ = path;
  UpdateControls();
}

void TFormProjectBasePath::ButtonOkClick() {
  const std::string path =
      IncludeTrailingBackslash(TextPath(QDir::cleanPath(QFileInfo(path_).absoluteFilePath())));
  if (!CheckPath(path) && !FolderExists(path)) {
    if (ShowYesNoBox(Text(SCreateFolderQuery), this) == IDNO) return;
    TBusyCursor busy;
    MakeProjectBaseFolder(path);
  }
  Path = path;
  done(mrOk);
}

VELMORA_REGISTER_FORM(TFormProjectBasePath, TFormGroup::Dialog, 0);

// ---- TFormProjectDiskPath ----

TFormProjectDiskPath::TFormProjectDiskPath(QWidget* owner)
    : TFormProjectBasePath(owner, "FormProjectDiskPath", SProjectDiskPathCaption) {}

bool TFormProjectDiskPath::PathAllowed(const std::string& path) const {
  // The folder need not exist yet: OK offers to make it.
  return !path.empty() && path[0] == '/';
}

bool TFormProjectDiskPath::CheckPath(const std::string& path) {
  TSystemDrive drive;
  return CheckGameDiskPath(path, drive, Mounts());
}

VELMORA_REGISTER_FORM(TFormProjectDiskPath, TFormGroup::Dialog, 0);

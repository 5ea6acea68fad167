#include "framework/controls/folder_view.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>
#include <sstream>

#include "core/busy_cursor.h"
#include "core/file_utils.h"

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int FilledRole = Qt::UserRole + 1;

bool OneOf(const std::string& value, std::initializer_list<const char*> names) {
  return std::any_of(names.begin(), names.end(), [&](const char* n) { return value == n; });
}

bool StartsWith(const std::string& value, const char* prefix) {
  return value.rfind(prefix, 0) == 0;
}

// Undoes the octal escapes (\040 for a blank and so on) of the mount table.
std::string Unescape(const std::string& field) {
  std::string out;
  for (size_t k = 0; k < field.size(); ++k) {
    if (field[k] == '\\' && k + 3 < field.size() && IsDigitChar(field[k + 1]) &&
        IsDigitChar(field[k + 2]) && IsDigitChar(field[k + 3])) {
      out += static_cast<char>((field[k + 1] - '0') * 64 + (field[k + 2] - '0') * 8 +
                               (field[k + 3] - '0'));
      k += 3;
    } else {
      out += field[k];
    }
  }
  return out;
}

QString ChildPath(const QString& folder, const QString& name) {
  return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool HasSubFolders(const QString& path) {
  QDirIterator it(path, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
  return it.hasNext();
}

} // namespace

TDisplayDrive ClassifyMount(const std::string& device, const std::string& path,
                            const std::string& fsType) {
  if (OneOf(fsType, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "9p", "ceph",
                     "glusterfs", "davfs", "fuse.sshfs", "fuse.davfs2", "fuse.rclone"}))
    return ddRemote;
  if (OneOf(fsType, {"iso9660", "udf"})) return ddCDRom;
  if (OneOf(fsType, {"tmpfs", "ramfs"})) return ddRamDisk;
  if (StartsWith(device, "/dev/fd") || StartsWith(path, "/media/") ||
      StartsWith(path, "/run/media/"))
    return ddRemovable;
  if (StartsWith(device, "/dev/")) return ddFixed;
  return ddUnknown;
}

TMountTable ParseMountTable(const std::string& text) {
  TMountTable table;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string device, path, fsType;
    if (!(fields >> device >> path >> fsType)) continue;
    device = Unescape(device);
    path = Unescape(path);
    table.push_back({path, ClassifyMount(device, path, fsType)});
  }
  return table;
}

TMountTable ReadMountTable() {
  std::string text;
  try {
    if (!ReadFileBytes("/proc/self/mounts", text, 16u << 20)) return {};
  } catch (const std::exception&) {
    return {};
  }
  return ParseMountTable(text);
}

TFolderView::TFolderView(QWidget* parent, TMountTableSource mounts)
    : QTreeWidget(parent), mountSource_(std::move(mounts)) {
  resize(121, 97);
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(true);
  setSortingEnabled(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QTreeWidget::itemExpanded, this, &TFolderView::AddChildren);
  Build();
}

void TFolderView::SetDisplayDrives(TDisplayDrives value) {
  if (value == displayDrives_) return;
  displayDrives_ = value;
  Build();
}

bool TFolderView::Excluded(const QString& path) const {
  const std::string bytes = path.toStdString();
  for (const TMountPoint& mount : mounts_)
    if (mount.Path == bytes) return !(displayDrives_ & DriveBit(mount.Kind));
  return false;
}

QTreeWidgetItem* TFolderView::AddFolderNode(QTreeWidgetItem* parent, const QString& path,
                                            const QString& text) {
  auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  node->setText(0, text);
  node->setData(0, PathRole, path);
  node->setData(0, FilledRole, false);
  static const QFileIconProvider icons;
  node->setIcon(0, path == QLatin1String("/") ? icons.icon(QFileIconProvider::Computer)
                                              : icons.icon(QFileIconProvider::Folder));
  node->setChildIndicatorPolicy(HasSubFolders(path)
                                    ? QTreeWidgetItem::ShowIndicator
                                    : QTreeWidgetItem::DontShowIndicatorWhenChildless);
  return node;
}

void TFolderView::Build() {
  TBusyCursor busy;
  mounts_ = mountSource_ ? mountSource_() : TMountTable();
  clear();
  const QString home = QDir::cleanPath(QString::fromStdString(GetHomeFolder()));
  if (!home.isEmpty() && home != QLatin1String("/") && QFileInfo(home).isDir())
    AddFolderNode(nullptr, home, QFileInfo(home).fileName());
  AddFolderNode(nullptr, QStringLiteral("/"), QStringLiteral("/"));
  if (QTreeWidgetItem* first = topLevelItem(0)) {
    setCurrentItem(first);
    expandItem(first);
  }
}

void TFolderView::AddChildren(QTreeWidgetItem* node) {
  if (!node || node->data(0, FilledRole).toBool()) return;
  node->setData(0, FilledRole, true);
  TBusyCursor busy;
  const QString path = node->data(0, PathRole).toString();
  QStringList names =
      QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
  // Folders in the order a file manager shows them: by name, ignoring case.
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  collator.setNumericMode(true);
  std::stable_sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
    const int c = collator.compare(a, b);
    return c != 0 ? c < 0 : a < b;
  });
  for (const QString& name : names) {
    const QString child = ChildPath(path, name);
    if (Excluded(child)) continue;
    AddFolderNode(node, child, name);
  }
  if (node->childCount() == 0)
    node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QString TFolderView::GetSelectedPath() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? QString() : selected.first()->data(0, PathRole).toString();
}

void TFolderView::SetSelectedPath(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.exists()) return;
  const QString target = QDir::cleanPath(info.absoluteFilePath());
  // The top node that holds the path most closely.
  QTreeWidgetItem* node = nullptr;
  QString nodePath;
  for (int k = 0; k < topLevelItemCount(); ++k) {
    QTreeWidgetItem* top = topLevelItem(k);
    const QString topPath = top->data(0, PathRole).toString();
    const bool holds = target == topPath || topPath == QLatin1String("/") ||
                       target.startsWith(topPath + QLatin1Char('/'));
    if (holds && topPath.size() > nodePath.size()) {
      node = top;
      nodePath = topPath;
    }
  }
  if (!node) return;
  const QString rest = target.mid(nodePath.size());
  for (const QString& name : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    AddChildren(node);
    QTreeWidgetItem* found = nullptr;
    for (int k = 0; k < node->childCount() && !found; ++k)
      if (node->child(k)->text(0) == name) found = node->child(k);
    if (!found) return;
    expandItem(node);
    node = found;
  }
  setCurrentItem(node);
  scrollToItem(node);
}

void TFolderView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit MouseDown(event);
    return;
  }
  QTreeWidget::mousePressEvent(event);
}

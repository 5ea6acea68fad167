// A tree of the file system's folders for choosing a folder: the home folder and the
// root as top nodes, sub-folders (hidden ones too) added when a node is first expanded,
// and mounted volumes shown only when their kind is among DisplayDrives.
#pragma once

#include <QString>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

enum TDisplayDrive { ddRemovable, ddFixed, ddRemote, ddCDRom, ddRamDisk, ddUnknown };
using TDisplayDrives = unsigned;
inline constexpr TDisplayDrives DriveBit(TDisplayDrive drive) {
  return 1u << drive;
}
inline constexpr TDisplayDrives DefaultDisplayDrives = DriveBit(ddRemovable) | DriveBit(ddFixed) |
                                                       DriveBit(ddRemote) | DriveBit(ddCDRom) |
                                                       DriveBit(ddRamDisk);

struct TMountPoint {
  std::string Path;
  TDisplayDrive Kind;
};
using TMountTable = std::vector<TMountPoint>;
using TMountTableSource = std::function<TMountTable()>;

// The kind of a mounted volume from its device, mount point and file-system type.
TDisplayDrive ClassifyMount(const std::string& device, const std::string& path,
                            const std::string& fsType);
// The table in the form of /proc/self/mounts (octal escapes in names undone).
TMountTable ParseMountTable(const std::string& text);
// The system's current mounts.
TMountTable ReadMountTable();

class TFolderView : public QTreeWidget {
  Q_OBJECT
public:
  explicit TFolderView(QWidget* parent = nullptr, TMountTableSource mounts = &ReadMountTable);

  TDisplayDrives DisplayDrives() const { return displayDrives_; }
  // Rebuilds the tree when the set changes.
  void SetDisplayDrives(TDisplayDrives value);

  // The folder of the selected node; empty when nothing is selected.
  QString GetSelectedPath() const;
  // Selects the node of an existing folder, adding and expanding the nodes on the way;
  // a path that does not exist or cannot be reached leaves the selection as it was.
  void SetSelectedPath(const QString& path);

  // Clears the tree and adds the top nodes; the first is selected and expanded.
  void Build();

signals:
  // A right button press, which does nothing else here.
  void MouseDown(QMouseEvent* event);

protected:
  void mousePressEvent(QMouseEvent* event) override;

private:
  QTreeWidgetItem* AddFolderNode(QTreeWidgetItem* parent, const QString& path, const QString& text);
  // Adds the sub-folders of a node the first time it is needed.
  void AddChildren(QTreeWidgetItem* node);
  bool Excluded(const QString& path) const;

  TMountTableSource mountSource_;
  TMountTable mounts_;
  TDisplayDrives displayDrives_ = DefaultDisplayDrives;
};

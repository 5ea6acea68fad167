#include "framework/controls/folder_view.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "framework/controls/mobile_hint.h"
#include "framework/controls/smart_tree_view.h"
#include "framework/harness/widget_harness.h"

TEST(MountTable, KindsComeFromDeviceTypeAndPlace) {
  const TMountTable table = ParseMountTable("/dev/sda1 / ext4 rw 0 0\n"
                                            "proc /proc proc rw 0 0\n"
                                            "tmpfs /dev/shm tmpfs rw 0 0\n"
                                            "server:/export /mnt/net\\040share nfs4 rw 0 0\n"
                                            "/dev/fd0 /mnt/floppy vfat rw 0 0\n"
                                            "/dev/sdb1 /media/stick vfat rw 0 0\n"
                                            "/dev/sr0 /mnt/cd iso9660 ro 0 0\n"
                                            "broken-line\n");
  ASSERT_EQ(table.size(), 7u);
  const std::pair<const char*, TDisplayDrive> expected[] = {{"/", ddFixed},
                                                            {"/proc", ddUnknown},
                                                            {"/dev/shm", ddRamDisk},
                                                            {"/mnt/net share", ddRemote},
                                                            {"/mnt/floppy", ddRemovable},
                                                            {"/media/stick", ddRemovable},
                                                            {"/mnt/cd", ddCDRom}};
  for (size_t k = 0; k < table.size(); ++k) {
    EXPECT_EQ(table[k].Path, expected[k].first);
    EXPECT_EQ(table[k].Kind, expected[k].second) << table[k].Path;
  }
}

namespace {

class FolderViewTree : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(temp.isValid());
    root = QDir(temp.path()).canonicalPath();
    for (const char* folder : {"b/deep", "a", ".hidden", "Floppy", "C"})
      QDir(root).mkpath(folder);
    QFile file(root + "/plain.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  // The temporary "Floppy" folder stands for a mounted floppy disk.
  TMountTableSource Mounts() {
    const std::string floppy = (root + "/Floppy").toStdString();
    return [floppy] { return TMountTable{{floppy, ddRemovable}}; };
  }
  QStringList ChildrenOf(TFolderView& view, const QString& path) {
    view.SetSelectedPath(path);
    QStringList names;
    QTreeWidgetItem* node = view.currentItem();
    view.expandItem(node);
    for (int k = 0; k < node->childCount(); ++k)
      names << node->child(k)->text(0);
    return names;
  }

  QTemporaryDir temp;
  QString root;
};

} // namespace

TEST_F(FolderViewTree, SelectingAPathWalksDownToItsNode) {
  TFolderView view(nullptr, Mounts());
  ASSERT_GE(view.topLevelItemCount(), 1);
  EXPECT_EQ(view.currentItem(), view.topLevelItem(0));
  EXPECT_TRUE(view.topLevelItem(0)->isExpanded());
  view.SetSelectedPath(root + "/b/deep");
  EXPECT_EQ(view.GetSelectedPath(), root + "/b/deep");
  EXPECT_EQ(view.currentItem()->text(0), "deep");
  EXPECT_TRUE(view.currentItem()->parent()->isExpanded());
  // Paths that do not exist or are no folder of the tree change nothing.
  view.SetSelectedPath(root + "/missing");
  view.SetSelectedPath(root + "/plain.txt");
  view.SetSelectedPath("");
  EXPECT_EQ(view.GetSelectedPath(), root + "/b/deep");
  view.clearSelection();
  EXPECT_EQ(view.GetSelectedPath(), "");
}

TEST_F(FolderViewTree, FoldersAreSortedWithHiddenOnesAndVolumesOnlyOfTheChosenKinds) {
  TFolderView view(nullptr, Mounts());
  EXPECT_EQ(ChildrenOf(view, root), QStringList({".hidden", "a", "b", "C", "Floppy"}));
  view.SetSelectedPath(root + "/b");
  EXPECT_EQ(view.currentItem()->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);

  view.SetDisplayDrives(DefaultDisplayDrives & ~DriveBit(ddRemovable));
  // The rebuilt tree starts at the first top node again.
  EXPECT_EQ(view.currentItem(), view.topLevelItem(0));
  EXPECT_EQ(ChildrenOf(view, root), QStringList({".hidden", "a", "b", "C"}));
  view.SetSelectedPath(root + "/Floppy");
  EXPECT_EQ(view.GetSelectedPath(), root);
}

TEST(SmartTreeView, ARightClickSelectsTheNodeAndOpensTheMenuForIt) {
  TSmartTreeView tree;
  tree.RightClickSelect = true;
  auto* first = new QTreeWidgetItem(&tree, {"MAP0001"});
  auto* second = new QTreeWidgetItem(&tree, {"MAP0002"});
  QMenu menu;
  menu.addAction("Edit");
  tree.SetPopupMenu(&menu);
  ShowAndActivate(&tree);
  tree.setCurrentItem(first);
  QSignalSpy popup(&tree, &TSmartTreeView::PopupSelect);
  qRegisterMetaType<QMouseEvent*>();
  QSignalSpy up(&tree, &TSmartTreeView::MouseUp);
  const QPoint where = tree.visualItemRect(second).center();
  QTest::mousePress(tree.viewport(), Qt::RightButton, {}, where);
  EXPECT_EQ(tree.currentItem(), second);
  QTest::mouseRelease(tree.viewport(), Qt::RightButton, {}, where);
  EXPECT_EQ(up.count(), 1);
  tree.setCurrentItem(first);
  QContextMenuEvent event(QContextMenuEvent::Mouse, where, tree.viewport()->mapToGlobal(where));
  QApplication::sendEvent(tree.viewport(), &event);
  ASSERT_EQ(popup.count(), 1);
  EXPECT_EQ(popup.at(0).at(0).value<QTreeWidgetItem*>(), second);
  EXPECT_EQ(tree.currentItem(), second);
  EXPECT_TRUE(menu.isVisible());
  menu.close();
}

TEST(MobileHint, VisibleCursorHeightCountsDownToTheLastShownRow) {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 0; y < 20; ++y)
    image.setPixel(3, y, qRgba(0, 0, 0, 255));
  EXPECT_EQ(VisibleCursorHeight(image, 0), 20);
  EXPECT_EQ(VisibleCursorHeight(image, 5), 15);
  image.fill(Qt::transparent);
  EXPECT_EQ(VisibleCursorHeight(image, 5), 0);
}

TEST(MobileHint, TheHintStandsJustBelowTheCursorAndHides) {
  QPixmap shape(32, 32);
  shape.fill(Qt::transparent);
  {
    QImage rows = shape.toImage();
    for (int y = 0; y < 12; ++y)
      rows.setPixel(0, y, qRgba(0, 0, 0, 255));
    shape = QPixmap::fromImage(rows);
  }
  QApplication::setOverrideCursor(QCursor(shape, 0, 2));
  TMobileHint hint;
  hint.ShowAt(QPoint(100, 120), "12, 7");
  QLabel* window = hint.HintWindow();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->text(), "12, 7");
  EXPECT_EQ(window->pos(), QPoint(100, 130));
  hint.ShowAt(QPoint(140, 60), "13, 7");
  EXPECT_EQ(window->pos(), QPoint(140, 70));
  hint.Hide();
  EXPECT_FALSE(window->isVisible());
  QApplication::restoreOverrideCursor();
}

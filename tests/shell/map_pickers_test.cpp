// The place and area pickers on a project laid out by the test, driven by the mouse on
// the map view.
#include "shell/map/map_pickers.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidgetItemIterator>

#include "core/editor_mode.h"
#include "core/map.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/image_buttons.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/smart_tree_view.h"
#include "framework/harness/widget_harness.h"
#include "shell/map/map_dialogs.h"
#include "shell_test_env.h"

namespace {

class MapPickers : public ShellTestEnv {
protected:
  void SetUp() override {
    ShellTestEnv::SetUp();
    Mkdir("game");
    ProjectPath = Path("game/");
    tree.AddMap(0, 0)->Name = "Quest";
    AddMap(1, "Field", 30, 30);
    AddMap(2, "Town", 20, 15);
    TXelMapTreeItem* area = tree.AddMap(2, 3);
    area->Name = "Market";
    area->Kind = mkArea;
    tree.ActiveId = 3;
  }
  void AddMap(int32_t id, const char* name, int width, int height) {
    TXelMapTreeItem* item = tree.AddMap(0, id);
    item->Name = name;
    item->Kind = mkMap;
    TXelMap file;
    file.SetWidth(width);
    file.SetHeight(height);
    file.SaveProjectMap(id);
  }
  // A mouse event straight to the view's paint box, wherever the point is.
  static void Mouse(QWidget* form, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    auto* box = FindControl<TOpaquePaintBox>(form, "PaintBox");
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, box->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &event);
  }
  static QString LabelText(QWidget* form) { return FindControl<QLabel>(form, "Label1")->text(); }
  static bool OkEnabled(QWidget* form) {
    return FindControl<QWidget>(form, "ButtonOk")->isEnabled();
  }

  TApplicationTagScope editorMode{EditorModeTag};
  TXelMapTree tree;
};

TEST_F(MapPickers, SetPlaceChoosesAMapAndACell) {
  TFormMapSetPlace form;
  form.MapTree = &tree;
  ShowAndActivate(&form);
  for (const char* name : {"MenuButton1", "MenuButton2", "MenuButton3"}) {
    auto* scale = FindControl<TMenuButton>(&form, name);
    EXPECT_EQ(scale->Images()->Image(scale->ImageIndex()).size(), QSize(16, 16)) << name;
  }
  // An area with no map asked for shows its map.
  EXPECT_EQ(form.MapId, 2);
  EXPECT_EQ(LabelText(&form), "0002:Town");
  EXPECT_FALSE(OkEnabled(&form));
  Mouse(&form, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5 * 16 + 8, 7 * 16 + 3));
  EXPECT_EQ(LabelText(&form), "0002:Town (005,007)");
  EXPECT_TRUE(OkEnabled(&form));
  FindControl<QPushButton>(&form, "ButtonOk")->click();
  EXPECT_EQ(form.result(), mrOk);
  EXPECT_EQ(std::make_tuple(form.MapId, form.X, form.Y), std::make_tuple(2, 5, 7));
  EXPECT_EQ(tree.ActiveId, 3);
}

TEST_F(MapPickers, SetPlaceShowsTheMapBeingEditedNotTheSavedFile) {
  TXelMap edited; // a tile drawn and an event pasted, nothing saved
  edited.LoadProjectMap(2);
  edited.LowerLayer.SetCell(5, 5, 4321);
  TXelEventItem* event = edited.Events.GetOrCreate(7);
  event->X = 6;
  event->Y = 2;
  for (const TXelMap* held : std::initializer_list<const TXelMap*>{nullptr, &edited}) {
    TFormMapSetPlace form;
    form.MapTree = &tree;
    form.HeldMap = held;
    ShowAndActivate(&form);
    auto* setter = FindControl<TFormMapPosSetter>(&form, "FormMapPosSetter");
    EXPECT_EQ(setter->Map()->LowerLayer.GetCell(5, 5) == 4321, held != nullptr);
    EXPECT_EQ(setter->EventMap().Get(6, 2), held ? 7 : 0);
  }
}

TEST_F(MapPickers, AnotherMapClearsThePositionAndOkFollowsRequirePosition) {
  for (uint8_t require : {0, 1}) {
    TFormMapSetPlace form;
    form.MapTree = &tree;
    form.MapId = 2;
    form.X = 4;
    form.Y = 3;
    form.RequirePosition = require;
    ShowAndActivate(&form);
    EXPECT_EQ(LabelText(&form), "0002:Town (004,003)");
    auto* view = FindControl<TSmartTreeView>(&form, "TreeView1");
    for (QTreeWidgetItemIterator it(view); *it; ++it)
      if ((*it)->data(0, Qt::UserRole).toInt() == 1) view->setCurrentItem(*it);
    EXPECT_EQ(LabelText(&form), "0001:Field");
    EXPECT_EQ(OkEnabled(&form), require == 0) << int(require);
    EXPECT_EQ(tree.ActiveId, 1);
    FindControl<QPushButton>(&form, "ButtonCancel")->click();
    EXPECT_EQ(tree.ActiveId, 3);
    EXPECT_EQ(tree.Order().size(), 4u); // the tree kept every entry
  }
}

TEST_F(MapPickers, AreaMakerDragsFromCornerToCornerWithinTheMap) {
  TXelMap map;
  map.LoadProjectMap(2);
  TFormMapSetArea form;
  form.MapTree = &tree;
  form.Map = &map;
  ShowAndActivate(&form);
  EXPECT_EQ(LabelText(&form), "");
  EXPECT_FALSE(OkEnabled(&form));

  // A click without moving makes no area.
  Mouse(&form, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(37, 30));
  Mouse(&form, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(37, 30));
  EXPECT_EQ(LabelText(&form), "");

  // From the corner (2, 2) past the map's far edge.
  Mouse(&form, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(37, 30));
  Mouse(&form, QEvent::MouseMove, Qt::LeftButton, QPoint(5000, 4000));
  Mouse(&form, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5000, 4000));
  EXPECT_EQ(LabelText(&form), "(002,002) - (019,014)");
  EXPECT_TRUE(OkEnabled(&form));

  // A right click during a drag cancels it.
  Mouse(&form, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(0, 0));
  Mouse(&form, QEvent::MouseMove, Qt::LeftButton, QPoint(70, 70));
  EXPECT_EQ(LabelText(&form), "(000,000) - (003,003)");
  Mouse(&form, QEvent::MouseButtonPress, Qt::RightButton, QPoint(70, 70));
  EXPECT_EQ(LabelText(&form), "");
  EXPECT_FALSE(OkEnabled(&form));
}

TEST_F(MapPickers, AnAreaHeldStillPastTheEdgeGrowsWithEachScrollTick) {
  AddMap(4, "Wide", 100, 10);
  TXelMap map;
  map.LoadProjectMap(4);
  TFormMapSetArea form;
  form.MapTree = &tree;
  form.Map = &map;
  ShowAndActivate(&form);
  auto* maker = form.findChild<TFormAreaMaker*>();
  ASSERT_NE(maker, nullptr);
  Mouse(&form, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(37, 30));
  // 16 pixels past the right edge: 32 pixels a tick, two columns at 1/2.
  const QPoint past(FindControl<QWidget>(&form, "PaintBox")->width() + 16, 40);
  const int right = maker->CornerAt(past).X;
  for (int tick = 1; tick <= 3; ++tick) {
    maker->AutoScrollFrom(past);
    EXPECT_EQ(maker->AreaRect().Right, right + 2 * tick) << tick;
  }
}

TEST_F(MapPickers, AreaDialogTakesThePickedAreaAndKeepsTheView) {
  TXelMap map;
  map.LoadProjectMap(2);
  TXelMapTreeItem* area = tree.FindById(3);
  area->ViewX = 123;
  area->ViewY = 45;
  TFormEDArea form;
  form.MapTree = &tree;
  form.Map = &map;
  ShowAndActivate(&form);
  OnNextModal<TFormMapSetArea>([](TFormMapSetArea* picker) {
    Mouse(picker, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(16, 16));
    Mouse(picker, QEvent::MouseMove, Qt::LeftButton, QPoint(64, 48));
    Mouse(picker, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(64, 48));
    FindControl<QPushButton>(picker, "ButtonOk")->click();
  });
  FindControl<TDashBox>(&form, "DashBox1")->ButtonClick();
  EXPECT_EQ(FindControl<QLabel>(&form, "Label2")->text(), "(001,001) - (003,002)");
  EXPECT_EQ(std::make_pair(area->ViewX, area->ViewY), std::make_pair(123, 45));
}

} // namespace

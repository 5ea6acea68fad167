// The map editor's canvas driven by QTest at cell coordinates, read back from the layers:
// strokes, picks, the double click, the block and the clipboard, the keys, and the event
// mode's drags and menu.
#include <QApplication>
#include <QBackingStore>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "framework/controls/scroll_frame.h"
#include "framework/harness/widget_harness.h"
#include "shell/map/event_map.h"
#include "shell/map/map_editor.h"
#include "shell/map/map_event_operations.h"
#include "shell/map/map_view_painter.h"
#include "shell/map_view_scene.h"

namespace {

constexpr int kPlain = 5000;
constexpr int kPaint = 5100;

// Records the operations the event menu reaches.
struct TRecordedOperations : TMapEventOperations {
  explicit TRecordedOperations(std::vector<std::string>* log) : log_(log) {}
  void SetMap(TXelMapTree*, TXelMap*) override {}
  std::string NameAt(int, int) override { return {}; }
  void Note(const char* what, int x, int y) {
    log_->push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void EditAt(int x, int y, int graphic) override {
    Note("edit", x, y);
    log_->push_back("graphic " + std::to_string(graphic));
  }
  void CutAt(int x, int y) override { Note("cut", x, y); }
  void CopyAt(int x, int y) override { Note("copy", x, y); }
  void PasteAt(int x, int y) override { Note("paste", x, y); }
  void DeleteAt(int x, int y) override { Note("delete", x, y); }
  void NewTeleportEvent(int x, int y) override { Note("teleport", x, y); }
  void SetPartyStart(int x, int y) override { Note("party", x, y); }
  void SetVehicleStart(int x, int y) override { Note("vehicle", x, y); }
  std::vector<std::string>* log_;
};

class MapEditor : public MapViewScene {
protected:
  void SetUp() override {
    MapViewScene::SetUp();
    SetClipboardProvider(&clipboard_);
    InstallMapEventOperations(
        [this](QWidget*) { return std::make_unique<TRecordedOperations>(&operations_); });
    map_.SetWidth(20);
    map_.SetHeight(15);
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 20; ++x)
        map_.LowerLayer.SetCell(x, y, kPlain);
    map_.Graphics().ReloadChipSet(&item_);
    tree_.GetOrCreate(1);
    tree_.ActiveId = 1;
    editor_ = std::make_unique<TFormMapEditor>();
    editor_->SetMapTree(&tree_);
    editor_->SetMap(&map_);
    editor_->resize(760, 560);
    editor_->show();
    QApplication::processEvents();
    editor_->MapLoaded();
    editor_->SetEditMode(emLowerLayer);
    box_ = FindControl<QWidget>(editor_.get(), "PaintBox");
    Pen(kPaint);
  }
  void TearDown() override {
    editor_.reset();
    InstallMapEventOperations(nullptr);
    SetClipboardProvider(nullptr);
    MapViewScene::TearDown();
  }
  void Pen(int id, int mode = emLowerLayer) {
    editor_->Engine().Pens[size_t(mode)].SetSize(1, 1);
    editor_->Engine().Pens[size_t(mode)].SetCell(0, 0, uint16_t(id));
    editor_->PenChanged();
  }
  static QPoint At(int x, int y) { return QPoint(x * 32 + 16, y * 32 + 16); }
  // Each mouse event waits for the canvas's repaint, as moves are skipped until then.
  void Press(TPoint c, Qt::MouseButton button = Qt::LeftButton, QWidget* on = nullptr,
             Qt::KeyboardModifiers keys = {}) {
    QTest::mousePress(on ? on : box_, button, keys, At(c.X, c.Y));
    box_->repaint();
  }
  void Move(TPoint c, QWidget* on = nullptr) {
    QTest::mouseMove(on ? on : box_, At(c.X, c.Y));
    box_->repaint();
  }
  void Release(TPoint c, Qt::MouseButton button = Qt::LeftButton, QWidget* on = nullptr) {
    QTest::mouseRelease(on ? on : box_, button, {}, At(c.X, c.Y));
    box_->repaint();
  }
  // A click, and the double click Qt sends in place of the second press.
  void DoubleClick(TPoint c) {
    Press(c);
    Release(c);
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(At(c.X, c.Y)),
                      box_->mapToGlobal(QPointF(At(c.X, c.Y))), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(box_, &event);
    Release(c);
  }
  void Stroke(std::initializer_list<TPoint> cells) {
    Press(*cells.begin());
    for (const TPoint c : cells)
      Move(c);
    Release(*(cells.end() - 1));
  }
  int Lower(int x, int y) const { return map_.LowerLayer.GetCell(x, y); }
  int Painted() const {
    int n = 0;
    for (const uint16_t id : map_.LowerLayer.Cells())
      n += id == kPaint;
    return n;
  }

  TScriptedMessageBoxes boxes_;
  TMemoryClipboard clipboard_;
  std::vector<std::string> operations_;
  TXelMap map_{1};
  std::unique_ptr<TFormMapEditor> editor_;
  QWidget* box_ = nullptr;
};

TEST_F(MapEditor, PenStrokesAreUndoneByCtrlZAndCancelledByAnotherButton) {
  editor_->SetEditTool(etPen);
  Stroke({{1, 1}, {4, 1}});
  EXPECT_EQ(Painted(), 4);
  EXPECT_TRUE(map_.Modified);
  Stroke({{1, 5}, {1, 7}});
  EXPECT_EQ(Painted(), 7);
  EXPECT_EQ(editor_->UndoCount(), 2);
  QTest::keyClick(editor_.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Painted(), 4);
  // The right button during a stroke takes the stroke back; the release then does nothing.
  Press({8, 8});
  Move({10, 8});
  EXPECT_EQ(Painted(), 7);
  Press({10, 8}, Qt::RightButton);
  Release({10, 8});
  EXPECT_EQ(Painted(), 4);
  EXPECT_EQ(editor_->UndoCount(), 1);
  // Leaving the canvas hides the pen frame and the cell.
  EXPECT_EQ(editor_->CursorCell(), (TPoint{10, 8}));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(box_, &leave);
  EXPECT_EQ(editor_->CursorCell(), (TPoint{-1, -1}));
  EXPECT_TRUE(editor_->CursorRect().IsEmpty());
}

TEST_F(MapEditor, ADoubleClickStartsNoStrokeAndTheNextPressDraws) {
  editor_->SetEditTool(etPen);
  DoubleClick({6, 6}); // the first click draws, the double click nothing more
  EXPECT_EQ(Painted(), 1);
  EXPECT_EQ(editor_->UndoCount(), 1);
  Stroke({{7, 7}});
  EXPECT_EQ(Lower(7, 7), kPaint);
  EXPECT_EQ(editor_->UndoCount(), 2);
}

TEST_F(MapEditor, ShapesFollowTheDragAndFillsStayInTheirRegion) {
  editor_->SetEditTool(etRectangle);
  Press({2, 2});
  Move({6, 5});
  EXPECT_EQ(Painted(), 20);
  Move({3, 3});
  Release({3, 3});
  EXPECT_EQ(Painted(), 4);
  EXPECT_EQ(Lower(6, 5), kPlain);
  editor_->SetEditTool(etSeedFill);
  Pen(5001);
  Stroke({{2, 2}});
  EXPECT_EQ(Lower(2, 2), 5001);
  EXPECT_EQ(Lower(3, 3), 5001);
  EXPECT_EQ(Lower(0, 0), kPlain);
}

// At 1:8 the canvas keeps a picture of the map for each look of the cells: switching the
// tool and the layer back and forth, with the map changed in between, shows what an editor
// drawing every cell anew tile by tile (without the tile cache) shows, and the window shows
// the board.
TEST_F(MapEditor, SwitchesAtOneToEightShowWhatAFullRedrawShows) {
  auto map = MakeMap(60, 100, 40); // tall enough for the cells to be put together in bands
  editor_->SetMap(map.get());
  editor_->MapLoaded();
  editor_->SetScale(4);
  editor_->SetEditTool(etPen);
  const auto redrawn = [&] {
    TFormMapEditor fresh;
    fresh.SetMapTree(&tree_);
    fresh.SetMap(map.get());
    const_cast<TMapViewPainter&>(fresh.Painter()).UseTileCache = false;
    fresh.resize(editor_->size());
    fresh.show();
    QApplication::processEvents();
    fresh.MapLoaded();
    fresh.SetScale(4);
    fresh.SetEditMode(editor_->EditMode());
    fresh.SetEditTool(editor_->EditTool());
    return Pixels(fresh.Painter().Front());
  };
  const std::function<void()> steps[] = {
      [&] { editor_->SetEditTool(etSelect); },
      [&] { // another map read into the same object
        GenerateMap(*map, 60, 45, 40, "Folk", &tree_, 7);
        editor_->MapLoaded();
      },
      [&] {
        map->LowerLayer.SetCell(5, 6, 5003);
        map->UpperLayer.SetCell(7, 8, 10005);
        editor_->RepaintCells(TRect{5, 6, 8, 9});
      },
      [&] { editor_->SetEditTool(etPen); },
      [&] { editor_->SetEditMode(emUpperLayer); },
      [&] {
        map->LowerLayer.SetCell(9, 9, 5004);
        editor_->RepaintCells(TRect{9, 9, 10, 10});
      },
      [&] { editor_->SetEditMode(emLowerLayer); },
      [&] { editor_->SetEditMode(emEvents); },
      [&] { editor_->SetEditMode(emLowerLayer); },
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    steps[i]();
    ASSERT_EQ(Pixels(editor_->Painter().Front()), redrawn()) << "step " << i;
  }
  // A paint after a full redraw goes straight to the window's store, the same paint again
  // through the screen copy, and a paint of a few changed cells straight again.
  editor_->RepaintAll();
  for (int paint = 0; paint < 3; ++paint) {
    if (paint == 2) {
      map->UpperLayer.SetCell(3, 4, 10007);
      editor_->RepaintCells(TRect{3, 4, 4, 5});
    }
    box_->repaint();
    QPaintDevice* device = box_->window()->backingStore()->paintDevice();
    ASSERT_EQ(device->devType(), int(QInternal::Image));
    const QImage& store = *static_cast<QImage*>(device);
    const QPoint at = box_->mapTo(box_->window(), QPoint(0, 0));
    const QImage shown = store.copy(QRect(at, box_->size())).convertToFormat(QImage::Format_RGB32);
    const TGlimraBoard& board = editor_->Painter().Front();
    ASSERT_EQ(shown.size(), QSize(board.GetWidth(), board.GetHeight()));
    for (int y = 0; y < board.GetHeight(); ++y)
      for (int x = 0; x < board.GetWidth(); ++x)
        ASSERT_EQ(shown.pixel(x, y), ScreenColor(board.GetRow(y)[x]))
            << x << "," << y << " in paint " << paint;
  }
}

TEST_F(MapEditor, TheZoomToolKeepsTheClickedPointUnderTheMouse) {
  map_.SetWidth(100);
  map_.SetHeight(80);
  editor_->MapLoaded();
  editor_->SetScale(16);
  FindControl<TScrollFrame>(editor_.get(), "MapFrame")->ScrollBy(200, 150);
  editor_->SetEditTool(etZoom);
  int cursor_moves = 0;
  editor_->OnCursorMoved = [&](TMapEditorDock*, QPoint) { ++cursor_moves; };
  const QPoint pixel(300, 200);
  const TPoint cell = editor_->CellAt(pixel); // (30, 21) at scroll (200, 150)
  QTest::mouseClick(box_, Qt::LeftButton, {}, pixel);
  EXPECT_EQ(editor_->Scale(), 32);
  EXPECT_EQ(editor_->CellAt(pixel), cell);
  QTest::mouseClick(box_, Qt::RightButton, {}, pixel);
  EXPECT_EQ(editor_->Scale(), 16);
  EXPECT_EQ(editor_->CellAt(pixel), cell);
  EXPECT_EQ(cursor_moves, 0); // the zoom tool has no pen frame
}

TEST_F(MapEditor, APickWaitsForTheDelayAndTakesPaletteForms) {
  map_.LowerLayer.SetCell(3, 4, 4046);
  map_.LowerLayer.SetCell(2, 4, 1234);
  editor_->SetEditTool(etPen);
  int picks = 0;
  editor_->OnPickedFromMap = [&](TMapEditorDock*) { ++picks; };
  Press({3, 4}, Qt::RightButton);
  Move({0, 4}); // too early: ignored
  EXPECT_EQ(editor_->CursorRect(), (TRect{3, 4, 4, 5}));
  editor_->TriggerTimerTimer();
  Move({0, 4});
  Release({0, 4}, Qt::RightButton);
  EXPECT_EQ(picks, 1);
  const TXelCurrentChip& pen = editor_->Engine().Pen();
  EXPECT_EQ(pen.Width(), 4);
  EXPECT_EQ(pen.Height(), 1);
  EXPECT_EQ(editor_->PenOffset(), (TPoint{0, 0}));
  EXPECT_EQ(pen.GetCell(3, 0), 4049);
  EXPECT_EQ(pen.GetCell(2, 0), 1049);
  EXPECT_EQ(pen.GetCell(0, 0), kPlain);
}

TEST_F(MapEditor, SelectedBlocksMoveCopyAndPaste) {
  map_.LowerLayer.SetCell(2, 2, kPaint);
  map_.LowerLayer.SetCell(3, 4, kPaint);
  Pen(kPlain); // what a lifted block leaves behind
  editor_->SetEditTool(etSelect);
  // From corner (2, 2) to corner (4, 5): two cells wide, three high.
  QTest::mousePress(box_, Qt::LeftButton, {}, QPoint(64, 64));
  box_->repaint();
  QTest::mouseMove(box_, QPoint(128, 160));
  box_->repaint();
  QTest::mouseRelease(box_, Qt::LeftButton, {}, QPoint(128, 160));
  EXPECT_EQ(editor_->Engine().Selection, (TRect{2, 2, 4, 5}));
  EXPECT_TRUE(editor_->Engine().Held);
  // Dragged one cell right: the block lands there, the pen's tile is left behind.
  auto* area = FindControl<QWidget>(editor_.get(), "SelectArea");
  ASSERT_TRUE(area->isVisible());
  QTest::mousePress(area, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseMove(area, QPoint(5 + 20, 5));
  box_->repaint();
  QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(5 + 20, 5));
  EXPECT_EQ(Lower(3, 2), kPaint);
  EXPECT_EQ(Lower(4, 4), kPaint);
  EXPECT_EQ(Lower(2, 2), kPlain);
  EXPECT_EQ(editor_->Engine().Selection, (TRect{3, 2, 5, 5}));

  QTest::keyClick(editor_.get(), Qt::Key_C, Qt::ControlModifier);
  const std::vector<uint8_t> block = ClipboardBytes(cfMapRegion);
  ASSERT_EQ(block.size(), 4u + 4u * 6u);
  EXPECT_EQ(block[0], 2);
  EXPECT_EQ(block[2], 3);
  EXPECT_TRUE(editor_->Engine().Selection.IsEmpty());
  QTest::keyClick(editor_.get(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(editor_->Engine().Selection.Width(), 2);
  EXPECT_EQ(editor_->UndoCount(), 2);
  QTest::keyClick(editor_.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(editor_.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Lower(2, 2), kPaint);
  EXPECT_EQ(Lower(3, 2), kPlain);
}

TEST_F(MapEditor, ASelectionHeldStillPastTheEdgeGrowsAColumnEachTick) {
  map_.SetWidth(60);
  editor_->MapLoaded();
  editor_->SetEditTool(etSelect);
  QTest::mousePress(box_, Qt::LeftButton, {}, QPoint(64, 64));
  box_->repaint();
  // 16 pixels past the right edge the view scrolls 32 pixels, one column, a tick.
  const QPoint past(box_->width() + 16, 128);
  const int right = editor_->CornerAt(past).X;
  for (int tick = 1; tick <= 4; ++tick) {
    editor_->AutoScrollFrom(past);
    EXPECT_EQ(editor_->Engine().Selection, (TRect{2, 2, right + tick, 4})) << tick;
  }
  QTest::mouseRelease(box_, Qt::LeftButton, {}, past);
  EXPECT_EQ(editor_->Engine().Selection, (TRect{2, 2, right + 4, 4}));
}

TEST_F(MapEditor, ABlockThatDoesNotCountCannotBePasted) {
  editor_->SetEditTool(etSelect);
  const std::vector<uint16_t> before = map_.LowerLayer.Cells();
  auto* menu = FindControl<QMenu>(editor_.get(), "PopupMenu1");
  auto* paste = FindControl<QAction>(editor_.get(), "MenuPaste");
  const std::vector<std::vector<uint8_t>> blocks = {
      {2, 0, 1, 0, 1, 0x14, 0, 0x28, 1, 0x14, 0}, // truncated: 2 x 1 needs 12 bytes
      {0xFF, 0xFF, 0xFF, 0xFF},                   // 65535 x 65535 and no cells
      {0, 0, 3, 0, 1, 2, 3, 4},                   // no width
  };
  for (const auto& bytes : blocks) {
    clipboard_.SetData(cfMapRegion, bytes);
    emit menu->aboutToShow();
    EXPECT_FALSE(paste->isEnabled());
    QTest::keyClick(editor_.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(map_.LowerLayer.Cells(), before);
    EXPECT_EQ(editor_->UndoCount(), 0);
  }
  clipboard_.SetData(cfMapRegion, {1, 0, 1, 0, 0x14, 0x13, 0x10, 0x27});
  emit menu->aboutToShow();
  EXPECT_TRUE(paste->isEnabled());
}

TEST_F(MapEditor, EventDragsMoveOnlyOntoEmptyCells) {
  map_.Events.GetOrCreate(1)->X = 2, map_.Events.GetOrCreate(1)->Y = 2;
  map_.Events.GetOrCreate(2)->X = 5, map_.Events.GetOrCreate(2)->Y = 5;
  tree_.StartPosition.SetMapId(0, 1);
  tree_.StartPosition.SetX(0, 8), tree_.StartPosition.SetY(0, 8);
  editor_->MapLoaded();
  editor_->SetEditMode(emEvents);
  auto drag = [&](TPoint from, TPoint to) {
    Press(from);
    Move(to);
    Release(to);
  };
  drag({2, 2}, {5, 5});   // onto an event
  drag({2, 2}, {8, 8});   // onto a start mark
  drag({2, 2}, {30, 2});  // outside the map
  drag({8, 8}, {-1, -1}); // the party mark outside
  EXPECT_EQ(map_.Events.FindById(1)->X, 2);
  EXPECT_EQ(tree_.StartPosition.GetX(0), 8);
  EXPECT_FALSE(map_.Modified);
  drag({8, 8}, {9, 3});
  EXPECT_EQ(tree_.StartPosition.GetX(0), 9);
  EXPECT_EQ(tree_.StartPosition.GetY(0), 3);
  EXPECT_EQ(editor_->EventMap().Get(9, 3), StartMarkId);
  EXPECT_EQ(editor_->CursorCell(), (TPoint{9, 3}));
  drag({2, 2}, {3, 2});
  EXPECT_EQ(map_.Events.FindById(1)->X, 3);
  EXPECT_TRUE(map_.Modified);
}

TEST_F(MapEditor, TheEventMenuFollowsTheCell) {
  map_.Events.GetOrCreate(1)->X = 2, map_.Events.GetOrCreate(1)->Y = 2;
  tree_.StartPosition.SetMapId(1, 1);
  tree_.StartPosition.SetX(1, 4), tree_.StartPosition.SetY(1, 4);
  editor_->MapLoaded();
  editor_->SetEditMode(emEvents);
  Pen(10007, emEvents);
  auto* menu = FindControl<QMenu>(editor_.get(), "PopupMenu2");
  auto state = [&](const char* name) {
    auto* item = FindControl<QAction>(editor_.get(), name);
    return std::string(item->isVisible() ? "v" : "-") + (item->isEnabled() ? "e" : "-");
  };
  const char* items[] = {"Menu_Event_New",       "Menu_Event_Edit",       "Menu_Event_Cut",
                         "Menu_Event_Copy",      "Menu_Event_Paste",      "Menu_Event_Delete",
                         "Menu_Event_MoveEvent", "Menu_SetPartyPosition", "Menu_SetShipPosition"};
  clipboard_.SetData(cfMapEvent, {1, 0, 0, 0, 0});
  struct TRow {
    TPoint Cell;
    std::vector<std::string> States;
  };
  const TRow rows[] = {
      {{0, 0}, {"ve", "--", "v-", "v-", "ve", "v-", "ve", "ve", "ve"}}, // empty
      {{2, 2}, {"--", "ve", "ve", "ve", "v-", "ve", "v-", "v-", "v-"}}, // an event
      {{4, 4}, {"--", "v-", "ve", "ve", "v-", "ve", "v-", "v-", "v-"}}, // the boat's mark
  };
  for (const TRow& row : rows) {
    Press(row.Cell, Qt::RightButton);
    Release(row.Cell, Qt::RightButton);
    menu->hide();
    for (size_t i = 0; i < 9; ++i)
      EXPECT_EQ(state(items[i]), row.States[i]) << row.Cell.X << " " << items[i];
  }
  // The keys and the double click go through the items; a mark is never edited.
  DoubleClick({4, 4});
  QTest::keyClick(editor_.get(), Qt::Key_Return);
  QTest::keyClick(editor_.get(), Qt::Key_Delete);
  DoubleClick({0, 0});
  QTest::keyClick(editor_.get(), Qt::Key_Right);
  QTest::keyClick(editor_.get(), Qt::Key_Delete);
  EXPECT_EQ(operations_, (std::vector<std::string>{"delete 4,4", "edit 0,0", "graphic 7"}));
  EXPECT_EQ(editor_->CursorCell(), (TPoint{1, 0}));
}

} // namespace

// TFormMapViewer: a map at one of four scales in a scroll frame, with the hatched
// background around a map smaller than the frame. The drawing is TMapViewPainter's; the
// window keeps the frame, the scroll position and the view centre (ViewX, ViewY of the
// active tree item) in step with it and shows the front board.
//
// The map editor and the position pickers derive from it: they hand in a painter that
// draws cells their own way and override the four operations below.
#pragma once

#include <QPoint>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/geometry.h"
#include "framework/forms/form_xel_base.h"
#include "shell/map/map_view_painter.h"

class QMouseEvent;
class QPainter;
class QTimer;
class TOpaquePaintBox;
class TScrollFrame;
class TWheelMaster;
class TXelMap;
class TXelMapTree;
class TXelEventMap;

class TFormMapViewer : public TFormXelWidget {
  Q_OBJECT
public:
  // Painter: the cell drawing of a derived view; nullptr gives the plain viewer's.
  explicit TFormMapViewer(QWidget* parent = nullptr,
                          std::unique_ptr<TMapViewPainter> painter = nullptr);
  ~TFormMapViewer() override;

  // The tree and the map, owned by the main window. A new map shows after MapLoaded.
  void SetMapTree(TXelMapTree* tree) { tree_ = tree; }
  void SetMap(TXelMap* map) { map_ = map; }
  TXelMapTree* MapTree() const { return tree_; }
  TXelMap* Map() const { return map_; }

  // Pixels per cell: 32, 16, 8 or 4.
  int Scale() const;
  // Zooms keeping the view's centre; fires OnScaleChanged.
  void SetScale(int scale);
  // Pixels at the current scale.
  TPoint ScrollPos() const { return scroll_; }
  // The view position at full scale: the active tree item's ViewX, ViewY (the viewer's own
  // when no item is active).
  TPoint View() const;
  // The size of the frame's drawing area.
  TPoint ClientSize() const;
  // Set by the owner before a reload of the same map: the frame's scroll position stays.
  bool KeepView = false;

  // The four operations the derived views override.
  // Cell (X, Y) drawn anew on the boards (and its copies on a looping map) and shown.
  virtual void PaintCell(int x, int y);
  // The boards brought to the current scroll position.
  virtual void UpdateBoards();
  // Everything drawn anew.
  virtual void RepaintAll();
  // After the owner loaded a map into Map (or emptied it).
  virtual void MapLoaded();

  // The cells of Rect drawn anew where visible and shown.
  void RepaintCells(const TRect& cells);
  // The event map of the shown map (rebuilt at every MapLoaded).
  TXelEventMap& EventMap();
  // The boards as the screen gets them: a full repaint still pending is done first.
  const TMapViewPainter& Painter() const {
    TakePendingRepaint();
    return *painter_;
  }

  // Qt cannot tell whether an update is still to come: set when a repaint of the map area
  // is asked for, cleared when it has been painted.
  bool RepaintPending() const { return repaintPending_; }

  // The cell under a pixel of the map area, and the cell corner nearest to it.
  TPoint CellAt(QPoint pixel) const;
  TPoint CornerAt(QPoint pixel) const;

  // Fires after the scale changed.
  std::function<void(TFormMapViewer*)> OnScaleChanged;

  // Handlers (tests call the timer ticks directly).
  void AutoScrollTimerTimer();
  // One auto-scroll step for the mouse at Pixel of the map area (a drag in a derived
  // view follows the mouse after the step).
  virtual void AutoScrollFrom(QPoint pixel);
  void MapFrameChange();
  void MapFrameResize();

protected:
  TMapViewPainter& ViewPainter() { return *painter_; }
  // Asks for the map area (or a pixel rectangle of it) to be shown again.
  void RequestRepaint();
  void RequestRepaint(const TRect& pixels);
  // The frame, the paint box and the boards fitted to the map, the scale and the frame.
  void Layout();
  // The mouse on the map area and on the background; derived views add their own.
  virtual void PaintBoxMouseDown(QMouseEvent* event);
  virtual void PaintBoxMouseMove(QMouseEvent* event) {}
  virtual void PaintBoxMouseUp(QMouseEvent* event) {}
  // After the boards were drawn to the screen (the editor draws its frames over them).
  virtual void PaintOver(QPainter& canvas) {}

  TScrollFrame* MapFrame;
  TOpaquePaintBox* Background;
  TOpaquePaintBox* PaintBox;
  // Holds the mouse during the derived views' drags.
  TOpaquePaintBox* DummyPaintBox;
  QTimer* AutoScrollTimer;
  TWheelMaster* WheelMaster1;

private:
  void PaintBoxPaint(QPainter& canvas);
  void SetView(TPoint view);
  // The scroll position the frame shows, read back without moving the view.
  void TakeFramePosition();
  // A full repaint waits for the next paint (or look at the boards): resizes, zooms and
  // mode changes while the window is built and laid out come down to one, at the size
  // finally shown.
  void TakePendingRepaint() const;

  std::unique_ptr<TMapViewPainter> painter_;
  TXelMapTree* tree_ = nullptr;
  TXelMap* map_ = nullptr;
  TPoint scroll_;
  TPoint ownView_; // the view position when no tree item is active
  bool repaintPending_ = false;
  // The painter's count of board changes at the last paint straight to the window.
  uint64_t directPaintAt_ = ~uint64_t(0);
  mutable bool boardsStale_ = false;
  bool layingOut_ = false;
};

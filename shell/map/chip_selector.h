// TFormChipSelector: the docked tile palette. It shows the current map's chipset 6 cells
// wide, one page per editing mode (core/chip_palette.h), and lets the author drag out a
// selection of up to 6 x 6 cells; each page keeps its own scroll position and selection.
// The main window turns the selection into the map editor's pen block.
#pragma once

#include <QPoint>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/geometry.h"
#include "core/glimra_board.h"
#include "framework/forms/form_xel_base.h"
#include "shell/common/main_window_docks.h"

class QMouseEvent;
class QPainter;
class QTimer;
class TOpaquePaintBox;
class TScrollFrame;
class TWheelMaster;
class TXelMap;

class TFormChipSelector : public TFormXelWidget, public TChipSelectorDock {
  Q_OBJECT
public:
  static constexpr int CellSize = 32;
  static constexpr int BoardWidth = 192;
  static constexpr int BoardHeight = 1536;
  // Scroll pixels per wheel notch.
  static constexpr int WheelStep = 16;

  explicit TFormChipSelector(QWidget* parent = nullptr);
  ~TFormChipSelector() override;

  // The current map, owned by the main window; Rebuild shows it.
  void SetMap(TXelMap* map) { map_ = map; }
  TXelMap* Map() const { return map_; }

  // Every page back to the top with the first cell selected; then the empty page 3.
  void Reset();
  int Page() const { return page_; }
  // Another page: shown, and OnSelectionMade fires.
  void SetPage(int page);
  // The page fitted to the map (also after a map was loaded) and drawn.
  void Rebuild();
  // Every cell of the page and the selection drawn anew.
  void Redraw();
  // The page's selection in cells (right and bottom exclusive).
  TRect GetSelection() const { return pages_[size_t(page_)].Selection; }
  void SetSelection(const TRect& selection);
  TPoint ScrollPos() const { return pages_[size_t(page_)].Scroll; }
  bool Dragging() const { return dragging_; }
  // Ends a drag as its button's release does (the main window calls it when the
  // application is deactivated).
  void EndDrag();

  // What the main window asks (OnSelectionMade fires when a drag ends and when the page
  // changes).
  void ShowPage(int mode) override { SetPage(mode); }
  void ResetPalette() override { Reset(); }
  void ReloadPalette() override { Rebuild(); }
  void SelectTile(int id) override;
  void ClearSelection() override { SetSelection(TRect{}); }
  void FinishDrag() override { EndDrag(); }
  bool SelectedBlock(TXelCurrentChip& pen) const override;
  int PaletteWidth() const override { return width(); }

  const TGlimraBoard& Board() const { return board_; }

  // Handlers (tests call the timer ticks directly).
  void Timer1Timer();
  void Timer2Timer();
  // One auto-scroll step for the mouse at Pixel of the visible page.
  void AutoScrollFrom(QPoint pixel);
  void FormResize();
  void ScrollFrame1Change();
  void ScrollFrame1Resize();
  void PaintBoxMouseDown(QMouseEvent* event);
  void PaintBoxMouseMove(QMouseEvent* event);
  void PaintBoxMouseUp(QMouseEvent* event);

protected:
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  struct TPageState {
    TPoint Scroll;
    TRect Selection{0, 0, 1, 1};
  };
  bool MapLoaded() const;
  // The frame's width beyond its client width: its border and the vertical bar.
  int FrameBorderWidth() const;
  int Rows() const;
  // The page box and the bars fitted to the frame and the page, without drawing.
  void Place();
  TPoint CellAt(QPoint pixel) const;
  void DrawCells(const TRect& cells);
  void DrawSelection();
  void PaintBoxPaint(QPainter& canvas);
  void CancelDrag();

  TScrollFrame* ScrollFrame1;
  TOpaquePaintBox* Background;
  TOpaquePaintBox* PaintBox;
  TOpaquePaintBox* DummyPaintBox;
  QTimer* Timer1;
  QTimer* Timer2;
  TWheelMaster* WheelMaster1;

  TXelMap* map_ = nullptr;
  TGlimraBoard board_;
  std::vector<uint32_t> screen_; // the rows in view in the screen's colours
  int page_ = 3;
  std::array<TPageState, 4> pages_;
  bool dragging_ = false;
  // Moves count only once Timer1 has fired.
  bool dragArmed_ = false;
  TPoint anchor_;
  TRect savedSelection_;
};

// TMapEditEngine: everything the map editor does to a map's layers, without a window.
//
// It holds the editor's drawing state (mode, the four pen blocks, the Shift and Ctrl
// flags of the last mouse event, the stroke origin), the layers taken at the start of a
// stroke, the floating block of the selection, the map-sized shape mask and the undo
// ring, and puts tiles with autotile resolution: every lower-layer tile of an autotile
// block is stored as one of its 50 shape variants chosen from its eight neighbours, water
// with up to 16 corner sets on top.
//
// The editor window stays thin; what it calls, by mouse and key:
//   map loaded           SetMap (also resets the undo ring); mode change SetMode
//   every mouse event    RawFlag := Shift, EdgeFlag := Ctrl
//   left press           BeginStroke (cell, pen offset), then by tool: PutPen at the
//                        cursor's top-left, DrawShape of the one cell, SeedFill at the cell
//   moves                PenLine from the previous to the current cell (both minus the pen
//                        offset); DrawShape from ShapeRect (start, cell) with the previous
//   button up            EndStroke (undo snapshot, map modified); a pick: PickPen over the
//                        rectangle PickDrag gave
//   cancel               CancelStroke
//   select tool          Lift on button up; BeginMove and MoveSelection while dragging the
//                        block; ClearSelection, SelectAll; a held block is lifted again
//                        (Lift (Selection)) after a pen change
//   clipboard            Copy: Clipboard().SetData (cfMapRegion, CopySelection ()); "&Paste"
//                        only while IsMapRegionClip (ClipboardBytes (cfMapRegion)); Paste of
//                        the parsed block
//   Ctrl+Z               UndoLast
// After each call TakeDirty tells which cells to repaint (its rectangle may reach past the
// map's edges; on a looping map the editor repaints the wrapped copies too).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/current_chip.h"
#include "core/geometry.h"
#include "core/map_edit_undo.h"
#include "core/map_layer.h"
#include "core/raster.h"

class TXelMap;
class TXelChipSetGraphic;
struct TMapRegionClip;

// Editing modes; the tools act in the two layer modes only.
enum TMapEditMode : uint8_t { emLowerLayer, emUpperLayer, emEvents, emNoMap };

// A pick dragged from Start to Cell: the picked rectangle and the mouse's cell in it.
struct TPickDrag {
  TRect Rect;
  TPoint PenOffset;
};
// Cell is clamped to the map and to Start +-5 on both axes, so a pick is at most 6 x 6.
TPickDrag PickDrag(TPoint start, TPoint cell, int map_width, int map_height);
// The cells spanned by two corner cells, both included.
TRect ShapeRect(TPoint a, TPoint b);

class TMapEditEngine {
public:
  TMapEditEngine();

  // The map to edit (nullptr for none); forgets the selection and what could be undone.
  // The stroke base is the map's layers as they are when it is first needed.
  void SetMap(TXelMap* map);
  TXelMap* Map() const { return map_; }

  int Mode() const { return mode_; }
  // Entering the event mode drops the selection and what could be undone.
  void SetMode(int mode);
  // The pen block of the current mode.
  TXelCurrentChip& Pen() { return Pens[mode_]; }
  const TXelCurrentChip& Pen() const { return Pens[mode_]; }

  std::array<TXelCurrentChip, 4> Pens;
  // Shift: tiles go in exactly as given, without autotile resolution.
  bool RawFlag = false;
  // Ctrl: cells beyond the map's edge count as different, so the edge gets a border.
  bool EdgeFlag = false;
  // The pen pattern repeats across the map from this cell.
  TPoint StrokeOrigin;

  // Puts Id at (X, Y) of the current mode's layer; nothing outside the map. In the lower
  // layer the palette form of an autotile (id mod 50 = 49) becomes its base, and with
  // Autotile the variant is chosen from the neighbours: bits of Mask are worked out anew,
  // the others kept from Id's own variant. Redraw marks a changed cell dirty.
  void PutChipResolved(int x, int y, bool redraw, bool autotile, int mask, int id);
  // The same after bringing X and Y into the map along each axis the map loops on.
  void PutChipWrapped(int x, int y, bool redraw, bool autotile, int mask, int id);
  // The pen's tile for cell (X, Y): the block repeats from the stroke origin.
  int PenTile(int x, int y) const;
  // The pen's tile at (X, Y), and in the lower layer each neighbour resolved again for the
  // bits that look at this cell.
  void PutChipAndNeighbours(int x, int y);
  // The pen block with its top-left at (Left, Top), the cells inside the map.
  void PutPen(int left, int top);
  // The pen at every point of a Bresenham line from P to Q (top-left corners).
  void PenLine(TPoint p, TPoint q);
  // The rectangle or ellipse Shape, restoring from the stroke base what Previous covered
  // and Shape no longer does. A filled ellipse only when wider and higher than 2 cells.
  void DrawShape(bool ellipse, const TRect& shape, const TRect& previous);
  // The region of cells connected across or up and down to (X, Y) that hold the same
  // lower block (mode 0) or upper tile (mode 1) takes the pen; nothing when (X, Y) lies
  // outside the map.
  void SeedFill(int x, int y);
  // Puts the pen through the shape mask over Area: cells on the shape's border with their
  // neighbours, inner cells alone; with RestoreOutside the unmasked cells of Area return
  // to the stroke base.
  void ApplyShapeMask(const TRect& area, bool restore_outside);

  // Both layers into the stroke base; the stroke origin is Cell minus PenOffset.
  void BeginStroke(TPoint cell, TPoint pen_offset);
  // An undo snapshot of the stroke base; the map is marked modified.
  void EndStroke();
  // Both layers back from the stroke base.
  void CancelStroke();

  // The pen block of the current mode from Rect of the map (clipped to it): upper tiles
  // in modes 1 and 2; lower tiles in mode 0, each in its palette form unless Exact.
  void PickPen(const TRect& rect, bool exact);

  // The selection in cells (empty: none). After a paste it may reach past the map; every
  // read and write through it is clipped to the map.
  TRect Selection;
  // The block has been lifted and not changed since.
  bool Held = false;
  TXelMapLayer BaseLower{0};
  TXelMapLayer BaseUpper{10000};
  TXelMapLayer FloatLower{0};
  TXelMapLayer FloatUpper{10000};

  void DropSelection();
  // The floating block takes Rect's tiles; in the stroke base the cells become the lower
  // pen's first tile in its base form and the upper layer's fill value.
  void Lift(const TRect& rect);
  // The whole map, lifted.
  void SelectAll();
  // The first move of a held block takes an undo snapshot and marks the map modified.
  void BeginMove();
  // Moves the selection by whole cells: what it leaves returns to the stroke base, where
  // it lands takes the floating block.
  void MoveSelection(int dx, int dy);
  // With a selection: undo snapshot, map modified, the selected cells back to the stroke
  // base, selection dropped.
  void ClearSelection();
  // Format 562 of the floating block (empty without a selection); the selection is
  // dropped.
  std::vector<uint8_t> CopySelection();
  // The block with its top-left at TopLeft becomes the floating block and the selection;
  // the stroke base takes the map as it was, then undo snapshot, map modified, and the
  // cells inside the map take the block.
  void Paste(const TMapRegionClip& clip, TPoint top_left);
  // Takes back the last change (selection dropped); false when there was none.
  bool UndoLast();

  TXelMapEditUndoManager Undo;

  // The cells changed or to be redrawn since the last call; empty when none.
  TRect TakeDirty();
  // The shape mask (for tests): 0 clear, 1 border, 2 inner cell of the last shape.
  uint16_t MaskAt(int x, int y) const;

private:
  bool Inside(int x, int y) const;
  int Width() const;
  int Height() const;
  int MatchingBlock(int block) const;
  int Resolve(int x, int y, int mask, int id) const;
  // The lower layer's autotiles of a shape whose cells hold their final blocks.
  void ResolveShape(const TRect& area);
  void MarkDirty(const TRect& rect);
  void ClearMask();
  // The shape mask and the look-back bits sized to the map, all clear when newly sized.
  void SizeScratch();
  // The stroke base from the map's layers; NeedBase takes it unless it was taken since the
  // map was set.
  void TakeBase();
  void NeedBase() {
    if (!baseTaken_) TakeBase();
  }
  TSurface16 MaskSurface();
  uint16_t& Mask(int x, int y) { return mask_[size_t(y) * size_t(Width()) + size_t(x)]; }
  TRect MapRect() const;

  TXelMap* map_ = nullptr;
  TXelChipSetGraphic* chipSet_ = nullptr;
  int mode_ = emNoMap;
  std::vector<uint16_t> mask_;
  // Per cell, the bits a shape's puts work out anew, and the cells that have some.
  std::vector<uint8_t> lookBack_;
  std::vector<uint32_t> touched_;
  bool baseTaken_ = false;
  TRect dirty_;
};

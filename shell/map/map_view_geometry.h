// The map view's arithmetic: cells and pixels at a scale (pixels per cell: 32, 16, 8 or
// 4) and a scroll position, the layout of the map area in its frame, the view centre kept
// across zooms, and the copies of a cell rectangle that a looping map shows again.
//
// The viewer window calls these: CellOfPixel and NearestCorner for the mouse,
// CellsToPixels to invalidate cells (through LoopedCellRects on a looping map),
// LayoutMapView after a load, a resize or a zoom, ScrollForView in SetScale and after a
// load, ViewAfterScroll when the frame scrolls (into the active tree item's ViewX/ViewY);
// the editor PasteTopLeft for a pasted block.
#pragma once

#include <vector>

#include "core/geometry.h"

// The scale the view keeps its position in (ViewX, ViewY are pixels at this scale).
inline constexpr int FullMapScale = 32;

// Division rounding towards minus infinity.
int FloorDiv(int value, int divisor);

// The cell of a pixel of the map area (floor: pixels left of or above the map give -1).
int CellOfPixel(int pixel, int scroll, int scale);
// The cell corner nearest the pixel.
int NearestCorner(int pixel, int scroll, int scale);
// The pixel rectangle of a rectangle of cells.
TRect CellsToPixels(const TRect& cells, TPoint scroll, int scale);
// The cells that the visible area (Size at Scroll) shows, clipped to the map.
TRect VisibleCells(TPoint scroll, TPoint size, int scale, int map_width, int map_height);

struct TMapViewLayout {
  TPoint Visible; // size of the map area (and of the drawing boards)
  TPoint Offset;  // of the map area in the frame: centred when the map is smaller
  TPoint Range;   // scroll ranges: the map's pixel size
};
TMapViewLayout LayoutMapView(int map_width, int map_height, int scale, TPoint client);

// The scroll position that puts the view's centre where View (pixels at full scale) and
// half the client size put it: ((view + half) * scale) div 32 - half.
int ScrollForView(int view, int client_size, int scale);
// The view position after the frame scrolled from OldScroll to NewScroll: at full scale
// the scroll position itself, else moved by the change converted to full scale.
int ViewAfterScroll(int view, int old_scroll, int new_scroll, int scale);

// Where a pasted block of W x H cells goes: centred on the view, ((visible width div 2 +
// scroll) div scale - W div 2, likewise down).
TPoint PasteTopLeft(TPoint visible, TPoint scroll, int scale, int w, int h);

// Rect (cells) and its copies shifted by the map's size along each looping axis, each
// clipped to the map; the parts outside the map on an axis that does not loop are gone.
std::vector<TRect> LoopedCellRects(const TRect& rect, int map_width, int map_height, bool loop_x,
                                   bool loop_y);

#include "shell/map/map_view_geometry.h"

#include <algorithm>

int FloorDiv(int value, int divisor) {
  const int q = value / divisor;
  return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? q - 1 : q;
}

int CellOfPixel(int pixel, int scroll, int scale) {
  return FloorDiv(pixel + scroll + scale, scale) - 1;
}

int NearestCorner(int pixel, int scroll, int scale) {
  return FloorDiv(pixel + scroll + scale / 2, scale);
}

TRect CellsToPixels(const TRect& cells, TPoint scroll, int scale) {
  return TRect{cells.Left * scale - scroll.X, cells.Top * scale - scroll.Y,
               cells.Right * scale - scroll.X, cells.Bottom * scale - scroll.Y};
}

TRect VisibleCells(TPoint scroll, TPoint size, int scale, int map_width, int map_height) {
  const TRect cells{FloorDiv(scroll.X, scale), FloorDiv(scroll.Y, scale),
                    FloorDiv(scroll.X + size.X + scale - 1, scale),
                    FloorDiv(scroll.Y + size.Y + scale - 1, scale)};
  return Intersect(cells, TRect{0, 0, map_width, map_height});
}

TMapViewLayout LayoutMapView(int map_width, int map_height, int scale, TPoint client) {
  TMapViewLayout layout;
  layout.Range = TPoint{std::max(map_width, 0) * scale, std::max(map_height, 0) * scale};
  layout.Visible = TPoint{std::clamp(layout.Range.X, 0, std::max(client.X, 0)),
                          std::clamp(layout.Range.Y, 0, std::max(client.Y, 0))};
  layout.Offset = TPoint{(std::max(client.X, 0) - layout.Visible.X) / 2,
                         (std::max(client.Y, 0) - layout.Visible.Y) / 2};
  return layout;
}

int ScrollForView(int view, int client_size, int scale) {
  const int half = client_size / 2;
  return FloorDiv((view + half) * scale, FullMapScale) - half;
}

int ViewAfterScroll(int view, int old_scroll, int new_scroll, int scale) {
  if (scale == FullMapScale) return new_scroll;
  return view + FloorDiv((new_scroll - old_scroll) * FullMapScale, scale);
}

TPoint PasteTopLeft(TPoint visible, TPoint scroll, int scale, int w, int h) {
  return TPoint{FloorDiv(visible.X / 2 + scroll.X, scale) - w / 2,
                FloorDiv(visible.Y / 2 + scroll.Y, scale) - h / 2};
}

std::vector<TRect> LoopedCellRects(const TRect& rect, int map_width, int map_height, bool loop_x,
                                   bool loop_y) {
  // Shifts along one axis: none, and one map size back or on where the rectangle reaches
  // past that edge of a looping axis.
  auto shifts = [](int low, int high, int size, bool loop) {
    std::vector<int> s{0};
    if (loop && low < 0) s.push_back(size);
    if (loop && high > size) s.push_back(-size);
    return s;
  };
  const TRect map{0, 0, map_width, map_height};
  std::vector<TRect> rects;
  for (const int dy : shifts(rect.Top, rect.Bottom, map_height, loop_y))
    for (const int dx : shifts(rect.Left, rect.Right, map_width, loop_x)) {
      const TRect r =
          Intersect(TRect{rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy}, map);
      if (!r.IsEmpty()) rects.push_back(r);
    }
  return rects;
}

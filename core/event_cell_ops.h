// The event operations on one cell of the current map that need no window: what stands
// on the cell, the event to edit or create there, storing an edited event, cut, copy,
// paste and delete of events and start marks (clipboard format 563), the start
// positions, and the event a teleport command makes. The map editor's event manager adds
// the windows (event editor, vehicle choice, teleport dialog) on top.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/map_event.h"

class TXelMap;
class TXelMapTree;

// Map event ids run from 1 to this.
inline constexpr int32_t MaxMapEventId = 5000;

// "EV%.4d" of the Id: the name of a new event.
std::string DefaultEventName(int32_t id);
// The name of a pasted event under its new Id: kept, unless it is empty or has the form
// of a default name ("EV" and four characters that read as a number of at least 1).
std::string PastedEventName(const std::string& name, int32_t newId);
// The smallest id from 1 to 5000 that the map's events do not hold; 0 when all are taken.
int32_t FreeEventId(const TXelMap& map);

// An event to open in the event editor: a working copy, placed on the cell.
struct TEventEditTarget {
  int32_t Id = 0;
  bool IsNew = false;
  std::unique_ptr<TXelEventItem> Event;
};

class TEventCellOperations {
public:
  virtual ~TEventCellOperations() = default;

  // Given at every map load; either may be nothing (no project, no map open).
  void SetMap(TXelMapTree* mapTree, TXelMap* map);
  TXelMapTree* MapTree() const { return mapTree_; }
  TXelMap* Map() const { return map_; }

  // Every operation first stores the cell in X, Y and finds what stands there
  // (FoundId): the first event on the cell, else the first start mark of this map there
  // (60001 party, 60002 boat, 60003 ship, 60004 airship), else 0.
  int32_t FindAt(int32_t x, int32_t y);
  // "Hero", "Boat", "Ship", "Airship", the event's name, or empty.
  std::string NameAt(int32_t x, int32_t y);

  // The existing event on the cell, or a new one with the free id, named by it, with
  // page 1 showing the tile NewGraphic. Nothing on a start mark or with no free id.
  std::optional<TEventEditTarget> PrepareEditAt(int32_t x, int32_t y, int32_t newGraphic);
  // The editor's apply: the map's event Id becomes a copy of Event on the cell of the
  // last operation.
  void StoreEvent(int32_t id, const TXelEventItem& event);

  // Each returns whether it did anything; every change fires OnChange.
  bool CopyAt(int32_t x, int32_t y);
  bool CutAt(int32_t x, int32_t y);
  // Only on an empty cell with a free id, and only when the whole 563 block is one event
  // or one start mark: then a start mark moves here, or the event is added under the
  // free id, renamed by PastedEventName.
  bool PasteAt(int32_t x, int32_t y);
  // An event goes; a start mark goes to map 0 at (0, 0).
  bool DeleteAt(int32_t x, int32_t y);
  // Start position Index (0 party, 1 boat, 2 ship, 3 airship) := this map and cell;
  // only on an empty cell.
  bool SetStartPosition(int32_t x, int32_t y, int index);

  // A new event for the teleport command dialog, as PrepareEditAt makes one; nothing on
  // a cell that is not empty or with no free id.
  std::optional<TEventEditTarget> PrepareTeleportAt(int32_t x, int32_t y);
  // Page 1 runs erase screen, the teleport lines (head at depth 0), show screen, on hero
  // touch; the map takes the event.
  void StoreTeleportEvent(const TEventEditTarget& target, const TXelEventScriptList& teleport);

  std::function<void()> OnChange;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t FoundId = 0;

private:
  void Changed();
  void PlaceStart(int index, int32_t mapId, int32_t x, int32_t y);
  // A new event with the free id on the current cell, or nothing.
  std::optional<TEventEditTarget> NewEventTarget() const;

  TXelMapTree* mapTree_ = nullptr;
  TXelMap* map_ = nullptr;
  // What FindAt found: an event (also one whose id from a file reaches the start marks'
  // range), else the index of a start mark, else -1.
  TXelEventItem* foundEvent_ = nullptr;
  int foundMark_ = -1;
};

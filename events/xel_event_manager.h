// The map editor's event operations with their windows: the event editor for editing
// and creating an event, the vehicle choice for a vehicle's start, and the teleport
// command dialog for a ready teleport event. What needs no window is the core's
// TEventCellOperations; the program installs this manager as the map editor's
// TMapEventOperations in its composition (app/composition.cpp).
#pragma once

#include <functional>

#include "core/event_cell_ops.h"
#include "shell/map/map_event_operations.h"

class TXelEventManager : public TMapEventOperations {
public:
  // Owner: the map editor, owner of the dialogs the operations open.
  explicit TXelEventManager(QWidget* owner);

  void SetMap(TXelMapTree* tree, TXelMap* map) override;
  std::string NameAt(int x, int y) override;
  // Opens the event editor on the cell's event, or on a new one showing the tile
  // NewGraphic; nothing on a start mark or with no free id.
  void EditAt(int x, int y, int new_graphic) override;
  void CutAt(int x, int y) override;
  void CopyAt(int x, int y) override;
  void PasteAt(int x, int y) override;
  void DeleteAt(int x, int y) override;
  void NewTeleportEvent(int x, int y) override;
  void SetPartyStart(int x, int y) override;
  void SetVehicleStart(int x, int y) override;

  // Asks which vehicle starts on the cell: 1 boat, 2 ship, 3 airship, 0 for none. The
  // default asks the map position dialog of the vehicles.
  std::function<int(QWidget* owner)> ChooseVehicle;

  TEventCellOperations& Cells() { return cells_; }

private:
  QWidget* owner_;
  TEventCellOperations cells_;
};

// The event operations the map editor's event mode reaches by menu, key and double click.
// They open the event editor and its dialogs, which belong to the event scripting layer
// above the shell, so the editor calls them through this interface and the program
// installs the implementation in its composition. Without one (the shell's own tests)
// the items do nothing.
#pragma once

#include <functional>
#include <memory>
#include <string>

class QWidget;
class TXelMap;
class TXelMapTree;

class TMapEventOperations {
public:
  virtual ~TMapEventOperations() = default;

  // At every map load.
  virtual void SetMap(TXelMapTree* tree, TXelMap* map) = 0;
  // What the status bar names for a cell: the event's name or the start mark's.
  virtual std::string NameAt(int x, int y) = 0;
  // NewGraphic: the upper tile index a new event shows.
  virtual void EditAt(int x, int y, int new_graphic) = 0;
  virtual void CutAt(int x, int y) = 0;
  virtual void CopyAt(int x, int y) = 0;
  virtual void PasteAt(int x, int y) = 0;
  virtual void DeleteAt(int x, int y) = 0;
  virtual void NewTeleportEvent(int x, int y) = 0;
  virtual void SetPartyStart(int x, int y) = 0;
  virtual void SetVehicleStart(int x, int y) = 0;

  // Fires after every change of the map's events or start positions.
  std::function<void()> OnChange;
};

// Makes the operations of a map editor (its Owner owns the dialogs they open).
using TMapEventOperationsFactory = std::function<std::unique_ptr<TMapEventOperations>(QWidget*)>;
void InstallMapEventOperations(TMapEventOperationsFactory factory);
// Nothing until a factory is installed.
std::unique_ptr<TMapEventOperations> CreateMapEventOperations(QWidget* owner);

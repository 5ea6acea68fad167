#include "app/composition.h"

#include <memory>

#include "database/database_window.h"
#include "events/xel_event_manager.h"
#include "framework/pickers/form_material_base.h"
#include "framework/pickers/sel_music.h"
#include "shell/common/main_window_docks.h"
#include "shell/map/map_event_operations.h"

// The Qt stand-ins of the core's busy cursor and clipboard, the message-box log and the
// application object's rule of which widgets are forms are set by ProgramMain
// (shell/startup.cpp) for the application object's lifetime; they have working defaults,
// so they are not hooks.
void ComposeProgram() {
  // The map editor's event mode opens the event editor and its dialogs.
  InstallMapEventOperations(
      [](QWidget* owner) { return std::make_unique<TXelEventManager>(owner); });

  // The main window's tools.
  MainWindowTools().DataBase = &OpenDataBaseWindow;
  MainWindowTools().MaterialManager = [](QWidget* owner) {
    TFormMaterialBase dialog(owner);
    dialog.Execute();
  };
  MainWindowTools().MusicSelector = [](QWidget* owner) {
    TFormSelMusic dialog(owner);
    dialog.ListenOnly = 1;
    dialog.Execute();
  };
}

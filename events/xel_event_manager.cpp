#include "events/xel_event_manager.h"

#include "core/busy_cursor.h"
#include "core/database.h"
#include "core/map.h"
#include "events/form_ed_event.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/window_placement.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "shell/map/map_dialogs.h"

namespace {

constexpr int32_t TeleportCode = 10810;

// The vehicle is chosen in the vehicle dialog; 0 when it was cancelled.
int AskVehicle(QWidget* owner) {
  TFormMapShipPos dialog(owner);
  CenterFormOverOwner(&dialog);
  return OpenModal(dialog) ? dialog.Vehicle : 0;
}

} // namespace

TXelEventManager::TXelEventManager(QWidget* owner) : ChooseVehicle(AskVehicle), owner_(owner) {
  cells_.OnChange = [this] {
    if (OnChange) OnChange();
  };
}

void TXelEventManager::SetMap(TXelMapTree* tree, TXelMap* map) {
  cells_.SetMap(tree, map);
}

std::string TXelEventManager::NameAt(int x, int y) {
  return cells_.NameAt(x, y);
}

void TXelEventManager::EditAt(int x, int y, int new_graphic) {
  std::optional<TEventEditTarget> target = cells_.PrepareEditAt(x, y, new_graphic);
  // An event whose id from a file lies among the start marks' is not edited as an event.
  if (!target || target->Id > MaxMapEventId) return;
  TFormEDEvent form(owner_);
  {
    TBusyCursor busy;
    CenterFormOverOwner(&form);
    form.MapTree = cells_.MapTree();
    form.Map = cells_.Map();
    form.EventId = target->Id;
    form.Event.Id = target->Id;
    form.Event.Assign(*target->Event);
    form.SetApplyEnabled(target->IsNew);
    form.OnApply = [this, &form, x, y] {
      // The cell of this edit, whatever was looked at meanwhile.
      cells_.X = x;
      cells_.Y = y;
      cells_.StoreEvent(form.EventId, form.Event);
    };
  }
  OpenModal(form);
}

void TXelEventManager::CutAt(int x, int y) {
  cells_.CutAt(x, y);
}

void TXelEventManager::CopyAt(int x, int y) {
  cells_.CopyAt(x, y);
}

void TXelEventManager::PasteAt(int x, int y) {
  cells_.PasteAt(x, y);
}

void TXelEventManager::DeleteAt(int x, int y) {
  cells_.DeleteAt(x, y);
}

void TXelEventManager::SetPartyStart(int x, int y) {
  cells_.SetStartPosition(x, y, 0);
}

void TXelEventManager::SetVehicleStart(int x, int y) {
  if (cells_.FindAt(x, y) != 0) return;
  const int vehicle = ChooseVehicle ? ChooseVehicle(owner_) : 0;
  if (vehicle >= 1 && vehicle <= 3) cells_.SetStartPosition(x, y, vehicle);
}

void TXelEventManager::NewTeleportEvent(int x, int y) {
  // The teleport dialog comes with its command group; until then there is nothing to open.
  if (!FindRegisteredForm(TFormGroup::Command, TeleportCode)) return;
  std::optional<TEventEditTarget> target = cells_.PrepareTeleportAt(x, y);
  if (!target) return;
  auto dialog = CreateRegisteredForm<TFormEvCmdBase>(TFormGroup::Command, TeleportCode, owner_);
  if (!dialog) return;
  CenterFormOverOwner(dialog.get());
  TXelEventScriptList lines;
  dialog->ScriptList = &lines;
  dialog->EventId = target->Id;
  dialog->Event = target->Event.get();
  dialog->MapTree = cells_.MapTree();
  dialog->Map = cells_.Map();
  if (OpenModal(*dialog)) {
    cells_.X = x;
    cells_.Y = y;
    cells_.StoreTeleportEvent(*target, lines);
  }
  if (dialog->DataChanged && GlobalDataBase) GlobalDataBase->SaveProjectDataBase();
}

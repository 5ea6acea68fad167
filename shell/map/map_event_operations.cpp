#include "shell/map/map_event_operations.h"

#include "core/hook.h"

namespace {

THook<std::unique_ptr<TMapEventOperations>(QWidget*)> Factory("MapEventOperations");

} // namespace

void InstallMapEventOperations(TMapEventOperationsFactory factory) {
  Factory = std::move(factory);
}

std::unique_ptr<TMapEventOperations> CreateMapEventOperations(QWidget* owner) {
  return Factory ? Factory(owner) : nullptr;
}

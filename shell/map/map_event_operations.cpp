#include "shell/map/map_event_operations.h"

namespace {

TMapEventOperationsFactory& Factory() {
  static TMapEventOperationsFactory factory;
  return factory;
}

} // namespace

void InstallMapEventOperations(TMapEventOperationsFactory factory) {
  Factory() = std::move(factory);
}

std::unique_ptr<TMapEventOperations> CreateMapEventOperations(QWidget* owner) {
  return Factory() ? Factory()(owner) : nullptr;
}

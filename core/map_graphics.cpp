#include "core/map_graphics.h"

namespace {

class TNoMapGraphics final : public TMapGraphics {
public:
  void ReloadChipSet(const TXelChipSetItem*) override {}
  void ClearChipSetGraphic() override {}
  void MarkAllCharSetsUnused() override {}
  void LoadCharSet(const std::string&) override {}
  void PurgeUnusedCharSets() override {}
  TXelChipSetGraphic* ChipSetGraphic() override { return nullptr; }
  TXelCharSetGraphic* CharSetGraphic() override { return nullptr; }
};

std::unique_ptr<TMapGraphics> DefaultMapGraphics() {
  return std::make_unique<TNoMapGraphics>();
}

TMapGraphicsFactory g_factory = nullptr;

} // namespace

std::unique_ptr<TMapGraphics> CreateMapGraphics() {
  return g_factory ? g_factory() : DefaultMapGraphics();
}

TMapGraphicsFactory SetMapGraphicsFactory(TMapGraphicsFactory factory) {
  TMapGraphicsFactory previous = g_factory;
  g_factory = factory;
  return previous;
}

#include "core/map_graphics.h"

#include "core/char_set_graphic.h"
#include "core/chip_set_graphic.h"

namespace {

// The chipset graphic and the character-set cache of one map.
class TXelMapGraphics final : public TMapGraphics {
public:
  void ReloadChipSet(const TXelChipSetItem* chipSet) override {
    chipSet_.Clear();
    chipSet_.SetChipSet(chipSet);
  }
  void ClearChipSetGraphic() override { chipSet_.Clear(); }
  void MarkAllCharSetsUnused() override { charSets_.MarkAllUnused(); }
  void LoadCharSet(const std::string& name) override { charSets_.LoadCharSet(name); }
  void PurgeUnusedCharSets() override { charSets_.PurgeUnused(); }
  TXelChipSetGraphic* ChipSetGraphic() override { return &chipSet_; }
  TXelCharSetGraphic* CharSetGraphic() override { return &charSets_; }

private:
  TXelChipSetGraphic chipSet_;
  TXelCharSetGraphic charSets_;
};

std::unique_ptr<TMapGraphics> DefaultMapGraphics() {
  return std::make_unique<TXelMapGraphics>();
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

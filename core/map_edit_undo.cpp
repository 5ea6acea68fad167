#include "core/map_edit_undo.h"

#include <algorithm>

#include "core/map.h"

void TXelMapEditUndoManager::Resize(int width, int height) {
  // Only a recorded slot is ever read back, so none is sized or filled here: a map that is
  // loaded and never changed costs no snapshot memory. Same-sized ones keep their storage
  // for the next records.
  for (int i = 0; i < Slots; ++i)
    if (lower_[i].Width() != width || lower_[i].Height() != height) {
      lower_[i].Resize(0, 0);
      upper_[i].Resize(0, 0);
    }
  index_ = 0;
  count_ = 0;
}

void TXelMapEditUndoManager::Record(const TXelMap& map) {
  RecordLayers(map.LowerLayer, map.UpperLayer);
}

void TXelMapEditUndoManager::RecordLayers(const TXelMapLayer& lower, const TXelMapLayer& upper) {
  lower_[index_].Assign(lower);
  upper_[index_].Assign(upper);
  index_ = (index_ + 1) % Slots;
  count_ = std::min(count_ + 1, Slots);
}

bool TXelMapEditUndoManager::Undo(TXelMap& map) {
  if (count_ < 1) return false;
  const int slot = (index_ + Slots - 1) % Slots;
  // A snapshot of another size would leave the map's layers out of step with its size.
  if (lower_[slot].Width() != map.Width() || lower_[slot].Height() != map.Height()) return false;
  index_ = slot;
  --count_;
  map.LowerLayer.Assign(lower_[slot]);
  map.UpperLayer.Assign(upper_[slot]);
  return true;
}

// TXelMapEditUndoManager: the map editor's undo ring of three snapshots of both layers.
// A snapshot is always of the state before a change, so up to three changes can be
// taken back in a row.
#pragma once

#include <array>

#include "core/map_layer.h"

class TXelMap;

class TXelMapEditUndoManager {
public:
  static constexpr int Slots = 3;

  // Nothing is left to undo; snapshots of another size than Width x Height are let go (a
  // snapshot takes its size when it is recorded). At every map load.
  void Resize(int width, int height);
  // The map's two layers into the slot at the ring index, which then moves on.
  void Record(const TXelMap& map);
  // The same from given layers (the layers as they were when a stroke began).
  void RecordLayers(const TXelMapLayer& lower, const TXelMapLayer& upper);
  // Steps back and copies that snapshot into the map. Nothing when there is nothing to
  // undo, or when the snapshot no longer has the map's size.
  bool Undo(TXelMap& map);

  int Count() const { return count_; }
  void ClearCount() { count_ = 0; }

private:
  std::array<TXelMapLayer, Slots> lower_;
  std::array<TXelMapLayer, Slots> upper_;
  int index_ = 0;
  int count_ = 0;
};

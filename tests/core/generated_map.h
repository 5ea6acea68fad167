// A map made by code for the map view and map editing tests and benchmarks: every kind of
// tile (water with its corner sets, animated tiles, every variant of every terrain
// autotile, lower and upper chips, some empty upper cells), events with character and tile
// graphics, and the four start marks of the tree on it. Fixed seeds only.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "core/map.h"
#include "core/map_tree.h"

inline int GeneratedLowerTile(std::mt19937& rng) {
  switch (rng() % 4) {
  case 0:
    return int(rng() % 3000); // water: block, corner set, variant
  case 1:
    return 3000 + int(rng() % 150);
  case 2:
    return 4000 + int(rng() % 600);
  default:
    return 5000 + int(rng() % 144);
  }
}

// Events get ids 1..Events; half of them show a character of CharSetName, half a tile.
inline void GenerateMap(TXelMap& map, int width, int height, int events,
                        const std::string& char_set_name, TXelMapTree* tree = nullptr,
                        uint32_t seed = 2024) {
  std::mt19937 rng(seed);
  map.SetWidth(width);
  map.SetHeight(height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      map.LowerLayer.SetCell(x, y, uint16_t(GeneratedLowerTile(rng)));
      map.UpperLayer.SetCell(x, y, uint16_t(rng() % 3 == 0 ? 10000 + rng() % 144 : 10000));
    }
  for (int id = 1; id <= events; ++id) {
    TXelEventItem* event = map.Events.GetOrCreate(id);
    event->X = int32_t(rng() % uint32_t(width));
    event->Y = int32_t(rng() % uint32_t(height));
    TXelEventPageItem* page = event->Pages.Items(0);
    if (id % 2) page->GraphicName = char_set_name;
    page->GraphicIndex = int32_t(id % 2 ? rng() % 8 : rng() % 144);
    page->Direction = uint8_t(rng() % 4);
    page->Pattern = int32_t(rng() % 3);
  }
  if (!tree) return;
  for (int i = 0; i < 4; ++i) {
    tree->StartPosition.SetMapId(i, map.Id);
    tree->StartPosition.SetX(i, int32_t(rng() % uint32_t(width)));
    tree->StartPosition.SetY(i, int32_t(rng() % uint32_t(height)));
  }
}

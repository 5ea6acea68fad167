// A project folder with a generated chipset and character set, and generated maps drawn
// with them: the scene of the map view, palette and editor tests.
#pragma once

#include <memory>
#include <vector>

#include "core/chip_set_graphic.h"
#include "core/editor_mode.h"
#include "core/file_test_env.h"
#include "core/game_sheets.h"
#include "core/generated_map.h"
#include "core/glimra_board.h"
#include "core/image_file.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/project_path.h"

// The pixels of a board, row by row.
inline std::vector<uint16_t> Pixels(const TGlimraBoard& board) {
  std::vector<uint16_t> p;
  for (int y = 0; y < board.GetHeight(); ++y)
    p.insert(p.end(), board.GetRow(y), board.GetRow(y) + board.GetWidth());
  return p;
}

class MapViewScene : public FileTestEnv {
protected:
  void SetUp() override {
    FileTestEnv::SetUp();
    ProjectPath = Path("proj/");
    TBitmap chips = MakeGameBitmap(ChipSetWidth, ChipSetHeight, 11);
    FillPiece(chips, 192, 0, 16, 16, 0);   // lower chip 5000 empty
    FillPiece(chips, 288, 128, 16, 16, 0); // upper chip 10000 empty
    FillPiece(chips, 0, 0, 12, 12, 0);     // some see-through water
    Mkdir("proj/ChipSet");
    Mkdir("proj/CharSet");
    SaveBitmapToImageFile(chips, Path("proj/ChipSet/Tiles.png"));
    SaveBitmapToImageFile(MakeGameBitmap(288, 256, 3), Path("proj/CharSet/Folk.png"));
    item_.Graphic = "Tiles";
  }

  std::unique_ptr<TXelMap> MakeMap(int w, int h, int events, uint8_t scroll_type = 0) {
    auto map = std::make_unique<TXelMap>(1);
    GenerateMap(*map, w, h, events, "Folk", &tree_);
    map->SetScrollType(scroll_type);
    map->Graphics().ReloadChipSet(&item_);
    map->LoadCharSets();
    return map;
  }

  TApplicationTagScope editor_{EditorModeTag}; // the dimmed sheet exists
  TXelChipSetItem item_{1};
  TXelMapTree tree_;
};

// The scratch project of the map benchmarks: a temporary folder holding the generated
// run-time package's chipset and character set, and the generated 500 x 500 map drawn with
// them (every kind of tile, 1,000 events with character and tile graphics, the four start
// marks), loaded the way the editor loads a map.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "bench/bench_folder.h"
#include "core/char_set_graphic.h"
#include "core/chip_set_graphic.h"
#include "core/chipset_record.h"
#include "core/editor_mode.h"
#include "core/image_file.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/project_path.h"
#include "platform/rtp_generator/rtp_materials.h"
#include "tests/core/generated_map.h"

class TBenchProject {
public:
  static constexpr int MapSide = 500;
  static constexpr int EventCount = 1000;

  TBenchProject() {
    const std::filesystem::path& root = folder_.Root();
    std::filesystem::create_directories(root / "ChipSet");
    std::filesystem::create_directories(root / "CharSet");
    SaveBitmapToImageFile(DrawChipSet(), (root / "ChipSet" / RtpName::ChipSet).string() + ".png");
    SaveBitmapToImageFile(DrawCharSet(), (root / "CharSet" / RtpName::CharSet).string() + ".png");
    ProjectPath = folder_.AsProjectPath();
    chipSet_.Graphic = RtpName::ChipSet;
    map_ = std::make_unique<TXelMap>(1);
    GenerateMap(*map_, MapSide, MapSide, EventCount, RtpName::CharSet, &tree_);
    map_->Graphics().ReloadChipSet(&chipSet_);
    map_->LoadCharSets();
    ProjectPath.clear();
    // Drawing nothing would measure nothing.
    if (!map_->Graphics().ChipSetGraphic()->IsLoaded() ||
        !map_->Graphics().CharSetGraphic()->GetSheet(0))
      std::abort();
  }
  TXelMap& Map() { return *map_; }
  TXelMapTree& Tree() { return tree_; }

private:
  TApplicationTagScope editor_{EditorModeTag};
  TBenchFolder folder_;
  TXelChipSetItem chipSet_{1};
  TXelMapTree tree_;
  std::unique_ptr<TXelMap> map_;
};

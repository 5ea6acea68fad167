#include <gtest/gtest.h>

#include <string>

#include "allocation_probe.h"
#include "core/chipset_record.h"
#include "core/database_tables.h"
#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/map.h"
#include "core/var_int.h"
#include "file_form.h"
#include "hostile_files.h"
#include "record_checks.h"
#include "sample_records.h"

namespace {

// A new map (20 x 15, chipset 1, no events) as a file, derived by hand:
//   0A "XelMapUnit"                    header string
//   ChipSetId 1, Width 20, Height 15 hold their defaults: not written
//   0B 01 00                           11 ScrollType, Fixed: always written
//   panorama fields 31..38 at 0 / empty: not written
//   47 84 58 + 600 x 00                71 lower layer: 300 cells of 0 (600 = 0x84 0x58)
//   48 84 58 + 300 x (10 27)           72 upper layer: 300 cells of 10000 = 0x2710
//   51 01 00                           81 events: an empty list (count 0)
//   SaveCount 0: not written; then the end mark 00.
Bytes NewFileFormBytes() {
  Bytes b = {0x0A, 'X', 'e', 'l', 'M', 'a', 'p', 'U', 'n', 'i', 't', 0x0B, 0x01, 0x00};
  b.insert(b.end(), {0x47, 0x84, 0x58});
  b.insert(b.end(), 600, 0x00);
  b.insert(b.end(), {0x48, 0x84, 0x58});
  for (int i = 0; i < 300; ++i)
    b.insert(b.end(), {0x10, 0x27});
  b.insert(b.end(), {0x51, 0x01, 0x00, 0x00});
  return b;
}

// A map record from hand-made chunks (no header), ended by 0.
Bytes Record(std::initializer_list<Bytes> chunks) {
  Bytes b;
  for (const Bytes& c : chunks)
    b.insert(b.end(), c.begin(), c.end());
  b.push_back(0x00);
  return b;
}

Bytes IntChunk(int id, int32_t value) {
  TMemoryStream s;
  WriteVarInt(s, id);
  WriteVarInt(s, value, true);
  return s.Bytes();
}

Bytes LayerChunk(int id, size_t cells, uint16_t value) {
  TMemoryStream s;
  WriteVarInt(s, id);
  WriteVarInt(s, static_cast<int32_t>(cells * 2));
  for (size_t i = 0; i < cells; ++i) {
    const uint8_t le[2] = {uint8_t(value), uint8_t(value >> 8)};
    s.WriteBuffer(le, 2);
  }
  return s.Bytes();
}

void ExpectConsistent(const TXelMap& map) {
  EXPECT_GE(map.Width(), 1);
  EXPECT_GE(map.Height(), 1);
  EXPECT_EQ(map.LowerLayer.Width(), map.Width());
  EXPECT_EQ(map.UpperLayer.Height(), map.Height());
  EXPECT_EQ(map.LowerLayer.Cells().size(), size_t(map.Width()) * size_t(map.Height()));
  EXPECT_EQ(map.UpperLayer.Cells().size(), size_t(map.Width()) * size_t(map.Height()));
}

TEST(MapLayer, CellsInsideOutsideAndWrapped) {
  TXelMapLayer layer(7);
  ASSERT_EQ(layer.Width(), 20);
  ASSERT_EQ(layer.Height(), 15);
  EXPECT_EQ(layer.GetCell(0, 0), 7);
  layer.SetCell(19, 0, 4001);
  layer.SetCell(0, 14, 5000);
  layer.SetCell(20, 0, 1); // outside: ignored
  layer.SetCell(-1, 3, 1);
  EXPECT_EQ(layer.GetCell(19, 0), 4001);
  EXPECT_EQ(layer.GetCell(-1, 0), -1);
  EXPECT_EQ(layer.GetCell(0, 15), -1);
  layer.WrapX = 1;
  EXPECT_EQ(layer.GetCell(-1, 0), 4001);
  EXPECT_EQ(layer.GetCell(-41, 0), 4001); // any distance comes back
  EXPECT_EQ(layer.GetCell(39, 0), 4001);
  EXPECT_EQ(layer.GetCell(0, -1), -1); // no vertical wrap
  layer.WrapY = 1;
  EXPECT_EQ(layer.GetCell(20, -1), 5000);
  EXPECT_EQ(std::count(layer.Cells().begin(), layer.Cells().end(), 7), 298);

  // A layer with no cells answers -1 even when it wraps.
  layer.Resize(0, 0);
  EXPECT_EQ(layer.GetCell(-1, -1), -1);
  EXPECT_EQ(layer.GetCell(0, 0), -1);
}

TEST(MapLayer, ResizeKeepsTheTopLeftAndFillsNewCells) {
  TXelMapLayer upper(10000);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x)
      upper.SetCell(x, y, uint16_t(10000 + y * 20 + x));
  TXelMapLayer small;
  small.Assign(upper);
  small.Resize(10, 10);
  ASSERT_EQ(small.Cells().size(), 100u);
  EXPECT_EQ(small.GetCell(9, 9), 10000 + 9 * 20 + 9);
  EXPECT_EQ(small.GetCell(3, 2), 10000 + 2 * 20 + 3);
  EXPECT_EQ(small.FillValue, 10000);

  upper.Resize(30, 20);
  EXPECT_EQ(upper.GetCell(19, 14), 10000 + 14 * 20 + 19);
  EXPECT_EQ(upper.GetCell(5, 7), 10000 + 7 * 20 + 5);
  EXPECT_EQ(upper.GetCell(20, 0), 10000);
  EXPECT_EQ(upper.GetCell(0, 15), 10000);
  EXPECT_EQ(upper.GetCell(29, 19), 10000);

  upper.SetWidth(-5);
  EXPECT_EQ(upper.Width(), 0);
  EXPECT_TRUE(upper.Cells().empty());
  upper.Reset();
  EXPECT_EQ(upper.Cells().size(), 300u);
  EXPECT_EQ(upper.GetCell(0, 0), 10000);
}

TEST(Map, NewMapFileMatchesTheFieldTables) {
  TXelMap map(3);
  EXPECT_EQ(FileFormBytes(map), NewFileFormBytes());
  ExpectNoFieldAboveLastId(map);

  // Loading it over a changed map gives every default back.
  TXelMap back;
  back.SetWidth(50);
  back.ChipSetId = 4;
  back.SetScrollType(3);
  LoadFileForm(back, NewFileFormBytes());
  EXPECT_EQ(back.Width(), 20);
  EXPECT_EQ(back.Height(), 15);
  EXPECT_EQ(back.ChipSetId, 1);
  EXPECT_EQ(back.ScrollType, 0);
  EXPECT_EQ(back.UpperLayer.GetCell(19, 14), 10000);
  EXPECT_EQ(FileFormBytes(back), NewFileFormBytes());
}

TEST(Map, EveryFieldRoundTrips) {
  TXelMap map(1);
  map.ChipSetId = 3;
  map.SetWidth(33);
  map.SetHeight(7);
  map.SetScrollType(2);
  map.UsePanorama = 1;
  map.PanoramaName = "Sky\xE9";
  map.HorizontalPan = 1;
  map.VerticalPan = 1;
  map.HorizontalAutoScroll = 1;
  map.HorizontalSpeed = -20;
  map.VerticalAutoScroll = 1;
  map.VerticalSpeed = 20;
  map.SaveCount = 41;
  map.LowerLayer.SetCell(32, 6, 4049);
  map.UpperLayer.SetCell(0, 0, 10143);
  TXelEventItem* ev = map.Events.GetOrCreate(5000);
  ev->X = 32;
  ev->Y = 6;
  ev->Pages.Items(0)->GraphicName = "Walk1";
  const Bytes saved = FileFormBytes(map);

  TXelMap back;
  LoadFileForm(back, saved);
  EXPECT_EQ(back.Width(), 33);
  EXPECT_EQ(back.HorizontalSpeed, -20);
  EXPECT_EQ(back.LowerLayer.GetCell(32, 6), 4049);
  EXPECT_EQ(FileFormBytes(back), saved);
  TXelMap copy;
  copy.Assign(map);
  EXPECT_EQ(FileFormBytes(copy), saved);
}

TEST(Map, SizesAndLayersFromAFileAreChecked) {
  const Bytes good =
      Record({IntChunk(2, 3), IntChunk(3, 2), LayerChunk(71, 6, 4000), LayerChunk(72, 6, 10001)});
  TXelMap map;
  LoadBytes(map, good);
  EXPECT_EQ(map.Width(), 3);
  EXPECT_EQ(map.LowerLayer.GetCell(2, 1), 4000);
  EXPECT_EQ(map.UpperLayer.GetCell(2, 1), 10001);

  const std::vector<Bytes> hostile = {
      // A missing layer: every saved map holds both, and a file that declares a huge
      // size without cells must not cost that size.
      Record({IntChunk(2, 3), IntChunk(3, 2), LayerChunk(72, 6, 10001)}),
      Record({IntChunk(2, 2000), IntChunk(3, 2000)}),
      Record({IntChunk(2, 0), LayerChunk(71, 0, 0)}),                   // width 0
      Record({IntChunk(3, -4)}),                                        // negative height
      Record({IntChunk(2, 100000), IntChunk(3, 100000)}),               // far too many cells
      Record({IntChunk(2, 3), IntChunk(3, 2), LayerChunk(71, 5, 1)}),   // short layer
      Record({IntChunk(2, 3), IntChunk(3, 2), LayerChunk(72, 7, 1)}),   // long layer
      Record({LayerChunk(71, 300, 1), IntChunk(2, 3), IntChunk(3, 2)}), // size after layer
  };
  for (const Bytes& bytes : hostile) {
    TXelMap bad;
    EXPECT_THROW(LoadBytes(bad, bytes), EReadError);
    ExpectConsistent(bad);
    TMemoryStream out;
    bad.SaveToStream(out); // still a map that saves
  }

  // A cut file leaves a consistent map too.
  Bytes cut = good;
  cut.resize(cut.size() - 5);
  TXelMap partial;
  EXPECT_THROW(LoadBytes(partial, cut), EReadError);
  ExpectConsistent(partial);

  TXelMap header;
  Bytes wrong = NewFileFormBytes();
  wrong[1] = 'x';
  try {
    LoadFileForm(header, wrong);
    ADD_FAILURE() << "a wrong header loaded";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "A reading error from the stream");
  }
}

// The cell data is found short before the layers are sized for 16257 x 107 cells, and
// the failed map keeps the default size.
TEST(Map, AHugeSizeWithShortCellDataIsRefusedBeforeTheLayersAreSized) {
  const Bytes hostile = HostileMap();
  ASSERT_EQ(hostile.size(), 111u);
  TXelMap map;
  const auto allocated =
      BytesAllocatedBy([&] { EXPECT_THROW(LoadFileForm(map, hostile), EReadError); });
  EXPECT_LT(allocated.value_or(0), 64u * 1024); // nothing to count without the sanitizer
  EXPECT_EQ(map.Width(), 20);
  EXPECT_EQ(map.Height(), 15);
  ExpectConsistent(map);
}

TEST(Map, SettersScrollTypeUnloadAndShift) {
  TXelMap map(8);
  map.SetScrollType(1);
  EXPECT_EQ(map.LowerLayer.WrapY + map.UpperLayer.WrapY * 2 + map.UpperLayer.WrapX * 4, 3);
  map.SetScrollType(2);
  EXPECT_TRUE(map.IsLoopHorizontal());
  EXPECT_EQ(map.UpperLayer.WrapX * 2 + map.LowerLayer.WrapY, 2);

  map.SetWidth(5);
  map.SetHeight(4);
  for (int x = 0; x < 5; ++x)
    map.LowerLayer.SetCell(x, 0, uint16_t(5000 + x));
  map.UpperLayer.SetCell(0, 3, 10007);
  TXelEventItem* a = map.Events.GetOrCreate(1);
  a->X = 4;
  a->Y = 3;
  TXelEventItem* b = map.Events.GetOrCreate(2);
  b->X = 0;
  b->Y = 0;

  map.Shift(1, 0);
  EXPECT_EQ(a->X, 0); // from the right edge round to the left
  EXPECT_EQ(b->X, 1);
  EXPECT_EQ(map.LowerLayer.GetCell(0, 0), 5004);
  EXPECT_EQ(map.LowerLayer.GetCell(1, 0), 5000);
  EXPECT_EQ(map.UpperLayer.GetCell(1, 3), 10007);
  EXPECT_EQ(map.LowerLayer.WrapX, 1); // the map's own wrap flags stay

  map.Shift(-6, 1); // more than the width back: -1 net, one row down
  EXPECT_EQ(a->X, 4);
  EXPECT_EQ(a->Y, 0);
  EXPECT_EQ(map.LowerLayer.GetCell(0, 1), 5000);
  EXPECT_EQ(map.UpperLayer.GetCell(0, 0), 10007);

  map.Unload();
  EXPECT_EQ(map.Id + map.Width() + map.ChipSetId + map.Events.GetCount(), 0);
  EXPECT_EQ(map.LowerLayer.GetCell(0, 0), -1);
  map.Shift(3, 3); // nothing to move, and no division by a zero size

  map.Clear();
  EXPECT_EQ(map.LowerLayer.WrapX, 0);
  EXPECT_EQ(FileFormBytes(map), NewFileFormBytes());
}

// Records what a map asks of its graphics.
struct TRecordingGraphics : TMapGraphics {
  static inline std::vector<std::string>* Log = nullptr;
  void ReloadChipSet(const TXelChipSetItem* c) override {
    Log->push_back("chipset " + (c ? c->Graphic : std::string("none")));
  }
  void ClearChipSetGraphic() override { Log->push_back("clear"); }
  void MarkAllCharSetsUnused() override { Log->push_back("mark"); }
  void LoadCharSet(const std::string& name) override { Log->push_back("charset " + name); }
  void PurgeUnusedCharSets() override { Log->push_back("purge"); }
  TXelChipSetGraphic* ChipSetGraphic() override { return nullptr; }
  TXelCharSetGraphic* CharSetGraphic() override { return nullptr; }
};

class MapGraphicsTest : public ::testing::Test {
protected:
  void SetUp() override {
    TRecordingGraphics::Log = &log;
    previous = SetMapGraphicsFactory(
        []() -> std::unique_ptr<TMapGraphics> { return std::make_unique<TRecordingGraphics>(); });
    chipSets.GetOrCreate(1)->Graphic = "Meadow";
    chipSets.GetOrCreate(2)->Graphic = "Town";
    ChipSetList = &chipSets;
  }
  void TearDown() override {
    ChipSetList = nullptr;
    SetMapGraphicsFactory(previous);
    TRecordingGraphics::Log = nullptr;
  }
  std::vector<std::string> log;
  TMapGraphicsFactory previous = nullptr;
  TXelChipSet chipSets;
};

TEST_F(MapGraphicsTest, LoadRebuildsTheChipSetAndTheCharacterSetsOfEveryPage) {
  TXelMap source;
  source.ChipSetId = 2;
  TXelEventItem* ev = source.Events.GetOrCreate(1);
  ev->Pages.Items(0)->GraphicName = "Hero";
  ev->Pages.Append(); // no graphic: not asked for
  ev->Pages.Append()->GraphicName = "Door";
  source.Events.GetOrCreate(4)->Pages.Items(0)->GraphicName = "Hero";
  const std::string file = ::testing::TempDir() + "graphics_map.lmu";
  source.SaveToFile(file);

  TXelMap map;
  log.clear();
  map.LoadFromFile(file);
  EXPECT_EQ(log, (std::vector<std::string>{"chipset Town", "mark", "charset Hero", "charset Door",
                                           "charset Hero", "purge"}));
  log.clear();
  map.ChipSetId = 1;
  map.ReloadChipSet();
  map.ClearChipSetGraphic();
  EXPECT_EQ(log, (std::vector<std::string>{"chipset Meadow", "clear"}));

  // Outside editor mode a chipset the database lacks is an error; in it, nothing bound.
  map.ChipSetId = 9;
  EXPECT_THROW(map.ReloadChipSet(), Exception);
  TApplicationTagScope editor(EditorModeTag);
  log.clear();
  map.ReloadChipSet();
  EXPECT_EQ(log, (std::vector<std::string>{"chipset none"}));
  std::remove(file.c_str());
}

} // namespace

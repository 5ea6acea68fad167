// Maps and the map tree on disk: project copies, working copies and the tree file.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/file_utils.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/project_path.h"
#include "file_form.h"
#include "file_test_env.h"
#include "generated_map.h"

namespace {

class MapFilesTest : public FileTestEnv {
protected:
  void SetUp() override {
    FileTestEnv::SetUp();
    Mkdir("proj");
    ProjectPath = Path("proj/");
  }

  // A fresh project as the project code makes it: root and map 1 (100 x 100) saved.
  void MakeProject(TXelMapTree& tree) {
    tree.AddMap(0, 0)->Name = "Untitled";
    TXelMapTreeItem* map = tree.AddMap(0, 1);
    map->Kind = mkMap;
    map->Name = "MAP0001";
    map->Changed = true;
    TXelMap current;
    current.SetWidth(100);
    current.SetHeight(100);
    current.SaveTempMap(1);
    tree.ActiveId = 1;
    tree.SaveMapTree();
  }

  std::string WorkingCopy(int id) { return TempMapPath(id).substr(root_.size()); }
};

TEST_F(MapFilesTest, SavingTheTreeMovesWorkingCopiesIntoTheProject) {
  TXelMapTree tree;
  MakeProject(tree);
  ASSERT_TRUE(Exists("proj/Map0001.lmu"));
  EXPECT_FALSE(Exists(WorkingCopy(1)));
  EXPECT_FALSE(tree.IsModified());
  const auto treeBytes = FileFormBytes(tree);
  EXPECT_EQ(Get("proj/KOVAX.lmt"), std::string(treeBytes.begin(), treeBytes.end()));

  TXelMap map;
  map.LoadProjectMap(1);
  EXPECT_EQ(map.Width(), 100);
  EXPECT_EQ(map.SaveCount, 2); // once as working copy, once into the project

  // Edit map 1, make map 2, switch between them through their working copies.
  map.LowerLayer.SetCell(99, 99, 5010);
  map.SaveTempMap(1);
  tree.FindById(1)->Changed = true;
  TXelMapTreeItem* second = tree.AddMap(1, 2);
  second->Kind = mkMap;
  second->Changed = true;
  map.Clear();
  map.ChipSetId = 2;
  map.SaveTempMap(2);

  map.LoadTempMap(1);
  EXPECT_EQ(map.LowerLayer.GetCell(99, 99), 5010);
  map.LoadProjectMap(1);
  EXPECT_EQ(map.LowerLayer.GetCell(99, 99), 0);
  map.LoadTempMap(2);
  EXPECT_EQ(map.ChipSetId, 2);
  EXPECT_EQ(map.Id, 2);

  tree.SaveMapTree();
  EXPECT_FALSE(tree.IsModified());
  EXPECT_FALSE(Exists(WorkingCopy(2)));
  map.LoadProjectMap(1);
  EXPECT_EQ(map.LowerLayer.GetCell(99, 99), 5010);
  EXPECT_EQ(map.SaveCount, 4);
  map.LoadProjectMap(2);
  EXPECT_EQ(map.ChipSetId, 2);

  // Deleted maps leave the project with the next save.
  tree.DeleteMap(2);
  EXPECT_TRUE(Exists("proj/Map0002.lmu"));
  tree.SaveMapTree();
  EXPECT_FALSE(Exists("proj/Map0002.lmu"));
  TXelMapTree loaded;
  loaded.LoadMapTree();
  EXPECT_EQ(FileFormBytes(loaded), FileFormBytes(tree));
}

TEST_F(MapFilesTest, ABrokenOrMissingWorkingCopyLeavesTheProjectMapAlone) {
  TXelMapTree tree;
  MakeProject(tree);
  const std::string before = Get("proj/Map0001.lmu");
  TXelMapTreeItem* second = tree.AddMap(0, 2);
  second->Kind = mkMap;
  second->Changed = true; // no working copy at all
  tree.FindById(1)->Changed = true;
  Put(WorkingCopy(1), "\x0AXelMapUnit\x02\x05"); // cut short
  tree.ActiveId = 2;

  try {
    tree.SaveMapTree();
    ADD_FAILURE() << "a broken working copy was saved without a word";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()),
              "The working copy Map0001.lmu could not be read; the project keeps its saved map\n"
              "The working copy Map0002.lmu could not be read; the project keeps its saved map");
  }
  EXPECT_EQ(Get("proj/Map0001.lmu"), before);
  EXPECT_FALSE(Exists("proj/Map0002.lmu"));
  EXPECT_TRUE(Exists(WorkingCopy(1)));
  EXPECT_TRUE(tree.FindById(1)->Changed);
  EXPECT_TRUE(tree.IsModified());
  // The rest was saved: the tree file knows the new map and the active one.
  TXelMapTree loaded;
  loaded.LoadMapTree();
  EXPECT_EQ(loaded.ActiveId, 2);
  EXPECT_NE(loaded.FindById(2), nullptr);
}

// The disk fills up while the tree file is written: nothing may count as saved, so the
// author is asked at closing and the next save does it all.
TEST_F(MapFilesTest, ATreeFileThatCannotBeWrittenLeavesEverythingForTheNextSave) {
  TXelMapTree tree;
  MakeProject(tree);
  const std::string oldTree = Get("proj/KOVAX.lmt");
  // A tree file far larger than a small map's, so a file size limit between the two
  // stops only the tree.
  tree.FindById(0)->Name = std::string(20000, 'n');
  TXelMapTreeItem* second = tree.AddMap(0, 2);
  second->Kind = mkMap;
  second->Changed = true;
  TXelMap map;
  map.ChipSetId = 2;
  map.SaveTempMap(2);
  tree.DeleteMap(1);

  {
    TFileSizeLimit full(10000);
    EXPECT_THROW(tree.SaveMapTree(), Exception);
  }

  EXPECT_EQ(Get("proj/KOVAX.lmt"), oldTree);
  EXPECT_TRUE(tree.IsModified());
  EXPECT_TRUE(second->Changed);
  EXPECT_EQ(tree.DeletedIds(), std::vector<int32_t>{1});
  EXPECT_TRUE(Exists("proj/Map0001.lmu"));
  EXPECT_TRUE(Exists(WorkingCopy(2)));

  tree.SaveMapTree();
  EXPECT_FALSE(tree.IsModified());
  EXPECT_FALSE(Exists("proj/Map0001.lmu"));
  EXPECT_FALSE(Exists(WorkingCopy(2)));
  map.LoadProjectMap(2);
  EXPECT_EQ(map.ChipSetId, 2);
  TXelMapTree loaded;
  loaded.LoadMapTree();
  EXPECT_EQ(FileFormBytes(loaded), FileFormBytes(tree));
}

TEST_F(MapFilesTest, LoadingTheTreeDropsTheWorkingCopiesOfItsEntries) {
  TXelMapTree tree;
  MakeProject(tree);
  TXelMap map;
  map.SaveTempMap(1);
  tree.FindById(1)->Changed = true;
  tree.LoadMapTree();
  EXPECT_FALSE(Exists(WorkingCopy(1)));
  EXPECT_FALSE(tree.IsModified());

  Put("proj/KOVAX.lmt", "\x0AXelMapTreX");
  EXPECT_THROW(tree.LoadMapTree(), EReadError);
  EXPECT_EQ(tree.GetCount(), 0);

  // An empty tree writes nothing.
  std::filesystem::remove(Path("proj/KOVAX.lmt"));
  tree.SaveMapTree();
  EXPECT_FALSE(Exists("proj/KOVAX.lmt"));
  EXPECT_THROW(tree.LoadMapTree(), EFileError);
}

TEST_F(MapFilesTest, MissingAndBrokenMapFilesInAndOutOfEditorMode) {
  TXelMap map;
  EXPECT_THROW(map.LoadProjectMap(5), EFileError);
  Put("proj/Map0005.lmu", "\x0AXelMapUnit\x01\x01\x07\x02\x01"); // chipset 7, then cut
  EXPECT_THROW(map.LoadProjectMap(5), EReadError);

  TApplicationTagScope editor(EditorModeTag);
  map.ChipSetId = 3;
  map.LoadProjectMap(6); // missing: the default map, quietly
  EXPECT_EQ(map.ChipSetId, 1);
  EXPECT_EQ(map.Width(), 20);
  EXPECT_FALSE(map.IsLoadFailed());

  // A file that is there but does not load is kept as read, reported, and not saved
  // over until the author accepts it.
  const std::string broken = Get("proj/Map0005.lmu");
  map.LoadProjectMap(5);
  EXPECT_EQ(map.ChipSetId, 7);
  EXPECT_EQ(map.Id, 5);
  ASSERT_TRUE(map.IsLoadFailed());
  EXPECT_EQ(map.LoadError, "Map0005.lmu could not be read completely; the map is not saved until "
                           "the author accepts it\nA reading error from the stream");
  map.Modified = true;
  EXPECT_THROW(map.SaveProjectMap(5), Exception);
  EXPECT_THROW(map.SaveTempMap(5), Exception);
  EXPECT_EQ(Get("proj/Map0005.lmu"), broken);
  EXPECT_EQ(map.SaveCount, 0);
  EXPECT_TRUE(map.Modified);
  map.AcceptPartialMap();
  map.SaveProjectMap(5);
  EXPECT_FALSE(map.Modified);
  map.LoadProjectMap(5);
  EXPECT_FALSE(map.IsLoadFailed());
  EXPECT_EQ(map.ChipSetId, 7);
  EXPECT_EQ(map.SaveCount, 1);
}

TEST_F(MapFilesTest, ProjectMapsAreFoundWhateverTheirCase) {
  TXelMap source;
  source.ChipSetId = 4;
  source.SaveToFile(Path("proj/MAP0003.LMU"));
  TXelMap map;
  map.LoadProjectMap(3);
  EXPECT_EQ(map.ChipSetId, 4);
  map.SaveProjectMap(3);
  EXPECT_FALSE(Exists("proj/Map0003.lmu"));
  map.LoadFromFile(Path("proj/MAP0003.LMU"));
  EXPECT_EQ(map.SaveCount, 2);
  map.DeleteProjectMap(3);
  EXPECT_FALSE(Exists("proj/MAP0003.LMU"));
}

TEST_F(MapFilesTest, AMapWrittenInPartsHasTheBytesOfItsFileForm) {
  // Layers beyond the size at which a save hands its bytes to the disk, events after them,
  // written in parts behind room for their length as wide as the last save's: each save
  // over the last, and the events' length growing or shrinking past that width.
  TXelMap map;
  map.SetWidth(400);
  map.SetHeight(400);
  for (int i = 0; i < 400 * 400; ++i) {
    map.LowerLayer.SetCell(i % 400, i / 400, uint16_t(4000 + i % 1000));
    map.UpperLayer.SetCell(i % 400, i / 400, uint16_t(10000 + i % 144));
  }
  const struct {
    int events;
    size_t nameLength;
  } rows[] = {{300, 150}, {300, 150}, {300, 7200}, {310, 7200}, {3, 10}, {300, 150}, {300, 151}};
  for (const auto& row : rows) {
    map.Events.Clear();
    for (int id = 1; id <= row.events; ++id)
      map.Events.GetOrCreate(id)->Name = std::string(row.nameLength, char('a' + id % 26));
    map.SaveToFile(Path("proj/Map0002.lmu"));
    const auto expected = FileFormBytes(map);
    ASSERT_EQ(Get("proj/Map0002.lmu"), std::string(expected.begin(), expected.end()))
        << row.events << " x " << row.nameLength;
  }
  EXPECT_EQ(map.SaveCount, int(std::size(rows)));
}

TEST_F(MapFilesTest, AMapSaveThatFailsPartWayKeepsTheOldFile) {
  // The parts are written on the feed's own thread: a failure there must still reach
  // the save, whether it hits the first part or a later one.
  TXelMap map;
  GenerateMap(map, 300, 300, 400, "");
  map.SaveToFile(Path("proj/Map0002.lmu"));
  const std::string old = Get("proj/Map0002.lmu");
  map.LowerLayer.SetCell(0, 0, 4001);
  for (const size_t limit : {size_t(1000), old.size() - 1000}) {
    {
      TFileSizeLimit full(limit);
      EXPECT_THROW(map.SaveToFile(Path("proj/Map0002.lmu")), Exception) << limit;
    }
    EXPECT_EQ(Get("proj/Map0002.lmu"), old) << limit;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("proj")), {}), 1) << limit;
  }
  map.SaveToFile(Path("proj/Map0002.lmu"));
  const auto expected = FileFormBytes(map);
  EXPECT_EQ(Get("proj/Map0002.lmu"), std::string(expected.begin(), expected.end()));
}

TEST_F(MapFilesTest, AMapReadAheadIsTakenAsItsOwnLoadWouldReadIt) {
  // Every field away from its default, so that one left behind shows in the bytes.
  TXelMap source;
  GenerateMap(source, 30, 20, 12, "");
  source.ChipSetId = 2;
  source.ScrollType = 3;
  source.UsePanorama = 1;
  source.PanoramaName = "Sky";
  source.HorizontalPan = 1;
  source.VerticalPan = 1;
  source.HorizontalAutoScroll = 1;
  source.HorizontalSpeed = 3;
  source.VerticalAutoScroll = 1;
  source.VerticalSpeed = -2;
  source.SaveToFile(Path("proj/Map0003.lmu"));

  TXelMap loaded;
  loaded.LoadFromFile(Path("proj/Map0003.lmu"));
  // A map with content of its own, unsaved, takes what was read ahead.
  TXelMap taker;
  GenerateMap(taker, 7, 9, 3, "", nullptr, 7);
  taker.Modified = true;
  taker.LoadError = "left from before";
  TXelMap ahead;
  ahead.LoadFromFileStrict(Path("proj/Map0003.lmu"));
  taker.TakeLoaded(ahead);
  EXPECT_EQ(FileFormBytes(taker), FileFormBytes(loaded));
  EXPECT_EQ(taker.Width(), 30);
  EXPECT_EQ(taker.LowerLayer.Width(), 30);
  EXPECT_EQ(taker.UpperLayer.Height(), 20);
  EXPECT_TRUE(taker.IsLoopHorizontal() && taker.UpperLayer.WrapX && taker.UpperLayer.WrapY);
  EXPECT_FALSE(taker.Modified);
  EXPECT_FALSE(taker.IsLoadFailed());
}

} // namespace

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include "core/database.h"
#include "core/database_tables.h"
#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/stream.h"
#include "core/var_int.h"
#include "database_generator.h"
#include "file_test_env.h"
#include "sample_records.h"

namespace {

Bytes SaveDataBase(TXelDataBase& db) {
  TMemoryStream s;
  db.SaveToStream(s);
  return s.Bytes();
}

void LoadDataBase(TXelDataBase& db, const Bytes& bytes) {
  TMemoryStream s(bytes);
  db.LoadFromStream(s);
}

// One table chunk: id, byte size, the table's bytes.
void AppendChunk(Bytes& out, int id, const Bytes& table) {
  TMemoryStream s;
  WriteVarInt(s, id);
  WriteVarInt(s, static_cast<int32_t>(table.size()));
  out.insert(out.end(), s.Bytes().begin(), s.Bytes().end());
  out.insert(out.end(), table.begin(), table.end());
}

// A list holding one new entry: count 1, Id 1, the entry's record.
template <class Item> Bytes OneEntryList() {
  Item item(1);
  Bytes list = {0x01, 0x01};
  const Bytes record = SaveBytes(item);
  list.insert(list.end(), record.begin(), record.end());
  return list;
}

TEST(DataBase, ANewDatabaseSavesOneEntryInEveryList) {
  TXelDataBase db;
  // Header: the string "XelDataBase" with its compressed length 11. Then chunks 11 to
  // 25, each a list of one new entry (count 1, Id 1, the record's bytes as the record
  // tests pin them) or, for 21 and 22, the record itself. The system record's save count
  // is 1 in the file: a save raises it first. Switches and variables are the smallest
  // case worked out in full: 17 03 01 01 00 (chunk 23, 3 bytes, count 1, Id 1, no fields).
  Bytes expected = {0x0B, 'X', 'e', 'l', 'D', 'a', 't', 'a', 'B', 'a', 's', 'e'};
  AppendChunk(expected, 11, OneEntryList<TXelPlayerItem>());
  AppendChunk(expected, 12, OneEntryList<TXelSkillItem>());
  AppendChunk(expected, 13, OneEntryList<TXelItemItem>());
  AppendChunk(expected, 14, OneEntryList<TXelMonsterItem>());
  AppendChunk(expected, 15, OneEntryList<TXelMonGroupItem>());
  AppendChunk(expected, 16, OneEntryList<TXelGroundItem>());
  AppendChunk(expected, 17, OneEntryList<TXelAttribItem>());
  AppendChunk(expected, 18, OneEntryList<TXelStatusItem>());
  AppendChunk(expected, 19, OneEntryList<TXelAnimationItem>());
  AppendChunk(expected, 20, OneEntryList<TXelChipSetItem>());
  TXelVocabulary vocabulary;
  AppendChunk(expected, 21, SaveBytes(vocabulary));
  TXelSystem system;
  AppendChunk(expected, 22, SaveBytes(system));
  expected.insert(expected.end(), {0x17, 0x03, 0x01, 0x01, 0x00});
  expected.insert(expected.end(), {0x18, 0x03, 0x01, 0x01, 0x00});
  AppendChunk(expected, 25, OneEntryList<TXelCommonEventItem>());
  EXPECT_EQ(SaveDataBase(db), expected);
  EXPECT_EQ(db.System().SaveCount, 1);

  // And it loads back to the same tables.
  TXelDataBase back;
  LoadDataBase(back, expected);
  back.System().SaveCount = 0;
  EXPECT_EQ(SaveDataBase(back), expected);
}

TEST(DataBase, TheTablesArePublishedWhileTheDatabaseLives) {
  {
    TXelDataBase db;
    EXPECT_EQ(PlayerList, &db.Players());
    EXPECT_EQ(StatusList, &db.Statuses());
    EXPECT_EQ(CommonEventList, &db.CommonEvents());
    // Tables read aside stay out of sight until the published database takes them; the
    // aside one then holds the old tables and withdraws nothing when it goes.
    TXelChipSet* read = nullptr;
    {
      TXelDataBase aside(TXelDataBase::TUnpublished{});
      aside.Items().GetOrCreate(1)->Name = "Tonic";
      read = &aside.ChipSets();
      EXPECT_EQ(ItemList, &db.Items());
      db.TakeTablesOf(aside);
    }
    EXPECT_EQ(&db.ChipSets(), read);
    EXPECT_EQ(ChipSetList, read);
    EXPECT_EQ(ItemList, &db.Items());
    EXPECT_EQ(db.Items().GetItemById(1)->Name, "Tonic");
  }
  EXPECT_EQ(PlayerList, nullptr);
  EXPECT_EQ(SystemData, nullptr);
}

TEST(DataBase, SkipsUnknownChunksAndRefusesAWrongHeader) {
  TXelDataBase db;
  db.Switches().GetOrCreate(2)->Name = "Door";
  Bytes bytes = SaveDataBase(db);
  bytes.insert(bytes.end(), {0x1E, 0x02, 0xAA, 0xBB}); // chunk 30, two bytes
  TXelDataBase back;
  LoadDataBase(back, bytes);
  EXPECT_EQ(back.Switches().GetItemById(2)->Name, "Door");

  Bytes wrong = bytes;
  wrong[1] = 'x';
  try {
    LoadDataBase(back, wrong);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "A reading error from the stream");
  }
}

TEST(DataBase, EveryTruncationRaisesOrLoads) {
  TXelDataBase db;
  db.Players().Append()->Name = "Second";
  const Bytes full = SaveDataBase(db);
  for (size_t n = 0; n < full.size(); ++n) {
    TXelDataBase target;
    try {
      LoadDataBase(target, Bytes(full.begin(), full.begin() + n));
    } catch (const EReadError&) {
    }
  }
  // A chunk size beyond the end is an error, not a short read.
  Bytes bad = {0x0B, 'X', 'e', 'l', 'D', 'a', 't', 'a', 'B', 'a', 's', 'e', 0x0B, 0x8F, 0x7F};
  TXelDataBase target;
  EXPECT_THROW(LoadDataBase(target, bad), EReadError);
}

TEST(DataBase, AGeneratedLargeDatabaseRoundTripsApartFromTheSaveCount) {
  TXelDataBase db;
  TDataBaseGenerator(2024).Fill(db, 300);
  const Bytes first = SaveDataBase(db);
  TXelDataBase back;
  LoadDataBase(back, first);
  EXPECT_EQ(back.System().SaveCount, 1);
  EXPECT_EQ(back.CommonEvents().GetCount(), 300);
  EXPECT_EQ(back.Animations().GetItemById(300)->GetFrameCount(), 30);
  back.System().SaveCount = 0;
  EXPECT_EQ(SaveDataBase(back), first);
}

// A stream that is not in memory: nested records go through their separate buffers.
class TAppendOnlyStream final : public TStream {
public:
  Bytes Data;

protected:
  int64_t DoGetSize() const override { return int64_t(Data.size()); }
  int64_t DoGetPosition() const override { return int64_t(Data.size()); }
  void DoSetPosition(int64_t) override {}
  size_t DoRead(void*, size_t) override { return 0; }
  void DoWrite(const void* buffer, size_t count) override {
    Data.insert(Data.end(), static_cast<const uint8_t*>(buffer),
                static_cast<const uint8_t*>(buffer) + count);
  }
};

TEST(DataBase, ASaveInPlaceEqualsASaveThroughSeparateBuffers) {
  // Nested records of every length class (one-, two- and three-byte lengths) are saved in
  // place in memory, with room for lengths as wide as their forerunners' (too wide, too
  // narrow or right); each must come out as the same bytes, in every save.
  TXelDataBase db;
  TDataBaseGenerator(99).Fill(db, 150);
  TAppendOnlyStream apart;
  db.SaveToStream(apart);
  EXPECT_GT(apart.Data.size(), 100000u);
  for (int save = 0; save < 2; ++save) {
    db.System().SaveCount = 0; // each save counts itself
    EXPECT_EQ(SaveDataBase(db), apart.Data) << save;
  }
}

TEST(DataBase, AReloadIntoTheRecordsItHoldsEqualsALoadIntoNewOnes) {
  // A reload fills the records, frames and script lines it holds (and those a Reset put
  // aside) rather than making new ones: nothing of the earlier file may show through.
  const auto fileOf = [](uint32_t seed, int count) {
    TXelDataBase db;
    TDataBaseGenerator(seed).Fill(db, count);
    return SaveDataBase(db);
  };
  const Bytes big = fileOf(2024, 120), small = fileOf(7, 30);
  for (const bool reset : {true, false}) {
    TXelDataBase db;
    for (const Bytes* file : {&big, &small, &big, &small}) {
      if (reset) db.Reset();
      LoadDataBase(db, *file);
      TXelDataBase fresh;
      LoadDataBase(fresh, *file);
      EXPECT_EQ(SaveDataBase(db), SaveDataBase(fresh)) << reset;
    }
  }
}

class DataBaseFile : public FileTestEnv {
protected:
  void SetUp() override {
    FileTestEnv::SetUp();
    Mkdir("project");
    ProjectPath = Path("project/");
  }
};

TEST_F(DataBaseFile, SavesAndLoadsTheProjectFile) {
  TXelDataBase db;
  db.Items().GetOrCreate(1)->Name = "Tonic";
  db.SaveProjectDataBase();
  EXPECT_TRUE(Exists("project/KOVAX.ldb"));
  TXelDataBase other;
  EXPECT_TRUE(other.LoadProjectDataBase());
  EXPECT_EQ(other.Items().GetItemById(1)->Name, "Tonic");
  EXPECT_EQ(other.System().SaveCount, 1);
  // A project from a case-blind file system: the file is found and rewritten in place.
  std::filesystem::rename(Path("project/KOVAX.ldb"), Path("project/kovax.LDB"));
  PathResolver().Clear();
  EXPECT_TRUE(other.LoadProjectDataBase());
  other.SaveProjectDataBase();
  EXPECT_FALSE(Exists("project/KOVAX.ldb"));
  TXelDataBase third;
  EXPECT_TRUE(third.LoadProjectDataBase());
  EXPECT_EQ(third.System().SaveCount, 2);
}

TEST_F(DataBaseFile, ASaveAfterALargerOneWritesOnlyItsOwnBytes) {
  // Every save writes over the buffer of the one before: nothing of it may show through.
  TXelDataBase db, twin;
  TDataBaseGenerator(5).Fill(db, 60);
  db.SaveDataBaseFile(Path("project/KOVAX.ldb"));
  db.Reset();
  for (TXelDataBase* each : {&db, &twin}) {
    each->Items().GetOrCreate(1)->Name = "Tonic";
    each->SaveDataBaseFile(Path(each == &db ? "project/KOVAX.ldb" : "project/twin.ldb"));
  }
  EXPECT_EQ(Get("project/KOVAX.ldb"), Get("project/twin.ldb"));
}

TEST_F(DataBaseFile, AnUnchangedFileReloadsWithoutAReset) {
  TXelDataBase db;
  db.Animations().GetOrCreate(1)->Name = "Slash";
  db.Animations().GetOrCreate(1)->NeedsSerialize = 1;
  const std::string file = Path("project/KOVAX.ldb");
  db.SaveDataBaseFile(file);
  ASSERT_TRUE(db.LoadDataBaseFile(file));
  // A mark the file does not hold: it survives a reload only if no Reset happened and the
  // unchanged animation was kept as parsed.
  db.Animations().GetItemById(1)->Graphic = "marker";
  ASSERT_TRUE(db.LoadDataBaseFile(file));
  EXPECT_EQ(db.Animations().GetItemById(1)->Graphic, "marker");

  // The same size, another content: a fresh stamp, so everything is rebuilt.
  TXelDataBase writer;
  writer.Animations().GetOrCreate(1)->Name = "Stab!";
  writer.Animations().GetOrCreate(1)->NeedsSerialize = 1;
  writer.SaveDataBaseFile(file);
  ASSERT_TRUE(db.LoadDataBaseFile(file));
  EXPECT_EQ(db.Animations().GetItemById(1)->Name, "Stab!");
  EXPECT_EQ(db.Animations().GetItemById(1)->Graphic, "");
}

TEST_F(DataBaseFile, FailedLoadsRaiseOutsideEditorModeAndAreReportedInIt) {
  Put("project/KOVAX.ldb", "NotADataBase");
  const std::string file = Path("project/KOVAX.ldb");
  TXelDataBase db;
  db.Switches().GetOrCreate(1)->Name = "kept";
  EXPECT_THROW(db.LoadDataBaseFile(file), EReadError);
  EXPECT_THROW(db.LoadDataBaseFile(Path("project/none.ldb")), EFileError);
  {
    TApplicationTagScope editor(EditorModeTag);
    EXPECT_FALSE(db.LoadDataBaseFile(file));
    EXPECT_EQ(db.LastLoadError(), "KOVAX.ldb could not be read completely; the database is not "
                                  "saved until it loads without error\nA reading error from the "
                                  "stream");
    EXPECT_EQ(db.CachedStamp(), TFileStamp{});
    EXPECT_FALSE(db.LoadDataBaseFile(Path("project/none.ldb")));
    EXPECT_EQ(db.LastLoadError(),
              "none.ldb is missing; the database is not saved until it loads without error");
    // The tables keep what they held when the load stopped.
    EXPECT_EQ(db.Switches().GetCount(), 1);
  }
}

// One damaged byte: the tables after the damage keep their defaults, or hold what shifted
// bytes parsed into, so no save may write them over the file, in editor mode or not,
// until a load succeeds or the database is reset (a new project's). The message names
// the table by its tab and the byte where the damage showed.
TEST_F(DataBaseFile, ADatabaseWhoseLoadFailedIsNotSavedOverItsFile) {
  const std::string file = Path("project/KOVAX.ldb");
  {
    TXelDataBase writer;
    TDataBaseGenerator(3).Fill(writer, 30);
    writer.SaveDataBaseFile(file);
  }
  const std::string good = Get("project/KOVAX.ldb");
  const TTableChunk monsters = FindTableChunk(good, 14), skills = FindTableChunk(good, 12),
                    items = FindTableChunk(good, 13), animations = FindTableChunk(good, 19);
  const auto at = [](size_t byte) { return " at byte " + std::to_string(byte); };
  const struct {
    std::string bytes, detail;
  } rows[] = {
      // The count 0xFF runs on into the first Id: far more entries than the chunk holds.
      {DamageTable(good, 14), "The Monsters table is damaged" + at(monsters.DataAt + 2)},
      // The skills end where the items' chunk begins, a byte short of their length.
      {DamageTableLength(good, 12), "The Skills table is damaged" + at(items.At)},
      // Ids 10 and 30 belong to no table; the table whose id they took is then missing.
      {DamageTableId(good, 11, 10),
       "The Hero table is missing; the chunk" + at(12) + " belongs to no table"},
      {DamageTableId(good, 12, 30),
       "The Skills table is missing; the chunk" + at(skills.At) + " belongs to no table"},
      // The name takes a byte of the next field: what follows is read out of step.
      {DamageFirstName(good, 19), "The Battle Animation table is damaged at byte "},
  };
  TXelDataBase db;
  for (const auto& row : rows) {
    Put("project/KOVAX.ldb", row.bytes);
    for (const int tag : {EditorModeTag, 0}) {
      TApplicationTagScope scope(tag);
      if (tag == EditorModeTag)
        EXPECT_FALSE(db.LoadProjectDataBase());
      else
        EXPECT_THROW(db.LoadDataBaseFileStrict(file), EReadError);
      const std::string& error = db.LastLoadError();
      ASSERT_EQ(error.rfind("KOVAX.ldb could not be read completely; the database is not saved "
                            "until it loads without error\n" +
                                row.detail,
                            0),
                0u)
          << error;
      if (row.detail.back() == ' ') { // somewhere in the animations' chunk
        const size_t byte = std::stoul(error.substr(error.rfind(' ')));
        EXPECT_GT(byte, animations.DataAt);
        EXPECT_LE(byte, animations.DataAt + animations.Size);
      } else {
        EXPECT_EQ(error.size(), error.find('\n') + 1 + row.detail.size()) << error;
      }
      try {
        db.SaveProjectDataBase();
        ADD_FAILURE() << "saved over a damaged file " << tag;
      } catch (const Exception& e) {
        EXPECT_EQ(e.what(), db.LastLoadError());
      }
      EXPECT_THROW(db.SaveDataBaseFile(Path("project/other.ldb")), Exception) << tag;
      EXPECT_EQ(Get("project/KOVAX.ldb"), row.bytes) << tag;
      EXPECT_FALSE(Exists("project/other.ldb")) << tag;
    }
  }
  db.Reset();
  db.SaveDataBaseFile(Path("project/other.ldb"));
  Put("project/KOVAX.ldb", good);
  EXPECT_THROW(db.LoadDataBaseFile(Path("project/none.ldb")), EFileError);
  ASSERT_TRUE(db.LoadProjectDataBase());
  EXPECT_TRUE(db.LastLoadError().empty());
  db.SaveProjectDataBase();
  EXPECT_NE(Get("project/KOVAX.ldb"), good); // the save count went up
}

TEST_F(DataBaseFile, AFailedSaveRaisesAndLeavesTheOldFile) {
  TXelDataBase db;
  const std::string file = Path("project/KOVAX.ldb");
  db.SaveDataBaseFile(file);
  const std::string old = Get("project/KOVAX.ldb");
  for (int i = 1; i <= 200; ++i)
    db.Switches().GetOrCreate(i)->Name = std::string(50, 's');
  // A file size limit makes the write fail half-way, as a full disk would; running as
  // root, a read-only folder would not stop the write.
  rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = old.size() + 100;
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  EXPECT_THROW(db.SaveDataBaseFile(file), Exception);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(Get("project/KOVAX.ldb"), old);
  EXPECT_EQ(db.CachedStamp(), TFileStamp{});
  // A folder that is not there: the save raises too.
  EXPECT_THROW(db.SaveDataBaseFile(Path("missing/KOVAX.ldb")), Exception);
}

} // namespace

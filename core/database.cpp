#include "core/database.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <optional>

#include "core/animation_record.h"
#include "core/atomic_file.h"
#include "core/attribute_records.h"
#include "core/busy_cursor.h"
#include "core/chipset_record.h"
#include "core/database_tables.h"
#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/file_messages.h"
#include "core/file_utils.h"
#include "core/hero_records.h"
#include "core/monster_records.h"
#include "core/path_resolver.h"
#include "core/project_path.h"
#include "core/stream.h"
#include "core/switch_records.h"
#include "core/system_records.h"
#include "core/var_int.h"
#include "core/vocabulary_record.h"

TXelDataBase* GlobalDataBase = nullptr;

namespace {

constexpr int FirstTableId = 11;
// A database file far beyond any real game is refused rather than read into memory.
constexpr uint64_t MaxDataBaseFileSize = uint64_t(1) << 30;

} // namespace

TXelDataBase::TXelDataBase(TTablesOnly)
    : players_(std::make_unique<TXelPlayer>()), skills_(std::make_unique<TXelSkill>()),
      items_(std::make_unique<TXelItem>()), monsters_(std::make_unique<TXelMonster>()),
      monGroups_(std::make_unique<TXelMonGroup>()), grounds_(std::make_unique<TXelGround>()),
      attribs_(std::make_unique<TXelAttrib>()), statuses_(std::make_unique<TXelStatus>()),
      animations_(std::make_unique<TXelAnimation>()), chipSets_(std::make_unique<TXelChipSet>()),
      vocabulary_(std::make_unique<TXelVocabulary>()), system_(std::make_unique<TXelSystem>()),
      switches_(std::make_unique<TXelSwitch>()), variables_(std::make_unique<TXelVariable>()),
      commonEvents_(std::make_unique<TXelCommonEvent>()) {}

TXelDataBase::TXelDataBase() : TXelDataBase(TTablesOnly{}) {
  published_ = true;
  Publish(true);
  Reset();
}

TXelDataBase::TXelDataBase(TUnpublished) : TXelDataBase(TTablesOnly{}) {
  Reset();
}

TXelDataBase::~TXelDataBase() {
  if (published_) Publish(false);
  if (GlobalDataBase == this) GlobalDataBase = nullptr;
}

void TXelDataBase::TakeTablesOf(TXelDataBase& other) {
  std::swap(players_, other.players_);
  std::swap(skills_, other.skills_);
  std::swap(items_, other.items_);
  std::swap(monsters_, other.monsters_);
  std::swap(monGroups_, other.monGroups_);
  std::swap(grounds_, other.grounds_);
  std::swap(attribs_, other.attribs_);
  std::swap(statuses_, other.statuses_);
  std::swap(animations_, other.animations_);
  std::swap(chipSets_, other.chipSets_);
  std::swap(vocabulary_, other.vocabulary_);
  std::swap(system_, other.system_);
  std::swap(switches_, other.switches_);
  std::swap(variables_, other.variables_);
  std::swap(commonEvents_, other.commonEvents_);
  std::swap(cached_, other.cached_);
  std::swap(lastLoadError_, other.lastLoadError_);
  if (published_) Publish(true);
}

// Makes our tables the process-wide ones, or withdraws those that are still ours.
void TXelDataBase::Publish(bool own) {
  ++DataBaseGeneration;
  auto set = [own](auto*& global, auto* mine) {
    if (own)
      global = mine;
    else if (global == mine)
      global = nullptr;
  };
  set(PlayerList, players_.get());
  set(SkillList, skills_.get());
  set(ItemList, items_.get());
  set(MonsterList, monsters_.get());
  set(MonGroupList, monGroups_.get());
  set(GroundList, grounds_.get());
  set(AttribList, attribs_.get());
  set(StatusList, statuses_.get());
  set(AnimationList, animations_.get());
  set(ChipSetList, chipSets_.get());
  set(VocabularyData, vocabulary_.get());
  set(SystemData, system_.get());
  set(SwitchList, switches_.get());
  set(VariableList, variables_.get());
  set(CommonEventList, commonEvents_.get());
}

void TXelDataBase::Reset() {
  for (const TTable& table : Tables()) {
    if (table.List) {
      table.List->Clear();
      table.List->Append();
    } else {
      table.Record->Clear();
    }
  }
  cached_ = TFileStamp{};
  lastLoadError_.clear();
}

std::array<TXelDataBase::TTable, TXelDataBase::TableCount> TXelDataBase::Tables() const {
  return {{{players_.get()},
           {skills_.get()},
           {items_.get()},
           {monsters_.get()},
           {monGroups_.get()},
           {grounds_.get()},
           {attribs_.get()},
           {statuses_.get()},
           {animations_.get()},
           {chipSets_.get()},
           {nullptr, vocabulary_.get()},
           {nullptr, system_.get()},
           {switches_.get()},
           {variables_.get()},
           {commonEvents_.get()}}};
}

void TXelDataBase::TTable::LoadFromStream(TStream& stream) const {
  if (List)
    List->LoadFromStream(stream);
  else
    Record->LoadFromStream(stream);
}

void TXelDataBase::TTable::SaveToStream(TStream& stream) const {
  if (List)
    List->SaveToStream(stream);
  else
    Record->SaveToStream(stream);
}

namespace {

// The tables by the captions of the database window's tabs, which is where the author
// meets them; switches and variables have no tab and are named plainly.
constexpr const char* TableNames[] = {
    "Hero",       "Skills",     "Items",      "Monsters",         "Monsters Party",
    "Terrain",    "Attributes", "Conditions", "Battle Animation", "ChipSets",
    "Vocabulary", "System",     "Switches",   "Variables",        "Common Events"};

[[noreturn]] void ThrowTableError(const char* message, int table, int64_t offset) {
  char text[160];
  std::snprintf(text, sizeof text, message, TableNames[table], static_cast<long long>(offset));
  throw EReadError(text);
}

} // namespace

void TXelDataBase::LoadFromStream(TStream& stream) {
  // Tables nobody sees yet change nothing anyone keeps; nor may another thread count.
  if (published_) ++DataBaseGeneration;
  if (ReadVarString(stream) != DataBaseHeader) throw EReadError();
  std::array<bool, TableCount> read{};
  // Where the first chunk lies that is no table's, or a table's second.
  int64_t stray = -1;
  while (stream.Remaining() > 0) {
    const int64_t at = stream.GetPosition();
    const uint32_t id = ReadVarInt(stream);
    const uint32_t size = ReadVarInt(stream);
    TReadLimit chunk(stream, size);
    const uint32_t table = id - FirstTableId;
    if (table < TableCount && !read[table]) {
      read[table] = true;
      try {
        Tables()[table].LoadFromStream(stream);
      } catch (const EReadError&) {
        ThrowTableError(SDamagedDataBaseTable, int(table), stream.GetPosition());
      }
      // Data that stops short of its chunk's end was read from bytes shifted by some
      // damage, however well they parsed (data that would run past it fails to read).
      if (stream.GetPosition() != chunk.End())
        ThrowTableError(SDamagedDataBaseTable, int(table), stream.GetPosition());
    } else if (stray < 0) {
      stray = at;
    }
    stream.SetPosition(chunk.End());
  }
  // A file of ours holds every table, and a chunk of another id only beside all of them:
  // a table missing where such a chunk stands had its id or the length before it damaged.
  if (stray >= 0)
    for (int table = 0; table < TableCount; ++table)
      if (!read[size_t(table)]) ThrowTableError(SMissingDataBaseTable, table, stray);
}

void TXelDataBase::SaveToStream(TStream& stream) {
  WriteVarString(stream, DataBaseHeader);
  TMemoryStream table;
  int id = FirstTableId;
  for (const TTable& each : Tables()) {
    if (WriteChunkInPlace(stream, uint32_t(id), [&each](TStream& to) { each.SaveToStream(to); })) {
      ++id;
      continue;
    }
    table.SetPosition(0);
    table.SetSize(0);
    each.SaveToStream(table);
    WriteVarInt(stream, id);
    WriteVarInt(stream, static_cast<int32_t>(table.GetSize()));
    stream.WriteBuffer(table.Memory(), static_cast<size_t>(table.GetSize()));
    ++id;
  }
}

bool TXelDataBase::LoadDataBaseFile(const std::string& fileName) {
  try {
    LoadDataBaseFileStrict(fileName);
    return true;
  } catch (const std::exception&) {
    if (!IsEditorMode()) throw;
    return false;
  }
}

void TXelDataBase::LoadDataBaseFileStrict(const std::string& fileName) {
  try {
    const TFileStamp stamp = GetFileStamp(fileName);
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(fileName, bytes, MaxDataBaseFileSize))
      throw EFileError(FileMessage(SCannotReadFile, fileName));
    if (!(stamp == cached_)) Reset();
    // The stamp is taken before reading: a file rewritten meanwhile is reset next time.
    cached_ = stamp;
    TMemoryStream stream(std::move(bytes));
    LoadFromStream(stream);
  } catch (const std::exception& e) {
    // After a failed load the tables no longer match any file, and the tables after the
    // damage hold defaults that must not replace what the file holds.
    cached_ = TFileStamp{};
    const std::string name = ExtractFileName(fileName);
    struct stat st;
    if (dynamic_cast<const EFileError*>(&e) && stat(fileName.c_str(), &st) != 0 && errno == ENOENT)
      lastLoadError_ = FileMessage(SMissingDataBaseNotSaved, name);
    else
      lastLoadError_ = FileMessage(SPartialDataBaseNotSaved, name) + "\n" + e.what();
    throw;
  }
  lastLoadError_.clear();
}

void TXelDataBase::SaveDataBaseFile(const std::string& fileName) {
  if (!lastLoadError_.empty()) throw Exception(lastLoadError_);
  // The buffer of the last save is written over: its memory is already there.
  TMemoryStream stream(std::move(saveBuffer_));
  stream.SetSize(0);
  try {
    SaveToStream(stream);
    WriteFileAtomically(fileName, stream.Bytes());
  } catch (...) {
    cached_ = TFileStamp{};
    saveBuffer_ = stream.TakeBytes();
    throw;
  }
  saveBuffer_ = stream.TakeBytes();
  cached_ = GetFileStamp(fileName);
}

std::string ProjectDataBaseFile() {
  return ResolvePath(ProjectPath + DataBaseFileName).Path;
}

bool TXelDataBase::LoadProjectDataBase() {
  std::optional<TBusyCursor> busy;
  if (IsEditorMode()) busy.emplace();
  return LoadDataBaseFile(ProjectDataBaseFile());
}

void TXelDataBase::SaveProjectDataBase() {
  std::optional<TBusyCursor> busy;
  if (IsEditorMode()) busy.emplace();
  // A project from a case-blind file system may spell the file differently; rewrite
  // that file rather than add a second one beside it.
  SaveDataBaseFile(ProjectDataBaseFile());
}

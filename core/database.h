// The game database: fifteen tables held for the whole process (core/database_tables.h)
// and saved together as one file, "KOVAX.ldb": the header string "XelDataBase", then
// one chunk per table, ids 11 to 25, with no terminator.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/database_tables.h"
#include "core/file_utils.h"

class TCatalog;
class TCatalogBaseItem;
class TStream;

inline constexpr const char* DataBaseFileName = "KOVAX.ldb";
inline constexpr const char* DataBaseHeader = "XelDataBase";
// A database that was read only in part would replace its file with defaults for every
// table after the damage, so it is not saved until a load succeeds. "%s" is the file.
inline constexpr const char* SPartialDataBaseNotSaved =
    "%s could not be read completely; the database is not saved until it loads without error";
inline constexpr const char* SMissingDataBaseNotSaved =
    "%s is missing; the database is not saved until it loads without error";
// What a damaged file shows: the table (by its tab's caption) and the byte of the file.
inline constexpr const char* SDamagedDataBaseTable = "The %s table is damaged at byte %lld";
inline constexpr const char* SMissingDataBaseTable =
    "The %s table is missing; the chunk at byte %lld belongs to no table";

// The open project's database file, spelt as on disk when it exists in another case (a
// project from a case-blind file system): the file that loads and saves use.
std::string ProjectDataBaseFile();

class TXelDataBase {
public:
  // Creates the tables, makes them the process-wide ones, then Reset.
  TXelDataBase();
  // Tables that stay out of the process's sight until another database takes them
  // (TakeTablesOf), so that a database can be read on another thread.
  struct TUnpublished {};
  explicit TXelDataBase(TUnpublished);
  // Frees the tables; the process-wide pointers that were ours become null.
  ~TXelDataBase();
  TXelDataBase(const TXelDataBase&) = delete;
  TXelDataBase& operator=(const TXelDataBase&) = delete;

  // Every list emptied and given exactly one entry (Id 1, at its defaults); vocabulary
  // and system cleared; the file cache and a failed load forgotten.
  void Reset();
  // Raises EReadError on a wrong header or a malformed table; the table that failed is
  // left empty and the tables after it keep what they held. Damage the chunks show is a
  // malformed table too: data that ends before its chunk does, or a table missing from a
  // file that holds a chunk of no table. The message names the table and the byte.
  void LoadFromStream(TStream& stream);
  // Raises the system record's save count by one, as every save does.
  void SaveToStream(TStream& stream);

  // Loads FileName. When the file is the one loaded or saved last (same stamp), the
  // tables are not reset first, so unchanged battle animations are kept as parsed.
  // Outside editor mode every error is raised. In editor mode the error is swallowed
  // (the tables keep what they hold) but reported: the result is false and
  // LastLoadError() says why.
  bool LoadDataBaseFile(const std::string& fileName);
  // The same load raising every error, whatever the mode. Either load that fails leaves
  // LastLoadError() set, and every save refuses until a load succeeds or Reset.
  void LoadDataBaseFileStrict(const std::string& fileName);
  // Swaps tables, file stamp and load error with Other (an unpublished database); the
  // tables taken become the process-wide ones when ours were.
  void TakeTablesOf(TXelDataBase& other);
  // Writes the file atomically; a failure raises and leaves the old file untouched. After
  // a failed load it raises LastLoadError() and writes nothing.
  void SaveDataBaseFile(const std::string& fileName);
  // The same for "KOVAX.ldb" in the open project, with the hourglass in editor mode.
  bool LoadProjectDataBase();
  void SaveProjectDataBase();

  // Why the last load failed, naming its file; empty after a successful one.
  const std::string& LastLoadError() const { return lastLoadError_; }
  const TFileStamp& CachedStamp() const { return cached_; }

  TXelPlayer& Players() { return *players_; }
  TXelSkill& Skills() { return *skills_; }
  TXelItem& Items() { return *items_; }
  TXelMonster& Monsters() { return *monsters_; }
  TXelMonGroup& MonGroups() { return *monGroups_; }
  TXelGround& Grounds() { return *grounds_; }
  TXelAttrib& Attribs() { return *attribs_; }
  TXelStatus& Statuses() { return *statuses_; }
  TXelAnimation& Animations() { return *animations_; }
  TXelChipSet& ChipSets() { return *chipSets_; }
  TXelVocabulary& Vocabulary() { return *vocabulary_; }
  TXelSystem& System() { return *system_; }
  TXelSwitch& Switches() { return *switches_; }
  TXelVariable& Variables() { return *variables_; }
  TXelCommonEvent& CommonEvents() { return *commonEvents_; }

private:
  // A table in its stream form: a list, or (vocabulary and system) a single record.
  struct TTable {
    TCatalog* List = nullptr;
    TCatalogBaseItem* Record = nullptr;
    void LoadFromStream(TStream& stream) const;
    void SaveToStream(TStream& stream) const;
  };
  static constexpr int TableCount = 15;
  // The tables made, nothing else.
  struct TTablesOnly {};
  explicit TXelDataBase(TTablesOnly);
  // In chunk order, ids 11 to 25.
  std::array<TTable, TableCount> Tables() const;
  void Publish(bool own);

  std::unique_ptr<TXelPlayer> players_;
  std::unique_ptr<TXelSkill> skills_;
  std::unique_ptr<TXelItem> items_;
  std::unique_ptr<TXelMonster> monsters_;
  std::unique_ptr<TXelMonGroup> monGroups_;
  std::unique_ptr<TXelGround> grounds_;
  std::unique_ptr<TXelAttrib> attribs_;
  std::unique_ptr<TXelStatus> statuses_;
  std::unique_ptr<TXelAnimation> animations_;
  std::unique_ptr<TXelChipSet> chipSets_;
  std::unique_ptr<TXelVocabulary> vocabulary_;
  std::unique_ptr<TXelSystem> system_;
  std::unique_ptr<TXelSwitch> switches_;
  std::unique_ptr<TXelVariable> variables_;
  std::unique_ptr<TXelCommonEvent> commonEvents_;

  bool published_ = false;
  TFileStamp cached_;
  std::string lastLoadError_;
  // The bytes of the last save, kept so the next one writes into memory already mapped.
  std::vector<uint8_t> saveBuffer_;
};

// The database of the running editor, made by the main window.
extern TXelDataBase* GlobalDataBase;

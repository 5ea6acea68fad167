// The chunked record: every saved record describes its fields by id through
// GetVarData, and loads, saves, copies and pastes itself through that description.
//
// A record is its chunks in ascending id order (compressed id, compressed payload
// length, payload) followed by a compressed 0. Fields that hold their default are not
// written; a reader starts from the defaults and skips unknown ids by their length.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <typeinfo>
#include <vector>

#include "core/small_object_pool.h"

class TStream;
class TCatalogBaseItem;

// What a record needs of a list it holds as a field: the list (a TCatalog) is saved and
// loaded as a nested chunk and cleared with the record.
class TNestedList {
public:
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) const = 0;
  // What SaveToStream writes, with BetweenItems called after each item, where none of
  // the list's chunks is open.
  virtual void SaveItemsTo(TStream& stream, const std::function<void()>& betweenItems) const = 0;
  virtual void Clear() = 0;

protected:
  ~TNestedList() = default;
};

enum TCatalogKind : uint8_t {
  ckInt = 0,     // int32_t, written with a length byte; default skipped
  ckFixed = 1,   // Size bytes, always written; read only when the length matches
  ckBlob = 2,    // std::vector<uint8_t>, Size bytes written; resized to the chunk on load
  ckString = 3,  // std::string of raw code-page bytes
  ckCatalog = 4, // nested TCatalog
  ckRecord = 5,  // nested TCatalogBaseItem
  ckByte = 6,    // one byte (uint8_t or bool); default skipped
  ckDouble = 7,  // 8-byte float; default skipped
  ckNone = 8,    // not a field of this record
};

// How one field is saved and loaded. The store presets Kind = ckNone before it asks a
// record, and reuses one descriptor for every id of a record.
struct TCatalogVarData {
  uint8_t Kind = ckNone;
  void* Data = nullptr;
  int32_t Size = 0;
  int32_t IntDefault = 0x7FFFFFFF;
  uint8_t ByteDefault = 0;
  double FloatDefault = 0.0;
  bool SkipEmpty = false;
  bool BoolField = false; // a kind-6 field held as a C++ bool

  // Inline: a load asks for one descriptor per chunk and a Clear for one per field.
  void Raw(uint8_t kind, void* data, int32_t size) {
    Kind = kind;
    Data = data;
    Size = size;
    IntDefault = 0x7FFFFFFF;
    BoolField = false;
  }
  void Int(int32_t* data, int32_t defaultValue) {
    Raw(ckInt, data, 0);
    IntDefault = defaultValue;
  }
  void Bool(bool* data, bool defaultValue) {
    Raw(ckByte, data, 1);
    ByteDefault = defaultValue ? 1 : 0;
    BoolField = true;
  }
  void Str(std::string* data, bool skipEmpty) {
    Raw(ckString, data, 0);
    SkipEmpty = skipEmpty;
  }

  // Typed forms of Raw for the other kinds.
  void Byte(uint8_t* data, uint8_t defaultValue) {
    Raw(ckByte, data, 1);
    ByteDefault = defaultValue;
  }
  void Fixed(void* data, int32_t size) { Raw(ckFixed, data, size); }
  void Blob(std::vector<uint8_t>* data, int32_t size) { Raw(ckBlob, data, size); }
  void Double(double* data, double defaultValue) {
    Raw(ckDouble, data, sizeof(double));
    FloatDefault = defaultValue;
  }
  void Catalog(TNestedList* data) { Raw(ckCatalog, data, 0); }
  void Record(TCatalogBaseItem* data) { Raw(ckRecord, data, 0); }
};

class TCatalogBaseItem : public TPooledObject {
public:
  TCatalogBaseItem() = default;
  virtual ~TCatalogBaseItem() = default;
  TCatalogBaseItem(const TCatalogBaseItem&) = delete;
  TCatalogBaseItem& operator=(const TCatalogBaseItem&) = delete;

  // Answers for the ids the record owns and leaves Kind at ckNone for all others.
  // Called for ids 1..999 on every save, so it must be a plain switch.
  virtual void GetVarData(int id, TCatalogVarData& descriptor, bool forLoad) = 0;
  // The highest id GetVarData can answer for. Saving asks ids 1..LastFieldId() only;
  // a record class that states its highest id saves in a fraction of the time of the
  // full 1..999 scan, with the same bytes (tests check that nothing answers above it).
  virtual int LastFieldId() const { return 999; }
  // The ids GetVarData answers for on a save, ascending, when they are the same for every
  // object of the class; nullptr (all of 1..LastFieldId() asked) otherwise. A class with
  // many ids that answer for nothing states them through SavedFieldIdsOf.
  virtual const std::vector<uint16_t>* SavedFieldIds() const { return nullptr; }
  // Resets every field to its default.
  virtual void Clear() {}
  // Copies Source through the stream form; fields Source holds at their default come
  // out at this record's default.
  virtual void Assign(const TCatalogBaseItem& source);
  // Raises EReadError on a truncated or malformed stream (the record is then partly
  // loaded). A nested record can never read past its own chunk.
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;
  // What SaveToStream writes, with Writer asked first for each field, where none of the
  // record's chunks is open: a long save to a file writes some fields itself (and says
  // so with true) and hands on what is complete there.
  using TFieldWriter = std::function<bool(int id, const TCatalogVarData& field)>;
  void SaveFieldsTo(TStream& stream, const TFieldWriter& writer) const;
  // Loads the record from the clipboard block of Format. False, and the record
  // unchanged, when the format is absent or its block is not one record of this class
  // (TClipboardRecordReader) filling the block's size exactly.
  virtual bool PasteFromClipboard(uint32_t format);
  virtual void CopyToClipboard(uint32_t format) const;

protected:
  // Sets every field to what its description makes the default: ints, bytes and
  // doubles to their defaults, strings emptied, fixed fields zeroed, nested lists and
  // records cleared. Blobs are left to the arrays that own them. A record's Clear calls
  // this, then sets what its field table sets apart (a Clear value other than the save
  // default, arrays, default items of lists).
  //
  // Record is the class whose Clear calls it. Its description is read once into a table
  // of offsets and defaults that later calls only apply, so a Clear makes no call per
  // field. The table serves objects of exactly that class whose fields all lie inside
  // the object; any other (a subclass, a field kept elsewhere) is asked field by field.
  // Defaults that differ from object to object must be set by hand after the call.
  template <class Record> void ClearFields() {
    static TFieldTable table;
    ClearFields(table, typeid(Record), sizeof(Record));
  }

  // The ids objects of exactly class Record answer for, found once by asking this one;
  // nullptr for any other class (a subclass may answer for more).
  template <class Record> const std::vector<uint16_t>* SavedFieldIdsOf() const {
    if (typeid(*this) != typeid(Record)) return nullptr;
    static const std::vector<uint16_t> ids = AnsweringFieldIds();
    return &ids;
  }

private:
  std::vector<uint16_t> AnsweringFieldIds() const;
  struct TFieldTable {
    struct TEntry {
      TCatalogVarData Described; // as GetVarData answered, Data aside
      size_t Offset;             // of the field within the object
    };
    // Adjacent plain fields (ints, bytes, doubles, fixed) are set as runs of bytes
    // copied from Image.
    struct TRun {
      size_t Offset;
      size_t Length;
      size_t ImageOffset;
    };
    // Records are made on more than one thread (the project is read ahead while the main
    // window is made): the first Clear of a class builds its table once for all of them.
    std::once_flag Built;
    bool Usable = false;
    std::vector<TEntry> Entries; // strings, lists and records
    std::vector<TRun> Runs;
    std::vector<char> Image;
  };
  void BuildFieldTable(TFieldTable& table, size_t size);
  void ClearFields(TFieldTable& table, const std::type_info& type, size_t size);
  void ClearField(const TCatalogVarData& d);
  void ClearFieldsOneByOne();
};

// Loads Item, which was just made and so holds its defaults already, without the Clear
// that a load begins with: a large list then clears each of its records once, not twice.
void LoadNewItem(TCatalogBaseItem& item, TStream& stream);

// Reads records from clipboard blocks. Only the editor writes these blocks, so a record
// that a file load would take leniently is refused here instead of pasted half-right:
// it must parse in full, its chunks must come in ascending id order and each be a field
// the class reads (a fixed, byte or double field at its exact size), and it must carry
// every field the class always writes. The last rule tells apart classes whose fields
// overlap, such as an encounter row and a monster's action pattern.
class TClipboardRecordReader {
public:
  // Cleared: a record of the expected class holding its defaults.
  explicit TClipboardRecordReader(TCatalogBaseItem& cleared);
  // Loads the record at the stream's position into Target, a record of the same class.
  // False when it is not such a record; Target is then partly loaded.
  bool Read(TStream& stream, TCatalogBaseItem& target) const;

private:
  bool ChunksFit(TStream& stream, int64_t end, TCatalogBaseItem& target) const;

  std::vector<int> required_;
};

// Runs Load, then Settle, also when Load raises (the error then goes on): for records
// that must stay usable after a load that failed part-way and was kept by a lenient
// caller.
template <class Load, class Settle> void LoadThenSettle(Load&& load, Settle&& settle) {
  try {
    load();
  } catch (...) {
    settle();
    throw;
  }
  settle();
}

// A record with a number in its list. The Id is written by the list, not as a chunk.
class TCatalogItem : public TCatalogBaseItem {
public:
  explicit TCatalogItem(int32_t id) : Id(id) {}
  virtual void SetId(int32_t id) { Id = id; }

  int32_t Id;
};

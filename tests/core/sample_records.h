// Records used by the record-store tests: one field of every kind, and a list of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/catalog.h"
#include "core/messages.h"
#include "core/stream.h"

class TSampleLeaf : public TCatalogItem {
public:
  explicit TSampleLeaf(int32_t id = 0) : TCatalogItem(id) { Clear(); }
  void Clear() override {
    Value = 0;
    Name.clear();
  }
  void GetVarData(int id, TCatalogVarData& d, bool) override {
    switch (id) {
    case 1:
      d.Str(&Name, true);
      break;
    case 2:
      d.Int(&Value, 0);
      break;
    default:
      break;
    }
  }
  int LastFieldId() const override { return 2; }
  int32_t Value;
  std::string Name;
};

class TSampleLeafList : public TXelCatalog<TSampleLeaf> {
public:
  TSampleLeafList() : TXelCatalog(SInvalidHero) {}
};

// Field ids: 1 Str(skip) 2 Int(def 7) 3 Bool(def true) 4 Byte(def 3) 5 Fixed(2 bytes)
// 6 Double(def 1.5) 7 Str(no skip) 8 blob size 9 blob 10 nested list 11 nested record.
class TSampleRecord : public TCatalogItem {
public:
  explicit TSampleRecord(int32_t id = 0) : TCatalogItem(id) { Clear(); }
  void Clear() override {
    Name.clear();
    Number = 7;
    Flag = true;
    Small = 3;
    Pair[0] = Pair[1] = 0;
    Ratio = 1.5;
    Note.clear();
    BlobSize = 0;
    BlobBytes.clear();
    Children.Clear();
    Child.Clear();
  }
  void GetVarData(int id, TCatalogVarData& d, bool) override {
    switch (id) {
    case 1:
      d.Str(&Name, true);
      break;
    case 2:
      d.Int(&Number, 7);
      break;
    case 3:
      d.Bool(&Flag, true);
      break;
    case 4:
      d.Byte(&Small, 3);
      break;
    case 5:
      if (WithFixed) d.Fixed(Pair, 2);
      break;
    case 6:
      d.Double(&Ratio, 1.5);
      break;
    case 7:
      if (WithNote) d.Str(&Note, false);
      break;
    case 8:
      d.Int(&BlobSize, 0);
      break;
    case 9:
      if (BlobSize > 0) d.Blob(&BlobBytes, BlobSize);
      break;
    case 10:
      d.Catalog(&Children);
      break;
    case 11:
      d.Record(&Child);
      break;
    default:
      break;
    }
  }
  int LastFieldId() const override { return 11; }

  bool WithFixed = false; // the optional always-written kinds are off unless a test asks
  bool WithNote = false;
  std::string Name;
  int32_t Number;
  bool Flag;
  uint8_t Small;
  uint8_t Pair[2];
  double Ratio;
  std::string Note;
  int32_t BlobSize;
  std::vector<uint8_t> BlobBytes;
  TSampleLeafList Children;
  TSampleLeaf Child;
};

class TSampleList : public TXelCatalog<TSampleRecord> {
public:
  TSampleList() : TXelCatalog(SInvalidHero) {}
};

inline std::vector<uint8_t> SaveBytes(const TCatalogBaseItem& item) {
  TMemoryStream s;
  item.SaveToStream(s);
  return s.Bytes();
}

inline std::vector<uint8_t> SaveBytes(const TCatalog& list) {
  TMemoryStream s;
  list.SaveToStream(s);
  return s.Bytes();
}

template <class T> void LoadBytes(T& target, const std::vector<uint8_t>& bytes) {
  TMemoryStream s(bytes);
  target.LoadFromStream(s);
}

using Bytes = std::vector<uint8_t>;

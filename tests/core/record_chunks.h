// Reading saved records back chunk by chunk, so tests can check each field's id and
// payload, and pointing the database's condition and attribute tables at test lists.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>

#include "core/attribute_records.h"
#include "core/database_tables.h"
#include "core/stream.h"
#include "core/var_int.h"
#include "sample_records.h"

// The parts one after another. Sized first: GCC 12 warns falsely about an insert
// into a vector that was just built from a braced list.
inline Bytes Join(std::initializer_list<Bytes> parts) {
  size_t size = 0;
  for (const Bytes& part : parts)
    size += part.size();
  Bytes joined(size);
  auto at = joined.begin();
  for (const Bytes& part : parts)
    at = std::copy(part.begin(), part.end(), at);
  return joined;
}

// The top-level chunks of a saved record by field id.
inline std::map<int, Bytes> ChunksOf(const Bytes& record) {
  std::map<int, Bytes> chunks;
  TMemoryStream s(record);
  for (;;) {
    const uint32_t id = ReadVarInt(s);
    if (id == 0) break;
    Bytes payload(ReadVarInt(s));
    s.ReadBuffer(payload.data(), payload.size());
    chunks[static_cast<int>(id)] = payload;
  }
  EXPECT_EQ(s.GetPosition(), s.GetSize()) << "bytes after the record's end";
  return chunks;
}

// Saves Record, loads the bytes into Back (a fresh record of its class), checks that
// Back saves the same bytes and returns the saved chunks.
template <class R> std::map<int, Bytes> RoundTripChunks(const R& record, R& back) {
  const Bytes saved = SaveBytes(record);
  LoadBytes(back, saved);
  EXPECT_EQ(SaveBytes(back), saved);
  return ChunksOf(saved);
}

inline int32_t IntOf(const Bytes& payload) {
  TMemoryStream s(payload);
  return static_cast<int32_t>(ReadVarInt(s));
}

inline std::string StrOf(const Bytes& payload) {
  return std::string(payload.begin(), payload.end());
}

inline std::vector<int> IdsOf(const std::map<int, Bytes>& chunks) {
  std::vector<int> ids;
  for (const auto& [id, payload] : chunks)
    ids.push_back(id);
  return ids;
}

// Int fields set to 1000 + id and byte fields (also one-byte Fixed) set to their id
// show that each value went out under its own id.
inline void ExpectIdValues(const std::map<int, Bytes>& chunks, std::initializer_list<int> intIds,
                           std::initializer_list<int> byteIds) {
  for (int id : intIds) {
    ASSERT_TRUE(chunks.count(id)) << "field " << id;
    EXPECT_EQ(IntOf(chunks.at(id)), 1000 + id) << "field " << id;
  }
  for (int id : byteIds) {
    ASSERT_TRUE(chunks.count(id)) << "field " << id;
    EXPECT_EQ(chunks.at(id), Bytes{static_cast<uint8_t>(id)}) << "field " << id;
  }
}

// Sets the database's condition and attribute tables to lists of the given sizes for
// the scope.
class TTestTables {
public:
  TTestTables(int conditions, int attributes) {
    for (int k = 0; k < conditions; ++k)
      statuses_.Append();
    for (int k = 0; k < attributes; ++k)
      attribs_.Append();
    StatusList = &statuses_;
    AttribList = &attribs_;
  }
  ~TTestTables() {
    StatusList = nullptr;
    AttribList = nullptr;
  }

private:
  TXelStatus statuses_;
  TXelAttrib attribs_;
};

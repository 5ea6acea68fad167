// A per-id byte array of a record: entry k (1-based) belongs to item k of another
// database table (a condition, an attribute, a hero, a terrain). It is saved as two
// fields, a count (Int, default 0) and a blob of that many bytes, the blob's id one
// above the count's.
#pragma once

#include <cstdint>
#include <vector>

#include "core/catalog_item.h"

// The table whose size an array is cut to on save; Never keeps the array whole.
enum class TIdArrayTrim { Never, Conditions, Attributes };

class TIdByteArray {
public:
  // Fill: the value of entries that SetCount adds. ReadBeyond: what an id outside the
  // array reads as; a trimmed array also drops its trailing entries of this value on
  // save, so that a reload reads them back the same.
  TIdByteArray(uint8_t fill, uint8_t readBeyond, TIdArrayTrim trim)
      : fill_(fill), readBeyond_(readBeyond), trim_(trim) {}

  int32_t GetCount() const { return static_cast<int32_t>(bytes_.size()); }
  // Resizes to Count entries (none when negative); new entries get the fill value.
  void SetCount(int32_t count);
  uint8_t Get(int32_t id) const;
  // Ignored outside 1..count.
  void Set(int32_t id, uint8_t value);
  void Clear();
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

  // Descriptors of the two fields for GetVarData.
  void DescribeCount(TCatalogVarData& d, bool forLoad);
  void DescribeBlob(TCatalogVarData& d, bool forLoad);

  // How many entries a save writes. A trimmed array keeps no trailing ReadBeyond
  // entries and, when a database has set its table, no more entries than the table
  // has items.
  int32_t SavedCount() const;

private:
  uint8_t fill_;
  uint8_t readBeyond_;
  TIdArrayTrim trim_;
  std::vector<uint8_t> bytes_;
  // The count field as read. The count is always what the blob holds: a stored count
  // that disagrees with its blob is not believed, so nothing reads past the blob.
  int32_t loadedCount_ = 0;
  int32_t savedCount_ = 0;
};

#include "core/byte_array_field.h"

#include <algorithm>

#include "core/attribute_records.h"
#include "core/database_tables.h"

namespace {

// Item count of the table an array is cut to, or -1 when none is set.
int TableCount(TIdArrayTrim trim) {
  switch (trim) {
  case TIdArrayTrim::Conditions:
    return StatusList ? StatusList->GetCount() : -1;
  case TIdArrayTrim::Attributes:
    return AttribList ? AttribList->GetCount() : -1;
  case TIdArrayTrim::Never:
    break;
  }
  return -1;
}

} // namespace

void TIdByteArray::SetCount(int32_t count) {
  bytes_.resize(static_cast<size_t>(std::max(count, 0)), fill_);
}

uint8_t TIdByteArray::Get(int32_t id) const {
  if (id < 1 || id > GetCount()) return readBeyond_;
  return bytes_[static_cast<size_t>(id - 1)];
}

void TIdByteArray::Set(int32_t id, uint8_t value) {
  if (id >= 1 && id <= GetCount()) bytes_[static_cast<size_t>(id - 1)] = value;
}

void TIdByteArray::Clear() {
  bytes_.clear();
  loadedCount_ = 0;
}

void TIdByteArray::DescribeCount(TCatalogVarData& d, bool forLoad) {
  if (!forLoad) savedCount_ = SavedCount();
  d.Int(forLoad ? &loadedCount_ : &savedCount_, 0);
}

void TIdByteArray::DescribeBlob(TCatalogVarData& d, bool forLoad) {
  // The count is worked out again rather than taken from the count field, so the blob
  // can never disagree with it whatever order the fields are asked in.
  d.Blob(&bytes_, forLoad ? 0 : SavedCount());
}

int32_t TIdByteArray::SavedCount() const {
  int32_t count = GetCount();
  if (trim_ != TIdArrayTrim::Never) {
    while (count > 0 && bytes_[static_cast<size_t>(count - 1)] == readBeyond_)
      --count;
    // An empty array asks no table: a record made on the project's read-ahead thread
    // (whose first Clear describes its fields) must not read the process-wide tables
    // while the main thread publishes others.
    const int table = count > 0 ? TableCount(trim_) : -1;
    if (table >= 0) count = std::min(count, table);
  }
  return count;
}

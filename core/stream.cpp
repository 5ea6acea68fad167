#include "core/stream.h"

#include <algorithm>
#include <cstring>

#include "core/errors.h"

namespace {
// Spare bytes a memory stream makes when an append outgrows it.
constexpr size_t AppendRoom = 256;
} // namespace

size_t TStream::Read(void* buffer, size_t count) {
  const size_t n = std::min<uint64_t>(count, static_cast<uint64_t>(Remaining()));
  return n == 0 ? 0 : DoRead(buffer, n);
}

void TStream::ReadBuffer(void* buffer, size_t count) {
  if (count == 0) return;
  if (Read(buffer, count) != count) throw EReadError();
}

void TStream::ThrowReadError() {
  throw EReadError();
}

uint8_t TStream::ReadByteSlow() {
  uint8_t b;
  if (Read(&b, 1) != 1) throw EReadError();
  return b;
}

uint32_t TStream::ReadVarUIntSlow() {
  uint32_t value = 0;
  for (;;) {
    const uint8_t b = ReadByte();
    value = (value << 7) + (b & 0x7F);
    if ((b & 0x80) == 0) return value;
  }
}

TMemoryStream::TMemoryStream(const void* bytes, size_t count)
    : data_(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + count) {
  ShowMemory();
}

void TMemoryStream::DoSetPosition(int64_t position) {
  memPos_ = static_cast<size_t>(std::clamp<int64_t>(position, 0, GetSize()));
}

void TMemoryStream::Clear() {
  data_.clear();
  memPos_ = 0;
  ShowMemory();
}

void TMemoryStream::SetSize(size_t size) {
  data_.resize(size);
  memPos_ = std::min(memPos_, size);
  ShowMemory();
}

std::vector<uint8_t> TMemoryStream::TakeBytes() {
  data_.resize(memSize_);
  std::vector<uint8_t> bytes = std::move(data_);
  data_.clear();
  memPos_ = 0;
  ShowMemory();
  return bytes;
}

size_t TMemoryStream::DoRead(void* buffer, size_t count) {
  const size_t n = std::min(count, memSize_ - memPos_);
  std::memcpy(buffer, data_.data() + memPos_, n);
  memPos_ += n;
  return n;
}

void TMemoryStream::DoWrite(const void* buffer, size_t count) {
  if (count == 0) return;
  const size_t end = memPos_ + count;
  if (end > data_.size()) {
    // Room for the next few writes too: a save appends field by field. The room is
    // small and fixed, so that no more is zeroed than will soon be written.
    data_.resize(end + AppendRoom);
    ShowMemory(memSize_);
  }
  std::memcpy(data_.data() + memPos_, buffer, count);
  memPos_ = end;
  if (end > memSize_) memSize_ = end;
}

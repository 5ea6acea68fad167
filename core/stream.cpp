#include "core/stream.h"

#include <algorithm>
#include <cstring>

#include "core/errors.h"

namespace {
// Spare bytes a memory stream makes when an append outgrows it: as much as it holds
// (within bounds), so that a long save grows in few steps while a short one zeroes
// little more than it will soon write.
size_t AppendRoom(size_t size) {
  return std::clamp<size_t>(size, 256, size_t(1) << 22);
}
} // namespace

size_t TStream::Read(void* buffer, size_t count) {
  const size_t n = std::min<uint64_t>(count, static_cast<uint64_t>(Remaining()));
  return n == 0 ? 0 : DoRead(buffer, n);
}

void TStream::ReadBufferSlow(void* buffer, size_t count) {
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
  if (size <= memSize_) {
    // The bytes beyond stay as spare room: a stream emptied for the next save is not
    // zeroed again as that save grows it.
    memSize_ = size;
  } else if (size <= data_.size()) {
    std::memset(data_.data() + memSize_, 0, size - memSize_);
    memSize_ = size;
  } else {
    std::memset(data_.data() + memSize_, 0, data_.size() - memSize_);
    data_.resize(size);
    ShowMemory();
  }
  memPos_ = std::min(memPos_, size);
}

std::vector<uint8_t> TMemoryStream::TakeBytes() {
  data_.resize(memSize_);
  std::vector<uint8_t> bytes = std::move(data_);
  data_.clear();
  memPos_ = 0;
  ShowMemory();
  return bytes;
}

void TMemoryStream::ResizeAt(size_t at, size_t from, size_t to) {
  at = std::min(at, memSize_);
  from = std::min(from, memSize_ - at);
  const size_t size = memSize_ - from + to;
  if (size > data_.size()) {
    data_.resize(size + AppendRoom(size));
    ShowMemory(memSize_);
  }
  std::memmove(data_.data() + at + to, data_.data() + at + from, memSize_ - at - from);
  if (to > from) std::memset(data_.data() + at + from, 0, to - from);
  memSize_ = size;
  if (memPos_ >= at + from)
    memPos_ = memPos_ - from + to;
  else if (memPos_ > at + to)
    memPos_ = at + to;
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
    // Room for the next writes too: a save appends field by field.
    data_.resize(end + AppendRoom(end));
    ShowMemory(memSize_);
  }
  std::memcpy(data_.data() + memPos_, buffer, count);
  memPos_ = end;
  if (end > memSize_) memSize_ = end;
}

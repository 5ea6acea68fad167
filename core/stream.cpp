#include "core/stream.h"

#include <algorithm>
#include <cstring>

#include "core/errors.h"

int64_t TStream::Remaining() const {
  const int64_t end = std::min(GetSize(), limit_);
  return std::max<int64_t>(0, end - GetPosition());
}

void TStream::RequireRemaining(uint64_t count) const {
  if (count > static_cast<uint64_t>(Remaining())) throw EReadError();
}

size_t TStream::Read(void* buffer, size_t count) {
  const size_t n = std::min<uint64_t>(count, static_cast<uint64_t>(Remaining()));
  return n == 0 ? 0 : DoRead(buffer, n);
}

void TStream::ReadBuffer(void* buffer, size_t count) {
  if (count == 0) return;
  if (Read(buffer, count) != count) throw EReadError();
}

void ThrowReadError() {
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

TReadLimit::TReadLimit(TStream& stream, uint64_t length) : stream_(stream), saved_(stream.limit_) {
  stream.RequireRemaining(length);
  end_ = stream.GetPosition() + static_cast<int64_t>(length);
  stream.limit_ = end_;
}

TReadLimit::~TReadLimit() {
  stream_.limit_ = saved_;
}

TMemoryStream::TMemoryStream(const void* bytes, size_t count)
    : data_(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + count) {
  ShowMemory();
}

void TMemoryStream::DoSetPosition(int64_t position) {
  pos_ = static_cast<size_t>(std::clamp<int64_t>(position, 0, GetSize()));
}

void TMemoryStream::Clear() {
  data_.clear();
  pos_ = 0;
}

void TMemoryStream::SetSize(size_t size) {
  data_.resize(size);
  pos_ = std::min(pos_, size);
}

std::vector<uint8_t> TMemoryStream::TakeBytes() {
  pos_ = 0;
  return std::move(data_);
}

size_t TMemoryStream::DoRead(void* buffer, size_t count) {
  const size_t n = std::min(count, data_.size() - pos_);
  std::memcpy(buffer, data_.data() + pos_, n);
  pos_ += n;
  return n;
}

void TMemoryStream::DoWrite(const void* buffer, size_t count) {
  if (count == 0) return;
  const size_t end = pos_ + count;
  if (end > data_.size()) data_.resize(end);
  std::memcpy(data_.data() + pos_, buffer, count);
  pos_ = end;
}

// Byte streams for the chunked record format. Readers never trust their input: every
// read is checked against the bytes that remain, and a read limit confines a nested
// record to its chunk so that it can never run into its parent's data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

class TStream {
public:
  virtual ~TStream() = default;

  int64_t GetSize() const { return inMemory_ ? int64_t(memSize_) : DoGetSize(); }
  int64_t GetPosition() const { return inMemory_ ? int64_t(memPos_) : DoGetPosition(); }
  // Moves to Position, clamped to 0..GetSize().
  void SetPosition(int64_t position);

  // Reads up to Count bytes, never past the size or the current read limit.
  size_t Read(void* buffer, size_t count);
  // Reads exactly Count bytes or raises EReadError. Inline for streams in memory: a load
  // reads every string and blob through it.
  inline void ReadBuffer(void* buffer, size_t count);
  inline uint8_t ReadByte();
  // One compressed integer of the record format (var_int.h), read straight from memory
  // when the stream holds its bytes there. Raises EReadError when the bytes end inside it.
  inline uint32_t ReadVarUInt();
  void Write(const void* buffer, size_t count) { WriteBuffer(buffer, count); }
  inline void WriteBuffer(const void* buffer, size_t count);
  void WriteByte(uint8_t value) { WriteBuffer(&value, 1); }
  // Where Count bytes can be put when the stream appends in memory and has room for
  // them, else nullptr; Appended(N) then takes the first N put there. A save writes a
  // great many short fields, each straight into place this way.
  uint8_t* AppendSpace(size_t count) {
    return writeData_ && memPos_ == memSize_ && count <= writeDataEnd_ - memPos_
               ? writeData_ + memPos_
               : nullptr;
  }
  void Appended(size_t count) {
    memPos_ += count;
    memSize_ = memPos_;
  }
  // This stream when it is a memory stream, without the cost of a cast: records nested in
  // a save ask for every one of them.
  virtual class TMemoryStream* AsMemoryStream() { return nullptr; }

  // Bytes that can still be read: up to the end or to the read limit, whichever is first.
  inline int64_t Remaining() const;
  // Raises EReadError unless Count more bytes can be read.
  void RequireRemaining(uint64_t count) const {
    if (count > static_cast<uint64_t>(Remaining())) ThrowReadError();
  }
  void Seek(int64_t offset) { SetPosition(GetPosition() + offset); }
  // The next Count bytes where they lie, when the stream holds them in memory before its
  // read limit; nullptr otherwise. Readers that only look at a block use it to skip a copy.
  const uint8_t* PeekMemory(size_t count) const {
    if (!inMemory_ || count > static_cast<uint64_t>(Remaining())) return nullptr;
    return memData_ + memPos_;
  }

protected:
  virtual int64_t DoGetSize() const = 0;
  virtual int64_t DoGetPosition() const = 0;
  virtual void DoSetPosition(int64_t position) = 0;
  virtual size_t DoRead(void* buffer, size_t count) = 0;
  virtual void DoWrite(const void* buffer, size_t count) = 0;

  // A stream that holds its bytes in memory shows them here and keeps them current, so
  // that the byte-by-byte reads of compressed integers and the position moves of every
  // chunk need no virtual call and no indirection.
  bool inMemory_ = false;
  const uint8_t* memData_ = nullptr;
  size_t memSize_ = 0;
  size_t memPos_ = 0;
  // A stream whose memory can take writes shows it here: WriteDataEnd bytes from
  // WriteData are there to be written, so a save's many small writes are plain copies.
  uint8_t* writeData_ = nullptr;
  mutable size_t writeDataEnd_ = 0;

private:
  friend class TReadLimit;
  [[noreturn]] static void ThrowReadError();
  void ReadBufferSlow(void* buffer, size_t count);
  uint8_t ReadByteSlow();
  uint32_t ReadVarUIntSlow();
  int64_t limit_ = std::numeric_limits<int64_t>::max();
};

inline int64_t TStream::Remaining() const {
  const int64_t size = GetSize();
  const int64_t end = limit_ < size ? limit_ : size;
  const int64_t position = GetPosition();
  return end > position ? end - position : 0;
}

inline void TStream::WriteBuffer(const void* buffer, size_t count) {
  if (writeData_ && count <= writeDataEnd_ - memPos_) {
    if (count) std::memcpy(writeData_ + memPos_, buffer, count);
    memPos_ += count;
    if (memPos_ > memSize_) memSize_ = memPos_;
    return;
  }
  DoWrite(buffer, count);
}

inline void TStream::SetPosition(int64_t position) {
  if (!inMemory_) return DoSetPosition(position);
  const int64_t size = int64_t(memSize_);
  memPos_ = size_t(position < 0 ? 0 : position > size ? size : position);
}

inline void TStream::ReadBuffer(void* buffer, size_t count) {
  if (inMemory_) {
    const size_t end = limit_ < int64_t(memSize_) ? size_t(limit_) : memSize_;
    if (memPos_ <= end && count <= end - memPos_) {
      if (count) std::memcpy(buffer, memData_ + memPos_, count);
      memPos_ += count;
      return;
    }
  }
  ReadBufferSlow(buffer, count);
}

inline uint8_t TStream::ReadByte() {
  if (inMemory_) {
    const size_t pos = memPos_;
    if (pos < memSize_ && static_cast<int64_t>(pos) < limit_) {
      memPos_ = pos + 1;
      return memData_[pos];
    }
    ThrowReadError();
  }
  return ReadByteSlow();
}

inline uint32_t TStream::ReadVarUInt() {
  if (!inMemory_) return ReadVarUIntSlow();
  const size_t end = limit_ < int64_t(memSize_) ? size_t(limit_) : memSize_;
  size_t pos = memPos_;
  uint32_t value = 0;
  while (pos < end) {
    const uint8_t b = memData_[pos++];
    value = (value << 7) + (b & 0x7F);
    if ((b & 0x80) == 0) {
      memPos_ = pos;
      return value;
    }
  }
  memPos_ = pos;
  ThrowReadError();
}

// Confines reads to the next Length bytes for its lifetime and restores the previous
// limit afterwards. Raises EReadError when fewer than Length bytes remain.
class TReadLimit {
public:
  TReadLimit(TStream& stream, uint64_t length) : stream_(stream), saved_(stream.limit_) {
    stream.RequireRemaining(length);
    end_ = stream.GetPosition() + static_cast<int64_t>(length);
    stream.limit_ = end_;
  }
  ~TReadLimit() { stream_.limit_ = saved_; }
  TReadLimit(const TReadLimit&) = delete;
  TReadLimit& operator=(const TReadLimit&) = delete;

  // The position just after the limited window.
  int64_t End() const { return end_; }

private:
  TStream& stream_;
  int64_t saved_;
  int64_t end_;
};

// A growable stream in memory.
class TMemoryStream final : public TStream {
public:
  TMemoryStream() { ShowMemory(); }
  explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) { ShowMemory(); }
  TMemoryStream(const void* bytes, size_t count);
  // The base class points at our members: no copies or moves.
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;

  void Clear();
  void SetSize(size_t size);
  const std::vector<uint8_t>& Bytes() const {
    data_.resize(memSize_);
    writeDataEnd_ = memSize_;
    return data_;
  }
  // The From bytes at position At become To bytes (zeros where they grow), moving what
  // follows along; a position after them moves with it. A nested record saved in place
  // gets room for its length this way once the length is known.
  void ResizeAt(size_t at, size_t from, size_t to);
  std::vector<uint8_t> TakeBytes();
  const uint8_t* Memory() const { return data_.data(); }
  TMemoryStream* AsMemoryStream() override { return this; }

protected:
  int64_t DoGetSize() const override { return static_cast<int64_t>(memSize_); }
  int64_t DoGetPosition() const override { return static_cast<int64_t>(memPos_); }
  void DoSetPosition(int64_t position) override;
  size_t DoRead(void* buffer, size_t count) override;
  void DoWrite(const void* buffer, size_t count) override;

private:
  // After every change of Data: the base reads through this view.
  void ShowMemory(size_t size) {
    inMemory_ = true;
    memData_ = data_.data();
    memSize_ = size;
    writeData_ = data_.data();
    writeDataEnd_ = data_.size();
  }
  void ShowMemory() { ShowMemory(data_.size()); }

  // While a save appends, Data holds spare room beyond the stream's size (memSize_), so
  // that it grows in steps rather than with every write; Bytes and TakeBytes cut it.
  mutable std::vector<uint8_t> data_;
};

// Little-endian integers at a byte pointer, for fixed headers such as clipboard blocks.
inline uint32_t GetLE32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint16_t GetLE16(const uint8_t* p) {
  return uint16_t(p[0] | p[1] << 8);
}
inline void PutLE32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}
inline void PutLE16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}

// The clipboard as the data core sees it: private formats identified by number, each
// holding one block of bytes. The application installs the real clipboard; without
// one, an in-process clipboard serves (tools and tests).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

class TClipboardProvider {
public:
  virtual ~TClipboardProvider() = default;
  virtual bool HasFormat(uint32_t format) const = 0;
  // The block of Format, or nothing when the format is absent or cannot be read.
  virtual std::optional<std::vector<uint8_t>> GetData(uint32_t format) const = 0;
  // Replaces the whole clipboard content with one block.
  virtual void SetData(uint32_t format, std::vector<uint8_t> bytes) = 0;
};

// A clipboard held in memory.
class TMemoryClipboard : public TClipboardProvider {
public:
  bool HasFormat(uint32_t format) const override;
  std::optional<std::vector<uint8_t>> GetData(uint32_t format) const override;
  void SetData(uint32_t format, std::vector<uint8_t> bytes) override;
  void Clear() { blocks_.clear(); }

private:
  std::map<uint32_t, std::vector<uint8_t>> blocks_;
};

// Installs Provider (not owned) for the whole process; nullptr restores the built-in one.
void SetClipboardProvider(TClipboardProvider* provider);
TClipboardProvider& Clipboard();

// Private formats are numbers that are never registered; only their low 16 bits count.
inline uint32_t ClipboardFormatNumber(uint32_t format) {
  return format & 0xFFFF;
}

// Record and list blocks: [u32 size][u32 count][size bytes of records].
struct TClipboardBlock {
  uint32_t Count = 0;
  std::vector<uint8_t> Data; // exactly the size bytes after the header
};

std::vector<uint8_t> MakeClipboardBlock(uint32_t count, const std::vector<uint8_t>& records);
// Nothing when the block is shorter than its header or than its size field says.
std::optional<TClipboardBlock> ParseClipboardBlock(const std::vector<uint8_t>& bytes);

void PutClipboardBlock(uint32_t format, uint32_t count, const std::vector<uint8_t>& records);
std::optional<TClipboardBlock> GetClipboardBlock(uint32_t format);

// Stream blocks: [u32 size][size bytes of a stream whose form depends on the format].
std::vector<uint8_t> MakeClipboardStream(const std::vector<uint8_t>& stream);
// Nothing when the block is shorter than its header or than its size field says.
std::optional<std::vector<uint8_t>> ParseClipboardStream(const std::vector<uint8_t>& bytes);

// The block of Format as it stands, empty when the format is absent (an empty block
// parses as nothing in every format).
std::vector<uint8_t> ClipboardBytes(uint32_t format);

#include "core/clipboard.h"

#include <algorithm>

#include "core/stream.h"

namespace {
TMemoryClipboard g_builtinClipboard;
TClipboardProvider* g_provider = nullptr;
} // namespace

bool TMemoryClipboard::HasFormat(uint32_t format) const {
  return blocks_.count(ClipboardFormatNumber(format)) != 0;
}

std::optional<std::vector<uint8_t>> TMemoryClipboard::GetData(uint32_t format) const {
  auto it = blocks_.find(ClipboardFormatNumber(format));
  if (it == blocks_.end()) return std::nullopt;
  return it->second;
}

void TMemoryClipboard::SetData(uint32_t format, std::vector<uint8_t> bytes) {
  blocks_.clear();
  blocks_[ClipboardFormatNumber(format)] = std::move(bytes);
}

void SetClipboardProvider(TClipboardProvider* provider) {
  g_provider = provider;
}

TClipboardProvider& Clipboard() {
  return g_provider ? *g_provider : g_builtinClipboard;
}

std::vector<uint8_t> MakeClipboardBlock(uint32_t count, const std::vector<uint8_t>& records) {
  std::vector<uint8_t> block(records.size() + 8);
  PutLE32(block.data(), static_cast<uint32_t>(records.size()));
  PutLE32(block.data() + 4, count);
  std::copy(records.begin(), records.end(), block.begin() + 8);
  return block;
}

std::optional<TClipboardBlock> ParseClipboardBlock(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 8) return std::nullopt;
  const uint32_t size = GetLE32(bytes.data());
  if (size > bytes.size() - 8) return std::nullopt;
  TClipboardBlock block;
  block.Count = GetLE32(bytes.data() + 4);
  block.Data.assign(bytes.begin() + 8, bytes.begin() + 8 + size);
  return block;
}

void PutClipboardBlock(uint32_t format, uint32_t count, const std::vector<uint8_t>& records) {
  Clipboard().SetData(format, MakeClipboardBlock(count, records));
}

std::optional<TClipboardBlock> GetClipboardBlock(uint32_t format) {
  auto bytes = Clipboard().GetData(format);
  if (!bytes) return std::nullopt;
  return ParseClipboardBlock(*bytes);
}

std::vector<uint8_t> MakeClipboardStream(const std::vector<uint8_t>& stream) {
  std::vector<uint8_t> block(stream.size() + 4);
  PutLE32(block.data(), static_cast<uint32_t>(stream.size()));
  std::copy(stream.begin(), stream.end(), block.begin() + 4);
  return block;
}

std::optional<std::vector<uint8_t>> ParseClipboardStream(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 4) return std::nullopt;
  const uint32_t size = GetLE32(bytes.data());
  if (size > bytes.size() - 4) return std::nullopt;
  return std::vector<uint8_t>(bytes.begin() + 4, bytes.begin() + 4 + size);
}

std::vector<uint8_t> ClipboardBytes(uint32_t format) {
  auto bytes = Clipboard().GetData(format);
  return bytes ? std::move(*bytes) : std::vector<uint8_t>();
}

#include "core/catalog_item.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/clipboard.h"
#include "core/errors.h"
#include "core/stream.h"
#include "core/var_int.h"

static_assert(std::endian::native == std::endian::little,
              "fixed and double fields are copied as little-endian bytes");

namespace {

int EncodeChunkHead(uint8_t* out, int id, uint32_t length) {
  const int n = EncodeVarInt(static_cast<uint32_t>(id), out);
  return n + EncodeVarInt(length, out + n);
}

} // namespace

void WriteChunkHead(TStream& stream, int id, uint32_t length) {
  if (uint8_t* out = stream.AppendSpace(10))
    return stream.Appended(size_t(EncodeChunkHead(out, id, length)));
  uint8_t buf[10];
  stream.WriteBuffer(buf, size_t(EncodeChunkHead(buf, id, length)));
}

namespace {

// A whole chunk whose payload is a few bytes, in one write: most fields of a record are
// such chunks, and a save writes every record of a database.
// Payloads are at most 8 bytes, so the length is one byte.
int EncodeSmallChunk(uint8_t* out, int id, const void* payload, uint32_t length) {
  int n = EncodeVarInt(static_cast<uint32_t>(id), out);
  out[n++] = static_cast<uint8_t>(length);
  // A loop rather than a copy of variable length, which would be a call for 1 to 8 bytes.
  const auto* from = static_cast<const uint8_t*>(payload);
  for (uint32_t i = 0; i < length; ++i)
    out[n + i] = from[i];
  return n + int(length);
}

void WriteSmallChunk(TStream& stream, int id, const void* payload, uint32_t length) {
  if (uint8_t* out = stream.AppendSpace(16))
    return stream.Appended(size_t(EncodeSmallChunk(out, id, payload, length)));
  uint8_t buf[16];
  stream.WriteBuffer(buf, size_t(EncodeSmallChunk(buf, id, payload, length)));
}

// Nested records save into a scratch stream first, since their length comes before
// them. One scratch stream per nesting depth, reused, so saving allocates nothing in
// the steady state.
class TScratchStreams {
public:
  TMemoryStream& Enter() {
    if (depth_ == streams_.size()) streams_.push_back(std::make_unique<TMemoryStream>());
    TMemoryStream& s = *streams_[depth_++];
    s.SetPosition(0);
    s.SetSize(0);
    return s;
  }
  void Leave() { --depth_; }

private:
  std::vector<std::unique_ptr<TMemoryStream>> streams_;
  size_t depth_ = 0;
};

thread_local TScratchStreams g_scratch;

class TScratchGuard {
public:
  TScratchGuard() : stream(g_scratch.Enter()) {}
  ~TScratchGuard() { g_scratch.Leave(); }
  TMemoryStream& stream;
};

void SaveNested(TStream& stream, const TCatalogVarData& d) {
  if (d.Kind == ckCatalog)
    static_cast<const TNestedList*>(d.Data)->SaveToStream(stream);
  else
    static_cast<const TCatalogBaseItem*>(d.Data)->SaveToStream(stream);
}

void WriteNested(TStream& stream, int id, const TCatalogVarData& d) {
  if (WriteChunkInPlace(stream, static_cast<uint32_t>(id),
                        [&d](TStream& to) { SaveNested(to, d); }))
    return;
  TScratchGuard scratch;
  SaveNested(scratch.stream, d);
  const auto& bytes = scratch.stream.Bytes();
  WriteChunkHead(stream, id, static_cast<uint32_t>(bytes.size()));
  stream.WriteBuffer(bytes.data(), bytes.size());
}

void WriteField(TStream& stream, int id, const TCatalogVarData& d) {
  switch (d.Kind) {
  case ckInt: {
    const int32_t value = *static_cast<const int32_t*>(d.Data);
    if (value == d.IntDefault) return;
    uint8_t groups[5];
    const int n = EncodeVarInt(static_cast<uint32_t>(value), groups);
    WriteSmallChunk(stream, id, groups, static_cast<uint32_t>(n));
    return;
  }
  case ckFixed: {
    const uint32_t size = static_cast<uint32_t>(std::max(d.Size, 0));
    if (size <= 8) return WriteSmallChunk(stream, id, d.Data, size);
    WriteChunkHead(stream, id, size);
    stream.WriteBuffer(d.Data, size);
    return;
  }
  case ckBlob: {
    // Never more than the block holds: a size field that claims more (a damaged
    // file) must not make the save invent or over-read bytes.
    const auto* block = static_cast<const std::vector<uint8_t>*>(d.Data);
    const size_t size = std::min<size_t>(static_cast<size_t>(std::max(d.Size, 0)), block->size());
    WriteChunkHead(stream, id, static_cast<uint32_t>(size));
    stream.WriteBuffer(block->data(), size);
    return;
  }
  case ckString: {
    const auto* s = static_cast<const std::string*>(d.Data);
    if (d.SkipEmpty && s->empty()) return;
    WriteChunkHead(stream, id, static_cast<uint32_t>(s->size()));
    stream.WriteBuffer(s->data(), s->size());
    return;
  }
  case ckCatalog:
  case ckRecord:
    WriteNested(stream, id, d);
    return;
  case ckByte: {
    const uint8_t value = d.BoolField ? uint8_t(*static_cast<const bool*>(d.Data) ? 1 : 0)
                                      : *static_cast<const uint8_t*>(d.Data);
    if (value == d.ByteDefault) return;
    WriteSmallChunk(stream, id, &value, 1);
    return;
  }
  case ckDouble: {
    const double value = *static_cast<const double*>(d.Data);
    if (value == d.FloatDefault) return;
    WriteSmallChunk(stream, id, &value, sizeof(double));
    return;
  }
  default:
    return;
  }
}

// Reads the payload of one chunk into the field. The stream is limited to the chunk.
void ReadField(TStream& stream, const TCatalogVarData& d, uint32_t length) {
  switch (d.Kind) {
  case ckInt:
    *static_cast<int32_t*>(d.Data) = static_cast<int32_t>(ReadVarInt(stream));
    return;
  case ckFixed:
    if (d.Size >= 0 && length == static_cast<uint32_t>(d.Size)) stream.ReadBuffer(d.Data, length);
    return;
  case ckBlob: {
    auto* block = static_cast<std::vector<uint8_t>*>(d.Data);
    block->resize(length);
    stream.ReadBuffer(block->data(), length);
    return;
  }
  case ckString: {
    auto* s = static_cast<std::string*>(d.Data);
    s->resize(length);
    stream.ReadBuffer(s->data(), length);
    return;
  }
  case ckCatalog:
    static_cast<TNestedList*>(d.Data)->LoadFromStream(stream);
    return;
  case ckRecord:
    static_cast<TCatalogBaseItem*>(d.Data)->LoadFromStream(stream);
    return;
  case ckByte:
    if (length == 1) {
      const uint8_t value = stream.ReadByte();
      if (d.BoolField)
        *static_cast<bool*>(d.Data) = value != 0;
      else
        *static_cast<uint8_t*>(d.Data) = value;
    }
    return;
  case ckDouble:
    if (length == sizeof(double)) stream.ReadBuffer(d.Data, sizeof(double));
    return;
  default:
    return;
  }
}

// Calls Visit (id, descriptor) for every id of 1..LastFieldId() that Item answers for
// on a save.
template <class Visit> void ForEachField(TCatalogBaseItem& item, Visit&& visit) {
  TCatalogVarData d;
  const int last = std::clamp(item.LastFieldId(), 0, 999);
  for (int id = 1; id <= last; ++id) {
    d.Kind = ckNone;
    item.GetVarData(id, d, false);
    if (d.Kind != ckNone) visit(id, d);
  }
}

} // namespace

void TCatalogBaseItem::SaveToStream(TStream& stream) const {
  SaveFieldsTo(stream, {});
}

void TCatalogBaseItem::SaveFieldsTo(TStream& stream, const TFieldWriter& writer) const {
  // GetVarData hands out pointers to the fields; saving only reads through them.
  auto* self = const_cast<TCatalogBaseItem*>(this);
  const auto write = [&](int id, const TCatalogVarData& field) {
    if (!writer || !writer(id, field)) WriteField(stream, id, field);
  };
  TCatalogVarData d;
  if (const std::vector<uint16_t>* ids = SavedFieldIds()) {
    for (const uint16_t id : *ids) {
      d.Kind = ckNone;
      self->GetVarData(id, d, false);
      write(id, d);
    }
  } else {
    ForEachField(*self, write);
  }
  stream.WriteByte(0);
}

std::vector<uint16_t> TCatalogBaseItem::AnsweringFieldIds() const {
  std::vector<uint16_t> ids;
  ForEachField(*const_cast<TCatalogBaseItem*>(this),
               [&](int id, const TCatalogVarData&) { ids.push_back(static_cast<uint16_t>(id)); });
  return ids;
}

namespace {
// The record that LoadNewItem hands to a load, taken back by its first step.
thread_local const TCatalogBaseItem* g_newItem = nullptr;
} // namespace

void LoadNewItem(TCatalogBaseItem& item, TStream& stream) {
  g_newItem = &item;
  struct TForget {
    ~TForget() { g_newItem = nullptr; }
  } forget;
  item.LoadFromStream(stream);
}

void TCatalogBaseItem::LoadFromStream(TStream& stream) {
  if (g_newItem == this)
    g_newItem = nullptr;
  else
    Clear();
  TCatalogVarData d;
  for (;;) {
    const uint32_t id = ReadVarInt(stream);
    if (id == 0) return;
    const uint32_t length = ReadVarInt(stream);
    TReadLimit chunk(stream, length);
    if (id <= 999) {
      d.Kind = ckNone;
      GetVarData(static_cast<int>(id), d, true);
      ReadField(stream, d, length);
    }
    stream.SetPosition(chunk.End());
  }
}

void TCatalogBaseItem::ClearField(const TCatalogVarData& d) {
  switch (d.Kind) {
  case ckInt:
    *static_cast<int32_t*>(d.Data) = d.IntDefault;
    break;
  case ckByte:
    if (d.BoolField)
      *static_cast<bool*>(d.Data) = d.ByteDefault != 0;
    else
      *static_cast<uint8_t*>(d.Data) = d.ByteDefault;
    break;
  case ckDouble:
    *static_cast<double*>(d.Data) = d.FloatDefault;
    break;
  case ckString:
    static_cast<std::string*>(d.Data)->clear();
    break;
  case ckFixed:
    if (d.Size > 0) std::memset(d.Data, 0, static_cast<size_t>(d.Size));
    break;
  case ckCatalog:
    static_cast<TNestedList*>(d.Data)->Clear();
    break;
  case ckRecord:
    static_cast<TCatalogBaseItem*>(d.Data)->Clear();
    break;
  default:
    break;
  }
}

void TCatalogBaseItem::ClearFieldsOneByOne() {
  ForEachField(*this, [this](int, const TCatalogVarData& d) { ClearField(d); });
}

namespace {

// The bytes a plain field holds at its default; false for the other kinds.
bool PlainDefault(const TCatalogVarData& d, std::vector<char>& bytes) {
  switch (d.Kind) {
  case ckInt:
    bytes.resize(sizeof(int32_t));
    std::memcpy(bytes.data(), &d.IntDefault, sizeof(int32_t));
    return true;
  case ckByte:
    bytes.assign(1, static_cast<char>(d.BoolField ? d.ByteDefault != 0 : d.ByteDefault));
    return true;
  case ckDouble:
    bytes.resize(sizeof(double));
    std::memcpy(bytes.data(), &d.FloatDefault, sizeof(double));
    return true;
  case ckFixed:
    bytes.assign(static_cast<size_t>(std::max(d.Size, 0)), 0);
    return true;
  default:
    return false;
  }
}

} // namespace

void TCatalogBaseItem::BuildFieldTable(TFieldTable& table, size_t size) {
  const char* const self = reinterpret_cast<const char*>(this);
  struct TPlain {
    size_t Offset;
    std::vector<char> Bytes;
  };
  std::vector<TPlain> plain;
  TCatalogVarData d;
  std::vector<char> bytes;
  const int last = std::clamp(LastFieldId(), 0, 999);
  for (int id = 1; id <= last; ++id) {
    d.Kind = ckNone;
    GetVarData(id, d, false);
    if (d.Kind == ckNone || d.Kind == ckBlob) continue;
    const char* at = static_cast<const char*>(d.Data);
    const size_t extent = d.Kind == ckFixed ? static_cast<size_t>(std::max(d.Size, 0)) : 1;
    if (at < self || at + extent > self + size) return;
    const auto offset = static_cast<size_t>(at - self);
    if (PlainDefault(d, bytes))
      plain.push_back({offset, bytes});
    else
      table.Entries.push_back({d, offset});
  }
  std::sort(plain.begin(), plain.end(),
            [](const TPlain& a, const TPlain& b) { return a.Offset < b.Offset; });
  for (const TPlain& field : plain) {
    auto& runs = table.Runs;
    if (runs.empty() || runs.back().Offset + runs.back().Length != field.Offset)
      runs.push_back({field.Offset, 0, table.Image.size()});
    runs.back().Length += field.Bytes.size();
    table.Image.insert(table.Image.end(), field.Bytes.begin(), field.Bytes.end());
  }
  table.Usable = true;
}

void TCatalogBaseItem::ClearFields(TFieldTable& table, const std::type_info& type, size_t size) {
  if (typeid(*this) != type) return ClearFieldsOneByOne();
  std::call_once(table.Built, [&] { BuildFieldTable(table, size); });
  if (!table.Usable) return ClearFieldsOneByOne();
  char* const self = reinterpret_cast<char*>(this);
  for (const auto& run : table.Runs)
    std::memcpy(self + run.Offset, table.Image.data() + run.ImageOffset, run.Length);
  for (const auto& entry : table.Entries) {
    TCatalogVarData d = entry.Described;
    d.Data = self + entry.Offset;
    ClearField(d);
  }
}

void TCatalogBaseItem::Assign(const TCatalogBaseItem& source) {
  if (&source == this) return;
  Clear();
  TMemoryStream stream;
  source.SaveToStream(stream);
  stream.SetPosition(0);
  LoadFromStream(stream);
}

void TCatalogBaseItem::CopyToClipboard(uint32_t format) const {
  TMemoryStream stream;
  SaveToStream(stream);
  PutClipboardBlock(format, 1, stream.Bytes());
}

bool TCatalogBaseItem::PasteFromClipboard(uint32_t format) {
  auto block = GetClipboardBlock(format);
  if (!block || block->Count != 1) return false;
  // Keep the record as it was when the block turns out not to be one of ours.
  TMemoryStream backup;
  SaveToStream(backup);
  Clear();
  const TClipboardRecordReader reader(*this);
  TMemoryStream stream(std::move(block->Data));
  if (reader.Read(stream, *this) && stream.Remaining() == 0) return true;
  backup.SetPosition(0);
  LoadFromStream(backup);
  return false;
}

namespace {

// Kinds that a save writes whatever the field holds.
bool AlwaysWritten(const TCatalogVarData& d) {
  switch (d.Kind) {
  case ckFixed:
  case ckBlob:
  case ckCatalog:
  case ckRecord:
    return true;
  case ckString:
    return !d.SkipEmpty;
  default:
    return false;
  }
}

} // namespace

TClipboardRecordReader::TClipboardRecordReader(TCatalogBaseItem& cleared) {
  // Taken from an actual save, so fields a class leaves out while they hold their
  // defaults (a chipset's chip arrays) are not asked for.
  TMemoryStream saved;
  cleared.SaveToStream(saved);
  saved.SetPosition(0);
  TCatalogVarData d;
  for (;;) {
    const uint32_t id = ReadVarInt(saved);
    if (id == 0) break;
    saved.Seek(ReadVarInt(saved));
    d.Kind = ckNone;
    cleared.GetVarData(static_cast<int>(id), d, false);
    if (AlwaysWritten(d)) required_.push_back(static_cast<int>(id));
  }
}

bool TClipboardRecordReader::Read(TStream& stream, TCatalogBaseItem& target) const {
  const int64_t start = stream.GetPosition();
  try {
    target.LoadFromStream(stream);
  } catch (const Exception&) {
    return false;
  }
  const int64_t end = stream.GetPosition();
  stream.SetPosition(start);
  if (!ChunksFit(stream, end, target)) return false;
  // Asking a record for its fields may touch its load state (a map's layers), so the
  // record that is handed on is loaded once more, untouched.
  stream.SetPosition(start);
  try {
    target.LoadFromStream(stream);
  } catch (const Exception&) {
    return false;
  }
  return stream.GetPosition() == end;
}

bool TClipboardRecordReader::ChunksFit(TStream& stream, int64_t end,
                                       TCatalogBaseItem& target) const {
  TCatalogVarData d;
  size_t next = 0; // the first required field not met yet
  uint32_t last = 0;
  try {
    for (;;) {
      const uint32_t id = ReadVarInt(stream);
      if (id == 0) break;
      if (id <= last || id > 999) return false;
      last = id;
      const uint32_t length = ReadVarInt(stream);
      d.Kind = ckNone;
      target.GetVarData(static_cast<int>(id), d, true);
      if (d.Kind == ckNone) return false;
      const bool sized = d.Kind == ckFixed || d.Kind == ckByte || d.Kind == ckDouble;
      if (sized && int64_t(length) != d.Size) return false;
      if (next < required_.size() && required_[next] < static_cast<int>(id)) return false;
      if (next < required_.size() && required_[next] == static_cast<int>(id)) ++next;
      stream.RequireRemaining(length);
      stream.Seek(length);
    }
  } catch (const Exception&) {
    return false;
  }
  return next == required_.size() && stream.GetPosition() == end;
}

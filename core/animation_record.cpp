#include "core/animation_record.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/spare_cores.h"
#include "core/stream.h"
#include "core/var_int.h"

void TXelAnimationTimingItem::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Int(&Frame, 0); break;
    case 2: d.Record(&Sound); break;
    case 3: d.Fixed(&FlashScope, 1); break;
    case 4: d.Int(&FlashRed, 31); break;
    case 5: d.Int(&FlashGreen, 31); break;
    case 6: d.Int(&FlashBlue, 31); break;
    case 7: d.Int(&FlashPower, 31); break;
    case 8: d.Int(&Reserved8, 0); break;
    default: break;
  }
  // clang-format on
}

void TXelAnimationCellItem::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Byte(&Visible, 1); break;
    case 2: d.Int(&Pattern, 0); break;
    case 3: d.Int(&X, 0); break;
    case 4: d.Int(&Y, 0); break;
    case 5: d.Int(&Magnification, 100); break;
    case 6: d.Int(&Red, 100); break;
    case 7: d.Int(&Green, 100); break;
    case 8: d.Int(&Blue, 100); break;
    case 9: d.Int(&Chroma, 100); break;
    case 10: d.Int(&Transparency, 0); break;
    default: break;
  }
  // clang-format on
}

void TXelAnimationPatternItem::GetVarData(int id, TCatalogVarData& d, bool) {
  if (id == 1) d.Catalog(&Cells);
}

void TXelAnimationItem::GetVarData(int id, TCatalogVarData& d, bool forLoad) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 2: d.Str(&Graphic, true); break;
    case 6: d.Catalog(&Timings); break;
    case 9: d.Fixed(&Scope, 1); break;
    case 10: d.Fixed(&YLine, 1); break;
    case 12:
      if (forLoad) {
        framesRead_ = true;
        if (FoldFrames()) break; // skipped over, as a field of no kind
      } else {
        UnfoldFrames();
      }
      d.Catalog(&frames_);
      break;
    default: break;
  }
  // clang-format on
}

void TXelAnimationItem::Clear() {
  foldedSize_ = 0; // cleared, not parsed
  ClearFields<TXelAnimationItem>();
  YLine = 2;
  if (!loadingFields_) AddDefaultFrames();
  SavedBytes.clear();
  NeedsSerialize = 1;
}

void TXelAnimationItem::AddDefaultFrames() {
  frames_.Reserve(frames_.GetCount() + NewAnimationFrames);
  for (int k = 0; k < NewAnimationFrames; ++k)
    frames_.Append();
}

void TXelAnimationItem::SetFrameCount(int count) {
  count = std::max(count, 0);
  TXelAnimationPattern& frames = Frames();
  while (frames.GetCount() < count)
    frames.Append();
  while (frames.GetCount() > count)
    frames.DeleteById(frames.GetItem(frames.GetCount() - 1)->Id);
  NeedsSerialize = 1;
}

void TXelAnimationItem::LoadFields(TStream& stream) {
  const int64_t start = stream.GetPosition();
  loadingFields_ = true;
  framesRead_ = false;
  loadStream_ = &stream;
  loadStart_ = start;
  // A failed load leaves NeedsSerialize set, and the frames it reached parsed, as the
  // record keeps no bytes to parse them from later.
  LoadThenSettle(
      [&] {
        try {
          TCatalogItem::LoadFromStream(stream);
        } catch (...) {
          UnfoldFromLoadStream();
          throw;
        }
      },
      [this] {
        loadingFields_ = false;
        loadStream_ = nullptr;
        if (!framesRead_ && frames_.GetCount() == 0) AddDefaultFrames();
      });
  const int64_t end = stream.GetPosition();
  const auto size = static_cast<size_t>(end - start);
  stream.SetPosition(start);
  if (const uint8_t* bytes = stream.PeekMemory(size)) {
    SavedBytes.assign(bytes, bytes + size); // into fresh memory without zeroing it first
    stream.SetPosition(end);
  } else {
    SavedBytes.resize(size);
    stream.ReadBuffer(SavedBytes.data(), size);
  }
  NeedsSerialize = 0;
}

namespace {

// A number as the loaders read it from P; where it ends, or nullptr when End comes first.
const uint8_t* VarIntAt(const uint8_t* p, const uint8_t* end, uint32_t& value) {
  value = 0;
  while (p < end) {
    const uint8_t b = *p++;
    value = (value << 7) + (b & 0x7F);
    if ((b & 0x80) == 0) return p;
  }
  return nullptr;
}

// These check that a frames chunk loads without error, byte by byte as the loaders of
// the catalogs and records below read it; they build nothing.
class TFramesCheck {
public:
  TFramesCheck(const uint8_t* p, const uint8_t* end)
      : p_(p), end_(end), intFields_(CellIntFields()) {}
  bool Frames() { return Catalog(end_, &TFramesCheck::Frame); }

private:
  using TItemCheck = bool (TFramesCheck::*)(const uint8_t* end);

  bool VarInt(const uint8_t* end, uint32_t& value) {
    const uint8_t* past = VarIntAt(p_, end, value);
    if (past) p_ = past;
    return past != nullptr;
  }
  bool Catalog(const uint8_t* end, TItemCheck item) {
    uint32_t count = 0, id = 0;
    if (!VarInt(end, count) || uint64_t(count) * 2 > uint64_t(end - p_)) return false;
    for (uint32_t k = 0; k < count; ++k)
      if (!VarInt(end, id) || !(this->*item)(end)) return false;
    return true;
  }
  // Fields up to the end mark; Field checks one whose chunk ends at ChunkEnd.
  template <class Field> bool Record(const uint8_t* end, Field&& field) {
    for (;;) {
      uint32_t id = 0, length = 0;
      if (!VarInt(end, id)) return false;
      if (id == 0) return true;
      if (!VarInt(end, length) || length > uint64_t(end - p_)) return false;
      const uint8_t* chunkEnd = p_ + length;
      if (!field(id, chunkEnd)) return false;
      p_ = chunkEnd;
    }
  }
  bool Frame(const uint8_t* end) {
    return Record(end, [this](uint32_t id, const uint8_t* chunkEnd) {
      return id != 1 || Catalog(chunkEnd, &TFramesCheck::Cell); // 1: the cells
    });
  }
  bool Cell(const uint8_t* end) {
    return Record(end, [this](uint32_t id, const uint8_t* chunkEnd) {
      // An int field must hold the end of a number.
      if (id >= 32 || !(intFields_ >> id & 1)) return true;
      while (p_ < chunkEnd)
        if (*p_++ < 0x80) return true;
      return false;
    });
  }
  // The ids of the cell's int fields, as bits.
  static uint32_t CellIntFields() {
    static const uint32_t fields = [] {
      TXelAnimationCellItem cell(0);
      uint32_t made = 0;
      for (int id = 1; id <= std::min(cell.LastFieldId(), 31); ++id) {
        TCatalogVarData d;
        cell.GetVarData(id, d, true);
        if (d.Kind == ckInt) made |= 1u << id;
      }
      return made;
    }();
    return fields;
  }

  const uint8_t* p_;
  const uint8_t* end_;
  const uint32_t intFields_;
};

} // namespace

bool FramesChunkLoads(const uint8_t* bytes, size_t size) {
  return TFramesCheck(bytes, bytes + size).Frames();
}

namespace {

// What FramesChunkLoads says of the frames chunks of an animation catalog being loaded,
// found ahead of the load and worked out on spare cores: most of a database's bytes are
// frames. Each item's load takes its own answer in turn.
struct TFramesAhead {
  std::vector<std::pair<const uint8_t*, size_t>> Chunks;
  std::vector<uint8_t> Loads;
  size_t Next = 0;
};

thread_local TFramesAhead* t_framesAhead = nullptr;

constexpr int FramesFieldId = 12;
constexpr int ChunksPerBand = 16;

// The frames chunks of the catalog at P, walked as its load reads it; the walk stops at
// anything that load refuses, which then reports it itself.
void FindFramesChunks(const uint8_t* p, const uint8_t* end, TFramesAhead& ahead) {
  uint32_t count = 0, id = 0;
  if (!(p = VarIntAt(p, end, count))) return;
  for (uint32_t k = 0; k < count; ++k) {
    if (!(p = VarIntAt(p, end, id))) return;
    for (;;) {
      uint32_t field = 0, length = 0;
      if (!(p = VarIntAt(p, end, field))) return;
      if (field == 0) break;
      if (!(p = VarIntAt(p, end, length)) || length > uint64_t(end - p)) return;
      if (field == FramesFieldId && length > 0) ahead.Chunks.emplace_back(p, length);
      p += length;
    }
  }
}

} // namespace

bool TXelAnimationItem::FoldFrames() {
  foldedSize_ = 0;
  if (!loadStream_) return false;
  const int64_t size = loadStream_->Remaining(); // the chunk's
  const int64_t at = loadStream_->GetPosition() - loadStart_;
  const uint8_t* bytes = loadStream_->PeekMemory(static_cast<size_t>(size));
  if (!bytes || size <= 0 || size > UINT32_MAX || at < 0 || at > UINT32_MAX) return false;
  bool loads;
  TFramesAhead* ahead = t_framesAhead;
  if (ahead && ahead->Next < ahead->Chunks.size() &&
      ahead->Chunks[ahead->Next] == std::pair{bytes, static_cast<size_t>(size)})
    loads = ahead->Loads[ahead->Next++] != 0;
  else
    loads = FramesChunkLoads(bytes, static_cast<size_t>(size));
  if (!loads) return false;
  frames_.Clear();
  foldedAt_ = static_cast<uint32_t>(at);
  foldedSize_ = static_cast<uint32_t>(size);
  return true;
}

void TXelAnimationItem::UnfoldSavedFrames() const {
  TMemoryStream chunk(SavedBytes.data() + foldedAt_, foldedSize_);
  foldedSize_ = 0;
  frames_.LoadFromStream(chunk); // cannot fail: the chunk was checked when folded
}

void TXelAnimationItem::UnfoldFromLoadStream() {
  if (foldedSize_ == 0 || !loadStream_) return;
  const int64_t resume = loadStream_->GetPosition();
  loadStream_->SetPosition(loadStart_ + foldedAt_);
  TMemoryStream chunk(loadStream_->PeekMemory(foldedSize_), foldedSize_);
  loadStream_->SetPosition(resume);
  foldedSize_ = 0;
  frames_.LoadFromStream(chunk);
}

bool TXelAnimationItem::SkipSavedBytes(TStream& stream) const {
  // A record ends where its parse ends, so a stream that begins with the whole of
  // SavedBytes holds exactly this record.
  const size_t size = SavedBytes.size();
  if (size == 0 || static_cast<uint64_t>(stream.Remaining()) < size) return false;
  const int64_t start = stream.GetPosition();
  uint8_t block[4096];
  for (size_t done = 0; done < size;) {
    const size_t n = std::min(sizeof block, size - done);
    stream.ReadBuffer(block, n);
    if (std::memcmp(block, SavedBytes.data() + done, n) != 0) {
      stream.SetPosition(start);
      return false;
    }
    done += n;
  }
  return true;
}

void TXelAnimationItem::LoadFromStream(TStream& stream) {
  if (!NeedsSerialize && SkipSavedBytes(stream)) return;
  LoadFields(stream);
}

void TXelAnimationItem::SaveToStream(TStream& stream) const {
  if (NeedsSerialize) {
    TMemoryStream fields;
    TCatalogItem::SaveToStream(fields);
    const auto& bytes = fields.Bytes();
    SavedBytes.assign(bytes.begin(), bytes.end());
    NeedsSerialize = 0;
  }
  stream.WriteBuffer(SavedBytes.data(), SavedBytes.size());
}

void TXelAnimationItem::Assign(const TCatalogBaseItem& source) {
  if (&source == this) return;
  TMemoryStream stream;
  if (const auto* animation = dynamic_cast<const TXelAnimationItem*>(&source))
    animation->TCatalogItem::SaveToStream(stream);
  else
    source.SaveToStream(stream);
  stream.SetPosition(0);
  LoadFields(stream);
}

void TXelAnimation::LoadItemFromStream(int index, TStream& stream) {
  TXelAnimationItem* item = Items(index);
  if (!item) return;
  item->NeedsSerialize = 1;
  try {
    item->LoadFromStream(stream);
  } catch (...) {
    item->NeedsSerialize = 1;
    throw;
  }
  item->NeedsSerialize = 1;
}

void TXelAnimation::SaveItemToStream(int index, TStream& stream) const {
  TXelAnimationItem* item = Items(index);
  if (!item) return;
  item->NeedsSerialize = 1;
  item->SaveToStream(stream);
  item->NeedsSerialize = 1;
}

void TXelAnimation::LoadFromStream(TStream& stream) {
  TFramesAhead ahead;
  const int64_t remaining = stream.Remaining();
  if (const uint8_t* bytes = remaining > 0 ? stream.PeekMemory(size_t(remaining)) : nullptr) {
    FindFramesChunks(bytes, bytes + remaining, ahead);
    ahead.Loads.resize(ahead.Chunks.size());
    ForEachRowBand(int(ahead.Chunks.size()), ChunksPerBand, [&ahead](int first, int end) {
      for (int k = first; k < end; ++k)
        ahead.Loads[size_t(k)] =
            FramesChunkLoads(ahead.Chunks[size_t(k)].first, ahead.Chunks[size_t(k)].second);
    });
  }
  TFramesAhead* const outer = std::exchange(t_framesAhead, &ahead);
  struct TRestore {
    TFramesAhead* outer;
    ~TRestore() { t_framesAhead = outer; }
  } restore{outer};
  try {
    const uint32_t count = ReadVarCount(stream, 2);
    // The items the stream holds, in its order, reusing the objects already held
    // under their Ids; what the stream does not hold is dropped. Built by lookup
    // rather than list searches so that no stream makes the load quadratic.
    std::unordered_map<int32_t, std::unique_ptr<TCatalogItem>> held;
    held.reserve(items_.size());
    for (auto& item : items_)
      held.try_emplace(item->Id, std::move(item));
    items_.clear();
    // The items loaded so far by Id, needed only once an Id comes out of ascending order:
    // until then every Id is new, and a file the editor wrote never needs it.
    std::unordered_map<int32_t, TCatalogItem*> loaded;
    bool indexed = false;
    const TCatalogItem* fresh = nullptr; // made for this item of the stream
    bool ordered = true;
    for (uint32_t k = 0; k < count; ++k) {
      const int32_t id = static_cast<int32_t>(ReadVarInt(stream));
      if (!indexed && !items_.empty() && id <= items_.back()->Id) {
        indexed = true;
        for (const auto& done : items_)
          loaded.emplace(done->Id, done.get());
      }
      TCatalogItem* unindexed = nullptr;
      TCatalogItem*& item = indexed ? loaded[id] : unindexed;
      if (!item) {
        auto found = held.find(id);
        if (found != held.end() && found->second) {
          items_.push_back(std::move(found->second));
        } else if (auto kept = TakeKeptItem()) {
          // Kept aside by a Clear: parsed in full under its new Id.
          kept->SetId(id);
          static_cast<TXelAnimationItem&>(*kept).NeedsSerialize = 1;
          items_.push_back(std::move(kept));
        } else {
          items_.push_back(std::make_unique<TXelAnimationItem>(id, TXelAnimationItem::TForLoad{}));
          fresh = items_.back().get();
        }
        if (items_.size() > 1 && items_[items_.size() - 2]->Id > id) ordered = false;
        item = items_.back().get();
      }
      // A repeated Id loads the same item again, as GetOrCreate would.
      if (item == fresh)
        LoadNewItem(*item, stream);
      else
        item->LoadFromStream(stream);
      fresh = nullptr;
    }
    if (!ordered)
      std::sort(items_.begin(), items_.end(),
                [](const auto& a, const auto& b) { return a->Id < b->Id; });
  } catch (...) {
    Clear();
    throw;
  }
}

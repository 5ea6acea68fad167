#include "core/animation_record.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

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
    case 12: d.Catalog(&Frames); framesRead_ = framesRead_ || forLoad; break;
    default: break;
  }
  // clang-format on
}

void TXelAnimationItem::Clear() {
  ClearFields<TXelAnimationItem>();
  YLine = 2;
  if (!loadingFields_) AddDefaultFrames();
  SavedBytes.clear();
  NeedsSerialize = 1;
}

void TXelAnimationItem::AddDefaultFrames() {
  Frames.Reserve(Frames.GetCount() + NewAnimationFrames);
  for (int k = 0; k < NewAnimationFrames; ++k)
    Frames.Append();
}

void TXelAnimationItem::SetFrameCount(int count) {
  count = std::max(count, 0);
  while (Frames.GetCount() < count)
    Frames.Append();
  while (Frames.GetCount() > count)
    Frames.DeleteById(Frames.GetItem(Frames.GetCount() - 1)->Id);
  NeedsSerialize = 1;
}

void TXelAnimationItem::LoadFields(TStream& stream) {
  const int64_t start = stream.GetPosition();
  loadingFields_ = true;
  framesRead_ = false;
  // A failed load leaves NeedsSerialize set.
  LoadThenSettle([&] { TCatalogItem::LoadFromStream(stream); },
                 [this] {
                   loadingFields_ = false;
                   if (!framesRead_ && Frames.GetCount() == 0) AddDefaultFrames();
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

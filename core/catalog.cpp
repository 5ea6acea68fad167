#include "core/catalog.h"

#include <algorithm>

#include "core/clipboard.h"
#include "core/stream.h"
#include "core/var_int.h"

void TCatalog::Clear() {
  // Last item first, so that the first comes back first.
  if (reuseItems_)
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
      spare_.push_back(std::move(*it));
  items_.clear();
}

std::unique_ptr<TCatalogItem> TCatalog::TakeKeptItem() {
  if (spare_.empty()) return nullptr;
  auto item = std::move(spare_.back());
  spare_.pop_back();
  return item;
}

std::unique_ptr<TCatalogItem> TCatalog::NewItem(int32_t id) {
  auto item = TakeKeptItem();
  if (!item) return itemClass_(id);
  item->SetId(id);
  item->Clear();
  return item;
}

TCatalogItem* TCatalog::GetItem(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

TCatalogItem* TCatalog::FindById(int32_t id) const {
  if (items_.empty() || id > items_.back()->Id) return nullptr;
  if (id >= 1 && id <= GetCount() && items_[static_cast<size_t>(id - 1)]->Id == id)
    return items_[static_cast<size_t>(id - 1)].get();
  for (const auto& item : items_)
    if (item->Id == id) return item.get();
  return nullptr;
}

size_t TCatalog::InsertPosition(int32_t id) const {
  auto it =
      std::find_if(items_.begin(), items_.end(), [id](const auto& item) { return item->Id >= id; });
  return static_cast<size_t>(it - items_.begin());
}

TCatalogItem* TCatalog::GetOrCreate(int32_t id) {
  if (TCatalogItem* found = FindById(id)) return found;
  auto item = NewItem(id);
  TCatalogItem* raw = item.get();
  if (items_.empty() || id > items_.back()->Id) {
    items_.push_back(std::move(item));
  } else {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [id](const auto& other) { return other->Id > id; });
    items_.insert(it, std::move(item));
  }
  return raw;
}

TCatalogItem* TCatalog::Append() {
  const int32_t id = items_.empty() ? 1 : items_.back()->Id + 1;
  items_.push_back(NewItem(id));
  return items_.back().get();
}

TCatalogItem* TCatalog::InsertAt(int32_t id) {
  if (items_.empty() || id > items_.back()->Id) {
    items_.push_back(NewItem(id));
    return items_.back().get();
  }
  const size_t pos = InsertPosition(id);
  for (size_t i = pos; i < items_.size(); ++i)
    items_[i]->SetId(items_[i]->Id + 1);
  auto it = items_.insert(items_.begin() + static_cast<ptrdiff_t>(pos), NewItem(id));
  return it->get();
}

void TCatalog::RemoveAt(int32_t id) {
  const int index = IndexOf(FindById(id));
  if (index < 0) return;
  items_.erase(items_.begin() + index);
  for (size_t i = static_cast<size_t>(index); i < items_.size(); ++i)
    items_[i]->SetId(items_[i]->Id - 1);
}

void TCatalog::DeleteById(int32_t id) {
  const int index = IndexOf(FindById(id));
  if (index >= 0) items_.erase(items_.begin() + index);
}

void TCatalog::SortAndRenumber(
    const std::function<int(const TCatalogItem*, const TCatalogItem*)>& compare) {
  std::stable_sort(items_.begin(), items_.end(),
                   [&](const auto& a, const auto& b) { return compare(a.get(), b.get()) < 0; });
  for (size_t i = 0; i < items_.size(); ++i)
    items_[i]->SetId(static_cast<int32_t>(i + 1));
}

int TCatalog::IndexOf(const TCatalogItem* item) const {
  if (!item) return -1;
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return static_cast<int>(i);
  return -1;
}

void TCatalog::LoadItemFromStream(int index, TStream& stream) {
  if (TCatalogItem* item = GetItem(index)) item->LoadFromStream(stream);
}

void TCatalog::SaveItemToStream(int index, TStream& stream) const {
  if (TCatalogItem* item = GetItem(index)) item->SaveToStream(stream);
}

void TCatalog::Assign(const TCatalog& source) {
  if (&source == this) return;
  Clear();
  for (const auto& item : source.items_)
    GetOrCreate(item->Id)->Assign(*item);
}

void TCatalog::LoadFromStream(TStream& stream) {
  Clear();
  // Kept items are reloaded in the order they held, so a reload walks memory as the
  // first load did; those the stream does not need are freed at the end.
  TCatalogItemVector reuse;
  reuse.swap(spare_);
  try {
    // Every item takes at least two bytes (its Id and the record's end mark).
    const uint32_t count = ReadVarCount(stream, 2);
    // Bounded by the bytes left, so a hostile count cannot reserve much.
    items_.reserve(count);
    // Items arrive in ascending Id order in every file the editor writes; a list with
    // its Ids out of order still loads as GetOrCreate would build it (a repeated Id
    // reloads the same item), but in n log n rather than quadratic time.
    bool ordered = true;
    for (uint32_t k = 0; k < count; ++k) {
      const int32_t id = static_cast<int32_t>(ReadVarInt(stream));
      if (!items_.empty() && id <= items_.back()->Id) ordered = false;
      if (!reuse.empty()) {
        items_.push_back(std::move(reuse.back()));
        reuse.pop_back();
        items_.back()->SetId(id);
        items_.back()->LoadFromStream(stream);
      } else {
        items_.push_back(itemClass_(id));
        LoadNewItem(*items_.back(), stream);
      }
    }
    if (!ordered) {
      std::stable_sort(items_.begin(), items_.end(),
                       [](const auto& a, const auto& b) { return a->Id < b->Id; });
      // Of items sharing an Id the last loaded wins, as a reload of the same item would.
      TCatalogItemVector unique;
      unique.reserve(items_.size());
      for (auto& item : items_) {
        if (!unique.empty() && unique.back()->Id == item->Id)
          unique.back() = std::move(item);
        else
          unique.push_back(std::move(item));
      }
      items_ = std::move(unique);
    }
  } catch (...) {
    Clear();
    throw;
  }
}

void TCatalog::SaveToStream(TStream& stream) const {
  SaveItemsTo(stream, {});
}

void TCatalog::SaveItemsTo(TStream& stream, const std::function<void()>& betweenItems) const {
  WriteVarInt(stream, GetCount());
  for (const auto& item : items_) {
    WriteVarInt(stream, item->Id);
    item->SaveToStream(stream);
    if (betweenItems) betweenItems();
  }
}

void TCatalog::CopyToClipboard(uint32_t format, int index, int count) const {
  TMemoryStream stream;
  int copied = 0;
  for (int k = 0; k < count; ++k) {
    if (!GetItem(index + k)) break;
    SaveItemToStream(index + k, stream);
    ++copied;
  }
  PutClipboardBlock(format, static_cast<uint32_t>(copied), stream.Bytes());
}

int TCatalog::PasteFromClipboard(uint32_t format, int index) {
  auto block = GetClipboardBlock(format);
  if (!block || index < 0) return 0;
  TMemoryStream stream(std::move(block->Data));
  // Every record takes at least one byte; a larger count cannot be genuine.
  if (block->Count > stream.GetSize()) return 0;

  // Check every item before touching the list.
  auto scratch = itemClass_(1);
  const TClipboardRecordReader reader(*scratch);
  for (uint32_t k = 0; k < block->Count; ++k)
    if (!reader.Read(stream, *scratch)) return 0;
  if (stream.Remaining() != 0) return 0;

  stream.SetPosition(0);
  int pasted = 0;
  for (uint32_t k = 0; k < block->Count; ++k) {
    const int64_t id = int64_t(index) + k + 1;
    if (id > MaxPasteId) break;
    TCatalogItem* item = GetOrCreate(static_cast<int32_t>(id));
    LoadItemFromStream(IndexOf(item), stream);
    ++pasted;
  }
  return pasted;
}

// Numbered record lists: the items carry Ids 1, 2, 3 ... in ascending order and are
// addressed by Id. Database lists are kept dense (Id k at index k-1); the list also
// works with gaps (map events).
//
// Stream form: compressed count, then per item its compressed Id and its record.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/catalog_item.h"
#include "core/editor_mode.h"
#include "core/errors.h"

class TStream;

// Makes a new item of the list's class with the given Id.
using TCatalogItemClass = std::unique_ptr<TCatalogItem> (*)(int32_t id);

template <class ItemT> std::unique_ptr<TCatalogItem> CreateCatalogItem(int32_t id) {
  return std::make_unique<ItemT>(id);
}

// The items of a list, in Id order.
using TCatalogItemVector =
    std::vector<std::unique_ptr<TCatalogItem>, TPoolAllocator<std::unique_ptr<TCatalogItem>>>;

// A paste never creates an Id above this.
inline constexpr int32_t MaxPasteId = 5000;

class TCatalog : public TNestedList {
public:
  explicit TCatalog(TCatalogItemClass itemClass) : itemClass_(itemClass) {}
  virtual ~TCatalog() = default;
  TCatalog(const TCatalog&) = delete;
  TCatalog& operator=(const TCatalog&) = delete;

  virtual void LoadItemFromStream(int index, TStream& stream);
  virtual void SaveItemToStream(int index, TStream& stream) const;
  // Clear, then a copy of every source item under its Id.
  virtual void Assign(const TCatalog& source);
  // On a read error the list is cleared and the error raised again.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;
  void SaveItemsTo(TStream& stream, const std::function<void()>& betweenItems) const override;
  // Pastes the clipboard's run of items over the Ids Index+1, Index+2 ... (never
  // above 5000) and returns how many were pasted. Every item is checked first: a
  // block that is not Count records of the list's class (TClipboardRecordReader)
  // filling its size exactly changes nothing and returns 0.
  virtual int PasteFromClipboard(uint32_t format, int index);
  // Copies Count items from list index Index (records only, no Ids).
  virtual void CopyToClipboard(uint32_t format, int index, int count) const;

  // Empties the list. Items a list may reuse are kept aside, out of sight, for the
  // items it makes next, so that a reload of a large list neither frees nor allocates
  // its records one by one.
  void Clear() override;
  int GetCount() const { return static_cast<int>(items_.size()); }
  // The item at Index, or nothing when Index is out of range.
  TCatalogItem* GetItem(int index) const;
  TCatalogItem* FindById(int32_t id) const;
  TCatalogItem* GetOrCreate(int32_t id);
  TCatalogItem* Append();
  // Makes room for Count items, for a caller about to add that many.
  void Reserve(int count) { items_.reserve(static_cast<size_t>(std::max(count, 0))); }
  // Exchanges the items with Other, a list of the same class; what each keeps aside stays.
  void SwapItems(TCatalog& other) noexcept { items_.swap(other.items_); }
  // Inserts before the first item whose Id >= Id and renumbers the items after it.
  TCatalogItem* InsertAt(int32_t id);
  // Removes the item with that Id and renumbers the items after it.
  void RemoveAt(int32_t id);
  // Removes the item with that Id; other Ids stay.
  void DeleteById(int32_t id);
  // Compare returns <0, 0 or >0; the items then get Ids 1..Count in the new order.
  void SortAndRenumber(const std::function<int(const TCatalogItem*, const TCatalogItem*)>& compare);
  // List index of Item, or -1.
  int IndexOf(const TCatalogItem* item) const;

  TCatalogItemClass ItemClass() const { return itemClass_; }

protected:
  // Position at which an item with Id belongs: before the first item whose Id >= Id.
  size_t InsertPosition(int32_t id) const;

  // An item with Id, taken from those kept aside (cleared) or made afresh.
  std::unique_ptr<TCatalogItem> NewItem(int32_t id);
  // An item kept aside, as it was, or nothing.
  std::unique_ptr<TCatalogItem> TakeKeptItem();

  TCatalogItemClass itemClass_;
  TCatalogItemVector items_;
  // Whether Clear and SetId make a kept item as good as a new one. A list whose items'
  // Clear resets only some fields (map-tree entries) makes every item afresh.
  bool reuseItems_ = true;

private:
  TCatalogItemVector spare_;
};

// A list of one record class with the checked accessors: outside editor mode a missing
// item raises the list's message; in editor mode the accessors return nothing.
template <class ItemT> class TXelCatalog : public TCatalog {
public:
  ItemT* GetItem(int index) const { return Checked(TCatalog::GetItem(index)); }
  ItemT* GetItemById(int32_t id) const { return Checked(TCatalog::FindById(id)); }

  // Unchecked, typed forms of the list operations.
  ItemT* Items(int index) const { return static_cast<ItemT*>(TCatalog::GetItem(index)); }
  ItemT* FindById(int32_t id) const { return static_cast<ItemT*>(TCatalog::FindById(id)); }
  ItemT* GetOrCreate(int32_t id) { return static_cast<ItemT*>(TCatalog::GetOrCreate(id)); }
  ItemT* Append() { return static_cast<ItemT*>(TCatalog::Append()); }
  ItemT* InsertAt(int32_t id) { return static_cast<ItemT*>(TCatalog::InsertAt(id)); }

  const char* InvalidItemMessage() const { return message_; }

protected:
  explicit TXelCatalog(const char* invalidItemMessage)
      : TCatalog(&CreateCatalogItem<ItemT>), message_(invalidItemMessage) {}

private:
  ItemT* Checked(TCatalogItem* item) const {
    if (!item && !IsEditorMode()) throw Exception(message_);
    return static_cast<ItemT*>(item);
  }

  const char* message_;
};

// A numbered list inside a record (learned skills, animation frames ...): typed access
// without the checked accessors of the database tables, so a missing item is nothing.
#pragma once

#include "core/catalog.h"

template <class ItemT> class TXelPlainCatalog : public TCatalog {
public:
  TXelPlainCatalog() : TCatalog(&CreateCatalogItem<ItemT>) {}

  ItemT* GetItem(int index) const { return static_cast<ItemT*>(TCatalog::GetItem(index)); }
  ItemT* FindById(int32_t id) const { return static_cast<ItemT*>(TCatalog::FindById(id)); }
  ItemT* GetOrCreate(int32_t id) { return static_cast<ItemT*>(TCatalog::GetOrCreate(id)); }
  ItemT* Append() { return static_cast<ItemT*>(TCatalog::Append()); }
  ItemT* InsertAt(int32_t id) { return static_cast<ItemT*>(TCatalog::InsertAt(id)); }
};

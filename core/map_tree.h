// The map tree: every map and area of a project with its parent, depth and display
// order, the settings children can inherit, the map last worked on and the start
// positions of the party and vehicles. File "KOVAX.lmt": the string "XelMapTree", the
// entry list, the display order (a count and the entry Ids), the active map Id and the
// start positions.
//
// The tree also moves maps from the working folder into the project when it is saved,
// and remembers the maps deleted since, so that their project files go with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/catalog.h"
#include "core/messages.h"
#include "core/plain_catalog.h"
#include "core/sound_record.h"

class TTreeViewAccess;
class TStream;

// Kind of an entry, which is also its node's image in the tree.
enum : uint8_t { mkRoot = 0, mkMap = 1, mkArea = 2 };

// A monster group met on a map or in an area.
class TXelEncountItem : public TCatalogItem {
public:
  explicit TXelEncountItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 1; }
  // MonGroupId 1; the save leaves it out only at 0.
  void Clear() override { MonGroupId = 1; }

  int32_t MonGroupId;
};

class TXelEncount : public TXelPlainCatalog<TXelEncountItem> {};

// An area's rectangle in cells; saved as its 16 bytes, four signed 32-bit values.
struct TAreaRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};
static_assert(sizeof(TAreaRect) == 16);

class TXelMapTreeItem : public TCatalogItem {
public:
  explicit TXelMapTreeItem(int32_t id);
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 51; }
  // Resets the inheritable settings (music to encounters) only; name, place in the
  // tree, view and area rectangle stay.
  void Clear() override;

  std::string Name;
  int32_t ParentId = 0;
  int32_t Depth = 0; // 0 for the root, the parent's Depth + 1 otherwise
  uint8_t Kind = mkRoot;
  int32_t ViewX = 0; // scroll position of the map view
  int32_t ViewY = 0;
  uint8_t Expanded = 0;
  uint8_t MusicMode; // 0 parent map, 1 no change, 2 set to Music
  TXelMusic Music;
  uint8_t BackgroundMode; // 0 parent map, 1 by terrain chip, 2 set to BackgroundName
  std::string BackgroundName;
  uint8_t TeleportMode; // 0 parent map, 1 enable, 2 disable
  uint8_t EscapeMode;
  uint8_t SaveMode;
  TXelEncount Encounters;
  int32_t EncounterSteps;
  TAreaRect AreaRect;
  // Not saved: the map's working copy holds changes the project copy lacks.
  bool Changed = false;
};

// Where the party and the three vehicles start: index 0 party, 1 boat, 2 ship,
// 3 airship.
class TXelMapStartPosition : public TCatalogBaseItem {
public:
  static constexpr int PlaceCount = 4;

  TXelMapStartPosition() { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 33; }
  void Clear() override;

  // 0 for an index outside 0..3; setters ignore it.
  int32_t GetMapId(int index) const;
  int32_t GetX(int index) const;
  int32_t GetY(int index) const;
  void SetMapId(int index, int32_t mapId);
  void SetX(int index, int32_t x);
  void SetY(int index, int32_t y);

private:
  int32_t mapId_[PlaceCount];
  int32_t x_[PlaceCount];
  int32_t y_[PlaceCount];
};

// The order points at the entries, so entries leave the tree only through DeleteMap,
// Clear and the loads, never through the list's own removal operations.
class TXelMapTree : public TXelCatalog<TXelMapTreeItem> {
public:
  TXelMapTree() : TXelCatalog(SInvalidMap) { reuseItems_ = false; }

  // Entries, order, deleted Ids (nothing is left for a save to delete) and the start
  // positions emptied: no start may name a map of a tree that is gone.
  void Clear() override;
  // The entry list; the order is emptied first, since it points into the list.
  void LoadFromStream(TStream& stream) override;
  void Assign(const TCatalog& source) override;

  bool HasItems() const { return GetCount() > 0; }
  // Some entry changed, or maps were deleted since the last save.
  bool IsModified() const;
  TXelMapTreeItem* GetActiveItem() const { return GetItemById(ActiveId); }
  // Position in the display order of the entry Id, or -1.
  int IndexOfOrder(int32_t id) const;
  // The display order: every place an entry of the tree.
  const std::vector<TXelMapTreeItem*>& Order() const { return order_; }
  const std::vector<int32_t>& DeletedIds() const { return deletedIds_; }

  // Makes (or takes) entry NewId the last child of ParentId.
  TXelMapTreeItem* AddMap(int32_t parentId, int32_t newId);
  // Removes the entry and its whole subtree; their maps go at the next save.
  void DeleteMap(int32_t id);

  void FillTreeView(TTreeViewAccess& view, bool includeAreas) const;
  // The order, parents, depths and expansion taken from the view.
  void ReadTreeView(const TTreeViewAccess& view);
  void SelectActiveNode(TTreeViewAccess& view) const;

  // The file form. A wrong header or a malformed file raises EReadError; the tree is
  // then empty.
  void LoadFromFileStream(TStream& stream);
  void SaveToFileStream(TStream& stream) const;
  // Drops the working copies of the current entries, then reads the project's file.
  void LoadMapTree();
  // Moves every changed map from its working copy into the project, deletes the maps
  // deleted since the last save and writes the tree file. A working copy that is
  // missing or does not load is left where it is with the project map untouched, and
  // raised as one error once everything else is saved. When the tree file cannot be
  // written the tree stays modified: working copies, changed marks and deleted maps'
  // files are kept for the next save. Nothing when the tree is empty.
  void SaveMapTree();

  int32_t ActiveId = 0;
  TXelMapStartPosition StartPosition;

private:
  // Binary search: the list keeps its Ids in ascending order.
  TXelMapTreeItem* FindEntry(int32_t id) const;
  TXelMapTreeItem* Entry(size_t index) const {
    return static_cast<TXelMapTreeItem*>(items_[index].get());
  }

  std::vector<TXelMapTreeItem*> order_;
  std::vector<int32_t> deletedIds_;
};

// The map that the tree file at Path has open: that of its active entry (an area's owner
// for an area), or -1 when the file cannot be read or the active entry is the root.
int32_t OpenMapIdOfTreeFile(const std::string& path);

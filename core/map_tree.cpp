#include "core/map_tree.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <unordered_map>
#include <unordered_set>

#include "core/atomic_file.h"
#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/file_messages.h"
#include "core/file_utils.h"
#include "core/map.h"
#include "core/map_messages.h"
#include "core/path_resolver.h"
#include "core/project_path.h"
#include "core/stream.h"
#include "core/tree_view.h"
#include "core/var_int.h"

static_assert(std::endian::native == std::endian::little,
              "the area rectangle is saved as the bytes of its four 32-bit values");

namespace {

constexpr uint64_t MaxTreeFileBytes = uint64_t(64) << 20;

std::string TreeFilePath() {
  return ResolvePath(ProjectPath + SMapTreeFileName).Path;
}

} // namespace

// --- records ---

void TXelEncountItem::GetVarData(int id, TCatalogVarData& d, bool) {
  if (id == 1) d.Int(&MonGroupId, 0);
}

TXelMapTreeItem::TXelMapTreeItem(int32_t id) : TCatalogItem(id) {
  TXelMapTreeItem::Clear();
}

void TXelMapTreeItem::GetVarData(int id, TCatalogVarData& d, bool) {
  switch (id) {
  case 1:
    d.Str(&Name, true);
    break;
  case 2:
    d.Int(&ParentId, 0);
    break;
  case 3:
    d.Int(&Depth, 0);
    break;
  case 4:
    d.Fixed(&Kind, 1);
    break;
  case 5:
    d.Int(&ViewX, 0);
    break;
  case 6:
    d.Int(&ViewY, 0);
    break;
  case 7:
    d.Byte(&Expanded, 0);
    break;
  case 11:
    d.Fixed(&MusicMode, 1);
    break;
  case 12:
    d.Record(&Music);
    break;
  case 21:
    d.Fixed(&BackgroundMode, 1);
    break;
  case 22:
    d.Str(&BackgroundName, true);
    break;
  case 31:
    d.Fixed(&TeleportMode, 1);
    break;
  case 32:
    d.Fixed(&EscapeMode, 1);
    break;
  case 33:
    d.Fixed(&SaveMode, 1);
    break;
  case 41:
    d.Catalog(&Encounters);
    break;
  case 44:
    d.Int(&EncounterSteps, 25);
    break;
  case 51:
    d.Fixed(&AreaRect, sizeof AreaRect);
    break;
  default:
    break;
  }
}

void TXelMapTreeItem::Clear() {
  MusicMode = 0;
  Music.Clear();
  BackgroundMode = 0;
  BackgroundName.clear();
  TeleportMode = 0;
  EscapeMode = 0;
  SaveMode = 0;
  Encounters.Clear();
  EncounterSteps = 25;
}

// Place p has its map id, X and Y at ids 10p + 1, 10p + 2, 10p + 3.
void TXelMapStartPosition::GetVarData(int id, TCatalogVarData& d, bool) {
  const int place = id / 10, field = id % 10;
  if (id < 1 || place >= PlaceCount) return;
  switch (field) {
  case 1:
    d.Int(&mapId_[place], 0);
    break;
  case 2:
    d.Int(&x_[place], 0);
    break;
  case 3:
    d.Int(&y_[place], 0);
    break;
  default:
    break;
  }
}

void TXelMapStartPosition::Clear() {
  ClearFields<TXelMapStartPosition>();
}

namespace {
bool ValidPlace(int index) {
  return index >= 0 && index < TXelMapStartPosition::PlaceCount;
}
} // namespace

int32_t TXelMapStartPosition::GetMapId(int index) const {
  return ValidPlace(index) ? mapId_[index] : 0;
}
int32_t TXelMapStartPosition::GetX(int index) const {
  return ValidPlace(index) ? x_[index] : 0;
}
int32_t TXelMapStartPosition::GetY(int index) const {
  return ValidPlace(index) ? y_[index] : 0;
}

void TXelMapStartPosition::SetMapId(int index, int32_t mapId) {
  if (ValidPlace(index)) mapId_[index] = mapId;
}
void TXelMapStartPosition::SetX(int index, int32_t x) {
  if (ValidPlace(index)) x_[index] = x;
}
void TXelMapStartPosition::SetY(int index, int32_t y) {
  if (ValidPlace(index)) y_[index] = y;
}

// --- the tree ---

void TXelMapTree::Clear() {
  order_.clear();
  deletedIds_.clear();
  StartPosition.Clear();
  TCatalog::Clear();
}

void TXelMapTree::LoadFromStream(TStream& stream) {
  order_.clear();
  TCatalog::LoadFromStream(stream);
}

void TXelMapTree::Assign(const TCatalog& source) {
  order_.clear();
  TCatalog::Assign(source);
}

TXelMapTreeItem* TXelMapTree::FindEntry(int32_t id) const {
  auto it = std::lower_bound(items_.begin(), items_.end(), id,
                             [](const auto& item, int32_t value) { return item->Id < value; });
  if (it == items_.end() || (*it)->Id != id) return nullptr;
  return static_cast<TXelMapTreeItem*>(it->get());
}

bool TXelMapTree::IsModified() const {
  if (!deletedIds_.empty()) return true;
  for (size_t i = 0; i < items_.size(); ++i)
    if (Entry(i)->Changed) return true;
  return false;
}

int TXelMapTree::IndexOfOrder(int32_t id) const {
  for (size_t i = 0; i < order_.size(); ++i)
    if (order_[i]->Id == id) return static_cast<int>(i);
  return -1;
}

TXelMapTreeItem* TXelMapTree::AddMap(int32_t parentId, int32_t newId) {
  TXelMapTreeItem* item = GetOrCreate(newId);
  std::erase(deletedIds_, newId);
  item->ParentId = parentId;
  // The root is the top of the tree, even though it names itself as its parent.
  if (newId == 0) {
    item->Depth = 0;
  } else if (TXelMapTreeItem* parent = FindEntry(parentId); parent && parent != item) {
    item->Depth = parent->Depth + 1;
  }
  // An entry has one place in the order: one it already has is given up.
  std::erase(order_, item);

  size_t at = order_.size();
  const int p = IndexOfOrder(parentId);
  if (p >= 0) {
    const int32_t parentDepth = order_[size_t(p)]->Depth;
    for (size_t i = size_t(p) + 1; i < order_.size(); ++i) {
      if (order_[i]->Depth <= parentDepth) {
        at = i;
        break;
      }
    }
  }
  order_.insert(order_.begin() + ptrdiff_t(at), item);
  return item;
}

void TXelMapTree::DeleteMap(int32_t id) {
  const int p = IndexOfOrder(id);
  if (p < 0) return;
  const int32_t depth = order_[size_t(p)]->Depth;
  size_t end = size_t(p) + 1;
  while (end < order_.size() && order_[end]->Depth > depth)
    ++end;
  std::vector<int32_t> ids;
  for (size_t i = size_t(p); i < end; ++i)
    ids.push_back(order_[i]->Id);
  order_.erase(order_.begin() + p, order_.begin() + ptrdiff_t(end));

  for (int32_t gone : ids) {
    if (std::find(deletedIds_.begin(), deletedIds_.end(), gone) == deletedIds_.end())
      deletedIds_.push_back(gone);
    DeleteById(gone);
    // Nobody may start on a map that no longer exists, sub-maps included.
    for (int place = 0; place < TXelMapStartPosition::PlaceCount; ++place) {
      if (StartPosition.GetMapId(place) != gone) continue;
      StartPosition.SetMapId(place, 0);
      StartPosition.SetX(place, 0);
      StartPosition.SetY(place, 0);
    }
  }
}

void TXelMapTree::FillTreeView(TTreeViewAccess& view, bool includeAreas) const {
  view.ClearNodes();
  std::unordered_map<int32_t, TTreeNode*> nodes;
  std::vector<std::pair<TTreeNode*, const TXelMapTreeItem*>> added;
  // A top-level node, or the last child of the parent's node; nothing while the
  // parent has none.
  auto place = [&](const TXelMapTreeItem* entry, bool topLevel) {
    if (nodes.count(entry->Id)) return;
    if (entry->Kind == mkArea && !includeAreas) return;
    TTreeNode* parent = nullptr;
    if (!topLevel) {
      auto it = nodes.find(entry->ParentId);
      if (it == nodes.end()) return;
      parent = it->second;
    }
    TTreeNode* node = view.AddNode(parent, entry->Name, entry->Kind, entry->Id);
    nodes[entry->Id] = node;
    added.emplace_back(node, entry);
  };
  for (const TXelMapTreeItem* entry : order_)
    place(entry, entry->Depth == 0);
  // Entries the order leaves out still show, under their parents.
  for (size_t i = 0; i < items_.size(); ++i)
    place(Entry(i), Entry(i)->Id == 0);
  for (const auto& [node, entry] : added)
    if (entry->Expanded) view.SetExpanded(node, true);
}

void TXelMapTree::ReadTreeView(const TTreeViewAccess& view) {
  order_.clear();
  std::unordered_set<const TXelMapTreeItem*> seen;
  for (TTreeNode* node = view.FirstNode(); node; node = view.NextNode(node)) {
    TXelMapTreeItem* entry = FindEntry(view.NodeEntryId(node));
    if (!entry || !seen.insert(entry).second) continue;
    if (TTreeNode* parent = view.ParentNode(node)) entry->ParentId = view.NodeEntryId(parent);
    entry->Depth = view.NodeLevel(node);
    entry->Expanded = view.IsExpanded(node) ? 1 : 0;
    order_.push_back(entry);
  }
}

void TXelMapTree::SelectActiveNode(TTreeViewAccess& view) const {
  for (TTreeNode* node = view.FirstNode(); node; node = view.NextNode(node)) {
    if (view.NodeEntryId(node) == ActiveId) {
      view.SelectNode(node);
      return;
    }
  }
  view.SelectNode(nullptr);
}

void TXelMapTree::LoadFromFileStream(TStream& stream) {
  Clear();
  try {
    if (ReadVarString(stream) != SMapTreeHeader) throw EReadError();
    LoadFromStream(stream);
    const uint32_t count = ReadVarCount(stream, 1);
    std::unordered_set<int32_t> placed;
    for (uint32_t k = 0; k < count; ++k) {
      const int32_t id = static_cast<int32_t>(ReadVarInt(stream));
      TXelMapTreeItem* entry = FindEntry(id);
      if (!entry && !IsEditorMode()) throw Exception(InvalidItemMessage());
      // A missing entry leaves no place; a repeated one keeps its first.
      if (entry && placed.insert(id).second) order_.push_back(entry);
    }
    ActiveId = static_cast<int32_t>(ReadVarInt(stream));
    StartPosition.Clear();
    StartPosition.LoadFromStream(stream);
  } catch (...) {
    Clear();
    ActiveId = 0;
    StartPosition.Clear();
    throw;
  }
}

void TXelMapTree::SaveToFileStream(TStream& stream) const {
  WriteVarString(stream, SMapTreeHeader);
  SaveToStream(stream);
  WriteVarInt(stream, static_cast<int32_t>(order_.size()));
  for (const TXelMapTreeItem* entry : order_)
    WriteVarInt(stream, entry->Id);
  WriteVarInt(stream, ActiveId);
  StartPosition.SaveToStream(stream);
}

void TXelMapTree::LoadMapTree() {
  deletedIds_.clear();
  // The working folder is checked once, not once for each of thousands of entries.
  const std::string workingFolder = items_.empty() ? std::string() : GetWorkingFolder();
  for (size_t i = 0; i < items_.size(); ++i) {
    unlink((workingFolder + MapFileName(Entry(i)->Id)).c_str());
    Entry(i)->Changed = false;
  }
  const std::string path = TreeFilePath();
  std::string bytes;
  if (!ReadFileBytes(path, bytes, MaxTreeFileBytes)) {
    Clear();
    throw EFileError(FileMessage(SCannotOpenFile, path));
  }
  TMemoryStream stream(bytes.data(), bytes.size());
  LoadFromFileStream(stream);
}

void TXelMapTree::SaveMapTree() {
  if (!HasItems()) return;
  std::string failures;
  TXelMap transfer;
  // Entries whose changes are in the project once the tree file names them. Until the
  // tree is written nothing is marked saved, no working copy goes and no deleted map's
  // file is removed: a failed write leaves all of it for the next save.
  std::vector<TXelMapTreeItem*> saved;
  for (size_t i = 0; i < items_.size(); ++i) {
    TXelMapTreeItem* entry = Entry(i);
    if (!entry->Changed) continue;
    if (entry->Kind == mkMap) {
      // Only a working copy that reads cleanly replaces the project's map; otherwise
      // both stay as they are and the entry stays changed.
      try {
        transfer.LoadFromFileStrict(TempMapPath(entry->Id));
      } catch (const Exception&) {
        if (!failures.empty()) failures += "\n";
        failures += FileMessage(SWorkingCopyUnreadable, MapFileName(entry->Id));
        continue;
      }
      transfer.SaveProjectMap(entry->Id);
    }
    saved.push_back(entry);
  }

  TMemoryStream stream;
  SaveToFileStream(stream);
  WriteFileAtomically(TreeFilePath(), stream.Bytes());

  for (TXelMapTreeItem* entry : saved) {
    if (entry->Kind == mkMap) transfer.DeleteTempMap(entry->Id);
    entry->Changed = false;
  }
  for (int32_t id : deletedIds_)
    transfer.DeleteProjectMap(id);
  deletedIds_.clear();
  if (!failures.empty()) throw Exception(failures);
}

int32_t OpenMapIdOfTreeFile(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, MaxTreeFileBytes)) return -1;
  TXelMapTree tree;
  try {
    TMemoryStream stream(bytes.data(), bytes.size());
    tree.LoadFromFileStream(stream);
  } catch (const Exception&) {
    return -1;
  }
  const TXelMapTreeItem* active = tree.FindById(tree.ActiveId);
  if (!active || active->Kind == mkRoot) return -1;
  return active->Kind == mkArea ? active->ParentId : active->Id;
}

#include "shell/map/map_tree_rules.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

#include "core/errors.h"
#include "core/tree_view.h"
#include "shell/map/map_tree_messages.h"

int32_t FindFreeMapId(const TXelMapTree& tree) {
  // The entries keep their Ids in ascending order: the first gap is the answer.
  int32_t candidate = 1;
  for (int i = 0; i < tree.GetCount() && candidate <= MaxMapTreeId; ++i) {
    const int32_t id = tree.Items(i)->Id;
    if (id > candidate) break;
    if (id == candidate) ++candidate;
  }
  return candidate <= MaxMapTreeId ? candidate : 0;
}

namespace {
std::string NameOfId(const char* format, int32_t id) {
  char name[32];
  std::snprintf(name, sizeof name, format, id);
  return name;
}
} // namespace

std::string DefaultMapName(int32_t id) {
  return NameOfId(SDefaultMapName, id);
}

std::string DefaultAreaName(int32_t id) {
  return NameOfId(SDefaultAreaName, id);
}

std::string PastedMapName(const std::string& copiedName, int32_t newId) {
  if (copiedName.size() != 7 || copiedName.compare(0, 3, "MAP") != 0) return copiedName;
  const char* first = copiedName.data() + 3;
  const char* last = copiedName.data() + copiedName.size();
  int number = 0;
  const auto [end, error] = std::from_chars(first, last, number);
  if (error != std::errc() || end != last || number < 1) return copiedName;
  return DefaultMapName(newId);
}

namespace {

uint8_t NodeKind(const TXelMapTree& tree, const TTreeViewAccess& view, TTreeNode* node) {
  const TXelMapTreeItem* entry = tree.FindById(view.NodeEntryId(node));
  return entry ? entry->Kind : uint8_t(mkRoot);
}

} // namespace

bool CanDropNode(const TXelMapTree& tree, const TTreeViewAccess& view, TTreeNode* dragged,
                 TTreeNode* target) {
  if (!dragged || !target) return false;
  if (NodeKind(tree, view, target) == mkArea) return false;
  for (TTreeNode* node = target; node; node = view.ParentNode(node))
    if (node == dragged) return false;
  switch (NodeKind(tree, view, dragged)) {
  case mkMap:
    return true;
  case mkArea:
    return view.ParentNode(dragged) == target;
  default:
    return false;
  }
}

namespace {

// Rectangles come from files: the sums are taken wide and the result kept in range.
int32_t CentredOrigin(int32_t low, int32_t high, int editorSize) {
  const int64_t origin = (int64_t(low) + int64_t(high)) * 16 - editorSize / 2;
  return static_cast<int32_t>(std::clamp<int64_t>(origin, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

} // namespace

TViewPosition AreaViewPosition(const TAreaRect& area, int editorWidth, int editorHeight) {
  return {CentredOrigin(area.Left, area.Right, editorWidth),
          CentredOrigin(area.Top, area.Bottom, editorHeight)};
}

std::optional<TMapPaste> PrepareMapPaste(const TXelMapTree& tree,
                                         const std::vector<uint8_t>& block) {
  std::optional<TMapTreeMapClip> clip = ParseMapTreeMapClip(block);
  if (!clip) return std::nullopt;
  const int32_t id = FindFreeMapId(tree);
  if (id == 0) return std::nullopt;
  return TMapPaste{id, std::move(*clip)};
}

TXelMapTreeItem* ApplyMapPaste(TXelMapTree& tree, int32_t parentId, TMapPaste& paste) {
  // The working copy first: when it cannot be written the tree stays as it was.
  paste.Clip.Map->SaveTempMap(paste.NewId);
  TXelMapTreeItem* item = tree.AddMap(parentId, paste.NewId);
  const int32_t parent = item->ParentId, depth = item->Depth;
  item->Assign(*paste.Clip.Item);
  item->ParentId = parent;
  item->Depth = depth;
  item->Kind = mkMap;
  item->Name = PastedMapName(paste.Clip.Name, paste.NewId);
  item->Changed = true;
  tree.ActiveId = paste.NewId;
  return item;
}

void LoadProjectMapTree(TXelMapTree& tree, const std::string& gameTitle) {
  auto fail = [&tree] {
    tree.Clear();
    tree.ActiveId = 0;
  };
  try {
    tree.LoadMapTree();
  } catch (const EFileError&) {
    fail();
    throw;
  } catch (const Exception&) {
    fail();
    throw Exception(SMapTreeUnreadable);
  }
  TXelMapTreeItem* root = tree.FindById(0);
  if (!root) {
    fail();
    throw Exception(SMapTreeUnreadable);
  }
  root->Name = gameTitle;
}

// What the map tree window decides without showing anything: the Id of a new map, the
// name of a pasted one, where a dragged node may go, where the view of an area opens,
// the paste of a copied map into the tree, and the reading of the project's tree file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/clipboard_formats.h"
#include "core/map_tree.h"

class TTreeNode;
class TTreeViewAccess;

// Maps and areas of a project have the Ids 1 to 9999 (0 is the root).
inline constexpr int32_t MaxMapTreeId = 9999;

// The smallest Id from 1 to 9999 that no entry has; 0 when all are taken.
int32_t FindFreeMapId(const TXelMapTree& tree);

// "MAP%.4d" and "AREA%.4d" of the Id.
std::string DefaultMapName(int32_t id);
std::string DefaultAreaName(int32_t id);
// A copied name of the default form ("MAP" and four characters reading as a number of
// at least 1, nothing more) becomes the default name of the new Id; any other stays.
std::string PastedMapName(const std::string& copiedName, int32_t newId);

// Whether Dragged may be dropped on Target: there is a target, it is not an area, not
// the dragged node and not below it, and the dragged node is a map, or an area dropped
// on its own parent map. Kinds come from the tree's entries of the nodes.
bool CanDropNode(const TXelMapTree& tree, const TTreeViewAccess& view, TTreeNode* dragged,
                 TTreeNode* target);

// The view's top-left at full scale (32-pixel cells) that centres the area in an editor
// of that client size; halves are rounded towards 0.
struct TViewPosition {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TViewPosition&) const = default;
};
TViewPosition AreaViewPosition(const TAreaRect& area, int editorWidth, int editorHeight);

// A copied map ready to go into the tree: the whole block read, and the Id it takes.
struct TMapPaste {
  int32_t NewId = 0;
  TMapTreeMapClip Clip;
};
// Nothing when the block is not exactly one copied map or no Id is free; nothing has
// changed then.
std::optional<TMapPaste> PrepareMapPaste(const TXelMapTree& tree,
                                         const std::vector<uint8_t>& block);
// Saves the copied map as the working copy of the new Id, then adds its entry as the
// last child of ParentId: the copied settings under the entry's own place in the tree,
// the pasted name, a map, changed, and active. When the working copy cannot be written
// the error is raised and the tree is unchanged. Selecting the entry loads the map.
TXelMapTreeItem* ApplyMapPaste(TXelMapTree& tree, int32_t parentId, TMapPaste& paste);

// Reads the project's "KOVAX.lmt" and names its root after the game. A file that does
// not read or has no root raises the one error of an unreadable tree file; a file that
// cannot be opened raises its file error. The tree is empty after either.
void LoadProjectMapTree(TXelMapTree& tree, const std::string& gameTitle);

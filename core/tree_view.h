// What the map tree needs of a tree control: the map tree window implements it over
// its tree widget, tests over a tree in memory. Nodes are the view's own objects,
// handed to the data core only as opaque handles.
#pragma once

#include <cstdint>
#include <string>

class TTreeNode;

class TTreeViewAccess {
public:
  virtual ~TTreeViewAccess() = default;

  // Removes every node.
  virtual void ClearNodes() = 0;
  // Adds a node as the last child of Parent (nullptr: at the top level) showing Text,
  // with ImageIndex as its image and selected image, carrying the tree entry EntryId.
  virtual TTreeNode* AddNode(TTreeNode* parent, const std::string& text, int imageIndex,
                             int32_t entryId) = 0;
  virtual void SetExpanded(TTreeNode* node, bool expanded) = 0;
  // Selects Node; nullptr leaves nothing selected.
  virtual void SelectNode(TTreeNode* node) = 0;

  // Walks every node in display order (a parent before its children, collapsed ones
  // included): the first node, then the one after Node; nullptr at the end.
  virtual TTreeNode* FirstNode() const = 0;
  virtual TTreeNode* NextNode(TTreeNode* node) const = 0;
  // Nullptr for a top-level node.
  virtual TTreeNode* ParentNode(TTreeNode* node) const = 0;
  // 0 at the top level.
  virtual int NodeLevel(TTreeNode* node) const = 0;
  virtual bool IsExpanded(TTreeNode* node) const = 0;
  virtual int32_t NodeEntryId(TTreeNode* node) const = 0;
};

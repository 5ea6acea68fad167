// A tree view in memory for the map tree's tests: nodes with text, image, entry and
// expansion, walked in display order, with a text outline to compare against.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/tree_view.h"

class TMemoryTreeView : public TTreeViewAccess {
public:
  struct Node {
    std::string Text;
    int Image = 0;
    int32_t EntryId = 0;
    bool Expanded = false;
    Node* Parent = nullptr;
    std::vector<Node*> Children;
  };

  void ClearNodes() override {
    nodes_.clear();
    top_.clear();
    Selected = nullptr;
  }
  TTreeNode* AddNode(TTreeNode* parent, const std::string& text, int imageIndex,
                     int32_t entryId) override {
    nodes_.push_back(std::make_unique<Node>());
    Node* node = nodes_.back().get();
    node->Text = text;
    node->Image = imageIndex;
    node->EntryId = entryId;
    node->Parent = AsNode(parent);
    (node->Parent ? node->Parent->Children : top_).push_back(node);
    return AsHandle(node);
  }
  void SetExpanded(TTreeNode* node, bool expanded) override { AsNode(node)->Expanded = expanded; }
  void SelectNode(TTreeNode* node) override { Selected = AsNode(node); }

  TTreeNode* FirstNode() const override { return top_.empty() ? nullptr : AsHandle(top_[0]); }
  TTreeNode* NextNode(TTreeNode* handle) const override {
    Node* node = AsNode(handle);
    if (!node->Children.empty()) return AsHandle(node->Children[0]);
    for (; node; node = node->Parent) {
      const auto& siblings = node->Parent ? node->Parent->Children : top_;
      for (size_t i = 0; i + 1 < siblings.size(); ++i)
        if (siblings[i] == node) return AsHandle(siblings[i + 1]);
    }
    return nullptr;
  }
  TTreeNode* ParentNode(TTreeNode* node) const override { return AsHandle(AsNode(node)->Parent); }
  int NodeLevel(TTreeNode* handle) const override {
    int level = 0;
    for (Node* p = AsNode(handle)->Parent; p; p = p->Parent)
      ++level;
    return level;
  }
  bool IsExpanded(TTreeNode* node) const override { return AsNode(node)->Expanded; }
  int32_t NodeEntryId(TTreeNode* node) const override { return AsNode(node)->EntryId; }

  // The node showing entry Id, or nullptr.
  Node* Find(int32_t entryId) const {
    for (const auto& node : nodes_)
      if (node->EntryId == entryId) return node.get();
    return nullptr;
  }
  // Makes Node the last child of NewParent, as a drag in the tree does.
  void Move(Node* node, Node* newParent) {
    auto& from = node->Parent ? node->Parent->Children : top_;
    std::erase(from, node);
    node->Parent = newParent;
    newParent->Children.push_back(node);
  }
  // One line per node in display order: two blanks a level, the text, the image and a
  // "+" when expanded, e.g. "  MAP0001/1+".
  std::string Outline() const {
    std::string out;
    for (TTreeNode* n = FirstNode(); n; n = NextNode(n)) {
      const Node* node = AsNode(n);
      out += std::string(size_t(NodeLevel(n)) * 2, ' ') + node->Text + "/" +
             std::to_string(node->Image) + (node->Expanded ? "+" : "") + "\n";
    }
    return out;
  }

  Node* Selected = nullptr;

private:
  static Node* AsNode(TTreeNode* handle) { return reinterpret_cast<Node*>(handle); }
  static TTreeNode* AsHandle(Node* node) { return reinterpret_cast<TTreeNode*>(node); }

  std::vector<std::unique_ptr<Node>> nodes_;
  std::vector<Node*> top_;
};

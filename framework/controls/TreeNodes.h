#pragma once
// The nodes of a tree view: TTreeNode (a text with data, images, children and an expanded
// state) and TTreeNodes (all nodes of one tree, which creates and frees them). The tree view
// hears of every change through ITreeNodesListener, so that it can keep its selection and
// scroll position and repaint.

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"

namespace dsp {

class TTreeNodes;

class TTreeNode;

class ITreeNodesListener {
public:
    // A node is about to go (with all its children); the view lets go of it.
    virtual void NodeDeleting(TTreeNode* node) = 0;
    // The shape of the tree or a node's text changed.
    virtual void NodesChanged() = 0;
    // Asked before a node expands or collapses; false refuses.
    virtual bool CanExpand(TTreeNode* node) = 0;
    virtual bool CanCollapse(TTreeNode* node) = 0;
    virtual void Expanded(TTreeNode* node) = 0;
    virtual void Collapsed(TTreeNode* node) = 0;

    virtual ~ITreeNodesListener() = default;
};

enum TNodeAttachMode { naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert };

class TTreeNode : public TPersistent {
public:
    TTreeNodes* Owner() const { return owner_; }
    TTreeNode* Parent() const { return parent_; }

    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    void* Data() const { return data_; }
    void SetData(void* value) { data_ = value; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int value);
    // Shows the expand button even without children (children added when it expands).
    bool HasChildren() const { return hasChildren_ || !children_.empty(); }
    void SetHasChildren(bool value);

    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int index) const;
    // Position among the parent's children (or among the top-level nodes).
    int Index() const;
    // 0 for a top-level node.
    int Level() const;
    // Position in the whole tree, counting every node before it depth first.
    int AbsoluteIndex() const;

    TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front(); }
    TTreeNode* GetLastChild() const { return children_.empty() ? nullptr : children_.back(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The next node depth first, expanded or not, or null after the last.
    TTreeNode* GetNext() const;
    TTreeNode* GetPrev() const;
    // The next and previous node shown (all parents expanded).
    TTreeNode* GetNextVisible() const;
    TTreeNode* GetPrevVisible() const;
    bool IsVisible() const;
    bool HasAsParent(const TTreeNode* node) const;

    bool Expanded() const { return expanded_; }
    void SetExpanded(bool value);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    // Expands every parent so that the node shows.
    void MakeVisible();

    // Frees the node and its children.
    void Delete();
    void DeleteChildren();
    // Moves the node (with its children) relative to destination.
    void MoveTo(TTreeNode* destination, TNodeAttachMode mode);

    bool Selected() const;
    bool Focused() const;
    void SetSelected(bool value);

private:
    friend class TTreeNodes;
    TTreeNode(TTreeNodes* owner, std::string text);
    std::vector<TTreeNode*>& Siblings() const;

    TTreeNodes* owner_;
    TTreeNode* parent_ = nullptr;
    std::string text_;
    void* data_ = nullptr;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    bool hasChildren_ = false;
    bool expanded_ = false;
    std::vector<TTreeNode*> children_;
};

class TTreeNodes : public TPersistent {
public:
    explicit TTreeNodes(ITreeNodesListener* listener);
    ~TTreeNodes() override;

    // All nodes, top-level and children.
    int Count() const;
    int TopCount() const { return static_cast<int>(roots_.size()); }
    TTreeNode* TopItem(int index) const;
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front(); }
    // The node at that depth-first position, or null.
    TTreeNode* Item(int absoluteIndex) const;

    // A node after the last sibling of `sibling` (a top-level node for null).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
    // A node before `sibling`.
    TTreeNode* Insert(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddObject(TTreeNode* sibling, const std::string& text, void* data);
    TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data);

    void Delete(TTreeNode* node);
    void Clear();

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    // Set by the tree view: the selected node.
    TTreeNode* Selected() const { return selected_; }
    void SetSelectedNode(TTreeNode* node) { selected_ = node; }

    ITreeNodesListener* Listener() const { return listener_; }

private:
    friend class TTreeNode;
    TTreeNode* Attach(TTreeNode* node, TTreeNode* relative, TNodeAttachMode mode);
    void Detach(TTreeNode* node);
    void Destroy(TTreeNode* node);
    void Changed();

    ITreeNodesListener* listener_;
    std::vector<TTreeNode*> roots_;
    TTreeNode* selected_ = nullptr;
    int updateCount_ = 0;
    bool changedInUpdate_ = false;
};

}  // namespace dsp

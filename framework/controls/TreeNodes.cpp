#include "framework/controls/TreeNodes.h"

#include <algorithm>

#include "framework/core/Exceptions.h"

namespace dsp {

// ---- TTreeNode

TTreeNode::TTreeNode(TTreeNodes* owner, std::string text) : owner_(owner), text_(std::move(text)) {}

std::vector<TTreeNode*>& TTreeNode::Siblings() const {
    return parent_ != nullptr ? parent_->children_ : owner_->roots_;
}

void TTreeNode::SetText(const std::string& value) {
    if (text_ == value) return;
    text_ = value;
    owner_->Changed();
}

void TTreeNode::SetImageIndex(int value) {
    if (imageIndex_ == value) return;
    imageIndex_ = value;
    owner_->Changed();
}

void TTreeNode::SetSelectedIndex(int value) {
    if (selectedIndex_ == value) return;
    selectedIndex_ = value;
    owner_->Changed();
}

void TTreeNode::SetHasChildren(bool value) {
    if (hasChildren_ == value) return;
    hasChildren_ = value;
    owner_->Changed();
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count()) throw EListError::IndexOutOfBounds(index);
    return children_[index];
}

int TTreeNode::Index() const {
    const auto& list = Siblings();
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

int TTreeNode::Level() const {
    int level = 0;
    for (const TTreeNode* p = parent_; p != nullptr; p = p->parent_) ++level;
    return level;
}

int TTreeNode::AbsoluteIndex() const {
    int index = 0;
    for (const TTreeNode* n = GetPrev(); n != nullptr; n = n->GetPrev()) ++index;
    return index;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& list = Siblings();
    const int i = Index() + 1;
    return i < static_cast<int>(list.size()) ? list[i] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    const int i = Index();
    return i > 0 ? Siblings()[i - 1] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!children_.empty()) return children_.front();
    for (const TTreeNode* n = this; n != nullptr; n = n->parent_)
        if (TTreeNode* s = n->GetNextSibling()) return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
    TTreeNode* prev = GetPrevSibling();
    if (prev == nullptr) return parent_;
    while (!prev->children_.empty()) prev = prev->children_.back();
    return prev;
}

bool TTreeNode::IsVisible() const {
    for (const TTreeNode* p = parent_; p != nullptr; p = p->parent_)
        if (!p->expanded_) return false;
    return true;
}

TTreeNode* TTreeNode::GetNextVisible() const {
    if (expanded_ && !children_.empty()) return children_.front();
    for (const TTreeNode* n = this; n != nullptr; n = n->parent_)
        if (TTreeNode* s = n->GetNextSibling()) return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const {
    TTreeNode* prev = GetPrevSibling();
    if (prev == nullptr) return parent_;
    while (prev->expanded_ && !prev->children_.empty()) prev = prev->children_.back();
    return prev;
}

bool TTreeNode::HasAsParent(const TTreeNode* node) const {
    for (const TTreeNode* p = parent_; p != nullptr; p = p->parent_)
        if (p == node) return true;
    return false;
}

void TTreeNode::SetExpanded(bool value) {
    if (value) {
        Expand(false);
    } else {
        Collapse(false);
    }
}

void TTreeNode::Expand(bool recurse) {
    if (!expanded_ && HasChildren()) {
        ITreeNodesListener* l = owner_->listener_;
        if (l == nullptr || l->CanExpand(this)) {
            expanded_ = true;
            owner_->Changed();
            if (l != nullptr) l->Expanded(this);
        }
    }
    if (recurse)
        for (TTreeNode* child : std::vector<TTreeNode*>(children_)) child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    if (recurse)
        for (TTreeNode* child : std::vector<TTreeNode*>(children_)) child->Collapse(true);
    if (!expanded_) return;
    ITreeNodesListener* l = owner_->listener_;
    if (l != nullptr && !l->CanCollapse(this)) return;
    expanded_ = false;
    owner_->Changed();
    if (l != nullptr) l->Collapsed(this);
}

void TTreeNode::MakeVisible() {
    std::vector<TTreeNode*> parents;
    for (TTreeNode* p = parent_; p != nullptr; p = p->parent_) parents.push_back(p);
    for (auto it = parents.rbegin(); it != parents.rend(); ++it) (*it)->Expand(false);
}

void TTreeNode::Delete() { owner_->Delete(this); }

void TTreeNode::DeleteChildren() {
    owner_->BeginUpdate();
    while (!children_.empty()) owner_->Delete(children_.back());
    owner_->EndUpdate();
}

void TTreeNode::MoveTo(TTreeNode* destination, TNodeAttachMode mode) {
    if (destination == this || (destination != nullptr && destination->HasAsParent(this))) return;
    owner_->Detach(this);
    owner_->Attach(this, destination, mode);
}

bool TTreeNode::Selected() const { return owner_->selected_ == this; }
bool TTreeNode::Focused() const { return Selected(); }

void TTreeNode::SetSelected(bool value) {
    if (value) {
        owner_->selected_ = this;
    } else if (owner_->selected_ == this) {
        owner_->selected_ = nullptr;
    }
    owner_->Changed();
}

// ---- TTreeNodes

TTreeNodes::TTreeNodes(ITreeNodesListener* listener) : listener_(listener) {}

TTreeNodes::~TTreeNodes() {
    listener_ = nullptr;
    for (TTreeNode* root : roots_) Destroy(root);
    roots_.clear();
}

int TTreeNodes::Count() const {
    int n = 0;
    for (TTreeNode* node = GetFirstNode(); node != nullptr; node = node->GetNext()) ++n;
    return n;
}

TTreeNode* TTreeNodes::TopItem(int index) const {
    if (index < 0 || index >= TopCount()) throw EListError::IndexOutOfBounds(index);
    return roots_[index];
}

TTreeNode* TTreeNodes::Item(int absoluteIndex) const {
    TTreeNode* node = GetFirstNode();
    for (int i = 0; node != nullptr && i < absoluteIndex; ++i) node = node->GetNext();
    return absoluteIndex < 0 ? nullptr : node;
}

TTreeNode* TTreeNodes::Attach(TTreeNode* node, TTreeNode* relative, TNodeAttachMode mode) {
    TTreeNode* parent = nullptr;
    std::size_t at = 0;
    switch (mode) {
        case naAdd:
        case naAddFirst:
        case naInsert: parent = relative != nullptr ? relative->parent_ : nullptr; break;
        case naAddChild:
        case naAddChildFirst: parent = relative; break;
    }
    std::vector<TTreeNode*>& list = parent != nullptr ? parent->children_ : roots_;
    switch (mode) {
        case naAdd:
        case naAddChild: at = list.size(); break;
        case naAddFirst:
        case naAddChildFirst: at = 0; break;
        case naInsert:
            at = relative != nullptr ? static_cast<std::size_t>(relative->Index()) : list.size();
            break;
    }
    node->parent_ = parent;
    list.insert(list.begin() + static_cast<long>(at), node);
    Changed();
    return node;
}

void TTreeNodes::Detach(TTreeNode* node) {
    auto& list = node->Siblings();
    list.erase(std::find(list.begin(), list.end(), node));
    node->parent_ = nullptr;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
    return Attach(new TTreeNode(this, text), sibling, naAdd);
}
TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text) {
    return Attach(new TTreeNode(this, text), sibling, naAddFirst);
}
TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
    return Attach(new TTreeNode(this, text), parent, naAddChild);
}
TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text) {
    return Attach(new TTreeNode(this, text), parent, naAddChildFirst);
}
TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text) {
    return Attach(new TTreeNode(this, text), sibling, naInsert);
}
TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& text, void* data) {
    TTreeNode* node = Add(sibling, text);
    node->data_ = data;
    return node;
}
TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& text, void* data) {
    TTreeNode* node = AddChild(parent, text);
    node->data_ = data;
    return node;
}

void TTreeNodes::Destroy(TTreeNode* node) {
    for (TTreeNode* child : node->children_) Destroy(child);
    node->children_.clear();
    if (selected_ == node) selected_ = nullptr;
    delete node;
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (node == nullptr) return;
    if (listener_ != nullptr) listener_->NodeDeleting(node);
    // The selection cannot stay on a node that goes, nor on one of its children.
    if (selected_ == node || (selected_ != nullptr && selected_->HasAsParent(node)))
        selected_ = nullptr;
    Detach(node);
    Destroy(node);
    Changed();
}

void TTreeNodes::Clear() {
    BeginUpdate();
    while (!roots_.empty()) Delete(roots_.back());
    EndUpdate();
}

void TTreeNodes::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && changedInUpdate_) {
        changedInUpdate_ = false;
        if (listener_ != nullptr) listener_->NodesChanged();
    }
}

void TTreeNodes::Changed() {
    if (updateCount_ > 0) {
        changedInUpdate_ = true;
        return;
    }
    if (listener_ != nullptr) listener_->NodesChanged();
}

}  // namespace dsp

#pragma once
// TTreeView: nodes in rows, indented by their level, with dotted lines and expand buttons in
// the classic look. Selecting a node (click, keys, or Selected set by program) asks OnChanging
// and then raises OnChange; expanding and collapsing ask OnExpanding and OnCollapsing and then
// raise OnExpanded and OnCollapsed. The keys: arrows move (Left collapses or goes to the
// parent, Right expands or goes to the first child), Home and End, Page Up and Down, "+" and "-"
// expand and collapse, "*" expands everything below.

#include <functional>
#include <memory>

#include "framework/controls/TreeNodes.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/ImageList.h"

namespace dsp {

class TScrollTracker;

using TTVChangingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowChange)>;
using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
using TTVExpandingEvent =
    std::function<void(TObject* sender, TTreeNode* node, bool& allowExpansion)>;
using TTVCollapsingEvent =
    std::function<void(TObject* sender, TTreeNode* node, bool& allowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* sender, TTreeNode* node)>;

class TCustomTreeView : public TWinControl, private ITreeNodesListener {
    DSP_PUBLISHED(TCustomTreeView, TWinControl) {
        using P = Published<TCustomTreeView>;
        return {
            P::Property("BorderStyle", &TCustomTreeView::BorderStyle,
                        &TCustomTreeView::SetBorderStyle)
                .Default(bsSingle),
            P::Property("HideSelection", &TCustomTreeView::HideSelection,
                        &TCustomTreeView::SetHideSelection)
                .Default(true),
            P::Property("Indent", &TCustomTreeView::Indent, &TCustomTreeView::SetIndent)
                .Default(19),
            P::Property("ReadOnly", &TCustomTreeView::ReadOnly, &TCustomTreeView::SetReadOnly)
                .Default(false),
            P::Property("RowSelect", &TCustomTreeView::RowSelect, &TCustomTreeView::SetRowSelect)
                .Default(false),
            P::Property("ShowButtons", &TCustomTreeView::ShowButtons,
                        &TCustomTreeView::SetShowButtons)
                .Default(true),
            P::Property("ShowLines", &TCustomTreeView::ShowLines, &TCustomTreeView::SetShowLines)
                .Default(true),
            P::Property("ShowRoot", &TCustomTreeView::ShowRoot, &TCustomTreeView::SetShowRoot)
                .Default(true),
        };
    }

public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;

    TTreeNodes* Items() const { return nodes_.get(); }
    TTreeNode* Selected() const { return nodes_->Selected(); }
    // Selects the node as the user does (OnChanging may refuse it).
    void SetSelected(TTreeNode* node);
    // The node in the first row shown.
    TTreeNode* TopItem() const;
    void SetTopItem(TTreeNode* node);
    // The node in the row at a client point, or null.
    TTreeNode* GetNodeAt(int x, int y) const;
    // The row of a shown node (client coordinates), or an empty rectangle.
    TRect NodeRect(const TTreeNode* node) const;
    void FullExpand();
    void FullCollapse();

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    int Indent() const { return indent_; }
    void SetIndent(int value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool value);
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool value);
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);

    int RowHeight() const;
    int VisibleRows() const;

    TTVChangingEvent OnChanging;
    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    TTVExpandedEvent OnDeletion;

protected:
    void DefaultHandler(TMessage& message) override;
    void PaintWindow(TCanvas& canvas) override;
    void Notification(TComponent* component, TOperation operation) override;
    bool WheelScroll(int rows) override;

private:
    // ITreeNodesListener
    void NodeDeleting(TTreeNode* node) override;
    void NodesChanged() override;
    bool CanExpand(TTreeNode* node) override;
    bool CanCollapse(TTreeNode* node) override;
    void Expanded(TTreeNode* node) override;
    void Collapsed(TTreeNode* node) override;

    std::vector<TTreeNode*> ShownNodes() const;
    TRect ItemsRect() const;
    TRect ScrollBarRect() const;
    bool NeedsScrollBar() const;
    int LevelX(int level) const;
    TRect ButtonRect(const TTreeNode* node, int row) const;
    void MakeVisible(TTreeNode* node);
    void HandleKeyDown(unsigned key);
    void SetTopRow(int row);

    std::unique_ptr<TTreeNodes> nodes_;
    std::unique_ptr<TScrollTracker> scroll_;
    TImageList* images_ = nullptr;
    TBorderStyle borderStyle_ = bsSingle;
    bool hideSelection_ = true;
    int indent_ = 19;
    bool readOnly_ = false;
    bool rowSelect_ = false;
    bool showButtons_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    int topRow_ = 0;
};

class TTreeView : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;
};

}  // namespace dsp

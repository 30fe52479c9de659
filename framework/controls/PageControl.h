#pragma once
// TPageControl with TTabSheet pages: a row of tabs over a raised frame; the page of the chosen
// tab shows inside the frame, the others are hidden. A click on a tab (or Ctrl+Tab, or the
// arrow keys while the control has the focus) asks OnChanging, changes the page and raises
// OnChange; choosing a page by program (ActivePage, ActivePageIndex) raises nothing.

#include <functional>
#include <string>
#include <vector>

#include "framework/controls/WinControl.h"

namespace dsp {

class TPageControl;

class TTabSheet : public TWinControl {
    DSP_PUBLISHED(TTabSheet, TWinControl) {
        using P = Published<TTabSheet>;
        return {
            P::Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex)
                .Default(-1),
            P::Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false),
            P::Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
                .Default(true),
        };
    }

public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return pageControl_; }
    // Puts the sheet last among the pages of the control (null: out of every page control).
    void SetPageControl(TPageControl* value);
    void SetParent(TWinControl* parent) override;

    int PageIndex() const;
    void SetPageIndex(int value);
    // The sheet's position among the visible tabs, or -1.
    int TabIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }

protected:
    void Dispatch(TMessage& message) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = -1;
};

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TPageControl : public TWinControl {
    DSP_PUBLISHED(TPageControl, TWinControl) {
        using P = Published<TPageControl>;
        return {
            P::Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage),
            P::Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight)
                .Default(0),
            P::Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth).Default(0),
        };
    }

public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return active_; }
    // Shows the page; raises nothing. A page of another control is refused.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int value);
    // The active page's position among the visible tabs, or -1.
    int TabIndex() const { return active_ != nullptr ? active_->TabIndex() : -1; }
    // The page after (or before) current among those whose tab shows, going round.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    // As the user does it: OnChanging, the next page, OnChange.
    void SelectNextPage(bool goForward);

    // 0: as high as the font needs; 0 width: as wide as each caption needs.
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int value);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);

    // Where the tab of a visible page lies (client coordinates), and the tab under a point.
    TRect TabRect(int tabIndex) const;
    int IndexOfTabAt(int x, int y) const;
    // The area inside the frame, where the pages go.
    TRect DisplayRect() const;

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    virtual bool CanChange();
    virtual void Change();
    // A change the user asked for: OnChanging, the page, OnChange.
    void UserSelect(TTabSheet* page);
    void AdjustClientRect(TRect& rect) override;
    void PaintWindow(TCanvas& canvas) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void TabsChanged();
    int RowHeight() const;
    std::vector<TTabSheet*> VisibleTabs() const;

    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
    int tabHeight_ = 0;
    int tabWidth_ = 0;
};

}  // namespace dsp

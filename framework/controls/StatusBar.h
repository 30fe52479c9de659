#pragma once
// TStatusBar: the strip along the bottom of a window that shows texts in panels, in the
// classic look: each panel a sunken (or raised, or flat) box two pixels below the bar's top
// edge, two pixels apart, its text on one line inside it; the last panel reaches to the right
// edge (less the size grip). In simple mode (SimplePanel) one box across the bar shows
// SimpleText instead, and the panels keep their settings for later. The size grip shows in the
// bottom-right corner when SizeGrip is set and the bar's parent is a form with a sizeable
// border. An owner-drawn panel (psOwnerDraw) is painted by OnDrawPanel on the bar's Canvas.

#include <functional>
#include <string>

#include "framework/controls/CustomControl.h"
#include "framework/controls/StdControlTypes.h"
#include "framework/core/Collection.h"

namespace dsp {

class TStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
DSP_ENUM_NAMES(TStatusPanelStyle, "psText", "psOwnerDraw")
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
DSP_ENUM_NAMES(TStatusPanelBevel, "pbNone", "pbLowered", "pbRaised")

class TStatusPanel : public TCollectionItem {
    DSP_PUBLISHED(TStatusPanel, TCollectionItem) {
        using P = Published<TStatusPanel>;
        return {
            P::Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
                .Default(taLeftJustify),
            P::Property("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(pbLowered),
            P::Property("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle).Default(psText),
            P::Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText),
            P::Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth).Default(50),
        };
    }

public:
    explicit TStatusPanel(TCollection* collection);

    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    // The width of the panel's box; the last panel takes whatever the bar has left.
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel value);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle value);

    std::string DisplayName() const override { return text_.empty() ? ClassName() : text_; }
    void Assign(TPersistent* source) override;

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    TStatusPanelStyle style_ = psText;
};

class TStatusPanels : public TOwnedCollection {
public:
    explicit TStatusPanels(TStatusBar* statusBar);

    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(int index) const { return ItemAs<TStatusPanel>(index); }
    TStatusBar* StatusBar() const { return statusBar_; }

protected:
    void Update(TCollectionItem* item) override;

private:
    TStatusBar* statusBar_;
};

using TDrawPanelEvent =
    std::function<void(TStatusBar* statusBar, TStatusPanel* panel, const TRect& rect)>;

class TStatusBar : public TCustomControl {
    DSP_PUBLISHED(TStatusBar, TCustomControl) {
        using P = Published<TStatusBar>;
        return {
            P::Property("Align", &TControl::Align, &TControl::SetAlign).Default(alBottom),
            P::Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels),
            P::Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
                .Default(false),
            P::Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText),
            P::Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip).Default(true),
        };
    }

public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    TStatusPanels* Panels() const { return panels_.get(); }
    // Copies the panels of another collection.
    void SetPanels(TStatusPanels* value);
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);

    // The box of a panel in client coordinates (the simple box for -1); empty for a panel
    // that lies beyond the right edge.
    TRect PanelRect(int index) const;
    // Whether the size grip shows now.
    bool ShowsSizeGrip() const;

    TDrawPanelEvent OnDrawPanel;

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;
    // Draws an owner-drawn panel: OnDrawPanel with the inside of the panel's box.
    virtual void DrawPanel(TStatusPanel* panel, const TRect& rect);

private:
    friend class TStatusPanels;
    void PaintBox(TCanvas& canvas, TRect r, TStatusPanelBevel bevel);
    void PaintText(TCanvas& canvas, const std::string& text, TRect r, TAlignment alignment);
    void PaintSizeGrip(TCanvas& canvas);
    int PartsRight() const;

    std::unique_ptr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
};

}  // namespace dsp

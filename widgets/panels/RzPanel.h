#pragma once
// TRzPanel and TRzGroupBox: containers with their own frames (any frame style, outer and inner,
// on chosen sides, with BorderWidth rings between), a flat or gradient fill, an optional dot or
// line grid, a caption laid out with vertical alignment and margins, transparency over their
// parent and remembered child enabling. The group box adds six caption and frame styles.
//
// On the main window's road a group box is gsCustom, transparent and caption-less: it paints
// nothing itself; its erase paints the parent's background into it and its children paint over
// that. Paint order otherwise: frames, the fill (unless transparent), the grid, the caption, then
// OnPaint.
//
// Disabling a panel disables its children and remembers which were enabled; enabling it again
// re-enables exactly those (and children added in between).

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/controls/Docking.h"
#include "framework/controls/Panel.h"
#include "widgets/panels/RzCommon.h"
#include "widgets/panels/RzFrameController.h"

namespace dsp {

enum TRzGridStyle { gsDots, gsDottedLines, gsSolidLines };
DSP_ENUM_NAMES(TRzGridStyle, "gsDots", "gsDottedLines", "gsSolidLines")

enum TRzGroupBoxStyle { gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline };
DSP_ENUM_NAMES(TRzGroupBoxStyle, "gsStandard", "gsCustom", "gsTopLine", "gsFlat", "gsBanner",
               "gsUnderline")

class TRzCustomPanel : public TCustomPanel, public IFramingNotification {
    DSP_PUBLISHED(TRzCustomPanel, TCustomPanel) {
        using P = Published<TRzCustomPanel>;
        using C = TRzCustomPanel;
        return {
            P::Property("AlignmentVertical", &C::AlignmentVertical, &C::SetAlignmentVertical)
                .Default(avCenter),
            P::Property("BorderInner", &C::BorderInner, &C::SetBorderInner).Default(fsNone),
            P::Property("BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsRaised),
            P::Property("BorderSides", &C::BorderSides, &C::SetBorderSides).Default(kAllSides),
            P::Property("BorderColor", &C::BorderColor, &C::SetBorderColor).Default(clBtnFace),
            P::Property("BorderHighlight", &C::BorderHighlight, &C::SetBorderHighlight)
                .Default(clBtnHighlight),
            P::Property("BorderShadow", &C::BorderShadow, &C::SetBorderShadow).Default(clBtnShadow),
            P::Property("FlatColor", &C::FlatColor, &C::SetFlatColor).Default(clBtnShadow),
            P::Property("FlatColorAdjustment", &C::FlatColorAdjustment, &C::SetFlatColorAdjustment)
                .Default(30),
            P::Property("FrameController", &C::FrameController, &C::SetFrameController),
            P::Property("FrameControllerNotifications", &C::FrameControllerNotifications,
                        &C::SetFrameControllerNotifications)
                .Default(kAllFrameNotifications),
            P::Property("GradientColorStyle", &C::GradientColorStyle, &C::SetGradientColorStyle)
                .Default(gcsSystem),
            P::Property("GradientColorStart", &C::GradientColorStart, &C::SetGradientColorStart)
                .Default(clWhite),
            P::Property("GradientColorStop", &C::GradientColorStop, &C::SetGradientColorStop)
                .Default(clBtnFace),
            P::Property("GradientDirection", &C::GradientDirection, &C::SetGradientDirection)
                .Default(gdHorizontalEnd),
            P::Property("GridColor", &C::GridColor, &C::SetGridColor).Default(clBtnShadow),
            P::Property("GridStyle", &C::GridStyle, &C::SetGridStyle).Default(gsDots),
            P::Property("GridXSize", &C::GridXSize, &C::SetGridXSize).Default(8),
            P::Property("GridYSize", &C::GridYSize, &C::SetGridYSize).Default(8),
            P::Property("PaintClientArea", &C::PaintClientArea, &C::SetPaintClientArea)
                .Default(true),
            P::Property("ShowDockClientCaptions", &C::ShowDockClientCaptions,
                        &C::SetShowDockClientCaptions)
                .Default(true),
            P::Property("ShowGrid", &C::ShowGrid, &C::SetShowGrid).Default(false),
            P::Property("TextMargin", &C::TextMargin, &C::SetTextMargin).Default(0),
            P::Property("TextMarginVertical", &C::TextMarginVertical, &C::SetTextMarginVertical)
                .Default(0),
            P::Property("Transparent", &C::Transparent, &C::SetTransparent).Default(false),
            P::Property("VisualStyle", &C::VisualStyle, &C::SetVisualStyle).Default(vsWinXP),
            P::Property("WordWrap", &C::WordWrap, &C::SetWordWrap).Default(true),
        };
    }

public:
    explicit TRzCustomPanel(TComponent* owner);
    ~TRzCustomPanel() override;

    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    void SetAlignmentVertical(TAlignmentVertical value);
    TFrameStyleEx BorderInner() const { return borderInner_; }
    void SetBorderInner(TFrameStyleEx value);
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    void SetBorderOuter(TFrameStyleEx value);
    TSides BorderSides() const { return borderSides_; }
    void SetBorderSides(TSides value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    TColor BorderHighlight() const { return borderHighlight_; }
    void SetBorderHighlight(TColor value);
    TColor BorderShadow() const { return borderShadow_; }
    void SetBorderShadow(TColor value);
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    void SetFlatColorAdjustment(int value);
    TRzFrameController* FrameController() const { return frameController_.Get(); }
    void SetFrameController(TRzFrameController* value) { frameController_.Set(value); }
    TRzFrameControllerNotifications FrameControllerNotifications() const {
        return frameNotifications_;
    }
    void SetFrameControllerNotifications(TRzFrameControllerNotifications value) {
        frameNotifications_ = value;
    }
    TRzGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    void SetGradientColorStyle(TRzGradientColorStyle value);
    TColor GradientColorStart() const { return gradientColorStart_; }
    void SetGradientColorStart(TColor value);
    TColor GradientColorStop() const { return gradientColorStop_; }
    void SetGradientColorStop(TColor value);
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(TGradientDirection value);
    TColor GridColor() const { return gridColor_; }
    void SetGridColor(TColor value);
    TRzGridStyle GridStyle() const { return gridStyle_; }
    void SetGridStyle(TRzGridStyle value);
    int GridXSize() const { return gridXSize_; }
    void SetGridXSize(int value);
    int GridYSize() const { return gridYSize_; }
    void SetGridYSize(int value);
    void SetGridSize(int xSize, int ySize);
    bool PaintClientArea() const { return paintClientArea_; }
    void SetPaintClientArea(bool value);
    bool ShowDockClientCaptions() const { return showDockClientCaptions_; }
    void SetShowDockClientCaptions(bool value);
    bool ShowGrid() const { return showGrid_; }
    void SetShowGrid(bool value);
    int TextMargin() const { return textMargin_; }
    void SetTextMargin(int value);
    int TextMarginVertical() const { return textMarginVertical_; }
    void SetTextMarginVertical(int value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TRzVisualStyle VisualStyle() const { return visualStyle_; }
    void SetVisualStyle(TRzVisualStyle value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    void SetBounds(int left, int top, int width, int height) override;

    // Reads the frame controller's settings (IFramingNotification).
    void FramingChanged() override { ApplyFramingSettings(); }

    // Runs at the end of painting.
    TNotifyEvent OnPaint;

protected:
    // The mouse in client coordinates.
    TPoint ClientCursorPos() const;
    // The rectangle less the frames' widths on their sides (and first BorderWidth all round).
    virtual TRect DeflateByBorders(TRect r, bool withBorderWidth) const;
    virtual TRect PaintBounds() const { return Rect(0, 0, Width(), Height()); }
    virtual TPoint BorderResizeMargin() const { return {1, 1}; }
    virtual TGradientColors FetchGradientColors() const;
    // The flat frame colour and its adjustment.
    virtual std::pair<TColor, int> FetchFlatColors() const;
    virtual void PaintCaptionText(TRect r);
    virtual void PaintGridLines(TRect r);
    virtual void ApplyFramingSettings();
    // Realigns and repaints after a change of the frames (the client area changes).
    void FramesChanged();

    TRect GetClientRect() const override;
    void AdjustClientRect(TRect& rect) override;
    // A dock site's manager: grabbers with the docked control's caption and a close box.
    std::unique_ptr<TDockTree> CreateDockManager() override;
    void Paint() override;
    bool RedrawOnResize() const override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;

    // Written directly by framing settings, without the setters' realignment.
    TFrameStyleEx borderOuter_ = fsRaised;
    TSides borderSides_ = kAllSides;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;

private:
    void EnabledChanged();
    void WindowPosChanged(const TMessage& message);

    TAlignmentVertical alignmentVertical_ = avCenter;
    TFrameStyleEx borderInner_ = fsNone;
    TColor borderColor_ = clBtnFace;
    TFrameControllerLink frameController_{*this};
    TRzFrameControllerNotifications frameNotifications_ = kAllFrameNotifications;
    TRzGradientColorStyle gradientColorStyle_ = gcsSystem;
    TColor gradientColorStart_ = clWhite;
    TColor gradientColorStop_ = clBtnFace;
    TGradientDirection gradientDirection_ = gdHorizontalEnd;
    TColor gridColor_ = clBtnShadow;
    TRzGridStyle gridStyle_ = gsDots;
    int gridXSize_ = 8;
    int gridYSize_ = 8;
    bool paintClientArea_ = true;
    bool showDockClientCaptions_ = true;
    bool showGrid_ = false;
    int textMargin_ = 0;
    int textMarginVertical_ = 0;
    bool transparent_ = false;
    TRzVisualStyle visualStyle_ = vsWinXP;
    bool wordWrap_ = true;
    // The children's enabled states recorded when the panel was disabled, in child order.
    std::vector<std::pair<TControl*, bool>> enabledList_;
};

// The dock manager of a panel that is a dock site: 14-pixel grabbers (at the left of the docked
// controls in a panel aligned at the top or bottom, on top of them otherwise) in the caption
// colours, active for the focused control, with its caption and a close box.
class TRzPanelDockManager : public TDockTree {
public:
    explicit TRzPanelDockManager(TRzCustomPanel* panel);
    ~TRzPanelDockManager() override;

    void AdjustDockRect(TControl* control, TRect& rect) override;
    void PaintDockFrame(TCanvas& canvas, TControl* control, const TRect& rect) override;

    TFont* CaptionFont() const { return font_.get(); }

private:
    TRzCustomPanel* panel_;
    TWndMethod oldWndProc_;
    std::unique_ptr<TFont> font_;
};

class TRzPanel : public TRzCustomPanel {
public:
    using TRzCustomPanel::TRzCustomPanel;
};

class TRzCustomGroupBox : public TRzCustomPanel {
    DSP_PUBLISHED(TRzCustomGroupBox, TRzCustomPanel) {
        using P = Published<TRzCustomGroupBox>;
        using C = TRzCustomGroupBox;
        return {
            P::Property("Alignment", &C::Alignment, &C::SetAlignment).Default(taLeftJustify),
            P::Property("BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsNone),
            P::Property("BannerHeight", &C::BannerHeight, &C::SetBannerHeight).Default(0),
            P::Property("CaptionFont", &C::CaptionFont, &C::SetCaptionFont)
                .Stored(&C::IsCaptionFontStored),
            P::Property("GroupStyle", &C::GroupStyle, &C::SetGroupStyle).Default(gsFlat),
        };
    }

public:
    explicit TRzCustomGroupBox(TComponent* owner);
    ~TRzCustomGroupBox() override;

    int BannerHeight() const { return bannerHeight_; }
    void SetBannerHeight(int value);
    TFont* CaptionFont() const { return captionFont_.get(); }
    // Copies the font; from then on the caption font no longer follows Font.
    void SetCaptionFont(TFont* value);
    TRzGroupBoxStyle GroupStyle() const { return groupStyle_; }
    void SetGroupStyle(TRzGroupBoxStyle value);

    // Scales the caption font when it has a size of its own (Font scales with the form).
    void ChangeScale(int multiplier, int divider);

protected:
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;
    void ApplyFramingSettings() override;
    void Dispatch(TMessage& message) override;

private:
    bool IsCaptionFontStored() const { return captionFontChanged_; }
    int TextHeightOf(const TFont& font, const std::string& sample) const;

    int bannerHeight_ = 0;
    std::unique_ptr<TFont> captionFont_;
    bool captionFontChanged_ = false;
    bool copyingFont_ = false;
    TRzGroupBoxStyle groupStyle_ = gsFlat;
};

class TRzGroupBox : public TRzCustomGroupBox {
public:
    using TRzCustomGroupBox::TRzCustomGroupBox;
};

}  // namespace dsp

#pragma once
// TiPlotToolBar: the plot's button bar, a layout object along the top edge with fourteen buttons
// and five spacers: resume and pause of axis tracking, scroll or zoom mode of the axes, zoom in
// and out, select mode, zoom box, data cursor, the property editor, copy, save, print and print
// preview. Buttons of one group exclude each other (Scroll and Zoom; Select and Zoom Box); the
// plot reads the Down state of Select, Zoom Box and Cursor to decide what a drag does.

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/ImageList.h"
#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TiPlotToolBar;
class TBitmap;

// The toolbar glyph of that resource name (16 colours, clTeal transparent), or null when the
// program carries no such picture.
std::unique_ptr<TBitmap> LoadToolBarGlyph(const std::string& name);

enum TiPlotToolBarButtonType {
    iptbbtResume,
    iptbbtPause,
    iptbbtScrollAxesMode,
    iptbbtZoomAxesMode,
    iptbbtZoomIn,
    iptbbtZoomOut,
    iptbbtSelect,
    iptbbtZoomBox,
    iptbbtCursor,
    iptbbtEdit,
    iptbbtCopy,
    iptbbtSave,
    iptbbtPrint,
    iptbbtPreview,
};
DSP_ENUM_NAMES(TiPlotToolBarButtonType, "iptbbtResume", "iptbbtPause", "iptbbtScrollAxesMode",
               "iptbbtZoomAxesMode", "iptbbtZoomIn", "iptbbtZoomOut", "iptbbtSelect",
               "iptbbtZoomBox", "iptbbtCursor", "iptbbtEdit", "iptbbtCopy", "iptbbtSave",
               "iptbbtPrint", "iptbbtPreview")

enum TiPlotToolBarButtonStyle { iptbbsButton, iptbbsSpacer };

class TiPlotToolBarButton : public TiPlotButton {
public:
    TiPlotToolBarButton(TiPlotToolBar* toolBar, TiPlotToolBarButtonStyle style,
                        TiPlotToolBarButtonType type, int group, std::string hint,
                        std::string largeImage, std::string smallImage);

    TiPlotToolBarButtonStyle Style() const { return FStyle; }
    TiPlotToolBarButtonType ButtonType() const { return type_; }
    const std::string& Hint() const { return FHint; }
    const std::string& ImageName() const { return FImageName; }
    int ImageIndex() const { return FImageIndex; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool value) { FFlat = value; }
    bool MouseOver() const { return FMouseOver; }
    // Chooses the large or the small glyph; it loads again at the next draw.
    void UseSmallImage(bool small);

    // The face, its frame (raised, sunken while pressed; flat buttons show a frame only under
    // the mouse) and the glyph, loaded into the toolbar's image list on the first draw and
    // greyed while disabled. Spacers draw nothing.
    void Draw(TCanvas* canvas, TColor backGroundColor) override;
    void iMouseMove(TiHintData& hintData, TShiftState shift, int x, int y, int screenX, int screenY,
                    bool dblClickActive) override;
    // The button's hint below it.
    void DoMouseHint(const TiPlotMouseData& mouseData, TiHintData& hintData) override;
    void DoMouseNotOver() override;

private:
    std::string FHint;
    TiPlotToolBarButtonStyle FStyle;
    TiPlotToolBarButtonType type_;
    int FImageIndex = -1;
    std::string FImageName;
    std::string largeImage_;
    std::string smallImage_;
    bool FFlat = false;
    bool FMouseOver = false;
    TiPlotToolBar* FToolBar;
};

class TiPlotToolBar : public TiPlotLayoutObject {
    DSP_PUBLISHED(TiPlotToolBar, TiPlotLayoutObject) {
        using T = TiPlotToolBar;
        using P = Published<TiPlotToolBar>;
        return {
            P::Property("ShowResumeButton", &T::ShowResumeButton, &T::SetShowResumeButton),
            P::Property("ShowPauseButton", &T::ShowPauseButton, &T::SetShowPauseButton),
            P::Property("ShowAxesModeButtons", &T::ShowAxesModeButtons, &T::SetShowAxesModeButtons),
            P::Property("ShowZoomInOutButtons", &T::ShowZoomInOutButtons,
                        &T::SetShowZoomInOutButtons),
            P::Property("ShowSelectButton", &T::ShowSelectButton, &T::SetShowSelectButton),
            P::Property("ShowZoomBoxButton", &T::ShowZoomBoxButton, &T::SetShowZoomBoxButton),
            P::Property("ShowCursorButton", &T::ShowCursorButton, &T::SetShowCursorButton),
            P::Property("ShowEditButton", &T::ShowEditButton, &T::SetShowEditButton),
            P::Property("ShowCopyButton", &T::ShowCopyButton, &T::SetShowCopyButton),
            P::Property("ShowSaveButton", &T::ShowSaveButton, &T::SetShowSaveButton),
            P::Property("ShowPrintButton", &T::ShowPrintButton, &T::SetShowPrintButton),
            P::Property("ShowPreviewButton", &T::ShowPreviewButton, &T::SetShowPreviewButton),
            P::Property("ZoomInOutFactor", &T::FZoomInOutFactor, &T::SetZoomInOutFactor),
            P::Property("FlatButtons", &T::FFlatButtons, &T::SetFlatButtons).Default(false),
            P::Property("SmallButtons", &T::FSmallButtons, &T::SetSmallButtons).Default(false),
            P::Property("FlatBorder", &T::FFlatBorder, &T::SetFlatBorder).Default(false),
        };
    }

public:
    TiPlotToolBar(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                  TNotifyEvent onRemove, TNotifyEvent onRename);
    ~TiPlotToolBar() override;

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::ToolBar; }

    // 36 pixels, 28 with small buttons.
    int GetRequiredWidth(TCanvas* canvas) override;
    // The first visible entry under the point, else the toolbar.
    TiPlotObject* SetMouseOverObject(int x, int y) override;
    bool OwnsButton(const TiPlotObject* object) const override;
    void NotificationSetFocus(TiPlotObject* sender) override;
    void ClearPopupMenuItems(TPopupMenu* popupMenu) override;
    // The bar (the buttons left to right, the spacers of shown groups between them).
    void Draw(TCanvas* canvas, TColor backGroundColor) override;

    // Every button and spacer in drawing order.
    const std::vector<std::unique_ptr<TiPlotToolBarButton>>& Buttons() const { return FButtonList; }
    TiPlotToolBarButton* Button(TiPlotToolBarButtonType type) const;
    TImageList* ImageList() const { return FImageList.get(); }

    bool CursorActive() const;
    bool ZoomBoxActive() const;
    bool SelectActive() const;
    void TurnOffCursor();

    // Each does what a click on its button does: the plot's before-event (which may cancel),
    // the action, the after-event.
    void DoButtonClickResume();
    void DoButtonClickPause();
    void DoButtonClickScrollAxesMode();
    void DoButtonClickZoomAxesMode();
    void DoButtonClickZoomIn();
    void DoButtonClickZoomOut();
    void DoButtonClickSelect();
    void DoButtonClickZoomBox();
    void DoButtonClickCursor();
    void DoButtonClickEdit();
    void DoButtonClickCopy();
    void DoButtonClickSave();
    void DoButtonClickPrint();
    void DoButtonClickPreview();

    bool ShowResumeButton() const { return Shown(iptbbtResume); }
    bool ShowPauseButton() const { return Shown(iptbbtPause); }
    bool ShowAxesModeButtons() const { return Shown(iptbbtScrollAxesMode); }
    bool ShowZoomInOutButtons() const { return Shown(iptbbtZoomIn); }
    bool ShowSelectButton() const { return Shown(iptbbtSelect); }
    bool ShowZoomBoxButton() const { return Shown(iptbbtZoomBox); }
    bool ShowCursorButton() const { return Shown(iptbbtCursor); }
    bool ShowEditButton() const { return Shown(iptbbtEdit); }
    bool ShowCopyButton() const { return Shown(iptbbtCopy); }
    bool ShowSaveButton() const { return Shown(iptbbtSave); }
    bool ShowPrintButton() const { return Shown(iptbbtPrint); }
    bool ShowPreviewButton() const { return Shown(iptbbtPreview); }
    void SetShowResumeButton(bool value) { Show({iptbbtResume}, value); }
    void SetShowPauseButton(bool value) { Show({iptbbtPause}, value); }
    void SetShowAxesModeButtons(bool value) {
        Show({iptbbtScrollAxesMode, iptbbtZoomAxesMode}, value);
    }
    void SetShowZoomInOutButtons(bool value) { Show({iptbbtZoomIn, iptbbtZoomOut}, value); }
    void SetShowSelectButton(bool value) { Show({iptbbtSelect}, value); }
    void SetShowZoomBoxButton(bool value) { Show({iptbbtZoomBox}, value); }
    void SetShowCursorButton(bool value) { Show({iptbbtCursor}, value); }
    void SetShowEditButton(bool value) { Show({iptbbtEdit}, value); }
    void SetShowCopyButton(bool value) { Show({iptbbtCopy}, value); }
    void SetShowSaveButton(bool value) { Show({iptbbtSave}, value); }
    void SetShowPrintButton(bool value) { Show({iptbbtPrint}, value); }
    void SetShowPreviewButton(bool value) { Show({iptbbtPreview}, value); }

    double ZoomInOutFactor() const { return FZoomInOutFactor; }
    // Values below 1 (or not a number) become 1.
    void SetZoomInOutFactor(double value);
    bool FlatButtons() const { return FFlatButtons; }
    void SetFlatButtons(bool value);
    bool SmallButtons() const { return FSmallButtons; }
    void SetSmallButtons(bool value);
    bool FlatBorder() const { return FFlatBorder; }
    void SetFlatBorder(bool value) { SetBooleanProperty(value, FFlatBorder, &T::DoChange); }

private:
    using T = TiPlotToolBar;
    bool Shown(TiPlotToolBarButtonType type) const;
    void Show(std::initializer_list<TiPlotToolBarButtonType> types, bool value);
    // Every other entry of the button's group comes up.
    void GroupClick(TiPlotToolBarButton* button);
    // The before-event (true when cancelled), then the action and the after-event.
    bool BeforeClick(TiPlotToolBarButtonType type);
    void AfterClick(TiPlotToolBarButtonType type);
    void ApplyButtonSize();
    template <typename F>
    void ForEachAxis(F&& f);
    // Spacers follow the groups they stand behind; Resume and Pause follow the axes' tracking.
    void UpdateButtonStates();

    std::vector<std::unique_ptr<TiPlotToolBarButton>> FButtonList;
    std::unique_ptr<TImageList> FImageList;
    double FZoomInOutFactor = 2.0;
    bool FFlatButtons = false;
    bool FSmallButtons = false;
    bool FFlatBorder = false;
};

}  // namespace dsp

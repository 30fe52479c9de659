#pragma once
// TiComponent: the root of the plot engine's visual components. It adds update batches and
// repaint requests under a frame-rate gate, double-buffered painting through one abstract
// paint-to-canvas operation (an exception while painting shows its message in the component),
// background and border drawing, hooks for keys, mouse, wheel and focus that know whether the
// user caused them, and saving and loading the published properties as a text file.
//
// Repaints are throttled, not queued: any number of requests in one batch or one frame gap
// collapse into one pending flag. With the gate on, a held-back repaint is carried out by a
// one-shot timer at the end of the remaining gap, and by the scheduler's tick as a backstop;
// while a batch is open nothing is repainted. The gate runs on the monotonic clock.

#include <functional>
#include <memory>
#include <string>

#include "framework/controls/CustomControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/runtime/Clock.h"
#include "framework/text/Variant.h"
#include "plot/engine/iClasses.h"
#include "plot/engine/iTypes.h"

namespace dsp {

class TTimer;

using TiPaintEvent = std::function<void(TObject* sender, TCanvas* canvas)>;
using TChangePropertyEvent = std::function<void(TObject* sender, const std::string& propName)>;
using TRequestEditEvent =
    std::function<void(TObject* sender, const std::string& propName, bool& canEdit)>;
using TGetDesigningEvent = std::function<void(TObject* sender, bool& designing)>;

class TiComponent : public TCustomControl, public IUpdateClient {
    DSP_PUBLISHED(TiComponent, TCustomControl) {
        using P = Published<TiComponent>;
        return {
            // The control's caption, colour and font are not settings of a plot component.
            P::Property("Caption", &TControl::Caption, &TControl::SetCaption).Stored(false),
            P::Property("Color", &TControl::Color, &TControl::SetColor).Stored(false),
            P::Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
                .Stored(false),
            P::Property("Font", &TControl::Font, &TControl::SetFont).Stored(false),
            P::Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
                .Stored(false),
            P::Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
                .Stored(false),
            P::Property("OptionSaveAllProperties", &TiComponent::FOptionSaveAllProperties,
                        &TiComponent::SetOptionSaveAllProperties)
                .Default(false),
            P::Property("AutoFrameRate", &TiComponent::GetAutoFrameRate,
                        &TiComponent::SetAutoFrameRate)
                .Default(false),
            P::Property("UpdateFrameRate", &TiComponent::GetUpdateFrameRate,
                        &TiComponent::SetUpdateFrameRate)
                .Default(60),
        };
    }

public:
    explicit TiComponent(TComponent* owner);
    ~TiComponent() override;

    // ---- repaint requests
    // Carries the repaint out now: clears the pending flag, stamps the time, invalidates.
    void RepaintNow() override;
    // Repaints now unless the gate holds the repaint back (it then stays pending).
    void RepaintIfDue();
    // Repaints now, later through the gate, or after the open batch.
    void RequestRepaint() {
        // A pending repaint that a batch or the gap timer will serve: nothing more to do.
        if (RepaintHeld()) return;
        RequestRepaintAgain();
    }
    // True while a repaint is pending that a batch or the gap timer will serve: a request now
    // changes nothing.
    bool RepaintHeld() const { return FNeedsRepaint && (FUpdateActive || gapArmed_); }
    // The same, and the background must be drawn afresh.
    void RequestFullRepaint();
    // 0: RequestRepaint, 1: RequestFullRepaint, anything else: nothing.
    void RepaintForChange(int kind);

    // ---- the scheduler's view
    bool GetUpdateActive() const override { return FUpdateActive; }
    bool GetNeedsRepaint() const override { return FNeedsRepaint; }
    int GetUpdateFrameRate() const override { return FUpdateFrameRate; }
    TClockTime GetLastUpdate() const override { return FLastUpdate; }

    // ---- settings
    bool GetAutoFrameRate() const { return FAutoFrameRate; }
    // On: a full repaint; off: closes an open batch (EndUpdate).
    void SetAutoFrameRate(bool value);
    void SetUpdateFrameRate(int value) { SetIntegerProperty(value, FUpdateFrameRate, 1); }
    bool GetOptionSaveAllProperties() const { return FOptionSaveAllProperties; }
    void SetOptionSaveAllProperties(bool value) { FOptionSaveAllProperties = value; }
    TColor GetBackGroundColor() const { return FBackGroundColor; }
    TiBevelStyle GetBorderStyle() const { return FBorderStyle; }
    bool GetCachedDrawing() const { return FCachedDrawing; }
    bool GetBackGroundChanged() const { return FBackGroundChanged; }
    bool GetHasFocus() const { return FHasFocus; }
    bool GetUserGenerated() const { return FUserGenerated; }
    bool GetErrorActive() const { return FErrorActive; }
    void SetErrorActive(bool value) { SetBooleanProperty(value, FErrorActive, 1); }
    const std::string& GetErrorText() const { return FErrorText; }
    void SetErrorText(const std::string& value) { FErrorText = value; }
    TColor GetErrorBackGroundColor() const { return FErrorBackGroundColor; }
    void SetErrorBackGroundColor(TColor value) {
        SetColorProperty(value, FErrorBackGroundColor, 1);
    }
    TFont* GetErrorFont() const { return FErrorFont.get(); }
    TBitmap* GetBackGroundPicture() const { return FBackGroundPicture.get(); }
    // Copies the picture (null removes it), then a full repaint.
    void SetBackGroundPicture(TBitmap* value);
    bool IsLoading() const;
    void SetLoading(bool value) { FLoading = value; }
    int GetOffsetX() const { return FOffsetX; }
    int GetOffsetY() const { return FOffsetY; }
    void SetOffsetX(int value) { SetIntegerProperty(value, FOffsetX, 1); }
    void SetOffsetY(int value) { SetIntegerProperty(value, FOffsetY, 1); }
    bool GetShowDisabledState() const { return FShowDisabledState; }
    void SetShowDisabledState(bool value) { SetBooleanProperty(value, FShowDisabledState, 1); }

    // ---- virtual operations
    virtual TPoint GetCenter() const;
    virtual void SetCachedDrawing(bool value);
    virtual void SetBorderStyle(TiBevelStyle value);
    virtual void SetBackGroundColor(TColor value);
    virtual void DrawBackGround(TCanvas* canvas, TColor color);
    virtual void DrawBorder(TCanvas* canvas);
    virtual bool InternalTimerRunning() const = 0;
    virtual void InternalTimerStart(int initialDelay, int interval) = 0;
    virtual void InternalTimerStop() = 0;
    // A descendant tells of a property it changed, so that a bound OPC item can send it; true
    // when an item took the value.
    virtual bool OPCPropertyChanged(const std::string& propName, const TVariant& value);
    virtual void GainFocus();
    virtual void LoseFocus();
    virtual void iWantSpecialKey(TKeyCode& charCode, LRESULT& result);
    virtual void iKeyUp(TKeyCode& key, TShiftState shift);
    virtual void iKeyDown(TKeyCode& key, TShiftState shift);
    virtual void iKeyPress(char16_t& key);
    virtual void iMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void iMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void iMouseMove(TShiftState shift, int x, int y);
    virtual void iDoubleClick();
    virtual bool iMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos);
    // Renders the whole component onto the canvas at (0, 0).
    virtual void PaintToCanvas(TCanvas* canvas) = 0;
    virtual void RepaintAll();
    // Opens the update batch (a flag, not a count).
    virtual void BeginUpdate();
    // Closes the batch; a pending repaint then goes through the gate.
    virtual void EndUpdate();
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    // "File Type = <class>" and one "name = value" line per stored, writable published
    // property; written whole or not at all.
    virtual void SavePropertiesToFile(const std::string& fileName);
    // Applies every line of the file inside one update batch, which is closed on every exit.
    virtual void LoadPropertiesFromFile(const std::string& fileName);

    // Draws the bitmap on the window at (0, 0).
    void TransferOffScreen(TBitmap* bitmap);
    TBitmap* GetBackGroundBitmap();
    void CreateBackGroundBitmap();
    // Renders the component into a new bitmap and saves it as a Windows bitmap file, written
    // whole or not at all (EOSError).
    void SaveImageToBitmap(const std::string& fileName);

    TiPaintEvent OnPaint;
    TChangePropertyEvent OnChangeProtected;
    TRequestEditEvent OnRequestEdit;
    TGetDesigningEvent OnGetDesigning;

protected:
    // Shared setter bodies: store a different value, then RepaintForChange(kind).
    void SetBooleanProperty(bool value, bool& field, int kind);
    void SetIntegerProperty(int value, int& field, int kind);
    void SetColorProperty(TColor value, TColor& field, int kind);

    void Paint() override;
    void SetEnabled(bool value) override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void KeyUp(TKeyCode& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

public:
    void DblClick() override;

protected:
    // Sizes the off-screen and background bitmaps to the component.
    void ResizeBuffers();
    // Marks the handling of one input message from the user for its duration.
    class TUserInput {
    public:
        explicit TUserInput(TiComponent& c) : c_(c), was_(c.FUserGenerated) {
            c.FUserGenerated = true;
        }
        ~TUserInput() { c_.FUserGenerated = was_; }
        TUserInput(const TUserInput&) = delete;
        TUserInput& operator=(const TUserInput&) = delete;

    private:
        TiComponent& c_;
        bool was_;
    };

    bool FBackGroundChanged = true;

private:
    void RequestRepaintAgain();
    void ArmGapTimer(TClockTime now);
    void GapTimerFired();
    void PaintErrorFace(TCanvas* canvas, const std::string& message);

    bool FUpdateActive = false;
    int FUpdateFrameRate = 60;
    TClockTime FLastUpdate{};
    bool FNeedsRepaint = false;
    std::unique_ptr<TBitmap> FBackGroundBitmap;
    std::unique_ptr<TBitmap> FOffScreenBitmap;
    std::unique_ptr<TBitmap> FBackGroundPicture;
    TColor FBackGroundColor = clBtnFace;
    TiBevelStyle FBorderStyle = ibsNone;
    int FOffsetY = 0;
    int FOffsetX = 0;
    bool FShowDisabledState = false;
    bool FHasFocus = false;
    bool FAutoFrameRate = false;
    bool FLoading = false;
    bool FCachedDrawing = true;
    bool FOptionSaveAllProperties = false;
    bool FUserGenerated = false;
    bool FErrorActive = false;
    std::string FErrorText = "Error";
    TColor FErrorBackGroundColor = clBlack;
    std::unique_ptr<TFont> FErrorFont;

    // The one-shot timer that carries out a held-back repaint at the end of its frame gap.
    std::unique_ptr<TTimer> gapTimer_;
    bool gapArmed_ = false;
};

}  // namespace dsp

#include "plot/engine/iComponent.h"

#include <cerrno>

#include "framework/core/Exceptions.h"
#include "framework/runtime/Timer.h"
#include "framework/text/StringList.h"
#include "framework/text/WholeFile.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

TiComponent::TiComponent(TComponent* owner)
    : TCustomControl(owner), FLastUpdate(MonotonicTime()), FErrorFont(std::make_unique<TFont>()) {
    SetControlStyle(
        TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csReplicatable});
    FErrorFont->SetColor(clRed);
    FErrorFont->SetStyle(TFontStyles{fsBold});
    FErrorFont->OnChange = [this](TObject*) { RequestRepaint(); };
    TiUpdateObject::Instance().AddUpdateControl(this);
}

TiComponent::~TiComponent() {
    TiUpdateObject::Instance().RemoveUpdateControl(this);
    gapTimer_.reset();
}

// ---- repaint requests

void TiComponent::RepaintNow() {
    FNeedsRepaint = false;
    FLastUpdate = MonotonicTime();
    if (gapArmed_) {
        gapArmed_ = false;
        gapTimer_->SetEnabled(false);
    }
    Invalidate();
}

void TiComponent::RepaintIfDue() {
    if (!FAutoFrameRate || FUpdateFrameRate == 0) {
        RepaintNow();
        return;
    }
    const TClockTime now = MonotonicTime();
    if (RepaintIsDue(FLastUpdate, FUpdateFrameRate, now)) {
        RepaintNow();
    } else {
        ArmGapTimer(now);
    }
}

void TiComponent::RequestRepaintAgain() {
    if (FUpdateActive) {
        FNeedsRepaint = true;
    } else if (FAutoFrameRate) {
        FNeedsRepaint = true;
        RepaintIfDue();
    } else {
        RepaintNow();
    }
}

void TiComponent::RequestFullRepaint() {
    FBackGroundChanged = true;
    RequestRepaint();
}

void TiComponent::RepaintForChange(int kind) {
    if (kind == 0) {
        RequestRepaint();
    } else if (kind == 1) {
        RequestFullRepaint();
    }
}

void TiComponent::ArmGapTimer(TClockTime now) {
    if (gapArmed_) return;
    if (!gapTimer_) {
        gapTimer_ = std::make_unique<TTimer>(nullptr);
        gapTimer_->SetEnabled(false);
        gapTimer_->SetOnTimer([this](TObject*) { GapTimerFired(); });
    }
    // The first whole millisecond at which more than 1/rate seconds have passed.
    const std::int64_t gapNs = 1'000'000'000 / FUpdateFrameRate + 1;
    const std::int64_t remainingNs = gapNs - (now - FLastUpdate).count();
    const std::int64_t ms = std::max<std::int64_t>(1, (remainingNs + 999'999) / 1'000'000);
    gapTimer_->SetInterval(static_cast<unsigned>(ms));
    gapTimer_->SetEnabled(true);
    gapArmed_ = true;
}

void TiComponent::GapTimerFired() {
    gapArmed_ = false;
    gapTimer_->SetEnabled(false);
    // An open batch serves the repaint when it closes.
    if (FNeedsRepaint && !FUpdateActive) RepaintIfDue();
}

// ---- settings

void TiComponent::SetAutoFrameRate(bool value) {
    if (value == FAutoFrameRate) return;
    FAutoFrameRate = value;
    if (value) {
        RequestFullRepaint();
    } else {
        EndUpdate();
    }
}

void TiComponent::SetBackGroundPicture(TBitmap* value) {
    if (value == nullptr) {
        FBackGroundPicture.reset();
    } else {
        if (!FBackGroundPicture) FBackGroundPicture = std::make_unique<TBitmap>();
        FBackGroundPicture->Assign(value);
    }
    RequestFullRepaint();
}

bool TiComponent::IsLoading() const { return FLoading || ComponentState().Contains(csLoading); }

void TiComponent::SetBooleanProperty(bool value, bool& field, int kind) {
    if (value == field) return;
    field = value;
    RepaintForChange(kind);
}

void TiComponent::SetIntegerProperty(int value, int& field, int kind) {
    if (value == field) return;
    field = value;
    RepaintForChange(kind);
}

void TiComponent::SetColorProperty(TColor value, TColor& field, int kind) {
    if (value == field) return;
    field = value;
    RepaintForChange(kind);
}

// ---- virtual operations

TPoint TiComponent::GetCenter() const { return {Width() / 2 + FOffsetX, Height() / 2 + FOffsetY}; }

void TiComponent::SetCachedDrawing(bool value) {
    if (value == FCachedDrawing) return;
    FCachedDrawing = value;
    RequestFullRepaint();
    if (!value) FBackGroundBitmap.reset();
}

void TiComponent::SetBorderStyle(TiBevelStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    RequestFullRepaint();
}

void TiComponent::SetBackGroundColor(TColor value) { SetColorProperty(value, FBackGroundColor, 1); }

void TiComponent::DrawBackGround(TCanvas* canvas, TColor color) {
    FBackGroundChanged = false;
    const TRect all{0, 0, Width(), Height()};
    if (FBackGroundPicture && FBackGroundPicture->Width() != 0) {
        canvas->StretchDraw(all, FBackGroundPicture.get());
        return;
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(all);
    DrawBorder(canvas);
}

void TiComponent::DrawBorder(TCanvas* canvas) {
    const TRect all{0, 0, Width(), Height()};
    if (FBorderStyle == ibsRaised) {
        DrawFrameEdge(canvas, all, 1);
    } else if (FBorderStyle == ibsLowered) {
        DrawFrameEdge(canvas, all, 0);
    }
}

bool TiComponent::OPCPropertyChanged(const std::string&, const TVariant&) { return false; }

void TiComponent::GainFocus() {
    FHasFocus = true;
    Invalidate();
}

void TiComponent::LoseFocus() {
    FHasFocus = false;
    try {
        iMouseUp(mbLeft, {}, 0, 0);
        Invalidate();
    } catch (...) {}
}

void TiComponent::iWantSpecialKey(TKeyCode&, LRESULT&) {}
void TiComponent::iKeyUp(TKeyCode&, TShiftState) {}
void TiComponent::iKeyDown(TKeyCode&, TShiftState) {}
void TiComponent::iKeyPress(char16_t&) {}
void TiComponent::iMouseDown(TMouseButton, TShiftState, int, int) {}
void TiComponent::iMouseUp(TMouseButton, TShiftState, int, int) {}
void TiComponent::iMouseMove(TShiftState, int, int) {}
void TiComponent::iDoubleClick() {}
bool TiComponent::iMouseWheel(int, TShiftState, TPoint) { return false; }

void TiComponent::RepaintAll() { RequestFullRepaint(); }

void TiComponent::BeginUpdate() { FUpdateActive = true; }

void TiComponent::EndUpdate() {
    FUpdateActive = false;
    if (FNeedsRepaint) RepaintIfDue();
}

void TiComponent::SavePropertiesToFile(const std::string& fileName) {
    try {
        TStringList exclude;
        exclude.Add("Name");
        if (!FOptionSaveAllProperties) {
            for (const char* name :
                 {"Left", "Top", "Width", "Height", "Align", "Cursor", "ShowHint", "Tag", "Visible",
                  "Enabled", "Hint", "HelpContext"}) {
                exclude.Add(name);
            }
        }
        TStringList lines;
        lines.Add("File Type = " + ClassName());
        SavePropertiesToStrings(this, "", lines, false, &exclude);
        std::string text;
        for (int i = 0; i < lines.Count(); ++i) text += lines.Strings(i) + "\r\n";
        std::string error;
        if (!WriteWholeFile(fileName, text, &error)) throw EFCreateError(error);
    } catch (const Exception& e) {
        throw Exception("Error Saving Properties - " + e.Message());
    }
}

void TiComponent::LoadPropertiesFromFile(const std::string& fileName) {
    try {
        TStringList lines;
        lines.LoadFromFile(fileName);
        BeginUpdate();
        try {
            LoadPropertiesFromStrings(this, "", lines);
        } catch (...) {
            // A bad line must not leave the batch open: the component would never repaint.
            EndUpdate();
            throw;
        }
        EndUpdate();
    } catch (const Exception& e) {
        throw Exception("Error Loading Properties - " + e.Message());
    }
}

// ---- painting

void TiComponent::TransferOffScreen(TBitmap* bitmap) { Canvas()->Draw(0, 0, bitmap); }

TBitmap* TiComponent::GetBackGroundBitmap() {
    CreateBackGroundBitmap();
    return FBackGroundBitmap.get();
}

void TiComponent::CreateBackGroundBitmap() {
    if (!FBackGroundBitmap) FBackGroundBitmap = std::make_unique<TBitmap>(Width(), Height());
}

void TiComponent::ResizeBuffers() {
    if (Width() <= 0 || Height() <= 0) return;
    if (FOffScreenBitmap &&
        (FOffScreenBitmap->Width() != Width() || FOffScreenBitmap->Height() != Height())) {
        FOffScreenBitmap->SetSize(Width(), Height());
    }
    GetBackGroundBitmap();
    if (FBackGroundBitmap->Width() != Width() || FBackGroundBitmap->Height() != Height()) {
        FBackGroundBitmap->SetSize(Width(), Height());
    }
}

void TiComponent::SaveImageToBitmap(const std::string& fileName) {
    HandleNeeded();
    TBitmap bitmap(Width(), Height());
    PaintToCanvas(bitmap.Canvas());
    std::string error;
    if (!WriteWholeFile(fileName, bitmap.SaveToBytes(), &error)) throw EOSError(error, EIO);
}

void TiComponent::PaintErrorFace(TCanvas* canvas, const std::string& message) {
    TRect all{0, 0, Width(), Height()};
    canvas->SelectClipRgn(nullptr);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBlack);
    canvas->FillRect(all);
    canvas->Font()->SetColor(clWhite);
    DrawTextFormatted(canvas, message, all, kTextLeft | kTextTop | kTextWordBreak, true, clWhite);
}

void TiComponent::Paint() {
    try {
        Lock();
        struct Unlocker {
            TiComponent& c;
            ~Unlocker() { c.Unlock(); }
        } unlocker{*this};

        if (!FOffScreenBitmap) {
            FOffScreenBitmap = std::make_unique<TBitmap>(Width(), Height());
        } else if (FOffScreenBitmap->Width() != Width() || FOffScreenBitmap->Height() != Height()) {
            FOffScreenBitmap->SetSize(Width(), Height());
        }
        TCanvas* canvas = FOffScreenBitmap->Canvas();
        // The bitmap lives from paint to paint: start every paint from a clean device state.
        canvas->SelectClipRgn(nullptr);
        canvas->SetViewportOrg(0, 0);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Pen()->SetStyle(psSolid);
        try {
            PaintToCanvas(canvas);
        } catch (const Exception& e) {
            PaintErrorFace(canvas, e.Message());
        }
        if (OnPaint) OnPaint(this, canvas);
        TransferOffScreen(FOffScreenBitmap.get());
    } catch (...) {
        // Nothing that goes wrong while painting may leave the paint.
    }
}

void TiComponent::SetEnabled(bool value) {
    TCustomControl::SetEnabled(value);
    RequestFullRepaint();
}

// ---- input

void TiComponent::KeyDown(TKeyCode& key, TShiftState shift) {
    TUserInput input(*this);
    try {
        TCustomControl::KeyDown(key, shift);
        iKeyDown(key, shift);
    } catch (const Exception&) {}
}

void TiComponent::KeyUp(TKeyCode& key, TShiftState shift) {
    TUserInput input(*this);
    try {
        TCustomControl::KeyUp(key, shift);
        iKeyUp(key, shift);
    } catch (const Exception&) {}
}

void TiComponent::KeyPress(char16_t& key) {
    TUserInput input(*this);
    try {
        TCustomControl::KeyPress(key);
        iKeyPress(key);
    } catch (const Exception&) {}
}

void TiComponent::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TUserInput input(*this);
    iMouseDown(button, shift, x, y);
    TCustomControl::MouseDown(button, shift, x, y);
}

void TiComponent::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TUserInput input(*this);
    iMouseUp(button, shift, x, y);
    TCustomControl::MouseUp(button, shift, x, y);
}

void TiComponent::MouseMove(TShiftState shift, int x, int y) {
    TUserInput input(*this);
    iMouseMove(shift, x, y);
    TCustomControl::MouseMove(shift, x, y);
}

void TiComponent::DblClick() {
    TUserInput input(*this);
    iDoubleClick();
    TCustomControl::DblClick();
}

}  // namespace dsp

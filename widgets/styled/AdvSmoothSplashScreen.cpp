#include "widgets/styled/AdvSmoothSplashScreen.h"

#include <algorithm>

#include "framework/controls/TopLevelWindow.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/Region.h"
#include "framework/runtime/Application.h"
#include "framework/runtime/Timer.h"
#include "widgets/styled/GDIPPictureContainer.h"

namespace dsp {

namespace {

constexpr std::uint32_t kSplashVersion = 0x01040000;  // 1.4.0.0
// How long the first appearance may wait for the window system to put the window on the screen.
constexpr int kExposeCapMs = 200;
constexpr int kFocusDelayMs = 20;

}  // namespace

TAdvSmoothSplashScreen::TAdvSmoothSplashScreen(TComponent* owner)
    : TComponent(owner),
      FProgressBar(std::make_unique<TGDIPSplashProgress>()),
      FItems(std::make_unique<TSplashItems>(this)),
      FListItems(std::make_unique<TSplashListItems>(this)),
      FBasicProgramInfo(std::make_unique<TBasicProgramInfo>()),
      FFill(std::make_unique<TGDIPFill>()),
      FListItemsSettings(std::make_unique<TSplashListItemsSettings>(this)),
      FTopLayerItems(std::make_unique<TAdvSplashTopLayerItems>(this)) {
    FItems->OnChange = [this](TObject*) { Refresh(); };
    FListItems->OnChange = [this](TObject*) { Refresh(); };
    FTopLayerItems->OnChange = [this](TObject*) {
        if (FShowing && FSplashWindow != nullptr) FSplashWindow->Invalidate();
    };
    FBasicProgramInfo->OnChange = [this](TObject*) {
        if (!Designing() && !ComponentState().Contains(csLoading)) Refresh();
    };
    FProgressBar->OnChange = [this](TObject* sender) { ProgressSettingsChanged(sender); };
    FCloseTimer = new TTimer(this);
    FCloseTimer->SetEnabled(false);
    FCloseTimer->SetInterval(static_cast<unsigned>(std::max(FTimeOut, 1)));
    FCloseTimer->SetOnTimer([this](TObject*) { Hide(); });
}

TAdvSmoothSplashScreen::~TAdvSmoothSplashScreen() {
    // The window must not outlive the settings it paints.
    HideNow(false);
    FProgressBar->OnChange = nullptr;
    FBasicProgramInfo->OnChange = nullptr;
    FItems->OnChange = nullptr;
    FListItems->OnChange = nullptr;
}

std::string TAdvSmoothSplashScreen::Version() const { return VersionText(kSplashVersion); }

void TAdvSmoothSplashScreen::Loaded() {
    TComponent::Loaded();
    // The version texts would come from the program's version resource; programs on this
    // platform carry none, so the stored texts stay.
    if (FAutoShow && !Designing()) Show();
}

void TAdvSmoothSplashScreen::Show() { Show(FDisplayPosX, FDisplayPosY); }

void TAdvSmoothSplashScreen::Show(int, int) {
    if (FShowing) return;
    if (OnBeforeShow) OnBeforeShow(this);
    FMainForm = dynamic_cast<TForm*>(Owner());
    if (auto* applicationMain = dynamic_cast<TForm*>(dsp::MainForm())) FMainForm = applicationMain;
    if (FCloseOnMainFormShow && FMainForm != nullptr) {
        FOldMainFormShow = FMainForm->OnShow;
        FMainForm->OnShow = [this](TObject* sender) { MainFormShow(sender); };
        hooked_ = true;
        FreeNotification(FMainForm);
    }
    BuildSplashWindow();
}

void TAdvSmoothSplashScreen::MainFormShow(TObject* sender) {
    // Hide gives the form its own handler back; keep a copy to call after it.
    const TNotifyEvent old = FOldMainFormShow;
    Hide();
    if (old) old(sender);
}

void TAdvSmoothSplashScreen::Hide() { HideNow(FDisplayStyle == dsFadeInOut); }

void TAdvSmoothSplashScreen::HideNow(bool fade) {
    if (!FShowing) return;
    FCloseTimer->SetEnabled(false);
    FShowing = false;
    if (hooked_) {
        hooked_ = false;
        if (FMainForm != nullptr) FMainForm->OnShow = FOldMainFormShow;
        FOldMainFormShow = nullptr;
    }
    if (TSplashScreenWindow* window = FSplashWindow) {
        FSplashWindow = nullptr;
        window->Detach();
        if (fade && window->Visible()) {
            // The window fades out on its own timer and frees itself afterwards.
            window->StartFade(20, window->ForcedTransparent() ? 5 : 15, 10, true);
        } else {
            // Freed once the message being handled is done: Hide may come from the window's
            // own click.
            window->SetVisible(false);
            window->Release();
        }
    }
    if (OnClose) OnClose(this);
}

TSplashScreenWindow* TAdvSmoothSplashScreen::BuildSplashWindow() {
    if (FShowing) return nullptr;
    const bool layered = FFill->Opacity() < 255 || FFill->OpacityTo() < 255;
    const bool fades = FDisplayStyle == dsFadeInOut;
    // A splash with a constant alpha below full is composed with it multiplied in, like a
    // layered one, so that no window opacity is needed.
    const bool composed = layered || fades || FMaxOpacity < 255;

    auto* window = new TSplashScreenWindow(Application);
    window->FSplashScreen = this;
    window->SetBorderIcons({});
    window->SetBorderStyle(bsNone);
    dsp::SetStayOnTop(*window, FStayOnTop);
    window->SetColor(clWhite);
    window->AfterConstruction();

    TAdvGDIPPicture* picture = FFill->Picture();
    if (FAutoAdaptPictureSize && !picture->Empty()) {
        if (picture->Width() <= 0 || picture->Height() <= 0) picture->GetImageSizes();
        const int bw = FFill->BorderWidth();
        const int h = bw == 1 ? 1 : (bw + 1) / 2;
        window->SetClientSize(picture->Width() + 2 * h, picture->Height() + 2 * h);
    } else {
        window->SetClientSize(FWidth, FHeight);
    }
    if (FDisplayLocation == dlCenter) {
        window->SetPosition(poScreenCenter);
    } else {
        window->SetPosition(poDesigned);
        window->SetBounds(FDisplayPosX, FDisplayPosY, window->Width(), window->Height());
    }

    auto* bar = new TAdvSplashProgressBar(window);
    bar->SetParent(window);
    bar->SetVisible(false);
    bar->SetAppearance(FProgressBar.get());
    bar->OnPositionChanged = [this](TObject*, double value) {
        if (OnProgressPositionChanged) OnProgressPositionChanged(this, value);
    };
    bar->OnChange = [this](TObject*) {
        if (OnProgressChange) OnProgressChange(this);
    };
    window->FSplashProgressBar = bar;

    if (fades) {
        window->FOpacity = 5;
    } else {
        window->FOpacity = layered ? 255 : FMaxOpacity;
    }
    // Layered from the start, so that the window is made for per-pixel alpha before it shows
    // and never flashes as an opaque rectangle.
    if (composed) window->SetLayered(true);

    window->SetVisible(true);
    FShowing = true;
    FSplashWindow = window;

    if (FFill->Rounding() > 0 && FFill->RoundingType() != rtNone) {
        const int d = 2 * FFill->Rounding();
        const TRect c = window->ClientRect();
        TRegion region;
        TRegion round;
        switch (FFill->RoundingType()) {
            case rtTop:
                round = CreateRoundRectRgn(c.Left, c.Top, c.Right + 1, c.Bottom, d, d);
                CombineRgn(region, round, CreateRectRgn(c.Left, c.Top + d, c.Right, c.Bottom),
                           RGN_OR);
                break;
            case rtBottom:
                round = CreateRoundRectRgn(c.Left, c.Top, c.Right + 1, c.Bottom, d, d);
                CombineRgn(region, round, CreateRectRgn(c.Left, c.Top, c.Right, c.Bottom - d),
                           RGN_OR);
                break;
            case rtBoth: region = CreateRoundRectRgn(0, 0, c.Width(), c.Height(), d, d); break;
            case rtLeft:
                round = CreateRoundRectRgn(c.Left, c.Top, c.Right, c.Bottom + 1, d, d);
                CombineRgn(region, round, CreateRectRgn(c.Left + d, c.Top, c.Right, c.Bottom),
                           RGN_OR);
                break;
            case rtRight:
                round = CreateRoundRectRgn(c.Left, c.Top, c.Right, c.Bottom + 1, d, d);
                CombineRgn(region, round, CreateRectRgn(c.Left, c.Top, c.Right - d, c.Bottom),
                           RGN_OR);
                break;
            case rtNone: break;
        }
        SetWindowRegion(*window, &region);
    }
    if (composed) {
        window->LayeredRedraw();
    } else {
        window->Repaint();
    }
    // The splash is on the screen before the work it covers starts.
    WaitForWindowExposed(*window, kExposeCapMs);

    if (fades) {
        if (layered) {
            window->StartFade(20, 5, 255, false);
        } else {
            window->StartFade(5, 5, FMaxOpacity, false);
        }
    }
    FCloseTimer->SetEnabled(false);
    FCloseTimer->SetInterval(static_cast<unsigned>(std::max(FTimeOut, 1)));
    FCloseTimer->SetEnabled(FCloseOnTimeout);
    return window;
}

void TAdvSmoothSplashScreen::FadeIn(int step, int wait, int max) {
    if (FSplashWindow == nullptr || !FSplashWindow->Visible()) return;
    FSplashWindow->StartFade(step, wait * 3, max, false);
}

void TAdvSmoothSplashScreen::FadeOut(int step, int wait, int min) {
    if (FSplashWindow == nullptr || !FSplashWindow->Visible()) return;
    FSplashWindow->StartFade(step, FSplashWindow->ForcedTransparent() ? wait : wait * 3, min,
                             false);
}

void TAdvSmoothSplashScreen::Refresh() {
    if (FShowing && FSplashWindow != nullptr) FSplashWindow->Refresh();
}

void TAdvSmoothSplashScreen::EndUpdate() {
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0) Refresh();
}

void TAdvSmoothSplashScreen::SetStayOnTop(bool v) {
    if (FStayOnTop == v) return;
    FStayOnTop = v;
    if (FShowing && FSplashWindow != nullptr) FSplashWindow->Invalidate();
}

void TAdvSmoothSplashScreen::SetTextRendering(TAdvSmoothSplashScreenTextRenderingHint v) {
    if (FTextRendering == v) return;
    FTextRendering = v;
    if (FShowing && FSplashWindow != nullptr) FSplashWindow->Invalidate();
}

void TAdvSmoothSplashScreen::SetTopLayerItems(TAdvSplashTopLayerItems* v) {
    if (v != nullptr && v != FTopLayerItems.get()) FTopLayerItems->Assign(v);
    if (FShowing && FSplashWindow != nullptr) FSplashWindow->Invalidate();
}

void TAdvSmoothSplashScreen::SetPictureContainer(TGDIPPictureContainer* v) {
    FContainer = v;
    if (v != nullptr) FreeNotification(v);
}

void TAdvSmoothSplashScreen::SetImages(TImageList* v) {
    FImages = v;
    if (v != nullptr) FreeNotification(v);
}

void TAdvSmoothSplashScreen::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove || ComponentState().Contains(csDestroying)) return;
    if (component == FContainer) FContainer = nullptr;
    if (component == FImages) FImages = nullptr;
    if (component == FNewFocusForm) FNewFocusForm = nullptr;
    if (component == FMainForm) {
        FMainForm = nullptr;
        hooked_ = false;
        FOldMainFormShow = nullptr;
    }
}

void TAdvSmoothSplashScreen::ProgressSettingsChanged(TObject*) {
    if (Designing() || !FShowing || FSplashWindow == nullptr) return;
    TAdvSplashProgressBar* bar = FSplashWindow->ProgressBar();
    if (bar == nullptr) return;
    const TGDIPSplashProgress& s = *FProgressBar;
    bar->SetPosition(s.Position());
    bar->SetGlowAnimation(s.GlowAnimation());
    bar->SetStep(s.Step());
    bar->SetProgressAnimation(s.ProgressAnimation());
    bar->SetMaximum(s.Maximum());
    bar->SetMinimum(s.Minimum());
    bar->SetVisible(s.Visible());
    bar->SetBounds(s.Left(), s.Top(), s.Width(), s.Height());
    bar->SetAppearance(FProgressBar.get());
    if (FSplashWindow->ForcedTransparent()) FSplashWindow->Refresh();
}

void TAdvSmoothSplashScreen::SetFocusToForm(TCustomForm* form) {
    if (FFocusFormTimer == nullptr) {
        FFocusFormTimer = new TTimer(this);
        FFocusFormTimer->SetEnabled(false);
        FFocusFormTimer->SetInterval(kFocusDelayMs);
        FFocusFormTimer->SetOnTimer([this](TObject*) {
            FFocusFormTimer->SetEnabled(false);
            TCustomForm* target = FNewFocusForm;
            if (target == nullptr || !target->Visible() || !target->Enabled()) return;
            // Activating the form's own window: never a click at a place on the screen.
            target->SetFocus();
        });
    }
    if (FNewFocusForm != nullptr) RemoveFreeNotification(FNewFocusForm);
    FNewFocusForm = form;
    if (form != nullptr) FreeNotification(form);
    FFocusFormTimer->SetEnabled(true);
}

void TAdvSmoothSplashScreen::SetComponentStyle(TTMSStyle style) {
    FFill->SetGradientType(gtVertical);
    struct TRow {
        TTMSStyle style;
        TColor color;
        TColor colorTo;
        TColor mirror;
        TColor mirrorTo;
        TColor border;
        bool mirrorVertical;
    };
    // clang-format off
    static const TRow kRows[] = {
        {tsOffice2003Blue,     0xFDEADA,  0xE4AE88,  clNone,   clNone,   0xDFD2C5, false},
        {tsOffice2003Silver,   0xF7F3F3,  0xE6D8D8,  clNone,   clNone,   0x927476, false},
        {tsOffice2003Olive,    0xCFF0EA,  0x8CC0B1,  clNone,   clNone,   0x6B7760, false},
        {tsOffice2003Classic,  0xFFFFFF,  0xC9D1D5,  clNone,   clNone,   0x808080, false},
        {tsOffice2007Luna,     0xFAF1E9,  0xEDD8C7,  0xEDD8C7, 0xFFF2E7, 0xE3B28D, true},
        {tsOffice2007Obsidian, 0xCFC6C1,  0xC5BBB4,  0xC5BBB4, 0xECECE5, 0x000000, true},
        {tsWindowsXP,          clBtnFace, clBtnFace, clNone,   clNone,   0x000000, false},
        {tsWhidbey,            0xFFFFFF,  0xD9E9EC,  clNone,   clNone,   0x828F92, false},
        {tsOffice2007Silver,   0xF6F1EE,  0xE7DCD5,  0xE7DCD5, 0xF4F4EE, 0x74706F, true},
        {tsWindowsVista,       0xFDF8F1,  0xFCEFD5,  clNone,   clNone,   0xFDDE99, false},
        {tsWindows7,           0xFCEBDC,  0xFCDBC1,  clNone,   clNone,   0xCEA27D, false},
        {tsTerminal,           clBtnFace, clBtnFace, clNone,   clNone,   0x808080, false},
        {tsOffice2010Blue,     0xFDF6EF,  0xF0DAC7,  clNone,   clNone,   0xC7B29F, false},
        {tsOffice2010Silver,   0xFFFFFF,  0xEDE5E0,  clNone,   clNone,   0xD2CDC8, false},
        {tsOffice2010Black,    0xBFBFBF,  0x919191,  clNone,   clNone,   0x6D6D6D, false},
    };
    // clang-format on
    for (const TRow& row : kRows) {
        if (row.style != style) continue;
        FFill->SetColor(row.color);
        FFill->SetColorTo(row.colorTo);
        FFill->SetColorMirror(row.mirror);
        FFill->SetColorMirrorTo(row.mirrorTo);
        FFill->SetBorderColor(row.border);
        if (row.mirrorVertical) FFill->SetGradientMirrorType(gtVertical);
        return;
    }
}

}  // namespace dsp

// The splash screen's progress bar: its settings and drawing, and the animated control.

#include <algorithm>
#include <cmath>

#include "framework/runtime/Timer.h"
#include "widgets/styled/AdvSmoothSplashScreen.h"
#include "widgets/styled/GDIPPictureContainer.h"
#include "widgets/styled/UserFormat.h"

namespace dsp {

namespace {

constexpr std::uint32_t kProgressBarVersion = 0x01000100;  // 1.0.1.0
constexpr const char* kDefaultValueFormat = "%.0f%%";
constexpr double kSettled = 0.000001;

REAL F(double v) { return static_cast<REAL>(v); }

// A linear gradient across r (widened by one pixel on every side, so that the first and last
// rows or columns take the end colours fully), filled into r.
void FillGradientStrip(TGPGraphics* g, const TGPRectF& r, ARGB from, ARGB to,
                       LinearGradientMode mode) {
    if (r.Width <= 0 || r.Height <= 0) return;
    TGPLinearGradientBrush brush(MakeGPRectF(r.X - 1, r.Y - 1, r.Width + 2, r.Height + 2), from, to,
                                 mode);
    g->FillRectangle(&brush, r);
}

}  // namespace

// ================================================================ settings

TGDIPSplashProgress::TGDIPSplashProgress()
    : FBackGroundFill(std::make_unique<TGDIPFill>()),
      FProgressFill(std::make_unique<TGDIPFill>()),
      FFont(std::make_unique<TFont>()),
      FProgressFont(std::make_unique<TFont>()) {
    auto changed = [this](TObject*) { Changed(); };
    FBackGroundFill->OnChange = changed;
    FProgressFill->OnChange = changed;
    FFont->OnChange = changed;
    FProgressFont->OnChange = changed;
}

TGDIPSplashProgress::~TGDIPSplashProgress() = default;

void TGDIPSplashProgress::Changed() {
    if (OnChange) OnChange(this);
}

void TGDIPSplashProgress::SetBackGroundFill(TGDIPFill* v) {
    if (v == nullptr || v == FBackGroundFill.get()) return;
    FBackGroundFill->Assign(v);
    Changed();
}

void TGDIPSplashProgress::SetProgressFill(TGDIPFill* v) {
    if (v == nullptr || v == FProgressFill.get()) return;
    FProgressFill->Assign(v);
    Changed();
}

void TGDIPSplashProgress::SetFont(TFont* v) {
    if (v == nullptr || v == FFont.get()) return;
    FFont->Assign(v);
    Changed();
}

void TGDIPSplashProgress::SetProgressFont(TFont* v) {
    if (v == nullptr || v == FProgressFont.get()) return;
    FProgressFont->Assign(v);
    Changed();
}

void TGDIPSplashProgress::SetVisible(bool v) {
    FVisible = v;
    Changed();
}

void TGDIPSplashProgress::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TGDIPSplashProgress*>(source);
    if (other == nullptr || other == this) return;
    const TNotifyEvent onChange = std::move(OnChange);
    OnChange = nullptr;
    FBackGroundFill->Assign(other->FBackGroundFill.get());
    FProgressFill->Assign(other->FProgressFill.get());
    FValueFormat = other->FValueFormat;
    FValueType = other->FValueType;
    FValuePositionTop = other->FValuePositionTop;
    FValuePositionLeft = other->FValuePositionLeft;
    FValuePosition = other->FValuePosition;
    FValueVisible = other->FValueVisible;
    FFont->Assign(other->FFont.get());
    FProgressFont->Assign(other->FProgressFont.get());
    FVisible = other->FVisible;
    FHeight = other->FHeight;
    FWidth = other->FWidth;
    FLeft = other->FLeft;
    FTop = other->FTop;
    FStep = other->FStep;
    FMinimum = other->FMinimum;
    FMaximum = other->FMaximum;
    FPosition = other->FPosition;
    FGlowAnimation = other->FGlowAnimation;
    FProgressAnimation = other->FProgressAnimation;
    OnChange = onChange;
    Changed();
}

TGPRectF TGDIPSplashProgress::GetInsideRectF(const TRect& r) {
    TRect inner = Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1);
    if (FBackGroundFill->BorderColor() != clNone) {
        const int w = FBackGroundFill->BorderWidth();
        const int b = w == 1 ? 1 : (w + 1) / 2;
        inner = Rect(inner.Left + b, inner.Top + b, inner.Right - b, inner.Bottom - b);
    }
    return MakeGPRectF(F(inner.Left), F(inner.Top), F(inner.Width()), F(inner.Height()));
}

TGPRectF TGDIPSplashProgress::CalculateProgressRectangle(const TRect& r, double min, double max,
                                                         double pos) {
    const TGPRectF inner = GetInsideRectF(r);
    const int b = FProgressFill->BorderColor() != clNone && FProgressFill->BorderWidth() != 0
                      ? FProgressFill->BorderWidth()
                      : 0;
    const double span = inner.Width - b;
    double width = 0;
    if (max - min > 0) width = std::min(span, (pos - min) / (max - min) * span);
    // A position below the range leaves the done part empty rather than reaching backwards.
    width = std::max(width, 0.0);
    if (b > 0) {
        return MakeGPRectF(F(inner.X + b / 2.0), F(inner.Y + b / 2.0), F(width),
                           F(inner.Height - b));
    }
    return MakeGPRectF(inner.X, inner.Y, F(width), inner.Height);
}

void TGDIPSplashProgress::DrawEdgeShading(TGPGraphics* g, const TGPRectF& r) {
    const REAL strip = std::min<REAL>(10, r.Width);
    FillGradientStrip(g, MakeGPRectF(r.X, r.Y, strip, r.Height), ComposeArgb(30, 0, 0, 0),
                      ComposeArgb(0, 0, 0, 0), LinearGradientModeHorizontal);
    FillGradientStrip(g, MakeGPRectF(r.X + r.Width - strip, r.Y, strip, r.Height),
                      ComposeArgb(0, 0, 0, 0), ComposeArgb(30, 0, 0, 0),
                      LinearGradientModeHorizontal);
}

void TGDIPSplashProgress::DrawShine(TGPGraphics* g, const TGPRectF& r) {
    const REAL top = F(r.Height / 2.5);
    FillGradientStrip(g, MakeGPRectF(r.X, r.Y, r.Width, top), ComposeArgb(180, 255, 255, 255),
                      ComposeArgb(0, 255, 255, 255), LinearGradientModeVertical);
    const REAL bottom = F(r.Height / 5.0);
    FillGradientStrip(g, MakeGPRectF(r.X, r.Y + r.Height - bottom, r.Width, bottom),
                      ComposeArgb(0, 255, 255, 255), ComposeArgb(255, 255, 255, 255),
                      LinearGradientModeVertical);
}

std::string TGDIPSplashProgress::ValueText(double min, double max, double position) const {
    const double pos = std::clamp(position, std::min(min, max), std::max(min, max));
    double value = pos;
    if (FValueType == vtPercentage) value = min < max ? (pos - min) / (max - min) * 100 : max;
    if (auto text = TryUserFormat(FValueFormat, value)) return *text;
    return *TryUserFormat(kDefaultValueFormat, value);
}

void TGDIPSplashProgress::DrawValue(TGPGraphics* g, const TRect& r, const TGPRectF& done,
                                    double min, double max, double position) {
    const std::string text = ValueText(min, max, position);
    const TGPRectF inner = GetInsideRectF(r);
    std::unique_ptr<TGPFont> measureFont(g->MakeFont(FFont.get()));
    TGPRectF box;
    g->MeasureString(text, static_cast<INT>(text.size()), measureFont.get(), inner, box);
    const double tw = box.Width;
    const double th = box.Height;
    double top = (inner.Height - th) / 2;
    double x = 0;
    switch (FValuePosition) {
        case vpProgressCenter:
            x = done.Width >= tw ? done.X + (done.Width - tw) / 2 : done.X;
            break;
        case vpProgressRight: x = done.Width >= tw ? done.X + done.Width - tw : done.X; break;
        case vpCenter: x = r.Left + (inner.Width - tw) / 2; break;
        case vpLeft: x = inner.X; break;
        case vpRight: x = r.Left + inner.Width - tw; break;
        case vpCustom:
            x = r.Left + FValuePositionLeft;
            top = FValuePositionTop;
            break;
    }
    TFont* font = done.X + done.Width > x + tw / 2 ? FProgressFont.get() : FFont.get();
    std::unique_ptr<TGPFont> drawFont(g->MakeFont(font));
    TGPSolidBrush brush(ColorToArgb(font->Color()));
    g->DrawString(text, static_cast<INT>(text.size()), drawFont.get(),
                  MakeGPPointF(F(x), F(r.Top + top)), &brush);
}

void TGDIPSplashProgress::Draw(TGPGraphics* g, const TRect& r, double min, double max,
                               double position) {
    if (g == nullptr) return;
    FBackGroundFill->Fill(g, MakeGPRectF(F(r.Left), F(r.Top), F(r.Width() - 1), F(r.Height() - 1)));
    const TGPRectF done = CalculateProgressRectangle(r, min, max, position);
    if (done.Width > 0) {
        FProgressFill->Fill(g, done);
        DrawEdgeShading(g, done);
    }
    const TGPRectF inner = GetInsideRectF(r);
    DrawEdgeShading(g, inner);
    if (FValueVisible) DrawValue(g, r, done, min, max, position);
    DrawShine(g, inner);
}

// ================================================================ the control

TAdvSplashProgressBar::TAdvSplashProgressBar(TComponent* owner)
    : TGraphicControl(owner), FAppearance(std::make_unique<TGDIPSplashProgress>()) {
    FAnimationTimer = new TTimer(this);
    FAnimationTimer->SetInterval(10);
    FAnimationTimer->SetOnTimer([this](TObject*) { AnimationTick(); });
    FAppearance->OnChange = [this](TObject*) { ApplyAppearance(); };
    TComponent* ownerComponent = Owner();
    if (ComponentState().Contains(csDesigning) &&
        (ownerComponent == nullptr || !(ownerComponent->ComponentState().Contains(csReading) ||
                                        ownerComponent->ComponentState().Contains(csLoading)))) {
        FDesignTime = true;
        SetComponentStyle(tsOffice2007Luna);
    }
    SetBounds(Left(), Top(), 150, 17);
}

TAdvSplashProgressBar::~TAdvSplashProgressBar() { FAppearance->OnChange = nullptr; }

std::string TAdvSplashProgressBar::Version() const { return VersionText(kProgressBarVersion); }

bool TAdvSplashProgressBar::AnimationActive() const {
    return FProgressAnimation && !ComponentState().Contains(csDesigning) &&
           !ComponentState().Contains(csLoading);
}

bool TAdvSplashProgressBar::GlowActive() const {
    return FGlowAnimation && !ComponentState().Contains(csDesigning) &&
           !ComponentState().Contains(csLoading);
}

void TAdvSplashProgressBar::SetPosition(double value) {
    FPosition = std::clamp(value, std::min(FMinimum, FMaximum), std::max(FMinimum, FMaximum));
    if (AnimationActive()) {
        FPositionTo = FPosition;
        return;
    }
    FPositionTo = FPosition;
    FPositionTemp = FPosition;
    if (OnPositionChanged) OnPositionChanged(this, FPosition);
    Invalidate();
}

void TAdvSplashProgressBar::SetMinimum(double value) {
    if (FMinimum == value) return;
    FMinimum = value;
    if (value > FPosition) {
        FPositionTo = value;
        if (!AnimationActive()) FPosition = FPositionTemp = value;
    }
    Invalidate();
}

void TAdvSplashProgressBar::SetMaximum(double value) {
    if (FMaximum == value) return;
    FMaximum = value;
    if (value < FPosition) {
        FPositionTo = value;
        if (!AnimationActive()) FPosition = FPositionTemp = value;
    }
    Invalidate();
}

void TAdvSplashProgressBar::SetStep(double value) {
    if (FStep == value) return;
    FStep = value;
    Invalidate();
}

void TAdvSplashProgressBar::SetGlowAnimation(bool value) {
    if (FGlowAnimation == value) return;
    FGlowAnimation = value;
    Invalidate();
}

void TAdvSplashProgressBar::SetProgressAnimation(bool value) {
    if (FProgressAnimation == value) return;
    FProgressAnimation = value;
    Invalidate();
    if (!value) SetPosition(FPosition);
}

void TAdvSplashProgressBar::SetAppearance(TGDIPSplashProgress* value) {
    if (value == nullptr || value == FAppearance.get()) return;
    FAppearance->Assign(value);
    ApplyAppearance();
}

void TAdvSplashProgressBar::ApplyAppearance() {
    const TGDIPSplashProgress& a = *FAppearance;
    SetBounds(a.Left(), a.Top(), a.Width(), a.Height());
    SetVisible(a.Visible());
    SetStep(a.Step());
    SetMinimum(a.Minimum());
    SetMaximum(a.Maximum());
    SetPosition(a.Position());
    SetGlowAnimation(a.GlowAnimation());
    SetProgressAnimation(a.ProgressAnimation());
    Invalidate();
}

void TAdvSplashProgressBar::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TAdvSplashProgressBar*>(source);
    if (other == nullptr) {
        TGraphicControl::Assign(source);
        return;
    }
    FStep = other->FStep;
    FMinimum = other->FMinimum;
    FMaximum = other->FMaximum;
    FPosition = other->FPosition;
    FGlowAnimation = other->FGlowAnimation;
    FProgressAnimation = other->FProgressAnimation;
    FAppearance->Assign(other->FAppearance.get());
    Invalidate();
}

bool TAdvSplashProgressBar::AnimationInProgress() const {
    return AnimationActive() && std::abs(FPositionTemp - FPositionTo) >= 0.001;
}

void TAdvSplashProgressBar::AnimationTick() {
    if (AnimationActive()) {
        const double step = std::abs(FPositionTo - FPositionTemp) / 15;
        if (std::abs(FPositionTemp - FPositionTo) < kSettled) {
            FPositionTemp = FPosition = FPositionTo;
        } else {
            const double move = std::max(step, kSettled);
            FPositionTemp += FPositionTemp < FPositionTo ? move : -move;
            FPosition = FPositionTemp;
            Invalidate();
        }
        if (OnPositionChanged) OnPositionChanged(this, FPosition);
    }
    if (FPosition > FMinimum && GlowActive()) {
        if (FGlowCount >= 1500) FGlowPos += 3;
        const TGPRectF done = FAppearance->CalculateProgressRectangle(
            Rect(0, 0, Width(), Height()), FMinimum, FMaximum, FPosition);
        if (done.Width >= FGlowPos) {
            FGlowCount += 10;
        } else {
            FGlowCount = 0;
            FGlowPos = -40;
        }
        Invalidate();
    }
}

void TAdvSplashProgressBar::Paint() {
    TGPGraphics g(Canvas());
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    FRect = Rect(0, 0, Width(), Height());
    FAppearance->Draw(&g, FRect, FMinimum, FMaximum, FPosition);
    if (!GlowActive() || FPosition <= 0) return;
    const TGPRectF done =
        FAppearance->CalculateProgressRectangle(FRect, FMinimum, FMaximum, FPosition);
    const TGPRectF inner = FAppearance->GetInsideRectF(FRect);
    TGPRegion clip(done);
    g.SetClip(&clip);
    FillGradientStrip(&g, MakeGPRectF(F(FGlowPos - 30), inner.Y, 30, inner.Height),
                      ComposeArgb(0, 255, 255, 255), ComposeArgb(120, 255, 255, 255),
                      LinearGradientModeHorizontal);
    FillGradientStrip(&g, MakeGPRectF(F(FGlowPos), inner.Y, 30, inner.Height),
                      ComposeArgb(120, 255, 255, 255), ComposeArgb(0, 255, 255, 255),
                      LinearGradientModeHorizontal);
    g.ResetClip();
}

void TAdvSplashProgressBar::Resize() {
    TGraphicControl::Resize();
    Invalidate();
}

void TAdvSplashProgressBar::SetComponentStyle(TTMSStyle style) {
    struct TRow {
        TTMSStyle style;
        TColor back;
        TColor backTo;
        TColor backBorder;
        TColor color;
        TColor colorTo;
        TColor mirror;
        TColor mirrorTo;
        TColor border;
    };
    // clang-format off
    static const TRow kRows[] = {
        {tsOffice2003Blue,     0xFFD2AF, 0xFFD2AF, 0xC0C0C0, 0xFCE1CB, 0xE0A57D, clNone,   clNone,   0x962D00},
        {tsOffice2003Silver,   0xE6D8D8, 0xE6D8D8, 0xC0C0C0, 0xECE2E1, 0xB39698, clNone,   clNone,   0x947C7C},
        {tsOffice2003Olive,    0xCFF0EA, 0xCFF0EA, 0xC0C0C0, 0xCFF0EA, 0x8CC0B1, clNone,   clNone,   0x588060},
        {tsOffice2003Classic,  0xF2F2F2, 0xF2F2F2, 0xC0C0C0, 0xFFFFFF, 0xC9D1D5, clNone,   clNone,   0x808080},
        {tsOffice2007Luna,     0xFFD2AF, 0xFFD2AF, 0xC0C0C0, 0xFFEFE3, 0xFFDDC4, 0xFFD1AD, 0xFFDBC0, 0xFFD1AD},
        {tsOffice2007Obsidian, 0xC5BBB4, 0xC5BBB4, 0xC0C0C0, 0xF2F1F0, 0xC9C2BD, 0xC9C2BD, 0xCFC6C1, 0x5C534C},
        {tsWindowsXP,          0xE0E0E0, 0xE0E0E0, 0xC0C0C0, 0xC1F1C1, 0x22B922, clNone,   clNone,   0x808080},
        {tsWhidbey,            0xEBEEEF, 0xEBEEEF, 0xC0C0C0, 0xFFFFFF, 0xD9E9EC, clNone,   clNone,   0x828F92},
        {tsOffice2007Silver,   0xF4F4EE, 0xF4F4EE, 0xC0C0C0, 0xF8F7F6, 0xE8E0DB, 0xE8E0DB, 0xF4F4EE, 0x74706F},
        {tsWindowsVista,       0xFDF8F1, 0xFDF8F1, 0xC0C0C0, 0xFEF9F0, 0xFDEFD5, clNone,   clNone,   0xFDDE99},
        {tsWindows7,           0xFCEBDC, 0xFCEBDC, 0xC0C0C0, 0xFDFBFA, 0xFDF3EB, clNone,   clNone,   0xCEA27D},
        {tsTerminal,           0xC0C0C0, 0xC0C0C0, 0x808080, 0xFFFFFF, 0xFFFFFF, clNone,   clNone,   0x808080},
        {tsOffice2010Blue,     0xFDF6EF, 0xFDF6EF, 0xC0C0C0, 0xFFFFFF, 0xF0DAC7, clNone,   clNone,   0xC7B29F},
        {tsOffice2010Silver,   0xFFFFFF, 0xFFFFFF, 0xC0C0C0, 0xFFFFFF, 0xEDE5E0, clNone,   clNone,   0xD2CDC8},
        {tsOffice2010Black,    0xBFBFBF, 0xBFBFBF, 0x808080, 0xD7D7D7, 0x919191, clNone,   clNone,   0x6D6D6D},
    };
    // clang-format on
    for (const TRow& row : kRows) {
        if (row.style != style) continue;
        TGDIPFill* back = FAppearance->BackGroundFill();
        back->SetColor(row.back);
        back->SetColorTo(row.backTo);
        back->SetBorderColor(row.backBorder);
        TGDIPFill* done = FAppearance->ProgressFill();
        done->SetColor(row.color);
        done->SetColorTo(row.colorTo);
        done->SetColorMirror(row.mirror);
        done->SetColorMirrorTo(row.mirrorTo);
        done->SetBorderColor(row.border);
        done->SetGradientMirrorType(gtVertical);
        return;
    }
}

}  // namespace dsp

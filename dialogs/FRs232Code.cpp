#include "dialogs/FRs232Code.h"

#include <cmath>
#include <string>

#include "dialogs/FRs232CodeDoc.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/ScrollingWinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/TextMetrics.h"
#include "widgets/styled/AdvOfficeImage.h"
#include "widgets/styled/RTFLabel.h"

namespace dsp {

TfmRs232Code* fmRs232Code = nullptr;
TfmRs232CodeEnglish* fmRs232CodeEnglish = nullptr;

namespace {

constexpr int kNarrowWidth = 750;
constexpr int kDpi = 96;

// The height of a line of a font as the rich-text label lays it out at 96 dpi.
int MeasuredLineHeight(const TRs232Font& font) {
    TBitmap surface;
    surface.SetSize(8, 8);
    TCanvas& canvas = *surface.Canvas();
    canvas.Font()->SetName(font.face);
    canvas.Font()->SetHeight(-static_cast<int>(std::nearbyint(font.halfPoints * kDpi / 144.0)));
    canvas.Font()->SetStyle(font.bold ? TFontStyles{fsBold} : TFontStyles{});
    const TTextMetric metrics = GetTextMetrics(canvas);
    return metrics.tmAscent + metrics.tmDescent;
}

}  // namespace

TRs232CodeViewer::TRs232CodeViewer(TComponent* owner, const char* name,
                                   const TRs232Document& document)
    : TForm(owner) {
    TFormBuilder build(*this);
    SetName(name);
    SetCaption(document.caption);
    SetBorderStyle(bsSizeable);
    SetPosition(poDesktopCenter);
    SetColor(clWhite);
    SetKeyPreview(true);
    SetAutoScroll(true);
    VertScrollBar()->SetIncrement(kScrollStep);
    SetBounds(Left(), Top(), document.designWidth, document.designHeight);
    RTFLabel = build.Add<TRTFLabel>("RTFLabel", this, kRs232ColumnLeft, kRs232TextTop,
                                    kRs232ColumnWidth, kRs232TextHeight);
    RTFLabel->SetTransparent(true);
    RTFLabel->SetWordWrap(false);
    RTFLabel->SetRichText(Rs232RichText(document, MeasuredLineHeight));
    for (int i = 0; i < kRs232Pictures; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const std::string number = std::to_string(i + 1);
        TAdvOfficeImage* image = build.Add<TAdvOfficeImage>(
            "AdvOfficeImage" + number, this, kRs232ColumnLeft, document.pictureTops[k],
            kRs232ColumnWidth, kRs232PictureHeights[k]);
        image->Picture()->LoadFromResourceName(document.picturePrefix + number);
        AdvOfficeImage[k] = image;
    }
    build.Handle(OnResize, this, &TRs232CodeViewer::FormResize);
    build.Handle(OnKeyDown, this, &TRs232CodeViewer::FormKeyDown);
    build.Handle(OnMouseWheelUp, this, &TRs232CodeViewer::FormMouseWheelUp);
    build.Handle(OnMouseWheelDown, this, &TRs232CodeViewer::FormMouseWheelDown);
    build.Handle(OnClose, this, &TRs232CodeViewer::FormClose);
    build.Handle(OnShow, this, &TRs232CodeViewer::FormShow);
    build.Finish();
}

TRs232CodeViewer::~TRs232CodeViewer() = default;

int TRs232CodeViewer::ColumnLeft(int outerWidth) {
    if (outerWidth < kNarrowWidth) return kRs232ColumnLeft;
    return (outerWidth - kNarrowWidth) / 2 + kRs232ColumnLeft;
}

void TRs232CodeViewer::FormResize(TObject*) {
    const int left = ColumnLeft(Width());
    RTFLabel->SetLeft(left);
    for (TAdvOfficeImage* image : AdvOfficeImage) image->SetLeft(left);
}

void TRs232CodeViewer::ScrollVertically(int delta) {
    VertScrollBar()->SetPosition(VertScrollBar()->Position() + delta);
}

void TRs232CodeViewer::ScrollHorizontally(int delta) {
    HorzScrollBar()->SetPosition(HorzScrollBar()->Position() + delta);
}

void TRs232CodeViewer::FormKeyDown(TObject*, TKeyCode& key, TShiftState) {
    switch (key) {
        case VK_PRIOR: ScrollVertically(-Height()); break;
        case VK_NEXT: ScrollVertically(Height()); break;
        case VK_UP: ScrollVertically(-kScrollStep); break;
        case VK_DOWN: ScrollVertically(kScrollStep); break;
        case VK_LEFT: ScrollHorizontally(-kScrollStep); break;
        case VK_RIGHT: ScrollHorizontally(kScrollStep); break;
        default: break;
    }
}

void TRs232CodeViewer::FormMouseWheelUp(TObject*, TShiftState, TPoint, bool& handled) {
    ScrollVertically(-kScrollStep);
    handled = true;
}

void TRs232CodeViewer::FormMouseWheelDown(TObject*, TShiftState, TPoint, bool& handled) {
    ScrollVertically(kScrollStep);
    handled = true;
}

void TRs232CodeViewer::FormClose(TObject*, TCloseAction&) {
    SetHeight(kClosedHeight);
    SetWidth(kClosedWidth);
    SetWindowState(wsNormal);
}

void TRs232CodeViewer::FormShow(TObject*) {}

TfmRs232Code::TfmRs232Code(TComponent* owner)
    : TRs232CodeViewer(owner, "fmRs232Code", Rs232ChineseDocument()) {}

TfmRs232CodeEnglish::TfmRs232CodeEnglish(TComponent* owner)
    : TRs232CodeViewer(owner, "fmRs232CodeEnglish", Rs232EnglishDocument()) {}

}  // namespace dsp

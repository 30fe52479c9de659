#include "mainwindow/FMainLayoutKit.h"

#include "components/LMyFFTDrawPhase.h"
#include "components/LProgressBar.h"
#include "framework/controls/Button.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Shape.h"
#include "framework/controls/UpDown.h"
#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "plot/engine/TransferPlotSetup.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/panels/RzPanel.h"
#include "widgets/panels/VrButtons.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"
#include "widgets/styled/GDIPicture.h"

namespace dsp::mainlayout {

namespace {

void SetFont(TFont& font, int height, TColor colour, bool bold) {
    font.SetName(kFontName);
    font.SetHeight(-height);
    font.SetColor(colour);
    font.SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
}

}  // namespace

TRzGroupBox* Area(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                  int top, int width, int height) {
    auto* area = build.Add<TRzGroupBox>(name, parent, left, top, width, height);
    area->SetGroupStyle(gsCustom);
    area->SetTransparent(true);
    area->SetCaption("");
    area->SetBorderOuter(fsNone);
    return area;
}

TLabel* Label(TFormBuilder& build, const std::string& name, TWinControl* parent, int left, int top,
              int width, int height, const std::string& caption, TTextLook look,
              TAlignment alignment) {
    auto* label = build.Add<TLabel>(name, parent, left, top, width, height);
    label->SetAutoSize(false);
    label->SetTransparent(true);
    label->SetAlignment(alignment);
    label->SetLayout(tlCenter);
    label->SetParentFont(false);
    switch (look) {
        case TTextLook::Text: SetFont(*label->Font(), 11, kTextColour, false); break;
        case TTextLook::Heading: SetFont(*label->Font(), 11, kHeadingColour, true); break;
        case TTextLook::Title: SetFont(*label->Font(), 13, clWhite, true); break;
        case TTextLook::Channel: SetFont(*label->Font(), 13, clLime, true); break;
        case TTextLook::Scale: SetFont(*label->Font(), 9, kDimColour, false); break;
        case TTextLook::Key: SetFont(*label->Font(), 11, kDimColour, false); break;
    }
    label->SetCaption(caption);
    return label;
}

TAdvTrackBar* Fader(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                    int top, int height, int min, int max, int pageSize, int tag) {
    auto* fader = build.Create<TAdvTrackBar>(name);
    fader->SetOrientation(trVertical);
    Place(fader, parent, left, top, 26, height);
    fader->SetMin(min);
    fader->SetMax(max);
    fader->SetPageSize(pageSize);
    fader->SetTag(tag);
    fader->SetTransparent(true);
    fader->Slider()->SetSize(3);
    fader->Slider()->SetColor(clWhite);
    fader->Slider()->SetColorTo(clBlack);
    fader->Slider()->SetBorderColor(clGray);
    fader->TickMark()->SetStyle(tsNone);
    TGDIPPicture thumb;
    thumb.LoadFromResourceName("FADER_THUMB");
    fader->Thumb()->SetPicture(&thumb);
    thumb.LoadFromResourceName("FADER_THUMB_HOT");
    fader->Thumb()->SetPictureHot(&thumb);
    thumb.LoadFromResourceName("FADER_THUMB_DOWN");
    fader->Thumb()->SetPictureDown(&thumb);
    return fader;
}

TCurvyEdit* ValueBox(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                     int top, int width, const std::string& text, bool readOnly, int tag) {
    auto* box = build.Add<TCurvyEdit>(name, parent, left, top, width, 24);
    box->SetRounding(6);
    box->SetBorderColor(clHighlightText);
    box->SetColor(readOnly ? static_cast<TColor>(0xFFFFDF) : clWhite);
    box->SetAlignment(taCenter);
    box->SetAutoSelect(false);
    box->SetHideSelection(false);
    box->SetReadOnly(readOnly);
    box->SetParentFont(false);
    SetFont(*box->Font(), 11, clBlack, false);
    box->SetShowHint(true);
    box->SetTag(tag);
    box->SetText(text);
    return box;
}

TRzBmpButton* Button(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                     int top, int width, int height, const std::string& caption, const char* strip,
                     int groupIndex, bool allowAllUp, int tag) {
    auto* button = build.Add<TRzBmpButton>(name, parent, left, top, width, height);
    button->Bitmaps()->SetTransparentColor(clTeal);
    TBitmap pictures;
    pictures.LoadFromResourceName(HInstance, strip);
    button->Bitmaps()->AssignStrip(pictures, 4);
    button->SetButtonSize(bszStretchToButton);
    button->SetShowFocus(false);
    button->SetGroupIndex(groupIndex);
    button->SetAllowAllUp(allowAllUp);
    button->SetParentFont(false);
    SetFont(*button->Font(), 11, clWhite, true);
    button->SetCaption(caption);
    button->SetTag(tag);
    return button;
}

TRzComboBox* SlopeBox(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                      int top, int width, int tag) {
    static const char* const kSlopes[] = {"BW -6",  "BL -6",  "BW -12", "BL -12", "LK -12",
                                          "BW -18", "BL -18", "BW -24", "BL -24", "LK -24",
                                          "BW -30", "BL -30", "BW -36", "BL -36", "LK -36",
                                          "BW -42", "BL -42", "BW -48", "BL -48", "LK -48"};
    auto* box = build.Add<TRzComboBox>(name, parent, left, top, width, 21);
    box->SetParentFont(false);
    SetFont(*box->Font(), 11, clBlack, false);
    for (const char* slope : kSlopes) box->Add(slope);
    box->SetItemIndex(19);
    box->SetTag(tag);
    return box;
}

LProgressBar* Meter(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                    int top, int height, TMeterKind kind) {
    auto* meter = build.Add<LProgressBar>(name, parent, left, top, 14, height);
    meter->SetColor(clBlack);
    meter->SetBevelInner(bvNone);
    const bool bare = kind == TMeterKind::GateLevel || kind == TMeterKind::CompLevel;
    meter->SetBevelOuter(bare ? bvNone : bvLowered);
    switch (kind) {
        case TMeterKind::Input:
        case TMeterKind::GateLevel:
            meter->SetFirstNum(1);
            meter->SetSecondNum(2);
            meter->SetThirdNum(6);
            meter->SetMax(9);
            break;
        case TMeterKind::Output:
        case TMeterKind::CompLevel:
            meter->SetFirstNum(1);
            meter->SetSecondNum(3);
            meter->SetThirdNum(4);
            meter->SetMax(8);
            break;
        case TMeterKind::Limit:
            meter->SetFirstNum(0);
            meter->SetSecondNum(1);
            meter->SetThirdNum(0);
            meter->SetMax(1);
            meter->SetSecondColor(static_cast<TColor>(RGB(155, 78, 0)));
            meter->SetLSecondColor(static_cast<TColor>(RGB(255, 151, 70)));
            break;
    }
    meter->SetMin(0);
    return meter;
}

TVrPowerButton* Lamp(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                     int top, int width, int height, const std::string& caption, TColor colour,
                     bool active, int tag) {
    auto* lamp = build.Add<TVrPowerButton>(name, parent, left, top, width, height);
    lamp->SetColor(clBlack);
    lamp->SetBevelWidth(0);
    lamp->SetOutlineWidth(0);
    lamp->SetLedWidth(10);
    lamp->SetLedHeight(10);
    lamp->Palette()->SetLow(static_cast<TColor>(RGB(70, 74, 40)));
    lamp->Palette()->SetHigh(clYellow);
    lamp->SetParentFont(false);
    SetFont(*lamp->Font(), 11, colour, false);
    lamp->SetCaption(caption);
    lamp->SetActive(active);
    lamp->SetTag(tag);
    return lamp;
}

TVrDemoButton* PushButton(TFormBuilder& build, const std::string& name, TWinControl* parent,
                          int left, int top, int width, int height, const std::string& caption,
                          int tag) {
    auto* button = build.Add<TVrDemoButton>(name, parent, left, top, width, height);
    button->SetColor(clBlack);
    button->SetBevelWidth(1);
    for (TFont* font : {button->FontEnter(), button->FontLeave()}) {
        SetFont(*font, 11, kTextColour, false);
    }
    button->FontEnter()->SetColor(clWhite);
    button->SetCaption(caption);
    button->SetTag(tag);
    return button;
}

TImage* Picture(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                int top, int width, int height, const char* resource, bool stretch,
                bool transparent) {
    auto* image = build.Add<TImage>(name, parent, left, top, width, height);
    image->Picture()->LoadFromResourceName(HInstance, resource);
    image->SetStretch(stretch);
    image->SetTransparent(transparent);
    return image;
}

LMyFFTDrawPhase* ResponseView(TFormBuilder& build, const std::string& name, TWinControl* parent,
                              int left, int top, int width, int tag) {
    auto* view = build.Add<LMyFFTDrawPhase>(name, parent, left, top, width, 255);
    view->SetColor(clBlack);
    view->SetAxisColor(static_cast<TColor>(35840));
    view->SetYAutoScale(false);
    view->SetXAutoScale(false);
    view->SetYLabelScale(1);
    view->SetYMax(18);
    view->SetYMin(-18);
    view->SetXMax(3840);
    view->SetXMin(966);
    view->SetYLabelPrecision(5);
    view->SetVertTickLength(0);
    view->SetHorzTickLength(0);
    view->SetNumVertGrid(10);
    view->SetNumHorzGrid(11);
    view->SetGridColor(static_cast<TColor>(18432));
    view->SetShowXTitle(false);
    view->SetShowYTitle(false);
    view->SetShowPlotTitle(false);
    view->SetXTitle("Frequency ");
    view->SetYTitle("dB");
    view->SetYLabel("dB");
    view->SetPlotTitle("Frequency Response");
    TFont font;
    SetFont(font, 11, clLime, false);
    view->SetPlotTitleFont(&font);
    view->SetAxisTitleFont(&font);
    view->SetMouseCoordFont(&font);
    font.SetColor(clActiveBorder);
    view->SetAxisLabelFont(&font);
    view->SetFFTNuimber(n4096);
    view->SetSampleRate(n96000);
    view->SetTag(tag);
    view->ResizePaintPage();
    return view;
}

TiXYPlot* TransferPlot(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                       int top, int width, int height) {
    auto* plot = build.Add<TiXYPlot>(name, parent, left, top, width, height);
    ConfigureTransferPlot(*plot);
    return plot;
}

TUpDown* Stepper(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                 int top, int min, int max, int tag) {
    auto* stepper = build.Add<TUpDown>(name, parent, left, top, 16, 24);
    stepper->SetMin(min);
    stepper->SetMax(max);
    stepper->SetPosition(min);
    stepper->SetTag(tag);
    return stepper;
}

TRadioButton* Switch(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                     int top, int width, const std::string& caption, TColor colour, int tag) {
    auto* button = build.Add<TRadioButton>(name, parent, left, top, width, 18);
    button->SetParentFont(false);
    button->SetColor(clBlack);
    SetFont(*button->Font(), 11, colour, false);
    button->SetCaption(caption);
    button->SetTag(tag);
    return button;
}

TShape* Block(TFormBuilder& build, const std::string& name, TWinControl* parent, int left, int top,
              int width, int height, TColor colour) {
    auto* shape = build.Add<TShape>(name, parent, left, top, width, height);
    shape->SetShape(stRoundRect);
    shape->Brush()->SetColor(colour);
    shape->Pen()->SetColor(kBezelColour);
    return shape;
}

TPanel* Bezel(TFormBuilder& build, const std::string& name, TWinControl* parent, int left, int top,
              int width, int height) {
    auto* panel = build.Add<TPanel>(name, parent, left, top, width, height);
    panel->SetBevelOuter(bvLowered);
    panel->SetBevelInner(bvNone);
    panel->SetColor(clBlack);
    panel->SetParentBackground(false);
    panel->SetShowCaption(false);
    panel->SetCaption("");
    return panel;
}

}  // namespace dsp::mainlayout

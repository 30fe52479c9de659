// Renders a form with every panel and button widget, for people to look at (not a test):
//   panels_render_samples <folder>      writes <folder>/panels_samples.png and, twice the
//                                       size, panels_samples_x2.png

#include <cstdio>
#include <string>

#include "framework/controls/Form.h"
#include "framework/core/Resources.h"
#include "framework/graphics/PngImage.h"
#include "tests/framework/controls/SampleProgram.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzButton.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/panels/RzLabel.h"
#include "widgets/panels/RzPanel.h"
#include "widgets/panels/VrButtons.h"

namespace dsp {
namespace {

template <typename T>
T* Add(TForm& form, TWinControl* parent, int left, int top, int width, int height) {
    auto* control = new T(&form);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

void Save(const TBitmap& bitmap, const std::string& path) {
    TPngImage png;
    png.Assign(const_cast<TBitmap*>(&bitmap));
    png.SaveToFile(path);
}

const char* const kSlopes[] = {"BW -6",  "BL -6",  "BW -12", "BL -12", "LK -12", "BW -18", "BL -18",
                               "BW -24", "BL -24", "LK -24", "BW -30", "BL -30", "BW -36", "BL -36",
                               "LK -36", "BW -42", "BL -42", "BW -48", "BL -48", "LK -48"};

TRzGroupBox* Section(TForm& form, int left, int top, int width, int height,
                     const std::string& caption) {
    auto* box = Add<TRzGroupBox>(form, &form, left, top, width, height);
    box->SetGroupStyle(gsTopLine);
    box->SetCaption(caption);
    return box;
}

void Panels(TForm& form) {
    TRzGroupBox* box = Section(form, 8, 8, 420, 150, "Panels: frames, fills and grid");
    struct Look {
        const char* caption;
        TFrameStyleEx outer;
        TFrameStyleEx inner;
    };
    const Look looks[] = {{"Raised", fsRaised, fsNone},      {"Lowered", fsLowered, fsNone},
                          {"Groove", fsGroove, fsNone},      {"Bump", fsBump, fsNone},
                          {"Button", fsButtonUp, fsLowered}, {"Status", fsStatus, fsNone},
                          {"Flat bold", fsFlatBold, fsNone}, {"Rounded", fsFlatRounded, fsNone}};
    for (int i = 0; i < 8; ++i) {
        auto* p = Add<TRzPanel>(form, box, 8 + (i % 4) * 102, 22 + (i / 4) * 40, 94, 32);
        p->SetBorderOuter(looks[i].outer);
        p->SetBorderInner(looks[i].inner);
        p->SetCaption(looks[i].caption);
        if (looks[i].outer == fsFlatRounded) p->SetColor(clWhite);
    }
    auto* gradient = Add<TRzPanel>(form, box, 8, 104, 196, 38);
    gradient->SetBorderOuter(fsFlat);
    gradient->SetVisualStyle(vsGradient);
    gradient->SetGradientColorStyle(gcsCustom);
    gradient->SetGradientColorStart(clWhite);
    gradient->SetGradientColorStop(static_cast<TColor>(RGB(120, 150, 200)));
    gradient->SetGradientDirection(gdVerticalCenter);
    gradient->SetCaption("Gradient");
    auto* grid = Add<TRzPanel>(form, box, 212, 104, 196, 38);
    grid->SetBorderOuter(fsLowered);
    grid->SetColor(clWhite);
    grid->SetShowGrid(true);
    grid->SetGridStyle(gsDottedLines);
    grid->SetCaption("Grid");
    grid->SetAlignment(taLeftJustify);
    grid->SetTextMargin(6);
}

void GroupBoxes(TForm& form) {
    TRzGroupBox* box = Section(form, 436, 8, 276, 150, "Group boxes");
    auto* standard = Add<TRzGroupBox>(form, box, 8, 20, 126, 58);
    standard->SetGroupStyle(gsStandard);
    standard->SetCaption("Standard");
    auto* flat = Add<TRzGroupBox>(form, box, 142, 20, 126, 58);
    flat->SetGroupStyle(gsFlat);
    flat->SetCaption("Flat");
    auto* banner = Add<TRzGroupBox>(form, box, 8, 84, 126, 58);
    banner->SetGroupStyle(gsBanner);
    banner->SetCaption("Banner");
    auto* underline = Add<TRzGroupBox>(form, box, 142, 84, 126, 58);
    underline->SetGroupStyle(gsUnderline);
    underline->SetCaption("Underline");
}

void Labels(TForm& form) {
    TRzGroupBox* box = Section(form, 8, 164, 420, 120, "Labels");
    struct Style {
        const char* caption;
        TTextStyle style;
    };
    const Style styles[] = {
        {"Normal", tsNormal}, {"Raised", tsRaised}, {"Recessed", tsRecessed}, {"Shadow", tsShadow}};
    for (int i = 0; i < 4; ++i) {
        auto* label = Add<TRzLabel>(form, box, 8 + i * 80, 22, 76, 20);
        label->SetAutoSize(false);
        label->Font()->SetName("Arial");
        label->Font()->SetHeight(-15);
        label->Font()->SetStyle({fsBold});
        label->SetTextStyle(styles[i].style);
        label->SetCaption(styles[i].caption);
        label->SetTransparent(true);
    }
    auto* framed = Add<TRzLabel>(form, box, 8, 52, 10, 10);
    framed->SetBorderOuter(fsFlat);
    framed->SetBorderWidth(2);
    framed->SetBorderColor(clWhite);
    framed->SetTransparent(false);
    framed->SetColor(clWhite);
    framed->SetCaption("Framed, auto-sized");
    auto* table = Add<TRzLabel>(form, box, 8, 84, 150, 20);
    table->SetAutoSize(false);
    table->SetAlignment(taCenter);
    table->SetTransparent(true);
    table->SetCaption("1.00KHz   Q 1.41   +3.5dB");
    auto* up = Add<TRzLabel>(form, box, 330, 18, 22, 94);
    up->SetAutoSize(false);
    up->SetAngle(90);
    up->SetAlignment(taCenter);
    up->SetTransparent(true);
    up->SetCaption("Turned 90");
    auto* curved = Add<TRzLabel>(form, box, 176, 50, 140, 66);
    curved->SetAutoSize(false);
    curved->SetRotation(roCurve);
    curved->SetCenterPoint(cpLowerCenter);
    curved->SetAngle(80);
    curved->Font()->SetName("Arial");
    curved->Font()->SetHeight(-12);
    curved->SetTransparent(true);
    curved->SetCaption("Along a curve");
    auto* blink = Add<TRzLabel>(form, box, 364, 22, 50, 20);
    blink->SetCaption("Blink");
    blink->SetTransparent(true);
    blink->SetBlinkColor(clRed);
}

void Combos(TForm& form) {
    TRzGroupBox* box = Section(form, 436, 164, 276, 120, "Combo boxes");
    auto* slope = Add<TRzComboBox>(form, box, 8, 24, 60, 22);
    slope->SetColor(0x00FFFFDF);
    slope->SetFlatButtons(true);
    slope->SetParentFont(false);
    slope->Font()->SetName("Arial");
    slope->Font()->SetHeight(-11);
    slope->Font()->SetColor(clBlack);
    for (const char* s : kSlopes) slope->Add(s);
    slope->SetItemIndex(19);
    auto* hot = Add<TRzComboBox>(form, box, 76, 24, 60, 22);
    hot->SetColor(0x00FFFFDF);
    hot->SetFlatButtons(true);
    hot->SetParentFont(false);
    hot->Font()->Assign(slope->Font());
    for (const char* s : kSlopes) hot->Add(s);
    hot->SetItemIndex(4);
    hot->Perform(CM_MOUSEENTER);
    auto* list = Add<TRzComboBox>(form, box, 144, 24, 124, 22);
    list->SetStyle(csDropDownList);
    for (const char* s : {"Peak", "Low shelf", "High shelf", "Allpass"}) list->Add(s);
    list->SetItemIndex(0);
    auto* framed = Add<TRzComboBox>(form, box, 8, 58, 128, 22);
    framed->SetFrameVisible(true);
    framed->SetFrameStyle(fsFlat);
    framed->SetFrameColor(clBtnShadow);
    framed->SetFlatButtons(true);
    framed->SetText("Flat frame");
    auto* readOnly = Add<TRzComboBox>(form, box, 144, 58, 124, 22);
    readOnly->SetReadOnly(true);
    readOnly->Add("Read-only");
    readOnly->SetItemIndex(0);
}

void Buttons(TForm& form) {
    TRzGroupBox* box = Section(form, 8, 290, 420, 84, "Push, shape and bitmap buttons");
    auto* plain = Add<TRzButton>(form, box, 8, 22, 75, 25);
    plain->SetCaption("OK");
    plain->SetDefault(true);
    plain->SetName("btnOk");
    auto* bypass = Add<TRzButton>(form, box, 90, 22, 79, 25);
    bypass->SetThemeAware(false);
    bypass->SetColor(static_cast<TColor>(RGB(255, 160, 160)));
    bypass->SetCaption("Bypass");
    for (int i = 0; i < 2; ++i) {
        auto* group = Add<TRzButton>(form, box, 176 + i * 42, 22, 40, 25);
        group->SetGroupIndex(1);
        group->SetCaption(i == 0 ? "A" : "B");
        if (i == 0) group->SetDown(true);
    }
    auto* knob = Add<TRzShapeButton>(form, box, 264, 18, 10, 10);
    TBitmap picture;
    picture.LoadFromResourceName(HInstance, "SHP_KNOB");
    knob->SetBitmap(&picture);

    TBitmap mute;
    mute.LoadFromResourceName(HInstance, "BTN_MUTE");
    TBitmap link;
    link.LoadFromResourceName(HInstance, "BTN_LINK");
    for (int i = 0; i < 3; ++i) {
        auto* b = Add<TRzBmpButton>(form, box, 8 + i * 54, 54, 10, 10);
        b->Bitmaps()->SetTransparentColor(clTeal);
        b->Bitmaps()->AssignStrip(mute, 4);
        b->SetGroupIndex(2);
        b->SetAllowAllUp(true);
        if (i == 1) b->SetDown(true);
        if (i == 2) b->Perform(CM_MOUSEENTER);
    }
    for (int i = 0; i < 2; ++i) {
        auto* b = Add<TRzBmpButton>(form, box, 176 + i * 46, 54, 10, 10);
        b->Bitmaps()->SetTransparentColor(clOlive);
        b->Bitmaps()->AssignStrip(link, 4);
        b->SetEnabled(i == 0);
    }
    TBitmap page;
    page.LoadFromResourceName(HInstance, "BTN_PAGE");
    auto* captioned = Add<TRzBmpButton>(form, box, 318, 50, 94, 26);
    captioned->Bitmaps()->SetTransparentColor(clTeal);
    captioned->Bitmaps()->AssignStrip(page, 4);
    captioned->SetButtonSize(bszStretchToButton);
    captioned->SetShowFocus(false);
    captioned->SetCaption("Stretched");
    captioned->Font()->SetColor(static_cast<TColor>(RGB(20, 30, 60)));
}

void ChannelStrip(TForm& form) {
    TRzGroupBox* box = Section(form, 436, 290, 276, 84, "LED and demo buttons");
    auto* strip = Add<TRzPanel>(form, box, 8, 22, 260, 54);
    strip->SetBorderOuter(fsNone);
    strip->SetColor(clBlack);
    const char* names[] = {"InA", "InB", "Out1", "Out2", "Out3"};
    const TColor colours[] = {clYellow, clAqua, clLime, clFuchsia, static_cast<TColor>(0x53A9FF)};
    for (int i = 0; i < 5; ++i) {
        auto* led = Add<TVrPowerButton>(form, strip, 4 + i * 51, 6, 47, 16);
        led->SetColor(clBlack);
        led->SetBevelWidth(0);
        led->SetOutlineWidth(0);
        led->Palette()->SetLow(clOlive);
        led->Palette()->SetHigh(clYellow);
        led->SetParentFont(false);
        led->Font()->SetName("Tahoma");
        led->Font()->SetHeight(-11);
        led->Font()->SetColor(colours[i]);
        led->SetCaption(names[i]);
        led->SetActive(i % 2 == 0);
        led->SetEnabled(i != 4);
    }
    for (int i = 0; i < 3; ++i) {
        auto* demo = Add<TVrDemoButton>(form, strip, 4 + i * 70, 30, 65, 17);
        demo->SetColor(clBlack);
        demo->SetBevelWidth(1);
        for (TFont* f : {demo->FontEnter(), demo->FontLeave()}) {
            f->SetName("Arial");
            f->SetHeight(-11);
            f->SetStyle({});
            f->SetColor(clActiveBorder);
        }
        demo->FontEnter()->SetColor(clWhite);
        demo->SetCaption(i == 0 ? "Reset" : i == 1 ? "Bypass" : "Hover");
        if (i == 2) demo->Perform(CM_MOUSEENTER);
    }
}

void DockSites(TForm& form) {
    TRzGroupBox* box = Section(form, 8, 380, 704, 96, "Dock sites");
    // Two panels that are dock sites, each holding one docked panel under its caption grabber:
    // on top of the control in a free panel, beside it in a panel aligned to the top or bottom.
    struct Site {
        int left;
        TAlign align;
        const char* caption;
    };
    for (const Site& site : {Site{8, alNone, "Levels"}, Site{356, alTop, "Presets"}}) {
        auto* holder = Add<TRzPanel>(form, box, site.left, 22, 340, 66);
        holder->SetBorderOuter(fsNone);
        auto* dock = Add<TRzPanel>(form, holder, 0, 0, 340, 66);
        dock->SetBorderOuter(fsFlat);
        dock->SetDockSite(true);
        dock->SetUseDockManager(true);
        dock->SetAlign(site.align);
        auto* client = Add<TRzPanel>(form, &form, 0, 0, 120, 30);
        client->SetBorderOuter(fsNone);
        client->SetColor(clWhite);
        client->SetCaption(site.caption);
        client->ManualDock(dock);
    }
}

int Run(const std::string& folder) {
    TForm form(nullptr);
    form.SetCaption("Panel and button widgets");
    form.SetClientSize(720, 484);
    form.SetColor(clBtnFace);
    form.AfterConstruction();
    Panels(form);
    GroupBoxes(form);
    Labels(form);
    Combos(form);
    Buttons(form);
    ChannelStrip(form);
    DockSites(form);
    form.Show();
    // The focus on the default button, as a dialog opens.
    if (auto* ok = dynamic_cast<TRzButton*>(form.FindComponent("btnOk"))) ok->SetFocus();
    auto shot = form.RenderToImage();
    Save(*shot, folder + "/panels_samples.png");
    // Twice the size, pixel for pixel, to look at the frames' pixels.
    TBitmap zoom(shot->Width() * 2, shot->Height() * 2);
    zoom.Canvas()->StretchBlt(0, 0, zoom.Width(), zoom.Height(), shot->Canvas(), 0, 0,
                              shot->Width(), shot->Height(), SRCCOPY);
    Save(zoom, folder + "/panels_samples_x2.png");
    std::printf("wrote %s/panels_samples.png and panels_samples_x2.png\n", folder.c_str());
    return 0;
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) { return dsp::test::RunSampleProgram(argc, argv, dsp::Run); }

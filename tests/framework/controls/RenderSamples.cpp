// Renders a small form built of the framework's base controls, for people to look at:
// controls_render_samples <folder> writes form.png (the form painted into a bitmap),
// shown.png (the pixels its native windows show) and docked.png (two dock sites with their
// docked panels and grabbers).

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cstdio>
#include <string>

#include "framework/controls/CustomControl.h"
#include "framework/controls/Docking.h"
#include "framework/controls/Form.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/WindowHost.h"
#include "framework/graphics/PngImage.h"
#include "tests/framework/controls/SampleProgram.h"
#include "tests/framework/controls/SeeThroughControl.h"

namespace dsp {
namespace {

// A raised panel with a caption.
class TSamplePanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        TCanvas* c = Canvas();
        TRect r = ClientRect();
        c->DrawEdge(r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(Font());
        TRect text = r;
        c->DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
};

// Paints a gradient with a grid, as a background for the transparent box.
class TBackdrop : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        TCanvas* c = Canvas();
        c->GradientFill(ClientRect(), clNavy, clAqua, GRADIENT_FILL_RECT_H);
        c->Pen()->SetColor(clWhite);
        for (int x = 0; x < Width(); x += 20) {
            c->MoveTo(x, 0);
            c->LineTo(x, Height());
        }
    }
};

// A frameless box that shows its parent's pixels under a caption.
class TTransparentBox : public test::TSeeThroughControl {
public:
    using TSeeThroughControl::TSeeThroughControl;

protected:
    void Paint() override {
        TCanvas* c = Canvas();
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(clYellow);
        c->Font()->SetStyle({fsBold});
        c->TextOut(6, 6, "Transparent");
        c->Pen()->SetColor(clYellow);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(ClientRect());
    }
};

// A windowless label.
class TSampleLabel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetStyle(bsClear);
        Canvas()->Font()->Assign(Font());
        Canvas()->TextOut(0, 0, Caption());
    }
};

template <typename T>
T* Add(TWinControl* parent, int left, int top, int width, int height) {
    auto* control = new T(parent->Owner() != nullptr ? parent->Owner() : parent);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

int Run(const std::string& folder) {
    TForm form(nullptr);
    form.SetCaption("Controls sample");
    form.SetClientSize(320, 200);
    form.SetColor(clBtnFace);
    form.AfterConstruction();

    auto* header = Add<TSamplePanel>(&form, 0, 0, 10, 32);
    header->SetAlign(alTop);
    header->SetCaption("Raised panel, aligned to the top");
    header->Font()->SetStyle({fsBold});

    auto* backdrop = Add<TBackdrop>(&form, 10, 42, 300, 100);
    auto* box = Add<TTransparentBox>(backdrop, 30, 20, 140, 60);
    box->SetCaption("");
    auto* label = Add<TSampleLabel>(&form, 12, 150, 200, 16);
    label->SetCaption("A windowless label on the form");
    auto* right = Add<TSamplePanel>(&form, 220, 150, 90, 40);
    right->SetCaption("Right");
    right->SetAnchors({akRight, akBottom});

    form.Show();
    form.SetClientSize(340, 210);  // the anchored panel follows the corner

    auto image = form.RenderToImage();
    TPngImage png;
    png.Assign(image.get());
    png.SaveToFile(folder + "/form.png");

    const QImage shown = HostWidget(form)->grab().toImage();
    shown.save(QString::fromStdString(folder + "/shown.png"));

    // Dock sites: one along the top (grabbers at the left of its controls), one at the left
    // (grabbers on top).
    TForm docks(nullptr);
    docks.SetCaption("Dock sites");
    docks.SetClientSize(320, 200);
    docks.SetColor(clAppWorkSpace);
    docks.AfterConstruction();
    auto* top = Add<TSamplePanel>(&docks, 0, 0, 320, 50);
    top->SetAlign(alTop);
    auto* left = Add<TSamplePanel>(&docks, 0, 0, 150, 150);
    left->SetAlign(alLeft);
    for (TWinControl* site : {static_cast<TWinControl*>(top), static_cast<TWinControl*>(left)}) {
        site->SetDockSite(true);
        site->SetUseDockManager(true);
    }
    const char* captions[] = {"Gain", "Delay", "Levels", "Routing"};
    for (int i = 0; i < 4; ++i) {
        auto* panel = Add<TSamplePanel>(&docks, 200, 100, 80, 40);
        panel->SetCaption(captions[i]);
        panel->ManualDock(i < 2 ? top : left);
    }
    docks.Show();
    auto docked = docks.RenderToImage();
    png.Assign(docked.get());
    png.SaveToFile(folder + "/docked.png");
    std::printf("wrote %s/form.png, shown.png and docked.png\n", folder.c_str());
    return 0;
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) { return dsp::test::RunSampleProgram(argc, argv, dsp::Run); }

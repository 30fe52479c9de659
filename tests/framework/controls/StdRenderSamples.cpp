// Renders a form with every standard control, for people to look at:
// stdcontrols_render_samples <folder> writes controls.png (the form painted into a bitmap),
// frame.png (the form's window with its menu bar, as shown) and dropped.png (a combo box's
// dropped list).

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cstdio>
#include <string>

#include "framework/controls/BitBtn.h"
#include "framework/controls/Button.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/ComboPopup.h"
#include "framework/controls/Edit.h"
#include "framework/controls/FormMenu.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/Shape.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/TreeView.h"
#include "framework/controls/UpDown.h"
#include "framework/controls/ValueListEditor.h"
#include "framework/controls/WindowHost.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/PngImage.h"
#include "tests/framework/controls/SampleProgram.h"

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

int Run(const std::string& folder) {
    TForm form(nullptr);
    form.SetCaption("Standard controls");
    form.SetClientSize(640, 514);
    form.SetColor(clBtnFace);
    form.AfterConstruction();

    auto* menu = new TMainMenu(&form);
    for (const char* caption : {"&File", "&Edit", "&Language", "&Help"}) {
        auto* item = new TMenuItem(&form);
        item->SetCaption(caption);
        auto* sub = new TMenuItem(&form);
        sub->SetCaption("&Open...");
        sub->SetShortCut(scCtrl | 'O');
        item->Add(sub);
        menu->Items()->Add(item);
    }
    SetFormMenu(form, menu);
    form.SetClientSize(640, 514);  // again: the menu bar took its height from the client area

    // Column 1: labels, edits, combo boxes, buttons.
    auto* label = Add<TLabel>(form, &form, 10, 8, 0, 0);
    label->SetCaption("&Name (label with accelerator):");
    auto* edit = Add<TEdit>(form, &form, 10, 26, 150, 21);
    edit->SetText("Default Preset");
    label->SetFocusControl(edit);
    auto* password = Add<TEdit>(form, &form, 10, 52, 70, 21);
    password->SetPasswordChar(u'*');
    password->SetText("7305");
    password->SetAlignment(taCenter);
    auto* hint = Add<TEdit>(form, &form, 85, 52, 75, 21);
    hint->SetTextHint("hint");
    auto* combo = Add<TComboBox>(form, &form, 10, 80, 100, 21);
    combo->Items()->SetCommaText("\"BW -6\",\"BL -6\",\"BW -12\",\"BL -12\",\"LK -12\"");
    combo->SetItemIndex(2);
    auto* list = Add<TComboBox>(form, &form, 115, 80, 75, 21);
    list->SetStyle(csDropDownList);
    list->Items()->SetCommaText("Peak,\"Low Shelf\",\"High Shelf\"");
    list->SetItemIndex(0);
    auto* ratio = Add<TEdit>(form, &form, 10, 108, 50, 21);
    auto* updown = Add<TUpDown>(form, &form, 0, 0, 17, 21);
    updown->SetMax(15);
    updown->SetAssociate(ratio);
    updown->SetPosition(4);
    auto* check = Add<TCheckBox>(form, &form, 90, 110, 100, 17);
    check->SetCaption("Check box");
    check->SetChecked(true);
    auto* radio1 = Add<TRadioButton>(form, &form, 10, 136, 60, 17);
    radio1->SetCaption("Mag");
    radio1->SetChecked(true);
    auto* radio2 = Add<TRadioButton>(form, &form, 75, 136, 70, 17);
    radio2->SetCaption("Phase");
    auto* ok = Add<TBitBtn>(form, &form, 10, 160, 75, 25);
    ok->SetKind(bkOK);
    auto* cancel = Add<TBitBtn>(form, &form, 90, 160, 75, 25);
    cancel->SetKind(bkCancel);
    auto* button = Add<TButton>(form, &form, 10, 192, 75, 25);
    button->SetCaption("Button");
    auto* disabled = Add<TButton>(form, &form, 90, 192, 75, 25);
    disabled->SetCaption("Disabled");
    disabled->SetEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto* speed = Add<TSpeedButton>(form, &form, 10 + 25 * i, 224, 23, 22);
        speed->SetGroupIndex(1);
        speed->SetCaption(std::to_string(i + 1));
        if (i == 1) speed->SetDown(true);
    }
    auto* flat = Add<TSpeedButton>(form, &form, 90, 224, 40, 22);
    flat->SetFlat(true);
    flat->SetCaption("Flat");

    // Column 2: panels, group boxes, shapes, image, paint box.
    auto* panel = Add<TPanel>(form, &form, 200, 8, 210, 100);
    panel->SetColor(0x898989);
    panel->SetBevelInner(bvLowered);
    panel->SetBorderWidth(2);
    panel->SetCaption("");
    auto* clear = Add<TGroupBox>(form, panel, 10, 8, 110, 80);
    clear->SetCaption("Transparent");
    clear->SetParentBackground(true);
    auto* filled = Add<TGroupBox>(form, panel, 125, 8, 75, 80);
    filled->SetCaption("Filled");
    auto* shape1 = Add<TShape>(form, &form, 200, 115, 40, 30);
    shape1->Brush()->SetColor(clLime);
    auto* shape2 = Add<TShape>(form, &form, 245, 115, 40, 30);
    shape2->SetShape(stCircle);
    shape2->Brush()->SetColor(clYellow);
    auto* shape3 = Add<TShape>(form, &form, 290, 115, 40, 30);
    shape3->SetShape(stRoundRect);
    shape3->Brush()->SetColor(clAqua);
    auto* image = Add<TImage>(form, &form, 340, 115, 70, 30);
    image->SetStretch(true);
    {
        TBitmap picture(8, 4);
        picture.Canvas()->GradientFill(Rect(0, 0, 8, 4), clRed, clBlue, GRADIENT_FILL_RECT_H);
        image->Picture()->SetGraphic(&picture);
    }
    auto* paint = Add<TPaintBox>(form, &form, 200, 150, 210, 40);
    paint->OnPaint = [paint](TObject*) {
        TCanvas* c = paint->Canvas();
        c->Brush()->SetColor(clBlack);
        c->FillRect(paint->ClientRect());
        c->Pen()->SetColor(clLime);
        c->MoveTo(0, 30);
        for (int x = 0; x < 210; x += 10) c->LineTo(x, 20 + (x / 10 % 2 ? -12 : 12));
    };
    auto* right = Add<TLabel>(form, &form, 200, 194, 210, 16);
    right->SetAutoSize(false);
    right->SetAlignment(taRightJustify);
    right->SetCaption("right-justified label");

    // Column 3: list box, memo, tree view.
    auto* listBox = Add<TListBox>(form, &form, 420, 8, 100, 100);
    for (int i = 1; i <= 12; ++i) listBox->Items()->Add("USB W 00 10 02 " + std::to_string(i));
    listBox->SetItemIndex(3);
    auto* memo = Add<TMemo>(form, &form, 525, 8, 105, 100);
    memo->SetScrollBars(ssVertical);
    memo->SetText("Memo\r\nwith a line long enough to wrap at the edge\r\nand more");
    auto* tree = Add<TTreeView>(form, &form, 420, 115, 210, 100);
    TTreeNode* root = tree->Items()->Add(nullptr, "Plot");
    TTreeNode* axes = tree->Items()->AddChild(root, "Axes");
    tree->Items()->AddChild(axes, "X axis");
    tree->Items()->AddChild(axes, "Y axis");
    tree->Items()->AddChild(root, "Channels");
    tree->Items()->Add(root, "Legend");
    tree->FullExpand();
    tree->SetSelected(axes);

    // Bottom: page control with a value-list grid, scroll box.
    auto* pages = Add<TPageControl>(form, &form, 10, 252, 400, 210);
    for (const char* caption : {"Presets", "Scroll box", "Empty"}) {
        auto* sheet = new TTabSheet(&form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    auto* grid = Add<TValueListEditor>(form, pages->Pages(0), 4, 4, 220, 150);
    grid->TitleCaptions()->SetCommaText("Number,Name");
    for (int i = 1; i <= 12; ++i) {
        grid->Strings()->Add((i < 10 ? "     U0" : "     U") + std::to_string(i) +
                             "=  Default Preset");
    }
    grid->SetColWidths(0, 69);
    grid->SetColWidths(1, 126);
    grid->Font()->SetStyle({fsBold});
    auto* box = Add<TScrollBox>(form, &form, 420, 222, 210, 240);
    auto* inside = Add<TLabel>(form, box, 10, 10, 0, 0);
    inside->SetCaption("Scroll box content");
    Add<TEdit>(form, box, 10, 300, 100, 21)->SetText("far down");

    // Progress bars and a status bar with panels.
    auto* blocks = Add<TProgressBar>(form, &form, 10, 468, 190, 18);
    blocks->SetMax(16);
    blocks->SetPosition(9);
    auto* smooth = Add<TProgressBar>(form, &form, 210, 468, 200, 18);
    smooth->SetSmooth(true);
    smooth->SetPosition(35);
    auto* status = Add<TStatusBar>(form, &form, 0, 0, 640, 19);
    for (const char* text : {"Online", "USB", "Preset U01: Default Preset"}) {
        TStatusPanel* item = status->Panels()->Add();
        item->SetText(text);
        item->SetWidth(90);
    }
    status->Panels()->Items(1)->SetAlignment(taCenter);

    form.Show();
    edit->SetFocus();
    auto shot = form.RenderToImage();
    Save(*shot, folder + "/controls.png");

    QWidget* host = HostWidget(form);
    if (host != nullptr && host->parentWidget() != nullptr) {
        host->parentWidget()->grab().toImage().save(QString::fromStdString(folder + "/frame.png"));
    }
    list->SetDroppedDown(true);
    if (TComboPopup* popup = list->Popup(kFrameworkKey)) {
        popup->grab().toImage().save(QString::fromStdString(folder + "/dropped.png"));
    }
    list->SetDroppedDown(false);
    std::printf("wrote %s/controls.png, frame.png and dropped.png\n", folder.c_str());
    return 0;
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) { return dsp::test::RunSampleProgram(argc, argv, dsp::Run); }

// Panels, group boxes, labels, images, shapes and paint boxes, rendered and sampled.

#include <gtest/gtest.h>

#include <QEvent>

#include "framework/controls/Edit.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Image.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/Label.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Shape.h"
#include "framework/graphics/Bitmap.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;

const TColorRef kRed = RGB(255, 0, 0);
const TColorRef kBlue = RGB(0, 0, 255);

TEST(StdPanels, ATransparentGroupBoxShowsThePanelsPixels) {
    auto form = MakeForm(300, 200);
    auto* panel = Place(new TPanel(form.get()), form.get(), 10, 10, 250, 150);
    panel->SetColor(clRed);
    auto* box = Place(new TGroupBox(form.get()), panel, 20, 20, 150, 100);
    box->SetCaption("Gate");
    box->SetParentBackground(true);
    auto* solid = Place(new TGroupBox(form.get()), panel, 180, 20, 60, 100);
    solid->SetColor(clBlue);
    form->Show();
    auto image = form->RenderToImage();
    // Inside the transparent box, where only its background shows: the panel's red.
    EXPECT_EQ(image->PixelAt(10 + 20 + 70, 10 + 20 + 60), kRed);
    EXPECT_EQ(image->PixelAt(10 + 20 + 140, 10 + 20 + 90), kRed);
    // Its etched frame on the left side.
    EXPECT_EQ(image->PixelAt(10 + 20, 10 + 20 + 60), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(image->PixelAt(10 + 20 + 1, 10 + 20 + 60), GetSysColor(COLOR_BTNHIGHLIGHT));
    // The other box fills itself with its colour.
    EXPECT_EQ(image->PixelAt(10 + 180 + 30, 10 + 20 + 60), kBlue);
}

TEST(StdPanels, BevelsBorderWidthAndTheClientArea) {
    auto form = MakeForm(200, 100);
    auto* panel = Place(new TPanel(form.get()), form.get(), 0, 0, 100, 60);
    panel->SetBorderWidth(2);
    panel->SetBevelInner(bvLowered);
    panel->SetColor(clRed);
    auto* child = Place(new TPanel(form.get()), panel, 0, 0, 10, 10);
    child->SetAlign(alClient);
    form->Show();
    // Raised outer bevel (1), two rings of colour, lowered inner bevel (1).
    EXPECT_EQ(child->BoundsRect(), Rect(4, 4, 96, 56));
    auto image = form->RenderToImage();
    EXPECT_EQ(image->PixelAt(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(image->PixelAt(99, 59), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(image->PixelAt(1, 30), kRed);
    EXPECT_EQ(image->PixelAt(3, 30), GetSysColor(COLOR_BTNSHADOW));
}

TEST(StdLabels, AutoSizeKeepsTheRightEdgeOfARightJustifiedLabel) {
    auto form = MakeForm(300, 100);
    auto* label = Place(new TLabel(form.get()), form.get(), 100, 10, 50, 20);
    label->SetCaption("Threshold");
    const int width = label->Width();
    const int height = label->Height();
    EXPECT_GT(width, 30);
    EXPECT_GT(height, 10);
    EXPECT_LT(height, 20);
    label->SetAlignment(taRightJustify);
    const int right = label->Left() + label->Width();
    label->SetCaption("Th");
    EXPECT_LT(label->Width(), width);
    EXPECT_EQ(label->Left() + label->Width(), right);
    label->SetCaption("");
    EXPECT_EQ(label->Height(), height) << "an empty caption keeps one line";
    label->SetAutoSize(false);
    label->SetCaption("A much longer caption");
    EXPECT_EQ(label->Height(), height);
    EXPECT_LT(label->Width(), width);
}

TEST(StdLabels, AWrappedLabelGrowsDownwardsWithinItsWidth) {
    auto form = MakeForm(300, 100);
    auto* label = Place(new TLabel(form.get()), form.get(), 10, 10, 60, 20);
    label->SetCaption("Hid Data");
    const int oneLine = label->Height();
    label->SetWordWrap(true);
    label->SetBounds(10, 10, 60, 20);
    label->SetCaption("one two three four five six");
    EXPECT_LE(label->Width(), 60);
    EXPECT_GE(label->Height(), 3 * oneLine);
}

TEST(StdLabels, TransparencyLayoutAndTheAcceleratorCharacter) {
    auto form = MakeForm(300, 100, clRed);
    auto* label = Place(new TLabel(form.get()), form.get(), 10, 10, 80, 40);
    label->SetAutoSize(false);
    label->SetColor(clBlue);
    label->SetCaption("&Name");
    label->SetLayout(tlBottom);
    auto* edit = Place(new TEdit(form.get()), form.get(), 100, 10, 80, 21);
    auto* other = Place(new TEdit(form.get()), form.get(), 100, 40, 80, 21);
    label->SetFocusControl(edit);
    form->Show();
    other->SetFocus();
    auto image = form->RenderToImage();
    EXPECT_EQ(image->PixelAt(12, 12), kBlue) << "an opaque label fills with its colour";
    label->SetTransparent(true);
    image = form->RenderToImage();
    EXPECT_EQ(image->PixelAt(12, 12), kRed);
    // With the layout at the bottom the text sits in the lowest rows.
    int firstInk = -1;
    for (int y = 10; y < 50 && firstInk < 0; ++y)
        for (int x = 10; x < 90; ++x)
            if (image->PixelAt(x, y) != kRed) {
                firstInk = y;
                break;
            }
    EXPECT_GE(firstInk, 50 - 13);
    test::SendKey(*other, Qt::Key_N, "n", Qt::AltModifier);
    EXPECT_TRUE(edit->Focused());
    delete edit;
    EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST(StdImages, CentreStretchAndTransparency) {
    auto form = MakeForm(200, 100, clRed);
    auto* image = Place(new TImage(form.get()), form.get(), 0, 0, 40, 40);
    TBitmap picture(10, 10);
    picture.Canvas()->Brush()->SetColor(clBlue);
    picture.Canvas()->FillRect(Rect(0, 0, 10, 10));
    picture.Canvas()->SetPixels(0, 9, clLime);  // the bottom-left pixel: the transparent colour
    image->Picture()->SetGraphic(&picture);
    form->Show();
    auto shot = form->RenderToImage();
    EXPECT_EQ(shot->PixelAt(5, 5), kBlue);
    EXPECT_EQ(shot->PixelAt(15, 15), kRed) << "the parent shows where the picture is not";
    image->SetCenter(true);
    shot = form->RenderToImage();
    EXPECT_EQ(shot->PixelAt(5, 5), kRed);
    EXPECT_EQ(shot->PixelAt(20, 20), kBlue);
    image->SetStretch(true);
    shot = form->RenderToImage();
    EXPECT_EQ(shot->PixelAt(38, 2), kBlue);
    EXPECT_EQ(shot->PixelAt(1, 38), RGB(0, 255, 0));
    image->SetTransparent(true);
    shot = form->RenderToImage();
    EXPECT_EQ(shot->PixelAt(1, 38), kRed);
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 10);
}

TEST(StdShapes, CirclesSitCentredAndOutlinesStayInside) {
    auto form = MakeForm(200, 100, clWhite);
    auto* shape = Place(new TShape(form.get()), form.get(), 0, 0, 60, 20);
    shape->Brush()->SetColor(clBlue);
    shape->Pen()->SetWidth(3);
    form->Show();
    auto shot = form->RenderToImage();
    EXPECT_EQ(shot->PixelAt(0, 0), 0u) << "the outline starts at the edge";
    EXPECT_EQ(shot->PixelAt(59, 19), 0u) << "and ends at the far edge";
    EXPECT_EQ(shot->PixelAt(30, 10), kBlue);
    shape->SetShape(stCircle);
    shape->Pen()->SetWidth(1);
    shot = form->RenderToImage();
    EXPECT_EQ(shot->PixelAt(5, 10), RGB(255, 255, 255)) << "a circle takes the smaller side";
    EXPECT_EQ(shot->PixelAt(30, 10), kBlue);
}

TEST(StdPaintBoxes, OnPaintDrawsAndOutsideDrawingShowsAtOnce) {
    auto form = MakeForm(200, 100, clWhite);
    auto* box = Place(new TPaintBox(form.get()), form.get(), 10, 10, 50, 50);
    int paints = 0;
    box->OnPaint = [&](TObject*) {
        ++paints;
        box->Canvas()->Brush()->SetColor(clRed);
        box->Canvas()->FillRect(Rect(0, 0, 10, 10));
    };
    test::ShowAndPaint(*form);
    EXPECT_GE(paints, 1);
    box->Canvas()->Brush()->SetColor(clBlue);
    box->Canvas()->FillRect(Rect(20, 20, 30, 30));
    EXPECT_EQ(test::ShownPixel(*form, 35, 35), kBlue);
    EXPECT_EQ(test::ShownPixel(*form, 15, 15), kRed);
}

}  // namespace
}  // namespace dsp

#include "plot/decor/iPlotPreview.h"

#include <algorithm>
#include <memory>

#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/desktop/Metafile.h"
#include "framework/graphics/Picture.h"
#include "framework/text/Numbers.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotToolBar.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

TiPlotPreviewForm* iPlotPreviewForm = nullptr;

namespace {

int Nearest(double value) { return static_cast<int>(Round(value)); }

// The print button's picture: a printer with a sheet coming out, on the teal the button leaves
// out.
std::unique_ptr<TBitmap> PrinterGlyph() {
    auto glyph = std::make_unique<TBitmap>(24, 24);
    TCanvas& c = *glyph->Canvas();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clTeal);
    c.FillRect({0, 0, 24, 24});
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetColor(clWhite);
    c.Rectangle(7, 2, 17, 10);  // the sheet waiting
    c.Brush()->SetColor(clSilver);
    c.Rectangle(2, 9, 22, 18);  // the body
    c.Brush()->SetColor(clGray);
    c.Rectangle(4, 15, 20, 17);  // the slot
    c.Brush()->SetColor(clWhite);
    c.Rectangle(6, 16, 18, 22);  // the printed sheet
    c.Pen()->SetColor(clGray);
    c.MoveTo(8, 18);
    c.LineTo(16, 18);
    c.MoveTo(8, 20);
    c.LineTo(14, 20);
    c.SetPixels(19, 11, clLime);  // the power light
    glyph->SetTransparentColor(clTeal);
    return glyph;
}

}  // namespace

int PreviewPaperCode(int printSize) {
    switch (printSize) {
        case 1: return DMPAPER_LEGAL;
        case 2: return DMPAPER_A3;
        case 3: return DMPAPER_A4;
        case 4: return DMPAPER_A5;
        default: return DMPAPER_LETTER;
    }
}

TiPreviewPage CalcPreviewPage(int width, int height, int printSize, TPrinterOrientation orientation,
                              double marginLeft, double marginTop, double marginRight,
                              double marginBottom, int pictureWidth, int pictureHeight) {
    TiPreviewPage p;
    double paperWidth = 0;
    double paperHeight = 0;
    GetPaperSizeInches(PreviewPaperCode(printSize), paperWidth, paperHeight);
    if (orientation == poLandscape) std::swap(paperWidth, paperHeight);
    const int roomWidth = width - 20;
    const int roomHeight = height - 20;
    if (roomHeight / paperHeight > roomWidth / paperWidth) {
        p.pageWidth = roomWidth;
        p.pageHeight = Nearest(roomWidth / paperWidth * paperHeight);
    } else {
        p.pageHeight = roomHeight;
        p.pageWidth = Nearest(roomHeight / paperHeight * paperWidth);
    }
    p.pixelsPerInch = Nearest(p.pageWidth / paperWidth);
    const int ppi = p.pixelsPerInch;
    p.printableWidth = p.pageWidth - Nearest((marginLeft + marginRight) * ppi);
    p.printableHeight = p.pageHeight - Nearest((marginTop + marginBottom) * ppi);
    p.page = {width / 2 - p.pageWidth / 2 - 5, height / 2 - p.pageHeight / 2 - 5,
              width / 2 + p.pageWidth / 2 - 5, height / 2 + p.pageHeight / 2 - 5};

    int pictureW = 0;
    int pictureH = 0;
    if (pictureWidth > 0 && pictureHeight > 0) {
        const double r = static_cast<double>(p.printableWidth) / pictureWidth;
        if (r >= static_cast<double>(p.printableHeight) / pictureHeight) {
            pictureH = p.printableHeight;
            pictureW =
                Nearest(static_cast<double>(pictureWidth) * p.printableHeight / pictureHeight);
        } else {
            pictureW = p.printableWidth;
            pictureH = Nearest(pictureHeight * r);
        }
    }
    const int left = p.page.Left + Nearest(ppi * marginLeft);
    const int top = p.page.Top + Nearest(ppi * marginTop);
    p.picture = {left, top, left + pictureW, top + pictureH};
    return p;
}

// ---- the settings form

TiPlotPreviewSettingsForm::TiPlotPreviewSettingsForm(TComponent* owner)
    : TiCustomEditorForm(owner) {
    SetName("iPlotPreviewSettingsForm");
    SetCaption("Settings");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 419, 237);

    PrinterMarginGroupBox = new TiComponentEditorGroupBox(this);
    PrinterMarginGroupBox->SetName("PrinterMarginGroupBox");
    PrinterMarginGroupBox->SetParent(this);
    PrinterMarginGroupBox->SetCaption("Margin");
    PrinterMarginGroupBox->SetBounds(8, 8, 209, 113);
    const auto edit = [this](TWinControl* parent, const char* name, int left, int top, int width) {
        auto* e = new TiComponentEditorEdit(this);
        e->SetName(name);
        e->SetParent(parent);
        e->SetText("");
        e->SetBounds(left, top, width, 21);
        e->SetTabStop(true);
        return e;
    };
    // A cross: top and bottom in the middle, left and right beside them.
    PrintMarginTopEdit = edit(PrinterMarginGroupBox, "PrintMarginTopEdit", 76, 20, 57);
    PrintMarginLeftEdit = edit(PrinterMarginGroupBox, "PrintMarginLeftEdit", 12, 50, 57);
    PrintMarginRightEdit = edit(PrinterMarginGroupBox, "PrintMarginRightEdit", 140, 50, 57);
    PrintMarginBottomEdit = edit(PrinterMarginGroupBox, "PrintMarginBottomEdit", 76, 80, 57);
    const auto caption = [this](const char* text, int left, int top) {
        auto* label = new TLabel(this);
        label->SetParent(PrinterMarginGroupBox);
        label->SetCaption(text);
        label->SetBounds(left, top, label->Width(), label->Height());
    };
    caption("Top", 48, 23);
    caption("Left", 12, 34);
    caption("Right", 140, 34);
    caption("Bottom", 34, 83);

    PrintOrientationRadioGroup = new TiComponentEditorRadioGroup(this);
    PrintOrientationRadioGroup->SetName("PrintOrientationRadioGroup");
    PrintOrientationRadioGroup->SetParent(this);
    PrintOrientationRadioGroup->SetCaption("Orientation");
    PrintOrientationRadioGroup->Items()->Add("Portrait");
    PrintOrientationRadioGroup->Items()->Add("Landscape");
    PrintOrientationRadioGroup->SetBounds(228, 8, 177, 61);

    auto* nameLabel = new TLabel(this);
    nameLabel->SetParent(this);
    nameLabel->SetCaption("Document Name");
    nameLabel->SetBounds(8, 132, nameLabel->Width(), nameLabel->Height());
    PrintDocumentNameEdit = edit(this, "PrintDocumentNameEdit", 8, 148, 209);

    auto* paperLabel = new TLabel(this);
    paperLabel->SetParent(this);
    paperLabel->SetCaption("Paper Size");
    paperLabel->SetBounds(228, 80, paperLabel->Width(), paperLabel->Height());
    PrintPaperSizeComboBox = new TiComponentEditorComboBox(this);
    PrintPaperSizeComboBox->SetName("PrintPaperSizeComboBox");
    PrintPaperSizeComboBox->SetParent(this);
    PrintPaperSizeComboBox->SetStyle(csDropDownList);
    for (const char* paper : {"Letter", "Legal", "A3", "A4", "A5"}) {
        PrintPaperSizeComboBox->Items()->Add(paper);
    }
    PrintPaperSizeComboBox->SetBounds(228, 96, 177, 21);

    Button1 = new TiComponentEditorButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(this);
    Button1->SetCaption("OK");
    Button1->SetModalResult(mrOk);
    Button1->SetDefault(true);
    Button1->SetBounds(228, 176, 81, 25);
    Button2 = new TiComponentEditorButton(this);
    Button2->SetName("Button2");
    Button2->SetParent(this);
    Button2->SetCaption("Cancel");
    Button2->SetModalResult(mrCancel);
    Button2->SetCancel(true);
    Button2->SetBounds(324, 176, 81, 25);
}

// ---- the preview form

TiPlotPreviewForm::TiPlotPreviewForm(TComponent* owner) : TForm(owner) {
    SetName("iPlotPreviewForm");
    SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 836, 563);

    Panel2 = new TPanel(this);
    Panel2->SetName("Panel2");
    Panel2->SetParent(this);
    Panel2->SetCaption("");
    Panel2->SetBounds(0, 0, ClientWidth(), 41);
    Panel2->SetAlign(alTop);

    PrintButton = new TSpeedButton(this);
    PrintButton->SetName("PrintButton");
    PrintButton->SetParent(Panel2);
    PrintButton->SetBounds(8, 6, 28, 28);
    PrintButton->SetGlyph(PrinterGlyph().get());
    PrintButton->OnClick = [this](TObject* s) { PrintButtonClick(s); };

    SettingsButton = new TiComponentEditorButton(this);
    SettingsButton->SetName("SettingsButton");
    SettingsButton->SetParent(Panel2);
    SettingsButton->SetCaption("Settings");
    SettingsButton->SetBounds(44, 8, 75, 25);
    SettingsButton->OnClick = [this](TObject* s) { SettingsButtonClick(s); };

    CloseButton = new TSpeedButton(this);
    CloseButton->SetName("CloseButton");
    CloseButton->SetParent(Panel2);
    CloseButton->SetCaption("Close");
    CloseButton->SetBounds(127, 6, 75, 28);
    CloseButton->OnClick = [this](TObject* s) { CloseButtonClick(s); };

    Preview = new TiPaintBox(this);
    Preview->SetName("Preview");
    Preview->SetParent(this);
    Preview->SetBounds(0, 41, ClientWidth(), ClientHeight() - 41);
    Preview->SetAlign(alClient);
    Preview->OnPaint = [this](TObject* s) { PreviewPaint(s); };
}

void TiPlotPreviewForm::DrawPage(TCanvas* canvas, int width, int height) {
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect({0, 0, width, height});
    TiPlotComponent* plot = iComponent;
    if (plot == nullptr) return;
    TPicture* snapshot = plot->GetSnapShotPicture();
    TGraphic* picture = snapshot != nullptr ? snapshot->Graphic() : nullptr;
    const TiPreviewPage page = CalcPreviewPage(
        width, height, PrintSize, PrintOrientation, plot->PrintMarginLeft(), plot->PrintMarginTop(),
        plot->PrintMarginRight(), plot->PrintMarginBottom(),
        picture != nullptr ? picture->Width() : 0, picture != nullptr ? picture->Height() : 0);
    const TRect& r = page.page;
    canvas->Brush()->SetColor(clBlack);
    canvas->Rectangle(r.Left + 7, r.Top + 7, r.Right + 7, r.Bottom + 7);
    canvas->Brush()->SetColor(clWhite);
    canvas->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    if (picture == nullptr) return;
    picture->SetSize(page.picture.Right - page.picture.Left,
                     page.picture.Bottom - page.picture.Top);
    canvas->Draw(page.picture.Left, page.picture.Top, picture);
}

void TiPlotPreviewForm::PreviewPaint(TObject*) {
    TiPlotComponent* plot = iComponent;
    const int width = Preview->Width();
    const int height = Preview->Height();
    TBitmap bitmap(std::max(width, 1), std::max(height, 1));
    // The page shows the plot as it prints: without its first toolbar.
    TiPlotToolBar* toolBar =
        plot != nullptr && plot->ToolBarCount() > 0 ? plot->GetToolBar(0) : nullptr;
    const bool toolBarVisible = toolBar != nullptr && toolBar->Visible();
    if (toolBar != nullptr) toolBar->SetVisible(false);
    try {
        if (plot != nullptr && plot->OnBeforePrint) plot->OnBeforePrint(this);
        DrawPage(bitmap.Canvas(), width, height);
        Preview->Canvas()->Draw(0, 0, &bitmap);
    } catch (...) {
        if (toolBar != nullptr) toolBar->SetVisible(toolBarVisible);
        throw;
    }
    if (toolBar != nullptr) toolBar->SetVisible(toolBarVisible);
    if (plot != nullptr && plot->OnAfterPrint) plot->OnAfterPrint(this);
}

void TiPlotPreviewForm::PrintButtonClick(TObject*) {
    if (iComponent != nullptr) iComponent->PrintChart();
    Preview->Invalidate();
}

void TiPlotPreviewForm::CloseButtonClick(TObject*) { SetModalResult(mrOk); }

void TiPlotPreviewForm::DoTranslation() {
    if (iComponent != nullptr) iComponent->Master()->TranslateForm(this);
}

void TiPlotPreviewForm::SettingsButtonClick(TObject*) {
    auto settings = std::make_unique<TiPlotPreviewSettingsForm>(nullptr);
    settings->AfterConstruction();
    settings->PrintMarginLeftEdit->SetAsFloat(PrintMarginLeft);
    settings->PrintMarginTopEdit->SetAsFloat(PrintMarginTop);
    settings->PrintMarginRightEdit->SetAsFloat(PrintMarginRight);
    settings->PrintMarginBottomEdit->SetAsFloat(PrintMarginBottom);
    settings->PrintOrientationRadioGroup->SetAsInteger(static_cast<int>(PrintOrientation));
    settings->PrintDocumentNameEdit->SetAsString(PrintDocumentName);
    settings->PrintPaperSizeComboBox->SetAsInteger(PrintSize);
    TiPlotComponent* plot = iComponent;
    if (plot != nullptr) plot->Master()->TranslateForm(settings.get());
    if (settings->ShowModal() != mrOk) return;
    PrintMarginLeft = settings->PrintMarginLeftEdit->AsFloat();
    PrintMarginTop = settings->PrintMarginTopEdit->AsFloat();
    PrintMarginRight = settings->PrintMarginRightEdit->AsFloat();
    PrintMarginBottom = settings->PrintMarginBottomEdit->AsFloat();
    PrintOrientation =
        settings->PrintOrientationRadioGroup->AsInteger() == 1 ? poLandscape : poPortrait;
    PrintDocumentName = settings->PrintDocumentNameEdit->AsString();
    PrintSize = settings->PrintPaperSizeComboBox->AsInteger();
    if (plot != nullptr) {
        plot->SetPrintMarginLeft(PrintMarginLeft);
        plot->SetPrintMarginTop(PrintMarginTop);
        plot->SetPrintMarginRight(PrintMarginRight);
        plot->SetPrintMarginBottom(PrintMarginBottom);
        plot->SetPrintOrientation(PrintOrientation);
        plot->SetPrintDocumentName(PrintDocumentName);
    }
    SetCaption(PrintDocumentName + " (Preview)");
    Preview->Invalidate();
}

}  // namespace dsp

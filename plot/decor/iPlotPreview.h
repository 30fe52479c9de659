#pragma once
// The print preview of a plot: a white page with a drop shadow on a button-face background and
// the plot's snapshot scaled into the page's printable area, with buttons to print, to change
// the page settings (margins, orientation, document name, paper size) and to close. Settings
// confirmed go to the plot at once, except the paper size, which stays with the preview.

#include <string>

#include "framework/desktop/Printers.h"
#include "plot/decor/iEditorBasicComponents.h"

namespace dsp {

class TiPlotComponent;
class TPanel;
class TSpeedButton;
class TLabel;

// The page drawn in a preview area: its size and place, the pixels per inch of the drawing,
// the printable area and the place and size of the plot's picture on it.
struct TiPreviewPage {
    int pageWidth = 0;
    int pageHeight = 0;
    int pixelsPerInch = 0;
    TRect page{};
    int printableWidth = 0;
    int printableHeight = 0;
    TRect picture{};
};

// The paper code of a preview paper size: 0 Letter, 1 Legal, 2 A3, 3 A4, 4 A5 (else Letter).
int PreviewPaperCode(int printSize);

// The page of that paper (turned for landscape) fitted into an area of width by height with 10
// pixels all round, the margins (inches) taken off, and a picture of pictureWidth by
// pictureHeight fitted into what remains, keeping its proportions.
TiPreviewPage CalcPreviewPage(int width, int height, int printSize, TPrinterOrientation orientation,
                              double marginLeft, double marginTop, double marginRight,
                              double marginBottom, int pictureWidth, int pictureHeight);

class TiPlotPreviewSettingsForm : public TiCustomEditorForm {
public:
    explicit TiPlotPreviewSettingsForm(TComponent* owner);
    TiComponentEditorGroupBox* PrinterMarginGroupBox;
    TiComponentEditorEdit* PrintMarginTopEdit;
    TiComponentEditorEdit* PrintMarginLeftEdit;
    TiComponentEditorEdit* PrintMarginRightEdit;
    TiComponentEditorEdit* PrintMarginBottomEdit;
    TiComponentEditorRadioGroup* PrintOrientationRadioGroup;
    TiComponentEditorEdit* PrintDocumentNameEdit;
    TiComponentEditorComboBox* PrintPaperSizeComboBox;
    TiComponentEditorButton* Button1;
    TiComponentEditorButton* Button2;
};

class TiPlotPreviewForm : public TForm {
public:
    explicit TiPlotPreviewForm(TComponent* owner);

    TPanel* Panel2;
    TSpeedButton* PrintButton;
    TiComponentEditorButton* SettingsButton;
    TSpeedButton* CloseButton;
    TiPaintBox* Preview;

    TiPlotComponent* iComponent = nullptr;
    double PrintMarginLeft = 0;
    double PrintMarginTop = 0;
    double PrintMarginRight = 0;
    double PrintMarginBottom = 0;
    TPrinterOrientation PrintOrientation = poPortrait;
    std::string PrintDocumentName;
    int PrintSize = 0;

    // Draws the page into the Preview box.
    void PreviewPaint(TObject* sender);
    // Draws the page onto a canvas of width by height (what PreviewPaint shows).
    void DrawPage(TCanvas* canvas, int width, int height);
    void PrintButtonClick(TObject* sender);
    void SettingsButtonClick(TObject* sender);
    void CloseButtonClick(TObject* sender);
    // The plot's translation table on the form's texts.
    void DoTranslation();
};

// The preview while one is open.
extern TiPlotPreviewForm* iPlotPreviewForm;

}  // namespace dsp

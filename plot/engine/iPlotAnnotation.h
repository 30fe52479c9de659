#pragma once
// TiPlotAnnotation: a free drawing on the data view (a text, a line, a line across the data
// view, a rectangle, an ellipse, a text in a box, a picture or a polygon) whose position and size
// are, coordinate by coordinate, percentages of the data view or values of a channel's axes, so
// that it stays put on the screen or travels with the data. The user can move it and size it by
// its corner handles when allowed; the plot reports every change through its events.
//
// Annotations travel in annotation files only, not in the plot's form stream.

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TiPlotDataView;
class TiPlotChannelCustom;

enum TiPlotAnnotationStyle {
    ipasText,
    ipasLine,
    ipasRectangle,
    ipasLineX,
    ipasLineY,
    ipasImage,
    ipasTextRectangle,
    ipasEllipse,
    ipasTextBox,
    ipasEllipse2,
    ipasPolygon,
    ipasRectangle2
};
DSP_ENUM_NAMES(TiPlotAnnotationStyle, "ipasText", "ipasLine", "ipasRectangle", "ipasLineX",
               "ipasLineY", "ipasImage", "ipasTextRectangle", "ipasEllipse", "ipasTextBox",
               "ipasEllipse2", "ipasPolygon", "ipasRectangle2")

enum TiPlotAnnotationSelectStyle {
    ipassNone,
    ipassMove,
    ipassSizeTopLeft,
    ipassSizeTopRight,
    ipassSizeBottomLeft,
    ipassSizeBottomRight
};

enum TiAlignmentVertical { iavCenter, iavTop, iavBottom };
DSP_ENUM_NAMES(TiAlignmentVertical, "iavCenter", "iavTop", "iavBottom")

// A vertex of a polygon annotation, in the annotation's position references.
struct TiPlotAnnotationPoint {
    double X = 0;
    double Y = 0;
};

class TiPlotAnnotation : public TiPlotManagerObject {
    DSP_PUBLISHED(TiPlotAnnotation, TiPlotManagerObject) {
        using C = TiPlotAnnotation;
        using P = Published<TiPlotAnnotation>;
        return {
            P::Property("Style", &C::FStyle, &C::SetStyle).Default(ipasText),
            P::Property("Reference", &C::FReference, &C::SetReference).Default(iprtDataView),
            P::Property("ReferencePositionX", &C::FReferencePositionX, &C::SetReferencePositionX)
                .Default(ipriAuto),
            P::Property("ReferencePositionY", &C::FReferencePositionY, &C::SetReferencePositionY)
                .Default(ipriAuto),
            P::Property("ReferenceSizeX", &C::FReferenceSizeX, &C::SetReferenceSizeX)
                .Default(ipriAuto),
            P::Property("ReferenceSizeY", &C::FReferenceSizeY, &C::SetReferenceSizeY)
                .Default(ipriAuto),
            P::Property("X", &C::FX, &C::SetX),
            P::Property("Y", &C::FY, &C::SetY),
            P::Property("X2", &C::FX2, &C::SetX2),
            P::Property("Y2", &C::FY2, &C::SetY2),
            P::Property("Width", &C::FWidth, &C::SetWidth),
            P::Property("Height", &C::FHeight, &C::SetHeight),
            P::Property("PenColor", &C::FPenColor, &C::SetPenColor).Default(clWhite),
            P::Property("PenWidth", &C::FPenWidth, &C::SetPenWidth).Default(0),
            P::Property("PenStyle", &C::FPenStyle, &C::SetPenStyle).Default(psSolid),
            P::Property("BrushColor", &C::FBrushColor, &C::SetBrushColor).Default(clWhite),
            P::Property("BrushStyle", &C::FBrushStyle, &C::SetBrushStyle).Default(bsSolid),
            P::Property("Text", &C::FText, &C::SetText),
            P::Property("Font", &C::Font, &C::SetFont),
            P::Property("ChannelName", &C::FChannelName, &C::SetChannelName),
            P::Property("TextRotation", &C::FTextRotation, &C::SetTextRotation).Default(ira000),
            P::Property("UserCanMove", &C::FUserCanMove, &C::SetUserCanMove).Default(false),
            P::Property("UserCanSize", &C::FUserCanSize, &C::SetUserCanSize).Default(false),
            P::Property("SelectModeOnlyInteraction", &C::FSelectModeOnlyInteraction,
                        &C::SetSelectModeOnlyInteraction)
                .Default(true),
            P::Property("ClipToAxes", &C::FClipToAxes, &C::SetClipToAxes).Default(false),
            P::Property("ImageListIndex", &C::FImageListIndex, &C::SetImageListIndex).Default(0),
            P::Property("ImageIndex", &C::FImageIndex, &C::SetImageIndex).Default(0),
            P::Property("TextHorzAlignment", &C::FTextHorzAlignment, &C::SetTextHorzAlignment)
                .Default(iahCenter),
            P::Property("TextVertAlignment", &C::FTextVertAlignment, &C::SetTextVertAlignment)
                .Default(iavCenter),
            P::Property("TextLineAlignment", &C::FTextLineAlignment, &C::SetTextLineAlignment)
                .Default(iahCenter),
            P::Property("TextHorzMargin", &C::FTextHorzMargin, &C::SetTextHorzMargin),
            P::Property("TextVertMargin", &C::FTextVertMargin, &C::SetTextVertMargin),
            P::Property("ShowFocusRect", &C::FShowFocusRect, &C::SetShowFocusRect).Default(true),
            P::Property("OuterMargin", &C::FOuterMargin, &C::SetOuterMargin).Default(0),
        };
    }

public:
    TiPlotAnnotation(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                     TNotifyEvent onRemove, TNotifyEvent onRename);
    ~TiPlotAnnotation() override;

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::Annotation; }

    // ---- coordinates: X, Y, X2, Y2, Width and Height also raise the plot's
    // OnAnnotationCoordinatesChange
    double X() const { return FX; }
    void SetX(double value) { SetCoordinate(value, FX); }
    double Y() const { return FY; }
    void SetY(double value) { SetCoordinate(value, FY); }
    double X2() const { return FX2; }
    void SetX2(double value) { SetCoordinate(value, FX2); }
    double Y2() const { return FY2; }
    void SetY2(double value) { SetCoordinate(value, FY2); }
    double Width() const { return FWidth; }
    void SetWidth(double value) { SetCoordinate(value, FWidth); }
    double Height() const { return FHeight; }
    void SetHeight(double value) { SetCoordinate(value, FHeight); }

    // ---- the rest of the properties (each a change notification when it changes)
    TiPlotAnnotationStyle Style() const { return FStyle; }
    void SetStyle(TiPlotAnnotationStyle value) { Store(value, FStyle); }
    TiPlotReferenceType Reference() const { return FReference; }
    void SetReference(TiPlotReferenceType value) { Store(value, FReference); }
    TiPlotReferenceIndividual ReferencePositionX() const { return FReferencePositionX; }
    void SetReferencePositionX(TiPlotReferenceIndividual value) {
        Store(value, FReferencePositionX);
    }
    TiPlotReferenceIndividual ReferencePositionY() const { return FReferencePositionY; }
    void SetReferencePositionY(TiPlotReferenceIndividual value) {
        Store(value, FReferencePositionY);
    }
    TiPlotReferenceIndividual ReferenceSizeX() const { return FReferenceSizeX; }
    void SetReferenceSizeX(TiPlotReferenceIndividual value) { Store(value, FReferenceSizeX); }
    TiPlotReferenceIndividual ReferenceSizeY() const { return FReferenceSizeY; }
    void SetReferenceSizeY(TiPlotReferenceIndividual value) { Store(value, FReferenceSizeY); }
    TColor PenColor() const { return FPenColor; }
    void SetPenColor(TColor value) { Store(value, FPenColor); }
    int PenWidth() const { return FPenWidth; }
    void SetPenWidth(int value) { Store(value, FPenWidth); }
    TPenStyle PenStyle() const { return FPenStyle; }
    void SetPenStyle(TPenStyle value) { Store(value, FPenStyle); }
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor value) { Store(value, FBrushColor); }
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle value) { Store(value, FBrushStyle); }
    const std::string& Text() const { return FText; }
    void SetText(const std::string& value) { Store(value, FText); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    const std::string& ChannelName() const { return FChannelName; }
    // Forgets the channel found under the old name.
    void SetChannelName(const std::string& value);
    TiRotationAngle TextRotation() const { return FTextRotation; }
    void SetTextRotation(TiRotationAngle value) { Store(value, FTextRotation); }
    bool UserCanMove() const { return FUserCanMove; }
    void SetUserCanMove(bool value) { Store(value, FUserCanMove); }
    bool UserCanSize() const { return FUserCanSize; }
    void SetUserCanSize(bool value) { Store(value, FUserCanSize); }
    bool SelectModeOnlyInteraction() const { return FSelectModeOnlyInteraction; }
    void SetSelectModeOnlyInteraction(bool value) { Store(value, FSelectModeOnlyInteraction); }
    bool ClipToAxes() const { return FClipToAxes; }
    void SetClipToAxes(bool value) { Store(value, FClipToAxes); }
    // 0 and 1 choose the plot's image list 0 and 1; any other value list 2.
    int ImageListIndex() const { return FImageListIndex; }
    void SetImageListIndex(int value) { Store(value, FImageListIndex); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { Store(value, FImageIndex); }
    TiAlignmentHorizontal TextHorzAlignment() const { return FTextHorzAlignment; }
    void SetTextHorzAlignment(TiAlignmentHorizontal value) { Store(value, FTextHorzAlignment); }
    TiAlignmentVertical TextVertAlignment() const { return FTextVertAlignment; }
    void SetTextVertAlignment(TiAlignmentVertical value) { Store(value, FTextVertAlignment); }
    TiAlignmentHorizontal TextLineAlignment() const { return FTextLineAlignment; }
    void SetTextLineAlignment(TiAlignmentHorizontal value) { Store(value, FTextLineAlignment); }
    // Gaps to the anchor, in widths and heights of a character.
    double TextHorzMargin() const { return FTextHorzMargin; }
    void SetTextHorzMargin(double value) { Store(value, FTextHorzMargin); }
    double TextVertMargin() const { return FTextVertMargin; }
    void SetTextVertMargin(double value) { Store(value, FTextVertMargin); }
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool value) { Store(value, FShowFocusRect); }
    // Pixels between the frame and the text of a text box.
    int OuterMargin() const { return FOuterMargin; }
    void SetOuterMargin(int value) { Store(value, FOuterMargin); }

    // ---- polygon vertices (no change notification)
    int PolyPointAdd(double x, double y);
    void PolyPointsClear();
    int GetPolyPointsCount() const { return static_cast<int>(FPolyPoints.size()); }
    TiPlotAnnotationPoint PolyPoint(int index) const;

    // ---- the picture of an image annotation (else a picture of the plot's image lists)
    TBitmap* Image() const { return FImage.get(); }
    // Copies the bitmap; null removes the picture.
    void SetImage(TBitmap* value);
    void ImageClear();
    void ImageLoadFromFile(const std::string& fileName);

    // ---- what the paint hands over
    TiPlotDataView* DataView() const { return FDataView; }
    void SetDataView(TiPlotDataView* value) { FDataView = value; }

    // ---- conversions between values and pixels, in each coordinate's reference: 0 when the
    // reference (data view, channel or its axes) is missing
    int PositionXToPixels(double value) const;
    int PositionYToPixels(double value) const;
    double PixelsXToPosition(int value) const;
    double PixelsYToPosition(int value) const;
    int WidthToPixels(double value) const;
    int HeightToPixels(double value) const;
    double PixelsXToSize(int value) const;
    double PixelsYToSize(int value) const;
    // Whether each coordinate refers to the channel rather than to the data view.
    bool PositionXUsesChannel() const;
    bool PositionYUsesChannel() const;
    bool SizeXUsesChannel() const;
    bool SizeYUsesChannel() const;
    // The channel named ChannelName, or null.
    TiPlotChannelCustom* GetChannel() const;

    // ---- what the last paint left
    bool Showing() const { return FShowing; }
    TRect DrawRect() const { return FDrawRect; }
    TRect ClickRect() const { return FClickRect; }
    TRect SizeTopLeftRect() const { return FSizeTopLeftRect; }
    TRect SizeTopRightRect() const { return FSizeTopRightRect; }
    TRect SizeBottomLeftRect() const { return FSizeBottomLeftRect; }
    TRect SizeBottomRightRect() const { return FSizeBottomRightRect; }
    TiPlotAnnotationSelectStyle SelectStyle() const { return FSelectStyle; }

    void NotificationRemove(TiPlotObject* sender) override;
    void NotificationRename(TiPlotObject* sender) override;
    void NotificationSetFocus(TiPlotObject* sender) override;
    void Draw(TCanvas* canvas, TColor backGroundColor) override;
    bool MouseHitTest(const TiPlotMouseData& mouseData) override;
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    TCursor CheckMouseOver(TPoint point) override;

private:
    template <typename T>
    void Store(const T& value, T& field) {
        if (value == field) return;
        field = value;
        DoChange();
    }
    void SetCoordinate(double value, double& field);
    void CoordinatesChanged();
    bool CanSize() const;
    // The box of the box styles, in pixels.
    TRect BoxRect() const;
    void SetHandleRects(const TRect& r);
    void SetPixelRect(const TRect& r);
    // Whether every reference the annotation's coordinates need is there.
    bool ReferencesPresent() const;
    void DrawHandles(TCanvas* canvas);
    void DrawTextIn(TCanvas* canvas, const TRect& r);
    // The text box of a text (grown by grow pixels each way), around the anchor.
    TRect TextBox(TCanvas* canvas, int grow) const;
    TRect TextRectangleIn(TCanvas* canvas, const TRect& box) const;
    void DrawImage(TCanvas* canvas, const TRect& dataView);

    TiPlotAnnotationStyle FStyle = ipasText;
    TiPlotReferenceType FReference = iprtDataView;
    TiPlotReferenceIndividual FReferencePositionX = ipriAuto;
    TiPlotReferenceIndividual FReferencePositionY = ipriAuto;
    TiPlotReferenceIndividual FReferenceSizeX = ipriAuto;
    TiPlotReferenceIndividual FReferenceSizeY = ipriAuto;
    TiPlotAnnotationSelectStyle FSelectStyle = ipassNone;
    TRect FSizeTopLeftRect{};
    TRect FSizeTopRightRect{};
    TRect FSizeBottomLeftRect{};
    TRect FSizeBottomRightRect{};
    std::vector<TiPlotAnnotationPoint> FPolyPoints;
    double FX = 0;
    double FY = 0;
    double FY2 = 0;
    double FX2 = 0;
    double FWidth = 0;
    double FHeight = 0;
    TColor FPenColor = clWhite;
    int FPenWidth = 0;
    TPenStyle FPenStyle = psSolid;
    TColor FBrushColor = clWhite;
    TBrushStyle FBrushStyle = bsSolid;
    std::string FText;
    std::unique_ptr<TFont> FFont;
    std::string FChannelName;
    TiPlotDataView* FDataView = nullptr;
    mutable TiPlotChannelCustom* FChannel = nullptr;
    TiRotationAngle FTextRotation = ira000;
    bool FShowing = false;
    TRect FDrawRect{};
    TRect FClickRect{};
    bool FRectChange = false;
    bool FUserCanMove = false;
    bool FUserCanSize = false;
    bool FSelectModeOnlyInteraction = true;
    bool FClipToAxes = false;
    bool pressTaken_ = false;  // a press on the showing annotation started a drag
    int FMouseDownX = 0;
    int FMouseDownY = 0;
    double FMouseDownWidth = 0;
    double FMouseDownHeight = 0;
    int FMouseDownPositionPixelsX = 0;
    int FMouseDownPositionPixelsY = 0;
    TRect FMouseDownRect{};
    std::unique_ptr<TBitmap> FImage;
    int FImageListIndex = 0;
    int FImageIndex = 0;
    TiAlignmentHorizontal FTextHorzAlignment = iahCenter;
    TiAlignmentVertical FTextVertAlignment = iavCenter;
    TiAlignmentHorizontal FTextLineAlignment = iahCenter;
    double FTextHorzMargin = 1.0;
    double FTextVertMargin = 1.0;
    bool FShowFocusRect = true;
    double FMouseDownXValue = 0;
    double FMouseDownYValue = 0;
    double FMouseDownX2Value = 0;
    double FMouseDownY2Value = 0;
    int FOuterMargin = 0;
};

}  // namespace dsp

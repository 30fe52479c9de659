// Annotations: reference frames per coordinate, the shapes drawn and the rectangles they leave
// for the mouse, moving and sizing by the handles, and what keeps an annotation from showing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "plot/engine/iPlotAnnotation.h"
#include "plot/engine/iPlotDataView.h"
#include "plot/engine/iXYPlot.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/plot/engine/RecordingCanvas.h"

namespace dsp {
namespace {

// An XY plot with its axes on 0..100 (Y) and 0..200 (X), select mode on.
class PlotAnnotationTest : public ::testing::Test {
protected:
    PlotAnnotationTest() {
        plot_.SetBounds(0, 0, 400, 300);
        plot_.GetLegend(0)->SetVisible(false);
        for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(plot_.GetXAxis(0)),
                                 static_cast<TiPlotAxis*>(plot_.GetYAxis(0))}) {
            axis->SetTrackingEnabled(false);
        }
        plot_.GetXAxis(0)->SetMinSpan(0, 200);
        plot_.SetSelectMode(true);
        note_ = plot_.GetAnnotation(plot_.AddAnnotation());
        note_->SetBrushColor(clTeal);
        note_->SetPenColor(clYellow);
        Paint();
        view_ = plot_.GetDataView(0);
    }
    test::TRecordingCanvas& Paint() {
        canvas_.ClearCalls();
        plot_.PaintToCanvas(&canvas_);
        return canvas_;
    }
    // The calls of one operation that the annotation made (in its pen or brush colour).
    std::vector<test::TCanvasCall> NoteCalls(const std::string& op) {
        std::vector<test::TCanvasCall> found;
        for (const test::TCanvasCall& call : Paint().CallsOf(op)) {
            if (call.pen == clYellow || call.brush == clTeal) found.push_back(call);
        }
        return found;
    }
    int Xp(double v) const { return plot_.GetXAxis(0)->PositionToPixels(v); }
    int Yp(double v) const { return plot_.GetYAxis(0)->PositionToPixels(v); }
    void Drag(TPoint from, TPoint to) {
        plot_.iMouseDown(mbLeft, {}, from.X, from.Y);
        plot_.iMouseMove(TShiftState{ssLeft}, to.X, to.Y);
        plot_.iMouseUp(mbLeft, {}, to.X, to.Y);
    }

    TiXYPlot plot_{nullptr};
    TiPlotAnnotation* note_ = nullptr;
    TiPlotDataView* view_ = nullptr;
    test::TRecordingCanvas canvas_{400, 300};
};

TEST_F(PlotAnnotationTest, EachCoordinateFollowsItsOwnReference) {
    note_->SetReference(iprtXChannelYDataView);
    note_->SetChannelName("Channel 1");
    note_->SetX(50);
    note_->SetY(50);
    note_->SetWidth(20);
    note_->SetHeight(10);
    EXPECT_TRUE(note_->PositionXUsesChannel());
    EXPECT_TRUE(note_->SizeXUsesChannel());
    EXPECT_FALSE(note_->PositionYUsesChannel());
    EXPECT_FALSE(note_->SizeYUsesChannel());
    EXPECT_EQ(note_->PositionXToPixels(50), Xp(50));
    EXPECT_EQ(note_->PositionYToPixels(50), view_->PositionPercentToPixelsY(50));
    EXPECT_EQ(note_->WidthToPixels(20), Xp(20) - Xp(0));
    EXPECT_EQ(note_->HeightToPixels(10),
              view_->PositionPercentToPixelsY(0) - view_->PositionPercentToPixelsY(10));
    // A coordinate set on its own wins over the frame.
    note_->SetReferencePositionY(ipriChannel);
    EXPECT_EQ(note_->PositionYToPixels(50), Yp(50));
    EXPECT_FALSE(note_->SizeYUsesChannel());
}

TEST_F(PlotAnnotationTest, AMissingChannelOrAxisKeepsItFromShowing) {
    note_->SetStyle(ipasRectangle);
    note_->SetReference(iprtChannel);
    note_->SetX(100);
    note_->SetY(50);
    note_->SetWidth(40);
    note_->SetHeight(20);
    note_->SetChannelName("Nowhere");
    EXPECT_TRUE(NoteCalls("Rectangle").empty());
    EXPECT_FALSE(note_->Showing());
    note_->SetChannelName("Channel 1");
    EXPECT_EQ(NoteCalls("Rectangle").size(), 1u);
    EXPECT_TRUE(note_->Showing());
    plot_.GetChannel(0)->SetYAxisName("none");
    EXPECT_TRUE(NoteCalls("Rectangle").empty());
    EXPECT_FALSE(note_->HitTest(Xp(100), Yp(50)));
}

TEST_F(PlotAnnotationTest, BoxStylesLeaveTheirBoxHandlesAndClickArea) {
    note_->SetStyle(ipasRectangle);
    note_->SetX(50);  // percent of the data view
    note_->SetY(50);
    note_->SetWidth(40);
    note_->SetHeight(40);
    const std::vector<test::TCanvasCall> boxes = NoteCalls("Rectangle");
    ASSERT_EQ(boxes.size(), 1u);
    const TRect dv = view_->DrawRect();
    const int cx = view_->PositionPercentToPixelsX(50);
    const int w = view_->PositionPercentToPixelsX(20) - view_->PositionPercentToPixelsX(0);
    EXPECT_EQ(boxes[0].rect.Left, cx - w);
    EXPECT_EQ(boxes[0].rect.Right, cx + w);
    EXPECT_EQ(note_->DrawRect(), boxes[0].rect);
    EXPECT_EQ(note_->SizeTopLeftRect(), (TRect{boxes[0].rect.Left - 3, boxes[0].rect.Top - 3,
                                               boxes[0].rect.Left + 3, boxes[0].rect.Top + 3}));
    // Selected, the four handles are inverted; at the data view's edge they are cut.
    note_->SetX(20);  // the left edge on the data view's
    note_->SetUserSelected(true);
    const std::vector<test::TCanvasCall> handles = Paint().CallsOf("InvertRect");
    ASSERT_EQ(handles.size(), 4u);
    EXPECT_EQ(handles[0].rect.Left, dv.Left);
    EXPECT_EQ(handles[0].rect.Right - handles[0].rect.Left, 3);
    EXPECT_EQ(handles[1].rect.Right - handles[1].rect.Left, 6);
    EXPECT_EQ(handles[1].rect.Bottom - handles[1].rect.Top, 6);
    EXPECT_EQ(note_->ClickRect().Left, dv.Left);
    note_->SetShowFocusRect(false);
    EXPECT_TRUE(Paint().CallsOf("InvertRect").empty());
}

TEST_F(PlotAnnotationTest, SizingTheTopLeftHandleMovesTheCentreByHalf) {
    note_->SetStyle(ipasRectangle);
    note_->SetReference(iprtChannel);
    note_->SetChannelName("Channel 1");
    note_->SetX(100);
    note_->SetY(50);
    note_->SetWidth(80);
    note_->SetHeight(40);
    note_->SetUserCanSize(true);
    note_->SetUserSelected(true);
    Paint();
    const TRect before = note_->DrawRect();
    const TPoint corner{before.Left, before.Top};
    EXPECT_EQ(note_->CheckMouseOver(corner), crSizeNWSE);
    EXPECT_EQ(note_->CheckMouseOver({before.Right, before.Top}), crSizeNESW);
    int resizes = 0;
    int finished = 0;
    plot_.OnAnnotationResizeUser = [&](int) { ++resizes; };
    plot_.OnAnnotationCoordinatesChangeFinished = [&](int) { ++finished; };
    Drag(corner, {corner.X + 10, corner.Y + 10});
    Paint();
    const TRect after = note_->DrawRect();
    EXPECT_NEAR(after.Left, before.Left + 10, 1);
    EXPECT_NEAR(after.Top, before.Top + 10, 1);
    EXPECT_NEAR(after.Right, before.Right, 1);
    EXPECT_NEAR(after.Bottom, before.Bottom, 1);
    EXPECT_NEAR(Xp(note_->X()), (before.Left + 10 + before.Right) / 2.0, 1);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(finished, 1);
}

TEST_F(PlotAnnotationTest, AMovedRectangle2KeepsItsExtent) {
    note_->SetStyle(ipasRectangle2);
    note_->SetX(10);
    note_->SetY(60);
    note_->SetX2(30);
    note_->SetY2(40);
    note_->SetUserCanMove(true);
    Paint();
    int moves = 0;
    plot_.OnAnnotationMoveUser = [&](int) { ++moves; };
    const TRect r = note_->DrawRect();
    const TPoint inside{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    plot_.iMouseDown(mbLeft, {}, inside.X, inside.Y);
    EXPECT_TRUE(note_->UserSelected());
    plot_.iMouseMove(TShiftState{ssLeft}, inside.X + 40, inside.Y - 20);
    plot_.iMouseUp(mbLeft, {}, inside.X + 40, inside.Y - 20);
    EXPECT_EQ(moves, 1);
    EXPECT_GT(note_->X(), 10);
    EXPECT_NEAR(note_->X2() - note_->X(), 20, 1e-9);
    EXPECT_NEAR(note_->Y2() - note_->Y(), -20, 1e-9);
}

TEST_F(PlotAnnotationTest, OutsideSelectModeClicksPassThrough) {
    note_->SetStyle(ipasRectangle);
    note_->SetX(50);
    note_->SetY(50);
    note_->SetWidth(40);
    note_->SetHeight(40);
    Paint();
    const TPoint centre{view_->PositionPercentToPixelsX(50), view_->PositionPercentToPixelsY(50)};
    EXPECT_TRUE(note_->HitTest(centre.X, centre.Y));
    plot_.SetSelectMode(false);
    EXPECT_FALSE(note_->HitTest(centre.X, centre.Y));
    note_->SetSelectModeOnlyInteraction(false);
    EXPECT_TRUE(note_->HitTest(centre.X, centre.Y));
}

TEST_F(PlotAnnotationTest, TextsLinesAndPolygonsShowOnlyWhereTheyMeetTheDataView) {
    // A line is drawn but never counts as showing.
    note_->SetStyle(ipasLine);
    note_->SetX(10);
    note_->SetY(10);
    note_->SetX2(90);
    note_->SetY2(90);
    EXPECT_EQ(NoteCalls("Polyline").size(), 1u);
    EXPECT_FALSE(note_->Showing());

    // A text wholly outside draws nothing and cannot be clicked.
    note_->SetStyle(ipasText);
    note_->SetText("Peak");
    note_->SetX(150);
    EXPECT_EQ(Paint().IndexOfText("Peak"), -1);
    EXPECT_FALSE(note_->Showing());
    note_->SetX(50);
    EXPECT_NE(Paint().IndexOfText("Peak"), -1);
    const TRect flat = note_->ClickRect();
    // Turned a quarter, the box is as wide as the text is high.
    note_->SetTextRotation(ira090);
    Paint();
    EXPECT_EQ(note_->ClickRect().Right - note_->ClickRect().Left, flat.Bottom - flat.Top);
    EXPECT_EQ(note_->ClickRect().Bottom - note_->ClickRect().Top, flat.Right - flat.Left);
    // Left-aligned, the text starts beside the anchor.
    note_->SetTextRotation(ira000);
    note_->SetTextHorzAlignment(iahLeft);
    Paint();
    EXPECT_GT(note_->ClickRect().Left, view_->PositionPercentToPixelsX(50));

    // A polygon needs two vertices.
    note_->SetStyle(ipasPolygon);
    note_->PolyPointAdd(20, 20);
    EXPECT_TRUE(NoteCalls("Polygon").empty());
    note_->PolyPointAdd(60, 80);
    note_->PolyPointAdd(80, 20);
    const std::vector<test::TCanvasCall> polygons = NoteCalls("Polygon");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].points.size(), 3u);
    EXPECT_TRUE(note_->Showing());
}

TEST_F(PlotAnnotationTest, PicturesComeFromItsImageOrTheChosenImageList) {
    TBitmap picture(8, 8);
    picture.Canvas()->Brush()->SetColor(clRed);
    picture.Canvas()->FillRect({0, 0, 8, 8});
    plot_.ImageListAdd(2, &picture);
    note_->SetStyle(ipasImage);
    note_->SetX(50);
    note_->SetY(50);
    note_->SetImageListIndex(-1);  // any index but 0 and 1 is list 2
    Paint();
    EXPECT_TRUE(note_->Showing());
    const int cx = view_->PositionPercentToPixelsX(50);
    const TImageList* list = plot_.GetImageList(2);
    EXPECT_EQ(note_->ClickRect().Left, cx - list->Width() / 2);
    note_->SetImageListIndex(0);  // list 0 is empty: the place is kept, nothing drawn there
    Paint();
    EXPECT_TRUE(note_->Showing());
    // An own picture wins.
    TBitmap own(20, 10);
    note_->SetImage(&own);
    Paint();
    EXPECT_EQ(note_->ClickRect().Right - note_->ClickRect().Left, 20);
    EXPECT_EQ(note_->ClickRect().Left, cx - 10);
}

}  // namespace
}  // namespace dsp

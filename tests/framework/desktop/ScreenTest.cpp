#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QImage>

#include "framework/desktop/CursorQt.h"
#include "framework/desktop/Screen.h"
#include "framework/graphics/Bitmap.h"

namespace dsp {
namespace {

TEST(Screen, TheHeadlessScreenIsOneMonitorAt96Dpi) {
    EXPECT_EQ(Screen->Width(), 800);
    EXPECT_EQ(Screen->Height(), 800);
    EXPECT_EQ(Screen->WorkAreaRect(), Rect(0, 0, 800, 800));
    EXPECT_EQ(Screen->PixelsPerInch(), 96);
    ASSERT_EQ(Screen->MonitorCount(), 1);
    EXPECT_EQ(Screen->MonitorFromPoint({5000, 5000}), Screen->Monitors(0));
    EXPECT_EQ(Screen->MonitorFromPoint({5000, 5000}, mdNull), nullptr);
    EXPECT_THROW(Screen->Monitors(1), EListError);
}

TEST(Screen, TheCursorPositionCanBeSetAndRead) {
    ASSERT_TRUE(SetCursorPos(123, 45));
    TPoint p;
    ASSERT_TRUE(GetCursorPos(p));
    EXPECT_EQ(p, Point(123, 45));
    EXPECT_EQ(CursorPos(), Point(123, 45));
}

TEST(Screen, TheBusyCursorOverridesEveryWindowUntilItIsResetToDefault) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    Screen->SetCursor(crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen->SetCursor(crHourGlass);  // setting it again stacks nothing
    Screen->SetCursor(crHandPoint);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(Cursors, StockShapesBecomeTheToolkitsShapes) {
    const std::pair<TCursor, Qt::CursorShape> cases[] = {
        {crDefault, Qt::ArrowCursor},
        {crArrow, Qt::ArrowCursor},
        {crHandPoint, Qt::PointingHandCursor},
        {crCross, Qt::CrossCursor},
        {crSizeWE, Qt::SizeHorCursor},
        {crSizeNS, Qt::SizeVerCursor},
        {crSizeNWSE, Qt::SizeFDiagCursor},
        {crSizeNESW, Qt::SizeBDiagCursor},
        {crSizeAll, Qt::SizeAllCursor},
        {crDrag, Qt::DragMoveCursor},
        {crHourGlass, Qt::WaitCursor},
        {crIBeam, Qt::IBeamCursor},
        {crNone, Qt::BlankCursor},
        {-5, Qt::ArrowCursor},
        {-300, Qt::ArrowCursor},
    };
    for (const auto& [cursor, shape] : cases) EXPECT_EQ(ToQCursor(cursor).shape(), shape) << cursor;
}

TEST(Cursors, ARegisteredPictureIsItsNumbersCursorWithoutItsTransparentPixels) {
    TBitmap picture(4, 4);
    picture.Canvas()->Brush()->SetColor(clFuchsia);
    picture.Canvas()->FillRect(Rect(0, 0, 4, 4));
    picture.Canvas()->SetPixels(1, 1, clBlack);
    picture.SetTransparent(true);  // the bottom-left pixel's colour is left out
    Screen->SetCursors(99, &picture, {1, 1});
    ASSERT_TRUE(Screen->HasCursor(99));
    const QCursor cursor = ToQCursor(99);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(1, 1));
    const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixel(1, 1), qRgba(0, 0, 0, 255));

    EXPECT_EQ(ToQCursor(98).shape(), Qt::ArrowCursor);
    Screen->SetCursors(99, nullptr);
    EXPECT_FALSE(Screen->HasCursor(99));
    EXPECT_EQ(ToQCursor(99).shape(), Qt::ArrowCursor);
}

TEST(Screen, NearestAndLargestOverlapPickTheFirstOfEqualCandidates) {
    // The last column of the first is 9, the first column of the second 21.
    const std::vector<TRect> rects = {Rect(0, 0, 10, 10), Rect(21, 0, 31, 10)};
    EXPECT_EQ(NearestRectIndex(rects, {15, 5}), 0);  // 6 from each
    EXPECT_EQ(NearestRectIndex(rects, {16, 5}), 1);
    EXPECT_EQ(NearestRectIndex(rects, {25, 50}), 1);
    EXPECT_EQ(NearestRectIndex({}, {0, 0}), -1);
    EXPECT_EQ(LargestOverlapIndex(rects, Rect(5, 0, 26, 10)), 0);  // 50 pixels of each
    EXPECT_EQ(LargestOverlapIndex(rects, Rect(30, 5, 8, 0)), 1);   // given the wrong way round
    EXPECT_EQ(LargestOverlapIndex(rects, Rect(10, 0, 20, 10)), -1);
}

}  // namespace
}  // namespace dsp

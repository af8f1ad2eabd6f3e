#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/ui/RecordingDC.h"
#include "platform/ui/TMemoryDC.h"

namespace platform::ui {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Runs of a colour along row y, as (first x, length).
std::vector<std::pair<int, int>> RunsInRow(const TBitmap& bitmap, int y, COLORREF color)
{
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < bitmap.Width(); ++x) {
        if (bitmap.GetPixel(x, y) != color) {
            continue;
        }
        if (!runs.empty() && runs.back().first + runs.back().second == x) {
            ++runs.back().second;
        } else {
            runs.emplace_back(x, 1);
        }
    }
    return runs;
}

TEST(RecordingDCTest, LogsPrimitivesWithTheirStateInDeviceCoordinates)
{
    RecordingDC dc;
    dc.SelectObject(TPen(kRed));
    dc.MoveTo(1, 2);
    dc.LineTo(10, 2);
    dc.SetViewportOrg({100, 50});
    dc.IntersectClipRect(TRect(0, 0, 20, 20));
    const std::vector<TPoint> points{{0, 0}, {5, 5}, {9, 0}, {1, 1}, {2, 2}};
    const std::vector<std::int32_t> counts{3, 2};
    EXPECT_TRUE(dc.PolyPolyline(points, counts));
    dc.SelectObject(TPen(kBlue));
    dc.TextOut(3, 4, u"Unit 1");

    ASSERT_EQ(dc.Records().size(), 3u);
    const DrawRecord& poly = dc.Records()[1];
    EXPECT_EQ(poly.op, DrawOp::PolyPolyline);
    EXPECT_EQ(poly.points.front(), TPoint(100, 50));
    ASSERT_TRUE(poly.state.clip.has_value());
    EXPECT_EQ(*poly.state.clip, TRect(100, 50, 120, 70));
    EXPECT_EQ(dc.Segments(kRed).size(), 1u + 2u + 1u);
    EXPECT_EQ(dc.Segments(kBlue).size(), 0u);
    const DrawRecord* text = dc.FindText(u"Unit");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->points.front(), TPoint(103, 54));
    EXPECT_EQ(text->state.pen.color, kBlue);
    EXPECT_GT(text->rect.Width(), 0);
}

TEST(RecordingDCTest, RefusesCountsBeyondThePointsAndRestoresSavedStates)
{
    RecordingDC dc;
    const std::vector<TPoint> points{{0, 0}, {1, 1}};
    EXPECT_FALSE(dc.PolyPolyline(points, std::vector<std::int32_t>{2, 1}));
    EXPECT_FALSE(dc.PolyPolyline(points, std::vector<std::int32_t>{-1, 2}));
    EXPECT_TRUE(dc.Records().empty());

    const std::int32_t outer = dc.SaveDC();
    dc.SelectObject(TPen(kRed, 2, PenStyle::Dot));
    dc.IntersectClipRect(TRect(5, 5, 10, 10));
    dc.SaveDC();
    dc.IntersectClipRect(TRect(20, 20, 30, 30));
    EXPECT_TRUE(dc.GetClipBox().IsEmpty());
    EXPECT_TRUE(dc.RestoreDC());
    EXPECT_EQ(dc.GetClipBox(), TRect(5, 5, 10, 10));
    EXPECT_TRUE(dc.RestoreDC(outer));
    EXPECT_EQ(dc.State().pen, TPen());
    EXPECT_EQ(dc.GetClipBox(), TRect(0, 0, 1920, 1080));
    EXPECT_FALSE(dc.RestoreDC());
}

TEST(PainterDCTest, ThinLinesLeaveOutTheirLastPixelWithoutAntialiasing)
{
    TBitmap bitmap(40, 20);
    {
        TMemoryDC dc(bitmap);
        dc.SelectObject(TPen(kRed));
        dc.MoveTo(2, 3);
        dc.LineTo(12, 3);
        dc.MoveTo(5, 5);
        dc.LineTo(5, 15);
        dc.MoveTo(30, 10);
        dc.LineTo(30, 10);
    }
    EXPECT_EQ(RunsInRow(bitmap, 3, kRed), (std::vector<std::pair<int, int>>{{2, 10}}));
    EXPECT_EQ(bitmap.CountPixels(kRed, TRect(5, 4, 6, 20)), 10);
    EXPECT_EQ(bitmap.GetPixel(5, 15), kWhite);
    EXPECT_EQ(bitmap.GetPixel(30, 10), kWhite);
    EXPECT_EQ(bitmap.CountPixels(kRed) + bitmap.CountPixels(kWhite), 40 * 20);
}

TEST(PainterDCTest, DottedPenDrawsThreeOnThreeOff)
{
    TBitmap bitmap(30, 4);
    {
        TMemoryDC dc(bitmap);
        dc.SelectObject(TPen(kBlue, 0, PenStyle::Dot));
        dc.MoveTo(0, 1);
        dc.LineTo(30, 1);
    }
    const auto runs = RunsInRow(bitmap, 1, kBlue);
    ASSERT_EQ(runs.size(), 5u);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i], std::make_pair(static_cast<int>(i) * 6, 3));
    }
}

TEST(PainterDCTest, RectangleOutlineStaysInsideItsRightAndBottomEdges)
{
    TBitmap bitmap(20, 20);
    {
        TMemoryDC dc(bitmap);
        dc.SelectObject(TPen(kRed));
        dc.SelectObject(TBrush(kBlue));
        dc.Rectangle(2, 2, 12, 8);
        dc.SelectObject(TPen(kBlack, 0, PenStyle::Null));
        dc.Rectangle(14, 2, 18, 6);
    }
    EXPECT_EQ(bitmap.CountPixels(kRed), 2 * 10 + 2 * 4);
    EXPECT_EQ(bitmap.CountPixels(kBlue, TRect(0, 0, 13, 20)), 8 * 4);
    // Without a pen the fill is a pixel smaller at the right and bottom.
    EXPECT_EQ(bitmap.CountPixels(kBlue, TRect(13, 0, 20, 20)), 3 * 3);
}

TEST(PainterDCTest, ClipRectanglesAndSaveRestoreGovernWhatIsDrawn)
{
    TBitmap bitmap(20, 20);
    {
        TMemoryDC dc(bitmap);
        dc.IntersectClipRect(TRect(0, 0, 10, 10));
        const std::int32_t saved = dc.SaveDC();
        dc.IntersectClipRect(TRect(5, 5, 20, 20));
        dc.FillRect(TRect(0, 0, 20, 20), TBrush(kRed));
        dc.RestoreDC(saved);
        dc.FillRect(TRect(0, 0, 20, 20), TBrush(kBlue));
        dc.SelectClipRect(std::nullopt);
        dc.SetPixel(19, 19, kRed);
    }
    EXPECT_EQ(bitmap.CountPixels(kRed), 1);
    EXPECT_EQ(bitmap.CountPixels(kBlue), 100);
    EXPECT_EQ(bitmap.GetPixel(19, 19), kRed);
}

TEST(PainterDCTest, TextIsDrawnInTwoColoursAndMeasuredAsDrawn)
{
    TBitmap bitmap(120, 30);
    TSize extent;
    {
        TMemoryDC dc(bitmap);
        dc.SelectObject(TFont(u"Tahoma", 13));
        dc.SetTextColor(kRed);
        dc.SetBkColor(kBlue);
        extent = dc.GetTextExtent(u"Height = 5");
        dc.TextOut(4, 4, u"Height = 5");
        EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::LogPixelsX), 96);
    }
    std::set<COLORREF> colours;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 120; ++x) {
            colours.insert(bitmap.GetPixel(x, y));
        }
    }
    EXPECT_EQ(colours, (std::set<COLORREF>{kRed, kBlue, kWhite}));
    EXPECT_GT(bitmap.CountPixels(kRed), 20);
    EXPECT_EQ(bitmap.CountPixels(kRed) + bitmap.CountPixels(kBlue), extent.cx * extent.cy);
}

TEST(PainterDCTest, PolylinesOfOnePlaceDrawNothingAndBitmapsCopyAtTheOrigin)
{
    TBitmap source(4, 3);
    source.Fill(kBlue);
    TBitmap bitmap(30, 20);
    {
        TMemoryDC dc(bitmap);
        dc.SelectObject(TPen(kRed));
        // A lone sample padded with an equal second point, as waveform
        // buffers do.
        const std::vector<TPoint> still{{3, 3}, {3, 3}};
        dc.Polyline(still);
        const std::vector<TPoint> path{{0, 10}, {5, 10}, {5, 10}, {5, 15}};
        dc.Polyline(path);
        dc.SetViewportOrg({20, 2});
        dc.BitBlt(TRect(0, 0, 4, 3), source);
    }
    EXPECT_EQ(bitmap.GetPixel(3, 3), kWhite);
    EXPECT_EQ(bitmap.CountPixels(kRed), 5 + 5);
    EXPECT_EQ(bitmap.GetPixel(5, 15), kWhite);
    EXPECT_EQ(bitmap.CountPixels(kBlue, TRect(20, 2, 24, 5)), 12);
}

TEST(PainterDCTest, DrawTextPlacesAndClipsItsTextAndEscapementTurnsIt)
{
    TBitmap bitmap(200, 100);
    {
        TMemoryDC dc(bitmap);
        dc.SetTextColor(kRed);
        dc.SetBkMode(BkMode::Transparent);
        dc.DrawText(u"You forgot the OnDraw handler", TRect(0, 0, 200, 40), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc.DrawText(u"WWWWWWWWWWWWWWWWWWWW", TRect(0, 50, 30, 70), DT_SINGLELINE);
        TFont upright;
        upright.escapement = 900;
        dc.SelectObject(upright);
        dc.SetTextColor(kBlue);
        dc.TextOut(180, 99, u"Height");
    }
    EXPECT_GT(bitmap.CountPixels(kRed, TRect(0, 0, 100, 40)), 0);
    EXPECT_GT(bitmap.CountPixels(kRed, TRect(100, 0, 200, 40)), 0);
    EXPECT_EQ(bitmap.CountPixels(kRed, TRect(30, 40, 200, 100)), 0);
    // Turned text runs up from its origin, its cell to the right.
    EXPECT_GT(bitmap.CountPixels(kBlue), 20);
    EXPECT_EQ(bitmap.CountPixels(kBlue, TRect(0, 0, 180, 100)), 0);
    EXPECT_EQ(bitmap.CountPixels(kBlue, TRect(0, 0, 200, 40)), 0);
}

} // namespace
} // namespace platform::ui

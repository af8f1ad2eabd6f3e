#include <gtest/gtest.h>

#include "discriminator/ScatterFixture.h"
#include "discriminator/ScatterPlot.h"
#include "platform/ui/TBitmap.h"
#include "platform/ui/TMemoryDC.h"
#include "platform/ui/TWindow.h"

namespace {

using namespace TestSupport;
using platform::ui::TPoint;

// A contour unit around spikes 2 and 3 (heights 1.1 and 1.4), selected, so
// that the scatter plot shows its outline for editing.
class ScatterContourEditing : public ScatterFixture {
protected:
    ScatterContourEditing()
    {
        Analyze();
        Host::SpikeInfo info;
        doc->GetSpike(0, &info);
        width = info.widthMs;
        // Every spike is as wide: the plot spans a fifth of that width.
        const auto [left, right] = Graph().GetDomain();
        half = (right - left) / 4;
        EXPECT_EQ(doc->CreateContourUnit(0, {width - half, width + half, width + half, width - half},
                                         {1.0, 1.0, 1.5, 1.5}, VEX::String(u"Middle"), &unit),
                  S_OK);
        Analyze();
        doc->SetSelectedUnit(unit);
        // As the view does on the document's change message.
        Open().Refresh();
    }
    std::vector<std::int32_t> Members()
    {
        std::vector<std::int32_t> members;
        for (std::int32_t i = 0; i < doc->SpikeCount(); ++i) {
            if (UnitOf(i) == unit) {
                members.push_back(i);
            }
        }
        return members;
    }
    std::size_t Vertices()
    {
        std::vector<Host::UnitDescription> units;
        doc->GetUnits(&units);
        return units.front().widths.size();
    }

    double width = 0.0;
    double half = 0.0;
    std::int32_t unit = -1;
};

TEST_F(ScatterContourEditing, DraggingVerticesReshapesTheUnit)
{
    ASSERT_EQ(Members(), (std::vector<std::int32_t>{2, 3}));
    Drag({PixelAt(width - half, 1.5), PixelAt(width - half, 1.65), PixelAt(width - half, 1.8)});
    Drag({PixelAt(width + half, 1.5), PixelAt(width + half, 1.8)});
    EXPECT_EQ(Members(), (std::vector<std::int32_t>{2, 3, 4})) << "the unit reaches up to 1.7 now";
    EXPECT_EQ(Vertices(), 4u);
    EXPECT_FALSE(Scatter().ContourReady()) << "editing draws no free-hand contour";
}

TEST_F(ScatterContourEditing, AVertexIsInsertedOnAnEdgeAndDeletedWithTheDeleteKey)
{
    Drag({PixelAt(width, 1.0), PixelAt(width, 0.85), PixelAt(width, 0.7)});
    EXPECT_EQ(Vertices(), 5u);
    EXPECT_EQ(Members(), (std::vector<std::int32_t>{1, 2, 3})) << "the new corner takes in 0.8";

    LeftClick(PixelAt(width, 0.7));
    automation::SendKey(Graph(), platform::ui::VK_DELETE);
    EXPECT_EQ(Vertices(), 4u);
    EXPECT_EQ(Members(), (std::vector<std::int32_t>{2, 3}));

    LeftClick(PixelAt(width - half, 1.0));
    automation::SendKey(Graph(), platform::ui::VK_DELETE);
    EXPECT_EQ(Vertices(), 3u);
    LeftClick(PixelAt(width + half, 1.0));
    automation::SendKey(Graph(), platform::ui::VK_DELETE);
    EXPECT_EQ(Vertices(), 3u) << "a contour keeps three vertices";
}

TEST_F(ScatterContourEditing, TheOutlineStaysOffCopiesAndPrintouts)
{
    std::vector<Host::UnitDescription> units;
    doc->GetUnits(&units);
    const auto colourPixels = [&] {
        platform::ui::TBitmap bitmap(600, 500);
        platform::ui::TMemoryDC dc(bitmap);
        Graph().DrawPicture(dc, platform::ui::TRect(0, 0, 600, 500));
        return bitmap.CountPixels(units.front().colour);
    };
    const std::int64_t withOutline = colourPixels();
    doc->SetSelectedUnit(-1);
    Open().Refresh();
    EXPECT_EQ(colourPixels(), withOutline) << "only the unit's points are in its colour";
    EXPECT_GT(withOutline, 0);
}

} // namespace

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "PaneTestSupport.h"
#include "histograms/AmplitudeHistogram.h"
#include "histograms/DataSheetFunctionTable.h"
#include "histograms/DataSheetOptionsDialog.h"
#include "histograms/DataSheetStatistics.h"
#include "histograms/DataSheetView.h"
#include "histograms/SpikeDataSheetClass.h"
#include "platform/ui/Automation.h"
#include "shell/SpikeDoc.h"
#include "support/HostDocuments.h"
#include "support/SpikyRecording.h"

using namespace Nerolith;
namespace F = Nerolith::DataSheetFunctions;

namespace {

// Index of a statistic: 2 + 13 x analysis + statistic.
std::int32_t IndexOf(F::Analysis analysis, F::Statistic statistic)
{
    return 2 + 13 * static_cast<std::int32_t>(analysis) + static_cast<std::int32_t>(statistic);
}

TEST(DataSheetFunctionTable, NamesDescriptionsAndUnitsFollowTheIndexLayout)
{
    EXPECT_EQ(F::ClassName(0), VEX::String(u"Channel"));
    EXPECT_EQ(F::ItemName(1), VEX::String(u"Selected Unit"));
    EXPECT_EQ(F::Description(1), VEX::String(u"Returns the name of the currently selected unit."));
    EXPECT_EQ(F::Units(0, u"mV"), VEX::String(u" "));

    EXPECT_EQ(F::ClassName(2), VEX::String(u"AH: Bin Size"));
    EXPECT_EQ(F::Description(2), VEX::String(u"Returns the bin size for the Amplitude Histogram."));
    EXPECT_EQ(F::Units(2, u"mV"), VEX::String(u"mV"));
    EXPECT_EQ(F::ClassName(12), VEX::String(u"AH: Bin with Maximum"));
    EXPECT_EQ(F::ItemName(12), VEX::String(u"AH: Maximum at"));
    EXPECT_EQ(F::ItemName(14), VEX::String(u"AH: Minimum at"));
    EXPECT_EQ(F::Description(14),
              VEX::String(u"Returns the bin with the minimum number of spikes for the Amplitude Histogram."));

    EXPECT_EQ(F::ClassName(15), VEX::String(u"ISIH: Bin Size"));
    EXPECT_EQ(F::Units(15, u"mV"), VEX::String(u" s"));
    EXPECT_EQ(F::Description(18), VEX::String(u"Returns the total counts (number of spike intervals) for the "
                                              u"Interspike Interval Histogram."));
    EXPECT_EQ(F::Description(19), VEX::String(u"Returns the mean interspike interval for the Interspike Interval "
                                              u"Histogram."));
    EXPECT_EQ(F::Units(IndexOf(F::Analysis::InterspikeInterval, F::Statistic::MeanY), u"mV"), VEX::String(u" "));
    EXPECT_EQ(F::Units(IndexOf(F::Analysis::InterspikeInterval, F::Statistic::MeanX), u"mV"), VEX::String(u" s"));

    EXPECT_EQ(F::Description(IndexOf(F::Analysis::PeristimulusTime, F::Statistic::MeanX)),
              VEX::String(u"Returns the mean spike occurence time for the Peristimulus Time Histogram."));
    EXPECT_EQ(F::Description(IndexOf(F::Analysis::RateMeter, F::Statistic::SDX)),
              VEX::String(u"Returns the standard deviation of spike occurrence times for the Rate Meter."));
    EXPECT_EQ(F::Description(IndexOf(F::Analysis::CrossCorrelation, F::Statistic::BinSize)),
              VEX::String(u"Returns the bin size for the Cross-correlationHistogram."));
    EXPECT_EQ(F::ItemName(79), VEX::String(u"CCH: Minimum at"));
    // The selected unit's quality figures follow the statistics.
    EXPECT_EQ(F::ItemName(80), VEX::String(u"Quality: Refractory Violations"));
    EXPECT_EQ(F::ItemName(86), VEX::String(u"Quality: Presence"));
    EXPECT_FALSE(F::StatisticOf(80).has_value());
    EXPECT_EQ(F::Units(83, u"mV"), VEX::String(u" "));
    EXPECT_EQ(F::Description(83),
              VEX::String(u"Returns the isolation distance on height and width (Harris et al. 2001) for the selected unit."));
    EXPECT_FALSE(F::IsValidIndex(87));
    EXPECT_THROW(SpikeDataSheetClass(87), std::out_of_range);
}

// Counts 3, 7 and 7 in bins 0 to 2 of a page with bins of 0.5.
HistogramPages ThreeBins(double xOrigin = 0.0)
{
    HistogramPages pages;
    pages.SetBinSize(0.5);
    pages.SetXOrigin(xOrigin);
    pages.StartPage(0.0);
    const std::int32_t counts[] = {3, 7, 7};
    for (std::int64_t bin = 0; bin < 3; ++bin) {
        for (std::int32_t i = 0; i < counts[bin]; ++i) {
            pages.CountValue(bin, pages.XStart() + 0.5 * static_cast<double>(bin) + 0.25);
        }
    }
    return pages;
}

TEST(DataSheetStatistics, ExtremesNameTheLowerEdgeOfTheFirstBinWithThem)
{
    const HistogramPages pages = ThreeBins();
    EXPECT_EQ(StatisticValue(F::Statistic::MaximumAt, 0.5, &pages), Host::Variant(0.5));
    EXPECT_EQ(StatisticValue(F::Statistic::Maximum, 0.5, &pages), Host::Variant(7.0));
    EXPECT_EQ(StatisticValue(F::Statistic::MinimumAt, 0.5, &pages), Host::Variant(0.0));
    EXPECT_EQ(StatisticValue(F::Statistic::TotalCounts, 0.5, &pages), Host::Variant(std::int32_t{17}));
    EXPECT_EQ(StatisticValue(F::Statistic::SelectionStart, 0.5, &pages), Host::Variant());

    // An origin between bin edges: bins start at the edge below it, and the
    // value names that bin's edge, as the graph shows it.
    const HistogramPages shifted = ThreeBins(-0.7);
    EXPECT_DOUBLE_EQ(std::get<double>(StatisticValue(F::Statistic::MaximumAt, 0.5, &shifted)), -0.5);
}

TEST(DataSheetStatistics, WithASelectionOnlyTheValuesInsideItCount)
{
    HistogramPages pages;
    pages.SetBinSize(0.5);
    pages.SetSelection(0.5, 1.0);
    pages.StartPage(0.0);
    for (const double x : {0.1, 0.6, 0.7, 1.0, 1.2}) {
        pages.CountValue(*pages.BinIndex(x), x);
    }
    EXPECT_EQ(StatisticValue(F::Statistic::TotalCounts, 0.5, &pages), Host::Variant(std::int32_t{2}));
    EXPECT_DOUBLE_EQ(std::get<double>(StatisticValue(F::Statistic::MeanX, 0.5, &pages)), 0.65);
    EXPECT_EQ(StatisticValue(F::Statistic::SelectionStart, 0.5, &pages), Host::Variant(0.5));
    EXPECT_EQ(StatisticValue(F::Statistic::SelectionEnd, 0.5, &pages), Host::Variant(1.0));
}

TEST(DataSheetStatistics, WithoutAPaneCountsAreZeroAndExtremesEmpty)
{
    EXPECT_EQ(StatisticValue(F::Statistic::BinSize, 0.02, nullptr), Host::Variant(0.02));
    EXPECT_EQ(StatisticValue(F::Statistic::TotalCounts, 0.02, nullptr), Host::Variant(std::int32_t{0}));
    EXPECT_EQ(StatisticValue(F::Statistic::SDY, 0.02, nullptr), Host::Variant(0.0));
    EXPECT_EQ(StatisticValue(F::Statistic::Minimum, 0.02, nullptr), Host::Variant());
    HistogramPages noPages;
    EXPECT_EQ(StatisticValue(F::Statistic::MaximumAt, 0.02, &noPages), Host::Variant());
}

// An analysis view as the Data Sheet reads it.
class SheetView final : public SpikeView, public DataSheetView {
public:
    explicit SheetView(Host::ViewKind kind) : kind_(kind) {}

    Host::ViewKind Kind() const override { return kind_; }
    void Notify(const SpikeNotification&) override {}
    void NotifyUnit(std::int32_t) override {}
    void Reset() override {}
    void ReadSettings() override {}
    void Recompute() override {}
    void DataAdvanced(std::int32_t, double) override {}
    void Refresh() override {}
    void AddPane(std::int32_t) override {}
    void RemovePane(std::int32_t) override {}
    HRESULT SetSetting(const VEX::String&, const VEX::String&) override { return E_INVALIDARG; }
    HRESULT GetSetting(const VEX::String&, VEX::String*) override { return E_INVALIDARG; }

    double DataSheetBinSize() const override { return 0.5; }
    std::vector<const HistogramPane*> DataSheetPanes() const override
    {
        std::vector<const HistogramPane*> panes;
        for (const auto& pane : panes_) {
            panes.push_back(pane.get());
        }
        return panes;
    }

    // A pane of the unit with a page holding the heights.
    void AddHeights(std::int32_t unit, const std::vector<double>& heights)
    {
        auto pane = histtest::PaneWithPage<AmplitudeHistogram>(owner_, 0.5, unit);
        for (const double height : heights) {
            pane->AddSpike(unit, height);
        }
        panes_.push_back(std::move(pane));
    }

private:
    Host::ViewKind kind_;
    histtest::FakeOwner owner_;
    std::vector<std::unique_ptr<HistogramPane>> panes_;
};

class SpikeDataSheetItemTest : public ::testing::Test {
protected:
    Host::Variant Value(std::int32_t index, std::int32_t channel = 0)
    {
        Host::Variant value;
        EXPECT_EQ(Function(index)->Value(channel, &value), S_OK);
        return value;
    }
    VEX::String Units(std::int32_t index)
    {
        VEX::String units;
        Function(index)->Units(&units);
        return units;
    }
    ComPtr<IDataSheetFunction> Function(std::int32_t index)
    {
        ComPtr<IDataSheetFunction> function;
        SpikeDataSheetClass functionClass(index);
        EXPECT_EQ(functionClass.Create(static_cast<ISpikeDocInterface*>(doc.Get()), function.Put()), S_OK);
        return function;
    }
    void SelectNewUnit(std::int32_t number, const char16_t* name)
    {
        Host::UnitDescription unit;
        unit.kind = 2;
        unit.number = number;
        unit.name = name;
        unit.widths = {0, 1, 1};
        unit.heights = {0, 0, 1};
        ASSERT_EQ(doc->RestoreUnit(unit), S_OK);
        ASSERT_EQ(doc->SetSelectedUnit(number), S_OK);
    }

    ComPtr<Desk::HostDocument> host = TestSupport::NewHostDocument(TestSupport::SpikyRecording({{1000}}));
    ComPtr<SpikeDoc> doc = ComPtr<SpikeDoc>::Attach(new SpikeDoc(host.Get()));
};

TEST_F(SpikeDataSheetItemTest, WithoutAViewTheStatisticsAreEmptyButChannelAndUnitAnswer)
{
    EXPECT_EQ(Value(F::kChannel, 1), Host::Variant(VEX::String(u"Channel 2")));
    EXPECT_EQ(Value(F::kSelectedUnit), Host::Variant(VEX::String(u"No Unit Selected")));
    for (std::int32_t index = 2; index < 15; ++index) {
        EXPECT_EQ(Value(index), Host::Variant()) << index;
    }
    EXPECT_EQ(Units(2), VEX::String(u"mV"));
    EXPECT_EQ(Units(5), VEX::String(u" "));

    Host::Variant value;
    EXPECT_EQ(Function(2)->Value(2, &value), E_INVALIDARG) << "the recording has two channels";
    ComPtr<IDataSheetFunction> function;
    EXPECT_EQ(SpikeDataSheetClass(2).Create(host.Get(), function.Put()), E_INVALIDARG);
}

TEST_F(SpikeDataSheetItemTest, StatisticsComeFromTheLastPaneOfTheSelectedUnit)
{
    SheetView view(Host::ViewKind::AmplitudeHistogram);
    ASSERT_TRUE(doc->AttachView(view));
    SelectNewUnit(4, u"Burst");
    view.AddHeights(3, {0.1, 0.6});
    view.AddHeights(4, {0.1});
    view.AddHeights(4, {0.1, 0.1, 0.1, 0.6, 0.6, 0.6, 0.6, 1.1, 1.1, 1.1, 1.1});
    EXPECT_EQ(Value(F::kSelectedUnit), Host::Variant(VEX::String(u"Burst")));
    EXPECT_EQ(Value(IndexOf(F::Analysis::Amplitude, F::Statistic::BinSize)), Host::Variant(0.5));
    EXPECT_EQ(Value(IndexOf(F::Analysis::Amplitude, F::Statistic::TotalCounts)), Host::Variant(std::int32_t{11}));
    EXPECT_EQ(Value(IndexOf(F::Analysis::Amplitude, F::Statistic::MaximumAt)), Host::Variant(0.5));
    EXPECT_EQ(Value(IndexOf(F::Analysis::InterspikeInterval, F::Statistic::BinSize)), Host::Variant())
        << "no interspike interval view is open";

    // A unit without a pane in the view: counts fall back to 0.
    SelectNewUnit(5, u"Quiet");
    EXPECT_EQ(Value(IndexOf(F::Analysis::Amplitude, F::Statistic::TotalCounts)), Host::Variant(std::int32_t{0}));
    EXPECT_EQ(Value(IndexOf(F::Analysis::Amplitude, F::Statistic::Maximum)), Host::Variant());
    doc->DetachView(view);
}

TEST_F(SpikeDataSheetItemTest, TheOptionsDialogListsTheUnitsAndAppliesNothing)
{
    namespace automation = platform::ui::automation;
    std::int32_t alpha = 0;
    std::int32_t beta = 0;
    ASSERT_EQ(doc->CreateContourUnit(0, {0, 1, 1}, {0, 0, 1}, u"Alpha", &alpha), S_OK);
    ASSERT_EQ(doc->CreateContourUnit(0, {0, 1, 1}, {0, 0, 1}, u"Beta", &beta), S_OK);
    bool shown = false;
    automation::SetDialogDriver([&](platform::ui::TDialog& dialog) {
        shown = true;
        EXPECT_EQ(dialog.GetCaption(), VEX::String(u"Dialog"));
        ASSERT_EQ(dialog.GetItemCount(DataSheetOptionsDialog::kUnitList), 2);
        EXPECT_EQ(dialog.GetItemText(DataSheetOptionsDialog::kUnitList, 0), VEX::String(u"Alpha"));
        EXPECT_EQ(dialog.GetSelIndex(DataSheetOptionsDialog::kUnitList), 1) << "the selected unit is shown";
        automation::ChooseItem(dialog, DataSheetOptionsDialog::kUnitList, 0);
        automation::Click(dialog, platform::ui::IDOK);
    });
    EXPECT_EQ(SpikeDataSheetClass(1).ShowOptions(static_cast<ISpikeDocInterface*>(doc.Get())), S_OK);
    automation::Reset();
    EXPECT_TRUE(shown);
    EXPECT_EQ(Value(F::kSelectedUnit), Host::Variant(VEX::String(u"Beta")));
}

} // namespace

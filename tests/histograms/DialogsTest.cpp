#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "histograms/BinSizeDialog.h"
#include "histograms/CrossCorrPagingDialog.h"
#include "histograms/PSTHPagingDialog.h"
#include "histograms/PagingDialog.h"
#include "histograms/StatisticsDialog.h"
#include "histograms/StatisticsText.h"
#include "platform/ui/Automation.h"

namespace {

using namespace Nerolith;
namespace automation = platform::ui::automation;
using platform::ui::IDCANCEL;
using platform::ui::IDOK;
using platform::ui::TDialog;

class DialogsTest : public ::testing::Test {
protected:
    DialogsTest() { automation::Reset(); }
    ~DialogsTest() override { automation::Reset(); }

    // Runs the dialog with the driver; returns how it closed.
    static std::int32_t Run(TDialog& dialog, const std::function<void(TDialog&)>& driver)
    {
        automation::SetDialogDriver(driver);
        return dialog.Execute();
    }
    static std::vector<std::u16string> Messages()
    {
        std::vector<std::u16string> texts;
        for (const auto& shown : automation::ShownMessageBoxes()) {
            texts.push_back(shown.caption.Str() + u": " + shown.text.Str());
        }
        return texts;
    }
};

TEST_F(DialogsTest, PagingRefusesACountBelowOneAndPutsTheOldValueBack)
{
    PagingSettings settings;
    settings.blocksPerPage = 3;
    PagingDialog dialog(nullptr, settings);
    std::vector<bool> enabled;
    const std::int32_t closed = Run(dialog, [&](TDialog& d) {
        enabled = {d.IsControlEnabled(PagingDialog::kBlocksEdit), d.IsControlEnabled(PagingDialog::kDurationEdit)};
        automation::Click(d, PagingDialog::kBlocksRadio);
        enabled.push_back(d.IsControlEnabled(PagingDialog::kBlocksEdit));
        automation::TypeText(d, PagingDialog::kBlocksEdit, u"0");
        automation::Click(d, IDOK);
        EXPECT_TRUE(d.IsOpen());
        EXPECT_EQ(d.GetNumber(PagingDialog::kBlocksEdit), 3.0) << "the previous value is back";
        automation::Click(d, IDOK);
    });
    EXPECT_EQ(closed, IDOK);
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, true})) << "only the checked mode's box is enabled";
    EXPECT_EQ(Messages(), std::vector<std::u16string>{u"Nerolith: Blocks per page must be greater than zero"});
    EXPECT_EQ(dialog.Settings().mode, kBlocksPerPage);
    EXPECT_EQ(dialog.Settings().blocksPerPage, 3);
}

TEST_F(DialogsTest, PagingReadsOnlyTheChosenModesBox)
{
    PagingDialog dialog(nullptr, PagingSettings{});
    Run(dialog, [](TDialog& d) {
        automation::TypeText(d, PagingDialog::kBlocksEdit, u"not a number");
        automation::Click(d, PagingDialog::kDurationRadio);
        automation::TypeText(d, PagingDialog::kDurationEdit, u"0");
        automation::Click(d, IDOK);
        automation::TypeText(d, PagingDialog::kDurationEdit, u"2.5");
        automation::Click(d, IDOK);
    });
    EXPECT_EQ(Messages(), std::vector<std::u16string>{u"Nerolith: Fixed duration must be greater than zero"});
    EXPECT_EQ(dialog.Settings().mode, kFixedDuration);
    EXPECT_EQ(dialog.Settings().fixedDuration, 2.5);
    EXPECT_EQ(dialog.Settings().blocksPerPage, 1);
}

TEST_F(DialogsTest, CrossCorrelationPagingWordsItsRefusalsAndOffersTheSources)
{
    CrossCorrPagingDialog dialog(nullptr, PagingSettings{}, {u"Stimulus", u"Unit 1"}, u"Unit 1");
    Run(dialog, [](TDialog& d) {
        EXPECT_EQ(d.GetSelIndex(CrossCorrPagingDialog::kSource), 1) << "the current source is selected";
        automation::Click(d, PagingDialog::kStimulusRadio);
        automation::TypeText(d, PagingDialog::kEventsEdit, u"-2");
        automation::Click(d, IDOK);
        automation::TypeText(d, PagingDialog::kEventsEdit, u"4");
        automation::ChooseItem(d, CrossCorrPagingDialog::kSource, 0);
        automation::Click(d, IDOK);
    });
    EXPECT_EQ(Messages(), std::vector<std::u16string>{u"Error in Paging Options: Sweeps Per Page must be greater than zero"});
    EXPECT_EQ(dialog.Settings().eventsPerPage, 4);
    EXPECT_EQ(dialog.Reference(), VEX::String(u"Stimulus"));

    CrossCorrPagingDialog none(nullptr, PagingSettings{}, {}, u"Gone");
    Run(none, [](TDialog& d) {
        EXPECT_FALSE(d.IsControlEnabled(CrossCorrPagingDialog::kSource));
        EXPECT_EQ(d.GetItemText(CrossCorrPagingDialog::kSource, 0), VEX::String(u"No event channels available"));
        automation::Click(d, IDOK);
    });
    EXPECT_EQ(none.Reference(), VEX::String()) << "without sources the reference becomes empty";
}

TEST_F(DialogsTest, PeristimulusPagingKeepsWhatWasTypedWhenItRefuses)
{
    PSTHPagingDialog dialog(nullptr, PagingSettings{}, {u"Stimulus"}, {});
    Run(dialog, [](TDialog& d) {
        EXPECT_TRUE(d.IsChecked(PSTHPagingDialog::kBlocksRadio)) << "mode 0 shows as blocks";
        automation::TypeText(d, PSTHPagingDialog::kSweeps, u"0");
        automation::Click(d, IDOK);
        EXPECT_EQ(d.GetControlText(PSTHPagingDialog::kSweeps), VEX::String(u"0"));
        automation::TypeText(d, PSTHPagingDialog::kSweeps, u"2.5");
        automation::TypeText(d, PSTHPagingDialog::kPreStimulus, u"-0.1");
        automation::Click(d, IDOK);
        automation::TypeText(d, PSTHPagingDialog::kPreStimulus, u"0");
        automation::Click(d, PSTHPagingDialog::kStimulusRadio);
        automation::ChooseItem(d, PSTHPagingDialog::kSource, 0);
        automation::Click(d, IDOK);
    });
    EXPECT_EQ(Messages(), (std::vector<std::u16string>{
                              u"Error in Paging Options: Sweeps Per Page must be one or greater",
                              u"Error in Paging Options: Pre-stimulus Time must be greater than or equal to zero"}));
    EXPECT_EQ(dialog.Settings().mode, kStimulusEvents);
    EXPECT_EQ(dialog.Settings().eventsPerPage, 2);
    EXPECT_EQ(dialog.Settings().blocksPerPage, 2);
    EXPECT_EQ(dialog.Settings().preStimulusTime, 0.0) << "a pre-stimulus time of 0 is taken";
    EXPECT_EQ(dialog.Stimulus(), VEX::String(u"Stimulus"));
}

TEST_F(DialogsTest, BinSizeAndStatisticsDialogs)
{
    BinSizeDialog binSize(nullptr, 0.01, u"mV");
    Run(binSize, [](TDialog& d) {
        EXPECT_EQ(d.GetControlText(BinSizeDialog::kUnits), VEX::String(u"mV"));
        automation::TypeText(d, BinSizeDialog::kBinSize, u"0.00000001");
        automation::Click(d, IDOK);
        EXPECT_TRUE(d.IsOpen()) << "below the smallest bin size";
        automation::TypeText(d, BinSizeDialog::kBinSize, u"0.002");
        automation::Click(d, IDOK);
    });
    EXPECT_EQ(binSize.BinSize(), 0.002);

    StatisticsDialog statistics(nullptr, kShowAllStatistics & ~kShowMaxY);
    const std::int32_t closed = Run(statistics, [](TDialog& d) {
        EXPECT_FALSE(d.IsChecked(StatisticsDialog::kMaxY));
        automation::Click(d, StatisticsDialog::kSdX);
        automation::Click(d, IDOK);
    });
    EXPECT_EQ(closed, IDOK);
    EXPECT_EQ(statistics.Options(), kShowAllStatistics & ~kShowMaxY & ~kShowSdX);
}

} // namespace

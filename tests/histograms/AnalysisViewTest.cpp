#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "histograms/AnalysisView.h"
#include "histograms/AnalysisViewToolbar.h"
#include "histograms/AutoCorrelationHistogram.h"
#include "histograms/StatisticsDialog.h"
#include "histograms/ViewClasses.h"
#include "platform/text/ListSeparator.h"
#include "platform/ui/Automation.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/TDialog.h"
#include "platform/ui/TPopupMenu.h"
#include "shell/ClassRegistration.h"
#include "shell/SpikeDoc.h"
#include "support/HostDocuments.h"
#include "support/SpikyRecording.h"

namespace {

using namespace Nerolith;
namespace automation = platform::ui::automation;
using Toolbar = AnalysisViewToolbar;
using Host::ViewKind;

// Spikes at 0.1, 0.3 and 0.6 s in block 0 and at 0.05 and 0.25 s in block 1.
class AnalysisViewTest : public ::testing::Test {
protected:
    AnalysisViewTest()
        : host(TestSupport::NewHostDocument(TestSupport::SpikyRecording({{1000, 3000, 6000}, {500, 2500}}))),
          doc(ComPtr<SpikeDoc>::Attach(new SpikeDoc(host.Get()))), hook(InstalledWindows().openView),
          closeHook(InstalledWindows().closeViews)
    {
        InstallAnalysisViews();
        VEX::OverrideListSeparator(u',');
        automation::Reset();
    }
    ~AnalysisViewTest() override
    {
        CloseAnalysisViews(*doc);
        InstalledWindows().openView = hook;
        InstalledWindows().closeViews = closeHook;
        VEX::OverrideListSeparator(std::nullopt);
        automation::Reset();
    }

    AnalysisView& Open(ViewKind kind)
    {
        EXPECT_EQ(doc->OpenView(kind), S_OK);
        return dynamic_cast<AnalysisView&>(*doc->FindView(kind));
    }
    // A unit that takes every spike.
    std::int32_t AddUnit(const char16_t* name = u"")
    {
        std::int32_t number = -1;
        doc->CreateContourUnit(0, {0.0, 10.0, 10.0, 0.0}, {0.0, 0.0, 5.0, 5.0}, name, &number);
        return number;
    }
    void Analyze()
    {
        doc->RequestAnalyze();
        host->Messages().DeliverPending();
    }
    static std::vector<std::int32_t> PaneUnits(const AnalysisView& view)
    {
        std::vector<std::int32_t> units;
        for (const HistogramPane* pane : view.Panes()) {
            units.push_back(pane->Unit());
        }
        return units;
    }
    static float TotalCount(const HistogramPane& pane, std::int32_t page = 0)
    {
        float total = 0.0f;
        for (const float count : pane.Pages().PageBins(page)) {
            total += count;
        }
        return total;
    }
    HRESULT Set(ViewKind kind, const char16_t* name, const char16_t* value)
    {
        return doc->SetViewSetting(kind, name, value);
    }
    std::u16string Get(ViewKind kind, const char16_t* name)
    {
        VEX::String value;
        EXPECT_EQ(doc->GetViewSetting(kind, name, &value), S_OK) << VEX::String(name).ToUtf8();
        return value.Str();
    }

    ComPtr<Desk::HostDocument> host;
    ComPtr<SpikeDoc> doc;
    std::function<HRESULT(AnalysisDocument&, ViewKind)> hook;
    std::function<void(AnalysisDocument&)> closeHook;
};

TEST_F(AnalysisViewTest, ClosingTheViewsLetsTheirDocumentGo)
{
    Open(ViewKind::Autocorrelation);
    Open(ViewKind::RateMeter);
    const auto references = [this] {
        doc->AddRef();
        return doc->Release();
    };
    const std::uint32_t withViews = references();
    EXPECT_EQ(doc->CloseViews(), S_OK);
    EXPECT_EQ(references(), withViews - 2) << "each open view held its document";
    EXPECT_EQ(doc->FindView(ViewKind::Autocorrelation), nullptr);
}

TEST_F(AnalysisViewTest, PanesFollowTheUnitsOfTheSourceChannel)
{
    const std::int32_t first = AddUnit(u"First");
    AnalysisView& view = Open(ViewKind::InterspikeInterval);
    EXPECT_EQ(PaneUnits(view), std::vector<std::int32_t>{first}) << "a view attaches with a pane per unit";
    EXPECT_EQ(view.Panes()[0]->Label(), VEX::String(u"First"));

    const std::int32_t second = AddUnit();
    EXPECT_EQ(PaneUnits(view), (std::vector<std::int32_t>{first, second}));
    view.AddPane(second);
    EXPECT_EQ(view.Panes().size(), 2u) << "no unit has two panes";

    EXPECT_EQ(doc->DeleteUnit(first), S_OK);
    EXPECT_EQ(PaneUnits(view), std::vector<std::int32_t>{second});

    // A unit of another channel is not shown; when that channel becomes the
    // source channel, the panes follow.
    std::int32_t other = -1;
    doc->CreateContourUnit(1, {0.0, 1.0, 1.0}, {0.0, 0.0, 1.0}, {}, &other);
    EXPECT_EQ(PaneUnits(view), std::vector<std::int32_t>{second});
    doc->SetSourceChannel(1);
    EXPECT_EQ(PaneUnits(view), std::vector<std::int32_t>{other});
    EXPECT_EQ(view.Title(), VEX::String(u"Channel 2: Interspike Interval Histogram View"));
}

TEST_F(AnalysisViewTest, NotificationsReachThePanesAndEachAnalysisCountsItsOwnValue)
{
    AddUnit();
    AnalysisView& intervals = Open(ViewKind::InterspikeInterval);
    AnalysisView& rates = Open(ViewKind::RateMeter);
    AnalysisView& amplitudes = Open(ViewKind::AmplitudeHistogram);
    Analyze();
    // 0.2 and 0.3 s in block 0, 0.2 s in block 1; no interval spans the block end.
    const HistogramPane& interval = *intervals.Panes()[0];
    EXPECT_EQ(TotalCount(interval), 3.0f);
    EXPECT_EQ(interval.Pages().PageBins(0)[20], 2.0f);
    EXPECT_EQ(interval.Pages().PageBins(0)[30], 1.0f);
    EXPECT_EQ(TotalCount(*rates.Panes()[0]), 5.0f);
    EXPECT_EQ(TotalCount(*amplitudes.Panes()[0]), 5.0f);
    EXPECT_EQ(amplitudes.UnitsText(), VEX::String(u"mV")) << "amplitudes are in the channel's units";
    EXPECT_EQ(amplitudes.BinSizeText(), VEX::String(u"0.01 mV"));

    // A view opened after the analysis is given what the store holds.
    AnalysisView& late = Open(ViewKind::Autocorrelation);
    EXPECT_EQ(late.Paging().PageCount(), 1);
    EXPECT_GT(TotalCount(*late.Panes()[0]), 0.0f);
}

TEST_F(AnalysisViewTest, TheToolbarStepsTheBinSizeThroughTheDocument)
{
    AnalysisView& view = Open(ViewKind::InterspikeInterval);
    Toolbar& toolbar = view.Toolbar();
    EXPECT_FALSE(toolbar.IsControlEnabled(Toolbar::kIncreaseBinSize)) << "a view without panes counts nothing";
    EXPECT_FALSE(toolbar.IsControlEnabled(Toolbar::kDecreaseBinSize));

    AddUnit();
    Analyze();
    automation::Click(toolbar, Toolbar::kIncreaseBinSize);
    EXPECT_EQ(view.BinSize(), 0.02);
    EXPECT_EQ(toolbar.GetControlText(Toolbar::kBinSizeMenu), VEX::String(u"0.02 s"));
    EXPECT_EQ(view.Panes()[0]->BinSize(), 0.02);
    // Analysed again with the new bins: 0.2 s now falls into bin 10.
    EXPECT_EQ(view.Panes()[0]->Pages().PageBins(0)[10], 2.0f);
    automation::Click(toolbar, Toolbar::kIncreaseBinSize);
    EXPECT_EQ(view.BinSize(), 0.05);

    for (int i = 0; i < 3; ++i) {
        automation::Click(toolbar, Toolbar::kDecreaseBinSize);
    }
    EXPECT_EQ(view.BinSize(), 0.005);
    EXPECT_EQ(Get(ViewKind::InterspikeInterval, u"bin-size"), u"0.005");

    EXPECT_EQ(Set(ViewKind::InterspikeInterval, u"bin-size", u"1e-7"), S_OK);
    EXPECT_FALSE(toolbar.IsControlEnabled(Toolbar::kDecreaseBinSize)) << "nothing below the smallest size";
    EXPECT_EQ(Set(ViewKind::InterspikeInterval, u"bin-size", u"5e-8"), E_INVALIDARG);
    EXPECT_EQ(Set(ViewKind::InterspikeInterval, u"bin-size", u"nan"), E_INVALIDARG);

    // The bin size menu offers the dialog.
    automation::SetMenuChooser([](const platform::ui::TPopupMenu& menu, const platform::ui::TPoint&) {
        EXPECT_EQ(menu.Items().at(0).text, VEX::String(u"1e-07 s"));
        EXPECT_TRUE(menu.Items().at(0).checked);
        return AnalysisView::kSetBinSizeItem;
    });
    automation::SetDialogDriver([](platform::ui::TDialog& dialog) {
        automation::TypeText(dialog, 1101, u"0.25");
        automation::Click(dialog, platform::ui::IDOK);
    });
    automation::Click(toolbar, Toolbar::kBinSizeMenu);
    EXPECT_EQ(view.BinSize(), 0.25);
}

TEST_F(AnalysisViewTest, PagesAreShownWithinThePagesThereAre)
{
    AddUnit();
    AnalysisView& view = Open(ViewKind::RateMeter);
    Toolbar& toolbar = view.Toolbar();
    EXPECT_EQ(view.PageText(), VEX::String(u"No Pages"));
    ASSERT_EQ(view.PageMenu().Items().size(), 1u);
    EXPECT_EQ(view.PageMenu().Items()[0].text, VEX::String(u"No Pages"));
    EXPECT_FALSE(toolbar.IsControlEnabled(Toolbar::kPreviousPage));
    EXPECT_FALSE(toolbar.IsControlEnabled(Toolbar::kNextPage));
    EXPECT_EQ(Set(ViewKind::RateMeter, u"page", u"2"), S_OK) << "without pages nothing happens";

    ASSERT_EQ(Set(ViewKind::RateMeter, u"paging", u"blocks:1"), S_OK);
    Analyze();
    EXPECT_EQ(view.PageText(), VEX::String(u"Page 2 of 2")) << "the newest page is shown";
    EXPECT_TRUE(toolbar.IsControlEnabled(Toolbar::kPreviousPage));
    EXPECT_FALSE(toolbar.IsControlEnabled(Toolbar::kNextPage));
    EXPECT_EQ(view.Panes()[0]->CurrentPage(), 1);

    automation::Click(toolbar, Toolbar::kPreviousPage);
    EXPECT_EQ(view.PageText(), VEX::String(u"Page 1 of 2"));
    EXPECT_FALSE(toolbar.IsControlEnabled(Toolbar::kPreviousPage));
    EXPECT_TRUE(toolbar.IsControlEnabled(Toolbar::kNextPage));
    EXPECT_EQ(view.Panes()[0]->CurrentPage(), 0);

    const platform::ui::TPopupMenu menu = view.PageMenu();
    ASSERT_EQ(menu.Items().size(), 2u);
    EXPECT_EQ(menu.Items()[1].text, VEX::String(u"Page 2 of 2"));
    EXPECT_EQ(menu.Items()[1].id, AnalysisView::kFirstPageItem + 1);
    EXPECT_TRUE(menu.Items()[0].checked);
    automation::SetMenuChooser([](const platform::ui::TPopupMenu&, const platform::ui::TPoint&) {
        return AnalysisView::kFirstPageItem + 1;
    });
    automation::Click(toolbar, Toolbar::kPageMenu);
    EXPECT_EQ(Get(ViewKind::RateMeter, u"page"), u"2");

    EXPECT_EQ(Set(ViewKind::RateMeter, u"page", u"1"), S_OK);
    EXPECT_EQ(Set(ViewKind::RateMeter, u"page", u"9"), S_OK);
    EXPECT_EQ(view.PageText(), VEX::String(u"Page 2 of 2")) << "a page beyond the last shows the last";
    EXPECT_EQ(Set(ViewKind::RateMeter, u"page", u"0"), E_INVALIDARG);
}

TEST_F(AnalysisViewTest, CopyPutsThePanesTextsAndPictureOnTheClipboard)
{
    AddUnit(u"A");
    AddUnit(u"B");
    AnalysisView& view = Open(ViewKind::InterspikeInterval);
    ASSERT_EQ(Set(ViewKind::InterspikeInterval, u"bin-size", u"0.1"), S_OK);
    Analyze();
    // Every spike goes to one unit, the later of two that both take it.
    EXPECT_EQ(view.CopiedText(), u"A\nTime\tPage 1\n\nB\nTime\tPage 1\n0\t0\n0.1\t0\n0.2\t2\n0.3\t1\n\n");
    ASSERT_TRUE(view.Copy());
    EXPECT_EQ(platform::ui::ReadClipboardText(), VEX::String(view.CopiedText()));
    EXPECT_TRUE(platform::ui::ReadClipboardPng().has_value());
    EXPECT_TRUE(platform::ui::ReadClipboardSvg().has_value());
    EXPECT_EQ(view.StatisticsLines().substr(0, 36), u"A: Count = 0.  \nB: Count = 3.  \nX: M");

    const std::string pdf = (std::filesystem::temp_directory_path() / "nerolith-view-print.pdf").string();
    view.PrintToFile(VEX::String::FromUtf8(pdf));
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
    std::filesystem::remove(pdf);

    automation::SetClipboardAvailable(false);
    EXPECT_FALSE(view.Copy());
    const auto shown = automation::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, VEX::String(u"Unable to copy to clipboard at present"));
    EXPECT_EQ(shown[0].caption, VEX::String(u"Error"));
}

TEST_F(AnalysisViewTest, StatisticsOptionsSizeTheStatisticsArea)
{
    AddUnit();
    AnalysisView& view = Open(ViewKind::RateMeter);
    EXPECT_EQ(view.Panes()[0]->StatisticsArea(), 44);
    automation::SetDialogDriver([](platform::ui::TDialog& dialog) {
        for (std::int32_t id = StatisticsDialog::kMeanX; id <= StatisticsDialog::kSdY; ++id) {
            automation::Click(dialog, id);
        }
        automation::Click(dialog, platform::ui::IDOK);
    });
    automation::Click(view.Toolbar(), Toolbar::kStatistics);
    EXPECT_EQ(view.StatisticsOptions(), 0);
    EXPECT_EQ(view.Panes()[0]->StatisticsArea(), 16);
    EXPECT_EQ(Set(ViewKind::RateMeter, u"stats", u"2"), S_OK);
    EXPECT_EQ(view.Panes()[0]->StatisticsArea(), 30);
    EXPECT_EQ(Set(ViewKind::RateMeter, u"stats", u"128"), E_INVALIDARG);
}

TEST_F(AnalysisViewTest, EachViewNamesItself)
{
    struct Texts {
        ViewKind kind;
        const char16_t* name;
        const char16_t* hint;
    };
    const Texts views[] = {
        {ViewKind::AmplitudeHistogram, u"Amplitude Histogram View", u"Open Paging Options Dialog"},
        {ViewKind::InterspikeInterval, u"Interspike Interval Histogram View", u"Open Paging Options Dialog"},
        {ViewKind::Autocorrelation, u"Autocorrelation Histogram View", u"Open Paging Options Dialog"},
        {ViewKind::CrossCorrelation, u"Cross-correlation Histogram View",
         u"Open Paging and Reference Options Dialog"},
        {ViewKind::PeristimulusTime, u"Peristimulus Time Histogram View", u"Open Paging and Stimulus Options Dialog"},
        {ViewKind::RateMeter, u"Rate Meter View", u"Open Paging Options Dialog"},
    };
    for (const Texts& texts : views) {
        AnalysisView& view = Open(texts.kind);
        const VEX::String name(texts.name);
        EXPECT_EQ(view.Title(), VEX::String(u"Channel 1: ") + name);
        EXPECT_EQ(view.GetCaption(), view.Title());
        EXPECT_EQ(view.CopyMenuText(), VEX::String(u"Copy ") + name);
        EXPECT_EQ(view.PrintMenuText(), VEX::String(u"Print ") + name + VEX::String(u"..."));
        EXPECT_EQ(view.Toolbar().GetControlTooltip(Toolbar::kPaging), VEX::String(texts.hint));
    }
    EXPECT_EQ(dynamic_cast<AnalysisView&>(*doc->FindView(ViewKind::CrossCorrelation)).StatusText(),
              VEX::String(u"Reference Source: Not selected"));
}

TEST_F(AnalysisViewTest, WaitingForAStimulusIsShownAndTheAmplitudeViewCountsNothing)
{
    AddUnit();
    AnalysisView& amplitudes = Open(ViewKind::AmplitudeHistogram);
    ASSERT_EQ(Set(ViewKind::AmplitudeHistogram, u"paging", u"stimulus:2"), S_OK);
    Analyze();
    EXPECT_EQ(amplitudes.StatusText(), VEX::String(AnalysisView::kWaitingText));
    EXPECT_EQ(amplitudes.Paging().PageCount(), 0);
    EXPECT_EQ(Get(ViewKind::AmplitudeHistogram, u"paging"), u"stimulus:2");
    EXPECT_EQ(Set(ViewKind::AmplitudeHistogram, u"paging", u"blocks:0"), E_INVALIDARG);
    EXPECT_EQ(Set(ViewKind::AmplitudeHistogram, u"paging", u"duration:-1"), E_INVALIDARG);
    ASSERT_EQ(Set(ViewKind::AmplitudeHistogram, u"paging", u"none"), S_OK);
    EXPECT_EQ(amplitudes.StatusText(), VEX::String());
    EXPECT_EQ(TotalCount(*amplitudes.Panes()[0]), 5.0f);
}

TEST_F(AnalysisViewTest, SourcesAndRangesAreCheckedAndReachTheAnalyses)
{
    AddUnit();
    AnalysisView& correlation = Open(ViewKind::Autocorrelation);
    Open(ViewKind::CrossCorrelation);
    AnalysisView& peristimulus = Open(ViewKind::PeristimulusTime);
    Analyze();

    EXPECT_EQ(Set(ViewKind::Autocorrelation, u"x-range", u"-0.25:0.25"), S_OK);
    const auto& pane = dynamic_cast<const AutoCorrelationHistogram&>(*correlation.Panes()[0]);
    EXPECT_EQ(pane.Window().minimum, -0.25) << "the X range is the lag window";
    EXPECT_EQ(pane.Window().maximum, 0.25);
    // Lags of +-0.2 s in each block; those of 0.3 and 0.5 s fall outside.
    EXPECT_EQ(TotalCount(pane), 4.0f);
    EXPECT_EQ(Set(ViewKind::Autocorrelation, u"x-range", u"1:1"), E_INVALIDARG);
    AddUnit();
    EXPECT_EQ(dynamic_cast<const AutoCorrelationHistogram&>(*correlation.Panes()[1]).Window().minimum, -0.25)
        << "a pane made later takes the view's settings";
    doc->DeleteUnit(correlation.Panes()[1]->Unit());

    EXPECT_EQ(Set(ViewKind::Autocorrelation, u"selection-x", u"0.105:0.295"), S_OK);
    EXPECT_NE(Get(ViewKind::Autocorrelation, u"selection-x"), u"0.105:0.295") << "snapped to whole bins";
    EXPECT_EQ(pane.Pages().PageXStatistics(0).n, 2) << "only lags inside the selection enter the statistics";

    EXPECT_EQ(Set(ViewKind::CrossCorrelation, u"reference", u"No such source"), E_INVALIDARG);
    EXPECT_EQ(Set(ViewKind::PeristimulusTime, u"sweeps", u"stimulus:No such source"), E_INVALIDARG);
    EXPECT_EQ(Set(ViewKind::PeristimulusTime, u"sweeps", u"sometimes"), E_INVALIDARG);
    EXPECT_EQ(Set(ViewKind::PeristimulusTime, u"paging", u"duration:1"), E_INVALIDARG) << "sweeps only";
    // The sweeps written back as they read leave the view without paging.
    ASSERT_EQ(Set(ViewKind::PeristimulusTime, u"sweeps", Get(ViewKind::PeristimulusTime, u"sweeps").c_str()), S_OK);
    EXPECT_EQ(Get(ViewKind::PeristimulusTime, u"paging"), u"none");
    ASSERT_EQ(Set(ViewKind::PeristimulusTime, u"paging", u"blocks:2"), S_OK);
    EXPECT_EQ(peristimulus.Paging().Settings().eventsPerPage, 2) << "sweeps per page go to both counts";

    ASSERT_EQ(Set(ViewKind::PeristimulusTime, u"pre-stimulus", u"0.05"), S_OK);
    EXPECT_EQ(peristimulus.Panes()[0]->XOrigin(), -0.05);
    EXPECT_EQ(Set(ViewKind::PeristimulusTime, u"pre-stimulus", u"-0.05"), E_INVALIDARG);
    EXPECT_EQ(Set(ViewKind::RateMeter, u"bin-size", u"0.1"), E_FAIL) << "no such view is open";
    EXPECT_EQ(Set(ViewKind::PeristimulusTime, u"title", u"x"), E_INVALIDARG) << "read only";
}

TEST(AnalysisViewClasses, RegisterBetweenTheDocumentAndTheEventDrawingInTableOrder)
{
    struct Registrar final : UnknownImpl<IClassRegistrar> {
        HRESULT RegisterClass(const Host::ClassRegistration& registration) override
        {
            if (registration.role != Host::ClassRole::DataSheetFunction &&
                registration.role != Host::ClassRole::CalcFunction &&
                registration.role != Host::ClassRole::ChannelCalculation) {
                classes.push_back(registration);
            }
            return S_OK;
        }
        HRESULT RegisterAction(const VEX::String&, const VEX::String&, const VEX::String&,
                               IAutomationAction*) override
        {
            return S_OK;
        }
        std::vector<Host::ClassRegistration> classes;
    };
    Registrar registrar;
    registrar.AddRef();
    ASSERT_EQ(RegisterClassObjects(&registrar), S_OK);
    const std::vector<std::u16string> views = {
        u"Autocorrelation Histogram View", u"Cross-correlation Histogram View", u"Nerolith Discriminator View",
        u"Interspike Interval Histogram View", u"Amplitude Histogram View", u"Rate Meter View",
        u"Peristimulus Time Histogram View"};
    ASSERT_EQ(registrar.classes.size(), views.size() + 2);
    EXPECT_EQ(registrar.classes.front().role, Host::ClassRole::Document);
    EXPECT_EQ(registrar.classes.back().role, Host::ClassRole::EventDraw);
    for (std::size_t i = 0; i < views.size(); ++i) {
        const Host::ClassRegistration& view = registrar.classes[i + 1];
        EXPECT_EQ(view.role, Host::ClassRole::View);
        EXPECT_EQ(view.displayName.Str(), views[i]);
        EXPECT_EQ(view.parentClassId, registrar.classes.front().classId);
        EXPECT_NE(view.object, nullptr);
        EXPECT_EQ(view.classId.data2, i + 2) << "class numbers 2 to 8 in order";
    }
    EXPECT_TRUE(InstalledWindows().openView) << "registration gives documents their views";
}

} // namespace

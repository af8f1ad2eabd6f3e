#include <gtest/gtest.h>

#include <vector>

#include "module/DocumentWindows.h"
#include "module/StringTable.h"
#include "shell/CommandTable.h"
#include "support/SpikyDocument.h"

using namespace Nerolith;

TEST(CommandTable, TextsAreFoundFromTheIdAlone)
{
    for (const CommandEntry& entry : CommandTable()) {
        if (entry.IsSeparator() || entry.id == Commands::kWindows) {
            continue;
        }
        EXPECT_TRUE(HasString(entry.id)) << entry.id;
        const Host::CommandSpec command = DescribeCommand(entry);
        EXPECT_EQ(command.shortName, LoadString(entry.id + 1));
    }
}

// Every command the menu offers is one the document carries out: the view
// commands open their views, the others change the document or the host.
TEST(CommandTable, EveryCommandOfTheMenuReachesTheDocument)
{
    TestSupport::SpikyDocument f;
    DocumentWindows& windows = InstalledWindows();
    const DocumentWindows saved = windows;
    std::vector<Host::ViewKind> opened;
    windows.openView = [&opened](AnalysisDocument&, Host::ViewKind kind) {
        opened.push_back(kind);
        return S_OK;
    };
    windows.settingsDialog = [](AnalysisDocument&) {};
    windows.exportPath = [] { return std::optional<VEX::String>(); };

    for (const CommandEntry& entry : CommandTable()) {
        if (entry.IsSeparator()) {
            continue;
        }
        VEX::String text;
        EXPECT_EQ(f.doc->MenuText(entry.id, &text), S_OK) << entry.id;
        EXPECT_FALSE(text.Empty()) << entry.id;
        EXPECT_NE(f.doc->Execute(entry.id), E_INVALIDARG) << entry.id << " is not carried out";
    }
    EXPECT_EQ(opened, (std::vector<Host::ViewKind>{
                          Host::ViewKind::Discriminator, Host::ViewKind::InterspikeInterval,
                          Host::ViewKind::AmplitudeHistogram, Host::ViewKind::RateMeter,
                          Host::ViewKind::Autocorrelation, Host::ViewKind::CrossCorrelation,
                          Host::ViewKind::PeristimulusTime}))
        << "in menu order";

    const bool markers = f.doc->IsChecked(Commands::kShowSpikeMarkers);
    f.doc->Execute(Commands::kShowSpikeMarkers);
    EXPECT_NE(f.doc->IsChecked(Commands::kShowSpikeMarkers), markers) << "its check follows the setting";
    EXPECT_EQ(f.doc->Execute(0xFFFFu), E_INVALIDARG);
    // The analyse and clear requests hold the document until delivered.
    f.host->Messages().DeliverPending();
    windows = saved;
}

// The Windows entry opens a submenu of the six analysis views; each item
// opens its view, and only Windows has items.
TEST(CommandTable, TheWindowsSubmenuOpensTheSixViews)
{
    TestSupport::SpikyDocument f;
    DocumentWindows& windows = InstalledWindows();
    const DocumentWindows saved = windows;
    std::vector<Host::ViewKind> opened;
    windows.openView = [&opened](AnalysisDocument&, Host::ViewKind kind) {
        opened.push_back(kind);
        return S_OK;
    };
    std::vector<VEX::String> items;
    ASSERT_EQ(f.doc->SubmenuItems(Commands::kWindows, &items), S_OK);
    EXPECT_EQ(items, (std::vector<VEX::String>{u"&Amplitude Histogram", u"Ra&te Meter",
                                               u"&Interspike Interval Histogram", u"Autocorrelation &Histogram",
                                               u"Cross-correlation Histogra&m", u"&Peristimulus Time Histogram"}));
    for (std::uint32_t item = 0; item < items.size(); ++item) {
        EXPECT_EQ(f.doc->ExecuteSubmenuItem(Commands::kWindows, item), S_OK);
    }
    EXPECT_EQ(opened, (std::vector<Host::ViewKind>{
                          Host::ViewKind::AmplitudeHistogram, Host::ViewKind::RateMeter,
                          Host::ViewKind::InterspikeInterval, Host::ViewKind::Autocorrelation,
                          Host::ViewKind::CrossCorrelation, Host::ViewKind::PeristimulusTime}));
    EXPECT_EQ(f.doc->ExecuteSubmenuItem(Commands::kWindows, 6), E_INVALIDARG);
    EXPECT_EQ(f.doc->SubmenuItems(Commands::kAnalyze, &items), E_INVALIDARG);
    EXPECT_EQ(f.doc->SubmenuItems(Commands::kWindows, nullptr), E_POINTER);
    windows = saved;
}

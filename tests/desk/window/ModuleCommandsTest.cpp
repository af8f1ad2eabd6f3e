#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

#include "desk/runtime/CommandRegistry.h"
#include "host/IOnlineDataSink.h"
#include "platform/ui/Automation.h"
#include "platform/ui/TDialog.h"
#include "WindowTestSupport.h"

using namespace WindowTests;
namespace automation = platform::ui::automation;

namespace {

// The module's command ids, as it registers them.
enum Command : std::uint32_t {
    kAmplitudeHistogram = 2064,
    kRateMeter = 2080,
    kInterspikeInterval = 2096,
    kPeristimulusTime = 2112,
    kExportNex = 2128,
    kSettings = 2144,
    kWindows = 2176,
    kAnalyze = 2192,
    kClearAnalysis = 2208,
    kDiscriminator = 2224,
    kShowSpikeMarkers = 2240,
    kReselectAnalyzedData = 2256,
    kAnalyzeWhileSampling = 2272,
    kAutocorrelation = 2288,
    kCrossCorrelation = 2304,
};

constexpr std::int32_t kOk = 1;
constexpr std::int32_t kThresholdEdit = 104;

// The action carrying a command id anywhere in the menu or its submenus,
// each menu's state asked as it opens.
QAction* ActionFor(QMenu* menu, std::uint32_t id)
{
    if (menu == nullptr) {
        return nullptr;
    }
    emit menu->aboutToShow();
    for (QAction* action : menu->actions()) {
        if (action->data().isValid() && action->data().toUInt() == id) {
            return action;
        }
        if (QAction* inner = ActionFor(action->menu(), id)) {
            return inner;
        }
    }
    return nullptr;
}

Host::DocumentSettings DocumentSettings(Desk::MainWindow& window)
{
    Host::DocumentSettings settings;
    window.CurrentSession()->Analysis().GetDocumentSettings(&settings);
    return settings;
}

} // namespace

class ModuleCommandsTest : public QObject {
    Q_OBJECT

private:
    Desk::MainWindow* window_ = nullptr;
    std::set<std::uint32_t> exercised_;

    QAction* Action(std::uint32_t id) { return ActionFor(window_->FindMenu("Nerolith"), id); }
    bool Enabled(std::uint32_t id) { return Action(id) != nullptr && Action(id)->isEnabled(); }
    // Triggers the command's menu item as the user would, if it is enabled.
    bool Run(std::uint32_t id)
    {
        exercised_.insert(id);
        QAction* action = Action(id);
        if (action == nullptr || !action->isEnabled()) {
            return false;
        }
        action->trigger();
        return true;
    }
    std::int32_t Spikes() { return window_->CurrentSession()->Analysis().SpikeCount(); }

private slots:
    void cleanup() { automation::Reset(); }

    // Every command the module registers is reachable from its menu and
    // does what it says, or is disabled for the reason the module gives.
    void everyCommandActsFromItsMenu()
    {
        QTemporaryDir folder;
        Desk::MainWindow window;
        window_ = &window;
        window.resize(1400, 900);
        window.show();
        QVERIFY(window.Open("demo"));
        std::set<std::uint32_t> registered;
        for (const Desk::CommandRegistry::Item& item : window.CurrentSession()->Host().Commands().Items()) {
            if (!item.IsSeparator()) {
                registered.insert(item.command.id);
                QVERIFY2(Action(item.command.id) != nullptr, qPrintable(QString::number(item.command.id)));
            }
        }

        // Without an analysis there is none to clear or reselect.
        QVERIFY(!Run(kClearAnalysis));
        QVERIFY(!Run(kReselectAnalyzedData));

        // While the host samples, the settings and analysis commands wait.
        const auto sink = window.CurrentSession()->ModuleDocument().As<IOnlineDataSink>();
        QVERIFY(sink && Succeeded(sink->Start()));
        QVERIFY(!Enabled(kSettings));
        QVERIFY(!Enabled(kAnalyze));
        QVERIFY(!Enabled(kAnalyzeWhileSampling));
        QVERIFY(Succeeded(sink->Stop()));
        QVERIFY(Enabled(kSettings));

        int dialogs = 0;
        automation::SetDialogDriver([&dialogs](platform::ui::TDialog& dialog) {
            ++dialogs;
            automation::TypeText(dialog, kThresholdEdit, u"0.3");
            automation::Click(dialog, kOk);
        });
        QVERIFY(Run(kSettings));
        QCOMPARE(dialogs, 1);
        Host::ChannelAnalysisRecord record;
        window.CurrentSession()->Analysis().GetChannelRecord(0, &record);
        QCOMPARE(record.detectionThreshold, 0.3);

        QVERIFY(Run(kAnalyze));
        const std::int32_t analysed = Spikes();
        QVERIFY(analysed > 0);

        window.CurrentSession()->Host().Selection().Clear();
        QVERIFY(Run(kReselectAnalyzedData));
        const auto& selection = window.CurrentSession()->Host().Selection().Current();
        QVERIFY(selection.has_value());
        QCOMPARE(selection->channel, record.channel);

        const std::pair<std::uint32_t, const char*> views[] = {
            {kDiscriminator, "Discriminator"},
            {kInterspikeInterval, "Interspike Interval Histogram"},
            {kAmplitudeHistogram, "Amplitude Histogram"},
            {kRateMeter, "Rate Meter"},
            {kAutocorrelation, "Autocorrelation"},
            {kCrossCorrelation, "Cross-correlation"},
            {kPeristimulusTime, "Peristimulus Time Histogram"},
        };
        for (const auto& [id, title] : views) {
            QVERIFY(Run(id));
            QVERIFY2(FrameTitled(window, title) != nullptr, title);
        }
        QCOMPARE(window.Views().ShownWindows().size(), 7);

        // The Windows submenu opens the views of a document just opened.
        exercised_.insert(kWindows);
        QVERIFY(window.Open("demo"));
        QMenu* windows = Action(kWindows)->menu();
        QVERIFY(windows != nullptr);
        QAction* rateMeter = ActionOf(windows, "Rate Meter");
        QCOMPARE(windows->actions().size(), 6);
        rateMeter->trigger();
        QVERIFY(FrameTitled(window, "Rate Meter") != nullptr);
        QVERIFY(Run(kAnalyze));

        const QString nex = folder.filePath("spikes.nex");
        automation::QueueFileAnswer(VEX::String(nex.toStdU16String()));
        QVERIFY(Run(kExportNex));
        QVERIFY(QFileInfo(nex).size() > 0);

        const bool markers = DocumentSettings(window).showSpikeMarkers;
        QVERIFY(Run(kShowSpikeMarkers));
        QCOMPARE(DocumentSettings(window).showSpikeMarkers, !markers);
        QCOMPARE(Action(kShowSpikeMarkers)->isChecked(), !markers);
        QVERIFY(Run(kAnalyzeWhileSampling));
        QVERIFY(DocumentSettings(window).analyzeWhileSampling);
        QVERIFY(Action(kAnalyzeWhileSampling)->isChecked());

        QVERIFY(Run(kClearAnalysis));
        QCOMPARE(Spikes(), 0);
        QVERIFY(!Enabled(kClearAnalysis));

        QCOMPARE(exercised_, registered);
        window_ = nullptr;
    }
};

int RunModuleCommandsTests(int argc, char** argv)
{
    ModuleCommandsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ModuleCommandsTest.moc"

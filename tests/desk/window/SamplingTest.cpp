#include <QtTest>

#include "MenuDriver.h"
#include "desk/window/ChartView.h"
#include "desk/window/MainWindow.h"
#include "desk/window/SamplingMenu.h"

namespace {

using MenuDriver::Choose;
using MenuDriver::ItemOf;

constexpr int kWholeReplayMs = 120000;

std::int32_t OfflineSpikeCount()
{
    auto reference = Desk::Session::OpenRecording("demo", MakeCom<Desk::HostServices>());
    reference->Analyze();
    return reference->Analysis().SpikeCount();
}

std::int32_t SpikeCount(Desk::MainWindow& window) { return window.CurrentSession()->Analysis().SpikeCount(); }

// Opens the demo with the module's "Analyze while sampling" on, and the
// replay at `speed`.
Desk::SamplingMenu* ReadyToSample(Desk::MainWindow& window, double speed)
{
    if (!window.Open("demo") || !Choose(window.FindMenu("Nerolith"), "Analyze while sampling")) {
        return nullptr;
    }
    auto* menu = qobject_cast<Desk::SamplingMenu*>(window.FindMenu("Sampling"));
    if (menu != nullptr) {
        menu->SetSpeed(speed);
    }
    return menu;
}

} // namespace

class SamplingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        expected_ = OfflineSpikeCount();
        QVERIFY(expected_ > 1000);
    }

    // The views fill as the data arrive, the chart follows them, and in the
    // end the result is the offline analysis'.
    void samplingWithAnalysisGivesTheOfflineResult()
    {
        Desk::MainWindow window;
        Desk::SamplingMenu* menu = ReadyToSample(window, 0.0);
        QVERIFY(menu != nullptr);
        QVERIFY(ItemOf(window.FindMenu("Nerolith"), "Analyze while sampling")->isChecked());
        QVERIFY(!ItemOf(menu, "Stop sampling")->isEnabled());
        QVERIFY(Choose(menu, "Start sampling"));
        QVERIFY(menu->Control().Running());
        QVERIFY(!ItemOf(menu, "Start sampling")->isEnabled());
        // The module takes no new settings while it samples.
        QVERIFY(!ItemOf(window.FindMenu("Nerolith"), "Settings...")->isEnabled());

        QTRY_VERIFY_WITH_TIMEOUT(SpikeCount(window) > 0, kWholeReplayMs);
        QTRY_VERIFY_WITH_TIMEOUT(window.Chart()->Start() > 0.0, kWholeReplayMs);
        QTRY_VERIFY_WITH_TIMEOUT(!menu->Control().Running(), kWholeReplayMs);
        QCOMPARE(SpikeCount(window), expected_);
        QVERIFY(window.Chart()->Start() + window.Chart()->Span() >= window.Chart()->Painter().Duration() - 1e-6);
        QVERIFY(ItemOf(window.FindMenu("Nerolith"), "Settings...")->isEnabled());
    }

    // Stopped midway, the spikes found so far stay and no more come; a new
    // analysis finds them all.
    void stopMidwayLeavesAShorterConsistentResult()
    {
        Desk::MainWindow window;
        Desk::SamplingMenu* menu = ReadyToSample(window, 100.0);
        QVERIFY(menu != nullptr);
        QVERIFY(Choose(menu, "Start sampling"));
        QTRY_VERIFY_WITH_TIMEOUT(SpikeCount(window) > 100, kWholeReplayMs);
        QVERIFY(Choose(menu, "Stop sampling"));
        QVERIFY(!menu->Control().Running());
        const std::int32_t stopped = SpikeCount(window);
        QVERIFY(stopped < expected_);
        QTest::qWait(100);
        QCOMPARE(SpikeCount(window), stopped);
        QVERIFY(ItemOf(menu, "Start sampling")->isEnabled());

        window.Analyze();
        QCOMPARE(SpikeCount(window), expected_);
    }

    // Started as --sample starts it, the module analyses as data arrive;
    // closing the document while sampling stops it first.
    void closingWhileSamplingStopsIt()
    {
        Desk::MainWindow window;
        QVERIFY(window.Open("demo"));
        QVERIFY(window.StartSampling(100.0));
        QVERIFY(!window.StartSampling(100.0));
        Host::DocumentSettings settings;
        window.CurrentSession()->Analysis().GetDocumentSettings(&settings);
        QVERIFY(settings.analyzeWhileSampling);
        QTRY_VERIFY_WITH_TIMEOUT(SpikeCount(window) > 0, kWholeReplayMs);
        window.CloseDocument();
        QVERIFY(window.FindMenu("Sampling") == nullptr);
        QVERIFY(window.Open("demo"));
        QCOMPARE(SpikeCount(window), 0);
    }

private:
    std::int32_t expected_ = 0;
};

int RunSamplingTests(int argc, char** argv)
{
    SamplingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SamplingTest.moc"

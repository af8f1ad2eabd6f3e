#include <QScrollBar>
#include <QtTest>

#include "MenuDriver.h"
#include "desk/window/ChartView.h"
#include "desk/window/MainWindow.h"
#include "desk/window/SamplingMenu.h"

namespace {

constexpr int kWaitMs = 60000;
constexpr std::int32_t kChunkTicks = 2000;

// Where the replay has got to, in chart seconds, as the host records it.
double SampledTime(Desk::MainWindow& window)
{
    Desk::HostDocument& host = window.CurrentSession()->Host();
    const std::int32_t block = host.Sampling().SampledBlock();
    return window.Chart()->Painter().BlockStart(block) +
           host.Sampling().ReceivedTicks() * host.Data().SampleInterval(0, block);
}

double ChunkSeconds(Desk::MainWindow& window)
{
    return kChunkTicks * window.CurrentSession()->Host().Data().SampleInterval(0, 0);
}

// How many colours the traces' area has right of `time` (a pixel's slack).
int ColoursPast(Desk::ChartView& chart, double time)
{
    const QImage image = chart.CanvasWidget().grab().toImage();
    const QRect area = chart.TraceArea();
    const int from = area.left() + static_cast<int>((time - chart.Start()) / chart.Span() * area.width()) + 2;
    QSet<QRgb> colours;
    for (int x = from; x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

} // namespace

class ChartSamplingTest : public QObject {
    Q_OBJECT

private slots:
    // While sampling, the chart reaches only as far as the data: its extent,
    // scrolling and "Show all" stop there. Stopped, the whole recording is
    // back.
    void chartEndsWhereSamplingHasGot()
    {
        Desk::MainWindow window;
        window.resize(1000, 700);
        window.show();
        QVERIFY(window.Open("demo"));
        Desk::ChartView& chart = *window.Chart();
        const double duration = chart.Painter().Duration();
        QCOMPARE(chart.Extent(), duration);
        QVERIFY(window.StartSampling(2.0));
        QTRY_VERIFY_WITH_TIMEOUT(chart.Extent() > 1.0, kWaitMs);

        const double sampled = SampledTime(window);
        QVERIFY(sampled < duration / 2);
        QVERIFY(std::abs(chart.Extent() - sampled) <= ChunkSeconds(window));

        chart.ShowSpan(0.0, 0.2);
        chart.ShowSpan(duration, 0.2);
        QVERIFY(chart.Start() + chart.Span() <= chart.Extent() + 1e-9);
        QVERIFY(chart.Start() > 0.0);
        QScrollBar* scroll = chart.findChild<QScrollBar*>();
        QVERIFY(scroll != nullptr);
        scroll->setValue(scroll->maximum());
        QVERIFY(chart.Start() + chart.Span() <= chart.Extent() + 1e-3);
        QTest::keyClick(&chart, Qt::Key_End);
        QVERIFY(chart.Start() + chart.Span() <= chart.Extent() + 1e-9);
        QTest::keyClick(&chart, Qt::Key_A);
        QCOMPARE(chart.Start(), 0.0);
        QVERIFY(std::abs(chart.Span() - chart.Extent()) < 1e-9);

        // A screen wider than the data starts at 0 and still cannot scroll.
        chart.ShowSpan(duration, duration);
        QCOMPARE(chart.Start(), 0.0);
        QCOMPARE(scroll->maximum(), 0);
        QCOMPARE(ColoursPast(chart, chart.Extent()), 1);

        auto* sampling = qobject_cast<Desk::SamplingMenu*>(window.FindMenu("Sampling"));
        QVERIFY(MenuDriver::Choose(sampling, "Stop sampling"));
        QCOMPARE(chart.Extent(), duration);
        chart.ShowAll();
        QCOMPARE(chart.Span(), duration);
        chart.ShowSpan(duration, 0.2);
        QVERIFY(std::abs(chart.Start() + chart.Span() - duration) < 1e-9);
    }
};

int RunChartSamplingTests(int argc, char** argv)
{
    ChartSamplingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ChartSamplingTest.moc"

#include <QImage>
#include <QPainter>
#include <QTest>

#include "desk/recording/MemoryRecording.h"
#include "desk/window/ChartPainter.h"
#include "desk/window/ChartView.h"
#include "desk/window/MainWindow.h"

namespace {

// Two blocks of one second at 10 kHz, two channels: flat at 0 but for one
// spike (+1 on channel 1 at 0.25 s of block 1, -1 on channel 2 at 0.5 s of
// block 2).
Desk::MemoryRecording TwoBlocks()
{
    std::vector<Desk::MemoryRecording::Block> blocks(2);
    for (auto& block : blocks) {
        block.interval = 1e-4;
        block.samples.assign(2, std::vector<float>(10000, 0.0F));
    }
    blocks[0].samples[0][2500] = 1.0F;
    blocks[1].samples[1][5000] = -1.0F;
    blocks[1].startTime = 5.0;
    return Desk::MemoryRecording("two", {{u"a", u"V"}, {u"b", u"V"}}, std::move(blocks), {});
}

// The rows of column x drawn in the trace's colour.
QList<int> TraceRows(const QImage& image, int x, QRect lane)
{
    QList<int> rows;
    for (int y = lane.top(); y <= lane.bottom(); ++y) {
        if (image.pixelColor(x, y) == QColor(0x1f, 0x3a, 0x5f)) {
            rows << y;
        }
    }
    return rows;
}

} // namespace

class ChartViewTest : public QObject {
    Q_OBJECT

private slots:
    // At full zoom-out a lone sample still shows: its column reaches the
    // top of the lane, the others stay on the zero line.
    void envelopesKeepLoneExtremesAtAnyZoom()
    {
        const Desk::MemoryRecording recording = TwoBlocks();
        const Desk::ChartPainter chart(recording);
        QCOMPARE(chart.Duration(), 2.0);
        QCOMPARE(chart.BlockStart(1), 1.0);
        QImage image(400, 200, QImage::Format_RGB32);
        QPainter painter(&image);
        chart.Draw(painter, image.rect(), 0.0, 2.0, {{-1.0, 1.0}, {-1.0, 1.0}}, {});
        painter.end();
        const QRect first = chart.Lane(image.rect(), 0);
        const QRect second = chart.Lane(image.rect(), 1);
        QCOMPARE(TraceRows(image, 50, first).front(), first.top());
        QVERIFY(TraceRows(image, 49, first).front() > first.center().y() - 2);
        QCOMPARE(TraceRows(image, 300, second).back(), second.bottom());
        // The boundary between the blocks is marked at 1 s.
        int marked = 0;
        for (int y = 0; y < image.height(); ++y) {
            marked += image.pixelColor(200, y) == QColor(0xc0, 0x39, 0x2b) ? 1 : 0;
        }
        QVERIFY(marked > image.height() / 2);
    }

    void zoomsAndScrollsWithinTheRecording()
    {
        const Desk::MemoryRecording recording = TwoBlocks();
        Desk::MainWindow window; // a document for the markers
        QVERIFY(window.Open("demo"));
        Desk::ChartView chart(recording, window.CurrentSession()->Analysis());
        chart.resize(600, 300);
        QCOMPARE(chart.Span(), 2.0);
        QTest::keyClick(&chart, Qt::Key_Plus);
        QVERIFY(chart.Span() < 2.0);
        QTest::keyClick(&chart, Qt::Key_End);
        QCOMPARE(chart.Start() + chart.Span(), 2.0);
        QTest::keyClick(&chart, Qt::Key_PageDown);
        QCOMPARE(chart.Start() + chart.Span(), 2.0);
        QTest::keyClick(&chart, Qt::Key_Home);
        QCOMPARE(chart.Start(), 0.0);
        chart.ShowSpan(-5.0, 1e-9);
        QCOMPARE(chart.Start(), 0.0);
        QCOMPARE(chart.Span(), chart.Painter().ShortestSpan());
        chart.ShowSpan(0.5, 100.0);
        QCOMPARE(chart.Span(), 2.0);
        QCOMPARE(chart.Start(), 0.0);
        chart.ShowSpan(0.5, 1.0);
        QCOMPARE(chart.TimeScale().GetExtent().first, 0.5);
        QCOMPARE(chart.TimeScale().GetExtent().second, 1.5);
        QCOMPARE(chart.TimeScale().GetDefaultExtent().second, 2.0);
        chart.ChannelScale(1).SetExtent(-2.0, 2.0);
        QCOMPARE(chart.ChannelScale(1).GetExtent().first, -2.0);
    }

    // After an analysis every spike is marked, in its unit's colour.
    void marksTheAnalysedSpikes()
    {
        Desk::MainWindow window;
        QVERIFY(window.Open("demo"));
        QVERIFY(window.Chart() != nullptr);
        QCOMPARE(window.Chart()->Markers().size(), std::size_t{0});
        window.Analyze();
        const auto spikes = static_cast<std::size_t>(window.CurrentSession()->Analysis().SpikeCount());
        QVERIFY(spikes > 0);
        QCOMPARE(window.Chart()->Markers().size(), spikes);
        QVERIFY(Succeeded(window.CurrentSession()->Analysis().SetShowSpikeMarkers(false)));
        window.Chart()->RefreshMarkers();
        QCOMPARE(window.Chart()->Markers().size(), std::size_t{0});
    }
};

int RunChartViewTests(int argc, char** argv)
{
    ChartViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ChartViewTest.moc"

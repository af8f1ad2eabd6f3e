#include <QTest>

#include "desk/runtime/HostSelection.h"
#include "desk/window/ChartView.h"
#include "desk/window/MainWindow.h"
#include "MenuDriver.h"

namespace {

// The demo on screen, its first minute (block 1) across the chart.
void OpenDemo(Desk::MainWindow& window)
{
    window.resize(1200, 800);
    window.show();
    QVERIFY(window.Open("demo"));
    window.Chart()->ShowSpan(0.0, 60.0);
}

int XOf(Desk::ChartView& chart, double time)
{
    return static_cast<int>((time - chart.Start()) / chart.Span() * chart.TraceArea().width());
}

void DragAcross(Desk::ChartView& chart, int channel, double from, double to)
{
    QWidget& canvas = chart.CanvasWidget();
    const int y = chart.Painter().Lane(chart.TraceArea(), channel).center().y();
    QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(XOf(chart, from), y));
    QTest::mouseMove(&canvas, QPoint((XOf(chart, from) + XOf(chart, to)) / 2, y));
    QTest::mouseMove(&canvas, QPoint(XOf(chart, to), y));
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(XOf(chart, to), y));
}

const Desk::HostSelection::Range* Selected(Desk::MainWindow& window)
{
    const auto& current = window.CurrentSession()->Host().Selection().Current();
    return current ? &*current : nullptr;
}

void UseSelection(Desk::MainWindow& window, bool use)
{
    Host::ChannelAnalysisRecord record;
    QVERIFY(Succeeded(window.CurrentSession()->Analysis().GetChannelRecord(0, &record)));
    record.useSelection = use;
    QVERIFY(Succeeded(window.CurrentSession()->Analysis().SetChannelRecord(record)));
}

} // namespace

class ChartSelectionTest : public QObject {
    Q_OBJECT

private slots:
    // A drag either way selects [earlier, later) on the channel pressed; a
    // click clears it.
    void dragSelectsAStretchOfAChannel()
    {
        Desk::MainWindow window;
        OpenDemo(window);
        Desk::ChartView& chart = *window.Chart();
        const double pixel = chart.Span() / chart.CanvasWidget().width();
        DragAcross(chart, 1, 25.0, 10.0);
        const Desk::HostSelection::Range* range = Selected(window);
        QVERIFY(range != nullptr);
        QCOMPARE(range->channel, 1);
        QCOMPARE(range->start.block, 0);
        QCOMPARE(range->end.block, 0);
        QVERIFY(std::abs(range->start.tick - 200000) <= pixel * 20000);
        QVERIFY(std::abs(range->end.tick - 500000) <= pixel * 20000);
        QVERIFY(chart.ShownSelection().has_value());
        QCOMPARE(chart.ShownSelection()->channel, 1);

        // Dragged past the chart's end, the selection stops at the recording's.
        chart.ShowAll();
        DragAcross(chart, 0, 170.0, 200.0);
        range = Selected(window);
        QVERIFY(range != nullptr);
        QCOMPARE(range->end.block, 2);
        QCOMPARE(range->end.tick, window.CurrentSession()->Host().Data().Ticks(0, 2));

        QTest::mouseClick(&chart.CanvasWidget(), Qt::LeftButton, {}, QPoint(40, 40));
        QVERIFY(Selected(window) == nullptr);
        QVERIFY(!chart.ShownSelection().has_value());
    }

    // "Use selection" analyses only the dragged stretch; "Reselect Analyzed
    // Data" brings that stretch back to the chart.
    void analysisReadsTheDraggedSelectionAndReselectsIt()
    {
        Desk::MainWindow window;
        OpenDemo(window);
        Desk::ChartView& chart = *window.Chart();
        DragAcross(chart, 0, 10.0, 25.0);
        const Desk::HostSelection::Range dragged = *Selected(window);
        UseSelection(window, true);
        QVERIFY(MenuDriver::Choose(window, "Nerolith", "Analyze Selection"));
        ISpikeDocInterface& analysis = window.CurrentSession()->Analysis();
        const std::int32_t inSelection = analysis.SpikeCount();
        QVERIFY(inSelection > 10);
        for (std::int32_t i = 0; i < inSelection; ++i) {
            Host::SpikeInfo spike;
            QVERIFY(Succeeded(analysis.GetSpike(i, &spike)));
            QCOMPARE(spike.block, 0);
            QVERIFY(spike.tick >= dragged.start.tick && spike.tick < dragged.end.tick);
        }
        UseSelection(window, false);
        QVERIFY(MenuDriver::Choose(window, "Nerolith", "Analyze Channel"));
        QVERIFY(analysis.SpikeCount() > 5 * inSelection);

        // Analysed again with the selection, then the selection cleared.
        UseSelection(window, true);
        QVERIFY(MenuDriver::Choose(window, "Nerolith", "Analyze Selection"));
        QTest::mouseClick(&chart.CanvasWidget(), Qt::LeftButton, {}, QPoint(40, 40));
        QVERIFY(Selected(window) == nullptr);
        QVERIFY(MenuDriver::Choose(window, "Nerolith", "Reselect Analyzed Data"));
        const Desk::HostSelection::Range* back = Selected(window);
        QVERIFY(back != nullptr);
        QCOMPARE(back->channel, 0);
        QVERIFY(back->start == dragged.start && back->end == dragged.end);

        // The chart shades it: inside the stretch the lane is tinted, outside
        // it stays white.
        QVERIFY(chart.ShownSelection().has_value());
        const QImage image = chart.CanvasWidget().grab().toImage();
        const int y = chart.Painter().Lane(chart.TraceArea(), 0).bottom() - 3;
        QVERIFY(image.pixelColor(XOf(chart, 17.0), y) != QColor(Qt::white));
        QCOMPARE(image.pixelColor(XOf(chart, 40.0), y), QColor(Qt::white));
    }
};

int RunChartSelectionTests(int argc, char** argv)
{
    ChartSelectionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ChartSelectionTest.moc"

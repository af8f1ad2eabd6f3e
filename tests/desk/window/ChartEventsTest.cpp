#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include <locale>
#include <sstream>

#include "DemoUnit.h"
#include "desk/window/ChartView.h"
#include "desk/window/MainWindow.h"
#include "MenuDriver.h"

namespace {

const QColor kTick(0x2e, 0x7d, 0x32);

void OpenDemo(Desk::MainWindow& window)
{
    window.resize(1200, 800);
    window.show();
    QVERIFY(window.Open("demo"));
}

// Unit A of the demo, as a contour drawn on the discriminator after a first
// analysis gives it, then analysed again.
void AddUnitAndAnalyze(Desk::MainWindow& window)
{
    QVERIFY(MenuDriver::Choose(window, "Nerolith", "Analyze Channel"));
    QVERIFY(AddDemoUnitA(window.CurrentSession()->Analysis()));
    QVERIFY(MenuDriver::Choose(window, "Nerolith", "Analyze Channel"));
}

QStringList RowNames(const Desk::ChartView& chart)
{
    QStringList names;
    for (const auto& row : chart.Events().Rows()) {
        names << row.name;
    }
    return names;
}

// A spike with no other within 10 ms either side.
std::int32_t LoneSpike(ISpikeDocInterface& analysis)
{
    const std::int32_t count = analysis.SpikeCount();
    for (std::int32_t i = 1; i + 1 < count; ++i) {
        Host::SpikeInfo before, spike, after;
        analysis.GetSpike(i - 1, &before);
        analysis.GetSpike(i, &spike);
        analysis.GetSpike(i + 1, &after);
        if (before.block == spike.block && after.block == spike.block && spike.time - before.time > 0.01 &&
            after.time - spike.time > 0.01) {
            return i;
        }
    }
    return -1;
}

QString ToolTipAt(QWidget& canvas, QPoint point)
{
    QHelpEvent help(QEvent::ToolTip, point, canvas.mapToGlobal(point));
    QApplication::sendEvent(&canvas, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class ChartEventsTest : public QObject {
    Q_OBJECT

private slots:
    // The recording's stimulus events are ticks in a row of their own; after
    // sorting, the unit's source gets a row, the spikes (shown as markers)
    // none.
    void drawsTheEventSourcesAsTicks()
    {
        Desk::MainWindow window;
        OpenDemo(window);
        Desk::ChartView& chart = *window.Chart();
        const auto& stimulus = window.CurrentSession()->Host().Data().Events().front();
        QCOMPARE(RowNames(chart), QStringList{"Stimulus"});
        const auto& times = chart.Events().Rows().front().times;
        QCOMPARE(times.size(), stimulus.marks.size());
        const auto& third = stimulus.marks.at(2);
        QCOMPARE(times.at(2), chart.Painter().TimeOf(0, {third.tick, third.block}));

        chart.ShowSpan(times.at(2) - 1.0, 2.0);
        const QImage image = chart.CanvasWidget().grab().toImage();
        const QRect area = chart.CanvasWidget().rect();
        const int x = static_cast<int>((times.at(2) - chart.Start()) / chart.Span() * area.width());
        const int middle = chart.TraceArea().bottom() + 1 + Desk::ChartEventStrip::kRowHeight / 2;
        QCOMPARE(image.pixelColor(x, middle), kTick);
        QVERIFY(image.pixelColor(x + 6, middle) != kTick);

        AddUnitAndAnalyze(window);
        const QStringList names = RowNames(chart);
        QCOMPARE(names.size(), 2);
        QCOMPARE(names.front(), QString("Stimulus"));
        QVERIFY(!names.join(',').contains("NerolithSpikes"));
        QVERIFY(!chart.Events().Rows().back().times.empty());
    }

    // Hovering over a spike's marker shows the module's hint for that spike;
    // elsewhere there is none.
    void hoverOverAMarkerShowsItsHint()
    {
        Desk::MainWindow window;
        OpenDemo(window);
        AddUnitAndAnalyze(window);
        ISpikeDocInterface& analysis = window.CurrentSession()->Analysis();
        const std::int32_t index = LoneSpike(analysis);
        QVERIFY(index >= 0);
        Host::SpikeInfo spike;
        QVERIFY(Succeeded(analysis.GetSpike(index, &spike)));
        Desk::ChartView& chart = *window.Chart();
        const double at = chart.Painter().BlockStart(spike.block) + spike.time;
        chart.ShowSpan(at - 0.05, 0.1);
        const QRect area = chart.TraceArea();
        const QRect band = chart.Painter().MarkerBand(area, 0);
        const int x = area.left() + static_cast<int>((at - chart.Start()) / chart.Span() * area.width());

        std::ostringstream height;
        height.imbue(std::locale::classic());
        height << "Spike: height = " << spike.height << ' ';
        const QString hint = ToolTipAt(chart.CanvasWidget(), QPoint(x + 1, band.center().y()));
        QVERIFY2(hint.startsWith(QString::fromStdString(height.str())), qPrintable(hint));
        QVERIFY2(hint.contains(QString(", Spike %1").arg(index + 1)), qPrintable(hint));
        QCOMPARE(chart.HintAt(QPoint(x, band.center().y())), hint);

        QVERIFY(chart.HintAt(QPoint(x + 40, band.center().y())).isEmpty());
        QVERIFY(chart.HintAt(QPoint(x, area.center().y())).isEmpty());
        ToolTipAt(chart.CanvasWidget(), QPoint(x + 40, band.center().y()));
        QTRY_VERIFY(!QToolTip::isVisible());
    }
};

int RunChartEventsTests(int argc, char** argv)
{
    ChartEventsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ChartEventsTest.moc"

#pragma once

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "desk/ui/AxisScale.h"
#include "desk/window/ChartEventStrip.h"
#include "desk/window/ChartPainter.h"
#include "host/ISpikeDocInterface.h"

class QLabel;
class QMouseEvent;
class QScrollBar;

namespace Desk {

class HostDocument;
class HostSelection;

// The host document's chart: every channel against time, zoomed and
// scrolled horizontally (wheel, keys, scroll bar, "Show all"), each channel
// scaled vertically by its own axis scale, with the analysis' spikes marked
// in their units' colours.
class ChartView final : public QWidget, private platform::ui::IDragScaleObserver {
    Q_OBJECT
public:
    ChartView(const Recording& recording, ISpikeDocInterface& analysis, QWidget* parent = nullptr);
    ~ChartView() override;

    // Shows [start, start + span) seconds, kept within the recording.
    void ShowSpan(double start, double span);
    void ShowAll();
    // Zooms by `factor` (< 1 zooms in) around the chart time `centre`.
    void Zoom(double factor, double centre);
    double Start() const { return start_; }
    // While sampling the chart ends where the data have got to: scrolling,
    // "Show all" and drawing stop there. Null: the whole recording.
    void LimitTo(std::optional<double> end);
    // The chart seconds that can be shown: the recording's, or the limit.
    double Extent() const;
    double Span() const { return span_; }
    const ChartPainter& Painter() const { return *painter_; }
    platform::ui::IAxisScale& ChannelScale(std::int32_t channel);
    platform::ui::IAxisScale& TimeScale() { return *timeAxis_; }

    // Reads the spikes and the event sources again after a command.
    void RefreshMarkers();
    const std::vector<ChartMarker>& Markers() const { return markers_; }
    const ChartEventStrip& Events() const { return events_; }

    // The host document whose selection a drag across a channel sets, whose
    // event sources are drawn as ticks and whose markers give hints.
    void SetDocument(HostDocument& document);
    // The shaded stretch: the drag under way, else the host selection.
    std::optional<ChartSpan> ShownSelection() const;
    // Selects [from, to) chart seconds of a channel as the host selection;
    // false when there is no such channel or document.
    bool Select(const ChartSpan& span);
    // Where the traces are drawn (the mouse acts there).
    QWidget& CanvasWidget() const;
    // The part of the canvas with the traces, above the event strip.
    QRect TraceArea() const;
    // The axes, traces and event strip, without the scroll controls.
    QRect PrintedArea() const;
    // The hint of the spike marker at a canvas point, or empty.
    QString HintAt(QPoint point) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Canvas;

    void OnBeginDrag(platform::ui::IAxisScale&) override {}
    void OnEndDrag(platform::ui::IAxisScale&) override {}
    void OnScalingChanged(platform::ui::IAxisScale&) override;
    void OnAutoScale(platform::ui::IAxisScale&) override;

    void BuildScales(const Recording& recording);
    QWidget* BuildTimeAxis();
    bool IsTimeAxis(const platform::ui::IAxisScale& scale) const;
    void PlaceScales();
    void PaintCanvas(QPainter& painter, const QRect& area);
    void SyncScrollBar();
    void Wheel(QWheelEvent& event);
    void Press(const QMouseEvent& event);
    void Drag(const QMouseEvent& event);
    void Release(const QMouseEvent& event);
    double TimeAt(int x) const;

    ISpikeDocInterface& analysis_;
    std::unique_ptr<ChartPainter> painter_;
    std::unique_ptr<platform::ui::TWindow> axes_;
    std::vector<std::unique_ptr<ui::AxisScale>> scales_;
    // The time axis under the traces; dragging it zooms and scrolls.
    std::unique_ptr<platform::ui::TWindow> timeHost_;
    std::unique_ptr<ui::AxisScale> timeAxis_;
    Canvas* canvas_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QLabel* spanLabel_ = nullptr;
    std::vector<ChartMarker> markers_;
    ChartEventStrip events_;
    HostDocument* document_ = nullptr;
    // The document's change count the markers were last read at.
    int seenChanges_ = -1;
    HostSelection* selection_ = nullptr;
    std::optional<ChartSpan> dragged_;
    int pressX_ = 0;
    double start_ = 0.0;
    double span_ = 1.0;
    std::optional<double> limit_;
};

} // namespace Desk

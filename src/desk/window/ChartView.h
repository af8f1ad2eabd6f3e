#pragma once

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "desk/ui/AxisScale.h"
#include "desk/window/ChartPainter.h"
#include "host/ISpikeDocInterface.h"

class QLabel;
class QMouseEvent;
class QScrollBar;

namespace Desk {

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
    double Span() const { return span_; }
    const ChartPainter& Painter() const { return *painter_; }
    platform::ui::IAxisScale& ChannelScale(std::int32_t channel);
    platform::ui::IAxisScale& TimeScale() { return *timeAxis_; }

    // Reads the spikes again after an analysis.
    void RefreshMarkers();
    const std::vector<ChartMarker>& Markers() const { return markers_; }

    // The document's selection, which a drag across a channel sets and the
    // chart shades.
    void SetHostSelection(HostSelection& selection) { selection_ = &selection; }
    // The shaded stretch: the drag under way, else the host selection.
    std::optional<ChartSpan> ShownSelection() const;
    // Where the traces are drawn (the mouse acts there).
    QWidget& CanvasWidget() const;

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
    HostSelection* selection_ = nullptr;
    std::optional<ChartSpan> dragged_;
    int pressX_ = 0;
    double start_ = 0.0;
    double span_ = 1.0;
};

} // namespace Desk

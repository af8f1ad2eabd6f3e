#include "desk/window/ChartView.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <set>

#include "desk/runtime/HostDocument.h"
#include "desk/runtime/HostSelection.h"
#include "desk/window/MarkerHint.h"
#include "platform/ui/qt/QtBridge.h"

namespace Desk {

namespace {

// Scroll bar steps per second of chart time.
constexpr double kScrollSteps = 1000.0;
constexpr double kZoomStep = 1.5;
constexpr int kLabelRoom = 24;
// What a new chart shows: enough to see single spikes.
constexpr double kFirstSpan = 5.0;
// How often the markers look for changes of the document.
constexpr int kFollowDocumentMs = 200;
// A press that moves less than this is a click: it clears the selection.
constexpr int kDragSlack = 3;
// How near the mouse must be to a marker for its hint, in pixels.
constexpr int kHintReach = 3;

QColor ColourOf(std::uint32_t colorref)
{
    return QColor(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                  static_cast<int>((colorref >> 16) & 0xFF));
}

QString SpanText(double seconds)
{
    return seconds >= 1.0 ? QString("%1 s per screen").arg(seconds, 0, 'g', 4)
                          : QString("%1 ms per screen").arg(seconds * 1000.0, 0, 'g', 4);
}

} // namespace

class ChartView::Canvas final : public QWidget {
public:
    explicit Canvas(ChartView& chart) : QWidget(&chart), chart_(chart)
    {
        setFocusPolicy(Qt::StrongFocus);
        setMinimumSize(200, 120);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        chart_.PaintCanvas(painter, rect());
    }
    void resizeEvent(QResizeEvent*) override { chart_.PlaceScales(); }
    void wheelEvent(QWheelEvent* event) override { chart_.Wheel(*event); }
    void mousePressEvent(QMouseEvent* event) override { chart_.Press(*event); }
    void mouseMoveEvent(QMouseEvent* event) override { chart_.Drag(*event); }
    void mouseReleaseEvent(QMouseEvent* event) override { chart_.Release(*event); }
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip) {
            return QWidget::event(event);
        }
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString hint = chart_.HintAt(help->pos());
        if (hint.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), hint, this);
        }
        return true;
    }

private:
    ChartView& chart_;
};

ChartView::ChartView(const Recording& recording, ISpikeDocInterface& analysis, QWidget* parent)
    : QWidget(parent), analysis_(analysis), painter_(std::make_unique<ChartPainter>(recording))
{
    setWindowTitle(tr("Chart"));
    canvas_ = new Canvas(*this);
    axes_ = std::make_unique<platform::ui::TWindow>();
    QWidget* axesWidget = platform::ui::qt::NativeWidget(*axes_);
    axesWidget->setParent(this);
    axesWidget->setFixedWidth(ui::AxisScale::kVerticalThickness);
    BuildScales(recording);

    auto* showAll = new QToolButton(this);
    showAll->setText(tr("Show all"));
    connect(showAll, &QToolButton::clicked, this, &ChartView::ShowAll);
    spanLabel_ = new QLabel(this);
    scrollBar_ = new QScrollBar(Qt::Horizontal, this);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        ShowSpan(value / kScrollSteps, span_);
    });

    auto* body = new QHBoxLayout;
    body->setSpacing(0);
    body->addWidget(axesWidget);
    body->addWidget(canvas_, 1);
    // Room for the time axis' last label.
    body->addSpacing(kLabelRoom);
    QWidget* timeAxis = BuildTimeAxis();
    auto* bottom = new QHBoxLayout;
    bottom->addSpacing(ui::AxisScale::kVerticalThickness);
    bottom->addWidget(scrollBar_, 1);
    bottom->addWidget(spanLabel_);
    bottom->addWidget(showAll);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(body, 1);
    layout->addWidget(timeAxis);
    layout->addLayout(bottom);
    ShowSpan(0.0, kFirstSpan);
}

ChartView::~ChartView()
{
    for (auto& scale : scales_) {
        scale->Detach(this);
    }
    timeAxis_->Detach(this);
}

QWidget* ChartView::BuildTimeAxis()
{
    timeHost_ = std::make_unique<platform::ui::TWindow>();
    QWidget* host = platform::ui::qt::NativeWidget(*timeHost_);
    host->setParent(this);
    host->setFixedHeight(ui::AxisScale::kHorizontalThickness);
    timeAxis_ = std::make_unique<ui::AxisScale>(*timeHost_, platform::ui::AxisOrientation::Horizontal);
    const double duration = std::max(painter_->Duration(), painter_->ShortestSpan());
    timeAxis_->SetLimits(0.0, duration);
    timeAxis_->SetDefaultExtent(0.0, duration);
    timeAxis_->SetTitle(u"Time");
    timeAxis_->SetUnitText(u"s");
    timeAxis_->Attach(this);
    timeHost_->Create();
    return host;
}

bool ChartView::IsTimeAxis(const platform::ui::IAxisScale& scale) const
{
    return &scale == static_cast<const platform::ui::IAxisScale*>(timeAxis_.get());
}

void ChartView::BuildScales(const Recording& recording)
{
    for (std::int32_t channel = 0; channel < recording.ChannelCount(); ++channel) {
        auto scale = std::make_unique<ui::AxisScale>(*axes_, platform::ui::AxisOrientation::Vertical);
        SampleRange range = painter_->ChannelRange(channel);
        if (range.empty || range.high <= range.low) {
            range = {-1.0F, 1.0F, false};
        }
        const double margin = (range.high - range.low) * 0.05;
        const double span = range.high - range.low + 2 * margin;
        scale->SetLimits(range.low - margin - 10 * span, range.high + margin + 10 * span);
        scale->SetDefaultExtent(range.low - margin, range.high + margin);
        scale->SetExtent(range.low - margin, range.high + margin);
        scale->SetUnitText(recording.ChannelUnit(channel));
        scale->Attach(this);
        scales_.push_back(std::move(scale));
    }
    axes_->Create();
}

platform::ui::IAxisScale& ChartView::ChannelScale(std::int32_t channel)
{
    return *scales_.at(static_cast<std::size_t>(channel));
}

void ChartView::PlaceScales()
{
    const QRect area = TraceArea();
    for (std::size_t channel = 0; channel < scales_.size(); ++channel) {
        const QRect lane = painter_->Lane(area, static_cast<std::int32_t>(channel)).adjusted(0, 8, 0, -8);
        const std::int32_t x = ui::AxisScale::kVerticalThickness;
        scales_[channel]->PlaceBeside({x, lane.top(), x + 1, lane.bottom()});
        scales_[channel]->Show(true);
    }
    if (!timeAxis_) {
        return;
    }
    // The time axis host starts where the channel axes end.
    const std::int32_t left = ui::AxisScale::kVerticalThickness;
    timeAxis_->PlaceBeside({left, -1, left + area.width(), 0});
    timeAxis_->Show(true);
}

void ChartView::PaintCanvas(QPainter& painter, const QRect& area)
{
    std::vector<std::pair<double, double>> extents;
    for (const auto& scale : scales_) {
        extents.push_back(scale->GetExtent());
    }
    const QRect traces = TraceArea();
    if (limit_) {
        // Nothing past the sampled end: the replay has not delivered it.
        const int end = traces.left() + static_cast<int>((Extent() - start_) / span_ * traces.width());
        painter.setClipRect(QRect(area.topLeft(), QPoint(std::min(end, area.right()), area.bottom())));
    }
    painter_->Draw(painter, traces, start_, span_, extents, markers_);
    if (const std::optional<ChartSpan> selected = ShownSelection()) {
        painter_->DrawSelection(painter, traces, start_, span_, *selected);
    }
    events_.Draw(painter, QRect(QPoint(area.left(), traces.bottom() + 1), area.bottomRight()), start_, span_);
}

QRect ChartView::PrintedArea() const
{
    const QWidget* timeAxis = platform::ui::qt::NativeWidget(*timeHost_);
    return QRect(QPoint(0, 0), QPoint(width() - 1, timeAxis->geometry().bottom()));
}

QRect ChartView::TraceArea() const { return canvas_->rect().adjusted(0, 0, 0, -events_.Height()); }

void ChartView::SetDocument(HostDocument& document)
{
    document_ = &document;
    selection_ = &document.Selection();
    RefreshMarkers();
    // Edits made in the module's own windows (a unit added on the
    // discriminator) reach the host only as document changes.
    auto* watch = new QTimer(this);
    connect(watch, &QTimer::timeout, this, [this] {
        if (document_->DocumentChangedCount() != seenChanges_) {
            RefreshMarkers();
        }
    });
    watch->start(kFollowDocumentMs);
}

QString ChartView::HintAt(QPoint point) const
{
    if (document_ == nullptr || span_ <= 0.0) {
        return {};
    }
    const QRect area = TraceArea();
    const ChartMarker* nearest = nullptr;
    int nearestDistance = kHintReach + 1;
    for (const ChartMarker& marker : markers_) {
        const QRect band = painter_->MarkerBand(area, marker.channel).adjusted(-kHintReach, -kHintReach, 0, kHintReach);
        const int x = area.left() + static_cast<int>((marker.time - start_) / span_ * area.width());
        const int distance = std::abs(point.x() - x);
        if (point.y() >= band.top() && point.y() <= band.bottom() && distance < nearestDistance) {
            nearest = &marker;
            nearestDistance = distance;
        }
    }
    return nearest != nullptr ? MarkerHint(*document_, *nearest) : QString();
}

QWidget& ChartView::CanvasWidget() const { return *canvas_; }

std::optional<ChartSpan> ChartView::ShownSelection() const
{
    if (dragged_) {
        return dragged_;
    }
    if (selection_ == nullptr || !selection_->Current()) {
        return std::nullopt;
    }
    const HostSelection::Range& range = *selection_->Current();
    return ChartSpan{range.channel, painter_->TimeOf(range.channel, range.start),
                     painter_->TimeOf(range.channel, range.end)};
}

double ChartView::TimeAt(int x) const
{
    const double time = start_ + span_ * x / std::max(TraceArea().width(), 1);
    return std::clamp(time, 0.0, Extent());
}

void ChartView::Press(const QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton || selection_ == nullptr) {
        return;
    }
    std::int32_t channel = 0;
    const int y = event.position().toPoint().y();
    while (channel + 1 < painter_->ChannelCount() && y > painter_->Lane(TraceArea(), channel).bottom()) {
        ++channel;
    }
    pressX_ = event.position().toPoint().x();
    const double time = TimeAt(pressX_);
    dragged_ = ChartSpan{channel, time, time};
}

void ChartView::Drag(const QMouseEvent& event)
{
    if (dragged_) {
        dragged_->to = TimeAt(event.position().toPoint().x());
        canvas_->update();
    }
}

// Sets the host selection [earlier, later) on the channel pressed.
void ChartView::Release(const QMouseEvent& event)
{
    if (!dragged_ || event.button() != Qt::LeftButton) {
        return;
    }
    const ChartSpan span = *dragged_;
    dragged_.reset();
    if (std::abs(event.position().toPoint().x() - pressX_) < kDragSlack) {
        selection_->Clear();
        canvas_->update();
    } else {
        Select(span);
    }
}

bool ChartView::Select(const ChartSpan& span)
{
    if (selection_ == nullptr || span.channel < 0 || span.channel >= painter_->ChannelCount()) {
        return false;
    }
    const Host::Position from = painter_->PositionAt(span.channel, std::min(span.from, span.to));
    const Host::Position to = painter_->PositionAt(span.channel, std::max(span.from, span.to));
    const auto [low, high] = scales_[static_cast<std::size_t>(span.channel)]->GetExtent();
    selection_->SetSelection(span.channel, from, to, low, high);
    canvas_->update();
    return true;
}

void ChartView::ShowSpan(double start, double span)
{
    // The zoom is the recording's; only the scrolling stops at the limit,
    // so a screen wider than what was sampled shows it from the start.
    const double duration = painter_->Duration();
    span_ = std::clamp(span, std::min(painter_->ShortestSpan(), duration), std::max(duration, 1e-9));
    start_ = std::clamp(start, 0.0, std::max(Extent() - span_, 0.0));
    SyncScrollBar();
    timeAxis_->SetExtent(start_, start_ + span_);
    spanLabel_->setText(SpanText(span_));
    canvas_->update();
}

void ChartView::ShowAll() { ShowSpan(0.0, Extent()); }

void ChartView::LimitTo(std::optional<double> end)
{
    limit_ = end;
    ShowSpan(start_, span_);
}

double ChartView::Extent() const { return limit_ ? std::clamp(*limit_, 0.0, painter_->Duration()) : painter_->Duration(); }

void ChartView::Zoom(double factor, double centre)
{
    const double span = span_ * factor;
    const double fraction = span_ > 0.0 ? (centre - start_) / span_ : 0.5;
    ShowSpan(centre - fraction * span, span);
}

void ChartView::SyncScrollBar()
{
    const QSignalBlocker block(scrollBar_);
    scrollBar_->setRange(0, static_cast<int>(std::max(Extent() - span_, 0.0) * kScrollSteps));
    scrollBar_->setPageStep(std::max(1, static_cast<int>(span_ * kScrollSteps)));
    scrollBar_->setSingleStep(std::max(1, static_cast<int>(span_ * kScrollSteps / 10)));
    scrollBar_->setValue(static_cast<int>(start_ * kScrollSteps));
}

void ChartView::Wheel(QWheelEvent& event)
{
    const double steps = event.angleDelta().y() / 120.0;
    if (event.modifiers() & Qt::ShiftModifier) {
        ShowSpan(start_ - steps * span_ / 10, span_);
    } else {
        const double centre = start_ + span_ * event.position().x() / std::max(canvas_->width(), 1);
        Zoom(std::pow(kZoomStep, -steps), centre);
    }
    event.accept();
}

void ChartView::keyPressEvent(QKeyEvent* event)
{
    const double centre = start_ + span_ / 2;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        Zoom(1 / kZoomStep, centre);
        break;
    case Qt::Key_Minus:
        Zoom(kZoomStep, centre);
        break;
    case Qt::Key_Left:
        ShowSpan(start_ - span_ / 10, span_);
        break;
    case Qt::Key_Right:
        ShowSpan(start_ + span_ / 10, span_);
        break;
    case Qt::Key_PageUp:
        ShowSpan(start_ - span_, span_);
        break;
    case Qt::Key_PageDown:
        ShowSpan(start_ + span_, span_);
        break;
    case Qt::Key_Home:
        ShowSpan(0.0, span_);
        break;
    case Qt::Key_End:
        ShowSpan(Extent(), span_);
        break;
    case Qt::Key_A:
        ShowAll();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ChartView::OnScalingChanged(platform::ui::IAxisScale& scale)
{
    if (IsTimeAxis(scale)) {
        const auto [first, last] = scale.GetExtent();
        ShowSpan(first, last - first);
    }
    canvas_->update();
}

void ChartView::OnAutoScale(platform::ui::IAxisScale& scale)
{
    if (IsTimeAxis(scale)) {
        ShowAll();
    }
    canvas_->update();
}

void ChartView::RefreshMarkers()
{
    if (document_ != nullptr) {
        seenChanges_ = document_->DocumentChangedCount();
        ComPtr<IHostCalc> calc = document_->Engine().Calc();
        std::set<VEX::String> markerSources;
        for (const auto& [channel, markers] : document_->MarkerTable()) {
            markerSources.insert(markers.eventSource);
        }
        events_.Load(*calc, painter_->BlockCount(), markerSources,
                     [this](Host::Position at) { return painter_->TimeOf(0, at); });
        PlaceScales();
    }
    markers_.clear();
    Host::DocumentSettings settings;
    if (Failed(analysis_.GetDocumentSettings(&settings)) || !settings.showSpikeMarkers) {
        canvas_->update();
        return;
    }
    std::vector<Host::UnitDescription> units;
    analysis_.GetUnits(&units);
    const std::int32_t count = analysis_.SpikeCount();
    markers_.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        Host::SpikeInfo spike;
        if (Failed(analysis_.GetSpike(i, &spike)) || spike.block < 0 || spike.block >= painter_->BlockCount()) {
            continue;
        }
        const auto unit = std::ranges::find_if(units, [&spike](const auto& u) { return u.number == spike.unit; });
        const QColor colour = unit != units.end() ? ColourOf(unit->colour) : QColor(0x80, 0x80, 0x80);
        markers_.push_back({painter_->BlockStart(spike.block) + spike.time, settings.sourceChannel, colour, spike.block,
                            spike.tick});
    }
    canvas_->update();
}

} // namespace Desk

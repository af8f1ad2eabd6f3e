#include "desk/window/ChartEventStrip.h"

#include <algorithm>

#include "desk/window/QtText.h"
#include "desk/window/SourceEvents.h"

namespace Desk {
namespace {

const QColor kTick(0x2e, 0x7d, 0x32);
const QColor kStripBackground(0xf4, 0xf6, 0xf8);
const QColor kStripRule(0xd8, 0xdc, 0xe2);
constexpr int kTickHeight = 9;

} // namespace

void ChartEventStrip::Load(IHostCalc& calc, std::int32_t blocks, const std::set<VEX::String>& markerSources,
                           const TimeOf& timeOf)
{
    rows_.clear();
    const std::int32_t count = calc.EventSourceCount();
    for (std::int32_t position = 0; position < count && rows_.size() < kMostRows; ++position) {
        VEX::String name;
        // Withdrawn sources leave a nameless slot.
        if (calc.EventSourceNameAt(position, &name) != S_OK || name.Empty() || markerSources.contains(name)) {
            continue;
        }
        Row row{ToQt(name), {}};
        for (const Host::Position& at : SourceEventPositions(calc, position, blocks)) {
            row.times.push_back(timeOf(at));
        }
        std::ranges::sort(row.times);
        rows_.push_back(std::move(row));
    }
}

int ChartEventStrip::Height() const { return rows_.empty() ? 0 : static_cast<int>(rows_.size()) * kRowHeight + 1; }

void ChartEventStrip::Draw(QPainter& painter, const QRect& strip, double start, double span) const
{
    if (rows_.empty() || span <= 0.0) {
        return;
    }
    painter.fillRect(strip, kStripBackground);
    painter.setPen(kStripRule);
    painter.drawLine(strip.topLeft(), strip.topRight());
    for (std::size_t index = 0; index < rows_.size(); ++index) {
        const Row& row = rows_[index];
        const int top = strip.top() + 1 + static_cast<int>(index) * kRowHeight;
        const int middle = top + kRowHeight / 2;
        painter.setPen(QPen(kTick, 2));
        const auto first = std::ranges::lower_bound(row.times, start);
        const auto last = std::ranges::lower_bound(row.times, start + span);
        for (auto time = first; time != last; ++time) {
            const int x = strip.left() + static_cast<int>((*time - start) / span * strip.width());
            painter.drawLine(x, middle - kTickHeight / 2, x, middle + kTickHeight / 2);
        }
        // The name on the right, on a plate, so the ticks do not hide it.
        QRect plate = painter.fontMetrics().boundingRect(row.name).adjusted(-4, 0, 4, 0);
        plate.moveCenter({strip.right() - plate.width() / 2 - 4, middle});
        painter.fillRect(plate, QColor(255, 255, 255, 220));
        painter.setPen(Qt::darkGray);
        painter.drawText(plate, Qt::AlignCenter, row.name);
    }
}

} // namespace Desk

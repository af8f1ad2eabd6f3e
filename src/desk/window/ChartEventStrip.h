#pragma once

#include <QPainter>
#include <QRect>
#include <QString>

#include <functional>
#include <set>
#include <vector>

#include "host/HostTypes.h"
#include "host/IHostCalc.h"

namespace Desk {

// The document's event sources as rows of short ticks under the traces, one
// row per source, each labelled with the source's name. Sources drawn as
// spike markers are left out: the markers show them already.
class ChartEventStrip {
public:
    struct Row {
        QString name;
        std::vector<double> times; // chart seconds, ascending
    };

    static constexpr int kRowHeight = 15;
    // More rows would squeeze the traces; the first sources are shown.
    static constexpr std::size_t kMostRows = 6;

    // Chart seconds of a position in the recording.
    using TimeOf = std::function<double(Host::Position)>;

    // Reads every event source of the engine again.
    void Load(IHostCalc& calc, std::int32_t blocks, const std::set<VEX::String>& markerSources, const TimeOf& timeOf);
    const std::vector<Row>& Rows() const { return rows_; }
    int Height() const;
    // Draws [start, start + span) seconds into `strip`.
    void Draw(QPainter& painter, const QRect& strip, double start, double span) const;

private:
    std::vector<Row> rows_;
};

} // namespace Desk

#pragma once

#include <QWidget>

#include <vector>

#include "desk/datasheet/DataSheet.h"

class QLabel;
class QTableWidget;

namespace Desk {

class Session;

// The Data Sheet as a table: one row per function (name, value, units) for
// the source channel, as `nerolith datasheet` prints it. The values are
// asked for afresh at each refresh, so they follow the selected unit, the
// units and the analysis.
class DataSheetWindow final : public QWidget {
    Q_OBJECT
public:
    explicit DataSheetWindow(Session& session, QWidget* parent = nullptr);

    void Refresh();
    // Refreshes once the current event is handled: the module reports its
    // changes while it is still making them.
    void ScheduleRefresh();
    const QTableWidget& Table() const { return *table_; }
    // The rows as tab-separated text with the "name	value	units" header.
    QString Text() const;
    void CopyToClipboard() const;

private:
    void Fill(const std::vector<DataSheetCell>& cells);

    Session& session_;
    DataSheet sheet_;
    std::vector<DataSheetCell> cells_;
    QTableWidget* table_ = nullptr;
    QLabel* problem_ = nullptr;
    bool refreshPending_ = false;
};

} // namespace Desk

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
// asked for afresh whenever the module has reported a change of its
// document, so they follow the selected unit, the units and the analysis.
// The count of changes is looked at from the event loop, not from the
// module's report: the module reports while it is still changing.
class DataSheetWindow final : public QWidget {
    Q_OBJECT
public:
    explicit DataSheetWindow(Session& session, QWidget* parent = nullptr);

    void Refresh();
    const QTableWidget& Table() const { return *table_; }
    // The rows as tab-separated text with the "name	value	units" header.
    QString Text() const;
    void CopyToClipboard() const;
    // The options of the chosen row's function (the first row's when none is
    // chosen), as its class shows them; the table is read again after.
    void ShowOptions();

private:
    void Fill(const std::vector<DataSheetCell>& cells);

    Session& session_;
    DataSheet sheet_;
    std::vector<DataSheetCell> cells_;
    QTableWidget* table_ = nullptr;
    QLabel* problem_ = nullptr;
    // The document's change count at the last refresh.
    int seenChanges_ = 0;
};

} // namespace Desk

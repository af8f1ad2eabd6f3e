#include "desk/window/DataSheetWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <sstream>
#include <stdexcept>

#include "desk/datasheet/DataSheetText.h"
#include "desk/runtime/Session.h"
#include "desk/window/QtText.h"

namespace Desk {

DataSheetWindow::DataSheetWindow(Session& session, QWidget* parent)
    : QWidget(parent), session_(session), sheet_(session)
{
    setWindowTitle(tr("Data Sheet"));
    table_ = new QTableWidget(0, 3, this);
    table_->setHorizontalHeaderLabels({tr("Function"), tr("Value"), tr("Units")});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    problem_ = new QLabel(this);
    problem_->setWordWrap(true);
    problem_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(problem_);
    layout->addWidget(table_, 1);
    Refresh();
}

void DataSheetWindow::Refresh()
{
    Host::DocumentSettings settings;
    session_.Analysis().GetDocumentSettings(&settings);
    try {
        Fill(sheet_.Row(settings.sourceChannel));
        problem_->hide();
    } catch (const std::runtime_error& error) {
        Fill({});
        problem_->setText(QString::fromUtf8(error.what()));
        problem_->show();
    }
}

void DataSheetWindow::ScheduleRefresh()
{
    if (refreshPending_) {
        return;
    }
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] {
        refreshPending_ = false;
        Refresh();
    });
}

void DataSheetWindow::Fill(const std::vector<DataSheetCell>& cells)
{
    cells_ = cells;
    table_->setRowCount(static_cast<int>(cells.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const DataSheetCell& cell = cells[static_cast<std::size_t>(row)];
        const QString texts[] = {ToQt(cell.name), QString::fromStdString(ValueText(cell.value)), ToQt(cell.units)};
        for (int column = 0; column < 3; ++column) {
            QTableWidgetItem* item = table_->item(row, column);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                table_->setItem(row, column, item);
            }
            item->setText(texts[column]);
            item->setTextAlignment(column == 1 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
}

QString DataSheetWindow::Text() const
{
    std::ostringstream text;
    WriteTsv(cells_, text);
    return QString::fromStdString(text.str());
}

void DataSheetWindow::CopyToClipboard() const { QApplication::clipboard()->setText(Text()); }

} // namespace Desk

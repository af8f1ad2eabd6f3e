#include "desk/window/DataSheetWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "desk/datasheet/DataSheetText.h"
#include "desk/runtime/Session.h"
#include "desk/window/QtText.h"

namespace Desk {
namespace {

// How often the table looks for changes of the document.
constexpr int kWatchMilliseconds = 200;

} // namespace

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
    auto* options = new QPushButton(tr("Options..."), this);
    connect(options, &QPushButton::clicked, this, &DataSheetWindow::ShowOptions);
    problem_ = new QLabel(this);
    problem_->setWordWrap(true);
    problem_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(4, 4, 4, 0);
    tools->addStretch(1);
    tools->addWidget(options);
    layout->addLayout(tools);
    layout->addWidget(problem_);
    layout->addWidget(table_, 1);
    auto* watch = new QTimer(this);
    connect(watch, &QTimer::timeout, this, [this] {
        if (session_.Host().DocumentChangedCount() != seenChanges_) {
            Refresh();
        }
    });
    watch->start(kWatchMilliseconds);
    Refresh();
}

void DataSheetWindow::Refresh()
{
    seenChanges_ = session_.Host().DocumentChangedCount();
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

void DataSheetWindow::ShowOptions()
{
    const auto& columns = sheet_.Columns();
    if (columns.empty()) {
        return;
    }
    const auto row = static_cast<std::size_t>(std::clamp(table_->currentRow(), 0, int(columns.size()) - 1));
    // Only classes with options offer the second interface.
    const auto withOptions = columns[row].functionClass.As<IDataSheetFunctionClass2>();
    if (withOptions) {
        withOptions->ShowOptions(session_.ModuleDocument().Get());
        Refresh();
    }
}

void DataSheetWindow::CopyToClipboard() const { QApplication::clipboard()->setText(Text()); }

} // namespace Desk

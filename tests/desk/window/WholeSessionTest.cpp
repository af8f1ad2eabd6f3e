#include <QApplication>
#include <QFileDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <map>
#include <set>

#include "desk/document/ModuleSettings.h"
#include "desk/window/ChartView.h"
#include "desk/window/DataSheetWindow.h"
#include "desk/window/ViewCatalog.h"
#include "platform/ui/Automation.h"
#include "platform/ui/TDialog.h"
#include "WindowTestSupport.h"

using namespace WindowTests;
namespace automation = platform::ui::automation;

namespace {

// Controls of the module's dialogs, by the ids the module gives them.
constexpr std::int32_t kOk = 1;
constexpr std::int32_t kThresholdEdit = 104;
constexpr std::int32_t kBlocksRadio = 1302;
constexpr std::int32_t kBlocksEdit = 1305;

QPushButton* ButtonIn(QWidget* frame, const QString& text)
{
    for (QPushButton* button : frame->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

// The discriminator's scatter plot: the left one of its two graphs.
QWidget* ScatterPlotIn(QWidget* frame)
{
    QWidget* scatter = nullptr;
    for (QWidget* graph : frame->findChildren<QWidget*>()) {
        if (graph->windowTitle() == "XYC Spike Scatter Plot" && (scatter == nullptr || graph->x() < scatter->x())) {
            scatter = graph;
        }
    }
    return scatter;
}

// Drags a closed free-hand contour with the mouse around most of the plot,
// inside its axes (the left and bottom child widgets).
void DrawContour(QWidget* scatter)
{
    int left = 0;
    int bottom = scatter->height();
    for (QWidget* axis : scatter->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (axis->height() > axis->width()) {
            left = std::max(left, axis->geometry().right() + 1);
        } else {
            bottom = std::min(bottom, axis->y());
        }
    }
    const QRect area(QPoint(left + 12, 24), QPoint(scatter->width() - 30, bottom - 12));
    const QPoint path[] = {area.topLeft(), area.topRight(), area.bottomRight(), area.bottomLeft(),
                           area.topLeft() + QPoint(0, 1)};
    QTest::mousePress(scatter, Qt::LeftButton, {}, path[0]);
    for (const QPoint& point : path) {
        QMouseEvent move(QEvent::MouseMove, point, scatter->mapToGlobal(point), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(scatter, &move);
    }
    QTest::mouseRelease(scatter, Qt::LeftButton, {}, path[4]);
}

// Answers the Qt file dialog that `ask` opens with `path`.
void AnswerFileDialog(const QString& path)
{
    QTimer::singleShot(0, [path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            AnswerFileDialog(path);
            return;
        }
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
}

// What a session shows that must come back with the document.
// How many colours the chart's spike markers show.
std::size_t MarkerColours(const Desk::ChartView& chart)
{
    std::set<QRgb> colours;
    for (const Desk::ChartMarker& marker : chart.Markers()) {
        colours.insert(marker.colour.rgb());
    }
    return colours.size();
}

// The Data Sheet's rows, value by function name.
std::map<QString, QString> SheetRows(const Desk::DataSheetWindow& sheet)
{
    std::map<QString, QString> rows;
    const QTableWidget& table = sheet.Table();
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.item(row, 0) != nullptr && table.item(row, 1) != nullptr) {
            rows[table.item(row, 0)->text()] = table.item(row, 1)->text();
        }
    }
    return rows;
}

struct Outcome {
    std::int32_t spikes = 0;
    std::size_t units = 0;
    std::vector<std::uint8_t> settings;
    std::map<Host::ViewKind, QString> copiedTexts;
    QList<QPair<QString, QRect>> stack;
    QString binSize;
    QString page;

    static Outcome Of(Desk::MainWindow& window)
    {
        Outcome outcome;
        Desk::Session& session = *window.CurrentSession();
        outcome.spikes = session.Analysis().SpikeCount();
        std::vector<Host::UnitDescription> units;
        session.Analysis().GetUnits(&units);
        outcome.units = units.size();
        outcome.settings = Desk::SaveSettings(session.ModuleDocument().As<IPersistStreamInit>().Get(), false);
        for (const Desk::ViewCatalog::Entry& entry : Desk::ViewCatalog::Entries()) {
            if (entry.kind != Host::ViewKind::Discriminator) {
                outcome.copiedTexts[entry.kind] = CopiedText(window, entry.kind);
            }
        }
        outcome.stack = Stack(window);
        outcome.binSize = Setting(window, Host::ViewKind::InterspikeInterval, u"bin-size");
        outcome.page = Setting(window, Host::ViewKind::RateMeter, u"page");
        return outcome;
    }
};

} // namespace

class WholeSessionTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { automation::Reset(); }
    // A user's session from the demo recording to a reopened document, all
    // through the menus, dialogs, buttons and the mouse.
    void savesAndReopensAWholeSession()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("whole.nrl");
        Desk::MainWindow window;
        window.resize(1400, 900);
        window.show();
        QStringList errors;
        window.SetErrorReporter([&errors](const QString& message) { errors << message; });
        QVERIFY(window.Open("demo"));

        automation::SetDialogDriver([](platform::ui::TDialog& dialog) {
            automation::TypeText(dialog, kThresholdEdit, u"0.25");
            automation::Click(dialog, kOk);
        });
        QVERIFY(Choose(window, "Nerolith", "Settings..."));
        Host::ChannelAnalysisRecord record;
        window.CurrentSession()->Analysis().GetChannelRecord(0, &record);
        QCOMPARE(record.detectionThreshold, 0.25);
        QVERIFY(Choose(window, "Nerolith", "Analyze Channel"));
        const std::int32_t spikes = window.CurrentSession()->Analysis().SpikeCount();
        QVERIFY(spikes > 1000);

        QVERIFY(Choose(window, "Nerolith", "Discriminator"));
        QMdiSubWindow* discriminator = FrameTitled(window, "Discriminator");
        QVERIFY(discriminator != nullptr);
        QWidget* scatter = ScatterPlotIn(discriminator);
        QVERIFY(scatter != nullptr);
        DrawContour(scatter);
        QCOMPARE(MarkerColours(*window.Chart()), std::size_t{1});
        QTest::mouseClick(ButtonIn(discriminator, "Add Unit"), Qt::LeftButton);
        // The chart follows the new unit with no host command after it.
        QTRY_COMPARE(MarkerColours(*window.Chart()), std::size_t{2});
        std::vector<Host::UnitDescription> units;
        window.CurrentSession()->Analysis().GetUnits(&units);
        QCOMPARE(units.size(), std::size_t{1});
        QCOMPARE(units.front().kind, 2);
        QCOMPARE(window.CurrentSession()->Analysis().SpikeCount(), spikes);

        for (const Desk::ViewCatalog::Entry& entry : Desk::ViewCatalog::Entries()) {
            if (entry.kind != Host::ViewKind::Discriminator) {
                QVERIFY(Choose(window, "View", Plain(entry.name)));
            }
        }
        QCOMPARE(window.Views().ShownWindows().size(), 7);

        // A new bin size analyses again, which shows every view's last
        // page: the bins first, then the page.
        const QString binSize = Setting(window, Host::ViewKind::InterspikeInterval, u"bin-size");
        QTest::mouseClick(ButtonIn(FrameTitled(window, "Interspike Interval Histogram"), "+"), Qt::LeftButton);
        QVERIFY(Setting(window, Host::ViewKind::InterspikeInterval, u"bin-size") != binSize);
        QMdiSubWindow* rateMeter = FrameTitled(window, "Rate Meter");
        automation::SetDialogDriver([](platform::ui::TDialog& dialog) {
            automation::Click(dialog, kBlocksRadio);
            automation::TypeText(dialog, kBlocksEdit, u"1");
            automation::Click(dialog, kOk);
        });
        QTest::mouseClick(ButtonIn(rateMeter, "Paging"), Qt::LeftButton);
        QCOMPARE(Setting(window, Host::ViewKind::RateMeter, u"pages"), QString("3"));
        QCOMPARE(Setting(window, Host::ViewKind::RateMeter, u"page"), QString("3"));
        QTest::mouseClick(ButtonIn(rateMeter, "<"), Qt::LeftButton);
        QCOMPARE(Setting(window, Host::ViewKind::RateMeter, u"page"), QString("2"));

        // The Data Sheet table reads the views as they now are.
        QVERIFY(Choose(window, "View", "Data Sheet"));
        QVERIFY(window.DataSheet() != nullptr);
        const std::map<QString, QString> sheet = SheetRows(*window.DataSheet());
        QCOMPARE(sheet.at("Selected Unit"), QString::fromStdU16String(units.front().name.Str()));
        QCOMPARE(sheet.at("ISIH: Bin Size").toDouble(),
                 Setting(window, Host::ViewKind::InterspikeInterval, u"bin-size").toDouble());
        QVERIFY(sheet.at("ISIH: Total Counts").toInt() > 0);
        QVERIFY(sheet.at("ISIH: Total Counts").toInt() < spikes);

        AnswerFileDialog(path);
        QVERIFY(Choose(window, "File", "Save As..."));
        // As saved: closing the file dialog raises the view that had the focus.
        const Outcome before = Outcome::Of(window);
        QCOMPARE(window.windowTitle(), QString("whole - Nerolith"));
        QVERIFY(Choose(window, "File", "Close"));
        QVERIFY(window.CurrentSession() == nullptr);

        QAction* recent = ActionOf(window.FindMenu("File"), "Recent files");
        QVERIFY(recent != nullptr && !recent->menu()->actions().isEmpty());
        QCOMPARE(recent->menu()->actions().front()->text(), path);
        recent->menu()->actions().front()->trigger();
        QCOMPARE(errors, QStringList());
        const Outcome after = Outcome::Of(window);
        QCOMPARE(after.spikes, before.spikes);
        QCOMPARE(after.units, before.units);
        QVERIFY(after.settings == before.settings);
        QCOMPARE(after.stack, before.stack);
        QCOMPARE(after.binSize, before.binSize);
        QCOMPARE(after.page, QString("2"));
        for (const auto& [kind, text] : before.copiedTexts) {
            QVERIFY(!text.isEmpty());
            QCOMPARE(after.copiedTexts.at(kind), text);
        }
    }
};

int RunWholeSessionTests(int argc, char** argv)
{
    WholeSessionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WholeSessionTest.moc"

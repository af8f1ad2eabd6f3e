#include <QApplication>
#include <QClipboard>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <sstream>

#include "DemoUnit.h"
#include "desk/datasheet/DataSheetText.h"
#include "desk/window/DataSheetWindow.h"
#include "desk/window/MainWindow.h"
#include "platform/ui/Automation.h"
#include "platform/ui/TDialog.h"
#include "MenuDriver.h"

namespace {

// What `nerolith datasheet demo` prints for the same unit and views.
QString ReferenceText()
{
    auto session = Desk::Session::OpenRecording("demo", MakeCom<Desk::HostServices>());
    if (!AddDemoUnitA(session->Analysis())) {
        return {};
    }
    session->Analyze();
    session->Analysis().OpenView(Host::ViewKind::InterspikeInterval);
    std::ostringstream text;
    Desk::WriteTsv(Desk::DataSheet(*session).Row(0), text);
    return QString::fromStdString(text.str());
}

QString ValueOf(const Desk::DataSheetWindow& sheet, const QString& name)
{
    const QTableWidget& table = sheet.Table();
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.item(row, 0)->text() == name) {
            return table.item(row, 1)->text();
        }
    }
    return "(no row)";
}

} // namespace

class DataSheetWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The table holds what the command line prints, follows the units as
    // they change and copies as tab-separated text.
    void showsFollowsAndCopiesTheDataSheet()
    {
        const QString reference = ReferenceText();
        Desk::MainWindow window;
        window.resize(1200, 800);
        window.show();
        QVERIFY(window.Open("demo"));
        ISpikeDocInterface& analysis = window.CurrentSession()->Analysis();
        QVERIFY(AddDemoUnitA(analysis));
        QVERIFY(MenuDriver::Choose(window, "Nerolith", "Analyze Channel"));
        QVERIFY(MenuDriver::Choose(window, "View", "Interspike Interval Histogram"));
        QVERIFY(MenuDriver::Choose(window, "View", "Data Sheet"));
        Desk::DataSheetWindow* sheet = window.DataSheet();
        QVERIFY(sheet != nullptr);
        QCOMPARE(sheet->Table().rowCount(), reference.count(QLatin1Char('\n')) - 1);
        QCOMPARE(sheet->Text(), reference);
        QCOMPARE(ValueOf(*sheet, "Selected Unit"), QString("A"));
        QVERIFY(ValueOf(*sheet, "ISIH: Total Counts").toInt() > 100);

        // Opened again it is the same window.
        QVERIFY(MenuDriver::Choose(window, "View", "Data Sheet"));
        QCOMPARE(window.DataSheet(), sheet);

        QVERIFY(Succeeded(analysis.SetSelectedUnit(-1)));
        QTRY_COMPARE(ValueOf(*sheet, "Selected Unit"), QString("No Unit Selected"));
        QVERIFY(MenuDriver::Choose(window, "Nerolith", "Clear Analysis"));
        QTRY_VERIFY(sheet->Text() != reference);

        // The module's options dialog, reached from the table's Options button.
        int shown = 0;
        platform::ui::automation::SetDialogDriver([&shown](platform::ui::TDialog& dialog) {
            ++shown;
            platform::ui::automation::Click(dialog, platform::ui::IDOK);
        });
        QPushButton* options = sheet->findChild<QPushButton*>();
        QVERIFY(options != nullptr && options->text() == "Options...");
        QTest::mouseClick(options, Qt::LeftButton);
        platform::ui::automation::SetDialogDriver({});
        QCOMPARE(shown, 1);

        QVERIFY(MenuDriver::Choose(window, "Edit", "Copy"));
        QCOMPARE(QApplication::clipboard()->text(), sheet->Text());
        QVERIFY(sheet->Text().startsWith("name\tvalue\tunits\n"));

        // Closing the document closes the table before the module's functions go.
        window.CloseDocument();
        QVERIFY(window.DataSheet() == nullptr);
        QVERIFY(!MenuDriver::Choose(window, "View", "Data Sheet"));
    }
};

int RunDataSheetWindowTests(int argc, char** argv)
{
    DataSheetWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DataSheetWindowTest.moc"

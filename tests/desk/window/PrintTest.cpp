#include <QFile>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include "DemoUnit.h"
#include "desk/window/ChartView.h"
#include "desk/window/MainWindow.h"
#include "desk/window/ViewArea.h"
#include "platform/ui/Automation.h"
#include "MenuDriver.h"

namespace automation = platform::ui::automation;

namespace {

QMdiSubWindow* FrameTitled(Desk::MainWindow& window, const QString& part)
{
    for (QMdiSubWindow* frame : window.Views().subWindowList()) {
        if (frame->windowTitle().contains(part)) {
            return frame;
        }
    }
    return nullptr;
}

// A PDF of at least one page with something drawn on it.
bool IsDrawnPdf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    return bytes.startsWith("%PDF") && bytes.contains("/Type /Page") && bytes.size() > 4000;
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void init() { automation::Reset(); }

    // File > Print names the active view as the module does, and prints it
    // through the view's printout where the dialog says; a cancelled dialog
    // prints nothing. Print Preview renders the pages.
    void printsTheActiveViewThroughItsPrintout()
    {
        QTemporaryDir folder;
        Desk::MainWindow window;
        window.resize(1200, 800);
        window.show();
        QVERIFY(window.Open("demo"));
        QVERIFY(AddDemoUnitA(window.CurrentSession()->Analysis()));
        QVERIFY(MenuDriver::Choose(window, "Nerolith", "Analyze Channel"));
        QVERIFY(MenuDriver::Choose(window, "View", "Interspike Interval Histogram"));
        QVERIFY(MenuDriver::Choose(window, "Nerolith", "Discriminator"));

        window.Views().setActiveSubWindow(FrameTitled(window, "Interspike Interval Histogram"));
        const QString isi = folder.filePath("isi.pdf");
        automation::QueueFileAnswer(VEX::String(isi.toStdU16String()));
        QVERIFY(MenuDriver::Choose(window, "File", "Print Interspike Interval Histogram View..."));
        QVERIFY(IsDrawnPdf(isi));

        automation::QueueFileAnswer(std::nullopt);
        QVERIFY(!window.PrintActive(false));
        QCOMPARE(automation::ShownFileDialogs().size(), std::size_t{2});

        QVERIFY(MenuDriver::Choose(window, "File", "Print Preview..."));
        QCOMPARE(automation::ShownPrintPreviews(), std::vector<std::int32_t>{1});

        window.Views().setActiveSubWindow(FrameTitled(window, "Discriminator"));
        const QString discriminator = folder.filePath("discriminator.pdf");
        automation::QueueFileAnswer(VEX::String(discriminator.toStdU16String()));
        QVERIFY(MenuDriver::Choose(window, "File", "Print Spike Discriminator View..."));
        QVERIFY(IsDrawnPdf(discriminator));
    }

    // The chart prints as shown, on the printer the dialog gives.
    void printsTheChart()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("chart.pdf");
        Desk::MainWindow window;
        window.resize(1200, 800);
        window.show();
        QVERIFY(window.Open("demo"));
        window.Views().setActiveSubWindow(FrameTitled(window, "Chart"));
        window.SetPrinterChooser([](QPrinter&) { return false; });
        QVERIFY(MenuDriver::ActionOf(window.FindMenu("File"), "Print Chart...") != nullptr);
        QVERIFY(!window.PrintActive(false));
        QVERIFY(!QFile::exists(path));

        window.SetPrinterChooser([&path](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        });
        QVERIFY(MenuDriver::Choose(window, "File", "Print Chart..."));
        QVERIFY(IsDrawnPdf(path));
    }

    void printsNothingWithoutADocument()
    {
        Desk::MainWindow window;
        QAction* print = MenuDriver::ActionOf(window.FindMenu("File"), "Print...");
        QVERIFY(print != nullptr && !print->isEnabled());
        QVERIFY(!window.PrintActive(false));
    }
};

int RunPrintTests(int argc, char** argv)
{
    PrintTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PrintTest.moc"

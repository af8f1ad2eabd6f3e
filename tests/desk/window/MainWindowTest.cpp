#include <QApplication>
#include <QClipboard>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "DemoUnit.h"
#include "desk/window/ChartView.h"
#include "desk/window/MainWindow.h"
#include "desk/window/RecentFiles.h"
#include "desk/window/ViewArea.h"
#include "MenuDriver.h"

namespace {

using MenuDriver::ActionOf;
using MenuDriver::Choose;
using MenuDriver::Plain;

QMdiSubWindow* FrameTitled(Desk::MainWindow& window, const QString& part)
{
    for (QMdiSubWindow* frame : window.Views().ShownWindows()) {
        if (frame->windowTitle().contains(part)) {
            return frame;
        }
    }
    return nullptr;
}

QString Setting(Desk::MainWindow& window, Host::ViewKind kind, const char16_t* name)
{
    VEX::String text;
    window.CurrentSession()->Analysis().GetViewSetting(kind, name, &text);
    return QString::fromStdU16String(text.Str());
}

QString CopiedText(Desk::MainWindow& window, Host::ViewKind kind) { return Setting(window, kind, u"copied-text"); }

QPushButton* ButtonIn(QWidget& frame, const QString& text)
{
    for (QPushButton* button : frame.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setOrganizationName("NerolithTests");
        QApplication::setApplicationName("tests_desk_window");
        QSettings().clear();
    }

    void startsEmptyAndKeepsTheDocumentWhenAFileIsBad()
    {
        Desk::MainWindow window;
        QStringList errors;
        window.SetErrorReporter([&errors](const QString& message) { errors << message; });
        QCOMPARE(window.windowTitle(), QString("Nerolith"));
        QVERIFY(window.FindMenu("Nerolith") == nullptr);
        QVERIFY(!Choose(window, "File", "Save"));

        QVERIFY(window.Open("demo"));
        QCOMPARE(window.windowTitle(), QString("demo - Nerolith"));
        QVERIFY(!window.Open("/nonexistent/recording.json"));
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.front().contains("/nonexistent/recording.json"));
        QCOMPARE(window.windowTitle(), QString("demo - Nerolith"));
        QVERIFY(window.FindMenu("Nerolith") != nullptr);

        QVERIFY(Choose(window, "File", "Close"));
        QCOMPARE(window.windowTitle(), QString("Nerolith"));
        QVERIFY(window.FindMenu("Nerolith") == nullptr);
    }

    // The menus run the same analysis as the command line, and the views
    // opened from them show it.
    void analysesAndOpensViewsFromTheMenus()
    {
        auto reference = Desk::Session::OpenRecording("demo", MakeCom<Desk::HostServices>());
        reference->Analyze();
        const std::int32_t expected = reference->Analysis().SpikeCount();
        QVERIFY(expected > 1000);

        Desk::MainWindow window;
        window.resize(1200, 800);
        window.show();
        QVERIFY(window.Open("demo"));
        QCOMPARE(window.CurrentSession()->Analysis().SpikeCount(), 0);
        QVERIFY(AddDemoUnitA(window.CurrentSession()->Analysis()));
        QVERIFY(Choose(window, "Nerolith", "Analyze Channel"));
        QCOMPARE(window.CurrentSession()->Analysis().SpikeCount(), expected);

        QVERIFY(Choose(window, "View", "Interspike Interval Histogram"));
        QVERIFY(Choose(window, "View", "Amplitude Histogram"));
        QVERIFY(Choose(window, "Nerolith", "Discriminator"));
        QCOMPARE(window.Views().ShownWindows().size(), 3);
        // The module's Windows submenu, its items asked as it opens.
        QAction* windows = ActionOf(window.FindMenu("Nerolith"), "Windows");
        QVERIFY(windows != nullptr && windows->menu() != nullptr);
        QAction* rateMeter = ActionOf(windows->menu(), "Rate Meter");
        QCOMPARE(windows->menu()->actions().size(), 6);
        QVERIFY(rateMeter != nullptr);
        rateMeter->trigger();
        QCOMPARE(window.Views().ShownWindows().size(), 4);
        QVERIFY(FrameTitled(window, "Rate Meter") != nullptr);

        QMdiSubWindow* isi = FrameTitled(window, "Interspike Interval Histogram");
        QVERIFY(isi != nullptr);
        window.Views().setActiveSubWindow(isi);
        QVERIFY(Choose(window, "Edit", "Copy"));
        const QString copied = QApplication::clipboard()->text();
        QVERIFY(copied.startsWith("A"));
        QCOMPARE(copied, CopiedText(window, Host::ViewKind::InterspikeInterval));
        QVERIFY(!QApplication::clipboard()->image().isNull());

        // The view's tool row works inside its sub-window: "+" widens the bins.
        const QString before = Setting(window, Host::ViewKind::InterspikeInterval, u"bin-size");
        QPushButton* wider = ButtonIn(*isi, "+");
        QVERIFY(wider != nullptr);
        QTest::mouseClick(wider, Qt::LeftButton);
        QVERIFY(Setting(window, Host::ViewKind::InterspikeInterval, u"bin-size").toDouble() > before.toDouble());
        const QString widened = CopiedText(window, Host::ViewKind::InterspikeInterval);
        QTest::mouseClick(ButtonIn(*isi, "-"), Qt::LeftButton);
        QCOMPARE(Setting(window, Host::ViewKind::InterspikeInterval, u"bin-size"), before);
        QVERIFY(widened != copied);

        // Closed, the view stays current through a new analysis; opened again
        // it shows every spike once.
        isi->close();
        QCOMPARE(window.Views().ShownWindows().size(), 3);
        QVERIFY(Choose(window, "Nerolith", "Analyze Channel"));
        QVERIFY(Choose(window, "View", "Interspike Interval Histogram"));
        QCOMPARE(window.Views().ShownWindows().size(), 4);
        QCOMPARE(CopiedText(window, Host::ViewKind::InterspikeInterval), copied);
    }

    void savesAndReopensTheDocument()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("session.nrl");
        Desk::MainWindow window;
        QVERIFY(window.Open("demo"));
        QVERIFY(Succeeded(window.CurrentSession()->Analysis().SetSourceChannel(0)));
        Host::ChannelAnalysisRecord record;
        window.CurrentSession()->Analysis().GetChannelRecord(0, &record);
        record.detectionThreshold = 0.35;
        window.CurrentSession()->Analysis().SetChannelRecord(record);
        QVERIFY(window.SaveTo(path));
        QCOMPARE(window.windowTitle(), QString("session - Nerolith"));
        window.CloseDocument();

        QVERIFY(window.Open(path));
        QCOMPARE(window.windowTitle(), QString("session - Nerolith"));
        Host::ChannelAnalysisRecord reopened;
        window.CurrentSession()->Analysis().GetChannelRecord(0, &reopened);
        QCOMPARE(reopened.detectionThreshold, 0.35);
        QCOMPARE(Desk::RecentFiles::List().front(), path);
        QCOMPARE(Plain(ActionOf(window.FindMenu("File"), "Recent files")->menu()->actions().front()->text()), path);
    }

    // A recording dropped on the window opens in place of the document.
    void opensADroppedRecording()
    {
        const QString path = QString(NEROLITH_SHARED_DATA) + "/edf/edfPlusD.edf";
        Desk::MainWindow window;
        QVERIFY(window.Open("demo"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
        QCOMPARE(window.windowTitle(), QString("edfPlusD - Nerolith"));
        QVERIFY(window.Chart() != nullptr);
        QCOMPARE(window.Chart()->Painter().BlockCount(), window.CurrentSession()->Host().Data().BlockCount());
    }

    void keepsRecentFilesNewestFirstAndBounded()
    {
        for (int i = 0; i < Desk::RecentFiles::kMaximum + 3; ++i) {
            Desk::RecentFiles::Add(QString("/data/r%1.json").arg(i));
        }
        Desk::RecentFiles::Add("/data/r4.json");
        const QStringList files = Desk::RecentFiles::List();
        QCOMPARE(files.size(), Desk::RecentFiles::kMaximum);
        QCOMPARE(files.front(), QString("/data/r4.json"));
        QCOMPARE(files.count("/data/r4.json"), 1);
        QCOMPARE(files.at(1), QString("/data/r10.json"));
    }

    void keepsTheWindowGeometry()
    {
        {
            Desk::MainWindow window;
            window.setGeometry(40, 50, 900, 640);
            window.close();
        }
        Desk::MainWindow again;
        QCOMPARE(again.size(), QSize(900, 640));
        again.ShowAtStart(QSize(1600, 1000));
        QCOMPARE(again.size(), QSize(900, 640));
        QVERIFY(!again.isMaximized());
    }

    // The offscreen screen is 800 x 600.
    void opensTheFirstTimeWithinTheScreen()
    {
        QSettings().remove("mainWindow/geometry");
        const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
        {
            Desk::MainWindow small;
            small.ShowAtStart(room / 2);
            QCOMPARE(small.size(), room / 2);
            QVERIFY(!small.isMaximized());
        }
        Desk::MainWindow large;
        large.ShowAtStart(room + QSize(800, 400));
        QVERIFY(large.isMaximized());
        QVERIFY(QTest::qWaitForWindowExposed(&large));
        QCOMPARE(large.frameGeometry().size(), room);
    }
};

int RunMainWindowTests(int argc, char** argv)
{
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"

#include <QtTest>

#include "MenuDriver.h"
#include "desk/window/HelpWindow.h"
#include "desk/window/MainWindow.h"
#include "platform/ui/Automation.h"
#include "platform/ui/TDialog.h"

namespace {

namespace automation = platform::ui::automation;

using MenuDriver::Choose;

QStringList HelpWindows()
{
    QStringList titles;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Desk::HelpWindow*>(widget) != nullptr && widget->isVisible()) {
            titles << widget->windowTitle();
        }
    }
    return titles;
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { automation::Reset(); }

    // Help > Nerolith Help runs the module's command, which opens the README
    // in one non-modal window; asking again reuses it.
    void helpMenuShowsTheReadmeOnce()
    {
        Desk::MainWindow window;
        QVERIFY(window.Open("demo"));
        const QMenu* help = window.FindMenu("Help");
        QVERIFY(help != nullptr);
        QCOMPARE(MenuDriver::Plain(help->actions().front()->text()), QString("Nerolith Help"));
        QCOMPARE(help->actions().front()->shortcut(), QKeySequence(QKeySequence::HelpContents));

        QVERIFY(Choose(window.FindMenu("Help"), "Nerolith Help"));
        Desk::HelpWindow* shown = window.Help();
        QVERIFY(shown != nullptr);
        QVERIFY(shown->isVisible() && shown->isWindow() && !shown->isModal());
        QVERIFY(shown->toPlainText().contains("The desktop program"));
        QVERIFY(shown->toPlainText().contains("Getting started"));
        // Markdown is rendered, not shown as source.
        QVERIFY(!shown->toPlainText().contains("## The desktop program"));
        // Its pictures are built in too.
        QVERIFY(!shown->loadResource(QTextDocument::ImageResource, QUrl("docs/nerolith-gui.png")).isNull());

        QVERIFY(Choose(window.FindMenu("Help"), "Nerolith Help"));
        QCOMPARE(window.Help(), shown);
        QCOMPARE(HelpWindows().size(), 1);

        // Closed, it opens afresh.
        shown->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.Help() == nullptr);
        QVERIFY(Choose(window.FindMenu("Help"), "Nerolith Help"));
        QVERIFY(window.Help() != nullptr && window.Help()->isVisible());
    }

    // With no document the module is not there; the host shows its help.
    void helpWithoutDocument()
    {
        Desk::MainWindow window;
        QVERIFY(Choose(window.FindMenu("Help"), "Nerolith Help"));
        QVERIFY(window.Help() != nullptr && window.Help()->isVisible());
    }

    // The settings dialog's Help button opens the window at its topic;
    // a file that is not the program's help is refused and reported.
    void dialogHelpButtonOpensTheTopic()
    {
        Desk::MainWindow window;
        window.resize(1000, 700);
        window.show();
        QStringList errors;
        window.SetErrorReporter([&errors](const QString& message) { errors << message; });
        QVERIFY(window.Open("demo"));
        automation::SetDialogDriver([](platform::ui::TDialog& dialog) {
            automation::Click(dialog, platform::ui::IDHELP);
            automation::Click(dialog, platform::ui::IDCANCEL);
        });
        QVERIFY(Choose(window.FindMenu("Nerolith"), "Settings..."));
        QVERIFY(window.Help() != nullptr && window.Help()->isVisible());
        QCOMPARE(window.Help()->TopHeading(), QString("Filtering and thresholds in noise units"));

        QVERIFY(!window.Help()->ShowTopic("NoSuchTopic"));
        QCOMPARE(window.Help()->TopHeading(), QString("Filtering and thresholds in noise units"));

        QCOMPARE(window.ShowHelp("Other.chm", {}), E_INVALIDARG);
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.front().contains("Other.chm"));
        QVERIFY(Desk::HelpWindow::IsHelpFile("NerolithHelp"));
        QVERIFY(Desk::HelpWindow::IsHelpFile("NerolithHelp.chm"));
        QVERIFY(!Desk::HelpWindow::IsHelpFile("NerolithHelp.txt"));
    }
};

int RunHelpTests(int argc, char** argv)
{
    HelpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "HelpTest.moc"

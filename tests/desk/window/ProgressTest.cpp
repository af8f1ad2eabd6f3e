#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "desk/window/MainWindow.h"

class ProgressTest : public QObject {
    Q_OBJECT

private slots:
    // Cancel in the progress dialog ends the analysis as Ctrl-C ends the
    // command line's: no spikes kept, the channel not marked analysed, and
    // a new analysis finds them all.
    void cancelEndsTheAnalysisAndANewOneFindsEverySpike()
    {
        auto reference = Desk::Session::OpenRecording("demo", MakeCom<Desk::HostServices>());
        reference->Analyze();
        const std::int32_t expected = reference->Analysis().SpikeCount();
        QVERIFY(expected > 1000);

        Desk::MainWindow window;
        QVERIFY(window.Open("demo"));
        int cancelledAt = -1;
        int seen = 0;
        QTimer user;
        user.setInterval(0);
        connect(&user, &QTimer::timeout, this, [&] {
            auto* dialog = window.findChild<QProgressDialog*>();
            if (dialog == nullptr || cancelledAt >= 0) {
                return;
            }
            ++seen;
            QCOMPARE(dialog->windowModality(), Qt::WindowModal);
            QVERIFY(dialog->labelText().contains("Block"));
            auto* cancel = dialog->findChild<QPushButton*>();
            if (dialog->value() >= 30 && cancel != nullptr && cancel->text() == "Cancel") {
                cancelledAt = dialog->value();
                cancel->click();
            }
        });
        user.start();
        window.Analyze();
        user.stop();

        QVERIFY(seen > 1);
        QVERIFY(cancelledAt >= 30 && cancelledAt < 100);
        QVERIFY(window.findChild<QProgressDialog*>() == nullptr);
        QVERIFY(window.CurrentSession()->Analysis().SpikeCount() < expected);
        Host::ChannelAnalysisRecord record;
        window.CurrentSession()->Analysis().GetChannelRecord(0, &record);
        QVERIFY(!record.analyzed);

        window.Analyze();
        QCOMPARE(window.CurrentSession()->Analysis().SpikeCount(), expected);
    }
};

int RunProgressTests(int argc, char** argv)
{
    ProgressTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ProgressTest.moc"

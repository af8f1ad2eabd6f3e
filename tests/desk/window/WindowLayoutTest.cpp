#include <QTemporaryDir>
#include <QtTest>

#include "WindowTestSupport.h"
#include "desk/document/DocumentFile.h"
#include "desk/window/ChartView.h"

using namespace WindowTests;

namespace {

constexpr Host::ViewKind kIsi = Host::ViewKind::InterspikeInterval;
constexpr Host::ViewKind kRate = Host::ViewKind::RateMeter;

void OpenAnalysedDemo(Desk::MainWindow& window)
{
    window.resize(1200, 800);
    window.show();
    QVERIFY(window.Open("demo"));
    QVERIFY(Choose(window, "Nerolith", "Analyze Channel"));
}

double Threshold(Desk::MainWindow& window)
{
    Host::ChannelAnalysisRecord record;
    window.CurrentSession()->Analysis().GetChannelRecord(0, &record);
    return record.detectionThreshold;
}

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    // Reopened, the document shows the same views at the same places, in
    // the same stacking order, with the same settings, over the same chart.
    void reopensTheSameWindows()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("layout.nrl");
        Desk::MainWindow window;
        QStringList errors;
        window.SetErrorReporter([&errors](const QString& message) { errors << message; });
        OpenAnalysedDemo(window);
        QVERIFY(Choose(window, "View", "Interspike Interval Histogram"));
        QVERIFY(Choose(window, "View", "Rate Meter"));
        QVERIFY(Choose(window, "View", "Discriminator"));
        auto& analysis = window.CurrentSession()->Analysis();
        QVERIFY(Succeeded(analysis.SetViewSetting(kIsi, u"bin-size", u"0.004")));
        QVERIFY(Succeeded(analysis.SetViewSetting(kRate, u"paging", u"blocks:1")));
        QVERIFY(Succeeded(analysis.SetViewSetting(kRate, u"page", u"2")));
        FrameTitled(window, "Rate Meter")->setGeometry(30, 400, 420, 310);
        FrameTitled(window, "Interspike Interval Histogram")->setGeometry(200, 350, 500, 300);
        window.Views().setActiveSubWindow(FrameTitled(window, "Rate Meter"));
        window.Chart()->ShowSpan(61.5, 0.25);
        window.Chart()->ChannelScale(0).SetExtent(-0.75, 1.25);
        const auto stack = Stack(window);
        const QString isiText = CopiedText(window, kIsi);
        const QString rateText = CopiedText(window, kRate);
        QVERIFY(window.SaveTo(path));
        window.CloseDocument();

        QVERIFY(window.Open(path));
        QCOMPARE(errors, QStringList());
        QCOMPARE(Stack(window), stack);
        QCOMPARE(Setting(window, kIsi, u"bin-size"), QString("0.004"));
        QCOMPARE(Setting(window, kRate, u"page"), QString("2"));
        QCOMPARE(CopiedText(window, kIsi), isiText);
        QCOMPARE(CopiedText(window, kRate), rateText);
        QCOMPARE(window.Chart()->Start(), 61.5);
        QCOMPARE(window.Chart()->Span(), 0.25);
        QCOMPARE(window.Chart()->ChannelScale(0).GetExtent(), std::make_pair(-0.75, 1.25));
    }

    // A document the command line saved (or an earlier version) has no
    // layout: it opens with the chart alone, as it always did.
    void opensADocumentWithoutLayout()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("plain.nrl");
        auto session = Desk::Session::OpenRecording("demo", MakeCom<Desk::HostServices>());
        session->Save(path.toStdString());
        Desk::MainWindow window;
        QStringList errors;
        window.SetErrorReporter([&errors](const QString& message) { errors << message; });
        QVERIFY(window.Open(path));
        QCOMPARE(errors, QStringList());
        QVERIFY(window.Views().ShownWindows().isEmpty());
        QVERIFY(window.Chart() != nullptr);
    }

    // A later version may know views and settings this one does not: what
    // it knows opens, the rest is left out without a word.
    void opensTheViewsItKnowsOfALaterLayout()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("later.nrl");
        auto session = Desk::Session::OpenRecording("demo", MakeCom<Desk::HostServices>());
        Desk::HostLayout layout;
        layout.views.push_back({"SPECTRUM", {{"window", "hann"}}, {0, 0, 300, 200}});
        layout.views.push_back({"ISIH", {{"smoothing", "3"}, {"bin-size", "0.003"}}, {20, 30, 400, 250}});
        session->Save(path.toStdString(), layout);
        Desk::MainWindow window;
        QStringList errors;
        window.SetErrorReporter([&errors](const QString& message) { errors << message; });
        QVERIFY(window.Open(path));
        QCOMPARE(errors, QStringList());
        QCOMPARE(Stack(window),
                 (QList<QPair<QString, QRect>>{{"Interspike Interval Histogram View", {20, 30, 400, 250}}}));
        QCOMPARE(Setting(window, kIsi, u"bin-size"), QString("0.003"));
    }

    // A damaged layout entry is reported by name and costs the windows only.
    void reportsADamagedEntryAndKeepsTheAnalysis()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("damaged.nrl");
        Desk::MainWindow window;
        QStringList errors;
        window.SetErrorReporter([&errors](const QString& message) { errors << message; });
        OpenAnalysedDemo(window);
        QVERIFY(Choose(window, "View", "Amplitude Histogram"));
        Host::ChannelAnalysisRecord record;
        window.CurrentSession()->Analysis().GetChannelRecord(0, &record);
        record.detectionThreshold = 0.3;
        window.CurrentSession()->Analysis().SetChannelRecord(record);
        QVERIFY(window.SaveTo(path));
        window.CloseDocument();

        Desk::DocumentContents contents = Desk::DocumentFile(path.toStdString()).Open();
        QCOMPARE(contents.views.size(), std::size_t{1});
        contents.views[0].settings = {'{', '"', 'f'};
        Desk::DocumentFile(path.toStdString()).Save(contents);
        QVERIFY(window.Open(path));
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.front().contains(path + ": view 1 (AH) of the window layout cannot be read"));
        QVERIFY(window.Views().ShownWindows().isEmpty());
        QCOMPARE(Threshold(window), 0.3);
    }
};

int RunWindowLayoutTests(int argc, char** argv)
{
    WindowLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowLayoutTest.moc"

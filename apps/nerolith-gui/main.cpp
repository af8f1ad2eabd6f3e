#include <QApplication>
#include <QCommandLineParser>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <optional>

#include "desk/window/ChartView.h"
#include "desk/window/MainWindow.h"
#include "host/ViewNames.h"
#include "platform/ui/Application.h"

namespace {

void Fail(const QString& message) { std::fprintf(stderr, "nerolith-gui: %s\n", qPrintable(message)); }

std::optional<Host::ViewKind> ViewNamed(const QString& name)
{
    if (name.compare("discriminator", Qt::CaseInsensitive) == 0) {
        return Host::ViewKind::Discriminator;
    }
    for (const Host::AnalysisViewName& view : Host::kAnalysisViewNames) {
        if (name.compare(QString::fromUtf8(view.shortName.data(), view.shortName.size()), Qt::CaseInsensitive) == 0) {
            return view.kind;
        }
    }
    return std::nullopt;
}

// "VIEW:NAME=VALUE", a setting of an open view as `nerolith`'s view options
// give it (ACH:band=poisson, ISIH:log-x=on).
bool ApplySetting(Desk::MainWindow& window, const QString& text)
{
    const qsizetype colon = text.indexOf(':');
    const qsizetype equals = text.indexOf('=', colon + 1);
    const std::optional<Host::ViewKind> kind = colon > 0 ? ViewNamed(text.left(colon)) : std::nullopt;
    if (!kind || equals <= colon + 1) {
        Fail(QString("--set: \"%1\" is not VIEW:NAME=VALUE with a view's name").arg(text));
        return false;
    }
    Desk::Session* session = window.CurrentSession();
    const QString name = text.mid(colon + 1, equals - colon - 1);
    const QString value = text.mid(equals + 1);
    if (session == nullptr ||
        Failed(session->Analysis().SetViewSetting(*kind, VEX::String(name.toStdU16String()),
                                                  VEX::String(value.toStdU16String())))) {
        Fail(QString("--set: the view %1 is not open or refuses %2=%3").arg(text.left(colon), name, value));
        return false;
    }
    return true;
}

// "CHANNEL:FROM-TO": a 1-based channel and chart seconds.
std::optional<Desk::ChartSpan> SpanNamed(const QString& text)
{
    const QStringList parts = text.split(QRegularExpression("[:-]"));
    bool ok[3] = {false, false, false};
    if (parts.size() != 3) {
        return std::nullopt;
    }
    const Desk::ChartSpan span{parts[0].toInt(&ok[0]) - 1, parts[1].toDouble(&ok[1]), parts[2].toDouble(&ok[2])};
    if (!ok[0] || !ok[1] || !ok[2] || span.to <= span.from) {
        return std::nullopt;
    }
    return span;
}

// Shows the selection in the middle of the chart.
bool SelectInChart(Desk::MainWindow& window, const QString& text)
{
    const std::optional<Desk::ChartSpan> span = SpanNamed(text);
    if (!span || window.Chart() == nullptr || !window.Chart()->Select(*span)) {
        Fail(QString("--select %1: expected CHANNEL:FROM-TO, a channel of the recording and seconds").arg(text));
        return false;
    }
    const double length = span->to - span->from;
    window.Chart()->ShowSpan(span->from - length / 2, 2 * length);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Nerolith");
    QApplication::setApplicationName("nerolith-gui");
    QCommandLineParser options;
    options.setApplicationDescription("Nerolith: extracellular spike detection, sorting and analysis");
    options.addHelpOption();
    options.addPositionalArgument("source", "A recording (demo, .json, .edf, .bdf) or a saved document.",
                                  "[RECORDING|DOCUMENT]");
    const QCommandLineOption analyze("analyze", "Analyse the source channel once the recording is open.");
    const QCommandLineOption view("view", "Open a view: discriminator, AH, ISIH, ACH, CCH, PSTH or RM.", "name");
    const QCommandLineOption screenshot("screenshot", "Write a picture of the window to a PNG file and exit.", "png");
    const QCommandLineOption set("set", "Give an open view a setting: VIEW:NAME=VALUE (ACH:band=poisson).",
                                 "setting");
    const QCommandLineOption sample("sample", "Replay the recording as if sampling it, at SPEED times real time "
                                              "(0: as fast as possible), analysing as data arrive.", "speed");
    const QCommandLineOption select("select", "Select FROM-TO seconds of a channel in the chart, e.g. 1:10-25.",
                                    "channel:from-to");
    const QCommandLineOption dataSheet("datasheet", "Open the Data Sheet table.");
    options.addOptions({analyze, view, screenshot, set, sample, select, dataSheet});
    options.process(app);
    const QStringList sources = options.positionalArguments();
    if (sources.size() > 1) {
        Fail("give one recording or document at most");
        return 1;
    }
    std::vector<Host::ViewKind> views;
    for (const QString& name : options.values(view)) {
        const std::optional<Host::ViewKind> kind = ViewNamed(name);
        if (!kind) {
            Fail(QString("--view: no view is called \"%1\"").arg(name));
            return 1;
        }
        views.push_back(*kind);
    }
    if ((options.isSet(analyze) || !views.empty() || options.isSet(sample)) && sources.isEmpty()) {
        Fail("--analyze, --view and --sample need a recording or document");
        return 1;
    }
    bool speedRead = false;
    const double speed = options.value(sample).toDouble(&speedRead);
    if (options.isSet(sample) && (!speedRead || !(speed >= 0.0) || !std::isfinite(speed))) {
        Fail(QString("--sample %1: expected a speed of 0 or more").arg(options.value(sample)));
        return 1;
    }

    Desk::MainWindow window;
    window.ShowAtStart(QSize(1600, 1000));
    if (!sources.isEmpty()) {
        // A bad argument is the caller's error: say so where it was typed.
        window.SetErrorReporter(Fail);
        if (!window.Open(sources.front())) {
            return 1;
        }
        window.SetErrorReporter({});
    }
    // From the event loop, so that the window is up and a long analysis
    // shows its progress over it.
    QTimer::singleShot(0, &window, [&] {
        if (options.isSet(analyze)) {
            window.Analyze();
        }
        for (Host::ViewKind kind : views) {
            window.OpenView(kind);
        }
        for (const QString& setting : options.values(set)) {
            if (!ApplySetting(window, setting)) {
                QApplication::exit(1);
                return;
            }
        }
        if (options.isSet(select) && !SelectInChart(window, options.value(select))) {
            QApplication::exit(1);
            return;
        }
        if (options.isSet(dataSheet)) {
            window.OpenDataSheet();
        }
        if (options.isSet(sample) && !window.StartSampling(speed)) {
            Fail("--sample: the recording cannot be sampled now");
        }
    });
    if (options.isSet(screenshot)) {
        const QString path = options.value(screenshot);
        QTimer::singleShot(1500, &window, [&window, path] {
            // The screen under the window, so that a dialog over it shows too.
            const QRect frame = window.frameGeometry();
            const QPixmap picture =
                window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
            const QPixmap saved = picture.isNull() ? window.grab() : picture;
            if (saved.save(path, "PNG")) {
                QApplication::exit(0);
            } else {
                Fail(path + ": cannot write");
                QApplication::exit(1);
            }
        });
    }
    return platform::ui::RunEventLoop();
}

#include "desk/window/HelpWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBlock>

namespace Desk {

namespace {

// The README has no section per dialog; each topic the module's dialogs ask
// for opens the section that explains what the dialog sets.
struct TopicHeading {
    const char* topic;
    const char* heading;
};
constexpr TopicHeading kTopics[] = {
    {"NL_SpikeDetectSettings", "Filtering and thresholds in noise units"},
    {"NL_Channel_Calc", "The desktop program"},
};

QString HeadingOf(const QString& topic)
{
    for (const TopicHeading& entry : kTopics) {
        if (topic == QLatin1String(entry.topic)) {
            return QString::fromLatin1(entry.heading);
        }
    }
    return topic;
}

QString ReadHelpText()
{
    QFile readme(QStringLiteral(":/help/README.md"));
    if (!readme.open(QIODevice::ReadOnly)) {
        return QStringLiteral("# Nerolith\n\nThe help text is missing from this build.");
    }
    return QString::fromUtf8(readme.readAll());
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent)
{
    // A window of its own: the user reads it beside the main window.
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Nerolith Help"));
    setOpenExternalLinks(true);
    // The README's pictures are built in beside it.
    setSearchPaths({QStringLiteral(":/help")});
    setMarkdown(ReadHelpText());
    resize(720, 640);
}

bool HelpWindow::IsHelpFile(const QString& file)
{
    const QFileInfo info(file);
    const bool chm = info.suffix().isEmpty() || info.suffix().compare(QLatin1String("chm"), Qt::CaseInsensitive) == 0;
    return chm && info.completeBaseName().compare(QLatin1String("NerolithHelp"), Qt::CaseInsensitive) == 0;
}

bool HelpWindow::ShowTopic(const QString& topic)
{
    const QString heading = HeadingOf(topic);
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 && block.text().trimmed() == heading) {
            setTextCursor(QTextCursor(block));
            const QRectF where = document()->documentLayout()->blockBoundingRect(block);
            verticalScrollBar()->setValue(static_cast<int>(where.top()));
            return true;
        }
    }
    return false;
}

QString HelpWindow::TopHeading() const
{
    const int top = verticalScrollBar()->value();
    QString heading;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (document()->documentLayout()->blockBoundingRect(block).top() > top) {
            break;
        }
        if (block.blockFormat().headingLevel() > 0) {
            heading = block.text().trimmed();
        }
    }
    return heading;
}

} // namespace Desk

#pragma once

#include <QTextBrowser>

namespace Desk {

// The program's help: the README built into the program, shown in a window
// of its own beside the main window and scrolled to the part asked for.
class HelpWindow final : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Whether `file` is the help file the module names ("NerolithHelp",
    // with or without ".chm").
    static bool IsHelpFile(const QString& file);
    // Scrolls to the heading of `topic` (a module topic id or a heading's
    // text); false, and the view stays, when there is none.
    bool ShowTopic(const QString& topic);
    // The heading at the top of the view, or empty.
    QString TopHeading() const;
};

} // namespace Desk

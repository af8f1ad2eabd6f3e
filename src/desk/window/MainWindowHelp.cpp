// The main window's Help menu and the help window it opens.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "desk/window/HelpWindow.h"
#include "desk/window/MainWindow.h"

namespace Desk {

namespace {

// The module's Help command and its menu's key: the module handles the
// command but places it in no menu, so the host's Help menu runs it.
constexpr std::uint32_t kModuleHelpCommand = 2160;
constexpr const char16_t* kModuleMenuKey = u"NEROLITH";
constexpr const char* kHelpFile = "NerolithHelp.chm";

} // namespace

void MainWindow::BuildHelpMenu()
{
    QMenu* help = new QMenu(tr("&Help"), this);
    help->addAction(tr("N&erolith Help"), QKeySequence::HelpContents, this, &MainWindow::RunHelpCommand);
    help->addSeparator();
    help->addAction(tr("&About Nerolith"), this, &MainWindow::ShowAbout);
    helpMenu_ = menuBar()->addMenu(help);
}

void MainWindow::RunHelpCommand()
{
    if (!session_ ||
        session_->Host().Commands().InvokeUnplaced(VEX::String(kModuleMenuKey), kModuleHelpCommand) == E_INVALIDARG) {
        ShowHelp(QString::fromLatin1(kHelpFile), {});
    }
}

HRESULT MainWindow::ShowHelp(const QString& file, const QString& topic)
{
    if (!HelpWindow::IsHelpFile(file)) {
        reportError_(tr("There is no help file \"%1\".").arg(file));
        return E_INVALIDARG;
    }
    if (help_ == nullptr) {
        help_ = new HelpWindow(this);
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
    if (!topic.isEmpty()) {
        help_->ShowTopic(topic);
    }
    return S_OK;
}

HelpWindow* MainWindow::Help() const { return help_; }

} // namespace Desk

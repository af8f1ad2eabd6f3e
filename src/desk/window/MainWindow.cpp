#include "desk/window/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>

#include <algorithm>
#include <exception>

#include "desk/document/DocumentError.h"
#include "desk/ui/AxisScale.h"
#include "desk/window/ChannelMenu.h"
#include "desk/window/ChartView.h"
#include "desk/window/DataSheetWindow.h"
#include "desk/window/MessagePresenter.h"
#include "desk/window/ModuleMenu.h"
#include "desk/window/ProgressDialog.h"
#include "desk/window/QtText.h"
#include "desk/window/RecentFiles.h"
#include "desk/window/SamplingMenu.h"
#include "desk/window/ViewArea.h"
#include "desk/window/WindowLayout.h"
#include "platform/ui/Application.h"
#include "platform/ui/qt/QtBridge.h"

namespace Desk {

namespace {

constexpr const char* kOpenFilter =
    "Recordings and documents (*.json *.edf *.bdf *.nrl);;Recordings (*.json *.edf *.bdf);;"
    "Documents (*.nrl);;All files (*)";

bool IsDocumentFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3\0", 16);
}

QString StripMnemonic(QString text) { return text.remove(QLatin1Char('&')); }

WindowLayout LayoutOf(ViewArea& views, const ViewCatalog& kinds, Session& session, ChartView* chart)
{
    return WindowLayout(views, kinds, session.Analysis(), chart, session.Host().Data().ChannelCount());
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), services_(MakeCom<HostServices>()), views_(new ViewArea(this))
{
    // The host's axis scale component, which the views' graphs draw their
    // axes with.
    ui::AxisScale::Register();
    if (!platform::ui::IsHeadless()) {
        services_->SetPresenter([this](const ShownMessage& message) { return PresentMessage(this, message); });
    }
    SetErrorReporter({});
    // The module's dialogs and message boxes open over this window.
    platform::ui::qt::SetDialogOwner(this);
    services_->SetProgressFactory(ProgressDialog::FactoryFor(this));
    services_->SetHelpViewer(
        [this](const VEX::String& file, const VEX::String& topic) { return ShowHelp(ToQt(file), ToQt(topic)); });
    setCentralWidget(views_);
    setAcceptDrops(true);
    connect(views_, &ViewArea::placed, this, [this](QWidget* window) {
        if (session_) {
            kinds_.Learn(*window, session_->Analysis());
        }
    });
    BuildMenus();
    statusBar()->showMessage(tr("Ready"));
    geometryRestored_ = restoreGeometry(QSettings().value("mainWindow/geometry").toByteArray());
    UpdateTitle();
}

MainWindow::~MainWindow() { CloseDocument(); }

void MainWindow::ShowAtStart(QSize preferred)
{
    if (geometryRestored_) {
        show();
        return;
    }
    const QScreen* where = screen();
    const QSize room = where != nullptr ? where->availableGeometry().size() : preferred;
    if (preferred.boundedTo(room) != preferred) {
        // Without a window manager to maximise it, the window still fills
        // the screen.
        resize(room);
        showMaximized();
        return;
    }
    resize(preferred);
    show();
}

void MainWindow::SetErrorReporter(ErrorReporter reporter)
{
    reportError_ = reporter ? std::move(reporter) : [this](const QString& message) {
        QMessageBox::warning(this, tr("Nerolith"), message);
    };
}

bool MainWindow::Open(const QString& source)
{
    const bool demo = source == QLatin1String("demo");
    const QString path = demo ? source : QFileInfo(source).absoluteFilePath();
    std::unique_ptr<Session> session;
    try {
        session = !demo && IsDocumentFile(path) ? Session::OpenDocument(path.toStdString(), services_)
                                                : Session::OpenRecording(path.toStdString(), services_);
    } catch (const std::exception& error) {
        const QString reason = QString::fromUtf8(error.what());
        reportError_(reason.contains(source) ? reason : tr("%1: %2").arg(source, reason));
        return false;
    }
    CloseDocument();
    session_ = std::move(session);
    documentPath_ = IsDocumentFile(path) ? path : QString();
    session_->Host().SetName(FromQt(demo ? source : QFileInfo(path).completeBaseName()));
    session_->Host().SetDisplay(true);
    chart_ = new ChartView(session_->Host().Data(), session_->Analysis());
    chart_->SetDocument(session_->Host());
    chart_->setWindowTitle(tr("%1: Chart").arg(demo ? source : QFileInfo(path).fileName()));
    views_->AddChart(*chart_);
    RebuildModuleMenus();
    BuildSessionMenus();
    RecentFiles::Add(path);
    FillRecentMenu();
    UpdateTitle();
    RestoreLayout(path);
    return true;
}

bool MainWindow::SaveTo(const QString& path)
{
    if (!session_) {
        return false;
    }
    try {
        session_->Save(path.toStdString(), LayoutOf(*views_, kinds_, *session_, chart_).Capture());
    } catch (const std::exception& error) {
        reportError_(tr("Cannot save %1: %2").arg(path, QString::fromUtf8(error.what())));
        return false;
    }
    documentPath_ = path;
    session_->Host().SetName(FromQt(QFileInfo(path).completeBaseName()));
    RecentFiles::Add(path);
    FillRecentMenu();
    UpdateTitle();
    return true;
}

void MainWindow::CloseDocument()
{
    if (!session_) {
        return;
    }
    // Open views keep their document alive: close them first.
    session_->Analysis().CloseViews();
    kinds_.Forget();
    for (QMenu* menu : moduleMenus_) {
        delete menu;
    }
    moduleMenus_.clear();
    CloseDataSheet();
    // The chart reads the recording: it goes before the session.
    if (chart_ != nullptr) {
        delete chart_->parentWidget();
        chart_ = nullptr;
    }
    session_.reset();
    documentPath_.clear();
    UpdateTitle();
}

QMenu* MainWindow::FindMenu(const QString& title) const
{
    for (QAction* action : menuBar()->actions()) {
        if (action->menu() != nullptr && StripMnemonic(action->text()) == StripMnemonic(title)) {
            return action->menu();
        }
    }
    return nullptr;
}

bool MainWindow::CopyActiveView()
{
    QMdiSubWindow* frame = views_->activeSubWindow();
    if (frame == nullptr || frame->widget() == nullptr || !session_) {
        return false;
    }
    if (frame->widget() == dataSheet_) {
        dataSheet_->CopyToClipboard();
        return true;
    }
    auto* data = new QMimeData;
    data->setImageData(frame->widget()->grab().toImage());
    VEX::String text;
    const std::optional<Host::ViewKind> kind = kinds_.KindOf(frame->widget());
    if (kind && Succeeded(session_->Analysis().GetViewSetting(*kind, u"copied-text", &text))) {
        data->setText(ToQt(text));
    }
    QApplication::clipboard()->setMimeData(data);
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    QSettings().setValue("mainWindow/geometry", saveGeometry());
    CloseDocument();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile()) {
        Open(urls.front().toLocalFile());
        event->acceptProposedAction();
    }
}

void MainWindow::BuildMenus()
{
    BuildFileMenu();
    BuildEditMenu();
    BuildViewMenu();
    BuildHelpMenu();
}

void MainWindow::BuildFileMenu()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open recording or document..."), QKeySequence::Open, this, &MainWindow::ChooseAndOpen);
    QAction* save = file->addAction(tr("&Save"), QKeySequence::Save, this, &MainWindow::Save);
    QAction* saveAs = file->addAction(tr("Save &As..."), QKeySequence::SaveAs, this, &MainWindow::SaveAs);
    recentMenu_ = file->addMenu(tr("Recent &files"));
    QAction* close = file->addAction(tr("&Close"), QKeySequence::Close, this, &MainWindow::CloseDocument);
    BuildPrintEntries(*file);
    file->addSeparator();
    file->addAction(tr("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);
    connect(file, &QMenu::aboutToShow, this, [this, save, saveAs, close] {
        for (QAction* action : {save, saveAs, close}) {
            action->setEnabled(session_ != nullptr);
        }
    });
    FillRecentMenu();
}

void MainWindow::BuildEditMenu()
{
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* copy = edit->addAction(tr("&Copy"), QKeySequence::Copy, this, &MainWindow::CopyActiveView);
    connect(edit, &QMenu::aboutToShow, this, [this, copy] { copy->setEnabled(views_->activeSubWindow() != nullptr); });
}

void MainWindow::BuildViewMenu()
{
    QMenu* view = menuBar()->addMenu(tr("&View"));
    QList<QAction*> documentViews;
    for (const ViewCatalog::Entry& entry : ViewCatalog::Entries()) {
        QAction* action = view->addAction(tr(entry.name));
        const Host::ViewKind kind = entry.kind;
        connect(action, &QAction::triggered, this, [this, kind] { OpenView(kind); });
        documentViews.append(action);
    }
    documentViews.append(BuildDataSheetEntry(*view));
    view->addSeparator();
    view->addAction(tr("&Tile windows"), views_, &QMdiArea::tileSubWindows);
    view->addAction(tr("&Cascade windows"), views_, &QMdiArea::cascadeSubWindows);
    view->addAction(tr("&Arrange windows"), views_, &ViewArea::Arrange);
    connect(view, &QMenu::aboutToShow, this, [this, documentViews] {
        for (QAction* action : documentViews) {
            action->setEnabled(session_ != nullptr);
        }
    });
}

void MainWindow::RebuildModuleMenus()
{
    moduleMenus_ = ModuleMenu::Build(*menuBar(), helpMenu_, session_->Host().Commands(), [this] { AfterCommand(); });
}

// The host's menus that act on the open document, removed with the module's.
void MainWindow::BuildSessionMenus()
{
    const auto report = [this](const QString& message) { reportError_(message); };
    moduleMenus_.append(ChannelMenu::Build(*menuBar(), helpMenu_, *session_, [this] { AfterCommand(); }, report));
    auto* sampling = new SamplingMenu(*session_, report, this);
    menuBar()->insertMenu(helpMenu_, sampling);
    moduleMenus_.append(sampling);
    connect(&sampling->Control(), &SamplingControl::advanced, this,
            [this, sampling] { FollowSampling(sampling->Control()); });
    // Stopped or ended, the whole recording can be looked at again.
    connect(&sampling->Control(), &SamplingControl::stopped, this, [this] {
        if (chart_ != nullptr) {
            chart_->LimitTo(std::nullopt);
        }
    });
}

bool MainWindow::StartSampling(double speed)
{
    auto* sampling = qobject_cast<SamplingMenu*>(FindMenu(tr("Sampling")));
    if (sampling == nullptr || Failed(session_->Analysis().SetAnalyzeWhileSampling(true))) {
        return false;
    }
    sampling->SetSpeed(speed);
    return sampling->StartSampling();
}

// The views and the chart show the data as they arrive, the chart's end
// at the newest.
void MainWindow::FollowSampling(const SamplingControl& sampling)
{
    AfterCommand();
    if (chart_ == nullptr) {
        return;
    }
    const auto [block, seconds] = sampling.Position();
    if (block < chart_->Painter().BlockCount()) {
        const double end = chart_->Painter().BlockStart(block) + seconds;
        chart_->LimitTo(sampling.Running() ? std::optional<double>(end) : std::nullopt);
        chart_->ShowSpan(std::max(0.0, end - chart_->Span()), chart_->Span());
        const QString where = tr("Sampling: block %1, %2 s").arg(block + 1).arg(seconds, 0, 'f', 1);
        statusBar()->showMessage(sampling.Running() ? where : tr("Ready"));
    }
}

void MainWindow::FillRecentMenu()
{
    recentMenu_->clear();
    for (const QString& path : RecentFiles::List()) {
        recentMenu_->addAction(path, this, [this, path] { Open(path); });
    }
    recentMenu_->setEnabled(!recentMenu_->isEmpty());
}

void MainWindow::ChooseAndOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open recording or document"), {}, tr(kOpenFilter));
    if (!path.isEmpty()) {
        Open(path);
    }
}

void MainWindow::Save()
{
    if (documentPath_.isEmpty()) {
        SaveAs();
    } else {
        SaveTo(documentPath_);
    }
}

void MainWindow::SaveAs()
{
    QString path = QFileDialog::getSaveFileName(this, tr("Save document"), documentPath_, tr("Documents (*.nrl)"));
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QLatin1String(".nrl");
    }
    SaveTo(path);
}

void MainWindow::ShowAbout()
{
    QMessageBox::about(this, tr("About Nerolith"),
                       tr("<b>Nerolith</b><p>Extracellular spike detection, sorting and analysis.</p>"));
}

void MainWindow::Analyze()
{
    if (session_) {
        session_->Analysis().RequestAnalyze();
        AfterCommand();
    }
}

void MainWindow::OpenView(Host::ViewKind kind)
{
    if (!session_) {
        return;
    }
    if (Failed(session_->Analysis().OpenView(kind))) {
        reportError_(tr("The view could not be opened."));
    }
    AfterCommand();
    // A view closed before is shown again in its frame.
    for (QMdiSubWindow* frame : views_->subWindowList()) {
        if (kinds_.KindOf(frame->widget()) == kind) {
            frame->show();
            views_->setActiveSubWindow(frame);
        }
    }
}

// Commands send requests (analyse, clear) that the host's loop delivers.
void MainWindow::AfterCommand()
{
    if (session_) {
        session_->DeliverMessages();
    }
    views_->PlaceUnshown();
    if (chart_ != nullptr) {
        chart_->RefreshMarkers();
    }
}

// A layout that cannot be read costs the windows, not the analysis.
void MainWindow::RestoreLayout(const QString& path)
{
    try {
        const HostLayout layout = LoadLayout(session_->OpenedHostState(), path.toStdString());
        LayoutOf(*views_, kinds_, *session_, chart_).Restore(
            layout, [this](Host::ViewKind kind) { OpenView(kind); }, [this] { Analyze(); },
            [this] { AfterCommand(); });
    } catch (const DocumentError& error) {
        reportError_(tr("%1; the document opens without its window layout.").arg(QString::fromUtf8(error.what())));
    }
}

void MainWindow::UpdateTitle()
{
    VEX::String name;
    if (session_) {
        session_->Host().DocumentName(&name);
    }
    setWindowTitle(session_ ? tr("%1 - Nerolith").arg(ToQt(name)) : tr("Nerolith"));
}

} // namespace Desk

#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

#include "desk/runtime/HostServices.h"
#include "desk/runtime/Session.h"
#include "desk/window/ViewCatalog.h"

class QMenu;
class QPrinter;

namespace Desk {

class ChartView;
class DataSheetWindow;
class HelpWindow;
class SamplingControl;
class ViewArea;

// The desktop program's main window: one document (a recording with the
// module's analysis document), its views as sub-windows, the host's menus
// and the module's.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    // How errors reach the user; empty restores the message box.
    using ErrorReporter = std::function<void(const QString& message)>;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a recording ("demo", .json, .edf, .bdf) or a saved document in
    // place of the current one. On failure the current one stays and the
    // error is reported.
    bool Open(const QString& source);
    bool SaveTo(const QString& path);
    void CloseDocument();

    // Shows the window where and as large as it was when last closed; the
    // first time, `preferred` large, or maximised where the screen's free
    // area is smaller, so that none of it is off the screen.
    void ShowAtStart(QSize preferred);

    Session* CurrentSession() { return session_.get(); }
    ViewArea& Views() { return *views_; }
    // The open document's chart, or null.
    ChartView* Chart() { return chart_; }
    // The top-level menu with this title (mnemonics ignored), or null.
    QMenu* FindMenu(const QString& title) const;
    void SetErrorReporter(ErrorReporter reporter);
    // Copies the active view's text and picture to the clipboard.
    bool CopyActiveView();
    // As the module's Analyze command and the View menu do.
    void Analyze();
    void OpenView(Host::ViewKind kind);
    // As the Sampling menu does, with the module analysing as data arrive;
    // `speed` is a multiple of real time, 0 as fast as possible.
    bool StartSampling(double speed);

    // Shows the Data Sheet table of the document (View > Data Sheet).
    void OpenDataSheet();
    // The open Data Sheet table, or null.
    DataSheetWindow* DataSheet() const;

    // How the chart's printer is chosen; empty restores the print dialog.
    using PrinterChooser = std::function<bool(QPrinter& printer)>;
    void SetPrinterChooser(PrinterChooser chooser) { choosePrinter_ = std::move(chooser); }
    // Prints the active view through its printout, or the chart when it is
    // active; with `preview` shows the pages. False when nothing is printed.
    bool PrintActive(bool preview);

    // Help > Nerolith Help: the module's Help command, or the help itself
    // when no document is open.
    void RunHelpCommand();
    // Shows (or raises) the help window for a help file the module names;
    // E_INVALIDARG for any other file.
    HRESULT ShowHelp(const QString& file, const QString& topic);
    // The open help window, or null.
    HelpWindow* Help() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildFileMenu();
    void BuildEditMenu();
    void BuildViewMenu();
    void BuildPrintEntries(QMenu& file);
    void BuildHelpMenu();
    QAction* BuildDataSheetEntry(QMenu& view);
    void CloseDataSheet();
    QString PrintEntryText() const;
    bool PrintChartWithDialog(bool preview);
    void RebuildModuleMenus();
    void BuildSessionMenus();
    void FollowSampling(const SamplingControl& sampling);
    void FillRecentMenu();
    void ChooseAndOpen();
    void Save();
    void SaveAs();
    void ShowAbout();
    void AfterCommand();
    void UpdateTitle();
    void RestoreLayout(const QString& path);

    ComPtr<HostServices> services_;
    std::unique_ptr<Session> session_;
    QString documentPath_;
    ViewArea* views_ = nullptr;
    ChartView* chart_ = nullptr;
    ViewCatalog kinds_;
    QMenu* recentMenu_ = nullptr;
    QAction* helpMenu_ = nullptr;
    QList<QMenu*> moduleMenus_;
    ErrorReporter reportError_;
    PrinterChooser choosePrinter_;
    QPointer<DataSheetWindow> dataSheet_;
    QPointer<HelpWindow> help_;
    bool geometryRestored_ = false;
};

} // namespace Desk

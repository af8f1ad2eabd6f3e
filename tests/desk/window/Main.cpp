#include <QApplication>

#include <cstdlib>

int RunMainWindowTests(int argc, char** argv);
int RunChartViewTests(int argc, char** argv);
int RunChartSelectionTests(int argc, char** argv);
int RunChartEventsTests(int argc, char** argv);
int RunPrintTests(int argc, char** argv);
int RunDataSheetWindowTests(int argc, char** argv);

int main(int argc, char** argv)
{
    // Windows must never need a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    int failures = RunMainWindowTests(argc, argv);
    failures += RunChartViewTests(argc, argv);
    failures += RunChartSelectionTests(argc, argv);
    failures += RunChartEventsTests(argc, argv);
    failures += RunPrintTests(argc, argv);
    failures += RunDataSheetWindowTests(argc, argv);
    return failures == 0 ? 0 : 1;
}

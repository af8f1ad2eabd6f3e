#include <QApplication>

#include <cstdlib>

int RunMainWindowTests(int argc, char** argv);
int RunChartViewTests(int argc, char** argv);
int RunWindowLayoutTests(int argc, char** argv);
int RunWholeSessionTests(int argc, char** argv);
int RunModuleCommandsTests(int argc, char** argv);
int RunDialogsTests(int argc, char** argv);
int RunProgressTests(int argc, char** argv);
int RunSamplingTests(int argc, char** argv);
int RunChartSelectionTests(int argc, char** argv);
int RunChartEventsTests(int argc, char** argv);
int RunPrintTests(int argc, char** argv);
int RunDataSheetWindowTests(int argc, char** argv);
int RunHelpTests(int argc, char** argv);
int RunChartSamplingTests(int argc, char** argv);

int main(int argc, char** argv)
{
    // Windows must never need a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    int failures = RunMainWindowTests(argc, argv);
    failures += RunChartViewTests(argc, argv);
    failures += RunWindowLayoutTests(argc, argv);
    failures += RunWholeSessionTests(argc, argv);
    failures += RunModuleCommandsTests(argc, argv);
    failures += RunDialogsTests(argc, argv);
    failures += RunProgressTests(argc, argv);
    failures += RunSamplingTests(argc, argv);
    failures += RunChartSelectionTests(argc, argv);
    failures += RunChartEventsTests(argc, argv);
    failures += RunPrintTests(argc, argv);
    failures += RunDataSheetWindowTests(argc, argv);
    failures += RunHelpTests(argc, argv);
    failures += RunChartSamplingTests(argc, argv);
    return failures == 0 ? 0 : 1;
}

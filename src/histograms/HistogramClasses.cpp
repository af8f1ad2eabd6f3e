#include "histograms/HistogramClasses.h"

#include "histograms/SpikeDataSheetClass.h"
#include "histograms/ViewClasses.h"

namespace Nerolith {
namespace {

void InstallHistograms()
{
    InstallAnalysisViews();
    ConstructSpikeDataSheetClasses();
}

} // namespace

const FolderClasses& HistogramClasses()
{
    static const FolderClasses classes{InstallHistograms, AnalysisViewClassRegistrations};
    return classes;
}

} // namespace Nerolith

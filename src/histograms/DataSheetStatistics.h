#pragma once

#include "histograms/DataSheetFunctionTable.h"
#include "histograms/HistogramPages.h"
#include "host/IDataSheetFunction.h"

namespace Nerolith {

// A statistic of an open analysis view as its Data Sheet function reports
// it: the bin size is the view's; the rest are read from the displayed page
// of the pane of the selected unit, or take their no-pane value (0, or empty
// where nothing can be said) when the view has no such pane.
Host::Variant StatisticValue(DataSheetFunctions::Statistic statistic, double viewBinSize,
                             const HistogramPages* pane);

} // namespace Nerolith

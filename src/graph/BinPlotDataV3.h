#pragma once

#include "graph/BinPlotData.h"

namespace DUdido1 {

// The bin data the histogram views derive from: they keep the counts of
// several pages themselves and serve the displayed one through Bins().
class BinPlotDataV3 : public BinPlotData {};

} // namespace DUdido1

#include "histograms/AnalysisViewPrintout.h"

#include "histograms/AnalysisView.h"

namespace Nerolith {

AnalysisViewPrintout::AnalysisViewPrintout(AnalysisView& view) : TPrintout(view.Title()), view_(view)
{
}

void AnalysisViewPrintout::PrintPage(platform::ui::TDC& dc, std::int32_t, const platform::ui::TRect& pageRect)
{
    view_.PaintPicture(dc, pageRect);
}

} // namespace Nerolith

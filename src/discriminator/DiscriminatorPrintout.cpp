#include "discriminator/DiscriminatorPrintout.h"

#include "discriminator/DiscriminatorView.h"

namespace Nerolith {

DiscriminatorPrintout::DiscriminatorPrintout(DiscriminatorView& view) : TPrintout(view.Title()), view_(view) {}

void DiscriminatorPrintout::PrintPage(platform::ui::TDC& dc, std::int32_t, const platform::ui::TRect& pageRect)
{
    view_.DrawView(dc, pageRect);
}

} // namespace Nerolith

#include "graph/Annotation.h"

namespace DUdido1 {

bool Annotation::Click(const ClickEvent&)
{
    return false;
}

void ClickAnnotation::Draw(ui::TDC&, const PlotFrame&)
{
}

} // namespace DUdido1

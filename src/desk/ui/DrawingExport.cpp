#include "desk/ui/AxisScale.h"

// The drawing library's one exported symbol: the command line calls it once
// after loading the library, before the module draws anything.
extern "C" __attribute__((visibility("default"))) void NerolithRegisterDrawing()
{
    Desk::ui::AxisScale::Register();
}

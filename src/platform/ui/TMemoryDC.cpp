#include "platform/ui/TMemoryDC.h"

#include "platform/ui/Backend.h"
#include "platform/ui/PainterEngine.h"

namespace platform::ui {

TMemoryDC::TMemoryDC(TBitmap& bitmap) : TPainterDC(TheBackend().BitmapEngine(bitmap)) {}

} // namespace platform::ui

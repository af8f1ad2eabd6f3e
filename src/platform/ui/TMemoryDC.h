#pragma once

#include "platform/Export.h"
#include "platform/ui/TBitmap.h"
#include "platform/ui/TPainterDC.h"

namespace platform::ui {

// Draws on a bitmap (96 pixels per inch); the bitmap must outlive the context,
// and holds the drawing once the context is gone.
class PLATFORM_API TMemoryDC : public TPainterDC {
public:
    explicit TMemoryDC(TBitmap& bitmap);
};

} // namespace platform::ui

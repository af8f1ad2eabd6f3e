#pragma once

#include <QImage>

#include "platform/ui/TBitmap.h"

namespace platform::ui {

struct TBitmap::Impl {
    QImage image;
};

} // namespace platform::ui

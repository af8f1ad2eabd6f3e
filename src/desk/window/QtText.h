#pragma once

#include <QString>

#include "platform/text/VexString.h"

namespace Desk {

inline QString ToQt(const VEX::String& text) { return QString::fromStdU16String(text.Str()); }
inline VEX::String FromQt(const QString& text) { return VEX::String(text.toStdU16String()); }

} // namespace Desk

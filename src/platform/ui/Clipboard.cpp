#include "platform/ui/Clipboard.h"

#include "platform/ui/Backend.h"

namespace platform::ui {

bool CopyToClipboard(const ClipboardContent& content)
{
    return TheBackend().CopyToClipboard(content);
}

std::optional<VEX::String> ReadClipboardText()
{
    return TheBackend().ReadClipboardText();
}

std::optional<std::string> ReadClipboardSvg()
{
    return TheBackend().ReadClipboardData("image/svg+xml");
}

std::optional<std::string> ReadClipboardPng()
{
    return TheBackend().ReadClipboardData("image/png");
}

} // namespace platform::ui

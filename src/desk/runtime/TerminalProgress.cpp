#include "desk/runtime/TerminalProgress.h"

#include <algorithm>
#include <string>
#include <unistd.h>

namespace Desk {
namespace {

constexpr int kBarWidth = 30;

bool IsTerminal(std::FILE* out) { return out != nullptr && isatty(fileno(out)) == 1; }

} // namespace

TerminalProgress::TerminalProgress(VEX::String title, VEX::String subtitle, std::FILE* out)
    : title_(std::move(title)), subtitle_(std::move(subtitle)), out_(IsTerminal(out) ? out : nullptr)
{
    CancelSignal::Clear();
}

TerminalProgress::~TerminalProgress()
{
    if (drawn_) {
        std::fputs("\r\033[K", out_);
        std::fflush(out_);
    }
}

HRESULT TerminalProgress::SetText(const VEX::String& text)
{
    text_ = text;
    Draw();
    return S_OK;
}

std::int32_t TerminalProgress::SetPercent(std::int32_t percent)
{
    const std::int32_t clamped = std::clamp(percent, 0, 100);
    if (clamped != percent_) {
        percent_ = clamped;
        Draw();
    }
    return CancelSignal::Requested() ? 1 : 0;
}

void TerminalProgress::Draw()
{
    if (out_ == nullptr) {
        return;
    }
    const int shown = std::max(percent_, 0);
    const int filled = shown * kBarWidth / 100;
    const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, ' ');
    std::fprintf(out_, "\r\033[K%s [%s] %3d%% %s", subtitle_.ToUtf8().c_str(), bar.c_str(), shown,
                 text_.ToUtf8().c_str());
    std::fflush(out_);
    drawn_ = true;
}

} // namespace Desk

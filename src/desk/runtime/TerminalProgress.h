#pragma once

#include <cstdio>

#include "desk/runtime/CancelSignal.h"
#include "host/IProgressIndicator.h"

namespace Desk {

// A progress bar on stderr when it is a terminal, silent otherwise. Ctrl-C
// cancels: SetPercent then answers non-zero.
class TerminalProgress final : public UnknownImpl<IProgressIndicator> {
public:
    TerminalProgress(VEX::String title, VEX::String subtitle, std::FILE* out = stderr);
    ~TerminalProgress() override;

    HRESULT SetText(const VEX::String& text) override;
    std::int32_t SetPercent(std::int32_t percent) override;

    const VEX::String& Text() const { return text_; }
    std::int32_t Percent() const { return percent_; }

private:
    void Draw();

    VEX::String title_;
    VEX::String subtitle_;
    VEX::String text_;
    std::int32_t percent_ = -1;
    std::FILE* out_;
    bool drawn_ = false;
    CancelSignal cancel_;
};

} // namespace Desk

#include "platform/ui/MessageBox.h"

#include "platform/ui/Application.h"
#include "platform/ui/AutomationState.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Controls.h"

namespace platform::ui {

namespace {

constexpr std::uint32_t kButtonBits = 0x0F;

std::int32_t FirstButton(std::uint32_t type)
{
    const std::uint32_t buttons = type & kButtonBits;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
}

} // namespace

std::int32_t MessageBox(TWindow* owner, const VEX::String& text, const VEX::String& caption, std::uint32_t type)
{
    EnsureApplication();
    auto& state = automation::State();
    std::int32_t answer = 0;
    if (!state.messageBoxAnswers.empty()) {
        answer = state.messageBoxAnswers.front();
        state.messageBoxAnswers.pop_front();
    } else if (state.defaultMessageBoxAnswer) {
        answer = *state.defaultMessageBoxAnswer;
    } else if (IsHeadless()) {
        answer = FirstButton(type);
    } else {
        answer = TheBackend().AskMessageBox(owner, text, caption, type);
    }
    state.shownMessageBoxes.push_back({caption, text, type, answer});
    return answer;
}

} // namespace platform::ui

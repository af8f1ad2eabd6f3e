#include "platform/ui/Automation.h"

#include "platform/ui/AutomationState.h"
#include "platform/ui/Backend.h"

namespace platform::ui::automation {

AutomationState& State()
{
    static AutomationState state;
    return state;
}

void QueueMessageBoxAnswer(std::int32_t answer)
{
    State().messageBoxAnswers.push_back(answer);
}

void SetDefaultMessageBoxAnswer(std::optional<std::int32_t> answer)
{
    State().defaultMessageBoxAnswer = answer;
}

std::vector<ShownMessageBox> ShownMessageBoxes()
{
    return State().shownMessageBoxes;
}

void SetDialogDriver(DialogDriver driver)
{
    State().dialogDriver = std::move(driver);
}

void SetMenuChooser(MenuChooser chooser)
{
    State().menuChooser = std::move(chooser);
}

std::int32_t ShownMenuCount()
{
    return State().shownMenus;
}

void QueueFileAnswer(std::optional<VEX::String> path)
{
    State().fileAnswers.push_back(std::move(path));
}

std::vector<ShownFileDialog> ShownFileDialogs()
{
    return State().shownFileDialogs;
}

std::vector<std::int32_t> ShownPrintPreviews()
{
    return State().shownPrintPreviews;
}

void SetClipboardAvailable(bool available)
{
    State().clipboardAvailable = available;
}

void Reset()
{
    State() = AutomationState{};
}

void SendMouse(TWindow& window, MouseAction action, MouseButton button, const TPoint& point, std::uint32_t modKeys)
{
    TheBackend().SendMouse(window, action, button, point, modKeys);
}

void SendMouseLeave(TWindow& window)
{
    TheBackend().SendMouseLeave(window);
}

void SendChar(TWindow& window, char16_t character)
{
    TheBackend().SendChar(window, character);
}

void SendKey(TWindow& window, std::uint32_t virtualKey, std::uint32_t modKeys)
{
    TheBackend().SendKey(window, virtualKey, modKeys);
}

void Click(TWindow& window, std::int32_t controlId)
{
    TheBackend().Click(window, controlId);
}

void ChooseItem(TWindow& window, std::int32_t controlId, std::int32_t index)
{
    TheBackend().ChooseItem(window, controlId, index);
}

void TypeText(TWindow& window, std::int32_t controlId, const VEX::String& text)
{
    TheBackend().TypeText(window, controlId, text);
}

void ChooseColour(TWindow& window, std::int32_t controlId, std::uint32_t colour)
{
    TheBackend().ChooseColour(window, controlId, colour);
}

} // namespace platform::ui::automation

#include "platform/ui/FileDialog.h"

#include "platform/ui/Application.h"
#include "platform/ui/AutomationState.h"
#include "platform/ui/Backend.h"

namespace platform::ui {

namespace {

// A name whose last part has no suffix after a dot gets the extension.
VEX::String WithDefaultExtension(const VEX::String& path, const VEX::String& extension)
{
    const std::u16string_view text = path.View();
    const std::u16string_view name = text.substr(text.find_last_of(u'/') + 1);
    const std::size_t dot = name.find_last_of(u'.');
    if (extension.Empty() || (dot != std::u16string_view::npos && dot + 1 < name.size())) {
        return path;
    }
    return path + u"." + extension;
}

std::optional<VEX::String> AskFile(TWindow* owner, const FileDialogOptions& options, bool save)
{
    EnsureApplication();
    auto& state = automation::State();
    state.shownFileDialogs.push_back({options.title, options.filter, save});
    std::optional<VEX::String> chosen;
    if (!state.fileAnswers.empty()) {
        chosen = state.fileAnswers.front();
        state.fileAnswers.pop_front();
    } else if (!IsHeadless()) {
        chosen = TheBackend().AskFileName(owner, options, save);
    }
    if (!chosen || chosen->Empty()) {
        return std::nullopt;
    }
    return save ? WithDefaultExtension(*chosen, options.defaultExtension) : *chosen;
}

} // namespace

std::optional<VEX::String> GetSaveFileName(TWindow* owner, const FileDialogOptions& options)
{
    return AskFile(owner, options, true);
}

std::optional<VEX::String> GetOpenFileName(TWindow* owner, const FileDialogOptions& options)
{
    return AskFile(owner, options, false);
}

} // namespace platform::ui

#include "desk/runtime/HostServices.h"

#include "desk/runtime/TerminalProgress.h"
#include "platform/com/ComPtr.h"

namespace Desk {

HostServices::HostServices(std::FILE* messageOut) : messageOut_(messageOut) {}

Host::MessageAnswer HostServices::MessageBox(const VEX::String& caption, const VEX::String& text,
                                             Host::MessageButtons buttons, Host::MessageIcon icon)
{
    shown_.push_back({caption, text, buttons, icon});
    if (presenter_) {
        return presenter_(shown_.back());
    }
    if (messageOut_ != nullptr) {
        std::fprintf(messageOut_, "%s: %s\n", caption.ToUtf8().c_str(), text.ToUtf8().c_str());
    }
    return HeadlessAnswer(buttons);
}

// Maps the configured answer onto the buttons the box has: an OK box can only
// answer OK, a Yes/No box answers Yes for OK and No for Cancel.
Host::MessageAnswer HostServices::HeadlessAnswer(Host::MessageButtons buttons) const
{
    using Host::MessageAnswer;
    const bool positive = headlessAnswer_ == MessageAnswer::Ok || headlessAnswer_ == MessageAnswer::Yes;
    switch (buttons) {
    case Host::MessageButtons::Ok:
        return MessageAnswer::Ok;
    case Host::MessageButtons::OkCancel:
        return positive ? MessageAnswer::Ok : MessageAnswer::Cancel;
    case Host::MessageButtons::YesNo:
        return positive ? MessageAnswer::Yes : MessageAnswer::No;
    case Host::MessageButtons::YesNoCancel:
        return headlessAnswer_ == MessageAnswer::Ok ? MessageAnswer::Yes : headlessAnswer_;
    }
    return MessageAnswer::Cancel;
}

HRESULT HostServices::CreateProgress(const VEX::String& title, const VEX::String& subtitle,
                                     IProgressIndicator** progress)
{
    if (progress == nullptr) {
        return E_POINTER;
    }
    *progress = progressFactory_ ? progressFactory_(title, subtitle) : nullptr;
    if (*progress == nullptr && !progressFactory_) {
        *progress = MakeCom<TerminalProgress>(title, subtitle).Detach();
    }
    return *progress != nullptr ? S_OK : E_FAIL;
}

HRESULT HostServices::ShowHelp(const VEX::String& file, const VEX::String& topic)
{
    if (helpViewer_) {
        return helpViewer_(file, topic);
    }
    if (messageOut_ != nullptr) {
        std::fprintf(messageOut_, "Help: %s%s%s\n", file.ToUtf8().c_str(), topic.Empty() ? "" : " #",
                     topic.ToUtf8().c_str());
    }
    return S_OK;
}

} // namespace Desk

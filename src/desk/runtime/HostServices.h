#pragma once

#include <cstdio>
#include <functional>
#include <vector>

#include "host/IHostServices.h"

namespace Desk {

// A message box as it was shown, kept for scripts and tests.
struct ShownMessage {
    VEX::String caption;
    VEX::String text;
    Host::MessageButtons buttons;
    Host::MessageIcon icon;
};

// The host's application services. Without a window system message boxes are
// printed and answered as configured (OK or Yes unless told otherwise); the
// desktop program installs a presenter that shows real ones.
class HostServices final : public UnknownImpl<IHostServices> {
public:
    using Presenter = std::function<Host::MessageAnswer(const ShownMessage&)>;

    explicit HostServices(std::FILE* messageOut = stderr);

    Host::MessageAnswer MessageBox(const VEX::String& caption, const VEX::String& text,
                                   Host::MessageButtons buttons, Host::MessageIcon icon) override;
    HRESULT CreateProgress(const VEX::String& title, const VEX::String& subtitle,
                           IProgressIndicator** progress) override;
    HRESULT ShowHelp(const VEX::String& file, const VEX::String& topic) override;

    // The answer headless message boxes give when the buttons allow it.
    void SetHeadlessAnswer(Host::MessageAnswer answer) { headlessAnswer_ = answer; }
    void SetPresenter(Presenter presenter) { presenter_ = std::move(presenter); }
    // A progress factory for the desktop program or tests; null: terminal.
    using ProgressFactory = std::function<IProgressIndicator*(const VEX::String&, const VEX::String&)>;
    void SetProgressFactory(ProgressFactory factory) { progressFactory_ = std::move(factory); }
    // Shows the help a file and topic name for the desktop program; null:
    // the terminal is told what was asked for.
    using HelpViewer = std::function<HRESULT(const VEX::String& file, const VEX::String& topic)>;
    void SetHelpViewer(HelpViewer viewer) { helpViewer_ = std::move(viewer); }

    const std::vector<ShownMessage>& Shown() const { return shown_; }

private:
    Host::MessageAnswer HeadlessAnswer(Host::MessageButtons buttons) const;

    std::FILE* messageOut_;
    Host::MessageAnswer headlessAnswer_ = Host::MessageAnswer::Ok;
    Presenter presenter_;
    ProgressFactory progressFactory_;
    HelpViewer helpViewer_;
    std::vector<ShownMessage> shown_;
};

} // namespace Desk

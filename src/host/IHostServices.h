#pragma once

#include <cstdint>

#include "host/IProgressIndicator.h"
#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

namespace Host {

enum class MessageButtons : std::uint32_t { Ok = 0, OkCancel = 1, YesNo = 4, YesNoCancel = 3 };
enum class MessageIcon : std::uint32_t { None = 0, Stop = 0x10, Question = 0x20, Warning = 0x30, Information = 0x40 };
enum class MessageAnswer : std::int32_t { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

} // namespace Host

// Services of the host application that are not tied to a document.
class IHostServices : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x000E, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x0E}};

    // A message box over the host's main window.
    virtual Host::MessageAnswer MessageBox(const VEX::String& caption, const VEX::String& text,
                                           Host::MessageButtons buttons, Host::MessageIcon icon) = 0;
    // A new progress indicator with count 1; fails when none can be made.
    virtual HRESULT CreateProgress(const VEX::String& title, const VEX::String& subtitle,
                                   IProgressIndicator** progress) = 0;
    virtual HRESULT ShowHelp(const VEX::String& file, const VEX::String& topic) = 0;

protected:
    ~IHostServices() = default;
};

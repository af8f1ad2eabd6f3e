#include "PictureOptions.h"

#include <stdexcept>

#include "ViewOptions.h"

namespace Nerolith::Cli {
namespace {

void Set(Desk::Session& session, const NamedView& view, const char16_t* name, const std::string& value,
         const std::string& option)
{
    if (Failed(session.Analysis().SetViewSetting(view.kind, VEX::String(name), VEX::String::FromUtf8(value)))) {
        throw std::runtime_error(option + ": the " + view.name + " view does not take \"" + value + "\"");
    }
}

} // namespace

void PictureOptions::AddTo(CLI::App& command)
{
    command.add_option("--dpi", dpi, "Pictures: pixels per inch the type and lines are drawn for (default: by size)")
        ->check(CLI::Range(1, 2400));
    command.add_flag("--shared-x", sharedX, "Pictures: every unit's pane over the same X range");
    command.add_option("--bars", bars, "Pictures: filled (default) or outline bars")
        ->check(CLI::IsMember({"filled", "outline"}));
}

void PictureOptions::Apply(Desk::Session& session, const NamedView& view) const
{
    Set(session, view, u"dpi", std::to_string(dpi.value_or(0)), "--dpi");
    Set(session, view, u"shared-x", sharedX ? "on" : "off", "--shared-x");
    Set(session, view, u"bars", bars, "--bars " + bars);
}

} // namespace Nerolith::Cli

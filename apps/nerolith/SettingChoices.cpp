#include "SettingChoices.h"

#include <string_view>

#include "ChannelUnits.h"
#include "RecordingSummary.h"

namespace Nerolith::Cli {
namespace {

std::string PagingChoices(Host::ViewKind kind)
{
    // A peristimulus histogram pages by sweeps: blocks or stimulus events.
    return kind == Host::ViewKind::PeristimulusTime ? "blocks:N or stimulus:N"
                                                    : "none, blocks:N, duration:S or stimulus:N";
}

// Event sources by name, and units by their own name or their source's.
std::string ReferenceChoices(Desk::Session& session)
{
    std::string text;
    for (const VEX::String& name : EventSourceNames(session.Host())) {
        text += (text.empty() ? "" : ", ") + name.ToUtf8();
    }
    for (const Host::UnitDescription& unit : SourceChannelUnits(session)) {
        text += (text.empty() ? "" : ", ") + unit.name.ToUtf8();
    }
    return text.empty() ? "no source: the recording has no event sources and the channel no units" : text;
}

} // namespace

std::string AcceptedValues(Desk::Session& session, const NamedView& view, const char16_t* setting)
{
    const std::u16string_view name(setting);
    if (name == u"paging") {
        return " (it takes " + PagingChoices(view.kind) + ")";
    }
    if (name == u"reference") {
        return " (it takes " + ReferenceChoices(session) + ")";
    }
    return {};
}

} // namespace Nerolith::Cli

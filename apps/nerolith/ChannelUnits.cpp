#include "ChannelUnits.h"

#include "RecordingSummary.h"

#include <stdexcept>

namespace Nerolith::Cli {

std::vector<Host::UnitDescription> SourceChannelUnits(Desk::Session& session)
{
    Host::DocumentSettings settings;
    session.Analysis().GetDocumentSettings(&settings);
    std::vector<Host::UnitDescription> all;
    session.Analysis().GetUnits(&all);
    std::vector<Host::UnitDescription> units;
    for (const Host::UnitDescription& unit : all) {
        if (unit.channel == settings.sourceChannel) {
            units.push_back(unit);
        }
    }
    return units;
}

void RequireUnits(Desk::Session& session, const std::string& what)
{
    if (SourceChannelUnits(session).empty()) {
        Host::DocumentSettings settings;
        session.Analysis().GetDocumentSettings(&settings);
        throw std::runtime_error(what + ": channel " + std::to_string(settings.sourceChannel + 1) +
                                 " has no units; give --units FILE or a --doc with units");
    }
}

std::string UnitListText(const std::vector<Host::UnitDescription>& units)
{
    std::string text;
    for (const Host::UnitDescription& unit : units) {
        text += (text.empty() ? "" : ", ") + std::to_string(std::int64_t{unit.number} + 1) + " " + unit.name.ToUtf8();
    }
    return text.empty() ? "none" : text;
}

// The module registers each unit's source under this name.
std::string UnitSourceName(const Host::UnitDescription& unit)
{
    return "NerolithUnit" + std::to_string(std::int64_t{unit.number} + 1);
}

std::string ResolveUnitSource(Desk::Session& session, const std::string& reference)
{
    std::vector<Host::UnitDescription> units;
    session.Analysis().GetUnits(&units);
    for (const Host::UnitDescription& unit : units) {
        if (unit.name.ToUtf8() == reference) {
            return UnitSourceName(unit);
        }
    }
    return reference;
}

void PrintEventSources(Desk::Session& session, std::ostream& out, std::ostream& note)
{
    std::vector<Host::UnitDescription> units;
    session.Analysis().GetUnits(&units);
    const std::vector<VEX::String> names = EventSourceNames(session.Host());
    for (const VEX::String& name : names) {
        out << name.ToUtf8();
        for (const Host::UnitDescription& unit : units) {
            if (UnitSourceName(unit) == name.ToUtf8()) {
                out << '\t' << unit.name.ToUtf8();
            }
        }
        out << '\n';
    }
    if (units.empty()) {
        note << (names.empty() ? "no event sources in the recording; " : "")
             << "units' sources (CCH references) are listed once units exist: give --units FILE or --doc FILE\n";
    }
}

} // namespace Nerolith::Cli

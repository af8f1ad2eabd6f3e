#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "desk/runtime/Session.h"

namespace Nerolith::Cli {

// The units of the source channel, in the order users see them.
std::vector<Host::UnitDescription> SourceChannelUnits(Desk::Session& session);

// Refuses, naming `what` cannot be made, when the source channel has no
// units: pictures and exports of no unit would be blank.
void RequireUnits(Desk::Session& session, const std::string& what);

// "1 Big, 2 Unit2" (numbered from 1 as users see units), or "none".
std::string UnitListText(const std::vector<Host::UnitDescription>& units);

// The name of the event source the host offers for a unit's spikes (what a
// cross-correlation reference names).
std::string UnitSourceName(const Host::UnitDescription& unit);

// A reference as a user gives it: a unit's own name ("Unit1", "Big") becomes
// its event source's name; anything else stays as it is.
std::string ResolveUnitSource(Desk::Session& session, const std::string& reference);

// The event sources the host offers, one a line; a unit's source is followed
// by a tab and the unit's own name, which --reference accepts as well. Says on
// `note` when there is none, and how units' sources come to exist.
void PrintEventSources(Desk::Session& session, std::ostream& out, std::ostream& note);

} // namespace Nerolith::Cli

#include "SpikeTable.h"

#include <map>

#include "platform/text/ShortestNumber.h"

namespace Nerolith::Cli {
namespace {

// The module stores heights and widths as floats; printing the widened
// double would show digits that were never measured.
std::string FloatText(double stored)
{
    return VEX::ShortestNumber(static_cast<float>(stored));
}

std::map<std::int32_t, std::string> UnitNames(ISpikeDocInterface& analysis)
{
    std::vector<Host::UnitDescription> units;
    analysis.GetUnits(&units);
    std::map<std::int32_t, std::string> names;
    for (const Host::UnitDescription& unit : units) {
        names[unit.number] = unit.name.ToUtf8();
    }
    return names;
}

} // namespace

void WriteSpikeTable(Desk::Session& session, std::ostream& out)
{
    ISpikeDocInterface& analysis = session.Analysis();
    const Desk::Recording& data = session.Host().Data();
    const std::map<std::int32_t, std::string> names = UnitNames(analysis);
    out << "index\tblock\ttick\ttime\theight\twidth_ms\tunit\trecording_time\tunit_name\n";
    const std::int32_t count = analysis.SpikeCount();
    for (std::int32_t index = 0; index < count; ++index) {
        Host::SpikeInfo spike;
        analysis.GetSpike(index, &spike);
        const auto name = names.find(spike.unit);
        out << index << '\t' << spike.block << '\t' << spike.tick << '\t' << VEX::ShortestNumber(spike.time) << '\t'
            << FloatText(spike.height) << '\t' << FloatText(spike.widthMs) << '\t' << spike.unit << '\t'
            << VEX::ShortestNumber(data.BlockStartTime(spike.block) + spike.time) << '\t'
            << (name == names.end() ? std::string() : name->second) << '\n';
    }
}

} // namespace Nerolith::Cli

#include "AnalysisReport.h"

#include <map>

#include "platform/text/ShortestNumber.h"

namespace Nerolith::Cli {
namespace {

// Seconds of recorded data in [start, end) of a channel.
double RangeDuration(Desk::HostDocument& host, std::int32_t channel, Host::Position start, Host::Position end)
{
    double seconds = 0.0;
    for (std::int32_t block = start.block; block <= end.block && block < host.Data().BlockCount(); ++block) {
        const std::int32_t ticks = host.Layout().VisibleTicks(channel, block);
        const std::int32_t from = block == start.block ? start.tick : 0;
        const std::int32_t to = block == end.block ? std::min(end.tick, ticks) : ticks;
        if (to > from) {
            seconds += (to - from) * host.Data().SampleInterval(channel, block);
        }
    }
    return seconds;
}

} // namespace

void PrintAnalysisSummary(Desk::Session& session, std::ostream& out)
{
    ISpikeDocInterface& analysis = session.Analysis();
    Host::DocumentSettings settings;
    analysis.GetDocumentSettings(&settings);
    Host::ChannelAnalysisRecord record;
    analysis.GetChannelRecord(settings.sourceChannel, &record);
    const std::int32_t channel = settings.sourceChannel;
    const double duration = RangeDuration(session.Host(), channel, record.rangeStart, record.rangeEnd);

    std::map<std::int32_t, std::int64_t> counts;
    const std::int32_t spikes = analysis.SpikeCount();
    for (std::int32_t index = 0; index < spikes; ++index) {
        Host::SpikeInfo spike;
        analysis.GetSpike(index, &spike);
        ++counts[spike.unit];
    }
    out << "recording\t" << session.Host().Data().Source() << '\n';
    out << "channel\t" << channel + 1 << '\t' << session.Host().Data().ChannelTitle(channel).ToUtf8() << '\n';
    out << "analysed\t" << VEX::ShortestNumber(duration) << " s\n";
    out << "spikes\t" << spikes << '\n';
    std::vector<Host::UnitDescription> units;
    analysis.GetUnits(&units);
    const auto rate = [duration](std::int64_t count) { return duration > 0.0 ? count / duration : 0.0; };
    for (const Host::UnitDescription& unit : units) {
        if (unit.channel == channel) {
            out << "unit\t" << unit.name.ToUtf8() << '\t' << counts[unit.number] << '\t'
                << VEX::ShortestNumber(rate(counts[unit.number])) << " Hz\n";
        }
    }
    out << "unassigned\t" << counts[-1] << '\t' << VEX::ShortestNumber(rate(counts[-1])) << " Hz\n";
}

double AnalysedDuration(Desk::Session& session)
{
    Host::DocumentSettings settings;
    session.Analysis().GetDocumentSettings(&settings);
    Host::ChannelAnalysisRecord record;
    session.Analysis().GetChannelRecord(settings.sourceChannel, &record);
    return RangeDuration(session.Host(), settings.sourceChannel, record.rangeStart, record.rangeEnd);
}

} // namespace Nerolith::Cli

#include "RecordingSummary.h"


namespace Nerolith::Cli {

std::vector<VEX::String> EventSourceNames(Desk::HostDocument& document)
{
    ComPtr<IHostCalc> calc;
    document.GetCalc(calc.Put());
    std::vector<VEX::String> names;
    const std::int32_t count = calc->EventSourceCount();
    for (std::int32_t position = 0; position < count; ++position) {
        VEX::String name;
        if (calc->EventSourceNameAt(position, &name) == S_OK) {
            names.push_back(name);
        }
    }
    return names;
}

void PrintRecordingSummary(Desk::HostDocument& document, std::ostream& out)
{
    const Desk::Recording& data = document.Data();
    out << "recording\t" << data.Source() << '\n';
    out << "blocks\t" << data.BlockCount() << '\n';
    for (std::int32_t block = 0; block < data.BlockCount(); ++block) {
        const std::int32_t ticks = document.Layout().RecordedTicks(block);
        const double interval = data.ChannelCount() > 0 ? data.SampleInterval(0, block) : 0.0;
        out << "block " << block + 1 << "\tstart " << data.BlockStartTime(block) << " s\t" << ticks << " ticks\t"
            << ticks * interval << " s\n";
    }
    out << "channels\t" << data.ChannelCount() << '\n';
    for (std::int32_t channel = 0; channel < data.ChannelCount(); ++channel) {
        const double rate = data.BlockCount() > 0 ? 1.0 / data.SampleInterval(channel, 0) : 0.0;
        out << "channel " << channel + 1 << '\t' << data.ChannelTitle(channel).ToUtf8() << '\t'
            << data.ChannelUnit(channel).ToUtf8() << '\t' << rate << " Hz\n";
    }
    const std::vector<VEX::String> sources = EventSourceNames(document);
    out << "event sources\t" << sources.size() << '\n';
    for (const VEX::String& name : sources) {
        out << "source\t" << name.ToUtf8() << '\n';
    }
}

} // namespace Nerolith::Cli

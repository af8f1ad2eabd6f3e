#include "FilterOption.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <regex>
#include <vector>
#include <stdexcept>

#include "desk/calc/BiquadCascade.h"
#include "desk/calc/FilterCalculation.h"
#include "desk/runtime/ChannelFilters.h"
#include "platform/text/ShortestNumber.h"

namespace Nerolith::Cli {
namespace {

constexpr const char* kFilterHelp =
    "Butterworth filter (Hz) set on the channel before detection: LOW:HIGH band-pass (a high-pass at LOW "
    "cascaded with a low-pass at HIGH), LOW: high-pass, off to take a document's filter off. Each block is "
    "filtered on its own. Offline it runs forward and backward (zero phase, gain squared: 0.5 at each "
    "edge); with --online it runs forward only (causal, 0.707 at each edge), which delays spikes: 300:3000 "
    "at order 2 delays a 1 kHz component by about 0.15 ms (3 ticks at 20 kHz). The summary prints the delay";

double ParseEdge(const std::string& text, const std::string& whole)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        throw std::runtime_error("--filter " + whole + ": expected LOW:HIGH or LOW: in Hz");
    }
    return value;
}

// The frequency at which the summary states a causal filter's delay: the
// band's geometric centre, or twice a high-pass edge.
double DelayFrequency(const Desk::FilterDesign& design)
{
    return design.high ? std::sqrt(design.low * *design.high) : 2.0 * design.low;
}

// "LOW:HIGH" or "LOW:" (Hz) as a filter design; throws naming the option.
Desk::FilterDesign ParseFilterBand(const std::string& text, int order)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos || colon == 0) {
        throw std::runtime_error("--filter " + text + ": expected LOW:HIGH or LOW: in Hz");
    }
    Desk::FilterDesign design;
    design.order = order;
    design.low = ParseEdge(text.substr(0, colon), text);
    if (colon + 1 < text.size()) {
        design.high = ParseEdge(text.substr(colon + 1), text);
    }
    return design;
}

// "1-4" or "1,3,5-8" (from 1) as 0-based channels in the order first
// named; throws naming the option. A channel past the recording's last is
// refused before a range is spelt out, so "1-999999999" fails at once.
std::vector<std::int32_t> ParseReferenceChannels(const std::string& text, std::int32_t channelCount)
{
    static const std::regex item(R"(^(\d{1,9})(?:-(\d{1,9}))?$)");
    const std::string about = "--reference-channels " + text + ": ";
    std::vector<std::int32_t> channels;
    std::vector<bool> named(static_cast<std::size_t>(std::max(channelCount, 0)), false);
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string part = text.substr(start, comma - start);
        std::smatch match;
        if (!std::regex_match(part, match, item)) {
            throw std::runtime_error(about + "expected channels from 1, as 1-4 or 1,3,5-8");
        }
        const int first = std::stoi(match[1]);
        const int last = match[2].matched ? std::stoi(match[2]) : first;
        if (first < 1 || last < first) {
            throw std::runtime_error(about + "expected channels from 1, as 1-4 or 1,3,5-8");
        }
        if (last > channelCount) {
            throw std::runtime_error(about + "there is no reference channel " +
                                     std::to_string(std::max(first, channelCount + 1)) + " (the recording has " +
                                     std::to_string(channelCount) + ")");
        }
        for (int channel = first; channel <= last; ++channel) {
            if (!named[static_cast<std::size_t>(channel - 1)]) {
                named[static_cast<std::size_t>(channel - 1)] = true;
                channels.push_back(channel - 1);
            }
        }
        start = comma + 1;
    }
    return channels;
}

} // namespace

void FilterOption::AddTo(CLI::App& command)
{
    command.add_option("--filter", band, kFilterHelp);
    command.add_option("--filter-order", order, "Order of each Butterworth edge of --filter (1-8, default 2)")
        ->check(CLI::Range(1, Desk::FilterDesign::kMaxOrder));
    auto* channels = command.add_option("--reference-channels", referenceChannels,
                                        "With --filter: take the median (or mean) of these channels (1-4, 1,3,5-8) "
                                        "off the channel at each tick before filtering");
    channels->needs("--filter");
    command.add_option("--reference-mode", reference, "median (default) or average reference over --reference-channels")
        ->check(CLI::IsMember({"median", "average"}))
        ->needs(channels);
}

void FilterOption::Apply(Desk::Session& session, std::int32_t channel, bool online) const
{
    std::optional<Desk::FilterDesign> design = Desk::ChannelFilter(session.Host(), channel);
    if (band) {
        design = *band == "off" ? std::nullopt : std::optional(ParseFilterBand(*band, order));
    }
    if (design && referenceChannels) {
        design->reference = ParseReferenceChannels(*referenceChannels, session.Host().Data().ChannelCount());
        design->medianReference = reference == "median";
    }
    if (!design && !band) {
        return;
    }
    if (design && online) {
        design->causal = true;
    }
    if (design) {
        const std::string problem = Desk::FilterCalculation::Problem(session.Host().Data(), channel, *design);
        if (!problem.empty()) {
            if (problem.find("reference") != std::string::npos) {
                throw std::runtime_error("--reference-channels " + referenceChannels.value_or("") + ": " + problem);
            }
            throw std::runtime_error("--filter " + band.value_or(design->Describe()) + ": " + problem + " of channel " +
                                     std::to_string(channel + 1));
        }
    }
    Desk::SetChannelFilter(session.Host(), channel, design);
}

void PrintFilterSummary(Desk::Session& session, std::int32_t channel, std::ostream& out)
{
    const std::optional<Desk::FilterDesign> design = Desk::ChannelFilter(session.Host(), channel);
    if (!design) {
        return;
    }
    out << "filter\t" << design->Describe();
    const Desk::Recording& data = session.Host().Data();
    if (design->causal && data.BlockCount() > 0) {
        const double rate = 1.0 / data.SampleInterval(channel, 0);
        const double frequency = DelayFrequency(*design);
        const double delay = Desk::BiquadCascade(*design, rate).GroupDelay(frequency);
        out << ", group delay " << VEX::ShortestNumber(std::round(delay * 1e6) / 1e3) << " ms at "
            << VEX::ShortestNumber(std::round(frequency)) << " Hz";
    }
    out << '\n';
}

} // namespace Nerolith::Cli

#include "ChannelList.h"

#include <regex>
#include <stdexcept>

namespace Nerolith::Cli {
namespace {

const std::regex& ListPattern()
{
    static const std::regex pattern(R"(^\d{1,9}(-\d{1,9})?(,\d{1,9}(-\d{1,9})?)*$)");
    return pattern;
}

} // namespace

bool IsChannelList(const std::string& text) { return text == "all" || std::regex_match(text, ListPattern()); }

std::vector<std::int32_t> ParseChannelList(const std::string& option, const std::string& text,
                                           std::int32_t channelCount)
{
    const std::string about = option + " " + text + ": ";
    if (!IsChannelList(text)) {
        throw std::runtime_error(about + "expected all, or channels from 1 as 1-4 or 1,3,5-8");
    }
    // Marks rather than a list of every number in a range, so that a range
    // as long as "1-999999999" is refused at once instead of spelt out.
    std::vector<bool> named(static_cast<std::size_t>(channelCount), text == "all");
    static const std::regex item(R"((\d+)(?:-(\d+))?)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), item); it != std::sregex_iterator(); ++it) {
        const long first = std::stol((*it)[1]);
        const long last = (*it)[2].matched ? std::stol((*it)[2]) : first;
        if (first < 1 || last < first) {
            throw std::runtime_error(about + "expected all, or channels from 1 as 1-4 or 1,3,5-8");
        }
        if (last > channelCount) {
            throw std::runtime_error(about + "the recording has " + std::to_string(channelCount) + " channel(s)");
        }
        for (long channel = first; channel <= last; ++channel) {
            named[static_cast<std::size_t>(channel - 1)] = true;
        }
    }
    std::vector<std::int32_t> channels;
    for (std::int32_t channel = 0; channel < channelCount; ++channel) {
        if (named[static_cast<std::size_t>(channel)]) {
            channels.push_back(channel);
        }
    }
    return channels;
}

} // namespace Nerolith::Cli

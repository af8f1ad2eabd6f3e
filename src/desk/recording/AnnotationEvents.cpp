#include "desk/recording/AnnotationEvents.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

namespace Desk {
namespace {

std::string_view Trim(std::string_view text)
{
    constexpr std::string_view kSpace = " \t\r\n";
    const auto first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

std::optional<EventMark> MarkAt(std::int64_t onset, const std::vector<BlockSpan>& blocks)
{
    const auto after = std::upper_bound(blocks.begin(), blocks.end(), onset,
                                        [](std::int64_t time, const BlockSpan& block) { return time < block.start; });
    if (after == blocks.begin()) {
        return std::nullopt;
    }
    const BlockSpan& block = *(after - 1);
    const std::int64_t offset = onset - block.start;
    if (offset >= block.duration || block.ticks <= 0) {
        return std::nullopt;
    }
    const double ticks = std::round(static_cast<double>(offset) * block.ticks / static_cast<double>(block.duration));
    const auto tick = std::min(static_cast<std::int32_t>(ticks), block.ticks - 1);
    return EventMark{static_cast<std::int32_t>(after - 1 - blocks.begin()), tick};
}

} // namespace

std::vector<RecordedEvents> EventsFromAnnotations(const std::vector<TimedAnnotation>& annotations,
                                                  const std::vector<BlockSpan>& blocks)
{
    std::vector<std::string> names;
    std::vector<RecordedEvents> sources;
    for (const TimedAnnotation& annotation : annotations) {
        const std::string_view name = Trim(annotation.text);
        const auto mark = MarkAt(annotation.onset, blocks);
        if (name.empty() || !mark) {
            continue;
        }
        auto found = std::find(names.begin(), names.end(), name);
        if (found == names.end()) {
            names.emplace_back(name);
            sources.push_back({VEX::String::FromUtf8(name), {}});
            found = names.end() - 1;
        }
        sources[static_cast<std::size_t>(found - names.begin())].marks.push_back(*mark);
    }
    for (RecordedEvents& source : sources) {
        std::stable_sort(source.marks.begin(), source.marks.end(), [](const EventMark& a, const EventMark& b) {
            return a.block != b.block ? a.block < b.block : a.tick < b.tick;
        });
    }
    return sources;
}

} // namespace Desk

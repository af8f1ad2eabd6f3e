#include "desk/recording/RawSidecar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <set>

#include <nlohmann/json.hpp>

namespace Desk {
namespace {

using Json = nlohmann::json;

constexpr std::int64_t kMaxChannels = 16384;
constexpr double kMinSampleRate = 1e-3;
constexpr double kMaxSampleRate = 1e8;
constexpr std::int64_t kMaxTicks = std::numeric_limits<std::int32_t>::max();

// A JSON value as a message shows it: whole when short.
std::string Shown(const Json& value)
{
    constexpr std::size_t kLongest = 60;
    std::string text = value.dump();
    if (text.size() > kLongest) {
        text = text.substr(0, kLongest) + "...";
    }
    return text;
}

std::string Decimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

// Reads fields of the sidecar, failing with the sidecar's path and the
// field's name.
class SidecarFields {
public:
    explicit SidecarFields(const std::string& path) : path_(path) {}

    [[noreturn]] void Fail(const std::string& fault) const { throw RecordingError(path_ + ": " + fault); }

    const Json& Required(const Json& object, const char* key, const std::string& where) const
    {
        const auto found = object.find(key);
        if (found == object.end()) {
            Fail(where + "\"" + key + "\" is missing");
        }
        return *found;
    }

    std::int64_t Integer(const Json& value, const std::string& name, std::int64_t min, std::int64_t max) const
    {
        if (!value.is_number_integer()) {
            Fail(name + " must be a whole number, not " + Shown(value));
        }
        const bool huge = value.is_number_unsigned()
            && value.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
        if (huge || value.get<std::int64_t>() > max || value.get<std::int64_t>() < min) {
            Fail(name + " is " + Shown(value) + "; it must be between " + std::to_string(min) + " and "
                 + std::to_string(max));
        }
        return value.get<std::int64_t>();
    }

    double Number(const Json& value, const std::string& name) const
    {
        if (!value.is_number() || !std::isfinite(value.get<double>())) {
            Fail(name + " must be a number, not " + Shown(value));
        }
        return value.get<double>();
    }

    std::string Text(const Json& value, const std::string& name) const
    {
        if (!value.is_string()) {
            Fail(name + " must be a string, not " + Shown(value));
        }
        return value.get<std::string>();
    }

    const Json& Array(const Json& value, const std::string& name) const
    {
        if (!value.is_array()) {
            Fail(name + " must be a list, not " + Shown(value));
        }
        return value;
    }

    const Json& PerChannel(const Json& value, const std::string& name, std::int32_t channels) const
    {
        Array(value, name);
        if (value.size() != static_cast<std::size_t>(channels)) {
            Fail(name + " has " + std::to_string(value.size()) + " entries for " + std::to_string(channels)
                 + " channels");
        }
        return value;
    }

private:
    const std::string& path_;
};

Json ParseJson(std::string_view text, const SidecarFields& fields)
{
    try {
        Json json = Json::parse(text);
        if (!json.is_object()) {
            fields.Fail("the sidecar must be a JSON object");
        }
        return json;
    } catch (const Json::exception& error) {
        std::string what = error.what();
        what.erase(0, what.find(']') + 2); // nlohmann's "[json.exception...] " tag
        fields.Fail("not valid JSON: " + what);
    }
}

RawSampleType ReadType(const Json& sidecar, const SidecarFields& fields)
{
    const std::string type = fields.Text(fields.Required(sidecar, "dtype", ""), "\"dtype\"");
    if (type == "float32") {
        return RawSampleType::Float32;
    }
    if (type == "int16") {
        return RawSampleType::Int16;
    }
    fields.Fail("\"dtype\" is \"" + type + "\"; it must be \"float32\" or \"int16\"");
}

std::vector<double> ReadScaling(const Json& sidecar, const char* key, double fallback, std::int32_t channels,
                                const SidecarFields& fields)
{
    const std::string name = std::string("\"") + key + "\"";
    const auto found = sidecar.find(key);
    if (found == sidecar.end()) {
        return std::vector<double>(static_cast<std::size_t>(channels), fallback);
    }
    if (found->is_number()) {
        return std::vector<double>(static_cast<std::size_t>(channels), fields.Number(*found, name));
    }
    std::vector<double> values;
    for (const Json& value : fields.PerChannel(*found, name, channels)) {
        values.push_back(fields.Number(value, name + " entry " + std::to_string(values.size() + 1)));
    }
    return values;
}

std::vector<VEX::String> ReadTexts(const Json& sidecar, const char* key, const std::string& fallbackPrefix,
                                   std::int32_t channels, const SidecarFields& fields)
{
    const std::string name = std::string("\"") + key + "\"";
    std::vector<VEX::String> texts;
    const auto found = sidecar.find(key);
    if (found == sidecar.end()) {
        for (std::int32_t i = 1; i <= channels; ++i) {
            texts.push_back(VEX::String::FromUtf8(fallbackPrefix.empty() ? "" : fallbackPrefix + std::to_string(i)));
        }
        return texts;
    }
    for (const Json& value : fields.PerChannel(*found, name, channels)) {
        texts.push_back(VEX::String::FromUtf8(fields.Text(value, name + " entry " + std::to_string(texts.size() + 1))));
    }
    return texts;
}

// Blocks must follow one another in time, so that a time in the recording
// names one place in it.
std::vector<RawBlock> ReadBlocks(const Json& list, double sampleRate, const SidecarFields& fields)
{
    if (fields.Array(list, "\"blocks\"").empty()) {
        fields.Fail("\"blocks\" is empty");
    }
    std::vector<RawBlock> blocks;
    double previousEnd = 0;
    for (const Json& entry : list) {
        const std::string where = "block " + std::to_string(blocks.size()) + ": ";
        if (!entry.is_object()) {
            fields.Fail(where + "must be an object with \"ticks\" and \"start_time\", not " + Shown(entry));
        }
        RawBlock block;
        block.ticks = static_cast<std::int32_t>(
            fields.Integer(fields.Required(entry, "ticks", where), where + "\"ticks\"", 1, kMaxTicks));
        const auto start = entry.find("start_time");
        block.startTime = start == entry.end() ? previousEnd : fields.Number(*start, where + "\"start_time\"");
        const double halfTick = 0.5 / sampleRate;
        if (block.startTime < 0 || block.startTime + halfTick < previousEnd) {
            fields.Fail(where + "it starts at " + Decimal(block.startTime) + " s, "
                        + (blocks.empty() ? "before 0 s" : "before the block ahead of it ends"));
        }
        previousEnd = block.startTime + block.ticks / sampleRate;
        blocks.push_back(block);
    }
    return blocks;
}

std::vector<RecordedEvents> ReadEvents(const Json& list, const SidecarFields& fields)
{
    std::vector<RecordedEvents> sources;
    std::set<std::string> names;
    for (const Json& entry : fields.Array(list, "\"events\"")) {
        const std::string where = "event source " + std::to_string(sources.size() + 1) + ": ";
        if (!entry.is_object()) {
            fields.Fail(where + "must be an object with \"name\" and \"events\", not " + Shown(entry));
        }
        const std::string name = fields.Text(fields.Required(entry, "name", where), where + "\"name\"");
        if (name.empty() || !names.insert(name).second) {
            fields.Fail(where + (name.empty() ? "its name is empty" : "the name \"" + name + "\" is used twice"));
        }
        RecordedEvents source{VEX::String::FromUtf8(name), {}};
        const std::string what = "event source \"" + name + "\"";
        for (const Json& mark : fields.Array(fields.Required(entry, "events", where), what + ": \"events\"")) {
            const std::string at = what + ", event " + std::to_string(source.marks.size() + 1);
            if (!mark.is_array() || mark.size() != 2) {
                fields.Fail(at + " must be a [block, tick] pair, not " + Shown(mark));
            }
            source.marks.push_back({static_cast<std::int32_t>(fields.Integer(mark[0], at + ": the block", 0, kMaxTicks)),
                                    static_cast<std::int32_t>(fields.Integer(mark[1], at + ": the tick", 0, kMaxTicks))});
        }
        std::stable_sort(source.marks.begin(), source.marks.end(), [](const EventMark& a, const EventMark& b) {
            return a.block != b.block ? a.block < b.block : a.tick < b.tick;
        });
        sources.push_back(std::move(source));
    }
    return sources;
}

} // namespace

RawSidecar ParseRawSidecar(std::string_view json, const std::string& sidecarPath)
{
    const SidecarFields fields(sidecarPath);
    const Json sidecar = ParseJson(json, fields);
    RawSidecar result;
    const std::string file = fields.Text(fields.Required(sidecar, "file", ""), "\"file\"");
    if (file.empty()) {
        fields.Fail("\"file\" is empty");
    }
    result.dataFile = std::filesystem::path(sidecarPath).parent_path() / file;
    result.type = ReadType(sidecar, fields);
    result.channels = static_cast<std::int32_t>(
        fields.Integer(fields.Required(sidecar, "channels", ""), "\"channels\"", 1, kMaxChannels));
    result.sampleRate = fields.Number(fields.Required(sidecar, "sample_rate", ""), "\"sample_rate\"");
    if (result.sampleRate < kMinSampleRate || result.sampleRate > kMaxSampleRate) {
        fields.Fail("\"sample_rate\" is " + Decimal(result.sampleRate) + " Hz; it must be between 0.001 and 1e8");
    }
    result.gain = ReadScaling(sidecar, "gain", 1.0, result.channels, fields);
    result.offset = ReadScaling(sidecar, "offset", 0.0, result.channels, fields);
    if (std::find(result.gain.begin(), result.gain.end(), 0.0) != result.gain.end()) {
        fields.Fail("a \"gain\" of 0 would make every sample the same");
    }
    result.titles = ReadTexts(sidecar, "channel_titles", "Channel ", result.channels, fields);
    result.units = ReadTexts(sidecar, "channel_units", "", result.channels, fields);
    if (const auto blocks = sidecar.find("blocks"); blocks != sidecar.end()) {
        result.blocks = ReadBlocks(*blocks, result.sampleRate, fields);
    }
    if (const auto events = sidecar.find("events"); events != sidecar.end()) {
        result.events = ReadEvents(*events, fields);
    }
    return result;
}

void FitRawSidecarToData(RawSidecar& sidecar, std::uint64_t dataFileSize, const std::string& sidecarPath)
{
    const SidecarFields fields(sidecarPath);
    const std::string dataName = "the data file " + sidecar.dataFile.string();
    const auto frameBytes = static_cast<std::uint64_t>(sidecar.channels) * sidecar.BytesPerSample();
    if (sidecar.blocks.empty()) {
        const std::uint64_t ticks = dataFileSize / frameBytes;
        if (ticks == 0 || dataFileSize % frameBytes != 0 || ticks > static_cast<std::uint64_t>(kMaxTicks)) {
            fields.Fail(dataName + " holds " + std::to_string(dataFileSize) + " bytes, which is not a whole number of "
                        + std::to_string(frameBytes) + "-byte sample frames between 1 and "
                        + std::to_string(kMaxTicks) + " (give \"blocks\" for a longer recording)");
        }
        sidecar.blocks.push_back({static_cast<std::int32_t>(ticks), 0.0, 0});
    }
    std::uint64_t needed = 0;
    for (RawBlock& block : sidecar.blocks) {
        block.byteOffset = needed;
        std::uint64_t blockBytes = 0;
        if (__builtin_mul_overflow(static_cast<std::uint64_t>(block.ticks), frameBytes, &blockBytes)
            || __builtin_add_overflow(needed, blockBytes, &needed)) {
            fields.Fail("the blocks hold more samples than any file can (their byte count overflows)");
        }
    }
    if (dataFileSize < needed) {
        fields.Fail(dataName + " holds " + std::to_string(dataFileSize) + " bytes, but the blocks need "
                    + std::to_string(needed));
    }
    for (const RecordedEvents& source : sidecar.events) {
        for (const EventMark& mark : source.marks) {
            const std::string at = "event source \"" + source.name.ToUtf8() + "\": the event at block "
                + std::to_string(mark.block) + ", tick " + std::to_string(mark.tick);
            if (mark.block >= static_cast<std::int32_t>(sidecar.blocks.size())) {
                fields.Fail(at + " lies past the last block (there are " + std::to_string(sidecar.blocks.size())
                            + ")");
            }
            if (mark.tick >= sidecar.blocks[static_cast<std::size_t>(mark.block)].ticks) {
                fields.Fail(at + " lies past the end of that block ("
                            + std::to_string(sidecar.blocks[static_cast<std::size_t>(mark.block)].ticks) + " ticks)");
            }
        }
    }
}

} // namespace Desk

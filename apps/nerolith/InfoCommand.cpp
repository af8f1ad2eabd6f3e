#include "InfoCommand.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "desk/runtime/OpenRecording.h"
#include "platform/text/ShortestNumber.h"

namespace Nerolith::Cli {
namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// An EDF or BDF file's kind as its header's reserved field gives it
// ("EDF+C", "EDF+D", "BDF+C", ...), plain "EDF"/"BDF" when it is empty.
std::string EdfFormat(const std::string& path, const std::string& family)
{
    std::ifstream in(path, std::ios::binary);
    std::string reserved(44, ' ');
    in.seekg(192);
    in.read(reserved.data(), static_cast<std::streamsize>(reserved.size()));
    const std::string kind = reserved.substr(0, 5);
    return in && (kind == "EDF+C" || kind == "EDF+D" || kind == "BDF+C" || kind == "BDF+D") ? kind : family;
}

std::string RawFormat(const std::string& path)
{
    std::ifstream in(path);
    try {
        const nlohmann::json sidecar = nlohmann::json::parse(in);
        return "raw " + sidecar.value("dtype", std::string("?")) + " with JSON sidecar";
    } catch (const nlohmann::json::exception&) {
        return "raw with JSON sidecar";
    }
}

std::string FormatOf(const Desk::Recording& recording)
{
    const std::string source = recording.Source();
    const std::string extension = Lower(std::filesystem::path(source).extension().string());
    if (source == "demo") {
        return "demo (built in)";
    }
    if (extension == ".edf" || extension == ".bdf") {
        return EdfFormat(source, extension == ".edf" ? "EDF" : "BDF");
    }
    return RawFormat(source);
}

double BlockDuration(const Desk::Recording& recording, std::int32_t block)
{
    double seconds = 0.0;
    for (std::int32_t channel = 0; channel < recording.ChannelCount(); ++channel) {
        seconds = std::max(seconds, recording.Ticks(channel, block) * recording.SampleInterval(channel, block));
    }
    return seconds;
}

nlohmann::ordered_json ChannelInfo(const Desk::Recording& recording, std::int32_t channel)
{
    nlohmann::ordered_json ticks = nlohmann::ordered_json::array();
    for (std::int32_t block = 0; block < recording.BlockCount(); ++block) {
        ticks.push_back(recording.Ticks(channel, block));
    }
    const double rate = recording.BlockCount() > 0 ? 1.0 / recording.SampleInterval(channel, 0) : 0.0;
    return {{"number", channel + 1},
            {"title", recording.ChannelTitle(channel).ToUtf8()},
            {"unit", recording.ChannelUnit(channel).ToUtf8()},
            {"rate_hz", rate},
            {"ticks", ticks}};
}

std::string Joined(const nlohmann::ordered_json& values)
{
    std::string text;
    for (const auto& value : values) {
        if (!text.empty()) {
            text += ',';
        }
        text += std::to_string(value.get<std::int64_t>());
    }
    return text;
}

void PrintText(const nlohmann::ordered_json& info, std::ostream& out)
{
    out << "recording\t" << info["recording"].get<std::string>() << '\n';
    out << "format\t" << info["format"].get<std::string>() << '\n';
    out << "channels\t" << info["channels"].size() << '\n';
    for (const auto& channel : info["channels"]) {
        out << "channel " << channel["number"] << '\t' << channel["title"].get<std::string>() << '\t'
            << channel["unit"].get<std::string>() << '\t' << VEX::ShortestNumber(channel["rate_hz"].get<double>())
            << " Hz\tticks " << Joined(channel["ticks"]) << '\n';
    }
    out << "blocks\t" << info["blocks"].size() << '\n';
    for (const auto& block : info["blocks"]) {
        out << "block " << block["number"] << "\tstart " << VEX::ShortestNumber(block["start_s"].get<double>())
            << " s\t" << VEX::ShortestNumber(block["duration_s"].get<double>()) << " s\n";
    }
    out << "event sources\t" << info["event_sources"].size() << '\n';
    for (const auto& source : info["event_sources"]) {
        out << "source\t" << source["name"].get<std::string>() << '\t' << source["count"] << '\n';
    }
}

} // namespace

nlohmann::ordered_json RecordingInfo(const Desk::Recording& recording)
{
    nlohmann::ordered_json channels = nlohmann::ordered_json::array();
    for (std::int32_t channel = 0; channel < recording.ChannelCount(); ++channel) {
        channels.push_back(ChannelInfo(recording, channel));
    }
    nlohmann::ordered_json blocks = nlohmann::ordered_json::array();
    for (std::int32_t block = 0; block < recording.BlockCount(); ++block) {
        blocks.push_back(
            {{"number", block + 1}, {"start_s", recording.BlockStartTime(block)}, {"duration_s", BlockDuration(recording, block)}});
    }
    nlohmann::ordered_json sources = nlohmann::ordered_json::array();
    for (const Desk::RecordedEvents& events : recording.Events()) {
        sources.push_back({{"name", events.name.ToUtf8()}, {"count", events.marks.size()}});
    }
    return {{"recording", recording.Source()},
            {"format", FormatOf(recording)},
            {"channels", channels},
            {"blocks", blocks},
            {"event_sources", sources}};
}

void AddInfoCommand(CLI::App& app, std::function<void(std::function<void()>)> guarded)
{
    auto* command = app.add_subcommand("info", "Describe a recording: format, channels, blocks, event sources");
    auto recording = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    command->add_option("RECORDING", *recording, "A raw sidecar .json, an .edf/.bdf file, or demo")->required();
    command->add_flag("--json", *json, "Print JSON instead of text");
    command->callback([recording, json, guarded] {
        guarded([&] {
            const nlohmann::ordered_json info = RecordingInfo(*Desk::OpenRecording(*recording));
            if (*json) {
                std::cout << info.dump(2) << '\n';
            } else {
                PrintText(info, std::cout);
            }
        });
    });
}

} // namespace Nerolith::Cli

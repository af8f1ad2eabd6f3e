#include "SettingsCommands.h"

#include <array>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "JsonFields.h"
#include "desk/document/DocumentFile.h"
#include "desk/document/ModuleSettings.h"
#include "desk/recording/EmptyRecording.h"
#include "desk/runtime/DrawingLoader.h"
#include "desk/runtime/Session.h"
#include "platform/com/BinStream.h"
#include "platform/com/MemoryStream.h"

namespace Nerolith::Cli {
namespace {

using nlohmann::json;

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(path + ": cannot open");
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsSqlite(const std::vector<std::uint8_t>& bytes)
{
    static constexpr char kMagic[] = "SQLite format 3";
    return bytes.size() >= sizeof kMagic && std::memcmp(bytes.data(), kMagic, sizeof kMagic) == 0;
}

// The settings version: the first word after the stream header, read as
// the module reads it.
std::uint32_t StreamVersion(const std::vector<std::uint8_t>& bytes, const std::string& path)
{
    auto stream = MakeCom<MemoryStream>(bytes);
    VEX::BinIStream in(stream.Get());
    std::uint32_t version = 0;
    in.ReadUInt32(version);
    if (!in.Good()) {
        throw std::runtime_error(path + ": too short for a settings stream");
    }
    return version;
}

std::uint32_t WrittenVersion(ISpikeDocInterface& analysis)
{
    Host::DocumentSettings settings;
    analysis.GetDocumentSettings(&settings);
    return settings.settingsVersion;
}

// A document over a recording with `channels` channels and no data.
std::unique_ptr<Desk::Session> SettingsSession(std::int32_t channels)
{
    Desk::DrawingLoader::Load();
    return Desk::Session::Over(std::make_unique<Desk::EmptyRecording>(channels), MakeCom<Desk::HostServices>());
}

// Enough channels for every channel the settings name.
std::int32_t ChannelsNamedIn(const json& value)
{
    std::int32_t highest = JsonFields::IntegerOr(value, "sourceChannel", std::int32_t{0});
    for (const char* list : {"channels", "units", "handAssignments"}) {
        for (const json& item : value.value(list, json::array())) {
            highest = std::max(highest, JsonFields::IntegerOr(item, "channel", std::int32_t{0}));
        }
    }
    if (highest < 0 || highest >= 65536) {
        throw std::runtime_error("channel " + std::to_string(highest) + " is out of range");
    }
    return highest + 1;
}

ComPtr<IPersistStreamInit> Persistence(Desk::Session& session)
{
    ComPtr<IPersistStreamInit> persistence = session.ModuleDocument().As<IPersistStreamInit>();
    if (!persistence) {
        throw std::runtime_error("the analysis document cannot load or save settings");
    }
    return persistence;
}

json PositionJson(Host::Position position) { return {{"tick", position.tick}, {"block", position.block}}; }

Host::Position PositionFrom(const json& value)
{
    return {JsonFields::Integer<std::int32_t>(value, "tick"), JsonFields::Integer<std::int32_t>(value, "block")};
}

json RecordJson(const Host::ChannelAnalysisRecord& record)
{
    return {{"channel", record.channel},
            {"useSelection", record.useSelection},
            {"detectionThreshold", record.detectionThreshold},
            {"pretriggerTime", record.pretriggerTime},
            {"totalTriggerTime", record.totalTriggerTime},
            {"signalMode", record.signalMode},
            {"analyzed", record.analyzed},
            {"rangeStart", PositionJson(record.rangeStart)},
            {"rangeEnd", PositionJson(record.rangeEnd)},
            {"discriminationMode", record.discriminationMode},
            {"optionFlag", record.optionFlag},
            {"optionValue1", record.optionValue1},
            {"defaultFitTolerance", record.defaultFitTolerance},
            {"stimulusSource", record.stimulusSource.ToUtf8()},
            {"referenceSource", record.referenceSource.ToUtf8()}};
}

Host::ChannelAnalysisRecord RecordFrom(const json& value)
{
    Host::ChannelAnalysisRecord record;
    record.channel = JsonFields::Integer<std::int32_t>(value, "channel");
    record.useSelection = value.value("useSelection", record.useSelection);
    record.detectionThreshold = JsonFields::NumberOr(value, "detectionThreshold", record.detectionThreshold);
    record.pretriggerTime = JsonFields::NumberOr(value, "pretriggerTime", record.pretriggerTime);
    record.totalTriggerTime = JsonFields::NumberOr(value, "totalTriggerTime", record.totalTriggerTime);
    record.signalMode = JsonFields::IntegerOr(value, "signalMode", record.signalMode);
    record.analyzed = value.value("analyzed", record.analyzed);
    if (value.contains("rangeStart")) {
        record.rangeStart = PositionFrom(value.at("rangeStart"));
    }
    if (value.contains("rangeEnd")) {
        record.rangeEnd = PositionFrom(value.at("rangeEnd"));
    }
    record.discriminationMode = JsonFields::IntegerOr(value, "discriminationMode", record.discriminationMode);
    record.optionFlag = value.value("optionFlag", record.optionFlag);
    record.optionValue1 = JsonFields::NumberOr(value, "optionValue1", record.optionValue1);
    record.defaultFitTolerance = JsonFields::NumberOr(value, "defaultFitTolerance", record.defaultFitTolerance);
    record.stimulusSource = VEX::String::FromUtf8(value.value("stimulusSource", std::string()));
    record.referenceSource = VEX::String::FromUtf8(value.value("referenceSource", std::string()));
    return record;
}

json UnitJson(const Host::UnitDescription& unit)
{
    return {{"kind", unit.kind},
            {"number", unit.number},
            {"name", unit.name.ToUtf8()},
            {"channel", unit.channel},
            {"colour", unit.colour},
            {"sourceBlock", unit.sourceBlock},
            {"sourceTick", unit.sourceTick},
            {"fitTolerance", unit.fitTolerance},
            {"widths", unit.widths},
            {"heights", unit.heights}};
}

Host::UnitDescription UnitFrom(const json& value)
{
    Host::UnitDescription unit;
    unit.kind = JsonFields::Integer<std::int32_t>(value, "kind");
    unit.number = JsonFields::Integer<std::int32_t>(value, "number");
    unit.name = VEX::String::FromUtf8(value.value("name", std::string()));
    unit.channel = JsonFields::Integer<std::int32_t>(value, "channel");
    unit.colour = JsonFields::IntegerOr(value, "colour", 0u);
    unit.sourceBlock = JsonFields::IntegerOr(value, "sourceBlock", unit.sourceBlock);
    unit.sourceTick = JsonFields::IntegerOr(value, "sourceTick", unit.sourceTick);
    unit.fitTolerance = JsonFields::NumberOr(value, "fitTolerance", 0.0);
    unit.widths = value.value("widths", std::vector<double>());
    unit.heights = value.value("heights", std::vector<double>());
    return unit;
}

json AssignmentJson(const Host::HandAssignment& assignment)
{
    return {{"unit", assignment.unit},         {"block", assignment.block},
            {"tick", assignment.tick},         {"channel", assignment.channel},
            {"tolerance", assignment.tolerance}, {"spikeIndex", assignment.spikeIndex}};
}

Host::HandAssignment AssignmentFrom(const json& value)
{
    Host::HandAssignment assignment;
    assignment.unit = JsonFields::Integer<std::int32_t>(value, "unit");
    assignment.block = JsonFields::Integer<std::int32_t>(value, "block");
    assignment.tick = JsonFields::Integer<std::int32_t>(value, "tick");
    assignment.channel = JsonFields::Integer<std::int32_t>(value, "channel");
    assignment.tolerance = JsonFields::IntegerOr(value, "tolerance", std::int32_t{0});
    assignment.spikeIndex = JsonFields::IntegerOr(value, "spikeIndex", std::int32_t{-1});
    return assignment;
}

// The fields of the quality extension, by the names a JSON file gives them.
constexpr std::array<std::pair<const char*, double Host::QualitySettings::*>, 7> kQualityFields{{
    {"refractoryMs", &Host::QualitySettings::refractoryMs},
    {"presenceBinS", &Host::QualitySettings::presenceBinS},
    {"maxRefractoryFraction", &Host::QualitySettings::maxRefractoryFraction},
    {"minIsolationDistance", &Host::QualitySettings::minIsolationDistance},
    {"maxLRatio", &Host::QualitySettings::maxLRatio},
    {"minSnr", &Host::QualitySettings::minSnr},
    {"minPresence", &Host::QualitySettings::minPresence},
}};

json QualityJson(const Host::QualitySettings& quality)
{
    json result = json::object();
    for (const auto& [name, field] : kQualityFields) {
        result[name] = quality.*field;
    }
    return result;
}

Host::QualitySettings QualityFrom(const json& value)
{
    Host::QualitySettings quality;
    for (const auto& [name, field] : kQualityFields) {
        quality.*field = JsonFields::NumberOr(value, name, quality.*field);
    }
    return quality;
}

json SettingsJson(ISpikeDocInterface& analysis, std::uint32_t version)
{
    Host::DocumentSettings settings;
    analysis.GetDocumentSettings(&settings);
    json result = {{"version", version},
                   {"showSpikeMarkers", settings.showSpikeMarkers},
                   {"analyzeWhileSampling", settings.analyzeWhileSampling},
                   {"sourceChannel", settings.sourceChannel},
                   {"channels", json::array()},
                   {"units", json::array()},
                   {"handAssignments", json::array()}};
    std::vector<std::int32_t> channels;
    analysis.GetChannelKeys(&channels);
    for (const std::int32_t channel : channels) {
        Host::ChannelAnalysisRecord record;
        analysis.GetChannelRecord(channel, &record);
        result["channels"].push_back(RecordJson(record));
    }
    std::vector<Host::UnitDescription> units;
    analysis.GetUnits(&units);
    for (const Host::UnitDescription& unit : units) {
        result["units"].push_back(UnitJson(unit));
    }
    std::vector<Host::HandAssignment> assignments;
    analysis.GetHandAssignments(&assignments);
    for (const Host::HandAssignment& assignment : assignments) {
        result["handAssignments"].push_back(AssignmentJson(assignment));
    }
    std::int32_t selected = -1;
    analysis.GetSelectedUnit(&selected);
    result["selectedUnit"] = selected;
    // Only a document that changed them holds quality settings; the dump
    // of any other stays as it was.
    if (Host::QualitySettings quality; Succeeded(analysis.GetQualitySettings(&quality)) &&
                                       quality != Host::QualitySettings{}) {
        result["quality"] = QualityJson(quality);
    }
    return result;
}

void Check(HRESULT result, const std::string& what)
{
    if (Failed(result)) {
        throw std::runtime_error(what);
    }
}

void ApplySettingsJson(ISpikeDocInterface& analysis, const json& value)
{
    Check(analysis.SetShowSpikeMarkers(value.value("showSpikeMarkers", true)), "showSpikeMarkers was refused");
    Check(analysis.SetAnalyzeWhileSampling(value.value("analyzeWhileSampling", false)),
          "analyzeWhileSampling was refused");
    for (const json& record : value.value("channels", json::array())) {
        Check(analysis.SetChannelRecord(RecordFrom(record)), "a channel record was refused");
    }
    Check(analysis.SetSourceChannel(JsonFields::IntegerOr(value, "sourceChannel", std::int32_t{0})), "sourceChannel was refused");
    for (const json& unit : value.value("units", json::array())) {
        Check(analysis.RestoreUnit(UnitFrom(unit)), "unit " + unit.value("name", std::string()) + " was refused");
    }
    for (const json& assignment : value.value("handAssignments", json::array())) {
        Check(analysis.RestoreHandAssignment(AssignmentFrom(assignment)), "a hand assignment was refused");
    }
    Check(analysis.SetSelectedUnit(JsonFields::IntegerOr(value, "selectedUnit", std::int32_t{-1})), "selectedUnit was refused");
    if (value.contains("quality")) {
        Check(analysis.SetQualitySettings(QualityFrom(value["quality"])), "the quality settings were refused");
    }
}

void Dump(const std::string& path)
{
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    if (bytes.empty()) {
        // What a first save cut short before it wrote a page leaves.
        throw std::runtime_error(path + ": no saved analysis");
    }
    if (IsSqlite(bytes)) {
        bytes = Desk::DocumentFile(path).Open().moduleSettings;
    }
    const std::uint32_t version = StreamVersion(bytes, path);
    auto session = SettingsSession(0);
    if (version > WrittenVersion(session->Analysis())) {
        throw std::runtime_error(path + ": settings version " + std::to_string(version) +
                                 " is from a later version of Nerolith");
    }
    Desk::LoadSettings(Persistence(*session).Get(), bytes);
    std::cout << SettingsJson(session->Analysis(), version).dump(2) << '\n';
}

void Encode(const std::string& jsonPath, const std::string& outPath)
{
    std::ifstream in(jsonPath);
    if (!in) {
        throw std::runtime_error(jsonPath + ": cannot open");
    }
    std::unique_ptr<Desk::Session> session;
    try {
        const json settings = json::parse(in);
        session = SettingsSession(ChannelsNamedIn(settings));
        ApplySettingsJson(session->Analysis(), settings);
    } catch (const json::exception& error) {
        throw std::runtime_error(jsonPath + ": " + error.what());
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(jsonPath + ": " + error.what());
    }
    const std::vector<std::uint8_t> bytes = Desk::SaveSettings(Persistence(*session).Get(), false);
    std::ofstream out(outPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error(outPath + ": cannot write");
    }
}

} // namespace

void AddSettingsCommands(CLI::App& app, std::function<void(std::function<void()>)> guarded)
{
    auto* settings = app.add_subcommand("settings", "Read or write the module's settings stream");
    settings->require_subcommand(1);
    auto* dump = settings->add_subcommand("dump", "A document or a raw settings stream as JSON");
    auto dumpPath = std::make_shared<std::string>();
    dump->add_option("FILE", *dumpPath, "A document or a raw settings stream")->required();
    dump->callback([guarded, dumpPath] { guarded([&] { Dump(*dumpPath); }); });

    auto* encode = settings->add_subcommand("encode", "JSON (as dump writes it) to a raw settings stream");
    auto jsonPath = std::make_shared<std::string>();
    auto outPath = std::make_shared<std::string>();
    encode->add_option("JSON", *jsonPath, "The settings as JSON")->required();
    encode->add_option("-o", *outPath, "The settings stream to write")->required();
    encode->callback([guarded, jsonPath, outPath] { guarded([&] { Encode(*jsonPath, *outPath); }); });
}

} // namespace Nerolith::Cli

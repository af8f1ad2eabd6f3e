#include "AnalysisOptions.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <stdexcept>

#include "ChannelList.h"
#include "ChannelUnits.h"
#include "DiscriminatorPicture.h"
#include "FiniteNumber.h"
#include "JsonFields.h"
#include "UnitsFile.h"
#include "desk/document/DocumentFile.h"
#include "desk/runtime/DrawingLoader.h"
#include "desk/runtime/SamplingReplay.h"
#include "platform/text/ShortestNumber.h"

namespace Nerolith::Cli {
namespace {

void Check(HRESULT result, const std::string& what)
{
    if (Failed(result)) {
        throw std::runtime_error(what);
    }
}

// "B:T-B:T": blocks counted from 1, ticks from 0, the end tick exclusive.
std::pair<Host::Position, Host::Position> ParseSelection(const std::string& text)
{
    static const std::regex pattern(R"(^(\d{1,9}):(\d{1,10})-(\d{1,9}):(\d{1,10})$)");
    std::smatch match;
    if (!std::regex_match(text, match, pattern)) {
        throw std::runtime_error("--selection " + text + ": expected BLOCK:TICK-BLOCK:TICK");
    }
    const auto number = [&match, &text](int group) {
        const long long value = std::stoll(match[group]);
        if (value > INT32_MAX) {
            throw std::runtime_error("--selection " + text + ": " + match[group].str() + " is too large");
        }
        return static_cast<std::int32_t>(value);
    };
    const Host::Position start{number(2), number(1) - 1};
    const Host::Position end{number(4), number(3) - 1};
    if (start.block < 0 || end.block < 0 || end < start) {
        throw std::runtime_error("--selection " + text + ": blocks count from 1 and the end may not come first");
    }
    return {start, end};
}

void ApplySelection(Desk::Session& session, std::int32_t channel, const std::string& text)
{
    const auto [start, end] = ParseSelection(text);
    Desk::HostRecording& layout = session.Host().Layout();
    if (Failed(layout.ValidatePosition(channel, start)) || Failed(layout.ValidatePosition(channel, end))) {
        throw std::runtime_error("--selection " + text + ": outside the recording");
    }
    session.Host().Selection().SetSelection(channel, start, end, -32000.0, 32000.0);
}

nlohmann::json ReadJson(const std::string& path)
{
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error(path + ": cannot open");
    }
    try {
        return nlohmann::json::parse(in);
    } catch (const nlohmann::json::exception& error) {
        throw std::runtime_error(path + ": " + error.what());
    }
}

// A template's own tolerance, else the channel's default (which
// --fit-tolerance sets).
double FitTolerance(ISpikeDocInterface& analysis, std::int32_t channel, const UnitRequest& unit)
{
    if (unit.fitTolerance) {
        return *unit.fitTolerance;
    }
    Host::ChannelAnalysisRecord record;
    analysis.GetChannelRecord(channel, &record);
    return record.defaultFitTolerance;
}

void CreateUnit(Desk::Session& session, const UnitRequest& unit, const std::string& file)
{
    ISpikeDocInterface& analysis = session.Analysis();
    Host::DocumentSettings settings;
    analysis.GetDocumentSettings(&settings);
    std::int32_t number = 0;
    if (unit.kind == UnitRequest::Kind::Contour) {
        Check(analysis.CreateContourUnit(settings.sourceChannel, unit.widths, unit.heights,
                                         VEX::String::FromUtf8(unit.name), &number),
              file + ": the contour unit could not be created");
        return;
    }
    if (unit.spike < 1 || unit.spike > analysis.SpikeCount()) {
        throw std::runtime_error(file + ": template spike " + std::to_string(unit.spike) + " does not exist (" +
                                 std::to_string(analysis.SpikeCount()) + " spikes)");
    }
    Check(analysis.CreateTemplateUnit(unit.spike - 1, FitTolerance(analysis, settings.sourceChannel, unit), &number),
          file + ": the template unit could not be created");
}

void CreateUnits(Desk::Session& session, const std::string& file)
{
    std::vector<UnitRequest> units;
    try {
        units = ReadUnitsFile(ReadJson(file));
    } catch (const nlohmann::json::exception& error) {
        throw std::runtime_error(file + ": " + error.what());
    } catch (const JsonFieldError& error) {
        throw std::runtime_error(file + ": " + error.what());
    }
    for (const UnitRequest& unit : units) {
        CreateUnit(session, unit, file);
    }
}

void AssignSpike(Desk::Session& session, std::int32_t spike, std::int32_t unit, const std::string& option)
{
    if (spike < 1 || spike > session.Analysis().SpikeCount()) {
        throw std::runtime_error(option + ": spike " + std::to_string(spike) + " does not exist");
    }
    if (unit >= 0) {
        const std::vector<Host::UnitDescription> units = SourceChannelUnits(session);
        const bool exists = std::any_of(units.begin(), units.end(),
                                        [unit](const Host::UnitDescription& u) { return u.number == unit; });
        if (!exists) {
            throw std::runtime_error(option + ": unit " + std::to_string(unit + 1) +
                                     " does not exist; the channel's units: " + UnitListText(units));
        }
    }
    Check(session.Analysis().AssignSpike(spike - 1, unit), option + ": the assignment was refused");
}

void ApplyAssignments(Desk::Session& session, const UnitsOptions& options)
{
    static const std::regex pattern(R"(^(\d{1,9})=(\d{1,9})$)");
    for (const std::string& assignment : options.assignments) {
        std::smatch match;
        if (!std::regex_match(assignment, match, pattern) || std::stoi(match[2]) < 1) {
            throw std::runtime_error("--assign " + assignment + ": expected SPIKE=UNIT, both from 1");
        }
        AssignSpike(session, std::stoi(match[1]), std::stoi(match[2]) - 1, "--assign " + assignment);
    }
    for (const std::int32_t spike : options.exclusions) {
        AssignSpike(session, spike, -1, "--exclude " + std::to_string(spike));
    }
}

// Heights and widths need at least two samples in the spike window; with
// fewer every height would silently come out 0.
void CheckWindowHoldsSamples(Desk::Session& session, std::int32_t channel, double window)
{
    const Desk::Recording& data = session.Host().Data();
    if (data.BlockCount() == 0) {
        return;
    }
    const double interval = data.SampleInterval(channel, 0);
    if (window < 2.0 * interval) {
        throw std::runtime_error("--window " + VEX::ShortestNumber(window) +
                                 ": the spike window holds fewer than 2 samples of channel " +
                                 std::to_string(channel + 1) + " (" + VEX::ShortestNumber(1.0 / interval) +
                                 " Hz); give --window " + VEX::ShortestNumber(2.0 * interval) + " or more");
    }
}

// One channel from 1, or what IsChannelList takes.
std::string CheckChannelOption(const std::string& text)
{
    static const std::regex single(R"(^0*[1-9]\d{0,9}$)");
    const bool list = text == "all" || text.find_first_of(",-") != std::string::npos;
    return std::regex_match(text, single) || (list && IsChannelList(text))
        ? std::string()
        : "expected a channel from 1, all, or a list as 1,3-8";
}

void ReplayOnline(Desk::Session& session)
{
    Check(session.Analysis().SetAnalyzeWhileSampling(true), "--online: cannot analyse while sampling");
    const ComPtr<IOnlineDataSink> sink = session.ModuleDocument().As<IOnlineDataSink>();
    VEX::String refusal;
    if (!sink || Failed(Desk::SamplingReplay(session.Host(), {}).Run(sink.Get(), &refusal))) {
        throw std::runtime_error("--online: " + refusal.ToUtf8());
    }
}

} // namespace

void DetectionOptions::AddTo(CLI::App& command)
{
    const auto take = [this](const std::string& text) {
        if (text == "all" || text.find_first_of(",-") != std::string::npos) {
            channels = text;
            return;
        }
        std::int32_t number = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (error != std::errc() || end != text.data() + text.size()) {
            throw CLI::ConversionError(text, "--channel");
        }
        channel = number;
    };
    command.add_option_function<std::string>("--channel", take, "Source channel, from 1 (spikes: all, or 1,3-8)")
        ->check(CLI::Validator(CheckChannelOption, "N|all|LIST"));
    command.add_option("--threshold", threshold, kThresholdHelp);
    command.add_option("--pretrigger", pretrigger, "Seconds kept before the trigger")
        ->check(FiniteNumber() & CLI::NonNegativeNumber);
    command.add_option("--window", window, "Length of the spike window in seconds")
        ->check(FiniteNumber() & CLI::NonNegativeNumber);
    command.add_option("--polarity", polarity, "positive or negative")
        ->check(CLI::IsMember({"positive", "negative"}));
    command.add_option("--measure", measure, "monophasic or biphasic")
        ->check(CLI::IsMember({"monophasic", "biphasic"}));
    command.add_option("--selection", selection, "Analyse BLOCK:TICK-BLOCK:TICK only");
    command.add_option("--fit-tolerance", fitTolerance, "Fit tolerance of new template units")
        ->check(FiniteNumber() & CLI::NonNegativeNumber);
    filter.AddTo(command);
}

void DetectionOptions::Apply(Desk::Session& session, bool online) const
{
    if (channels) {
        throw std::runtime_error("--channel " + *channels + ": only spikes analyses several channels at once");
    }
    ISpikeDocInterface& analysis = session.Analysis();
    Host::DocumentSettings settings;
    analysis.GetDocumentSettings(&settings);
    const std::int32_t index = channel ? *channel - 1 : settings.sourceChannel;
    const std::int32_t channels = session.Host().Data().ChannelCount();
    if (index >= channels) {
        throw std::runtime_error("--channel " + std::to_string(index + 1) + ": the recording has " +
                                 std::to_string(channels) + " channel(s)");
    }
    const std::string name = "channel " + std::to_string(index + 1);
    filter.Apply(session, index, online);
    const ThresholdOption level = threshold ? ThresholdOption::Parse(*threshold) : ThresholdOption{};
    Host::ChannelAnalysisRecord record;
    Check(analysis.GetChannelRecord(index, &record), "cannot read the settings of " + name);
    record.detectionThreshold = level.value.value_or(record.detectionThreshold);
    record.pretriggerTime = pretrigger.value_or(record.pretriggerTime);
    record.totalTriggerTime = window.value_or(record.totalTriggerTime);
    record.defaultFitTolerance = fitTolerance.value_or(record.defaultFitTolerance);
    if (polarity) {
        record.signalMode = *polarity == "negative" ? 1 : 0;
    }
    if (measure) {
        record.discriminationMode = *measure == "monophasic" ? 0 : 1;
    }
    if (record.totalTriggerTime <= record.pretriggerTime) {
        throw std::runtime_error("--pretrigger must be less than --window");
    }
    CheckWindowHoldsSamples(session, index, record.totalTriggerTime);
    if (selection) {
        ApplySelection(session, index, *selection);
    }
    record.useSelection = selection.has_value() || record.useSelection;
    if (level.sigmas) {
        noise = MeasureNoiseThreshold(session, index, *level.sigmas, record.signalMode == 1, record.useSelection);
        record.detectionThreshold = noise->threshold;
    }
    Check(analysis.SetChannelRecord(record), "cannot store the settings of " + name);
    Check(analysis.SetSourceChannel(index), "cannot make " + name + " the source channel");
}

void UnitsOptions::AddTo(CLI::App& command)
{
    command
        .add_option("--units", unitsFile,
                    "JSON file of units to create, or suggest: contour units around the spikes' clusters")
        ->check(CLI::Validator(
            [](std::string& text) { return text == "suggest" ? std::string() : CLI::ExistingFile(text); }, "FILE"));
    command.add_option("--assign", assignments, "Assign spike N to unit U (N=U, both from 1)");
    command.add_option("--exclude", exclusions, "Exclude spike N (from 1) from all units")->check(CLI::PositiveNumber);
}

void UnitsOptions::Apply(Desk::Session& session) const
{
    if (unitsFile == "suggest") {
        SuggestUnits(session);
        session.Analyze();
    } else if (unitsFile) {
        CreateUnits(session, *unitsFile);
        session.Analyze();
    }
    if (!assignments.empty() || !exclusions.empty()) {
        ApplyAssignments(session, *this);
        session.Analyze();
    }
}

void DocumentOptions::AddTo(CLI::App& command, bool withSave)
{
    command.add_option("--doc", path, "A saved document to start from");
    if (withSave) {
        command.add_flag("--save", save, "Save the document back into --doc")->needs("--doc");
    }
}

std::unique_ptr<Desk::Session> OpenSession(const std::string& recording, const DetectionOptions& detection,
                                           const DocumentOptions& document, bool online)
{
    Desk::DrawingLoader::Load();
    auto session = Desk::Session::OpenRecording(recording, MakeCom<Desk::HostServices>());
    // A file a cut-short first save left is no document yet: a save makes
    // it one, anything else is told there is no saved analysis.
    if (document.path && Desk::DocumentFile(*document.path).HoldsSavedAnalysis()) {
        session->LoadDocumentSettings(*document.path);
    } else if (document.path && !document.save) {
        throw std::runtime_error(*document.path + (std::filesystem::exists(*document.path)
                                                       ? ": no saved analysis"
                                                       : ": no such document"));
    }
    detection.Apply(*session, online);
    return session;
}

void RunAnalysis(Desk::Session& session, const UnitsOptions& units, const DocumentOptions& document, bool online,
                 const ViewOptions* views)
{
    if (views != nullptr) {
        views->Open(session);
    }
    if (!online || units.Any()) {
        session.Analyze();
    }
    units.Apply(session);
    if (views != nullptr) {
        views->ApplySettings(session);
    }
    if (online) {
        ReplayOnline(session);
    }
    if (views != nullptr) {
        views->ShowPages(session);
    }
    if (document.save) {
        session.Save(*document.path);
    }
}

} // namespace Nerolith::Cli

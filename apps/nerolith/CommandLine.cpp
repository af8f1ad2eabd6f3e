#include "CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AnalysisOptions.h"
#include "AnalysisReport.h"
#include "BatchRecordings.h"
#include "ChannelList.h"
#include "ChannelUnits.h"
#include "DatasheetCommand.h"
#include "DetectionNotes.h"
#include "InfoCommand.h"
#include "RecordingSummary.h"
#include "QualityOptions.h"
#include "RenderCommand.h"
#include "SettingsCommands.h"
#include "SpikeTable.h"
#include "UnitSummaryTable.h"
#include "WorkerProcesses.h"
#include "desk/demo/DemoRecording.h"
#include "desk/runtime/ChannelCopy.h"
#include "desk/runtime/DrawingLoader.h"
#include "desk/runtime/ModuleLoader.h"
#include "desk/runtime/OpenRecording.h"

namespace Nerolith::Cli {
namespace {

int gExitCode = 0;

constexpr const char* kNumbering =
    "Numbering: options count as users see things, from 1: --channel, the spike and the unit of\n"
    "--assign SPIKE=UNIT, --exclude SPIKE, --page, and the blocks of --selection (its ticks count\n"
    "from 0). Output columns count from 0, as scripts have always read them: index, block, tick and\n"
    "unit of spikes.tsv (unit -1: none); so spike N of --assign is the line with index N-1.";

// Runs a command body, turning its errors into the program's one-line
// message and exit status 1.
template <typename Body>
void Guarded(Body body)
{
    try {
        body();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nerolith: %s\n", error.what());
        gExitCode = 1;
    }
}

// The options every analysing command shares.
struct AnalysisCommand {
    std::vector<std::string> recordings;
    DetectionOptions detection;
    UnitsOptions units;
    DocumentOptions document;
    QualityOptions quality;

    // `several`: the command takes several recordings (paths or patterns).
    void AddTo(CLI::App& command, bool withSave, bool several = false)
    {
        auto* recording = command.add_option("RECORDING", recordings,
                                             several ? "Raw sidecar .json or .edf/.bdf files, patterns of them, or demo"
                                                     : "A raw sidecar .json, an .edf/.bdf file, or demo");
        recording->required()->expected(1, several ? CLI::detail::expected_max_vector_size : 1);
        detection.AddTo(command);
        units.AddTo(command);
        document.AddTo(command, withSave);
        quality.AddTo(command);
    }
    const std::string& Recording() const { return recordings.front(); }
    std::unique_ptr<Desk::Session> Run(const std::string& recording, bool online = false,
                                       const ViewOptions* views = nullptr) const
    {
        auto session = OpenSession(recording, detection, document, online);
        quality.Apply(*session);
        RunAnalysis(*session, units, document, online, views);
        return session;
    }
    std::unique_ptr<Desk::Session> Run() const { return Run(Recording()); }
};

void ExportNex(Desk::Session& session, const std::filesystem::path& path)
{
    if (Failed(session.Analysis().ExportNex(VEX::String::FromUtf8(path.string())))) {
        throw std::runtime_error(path.string() + ": cannot write the export");
    }
}

void WriteOutputs(Desk::Session& session, const std::filesystem::path& folder, const ViewOptions& views)
{
    std::filesystem::create_directories(folder);
    std::ofstream spikes(folder / "spikes.tsv");
    WriteSpikeTable(session, spikes);
    if (!spikes.flush()) {
        throw std::runtime_error((folder / "spikes.tsv").string() + ": cannot write");
    }
    WriteDataSheetFile(session, folder / "datasheet.tsv");
    ExportNex(session, folder / "export.nex");
    views.WriteOutputs(session, folder);
    std::ofstream quality(folder / "units.tsv");
    WriteUnitQualityTable(session, quality);
    if (!quality.flush()) {
        throw std::runtime_error((folder / "units.tsv").string() + ": cannot write");
    }
}

void WriteSummaryFile(const std::vector<UnitSummaryRow>& rows, const std::filesystem::path& path)
{
    std::ofstream out(path);
    WriteUnitSummaryTable(rows, out);
    if (!out.flush()) {
        throw std::runtime_error(path.string() + ": cannot write");
    }
}

// Each recording in turn; one that fails says why and the others go on.
// With several recordings and --out, each gets a folder of its own under it;
// --out also gets summary.tsv with every recording's units.
void Analyze(const AnalysisCommand& options, bool online, const std::string& out, const ViewOptions& views)
{
    const std::vector<std::string> recordings = ExpandRecordings(options.recordings);
    if (recordings.size() > 1 && options.document.path) {
        throw std::runtime_error("--doc " + *options.document.path + ": a document belongs to one recording");
    }
    const std::vector<std::filesystem::path> folders =
        recordings.size() > 1 ? ResultFolders(recordings, out) : std::vector<std::filesystem::path>{out};
    std::vector<UnitSummaryRow> rows;
    for (std::size_t i = 0; i < recordings.size(); ++i) {
        Guarded([&] {
            const auto session = options.Run(recordings[i], online, &views);
            PrintAnalysisSummary(*session, std::cout);
            PrintDetectionNotes(*session, options.detection, std::cout);
            PrintQualitySummary(*session, std::cout);
            if (!out.empty()) {
                WriteOutputs(*session, folders[i], views);
                const std::vector<UnitSummaryRow> own = UnitSummaryRows(*session, folders[i].string());
                rows.insert(rows.end(), own.begin(), own.end());
            }
        });
    }
    if (!out.empty()) {
        std::filesystem::create_directories(out);
        WriteSummaryFile(rows, std::filesystem::path(out) / "summary.tsv");
    }
}

void AddAnalyze(CLI::App& app)
{
    auto* command = app.add_subcommand("analyze", "Analyse recordings and print a summary of each");
    auto options = std::make_shared<AnalysisCommand>();
    auto online = std::make_shared<bool>(false);
    auto out = std::make_shared<std::string>();
    auto views = std::make_shared<ViewOptions>();
    options->AddTo(*command, true, true);
    views->AddTo(*command);
    command->add_flag("--online", *online, "Analyse while a replay samples the recording");
    command->add_option("--out", *out,
                        "Folder for spikes.tsv, datasheet.tsv, export.nex, the views' files and summary.tsv "
                        "(several recordings: one folder each under it)");
    command->callback([options, online, out, views] { Guarded([&] { Analyze(*options, *online, *out, *views); }); });
}

// --channel all or a list: each channel's table as "--channel N" prints it,
// one after another in channel order, worked out on every core.
void SpikesOfChannels(const AnalysisCommand& options)
{
    if (options.document.path) {
        throw std::runtime_error("--doc " + *options.document.path + ": a document has one source channel, not --channel " +
                                 *options.detection.channels);
    }
    const auto recording = Desk::OpenRecording(options.Recording());
    const std::vector<std::int32_t> channels =
        ParseChannelList("--channel", *options.detection.channels, recording->ChannelCount());
    // Loaded once here, the module comes to every worker with its process.
    Desk::DrawingLoader::Load();
    Desk::ModuleLoader::Load();
    // Each channel read on its own from an interleaved file reads the whole
    // file: copied apart, every worker reads only its channel. As many
    // channels are copied at a time as memory allows, each group's workers
    // forked once its copy is made.
    const std::size_t perCopy = channels.size() > 1 ? Desk::ChannelsToCopyAtOnce(*recording) : 0;
    const std::size_t groupSize = perCopy == 0 ? channels.size() : perCopy;
    for (std::size_t first = 0; first < channels.size(); first += groupSize) {
        const std::vector<std::int32_t> group(channels.begin() + static_cast<std::ptrdiff_t>(first),
                                              channels.begin() + static_cast<std::ptrdiff_t>(
                                                                     std::min(channels.size(), first + groupSize)));
        // A lone channel reads the file once either way.
        std::optional<Desk::ChannelCopyOffer> copy;
        if (perCopy > 0 && group.size() > 1) {
            copy.emplace(*recording, group, static_cast<unsigned>(UsableCores()));
        }
        const auto job = [&](std::size_t i) {
            // A worker runs many channels: each starts with a clean record.
            gExitCode = 0;
            AnalysisCommand one = options;
            one.detection.channels.reset();
            one.detection.channel = group[i] + 1;
            Guarded([&] { WriteSpikeTable(*one.Run(), std::cout); });
            return gExitCode;
        };
        if (!RunInWorkerProcesses(group.size(), UsableCores(), job)) {
            gExitCode = 1;
        }
    }
}

void AddSpikes(CLI::App& app)
{
    auto* command = app.add_subcommand("spikes", "Analyse a recording and list its spikes");
    auto options = std::make_shared<AnalysisCommand>();
    options->AddTo(*command, false);
    command->callback([options] {
        Guarded([&] {
            if (options->detection.channels) {
                SpikesOfChannels(*options);
            } else {
                WriteSpikeTable(*options->Run(), std::cout);
            }
        });
    });
}

void AddExportNex(CLI::App& app)
{
    auto* command = app.add_subcommand("export-nex", "Analyse a recording and export its spikes to a .nex file");
    auto options = std::make_shared<AnalysisCommand>();
    auto file = std::make_shared<std::string>();
    options->AddTo(*command, false);
    command->add_option("-o", *file, "The .nex file to write")->required();
    command->callback([options, file] {
        Guarded([&] {
            const auto session = options->Run();
            RequireUnits(*session, *file);
            ExportNex(*session, *file);
        });
    });
}

void AddSources(CLI::App& app)
{
    auto* command = app.add_subcommand("sources", "List the event sources of a recording and of its units");
    auto options = std::make_shared<AnalysisCommand>();
    options->AddTo(*command, false);
    command->callback([options] {
        Guarded([&] {
            // The units' event sources exist once an analysis made them.
            const bool analyse = options->document.path || options->units.Any();
            Desk::DrawingLoader::Load();
            const auto session = analyse ? options->Run()
                                         : Desk::Session::OpenRecording(options->Recording(),
                                                                        MakeCom<Desk::HostServices>());
            PrintEventSources(*session, std::cout, std::cerr);
        });
    });
}

void AddGenDemo(CLI::App& app)
{
    auto* command = app.add_subcommand("gen-demo", "Write the demo recording and its ground truth");
    auto folder = std::make_shared<std::string>();
    command->add_option("DIR", *folder, "Folder to write demo.json, demo.f32 and demo.truth.tsv")->required();
    command->callback([folder] { Guarded([&] { Desk::WriteDemo(*folder); }); });
}

} // namespace

void AddCommands(CLI::App& app, std::string_view first)
{
    struct Command {
        std::string_view name;
        void (*add)(CLI::App&);
    };
    static constexpr Command kCommands[] = {
        {"analyze", AddAnalyze},
        {"spikes", AddSpikes},
        {"export-nex", AddExportNex},
        {"datasheet", [](CLI::App& app) { AddDatasheetCommand(app, [](auto body) { Guarded(body); }); }},
        {"settings", [](CLI::App& app) { AddSettingsCommands(app, [](auto body) { Guarded(body); }); }},
        {"render", [](CLI::App& app) { AddRenderCommand(app, [](auto body) { Guarded(body); }); }},
        {"sources", AddSources},
        {"info", [](CLI::App& app) { AddInfoCommand(app, [](auto body) { Guarded(body); }); }},
        {"gen-demo", AddGenDemo},
    };
    app.footer(kNumbering);
    const auto named = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [first](const Command& command) { return command.name == first; });
    for (const Command& command : kCommands) {
        if (named == std::end(kCommands) || &command == named) {
            command.add(app);
        }
    }
    for (CLI::App* command : app.get_subcommands({})) {
        command->footer(kNumbering);
    }
}

int ExitCode() { return gExitCode; }

} // namespace Nerolith::Cli

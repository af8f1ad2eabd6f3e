#include "CommandLine.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "AnalysisOptions.h"
#include "AnalysisReport.h"
#include "DatasheetCommand.h"
#include "DetectionNotes.h"
#include "InfoCommand.h"
#include "RecordingSummary.h"
#include "RenderCommand.h"
#include "SettingsCommands.h"
#include "desk/demo/DemoRecording.h"
#include "desk/ui/AxisScale.h"

namespace Nerolith::Cli {
namespace {

int gExitCode = 0;

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
    std::string recording;
    DetectionOptions detection;
    UnitsOptions units;
    DocumentOptions document;

    void AddTo(CLI::App& command, bool withSave)
    {
        command.add_option("RECORDING", recording, "A raw sidecar .json, an .edf/.bdf file, or demo")->required();
        detection.AddTo(command);
        units.AddTo(command);
        document.AddTo(command, withSave);
    }
    std::unique_ptr<Desk::Session> Run(bool online = false, const ViewOptions* views = nullptr) const
    {
        auto session = OpenSession(recording, detection, document, online);
        RunAnalysis(*session, units, document, online, views);
        return session;
    }
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
    WriteSpikeTable(session.Analysis(), spikes);
    if (!spikes.flush()) {
        throw std::runtime_error((folder / "spikes.tsv").string() + ": cannot write");
    }
    WriteDataSheetFile(session, folder / "datasheet.tsv");
    ExportNex(session, folder / "export.nex");
    views.WriteOutputs(session, folder);
}

void AddAnalyze(CLI::App& app)
{
    auto* command = app.add_subcommand("analyze", "Analyse a recording and print a summary");
    auto options = std::make_shared<AnalysisCommand>();
    auto online = std::make_shared<bool>(false);
    auto out = std::make_shared<std::string>();
    auto views = std::make_shared<ViewOptions>();
    options->AddTo(*command, true);
    views->AddTo(*command);
    command->add_flag("--online", *online, "Analyse while a replay samples the recording");
    command->add_option("--out", *out, "Folder for spikes.tsv, datasheet.tsv, export.nex and the views' files");
    command->callback([options, online, out, views] {
        Guarded([&] {
            const auto session = options->Run(*online, views.get());
            PrintAnalysisSummary(*session, std::cout);
            PrintDetectionNotes(*session, options->detection, std::cout);
            if (!out->empty()) {
                WriteOutputs(*session, *out, *views);
            }
        });
    });
}

void AddSpikes(CLI::App& app)
{
    auto* command = app.add_subcommand("spikes", "Analyse a recording and list its spikes");
    auto options = std::make_shared<AnalysisCommand>();
    options->AddTo(*command, false);
    command->callback([options] {
        Guarded([&] { WriteSpikeTable(options->Run()->Analysis(), std::cout); });
    });
}

void AddExportNex(CLI::App& app)
{
    auto* command = app.add_subcommand("export-nex", "Analyse a recording and export its spikes to a .nex file");
    auto options = std::make_shared<AnalysisCommand>();
    auto file = std::make_shared<std::string>();
    options->AddTo(*command, false);
    command->add_option("-o", *file, "The .nex file to write")->required();
    command->callback([options, file] { Guarded([&] { ExportNex(*options->Run(), *file); }); });
}

void AddSources(CLI::App& app)
{
    auto* command = app.add_subcommand("sources", "List the event sources of a recording");
    auto recording = std::make_shared<std::string>();
    auto document = std::make_shared<DocumentOptions>();
    command->add_option("RECORDING", *recording, "A raw sidecar .json, an .edf/.bdf file, or demo")->required();
    document->AddTo(*command, false);
    command->callback([recording, document] {
        Guarded([&] {
            auto session = Desk::Session::OpenRecording(*recording, MakeCom<Desk::HostServices>());
            if (document->path) {
                // The units' event sources exist once the analysis rebuilt them.
                session->LoadDocumentSettings(*document->path);
                session->Analyze();
            }
            for (const VEX::String& name : EventSourceNames(session->Host())) {
                std::cout << name.ToUtf8() << '\n';
            }
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

void AddCommands(CLI::App& app)
{
    // The host's axis scale component, which the views' graphs draw their
    // axes with.
    desk::ui::AxisScale::Register();
    AddAnalyze(app);
    AddSpikes(app);
    AddExportNex(app);
    AddDatasheetCommand(app, [](auto body) { Guarded(body); });
    AddSettingsCommands(app, [](auto body) { Guarded(body); });
    AddRenderCommand(app, [](auto body) { Guarded(body); });
    AddSources(app);
    AddInfoCommand(app, [](auto body) { Guarded(body); });
    AddGenDemo(app);
}

int ExitCode() { return gExitCode; }

} // namespace Nerolith::Cli

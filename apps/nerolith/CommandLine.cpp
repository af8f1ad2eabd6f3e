#include "CommandLine.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "desk/demo/DemoRecording.h"
#include "desk/host/HostDocument.h"
#include "desk/recording/Recording.h"
#include "RecordingSummary.h"

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

ComPtr<Desk::HostDocument> OpenDocument(const std::string& recording)
{
    return MakeCom<Desk::HostDocument>(Desk::OpenRecording(recording), MakeCom<Desk::HostServices>());
}

void AddGenDemo(CLI::App& app)
{
    auto* command = app.add_subcommand("gen-demo", "Write the demo recording and its ground truth");
    auto folder = std::make_shared<std::string>();
    command->add_option("DIR", *folder, "Folder to write demo.json, demo.f32 and demo.truth.tsv")->required();
    command->callback([folder] { Guarded([&] { Desk::WriteDemo(*folder); }); });
}

void AddSources(CLI::App& app)
{
    auto* command = app.add_subcommand("sources", "List the event sources of a recording");
    auto recording = std::make_shared<std::string>();
    command->add_option("RECORDING", *recording, "A raw sidecar .json, an .edf/.bdf file, or demo")->required();
    command->callback([recording] {
        Guarded([&] {
            const ComPtr<Desk::HostDocument> document = OpenDocument(*recording);
            for (const VEX::String& name : EventSourceNames(*document)) {
                std::cout << name.ToUtf8() << '\n';
            }
            document->Close();
        });
    });
}

void AddAnalyze(CLI::App& app)
{
    auto* command = app.add_subcommand("analyze", "Analyse a recording and print a summary");
    auto recording = std::make_shared<std::string>();
    command->add_option("RECORDING", *recording, "A raw sidecar .json, an .edf/.bdf file, or demo")->required();
    command->callback([recording] {
        Guarded([&] {
            const ComPtr<Desk::HostDocument> document = OpenDocument(*recording);
            PrintRecordingSummary(*document, std::cout);
            document->Close();
        });
    });
}

} // namespace

void AddCommands(CLI::App& app)
{
    AddAnalyze(app);
    AddSources(app);
    AddGenDemo(app);
}

int ExitCode() { return gExitCode; }

} // namespace Nerolith::Cli

#include "DatasheetCommand.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "AnalysisOptions.h"
#include "QualityOptions.h"
#include "ViewOptions.h"
#include "desk/datasheet/DataSheet.h"
#include "desk/datasheet/DataSheetText.h"

namespace Nerolith::Cli {
namespace {

struct DatasheetOptions {
    std::string recording;
    DetectionOptions detection;
    UnitsOptions units;
    DocumentOptions document;
    ViewOptions views;
    QualityOptions quality;
};

std::int32_t SourceChannel(Desk::Session& session)
{
    Host::DocumentSettings settings;
    if (Failed(session.Analysis().GetDocumentSettings(&settings))) {
        throw std::runtime_error("the analysis document does not tell its source channel");
    }
    return settings.sourceChannel;
}

} // namespace

void AddDatasheetCommand(CLI::App& app, std::function<void(std::function<void()>)> guarded)
{
    auto* command = app.add_subcommand("datasheet", "Analyse a recording and print its Data Sheet");
    auto options = std::make_shared<DatasheetOptions>();
    command->add_option("RECORDING", options->recording, "A raw sidecar .json, an .edf/.bdf file, or demo")
        ->required();
    options->detection.AddTo(*command);
    options->units.AddTo(*command);
    options->document.AddTo(*command, false);
    options->views.AddTo(*command);
    options->quality.AddTo(*command);
    command->callback([options, guarded] {
        guarded([&] {
            const auto session = OpenSession(options->recording, options->detection, options->document);
            options->quality.Apply(*session);
            RunAnalysis(*session, options->units, options->document, false, &options->views);
            WriteDataSheet(*session, std::cout);
        });
    });
}

void WriteDataSheet(Desk::Session& session, std::ostream& out)
{
    const Desk::DataSheet sheet(session);
    Desk::WriteTsv(sheet.Row(SourceChannel(session)), out);
}

void WriteDataSheetFile(Desk::Session& session, const std::filesystem::path& path)
{
    std::ofstream out(path);
    WriteDataSheet(session, out);
    if (!out.flush()) {
        throw std::runtime_error(path.string() + ": cannot write");
    }
}

} // namespace Nerolith::Cli

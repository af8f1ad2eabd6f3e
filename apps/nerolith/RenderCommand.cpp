#include "RenderCommand.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <optional>
#include <regex>
#include <stdexcept>
#include <string>

#include "AnalysisOptions.h"
#include "ChannelUnits.h"
#include "DiscriminatorPicture.h"
#include "QualityOptions.h"

namespace Nerolith::Cli {
namespace {

struct RenderOptions {
    std::string recording;
    DetectionOptions detection;
    UnitsOptions units;
    ViewOptions views;
    QualityOptions quality;
    std::string output;
    std::optional<std::string> size;
    std::optional<std::string> unit;
    bool printout = false;
};

bool IsPictureFile(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return extension == ".png" || extension == ".svg" || extension == ".pdf";
}

// A picture is drawn whole in memory (4 bytes a pixel), so its size has a
// budget: 64 MB, 4096x4096 or the same area in another shape.
constexpr long long kPixelBudget = 4096LL * 4096LL;

CLI::Validator PictureSize()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            static const std::regex pattern(R"(^([1-9]\d{0,4})x([1-9]\d{0,4})$)");
            std::smatch match;
            if (!std::regex_match(text, match, pattern)) {
                return "expected WIDTHxHEIGHT in pixels";
            }
            const long long pixels = std::stoll(match[1]) * std::stoll(match[2]);
            if (pixels > kPixelBudget) {
                return text + " is " + std::to_string(pixels) + " pixels, more than the " +
                       std::to_string(kPixelBudget) + " a picture may have";
            }
            return {};
        },
        "WxH");
}

void Render(const RenderOptions& options)
{
    if (!IsPictureFile(options.output)) {
        throw std::runtime_error("-o " + options.output + ": a picture is written as .png, .svg or .pdf");
    }
    const std::vector<NamedView> views = options.views.Views();
    const std::optional<std::string> discriminator = options.views.DiscriminatorPicture();
    if (discriminator && views.empty() && options.views.views.size() == 1) {
        const auto session = OpenSession(options.recording, options.detection, DocumentOptions{});
        RunAnalysis(*session, options.units, DocumentOptions{}, false);
        WriteDiscriminatorPicture(*session, {*discriminator, options.size, options.unit, options.printout},
                                  options.output);
        return;
    }
    if (options.printout) {
        throw std::runtime_error("--printout: only --view discriminator prints through its printout");
    }
    if (options.unit) {
        throw std::runtime_error("--unit " + *options.unit + ": only the waveforms and discriminator pictures take it");
    }
    if (views.size() != 1 || discriminator) {
        throw std::runtime_error("render draws one view: name exactly one with --view");
    }
    const auto session = OpenSession(options.recording, options.detection, DocumentOptions{});
    options.quality.Apply(*session);
    RunAnalysis(*session, options.units, DocumentOptions{}, false, &options.views);
    RequireUnits(*session, options.output);
    if (options.size && Failed(session->Analysis().SetViewSetting(views.front().kind, VEX::String(u"size"),
                                                                  VEX::String::FromUtf8(*options.size)))) {
        throw std::runtime_error("--size " + *options.size + ": the view cannot take this size");
    }
    WriteViewPicture(*session, views.front(), options.output, options.views.pictures);
}

} // namespace

void AddRenderCommand(CLI::App& app, std::function<void(std::function<void()>)> guarded)
{
    auto* command = app.add_subcommand("render", "Analyse a recording and write one view's picture");
    auto options = std::make_shared<RenderOptions>();
    command->add_option("RECORDING", options->recording, "A raw sidecar .json, an .edf/.bdf file, or demo")
        ->required();
    options->detection.AddTo(*command);
    options->units.AddTo(*command);
    options->views.takesDiscriminator = true;
    options->views.AddTo(*command);
    options->quality.AddTo(*command);
    command->add_option("-o", options->output, "The picture to write: FILE.png, FILE.svg or FILE.pdf")->required();
    command->add_option("--size", options->size, "The picture's size in pixels, WxH")->check(PictureSize());
    command->add_option("--unit", options->unit, "waveforms, discriminator: only this unit's spikes (its name)");
    command->add_flag("--printout", options->printout,
                      "discriminator: print the view as its Print command does, to -o FILE.pdf");
    command->callback([options, guarded] { guarded([&] { Render(*options); }); });
}

} // namespace Nerolith::Cli

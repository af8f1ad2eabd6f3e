#include "ViewOptions.h"

#include "ChannelUnits.h"
#include "DiscriminatorPicture.h"
#include "SettingChoices.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <stdexcept>

#include "host/ViewNames.h"

namespace Nerolith::Cli {
namespace {

using Host::ViewKind;

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

NamedView Named(ViewKind kind) { return {std::string(Host::ShortViewName(kind)), kind}; }

std::optional<NamedView> FindView(const std::string& name)
{
    const std::string upper = Upper(name);
    for (const Host::AnalysisViewName& view : Host::kAnalysisViewNames) {
        if (upper == view.shortName) {
            return NamedView{std::string(view.shortName), view.kind};
        }
    }
    return std::nullopt;
}

// "NAME=VALUE", NAME one of the views.
struct Assignment {
    NamedView view;
    std::string value;
};

Assignment Split(const std::string& text)
{
    const std::size_t at = text.find('=');
    const std::optional<NamedView> view = at == std::string::npos ? std::nullopt : FindView(text.substr(0, at));
    if (!view) {
        // The option's validator lets no other text through.
        throw std::runtime_error(text + ": expected VIEW=VALUE");
    }
    return {*view, text.substr(at + 1)};
}

CLI::Validator ViewAssignment()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const std::size_t at = text.find('=');
            if (at == std::string::npos) {
                return "expected VIEW=VALUE, VIEW one of AH, ISIH, ACH, CCH, PSTH, RM";
            }
            if (!FindView(text.substr(0, at))) {
                return "unknown view " + text.substr(0, at) + " (AH, ISIH, ACH, CCH, PSTH or RM)";
            }
            return {};
        },
        "VIEW=VALUE");
}

CLI::Validator ViewName(bool takesDiscriminator)
{
    return CLI::Validator(
        [takesDiscriminator](std::string& text) -> std::string {
            if (Upper(text) == "ALL" || FindView(text) || (takesDiscriminator && DiscriminatorPictureName(text))) {
                return {};
            }
            return "unknown view " + text + " (AH, ISIH, ACH, CCH, PSTH, RM" +
                   (takesDiscriminator ? ", discriminator, scatter, waveforms" : "") + " or all)";
        },
        "VIEW");
}

void Set(Desk::Session& session, const NamedView& view, const char16_t* name, const std::string& value,
         const std::string& option)
{
    const HRESULT result =
        session.Analysis().SetViewSetting(view.kind, VEX::String(name), VEX::String::FromUtf8(value));
    if (result == E_INVALIDARG) {
        throw std::runtime_error(option + ": the " + view.name + " view does not take \"" + value + "\"" +
                                 AcceptedValues(session, view, name));
    }
    if (Failed(result)) {
        throw std::runtime_error(option + ": the " + view.name + " view could not apply \"" + value + "\"");
    }
}

void SetEach(Desk::Session& session, const std::vector<std::string>& assignments, const char16_t* name,
             const std::string& option)
{
    for (const std::string& text : assignments) {
        const Assignment assignment = Split(text);
        Set(session, assignment.view, name, assignment.value, option + " " + text);
    }
}

std::string Get(Desk::Session& session, const NamedView& view, const char16_t* name)
{
    VEX::String value;
    if (Failed(session.Analysis().GetViewSetting(view.kind, VEX::String(name), &value))) {
        throw std::runtime_error("the " + view.name + " view does not answer \"" + VEX::String(name).ToUtf8() + "\"");
    }
    return value.ToUtf8();
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error(path.string() + ": cannot write");
    }
}

} // namespace

void ViewOptions::AddTo(CLI::App& command)
{
    const std::string help = takesDiscriminator
                                 ? "The view to draw: AH, ISIH, ACH, CCH, PSTH, RM, discriminator, scatter or waveforms"
                                 : "Open a view: AH, ISIH, ACH, CCH, PSTH, RM or all (repeatable)";
    command.add_option("--view", views, help)->check(ViewName(takesDiscriminator));
    command.add_option("--bin-size", binSizes, "VIEW=V: the view's bin size")->check(ViewAssignment());
    command.add_option("--paging", pagings, "VIEW=none|blocks:N|duration:S|stimulus:N")->check(ViewAssignment());
    command.add_option("--pre-stimulus", preStimulus, "PSTH pre-stimulus time in seconds");
    command.add_option("--sweeps", sweeps, "PSTH sweep source: blocks or stimulus:SOURCE");
    command.add_option("--reference", reference, "CCH reference: an event source, a unit's source or a unit's name");
    command.add_option("--x-range", xRanges, "VIEW=MIN:MAX: the graph's X range (correlations: the lag window)")
        ->check(ViewAssignment());
    command.add_option("--selection-x", selections, "VIEW=START:END: the histogram selection")
        ->check(ViewAssignment());
    command.add_option("--page", pages, "VIEW=P: the page shown, from 1")->check(ViewAssignment());
    command.add_option("--stats", statistics, "VIEW=BITS: the statistics shown (bit set)")->check(ViewAssignment());
    command.add_option("--scale", scales, "ACH|CCH=counts|rate|coefficient: the correlogram's Y scale")
        ->check(ViewAssignment());
    command.add_option("--band", bands,
                       "ACH|CCH=none|poisson|jitter[:MS[:ROUNDS[:SEED]]]: a 99% confidence band over the "
                       "correlogram, under independent Poisson firing at the mean rates, or from ROUNDS "
                       "resamplings with every spike jittered by up to MS (defaults 20 ms, 200 rounds, seed 1)")
        ->check(ViewAssignment());
    command.add_flag("--log-isi", logIntervals,
                     "ISIH: count the intervals on a logarithmic time axis (log10 s, ten bins a decade)");
    pictures.AddTo(command);
}

std::vector<NamedView> ViewOptions::Views() const
{
    std::vector<ViewKind> wanted;
    const auto want = [&wanted](ViewKind kind) { wanted.push_back(kind); };
    for (const std::string& name : views) {
        if (Upper(name) == "ALL") {
            for (const Host::AnalysisViewName& view : Host::kAnalysisViewNames) {
                want(view.kind);
            }
        } else if (const auto view = FindView(name)) {
            want(view->kind);
        }
    }
    for (const auto* list : {&binSizes, &pagings, &xRanges, &selections, &pages, &statistics}) {
        for (const std::string& text : *list) {
            want(Split(text).view.kind);
        }
    }
    if (preStimulus || sweeps) {
        want(ViewKind::PeristimulusTime);
    }
    if (reference) {
        want(ViewKind::CrossCorrelation);
    }
    std::vector<NamedView> open;
    for (const Host::AnalysisViewName& view : Host::kAnalysisViewNames) {
        if (std::find(wanted.begin(), wanted.end(), view.kind) != wanted.end()) {
            open.push_back({std::string(view.shortName), view.kind});
        }
    }
    return open;
}

std::optional<std::string> ViewOptions::DiscriminatorPicture() const
{
    for (const std::string& name : views) {
        if (const std::optional<std::string> picture = DiscriminatorPictureName(name)) {
            return picture;
        }
    }
    return std::nullopt;
}

void ViewOptions::Open(Desk::Session& session) const
{
    for (const NamedView& view : Views()) {
        if (Failed(session.Analysis().OpenView(view.kind))) {
            throw std::runtime_error("--view " + view.name + ": the view could not be opened");
        }
    }
}

void ViewOptions::ApplySettings(Desk::Session& session) const
{
    if (reference) {
        Set(session, Named(ViewKind::CrossCorrelation), u"reference", ResolveUnitSource(session, *reference),
            "--reference " + *reference);
    }
    if (sweeps) {
        Set(session, Named(ViewKind::PeristimulusTime), u"sweeps", *sweeps, "--sweeps " + *sweeps);
    }
    if (preStimulus) {
        Set(session, Named(ViewKind::PeristimulusTime), u"pre-stimulus", *preStimulus, "--pre-stimulus " + *preStimulus);
    }
    SetEach(session, pagings, u"paging", "--paging");
    SetEach(session, binSizes, u"bin-size", "--bin-size");
    SetEach(session, xRanges, u"x-range", "--x-range");
    SetEach(session, selections, u"selection-x", "--selection-x");
    SetEach(session, statistics, u"stats", "--stats");
    SetEach(session, scales, u"scale", "--scale");
    SetEach(session, bands, u"band", "--band");
    if (logIntervals) {
        Set(session, Named(ViewKind::InterspikeInterval), u"log-x", "on", "--log-isi");
    }
}

void ViewOptions::ShowPages(Desk::Session& session) const
{
    SetEach(session, pages, u"page", "--page");
}

void ViewOptions::Apply(Desk::Session& session) const
{
    Open(session);
    ApplySettings(session);
    ShowPages(session);
}

void ViewOptions::WriteOutputs(Desk::Session& session, const std::filesystem::path& folder) const
{
    for (const NamedView& view : Views()) {
        WriteText(folder / (view.name + ".tsv"), Get(session, view, u"copied-text"));
        WriteText(folder / (view.name + ".txt"), Get(session, view, u"statistics"));
        WriteViewPicture(session, view, folder / (view.name + ".png"), pictures);
    }
}

void WriteViewPicture(Desk::Session& session, const NamedView& view, const std::filesystem::path& path,
                      const PictureOptions& pictures)
{
    pictures.Apply(session, view);
    const HRESULT result = session.Analysis().SetViewSetting(view.kind, VEX::String(u"write-picture"),
                                                             VEX::String::FromUtf8(path.string()));
    if (result == E_INVALIDARG) {
        throw std::runtime_error(path.string() + ": a picture is written as .png, .svg or .pdf");
    }
    if (Failed(result)) {
        throw std::runtime_error(path.string() + ": cannot write the picture of the " + view.name + " view");
    }
}

} // namespace Nerolith::Cli

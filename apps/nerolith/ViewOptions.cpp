#include "ViewOptions.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <stdexcept>

namespace Nerolith::Cli {
namespace {

using Host::ViewKind;

constexpr std::array<std::pair<const char*, ViewKind>, 6> kViews{{
    {"AH", ViewKind::AmplitudeHistogram},
    {"ISIH", ViewKind::InterspikeInterval},
    {"ACH", ViewKind::Autocorrelation},
    {"CCH", ViewKind::CrossCorrelation},
    {"PSTH", ViewKind::PeristimulusTime},
    {"RM", ViewKind::RateMeter},
}};

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

std::optional<NamedView> FindView(const std::string& name)
{
    const std::string upper = Upper(name);
    for (const auto& [viewName, kind] : kViews) {
        if (upper == viewName) {
            return NamedView{viewName, kind};
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

CLI::Validator ViewName()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            return Upper(text) == "ALL" || FindView(text) ? std::string()
                                                          : "unknown view " + text +
                                                                " (AH, ISIH, ACH, CCH, PSTH, RM or all)";
        },
        "VIEW");
}

void Set(Desk::Session& session, const NamedView& view, const char16_t* name, const std::string& value,
         const std::string& option)
{
    const HRESULT result =
        session.Analysis().SetViewSetting(view.kind, VEX::String(name), VEX::String::FromUtf8(value));
    if (result == E_INVALIDARG) {
        throw std::runtime_error(option + ": the " + view.name + " view does not take \"" + value + "\"");
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

const NamedView kPeristimulus{"PSTH", ViewKind::PeristimulusTime};
const NamedView kCrossCorrelation{"CCH", ViewKind::CrossCorrelation};

} // namespace

void ViewOptions::AddTo(CLI::App& command)
{
    command.add_option("--view", views, "Open a view: AH, ISIH, ACH, CCH, PSTH, RM or all (repeatable)")
        ->check(ViewName());
    command.add_option("--bin-size", binSizes, "VIEW=V: the view's bin size")->check(ViewAssignment());
    command.add_option("--paging", pagings, "VIEW=none|blocks:N|duration:S|stimulus:N")->check(ViewAssignment());
    command.add_option("--pre-stimulus", preStimulus, "PSTH pre-stimulus time in seconds");
    command.add_option("--sweeps", sweeps, "PSTH sweep source: blocks or stimulus:SOURCE");
    command.add_option("--reference", reference, "CCH reference event source (a unit's source or an event source)");
    command.add_option("--x-range", xRanges, "VIEW=MIN:MAX: the graph's X range (correlations: the lag window)")
        ->check(ViewAssignment());
    command.add_option("--selection-x", selections, "VIEW=START:END: the histogram selection")
        ->check(ViewAssignment());
    command.add_option("--page", pages, "VIEW=P: the page shown, from 1")->check(ViewAssignment());
    command.add_option("--stats", statistics, "VIEW=BITS: the statistics shown (bit set)")->check(ViewAssignment());
}

std::vector<NamedView> ViewOptions::Views() const
{
    std::vector<ViewKind> wanted;
    const auto want = [&wanted](ViewKind kind) { wanted.push_back(kind); };
    for (const std::string& name : views) {
        if (Upper(name) == "ALL") {
            for (const auto& view : kViews) {
                want(view.second);
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
        want(kPeristimulus.kind);
    }
    if (reference) {
        want(kCrossCorrelation.kind);
    }
    std::vector<NamedView> open;
    for (const auto& [name, kind] : kViews) {
        if (std::find(wanted.begin(), wanted.end(), kind) != wanted.end()) {
            open.push_back({name, kind});
        }
    }
    return open;
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
        Set(session, kCrossCorrelation, u"reference", *reference, "--reference " + *reference);
    }
    if (sweeps) {
        Set(session, kPeristimulus, u"sweeps", *sweeps, "--sweeps " + *sweeps);
    }
    if (preStimulus) {
        Set(session, kPeristimulus, u"pre-stimulus", *preStimulus, "--pre-stimulus " + *preStimulus);
    }
    SetEach(session, pagings, u"paging", "--paging");
    SetEach(session, binSizes, u"bin-size", "--bin-size");
    SetEach(session, xRanges, u"x-range", "--x-range");
    SetEach(session, selections, u"selection-x", "--selection-x");
    SetEach(session, statistics, u"stats", "--stats");
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
        WriteViewPicture(session, view, folder / (view.name + ".png"));
    }
}

void WriteViewPicture(Desk::Session& session, const NamedView& view, const std::filesystem::path& path)
{
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

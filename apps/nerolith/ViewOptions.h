#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "PictureOptions.h"
#include "desk/runtime/Session.h"

namespace Nerolith::Cli {

// An analysis view as the command line names it: AH, ISIH, ACH, CCH, PSTH
// or RM.
struct NamedView {
    std::string name;
    Host::ViewKind kind;
};

// The analysis views to open and their settings: --view (repeatable, or
// "all") and the per-view options --bin-size NAME=V, --paging NAME=...,
// --x-range NAME=MIN:MAX, --selection-x NAME=START:END, --page NAME=P,
// --stats NAME=BITS, and the peristimulus and cross-correlation options
// --pre-stimulus S, --sweeps blocks|stimulus:SOURCE and --reference SOURCE.
// A view named by an option is opened as if by --view.
struct ViewOptions {
    std::vector<std::string> views;
    std::vector<std::string> binSizes;
    std::vector<std::string> pagings;
    std::optional<std::string> preStimulus;
    std::optional<std::string> sweeps;
    std::optional<std::string> reference;
    std::vector<std::string> xRanges;
    std::vector<std::string> selections;
    std::vector<std::string> pages;
    std::vector<std::string> statistics;
    std::vector<std::string> scales;
    std::vector<std::string> bands;
    bool logIntervals = false;
    PictureOptions pictures;
    // render's --view also takes the discriminator's pictures.
    bool takesDiscriminator = false;

    void AddTo(CLI::App& command);
    // The discriminator picture --view names, if any (lower case).
    std::optional<std::string> DiscriminatorPicture() const;
    // The views to open, in the order AH, ISIH, ACH, CCH, PSTH, RM.
    std::vector<NamedView> Views() const;

    // The three steps of an analysis with views: open them before the
    // first analysis, apply their settings before the final one (each
    // change that alters the counts analyses the channel again, and the
    // sources the settings name exist by then), show the pages asked for
    // once it is done.
    void Open(Desk::Session& session) const;
    void ApplySettings(Desk::Session& session) const;
    void ShowPages(Desk::Session& session) const;
    // All three, on a session analysed already.
    void Apply(Desk::Session& session) const;

    // For each open view: <VIEW>.tsv (its copied text), <VIEW>.txt (the
    // statistics lines of its panes) and <VIEW>.png (its picture).
    void WriteOutputs(Desk::Session& session, const std::filesystem::path& folder) const;
};

// The view's picture into a .png, .svg or .pdf file, as its extension says,
// drawn as the picture options ask.
void WriteViewPicture(Desk::Session& session, const NamedView& view, const std::filesystem::path& path,
                      const PictureOptions& pictures);

} // namespace Nerolith::Cli

#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

#include "desk/runtime/Session.h"

namespace Nerolith::Cli {

struct NamedView;

// How written pictures are drawn as figures to publish: --dpi N (fonts and
// lines for N pixels per inch; default: they follow the size), --shared-x
// (every unit's pane over one X range) and --bars filled|outline.
struct PictureOptions {
    std::optional<std::int32_t> dpi;
    bool sharedX = false;
    std::string bars = "filled";

    void AddTo(CLI::App& command);
    // Hands the options to the view, before its picture is written.
    void Apply(Desk::Session& session, const NamedView& view) const;
};

} // namespace Nerolith::Cli

#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

#include "FilterOption.h"
#include "NoiseThreshold.h"
#include "ViewOptions.h"
#include "desk/runtime/Session.h"

namespace Nerolith::Cli {

// The source channel's detection settings as options.
struct DetectionOptions {
    std::optional<std::int32_t> channel; // from 1; default: the document's source channel
    std::optional<std::string> threshold; // V or Nsd
    std::optional<double> pretrigger;
    std::optional<double> window;
    std::optional<std::string> polarity;
    std::optional<std::string> measure;
    std::optional<std::string> selection;
    std::optional<double> fitTolerance;
    FilterOption filter;
    // What an Nsd threshold came to, once applied.
    mutable std::optional<NoiseThreshold> noise;
    // --channel as "all" or a list (1,3-8): each channel analysed on its own.
    std::optional<std::string> channels;

    void AddTo(CLI::App& command);
    // Sets the channel's filter, makes the channel the source channel and
    // stores its record; `online`: the analysis runs while sampling.
    void Apply(Desk::Session& session, bool online = false) const;
};

// Units and hand assignments, created as the discriminator creates them.
struct UnitsOptions {
    std::optional<std::string> unitsFile; // or "suggest"
    std::vector<std::string> assignments;
    std::vector<std::int32_t> exclusions;

    void AddTo(CLI::App& command);
    bool Any() const { return unitsFile || !assignments.empty() || !exclusions.empty(); }
    // Creates the units after a first analysis, analyses again, applies the
    // hand assignments and analyses again.
    void Apply(Desk::Session& session) const;
};

// A saved document to start from, and whether to save back into it.
struct DocumentOptions {
    std::optional<std::string> path;
    bool save = false;

    void AddTo(CLI::App& command, bool withSave);
};

// Opens the recording, loads the document's settings when one is given and
// exists, applies the detection options.
std::unique_ptr<Desk::Session> OpenSession(const std::string& recording, const DetectionOptions& detection,
                                           const DocumentOptions& document, bool online = false);

// Analyses (offline, or while a replay samples the recording), with the
// units created along the way and the views (when given) opened first and
// set up before the final run; saves when asked.
void RunAnalysis(Desk::Session& session, const UnitsOptions& units, const DocumentOptions& document,
                 bool online, const ViewOptions* views = nullptr);

} // namespace Nerolith::Cli

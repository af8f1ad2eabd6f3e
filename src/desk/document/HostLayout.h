#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "desk/document/DocumentContents.h"

namespace Desk {

// A sub-window's place inside the main window's view area, in pixels.
struct FramePlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const FramePlacement&, const FramePlacement&) = default;
};

// An open view: its kind by the name the host gives it, the settings it
// gave back as text (in the order they are to be set again) and its frame.
struct ViewLayout {
    std::string kind;
    std::vector<std::pair<std::string, std::string>> settings;
    FramePlacement frame;

    friend bool operator==(const ViewLayout&, const ViewLayout&) = default;
};

// The chart: the time span shown and each channel's vertical extent.
struct ChartLayout {
    double start = 0.0;
    double span = 0.0;
    std::vector<std::pair<double, double>> channelScales;
    FramePlacement frame;

    friend bool operator==(const ChartLayout&, const ChartLayout&) = default;
};

// What the desktop program shows of a document: its open views bottom to
// top (the list order is the stacking order) and its chart.
struct HostLayout {
    std::vector<ViewLayout> views;
    std::optional<ChartLayout> chart;

    bool Empty() const { return views.empty() && !chart; }
    friend bool operator==(const HostLayout&, const HostLayout&) = default;
};

// The layout format written; a document without a layout (from the command
// line, or saved before layouts were kept) has none and opens as it did.
inline constexpr int kLayoutFormat = 1;

// Writes the layout into the document's views and host values. An empty
// layout writes nothing, so documents without windows stay as they were.
void StoreLayout(const HostLayout& layout, DocumentContents& contents);
// The layout a document holds (empty for none). A view entry or chart entry
// that cannot be read, or a layout of a later format, is a DocumentError
// naming `source` and the entry.
HostLayout LoadLayout(const DocumentContents& contents, const std::string& source);

} // namespace Desk

#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Desk {

// The recording a document was made from, as it was when the document was saved.
struct RecordingReference {
    std::string path;        // absolute, or the word "demo" for the built-in recording
    std::string fingerprint; // Recording::Fingerprint() at the time of saving

    friend bool operator==(const RecordingReference&, const RecordingReference&) = default;
};

// A named event source the host registered: the name users see and the
// expression that the calculation engine evaluates for it.
struct EventSourceItem {
    std::string name;
    std::string expression;

    friend bool operator==(const EventSourceItem&, const EventSourceItem&) = default;
};

// A calculation set on a channel: the class that computes it and that
// class's own settings, kept opaque.
struct ChannelCalculationItem {
    std::int32_t channel = 0;
    std::string className;
    std::vector<std::uint8_t> settings;

    friend bool operator==(const ChannelCalculationItem&, const ChannelCalculationItem&) = default;
};

// An open view: its kind and its settings (binary or JSON text, opaque here).
struct ViewItem {
    std::string kind;
    std::vector<std::uint8_t> settings;

    friend bool operator==(const ViewItem&, const ViewItem&) = default;
};

// Everything a host document keeps from one session to the next. Lists keep
// their order; texts are UTF-8.
struct DocumentContents {
    RecordingReference recording;
    // The module's settings stream, exactly as its persistence object wrote it.
    std::vector<std::uint8_t> moduleSettings;
    std::vector<EventSourceItem> eventSources; // names are unique
    std::vector<ChannelCalculationItem> channelCalculations;
    std::vector<ViewItem> views;
    // Anything else the host wants to remember, by name.
    std::map<std::string, std::string> values;

    friend bool operator==(const DocumentContents&, const DocumentContents&) = default;
};

} // namespace Desk

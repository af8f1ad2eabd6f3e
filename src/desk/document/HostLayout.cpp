#include "desk/document/HostLayout.h"

#include <cmath>

#include <nlohmann/json.hpp>

#include "desk/document/DocumentError.h"

namespace Desk {

namespace {

using nlohmann::json;

constexpr const char* kFormatKey = "layout_format";
constexpr const char* kChartKey = "chart_layout";

// The reason an entry is refused; LoadLayout adds the file and the entry.
struct Malformed {
    std::string reason;
};

json FrameJson(const FramePlacement& frame) { return json::array({frame.x, frame.y, frame.width, frame.height}); }

const json& Member(const json& object, const char* name)
{
    if (!object.is_object() || !object.contains(name)) {
        throw Malformed{std::string("no ") + name};
    }
    return object.at(name);
}

int WholeNumber(const json& value, const char* what)
{
    if (!value.is_number_integer() || value.get<std::int64_t>() < -1000000 || value.get<std::int64_t>() > 1000000) {
        throw Malformed{std::string(what) + " is not a whole number of pixels"};
    }
    return value.get<int>();
}

double FiniteNumber(const json& value, const char* what)
{
    if (!value.is_number() || !std::isfinite(value.get<double>())) {
        throw Malformed{std::string(what) + " is not a number"};
    }
    return value.get<double>();
}

FramePlacement ReadFrame(const json& object)
{
    const json& frame = Member(object, "frame");
    if (!frame.is_array() || frame.size() != 4) {
        throw Malformed{"frame is not [x, y, width, height]"};
    }
    FramePlacement placement{WholeNumber(frame[0], "frame x"), WholeNumber(frame[1], "frame y"),
                             WholeNumber(frame[2], "frame width"), WholeNumber(frame[3], "frame height")};
    if (placement.width <= 0 || placement.height <= 0) {
        throw Malformed{"frame has no area"};
    }
    return placement;
}

std::vector<std::uint8_t> Bytes(const json& object)
{
    const std::string text = object.dump();
    return {text.begin(), text.end()};
}

json Parse(const std::string& text)
{
    json object = json::parse(text, nullptr, false);
    if (object.is_discarded() || !object.is_object()) {
        throw Malformed{"not a JSON object"};
    }
    return object;
}

std::vector<std::pair<std::string, std::string>> ReadSettings(const json& object)
{
    std::vector<std::pair<std::string, std::string>> settings;
    const json& list = Member(object, "settings");
    if (!list.is_array()) {
        throw Malformed{"settings is not a list"};
    }
    for (const json& pair : list) {
        if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string() || !pair[1].is_string()) {
            throw Malformed{"a setting is not a [name, value] pair of texts"};
        }
        settings.emplace_back(pair[0].get<std::string>(), pair[1].get<std::string>());
    }
    return settings;
}

ViewLayout ReadView(const ViewItem& item)
{
    const json object = Parse(std::string(item.settings.begin(), item.settings.end()));
    return {item.kind, ReadSettings(object), ReadFrame(object)};
}

ChartLayout ReadChart(const std::string& text)
{
    const json object = Parse(text);
    ChartLayout chart{FiniteNumber(Member(object, "start"), "start"),
                      FiniteNumber(Member(object, "span"), "span"),
                      {},
                      ReadFrame(object)};
    if (chart.span <= 0.0) {
        throw Malformed{"span is not positive"};
    }
    const json& scales = Member(object, "scales");
    if (!scales.is_array()) {
        throw Malformed{"scales is not a list"};
    }
    for (const json& scale : scales) {
        if (!scale.is_array() || scale.size() != 2) {
            throw Malformed{"a scale is not [minimum, maximum]"};
        }
        const double minimum = FiniteNumber(scale[0], "a scale's minimum");
        const double maximum = FiniteNumber(scale[1], "a scale's maximum");
        if (!(minimum < maximum)) {
            throw Malformed{"a scale's minimum is not below its maximum"};
        }
        chart.channelScales.emplace_back(minimum, maximum);
    }
    return chart;
}

int ReadFormat(const DocumentContents& contents, const std::string& source)
{
    const auto found = contents.values.find(kFormatKey);
    if (found == contents.values.end()) {
        return 0;
    }
    try {
        std::size_t used = 0;
        const int format = std::stoi(found->second, &used);
        if (used == found->second.size() && format >= 1) {
            return format;
        }
    } catch (const std::exception&) {
    }
    throw DocumentError(source + ": window layout format \"" + found->second + "\" is not a version number");
}

} // namespace

void StoreLayout(const HostLayout& layout, DocumentContents& contents)
{
    if (layout.Empty()) {
        return;
    }
    contents.values[kFormatKey] = std::to_string(kLayoutFormat);
    for (const ViewLayout& view : layout.views) {
        json settings = json::array();
        for (const auto& [name, value] : view.settings) {
            settings.push_back(json::array({name, value}));
        }
        contents.views.push_back({view.kind, Bytes({{"settings", settings}, {"frame", FrameJson(view.frame)}})});
    }
    if (layout.chart) {
        json scales = json::array();
        for (const auto& [minimum, maximum] : layout.chart->channelScales) {
            scales.push_back(json::array({minimum, maximum}));
        }
        contents.values[kChartKey] = json{{"start", layout.chart->start},
                                          {"span", layout.chart->span},
                                          {"scales", scales},
                                          {"frame", FrameJson(layout.chart->frame)}}
                                         .dump();
    }
}

HostLayout LoadLayout(const DocumentContents& contents, const std::string& source)
{
    const int format = ReadFormat(contents, source);
    if (format == 0) {
        return {};
    }
    if (format > kLayoutFormat) {
        throw DocumentError(source +
                            ": the window layout was saved by a later version of "
                            "Nerolith (layout format " +
                            std::to_string(format) + "; this version reads format " + std::to_string(kLayoutFormat) +
                            " and earlier)");
    }
    HostLayout layout;
    for (std::size_t i = 0; i < contents.views.size(); ++i) {
        try {
            layout.views.push_back(ReadView(contents.views[i]));
        } catch (const Malformed& error) {
            throw DocumentError(source + ": view " + std::to_string(i + 1) + " (" + contents.views[i].kind +
                                ") of the window layout cannot be read: " + error.reason);
        }
    }
    if (const auto chart = contents.values.find(kChartKey); chart != contents.values.end()) {
        try {
            layout.chart = ReadChart(chart->second);
        } catch (const Malformed& error) {
            throw DocumentError(source + ": the chart's layout cannot be read: " + error.reason);
        }
    }
    return layout;
}

} // namespace Desk

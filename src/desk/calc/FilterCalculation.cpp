#include "desk/calc/FilterCalculation.h"

#include <locale>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

namespace Desk {

FilterCalculation::FilterCalculation(const Recording& recording, std::int32_t channel, const FilterDesign& design)
    : UnknownImpl(1), recording_(recording), channel_(channel), design_(design)
{
}

HRESULT FilterCalculation::ExpressionText(VEX::String* text)
{
    if (text == nullptr) {
        return E_POINTER;
    }
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(17);
    out << "Filter(ch" << std::int64_t{channel_} + 1 << ", " << design_.low << ", " << design_.high.value_or(0.0) << ", "
        << design_.order << ", " << (design_.causal ? 1 : 0);
    if (!design_.reference.empty()) {
        out << ", " << (design_.medianReference ? kMedianReference : kMeanReference);
        for (const std::int32_t channel : design_.reference) {
            out << ", ch" << std::int64_t{channel} + 1;
        }
    }
    out << ")";
    *text = VEX::String::FromUtf8(out.str());
    return S_OK;
}

std::string FilterCalculation::Problem(const Recording& recording, std::int32_t channel, const FilterDesign& design)
{
    for (const std::int32_t other : design.reference) {
        if (other < 0 || other >= recording.ChannelCount()) {
            return "there is no reference channel " + std::to_string(std::int64_t{other} + 1) + " (the recording has " +
                   std::to_string(recording.ChannelCount()) + ")";
        }
    }
    for (std::int32_t block = 0; block < recording.BlockCount(); ++block) {
        const std::string problem = design.Problem(1.0 / recording.SampleInterval(channel, block));
        if (!problem.empty()) {
            return problem;
        }
        for (const std::int32_t other : design.reference) {
            if (recording.SampleInterval(other, block) != recording.SampleInterval(channel, block) ||
                recording.Ticks(other, block) != recording.Ticks(channel, block)) {
                return "reference channel " + std::to_string(std::int64_t{other} + 1) +
                       " is not sampled as the channel is in block " + std::to_string(std::int64_t{block} + 1);
            }
        }
    }
    return {};
}

HRESULT FilterCalculation::CheckChannel(std::int32_t channel, VEX::String* message)
{
    if (message == nullptr) {
        return E_POINTER;
    }
    std::string problem = channel == channel_ ? Problem(recording_, channel, design_)
                                              : "the filter was made for channel " + std::to_string(channel_ + 1);
    *message = VEX::String::FromUtf8(problem);
    return problem.empty() ? S_OK : E_FAIL;
}

HRESULT FilterCalculation::SaveSettings(IStream* stream)
{
    if (stream == nullptr) {
        return E_POINTER;
    }
    nlohmann::json settings = {{"channel", channel_}, {"low", design_.low}, {"order", design_.order},
                               {"causal", design_.causal}};
    if (design_.high) {
        settings["high"] = *design_.high;
    }
    if (!design_.reference.empty()) {
        settings["reference"] = design_.reference;
        settings["median_reference"] = design_.medianReference;
    }
    const std::string text = settings.dump();
    std::uint32_t written = 0;
    const HRESULT hr = stream->Write(text.data(), static_cast<std::uint32_t>(text.size()), &written);
    return Failed(hr) || written != text.size() ? E_FAIL : S_OK;
}

HRESULT FilterCalculation::LoadSettings(IStream* stream)
{
    if (stream == nullptr) {
        return E_POINTER;
    }
    std::string text;
    std::vector<char> chunk(4096);
    std::uint32_t read = 0;
    while (Succeeded(stream->Read(chunk.data(), static_cast<std::uint32_t>(chunk.size()), &read)) && read > 0) {
        text.append(chunk.data(), read);
    }
    try {
        const nlohmann::json settings = nlohmann::json::parse(text);
        FilterDesign design;
        design.low = settings.at("low").get<double>();
        if (settings.contains("high")) {
            design.high = settings.at("high").get<double>();
        }
        design.order = settings.at("order").get<int>();
        design.causal = settings.at("causal").get<bool>();
        design.reference = settings.value("reference", std::vector<std::int32_t>());
        design.medianReference = settings.value("median_reference", true);
        channel_ = settings.at("channel").get<std::int32_t>();
        design_ = design;
        return S_OK;
    } catch (const nlohmann::json::exception&) {
        return E_FAIL;
    }
}

} // namespace Desk

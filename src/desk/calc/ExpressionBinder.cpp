#include "desk/calc/ExpressionBinder.h"

#include <algorithm>
#include <optional>

#include "desk/calc/ChannelCalcSource.h"
#include "desk/calc/EventWaveformSource.h"
#include "desk/calc/ExpressionParser.h"
#include "desk/calc/FilterCalculation.h"
#include "desk/calc/FunctionCallSource.h"
#include "desk/calc/NameRules.h"
#include "desk/calc/RecordedEventsSource.h"
#include "platform/text/ShortestNumber.h"

namespace Desk {
namespace {

constexpr std::u16string_view kFilterName = u"Filter";

std::string Utf8(std::u16string_view text) { return VEX::String(text).ToUtf8(); }

[[noreturn]] void Fail(const Expression& at, const std::string& what)
{
    throw ExpressionError(what + " at column " + std::to_string(at.column));
}

std::optional<WaveformKind> WaveformOf(const Expression& node)
{
    if (node.kind != Expression::Kind::Call) {
        return std::nullopt;
    }
    if (EqualsIgnoringCase(node.name, kEventFrequencyName)) {
        return WaveformKind::Frequency;
    }
    if (EqualsIgnoringCase(node.name, kEventInterpName)) {
        return WaveformKind::EventMarks;
    }
    return std::nullopt;
}

} // namespace

ExpressionBinder::ExpressionBinder(std::shared_ptr<const CalcContext> context) : context_(std::move(context)) {}

ComPtr<ICalcSource> ExpressionBinder::BindEvents(std::u16string_view text)
{
    const Expression node = ParseExpression(text);
    return BindEventArgument(node, "The expression");
}

ComPtr<ICalcSource> ExpressionBinder::BindChannel(std::u16string_view text, std::int32_t channel)
{
    const Expression node = ParseExpression(text);
    if (WaveformOf(node)) {
        return BindWaveform(node, channel);
    }
    if (node.kind == Expression::Kind::Call && EqualsIgnoringCase(node.name, kFilterName)) {
        return BindFilter(node);
    }
    Bound bound = Bind(node);
    if (bound.shape != Shape::Channel) {
        Fail(node, "A channel calculation must be a channel, EventFrequency(...) or eventinterp(..., 1)");
    }
    return std::move(bound.source);
}

ExpressionBinder::Bound ExpressionBinder::Bind(const Expression& node)
{
    switch (node.kind) {
    case Expression::Kind::Channel:
        return BindChannelReference(node);
    case Expression::Kind::Number:
        return {Shape::Number, {}, node.number};
    case Expression::Kind::Name:
        return BindName(node);
    case Expression::Kind::Call:
        return BindCall(node);
    }
    Fail(node, "Unknown kind of expression");
}

ExpressionBinder::Bound ExpressionBinder::BindChannelReference(const Expression& node)
{
    if (!context_->IsChannel(node.channel)) {
        Fail(node, "There is no channel ch" + std::to_string(std::int64_t{node.channel} + 1) + " (the recording has " +
                       std::to_string(context_->recording.ChannelCount()) + ")");
    }
    return {Shape::Channel, ComPtr<ICalcSource>(new ChannelCalcSource(context_, node.channel, node.negated))};
}

ExpressionBinder::Bound ExpressionBinder::BindName(const Expression& node)
{
    if (const std::optional<VEX::String> expression = context_->sources.RegisteredExpression(node.name)) {
        return {Shape::Events, BindRegistered(node, *expression)};
    }
    if (const std::optional<std::int32_t> list = context_->sources.RecordedIndex(node.name)) {
        return {Shape::Events, ComPtr<ICalcSource>(new RecordedEventsSource(context_, *list))};
    }
    Fail(node, "Unknown name '" + Utf8(node.name) + "'");
}

ComPtr<ICalcSource> ExpressionBinder::BindRegistered(const Expression& node, const VEX::String& expression)
{
    if (std::find(expanding_.begin(), expanding_.end(), node.name) != expanding_.end()) {
        Fail(node, "Event source '" + Utf8(node.name) + "' refers to itself");
    }
    expanding_.push_back(node.name);
    try {
        ComPtr<ICalcSource> source = BindEventArgument(ParseExpression(expression.View()), "Its expression");
        expanding_.pop_back();
        return source;
    } catch (const ExpressionError& error) {
        expanding_.pop_back();
        Fail(node, "In event source '" + Utf8(node.name) + "' (" + error.what() + ")");
    }
}

ExpressionBinder::Bound ExpressionBinder::BindCall(const Expression& node)
{
    if (WaveformOf(node)) {
        Fail(node, Utf8(node.name) + " makes a channel; it can only stand alone as a channel calculation");
    }
    const FunctionEntry* function = context_->functions.Find(node.name);
    if (function == nullptr) {
        Fail(node, "Unknown function '" + Utf8(node.name) + "'");
    }
    return BindFunction(node, *function);
}

ExpressionBinder::Bound ExpressionBinder::BindFunction(const Expression& node, const FunctionEntry& function)
{
    const std::string name = Utf8(function.name.View());
    if (node.arguments.size() != function.params.size()) {
        Fail(node, name + " takes " + std::to_string(function.params.size()) + " arguments, not " +
                       std::to_string(node.arguments.size()));
    }
    std::vector<ComPtr<ICalcSource>> sources;
    std::vector<double> numbers;
    for (std::size_t i = 0; i < function.params.size(); ++i) {
        const FunctionParam& param = function.params[i];
        const Expression& argument = node.arguments[i];
        const std::string what =
            "Argument " + std::to_string(i + 1) + " of " + name + " (" + param.name.ToUtf8() + ")";
        Bound bound = Bind(argument);
        if (param.IsSource()) {
            if (bound.shape == Shape::Number) {
                Fail(argument, what + " must be a channel or an event source, not a number");
            }
            sources.push_back(std::move(bound.source));
            continue;
        }
        if (bound.shape != Shape::Number) {
            Fail(argument, what + " must be a number");
        }
        if (bound.number < param.minimum || bound.number > param.maximum) {
            Fail(argument, what + " is " + VEX::ShortestNumber(bound.number) + " but must lie between " +
                               VEX::ShortestNumber(param.minimum) + " and " + VEX::ShortestNumber(param.maximum));
        }
        numbers.push_back(bound.number);
    }
    return {Shape::Events, ComPtr<ICalcSource>(new FunctionCallSource(context_, function.functionClass,
                                                                      std::move(sources), std::move(numbers)))};
}

ComPtr<ICalcSource> ExpressionBinder::BindWaveform(const Expression& node, std::int32_t channel)
{
    const WaveformKind kind = *WaveformOf(node);
    const std::size_t expected = kind == WaveformKind::Frequency ? 1 : 2;
    const std::string name = Utf8(node.name);
    if (node.arguments.size() != expected) {
        Fail(node, name + " takes " + std::to_string(expected) + " argument" + (expected == 1 ? "" : "s") +
                       ", not " + std::to_string(node.arguments.size()));
    }
    ComPtr<ICalcSource> events = BindEventArgument(node.arguments[0], "The source of " + name);
    if (kind == WaveformKind::EventMarks) {
        const Expression& mode = node.arguments[1];
        if (mode.kind != Expression::Kind::Number || mode.number != 1.0) {
            Fail(mode, "The second argument of " + name + " must be 1");
        }
    }
    return ComPtr<ICalcSource>(new EventWaveformSource(context_, std::move(events), kind, channel));
}

ComPtr<ICalcSource> ExpressionBinder::BindFilter(const Expression& node)
{
    const std::size_t count = node.arguments.size();
    if (count != 5 && count < 7) {
        Fail(node, "Filter takes a channel, low, high, order and causal, then optionally a reference mode and "
                   "channels; not " + std::to_string(count) + " arguments");
    }
    const Expression& channel = node.arguments[0];
    for (std::size_t i = 0; i < count; ++i) {
        const bool isChannel = i == 0 || i > 5;
        const Expression& argument = node.arguments[i];
        if (isChannel ? argument.kind != Expression::Kind::Channel || (i > 0 && argument.negated)
                      : argument.kind != Expression::Kind::Number) {
            Fail(argument, "Argument " + std::to_string(i + 1) + " of Filter must be " +
                               (isChannel ? (i == 0 ? "a channel" : "a reference channel chN") : "a number"));
        }
    }
    BindChannelReference(channel);
    FilterDesign design;
    design.low = node.arguments[1].number;
    if (node.arguments[2].number != 0.0) {
        design.high = node.arguments[2].number;
    }
    design.order = static_cast<int>(node.arguments[3].number);
    design.causal = node.arguments[4].number != 0.0;
    if (design.order != node.arguments[3].number) {
        Fail(node.arguments[3], "The order of Filter must be a whole number");
    }
    if (count > 5) {
        const double mode = node.arguments[5].number;
        if (mode != FilterCalculation::kMedianReference && mode != FilterCalculation::kMeanReference) {
            Fail(node.arguments[5], "The reference mode of Filter must be 1 (median) or 2 (mean)");
        }
        design.medianReference = mode == FilterCalculation::kMedianReference;
        for (std::size_t i = 6; i < count; ++i) {
            design.reference.push_back(node.arguments[i].channel);
        }
    }
    if (const std::string problem = FilterCalculation::Problem(context_->recording, channel.channel, design);
        !problem.empty()) {
        Fail(node, "Filter: " + problem);
    }
    return ComPtr<ICalcSource>(new ChannelCalcSource(context_, channel.channel, channel.negated, design));
}

ComPtr<ICalcSource> ExpressionBinder::BindEventArgument(const Expression& node, const std::string& what)
{
    Bound bound = Bind(node);
    if (bound.shape == Shape::Channel) {
        Fail(node, what + " is a channel, not an event source");
    }
    if (bound.shape == Shape::Number) {
        Fail(node, what + " is a number, not an event source");
    }
    return std::move(bound.source);
}

} // namespace Desk

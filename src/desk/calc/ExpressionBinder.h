#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "desk/calc/CalcContext.h"
#include "desk/calc/EventWaveformSamples.h"
#include "desk/calc/Expression.h"
#include "host/ICalcSource.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// Turns expression text into sources that can be opened block by block:
// names are looked up (registered event sources first, then the recording's
// event lists), calls are checked against the function's parameter table.
// Names are bound afresh each time, so renamed and withdrawn sources take
// effect at once. Throws ExpressionError saying what is wrong and where.
class ExpressionBinder {
public:
    explicit ExpressionBinder(std::shared_ptr<const CalcContext> context);

    // Events: a source's name or a function call.
    ComPtr<ICalcSource> BindEvents(std::u16string_view text);
    // A channel: "chN", "-chN", "EventFrequency(events)",
    // "eventinterp(events, 1)" (these two on `channel`'s clock) or
    // "Filter(chN, LOW, HIGH, ORDER, CAUSAL)".
    ComPtr<ICalcSource> BindChannel(std::u16string_view text, std::int32_t channel);

private:
    enum class Shape { Channel, Events, Number };
    struct Bound {
        Shape shape;
        ComPtr<ICalcSource> source;
        double number = 0.0;
    };

    Bound Bind(const Expression& node);
    Bound BindChannelReference(const Expression& node);
    Bound BindName(const Expression& node);
    ComPtr<ICalcSource> BindRegistered(const Expression& node, const VEX::String& expression);
    Bound BindCall(const Expression& node);
    Bound BindFunction(const Expression& node, const FunctionEntry& function);
    ComPtr<ICalcSource> BindWaveform(const Expression& node, std::int32_t channel);
    ComPtr<ICalcSource> BindFilter(const Expression& node);
    ComPtr<ICalcSource> BindEventArgument(const Expression& node, const std::string& what);

    std::shared_ptr<const CalcContext> context_;
    // Registered sources whose expressions are being bound, to catch a
    // source that refers to itself.
    std::vector<std::u16string> expanding_;
};

} // namespace Desk

#pragma once

#include <memory>

#include "desk/calc/CalcContext.h"
#include "host/IHostCalc.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// The engine as the module sees it: samples, events of expressions and the
// document's named event sources.
class HostCalc final : public UnknownImpl<IHostCalc> {
public:
    explicit HostCalc(std::shared_ptr<CalcContext> context);

    HRESULT OpenSamples(std::int32_t channel, std::int32_t block, std::int32_t startTick, std::uint32_t requestCode,
                        IEnumSamples** samples) override;
    HRESULT OpenExpressionEvents(const VEX::String& expression, std::int32_t block, std::int32_t firstTick,
                                 std::int32_t endTick, std::uint32_t flags, IEnumEventEx** events) override;

    HRESULT RegisterEventSource(const VEX::String& name, const VEX::String& expression, std::int32_t* id1,
                                std::int32_t* id2) override;
    HRESULT RenameEventSource(std::int32_t id1, std::int32_t id2, const VEX::String& name) override;
    HRESULT WithdrawEventSource(std::int32_t id1, std::int32_t id2) override;
    HRESULT EventSourceName(std::int32_t id1, std::int32_t id2, VEX::String* name) override;
    HRESULT ResolveEventSource(const VEX::String& text, std::int32_t* position) override;
    HRESULT OpenSourceEvents(std::int32_t position, std::int32_t block, std::int32_t firstTick,
                             std::int32_t endTick, IEnumEventEx** events) override;
    std::int32_t EventSourceCount() override;
    HRESULT EventSourceNameAt(std::int32_t position, VEX::String* name) override;

private:
    // Binds an event expression and opens it; failures of any kind come back
    // as a result code, never as an exception through the interface.
    HRESULT OpenEvents(const VEX::String& expression, std::int32_t block, std::int32_t firstTick,
                       std::int32_t endTick, IEnumEventEx** events);

    std::shared_ptr<CalcContext> context_;
};

} // namespace Desk
